#include "refbooks/frmBaseParamEdit.h"

#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "refbooks/frmUnit.h"
#include "shell/KVButtonEdit.h"

#include <QComboBox>
#include <QLineEdit>
#include <QValidator>

namespace {

constexpr int kValueTypeCount = svtBoolFromType + 1;

TKVCardBook BaseParamCardBook() {
    TKVCardBook book;
    book.Name = QStringLiteral("BaseParam");
    book.KeyHasDBId = true;
    book.ItemType = itBaseParam;
    book.NewRecordText = QStringLiteral("New Base Param");
    book.HelpTopic = QStringLiteral("CardBaseParam");
    book.ClientSize = QSize(377, 213);
    book.SelectSQL = QStringLiteral(
        "SELECT FIRST 1 SKIP 0 TBP.UNITDBID, TBP.UNITID, TBP.S_NAME, TBP.S_DESCRIPTION, "
        "TBP.UPID, TBP.V_SELVALTYPE, TBP.C_TIMESTAMP, TBP.U_TIMESTAMP, TBP.R_TIMESTAMP, "
        "TCL.S_NAME AS CLASSNAME, TU.S_PREFIX AS UNITPREFIX FROM T_BASE_PARAM TBP LEFT JOIN "
        "T_CLASS TCL ON TCL.DBID = TBP.CLASSDBID AND TCL.ID = TBP.CLASSID LEFT JOIN T_UNIT TU "
        "ON TU.DBID = TBP.UNITDBID AND TU.ID = TBP.UNITID WHERE TBP.DBID = :VAR_DBID AND "
        "TBP.ID = :VAR_ID;");
    book.UpdateSQL = QStringLiteral(
        "UPDATE T_BASE_PARAM SET UNITDBID = :VAR_UNITDBID, UNITID = :VAR_UNITID, S_NAME = "
        ":VAR_S_NAME, S_DESCRIPTION = :VAR_S_DESCRIPTION, V_SELVALTYPE = :VAR_V_SELVALTYPE, "
        "UPID = :VAR_UPID, V_FLAG = :VAR_V_FLAG, U_TIMESTAMP = :VAR_U_TIMESTAMP WHERE DBID = "
        ":VAR_DBID AND ID = :VAR_ID;");
    book.InsertSQL = QStringLiteral(
        "EXECUTE PROCEDURE INSERT_BASE_PARAM (:I_CLASSDBID, :I_CLASSID, :I_UNITDBID, "
        ":I_UNITID, :I_S_NAME, :I_S_DESCRIPTION, :I_V_SELVALTYPE, :I_UPID, :I_V_FLAG, "
        ":I_C_TIMESTAMP);");
    return book;
}

// Keeps what is typed upper case.
class TUpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& AInput, int&) const override {
        AInput = AInput.toUpper();
        return Acceptable;
    }
};

} // namespace

TfrmBaseParamEdit::TfrmBaseParamEdit(QWidget* AParent) : TKVBookCard(BaseParamCardBook(), AParent) {
    // The class is shown, never edited here.
    FClassEdit = new QLineEdit(this);
    FClassEdit->setObjectName(QStringLiteral("BaseParamClass_TextEdit"));
    FClassEdit->setReadOnly(true);
    QPalette grey = FClassEdit->palette();
    grey.setColor(QPalette::Base, grey.color(QPalette::Window));
    FClassEdit->setPalette(grey);
    AddEditorRow(tr("Класс"), FClassEdit);

    FNameEdit = AddTextEditor("BaseParamName_TextEdit", tr("Обозначение"), KVNameLength, true);
    FDescEdit = AddTextEditor("BaseParamDesc_TextEdit", tr("Описание"), KVDescriptionLength);

    TKVCardLink unit;
    unit.Pick = [this](TKVSelectedItemDBData& AResult) {
        SelectUnit(Row()->UnitDBId(), Row()->UnitId(), AResult);
    };
    unit.Set = [this](quint32 ADBId, quint32 AId, const QString& AName) {
        Row()->UpdateUnitData(ADBId, AId, AName);
    };
    FUnitEdit = AddLinkEditor("BaseParamUnit_ButtonEdit", tr("Единица измерения"), unit);

    FValTypeCombo = new QComboBox(this);
    FValTypeCombo->setObjectName(QStringLiteral("BaseParamParamValType_ComboBox"));
    AddEditorRow(tr("Тип отбора значения"), FValTypeCombo);

    FUPIDEdit = AddTextEditor("BaseParamParamUPID_TextEdit", tr("Униф. парам. индекс (UPID)"),
                              KVSmallNameLength, true);
    FUPIDEdit->setValidator(new TUpperCaseValidator(FUPIDEdit));
}

void TfrmBaseParamEdit::FillValTypeComboBox() {
    if (FValTypeCombo->count() == kValueTypeCount)
        return;
    FValTypeCombo->clear();
    for (int i = 0; i < kValueTypeCount; ++i)
        FValTypeCombo->addItem(SelectValueTypeToStr(i));
    connect(FValTypeCombo, &QComboBox::currentIndexChanged, this,
            &TfrmBaseParamEdit::TextEditPropertiesChange, Qt::UniqueConnection);
}

bool TfrmBaseParamEdit::Init(quint32 ADBId, quint32 AId, bool ACreateCopyFlag, quint32 AClassDBId,
                             quint32 AClassId) {
    FClassDBId = AClassDBId;
    FClassId = AClassId;
    FillValTypeComboBox();
    return TKVBookCard::Init(ADBId, AId, ACreateCopyFlag);
}

bool TfrmBaseParamEdit::LinkedToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const {
    switch (AItemType) {
    case itClass:
        return ClassDBId() == ADBId && ClassId() == AId;
    case itUnit:
        return UnitId() != 0 && UnitDBId() == ADBId && UnitId() == AId;
    default:
        return false;
    }
}

// ------------------------------------------------------------------------- the record

void TfrmBaseParamEdit::CreateRecord(quint32 ADBId, quint32 AId) {
    SetRow(std::make_unique<TKVBaseParam>(ADBId, AId, FClassDBId, FClassId));
    FOldUPID.clear();
    FOldUnitDBId = 0;
    FOldUnitId = 0;
}

bool TfrmBaseParamEdit::ReadRecord(TIBQuery& AQuery, quint32 ADBId, quint32 AId) {
    if (!TKVBookCard::ReadRecord(AQuery, ADBId, AId))
        return false;
    RecordCommitted(); // the stored unit and UPID
    return true;
}

bool TfrmBaseParamEdit::ReadNewRecord(TIBQuery& AQuery) {
    AQuery.SetSQL(QStringLiteral("SELECT FIRST 1 SKIP 0 S_NAME FROM T_CLASS WHERE DBID = "
                                 ":VAR_CLASSDBID AND ID = :VAR_CLASSID;"));
    AQuery.ParamByName("VAR_CLASSDBID").SetAsInt64(Row()->BPClassDBId());
    AQuery.ParamByName("VAR_CLASSID").SetAsInt64(Row()->BPClassId());
    AQuery.Open();
    if (AQuery.Eof())
        return false;
    Row()->UpdateData(0, 0, QString(), QString(), svtDefault, QString(), 0, 0, 0,
                      AQuery.FieldByName("S_NAME").AsString(), QString());
    return true;
}

void TfrmBaseParamEdit::BindFields(TIBQuery& AQuery, const QString& APrefix) const {
    SetLinkOrNull(AQuery.ParamByName(APrefix + QStringLiteral("UNITDBID")),
                  AQuery.ParamByName(APrefix + QStringLiteral("UNITID")), Row()->UnitDBId(),
                  Row()->UnitId());
    AQuery.ParamByName(APrefix + QStringLiteral("S_NAME")).SetAsString(Row()->Name());
    SetTextOrNull(AQuery.ParamByName(APrefix + QStringLiteral("S_DESCRIPTION")),
                  Row()->Description());
    AQuery.ParamByName(APrefix + QStringLiteral("V_SELVALTYPE"))
        .SetAsInteger(Row()->SelectValueTypeIndex());
    SetTextOrNull(AQuery.ParamByName(APrefix + QStringLiteral("UPID")), Row()->UPId());
    AQuery.ParamByName(APrefix + QStringLiteral("V_FLAG")).SetAsInteger(0);
    if (APrefix == QLatin1String("I_")) {
        AQuery.ParamByName("I_CLASSDBID").SetAsInt64(Row()->BPClassDBId());
        AQuery.ParamByName("I_CLASSID").SetAsInt64(Row()->BPClassId());
    }
}

int TfrmBaseParamEdit::ExecUpdate(TIBQuery& AQuery) {
    const int changed = TKVBookCard::ExecUpdate(AQuery);
    AQuery.Close();
    // A base parameter that is gone has no parameter values to carry anything into.
    if (changed > 0)
        PropagateChanges(AQuery);
    return changed;
}

void TfrmBaseParamEdit::PropagateChanges(TIBQuery& AQuery) {
    const bool unitChanged = Row()->UnitDBId() != FOldUnitDBId || Row()->UnitId() != FOldUnitId;
    const bool upidChanged = Row()->UPId() != FOldUPID;
    if (!unitChanged && !upidChanged)
        return;
    const auto bindBaseParam = [&] {
        AQuery.ParamByName("VAR_BASEPARAMDBID").SetAsInt64(Row()->DBId());
        AQuery.ParamByName("VAR_BASEPARAMID").SetAsInt64(Row()->Id());
    };
    AQuery.SetSQL(QStringLiteral(
        "SELECT 1 FROM RDB$DATABASE WHERE EXISTS(SELECT FIRST 1 SKIP 0 ID FROM T_PARAM WHERE "
        "BASEPARAMDBID = :VAR_BASEPARAMDBID AND BASEPARAMID = :VAR_BASEPARAMID);"));
    bindBaseParam();
    AQuery.Open();
    const bool used = !AQuery.Eof();
    AQuery.Close();
    if (!used)
        return;

    // The values on the old unit follow the base parameter; values on another unit were given
    // it on purpose, and values without a unit have none to follow, so both keep theirs. A base
    // parameter that had no unit therefore has nothing to carry.
    const int unitOption = ::ChangeUnitOnBaseParam;
    if (unitChanged && FOldUnitId != 0 &&
        AutoActionWanted(unitOption, tr("Изменить однотипную единицу измерения во всех связанных "
                                         "параметрах?"))) {
        AQuery.SetSQL(QStringLiteral(
            "UPDATE T_PARAM SET UNITDBID = :VAR_UNITDBID, UNITID = :VAR_UNITID WHERE "
            "BASEPARAMDBID = :VAR_BASEPARAMDBID AND BASEPARAMID = :VAR_BASEPARAMID AND "
            "UNITDBID = :VAR_OLDUNITDBID AND UNITID = :VAR_OLDUNITID;"));
        SetLinkOrNull(AQuery.ParamByName("VAR_UNITDBID"), AQuery.ParamByName("VAR_UNITID"),
                      Row()->UnitDBId(), Row()->UnitId());
        bindBaseParam();
        AQuery.ParamByName("VAR_OLDUNITDBID").SetAsInt64(FOldUnitDBId);
        AQuery.ParamByName("VAR_OLDUNITID").SetAsInt64(FOldUnitId);
        AQuery.ExecSQL();
        ReportAutoActionCount(unitOption, AQuery.RowsAffected());
        AQuery.Close();
    }

    const int upidOption = ::ChangeUPIDOnBaseParam;
    if (upidChanged &&
        AutoActionWanted(upidOption, tr("Изменить UPID во всех связанных параметрах?"))) {
        AQuery.SetSQL(QStringLiteral("UPDATE T_PARAM SET UPID = :VAR_UPID WHERE BASEPARAMDBID = "
                                     ":VAR_BASEPARAMDBID AND BASEPARAMID = :VAR_BASEPARAMID;"));
        SetTextOrNull(AQuery.ParamByName("VAR_UPID"), Row()->UPId());
        bindBaseParam();
        AQuery.ExecSQL();
        ReportAutoActionCount(upidOption, AQuery.RowsAffected());
        AQuery.Close();
    }
}

void TfrmBaseParamEdit::RecordCommitted() {
    FOldUPID = Row()->UPId();
    FOldUnitDBId = Row()->UnitDBId();
    FOldUnitId = Row()->UnitId();
}

// ------------------------------------------------------------------------------- editors

void TfrmBaseParamEdit::FillEditors() {
    FClassEdit->setText(Row()->BPClassName());
    FNameEdit->setText(Row()->Name());
    FDescEdit->setText(Row()->Description());
    FUnitEdit->setText(Row()->UnitPrefix());
    FValTypeCombo->setCurrentIndex(Row()->SelectValueTypeIndex());
    FUPIDEdit->setText(Row()->UPId());
}

void TfrmBaseParamEdit::SetEditorsReadOnly(bool AValue) {
    TKVBookCard::SetEditorsReadOnly(AValue);
    FValTypeCombo->setEnabled(!AValue);
}

void TfrmBaseParamEdit::StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) {
    Row()->UpdateData(
        FNameEdit->text(), FDescEdit->text(), IndexToSelectValueType(FValTypeCombo->currentIndex()),
        FUPIDEdit->text().trimmed(), ACreateDateTime, AUpdateDateTime, Row()->ReplDateTime());
}

void TfrmBaseParamEdit::OpenCopy() {
    OpenCardBaseParam(DBId(), Id(), true, ClassDBId(), ClassId());
}

TfrmBaseParamEdit* OpenCardBaseParam(quint32 ADBId, quint32 AId, bool ACreateCopyFlag,
                                     quint32 AClassDBId, quint32 AClassId) {
    return OpenRecordCard<TfrmBaseParamEdit>(2120, ADBId, AId, ACreateCopyFlag, AClassDBId,
                                             AClassId);
}
