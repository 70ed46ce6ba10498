// The parameter values of an element type: the rules of the option bits and of the tolerance in
// percent, the tolerance dialog, the value list (value texts, images, filter, copy, sort, delete,
// layout rows) and the value card (new, copy, edit, base parameter and unit, flags, bad input),
// with the open lists following every save.

#include "tests/catalogue/CatalogueTestSupport.h"

#include "catalogue/KVParamFlags.h"
#include "catalogue/frmParam.h"
#include "catalogue/frmParamEdit.h"
#include "catalogue/frmValPrec.h"
#include "refbooks/frmBaseParam.h"
#include "refbooks/frmUnit.h"
#include "shell/KVButtonEdit.h"
#include "shell/KVRecordNotice.h"
#include "shell/frmOkCancel.h"
#include "shell/frmOpenDataMode.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTreeWidget>

namespace {

// ------------------------------------------------------------------ rules without windows

struct TFlagCase {
    quint32 Flags;
    TKVParamFlagCommand Command;
    bool HasUnit;
    quint32 Expected;
};

TEST(ParamFlagRulesTest, CommandsExcludeOneAnother) {
    const TFlagCase cases[] = {
        {0, pfcSetValNum, false, pfSNV},
        {pfSNV, pfcSetValNum, false, 0},
        {pfVSP | pfVTP | pfABS, pfcSetValNum, false, pfSNV | pfABS}, // ABS stays
        {pfSNV | pfVSP | pfNLTBP | pfUN | pfABS | pfVTP | 64, pfcDefShowMode, true, 64},
        {pfUN, pfcNoLinkToBP, false, pfUN | pfNLTBP},
        {0, pfcUsageParamAsNominal, true, pfUN},
        {pfUN, pfcUsageParamAsNominal, true, 0},
        {0, pfcUsageParamAsNominal, false, 0},   // no nominal without a unit
        {pfUN, pfcUsageParamAsNominal, false, 0}, // ... not even kept
        {pfVTP | pfSNV, pfcAbsValue, false, pfABS},
        {pfABS, pfcValTypePrefix, false, pfVTP},
        {pfVTP | pfNLTBP, pfcValTypePrefix, false, pfNLTBP}};
    for (const TFlagCase& c : cases) {
        quint32 flags = c.Flags;
        TKVParamFlagChecks checks;
        ApplyParamFlagCommand(c.Command, c.HasUnit, flags, checks);
        EXPECT_EQ(flags, c.Expected) << c.Flags << " " << c.Command;
    }

    // The marks: ABS then SNV shows both bits, with only the SNV item checked.
    quint32 flags = 0;
    TKVParamFlagChecks checks = LoadedParamFlagChecks(pfNLTBP | pfUN | pfVSP);
    EXPECT_TRUE(checks.NoLinkToBP && checks.UsageParamAsNominal && !checks.ValPrec);
    ApplyParamFlagCommand(pfcAbsValue, false, flags, checks);
    ApplyParamFlagCommand(pfcSetValNum, false, flags, checks);
    EXPECT_EQ(flags, quint32(pfSNV | pfABS));
    EXPECT_TRUE(checks.SetValNum);
    EXPECT_TRUE(checks.AbsValue); // untouched by SNV
    // The default mode changes no mark.
    const TKVParamFlagChecks before = checks;
    ApplyParamFlagCommand(pfcDefShowMode, false, flags, checks);
    EXPECT_EQ(checks, before);

    // The tolerance dialog's formats.
    EXPECT_EQ(ValPrecViewTypeOf(pfSNV | pfVSP), 1);
    EXPECT_EQ(ValPrecViewTypeOf(pfVSP), 2);
    EXPECT_EQ(ValPrecViewTypeOf(pfABS), 0);
    flags = pfSNV | pfVTP | pfABS;
    ApplyValPrecViewType(2, flags, checks);
    EXPECT_EQ(flags, quint32(pfVSP | pfABS));
    EXPECT_TRUE(checks.ValPrec && !checks.SetValNum && !checks.ValTypePrefix);
    ApplyValPrecViewType(0, flags, checks);
    EXPECT_EQ(flags, quint32(pfABS));
}

TEST(ParamFlagRulesTest, TolerancePercentsKeepTheSignAndConvertBack) {
    const struct {
        bool UseMin;
        double Min;
        double Typ;
        bool UseMax;
        double Max;
        std::optional<double> Lower;
        std::optional<double> Upper;
    } cases[] = {
        {true, 9, 10, true, 11, 10, 10},
        {true, 1, 3, false, 0, 66.6667, std::nullopt},
        {true, -12, -10, true, -8, 20, 20},
        {true, -1, 5, false, 0, 120, std::nullopt},
        {true, 0, 10, true, 12, std::nullopt, 20},       // a minimum of 0 stays unset
        {true, 9, 0, true, 11, std::nullopt, std::nullopt}, // no typical value to relate to
        {true, 11, 10, true, 9, std::nullopt, std::nullopt}, // on the wrong side: none
        {false, 9, 10, true, 11, std::nullopt, 10}};
    for (const auto& c : cases) {
        const TKVValPrecPercents percents = ValPrecPercents(c.UseMin, c.Min, c.Typ, c.UseMax, c.Max);
        EXPECT_EQ(percents.Lower, c.Lower) << c.Min << " " << c.Typ;
        EXPECT_EQ(percents.Upper, c.Upper) << c.Max << " " << c.Typ;
    }

    // Back to values: the shown (rounded) percentage is what is converted.
    TKVValPrecValues values = ValPrecValues(3, 66.6667, std::nullopt);
    ASSERT_TRUE(values.MinVal);
    EXPECT_NEAR(*values.MinVal, 0.999999, 1e-12);
    EXPECT_FALSE(values.MaxVal);
    values = ValPrecValues(-10, 20, 20);
    EXPECT_DOUBLE_EQ(*values.MinVal, -12);
    EXPECT_DOUBLE_EQ(*values.MaxVal, -8);
    values = ValPrecValues(5, 120, 0);
    EXPECT_DOUBLE_EQ(*values.MinVal, -1);
    EXPECT_FALSE(values.MaxVal); // 0 % is no deviation
    values = ValPrecValues(0, 10, 10);
    EXPECT_FALSE(values.MinVal || values.MaxVal);
    EXPECT_DOUBLE_EQ(RoundTo4Decimals(66.666666), 66.6667);
}

// --------------------------------------------------------------------------- the windows

class ParamValuesTest : public TCatalogueTest {
protected:
    void SetUp() override {
        TCatalogueTest::SetUp();
        FLocale = QLocale();
        QLocale::setDefault(QLocale::c());
        NewDB().Exec(QStringLiteral("ALTER SEQUENCE GEN_T_PARAM_ID RESTART WITH 1000"));
        AddUnit(1011, 1, QStringLiteral("мА"));
        AddUnit(1011, 2, QStringLiteral("В"));
        AddClass(1, QStringLiteral("Диоды"));
        AddBaseParam(1, 1, QStringLiteral("Iпр"), 1, QStringLiteral("IF"));
        AddBaseParam(2, 1, QStringLiteral("Тип"));
        AddType(1, 1, QStringLiteral("1N4148"));
        AddType(2, 1, QStringLiteral("1N4007"));
    }

    void TearDown() override {
        TCatalogueTest::TearDown();
        QLocale::setDefault(FLocale);
    }
    QLocale FLocale;

    // A value of type ATypeId; numbers and the Boolean NULL for Null().
    void AddParam(quint32 AId, quint32 ATypeId, const QString& AName, const QVariant& AMin,
                  const QVariant& ATyp, const QVariant& AMax, quint32 AFlags = 0,
                  quint32 AUnitId = 0, quint32 ABaseParamId = 0,
                  const QString& ADescription = QString()) {
        Exec(QStringLiteral("INSERT INTO T_PARAM (DBID, ID, ELEMENTTYPEDBID, ELEMENTTYPEID, "
                            "BASEPARAMDBID, BASEPARAMID, UNITDBID, UNITID, S_NAME, S_DESCRIPTION, "
                            "V_MINVAL, V_TYPEVAL, V_MAXVAL, V_FLAG) VALUES (1011, %1, 1011, %2, "
                            "%3, %4, %5, %6, %7, %8, %9, %10, %11, %12)"),
             {AId, ATypeId, ABaseParamId ? QVariant(1011) : Null(),
              ABaseParamId ? QVariant(ABaseParamId) : Null(), AUnitId ? QVariant(1011) : Null(),
              AUnitId ? QVariant(AUnitId) : Null(), AName,
              ADescription.isEmpty() ? Null() : QVariant(ADescription), AMin, ATyp, AMax, AFlags});
    }
    // The stored value: "min|typ|max|bool|flag|unit|base parameter|UPID|name" (- for NULL).
    QString Stored(quint32 AId) {
        QStringList parts;
        TIBQuery query(&dmMain->MainIBDatabase, &dmMain->MainIBTransaction);
        dmMain->ExecuteInTransaction([&] {
            query.SetSQL(QStringLiteral(
                "SELECT V_MINVAL, V_TYPEVAL, V_MAXVAL, V_BOOLVAL, V_FLAG, UNITID, BASEPARAMID, "
                "UPID, S_NAME FROM T_PARAM WHERE DBID = 1011 AND ID = :VAR_ID"));
            query.ParamByName("VAR_ID").SetAsInt64(AId);
            query.Open();
            if (query.Eof())
                return;
            for (const char* name : {"V_MINVAL", "V_TYPEVAL", "V_MAXVAL"}) {
                const TIBField& field = query.FieldByName(name);
                parts << (field.IsNull() ? QStringLiteral("-")
                                         : FloatToStrKV(field.AsDouble(), QStringLiteral(".")));
            }
            for (const char* name : {"V_BOOLVAL", "V_FLAG", "UNITID", "BASEPARAMID", "UPID",
                                     "S_NAME"}) {
                const TIBField& field = query.FieldByName(name);
                parts << (field.IsNull() ? QStringLiteral("-") : field.AsString());
            }
            query.Close();
        });
        return parts.join(u'|');
    }
    T_frmParam* OpenList(quint32 ATypeId) {
        DB();
        TfrmParam* host = OpenRBParam(1011, ATypeId);
        EXPECT_NE(host, nullptr);
        return host ? host->BookFrame() : nullptr;
    }
    TfrmParamEdit* OpenCard(quint32 AId, bool ACopy = false, quint32 ABaseParamId = 0) {
        DB();
        return OpenCardParam(AId ? 1011 : 0, AId, ACopy, 1011, 1, ABaseParamId ? 1011 : 0,
                             ABaseParamId);
    }
    std::vector<TfrmParamEdit*> Cards() { return Main().FindMDIChildren<TfrmParamEdit>(); }
    static void PickBaseParam(TfrmParamEdit* ACard, quint32 AId) {
        AnswerModal<TfrmSelectBaseParam>([AId](TfrmSelectBaseParam* ADialog) {
            ADialog->BookFrame()->SelectRecord(1011, AId);
            ADialog->accept();
        });
        ACard->ParamBP_ButtonEdit()->Button()->click();
    }
    static void PressDel(QWidget* AWidget) {
        QTest::keyClick(AWidget, Qt::Key_Delete);
    }
};

TEST_F(ParamValuesTest, ListShowsValueTextsImagesAndFilters) {
    AddParam(1, 1, QStringLiteral("U"), -2, Null(), 3);
    AddParam(2, 1, QStringLiteral("U2"), -2, -1, 3);
    AddParam(3, 1, QStringLiteral("Iпот"), 9.5, 10, 10.5, pfVSP, 1);
    AddParam(4, 1, QStringLiteral("P"), 9, 10, 10.5, pfVSP | pfNLTBP);
    AddParam(5, 1, QStringLiteral("S"), 1, 2, 3, pfSNV | pfUN, 1);
    AddParam(6, 1, QStringLiteral("A"), Null(), 3, Null(), pfABS | pfNLTBP | pfUN, 0, 0,
             QStringLiteral("Обратный ТОК"));
    AddParam(7, 1, QStringLiteral("B"), -3, Null(), Null(), pfABS | pfVTP);
    AddParam(8, 1, QStringLiteral("C"), 9, Null(), Null(), 0, 0, 1);
    AddParam(9, 2, QStringLiteral("другой"), 1, Null(), Null());
    T_frmParam* frame = OpenList(1);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->parentWidget()->windowTitle(), QStringLiteral("1N4148 - Параметры"));
    ASSERT_EQ(frame->Model()->Count(), 8);
    QMap<QString, QString> values;
    QMap<QString, int> images;
    for (int i = 0; i < frame->Model()->Count(); ++i) {
        const TKVListRow& row = frame->Model()->Row(i);
        values[row.Texts.value(0)] = row.Texts.value(1);
        images[row.Texts.value(0)] = row.ImageIndex;
    }
    EXPECT_EQ(values["U"], "-2...+3");
    EXPECT_EQ(values["U2"], "-2...3");
    EXPECT_EQ(values["Iпот (мА)"], "10 +/-5%");
    EXPECT_EQ(values["P"], "10 +5% -10%");
    EXPECT_EQ(values["S (мА)"], "1; 2; 3");
    EXPECT_EQ(values["A"], "+/-3");
    EXPECT_EQ(values["B"], "-3");
    EXPECT_EQ(values["C"], "9");
    EXPECT_EQ(images["U"], -1);
    EXPECT_EQ(images["P"], 0);
    EXPECT_EQ(images["S (мА)"], 1);
    EXPECT_EQ(images["A"], 2);
    // The bound base parameter and its class.
    const int c = frame->Model()->Find({1011, 8});
    EXPECT_EQ(frame->Model()->Row(c).Texts.mid(5), QStringList({"Iпр", "Диоды"}));

    // Copy name: the designation with the value in brackets.
    frame->SelectRecord(1011, 3);
    frame->CopyName();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Iпот (мА) [10 +/-5%]"));

    // The filter tests the name, then the description, in any letter case.
    frame->FilterEdit()->setText(QStringLiteral("ток"));
    frame->ApplyFilter();
    EXPECT_EQ(Column(frame), QStringList({"A"}));
    EXPECT_EQ(frame->CountPanel()->text(), QStringLiteral("[\"ТОК\"] Записей 1 "));
    frame->FilterEdit()->clear();
    frame->ApplyFilter();

    // The value column sorts as text; a refresh shows the load order again.
    frame->ListViewColumnClick(1);
    QStringList sorted = Column(frame, 1);
    EXPECT_LT(sorted.indexOf("10 +/-5%"), sorted.indexOf("9"));
    frame->RefreshData();
    EXPECT_EQ(Column(frame, 1), QStringList({"-2...+3", "-2...3", "10 +/-5%", "10 +5% -10%",
                                              "1; 2; 3", "+/-3", "-3", "9"}));

    // A type without values shows none and runs no list query.
    T_frmParam* empty = OpenList(2);
    DB().Exec(QStringLiteral("DELETE FROM T_PARAM WHERE ELEMENTTYPEID = 2"));
    empty->RefreshData();
    EXPECT_EQ(empty->CountPanel()->text(), QStringLiteral("Нет записей "));

    // The element-type list's columns show a value as its base parameter says: here the
    // minimum alone, with its kind mark.
    DB().Exec(QStringLiteral("UPDATE T_BASE_PARAM SET V_SELVALTYPE = 1 WHERE ID = 2"));
    AddParam(10, 2, QStringLiteral("Тип"), 12, Null(), Null(), pfVTP, 0, 2);
    T_frmElementType* types = OpenOnClass(1);
    ASSERT_NE(types, nullptr);
    EXPECT_EQ(types->Model()->Row(types->Model()->Find({1011, 2})).Texts.value(6),
              QStringLiteral(">12"));
}

TEST_F(ParamValuesTest, ListWindowPerTypeWithItsOwnLayoutAndDelete) {
    AddParam(1, 1, QStringLiteral("U"), 1, Null(), Null());
    AddParam(2, 1, QStringLiteral("I"), 2, Null(), Null());
    ::LocalConfig = true;
    DB();
    // The element-type list's command and view open the window once per type.
    T_frmElementType* types = OpenOnClass(1, false);
    types->SelectRecord(1011, 1);
    ASSERT_TRUE(types->MenuItem(QStringLiteral("pmiParams"))->isEnabled());
    types->OpenReferenceBook_Params();
    AnswerModal<TfrmOpenDataMode>([](TfrmOpenDataMode* ADialog) {
        ADialog->ListView()->setCurrentItem(ADialog->ListView()->topLevelItem(1));
        ADialog->accept();
    });
    types->ListViewEnterKey();
    std::vector<TfrmParam*> windows = Main().FindMDIChildren<TfrmParam>();
    ASSERT_EQ(windows.size(), 1u);
    T_frmParam* frame = windows[0]->BookFrame();
    EXPECT_EQ(frame->Model()->Count(), 2);

    // A system record is not deleted; the own one is, after the question.
    DB().Exec(QStringLiteral("INSERT INTO T_PARAM (DBID, ID, ELEMENTTYPEDBID, ELEMENTTYPEID, "
                             "S_NAME, V_FLAG) VALUES (0, 5, 1011, 1, 'sys', 0)"));
    frame->RefreshData();
    ::BLIMod = false;
    // The chooser took the activation with it; the list needs it back for its Del.
    Main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
    Main().BringToFrontMDIChild(windows[0]);
    FocusList(frame);
    frame->SelectRecord(0, 5);
    frame->Delete_ToolButtonClick();
    frame->SelectRecord(1011, 2);
    Answers = {mrYes};
    frame->Delete_ToolButtonClick();
    EXPECT_EQ(Messages, QStringList({"Системная запись не может быть удалена", "Удалить запись?"}));
    EXPECT_EQ(Column(frame), QStringList({"U", "sys"}));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_PARAM")).toInt(), 2);

    // Closing stores the layout under the element type's key; deleting the type closes it.
    QPointer<TfrmParam> window = windows[0];
    window->close();
    Settle();
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM CFG_LOCAL WHERE OBJ_TYPE = 23 AND "
                                    "OBJ_DBID = 1011 AND OBJ_ID = 1 AND OBJ_MODE IS NULL AND "
                                    "S_PARAM = 'CW'"))
                  .toInt(),
              7);
    window = OpenRBParam(1011, 1);
    CloseWindowsBoundTo(itElementType, 1011, 1);
    Settle();
    EXPECT_TRUE(window.isNull());
}

TEST_F(ParamValuesTest, CardCreatesCopiesAndEditsWithTheListsFollowing) {
    AddParam(1, 1, QStringLiteral("Iпр"), Null(), 100, Null(), 0, 1, 1);
    DB();
    T_frmParam* list = OpenList(1);
    T_frmElementType* types = OpenOnClass(1);
    ASSERT_EQ(types->Model()->Columns().size(), 7u); // five columns and two base parameters
    const int iprColumn = 5;
    auto typeRow = [&] { return types->Model()->Row(types->Model()->Find({1011, 1})).Texts; };
    EXPECT_EQ(typeRow().value(iprColumn), QStringLiteral("100"));

    // A blank new value.
    list->NewItem();
    ASSERT_EQ(Cards().size(), 1u);
    TfrmParamEdit* card = Cards()[0];
    EXPECT_EQ(card->windowTitle(), QStringLiteral("New Param"));
    EXPECT_EQ(card->ParamName_TextEdit()->text(), QStringLiteral("New Param"));
    card->ParamName_TextEdit()->setText(QStringLiteral("  Uобр"));
    card->ParamMaxVal_SpinEdit()->setText(QStringLiteral("100"));
    EXPECT_TRUE(card->ParamMaxVal_CheckBox()->isChecked()); // a value above 0 ticks its box
    card->ParamMinVal_SpinEdit()->setText(QStringLiteral("-5"));
    EXPECT_FALSE(card->ParamMinVal_CheckBox()->isChecked());
    card->ParamBoolVal_ComboBox()->setCurrentIndex(2);
    Type(card->ParamParamUPID_TextEdit(), QStringLiteral("vr"));
    EXPECT_EQ(card->ParamParamUPID_TextEdit()->text(), QStringLiteral("VR"));
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(card->Id(), 1001u);
    EXPECT_EQ(Stored(1001), QStringLiteral("-|-|100|0|0|-|-|VR|  Uобр"));
    EXPECT_EQ(Column(list), QStringList({"Iпр (мА)", "  Uобр"}));

    // A copy of the stored one; then an edit of the first value, seen in both lists.
    card->Copy_ToolButtonClick();
    ASSERT_EQ(Cards().size(), 2u);
    TfrmParamEdit* copy = Cards()[1];
    EXPECT_EQ(copy->ParamName_TextEdit()->text(), QStringLiteral("  Uобр"));
    ASSERT_TRUE(copy->SaveItem());
    EXPECT_EQ(Stored(1002), QStringLiteral("-|-|100|0|0|-|-|VR|  Uобр"));
    EXPECT_EQ(list->Model()->Count(), 3);

    list->SelectRecord(1011, 1);
    list->OpenItem();
    ASSERT_EQ(Cards().size(), 3u);
    TfrmParamEdit* edit = Cards()[2];
    EXPECT_EQ(edit->ParamTypeVal_SpinEdit()->text(), QStringLiteral("100"));
    EXPECT_TRUE(edit->ParamMinVal_SpinEdit()->text().isEmpty());
    edit->ParamTypeVal_SpinEdit()->setText(QStringLiteral("150"));
    edit->ParamMaxVal_CheckBox()->setChecked(true);
    edit->ParamMaxVal_SpinEdit()->setText(QStringLiteral("200"));
    edit->ParamMaxVal_CheckBox()->setChecked(false); // a cleared box saves NULL
    ASSERT_TRUE(edit->SaveItem());
    EXPECT_EQ(Stored(1), QStringLiteral("-|150|-|-|0|1|1|-|Iпр"));
    EXPECT_EQ(list->Model()->Row(list->Model()->Find({1011, 1})).Texts.value(1),
              QStringLiteral("150"));
    EXPECT_EQ(typeRow().value(iprColumn), QStringLiteral("150"));
    // The open card is brought to the front, not opened twice.
    list->OpenItem();
    EXPECT_EQ(Cards().size(), 3u);
}

TEST_F(ParamValuesTest, BaseParameterAndUnitComeAndGoTogether) {
    AddParam(1, 1, QStringLiteral("I"), Null(), 1, Null(), pfUN, 2);
    DB();
    // A new value on a base parameter shows its name, description, UPID and unit.
    T_frmParam* list = OpenList(1);
    AnswerModal<TfrmSelectBaseParam>([](TfrmSelectBaseParam* ADialog) {
        ADialog->BookFrame()->SelectRecord(1011, 1);
        ADialog->accept();
    });
    list->NewItemOnBaseParam();
    ASSERT_EQ(Cards().size(), 1u);
    TfrmParamEdit* fromBase = Cards()[0];
    EXPECT_EQ(fromBase->windowTitle(), QStringLiteral("New Param"));
    EXPECT_EQ(fromBase->ParamName_TextEdit()->text(), QStringLiteral("Iпр"));
    EXPECT_EQ(fromBase->ParamParamUPID_TextEdit()->text(), QStringLiteral("IF"));
    EXPECT_EQ(fromBase->ParamUnit_ButtonEdit()->text(), QStringLiteral("мА"));
    EXPECT_EQ(fromBase->ParamBP_ButtonEdit()->text(), QStringLiteral("Iпр"));
    fromBase->ForciblyCloseItem();
    Settle();

    // Choosing a base parameter replaces UPID and unit; one without a unit clears UN too.
    TfrmParamEdit* card = OpenCard(1);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->FlagPanelText(3), QStringLiteral("UN"));
    EXPECT_TRUE(card->FlagItem(pfcUsageParamAsNominal)->isChecked());
    card->ParamParamUPID_TextEdit()->setText(QStringLiteral("MINE"));
    PickBaseParam(card, 1);
    EXPECT_EQ(card->ParamParamUPID_TextEdit()->text(), QStringLiteral("IF"));
    EXPECT_EQ(card->ParamUnit_ButtonEdit()->text(), QStringLiteral("мА"));
    EXPECT_EQ(card->FlagPanelText(3), QStringLiteral("UN"));
    PickBaseParam(card, 2);
    EXPECT_EQ(card->ParamParamUPID_TextEdit()->text(), QString());
    EXPECT_EQ(card->ParamUnit_ButtonEdit()->text(), QString());
    EXPECT_EQ(card->FlagPanelText(3), QString());
    EXPECT_FALSE(card->FlagItem(pfcUsageParamAsNominal)->isChecked());
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(Stored(1), QStringLiteral("-|1|-|-|0|-|2|-|I"));

    // Del in the unit editor: the unit and UN go; without a unit UN cannot be set.
    AnswerModal<TfrmSelectUnit>([](TfrmSelectUnit* ADialog) {
        ADialog->BookFrame()->SelectRecord(1011, 2);
        ADialog->accept();
    });
    card->ParamUnit_ButtonEdit()->Button()->click();
    card->RunFlagCommand(pfcUsageParamAsNominal);
    EXPECT_EQ(card->Flags(), quint32(pfUN));
    PressDel(card->ParamUnit_ButtonEdit()->LineEdit());
    EXPECT_EQ(card->Flags(), 0u);
    EXPECT_FALSE(card->FlagItem(pfcUsageParamAsNominal)->isChecked());
    card->RunFlagCommand(pfcUsageParamAsNominal);
    EXPECT_EQ(card->FlagPanelText(3), QString());

    // NLTBP: the base-parameter editor is disabled and the binding dropped on save.
    card->RunFlagCommand(pfcNoLinkToBP);
    EXPECT_FALSE(card->ParamBP_ButtonEdit()->isEnabled());
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(Stored(1), QStringLiteral("-|1|-|-|4|-|-|-|I"));
    EXPECT_EQ(list->Model()->Row(0).Texts.value(5), QString());
    EXPECT_EQ(list->Model()->Row(0).ImageIndex, 0);
    card->RunFlagCommand(pfcDefShowMode);
    EXPECT_TRUE(card->ParamBP_ButtonEdit()->isEnabled());
    EXPECT_TRUE(card->FlagItem(pfcNoLinkToBP)->isChecked()); // the marks stay
}

TEST_F(ParamValuesTest, FlagCommandsMarkTheCardAndAreSaved) {
    AddParam(1, 1, QStringLiteral("U"), 1, 2, 3, pfVTP, 1);
    TfrmParamEdit* card = OpenCard(1);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->FlagPanelText(5), QStringLiteral("VTP"));
    EXPECT_FALSE(card->FlagItem(pfcValTypePrefix)->isChecked()); // display items start unchecked
    card->FlagItem(pfcAbsValue)->trigger();
    EXPECT_EQ(card->FlagPanelText(4), QStringLiteral("ABS"));
    EXPECT_EQ(card->FlagPanelText(5), QString());
    EXPECT_TRUE(card->FlagItem(pfcAbsValue)->isChecked());
    EXPECT_FALSE(card->FlagItem(pfcValTypePrefix)->isChecked());
    card->FlagItem(pfcSetValNum)->trigger();
    EXPECT_EQ(card->Flags(), quint32(pfSNV | pfABS));
    card->FlagItem(pfcUsageParamAsNominal)->trigger();
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(Stored(1), QStringLiteral("1|2|3|-|25|1|-|-|U"));

    // Even a command that changes no bit marks the card.
    card->RunFlagCommand(pfcDefShowMode);
    card->RunFlagCommand(pfcDefShowMode);
    EXPECT_TRUE(card->windowTitle().endsWith(QStringLiteral(" *")));

    // A read-only card cannot change its flags.
    card->ForciblyCloseItem();
    Settle();
    ::ReadOnly = true;
    card = OpenCard(1);
    EXPECT_FALSE(card->ToolButton(QStringLiteral("AddFunct_ToolButton"))->isEnabled());
    card->RunFlagCommand(pfcAbsValue);
    PressDel(card->ParamUnit_ButtonEdit()->LineEdit());
    EXPECT_EQ(card->Flags(), quint32(pfSNV | pfABS | pfUN));
    EXPECT_EQ(card->ParamUnit_ButtonEdit()->text(), QStringLiteral("мА"));
}

// Runs the card's tolerance command with the dialog answered by AAnswer.
void RunValPrec(TfrmParamEdit* ACard, std::function<void(TfrmValPrec*)> AAnswer) {
    AnswerModal<TfrmValPrec>(std::move(AAnswer));
    ACard->FlagItem(std::nullopt)->trigger();
}

TEST_F(ParamValuesTest, ToleranceDialogKeepsValuesAndSetsTheFormat) {
    AddParam(1, 1, QStringLiteral("A"), 9, 10, 11);
    AddParam(2, 1, QStringLiteral("B"), 1, 3, Null());
    AddParam(3, 1, QStringLiteral("C"), -12, -10, -8);
    AddParam(4, 1, QStringLiteral("D"), -1, 5, Null());
    AddParam(5, 1, QStringLiteral("E"), 0, 10, 12);
    AddParam(6, 1, QStringLiteral("F"), 9, 0, 11, pfSNV);
    const struct {
        quint32 Id;
        QString Lower;
        QString Upper;
        QString Stored; // after OK without edits and a save
    } cases[] = {{1, "10", "10", "9|10|11|-|2|-|-|-|A"},
                 {2, "66.6667", "", "0.999999|3|-|-|2|-|-|-|B"},
                 {3, "20", "20", "-12|-10|-8|-|2|-|-|-|C"},
                 {4, "120", "", "-1|5|-|-|2|-|-|-|D"},
                 {5, "", "20", "0|10|12|-|2|-|-|-|E"},
                 {6, "", "", "9|0|11|-|2|-|-|-|F"}};
    for (const auto& c : cases) {
        TfrmParamEdit* card = OpenCard(c.Id);
        ASSERT_NE(card, nullptr);
        QString lower = "?";
        QString upper = "?";
        RunValPrec(card, [&](TfrmValPrec* ADialog) {
            lower = ADialog->PrecMinVal_SpinEdit()->text();
            upper = ADialog->PrecMaxVal_SpinEdit()->text();
            ADialog->PrecViewType_ComboBox()->setCurrentIndex(2);
            ADialog->OkCancel()->OkBtn()->click();
        });
        EXPECT_EQ(lower, c.Lower) << c.Id;
        EXPECT_EQ(upper, c.Upper) << c.Id;
        EXPECT_TRUE(card->FlagItem(std::nullopt)->isChecked());
        ASSERT_TRUE(card->SaveItem());
        EXPECT_EQ(Stored(c.Id).left(c.Stored.size()), c.Stored) << c.Id;
        card->ForciblyCloseItem();
        Settle();
    }

    // Cancel changes nothing; a typed minus sign goes; a percentage becomes a value.
    TfrmParamEdit* card = OpenCard(1);
    RunValPrec(card, [](TfrmValPrec* ADialog) { ADialog->reject(); });
    EXPECT_EQ(card->ParamMinVal_SpinEdit()->text(), QStringLiteral("9"));
    EXPECT_FALSE(card->FlagItem(std::nullopt)->isChecked());
    EXPECT_EQ(card->Flags(), quint32(pfVSP));
    RunValPrec(card, [](TfrmValPrec* ADialog) {
        EXPECT_EQ(ADialog->PrecViewType_ComboBox()->currentIndex(), 2);
        ADialog->PrecMinVal_SpinEdit()->clear();
        QTest::keyClicks(ADialog->PrecMinVal_SpinEdit(), QStringLiteral("-5"));
        EXPECT_EQ(ADialog->PrecMinVal_SpinEdit()->text(), QStringLiteral("5"));
        ADialog->PrecViewType_ComboBox()->setCurrentIndex(1);
        ADialog->OkCancel()->OkBtn()->click();
    });
    EXPECT_EQ(card->ParamMinVal_SpinEdit()->text(), QStringLiteral("9.5"));
    EXPECT_EQ(card->Flags(), quint32(pfSNV));
    EXPECT_TRUE(card->FlagItem(pfcSetValNum)->isChecked());
    // A typical value that is no number is said and the dialog stays.
    RunValPrec(card, [this](TfrmValPrec* ADialog) {
        ADialog->ValueTypeVal_SpinEdit()->setText(QStringLiteral("x"));
        ADialog->OkCancel()->OkBtn()->click();
        EXPECT_TRUE(ADialog->isVisible());
        EXPECT_EQ(Messages.value(0), QStringLiteral("Значение поля «Типовое значение» должно быть числом"));
        ADialog->reject();
    });
    EXPECT_EQ(card->ParamTypeVal_SpinEdit()->text(), QStringLiteral("10"));
}

TEST_F(ParamValuesTest, BadInputIsToldAndNothingWritten) {
    AddParam(1, 1, QStringLiteral("U"), 1, Null(), 3);
    TfrmParamEdit* card = OpenCard(1);
    ASSERT_NE(card, nullptr);
    const QString before = Stored(1);
    const struct {
        std::function<void()> Edit;
        QString Message;
    } cases[] = {
        {[&] { card->ParamMinVal_SpinEdit()->setText(QStringLiteral("1,2,3")); },
         "Значение поля «Минимальное значение» должно быть числом"},
        {[&] { card->ParamMinVal_SpinEdit()->setText(QStringLiteral("5")); },
         "Минимальное значение больше максимального"},
        {[&] {
             card->ParamTypeVal_CheckBox()->setChecked(true);
             card->ParamTypeVal_SpinEdit()->clear();
         },
         "Значение поля «Типовое значение» должно быть числом"},
        {[&] { card->ParamParamUPID_TextEdit()->setText(QStringLiteral("Ωx")); },
         "Значение поля «Униф. парам. индекс (UPID)» содержит знак «Ω», который нельзя "
         "сохранить в базе данных"}};
    for (const auto& c : cases) {
        Messages.clear();
        card->ForciblyCloseItem();
        Settle();
        card = OpenCard(1);
        c.Edit();
        EXPECT_FALSE(card->SaveItem()) << c.Message.toStdString();
        EXPECT_EQ(Messages, QStringList({c.Message}));
        EXPECT_EQ(Stored(1), before);
    }
    // A name of blanks only is refused without a message.
    Messages.clear();
    card->ParamName_TextEdit()->setText(QStringLiteral("   "));
    EXPECT_FALSE(card->SaveItem());
    EXPECT_TRUE(Messages.isEmpty());

    // A card on a base parameter that is gone, or of a type that is gone, does not open.
    EXPECT_EQ(OpenCard(0, false, 99), nullptr);
    EXPECT_EQ(OpenCardParam(0, 0, false, 1011, 77, 0, 0), nullptr);
    ASSERT_EQ(FUI.Errors.size(), 2u);
    EXPECT_EQ(FUI.Errors[0].Text, QStringLiteral("Object DBID:0, ID:0 not found in DataBase"));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_PARAM")).toInt(), 1);
}

} // namespace
