// The unit list window on a real database: loading with its progress and count, the filter
// of both types with its tags, sorting by column, the commands and their availability, copying
// the name, refresh, the delete flow with its refusals, and the updates cards report.

#include "tests/refbooks/RefBooksTestSupport.h"

#include "shell/frmExportDataToFile.h"
#include "shell/frmHelp.h"
#include "shell/frmItemInfo.h"
#include "shell/uHelpContext.h"

#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QTreeWidget>

class UnitListTest : public TRefBookTest {
protected:
    // A few units with the texts the filter and sort tests look at.
    void AddSamples() {
        AddUnit(1011, 1, QStringLiteral("Ом"), QStringLiteral("Ом"), QStringLiteral("Ohm"),
                QStringLiteral("Сопротивление"), 1);
        AddUnit(1011, 2, QStringLiteral("Res"), QStringLiteral("Resistor"), QString(), QString(),
                10);
        AddUnit(1011, 3, QStringLiteral("кОм"), QStringLiteral("Cresistor"), QString(), QString(),
                2);
        AddUnit(1011, 4, QStringLiteral("В"), QString(), QString(), QString(), 0.5);
    }
    void ApplyFilter(TKVListFrame* AFrame, const QString& AText, TFilterType AType) {
        AFrame->FilterEdit()->setText(AText);
        AFrame->pmiFilterTypeClick(AType);
        AFrame->Filter_ButtonEditPropertiesButtonClick(0);
    }
};

TEST_F(UnitListTest, LoadsEveryRowWithProgressCountAndCommandStates) {
    for (int i = 1; i <= 250; ++i)
        AddUnit(1011, i, QStringLiteral("u%1").arg(i), QString(), QString(), QString(),
                i == 7 ? 1.5 : 0);
    TfrmUnit* host = OpenHost();
    T_frmUnit* frame = host->BookFrame();

    EXPECT_EQ(host->windowTitle(), QStringLiteral("Единицы измерения"));
    EXPECT_EQ(Main().FindMDIChildren<TfrmUnit>().size(), 1u);
    const QStringList captions = {"Приставка", "Обозн. по умолч.", "Название", "Описание",
                                  "Множитель"};
    for (int i = 0; i < captions.size(); ++i)
        EXPECT_EQ(frame->Model()->headerData(i, Qt::Horizontal).toString(), captions[i]);
    EXPECT_EQ(frame->Model()->Count(), 250);
    EXPECT_EQ(frame->UnitList()->Count(), 250);
    EXPECT_EQ(frame->CountPanel()->text(), QStringLiteral("Записей 250 "));
    EXPECT_FALSE(frame->CountPanel()->font().bold());
    // The last step of filling was the 200th record of 250.
    EXPECT_EQ(Main().ProgressBar()->format(), QStringLiteral("Обработано записей 200 из 250..."));
    // The factor shows in the user's format, and only when greater than 0.
    const int row7 = frame->Model()->Find({1011, 7});
    ASSERT_GE(row7, 0);
    EXPECT_EQ(frame->Model()->Row(row7).Texts[4], QStringLiteral("1,5"));
    EXPECT_EQ(frame->Model()->Row(frame->Model()->Find({1011, 8})).Texts[4], QString());

    // Nothing selected: only Add, Refresh, export and help act.
    EXPECT_TRUE(frame->ToolBar()->isVisibleTo(frame));
    EXPECT_TRUE(Button(frame, "Add_ToolButton")->isEnabled());
    EXPECT_TRUE(frame->MenuItem(QStringLiteral("pmiAdd"))->isEnabled());
    for (const char* name : {"Copy_ToolButton", "Edit_ToolButton", "Delete_ToolButton"})
        EXPECT_FALSE(Button(frame, name)->isEnabled()) << name;
    for (const char* name : {"pmiCopyName", "pmiCopy", "pmiEdit", "pmiDelete", "pmiItemInfo"})
        EXPECT_FALSE(frame->MenuItem(QLatin1String(name))->isEnabled()) << name;
    // One separator between Refresh and the export: the book has no commands of its own.
    EXPECT_EQ(frame->MenuItem(QStringLiteral("pmidiv2")), nullptr);
    EXPECT_EQ(frame->MenuItem(QStringLiteral("pmiHelpContext"))->text(),
              QStringLiteral("&Помощь по справочнику"));

    frame->SelectRecord(1011, 7);
    EXPECT_TRUE(frame->SelectedItemDBData().Select);
    EXPECT_EQ(frame->SelectedItemDBData().Id, 7u);
    EXPECT_EQ(frame->SelectedItemDBData().Name, QStringLiteral("u7"));
    for (const char* name : {"Copy_ToolButton", "Edit_ToolButton", "Delete_ToolButton"})
        EXPECT_TRUE(Button(frame, name)->isEnabled()) << name;
    for (const char* name : {"pmiCopyName", "pmiCopy", "pmiEdit", "pmiDelete", "pmiItemInfo"})
        EXPECT_TRUE(frame->MenuItem(QLatin1String(name))->isEnabled()) << name;
    // A key that is not shown selects nothing new.
    frame->SelectRecord(1011, 999);
    EXPECT_EQ(frame->SelectedItemDBData().Id, 7u);
}

TEST_F(UnitListTest, EmptyBookAndReadOnlyOptionDisableWriting) {
    ::ReadOnly = true;
    T_frmUnit* frame = OpenHost()->BookFrame();
    EXPECT_EQ(frame->Model()->Count(), 0);
    EXPECT_EQ(frame->CountPanel()->text(), QStringLiteral("Нет записей "));
    EXPECT_FALSE(Button(frame, "Add_ToolButton")->isEnabled());
    EXPECT_FALSE(frame->MenuItem(QStringLiteral("pmiAdd"))->isEnabled());

    AddUnit(1011, 1, QStringLiteral("Ом"));
    frame->RefreshData();
    frame->SelectRecord(1011, 1);
    // Viewing stays; changing does not.
    EXPECT_TRUE(Button(frame, "Edit_ToolButton")->isEnabled());
    EXPECT_TRUE(frame->MenuItem(QStringLiteral("pmiCopyName"))->isEnabled());
    EXPECT_FALSE(Button(frame, "Copy_ToolButton")->isEnabled());
    EXPECT_FALSE(Button(frame, "Delete_ToolButton")->isEnabled());
    EXPECT_FALSE(frame->MenuItem(QStringLiteral("pmiDelete"))->isEnabled());
}

TEST_F(UnitListTest, FilterOfBothTypesWithTagsAndClear) {
    AddSamples();
    T_frmUnit* frame = OpenHost()->BookFrame();
    EXPECT_EQ(frame->FilterType(), ftContaining);
    EXPECT_TRUE(frame->FilterTypeMenu()->actions()[1]->isChecked());

    // Containing: the prefix or the name, any letter case; the filter text is kept trimmed
    // and upper-cased.
    ApplyFilter(frame, QStringLiteral(" res "), ftContaining);
    EXPECT_EQ(frame->FilterStr(), QStringLiteral("RES"));
    EXPECT_EQ(frame->FilterStrLen(), 3);
    EXPECT_EQ(Column(frame), QStringList({"Res", "кОм"}));
    EXPECT_EQ(frame->CountPanel()->text(), QStringLiteral("[\"RES\"] Записей 2 "));
    EXPECT_TRUE(frame->CountPanel()->font().bold());
    // Records are not reloaded by the filter.
    EXPECT_EQ(frame->UnitList()->Count(), 4);

    // Choosing the type changes nothing until the filter is applied again.
    frame->pmiFilterTypeClick(ftStarting);
    EXPECT_TRUE(frame->FilterTypeMenu()->actions()[0]->isChecked());
    EXPECT_FALSE(frame->FilterTypeMenu()->actions()[1]->isChecked());
    EXPECT_EQ(Column(frame), QStringList({"Res", "кОм"}));
    frame->Filter_ButtonEditPropertiesButtonClick(0);
    EXPECT_EQ(Column(frame), QStringList({"Res"}));

    // Cyrillic in another case; a text longer than every record's under "starts with".
    ApplyFilter(frame, QStringLiteral("ом"), ftStarting);
    EXPECT_EQ(Column(frame), QStringList({"Ом"}));
    ApplyFilter(frame, QStringLiteral("Resistorrrr"), ftStarting);
    EXPECT_EQ(frame->Model()->Count(), 0);
    EXPECT_EQ(frame->CountPanel()->text(), QStringLiteral("[\"RESISTORRRR\"] Нет записей "));

    // Enter in the filter edit applies it; the type stays for later applications.
    frame->FilterEdit()->setText(QStringLiteral("кО"));
    QTest::keyClick(frame->FilterEdit(), Qt::Key_Return);
    EXPECT_EQ(Column(frame), QStringList({"кОм"}));
    EXPECT_EQ(frame->FilterType(), ftStarting);

    // The reset button shows everything again without tags, in the regular font.
    frame->FilterButton(2)->trigger();
    EXPECT_TRUE(frame->FilterEdit()->text().isEmpty());
    EXPECT_EQ(frame->Model()->Count(), 4);
    EXPECT_EQ(frame->CountPanel()->text(), QStringLiteral("Записей 4 "));
    EXPECT_FALSE(frame->CountPanel()->font().bold());
    // Blanks alone are no filter.
    ApplyFilter(frame, QStringLiteral("   "), ftContaining);
    EXPECT_EQ(frame->Model()->Count(), 4);
}

TEST_F(UnitListTest, ColumnClicksSortAscendingThenDescendingKeepingTheSelection) {
    AddSamples();
    T_frmUnit* frame = OpenHost()->BookFrame();
    EXPECT_EQ(frame->SortedType(), 0);
    EXPECT_EQ(Column(frame), QStringList({"Ом", "Res", "кОм", "В"})); // load order

    frame->ListViewColumnClick(0);
    EXPECT_EQ(frame->SortedType(), 1);
    EXPECT_EQ(Column(frame), QStringList({"Res", "В", "Ом", "кОм"}));

    frame->SelectRecord(1011, 3);
    frame->ListViewColumnClick(4);
    EXPECT_EQ(frame->SortedType(), 5);
    // Factors compare as numbers: 2 before 10.
    EXPECT_EQ(Column(frame, 4), QStringList({"0,5", "1", "2", "10"}));
    frame->ListViewColumnClick(4);
    EXPECT_EQ(frame->SortedType(), -5);
    EXPECT_EQ(Column(frame, 4), QStringList({"10", "2", "1", "0,5"}));
    // After a refill the order is the same.
    frame->RefreshData();
    EXPECT_EQ(Column(frame, 4), QStringList({"10", "2", "1", "0,5"}));
    frame->ListViewColumnClick(4);
    EXPECT_EQ(frame->SortedType(), 5);
    // The selected record stays selected wherever it moved.
    EXPECT_EQ(frame->SelectedItemDBData().Id, 3u);
    EXPECT_EQ(frame->ListView()->currentIndex().row(), frame->Model()->Find({1011, 3}));

    // Clicking column 2 three times.
    frame->ListViewColumnClick(2);
    EXPECT_EQ(frame->SortedType(), 3);
    frame->ListViewColumnClick(2);
    EXPECT_EQ(frame->SortedType(), -3);
    frame->ListViewColumnClick(2);
    EXPECT_EQ(frame->SortedType(), 3);

    // A header click does the same.
    const QRect header = frame->ListView()->header()->geometry();
    QTest::mouseClick(
        frame->ListView()->header()->viewport(), Qt::LeftButton, Qt::NoModifier,
        QPoint(frame->ListView()->header()->sectionPosition(0) + 5, header.height() / 2));
    EXPECT_EQ(frame->SortedType(), 1);
    // The sort holds for a filter applied later.
    ApplyFilter(frame, QStringLiteral("о"), ftContaining);
    EXPECT_EQ(Column(frame), QStringList({"Ом", "кОм"}));
}

TEST_F(UnitListTest, CopyNameRefreshItemInfoExportAndHelp) {
    AddSamples();
    T_frmUnit* frame = OpenHost()->BookFrame();
    EXPECT_FALSE(frame->CopyName());

    frame->SelectRecord(1011, 1);
    ASSERT_TRUE(frame->CopyName());
    // The prefix and the name; the default designation is not copied.
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Ом [Ом]"));
    frame->SelectRecord(1011, 4);
    frame->MenuItem(QStringLiteral("pmiCopyName"))->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("В"));

    // Refresh reads the database again and keeps the selection.
    DB().Exec(QStringLiteral("UPDATE T_UNIT SET S_NAME = 'Вольт' WHERE ID = 4"));
    AddUnit(1011, 5, QStringLiteral("А"));
    frame->RefreshData();
    EXPECT_EQ(frame->Model()->Count(), 5);
    EXPECT_EQ(frame->SelectedItemDBData().Id, 4u);
    EXPECT_EQ(frame->ListView()->currentIndex().row(), frame->Model()->Find({1011, 4}));
    EXPECT_EQ(frame->Model()->Row(frame->Model()->Find({1011, 4})).Texts[2],
              QStringLiteral("Вольт"));
    // ... and empties it when the record has gone meanwhile.
    DB().Exec(QStringLiteral("DELETE FROM T_UNIT WHERE ID = 4"));
    frame->MenuItem(QStringLiteral("pmiRefresh"))->trigger();
    EXPECT_FALSE(frame->SelectedItemDBData().Select);
    EXPECT_EQ(frame->SelectedItemDBData().Id, 0u);
    EXPECT_FALSE(Button(frame, "Edit_ToolButton")->isEnabled());

    frame->SelectRecord(1011, 1);
    QStringList facts;
    AnswerModal<TfrmItemInfo>([&](TfrmItemInfo* ADialog) {
        facts = ADialog->InfoLines();
        ADialog->accept();
    });
    frame->MenuItem(QStringLiteral("pmiItemInfo"))->trigger();
    EXPECT_TRUE(facts.join(u'\n').contains(QStringLiteral("Ом")))
        << facts.join(u'\n').toStdString();

    int exported = -1;
    int columns = -1;
    QString fileName;
    AnswerModal<TfrmExportDataToFile>([&](TfrmExportDataToFile* ADialog) {
        exported = ADialog->ItemsCount();
        columns = ADialog->ColumnsCount();
        fileName = ADialog->FileName();
        ADialog->reject();
    });
    frame->MenuItem(QStringLiteral("pmiExportDataToFile"))->trigger();
    EXPECT_EQ(exported, 4);
    EXPECT_EQ(columns, 5);
    // Without a data-set name the file is proposed under the window's caption.
    EXPECT_EQ(fileName, QStringLiteral("Единицы измерения"));

    frame->MenuItem(QStringLiteral("pmiHelpContext"))->trigger();
    ASSERT_NE(HelpWindow(), nullptr);
    EXPECT_EQ(HelpWindow()->CurrentTopic(), QStringLiteral("RBUnit"));
    delete HelpWindow();
}

TEST_F(UnitListTest, DeleteIsRefusedForSystemAndReferencedUnitsAndClosesBoundCards) {
    AddUnit(0, 1, QStringLiteral("Ом"));
    AddUnit(1011, 2, QStringLiteral("мВ"));
    AddUnit(1011, 3, QStringLiteral("шт"));
    AddUnit(1011, 4, QStringLiteral("кг"));
    AddUnit(1011, 5, QStringLiteral("г"));
    // A stock record counts in unit 3; a base parameter uses unit 4.
    DB().Exec(QStringLiteral("INSERT INTO T_ELEMENT_AVAIL (ID, UNITCOUNTDBID, UNITCOUNTID) "
                             "VALUES (1, 1011, 3)"));
    DB().Exec(QStringLiteral("INSERT INTO T_CLASS (DBID, ID, S_NAME) VALUES (1011, 1, 'К')"));
    DB().Exec(QStringLiteral("INSERT INTO T_BASE_PARAM (DBID, ID, CLASSDBID, CLASSID, UNITDBID, "
                             "UNITID, S_NAME) VALUES (1011, 1, 1011, 1, 1011, 4, 'U')"));
    TfrmUnit* host = OpenHost();
    T_frmUnit* frame = host->BookFrame();
    const QString refused =
        QStringLiteral("Запись не может быть удалена, пока на нее ссылаются другие записи в "
                       "базе данных");

    // Del typed in the filter edit edits the text.
    frame->SelectRecord(1011, 2);
    frame->FilterEdit()->setFocus();
    QTest::keyClick(frame->FilterEdit(), Qt::Key_Delete);
    EXPECT_TRUE(Messages.isEmpty());
    EXPECT_EQ(UnitCount(), 5);

    // A system record without option BLIMod: the message and no question.
    FocusList(frame);
    frame->SelectRecord(0, 1);
    frame->Delete_ToolButtonClick();
    EXPECT_EQ(Messages, QStringList({"Системная запись не может быть удалена"}));
    // With it, the question; No keeps the record.
    ::BLIMod = true;
    Messages.clear();
    Answers = {mrNo};
    frame->Delete_ToolButtonClick();
    EXPECT_EQ(Messages, QStringList({"Удалить запись?"}));
    EXPECT_EQ(UnitCount(), 5);

    // In use by a stock record's count unit, or by a base parameter: refused.
    for (quint32 id : {3u, 4u}) {
        Messages.clear();
        Answers = {mrYes};
        frame->SelectRecord(1011, id);
        frame->Delete_ToolButtonClick();
        EXPECT_EQ(Messages, QStringList({"Удалить запись?", refused})) << id;
        EXPECT_GE(frame->Model()->Find({1011, id}), 0);
    }
    EXPECT_EQ(UnitCount(), 5);

    // Deleted through the Del key: gone from the database, the list and the view, and its
    // open card (with unsaved edits) closes without a question; another unit's card stays.
    TfrmUnitEdit* own = OpenCardUnit(1011, 2, false);
    TfrmUnitEdit* other = OpenCardUnit(1011, 5, false);
    ASSERT_TRUE(own && other);
    own->UnitName_TextEdit()->setText(QStringLiteral("правка"));
    QPointer<TfrmUnitEdit> ownGuard = own;
    Main().BringToFrontMDIChild(host);
    FocusList(frame);
    frame->SelectRecord(1011, 2);
    Messages.clear();
    Answers = {mrYes};
    QTest::keyClick(frame->ListView(), Qt::Key_Delete);
    Settle();
    EXPECT_EQ(Messages, QStringList({"Удалить запись?"}));
    EXPECT_EQ(UnitCount(), 4);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_UNIT WHERE ID = 2")).toInt(), 0);
    EXPECT_EQ(frame->Model()->Find({1011, 2}), -1);
    EXPECT_EQ(frame->UnitList()->ExistsItemByPKey(1011, 2), false);
    EXPECT_EQ(frame->CountPanel()->text(), QStringLiteral("Записей 4 "));
    EXPECT_FALSE(frame->SelectedItemDBData().Select);
    EXPECT_TRUE(ownGuard.isNull());
    EXPECT_EQ(Cards(), std::vector<TfrmUnitEdit*>({other}));
    // The rows left are still found by key.
    EXPECT_EQ(frame->Model()->Row(frame->Model()->Find({1011, 5})).Texts[0], QStringLiteral("г"));
}

TEST_F(UnitListTest, CardsReportChangesToOpenLists) {
    AddUnit(1011, 1, QStringLiteral("Ом"), QStringLiteral("Ом"));
    AddUnit(1011, 2, QStringLiteral("В"));
    T_frmUnit* first = OpenHost()->BookFrame();
    T_frmUnit* second = OpenHost()->BookFrame();
    ApplyFilter(second, QStringLiteral("Ом"), ftContaining);
    ASSERT_EQ(second->Model()->Count(), 1);

    // A changed record keeps its row in both, even where it no longer passes the filter.
    TfrmUnitEdit* card = OpenCardUnit(1011, 1, false);
    ASSERT_NE(card, nullptr);
    card->UnitPrefix_TextEdit()->setText(QStringLiteral("мОм"));
    card->UnitName_TextEdit()->setText(QStringLiteral("миллиом"));
    ASSERT_TRUE(card->SaveItem());
    for (T_frmUnit* frame : {first, second}) {
        const int row = frame->Model()->Find({1011, 1});
        ASSERT_GE(row, 0);
        EXPECT_EQ(frame->Model()->Row(row).Texts[0], QStringLiteral("мОм"));
        EXPECT_EQ(frame->Model()->Row(row).Texts[2], QStringLiteral("миллиом"));
    }

    // A new record: a row at the end where it passes the filter; elsewhere only the record.
    TfrmUnitEdit* fresh = OpenCardUnit(0, 0, false);
    ASSERT_NE(fresh, nullptr);
    fresh->UnitPrefix_TextEdit()->setText(QStringLiteral("А"));
    ASSERT_TRUE(fresh->SaveItem());
    EXPECT_EQ(Column(first), QStringList({"мОм", "В", "А"}));
    EXPECT_EQ(first->CountPanel()->text(), QStringLiteral("Записей 3 "));
    EXPECT_EQ(second->Model()->Count(), 1);
    EXPECT_TRUE(second->UnitList()->ExistsItemByPKey(1011, fresh->Id()));
    EXPECT_EQ(second->CountPanel()->text(), QStringLiteral("[\"ОМ\"] Записей 1 "));

    // A report for a record that is not there, and a key with ID 0, change nothing.
    first->ExternalUpdateItemListByPKey(1011, 77, iatChange);
    first->ExternalUpdateItemListByPKey(1011, 0, iatDelete);
    EXPECT_EQ(first->Model()->Count(), 3);
    // A deletion removes the row and the record.
    first->ExternalUpdateItemListByPKey(1011, 2, iatDelete);
    EXPECT_EQ(Column(first), QStringList({"мОм", "А"}));
    EXPECT_FALSE(first->UnitList()->ExistsItemByPKey(1011, 2));
    EXPECT_EQ(first->CountPanel()->text(), QStringLiteral("Записей 2 "));
}

TEST_F(UnitListTest, EnterOpensTheCardOnceAndCtrlEnterClosesTheWindow) {
    AddUnit(1011, 1, QStringLiteral("Ом"));
    TfrmUnit* host = OpenHost();
    T_frmUnit* frame = host->BookFrame();
    FocusList(frame);
    frame->SelectRecord(1011, 1);
    QTest::keyClick(frame->ListView(), Qt::Key_Return);
    ASSERT_EQ(Cards().size(), 1u);
    // Opening again brings the open card to the front instead of a second one.
    Main().BringToFrontMDIChild(host);
    frame->Edit_ToolButtonClick();
    EXPECT_EQ(Cards().size(), 1u);
    EXPECT_EQ(Main().MDIArea()->activeSubWindow(), Cards()[0]->SubWindow());

    // Ctrl+Enter on the list: the card opens and the list window closes.
    Cards()[0]->ForciblyCloseItem();
    Settle();
    Main().BringToFrontMDIChild(host);
    FocusList(frame);
    QPointer<TfrmUnit> guard = host;
    QTest::keyClick(frame->ListView(), Qt::Key_Return, Qt::ControlModifier);
    Settle();
    EXPECT_TRUE(guard.isNull());
    EXPECT_EQ(Cards().size(), 1u);
    EXPECT_TRUE(Main().FindMDIChildren<TfrmUnit>().empty());
}
