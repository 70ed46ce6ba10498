// The first-start guide: its pages and button, its links, its check box that turns the guide
// off for the next connect, its place in the workspace, and the commands that open it.

#include "tests/shell/ShellTestSupport.h"

#include "shell/frmAbout.h"
#include "shell/frmHelp.h"
#include "shell/frmOptions.h"
#include "shell/frmTutorial.h"
#include "shell/uHelpContext.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QUrl>

namespace {

// Records the addresses handed to the desktop instead of opening them.
class TForumRecorder : public QObject {
    Q_OBJECT
public:
    TForumRecorder() { QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "Open"); }
    ~TForumRecorder() override { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }
    QStringList Urls;

public slots:
    void Open(const QUrl& AUrl) { Urls << AUrl.toString(); }
};

} // namespace

class TutorialTest : public TMainWindowTest {
protected:
    void TearDown() override {
        if (TfrmHelp* help = HelpWindow())
            delete help;
        TMainWindowTest::TearDown();
    }
    void Settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    std::vector<TfrmTutopial*> Guides() { return Main().FindMDIChildren<TfrmTutopial>(); }
    TfrmTutopial* OpenGuide() {
        MainAction("mmiHelp_Tutopial")->trigger();
        const auto guides = Guides();
        EXPECT_EQ(guides.size(), 1u);
        return guides.empty() ? nullptr : guides[0];
    }
};

TEST_F(TutorialTest, ButtonWalksWelcomeSetupAndInformationThenCloses) {
    Main().show();
    ASSERT_TRUE(MainAction("mmiHelp_Tutopial")->isEnabled());
    QPointer<TfrmTutopial> guide = OpenGuide();
    ASSERT_TRUE(guide);
    EXPECT_EQ(guide->windowTitle(), QStringLiteral("Как использовать программу?"));
    EXPECT_EQ(guide->size(), QSize(594, 225));
    EXPECT_EQ(guide->ChildKind(), ckOther);
    EXPECT_EQ(guide->PagesNotebook()->count(), 4);
    const char* names[] = {"WELCOME", "SETUP", "IMPORT_LOCAL_DATA", "ADD_INFO"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(guide->PagesNotebook()->widget(i)->objectName(), QLatin1String(names[i]));

    const struct {
        int Page;
        const char* Title;
        const char* Button;
    } steps[] = {
        {TfrmTutopial::pgWelcome, "Добро пожаловать в программу «Корвант»!", "Далее"},
        {TfrmTutopial::pgSetup, "Настройка программы", "Далее"},
        {TfrmTutopial::pgAddInfo, "Информация по программе", "Закрыть"},
    };
    for (const auto& step : steps) {
        ASSERT_TRUE(guide);
        EXPECT_EQ(guide->CurrentPage(), step.Page);
        EXPECT_EQ(guide->TitlePanel()->text(), QString::fromUtf8(step.Title));
        EXPECT_EQ(guide->CommBtn()->text(), QString::fromUtf8(step.Button));
        EXPECT_TRUE(guide->CommBtn()->isEnabled());
        QTest::mouseClick(guide->CommBtn(), Qt::LeftButton);
    }
    Settle();
    EXPECT_TRUE(guide.isNull());
    EXPECT_EQ(Main().MDIChildCount(), 0);
    EXPECT_FALSE(DisableMaster);

    // Nothing leads to the import page, and there the button stays.
    guide = OpenGuide();
    guide->ShowPage(TfrmTutopial::pgImportLocalData);
    EXPECT_EQ(guide->TitlePanel()->text(), QStringLiteral("Импорт данных"));
    guide->CommBtnClick();
    EXPECT_EQ(guide->CurrentPage(), TfrmTutopial::pgImportLocalData);
}

TEST_F(TutorialTest, LinksOpenHelpTheOptionsAndTheForum) {
    Main().show();
    TfrmTutopial* guide = OpenGuide();
    guide->ShowPage(TfrmTutopial::pgSetup);
    const auto link = [&](const char* AName) {
        auto* label = guide->findChild<TKVLinkLabel*>(QLatin1String(AName));
        EXPECT_NE(label, nullptr) << AName;
        return label;
    };
    EXPECT_EQ(link("SetupHelp_Label")->text(), QStringLiteral("Подробнее о настройках"));
    QTest::mouseClick(link("SetupHelp_Label"), Qt::LeftButton);
    EXPECT_EQ(HelpWindow()->CurrentTopic(), QStringLiteral("Setup"));

    bool setupShown = false;
    AnswerModal<TfrmSetup>([&](TfrmSetup* ADialog) {
        setupShown = true;
        ADialog->reject();
    });
    QTest::mouseClick(link("Setup_Label"), Qt::LeftButton);
    EXPECT_TRUE(setupShown);

    guide->ShowPage(TfrmTutopial::pgAddInfo);
    QTest::mouseClick(link("AddInfoHelp_Label"), Qt::LeftButton);
    EXPECT_EQ(HelpWindow()->CurrentTopic(), QStringLiteral("index"));
    TForumRecorder forum;
    QTest::mouseClick(link("AddInfoForum_Label"), Qt::LeftButton);
    EXPECT_EQ(forum.Urls, QStringList{TfrmTutopial::ForumUrl});

    // Each link stands under the control above it.
    EXPECT_GT(link("AddInfoForum_Label")->y(), link("AddInfoHelp_Label")->y());
    EXPECT_TRUE(link("AddInfoHelp_Label")->font().underline());
}

TEST_F(TutorialTest, ConnectingToTheStartedDatabaseOpensOneGuideUntilItIsTurnedOff) {
    TTestDataBase started(1);
    Main().show();
    ConnectThroughDialog(started.FileName());
    ASSERT_TRUE(dmMain->DBConnected());
    ASSERT_EQ(Guides().size(), 1u);
    EXPECT_FALSE(Guides()[0]->DisableCheckBox()->isChecked());

    // Connecting again while connected: the same guide comes to the front.
    OpenChild<TTestChild>(ckListWindow, QStringLiteral("Список"));
    Main().ConnectDB();
    ASSERT_EQ(Guides().size(), 1u);
    EXPECT_EQ(Main().MDIArea()->activeSubWindow(), Guides()[0]->SubWindow());
    // The help command too.
    MainAction("mmiHelp_Tutopial")->trigger();
    EXPECT_EQ(Guides().size(), 1u);

    // Ticked and closed on its first page: the option is on, and the connect opens no guide.
    Guides()[0]->DisableCheckBox()->setChecked(true);
    Guides()[0]->CloseWindow();
    Settle();
    EXPECT_TRUE(DisableMaster);
    EXPECT_TRUE(Guides().empty());
    Main().ConnectDB();
    EXPECT_TRUE(Guides().empty());
    // The menu entry still does, with its box ticked.
    ASSERT_NE(OpenGuide(), nullptr);
    EXPECT_TRUE(Guides()[0]->DisableCheckBox()->isChecked());

    // Other databases open no guide.
    Guides()[0]->CloseWindow();
    Settle();
    DisableMaster = false;
    TMessageDlgResponderScope yes([](const TMessageDlgRequest&) { return mrYes; });
    Main().DisconnectDB();
    TTestDataBase user(1011);
    ConnectThroughDialog(user.FileName());
    ASSERT_TRUE(dmMain->DBConnected());
    EXPECT_TRUE(Guides().empty());
}

TEST_F(TutorialTest, GuideStandsInTheMiddleOfTheWorkspaceWithOrWithoutTheToolBar) {
    Main().show();
    const auto expectCentred = [&] {
        TfrmTutopial* guide = OpenGuide();
        ASSERT_NE(guide, nullptr);
        const QRect area = Main().MDIArea()->viewport()->rect();
        const QRect sub = guide->SubWindow()->geometry();
        EXPECT_LE(std::abs(sub.center().x() - area.center().x()), 1) << sub.x();
        EXPECT_LE(std::abs(sub.center().y() - area.center().y()), 1) << sub.y();
        EXPECT_FALSE(guide->SubWindow()->windowFlags() & Qt::WindowMaximizeButtonHint);
        guide->CloseWindow();
        Settle();
    };
    // Disconnected: the workspace is the client area less the status bar.
    ASSERT_FALSE(Main().ToolBarPanel()->isVisible());
    expectCentred();
    TTestDataBase db(1011);
    ConnectThroughDialog(db.FileName());
    ASSERT_TRUE(Main().ToolBarPanel()->isVisible());
    QCoreApplication::processEvents();
    expectCentred();
}

#include "TutorialTest.moc"
