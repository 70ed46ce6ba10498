// The find dialog with its pattern rules and history, and the nominal-value and revision-date
// searches of the stock, driven through the main window's commands.

#include "tests/catalogue/CatalogueTestSupport.h"

#include "catalogue/frmElementType.h"
#include "core/KVCommon.h"
#include "platform/sys/SysUtils.h"
#include "refbooks/frmUnit.h"
#include "shell/KVButtonEdit.h"
#include "shell/frmOkCancel.h"
#include "stock/KVStock.h"
#include "stock/frmElementAvail.h"
#include "stock/frmFind.h"
#include "stock/frmNominalSearch.h"
#include "stock/frmRevDateSearch.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>

namespace {

class SearchDialogTest : public TCatalogueTest {
protected:
    void SetUp() override {
        TCatalogueTest::SetUp();
        RegisterStockWindows();
        if (dmMain)
            dmMain->FindHotItems.clear();
    }
    void TearDown() override {
        if (dmMain)
            dmMain->FindHotItems.clear();
        TCatalogueTest::TearDown();
    }

    // A stock record with a free name; AUpdated empty: never updated.
    void AddAvail(quint32 AId, const QString& AName, const QString& AMarking = QString(),
                  const QVariant& ANominal = QVariant(), quint32 ANominalUnitId = 0,
                  const QString& ACreated = QStringLiteral("2024-01-10 10:00:00"),
                  const QString& AUpdated = QString()) {
        Exec(
            QStringLiteral("INSERT INTO T_ELEMENT_AVAIL (ID, S_TYPENAME, S_MARKING, V_COUNT_FLOAT, "
                           "V_NOMINAL, UNITNOMDBID, UNITNOMID, V_FLAG, C_TIMESTAMP, U_TIMESTAMP) "
                           "VALUES (%1, %2, %3, 1, %4, %5, %6, 0, %7, %8)"),
            {AId, AName, AMarking.isEmpty() ? Null() : QVariant(AMarking), ANominal,
             ANominalUnitId ? QVariant(1011) : Null(),
             ANominalUnitId ? QVariant(ANominalUnitId) : Null(), ACreated,
             AUpdated.isEmpty() ? Null() : QVariant(AUpdated)});
    }

    // Runs the main window's command AAction while AAnswer handles the dialog of class T.
    template <class T> void RunCommand(const char* AAction, std::function<void(T*)> AAnswer) {
        QAction* action = MainAction(AAction);
        ASSERT_NE(action, nullptr);
        ASSERT_TRUE(action->isEnabled()) << AAction;
        bool answered = false;
        AnswerModal<T>([&](T* ADialog) {
            answered = true;
            AAnswer(ADialog);
        });
        action->trigger();
        EXPECT_TRUE(answered) << AAction;
    }
    // The find command AAction with APattern typed (auto template as the dialog opens).
    void Find(const char* AAction, const QString& APattern) {
        RunCommand<TfrmFind>(AAction, [&](TfrmFind* ADialog) {
            ADialog->Find_ComboBox()->setEditText(APattern);
            ADialog->OkCancel()->OkBtn()->click();
        });
    }

    // The one open window of class T (the test closes the others before each search).
    template <class T> T* OnlyWindow() {
        const std::vector<T*> windows = Main().FindMDIChildren<T>();
        EXPECT_EQ(windows.size(), 1u);
        return windows.empty() ? nullptr : windows.front();
    }
    void CloseWindows() {
        Main().CloseAllWindow();
        Settle();
    }
    static QStringList Names(const TKVListFrame* AFrame) {
        QStringList names = Column(AFrame);
        names.sort();
        return names;
    }
};

TEST_F(SearchDialogTest, PatternsAreCheckedMadeContainsAndKeptOnceInTheHistory) {
    // Refused: nothing but blanks and stars; the check looks at the text as typed.
    for (const char* text : {"", "   ", "*", "***", " * "})
        EXPECT_FALSE(TfrmFind::CheckFindStr(QString::fromUtf8(text))) << text;
    for (const char* text : {"?", "*a", "\\*", "a"})
        EXPECT_TRUE(TfrmFind::CheckFindStr(QString::fromUtf8(text))) << text;

    const struct {
        const char* Typed;
        bool Simple;
        const char* Pattern;
    } patterns[] = {
        {"ab", true, "*ab*"},       {"  ab ", true, "*ab*"}, {"a*b", true, "*ab*"},
        {"a\\*b", true, "*a\\*b*"}, {"*ab*", true, "*ab*"},  {"a?b", true, "*a?b*"},
        {" a*b ", false, "a*b"},    {"50%_", false, "50%_"},
    };
    for (const auto& p : patterns)
        EXPECT_EQ(TfrmFind::AcceptedFindText(QString::fromUtf8(p.Typed), p.Simple),
                  QString::fromUtf8(p.Pattern))
            << p.Typed;

    // A line equal ignoring case (Cyrillic too) stays as first added and is not repeated.
    QStringList history;
    for (const char* text : {"*ab*", "*AB*", "*Резистор*", "*РЕЗИСТОР*", "*ab?*"})
        TfrmFind::AddFindHotItems(history, QString::fromUtf8(text));
    EXPECT_EQ(history, QStringList({"*ab*", "*Резистор*", "*ab?*"}));
}

TEST_F(SearchDialogTest, TheDialogRefusesEmptyPatternsAndOffersTheHistory) {
    DB();
    FindText = QStringLiteral("before");
    {
        TfrmFind dialog;
        dialog.SetFindType(ftElementAvailMarking);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Поиск элементов в наличии по маркировке"));
        EXPECT_TRUE(dialog.SimpleFind_CheckBox()->isChecked());
        EXPECT_EQ(dialog.Find_ComboBox()->count(), 0);
        dialog.show();
        // Blanks or stars only: the dialog stays open, says nothing and keeps the pattern.
        for (const char* text : {"  ", "**"}) {
            dialog.Find_ComboBox()->setEditText(QString::fromUtf8(text));
            dialog.OkCancel()->OkBtn()->click();
            EXPECT_TRUE(dialog.isVisible()) << text;
        }
        EXPECT_EQ(FindText, QStringLiteral("before"));
        EXPECT_TRUE(dmMain->FindHotItems.isEmpty());
        EXPECT_TRUE(Messages.isEmpty());
        dialog.Find_ComboBox()->setEditText(QStringLiteral(" r*10 "));
        dialog.OkCancel()->OkBtn()->click();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), mrOk);
        EXPECT_EQ(FindText, QStringLiteral("*r10*"));
    }
    {
        // The next dialog lists the history; the same pattern in capitals adds nothing.
        TfrmFind dialog;
        ASSERT_EQ(dialog.Find_ComboBox()->count(), 1);
        EXPECT_EQ(dialog.Find_ComboBox()->itemText(0), QStringLiteral("*r10*"));
        dialog.show();
        dialog.Find_ComboBox()->setEditText(QStringLiteral("R10"));
        dialog.OkCancel()->OkBtn()->click();
        EXPECT_EQ(FindText, QStringLiteral("*R10*"));
        EXPECT_EQ(dmMain->FindHotItems, QStringList({"*r10*"}));
    }
    {
        // Without the auto template the pattern is taken as typed.
        TfrmFind dialog;
        dialog.show();
        dialog.SimpleFind_CheckBox()->setChecked(false);
        dialog.Find_ComboBox()->setEditText(QStringLiteral("r?0"));
        // Enter in the pattern presses "Поиск".
        QTest::keyClick(dialog.Find_ComboBox()->lineEdit(), Qt::Key_Return);
        EXPECT_EQ(dialog.result(), mrOk);
        EXPECT_EQ(FindText, QStringLiteral("r?0"));
        EXPECT_EQ(dmMain->FindHotItems, QStringList({"*r10*", "r?0"}));
    }
    {
        // Cancel leaves FindText and the history alone.
        TfrmFind dialog;
        dialog.show();
        dialog.Find_ComboBox()->setEditText(QStringLiteral("other"));
        dialog.OkCancel()->CancelBtn()->click();
        EXPECT_EQ(dialog.result(), mrCancel);
        EXPECT_EQ(FindText, QStringLiteral("r?0"));
    }
}

TEST_F(SearchDialogTest, FindCommandsMatchWildcardAndQuoteCharactersLiterally) {
    AddClass(1, QStringLiteral("Разное"));
    const char* names[] = {"50%_/x", "50ab/x", "5012x", "O'Neil \"Q\"", "ONeil Q"};
    quint32 id = 0;
    for (const char* name : names) {
        ++id;
        AddType(id, 1, QString::fromUtf8(name), QStringLiteral("M-") + QString::fromUtf8(name));
        AddAvail(id, QString::fromUtf8(name), QStringLiteral("M-") + QString::fromUtf8(name));
    }
    DB();

    const struct {
        const char* Pattern;
        QStringList Names;
    } cases[] = {
        {"0%_", {"50%_/x"}}, // not "50ab", not "5012"
        {"%", {"50%_/x"}},
        {"_", {"50%_/x"}},
        {"/", {"50%_/x", "50ab/x"}}, // the escape character of the query itself
        {"'n", {"O'Neil \"Q\""}},
        {"\"q\"", {"O'Neil \"Q\""}},
        {"50?/", {}}, // "?" is one character: "50%_/" has two
        {"50?"
         "?/",
         {"50%_/x", "50ab/x"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Pattern);
        const QString pattern = QString::fromUtf8(c.Pattern);
        QStringList markings;
        for (const QString& name : c.Names)
            markings << QStringLiteral("M-") + name;

        CloseWindows();
        Find("mmiFindOnElementTypeName", pattern);
        if (auto* host = OnlyWindow<TfrmElementType>()) {
            EXPECT_EQ(Names(host->BookFrame()), c.Names);
        }

        CloseWindows();
        Find("mmiFindOnElementAvailName", pattern);
        if (auto* host = OnlyWindow<TfrmElementAvail>()) {
            EXPECT_EQ(host->BookFrame()->ElementTypeNameStr(), MakeContainsMask(pattern));
            EXPECT_EQ(Names(host->BookFrame()), c.Names);
        }

        CloseWindows();
        Find("mmiFindOnElementAvailMarking", pattern);
        if (auto* host = OnlyWindow<TfrmElementAvail>()) {
            EXPECT_EQ(host->BookFrame()->ListSelectDataMode(), easdmOnMarking);
        }
    }
    // The marking search of the catalogue with the characters of the query's own syntax.
    CloseWindows();
    Find("mmiFindOnElementTypeMarking", QStringLiteral("m-50%_"));
    if (auto* host = OnlyWindow<TfrmElementType>()) {
        EXPECT_EQ(Names(host->BookFrame()), QStringList({"50%_/x"}));
    }
    EXPECT_TRUE(FUI.Errors.empty());
}

TEST_F(SearchDialogTest, NominalSearchTakesBothEndsOfTheRangeAndTheUnitOnlyWhenChosen) {
    AddUnit(1011, 1, QStringLiteral("Ом"), QStringLiteral("Ом"));
    AddUnit(1011, 2, QStringLiteral("кОм"), QStringLiteral("кОм"));
    AddAvail(1, QStringLiteral("R-4.7"), {}, 4.7, 2);
    AddAvail(2, QStringLiteral("R-10"), {}, 10.0, 1);
    AddAvail(3, QStringLiteral("R-10k"), {}, 10.0, 2);
    AddAvail(4, QStringLiteral("R-10.5"), {}, 10.5, 1);
    AddAvail(5, QStringLiteral("R-4.6"), {}, 4.6, 1);
    AddAvail(6, QStringLiteral("Без номинала"));
    DB();

    // A range from 4.7 to 10: both ends are in.
    RunCommand<TfrmNominalSearch>("mmiSearchNominal", [](TfrmNominalSearch* ADialog) {
        EXPECT_EQ(ADialog->SearchType_ComboBox()->currentText(), QStringLiteral("равно"));
        EXPECT_EQ(ADialog->SearchType_Notebook()->currentWidget()->objectName(),
                  QStringLiteral("NUMERIC_VALUE"));
        // The single value, typed with a decimal comma, and the start of the range follow
        // each other.
        ADialog->NumVal_SpinEdit()->selectAll();
        QTest::keyClicks(ADialog->NumVal_SpinEdit(), QStringLiteral("4,7"));
        EXPECT_EQ(ADialog->NumVal_SpinEdit()->value(), 4.7);
        EXPECT_EQ(ADialog->BeginNumRangVal_SpinEdit()->value(), 4.7);
        ADialog->SearchType_ComboBox()->setCurrentIndex(eanstInRange);
        EXPECT_EQ(ADialog->SearchType_Notebook()->currentWidget()->objectName(),
                  QStringLiteral("NUMERIC_RANGE"));
        ADialog->EndNumRangVal_SpinEdit()->setValue(10);
        ADialog->OkCancel()->OkBtn()->click();
    });
    if (auto* host = OnlyWindow<TfrmElementAvail>()) {
        EXPECT_EQ(Names(host->BookFrame()), QStringList({"R-10", "R-10k", "R-4.7"}));
        EXPECT_EQ(host->BookFrame()->ListSelectDataMode(), easdmOnNominal);
    }

    // At least 10 in one unit, picked from the unit list; Del in the unit field clears it.
    CloseWindows();
    RunCommand<TfrmNominalSearch>("mmiSearchNominal", [](TfrmNominalSearch* ADialog) {
        ADialog->SearchType_ComboBox()->setCurrentIndex(eanstMoreOrEqual);
        ADialog->NumVal_SpinEdit()->setValue(10);
        for (int pass = 0; pass < 2; ++pass) {
            AnswerModal<TfrmSelectUnit>([](TfrmSelectUnit* APicker) {
                APicker->BookFrame()->SelectRecord(1011, 1);
                APicker->ButtonPanel()->OkBtn()->click();
            });
            ADialog->Unit_ButtonEdit()->Button()->click();
            EXPECT_EQ(ADialog->Unit_ButtonEdit()->text(), QStringLiteral("Ом"));
            if (pass == 0) {
                QTest::keyClick(ADialog->Unit_ButtonEdit()->LineEdit(), Qt::Key_Delete);
                EXPECT_EQ(ADialog->Unit_ButtonEdit()->text(), QString());
                EXPECT_EQ(ADialog->Criteria().UnitId, 0u);
            }
        }
        ADialog->OkCancel()->OkBtn()->click();
    });
    if (auto* host = OnlyWindow<TfrmElementAvail>()) {
        EXPECT_EQ(Names(host->BookFrame()), QStringList({"R-10", "R-10.5"}));
        EXPECT_EQ(host->windowTitle(),
                  QStringLiteral("больше или равно 10 Ом (Номинал) - Наличие элементов"));
    }

    // The next search starts without a unit and so searches every unit; a range whose start
    // is above its end is passed as entered and finds nothing.
    CloseWindows();
    RunCommand<TfrmNominalSearch>("mmiSearchNominal", [](TfrmNominalSearch* ADialog) {
        EXPECT_EQ(ADialog->Unit_ButtonEdit()->text(), QString());
        ADialog->SearchType_ComboBox()->setCurrentIndex(eanstLessOrEqual);
        ADialog->NumVal_SpinEdit()->setValue(4.7);
        ADialog->OkCancel()->OkBtn()->click();
    });
    if (auto* host = OnlyWindow<TfrmElementAvail>()) {
        EXPECT_EQ(Names(host->BookFrame()), QStringList({"R-4.6", "R-4.7"}));
    }
    CloseWindows();
    RunCommand<TfrmNominalSearch>("mmiSearchNominal", [](TfrmNominalSearch* ADialog) {
        ADialog->SearchType_ComboBox()->setCurrentIndex(eanstInRange);
        ADialog->BeginNumRangVal_SpinEdit()->setValue(10);
        ADialog->EndNumRangVal_SpinEdit()->setValue(1);
        ADialog->OkCancel()->OkBtn()->click();
    });
    if (auto* host = OnlyWindow<TfrmElementAvail>()) {
        EXPECT_EQ(host->BookFrame()->NominalSearchValue1(), 10);
        EXPECT_EQ(host->BookFrame()->NominalSearchValue2(), 1);
        EXPECT_EQ(host->BookFrame()->Model()->Count(), 0);
    }
}

TEST_F(SearchDialogTest, RevDateSearchWithOneDateLeavesTheOtherEndOpen) {
    AddAvail(1, QStringLiteral("Старая"), {}, {}, 0, QStringLiteral("2024-03-01 10:00:00"));
    // Created before the day, updated in its last minute: the update counts.
    AddAvail(2, QStringLiteral("Поздно вечером"), {}, {}, 0, QStringLiteral("2024-02-01 09:00:00"),
             QStringLiteral("2024-03-05 23:59:00"));
    AddAvail(3, QStringLiteral("В полночь"), {}, {}, 0, QStringLiteral("2024-03-06 00:00:00"));
    AddAvail(4, QStringLiteral("Новая"), {}, {}, 0, QStringLiteral("2024-04-01 12:00:00"));
    DB();
    const QDate day(2024, 3, 5);

    struct TCase {
        const char* What;
        QDate Begin; // null: left empty
        QDate End;
        QStringList Names;
    };
    const TCase cases[] = {
        {"until the day, its last minute included", {}, day, {"Поздно вечером", "Старая"}},
        {"from the next day", day.addDays(1), {}, {"В полночь", "Новая"}},
        {"one day", day, day, {"Поздно вечером"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        CloseWindows();
        RunCommand<TfrmRevDateSearch>("mmiSearchRevDate", [&](TfrmRevDateSearch* ADialog) {
            // Both fields open empty.
            EXPECT_EQ(ADialog->RevDateBegin_DateEdit()->text().trimmed(), QString());
            EXPECT_EQ(ADialog->RevDateEnd_DateEdit()->text().trimmed(), QString());
            if (c.Begin.isValid())
                ADialog->RevDateBegin_DateEdit()->setDate(c.Begin);
            if (c.End.isValid())
                ADialog->RevDateEnd_DateEdit()->setDate(c.End);
            ADialog->OkCancel()->OkBtn()->click();
        });
        auto* host = OnlyWindow<TfrmElementAvail>();
        if (!host)
            continue;
        EXPECT_EQ(Names(host->BookFrame()), c.Names);
        // An empty date is no date: never the first day of the date scale.
        EXPECT_EQ(IsRevDateSearchDateSet(host->BookFrame()->RevDateBegin()), c.Begin.isValid());
        EXPECT_EQ(IsRevDateSearchDateSet(host->BookFrame()->RevDateEnd()), c.End.isValid());
        EXPECT_FALSE(host->windowTitle().contains(QStringLiteral("1899")))
            << host->windowTitle().toStdString();
        EXPECT_FALSE(host->windowTitle().contains(QStringLiteral("1900")))
            << host->windowTitle().toStdString();
    }

    // Both dates empty: OK keeps the dialog open, with the focus on the first date; Del in the
    // empty storage field and Del on a date field leave nothing behind.
    CloseWindows();
    RunCommand<TfrmRevDateSearch>("mmiSearchRevDate", [](TfrmRevDateSearch* ADialog) {
        QTest::keyClick(ADialog->Storage_ButtonEdit()->LineEdit(), Qt::Key_Delete);
        EXPECT_EQ(ADialog->Criteria().StorageId, 0u);
        ADialog->RevDateEnd_DateEdit()->setDate(QDate(2024, 1, 1));
        QTest::keyClick(ADialog->RevDateEnd_DateEdit(), Qt::Key_Delete);
        ADialog->RevDateEnd_DateEdit()->setFocus();
        ADialog->OkCancel()->OkBtn()->click();
        EXPECT_TRUE(ADialog->isVisible());
        // The dialog's focus child, whether or not the window is active now.
        QWidget* focus = ADialog->focusWidget();
        QDateEdit* begin = ADialog->RevDateBegin_DateEdit();
        EXPECT_TRUE(focus == begin || begin->isAncestorOf(focus));
        ADialog->OkCancel()->CancelBtn()->click();
    });
    EXPECT_TRUE(Main().FindMDIChildren<TfrmElementAvail>().empty());
    EXPECT_TRUE(Messages.isEmpty());
}

} // namespace
