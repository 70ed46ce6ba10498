// The splash window, the about box, the news window and the debug console, and the main
// window's commands that open them.

#include "tests/shell/ShellTestSupport.h"

#include "resources/KVResources.h"
#include "shell/frmAbout.h"
#include "shell/frmDebug.h"
#include "shell/frmHelp.h"
#include "shell/frmLogo.h"
#include "shell/frmNews.h"
#include "shell/frmTutorial.h"
#include "shell/uHelpContext.h"

#include <QDesktopServices>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

namespace {

void CloseHelpWindow() {
    if (TfrmHelp* help = HelpWindow())
        delete help;
}

QString HelpTopicShown() {
    return HelpWindow() ? HelpWindow()->CurrentTopic() : QString();
}

// Records the addresses that the program hands to the desktop instead of opening them.
class TUrlRecorder : public QObject {
    Q_OBJECT
public:
    TUrlRecorder() {
        for (const char* scheme : {"http", "https"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "Open");
    }
    ~TUrlRecorder() override {
        for (const char* scheme : {"http", "https"})
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    }
    QStringList Urls;

public slots:
    void Open(const QUrl& AUrl) { Urls << AUrl.toString(); }
};

// Where a grabbed picture goes when KV_GRAB_DIR names a folder (to look at it).
void SaveGrab(const QPixmap& APixmap, const QString& AName) {
    const QString folder = qEnvironmentVariable("KV_GRAB_DIR");
    if (!folder.isEmpty())
        APixmap.save(folder + QLatin1Char('/') + AName);
}

} // namespace

class SmallWindowsTest : public TMainWindowTest {
protected:
    void TearDown() override {
        CloseHelpWindow();
        TMainWindowTest::TearDown();
    }
    void Settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

TEST(SplashTest, ShowsVersionAndRightsOnItsPictureAndClosesOnTheThirdTick) {
    const TVersionInfo& version = AppVersionInfo();
    TfrmLogo splash;
    EXPECT_EQ(splash.size(), QSize(400, 250));
    EXPECT_EQ(splash.VersionInfoLabel()->text(), QStringLiteral("Версия 1.0.4 Betha"));
    EXPECT_EQ(splash.VersionInfoLabel()->pos(), QPoint(229, 120));
    EXPECT_EQ(splash.CopyrightLabel()->text(), version.viCopyright);
    EXPECT_EQ(splash.CopyrightLabel()->pos(), QPoint(35, 224));
    const auto* picture = splash.findChild<QLabel*>(QStringLiteral("Logo_Image"));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->pixmap().size(), QSize(400, 250));
    EXPECT_EQ(splash.LogoTimer()->interval(), 1000);
    EXPECT_FALSE(splash.LogoTimer()->isActive());

    splash.show();
    EXPECT_TRUE(splash.LogoTimer()->isActive());
    EXPECT_EQ(splash.TimerCounter(), 0);
    const QPixmap grab = splash.grab();
    SaveGrab(grab, QStringLiteral("splash.png"));
    EXPECT_EQ(grab.size(), QSize(400, 250));
    // The mark sits at the left of the picture, the white field around it.
    EXPECT_EQ(grab.toImage().pixelColor(5, 5), QColor(Qt::white));
    EXPECT_LT(grab.toImage().pixelColor(116, 178).lightness(), 128);

    splash.LogoTimerTimer();
    splash.LogoTimerTimer();
    EXPECT_TRUE(splash.isVisible());
    splash.LogoTimerTimer();
    EXPECT_FALSE(splash.isVisible());
    EXPECT_EQ(splash.result(), mrCancel);
    EXPECT_FALSE(splash.LogoTimer()->isActive());
}

TEST_F(SmallWindowsTest, StartShowsTheSplashWhileOptionLogoIsOn) {
    Main();
    Logo = true;
    int shown = 0;
    AnswerModal<TfrmLogo>([&](TfrmLogo* ASplash) {
        ++shown;
        for (int tick = 0; tick < 3; ++tick)
            ASplash->LogoTimerTimer();
    });
    Main().FormShow();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(Main().StatusPanelText(0), QStringLiteral("Для получения справки нажмите F1"));
}

TEST_F(SmallWindowsTest, AboutBoxShowsTheVersionRecordAndItsLinks) {
    TVersionInfo version = AppVersionInfo();
    version.viMajorVersion = 2;
    version.viMinorVersion = 7;
    version.viBuildVersion = 11;
    version.viBuildDescription = QStringLiteral("RC");
    version.viUrl = QStringLiteral("https://example.org/kv");
    version.viCopyright = QStringLiteral("© Авторы");

    for (bool debug : {false, true}) {
        version.viDebug = debug;
        TfrmAbout about;
        about.SetVersionInfo(version);
        about.show();
        EXPECT_EQ(about.windowTitle(), QStringLiteral("О программе"));
        EXPECT_EQ(about.size(), QSize(450, 200));
        EXPECT_EQ(about.ProjectVersionLabel()->text(), QStringLiteral("Версия 2.7.11 RC"));
        EXPECT_EQ(about.ProjectBuildNumLabel()->text(),
                  QStringLiteral("Сборка #") + TfrmAbout::BuildStamp());
        EXPECT_EQ(TfrmAbout::BuildStamp().size(), 8);
        EXPECT_EQ(about.DBVersionLabel()->text(), QStringLiteral("Поддерживаемая версия БД 1.2.3"));
        EXPECT_EQ(about.UrlLabel()->text(), version.viUrl);
        EXPECT_EQ(about.UrlLabel()->toolTip(), QStringLiteral("Посетить сайт"));
        EXPECT_EQ(about.CopyrightLabel()->text(), version.viCopyright);
        EXPECT_EQ(about.ProjectDebugLabel()->isVisible(), debug);
        if (debug) {
            EXPECT_EQ(about.ProjectDebugLabel()->text(), QStringLiteral("Отладочная сборка!"));
            EXPECT_EQ(about.ProjectDebugLabel()->palette().color(QPalette::WindowText),
                      QColor(Qt::red));
            EXPECT_TRUE(about.ProjectDebugLabel()->font().bold());
            const QPixmap grab = about.grab();
            SaveGrab(grab, QStringLiteral("about.png"));
            EXPECT_EQ(grab.size(), QSize(450, 200));
        }
        about.close();
    }

    TfrmAbout about;
    about.SetVersionInfo(version);
    about.show();
    about.VersionHelpBtn()->click();
    EXPECT_EQ(HelpTopicShown(), QStringLiteral("Version"));
    TUrlRecorder urls;
    QTest::mouseClick(about.UrlLabel(), Qt::LeftButton);
    EXPECT_EQ(urls.Urls, QStringList{QStringLiteral("https://example.org/kv")});
    QTest::keyClick(&about, Qt::Key_Escape);
    EXPECT_EQ(about.result(), mrCancel);
}

TEST_F(SmallWindowsTest, AboutCommandOpensOneBoxWithTheMainWindowsVersionRecord) {
    TVersionInfo version = Main().VersionInfo();
    version.viDebug = true;
    Main().SetVersionInfo(version);
    int opened = 0;
    AnswerModal<TfrmAbout>([&](TfrmAbout* AAbout) {
        ++opened;
        EXPECT_TRUE(AAbout->ProjectDebugLabel()->isVisible());
        // A second press while the box is open opens no second box.
        MainAction("mmiHelp_About")->trigger();
        EXPECT_EQ(AboutDlg(), AAbout);
        AAbout->reject();
    });
    ASSERT_TRUE(MainAction("mmiHelp_About")->isEnabled());
    MainAction("mmiHelp_About")->trigger();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(AboutDlg(), nullptr);
}

TEST_F(SmallWindowsTest, NewsWindowShowsTheLatestItemOrItsOwnTexts) {
    Main().show();
    Main().OpenNewsDlg();
    auto news = Main().FindMDIChildren<TfrmNews>();
    ASSERT_EQ(news.size(), 1u);
    EXPECT_EQ(news[0]->windowTitle(), QStringLiteral("Новости"));
    EXPECT_EQ(news[0]->TitleLabel()->text(), QStringLiteral("Новостей нет"));
    EXPECT_EQ(news[0]->TextLabel()->text(),
              QStringLiteral("Новости с сайта программы не загружены."));
    EXPECT_EQ(news[0]->DateLabel()->text(), QString());
    EXPECT_FALSE(news[0]->NextLabel()->isEnabled());
    EXPECT_EQ(LastNewsId, 0);
    news[0]->HelpContextAction()->trigger();
    EXPECT_EQ(HelpTopicShown(), QStringLiteral("News"));

    // A second command brings the open window to the front.
    Main().OpenNewsDlg();
    EXPECT_EQ(Main().FindMDIChildren<TfrmNews>().size(), 1u);

    // The news file of the site, here a local file.
    QFile file(FProgramDir.filePath(QStringLiteral("news.ini")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[NS0]\nToken=3\nTitle=Старая\nText=Раньше\nDate=01.02.2024\n"
               "[NS1]\nToken=9\nTitle=Версия 1.0.4\nText=Вышла новая версия.\nDate=15.03.2024\n"
               "[NS2]\nToken=5\nTitle=Средняя\nText=Между\nDate=01.03.2024\n");
    file.close();
    ICEnable = true;
    dmMain->SetNewsUrl(QUrl::fromLocalFile(file.fileName()).toString());
    ASSERT_TRUE(dmMain->LoadNewsInfo(false));

    news[0]->CloseWindow();
    Settle();
    Main().OpenNewsDlg();
    news = Main().FindMDIChildren<TfrmNews>();
    ASSERT_EQ(news.size(), 1u);
    EXPECT_EQ(news[0]->TitleLabel()->text(), QStringLiteral("Версия 1.0.4"));
    EXPECT_EQ(news[0]->TextLabel()->text(), QStringLiteral("Вышла новая версия."));
    EXPECT_EQ(news[0]->DateLabel()->text(), QStringLiteral("15.03.2024"));
    EXPECT_EQ(LastNewsId, 9);
    EXPECT_EQ(dmMain->LastShowNewsToken(), 9);
}

TEST_F(SmallWindowsTest, DebugCommandKeepsOneEmptyConsoleThatClosingAllLeavesOpen) {
    Main().show();
    ASSERT_TRUE(MainAction("mmiDebug")->isEnabled());
    MainAction("mmiDebug")->trigger();
    auto consoles = Main().FindMDIChildren<T_frmDebug>();
    ASSERT_EQ(consoles.size(), 1u);
    T_frmDebug* console = consoles[0];
    EXPECT_EQ(console->windowTitle(), QStringLiteral("Debug"));
    EXPECT_TRUE(console->DebugMemo()->isReadOnly());
    EXPECT_TRUE(console->DebugMemo()->toPlainText().isEmpty());
    EXPECT_GE(console->minimumWidth(), 300);

    // Another window in front, then the command again: the same console comes to the front.
    OpenChild<TTestChild>(ckListWindow, QStringLiteral("Список"));
    MainAction("mmiDebug")->trigger();
    EXPECT_EQ(Main().FindMDIChildren<T_frmDebug>().size(), 1u);
    EXPECT_EQ(Main().MDIArea()->activeSubWindow(), console->SubWindow());

    QPointer<T_frmDebug> kept = console;
    Main().OpenNewsDlg();
    Main().CloseAllWindow();
    Settle();
    EXPECT_FALSE(kept.isNull());
    EXPECT_EQ(Main().FindMDIChildren<TfrmNews>().size(), 1u);
    EXPECT_EQ(Main().MDIChildCount(), 2);
}

#include "SmallWindowsTest.moc"
