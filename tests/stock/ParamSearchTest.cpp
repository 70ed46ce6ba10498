// The parametric search: the stored search profiles, the search dialog (conditions, the match
// rule, "in stock only", the profile commands) and the condition dialog's validation.

#include "tests/catalogue/CatalogueTestSupport.h"

#include "shell/KVButtonEdit.h"
#include "shell/frmInputText.h"
#include "shell/frmListItemSelect.h"
#include "shell/frmOkCancel.h"
#include "refbooks/frmBaseParam.h"
#include "refbooks/frmClass.h"
#include "stock/KVSearchProfiles.h"
#include "stock/KVStock.h"
#include "stock/frmParamSearch.h"
#include "stock/frmParamSearchItemEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeWidget>

namespace {

class ParamSearchTest : public TCatalogueTest {
protected:
    void SetUp() override {
        TCatalogueTest::SetUp();
        RegisterStockWindows();
    }

    // Class 1 with base parameters R (1, unit "Ом") and "Точность" (2), class 2 with "C" (3).
    // Type A: R 10, accuracy 0.5; type B: R 5, accuracy 10 (its 10 belongs to the accuracy);
    // type C: R 20, accuracy 1. A has two stock records.
    void AddSearchData() {
        AddUnit(1011, 1, QStringLiteral("Ом"));
        AddClass(1, QStringLiteral("Резисторы"));
        AddClass(2, QStringLiteral("Конденсаторы"));
        AddBaseParam(1, 1, QStringLiteral("R"), 1);
        AddBaseParam(2, 1, QStringLiteral("Точность"));
        AddBaseParam(3, 2, QStringLiteral("C"));
        AddType(1, 1, QStringLiteral("A"));
        AddType(2, 1, QStringLiteral("B"));
        AddType(3, 1, QStringLiteral("C"));
        AddValue(1, 1, 1, 10);
        AddValue(2, 1, 2, 0.5);
        AddValue(3, 2, 1, 5);
        AddValue(4, 2, 2, 10);
        AddValue(5, 3, 1, 20);
        AddValue(6, 3, 2, 1);
        AddStock(1, 1);
        AddStock(2, 1);
        DB();
    }

    static TKVParamSearchData Condition(quint32 ABaseParamId, TKVParamSearchType AType,
                                        double AFloat1 = 0, double AFloat2 = 0,
                                        const QString& AText = QString(), bool ALogic = false) {
        TKVParamSearchData data;
        data.BaseParamDBId = 1011;
        data.BaseParamId = ABaseParamId;
        data.SearchType = AType;
        data.Float1Val = AFloat1;
        data.Float2Val = AFloat2;
        data.StrVal = AText;
        data.LogicVal = ALogic;
        data.SearchAnyVal = AType == pstAny;
        return data;
    }

    // Picks class AClassId in the dialog's class picker.
    static void PickClass(TfrmParamSearch* ADialog, quint32 AClassId) {
        AnswerModal<TfrmSelectClass>([AClassId](TfrmSelectClass* APicker) {
            APicker->BookFrame()->SelectRecord(1011, AClassId);
            APicker->accept();
        });
        ADialog->SelectClassClick();
    }
    // Answers the next condition dialog: base parameter ABaseParamId picked through its picker,
    // search type AType, the numbers as typed, then OK.
    static void AnswerCondition(quint32 ABaseParamId, TKVParamSearchType AType,
                                const QString& AFirst, const QString& ASecond = QString()) {
        AnswerModal<TfrmParamSearchItemEdit>([=](TfrmParamSearchItemEdit* AEdit) {
            AnswerModal<TfrmSelectBaseParam>([=](TfrmSelectBaseParam* APicker) {
                APicker->BookFrame()->SelectRecord(1011, ABaseParamId);
                APicker->ButtonPanel()->OkBtn()->click();
            });
            AEdit->SelectBaseParamClick();
            AEdit->SearchType_ComboBox()->setCurrentIndex(static_cast<int>(AType));
            AEdit->NumVal_SpinEdit()->setText(AFirst);
            AEdit->EndNumRangVal_SpinEdit()->setText(ASecond);
            AEdit->OkCancel()->OkBtn()->click();
        });
    }
    static void AnswerInputText(const QString& AText) {
        AnswerModal<TfrmInputText>([AText](TfrmInputText* AInput) {
            AInput->TextEdit()->setText(AText);
            AInput->OkCancel()->OkBtn()->click();
        });
    }
    // The dialog on class 1 with "R = 10" and "Точность <= 1".
    static void AddTwoConditions(TfrmParamSearch* ADialog) {
        PickClass(ADialog, 1);
        AnswerCondition(1, pstNumeric, QStringLiteral("10"));
        ADialog->AddItem();
        AnswerCondition(2, pstLoENumeric, QStringLiteral("1"));
        ADialog->AddItem();
    }
    static QStringList Rows(const TfrmParamSearch* ADialog) {
        QStringList rows;
        const QTreeWidget* list = ADialog->ParamSearch_ListView();
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            rows << list->topLevelItem(i)->text(0) + QLatin1String(": ") +
                        list->topLevelItem(i)->text(1);
        return rows;
    }
    static QStringList Profiles(const TfrmParamSearch* ADialog) {
        QStringList names;
        for (int i = 0; i < ADialog->SelectPSP_ComboBox()->count(); ++i)
            names << ADialog->SelectPSP_ComboBox()->itemText(i);
        return names;
    }
    // The names listed by the open element-type window.
    QStringList SearchResult() {
        const std::vector<TfrmElementType*> windows = Main().FindMDIChildren<TfrmElementType>();
        if (windows.size() != 1)
            return {QStringLiteral("<%1 windows>").arg(windows.size())};
        QStringList names = Column(windows.front()->BookFrame());
        names.sort();
        return names;
    }
};

} // namespace

// ------------------------------------------------------------------------------ profiles

TEST_F(ParamSearchTest, ProfilesKeepEveryConditionKindAndOverwriteReplacesThem) {
    AddSearchData();
    const std::vector<TKVParamSearchData> conditions = {
        Condition(1, pstNumericInRange, 1.5, 20),
        Condition(2, pstSubString, 0, 0, QStringLiteral(" 5% ")),
        Condition(3, pstLogic, 0, 0, QString(), false),
        Condition(1, pstAny),
    };
    quint32 id = 0;
    ASSERT_TRUE(TKVSearchProfiles::SaveNew(QStringLiteral("Мой"), 1011, 1, 0, conditions, id));
    EXPECT_NE(id, 0u);

    TKVSearchProfile profile;
    ASSERT_TRUE(TKVSearchProfiles::Load(id, profile));
    EXPECT_EQ(profile.ClassName, QStringLiteral("Резисторы"));
    EXPECT_EQ(profile.UnionIndex, 0);
    ASSERT_EQ(profile.Conditions.size(), 4u);
    const TKVParamSearchData& range = profile.Conditions[0].Data;
    EXPECT_EQ(profile.Conditions[0].Caption, QStringLiteral("R (Ом)"));
    EXPECT_EQ(range.SearchType, pstNumericInRange);
    EXPECT_DOUBLE_EQ(range.Float1Val, 1.5);
    EXPECT_DOUBLE_EQ(range.Float2Val, 20);
    EXPECT_EQ(profile.Conditions[1].Data.StrVal, QStringLiteral(" 5% "));
    EXPECT_EQ(profile.Conditions[2].Data.SearchType, pstLogic);
    EXPECT_FALSE(profile.Conditions[2].Data.LogicVal);
    EXPECT_TRUE(profile.Conditions[3].Data.SearchAnyVal);
    // Only the columns of a condition's type hold a value.
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_PSP_ITEM WHERE V_FLOAT1 IS NULL AND "
                                    "V_STRVAL IS NULL AND V_LOGICVAL IS NULL AND V_ANYVAL = 1"))
                  .toInt(),
              1);

    // A stored type outside the known ones reads as "any value".
    DB().Exec(QStringLiteral("UPDATE T_PSP_ITEM SET V_SEARCHTYPE = 9 WHERE V_STRVAL = ' 5% '"));
    ASSERT_TRUE(TKVSearchProfiles::Load(id, profile));
    EXPECT_EQ(profile.Conditions[1].Data.SearchType, pstAny);

    // Overwriting stores exactly the listed conditions, class and rule.
    ASSERT_TRUE(TKVSearchProfiles::Overwrite(id, 1011, 2, 1, {Condition(3, pstNumeric, 7)}));
    ASSERT_TRUE(TKVSearchProfiles::Load(id, profile));
    EXPECT_EQ(profile.ClassName, QStringLiteral("Конденсаторы"));
    EXPECT_EQ(profile.UnionIndex, 1);
    ASSERT_EQ(profile.Conditions.size(), 1u);
    EXPECT_EQ(profile.Conditions[0].Data.BaseParamId, 3u);
    EXPECT_DOUBLE_EQ(profile.Conditions[0].Data.Float1Val, 7);

    // A profile whose class was deleted loads with an empty class name and its conditions.
    DB().Exec(QStringLiteral("UPDATE T_PSP SET CLASSID = 99 WHERE ID = %1").arg(id));
    ASSERT_TRUE(TKVSearchProfiles::Load(id, profile));
    EXPECT_EQ(profile.ClassName, QString());
    EXPECT_EQ(profile.Conditions.size(), 1u);

    // Names: used ones are found ignoring case and blanks around them, but not the own one.
    EXPECT_TRUE(TKVSearchProfiles::NameInUse(QStringLiteral(" мой "), 0));
    EXPECT_FALSE(TKVSearchProfiles::NameInUse(QStringLiteral("Мой"), id));
    EXPECT_TRUE(TKVSearchProfiles::Rename(id, QStringLiteral("Новый")));
    EXPECT_FALSE(TKVSearchProfiles::NameInUse(QStringLiteral("Мой"), 0));

    EXPECT_TRUE(TKVSearchProfiles::Delete(id));
    EXPECT_FALSE(TKVSearchProfiles::Load(id, profile));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_PSP_ITEM")).toInt(), 0);
    EXPECT_FALSE(TKVSearchProfiles::Delete(id));
    EXPECT_FALSE(TKVSearchProfiles::Overwrite(id, 1011, 1, 0, conditions));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_PSP_ITEM")).toInt(), 0);

    // Nothing is written while the database is read-only.
    ::ReadOnly = true;
    EXPECT_FALSE(TKVSearchProfiles::SaveNew(QStringLiteral("Ещё"), 1011, 1, 0, conditions, id));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_PSP")).toInt(), 0);
}

TEST_F(ParamSearchTest, DialogSavesOverwritesRenamesAndDeletesProfiles) {
    AddSearchData();
    TfrmParamSearch dialog;
    dialog.show();
    // Opening: "any", no class, no profile, every button off.
    EXPECT_EQ(dialog.ParamSearchType_ComboBox()->currentIndex(), 1);
    EXPECT_EQ(dialog.SelectPSP_ComboBox()->currentIndex(), -1);
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();

    AddTwoConditions(&dialog);
    AnswerCondition(1, pstNumericInRange, QStringLiteral("1"), QStringLiteral("2,5"));
    dialog.AddItem(); // the same base parameter: replaced only after Yes
    EXPECT_EQ(Messages.takeLast(),
              QStringLiteral("Условия поиска по этому параметру уже заданы, заменить их на новые?"));
    EXPECT_EQ(Rows(&dialog), QStringList({QStringLiteral("R (Ом): равно 10"),
                                          QStringLiteral("Точность: меньше или равно 1")}));
    EXPECT_TRUE(dialog.SaveToDB_Button()->isEnabled());

    // Save as new: blank and used names are refused with a message.
    AnswerInputText(QStringLiteral("  "));
    dialog.SaveToDBClick();
    EXPECT_EQ(Messages.takeLast(), QStringLiteral("Название профайла поиска не задано."));
    AnswerInputText(QStringLiteral("Резисторы"));
    dialog.SaveToDBClick();
    EXPECT_EQ(Profiles(&dialog), QStringList({QStringLiteral("Резисторы")}));
    EXPECT_EQ(dialog.SelectPSP_ComboBox()->currentIndex(), 0);
    EXPECT_TRUE(dialog.RenamePSP_Button()->isEnabled());
    Answers = {mrYes};
    AnswerInputText(QStringLiteral("резисторы "));
    dialog.SaveToDBClick();
    EXPECT_EQ(Messages.takeLast(), QStringLiteral("Профайл поиска с названием «резисторы» уже "
                                                  "есть. Задайте другое название."));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_PSP")).toInt(), 1);

    // Overwrite with one condition fewer: the removed one stays gone on reload.
    dialog.ParamSearch_ListView()->setCurrentItem(dialog.ParamSearch_ListView()->topLevelItem(1));
    dialog.DeleteItem();
    EXPECT_EQ(dialog.SelectPSP_ComboBox()->currentIndex(), -1);
    Answers = {mrNo};
    AnswerModal<TfrmListItemSelect>([](TfrmListItemSelect* APicker) {
        APicker->ListBox()->setCurrentRow(0);
        APicker->done(mrOk);
    });
    dialog.SaveToDBClick();
    EXPECT_EQ(Messages.takeLast(), QStringLiteral("Сохранить условия поиска в новом профайле?"));
    EXPECT_EQ(dialog.SelectPSP_ComboBox()->currentIndex(), 0);
    {
        TfrmParamSearch reloaded;
        EXPECT_EQ(Profiles(&reloaded), QStringList({QStringLiteral("Резисторы")}));
        reloaded.SelectPSP_ComboBox()->setCurrentIndex(0);
        EXPECT_EQ(Rows(&reloaded), QStringList({QStringLiteral("R (Ом): равно 10")}));
        EXPECT_EQ(reloaded.ParamSearchClass_ButtonEdit()->text(), QStringLiteral("Резисторы"));
        EXPECT_TRUE(reloaded.Find_Button()->isEnabled());
        EXPECT_TRUE(reloaded.DeleteFromDB_Button()->isEnabled());
    }

    // A second profile, renamed; a used name is refused, the own one is kept.
    Answers = {mrYes};
    AnswerInputText(QStringLiteral("Второй"));
    dialog.SaveToDBClick();
    ASSERT_EQ(Profiles(&dialog), QStringList({QStringLiteral("Резисторы"), QStringLiteral("Второй")}));
    AnswerInputText(QStringLiteral("Резисторы"));
    dialog.RenameClick();
    EXPECT_EQ(Messages.takeLast(), QStringLiteral("Профайл поиска с названием «Резисторы» уже "
                                                  "есть. Задайте другое название."));
    AnswerInputText(QStringLiteral("Мощные"));
    dialog.RenameClick();
    EXPECT_EQ(Profiles(&dialog), QStringList({QStringLiteral("Резисторы"), QStringLiteral("Мощные")}));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT S_NAME FROM T_PSP WHERE S_NAME <> 'Резисторы'"))
                  .toString(),
              QStringLiteral("Мощные"));

    // Delete the first: the second moves up and still loads.
    dialog.SelectPSP_ComboBox()->setCurrentIndex(0);
    dialog.DeleteFromDBClick();
    EXPECT_EQ(Profiles(&dialog), QStringList({QStringLiteral("Мощные")}));
    EXPECT_EQ(dialog.PSClassId(), 0u);
    EXPECT_TRUE(Rows(&dialog).isEmpty());
    dialog.SelectPSP_ComboBox()->setCurrentIndex(0);
    EXPECT_EQ(Rows(&dialog), QStringList({QStringLiteral("R (Ом): равно 10")}));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_PSP_ITEM")).toInt(), 1);
}

// ------------------------------------------------------------------------------ search

TEST_F(ParamSearchTest, SearchMatchesEachConditionOnItsOwnBaseParameter) {
    AddSearchData();
    ASSERT_TRUE(TKVOpener<TShowParamSearchDlg>::Registered());
    const struct {
        int Union;
        bool AvailOnly;
        QStringList Names;
    } cases[] = {
        // B's value 10 belongs to the accuracy, not to R: it never matches "R = 10".
        {0, false, {"A"}},
        {1, false, {"A", "C"}},
        // A has two stock records and is listed once.
        {1, true, {"A"}},
    };
    for (const auto& c : cases) {
        AnswerModal<TfrmParamSearch>([&](TfrmParamSearch* ADialog) {
            ADialog->done(mrOk); // no conditions: stays open
            EXPECT_TRUE(ADialog->isVisible());
            AddTwoConditions(ADialog);
            ADialog->ParamSearchType_ComboBox()->setCurrentIndex(c.Union);
            ADialog->ParamSearchAvailOnly_CheckBox()->setChecked(c.AvailOnly);
            ADialog->Find_Button()->click();
        });
        TKVOpener<TShowParamSearchDlg>::Open();
        EXPECT_EQ(SearchResult(), c.Names) << c.Union << c.AvailOnly;
        EXPECT_FALSE(ParamSearchResultList);
        Main().CloseAllWindow();
        Settle();
    }
}

TEST_F(ParamSearchTest, ChangingTheClassAsksBeforeDroppingConditions) {
    AddSearchData();
    TfrmParamSearch dialog;
    dialog.show();
    AddTwoConditions(&dialog);
    Answers = {mrNo};
    PickClass(&dialog, 2);
    EXPECT_EQ(dialog.PSClassId(), 1u);
    EXPECT_EQ(Rows(&dialog).size(), 2);
    PickClass(&dialog, 1); // the same class: no question
    EXPECT_EQ(Messages.size(), 1);
    Answers = {mrYes};
    PickClass(&dialog, 2);
    EXPECT_EQ(dialog.PSClassId(), 2u);
    EXPECT_EQ(dialog.ParamSearchClass_ButtonEdit()->text(), QStringLiteral("Конденсаторы"));
    EXPECT_TRUE(Rows(&dialog).isEmpty());
    EXPECT_FALSE(dialog.Find_Button()->isEnabled());
    EXPECT_TRUE(dialog.Add_Button()->isEnabled());

    // Editing a row onto another row's base parameter replaces that row after Yes.
    PickClass(&dialog, 1);
    AddTwoConditions(&dialog);
    dialog.ParamSearch_ListView()->setCurrentItem(dialog.ParamSearch_ListView()->topLevelItem(1));
    Answers = {mrYes};
    AnswerCondition(1, pstGoENumeric, QStringLiteral("3"));
    dialog.EditItem();
    EXPECT_EQ(Rows(&dialog), QStringList({QStringLiteral("R (Ом): больше или равно 3")}));
}

// ------------------------------------------------------------------------------ condition

TEST_F(ParamSearchTest, ConditionDialogRefusesBadValuesByFocusingTheField) {
    AddSearchData();
    TKVParamSearchItemValue value;
    EXPECT_EQ(ShowParamSearchItemDlg(value), 0); // no class: not shown

    value.PSClassDBId = 1011;
    value.PSClassId = 1;
    value.BaseParamDBId = 1011;
    value.BaseParamId = 1;
    value.BaseParamName = QStringLiteral("R (Ом)");
    using TEditor = QWidget* (*)(TfrmParamSearchItemEdit*);
    const struct {
        const char* Name;
        TKVParamSearchType Type;
        QString First, Second, Text;
        TEditor Focused; // nullptr: accepted
    } cases[] = {
        {"no number", pstNumeric, "1О", "", "", [](TfrmParamSearchItemEdit* E) -> QWidget* {
             return E->NumVal_SpinEdit();
         }},
        {"comma", pstGoENumeric, "2,5", "", "", nullptr},
        {"from equals to", pstNumericInRange, "5", "5", "", [](TfrmParamSearchItemEdit* E) -> QWidget* {
             return E->BeginNumRangVal_SpinEdit();
         }},
        {"to no number", pstNumericInRange, "5", "x", "", [](TfrmParamSearchItemEdit* E) -> QWidget* {
             return E->EndNumRangVal_SpinEdit();
         }},
        {"blank text", pstSubString, "", "", "   ", [](TfrmParamSearchItemEdit* E) -> QWidget* {
             return E->StrVal_TextEdit();
         }},
        {"text with blanks", pstSubString, "", "", " ab ", nullptr},
    };
    for (const auto& c : cases) {
        TfrmParamSearchItemEdit edit;
        edit.Init(value);
        edit.show();
        edit.SearchType_ComboBox()->setCurrentIndex(static_cast<int>(c.Type));
        edit.NumVal_SpinEdit()->setText(c.First);
        edit.EndNumRangVal_SpinEdit()->setText(c.Second);
        edit.StrVal_TextEdit()->setText(c.Text);
        edit.done(mrOk);
        if (c.Focused) {
            EXPECT_TRUE(edit.isVisible()) << c.Name;
            EXPECT_EQ(edit.focusWidget(), c.Focused(&edit)) << c.Name;
        } else {
            EXPECT_EQ(edit.result(), mrOk) << c.Name;
        }
    }
    EXPECT_EQ(ParamSearchItemValue.StrVal, QStringLiteral(" ab "));

    // A single value becomes the range start; a logic condition opens on "Да".
    {
        TfrmParamSearchItemEdit edit;
        edit.Init(value);
        edit.NumVal_SpinEdit()->setText(QStringLiteral("4,7"));
        edit.SearchType_ComboBox()->setCurrentIndex(pstNumericInRange);
        EXPECT_EQ(edit.SearchType_Notebook()->currentIndex(), 1);
        EXPECT_EQ(edit.BeginNumRangVal_SpinEdit()->text(), QStringLiteral("4,7"));
        edit.SearchType_ComboBox()->setCurrentIndex(pstAny);
        EXPECT_TRUE(edit.SearchType_Notebook()->isHidden());
    }
    {
        TKVParamSearchItemValue logic = value;
        logic.SearchType = pstLogic;
        TfrmParamSearchItemEdit edit;
        edit.Init(logic);
        EXPECT_EQ(edit.SearchType_Notebook()->currentIndex(), 3);
        EXPECT_EQ(edit.LogicVal_ComboBox()->currentIndex(), 0);
        edit.LogicVal_ComboBox()->setCurrentIndex(1);
        edit.done(mrOk);
        EXPECT_FALSE(ParamSearchItemValue.LogicVal);
    }
    // Del in the base-parameter field clears it; OK is then refused there.
    {
        TfrmParamSearchItemEdit edit;
        edit.Init(value);
        edit.show();
        QTest::keyClick(edit.BaseParam_ButtonEdit()->LineEdit(), Qt::Key_Delete);
        EXPECT_EQ(edit.BaseParam_ButtonEdit()->text(), QString());
        edit.done(mrOk);
        EXPECT_TRUE(edit.isVisible());
        EXPECT_EQ(edit.focusWidget(), edit.BaseParam_ButtonEdit()->LineEdit());
    }
}
