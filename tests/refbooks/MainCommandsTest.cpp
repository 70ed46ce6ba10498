// The main window's commands for the list windows: each opens its window once and brings it to
// the front after that; commands whose windows are not part of the program stay disabled.

#include "tests/refbooks/RefBooksTestSupport.h"

#include "refbooks/KVReferenceBooks.h"
#include "shell/frmDebug.h"

#include <QAction>

class MainCommandsTest : public TRefBookTest {
protected:
    void SetUp() override {
        TRefBookTest::SetUp();
        RegisterReferenceBookWindows();
    }
    void TearDown() override {
        TRefBookTest::TearDown();
        ClearBookWindows();
    }
    QAction* Action(const char* AName) {
        QAction* action = Main().findChild<QAction*>(QLatin1String(AName));
        EXPECT_NE(action, nullptr) << AName;
        return action;
    }
    QToolButton* ToolButton(const char* AName) {
        auto* button = Main().findChild<QToolButton*>(QLatin1String(AName));
        EXPECT_NE(button, nullptr) << AName;
        return button;
    }
    QWidget* ActiveChild() {
        QMdiSubWindow* sub = Main().MDIArea()->activeSubWindow();
        return sub ? sub->widget() : nullptr;
    }
};

TEST_F(MainCommandsTest, ABookCommandOpensOneWindowAndThenBringsItToTheFront) {
    DB();
    AddUnit(1011, 1, QStringLiteral("В"), QStringLiteral("Вольт"));
    ASSERT_TRUE(Action("mmiRB_Unit")->isEnabled());
    ASSERT_TRUE(ToolButton("RBUnit_ToolButton")->isEnabled());

    Action("mmiRB_Unit")->trigger();
    std::vector<TfrmUnit*> hosts = Main().FindMDIChildren<TfrmUnit>();
    ASSERT_EQ(hosts.size(), 1u);
    EXPECT_EQ(hosts[0]->BookFrame()->Model()->Count(), 1);

    // Another window comes to the front; the command and the button bring the list back.
    OpenDebugWindow();
    ASSERT_NE(ActiveChild(), hosts[0]);
    Action("mmiRB_Unit")->trigger();
    EXPECT_EQ(Main().FindMDIChildren<TfrmUnit>().size(), 1u);
    EXPECT_EQ(ActiveChild(), hosts[0]);
    OpenDebugWindow();
    ToolButton("RBUnit_ToolButton")->click();
    EXPECT_EQ(Main().FindMDIChildren<TfrmUnit>().size(), 1u);
    EXPECT_EQ(ActiveChild(), hosts[0]);

    // Closed, the next command opens a new one.
    ASSERT_TRUE(hosts[0]->CloseWindow());
    Settle();
    Main().OpenReferenceBook_Units();
    EXPECT_EQ(Main().FindMDIChildren<TfrmUnit>().size(), 1u);
}

TEST_F(MainCommandsTest, NothingOpensWithoutADataBaseAndCommandsWithoutWindowsStayDisabled) {
    Main().OpenReferenceBook_Units();
    EXPECT_TRUE(Main().FindMDIChildren<TfrmUnit>().empty());

    DB();
    for (const char* name :
         {"mmiRB_ElementAvail", "mmiRB_Note", "mmiRB_ProjectInProgress", "mmiRB_ProjectArchive",
          "mmiFindOnElementTypeName", "mmiSearchParam", "mmiSearchRevDate", "mmiImport",
          "mmiExport", "mmiDeletePackage", "mmiImportPrice", "mmiFavorite", "mmiReports",
          "pmiFindOnElementAvailName", "pmiImport", "pmiNewElementAvail"})
        EXPECT_FALSE(Action(name)->isEnabled()) << name;
    for (const char* name : {"RBElemAvail_ToolButton", "RBNote_ToolButton", "RBProject_ToolButton"})
        EXPECT_FALSE(ToolButton(name)->isEnabled()) << name;
    // A disabled command that is called anyway opens nothing.
    Main().OpenReferenceBook_Notes();
    EXPECT_EQ(Main().MDIChildCount(), 0);
}
