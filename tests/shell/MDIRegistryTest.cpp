// The registry of child windows: the Window menu and its pop-up copy as children open, are
// activated, renamed and closed; the typed search; closing all windows; the card's caption
// marks, save question and forced close.

#include "tests/shell/ShellTestSupport.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTest>

namespace {

struct TMenuEntry {
    QString Caption;
    bool Checked;
    bool operator==(const TMenuEntry&) const = default;
};

void PrintTo(const TMenuEntry& AEntry, std::ostream* AOut) {
    *AOut << AEntry.Caption.toStdString() << (AEntry.Checked ? " [x]" : " [ ]");
}

} // namespace

class MDIRegistryTest : public TMainWindowTest {
protected:
    void SetUp() override {
        TMainWindowTest::SetUp();
        Main().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Main()));
    }

    // The registry entries of a window menu (the items after its end separator).
    std::vector<TMenuEntry> Entries(const char* AMenu) {
        std::vector<TMenuEntry> entries;
        bool afterEnd = false;
        for (QAction* item : MainMenu(AMenu)->actions()) {
            if (afterEnd)
                entries.push_back({item->text(), item->isChecked()});
            if (item->objectName() == QLatin1String("mmiDiv5_2") ||
                item->objectName() == QLatin1String("pmiDiv2"))
                afterEnd = true;
        }
        return entries;
    }
    // Both menus hold AExpected; the fixed items are enabled and the end separators shown
    // exactly when AExpected is not empty.
    void ExpectRegistry(const std::vector<TMenuEntry>& AExpected) {
        EXPECT_EQ(Entries("mmiWindow"), AExpected);
        EXPECT_EQ(Entries("Windows_PopupMenu"), AExpected);
        const bool any = !AExpected.empty();
        for (const char* name :
             {"mmiCascadeWin", "mmiTileHorWin", "mmiTileVertWin", "mmiArrangeIconWin", "mmiPrevWin",
              "mmiNextWin", "mmiCloseAllWin", "pmiCascadeWin", "pmiTileHorWin", "pmiTileVertWin",
              "pmiArrangeIconWin", "pmiPrevWin", "pmiNextWin", "pmiCloseAllWin"})
            EXPECT_EQ(MainAction(name)->isEnabled(), any) << name;
        EXPECT_EQ(MainAction("mmiDiv5_2")->isVisible(), any);
        EXPECT_EQ(MainAction("pmiDiv2")->isVisible(), any);
    }
    // Lets closed sub-windows go.
    void Settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

TEST_F(MDIRegistryTest, WindowMenusFollowChildrenOpeningActivatedRenamedAndClosed) {
    ExpectRegistry({});

    TTestChild* classes = OpenChild<TTestChild>(ckListWindow, QStringLiteral("Классы"));
    ExpectRegistry({{"Классы", true}});
    TTestChild* makers = OpenChild<TTestChild>(ckListWindow, QStringLiteral("R&D - Производители"));
    ExpectRegistry({{"Классы", false}, {"R&&D - Производители", true}});
    EXPECT_EQ(Main().MDIChildCount(), 2);

    // The entry of the Window menu brings its window to the front and is checked.
    QAction* first = nullptr;
    for (QAction* item : MainMenu("mmiWindow")->actions())
        if (item->text() == QStringLiteral("Классы"))
            first = item;
    ASSERT_NE(first, nullptr);
    first->trigger();
    EXPECT_EQ(Main().MDIArea()->activeSubWindow(), classes->SubWindow());
    ExpectRegistry({{"Классы", true}, {"R&&D - Производители", false}});

    // A new caption reaches the menus when the child says so.
    classes->setWindowTitle(QStringLiteral("Классы элементов"));
    EXPECT_EQ(Entries("mmiWindow")[0].Caption, QStringLiteral("Классы"));
    Main().SetNameMDIForm(classes);
    ExpectRegistry({{"Классы элементов", true}, {"R&&D - Производители", false}});

    // Closed through its sub-window.
    ASSERT_TRUE(makers->SubWindow()->close());
    Settle();
    ExpectRegistry({{"Классы элементов", true}});
    EXPECT_EQ(Main().MDIChildCount(), 1);

    // Closed directly: the sub-window goes with it.
    QPointer<QMdiSubWindow> sub = classes->SubWindow();
    ASSERT_TRUE(classes->close());
    Settle();
    ExpectRegistry({});
    EXPECT_TRUE(sub.isNull());
    EXPECT_TRUE(Main().MDIArea()->subWindowList().isEmpty());
}

TEST_F(MDIRegistryTest, CtrlEnterClosesTheChild) {
    TTestChild* child = OpenChild<TTestChild>(ckListWindow, QStringLiteral("Корпуса"));
    QPointer<QMdiSubWindow> sub = child->SubWindow();
    Main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
    child->Edit()->setFocus();
    QTest::keyClick(child->Edit(), Qt::Key_Return, Qt::ControlModifier);
    Settle();
    EXPECT_TRUE(sub.isNull());
    ExpectRegistry({});
}

TEST_F(MDIRegistryTest, FindsOpenChildrenByClassAndKey) {
    OpenChild<TTestChild>(ckListWindow, QStringLiteral("a"), 1);
    OpenChild<TTestChild>(ckListWindow, QStringLiteral("b"), 2);
    OpenChild<TOtherTestChild>(ckListWindow, QStringLiteral("c"), 2);
    OpenChild<TTestCard>(QStringLiteral("d"));

    const auto byKey = [](quint32 AKey) {
        return [AKey](const TTestChild& c) { return c.Key() == AKey; };
    };
    // A subclass counts as its base class; another class does not.
    EXPECT_EQ(Main().FindMDIChildren<TTestChild>(byKey(2)).size(), 2u);
    const auto others = Main().FindMDIChildren<TOtherTestChild>(byKey(2));
    ASSERT_EQ(others.size(), 1u);
    EXPECT_EQ(others[0]->windowTitle(), QStringLiteral("c"));
    EXPECT_TRUE(Main().FindMDIChildren<TOtherTestChild>(byKey(1)).empty());
    EXPECT_EQ(Main().FindMDIChildren<TKVCard>().size(), 1u);

    // Bringing to the front: the last one matched ends up active.
    EXPECT_TRUE(Main().BringToFrontMDIChildren<TTestChild>(byKey(1)));
    EXPECT_EQ(Main().MDIArea()->activeSubWindow()->windowTitle(), QStringLiteral("a"));
    EXPECT_FALSE(Main().BringToFrontMDIChildren<TTestChild>(byKey(7)));
}

TEST_F(MDIRegistryTest, CloseAllWindowDropsCardEditsWithoutAskingAndKeepsOtherWindows) {
    QStringList asked;
    TMessageDlgResponderScope responder([&](const TMessageDlgRequest& ARequest) {
        asked << ARequest.Text;
        return mrYes;
    });
    QPointer<TTestChild> list = OpenChild<TTestChild>(ckListWindow, QStringLiteral("Список"));
    QPointer<TTestChild> report = OpenChild<TTestChild>(ckReport, QStringLiteral("Отчет"));
    QPointer<TTestChild> guide = OpenChild<TTestChild>(ckOther, QStringLiteral("Как использовать"));
    QPointer<TTestCard> modified = OpenChild<TTestCard>(QStringLiteral("Резистор"));
    modified->SetModifedData(true);
    QPointer<TTestCard> clean = OpenChild<TTestCard>(QStringLiteral("Диод"));
    EXPECT_TRUE(Main().IsOpenedRBWindow());

    Main().CloseAllWindow();
    Settle();
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_TRUE(list.isNull());
    EXPECT_TRUE(report.isNull());
    EXPECT_TRUE(modified.isNull());
    EXPECT_TRUE(clean.isNull());
    ASSERT_FALSE(guide.isNull());
    EXPECT_EQ(Main().MDIChildren(), QList<TKVMDIChild*>{guide.data()});
    ExpectRegistry({{"Как использовать", true}});
    EXPECT_FALSE(Main().IsOpenedRBWindow());

    // The report window alone is no reference-book window.
    OpenChild<TTestChild>(ckReport, QStringLiteral("Отчет"));
    EXPECT_FALSE(Main().IsOpenedRBWindow());
}

TEST_F(MDIRegistryTest, CardCaptionShowsModifiedAndReadOnlyMarks) {
    TTestCard* card = OpenChild<TTestCard>(QStringLiteral("Резистор"));
    EXPECT_EQ(card->windowTitle(), QStringLiteral("Резистор"));
    card->SetModifedData(true);
    EXPECT_TRUE(card->ModifedData());
    EXPECT_EQ(card->windowTitle(), QStringLiteral("Резистор *"));
    card->ReadOnlyCard = true;
    card->SetModifedData(false);
    EXPECT_EQ(card->windowTitle(), QStringLiteral("Резистор (только просмотр)"));
    // Setting the name stores it only; the menus take the caption when told.
    card->SetCardName(QStringLiteral("Конденсатор"));
    EXPECT_EQ(card->windowTitle(), QStringLiteral("Резистор (только просмотр)"));
    card->SetModifedData(true);
    EXPECT_EQ(card->windowTitle(), QStringLiteral("Конденсатор *"));
    EXPECT_EQ(Entries("mmiWindow")[0].Caption, QStringLiteral("Резистор"));

    // Option ReadOnly makes every card read-only.
    card->ReadOnlyCard = false;
    ReadOnly = true;
    EXPECT_TRUE(card->ReadOnly());
    ReadOnly = false;
    EXPECT_FALSE(card->ReadOnly());
}

TEST_F(MDIRegistryTest, ModifiedCardAsksBeforeClosing) {
    const struct {
        int Answer;
        bool SaveResult;
        bool Closed;
        int Saves;
    } cases[] = {
        {mrCancel, true, false, 0},
        {mrNo, true, true, 0},
        {mrYes, false, false, 1},
        {mrYes, true, true, 1},
    };
    for (const auto& c : cases) {
        QStringList asked;
        TMessageDlgResponderScope responder([&](const TMessageDlgRequest& ARequest) {
            asked << ARequest.Text;
            EXPECT_EQ(ARequest.Kind, mdkConfirmation);
            EXPECT_EQ(ARequest.Buttons, mdbYes | mdbNo | mdbCancel);
            return c.Answer;
        });
        QPointer<TTestCard> card = OpenChild<TTestCard>(QStringLiteral("Резистор"));
        card->SaveResult = c.SaveResult;
        card->SetModifedData(true);
        EXPECT_EQ(card->CloseWindow(), c.Closed) << c.Answer;
        Settle();
        EXPECT_EQ(asked, QStringList{QStringLiteral("Cохранить изменения в карточке?")});
        EXPECT_EQ(card.isNull(), c.Closed) << c.Answer;
        if (card) {
            EXPECT_EQ(card->SaveCount, c.Saves);
            EXPECT_TRUE(card->ModifedData());
            EXPECT_EQ(Entries("mmiWindow").size(), 1u);
            card->ForciblyCloseItem();
            Settle();
            EXPECT_TRUE(card.isNull());
        }
        ExpectRegistry({});
    }

    // An unmodified card closes without a question; Ctrl+Enter goes through the question.
    QStringList asked;
    TMessageDlgResponderScope responder([&](const TMessageDlgRequest& ARequest) {
        asked << ARequest.Text;
        return mrCancel;
    });
    QPointer<TTestCard> card = OpenChild<TTestCard>(QStringLiteral("Диод"));
    card->SetModifedData(true);
    Main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
    card->Edit()->setFocus();
    QTest::keyClick(card->Edit(), Qt::Key_Enter, Qt::ControlModifier);
    EXPECT_EQ(asked.size(), 1);
    ASSERT_FALSE(card.isNull());
    card->SetModifedData(false);
    EXPECT_TRUE(card->CloseWindow());
    EXPECT_EQ(asked.size(), 1);
}
