// Every window and dialog of the program (Qt's own file dialog keeps Qt's layout), opened on the
// demo database on a 1600 × 1000 screen as a new user opens it: nothing in it is smaller than it
// needs (no clipped caption, no elided button text, no label cut at the top or bottom), no tool
// bar hides commands, no tab row scrolls, column captions show whole, lists show their columns
// without a horizontal scroll bar and a useful number of rows, and every window lies in its
// workspace or on the screen.

#include "tests/shell/ShellTestSupport.h"
#include "tests/windows/LayoutCheck.h"

#include "catalogue/frmElementType.h"
#include "catalogue/frmElementTypeEdit.h"
#include "core/KVCommon.h"
#include "exchange/frmExport.h"
#include "exchange/frmImport.h"
#include "exchange/frmPackageInfo.h"
#include "platform/ib/IBQuery.h"
#include "refbooks/KVReferenceBooks.h"
#include "refbooks/frmBaseParam.h"
#include "refbooks/frmBaseParamEdit.h"
#include "refbooks/frmCase.h"
#include "refbooks/frmCaseEdit.h"
#include "refbooks/frmCaseMountType.h"
#include "refbooks/frmClass.h"
#include "refbooks/frmClassEdit.h"
#include "refbooks/frmMaker.h"
#include "refbooks/frmMakerEdit.h"
#include "refbooks/frmStorage.h"
#include "refbooks/frmStorageEdit.h"
#include "refbooks/frmSupplier.h"
#include "refbooks/frmSupplierEdit.h"
#include "refbooks/frmUnit.h"
#include "refbooks/frmUnitEdit.h"
#include "reports/KVReportPlugin.h"
#include "reports/frmInputRepVar.h"
#include "reports/frmReportList.h"
#include "reports/ufrmReport.h"
#include "shell/KVBookWindows.h"
#include "shell/frmAbout.h"
#include "shell/frmAlias.h"
#include "shell/frmConnect.h"
#include "shell/frmDBInfo.h"
#include "shell/frmDebug.h"
#include "shell/frmExportDataToFile.h"
#include "shell/frmHelp.h"
#include "shell/frmIconDescEdit.h"
#include "shell/frmInputText.h"
#include "shell/frmItemInfo.h"
#include "shell/frmListItemSelect.h"
#include "shell/frmLogo.h"
#include "shell/frmNews.h"
#include "shell/frmOpenDataMode.h"
#include "shell/frmOptions.h"
#include "shell/frmPluginList.h"
#include "shell/frmTDBAConnect.h"
#include "shell/frmTutorial.h"
#include "shell/frmUserListEdit.h"
#include "shell/uHelpContext.h"
#include "stock/KVStock.h"
#include "stock/frmProjectEdit.h"
#include "stock/frmProjectItem.h"
#include "stock/frmProjectItemEdit.h"
#include "views/KVListFrame.h"
#include "views/KVListHost.h"
#include "views/KVRecordCard.h"

#include <QDialog>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <optional>

namespace {

// The rows a list window shows when it opens.
constexpr int kListWindowRows = 8;

QString Faults(const QStringList& AFaults) {
    return AFaults.join(u'\n');
}

QRect ScreenArea() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

} // namespace

class WindowLayoutTest : public TMainWindowTest {
protected:
    void SetUp() override {
        TMainWindowTest::SetUp();
        RegisterReferenceBookWindows();
        FDemoDir.emplace();
        ASSERT_TRUE(FDemoDir->isValid());
        FDemoFile = FDemoDir->filePath(QStringLiteral("demo.fdb"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(KV_DEMO_DB), FDemoFile));
        QFile::setPermissions(FDemoFile, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        SysTestSeams::SetDriveType(FDemoDir->path(), dtFixed);
        FResponder.emplace([this](const TMessageDlgRequest& ARequest) {
            Messages << ARequest.Text;
            return mrOk;
        });
    }
    void TearDown() override {
        if (FMain) {
            Main().CloseAllWindow();
            Settle();
            if (dmMain && dmMain->DBConnected()) {
                int error = 0;
                dmMain->DataBaseDisconnect(error);
            }
        }
        FResponder.reset();
        TMainWindowTest::TearDown();
        ClearBookWindows();
    }

    static void Settle() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    // The main window on the demo database, shown at its default size (or as large as the
    // screen when AFullScreen).
    void Connect(bool AFullScreen) {
        Main().show();
        if (AFullScreen)
            Main().setGeometry(ScreenArea());
        Main().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
        int error = 0;
        ASSERT_EQ(dmMain->DataBaseConnect(FDemoFile, dmMain->CurrentUser(), error), crOk);
        Main().MainFormInit();
        Settle();
    }

    QRect Workspace() { return Main().MDIArea()->viewport()->rect(); }

    // The faults of the active child window of the workspace, which is closed after.
    QStringList ActiveChildFaults(const TLayoutCheck& ACheck = {}) {
        Settle();
        QMdiSubWindow* sub = Main().MDIArea()->activeSubWindow();
        if (!sub)
            return {QStringLiteral("no window opened")};
        QStringList faults = LayoutFaults(sub, Workspace(), ACheck);
        if (auto* child = qobject_cast<TKVMDIChild*>(sub->widget())) {
            if (auto* card = qobject_cast<TKVCard*>(child))
                card->ForciblyCloseItem();
            else
                child->CloseWindow();
        }
        Settle();
        return faults;
    }

    // Runs AOpen, which shows a modal dialog, and returns the faults of the dialog, which is
    // closed with Cancel.
    QStringList ModalFaults(const std::function<void()>& AOpen, const TLayoutCheck& ACheck = {}) {
        QStringList faults{QStringLiteral("no dialog opened")};
        AnswerModal<QDialog>([&faults, ACheck](QDialog* ADialog) {
            faults = LayoutFaults(ADialog, ScreenArea(), ACheck);
            ADialog->reject();
        });
        AOpen();
        Settle();
        return faults;
    }

    // The first key of a table in key order.
    TKVDBKey FirstKey(const char* ATable, bool AKeyHasDBId = true) {
        TIBQuery query(&dmMain->MainIBDatabase, &dmMain->MainIBTransaction);
        TKVDBKey key;
        dmMain->ExecuteInTransaction([&] {
            query.SetSQL(AKeyHasDBId ? QStringLiteral("SELECT FIRST 1 DBID, ID FROM %1 ORDER BY "
                                                      "DBID DESC, ID")
                                           .arg(QLatin1String(ATable))
                                     : QStringLiteral("SELECT FIRST 1 ID FROM %1 ORDER BY ID")
                                           .arg(QLatin1String(ATable)));
            query.Open();
            key.Id = static_cast<quint32>(query.FieldByName("ID").AsInt64());
            if (AKeyHasDBId)
                key.DBId = static_cast<quint32>(query.FieldByName("DBID").AsInt64());
            query.Close();
        });
        return key;
    }

    QStringList Messages;
    std::optional<QTemporaryDir> FDemoDir;
    QString FDemoFile;

private:
    std::optional<TMessageDlgResponderScope> FResponder;
};

TEST_F(WindowLayoutTest, MainWindowAtItsDefaultSizeShowsEveryCommandAndStatusPanel) {
    Main().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Main()));
    EXPECT_EQ(Faults(LayoutFaults(&Main(), ScreenArea())), QString()) << "no database";
    Connect(false);
    // 870 × 600, or wider where the tool bar or the status bar needs it.
    EXPECT_EQ(Main().size(), QSize(TfrmMain::MinAppWinWidth, TfrmMain::MinAppWinHeight)
                                 .expandedTo(Main().SmallestAppWinSize()));
    EXPECT_EQ(Main().minimumSize(), Main().size());
    TLayoutCheck check;
    EXPECT_EQ(Faults(LayoutFaults(&Main(), ScreenArea(), check)), QString());
    // Every tip fits the first panel.
    for (int i = 0; i < TfrmMain::DefaultStatusHintCount; ++i) {
        Main().NextDefaultStatusHint();
        EXPECT_EQ(Faults(LayoutFaults(Main().StatusPanel(0), QRect(), check)), QString()) << i;
    }
}

TEST_F(WindowLayoutTest, ListWindowsOfEveryBookShowTheirRowsWhole) {
    Connect(true);
    TLayoutCheck check;
    check.MinListRows = kListWindowRows;
    const std::pair<const char*, std::function<void()>> opens[] = {
        {"classes", [this] { Main().OpenReferenceBook_Classes(); }},
        {"makers", [this] { Main().OpenReferenceBook_Makers(); }},
        {"cases", [this] { Main().OpenReferenceBook_Cases(); }},
        {"units", [this] { Main().OpenReferenceBook_Units(); }},
        {"storages", [this] { Main().OpenReferenceBook_Storages(); }},
        {"suppliers", [this] { Main().OpenReferenceBook_Suppliers(); }},
        {"base parameters", [] { OpenRBBaseParam(1000, 20); }},
        {"element types of a class", [] { OpenRBElementTypeOnClass(1000, 20, true); }},
        {"element types by name", [] { OpenRBElementTypeOnName(QStringLiteral("*")); }},
        {"element types of a maker",
         [this] {
             const TKVDBKey maker = FirstKey("T_MAKER");
             OpenRBElementTypeOnMaker(maker.DBId, maker.Id);
         }},
    };
    for (const auto& [name, open] : opens) {
        open();
        EXPECT_EQ(Faults(ActiveChildFaults(check)), QString()) << name;
    }
}

TEST_F(WindowLayoutTest, CardsOfEveryBookShowTheirEditorsWhole) {
    Connect(true);
    const TKVDBKey maker = FirstKey("T_MAKER");
    const TKVDBKey casing = FirstKey("T_CASE");
    const TKVDBKey unit = FirstKey("T_UNIT");
    const TKVDBKey storage = FirstKey("T_STORAGE", false);
    const TKVDBKey supplier = FirstKey("T_SUPPLIER", false);
    const TKVDBKey classKey{1000, 20};
    const TKVDBKey param = FirstKey("T_BASE_PARAM");
    const TKVDBKey type = FirstKey("T_ELEMENT_TYPE");
    const std::pair<const char*, std::function<void()>> opens[] = {
        {"class", [&] { OpenCardClass(classKey.DBId, classKey.Id, false); }},
        {"new class", [&] { OpenCardClass(0, 0, false); }},
        {"maker", [&] { OpenCardMaker(maker.DBId, maker.Id, false); }},
        {"case", [&] { OpenCardCase(casing.DBId, casing.Id, false); }},
        {"case with its picture",
         [&] {
             TfrmCaseEdit* card = OpenCardCase(casing.DBId, casing.Id, false);
             card->findChild<QToolButton*>(QStringLiteral("View_ToolButton"))->click();
         }},
        {"unit", [&] { OpenCardUnit(unit.DBId, unit.Id, false); }},
        {"storage", [&] { OpenCardStorage(storage.Id, false); }},
        {"supplier", [&] { OpenCardSupplier(supplier.Id, false); }},
        {"base parameter",
         [&] { OpenCardBaseParam(param.DBId, param.Id, false, classKey.DBId, classKey.Id); }},
        {"element type", [&] { OpenCardElementType(type.DBId, type.Id, false, 0, 0, 0, 0); }},
        {"new element type",
         [&] { OpenCardElementType(0, 0, false, classKey.DBId, classKey.Id, 0, 0); }},
        {"element type with its picture",
         [&] {
             TfrmElementTypeEdit* card = OpenCardElementType(type.DBId, type.Id, false, 0, 0, 0, 0);
             if (!card->EnableView())
                 card->View_ToolButtonClick();
         }},
    };
    for (const auto& [name, open] : opens) {
        open();
        EXPECT_EQ(Faults(ActiveChildFaults()), QString()) << name;
    }
}

TEST_F(WindowLayoutTest, PickersOfEveryBookShowTheirRowsWhole) {
    Connect(true);
    TLayoutCheck check;
    check.MinListRows = kListWindowRows;
    TKVSelectedItemDBData selected;
    TKVSelectedLocalItemDBData local;
    const std::pair<const char*, std::function<void()>> opens[] = {
        {"class", [&] { SelectClass(0, 0, 0, 0, selected); }},
        {"maker", [&] { SelectMaker(0, 0, selected); }},
        {"case", [&] { SelectCase(0, 0, selected); }},
        {"unit", [&] { SelectUnit(0, 0, selected); }},
        {"storage", [&] { TfrmSelectStorage::SelectStorage(0, 0, local); }},
        {"supplier", [&] { SelectSupplier(0, local); }},
        {"base parameter", [&] { SelectBaseParam(1000, 20, 0, 0, selected); }},
        {"element type", [&] { SelectElementType(0, 0, 1000, 20, selected); }},
        {"mount type", [] { SelectCaseMountType(); }},
    };
    for (const auto& [name, open] : opens)
        EXPECT_EQ(Faults(ModalFaults(open, check)), QString()) << name;
}

TEST_F(WindowLayoutTest, DialogsOfTheShellShowTheirContentsWhole) {
    Connect(true);
    const std::pair<const char*, std::function<void()>> opens[] = {
        {"options", [] { ShowSetupDlg(); }},
        {"about", [this] { ShowAboutDlg(Main().VersionInfo()); }},
        {"connect", [] { ShowConnectDlg(); }},
        {"folder connect", [] { ShowTDBAConnectDlg(); }},
        {"alias", [] { ShowAliasEditDlg(QStringLiteral("База"), QStringLiteral("/tmp/a.fdb")); }},
        {"database information", [] { ShowDBInfoDlg(); }},
        {"record details", [] { ShowItemInfoDlg(itUnit, 0, 1); }},
        {"export",
         [] {
             TKVExportData data;
             data.Columns = {{QStringLiteral("Наименование"), 150},
                             {QStringLiteral("Описание"), 200}};
             data.Items = {{QStringLiteral("Ом"), QStringLiteral("Сопротивление")}};
             ShowExportDataToFileDlg(data);
         }},
        {"icon descriptions",
         [] {
             ShowIconDescEditDlg(QStringLiteral("classdesc.txt"),
                                 TfrmIconDescEdit::ClassIconsListIndex);
         }},
        {"user list", [] { ShowUserListEditDlg(QStringLiteral("pindesc.txt")); }},
        {"input text",
         [] { ShowInputTextDlg(QStringLiteral("Название"), QStringLiteral("Текст"), 50, false); }},
        {"list item",
         [] {
             SelectListItem(QStringLiteral("Выбор"), QStringLiteral("Один\nДва\nТри"), 0, false);
         }},
        {"view chooser",
         [] {
             SelectOpenDataMode(OpenDataModeSet({odmtClassRB, odmtMakerRB}));
         }},
        {"plug-ins", [] { ShowPluginListDlg(); }},
        {"splash", [] { ShowLogoDlg(QStringLiteral("Корвант")); }},
    };
    for (const auto& [name, open] : opens)
        EXPECT_EQ(Faults(ModalFaults(open)), QString()) << name;
}

TEST_F(WindowLayoutTest, DialogsOfTheDataExchangeShowTheirContentsWhole) {
    Connect(true);
    TKVPackageInfo info;
    info.piPackageFile = QStringLiteral("/home/user/Пакеты/PackDB1011_05032016_0907.fdb");
    info.piPackageDBID = 1011;
    info.piPackageDescription = QStringLiteral("Каталог микросхем отдела разработки");
    info.piDBMajorVersion = 1;
    info.piDBMinorVersion = 2;
    info.piDBBuildVersion = 3;
    info.piIncludeInfo = QStringLiteral("DBID: 1011; \" Каталог \"; Exported: 05.03.2016 09:07:00");
    info.piElementTypesCount = 100000;
    const std::pair<const char*, std::function<void()>> opens[] = {
        {"import", [] { ShowImportDlg(); }},
        {"export", [] { ShowExportDlg(); }},
        {"package information", [&info] { ShowPackageInfoDlg(info); }},
    };
    for (const auto& [name, open] : opens)
        EXPECT_EQ(Faults(ModalFaults(open)), QString()) << name;
}

TEST_F(WindowLayoutTest, ProjectWindowsShowTheirContentsWhole) {
    RegisterStockWindows();
    Connect(true);
    TLayoutCheck lists;
    lists.MinListRows = kListWindowRows;
    const quint32 project = FirstKey("T_PROJECT", false).Id;
    const quint32 item = FirstKey("T_PROJECT_ITEM", false).Id;
    const std::tuple<const char*, std::function<void()>, TLayoutCheck> opens[] = {
        {"projects in work", [this] { Main().OpenReferenceBook_Projects(psdmInProgress); }, lists},
        {"project archive", [this] { Main().OpenReferenceBook_Projects(psdmArchive); }, lists},
        {"project", [&] { OpenCardProject(project, false); }, {}},
        {"new project", [] { OpenCardProject(0, false); }, {}},
        {"items of a project", [&] { OpenRBProjectItem(project); }, lists},
        {"project item", [&] { OpenCardProjectItem(item, false, project); }, {}},
        {"new project item", [&] { OpenCardProjectItem(0, false, project); }, {}},
    };
    for (const auto& [name, open, check] : opens) {
        open();
        EXPECT_EQ(Faults(ActiveChildFaults(check)), QString()) << name;
    }
}

TEST_F(WindowLayoutTest, MessageBoxesOfEveryButtonLayoutShowTheirCaptionsWhole) {
    const TMessageDlgButtons sets[] = {
        mdbOK,
        mdbOK | mdbHelp,
        mdbOK | mdbCancel,
        mdbClose,
        mdbYes | mdbNo,
        mdbYes | mdbNo | mdbCancel,
        mdbYesToAll | mdbNoToAll | mdbCancel,
        mdbYes | mdbNo | mdbYesToAll | mdbNoToAll | mdbCancel,
        mdbAbort | mdbIgnore,
        mdbAbort | mdbRetry | mdbIgnore,
    };
    for (const TMessageDlgButtons buttons : sets)
        for (const TMessageDlgKind kind :
             {mdkWarning, mdkError, mdkInformation, mdkConfirmation, mdkMessage}) {
            TMessageDlg box(QStringLiteral("Удалить запись?"), kind, buttons);
            box.show();
            EXPECT_EQ(Faults(LayoutFaults(&box, ScreenArea())), QString())
                << buttons.Value() << " " << int(kind);
        }
}

TEST_F(WindowLayoutTest, ChildWindowsOfTheShellShowTheirContentsWhole) {
    Connect(true);
    const std::pair<const char*, std::function<void()>> opens[] = {
        {"news", [] { OpenNewsWindow(); }},
        {"guide", [] { OpenTutopialWindow(); }},
        {"debug console", [] { OpenDebugWindow(); }},
    };
    for (const auto& [name, open] : opens) {
        open();
        EXPECT_EQ(Faults(ActiveChildFaults()), QString()) << name;
    }
    ShowHelpTopic(QStringLiteral("RBUnit"));
    ASSERT_NE(HelpWindow(), nullptr);
    EXPECT_EQ(Faults(LayoutFaults(HelpWindow(), ScreenArea())), QString());
    HelpWindow()->close();
}

TEST_F(WindowLayoutTest, ReportWindowsShowTheirContentsWhole) {
    Connect(true);
    const QString folder = ReportFolder(dmMain->AppFolder());
    QDir().mkpath(folder);
    ASSERT_TRUE(QFile::copy(QStringLiteral(KV_SHIPPED_REPORTS "StockOfClass.so"),
                            folder + QStringLiteral("StockOfClass.so")));
    EXPECT_EQ(Faults(ModalFaults([folder] { ShowReportListDlg(folder); })), QString());
    for (int kind = irvtInt; kind <= irvtText; ++kind)
        EXPECT_EQ(Faults(ModalFaults(
                      [kind] { ShowInputRepVarDlg(static_cast<TInputRepValType>(kind)); })),
                  QString())
            << kind;

    // The report of the demo's first class, built without a question.
    struct TFirstClass : TKVReportAsker {
        TKVDBKey Class;
        bool AskValue(TInputRepValType) override { return false; }
        bool AskCount(double&) override { return false; }
        bool Pick(TKVReportPick, const TKVDBKey&, TKVDBKey& AResult) override {
            AResult = Class;
            return true;
        }
    } asker;
    asker.Class = FirstKey("T_CLASS");
    ASSERT_NE(OpenReportWindow(folder, QStringLiteral("StockOfClass.so"), asker), nullptr);
    EXPECT_TRUE(Messages.isEmpty()) << Messages.join('|').toStdString();
    EXPECT_EQ(Faults(ActiveChildFaults()), QString());
}

// Tiled side by side or one above the other, or cascaded, every window stays inside the
// workspace, also when the windows cannot be as small as their share of it; the workspace
// needs no scroll bar.
TEST_F(WindowLayoutTest, ArrangedWindowsStayInsideTheWorkspace) {
    Connect(false);
    Main().OpenReferenceBook_Classes();
    Main().OpenReferenceBook_Makers();
    Main().OpenReferenceBook_Units();
    Main().OpenReferenceBook_Suppliers();
    const TKVDBKey unit = FirstKey("T_UNIT");
    OpenCardUnit(unit.DBId, unit.Id, false);
    Settle();
    for (const char* command : {"mmiTileVertWin", "mmiTileHorWin", "mmiCascadeWin"}) {
        MainAction(command)->trigger();
        Settle();
        const QRect area = Workspace();
        for (QMdiSubWindow* sub : Main().MDIArea()->subWindowList())
            EXPECT_TRUE(area.contains(sub->geometry()))
                << command << " " << sub->windowTitle().toStdString() << " at (" << sub->x() << ", "
                << sub->y() << ") " << sub->width() << "x" << sub->height();
        EXPECT_FALSE(Main().MDIArea()->horizontalScrollBar()->isVisible()) << command;
        EXPECT_FALSE(Main().MDIArea()->verticalScrollBar()->isVisible()) << command;
    }
}
