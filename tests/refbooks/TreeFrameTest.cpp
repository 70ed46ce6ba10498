// The tree frame on a real database, through small test books of classes and storage places:
// the tree and its flat filtered form, rows that cannot be placed, the record hidden with its
// subtree, the counts behind the names and their cache, and the changes cards report: renames,
// new records, moves with the subtree, removals, and a new parent that has no node.

#include "tests/refbooks/RefBooksTestSupport.h"
#include "tests/refbooks/TreeTestBook.h"

#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QLineEdit>

namespace {

// The tree as text: the nodes' texts, the children of a node in brackets behind it.
QString Shape(const std::vector<TKVTreeNode*>& ANodes) {
    QStringList parts;
    for (const TKVTreeNode* node : ANodes)
        parts << (node->Children.empty() ? node->Text()
                                         : node->Text() + QStringLiteral(" [") +
                                               Shape(node->Children) + QLatin1Char(']'));
    return parts.join(QStringLiteral(", "));
}

QString Shape(const TKVTreeFrame* AFrame) {
    return Shape(AFrame->TreeModel()->TopLevel());
}

} // namespace

class TreeFrameTest : public TRefBookTest {
protected:
    void SetUp() override {
        TRefBookTest::SetUp();
        FSavedViewCountItems = ::ViewCountItems;
        ::ViewCountItems = false;
        // New classes get IDs clear of those the tests insert.
        NewDB().Exec(QStringLiteral("ALTER SEQUENCE GEN_T_CLASS_ID RESTART WITH 1000"));
    }
    void TearDown() override {
        TRefBookTest::TearDown();
        ::ViewCountItems = FSavedViewCountItems;
    }

    void AddClass(quint32 AId, quint32 AParentId, const QString& AName, int AIconId = -1,
                  quint32 ADBId = 1011, quint32 AParentDBId = 1011) {
        DB().Exec(QStringLiteral("INSERT INTO T_CLASS (DBID, ID, PARENTDBID, PARENTID, S_NAME, "
                                 "ICONID, V_FLAG) VALUES (%1, %2, %3, %4, '%5', %6, 0)")
                      .arg(ADBId)
                      .arg(AId)
                      .arg(AParentId ? QString::number(AParentDBId) : QStringLiteral("NULL"),
                           AParentId ? QString::number(AParentId) : QStringLiteral("NULL"), AName,
                           AIconId >= 0 ? QString::number(AIconId) : QStringLiteral("NULL")));
    }
    void AddElementTypes(quint32 AClassId, int ACount) {
        for (int i = 0; i < ACount; ++i)
            DB().Exec(QStringLiteral("INSERT INTO T_ELEMENT_TYPE (DBID, ID, CLASSDBID, CLASSID, "
                                     "S_TYPENAME) VALUES (1011, %1, 1011, %2, 'T')")
                          .arg(++FLastElementTypeId)
                          .arg(AClassId));
    }
    // Classes of two databases: a system class (DBID 1) and the user's tree, with rows that
    // cannot be placed: a parent that is not loaded, the child of such a row, two rows naming
    // each other, a parent key that differs from a loaded one in its DBID alone.
    void AddSampleClasses() {
        AddClass(1, 0, QStringLiteral("Системный"), -1, 1);
        AddClass(1, 0, QStringLiteral("Пассивные"), 2);
        AddClass(2, 1, QStringLiteral("Резисторы"));
        AddClass(3, 2, QStringLiteral("Постоянные"));
        AddClass(4, 0, QStringLiteral("Активные"));
        AddClass(5, 99, QStringLiteral("Сироты"));
        AddClass(6, 5, QStringLiteral("Дети сирот"));
        AddClass(7, 8, QStringLiteral("Икс"));
        AddClass(8, 7, QStringLiteral("Игрек"));
        // PARENTID 0 makes a top-level row whatever PARENTDBID says.
        DB().Exec(QStringLiteral("INSERT INTO T_CLASS (DBID, ID, PARENTDBID, PARENTID, S_NAME, "
                                 "V_FLAG) VALUES (1011, 9, 1000, 0, 'Разъёмы', 0)"));
        AddClass(10, 1, QStringLiteral("Чужие"), -1, 1011, 1000);
        AddClass(11, 1, QStringLiteral("Конденсаторы"));
        AddClass(12, 1, QStringLiteral("Базовый"), -1, 1011, 1);
    }
    static QString SampleShape() {
        return QStringLiteral("Системный [Базовый], Пассивные [Резисторы [Постоянные], "
                              "Конденсаторы], Активные, Разъёмы");
    }

    TTestClassFrame* OpenClassHost() {
        DB();
        return TTestClassHost::Open()->TreeFrame();
    }
    static void ApplyFilter(TKVListFrame* AFrame, const QString& AText,
                            TFilterType AType = ftContaining) {
        AFrame->FilterEdit()->setText(AText);
        AFrame->pmiFilterTypeClick(AType);
        AFrame->Filter_ButtonEditPropertiesButtonClick(0);
    }
    static QModelIndex IndexOf(const TKVTreeFrame* AFrame, quint32 ADBId, quint32 AId) {
        return AFrame->TreeModel()->IndexOf(AFrame->TreeModel()->Find({ADBId, AId}));
    }
    static bool IsExpanded(const TKVTreeFrame* AFrame, quint32 ADBId, quint32 AId) {
        return AFrame->TreeView()->isExpanded(IndexOf(AFrame, ADBId, AId));
    }

    // Saves class (1011, AId) through its card with a new name and parent ((0, 0): none);
    // AId 0 saves a new class. Returns the saved class's Id.
    quint32 SaveClass(quint32 AId, const QString& AName, quint32 AParentDBId, quint32 AParentId) {
        TTestClassCard* card = TTestClassCard::Open(AId ? 1011 : 0, AId);
        EXPECT_NE(card, nullptr);
        if (!card)
            return 0;
        card->NameEdit()->setText(AName);
        card->SetParentClass(AParentDBId, AParentId);
        EXPECT_TRUE(card->SaveItem());
        const quint32 id = card->Id();
        card->ForciblyCloseItem();
        Settle();
        return id;
    }

private:
    bool FSavedViewCountItems = true;
    quint32 FLastElementTypeId = 0;
};

TEST_F(TreeFrameTest, PlacesRowsUnderTheirParentsInLoadOrderAndLeavesOutWhatCannotBePlaced) {
    AddSampleClasses();
    TTestClassFrame* frame = OpenClassHost();

    EXPECT_EQ(Shape(frame), SampleShape());
    // Every row is loaded; the rows without a place are only missing from the tree and the
    // count.
    EXPECT_EQ(frame->ClassList()->Count(), 13);
    EXPECT_EQ(frame->TreeModel()->Count(), 8);
    EXPECT_EQ(frame->CountPanel()->text(), QStringLiteral("Записей 8 "));
    for (const quint32 id : {5u, 6u, 7u, 8u, 10u})
        EXPECT_EQ(frame->TreeModel()->Find({1011, id}), nullptr) << id;

    // A tree with no columns, collapsed, with the icon of the row where it has one.
    EXPECT_EQ(frame->TreeView()->objectName(), QStringLiteral("Class_TreeView"));
    EXPECT_TRUE(frame->TreeView()->isHeaderHidden());
    EXPECT_FALSE(IsExpanded(frame, 1011, 1));
    ASSERT_GT(dmMain->ElementClassImgList.Count(), 2);
    EXPECT_FALSE(IndexOf(frame, 1011, 1).data(Qt::DecorationRole).isNull());
    EXPECT_TRUE(IndexOf(frame, 1011, 4).data(Qt::DecorationRole).isNull());
    // Books of trees have no export.
    EXPECT_EQ(frame->MenuItem(QStringLiteral("pmiExportDataToFile")), nullptr);
}

TEST_F(TreeFrameTest, FilterShowsMatchesOnOneLevelAndClearingItRebuildsTheTree) {
    AddSampleClasses();
    TTestClassFrame* frame = OpenClassHost();

    // A deep node selected: its ancestors open, the commands follow the selection.
    frame->SelectRecord(1011, 3);
    EXPECT_TRUE(IsExpanded(frame, 1011, 1));
    EXPECT_TRUE(IsExpanded(frame, 1011, 2));
    EXPECT_TRUE(frame->SelectedItemDBData().Select);
    EXPECT_EQ(frame->SelectedItemDBData().Name, QStringLiteral("Постоянные"));
    EXPECT_TRUE(Button(frame, "Edit_ToolButton")->isEnabled());

    // Matches in load order on one level, children of a match only when they match.
    ApplyFilter(frame, QStringLiteral("ные"));
    EXPECT_EQ(Shape(frame), QStringLiteral("Пассивные, Постоянные, Активные"));
    EXPECT_EQ(frame->CountPanel()->text(), QStringLiteral("[\"НЫЕ\"] Записей 3 "));
    // The rebuilt view has no selection, and the selection record says so.
    EXPECT_FALSE(frame->SelectedItemDBData().Select);
    EXPECT_FALSE(Button(frame, "Edit_ToolButton")->isEnabled());
    // Rows without a place in the tree are found by the filter too.
    ApplyFilter(frame, QStringLiteral("сиро"));
    EXPECT_EQ(Shape(frame), QStringLiteral("Сироты, Дети сирот"));
    ApplyFilter(frame, QStringLiteral("по"), ftStarting);
    EXPECT_EQ(Shape(frame), QStringLiteral("Постоянные"));

    frame->SelectRecord(1011, 3);
    EXPECT_TRUE(frame->SelectedItemDBData().Select);
    frame->FilterButton(2)->trigger();
    EXPECT_EQ(Shape(frame), SampleShape());
    EXPECT_EQ(frame->CountPanel()->text(), QStringLiteral("Записей 8 "));
    EXPECT_FALSE(frame->SelectedItemDBData().Select);

    // Refresh keeps the selected record, made visible again.
    frame->SelectRecord(1011, 3);
    frame->RefreshData();
    EXPECT_TRUE(frame->SelectedItemDBData().Select);
    EXPECT_EQ(frame->SelectedItemDBData().Id, 3u);
    EXPECT_EQ(frame->TreeView()->currentIndex(), IndexOf(frame, 1011, 3));
    EXPECT_TRUE(IsExpanded(frame, 1011, 1));
    // ... unless it is gone.
    DB().Exec(QStringLiteral("DELETE FROM T_CLASS WHERE DBID = 1011 AND ID = 3"));
    frame->RefreshData();
    EXPECT_FALSE(frame->SelectedItemDBData().Select);
    EXPECT_FALSE(Button(frame, "Edit_ToolButton")->isEnabled());
}

TEST_F(TreeFrameTest, ExcludedRecordIsHiddenWithItsSubtreeInBothForms) {
    AddSampleClasses();
    DB();
    ::ViewCountItems = true;
    AddElementTypes(4, 2);
    // A picker's frame: selection mode, no tool bar, no counts.
    TTestClassFrame frame;
    frame.SetExclude(1011, 1);
    frame.Init(false);
    EXPECT_FALSE(frame.ToolBar()->isVisibleTo(&frame));
    EXPECT_EQ(Shape(&frame), QStringLiteral("Системный [Базовый], Активные, Разъёмы"));
    EXPECT_EQ(frame.CountPanel()->text(), QStringLiteral("Записей 4 "));
    ApplyFilter(&frame, QStringLiteral("ы"));
    EXPECT_EQ(Shape(&frame), QStringLiteral("Системный, Активные, Сироты, Разъёмы, Базовый"));

    // A key that is not loaded hides nothing.
    TTestClassFrame other;
    other.SetExclude(1011, 99);
    other.Init(false);
    EXPECT_EQ(Shape(&other), SampleShape());
    frame.UnInit();
    other.UnInit();
}

TEST_F(TreeFrameTest, CountsOfVisibleNodesAreCachedUntilRefresh) {
    AddSampleClasses();
    AddElementTypes(1, 3);
    AddElementTypes(2, 2);
    AddElementTypes(4, 1);
    ::ViewCountItems = true;
    TTestClassFrame* frame = OpenClassHost();

    // The top level is counted; a class without element types shows no suffix.
    EXPECT_EQ(Shape(frame), QStringLiteral("Системный [Базовый], Пассивные (3) [Резисторы "
                                           "[Постоянные], Конденсаторы], Активные (1), Разъёмы"));
    EXPECT_EQ(frame->ClassList()->GetElementTypesCountByPKey(1011, 4), 1);
    EXPECT_EQ(frame->ClassList()->GetElementTypesCountByPKey(1011, 2), -1);

    // Expanding counts the children, once however often it happens.
    const QModelIndex passive = IndexOf(frame, 1011, 1);
    frame->TreeView()->expand(passive);
    frame->TreeView()->collapse(passive);
    frame->TreeView()->expand(passive);
    EXPECT_EQ(IndexOf(frame, 1011, 2).data().toString(), QStringLiteral("Резисторы (2)"));
    EXPECT_EQ(frame->ClassList()->GetElementTypesCountByPKey(1011, 3), -1);

    // The name with its count is the selected record's name and what Copy name copies.
    frame->SelectRecord(1011, 2);
    EXPECT_EQ(frame->SelectedItemDBData().Name, QStringLiteral("Резисторы (2)"));
    ASSERT_TRUE(frame->CopyName());
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Резисторы (2)"));

    // A rebuild by the filter shows the cached counts again, without asking anew...
    AddElementTypes(2, 5);
    ApplyFilter(frame, QStringLiteral("р"));
    EXPECT_EQ(IndexOf(frame, 1011, 2).data().toString(), QStringLiteral("Резисторы (2)"));
    frame->FilterButton(2)->trigger();
    frame->TreeView()->expand(IndexOf(frame, 1011, 1));
    EXPECT_EQ(IndexOf(frame, 1011, 2).data().toString(), QStringLiteral("Резисторы (2)"));
    // ... and a refresh asks again.
    frame->RefreshData();
    frame->TreeView()->expand(IndexOf(frame, 1011, 1));
    EXPECT_EQ(IndexOf(frame, 1011, 2).data().toString(), QStringLiteral("Резисторы (7)"));

    // Without the option nothing is counted.
    ::ViewCountItems = false;
    frame->RefreshData();
    EXPECT_EQ(IndexOf(frame, 1011, 1).data().toString(), QStringLiteral("Пассивные"));
}

TEST_F(TreeFrameTest, CardSavesRenameAddMoveAndRemoveNodes) {
    AddSampleClasses();
    AddClass(13, 4, QStringLiteral("Транзисторы"));
    TTestClassFrame* frame = OpenClassHost();
    QAbstractItemModelTester tester(frame->TreeModel(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(Shape(frame), QStringLiteral("Системный [Базовый], Пассивные [Резисторы "
                                           "[Постоянные], Конденсаторы], Активные [Транзисторы], "
                                           "Разъёмы"));

    // A move takes the subtree along and makes the node the last child of its new parent.
    frame->SelectRecord(1011, 3);
    SaveClass(2, QStringLiteral("Резисторы"), 1011, 4);
    EXPECT_EQ(Shape(frame), QStringLiteral("Системный [Базовый], Пассивные [Конденсаторы], "
                                           "Активные [Транзисторы, Резисторы [Постоянные]], "
                                           "Разъёмы"));
    // The selection moved with its node.
    EXPECT_EQ(frame->TreeView()->currentIndex(), IndexOf(frame, 1011, 3));
    EXPECT_EQ(frame->SelectedItemDBData().Id, 3u);
    // No parent: the last top-level node.
    SaveClass(2, QStringLiteral("Резисторы"), 0, 0);
    EXPECT_EQ(Shape(frame), QStringLiteral("Системный [Базовый], Пассивные [Конденсаторы], "
                                           "Активные [Транзисторы], Разъёмы, Резисторы "
                                           "[Постоянные]"));

    // A rename reaches the selection record; a count comes with the re-read, also while
    // the option is off.
    frame->SelectRecord(1011, 11);
    AddElementTypes(11, 4);
    SaveClass(11, QStringLiteral("Конденсаторы SMD"), 1011, 1);
    EXPECT_EQ(IndexOf(frame, 1011, 11).data().toString(), QStringLiteral("Конденсаторы SMD (4)"));
    EXPECT_EQ(frame->SelectedItemDBData().Name, QStringLiteral("Конденсаторы SMD (4)"));

    // A new class becomes the last child of its parent.
    const quint32 added = SaveClass(0, QStringLiteral("Диоды"), 1011, 4);
    ASSERT_NE(added, 0u);
    EXPECT_EQ(Shape(frame), QStringLiteral("Системный [Базовый], Пассивные [Конденсаторы SMD "
                                           "(4)], Активные [Транзисторы, Диоды], Разъёмы, "
                                           "Резисторы [Постоянные]"));
    EXPECT_EQ(frame->CountPanel()->text(), QStringLiteral("Записей 10 "));

    // A removal takes the displayed subtree; the rows stay loaded.
    frame->SelectRecord(1011, 3);
    frame->ExternalUpdateItemListByPKey(1011, 2, iatDelete);
    EXPECT_EQ(frame->TreeModel()->Find({1011, 3}), nullptr);
    EXPECT_TRUE(frame->ClassList()->ExistsItemByPKey(1011, 3));
    EXPECT_FALSE(frame->ClassList()->ExistsItemByPKey(1011, 2));
    EXPECT_FALSE(frame->SelectedItemDBData().Select);
    EXPECT_FALSE(frame->TreeView()->selectionModel()->hasSelection());
    EXPECT_EQ(frame->CountPanel()->text(), QStringLiteral("Записей 8 "));
}

TEST_F(TreeFrameTest, FilteredTreeKeepsRenamedNodesAndShowsOnlyMatchingNewOnes) {
    AddSampleClasses();
    TTestClassFrame* frame = OpenClassHost();
    ApplyFilter(frame, QStringLiteral("ры"));
    EXPECT_EQ(Shape(frame), QStringLiteral("Резисторы, Конденсаторы"));

    // Renamed out of the filter, moved elsewhere: the node stays where it is.
    SaveClass(2, QStringLiteral("Сопротивления"), 1011, 4);
    EXPECT_EQ(Shape(frame), QStringLiteral("Сопротивления, Конденсаторы"));
    // New: shown at the end when it matches, only loaded when not.
    const quint32 matching = SaveClass(0, QStringLiteral("Варисторы"), 1011, 1);
    const quint32 other = SaveClass(0, QStringLiteral("Диоды"), 1011, 1);
    EXPECT_EQ(Shape(frame), QStringLiteral("Сопротивления, Конденсаторы, Варисторы"));
    EXPECT_TRUE(frame->ClassList()->ExistsItemByPKey(1011, matching));
    EXPECT_TRUE(frame->ClassList()->ExistsItemByPKey(1011, other));
    EXPECT_EQ(frame->CountPanel()->text(), QStringLiteral("[\"РЫ\"] Записей 3 "));

    frame->FilterButton(2)->trigger();
    EXPECT_EQ(Shape(frame),
              QStringLiteral("Системный [Базовый], Пассивные [Конденсаторы, Варисторы, Диоды], "
                             "Активные [Сопротивления [Постоянные]], Разъёмы"));
}

TEST_F(TreeFrameTest, NodeWhoseNewParentHasNoNodeIsDroppedAndEveryListIsUpdated) {
    AddSampleClasses();
    TTestClassFrame* tree = OpenClassHost();
    TTestClassFrame* filtered = TTestClassHost::Open()->TreeFrame();
    QAbstractItemModelTester tester(tree->TreeModel(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    ApplyFilter(filtered, QStringLiteral("ы"));
    // A class saved after the windows loaded their rows: no window has its node.
    AddClass(50, 0, QStringLiteral("Новые"));
    tree->SelectRecord(1011, 3);

    // A parent that is no class at all. The save commits and reaches both windows: the tree
    // drops the node with its subtree, the flat list shows the new name.
    SaveClass(2, QStringLiteral("Резисторы SMD"), 1011, 77);
    EXPECT_TRUE(Messages.isEmpty());
    EXPECT_TRUE(FUI.Errors.empty());
    EXPECT_EQ(
        Scalar(QStringLiteral("SELECT PARENTID FROM T_CLASS WHERE DBID = 1011 AND ID = 2")).toInt(),
        77);
    EXPECT_EQ(Shape(tree),
              QStringLiteral("Системный [Базовый], Пассивные [Конденсаторы], Активные, Разъёмы"));
    EXPECT_EQ(tree->CountPanel()->text(), QStringLiteral("Записей 6 "));
    EXPECT_FALSE(tree->SelectedItemDBData().Select);
    EXPECT_EQ(IndexOf(filtered, 1011, 2).data().toString(), QStringLiteral("Резисторы SMD"));
    // The rows stay loaded with their new parent.
    EXPECT_EQ(tree->ClassList()->GetItemByPKey(1011, 2)->ParentId(), 77u);

    // A new class under such a parent gets no node; one under a class of its own subtree
    // (the rows then name each other) is dropped too.
    SaveClass(0, QStringLiteral("Диоды"), 1011, 50);
    SaveClass(1, QStringLiteral("Пассивные"), 1011, 11);
    EXPECT_EQ(Shape(tree), QStringLiteral("Системный [Базовый], Активные, Разъёмы"));
    EXPECT_TRUE(FUI.Errors.empty());

    // A rebuild places the same rows, and now the class loaded since with its new child.
    const QString shown = Shape(tree);
    tree->RefreshData();
    EXPECT_EQ(Shape(tree), shown + QStringLiteral(", Новые [Диоды]"));
}

TEST_F(TreeFrameTest, StoragePlacesKeyedByIdAlone) {
    DB();
    const std::vector<std::tuple<int, int, QString>> places = {
        {1, 0, QStringLiteral("Шкаф")},
        {2, 1, QStringLiteral("Полка")},
        {70000, 2, QStringLiteral("Коробка")},
        {3, 0, QStringLiteral("Стол")}};
    for (const auto& [id, parent, name] : places)
        DB().Exec(QStringLiteral("INSERT INTO T_STORAGE (ID, PARENTID, S_NAME) VALUES (%1, %2, "
                                 "'%3')")
                      .arg(id)
                      .arg(parent ? QString::number(parent) : QStringLiteral("NULL"), name));
    for (int i = 1; i <= 2; ++i)
        DB().Exec(
            QStringLiteral("INSERT INTO T_ELEMENT_AVAIL (ID, STORAGEID) VALUES (%1, 2)").arg(i));
    ::ViewCountItems = true;
    TTestStorageFrame* frame = TTestStorageHost::Open()->TreeFrame();
    QAbstractItemModelTester tester(frame->TreeModel(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(frame->TreeView()->objectName(), QStringLiteral("Storage_TreeView"));
    frame->TreeView()->expand(IndexOf(frame, 0, 1));
    EXPECT_EQ(Shape(frame), QStringLiteral("Шкаф [Полка (2) [Коробка]], Стол"));

    // A card moved the box onto the table; the picker's preset finds it by Id alone.
    DB().Exec(QStringLiteral("UPDATE T_STORAGE SET PARENTID = 3 WHERE ID = 70000"));
    frame->ExternalUpdateItemListByPKey(70000, iatChange);
    EXPECT_EQ(Shape(frame), QStringLiteral("Шкаф [Полка (2)], Стол [Коробка]"));
    frame->SelectRecord(0, 70000);
    EXPECT_EQ(frame->SelectedLocalItemDBData().Id, 70000u);
    EXPECT_TRUE(IsExpanded(frame, 0, 3));

    TTestStorageFrame picker;
    picker.SetExclude(70000);
    picker.Init(false);
    EXPECT_EQ(Shape(&picker), QStringLiteral("Шкаф [Полка], Стол"));
    picker.UnInit();
}
