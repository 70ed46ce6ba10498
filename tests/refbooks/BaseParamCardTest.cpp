// The base-parameter card on a real database: a new record in its class through the
// INSERT_BASE_PARAM procedure, the unit picked and cleared, copies that stay in the class they
// were opened for, the unit and UPID carried into the parameter values under each option value,
// and a save that fails and is rolled back still carrying its change on the next save.

#include "tests/refbooks/BaseParamTestSupport.h"

#include "shell/KVButtonEdit.h"

#include <QComboBox>
#include <QLineEdit>

class BaseParamCardTest : public TBaseParamTest {
protected:
    void AddSamples() {
        AddClass(1011, 1, QStringLiteral("Резисторы"));
        AddClass(1011, 2, QStringLiteral("Конденсаторы"));
        AddUnit(1011, 1, QStringLiteral("мВ"));
        AddUnit(1011, 2, QStringLiteral("В"));
        AddUnit(1011, 3, QStringLiteral("кВ"));
    }
};

TEST_F(BaseParamCardTest, NewCardInsertsIntoItsClassWithThePickedUnit) {
    AddSamples();
    T_frmBaseParam* frame = OpenBaseParams(1)->BookFrame();
    Button(frame, "Add_ToolButton")->click();
    ASSERT_EQ(BaseParamCards().size(), 1u);
    TfrmBaseParamEdit* card = BaseParamCards()[0];

    EXPECT_EQ(card->windowTitle(), QStringLiteral("New Base Param"));
    EXPECT_EQ(card->BaseParamClass_TextEdit()->text(), QStringLiteral("Резисторы"));
    EXPECT_TRUE(card->BaseParamClass_TextEdit()->isReadOnly());
    EXPECT_EQ(card->BaseParamName_TextEdit()->selectedText(), QStringLiteral("New Base Param"));
    QComboBox* types = card->BaseParamParamValType_ComboBox();
    ASSERT_EQ(types->count(), 16);
    EXPECT_EQ(types->itemText(0), QString());
    EXPECT_EQ(types->itemText(15), SelectValueTypeToStr(svtBoolFromType));
    EXPECT_EQ(types->currentIndex(), 0);

    // The UPID is required; what is typed into it is upper case.
    Messages.clear();
    EXPECT_FALSE(card->SaveItem());
    EXPECT_EQ(QApplication::focusWidget(), card->BaseParamParamUPID_TextEdit());
    EXPECT_TRUE(Messages.isEmpty());
    Type(card->BaseParamParamUPID_TextEdit(), QStringLiteral("uв1"));
    EXPECT_EQ(card->BaseParamParamUPID_TextEdit()->text(), QStringLiteral("UВ1"));

    card->BaseParamName_TextEdit()->setText(QStringLiteral("Напряжение"));
    types->setCurrentIndex(3);
    PickUnit(card, 2);
    EXPECT_EQ(card->BaseParamUnit_ButtonEdit()->text(), QStringLiteral("В"));
    EXPECT_EQ(card->UnitId(), 2u);
    ASSERT_TRUE(card->SaveItem());

    EXPECT_EQ(card->DBId(), 1011u);
    EXPECT_NE(card->Id(), 0u);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT CLASSDBID || '/' || CLASSID || '|' || UNITDBID || '/' "
                                    "|| UNITID || '|' || S_NAME || '|' || COALESCE(S_DESCRIPTION, "
                                    "'-') || '|' || V_SELVALTYPE || '|' || UPID || '|' || V_FLAG "
                                    "FROM T_BASE_PARAM WHERE ID = %1")
                         .arg(card->Id()))
                  .toString(),
              QStringLiteral("1011/1|1011/2|Напряжение|-|3|UВ1|0"));
    EXPECT_EQ(card->windowTitle(), QStringLiteral("Напряжение"));
    EXPECT_EQ(Column(frame), QStringList({"Напряжение (В)"}));
    EXPECT_EQ(frame->Model()->Row(0).Texts[2], SelectValueTypeToStr(svtMaxOnly));

    // Del in the unit editor clears the unit, stored as NULL.
    QTest::keyClick(card->BaseParamUnit_ButtonEdit()->LineEdit(), Qt::Key_Delete);
    EXPECT_TRUE(card->BaseParamUnit_ButtonEdit()->text().isEmpty());
    EXPECT_TRUE(card->ModifedData());
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(BaseParamRow(card->Id()), QStringLiteral("-|UВ1"));
    EXPECT_EQ(Column(frame), QStringList({"Напряжение"}));

    // A class that does not exist gives no card.
    FUI.Clear();
    EXPECT_EQ(OpenCardBaseParam(0, 0, false, 1011, 99), nullptr);
    ASSERT_EQ(FUI.Errors.size(), 1u);
    EXPECT_EQ(FUI.Errors[0].Text, QStringLiteral("Object DBID:0, ID:0 not found in DataBase"));
}

TEST_F(BaseParamCardTest, ExistingAndCopiedRecordsLoadEveryField) {
    AddSamples();
    AddBaseParam(1, 1, QStringLiteral("Ток"), 1, QStringLiteral("CUR"), QStringLiteral("Рабочий"),
                 2);
    AddBaseParam(2, 1, QStringLiteral("Старый"), 0, QStringLiteral("OLD"), QString(), 20);
    DB();

    TfrmBaseParamEdit* card = OpenCardBaseParam(1011, 1, false, 1011, 1);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->windowTitle(), QStringLiteral("Ток"));
    EXPECT_EQ(card->BaseParamClass_TextEdit()->text(), QStringLiteral("Резисторы"));
    EXPECT_EQ(card->BaseParamDesc_TextEdit()->text(), QStringLiteral("Рабочий"));
    EXPECT_EQ(card->BaseParamUnit_ButtonEdit()->text(), QStringLiteral("мВ"));
    EXPECT_EQ(card->BaseParamParamValType_ComboBox()->currentIndex(), 2);
    EXPECT_EQ(card->BaseParamParamUPID_TextEdit()->text(), QStringLiteral("CUR"));
    EXPECT_FALSE(card->ModifedData());
    // A stored value type outside the enumeration loads as the first one.
    TfrmBaseParamEdit* old = OpenCardBaseParam(1011, 2, false, 1011, 1);
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(old->BaseParamParamValType_ComboBox()->currentIndex(), 0);

    // A copy opened for another class belongs to that class and is inserted there.
    TfrmBaseParamEdit* copy = OpenCardBaseParam(1011, 1, true, 1011, 2);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->windowTitle(), QStringLiteral("New Base Param"));
    EXPECT_EQ(copy->BaseParamName_TextEdit()->text(), QStringLiteral("Ток"));
    EXPECT_EQ(copy->BaseParamUnit_ButtonEdit()->text(), QStringLiteral("мВ"));
    ASSERT_TRUE(copy->SaveItem());
    EXPECT_EQ(Scalar(QStringLiteral("SELECT CLASSID || '|' || UNITID || '|' || V_SELVALTYPE || "
                                    "'|' || UPID || '|' || S_DESCRIPTION FROM T_BASE_PARAM WHERE "
                                    "ID = %1")
                         .arg(copy->Id()))
                  .toString(),
              QStringLiteral("2|1|2|CUR|Рабочий"));
}

TEST_F(BaseParamCardTest, SavesRefreshOnlyTheListsOfTheirClass) {
    AddSamples();
    AddBaseParam(1, 1, QStringLiteral("Ток"), 1, QStringLiteral("CUR"));
    TfrmBaseParam* first = OpenBaseParams(1);
    TfrmBaseParam* second = OpenBaseParams(1);
    TfrmBaseParam* other = OpenBaseParams(2);

    TfrmBaseParamEdit* card = OpenCardBaseParam(1011, 1, false, 1011, 1);
    ASSERT_NE(card, nullptr);
    card->BaseParamName_TextEdit()->setText(QStringLiteral("Ток покоя"));
    PickUnit(card, 2);
    ASSERT_TRUE(card->SaveItem());
    for (TfrmBaseParam* host : {first, second})
        EXPECT_EQ(Column(host->BookFrame()), QStringList({"Ток покоя (В)"}));
    EXPECT_EQ(other->BookFrame()->Model()->Count(), 0);
    // A new record of the class appears in its lists only.
    TfrmBaseParamEdit* fresh = OpenCardBaseParam(0, 0, false, 1011, 1);
    fresh->BaseParamParamUPID_TextEdit()->setText(QStringLiteral("X"));
    ASSERT_TRUE(fresh->SaveItem());
    EXPECT_EQ(first->BookFrame()->Model()->Count(), 2);
    EXPECT_EQ(other->BookFrame()->Model()->Count(), 0);
}

// ------------------------------------------------------------------------------ propagation

namespace {

struct TUnitCase {
    const char* Title;
    int Option;
    quint32 OldUnit;               // the base parameter's unit before the edit, 0 none
    std::array<quint32, 4> Before; // the units of its four parameter values, 0 none
    quint32 NewUnit;               // picked, 0: cleared
    std::deque<int> Answers;
    QStringList Messages;
    const char* After; // the parameter values' units after the save
};

} // namespace

TEST_F(BaseParamCardTest, UnitChangeMovesOnlyTheValuesOnTheOldUnit) {
    const QString question =
        QStringLiteral("Изменить однотипную единицу измерения во всех связанных параметрах?");
    const std::array<quint32, 4> mixed = {1, 1, 2, 0};
    const std::vector<TUnitCase> cases = {
        {"never", 0, 1, mixed, 3, {}, {}, "1 1 2 -"},
        {"asked, yes", 1, 1, mixed, 3, {mrYes}, {question, "Обновлено записей: 2"}, "3 3 2 -"},
        {"asked, no", 1, 1, mixed, 3, {mrNo}, {question}, "1 1 2 -"},
        {"always", 2, 1, mixed, 3, {}, {}, "3 3 2 -"},
        {"always, unit cleared", 2, 1, mixed, 0, {}, {}, "- - 2 -"},
        // Values that all chose other units: the question, and nothing to report.
        {"asked, none on the old unit", 1, 1, {2, 2, 3, 0}, 3, {mrYes}, {question}, "2 2 3 -"},
        // A base parameter without a unit has no values on its unit to carry.
        {"no old unit", 2, 0, mixed, 3, {}, {}, "1 1 2 -"},
    };
    AddSamples();
    DB();
    quint32 id = 0;
    for (const TUnitCase& c : cases) {
        SCOPED_TRACE(c.Title);
        ++id;
        DB().Exec(QStringLiteral("DELETE FROM T_PARAM"));
        AddBaseParam(id, 1, QStringLiteral("U%1").arg(id), c.OldUnit, QStringLiteral("UP"));
        for (quint32 i = 0; i < 4; ++i)
            AddParam(i + 1, id, c.Before[i]);
        ::ChangeUnitOnBaseParam = c.Option;
        ::ChangeUPIDOnBaseParam = 2;

        TfrmBaseParamEdit* card = OpenCardBaseParam(1011, id, false, 1011, 1);
        ASSERT_NE(card, nullptr);
        if (c.NewUnit != 0)
            PickUnit(card, c.NewUnit);
        else
            QTest::keyClick(card->BaseParamUnit_ButtonEdit()->LineEdit(), Qt::Key_Delete);
        Messages.clear();
        Answers = c.Answers;
        ASSERT_TRUE(card->SaveItem());
        EXPECT_EQ(Messages, c.Messages);
        EXPECT_EQ(ParamUnits(), QString::fromLatin1(c.After));
        // The base parameter is saved whatever the answer; its UPID did not change.
        EXPECT_EQ(BaseParamRow(id), (c.NewUnit ? QString::number(c.NewUnit) : QStringLiteral("-")) +
                                        QStringLiteral("|UP"));
        EXPECT_EQ(ParamUPIDs(), QStringLiteral("OLD OLD OLD OLD"));
        card->ForciblyCloseItem();
        Settle();
    }
}

TEST_F(BaseParamCardTest, UpidChangeIsWrittenIntoEveryValueAsTheOptionSays) {
    const QString question = QStringLiteral("Изменить UPID во всех связанных параметрах?");
    struct TCase {
        const char* Title;
        int Option;
        std::deque<int> Answers;
        QStringList Messages;
        const char* After;
    };
    const std::vector<TCase> cases = {
        {"never", 0, {}, {}, "OLD OLD OLD"},
        {"asked, yes", 1, {mrYes}, {question, "Обновлено записей: 3"}, "NEW NEW NEW"},
        {"asked, no", 1, {mrNo}, {question}, "OLD OLD OLD"},
        {"always", 2, {}, {}, "NEW NEW NEW"},
    };
    AddSamples();
    AddBaseParam(1, 1, QStringLiteral("Ток"), 1, QStringLiteral("OLD"));
    AddBaseParam(2, 1, QStringLiteral("Другой"), 1, QStringLiteral("OLD"));
    AddParam(1, 1, 1);
    AddParam(2, 1, 2);
    AddParam(3, 1, 0);
    AddParam(4, 2, 1);
    DB();
    ::ChangeUnitOnBaseParam = 2;
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Title);
        DB().Exec(QStringLiteral("UPDATE T_PARAM SET UPID = 'OLD'"));
        DB().Exec(QStringLiteral("UPDATE T_BASE_PARAM SET UPID = 'OLD' WHERE ID = 1"));
        ::ChangeUPIDOnBaseParam = c.Option;
        TfrmBaseParamEdit* card = OpenCardBaseParam(1011, 1, false, 1011, 1);
        ASSERT_NE(card, nullptr);
        // Changing the description alone asks nothing.
        card->BaseParamDesc_TextEdit()->setText(QStringLiteral("описание"));
        Messages.clear();
        ASSERT_TRUE(card->SaveItem());
        EXPECT_TRUE(Messages.isEmpty());

        card->BaseParamParamUPID_TextEdit()->setText(QStringLiteral(" NEW "));
        Answers = c.Answers;
        ASSERT_TRUE(card->SaveItem());
        EXPECT_EQ(Messages, c.Messages);
        EXPECT_EQ(BaseParamRow(1), QStringLiteral("1|NEW"));
        // The other base parameter's value keeps its UPID.
        EXPECT_EQ(ParamUPIDs(), QString::fromLatin1(c.After) + QStringLiteral(" OLD"));
        EXPECT_EQ(ParamUnits(), QStringLiteral("1 2 - 1"));
        card->ForciblyCloseItem();
        Settle();
    }
}

TEST_F(BaseParamCardTest, RolledBackSaveCarriesItsChangesOnTheNextSave) {
    TTestDataBase& db = NewDB();
    // While sequence G_TEST_FAIL stands above 0, no parameter value can be changed.
    db.Exec(QStringLiteral("CREATE SEQUENCE G_TEST_FAIL"));
    db.Exec(QStringLiteral("CREATE EXCEPTION E_PARAM_LOCKED 'Parameters are locked'"));
    db.Exec(QStringLiteral("CREATE TRIGGER T_PARAM_LOCK FOR T_PARAM ACTIVE BEFORE UPDATE "
                           "POSITION 10 AS BEGIN IF (GEN_ID(G_TEST_FAIL, 0) > 0) THEN "
                           "EXCEPTION E_PARAM_LOCKED; END"));
    AddSamples();
    AddBaseParam(1, 1, QStringLiteral("Ток"), 1, QStringLiteral("OLD"));
    AddParam(1, 1, 1);
    AddParam(2, 1, 2);
    ::ChangeUnitOnBaseParam = 2;
    ::ChangeUPIDOnBaseParam = 2;
    T_frmBaseParam* frame = OpenBaseParams(1)->BookFrame();

    TfrmBaseParamEdit* card = OpenCardBaseParam(1011, 1, false, 1011, 1);
    ASSERT_NE(card, nullptr);
    PickUnit(card, 3);
    card->BaseParamParamUPID_TextEdit()->setText(QStringLiteral("NEW"));
    db.Exec(QStringLiteral("ALTER SEQUENCE G_TEST_FAIL RESTART WITH 1"));
    FUI.Clear();
    EXPECT_FALSE(card->SaveItem());
    ASSERT_EQ(FUI.Errors.size(), 1u);
    EXPECT_TRUE(FUI.Errors[0].Text.contains(QStringLiteral("Parameters are locked")))
        << FUI.Errors[0].Text.toStdString();
    EXPECT_FALSE(dmMain->MainIBTransaction.InTransaction());
    // Nothing was written, and the card still compares with what is stored.
    EXPECT_EQ(BaseParamRow(1), QStringLiteral("1|OLD"));
    EXPECT_EQ(ParamUnits(), QStringLiteral("1 2"));
    EXPECT_EQ(card->OldUnitId(), 1u);
    EXPECT_EQ(card->OldUPID(), QStringLiteral("OLD"));
    EXPECT_TRUE(card->ModifedData());
    EXPECT_EQ(Column(frame), QStringList({"Ток (мВ)"}));

    db.Exec(QStringLiteral("ALTER SEQUENCE G_TEST_FAIL RESTART WITH 0"));
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(BaseParamRow(1), QStringLiteral("3|NEW"));
    EXPECT_EQ(ParamUnits(), QStringLiteral("3 2"));
    EXPECT_EQ(ParamUPIDs(), QStringLiteral("NEW NEW"));
    EXPECT_EQ(card->OldUnitId(), 3u);
    EXPECT_EQ(card->OldUPID(), QStringLiteral("NEW"));
    EXPECT_EQ(Column(frame), QStringList({"Ток (кВ)"}));
}
