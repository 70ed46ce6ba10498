// The main window's life cycle: start-up checks and steps, size rules, the rotating tips, the
// progress bar, and the question at exit.

#include "tests/shell/ShellTestSupport.h"

#include "platform/sys/IniFile.h"
#include "shell/ClientLibrary.h"
#include "shell/KVApplication.h"
#include "shell/frmConnect.h"
#include "shell/uHelpContext.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTest>
#include <QToolButton>
#include <QTranslator>
#include <QWidget>

class MainWindowTest : public TMainWindowTest {};

TEST(StartupTest, ClientLibraryAndEmbeddedEngineLoad) {
    EXPECT_EQ(MissingClientLibraryFile(), QString());
    const QString engine = EngineLibraryFile();
    EXPECT_TRUE(engine.endsWith(QStringLiteral("/libEngine12.so"))) << engine.toStdString();
    EXPECT_TRUE(QFileInfo::exists(engine)) << engine.toStdString();
}

// Qt's own dialogs and buttons speak Russian with the program.
TEST(StartupTest, QtsOwnDialogsSpeakRussian) {
    QTranslator* translator = InstallQtTranslations();
    ASSERT_NE(translator, nullptr) << "qtbase_ru.qm is missing";
    QDialogButtonBox buttons(QDialogButtonBox::Open | QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Отмена"));
    EXPECT_EQ(buttons.button(QDialogButtonBox::Open)->text(), QStringLiteral("Открыть"));
    QFileDialog files;
    files.setOption(QFileDialog::DontUseNativeDialog);
    auto* label = files.findChild<QLabel*>(QStringLiteral("fileNameLabel"));
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->text().contains(QStringLiteral("Имя файла"))) << label->text().toStdString();
    QCoreApplication::removeTranslator(translator);
    delete translator;
}

TEST(StartupTest, ExceptionLeavingAnEventHandlerIsShownInTheErrorBox) {
    TTestUserInterface ui;
    TKVApplication::ReportException(std::make_exception_ptr(EConvertError("Нет символа")));
    TKVApplication::ReportException(std::make_exception_ptr(std::runtime_error("boom")));
    ASSERT_EQ(ui.Errors.size(), 2u);
    EXPECT_EQ(ui.Errors[0].Caption, QStringLiteral("EConvertError"));
    EXPECT_EQ(ui.Errors[0].Text, QStringLiteral("Нет символа"));
    EXPECT_TRUE(ui.Errors[0].OwnedByApp);
    EXPECT_EQ(ui.Errors[1].Text, QStringLiteral("boom"));
}

TEST(MainWindowSizeTest, SavedSizeIsKeptWithinTheMinimumAndTheScreenAndCentred) {
    const QRect screen(0, 0, 1280, 1024);
    const struct {
        int Width, Height;
        QRect Expected;
    } cases[] = {
        {500, 400, QRect(205, 212, 870, 600)},
        {1000, 700, QRect(140, 162, 1000, 700)},
        {3000, 2000, QRect(0, 0, 1280, 1024)},
        {1000, 300, QRect(140, 212, 1000, 600)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TfrmMain::AppWinGeometry(c.Width, c.Height, screen), c.Expected)
            << c.Width << "x" << c.Height;
    // A screen that does not start at the origin.
    EXPECT_EQ(TfrmMain::AppWinGeometry(870, 600, QRect(1280, 100, 1280, 1024)),
              QRect(1280 + 205, 100 + 212, 870, 600));
    // Content that needs more than 870 × 600 raises the smallest size.
    EXPECT_EQ(TfrmMain::AppWinGeometry(500, 400, screen, QSize(1000, 600)),
              QRect(140, 212, 1000, 600));
}

TEST_F(MainWindowTest, WindowTakesItsSavedSizeWithinTheRulesOnTheRealScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const auto& [width, height] : {std::pair{500, 400}, {3000, 2000}}) {
        FMain.reset();
        WriteSettings(QStringLiteral("[AppWin]\nWidth=%1\nHeight=%2\n").arg(width).arg(height));
        // At least 870 × 600, or what the tool bar and the status bar need.
        const QSize smallest = Main().SmallestAppWinSize();
        EXPECT_GE(smallest.width(), 870);
        EXPECT_EQ(smallest.height(), 600);
        const QRect expected = TfrmMain::AppWinGeometry(width, height, screen, smallest);
        EXPECT_EQ(Main().size(), expected.size()) << width;
        EXPECT_EQ(Main().pos(), expected.topLeft()) << width;
        EXPECT_EQ(Main().minimumSize(), smallest.boundedTo(screen.size()));
    }
    // Without a settings file the window opens at 870 × 600 (or the screen) in the centre.
    FMain.reset();
    QFile::remove(FProgramDir.filePath(QStringLiteral("Korvant.ini")));
    EXPECT_EQ(Main().geometry().size(),
              TfrmMain::AppWinGeometry(870, 600, screen, Main().SmallestAppWinSize()).size());
    EXPECT_EQ(Main().windowTitle(), QStringLiteral("Корвант"));
}

TEST_F(MainWindowTest, SizeAndStateAreSavedAtExit) {
    WriteSettings(QStringLiteral("[AppWin]\nWidth=500\nHeight=400\nMaximize=1\n"));
    Main().show();
    Main().FormShow();
    EXPECT_TRUE(Main().isMaximized());
    const QSize normal = Main().AppWinNormalSize();
    FMain.reset();
    TIniFile ini(FProgramDir.filePath(QStringLiteral("Korvant.ini")));
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("AppWin"), QStringLiteral("Maximize"), 0), 1);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("AppWin"), QStringLiteral("Width"), 0),
              normal.width());
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("AppWin"), QStringLiteral("Height"), 0),
              normal.height());
}

TEST_F(MainWindowTest, TipsRotateFromTheFirstAndWrapAfterTheTenth) {
    EXPECT_EQ(Main().StatusBarTimer()->interval(), 20000);
    EXPECT_TRUE(Main().StatusBarTimer()->isActive());
    Main().FormShow();
    EXPECT_EQ(Main().StatusPanelText(0), QStringLiteral("Для получения справки нажмите F1"));
    Main().StatusBar_TimerTimer();
    EXPECT_EQ(Main().StatusPanelText(0),
              QStringLiteral("Для подключения к базе нажмите Ctrl+Alt+C"));
    for (int n = 2; n < 10; ++n) {
        Main().StatusBar_TimerTimer();
        EXPECT_EQ(Main().StatusPanelText(0), TfrmMain::DefaultStatusHint(n));
    }
    EXPECT_EQ(Main().StatusPanelText(0),
              QStringLiteral("Свежие обновления данных можно скачать на сайте"));
    Main().StatusBar_TimerTimer();
    EXPECT_EQ(Main().StatusPanelText(0), QStringLiteral("Для получения справки нажмите F1"));
}

// A hovered command's tip takes the first panel in place of the rotating tip and gives it back
// when the pointer leaves; the file, DBID and mode panels stay whatever the status bar shows.
TEST_F(MainWindowTest, CommandTipTakesTheTipPanelAndTheOtherPanelsStay) {
    Main().show();
    Main().FormShow();
    auto* button = new QToolButton(Main().MDIArea());
    button->setStatusTip(QStringLiteral("Обновить список"));
    const auto hover = [&](const QString& ATip) {
        QStatusTipEvent tip(ATip);
        QApplication::sendEvent(button, &tip);
    };
    const auto panelsShown = [&] {
        for (int n : {0, 2, 3, 4})
            if (!Main().StatusPanel(n)->isVisible())
                return false;
        return true;
    };
    hover(button->statusTip());
    EXPECT_EQ(Main().StatusPanelText(0), QStringLiteral("Обновить список"));
    EXPECT_TRUE(Main().statusBar()->currentMessage().isEmpty());
    EXPECT_TRUE(panelsShown());
    // The tip timer does not take the panel from the command's tip.
    Main().StatusBar_TimerTimer();
    EXPECT_EQ(Main().StatusPanelText(0), QStringLiteral("Обновить список"));
    hover(QString());
    EXPECT_EQ(Main().StatusPanelText(0), TfrmMain::DefaultStatusHint(1));

    // A message of the status bar's own leaves the permanent panels where they are.
    Main().statusBar()->showMessage(QStringLiteral("Сообщение"));
    for (int n : {2, 3, 4})
        EXPECT_TRUE(Main().StatusPanel(n)->isVisible()) << n;
    Main().statusBar()->clearMessage();
    EXPECT_TRUE(panelsShown());
}

TEST_F(MainWindowTest, StartShowsNewsOnceTheTestBuildWarningAndTheConnectDialog) {
    // A settings file without the news key and with the automatic login (and no splash).
    QFile settings(FProgramDir.filePath(QStringLiteral("Korvant.ini")));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly | QIODevice::Truncate));
    settings.write("[Options]\nLogo=0\n");
    settings.close();
    TVersionInfo version = Main().VersionInfo();
    version.viDebug = true;
    Main().SetVersionInfo(version);

    QStringList messages;
    TMessageDlgResponderScope responder([&](const TMessageDlgRequest& ARequest) {
        messages << ARequest.Text;
        EXPECT_EQ(ARequest.Kind, mdkWarning);
        EXPECT_EQ(ARequest.Buttons, TMessageDlgButtons(mdbOK));
        return mrOk;
    });
    bool dialogShown = false;
    AnswerModal<TfrmConnect>([&](TfrmConnect* ADialog) {
        dialogShown = true;
        ADialog->reject();
    });
    Main().FormShow();
    EXPECT_EQ(FUI.HelpTopics, QStringList{QStringLiteral("WhatsNew")});
    EXPECT_EQ(messages,
              QStringList{QStringLiteral(
                  "Внимание!\nЭта сборка программы предназначена для тестирования и может "
                  "работать неправильно. \nЕсли Вы не планируете тестирование определенного "
                  "функционала, содержащегося в этой сборке, \nВам лучше отказаться от ее "
                  "использования!")});
    EXPECT_TRUE(dialogShown);
    EXPECT_FALSE(dmMain->DBConnected());

    // The next start shows no news page.
    FMain.reset();
    FUI.Clear();
    WriteSettings(QStringLiteral("[WN]\nWN_102=1\n"));
    Main().FormShow();
    EXPECT_TRUE(FUI.HelpTopics.isEmpty());
}

TEST_F(MainWindowTest, DebugMenuFollowsOptionAndCompanionItemsTheirFiles) {
    EXPECT_TRUE(MainAction("mmiDebug")->isVisible());
    EXPECT_FALSE(MainAction("mmiImportTool")->isVisible());
    EXPECT_FALSE(MainAction("mmiDBExportTool")->isEnabled());

    FMain.reset();
    WriteSettings(QStringLiteral("DebugMode=0\n"));
    QFile tool(FProgramDir.filePath(TfrmMain::ImportToolFileName));
    ASSERT_TRUE(tool.open(QIODevice::WriteOnly));
    tool.close();
    EXPECT_FALSE(MainAction("mmiDebug")->isVisible());
    EXPECT_TRUE(MainAction("mmiImportTool")->isVisible());
    EXPECT_TRUE(MainAction("mmiImportTool")->isEnabled());
    EXPECT_FALSE(MainAction("mmiDBExportTool")->isVisible());
}

TEST_F(MainWindowTest, ProgressBarShowsItsTexts) {
    QWidget* tip = Main().StatusPanel(0);
    QWidget* progress = Main().StatusPanel(1);
    EXPECT_TRUE(tip->isVisibleTo(&Main()));
    EXPECT_FALSE(progress->isVisibleTo(&Main()));

    Main().ShowProgress();
    EXPECT_FALSE(tip->isVisibleTo(&Main()));
    EXPECT_TRUE(progress->isVisibleTo(&Main()));

    Main().InitProgress(0, 250, 0, witLoading);
    EXPECT_EQ(Main().ProgressBar()->text(), QStringLiteral("Загружено записей 0 из 250..."));
    Main().ChangeProgress(100);
    EXPECT_EQ(Main().ProgressBar()->text(), QStringLiteral("Загружено записей 100 из 250..."));
    EXPECT_EQ(Main().ProgressBar()->value(), 100);

    Main().InitProgress(10, 60, 20, witCreating);
    EXPECT_EQ(Main().ProgressBar()->text(), QStringLiteral("Обработано записей 20 из 50..."));

    // Waiting: the text only; the bar stays where it was.
    Main().InitProgress(0, 100, 70, witWait);
    EXPECT_EQ(Main().ProgressBar()->text(), QStringLiteral("Ожидание..."));
    Main().ChangeProgress(90);
    EXPECT_EQ(Main().ProgressBar()->value(), 20);

    Main().HideProgress();
    EXPECT_TRUE(tip->isVisibleTo(&Main()));
    EXPECT_FALSE(progress->isVisibleTo(&Main()));
}

TEST_F(MainWindowTest, VisualConfirmationFlashesAnInactiveWindowWhenTheOptionIsOn) {
    ASSERT_FALSE(Main().isActiveWindow());
    EXPECT_TRUE(Main().VisualConfirm());
    VisualConfirm = false;
    EXPECT_FALSE(Main().VisualConfirm());
}

TEST_F(MainWindowTest, ExitAsksOnlyWhileConnected) {
    TTestDataBase db;
    Main().show();
    QStringList asked;
    int answer = mrNo;
    TMessageDlgResponderScope responder([&](const TMessageDlgRequest& ARequest) {
        asked << ARequest.Text;
        return answer;
    });

    // Disconnected: no question.
    EXPECT_TRUE(Main().close());
    EXPECT_TRUE(asked.isEmpty());

    Main().show();
    ConnectThroughDialog(db.FileName());
    ASSERT_TRUE(dmMain->DBConnected());
    QPointer<TTestChild> list = OpenChild<TTestChild>(ckListWindow, QStringLiteral("Классы"));
    QPointer<TTestCard> card = OpenChild<TTestCard>(QStringLiteral("Резистор"));
    card->SetModifedData(true);

    // No: the program goes on with every window.
    EXPECT_FALSE(Main().close());
    EXPECT_EQ(asked, QStringList{QStringLiteral("Выйти из программы?")});
    EXPECT_TRUE(Main().isVisible());
    EXPECT_TRUE(dmMain->DBConnected());
    EXPECT_EQ(Main().MDIChildCount(), 2);

    // Yes: the windows close without the card's question, the database is closed.
    asked.clear();
    answer = mrYes;
    EXPECT_TRUE(Main().close());
    EXPECT_EQ(asked, QStringList{QStringLiteral("Выйти из программы?")});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(list.isNull());
    EXPECT_TRUE(card.isNull());
    EXPECT_FALSE(dmMain->DBConnected());
}
