// The class card on a real database: a new class with its parent, description and icon through
// INSERT_CLASS, a class moved under another parent and back to the top (the picker never
// offering the class itself or a class below it), a copy, the icon list with the user's
// descriptions, and a system class that cannot be changed.

#include "tests/refbooks/ClassBookTestSupport.h"

#include "shell/KVButtonEdit.h"

#include <QComboBox>

namespace {

// The stored row of a class as "parent DBID|parent ID|name|description|icon|flag", NULL as "-".
const QString kRowOf = QStringLiteral(
    "SELECT COALESCE(PARENTDBID, '-') || '|' || COALESCE(PARENTID, '-') || '|' || S_NAME || '|' "
    "|| COALESCE(S_DESCRIPTION, '-') || '|' || COALESCE(ICONID, '-') || '|' || V_FLAG FROM "
    "T_CLASS WHERE DBID = %1 AND ID = %2");

} // namespace

class ClassCardTest : public TClassBookTest {
protected:
    void SetUp() override {
        TClassBookTest::SetUp();
        // Five classes: a branch 1 > 2 > 3 and two top-level classes.
        AddClass(1011, 1, QStringLiteral("Полупроводники"));
        AddClass(1011, 2, QStringLiteral("Диоды"), 1);
        AddClass(1011, 3, QStringLiteral("Стабилитроны"), 2);
        AddClass(1011, 4, QStringLiteral("Резисторы"));
        AddClass(1011, 5, QStringLiteral("Конденсаторы"));
    }
    QString RowOf(quint32 AId, quint32 ADBId = 1011) {
        return Scalar(kRowOf.arg(ADBId).arg(AId)).toString();
    }

    // Clicks the parent editor's button; the picker, once shown, goes to AInside, which closes
    // it.
    void PickParent(TfrmClassEdit* ACard, std::function<void(TfrmSelectClass*)> AInside) {
        AnswerModal<TfrmSelectClass>(std::move(AInside));
        ACard->ClassParentClass_ButtonEdit()->Button()->click();
    }
    static void Choose(TfrmSelectClass* ADialog, quint32 AId) {
        ADialog->BookFrame()->SelectRecord(1011, AId);
        ADialog->accept();
    }
};

TEST_F(ClassCardTest, NewClassIsInsertedUnderItsParentAndShownInTheTree) {
    T_frmClass* frame = OpenClassHost()->BookFrame();
    frame->ToolButton(QStringLiteral("Add_ToolButton"))->click();
    ASSERT_EQ(ClassCards().size(), 1u);
    TfrmClassEdit* card = ClassCards()[0];
    EXPECT_EQ(card->windowTitle(), QStringLiteral("New Class"));
    EXPECT_EQ(card->ClassName_TextEdit()->selectedText(), QStringLiteral("New Class"));
    EXPECT_EQ(card->ClassIcon_ImageComboBox()->currentIndex(), -1);

    card->ClassName_TextEdit()->setText(QStringLiteral("Варикапы"));
    card->ClassDesc_TextEdit()->setText(QStringLiteral("ёмкость от напряжения"));
    card->ClassIcon_ImageComboBox()->setCurrentIndex(3);
    // A new class hides nothing in the picker.
    QString offered;
    PickParent(card, [&offered](TfrmSelectClass* ADialog) {
        offered = TreeText(ADialog->BookFrame());
        Choose(ADialog, 2);
    });
    EXPECT_EQ(offered,
              QStringLiteral("Полупроводники [Диоды [Стабилитроны]], Резисторы, Конденсаторы"));
    EXPECT_EQ(card->ClassParentClass_ButtonEdit()->text(), QStringLiteral("Диоды"));
    EXPECT_EQ(card->windowTitle(), QStringLiteral("New Class *"));
    ASSERT_TRUE(card->SaveItem());

    EXPECT_EQ(card->DBId(), 1011u);
    EXPECT_EQ(card->Id(), 1001u);
    EXPECT_EQ(RowOf(1001), QStringLiteral("1011|2|Варикапы|ёмкость от напряжения|3|0"));
    EXPECT_EQ(card->windowTitle(), QStringLiteral("Варикапы"));
    // The open tree shows it as the last child of its parent.
    EXPECT_EQ(TreeText(frame), QStringLiteral("Полупроводники [Диоды [Стабилитроны, Варикапы]], "
                                              "Резисторы, Конденсаторы"));

    // Saved with its name untouched: "New Class", no description, icon or parent.
    frame->ToolButton(QStringLiteral("Add_ToolButton"))->click();
    TfrmClassEdit* second = ClassCards().back();
    ASSERT_TRUE(second->SaveItem());
    EXPECT_EQ(RowOf(second->Id()), QStringLiteral("-|-|New Class|-|-|0"));
}

TEST_F(ClassCardTest, MovingAClassNeverOffersItsOwnSubtree) {
    T_frmClass* frame = OpenClassHost()->BookFrame();
    TfrmClassEdit* card = OpenCardClass(1011, 2, false);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->ClassParentClass_ButtonEdit()->text(), QStringLiteral("Полупроводники"));

    // The class and the class below it are hidden, in the tree and in the filtered list; the
    // current parent is preselected.
    QStringList offered;
    quint32 preselected = 0;
    PickParent(card, [&](TfrmSelectClass* ADialog) {
        T_frmClass* picker = ADialog->BookFrame();
        preselected = picker->SelectedItemDBData().Id;
        offered << TreeText(picker);
        picker->FilterEdit()->setText(QStringLiteral("ы"));
        picker->ApplyFilter();
        offered << TreeText(picker);
        picker->FilterButton(2)->trigger();
        Choose(ADialog, 4);
    });
    EXPECT_EQ(preselected, 1u);
    EXPECT_EQ(offered, QStringList({QStringLiteral("Полупроводники, Резисторы, Конденсаторы"),
                                    QStringLiteral("Резисторы, Конденсаторы")}));
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(RowOf(2), QStringLiteral("1011|4|Диоды|-|-|0"));
    // The node moves with its subtree and becomes the last child of its new parent.
    EXPECT_EQ(TreeText(frame),
              QStringLiteral("Полупроводники, Резисторы [Диоды [Стабилитроны]], Конденсаторы"));

    // Del in the parent editor clears the parent: the class goes to the top level, last.
    card->ClassParentClass_ButtonEdit()->LineEdit()->setFocus();
    QTest::keyClick(card->ClassParentClass_ButtonEdit()->LineEdit(), Qt::Key_Delete);
    EXPECT_TRUE(card->ClassParentClass_ButtonEdit()->text().isEmpty());
    EXPECT_TRUE(card->ModifedData());
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(RowOf(2), QStringLiteral("-|-|Диоды|-|-|0"));
    EXPECT_EQ(TreeText(frame),
              QStringLiteral("Полупроводники, Резисторы, Конденсаторы, Диоды [Стабилитроны]"));
}

TEST_F(ClassCardTest, CopyKeepsTheSourcesValuesAndInsertsASecondClass) {
    ClassDB().Exec(QStringLiteral("UPDATE T_CLASS SET ICONID = 7, S_DESCRIPTION = 'описание' "
                                  "WHERE ID = 3"));
    TfrmClassEdit* card = OpenCardClass(1011, 3, true);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->windowTitle(), QStringLiteral("New Class"));
    EXPECT_EQ(card->ClassName_TextEdit()->text(), QStringLiteral("Стабилитроны"));
    EXPECT_EQ(card->ClassParentClass_ButtonEdit()->text(), QStringLiteral("Диоды"));
    EXPECT_EQ(card->ClassIcon_ImageComboBox()->currentIndex(), 7);
    EXPECT_FALSE(card->ToolButton(QStringLiteral("Copy_ToolButton"))->isEnabled());
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(card->Id(), 1001u);
    EXPECT_EQ(RowOf(1001), QStringLiteral("1011|2|Стабилитроны|описание|7|0"));
    EXPECT_EQ(RowOf(3), QStringLiteral("1011|2|Стабилитроны|описание|7|0"));
}

TEST_F(ClassCardTest, IconsCarryTheUsersDescriptionsAndDelClearsTheIcon) {
    dmMain->ClassIconDesc = {QStringLiteral("Резистор"), QString()};
    ClassDB().Exec(QStringLiteral("UPDATE T_CLASS SET ICONID = 2 WHERE ID = 4"));
    ClassDB().Exec(QStringLiteral("UPDATE T_CLASS SET ICONID = 100000 WHERE ID = 5"));

    TfrmClassEdit* card = OpenCardClass(1011, 4, false);
    ASSERT_NE(card, nullptr);
    QComboBox* icons = card->ClassIcon_ImageComboBox();
    ASSERT_EQ(icons->count(), dmMain->ElementClassImgList.Count());
    EXPECT_EQ(icons->itemText(0), QStringLiteral("Резистор"));
    EXPECT_EQ(icons->itemText(1), QStringLiteral("Иконка 1"));
    EXPECT_EQ(icons->itemText(2), QStringLiteral("Иконка 2"));
    EXPECT_FALSE(icons->itemIcon(2).isNull());
    EXPECT_EQ(icons->currentIndex(), 2);
    EXPECT_FALSE(card->ModifedData());

    icons->setFocus();
    QTest::keyClick(icons, Qt::Key_Delete);
    EXPECT_EQ(icons->currentIndex(), -1);
    EXPECT_EQ(card->windowTitle(), QStringLiteral("Резисторы *"));
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(RowOf(4), QStringLiteral("-|-|Резисторы|-|-|0"));

    // An icon number past the list shows no icon.
    TfrmClassEdit* other = OpenCardClass(1011, 5, false);
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->ClassIcon_ImageComboBox()->currentIndex(), -1);
}

TEST_F(ClassCardTest, SystemClassCannotBeChanged) {
    ::BLIMod = false;
    AddClass(0, 6, QStringLiteral("Системный"), 0, 0, 1);
    TfrmClassEdit* card = OpenCardClass(0, 6, false);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->windowTitle(), QStringLiteral("Системный (только просмотр)"));
    EXPECT_TRUE(card->ClassName_TextEdit()->isReadOnly());
    EXPECT_FALSE(card->ClassIcon_ImageComboBox()->isEnabled());
    EXPECT_FALSE(card->ClassParentClass_ButtonEdit()->Button()->isEnabled());
    EXPECT_FALSE(card->ToolButton(QStringLiteral("Save_ToolButton"))->isEnabled());
    QTest::keyClick(card->ClassIcon_ImageComboBox(), Qt::Key_Delete);
    EXPECT_EQ(card->ClassIcon_ImageComboBox()->currentIndex(), 1);
    EXPECT_FALSE(card->SaveItem());
    EXPECT_EQ(RowOf(6, 0), QStringLiteral("-|-|Системный|-|1|0"));
}
