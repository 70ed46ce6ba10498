#include "platform/help/HelpPages.h"
#include "shell/KVShellUserInterface.h"
#include "shell/frmHelp.h"
#include "shell/uHelpContext.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

// The keywords the program's windows open help with.
const QStringList kTopics = {
    "CardBaseParam",
    "CardCase",
    "CardClass",
    "CardElementAnalog",
    "CardElementAvail",
    "CardElementSupplier",
    "CardElementType",
    "CardElementTypeSummary",
    "CardMaker",
    "CardNote",
    "CardParam",
    "CardPin",
    "CardProject",
    "CardProjectItem",
    "CardStorage",
    "CardSupplier",
    "CardUnit",
    "CaseMountType",
    "CaseVisual",
    "Connect",
    "DBAlias",
    "DBInfo",
    "DBRemoteAccess",
    "DeletePackage",
    "ElementAvailNominalSearch",
    "ElementAvailRevDateSearch",
    "ElementFind",
    "ElementParamSearch",
    "ExportData",
    "ExportDataToFile",
    "Favorites",
    "IconDescEdit",
    "ImportData",
    "ImportPrice",
    "ImportProjectItem",
    "InputRepVal",
    "ItemInfo",
    "News",
    "OpenDataMode",
    "PackageInfo",
    "Plugins",
    "RBBaseParam",
    "RBCase",
    "RBClass",
    "RBElementAnalog",
    "RBElementAvail",
    "RBElementSupplier",
    "RBElementType",
    "RBMaker",
    "RBNote",
    "RBParam",
    "RBPin",
    "RBProject",
    "RBProjectItem",
    "RBStorage",
    "RBSupplier",
    "RBUnit",
    "Reports",
    "Setup",
    "TDBAConnect",
    "UserListEdit",
    "ValuePrecission",
    "Version",
    "WhatsNew",
};

QString ReadPage(const QString& ATopic) {
    QFile f(HelpTopicResource(ATopic));
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.readAll());
}

QString PlainText(const QString& AHtml) {
    QString body = AHtml;
    body.remove(QRegularExpression(QStringLiteral("<head>.*</head>"),
                                   QRegularExpression::DotMatchesEverythingOption));
    body.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    return body.simplified();
}

// Closes the help window that a test left open, so that each test starts without one.
class HelpWindowTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (TfrmHelp* w = HelpWindow())
            w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_EQ(HelpWindow(), nullptr);
    }
};

} // namespace

TEST(HelpPages, EveryKeywordHasARussianPage) {
    InitHelpPages();
    EXPECT_EQ(HelpTopics(), kTopics);
    const QRegularExpression title(QStringLiteral("<title>([^<]*)</title>"));
    const QRegularExpression cyrillic(QStringLiteral("^[А-Яа-яЁё][А-Яа-яЁё0-9 ,.:()«»\\-–—]*$"));
    for (const QString& topic : kTopics) {
        SCOPED_TRACE(topic.toStdString());
        ASSERT_TRUE(HelpTopicExists(topic));
        const QString html = ReadPage(topic);
        EXPECT_TRUE(html.contains(QStringLiteral("charset=utf-8"), Qt::CaseInsensitive));
        const auto m = title.match(html);
        ASSERT_TRUE(m.hasMatch());
        EXPECT_TRUE(cyrillic.match(m.captured(1)).hasMatch()) << m.captured(1).toStdString();
        // Real help, not a stub: a few paragraphs of text.
        EXPECT_GT(PlainText(html).size(), 400) << PlainText(html).toStdString();
        EXPECT_FALSE(html.contains(QStringLiteral("\uFFFD"))) << "not valid UTF-8";
    }
}

TEST(HelpPages, LinksLeadToExistingPagesAndContentsListsEveryTopic) {
    InitHelpPages();
    const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
    QStringList pages = kTopics;
    pages << HelpContentsTopic;
    for (const QString& page : pages) {
        SCOPED_TRACE(page.toStdString());
        const QString html = ReadPage(page);
        ASSERT_FALSE(html.isEmpty());
        for (auto it = href.globalMatch(html); it.hasNext();) {
            const QString target = it.next().captured(1);
            if (target == QStringLiteral("style.css"))
                continue;
            ASSERT_TRUE(target.endsWith(QStringLiteral(".htm"))) << target.toStdString();
            EXPECT_TRUE(HelpTopicExists(target.chopped(4))) << target.toStdString();
        }
    }
    const QString contents = ReadPage(HelpContentsTopic);
    for (const QString& topic : kTopics)
        EXPECT_TRUE(contents.contains(QStringLiteral("href=\"%1.htm\"").arg(topic)))
            << topic.toStdString();
    EXPECT_TRUE(QFile::exists(QStringLiteral(":/help/style.css")));
}

TEST(HelpPages, KeywordNamesAPageNeverAPath) {
    EXPECT_EQ(HelpTopicResource(QStringLiteral("RBClass")), QStringLiteral(":/help/RBClass.htm"));
    EXPECT_EQ(HelpTopicUrl(QStringLiteral("RBClass")),
              QUrl(QStringLiteral("qrc:/help/RBClass.htm")));
    for (const char* bad : {"", "../help/RBClass", "help/RBClass", "RB Class", "RBClass.htm"}) {
        SCOPED_TRACE(bad);
        EXPECT_TRUE(HelpTopicResource(QString::fromUtf8(bad)).isEmpty());
        EXPECT_FALSE(HelpTopicExists(QString::fromUtf8(bad)));
    }
    EXPECT_FALSE(HelpTopicExists(QStringLiteral("NoSuchTopic")));
}

TEST(HelpPages, DatabaseLockPageNamesTheLockFile) {
    EXPECT_TRUE(ReadPage(QStringLiteral("DBRemoteAccess")).contains(QStringLiteral(".dblock")));
    EXPECT_TRUE(ReadPage(QStringLiteral("WhatsNew")).contains(QStringLiteral("1.0.4")));
}

TEST_F(HelpWindowTest, ShowsTheTopicAndReusesTheWindow) {
    ShowHelpTopic(QStringLiteral("RBClass"));
    QPointer<TfrmHelp> window = HelpWindow();
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isModal());
    EXPECT_TRUE(window->isWindow());
    EXPECT_EQ(window->CurrentTopic(), QStringLiteral("RBClass"));
    const QString title = window->Browser()->documentTitle();
    EXPECT_FALSE(title.isEmpty());
    EXPECT_TRUE(window->windowTitle().contains(title));
    EXPECT_TRUE(window->Browser()->toPlainText().contains(title));

    ShowHelpTopic(QStringLiteral("CardClass"));
    EXPECT_EQ(HelpWindow(), window.data());
    EXPECT_EQ(window->CurrentTopic(), QStringLiteral("CardClass"));

    // Back returns to the page before.
    window->Browser()->backward();
    EXPECT_EQ(window->CurrentTopic(), QStringLiteral("RBClass"));

    // A closed window is freed; the next topic opens a new one.
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(window);
    EXPECT_EQ(HelpWindow(), nullptr);
    ShowHelpContents();
    ASSERT_NE(HelpWindow(), nullptr);
    EXPECT_EQ(HelpWindow()->CurrentTopic(), HelpContentsTopic);
}

TEST_F(HelpWindowTest, LinksBetweenPagesWork) {
    ShowHelpContents();
    TfrmHelp* window = HelpWindow();
    ASSERT_NE(window, nullptr);
    // A relative link of the contents page, as a click on it follows it.
    window->Browser()->setSource(QUrl(QStringLiteral("RBMaker.htm")));
    EXPECT_EQ(window->CurrentTopic(), QStringLiteral("RBMaker"));
    EXPECT_FALSE(window->Browser()->toPlainText().isEmpty());

    // Keyboard: Tab selects the first link of the page, Enter follows it.
    ShowHelpContents();
    window->Browser()->setFocus();
    QTest::keyClick(window->Browser(), Qt::Key_Tab);
    const QString anchor = window->Browser()->textCursor().charFormat().anchorHref();
    ASSERT_TRUE(anchor.endsWith(QStringLiteral(".htm"))) << anchor.toStdString();
    QTest::keyClick(window->Browser(), Qt::Key_Return);
    EXPECT_EQ(window->CurrentTopic() + QStringLiteral(".htm"), anchor);
}

TEST_F(HelpWindowTest, MissingTopicShowsAClearMessage) {
    ShowHelpTopic(QStringLiteral("NoSuchTopic"));
    TfrmHelp* window = HelpWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    const QString text = window->Browser()->toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("Раздел справки «NoSuchTopic» отсутствует.")))
        << text.toStdString();
    EXPECT_EQ(window->CurrentTopic(), QString());

    // A keyword that cannot name a page, and a link to a page that does not exist.
    ShowHelpTopic(QStringLiteral("../x"));
    EXPECT_TRUE(window->Browser()->toPlainText().contains(QStringLiteral("«../x»")));
    ShowHelpTopic(QStringLiteral("RBUnit"));
    window->Browser()->setSource(QUrl(QStringLiteral("Nowhere.htm")));
    EXPECT_TRUE(window->Browser()->toPlainText().contains(QStringLiteral("«Nowhere»")));
    // The window still works after the message.
    ShowHelpTopic(QStringLiteral("RBUnit"));
    EXPECT_EQ(window->CurrentTopic(), QStringLiteral("RBUnit"));
}

namespace {

// Records whether a window is blocked by a modal window at the moment.
class TBlockWatch : public QObject {
public:
    bool Blocked = false;
    bool eventFilter(QObject*, QEvent* AEvent) override {
        if (AEvent->type() == QEvent::WindowBlocked)
            Blocked = true;
        else if (AEvent->type() == QEvent::WindowUnblocked)
            Blocked = false;
        return false;
    }
};

} // namespace

TEST_F(HelpWindowTest, HelpFromAModalDialogStaysUsable) {
    ShowHelpTopic(QStringLiteral("RBClass"));
    TfrmHelp* window = HelpWindow();
    ASSERT_NE(window, nullptr);
    TBlockWatch watch;
    window->installEventFilter(&watch);

    auto* dlg = new QDialog;
    dlg->setWindowModality(Qt::ApplicationModal);
    dlg->show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(watch.Blocked) << "a help window opened before the dialog waits for it";

    ShowHelpTopic(QStringLiteral("Connect"));
    QCoreApplication::processEvents();
    EXPECT_EQ(HelpWindow(), window);
    EXPECT_FALSE(watch.Blocked) << "help asked for from the dialog can be read at once";

    delete dlg;
    QCoreApplication::processEvents();
    EXPECT_FALSE(watch.Blocked);
    EXPECT_TRUE(window->isVisible());
    window->removeEventFilter(&watch);
}

TEST_F(HelpWindowTest, ShellUserInterfaceOpensHelp) {
    TKVShellUserInterface ui;
    ui.ShowHelpTopic(QStringLiteral("DBInfo"));
    ASSERT_NE(HelpWindow(), nullptr);
    EXPECT_EQ(HelpWindow()->CurrentTopic(), QStringLiteral("DBInfo"));
}

TEST(ShellUserInterface, SystemErrorBox) {
    auto box = TKVShellUserInterface::CreateSystemErrorBox(QStringLiteral("EIBError"),
                                                           QStringLiteral("<нет> связи"), true);
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("EIBError"));
    EXPECT_EQ(box->text(), QStringLiteral("<нет> связи"));
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    EXPECT_EQ(box->parentWidget(), nullptr) << "no main window yet";

    QMainWindow main;
    main.show();
    box =
        TKVShellUserInterface::CreateSystemErrorBox(QStringLiteral("E"), QStringLiteral("t"), true);
    EXPECT_EQ(box->parentWidget(), &main);
    box = TKVShellUserInterface::CreateSystemErrorBox(QStringLiteral("E"), QStringLiteral("t"),
                                                      false);
    EXPECT_EQ(box->parentWidget(), nullptr);
}
