// The projects: the write-off of a project's stock, the project list in its two modes with its
// picker, the project card, the project items with their list and card, and the stock
// operations of the stock list (the quick count change, the bulk move of empty records and
// adding a record to a project).

#include "tests/catalogue/CatalogueTestSupport.h"

#include "platform/sys/SysUtils.h"
#include "shell/KVButtonEdit.h"
#include "shell/KVOpeners.h"
#include "shell/frmOkCancel.h"
#include "stock/KVProjectWriteOff.h"
#include "stock/KVStock.h"
#include "stock/KVStockOperations.h"
#include "stock/frmChangeCount.h"
#include "stock/frmElementAvail.h"
#include "stock/frmProject.h"
#include "stock/frmProjectEdit.h"
#include "stock/frmProjectItem.h"
#include "stock/frmProjectItemEdit.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {

class ProjectTest : public TCatalogueTest {
protected:
    void SetUp() override {
        TCatalogueTest::SetUp();
        RegisterStockWindows();
        FSavedOptions = {::WriteOffAvailItemsInProject, ::MoveEmptyAvailToSpecStorage};
    }
    void TearDown() override {
        TKVProjectWriteOff::SetFaultHook(nullptr);
        std::tie(::WriteOffAvailItemsInProject, ::MoveEmptyAvailToSpecStorage) = FSavedOptions;
        if (dmMain)
            dmMain->SetStorageForEmpty(0, QString());
        TCatalogueTest::TearDown();
    }

    void AddStorage(quint32 AId, const QString& AName) {
        Exec(QStringLiteral("INSERT INTO T_STORAGE (ID, S_NAME, V_FLAG) VALUES (%1, %2, 0)"),
             {AId, AName});
    }
    // A stock record of element type ATypeId (0: the free name AName) in place AStorageId.
    void AddAvail(quint32 AId, quint32 ATypeId, const QString& AName, quint32 AStorageId,
                  double ACount) {
        Exec(QStringLiteral("INSERT INTO T_ELEMENT_AVAIL (ID, ELEMENTTYPEDBID, ELEMENTTYPEID, "
                            "S_TYPENAME, STORAGEID, V_COUNT_FLOAT, UNITCOUNTDBID, UNITCOUNTID, "
                            "V_FLAG, C_TIMESTAMP) VALUES (%1, %2, %3, %4, %5, %6, 1011, 1, 0, "
                            "'2024-01-10 10:00:00')"),
             {AId, ATypeId ? QVariant(1011) : Null(), ATypeId ? QVariant(ATypeId) : Null(),
              ATypeId ? Null() : QVariant(AName), AStorageId, ACount});
    }
    void AddProject(quint32 AId, const QString& AName, int AComplete, int AScheduled,
                    bool AInWork, const QString& ADescription = QString()) {
        Exec(QStringLiteral("INSERT INTO T_PROJECT (ID, S_NAME, S_DESCRIPTION, "
                            "V_COUNTDEV_SCHEDULED, V_COUNTDEV_COMPLETE, F_PROGRESS, V_FLAG) "
                            "VALUES (%1, %2, %3, %4, %5, %6, 0)"),
             {AId, AName, ADescription.isEmpty() ? Null() : QVariant(ADescription), AScheduled,
              AComplete, AInWork ? QVariant(1) : Null()});
    }
    void AddItem(quint32 AId, quint32 AProjectId, quint32 AAvailId, double ACount,
                 quint32 ATypeId = 0) {
        Exec(QStringLiteral("INSERT INTO T_PROJECT_ITEM (ID, PROJECTID, ELEMENTTYPEDBID, "
                            "ELEMENTTYPEID, ELEMENTAVAILID, V_COUNT_FLOAT, V_FLAG) VALUES (%1, "
                            "%2, %3, %4, %5, %6, 0)"),
             {AId, AProjectId, ATypeId ? QVariant(1011) : Null(),
              ATypeId ? QVariant(ATypeId) : Null(), AAvailId ? QVariant(AAvailId) : Null(),
              ACount});
    }

    // New projects, items and stock records get IDs from 1001 on.
    // A unit "шт" (1), a class with two types, two places and three stock records: A (R-10,
    // 100), B (R-100, 2) and C (a free name, 50); project 1 in work with 2 of 10 devices done
    // and items on A (1.5 and 0.5) and B (3); project 2 archived with an item on C.
    void AddProjects() {
        DB().Exec(QStringLiteral("ALTER SEQUENCE GEN_T_ELEMENT_AVAIL_ID RESTART WITH 1000"));
        DB().Exec(QStringLiteral("ALTER SEQUENCE GEN_T_PROJECT_ID RESTART WITH 1000"));
        DB().Exec(QStringLiteral("ALTER SEQUENCE GEN_T_PROJECT_ITEM_ID RESTART WITH 1000"));
        AddUnit(1011, 1, QStringLiteral("шт"));
        AddClass(1, QStringLiteral("Резисторы"), 3);
        AddCase(1, QStringLiteral("0805"));
        AddType(1, 1, QStringLiteral("R-10"), QString(), 1);
        AddType(2, 1, QStringLiteral("R-100"), QString(), 1);
        AddStorage(1, QStringLiteral("Шкаф"));
        AddStorage(9, QStringLiteral("Пустые"));
        AddAvail(1, 1, {}, 1, 100);
        AddAvail(2, 2, {}, 1, 2);
        AddAvail(3, 0, QStringLiteral("Самодельный"), 1, 50);
        AddProject(1, QStringLiteral("Усилитель"), 2, 10, true,
                   QStringLiteral("Первая строка\r\nвторая"));
        AddProject(2, QStringLiteral("Старый"), 1, 1, false);
        AddItem(1, 1, 1, 1.5, 1);
        AddItem(2, 1, 1, 0.5, 1);
        AddItem(3, 1, 2, 3, 2);
        AddItem(4, 2, 3, 4);
    }

    double Count(quint32 AAvailId) {
        return Scalar(QStringLiteral("SELECT V_COUNT_FLOAT FROM T_ELEMENT_AVAIL WHERE ID = %1")
                          .arg(AAvailId))
            .toDouble();
    }
    std::vector<double> Counts() { return {Count(1), Count(2), Count(3)}; }

    // Opens the card of project AId, sets its completed count and saves.
    bool SaveCompleted(TfrmProjectEdit* ACard, int ACount) {
        ACard->ProjectDeviceCompleteCount_SpinEdit()->setValue(ACount);
        return ACard->SaveItem();
    }

    template <class TDialog> static void Pick(quint32 AId) {
        AnswerModal<TDialog>([=](TDialog* ADialog) {
            ADialog->BookFrame()->SelectRecord(0, AId);
            ADialog->ButtonPanel()->OkBtn()->click();
        });
    }
    static void AnswerCount(const QString& AText) {
        AnswerModal<TfrmChangeCount>([=](TfrmChangeCount* ADialog) {
            ADialog->CountValue_SpinEdit()->setText(AText);
            ADialog->done(mrOk);
        });
    }

    std::tuple<int, int> FSavedOptions;
};

} // namespace

// ------------------------------------------------------------------------------ write-off

TEST_F(ProjectTest, WriteOffFollowsTheOption) {
    AddProjects();
    DB();
    const struct {
        int Option;
        std::optional<int> Answer; // the question's answer, when asked
        std::vector<double> After;
    } cases[] = {{0, std::nullopt, {100, 2, 50}},
                 {1, mrNo, {100, 2, 50}},
                 // 3 new devices: A loses (1.5 + 0.5) × 3, B 3 × 3 and goes below 0.
                 {1, mrYes, {94, -7, 50}},
                 {2, std::nullopt, {94, -7, 50}}};
    for (const auto& c : cases) {
        DB().Exec(QStringLiteral("UPDATE T_ELEMENT_AVAIL SET V_COUNT_FLOAT = 100 WHERE ID = 1"));
        DB().Exec(QStringLiteral("UPDATE T_ELEMENT_AVAIL SET V_COUNT_FLOAT = 2 WHERE ID = 2"));
        DB().Exec(QStringLiteral("UPDATE T_PROJECT SET V_COUNTDEV_COMPLETE = 2 WHERE ID = 1"));
        ::WriteOffAvailItemsInProject = c.Option;
        Messages.clear();
        if (c.Answer)
            Answers.push_back(*c.Answer);
        TfrmProjectEdit* card = OpenCardProject(1, false);
        ASSERT_NE(card, nullptr);
        ASSERT_TRUE(SaveCompleted(card, 5)) << c.Option;
        if (c.Answer)
            EXPECT_EQ(Messages, QStringList({"Добавлено новых устройств: 3. Произвести списание "
                                             "элементов из наличия?"}));
        else
            EXPECT_TRUE(Messages.isEmpty()) << c.Option;
        EXPECT_EQ(Counts(), c.After) << c.Option;
        EXPECT_EQ(card->OldDeviceCompleteCount(), 5);
        // Saving again without a change asks nothing and writes nothing off.
        Messages.clear();
        const std::vector<double> before = Counts();
        ASSERT_TRUE(card->SaveItem());
        EXPECT_TRUE(Messages.isEmpty());
        EXPECT_EQ(Counts(), before);
        card->ForciblyCloseItem();
        Settle();
    }

    // Lowering the count writes nothing back; raising it again writes off the new increase only.
    ::WriteOffAvailItemsInProject = 2;
    TfrmProjectEdit* card = OpenCardProject(1, false);
    ASSERT_TRUE(SaveCompleted(card, 4));
    EXPECT_EQ(Count(1), 94);
    ASSERT_TRUE(SaveCompleted(card, 5));
    EXPECT_EQ(Count(1), 92);
    EXPECT_EQ(Count(2), -10);

    // An archived project, or one without stock items, never writes off.
    TfrmProjectEdit* archived = OpenCardProject(2, false);
    ASSERT_TRUE(SaveCompleted(archived, 9));
    EXPECT_EQ(Count(3), 50);
    card->ProjectProgress_ComboBox()->setCurrentIndex(1);
    ASSERT_TRUE(SaveCompleted(card, 8));
    EXPECT_EQ(Count(1), 92);
}

TEST_F(ProjectTest, AFailedWriteOffChangesNoCountAndAsksAgain) {
    AddProjects();
    DB();
    ::WriteOffAvailItemsInProject = 1;
    // The second stock record's UPDATE fails after the first was written.
    int updates = 0;
    TKVProjectWriteOff::SetFaultHook([&](quint32) {
        if (++updates == 2)
            throw Exception(QStringLiteral("сбой записи"));
    });
    TfrmProjectEdit* card = OpenCardProject(1, false);
    Answers.push_back(mrYes);
    ASSERT_TRUE(SaveCompleted(card, 3));
    EXPECT_EQ(updates, 2);
    EXPECT_EQ(Counts(), std::vector<double>({100, 2, 50}));
    ASSERT_EQ(FUI.Errors.size(), 1u);
    EXPECT_EQ(FUI.Errors[0].Text, QStringLiteral("сбой записи"));
    // The project itself is saved; the increase is still to be written off.
    EXPECT_EQ(Scalar(QStringLiteral("SELECT V_COUNTDEV_COMPLETE FROM T_PROJECT WHERE ID = 1"))
                  .toInt(),
              3);
    EXPECT_EQ(card->OldDeviceCompleteCount(), 2);

    TKVProjectWriteOff::SetFaultHook(nullptr);
    Messages.clear();
    Answers.push_back(mrYes);
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(Messages, QStringList({"Добавлено новых устройств: 1. Произвести списание "
                                     "элементов из наличия?"}));
    EXPECT_EQ(Counts(), std::vector<double>({98, -1, 50}));
    EXPECT_EQ(card->OldDeviceCompleteCount(), 3);

    // A save that fails writes nothing off.
    DB().Exec(QStringLiteral("DELETE FROM T_PROJECT_ITEM WHERE PROJECTID = 1"));
    DB().Exec(QStringLiteral("DELETE FROM T_PROJECT WHERE ID = 1"));
    Messages.clear();
    EXPECT_FALSE(SaveCompleted(card, 9));
    EXPECT_EQ(Counts(), std::vector<double>({98, -1, 50}));
    EXPECT_EQ(card->OldDeviceCompleteCount(), 3);
}

// -------------------------------------------------------------------------- project list

TEST_F(ProjectTest, ListsShowTheProjectsOfTheirModeAndFollowTheCard) {
    AddProjects();
    DB();
    TfrmProject* inWork = OpenRBProject(psdmInProgress);
    TfrmProject* archive = OpenRBProject(psdmArchive);
    ASSERT_TRUE(inWork && archive);
    EXPECT_EQ(inWork->windowTitle(), QStringLiteral("Проекты в работе"));
    EXPECT_EQ(archive->windowTitle(), QStringLiteral("Архив проектов"));
    const TKVListFrame* frame = inWork->BookFrame();
    ASSERT_EQ(frame->Model()->Count(), 1);
    EXPECT_EQ(frame->Model()->Row(0).Texts,
              QStringList({"Усилитель", "Первая строка...", "2 / 10", "", "", ""}));
    EXPECT_EQ(Column(archive->BookFrame()), QStringList({"Старый"}));

    // Archived in its card: the project leaves one list and enters the other.
    TfrmProjectEdit* card = OpenCardProject(1, false);
    card->ProjectProgress_ComboBox()->setCurrentIndex(1);
    card->ProjectBegin_DateEdit()->setDate(QDate(2024, 2, 1));
    card->ProjectEnd_DateEdit()->setDate(QDate(2024, 3, 1));
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(frame->Model()->Count(), 0);
    EXPECT_EQ(Column(archive->BookFrame()), QStringList({"Старый", "Усилитель"}));
    EXPECT_EQ(Column(archive->BookFrame(), 4)[1],
              QLocale().toString(QDate(2024, 2, 1), QLocale::ShortFormat));
    EXPECT_TRUE(Scalar(QStringLiteral("SELECT F_PROGRESS FROM T_PROJECT WHERE ID = 1")).isNull());

    // The main window's commands bring the open list of the mode to the front.
    Main().OpenReferenceBook_Projects(psdmArchive);
    EXPECT_EQ(Main().FindMDIChildren<TfrmProject>().size(), 2u);

    // A project with items is never deleted.
    archive->BookFrame()->SelectRecord(0, 2);
    FocusList(archive->BookFrame());
    Messages.clear();
    Answers = {mrYes};
    archive->BookFrame()->Delete_ToolButtonClick();
    EXPECT_EQ(Messages, QStringList({"Удалить запись?", "Запись не может быть удалена, пока на "
                                                        "нее ссылаются другие записи в базе "
                                                        "данных"}));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_PROJECT")).toInt(), 2);

    // Deleting one without items closes its card and its item list.
    DB().Exec(QStringLiteral("DELETE FROM T_PROJECT_ITEM WHERE PROJECTID = 2"));
    ShowProjectItems(2);
    OpenCardProject(2, false);
    ASSERT_EQ(Main().FindMDIChildren<TfrmProjectItem>().size(), 1u);
    archive->BookFrame()->SelectRecord(0, 2);
    FocusList(archive->BookFrame());
    Answers = {mrYes};
    archive->BookFrame()->Delete_ToolButtonClick();
    Settle();
    EXPECT_EQ(Main().FindMDIChildren<TfrmProjectItem>().size(), 0u);
    EXPECT_EQ(Main().FindMDIChildren<TfrmProjectEdit>().size(), 1u); // project 1's
}

TEST_F(ProjectTest, MainWindowCommandsOpenOneListPerMode) {
    AddProjects();
    DB();
    const struct {
        const char* Command;
        TKVProjectListSelectDataMode Mode;
        const char* Title;
        size_t Windows;
    } steps[] = {{"mmiRB_ProjectInProgress", psdmInProgress, "Проекты в работе", 1},
                 {"pmiProjectArchive", psdmArchive, "Архив проектов", 2},
                 {"mmiRB_ProjectArchive", psdmArchive, "Архив проектов", 2},
                 {"pmiProjectInProgress", psdmInProgress, "Проекты в работе", 2}};
    for (const auto& step : steps) {
        QAction* command = Main().findChild<QAction*>(QLatin1String(step.Command));
        ASSERT_NE(command, nullptr) << step.Command;
        EXPECT_TRUE(command->isEnabled()) << step.Command;
        command->trigger();
        Settle();
        const auto windows = Main().FindMDIChildren<TfrmProject>();
        ASSERT_EQ(windows.size(), step.Windows) << step.Command;
        QMdiSubWindow* sub = Main().MDIArea()->activeSubWindow();
        ASSERT_NE(sub, nullptr) << step.Command;
        const auto* active = qobject_cast<TfrmProject*>(sub->widget());
        ASSERT_NE(active, nullptr) << step.Command;
        EXPECT_EQ(active->BookFrame()->ListSelectDataMode(), step.Mode) << step.Command;
        EXPECT_EQ(active->windowTitle(), QString::fromUtf8(step.Title));
    }
}

TEST_F(ProjectTest, ItemImportCommandOpensTheDialogOfTheSelectedProject) {
    AddProjects();
    DB();
    TfrmProject* host = OpenRBProject(psdmInProgress);
    ASSERT_NE(host, nullptr);
    T_frmProject* frame = host->BookFrame();
    QAction* import = frame->MenuItem(QStringLiteral("pmiImportItems"));
    ASSERT_NE(import, nullptr);
    EXPECT_EQ(import->text(), QStringLiteral("И&мпорт состава проекта..."));

    // Offered only while the dialog's library registered it.
    TKVOpener<TShowImportProjectItemDlg>::Register({});
    frame->SelectRecord(0, 1);
    EXPECT_FALSE(import->isEnabled());
    std::vector<quint32> opened;
    TKVOpener<TShowImportProjectItemDlg>::Register(
        [&](quint32 AProjectId) { opened.push_back(AProjectId); });
    frame->RefreshData();
    ASSERT_TRUE(import->isEnabled());
    import->trigger();
    EXPECT_EQ(opened, std::vector<quint32>{1});

    // Not on a read-only database.
    ::ReadOnly = true;
    frame->RefreshData();
    EXPECT_FALSE(import->isEnabled());
    ::ReadOnly = false;
    TKVOpener<TShowImportProjectItemDlg>::Register({});
}

TEST_F(ProjectTest, PickerListsOnlyProjectsInWork) {
    AddProjects();
    DB();
    int shown = 0;
    AnswerModal<TfrmSelectProject>([&](TfrmSelectProject* ADialog) {
        EXPECT_EQ(ADialog->windowTitle(), QStringLiteral("Выбор проекта"));
        shown = ADialog->BookFrame()->Model()->Count();
        ADialog->BookFrame()->SelectRecord(0, 1);
        ADialog->ButtonPanel()->OkBtn()->click();
    });
    TKVSelectedLocalItemDBData selected;
    SelectProject(0, selected);
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(selected.Select);
    EXPECT_EQ(selected.Id, 1u);
}

// --------------------------------------------------------------------------- project card

TEST_F(ProjectTest, CardCreatesProjectsAndRefusesBadInput) {
    AddProjects();
    DB();
    TfrmProjectEdit* card = OpenCardProject(0, false);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->windowTitle(), QStringLiteral("New Project"));
    EXPECT_EQ(card->ProjectName_TextEdit()->selectedText(), QStringLiteral("New Project"));
    EXPECT_EQ(card->ProjectDeviceScheduledCount_SpinEdit()->value(), 1);
    EXPECT_EQ(card->ProjectDeviceCompleteCount_SpinEdit()->value(), 0);
    EXPECT_EQ(card->ProjectProgress_ComboBox()->currentText(), QStringLiteral("В работе"));
    EXPECT_EQ(card->ProjectIcon_ImageComboBox()->currentIndex(), -1);

    // Bad input: the card says what is wrong (or moves the focus) and writes nothing.
    card->ProjectName_TextEdit()->setText(QStringLiteral("Новый"));
    card->ProjectDeviceScheduledCount_SpinEdit()->setValue(0);
    EXPECT_FALSE(card->SaveItem());
    card->ProjectDeviceScheduledCount_SpinEdit()->setValue(3);
    card->ProjectBegin_DateEdit()->setDate(QDate(2024, 5, 1));
    Messages.clear();
    EXPECT_FALSE(card->SaveItem());
    EXPECT_EQ(Messages, QStringList({"Укажите обе даты реализации проекта или ни одной"}));
    card->ProjectEnd_DateEdit()->setDate(QDate(2024, 4, 1));
    Messages.clear();
    EXPECT_FALSE(card->SaveItem());
    EXPECT_EQ(Messages, QStringList({"Дата начала проекта позже даты его завершения"}));
    card->ProjectEnd_DateEdit()->setDate(QDate(2024, 6, 1));
    card->ProjectDesc_Memo()->setPlainText(QString(2048, QLatin1Char('x')));
    Messages.clear();
    EXPECT_FALSE(card->SaveItem());
    EXPECT_EQ(Messages.size(), 1);
    card->ProjectDesc_Memo()->setPlainText(QStringLiteral("Описание\nв две строки"));
    card->ProjectCategory_MRUEdit()->setText(QStringLiteral("Категория ✓"));
    Messages.clear();
    EXPECT_FALSE(card->SaveItem());
    EXPECT_EQ(Messages.size(), 1);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_PROJECT")).toInt(), 2);
    EXPECT_EQ(card->ProjectName_TextEdit()->text(), QStringLiteral("Новый"));

    card->ProjectCategory_MRUEdit()->setText(QStringLiteral("Аудио"));
    card->ProjectIcon_ImageComboBox()->setCurrentIndex(
        card->ProjectIcon_ImageComboBox()->count() > 1 ? 1 : -1);
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(card->Id(), 1001u);
    EXPECT_EQ(card->windowTitle(), QStringLiteral("Новый"));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT S_CATEGORY FROM T_PROJECT WHERE ID = 1001")),
              QVariant(QStringLiteral("Аудио")));
    EXPECT_FALSE(Scalar(QStringLiteral("SELECT D_END FROM T_PROJECT WHERE ID = 1001")).isNull());

    // Del empties a date; with one date left the save is refused.
    QTest::keyClick(card->ProjectBegin_DateEdit(), Qt::Key_Delete);
    EXPECT_TRUE(TfrmProjectEdit::DateEmpty(card->ProjectBegin_DateEdit()));
    Messages.clear();
    EXPECT_FALSE(card->SaveItem());
    QTest::keyClick(card->ProjectEnd_DateEdit(), Qt::Key_Delete);
    ASSERT_TRUE(card->SaveItem());
    EXPECT_TRUE(Scalar(QStringLiteral("SELECT D_BEGIN FROM T_PROJECT WHERE ID = 1001")).isNull());

    // A copy takes the stored values of its source and is new.
    TfrmProjectEdit* copy = OpenCardProject(1, true);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Id(), 0u);
    EXPECT_EQ(copy->ProjectName_TextEdit()->text(), QStringLiteral("Усилитель"));
    EXPECT_EQ(copy->ProjectDeviceScheduledCount_SpinEdit()->value(), 10);
    EXPECT_FALSE(Button(copy, "Copy_ToolButton")->isEnabled());
    EXPECT_FALSE(Button(copy, "ItemInfo_ToolButton")->isEnabled());
}

// ------------------------------------------------------------------------- project items

TEST_F(ProjectTest, ItemListShowsTheStockAndRefusesChangesToAnArchive) {
    AddProjects();
    DB();
    ShowProjectItems(1);
    ShowProjectItems(1);
    ASSERT_EQ(Main().FindMDIChildren<TfrmProjectItem>().size(), 1u);
    TfrmProjectItem* items = Main().FindMDIChildren<TfrmProjectItem>()[0];
    EXPECT_EQ(items->windowTitle(), QStringLiteral("Усилитель - Состав проекта"));
    T_frmProjectItem* frame = items->BookFrame();
    EXPECT_EQ(Column(frame), QStringList({"R-10", "R-10", "R-100"}));
    EXPECT_EQ(frame->Model()->Row(0).Texts,
              QStringList({"R-10", "0805", FloatToStrKV(1.5), "100", "шт", "", "", ""}));
    EXPECT_TRUE(Button(frame, "Add_ToolButton")->isEnabled());

    // The archived project: its items are shown, but Add and Copy are refused.
    ShowProjectItems(2);
    T_frmProjectItem* archived = Main().FindMDIChildren<TfrmProjectItem>()[1]->BookFrame();
    EXPECT_EQ(Column(archived), QStringList({"Самодельный"}));
    EXPECT_FALSE(Button(archived, "Add_ToolButton")->isEnabled());
    archived->SelectRecord(0, 4);
    EXPECT_FALSE(Button(archived, "Copy_ToolButton")->isEnabled());
    Messages.clear();
    archived->NewItem();
    archived->CopyItem();
    EXPECT_EQ(Messages, QStringList({"Внесение изменений в архивный проект невозможно.",
                                     "Внесение изменений в архивный проект невозможно."}));
    EXPECT_TRUE(Main().FindMDIChildren<TfrmProjectItemEdit>().empty());

    // Archived while its list is open: Add (still enabled) is refused too.
    DB().Exec(QStringLiteral("UPDATE T_PROJECT SET F_PROGRESS = NULL WHERE ID = 1"));
    Messages.clear();
    frame->NewItem();
    EXPECT_EQ(Messages, QStringList({"Внесение изменений в архивный проект невозможно."}));
    EXPECT_TRUE(Main().FindMDIChildren<TfrmProjectItemEdit>().empty());

    // Items of an archived project open read-only and can be deleted.
    frame->SelectRecord(0, 3);
    frame->OpenItem();
    ASSERT_EQ(Main().FindMDIChildren<TfrmProjectItemEdit>().size(), 1u);
    TfrmProjectItemEdit* card = Main().FindMDIChildren<TfrmProjectItemEdit>()[0];
    EXPECT_TRUE(card->ReadOnly());
    EXPECT_TRUE(card->windowTitle().endsWith(QStringLiteral(" (только просмотр)")));
    EXPECT_FALSE(Button(card, "Save_ToolButton")->isEnabled());
    EXPECT_FALSE(Button(card, "Copy_ToolButton")->isEnabled());
    card->LinkClear(card->ProjectItemAvail_ButtonEdit());
    EXPECT_EQ(card->ElementAvailId(), 2u);
    EXPECT_FALSE(card->SaveItem());
    FocusList(frame);
    Answers = {mrYes};
    frame->Delete_ToolButtonClick();
    Settle();
    EXPECT_EQ(Column(frame), QStringList({"R-10", "R-10"}));
    EXPECT_TRUE(Main().FindMDIChildren<TfrmProjectItemEdit>().empty());
}

TEST_F(ProjectTest, AFailedItemDeleteSaysTheRecordWasNotDeleted) {
    AddProjects();
    DB().Exec(QStringLiteral("CREATE EXCEPTION E_KEEP_ITEMS 'Состав проекта защищён'"));
    DB().Exec(QStringLiteral("CREATE TRIGGER T_PROJECT_ITEM_KEEP FOR T_PROJECT_ITEM BEFORE DELETE "
                             "AS BEGIN EXCEPTION E_KEEP_ITEMS; END"));
    DB();
    ShowProjectItems(1);
    ASSERT_EQ(Main().FindMDIChildren<TfrmProjectItem>().size(), 1u);
    T_frmProjectItem* frame = Main().FindMDIChildren<TfrmProjectItem>()[0]->BookFrame();
    frame->SelectRecord(0, 3);
    FocusList(frame);
    Messages.clear();
    Answers = {mrYes};
    frame->Delete_ToolButtonClick();
    ASSERT_FALSE(Messages.isEmpty());
    EXPECT_EQ(Messages.front(), QStringLiteral("Удалить запись?"));
    EXPECT_EQ(Messages.back(), QStringLiteral("Запись не была удалена"));
    EXPECT_EQ(Column(frame), QStringList({"R-10", "R-10", "R-100"}));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_PROJECT_ITEM")).toInt(), 4);
}

TEST_F(ProjectTest, ItemCardTakesTheStockRecordsTypeAndChecksTheProject) {
    AddProjects();
    DB();
    ShowProjectItems(1);
    T_frmProjectItem* frame = Main().FindMDIChildren<TfrmProjectItem>()[0]->BookFrame();
    frame->NewItem();
    ASSERT_EQ(Main().FindMDIChildren<TfrmProjectItemEdit>().size(), 1u);
    TfrmProjectItemEdit* card = Main().FindMDIChildren<TfrmProjectItemEdit>()[0];
    EXPECT_EQ(card->windowTitle(), QStringLiteral("New Project Item"));
    EXPECT_EQ(card->ProjectItemProject_TextEdit()->text(), QStringLiteral("Усилитель"));
    EXPECT_EQ(card->ProjectItemCount_SpinEdit()->text(), QStringLiteral("1"));

    // Nothing chosen: the class is asked for.
    EXPECT_FALSE(card->SaveItem());
    // The free-named stock record: no class, no type, its own name.
    Pick<TfrmSelectElementAvail>(3);
    card->LinkButtonClick(card->ProjectItemAvail_ButtonEdit());
    EXPECT_EQ(card->ElementAvailId(), 3u);
    EXPECT_EQ(card->ElementTypeId(), 0u);
    EXPECT_EQ(card->ProjectItemAvail_ButtonEdit()->text(), QStringLiteral("Самодельный"));
    EXPECT_EQ(card->ProjectItemInfo_Label()->text(), QStringLiteral("В наличии 50 шт"));
    // A negative count goes back to 0; a count of 0 is saved.
    card->ProjectItemCount_SpinEdit()->setText(QStringLiteral("-2"));
    EXPECT_EQ(card->ProjectItemCount_SpinEdit()->text(), QStringLiteral("0"));
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(card->Id(), 1001u);
    EXPECT_EQ(Column(frame), QStringList({"R-10", "R-10", "R-100", "Самодельный"}));

    // A stock record of a type: the item takes its class and type; another class drops both.
    Pick<TfrmSelectElementAvail>(2);
    card->LinkButtonClick(card->ProjectItemAvail_ButtonEdit());
    EXPECT_EQ(card->ElementTypeId(), 2u);
    EXPECT_EQ(card->ProjectItemClass_ButtonEdit()->text(), QStringLiteral("Резисторы"));
    EXPECT_EQ(card->ProjectItemElementType_ButtonEdit()->text(), QStringLiteral("R-100"));
    card->LinkClear(card->ProjectItemElementType_ButtonEdit());
    EXPECT_EQ(card->ElementAvailId(), 0u);
    EXPECT_EQ(card->ProjectItemAvail_ButtonEdit()->text(), QString());
    // A class without a type is refused with the focus on the type.
    EXPECT_FALSE(card->SaveItem());

    // The project archived meanwhile: save and copy are refused.
    DB().Exec(QStringLiteral("UPDATE T_PROJECT SET F_PROGRESS = NULL WHERE ID = 1"));
    Pick<TfrmSelectElementAvail>(1);
    card->LinkButtonClick(card->ProjectItemAvail_ButtonEdit());
    Messages.clear();
    EXPECT_FALSE(card->SaveItem());
    card->Copy_ToolButtonClick();
    EXPECT_EQ(Messages, QStringList({"Внесение изменений в архивный проект невозможно.",
                                     "Внесение изменений в архивный проект невозможно."}));
    EXPECT_EQ(Main().FindMDIChildren<TfrmProjectItemEdit>().size(), 1u);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT ELEMENTAVAILID FROM T_PROJECT_ITEM WHERE ID = 1001"))
                  .toInt(),
              3);
}

// ------------------------------------------------------------------------ stock operations

TEST_F(ProjectTest, AddingAStockRecordToAProjectMergesWithItsItem) {
    AddProjects();
    DB();
    TfrmElementAvail* stock = OpenRBElementAvail();
    T_frmElementAvail* frame = stock->BookFrame();
    frame->SelectRecord(0, 3);
    // Twice into project 1: the second time merges after the question.
    for (int i = 0; i < 2; ++i) {
        Pick<TfrmSelectProject>(1);
        AnswerCount(QStringLiteral("2"));
        if (i == 1)
            Answers.push_back(mrYes);
        Messages.clear();
        frame->AddToProject();
    }
    EXPECT_EQ(Messages, QStringList({"Такие элементы уже есть в проекте. Добавить еще 2 шт?"}));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_PROJECT_ITEM WHERE PROJECTID = 1 "
                                    "AND ELEMENTAVAILID = 3"))
                  .toInt(),
              1);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT V_COUNT_FLOAT FROM T_PROJECT_ITEM WHERE PROJECTID = "
                                    "1 AND ELEMENTAVAILID = 3"))
                  .toDouble(),
              4);
    // The free-named record's item has no element type.
    EXPECT_TRUE(Scalar(QStringLiteral("SELECT ELEMENTTYPEID FROM T_PROJECT_ITEM WHERE "
                                      "PROJECTID = 1 AND ELEMENTAVAILID = 3"))
                    .isNull());
    // The reserved count shows it at once: 4 for each of the 10 planned devices, and the
    // archived project's 4 for its one device.
    EXPECT_EQ(frame->Model()->Row(frame->Model()->Find({0, 3})).Texts.value(6),
              QStringLiteral("44"));

    // Answered No, or a quantity not above 0: nothing changes.
    Pick<TfrmSelectProject>(1);
    AnswerCount(QStringLiteral("5"));
    Answers.push_back(mrNo);
    frame->AddToProject();
    Pick<TfrmSelectProject>(1);
    AnswerCount(QStringLiteral("0"));
    Messages.clear();
    frame->AddToProject();
    EXPECT_EQ(Messages, QStringList({"Недопустимая операция"}));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT V_COUNT_FLOAT FROM T_PROJECT_ITEM WHERE PROJECTID = "
                                    "1 AND ELEMENTAVAILID = 3"))
                  .toDouble(),
              4);
}

TEST_F(ProjectTest, QuickCountChangeMovesAnEmptiedRecordAsTheOptionSays) {
    AddProjects();
    DB();
    ::LocalConfig = true;
    dmMain->SetStorageForEmpty(9, QStringLiteral("Пустые"));
    TfrmElementAvail* all = OpenRBElementAvail();
    TfrmElementAvail* place = OpenRBElementAvailOnStorage(1);
    const struct {
        int Option;
        std::optional<int> Answer;
        const char* Count;
        quint32 Storage;
    } cases[] = {{0, std::nullopt, "0", 1}, {1, mrNo, "0", 1},  {1, mrYes, "0", 9},
                 {2, std::nullopt, "-1", 9}, {2, std::nullopt, "3", 1}};
    for (const auto& c : cases) {
        DB().Exec(QStringLiteral("UPDATE T_ELEMENT_AVAIL SET STORAGEID = 1 WHERE ID = 1"));
        place->BookFrame()->RefreshData();
        all->BookFrame()->RefreshData();
        ::MoveEmptyAvailToSpecStorage = c.Option;
        Messages.clear();
        if (c.Answer)
            Answers.push_back(*c.Answer);
        all->BookFrame()->SelectRecord(0, 1);
        AnswerCount(QLatin1String(c.Count));
        all->BookFrame()->ChangeCount();
        EXPECT_EQ(Messages.size(), c.Answer ? 1 : 0) << c.Option;
        EXPECT_EQ(Scalar(QStringLiteral("SELECT STORAGEID FROM T_ELEMENT_AVAIL WHERE ID = 1"))
                      .toUInt(),
                  c.Storage)
            << c.Option << " " << c.Count;
        EXPECT_EQ(Count(1), QString::fromLatin1(c.Count).toDouble());
        // Every open stock window shows it: the place's list drops a moved record.
        EXPECT_EQ(place->BookFrame()->Model()->Find({0, 1}) >= 0, c.Storage == 1) << c.Option;
        const int row = all->BookFrame()->Model()->Find({0, 1});
        ASSERT_GE(row, 0);
        EXPECT_EQ(all->BookFrame()->Model()->Row(row).Texts.value(3),
                  FloatToStrKV(QString::fromLatin1(c.Count).toDouble()));
    }
    EXPECT_FALSE(Scalar(QStringLiteral("SELECT U_TIMESTAMP FROM T_ELEMENT_AVAIL WHERE ID = 1"))
                     .isNull());
}

TEST_F(ProjectTest, BulkMoveMovesEveryEmptyRecord) {
    AddProjects();
    DB();
    DB().Exec(QStringLiteral("UPDATE T_ELEMENT_AVAIL SET V_COUNT_FLOAT = 0 WHERE ID IN (2, 3)"));
    TfrmElementAvail* place = OpenRBElementAvailOnStorage(1);
    // Without option LocalConfig, or without a place for empty records: nothing is moved.
    ::LocalConfig = false;
    dmMain->SetStorageForEmpty(9, QStringLiteral("Пустые"));
    Messages.clear();
    place->BookFrame()->pmiAddFunct_MoveEmptyClick();
    EXPECT_EQ(Messages, QStringList({"Записи не были обновлены"}));
    ::LocalConfig = true;
    // With the option at any value the bulk move acts; the revision times stay.
    for (const int option : {0, 1, 2}) {
        DB().Exec(QStringLiteral("UPDATE T_ELEMENT_AVAIL SET STORAGEID = 1"));
        place->BookFrame()->RefreshData();
        ::MoveEmptyAvailToSpecStorage = option;
        Messages.clear();
        place->BookFrame()->pmiAddFunct_MoveEmptyClick();
        EXPECT_EQ(Messages, QStringList({"Обновлено записей: 2"})) << option;
        EXPECT_EQ(Column(place->BookFrame()), QStringList({"R-10"})) << option;
        EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_ELEMENT_AVAIL WHERE STORAGEID = 9 "
                                        "AND U_TIMESTAMP IS NULL"))
                      .toInt(),
                  2);
    }
    // The place gone: the error, then the outcome.
    DB().Exec(QStringLiteral("UPDATE T_ELEMENT_AVAIL SET STORAGEID = 1"));
    DB().Exec(QStringLiteral("DELETE FROM T_STORAGE WHERE ID = 9"));
    Messages.clear();
    place->BookFrame()->pmiAddFunct_MoveEmptyClick();
    EXPECT_EQ(Messages, QStringList({"Не удалось переместить записи", "Записи не были обновлены"}));
}
