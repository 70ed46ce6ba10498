// The base-parameter list window of one class on a real database: what it loads and shows,
// its filter on designation and description, the name it copies and exports under, a class
// that is missing, the delete probe and the windows a delete closes, and the extra command that
// writes a base parameter's UPID into the parameter values of its unit.

#include "tests/refbooks/BaseParamTestSupport.h"

#include "shell/KVButtonEdit.h"
#include "shell/frmExportDataToFile.h"

#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>

class BaseParamListTest : public TBaseParamTest {
protected:
    void AddSamples() {
        AddClass(1011, 1, QStringLiteral("Резисторы"));
        AddClass(1011, 2, QStringLiteral("Конденсаторы"));
        AddUnit(1011, 1, QStringLiteral("mV"));
        AddUnit(1011, 2, QStringLiteral("мА"));
        AddBaseParam(1, 1, QStringLiteral("Voltage"), 1, QStringLiteral("U"),
                     QStringLiteral("Рабочее"), 1);
        AddBaseParam(2, 1, QStringLiteral("Ток"), 0, QStringLiteral("I"),
                     QStringLiteral("Номинальный"), 20);
        AddBaseParam(3, 1, QStringLiteral("Мощность"), 0, QStringLiteral("P"), QString(), 15);
        AddBaseParam(4, 2, QStringLiteral("Ёмкость"), 0, QStringLiteral("C"));
    }
    void Filter(TKVListFrame* AFrame, const QString& AText) {
        AFrame->FilterEdit()->setText(AText);
        AFrame->Filter_ButtonEditPropertiesButtonClick(0);
    }
};

TEST_F(BaseParamListTest, LoadsTheRowsOfItsClassAndFiltersOnNameAndDescription) {
    AddSamples();
    TfrmBaseParam* host = OpenBaseParams(1);
    T_frmBaseParam* frame = host->BookFrame();

    EXPECT_EQ(host->windowTitle(), QStringLiteral("Резисторы - Базовые параметры"));
    EXPECT_EQ(frame->BPClassDBId(), 1011u);
    EXPECT_EQ(frame->BPClassId(), 1u);
    EXPECT_EQ(frame->BPClassName(), QStringLiteral("Резисторы"));
    const QStringList captions = {"Обозначение", "Описание", "Отбор значения", "UPID"};
    for (int i = 0; i < captions.size(); ++i)
        EXPECT_EQ(frame->Model()->headerData(i, Qt::Horizontal).toString(), captions[i]);
    EXPECT_EQ(frame->CountPanel()->text(), QStringLiteral("Записей 3 "));
    const auto row = [&](quint32 AId) {
        return frame->Model()->Row(frame->Model()->Find({1011, AId})).Texts;
    };
    // The unit prefix in parentheses; a value type outside the enumeration shows as the first.
    EXPECT_EQ(row(1),
              QStringList({"Voltage (mV)", "Рабочее", SelectValueTypeToStr(svtMinOnly), "U"}));
    EXPECT_EQ(row(2), QStringList({"Ток", "Номинальный", "", "I"}));
    EXPECT_EQ(row(3)[2], SelectValueTypeToStr(svtBoolFromType));
    frame->BaseParamList()->FindIndexByPKey(1011, 2);
    EXPECT_EQ(frame->BaseParamList()->GetRecord()->SelectValueType(), svtDefault);
    EXPECT_EQ(frame->BaseParamList()->GetRecord()->BPClassName(), QStringLiteral("Резисторы"));

    // The filter tests the designation, then the description, never the unit.
    Filter(frame, QStringLiteral("ном"));
    EXPECT_EQ(Column(frame), QStringList({"Ток"}));
    Filter(frame, QStringLiteral("ТОК"));
    EXPECT_EQ(Column(frame), QStringList({"Ток"}));
    Filter(frame, QStringLiteral("mV"));
    EXPECT_TRUE(Column(frame).isEmpty());
    Filter(frame, QString());

    // Copy name: the first column and the description in brackets.
    frame->SelectRecord(1011, 1);
    ASSERT_TRUE(frame->CopyName());
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Voltage (mV) [Рабочее]"));
    frame->SelectRecord(1011, 3);
    ASSERT_TRUE(frame->CopyName());
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Мощность"));

    QString title;
    QString fileName;
    AnswerModal<TfrmExportDataToFile>([&](TfrmExportDataToFile* ADialog) {
        title = ADialog->DataSetName();
        fileName = ADialog->FileName();
        ADialog->reject();
    });
    frame->MenuItem(QStringLiteral("pmiExportDataToFile"))->trigger();
    EXPECT_EQ(title, QStringLiteral("Резисторы - Базовые параметры"));
    EXPECT_EQ(fileName, title); // the data-set name names the file

    // A unit renamed elsewhere shows after a refresh.
    DB().Exec(QStringLiteral("UPDATE T_UNIT SET S_PREFIX = 'мВ' WHERE ID = 1"));
    frame->RefreshData();
    EXPECT_EQ(row(1)[0], QStringLiteral("Voltage (мВ)"));
}

TEST_F(BaseParamListTest, MissingClassIsReportedAndTheWindowStillOpens) {
    AddSamples();
    AddBaseParam(5, 9, QStringLiteral("Сирота"));
    DB();
    FUI.Clear();
    TfrmBaseParam* host = OpenBaseParams(9);
    ASSERT_NE(host, nullptr);
    ASSERT_EQ(FUI.Errors.size(), 1u);
    EXPECT_EQ(FUI.Errors[0].Caption, QString());
    EXPECT_EQ(FUI.Errors[0].Text, QStringLiteral("Object DBID:1011, ID:9 not found in DataBase"));
    EXPECT_EQ(host->windowTitle(), QStringLiteral(" - Базовые параметры"));
    EXPECT_EQ(Column(host->BookFrame()), QStringList({"Сирота"}));
}

TEST_F(BaseParamListTest, DeleteIsRefusedWhileValuesUseItAndClosesItsCards) {
    AddSamples();
    AddParam(1, 1, 1);
    TfrmBaseParam* host = OpenBaseParams(1);
    T_frmBaseParam* frame = host->BookFrame();
    const QString refused =
        QStringLiteral("Запись не может быть удалена, пока на нее ссылаются другие записи в "
                       "базе данных");

    FocusList(frame);
    frame->SelectRecord(1011, 1);
    Answers = {mrYes};
    frame->Delete_ToolButtonClick();
    EXPECT_EQ(Messages, QStringList({"Удалить запись?", refused}));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_BASE_PARAM")).toInt(), 4);

    // Unused: deleted, and its card closes without a question; another card stays.
    TfrmBaseParamEdit* own = OpenCardBaseParam(1011, 2, false, 1011, 1);
    TfrmBaseParamEdit* other = OpenCardBaseParam(1011, 3, false, 1011, 1);
    ASSERT_TRUE(own && other);
    own->BaseParamDesc_TextEdit()->setText(QStringLiteral("правка"));
    QPointer<TfrmBaseParamEdit> ownGuard = own;
    Main().BringToFrontMDIChild(host);
    FocusList(frame);
    frame->SelectRecord(1011, 2);
    Messages.clear();
    Answers = {mrYes};
    frame->Delete_ToolButtonClick();
    Settle();
    EXPECT_EQ(Messages, QStringList({"Удалить запись?"}));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_BASE_PARAM WHERE ID = 2")).toInt(), 0);
    EXPECT_EQ(Column(frame), QStringList({"Voltage (mV)", "Мощность"}));
    EXPECT_TRUE(ownGuard.isNull());
    EXPECT_EQ(BaseParamCards(), std::vector<TfrmBaseParamEdit*>({other}));
}

TEST_F(BaseParamListTest, CardsBoundToADeletedUnitClose) {
    AddSamples();
    AddUnit(1011, 3, QStringLiteral("Гц"));
    DB();
    // A card that picked a unit not saved anywhere yet is bound to it.
    TfrmBaseParamEdit* card = OpenCardBaseParam(1011, 3, false, 1011, 1);
    ASSERT_NE(card, nullptr);
    PickUnit(card, 3);
    EXPECT_TRUE(card->LinkedToRecord(itUnit, 1011, 3));
    EXPECT_TRUE(card->LinkedToRecord(itClass, 1011, 1));
    EXPECT_FALSE(card->LinkedToRecord(itClass, 1011, 2));
    QPointer<TfrmBaseParamEdit> guard = card;
    TfrmUnit* host = OpenHost();
    T_frmUnit* units = host->BookFrame();
    // The picker took the activation with it; the list needs it back for its Del.
    Main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
    Main().BringToFrontMDIChild(host);
    FocusList(units);
    units->SelectRecord(1011, 3);
    Answers = {mrYes};
    units->Delete_ToolButtonClick();
    Settle();
    EXPECT_EQ(Messages, QStringList({"Удалить запись?"}));
    EXPECT_TRUE(guard.isNull());
}

// ------------------------------------------------------------------------- extra command

TEST_F(BaseParamListTest, ExtraCommandWritesTheUpidIntoValuesOfTheCurrentUnit) {
    AddSamples();
    DB().Exec(QStringLiteral("UPDATE T_BASE_PARAM SET UPID = 'volt' WHERE ID = 1"));
    // Base parameter 1 (unit 1): values of this database, of another and a system one on
    // unit 1, one on unit 2 and one without a unit. Base parameter 2 (no unit): one value
    // without a unit and one on unit 1.
    AddParam(1, 1, 1, QStringLiteral("A"));
    AddParam(2, 1, 1, QStringLiteral("A"), 1012);
    AddParam(3, 1, 1, QStringLiteral("A"), 0);
    AddParam(4, 1, 2, QStringLiteral("A"));
    AddParam(5, 1, 0, QStringLiteral("A"));
    AddParam(6, 2, 0, QStringLiteral("A"));
    AddParam(7, 2, 1, QStringLiteral("A"));
    T_frmBaseParam* frame = OpenBaseParams(1)->BookFrame();
    const QString upids = QStringLiteral(
        "SELECT LIST(U, ' ') FROM (SELECT COALESCE(UPID, '-') AS U FROM T_PARAM ORDER BY ID)");

    struct TCase {
        bool NSIMod;
        bool BLIMod;
        int Count;
        const char* After; // UPIDs of values 1 to 5
    };
    for (const TCase& c :
         {TCase{false, false, 1, "VOLT A A A A"}, TCase{false, true, 1, "VOLT A A A A"},
          TCase{true, true, 3, "VOLT VOLT VOLT A A"}, TCase{true, false, 2, "VOLT VOLT A A A"}}) {
        SCOPED_TRACE(
            QStringLiteral("NSIMod %1 BLIMod %2").arg(c.NSIMod).arg(c.BLIMod).toStdString());
        DB().Exec(QStringLiteral("UPDATE T_PARAM SET UPID = 'A'"));
        ::NSIMod = c.NSIMod;
        ::BLIMod = c.BLIMod;
        EXPECT_EQ(frame->ParamUpdateUPIDAndUnit(1011, 1), c.Count);
        EXPECT_EQ(Scalar(upids).toString(), QString::fromLatin1(c.After) + QStringLiteral(" A A"));
        EXPECT_EQ(ParamUnits(), QStringLiteral("1 1 2 - - 1 1"));
    }

    // Through the menu: the count, or the warning when nothing changed. A base parameter
    // without a unit writes into the values without one.
    ::NSIMod = false;
    QAction* item = frame->MenuItem(QStringLiteral("pmiAddFunct_ChangeUPIDAndUnit"));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(),
              QStringLiteral("&Обновить UPID и единицу измерения во всех связанных параметрах"));
    EXPECT_FALSE(item->isEnabled());
    frame->SelectRecord(1011, 2);
    ASSERT_TRUE(item->isEnabled());
    Messages.clear();
    item->trigger();
    EXPECT_EQ(Messages, QStringList({"Обновлено записей: 1"}));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT UPID FROM T_PARAM WHERE ID = 6")).toString(),
              QStringLiteral("I"));
    frame->SelectRecord(1011, 3);
    Messages.clear();
    item->trigger();
    EXPECT_EQ(Messages, QStringList({"Записи не были обновлены"}));

    // Option ReadOnly: the item is off and the operation does nothing.
    ::ReadOnly = true;
    frame->SelectRecord(1011, 1);
    EXPECT_FALSE(item->isEnabled());
    DB().Exec(QStringLiteral("UPDATE T_PARAM SET UPID = 'A'"));
    EXPECT_EQ(frame->ParamUpdateUPIDAndUnit(1011, 1), 0);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_PARAM WHERE UPID <> 'A'")).toInt(), 0);
}
