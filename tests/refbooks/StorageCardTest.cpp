// The storage-place card on a real database: new places through INSERT_STORAGE with the NULL
// rules, the cell list stored line by line, icon numbers outside the image list, the parent
// picked through the storage picker (the place and its subtree hidden), Del on the parent and
// the icon, the read-only rule, and "save and close" that keeps the card when the save fails.

#include "tests/refbooks/StorageTestSupport.h"

#include "shell/KVButtonEdit.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

// Place 1 as stored: parent, name, description, cell list (CR and LF shown as \r and \n),
// icon; NULL as "-".
const QString kRowOf = QStringLiteral(
    "SELECT COALESCE(PARENTID, '-') || '|' || S_NAME || '|' || COALESCE(S_DESCRIPTION, '-') || "
    "'|' || COALESCE(REPLACE(REPLACE(S_CELLLIST, ASCII_CHAR(13), '\\r'), ASCII_CHAR(10), "
    "'\\n'), '-') || '|' || COALESCE(ICONID, '-') || '|' || V_FLAG FROM T_STORAGE WHERE ID = %1");

} // namespace

class StorageCardTest : public TStorageBookTest {
protected:
    QString RowOf(quint32 AId) { return Scalar(kRowOf.arg(AId)).toString(); }
    static void Key(QWidget* AWidget, Qt::Key AKey) { QTest::keyClick(AWidget, AKey); }
};

TEST(StorageCellList, MemoTextBecomesLinesEachEndedByCrLf) {
    const struct {
        QString Text;
        QString Stored;
    } cases[] = {
        {"", ""},
        {"A1", "A1\r\n"},
        {"A1\nA2\nA3", "A1\r\nA2\r\nA3\r\n"},
        {"A1\nA2\n", "A1\r\nA2\r\n"}, // a closing line break adds no empty line
        {"A1\n\nA3", "A1\r\n\r\nA3\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TfrmStorageEdit::CellListFromText(c.Text), c.Stored) << c.Text.toStdString();
        // What is stored reads back as the memo's lines.
        EXPECT_EQ(TfrmStorageEdit::CellListFromText(TfrmStorageEdit::TextFromCellList(c.Stored)),
                  c.Stored);
    }
    EXPECT_EQ(TfrmStorageEdit::TextFromCellList(QStringLiteral("a\r\nb\nc\rd")),
              QStringLiteral("a\nb\nc\nd"));
}

TEST_F(StorageCardTest, NewPlaceIsInsertedWithItsCellsAndShownInTheTree) {
    AddStorage(1, 0, QStringLiteral("Шкаф"));
    T_frmStorage* frame = OpenStorageHost()->BookFrame();
    Button(frame, "Add_ToolButton")->click();
    ASSERT_EQ(StorageCards().size(), 1u);
    TfrmStorageEdit* card = StorageCards()[0];
    EXPECT_EQ(card->windowTitle(), QStringLiteral("New Storage"));
    EXPECT_EQ(card->StorageName_TextEdit()->selectedText(), QStringLiteral("New Storage"));
    EXPECT_EQ(card->StorageIcon_ImageComboBox()->count(), 128);
    EXPECT_EQ(card->StorageIcon_ImageComboBox()->itemText(127), QStringLiteral("Иконка 127"));
    EXPECT_EQ(card->StorageIcon_ImageComboBox()->currentIndex(), -1);

    Type(card->StorageName_TextEdit(), QStringLiteral("Ящик"));
    card->StorageDesc_TextEdit()->setText(QStringLiteral("Нижний"));
    card->StorageCellList_Memo()->setPlainText(QStringLiteral("A1\nA2\nA3"));
    card->StorageIcon_ImageComboBox()->setCurrentIndex(5);
    EXPECT_EQ(card->windowTitle(), QStringLiteral("New Storage *"));
    ASSERT_TRUE(card->SaveItem());

    ASSERT_NE(card->Id(), 0u);
    EXPECT_EQ(RowOf(card->Id()), QStringLiteral("-|Ящик|Нижний|A1\\r\\nA2\\r\\nA3\\r\\n|5|0"));
    EXPECT_EQ(card->windowTitle(), QStringLiteral("Ящик"));
    EXPECT_EQ(TreeText(frame), QStringLiteral("Шкаф, Ящик"));

    // Saved untouched, a new card stores its text as the name and NULL for the rest.
    TfrmStorageEdit* other = OpenCardStorage(0, false);
    ASSERT_TRUE(other && other->SaveItem());
    EXPECT_EQ(RowOf(other->Id()), QStringLiteral("-|New Storage|-|-|-|0"));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT IIF(C_TIMESTAMP IS NULL, 0, 1) || IIF(U_TIMESTAMP IS "
                                    "NULL, 0, 1) FROM T_STORAGE WHERE ID = %1")
                         .arg(other->Id()))
                  .toString(),
              QStringLiteral("10"));
}

TEST_F(StorageCardTest, StoredPlaceLoadsAndAnEditKeepsWhatWasNotTouched) {
    AddStorage(1, 0, QStringLiteral("Шкаф"));
    AddStorage(2, 1, QStringLiteral("Ящик"), 3, QStringLiteral("a\r\nb\r\n"));
    TfrmStorageEdit* card = OpenCardStorage(2, false);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->windowTitle(), QStringLiteral("Ящик"));
    EXPECT_EQ(card->StorageParentStorage_ButtonEdit()->text(), QStringLiteral("Шкаф"));
    EXPECT_EQ(card->StorageCellList_Memo()->toPlainText(), QStringLiteral("a\nb"));
    EXPECT_EQ(card->StorageIcon_ImageComboBox()->currentIndex(), 3);
    EXPECT_FALSE(card->ModifedData());

    card->StorageDesc_TextEdit()->setText(QStringLiteral("Верхний"));
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(RowOf(2), QStringLiteral("1|Ящик|Верхний|a\\r\\nb\\r\\n|3|0"));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT IIF(U_TIMESTAMP IS NULL, 0, 1) FROM T_STORAGE WHERE "
                                    "ID = 2"))
                  .toInt(),
              1);

    // An emptied memo stores NULL; the memo refuses text beyond its limit.
    card->StorageCellList_Memo()->setPlainText(QString());
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(RowOf(2), QStringLiteral("1|Ящик|Верхний|-|3|0"));
    card->StorageCellList_Memo()->setPlainText(QString(3000, u'я'));
    EXPECT_EQ(card->StorageCellList_Memo()->toPlainText().size(),
              TfrmStorageEdit::CellListMaxLength);
}

TEST_F(StorageCardTest, IconNumbersOutsideTheImageListShowNoIcon) {
    const struct {
        int Stored;
        int Shown;
    } cases[] = {{-1, -1}, {0, 0}, {127, 127}, {128, -1}, {1000, -1}};
    quint32 id = 1;
    for (const auto& c : cases) {
        AddStorage(id, 0, QStringLiteral("Место %1").arg(id), c.Stored);
        TfrmStorageEdit* card = OpenCardStorage(id, false);
        ASSERT_NE(card, nullptr);
        EXPECT_EQ(card->StorageIcon_ImageComboBox()->currentIndex(), c.Shown) << c.Stored;
        EXPECT_FALSE(card->ModifedData());
        card->ForciblyCloseItem();
        ++id;
    }
}

TEST_F(StorageCardTest, ParentIsPickedWithThePlaceAndItsSubtreeHidden) {
    AddStorage(1, 0, QStringLiteral("Шкаф"));
    AddStorage(2, 1, QStringLiteral("Ящик 1"));
    AddStorage(3, 1, QStringLiteral("Ящик 2"));
    AddStorage(4, 2, QStringLiteral("Коробка"));
    AddStorage(5, 0, QStringLiteral("Полка"));
    ::ViewCountItems = false;
    T_frmStorage* frame = OpenStorageHost()->BookFrame();
    TfrmStorageEdit* card = OpenCardStorage(2, false);
    ASSERT_NE(card, nullptr);

    // The picker hides place 2 with its box, filtered or not; the current parent is selected.
    QString shown, shownFiltered;
    quint32 preselected = 0;
    AnswerModal<TfrmSelectStorage>([&](TfrmSelectStorage* ADialog) {
        T_frmStorage* picker = ADialog->BookFrame();
        shown = TreeText(picker);
        preselected = picker->SelectedItemDBData().Id;
        picker->FilterEdit()->setText(QStringLiteral("к"));
        picker->ApplyFilter();
        shownFiltered = TreeText(picker);
        picker->FilterEdit()->setText(QString());
        picker->ApplyFilter();
        picker->SelectRecord(0, 5);
        ADialog->ButtonPanel()->OkBtn()->click();
    });
    card->StorageParentStorage_ButtonEditPropertiesButtonClick();
    EXPECT_EQ(shown, QStringLiteral("Шкаф[Ящик 2], Полка"));
    EXPECT_EQ(shownFiltered, QStringLiteral("Шкаф, Ящик 2, Полка"));
    EXPECT_EQ(preselected, 1u);
    EXPECT_EQ(card->StorageParentStorage_ButtonEdit()->text(), QStringLiteral("Полка"));
    EXPECT_EQ(card->ParentStorageId(), 5u);
    EXPECT_EQ(card->windowTitle(), QStringLiteral("Ящик 1 *"));

    // Saved: the node moves with its subtree under the new parent.
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(RowOf(2), QStringLiteral("5|Ящик 1|-|-|-|0"));
    EXPECT_EQ(TreeText(frame), QStringLiteral("Шкаф[Ящик 2], Полка[Ящик 1[Коробка]]"));

    // Del clears the parent and the icon; saved, the place is at the top level.
    card->StorageIcon_ImageComboBox()->setCurrentIndex(7);
    ASSERT_TRUE(card->SaveItem());
    Key(card->StorageParentStorage_ButtonEdit()->LineEdit(), Qt::Key_Delete);
    EXPECT_EQ(card->StorageParentStorage_ButtonEdit()->text(), QString());
    EXPECT_TRUE(card->ModifedData());
    Key(card->StorageIcon_ImageComboBox(), Qt::Key_Delete);
    EXPECT_EQ(card->StorageIcon_ImageComboBox()->currentIndex(), -1);
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(RowOf(2), QStringLiteral("-|Ящик 1|-|-|-|0"));
    EXPECT_EQ(TreeText(frame), QStringLiteral("Шкаф[Ящик 2], Полка, Ящик 1[Коробка]"));

    // A cancelled picker changes nothing.
    AnswerModal<TfrmSelectStorage>(
        [](TfrmSelectStorage* ADialog) { ADialog->ButtonPanel()->CancelBtn()->click(); });
    card->StorageParentStorage_ButtonEditPropertiesButtonClick();
    EXPECT_FALSE(card->ModifedData());
    EXPECT_TRUE(Messages.isEmpty()) << Messages.join(u'\n').toStdString();
}

TEST_F(StorageCardTest, CopyKeepsTheSourceNameAndInsertsASecondPlace) {
    AddStorage(1, 0, QStringLiteral("Шкаф"));
    AddStorage(2, 1, QStringLiteral("Ящик"), 4, QStringLiteral("a\r\n"));
    TfrmStorageEdit* card = OpenCardStorage(2, true);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->Id(), 0u);
    EXPECT_EQ(card->windowTitle(), QStringLiteral("New Storage"));
    EXPECT_EQ(card->StorageName_TextEdit()->text(), QStringLiteral("Ящик"));
    ASSERT_TRUE(card->SaveItem());
    EXPECT_NE(card->Id(), 2u);
    EXPECT_EQ(RowOf(card->Id()), QStringLiteral("1|Ящик|-|a\\r\\n|4|0"));
}

TEST_F(StorageCardTest, SaveAndCloseKeepsTheCardAndItsEditsWhenTheSaveFails) {
    // A place that refuses updates, to make the database fail the save.
    NewDB().Exec(QStringLiteral("CREATE EXCEPTION E_STORAGE_LOCKED 'place locked'"));
    NewDB().Exec(QStringLiteral(
        "CREATE TRIGGER T_STORAGE_LOCK FOR T_STORAGE ACTIVE BEFORE UPDATE POSITION 0 AS BEGIN "
        "IF (OLD.ID = 3) THEN EXCEPTION E_STORAGE_LOCKED; END"));
    AddStorage(1, 0, QStringLiteral("Шкаф"));
    AddStorage(2, 0, QStringLiteral("Ящик"));
    AddStorage(3, 0, QStringLiteral("Сейф"));

    const QString cells = QStringLiteral("B1");
    const struct {
        const char* Case;
        quint32 Id;
        QString NewName;
        QString Cells;
        std::function<void()> Before;
        int Messages;
        int Errors;
    } cases[] = {
        {"empty name", 1, QStringLiteral("  "), cells, [] {}, 0, 0},
        // A cell the database cannot keep is refused before the save.
        {"cell out of the character set", 1, QStringLiteral("Шкаф 3"), QStringLiteral("B1 漢"),
         [] {}, 1, 0},
        {"place deleted elsewhere", 2, QStringLiteral("Ящик 2"), cells,
         [this] { DB().Exec(QStringLiteral("DELETE FROM T_STORAGE WHERE ID = 2")); }, 1, 0},
        {"database error", 3, QStringLiteral("Сейф 2"), cells, [] {}, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        Messages.clear();
        FUI.Clear();
        TfrmStorageEdit* card = OpenCardStorage(c.Id, false);
        ASSERT_NE(card, nullptr);
        card->StorageName_TextEdit()->setText(c.NewName);
        card->StorageCellList_Memo()->setPlainText(c.Cells);
        c.Before();
        Button(card, "SaveAndClose_ToolButton")->click();
        Settle();
        ASSERT_EQ(StorageCards().size(), 1u);
        EXPECT_EQ(card->StorageName_TextEdit()->text(), c.NewName);
        EXPECT_EQ(card->StorageCellList_Memo()->toPlainText(), c.Cells);
        EXPECT_TRUE(card->ModifedData());
        EXPECT_EQ(Messages.size(), c.Messages) << Messages.join(u'\n').toStdString();
        EXPECT_EQ(static_cast<int>(FUI.Errors.size()), c.Errors);
        card->ForciblyCloseItem();
        Settle();
    }
    EXPECT_EQ(Scalar(QStringLiteral("SELECT LIST(S_NAME, ',') FROM (SELECT S_NAME FROM T_STORAGE "
                                    "ORDER BY ID)"))
                  .toString(),
              QStringLiteral("Шкаф,Сейф"));

    // A save that succeeds closes the card.
    TfrmStorageEdit* card = OpenCardStorage(1, false);
    ASSERT_NE(card, nullptr);
    card->StorageName_TextEdit()->setText(QStringLiteral("Шкаф 2"));
    Button(card, "SaveAndClose_ToolButton")->click();
    Settle();
    EXPECT_TRUE(StorageCards().empty());
    EXPECT_EQ(RowOf(1), QStringLiteral("-|Шкаф 2|-|-|-|0"));
}

TEST_F(StorageCardTest, ReadOnlyCardCannotBeChanged) {
    AddStorage(1, 0, QStringLiteral("Шкаф"));
    AddStorage(2, 1, QStringLiteral("Ящик"), 2);
    ::ReadOnly = true;
    TfrmStorageEdit* card = OpenCardStorage(2, false);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->windowTitle(), QStringLiteral("Ящик (только просмотр)"));
    EXPECT_TRUE(card->StorageName_TextEdit()->isReadOnly());
    EXPECT_TRUE(card->StorageDesc_TextEdit()->isReadOnly());
    EXPECT_TRUE(card->StorageCellList_Memo()->isReadOnly());
    EXPECT_FALSE(card->StorageIcon_ImageComboBox()->isEnabled());
    EXPECT_FALSE(card->StorageParentStorage_ButtonEdit()->Button()->isEnabled());
    EXPECT_FALSE(Button(card, "Save_ToolButton")->isEnabled());
    EXPECT_FALSE(Button(card, "SaveAndClose_ToolButton")->isEnabled());

    Key(card->StorageParentStorage_ButtonEdit()->LineEdit(), Qt::Key_Delete);
    Key(card->StorageIcon_ImageComboBox(), Qt::Key_Delete);
    EXPECT_EQ(card->StorageParentStorage_ButtonEdit()->text(), QStringLiteral("Шкаф"));
    EXPECT_EQ(card->StorageIcon_ImageComboBox()->currentIndex(), 2);
    EXPECT_FALSE(card->ModifedData());
    EXPECT_FALSE(card->SaveItem());
    EXPECT_EQ(RowOf(2), QStringLiteral("1|Ящик|-|-|2|0"));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_STORAGE WHERE U_TIMESTAMP IS NOT "
                                    "NULL"))
                  .toInt(),
              0);
}
