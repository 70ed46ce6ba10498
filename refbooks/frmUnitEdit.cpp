#include "refbooks/frmUnitEdit.h"

#include "platform/ib/IBQuery.h"
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
    book.SelectSQL = QStringLiteral(
        "SELECT FIRST 1 SKIP 0 TU1.S_PREFIX, TU1.S_NAMEDEF, TU1.S_NAME, TU1.S_DESCRIPTION, "
        "TU1.V_FACTOR, TU1.C_TIMESTAMP, TU1.U_TIMESTAMP, TU1.R_TIMESTAMP FROM T_UNIT TU1 WHERE "
        "TU1.DBID = :VAR_DBID AND TU1.ID = :VAR_ID;");
    book.UpdateSQL = QStringLiteral(
        "UPDATE T_UNIT SET S_PREFIX = :VAR_S_PREFIX, S_NAMEDEF = :VAR_S_NAMEDEF, S_NAME = "
        ":VAR_S_NAME, S_DESCRIPTION = :VAR_S_DESCRIPTION, V_FACTOR = :VAR_V_FACTOR, V_FLAG = "
        ":VAR_V_FLAG, U_TIMESTAMP = :VAR_U_TIMESTAMP WHERE DBID = :VAR_DBID AND ID = :VAR_ID;");
    book.InsertSQL = QStringLiteral(
        "EXECUTE PROCEDURE INSERT_UNIT (:I_S_PREFIX, :I_S_NAMEDEF, :I_S_NAME, :I_S_DESCRIPTION, "
        ":I_V_FACTOR, :I_V_FLAG, :I_C_TIMESTAMP);");
    book.OpenCopy = [](quint32 ADBId, quint32 AId) { OpenCardUnit(ADBId, AId, true); };
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

TfrmUnitEdit::TfrmUnitEdit(QWidget* AParent) : TKVBookCard(UnitCardBook(), AParent) {
    FPrefixEdit =
        AddTextEditor("UnitPrefix_TextEdit", tr("Приставка (к значению)"), KVSmallNameLength, true);
    FNameDefEdit =
        AddTextEditor("UnitNameDef_TextEdit", tr("Обозначение по умолчанию"), KVSmallNameLength);
    FNameEdit = AddTextEditor("UnitName_TextEdit", tr("Название"), KVNameLength);
    FDescEdit = AddTextEditor("UnitDesc_TextEdit", tr("Описание"), KVDescriptionLength);
    FFactorEdit = new QLineEdit(this);
    FFactorEdit->setObjectName(QStringLiteral("UnitFactor_SpinEdit"));
    connect(FFactorEdit, &QLineEdit::textChanged, this, &TfrmUnitEdit::TextEditPropertiesChange);
    AddEditorRow(tr("Множитель к базовой ед. изм."), FFactorEdit);
}

void TfrmUnitEdit::BindFields(TIBQuery& AQuery, const QString& APrefix) const {
    AQuery.ParamByName(APrefix + QStringLiteral("S_PREFIX")).SetAsString(Row()->Prefix());
    SetTextOrNull(AQuery.ParamByName(APrefix + QStringLiteral("S_NAMEDEF")), Row()->NameDef());
    SetTextOrNull(AQuery.ParamByName(APrefix + QStringLiteral("S_NAME")), Row()->Name());
    SetTextOrNull(AQuery.ParamByName(APrefix + QStringLiteral("S_DESCRIPTION")),
                  Row()->Description());
    TIBParam& factor = AQuery.ParamByName(APrefix + QStringLiteral("V_FACTOR"));
    if (Row()->Factor() > 0)
        factor.SetAsDouble(Row()->Factor());
    else
        factor.Clear();
    AQuery.ParamByName(APrefix + QStringLiteral("V_FLAG")).SetAsInteger(0);
}

void TfrmUnitEdit::FillEditors() {
    FPrefixEdit->setText(Row()->Prefix());
    FNameDefEdit->setText(Row()->NameDef());
    FNameEdit->setText(Row()->Name());
    FDescEdit->setText(Row()->Description());
    FFactorEdit->setText(FloatToStrKV(Row()->Factor()));
}

void TfrmUnitEdit::SetEditorsReadOnly(bool AValue) {
    TKVBookCard::SetEditorsReadOnly(AValue);
    FFactorEdit->setReadOnly(AValue);
}

bool TfrmUnitEdit::CheckEditors() {
    // An untouched factor keeps its stored value, digits beyond those shown included.
    if (FFactorEdit->text() == FloatToStrKV(Row()->Factor())) {
        FCheckedFactor = Row()->Factor();
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
    Row()->UpdateData(FPrefixEdit->text(), FNameDefEdit->text(), FNameEdit->text(),
                      FDescEdit->text(), FCheckedFactor, ACreateDateTime, AUpdateDateTime,
                      Row()->ReplDateTime());
}

QString TfrmUnitEdit::RecordCardName() const {
    return Row()->Name().isEmpty() ? Row()->Prefix() : Row()->Name();
}

TfrmUnitEdit* OpenCardUnit(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) {
    return OpenRecordCard<TfrmUnitEdit>(2113, ADBId, AId, ACreateCopyFlag);
}
