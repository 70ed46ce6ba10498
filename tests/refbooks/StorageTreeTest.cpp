// The storage-place tree on a real database: the places loaded under their parents with the
// stock counts of the visible nodes, the flat filtered form, the picker, the view chooser on
// Enter, and the delete rules: refused while child places or stock records refer to the place,
// the place's card closed, and the setting of the place for emptied stock records removed in
// the same transaction as the place.

#include "tests/refbooks/StorageTestSupport.h"

#include "shell/frmOpenDataMode.h"

#include <QClipboard>
#include <QPushButton>
#include <QTreeWidget>

namespace {

const QString kRefused = QStringLiteral(
    "Запись не может быть удалена, пока на нее ссылаются другие записи в базе данных");

} // namespace

class StorageTreeTest : public TStorageBookTest {
protected:
    // Шкаф[Ящик 1[Коробка], Ящик 2], Полка; two stock records in Ящик 2, one on the shelf.
    void AddPlaces() {
        AddStorage(1, 0, QStringLiteral("Шкаф"), 3);
        AddStorage(2, 1, QStringLiteral("Ящик 1"));
        AddStorage(3, 1, QStringLiteral("Ящик 2"));
        AddStorage(4, 2, QStringLiteral("Коробка"));
        AddStorage(5, 0, QStringLiteral("Полка"));
        AddStock(3);
        AddStock(3);
        AddStock(5);
    }
    // Deletes the place through the delete flow, answering its question with Yes.
    void Delete(T_frmStorage* AFrame, quint32 AId) {
        Select(AFrame, AId);
        FocusList(AFrame);
        Answers = {mrYes};
        Button(AFrame, "Delete_ToolButton")->click();
    }
    QVariant StorageForEmptyRow() {
        return Scalar(QStringLiteral("SELECT LIST(V_INTEGER) FROM CFG_LOCAL WHERE S_PARAM = "
                                     "'EASSID'"));
    }
};

TEST_F(StorageTreeTest, PlacesLoadUnderTheirParentsWithTheStockCountsOfVisibleNodes) {
    AddPlaces();
    TfrmStorage* host = OpenStorageHost();
    T_frmStorage* frame = host->BookFrame();
    EXPECT_EQ(host->windowTitle(), QStringLiteral("Места хранения"));
    EXPECT_EQ(frame->TreeView()->objectName(), QStringLiteral("Storage_TreeView"));

    // Only the top level is visible, so only it is counted; expanding counts the children.
    EXPECT_EQ(TreeText(frame), QStringLiteral("Шкаф[Ящик 1[Коробка], Ящик 2], Полка (1)"));
    frame->TreeView()->expand(frame->TreeModel()->IndexOf(frame->TreeModel()->Find({0, 1})));
    EXPECT_EQ(TreeText(frame), QStringLiteral("Шкаф[Ящик 1[Коробка], Ящик 2 (2)], Полка (1)"));
    EXPECT_EQ(frame->CountPanel()->text(), QStringLiteral("Записей 5 "));
    const TKVTreeNode* shelf = frame->TreeModel()->Find({0, 1});
    EXPECT_EQ(shelf->IconId, 3);

    // The commands of a selected place; the copy of a name carries its count.
    Select(frame, 5);
    EXPECT_TRUE(Button(frame, "Edit_ToolButton")->isEnabled());
    EXPECT_TRUE(Button(frame, "Delete_ToolButton")->isEnabled());
    EXPECT_EQ(frame->MenuItem(QStringLiteral("pmiEdit"))->text(), QStringLiteral("&Редактировать"));
    EXPECT_EQ(frame->MenuItem(QStringLiteral("pmiExportDataToFile")), nullptr);
    ASSERT_TRUE(frame->CopyName());
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Полка (1)"));

    // Without ViewCountItems nothing is counted.
    host->CloseWindow();
    Settle();
    ::ViewCountItems = false;
    frame = OpenStorageHost()->BookFrame();
    EXPECT_EQ(TreeText(frame), QStringLiteral("Шкаф[Ящик 1[Коробка], Ящик 2], Полка"));
}

TEST_F(StorageTreeTest, FilterShowsTheMatchingPlacesOnOneLevel) {
    AddPlaces();
    T_frmStorage* frame = OpenStorageHost()->BookFrame();
    frame->FilterEdit()->setText(QStringLiteral("ящик"));
    frame->ApplyFilter();
    EXPECT_EQ(TreeText(frame), QStringLiteral("Ящик 1, Ящик 2 (2)"));
    EXPECT_EQ(frame->CountPanel()->text(), QStringLiteral("[\"ЯЩИК\"] Записей 2 "));

    frame->FilterEdit()->setText(QStringLiteral("нет такого"));
    frame->ApplyFilter();
    EXPECT_EQ(TreeText(frame), QString());
    frame->FilterEdit()->setText(QString());
    frame->ApplyFilter();
    EXPECT_EQ(TreeText(frame), QStringLiteral("Шкаф[Ящик 1[Коробка], Ящик 2], Полка (1)"));
}

TEST_F(StorageTreeTest, PickerPreselectsHidesTheExcludedSubtreeAndHandsBackThePlace) {
    AddPlaces();
    QString shown;
    AnswerModal<TfrmSelectStorage>([&](TfrmSelectStorage* ADialog) {
        EXPECT_EQ(ADialog->windowTitle(), QStringLiteral("Выбор места хранения"));
        EXPECT_FALSE(ADialog->BookFrame()->ToolBar()->isVisible());
        shown = TreeText(ADialog->BookFrame()); // no counts in a picker
        ADialog->ButtonPanel()->OkBtn()->click();
    });
    TKVSelectedLocalItemDBData selected;
    TfrmSelectStorage::SelectStorage(5, 2, selected);
    EXPECT_EQ(shown, QStringLiteral("Шкаф[Ящик 2], Полка"));
    EXPECT_TRUE(selected.Select);
    EXPECT_EQ(selected.Id, 5u);
    EXPECT_EQ(selected.Name, QStringLiteral("Полка"));

    AnswerModal<TfrmSelectStorage>(
        [](TfrmSelectStorage* ADialog) { ADialog->ButtonPanel()->CancelBtn()->click(); });
    TfrmSelectStorage::SelectStorage(5, 0, selected);
    EXPECT_FALSE(selected.Select);
    EXPECT_EQ(selected.Id, 0u);
}

TEST_F(StorageTreeTest, EnterOffersTheCardOfThePlaceThroughTheViewChooser) {
    AddPlaces();
    T_frmStorage* frame = OpenStorageHost()->BookFrame();
    Select(frame, 3);
    FocusList(frame);

    // Cancelled: nothing opens.
    AnswerModal<TfrmOpenDataMode>([](TfrmOpenDataMode* ADialog) { ADialog->reject(); });
    QTest::keyClick(frame->TreeView(), Qt::Key_Return);
    EXPECT_TRUE(StorageCards().empty());

    // The one view offered is the card; chosen twice, one card opens.
    QStringList views;
    for (int i = 0; i < 2; ++i) {
        AnswerModal<TfrmOpenDataMode>([&](TfrmOpenDataMode* ADialog) {
            views.clear();
            for (int row = 0; row < ADialog->ListView()->topLevelItemCount(); ++row)
                views << ADialog->ListView()->topLevelItem(row)->text(0);
            ADialog->done(mrOk);
        });
        QTest::keyClick(frame->TreeView(), Qt::Key_Return);
    }
    EXPECT_EQ(views, QStringList{OpenDataModeTypeCaption(odmtStorage)});
    ASSERT_EQ(StorageCards().size(), 1u);
    EXPECT_EQ(StorageCards()[0]->Id(), 3u);
}

TEST_F(StorageTreeTest, PlaceWithChildPlacesOrStockIsNotDeleted) {
    AddPlaces();
    T_frmStorage* frame = OpenStorageHost()->BookFrame();
    for (const quint32 id : {2u, 5u}) { // a child place; a stock record
        Messages.clear();
        Delete(frame, id);
        EXPECT_EQ(Messages, (QStringList{QStringLiteral("Удалить запись?"), kRefused})) << id;
        EXPECT_EQ(CountOf(QStringLiteral("T_STORAGE"), QStringLiteral("ID = %1").arg(id)), 1);
        EXPECT_NE(frame->TreeModel()->Find({0, id}), nullptr);
    }
}

TEST_F(StorageTreeTest, DeletingAnEmptyPlaceClosesItsCardAndRemovesItsNode) {
    AddPlaces();
    T_frmStorage* frame = OpenStorageHost()->BookFrame();
    TfrmStorageEdit* card = OpenCardStorage(4, false);
    ASSERT_NE(card, nullptr);
    card->StorageDesc_TextEdit()->setText(QStringLiteral("правка")); // dropped without a question
    ASSERT_NE(OpenCardStorage(2, false), nullptr);

    Delete(frame, 4);
    Settle();
    EXPECT_EQ(Messages, QStringList{QStringLiteral("Удалить запись?")});
    EXPECT_EQ(CountOf(QStringLiteral("T_STORAGE"), QStringLiteral("ID = 4")), 0);
    ASSERT_EQ(StorageCards().size(), 1u);
    EXPECT_EQ(StorageCards()[0]->Id(), 2u);
    // Selecting the box expanded its ancestors, which counted their children.
    EXPECT_EQ(TreeText(frame), QStringLiteral("Шкаф[Ящик 1, Ящик 2 (2)], Полка (1)"));
    EXPECT_FALSE(frame->SelectedItemDBData().Select);

    // Answered No, nothing goes.
    Select(frame, 2);
    FocusList(frame);
    Answers = {mrNo};
    Button(frame, "Delete_ToolButton")->click();
    EXPECT_EQ(CountOf(QStringLiteral("T_STORAGE")), 4);
}

TEST_F(StorageTreeTest, DeletingThePlaceForEmptiedStockRemovesTheSettingWithIt) {
    AddPlaces();
    ChooseStorageForEmpty(4, QStringLiteral("Коробка"));
    // Every row of the setting goes, and only those rows.
    DB().Exec(QStringLiteral("INSERT INTO CFG_LOCAL (S_PARAM, V_INTEGER) VALUES ('EASSID', 4)"));
    DB().Exec(QStringLiteral("INSERT INTO CFG_LOCAL (OBJ_TYPE, S_PARAM, V_INTEGER) VALUES (26, "
                             "'RBW', 300)"));
    T_frmStorage* frame = OpenStorageHost()->BookFrame();

    // Another place leaves the setting alone.
    AddStorage(6, 5, QStringLiteral("Лоток"));
    frame->RefreshData();
    Delete(frame, 6);
    EXPECT_EQ(StorageForEmptyRow().toString(), QStringLiteral("4,4"));
    EXPECT_EQ(dmMain->StorageForEmptyId(), 4u);

    Delete(frame, 4);
    EXPECT_EQ(CountOf(QStringLiteral("T_STORAGE"), QStringLiteral("ID = 4")), 0);
    EXPECT_FALSE(StorageForEmptyRow().isValid());
    EXPECT_EQ(CountOf(QStringLiteral("CFG_LOCAL"), QStringLiteral("S_PARAM = 'RBW'")), 1);
    EXPECT_EQ(dmMain->StorageForEmptyId(), 0u);
    EXPECT_EQ(dmMain->StorageForEmptyName(), QString());
}

TEST_F(StorageTreeTest, FailedDeleteKeepsThePlaceAndTheSetting) {
    // The setting row cannot be deleted: the place's DELETE must be undone with it.
    NewDB().Exec(QStringLiteral("CREATE EXCEPTION E_CFG_KEPT 'setting kept'"));
    NewDB().Exec(QStringLiteral("CREATE TRIGGER CFG_LOCAL_KEEP FOR CFG_LOCAL ACTIVE BEFORE DELETE "
                                "POSITION 0 AS BEGIN EXCEPTION E_CFG_KEPT; END"));
    AddPlaces();
    ChooseStorageForEmpty(4, QStringLiteral("Коробка"));
    T_frmStorage* frame = OpenStorageHost()->BookFrame();
    TfrmStorageEdit* card = OpenCardStorage(4, false);
    ASSERT_NE(card, nullptr);

    Delete(frame, 4);
    Settle();
    ASSERT_EQ(FUI.Errors.size(), 1u);
    EXPECT_TRUE(FUI.Errors[0].Text.contains(QStringLiteral("setting kept")))
        << FUI.Errors[0].Text.toStdString();
    EXPECT_EQ(Messages.last(), kRefused);
    EXPECT_EQ(CountOf(QStringLiteral("T_STORAGE"), QStringLiteral("ID = 4")), 1);
    EXPECT_EQ(StorageForEmptyRow().toString(), QStringLiteral("4"));
    EXPECT_EQ(dmMain->StorageForEmptyId(), 4u);
    EXPECT_EQ(StorageCards().size(), 1u);
    EXPECT_NE(frame->TreeModel()->Find({0, 4}), nullptr);
}
