#include "refbooks/frmUnitEdit.h"

#include "platform/ib/IBQuery.h"
#include "refbooks/frmUnit.h"
#include "shell/uMessage.h"

#include <QLineEdit>
#include <QLocale>

#include <cmath>

namespace {

TKVCardBook UnitCardBook() {
    TKVCardBook book;
    book.Name = QStringLiteral("Unit");
    book.KeyHasDBId = true;
    book.ItemType = itUnit;
    book.NewRecordText = QStringLiteral("unit");
    book.HelpTopic = QStringLiteral("CardUnit");
    book.ClientSize = QSize(377, 185);
    return book;
}

// A factor typed with the user's decimal separator or with a point; nullopt when the text is
// not a finite number. An empty text is 0.
std::optional<double> ParseFactor(const QString& AText) {
    const QString text = AText.trimmed();
    if (text.isEmpty())
        return 0.0;
    bool ok = false;
    double value = QLocale().toDouble(text, &ok);
    if (!ok)
        value = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

TfrmUnitEdit::TfrmUnitEdit(QWidget* AParent) : TKVRecordCard(UnitCardBook(), AParent) {
    FPrefixEdit =
        AddTextEditor("UnitPrefix_TextEdit", tr("Приставка (к значению)"), KVSmallNameLength);
    FNameDefEdit =
        AddTextEditor("UnitNameDef_TextEdit", tr("Обозначение по умолчанию"), KVSmallNameLength);
    FNameEdit = AddTextEditor("UnitName_TextEdit", tr("Название"), KVNameLength);
    FDescEdit = AddTextEditor("UnitDesc_TextEdit", tr("Описание"), KVDescriptionLength);
    FFactorEdit = new QLineEdit(this);
    FFactorEdit->setObjectName(QStringLiteral("UnitFactor_SpinEdit"));
    connect(FFactorEdit, &QLineEdit::textChanged, this, &TfrmUnitEdit::TextEditPropertiesChange);
    AddEditorRow(tr("Множитель к базовой ед. изм."), FFactorEdit);
}

TfrmUnitEdit::~TfrmUnitEdit() = default;

void TfrmUnitEdit::CreateRecord(quint32 ADBId, quint32 AId) {
    FUnit = std::make_unique<TKVUnit>(ADBId, AId);
}

bool TfrmUnitEdit::ReadRecord(TIBQuery& AQuery, quint32 ADBId, quint32 AId) {
    AQuery.SetSQL(QStringLiteral(
        "SELECT FIRST 1 SKIP 0 TU1.S_PREFIX, TU1.S_NAMEDEF, TU1.S_NAME, TU1.S_DESCRIPTION, "
        "TU1.V_FACTOR, TU1.C_TIMESTAMP, TU1.U_TIMESTAMP, TU1.R_TIMESTAMP FROM T_UNIT TU1 WHERE "
        "TU1.DBID = :VAR_DBID AND TU1.ID = :VAR_ID;"));
    AQuery.ParamByName("VAR_DBID").SetAsInt64(ADBId);
    AQuery.ParamByName("VAR_ID").SetAsInt64(AId);
    AQuery.Open();
    if (AQuery.Eof())
        return false;
    FUnit->UpdateData(
        AQuery.FieldByName("S_PREFIX").AsString(), AQuery.FieldByName("S_NAMEDEF").AsString(),
        AQuery.FieldByName("S_NAME").AsString(), AQuery.FieldByName("S_DESCRIPTION").AsString(),
        AQuery.FieldByName("V_FACTOR").AsDouble(), AQuery.FieldByName("C_TIMESTAMP").AsDateTime(),
        AQuery.FieldByName("U_TIMESTAMP").AsDateTime(),
        AQuery.FieldByName("R_TIMESTAMP").AsDateTime());
    return true;
}

void TfrmUnitEdit::BindFields(TIBQuery& AQuery, const QString& APrefix) const {
    AQuery.ParamByName(APrefix + QStringLiteral("S_PREFIX")).SetAsString(FUnit->Prefix());
    SetTextOrNull(AQuery.ParamByName(APrefix + QStringLiteral("S_NAMEDEF")), FUnit->NameDef());
    SetTextOrNull(AQuery.ParamByName(APrefix + QStringLiteral("S_NAME")), FUnit->Name());
    SetTextOrNull(AQuery.ParamByName(APrefix + QStringLiteral("S_DESCRIPTION")),
                  FUnit->Description());
    TIBParam& factor = AQuery.ParamByName(APrefix + QStringLiteral("V_FACTOR"));
    if (FUnit->Factor() > 0)
        factor.SetAsDouble(FUnit->Factor());
    else
        factor.Clear();
    AQuery.ParamByName(APrefix + QStringLiteral("V_FLAG")).SetAsInteger(0);
}

int TfrmUnitEdit::ExecUpdate(TIBQuery& AQuery) {
    AQuery.SetSQL(QStringLiteral(
        "UPDATE T_UNIT SET S_PREFIX = :VAR_S_PREFIX, S_NAMEDEF = :VAR_S_NAMEDEF, S_NAME = "
        ":VAR_S_NAME, S_DESCRIPTION = :VAR_S_DESCRIPTION, V_FACTOR = :VAR_V_FACTOR, V_FLAG = "
        ":VAR_V_FLAG, U_TIMESTAMP = :VAR_U_TIMESTAMP WHERE DBID = :VAR_DBID AND ID = :VAR_ID;"));
    BindFields(AQuery, QStringLiteral("VAR_"));
    AQuery.ParamByName("VAR_U_TIMESTAMP").SetAsDateTime(FUnit->UpdateDateTime());
    AQuery.ParamByName("VAR_DBID").SetAsInt64(FUnit->DBId());
    AQuery.ParamByName("VAR_ID").SetAsInt64(FUnit->Id());
    AQuery.ExecSQL();
    return AQuery.RowsAffected();
}

void TfrmUnitEdit::ExecInsert(TIBQuery& AQuery) {
    AQuery.SetSQL(QStringLiteral(
        "EXECUTE PROCEDURE INSERT_UNIT (:I_S_PREFIX, :I_S_NAMEDEF, :I_S_NAME, :I_S_DESCRIPTION, "
        ":I_V_FACTOR, :I_V_FLAG, :I_C_TIMESTAMP);"));
    BindFields(AQuery, QStringLiteral("I_"));
    AQuery.ParamByName("I_C_TIMESTAMP").SetAsDateTime(FUnit->CreateDateTime());
    AQuery.ExecSQL();
}

void TfrmUnitEdit::SetRecordKey(quint32 ADBId, quint32 AId) {
    FUnit->SetPKey(ADBId, AId);
}

void TfrmUnitEdit::FillEditors() {
    FPrefixEdit->setText(FUnit->Prefix());
    FNameDefEdit->setText(FUnit->NameDef());
    FNameEdit->setText(FUnit->Name());
    FDescEdit->setText(FUnit->Description());
    FFactorEdit->setText(FloatToStrKV(FUnit->Factor()));
}

void TfrmUnitEdit::SetEditorsReadOnly(bool AValue) {
    TKVRecordCard::SetEditorsReadOnly(AValue);
    FFactorEdit->setReadOnly(AValue);
}

bool TfrmUnitEdit::CheckEditors() {
    if (!CheckRequired(FPrefixEdit))
        return false;
    // An untouched factor keeps its stored value, digits beyond those shown included.
    if (FFactorEdit->text() == FloatToStrKV(FUnit->Factor())) {
        FCheckedFactor = FUnit->Factor();
        return true;
    }
    const std::optional<double> factor = ParseFactor(FFactorEdit->text());
    if (!factor) {
        FFactorEdit->setFocus();
        ShowMessageDlg(tr("Множитель к базовой ед. изм. должен быть числом"), mdkWarning, mdbOK);
        return false;
    }
    FCheckedFactor = *factor;
    return true;
}

void TfrmUnitEdit::StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) {
    FUnit->UpdateData(FPrefixEdit->text(), FNameDefEdit->text(), FNameEdit->text(),
                      FDescEdit->text(), FCheckedFactor, ACreateDateTime, AUpdateDateTime,
                      FUnit->ReplDateTime());
}

TDateTime TfrmUnitEdit::RecordCreateDateTime() const {
    return FUnit->CreateDateTime();
}

QString TfrmUnitEdit::RecordCardName() const {
    return FUnit->Name().isEmpty() ? FUnit->Prefix() : FUnit->Name();
}

void TfrmUnitEdit::OpenCopy() {
    OpenCardUnit(DBId(), Id(), true);
}

bool TfrmUnitEdit::RefreshesList(const TKVListHost& AHost) const {
    return dynamic_cast<const TfrmUnit*>(&AHost) != nullptr;
}

TfrmUnitEdit* OpenCardUnit(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) {
    return OpenRecordCard<TfrmUnitEdit>(2113, ADBId, AId, ACreateCopyFlag);
}
