// Connecting and disconnecting through the main window: the message of every connect result,
// the connected and disconnected states of menus, tool bar and status bar, the mode letters,
// and the question before a disconnect.

#include "tests/shell/ShellTestSupport.h"

#include "shell/KVBookWindows.h"
#include "shell/KVButtonEdit.h"
#include "shell/KVOpeners.h"
#include "shell/frmConnect.h"
#include "shell/frmHelp.h"
#include "shell/frmTDBAConnect.h"
#include "shell/uHelpContext.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPointer>
#include <QTreeWidget>

#include <cerrno>

namespace {

void WriteFile(const QString& AFileName, const QByteArray& AData) {
    QFile file(AFileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(AData);
}

void CloseHelpWindow() {
    if (TfrmHelp* help = HelpWindow())
        delete help;
}

} // namespace

class ConnectTest : public TMainWindowTest {
protected:
    // The search dialogs and the favourites, present (doing nothing) or absent.
    static void RegisterSearchDialogs(bool APresent) {
        TKVOpener<TShowFindDlg>::Register(APresent ? [](TKVFindType) {}
                                                   : TKVOpener<TShowFindDlg>::TFunction());
        for (auto* registerDialog :
             {&TKVOpener<TShowParamSearchDlg>::Register, &TKVOpener<TShowNominalSearchDlg>::Register,
              &TKVOpener<TShowRevDateSearchDlg>::Register, &TKVOpener<TShowFavoritesDlg>::Register})
            registerDialog(APresent ? [] {} : std::function<void()>());
    }
    // Every command has its window here, so that the connected state alone decides.
    void SetUp() override {
        TMainWindowTest::SetUp();
        for (int window = 0; window < bwCount; ++window)
            RegisterBookWindow(static_cast<TKVBookWindow>(window),
                               {[](TKVMDIChild&) { return false; }, [] {}});
        for (int group = 0; group < cgCount; ++group)
            RegisterCommandGroup(static_cast<TKVCommandGroup>(group));
        RegisterSearchDialogs(true);
    }
    void TearDown() override {
        RegisterSearchDialogs(false);
        ClearBookWindows();
        TMainWindowTest::TearDown();
    }
    // The items that follow the connected state, and the data-changing ones among them.
    void ExpectConnectedMenus(bool AWritable) {
        EXPECT_FALSE(MainAction("mmiDB_Connect")->isVisible());
        EXPECT_FALSE(MainAction("mmiDB_Connect")->isEnabled());
        for (const char* name : {"mmiDB_Disconnect", "mmiDB_Info", "mmiReports", "mmiPlugins"}) {
            EXPECT_TRUE(MainAction(name)->isVisible()) << name;
            EXPECT_TRUE(MainAction(name)->isEnabled()) << name;
        }
        for (const char* menu : {"mmiRB", "mmiSearch", "mmiDBData"}) {
            EXPECT_TRUE(MainMenu(menu)->menuAction()->isVisible()) << menu;
            EXPECT_TRUE(MainMenu(menu)->menuAction()->isEnabled()) << menu;
        }
        for (const char* name : {"mmiRB_Class", "mmiRB_ProjectArchive", "mmiRB_Note",
                                 "mmiFindOnElementTypeName", "mmiSearchRevDate"})
            EXPECT_TRUE(MainAction(name)->isEnabled()) << name;
        for (const char* name : {"mmiImport", "pmiImport", "mmiDeletePackage", "pmiDeletePackage",
                                 "mmiImportPrice", "pmiImportPrice"})
            EXPECT_EQ(MainAction(name)->isEnabled(), AWritable) << name;
        for (const char* name : {"mmiExport", "mmiFavorite", "pmiExport", "pmiFavorite"})
            EXPECT_TRUE(MainAction(name)->isEnabled()) << name;
        EXPECT_TRUE(Main().ToolBarPanel()->isVisibleTo(&Main()));
    }
    void ExpectDisconnectedMenus() {
        EXPECT_TRUE(MainAction("mmiDB_Connect")->isVisible());
        EXPECT_TRUE(MainAction("mmiDB_Connect")->isEnabled());
        for (const char* name : {"mmiDB_Disconnect", "mmiDB_Info", "mmiReports", "mmiPlugins"}) {
            EXPECT_FALSE(MainAction(name)->isVisible()) << name;
            EXPECT_FALSE(MainAction(name)->isEnabled()) << name;
        }
        for (const char* menu : {"mmiRB", "mmiSearch", "mmiDBData"}) {
            EXPECT_FALSE(MainMenu(menu)->menuAction()->isVisible()) << menu;
            EXPECT_FALSE(MainMenu(menu)->menuAction()->isEnabled()) << menu;
        }
        for (const char* name :
             {"mmiRB_Class", "mmiFindOnElementTypeName", "mmiImport", "mmiExport", "mmiImportPrice",
              "mmiFavorite", "pmiImport", "pmiImportPrice"})
            EXPECT_FALSE(MainAction(name)->isEnabled()) << name;
        // Always usable.
        for (const char* name : {"mmiExit", "mmiHelp_Help", "mmiGotoWebSite"})
            EXPECT_TRUE(MainAction(name)->isEnabled()) << name;
        EXPECT_FALSE(Main().ToolBarPanel()->isVisibleTo(&Main()));
        EXPECT_EQ(Main().StatusPanelText(2), QString());
        EXPECT_EQ(Main().StatusPanelText(3), QString());
    }
};

TEST_F(ConnectTest, SuccessfulConnectFillsTheStatusBarAndSwitchesTheMenus) {
    TTestDataBase db(1011);
    ExpectDisconnectedMenus();
    EXPECT_EQ(Main().StatusPanelText(4), QStringLiteral("D "));

    // The name is taken without the blanks around it.
    EXPECT_TRUE(
        ConnectThroughDialog(QStringLiteral("  ") + db.FileName() + QStringLiteral(" ")).isEmpty());
    ASSERT_TRUE(dmMain->DBConnected());
    EXPECT_EQ(ConnectDataBaseFileName, db.FileName());
    ExpectConnectedMenus(true);
    EXPECT_EQ(Main().StatusPanelText(2), QStringLiteral("test.fdb"));
    EXPECT_EQ(Main().StatusPanelText(3), QStringLiteral("DBID: 1011"));
    EXPECT_EQ(Main().StatusPanelText(4), QStringLiteral("D "));
    EXPECT_TRUE(FUI.Errors.empty());

    // Connecting again asks nothing while a database is open.
    Main().ConnectDB();
    EXPECT_TRUE(dmMain->DBConnected());

    // Without children the disconnect asks nothing.
    QStringList asked;
    TMessageDlgResponderScope responder([&](const TMessageDlgRequest& ARequest) {
        asked << ARequest.Text;
        return mrYes;
    });
    Main().DisconnectDB();
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_FALSE(dmMain->DBConnected());
    ExpectDisconnectedMenus();
    EXPECT_EQ(Main().StatusPanelText(4), QStringLiteral("D "));
}

TEST_F(ConnectTest, EveryRefusalHasItsMessage) {
    TTestDataBase good;
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("missing.fdb"));

    TTestDataBase extraTable;
    extraTable.Exec(QStringLiteral("CREATE TABLE T_EXTRA (ID INTEGER)"));
    TTestDataBase oldVersion;
    oldVersion.Exec(
        QStringLiteral("UPDATE SYS_VAR SET V_INTEGER = 2 WHERE S_PARAM = 'BUILDVERSION'"));

    const struct {
        QString File;
        QString Text;
    } cases[] = {
        {missing, QStringLiteral("Файл базы данных не найден")},
        {extraTable.FileName(), QStringLiteral("База данных неизвестного типа или она повреждена")},
        {oldVersion.FileName(), QStringLiteral("Неподдерживаемая версия базы данных")},
    };
    for (const auto& c : cases) {
        std::vector<TMessageDlgRequest> boxes;
        TMessageDlgResponderScope responder([&](const TMessageDlgRequest& ARequest) {
            boxes.push_back(ARequest);
            return mrOk;
        });
        AnswerModal<TfrmConnect>([&](TfrmConnect* ADialog) {
            ADialog->DatabaseEdit()->setText(c.File);
            ADialog->accept();
        });
        Main().ConnectDB();
        ASSERT_EQ(boxes.size(), 1u) << c.Text.toStdString();
        EXPECT_EQ(boxes[0].Text, c.Text);
        EXPECT_EQ(boxes[0].Kind, mdkError);
        EXPECT_EQ(boxes[0].Buttons, TMessageDlgButtons(mdbOK));
        EXPECT_FALSE(dmMain->DBConnected());
        ExpectDisconnectedMenus();
    }
    EXPECT_EQ(TfrmMain::ConnectResultText(99, 0),
              QStringLiteral("Неизвестная ошибка при подключении к базе данных"));
    EXPECT_EQ(TfrmMain::ConnectResultText(0, 0), QString());
    EXPECT_TRUE(FUI.Errors.empty());

    // The window is still usable: the good file connects.
    EXPECT_TRUE(ConnectThroughDialog(good.FileName()).isEmpty());
    EXPECT_TRUE(dmMain->DBConnected());
}

TEST_F(ConnectTest, LockFileRefusalsOfferTheRemoteAccessHelp) {
    TTestDataBase db;
    QTemporaryDir dir;
    // The database's name fits the file system; with ".dblock" the lock file's name does not.
    const QString longName = dir.filePath(QString(250, QLatin1Char('x')) + QStringLiteral(".fdb"));
    ASSERT_TRUE(QFile::copy(db.FileName(), longName));
    SysTestSeams::SetDriveType(dir.path(), dtRemote);
    const QString lock = TdmMain::GetLockFileName(db.FileName());
    WriteFile(lock, QByteArray());

    const struct {
        QString File;
        QString Text;
    } cases[] = {
        {db.FileName(), QStringLiteral("Файл базы данных заблокирован")},
        {longName, QStringLiteral("Ошибка %1 при создании файла блокировки на сетевом ресурсе")
                       .arg(ENAMETOOLONG)},
    };
    for (const auto& c : cases)
        for (int answer : {mrOk, mrCancel}) {
            CloseHelpWindow();
            std::vector<TMessageDlgRequest> boxes;
            TMessageDlgResponderScope responder([&](const TMessageDlgRequest& ARequest) {
                boxes.push_back(ARequest);
                return answer;
            });
            AnswerModal<TfrmConnect>([&](TfrmConnect* ADialog) {
                ADialog->DatabaseEdit()->setText(c.File);
                ADialog->accept();
            });
            Main().ConnectDB();
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].Text, c.Text);
            EXPECT_EQ(boxes[0].Kind, mdkError);
            EXPECT_EQ(boxes[0].Buttons, mdbOK | mdbHelp);
            EXPECT_FALSE(dmMain->DBConnected());
            // The help button (or Esc) opens the topic on remote access.
            if (answer == mrCancel) {
                ASSERT_NE(HelpWindow(), nullptr);
                EXPECT_EQ(HelpWindow()->CurrentTopic(), QStringLiteral("DBRemoteAccess"));
            } else {
                EXPECT_EQ(HelpWindow(), nullptr);
            }
        }
    CloseHelpWindow();
    // Nothing was written: the stale lock file stays, no lock file was made for the other.
    EXPECT_TRUE(QFile::exists(lock));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST_F(ConnectTest, AFileThatCannotBeOpenedIsShownOnceAndLeavesTheWindowDisconnected) {
    QTemporaryDir dir;
    const QString junk = dir.filePath(QStringLiteral("junk.fdb"));
    WriteFile(junk, QByteArray(20000, 'j'));
    const QStringList boxes = ConnectThroughDialog(junk);
    // The data module shows why the file is refused; the main window adds nothing.
    EXPECT_TRUE(boxes.isEmpty());
    ASSERT_EQ(FUI.Errors.size(), 1u);
    EXPECT_EQ(FUI.Errors[0].Caption, QStringLiteral("EDataBaseFileError"));
    EXPECT_TRUE(FUI.Errors[0].Text.startsWith(
        QStringLiteral("Файл «%1» не является базой данных.").arg(junk)))
        << FUI.Errors[0].Text.toStdString();
    EXPECT_FALSE(dmMain->DBConnected());
    ExpectDisconnectedMenus();
    EXPECT_EQ(QFileInfo(junk).size(), 20000);
}

TEST_F(ConnectTest, CancelledDialogShowsNothing) {
    std::vector<TMessageDlgRequest> boxes;
    TMessageDlgResponderScope responder([&](const TMessageDlgRequest& ARequest) {
        boxes.push_back(ARequest);
        return mrOk;
    });
    AnswerModal<TfrmConnect>([](TfrmConnect* ADialog) { ADialog->reject(); });
    Main().ConnectDB();
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(dmMain->DBConnected());
}

TEST_F(ConnectTest, OptionReadOnlyKeepsDataChangingCommandsDisabled) {
    TTestDataBase db;
    WriteSettings(QStringLiteral("ReadOnly=1\n"));
    ConnectThroughDialog(db.FileName());
    ASSERT_TRUE(dmMain->DBConnected());
    ExpectConnectedMenus(false);
    EXPECT_EQ(Main().StatusPanelText(4), QStringLiteral("D RO "));
}

TEST_F(ConnectTest, ModeLettersTellDebugModeAndWhatIsReadOnly) {
    TTestDataBase db;
    const struct {
        QString Settings;
        int DataBaseDrive;
        int ProgramDrive;
        QString Mode;
        bool Writable;
    } cases[] = {
        {QStringLiteral("DebugMode=0\n"), dtFixed, dtFixed, QString(), true},
        {QStringLiteral("DebugMode=0\n"), dtCDROM, dtFixed, QStringLiteral("CRO "), false},
        {QStringLiteral("DebugMode=1\n"), dtCDROM, dtFixed, QStringLiteral("D CRO "), false},
        {QStringLiteral("DebugMode=0\nReadOnly=1\n"), dtCDROM, dtFixed, QStringLiteral("RO "),
         false},
        {QStringLiteral("DebugMode=0\n"), dtFixed, dtRemote, QStringLiteral("RO "), true},
    };
    for (const auto& c : cases) {
        FMain.reset();
        SysTestSeams::Reset();
        SysTestSeams::SetDriveType(FProgramDir.path(), c.ProgramDrive);
        SysTestSeams::SetDriveType(QFileInfo(db.FileName()).path(), c.DataBaseDrive);
        WriteSettings(c.Settings);
        ConnectThroughDialog(db.FileName());
        ASSERT_TRUE(dmMain->DBConnected()) << c.Mode.toStdString();
        EXPECT_EQ(Main().StatusPanelText(4), c.Mode);
        ExpectConnectedMenus(c.Writable);
        // A closed database is no read-only database.
        Main().DisconnectDB();
        EXPECT_EQ(Main().StatusPanelText(4), c.Mode == QStringLiteral("D CRO ")
                                                 ? QStringLiteral("D ")
                                             : c.Mode == QStringLiteral("CRO ") ? QString()
                                                                                : c.Mode);
    }
}

TEST_F(ConnectTest, DisconnectWithOpenWindowsAsksFirst) {
    TTestDataBase db;
    Main().show();
    ConnectThroughDialog(db.FileName());
    ASSERT_TRUE(dmMain->DBConnected());
    QPointer<TTestChild> list = OpenChild<TTestChild>(ckListWindow, QStringLiteral("Классы"));
    QPointer<TTestChild> guide = OpenChild<TTestChild>(ckOther, QStringLiteral("Как использовать"));
    QPointer<TTestCard> card = OpenChild<TTestCard>(QStringLiteral("Резистор"));
    card->SetModifedData(true);

    std::vector<TMessageDlgRequest> boxes;
    int answer = mrNo;
    TMessageDlgResponderScope responder([&](const TMessageDlgRequest& ARequest) {
        boxes.push_back(ARequest);
        return answer;
    });
    Main().DisconnectDB();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, QStringLiteral("Отключение от базы данных приведет к потере всей не "
                                            "сохраненной информации.\nОтключится от базы данных?"));
    EXPECT_EQ(boxes[0].Kind, mdkWarning);
    EXPECT_EQ(boxes[0].Buttons, mdbYes | mdbNo);
    EXPECT_TRUE(dmMain->DBConnected());
    EXPECT_EQ(Main().MDIChildCount(), 3);

    boxes.clear();
    answer = mrYes;
    Main().DisconnectDB();
    // One question; the card's edits are dropped without its own.
    EXPECT_EQ(boxes.size(), 1u);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(list.isNull());
    EXPECT_TRUE(card.isNull());
    EXPECT_FALSE(guide.isNull());
    EXPECT_FALSE(dmMain->DBConnected());
    ExpectDisconnectedMenus();
}

TEST_F(ConnectTest, FolderPickerModeConnectsTheChosenDataBase) {
    QTemporaryDir folder;
    TTestDataBase db(1012, QStringLiteral("Тематическая"));
    ASSERT_TRUE(QFile::copy(db.FileName(), folder.filePath(QStringLiteral("theme.fdb"))));
    WriteSettings(QStringLiteral("[TDBA]\nTDBAMode=1\nTDBADir=%1\n").arg(folder.path()));
    AnswerModal<TfrmTDBAConnect>([](TfrmTDBAConnect* ADialog) {
        ADialog->ListView()->setCurrentItem(ADialog->ListView()->topLevelItem(0));
        ADialog->accept();
    });
    Main().ConnectDB();
    ASSERT_TRUE(dmMain->DBConnected());
    EXPECT_EQ(dmMain->CurrentDataBaseFileName(), folder.filePath(QStringLiteral("theme.fdb")));
    EXPECT_EQ(Main().StatusPanelText(3), QStringLiteral("DBID: 1012"));
}
