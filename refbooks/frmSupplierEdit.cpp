#include "refbooks/frmSupplierEdit.h"

#include "platform/ib/IBQuery.h"
#include "refbooks/KVOpenSite.h"
#include "refbooks/frmSupplier.h"
#include "shell/KVButtonEdit.h"

#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

// The description's limit in the card (the column holds one character more).
constexpr int kDescriptionLength = 2047;

TKVCardBook SupplierCardBook() {
    TKVCardBook book;
    book.Name = QStringLiteral("Supplier");
    book.KeyHasDBId = false;
    book.ItemType = itSupplier;
    book.NewRecordText = QStringLiteral("New Supplier");
    book.HelpTopic = QStringLiteral("CardSupplier");
    book.ClientSize = QSize(377, 307);
    return book;
}

} // namespace

TfrmSupplierEdit::TfrmSupplierEdit(QWidget* AParent) : TKVRecordCard(SupplierCardBook(), AParent) {
    FNameEdit = AddTextEditor("SupplierName_TextEdit", tr("Название"), KVNameLength);
    FAddressEdit = AddTextEditor("SupplierAddress_TextEdit", tr("Адрес"), KVDescriptionLength);
    FPhoneEdit = AddTextEditor("SupplierPhone_TextEdit", tr("Телефон (ы)"), KVDescriptionLength);
    FUrlEdit = AddButtonTextEditor("SupplierUrl_ButtonEdit", tr("Адрес сайта"), KVDescriptionLength,
                                   tr("Открыть сайт"));
    connect(FUrlEdit, &TKVButtonEdit::ButtonClick, this,
            &TfrmSupplierEdit::SupplierUrl_ButtonEditPropertiesButtonClick);
    FDescMemo = AddMemoEditor("SupplierDesc_Memo", tr("Описание"), kDescriptionLength);
}

TfrmSupplierEdit::~TfrmSupplierEdit() = default;

void TfrmSupplierEdit::CreateRecord(quint32, quint32 AId) {
    FSupplier = std::make_unique<TKVSupplier>(AId);
}

bool TfrmSupplierEdit::ReadRecord(TIBQuery& AQuery, quint32, quint32 AId) {
    AQuery.SetSQL(QStringLiteral(
        "SELECT FIRST 1 SKIP 0 S_NAME, S_ADDRESS, S_PHONE, S_URL, S_TEXT, C_TIMESTAMP, "
        "U_TIMESTAMP FROM T_SUPPLIER WHERE ID = :VAR_ID;"));
    AQuery.ParamByName("VAR_ID").SetAsInt64(AId);
    AQuery.Open();
    if (AQuery.Eof())
        return false;
    FSupplier->UpdateData(
        AQuery.FieldByName("S_NAME").AsString(), AQuery.FieldByName("S_ADDRESS").AsString(),
        AQuery.FieldByName("S_PHONE").AsString(), AQuery.FieldByName("S_URL").AsString(),
        AQuery.FieldByName("S_TEXT").AsString(), AQuery.FieldByName("C_TIMESTAMP").AsDateTime(),
        AQuery.FieldByName("U_TIMESTAMP").AsDateTime());
    return true;
}

void TfrmSupplierEdit::BindFields(TIBQuery& AQuery, const QString& APrefix) const {
    AQuery.ParamByName(APrefix + QStringLiteral("S_NAME")).SetAsString(FSupplier->Name());
    SetTextOrNull(AQuery.ParamByName(APrefix + QStringLiteral("S_ADDRESS")), FSupplier->Address());
    SetTextOrNull(AQuery.ParamByName(APrefix + QStringLiteral("S_PHONE")), FSupplier->Phone());
    SetTextOrNull(AQuery.ParamByName(APrefix + QStringLiteral("S_URL")), FSupplier->Url());
    SetTextOrNull(AQuery.ParamByName(APrefix + QStringLiteral("S_TEXT")), FSupplier->Text());
    AQuery.ParamByName(APrefix + QStringLiteral("V_FLAG")).SetAsInteger(0);
}

int TfrmSupplierEdit::ExecUpdate(TIBQuery& AQuery) {
    AQuery.SetSQL(QStringLiteral(
        "UPDATE T_SUPPLIER SET S_NAME = :VAR_S_NAME, S_ADDRESS = :VAR_S_ADDRESS, S_PHONE = "
        ":VAR_S_PHONE ,S_URL = :VAR_S_URL, S_TEXT = :VAR_S_TEXT, V_FLAG = :VAR_V_FLAG, "
        "U_TIMESTAMP = :VAR_U_TIMESTAMP WHERE ID = :VAR_ID;"));
    BindFields(AQuery, QStringLiteral("VAR_"));
    AQuery.ParamByName("VAR_U_TIMESTAMP").SetAsDateTime(FSupplier->UpdateDateTime());
    AQuery.ParamByName("VAR_ID").SetAsInt64(FSupplier->Id());
    AQuery.ExecSQL();
    return AQuery.RowsAffected();
}

void TfrmSupplierEdit::ExecInsert(TIBQuery& AQuery) {
    AQuery.SetSQL(QStringLiteral(
        "EXECUTE PROCEDURE INSERT_SUPPLIER (:I_S_NAME, :I_S_ADDRESS, :I_S_PHONE, :I_S_URL, "
        ":I_S_TEXT, :I_V_FLAG, :I_C_TIMESTAMP)"));
    BindFields(AQuery, QStringLiteral("I_"));
    AQuery.ParamByName("I_C_TIMESTAMP").SetAsDateTime(FSupplier->CreateDateTime());
    AQuery.ExecSQL();
}

void TfrmSupplierEdit::SetRecordKey(quint32, quint32 AId) {
    FSupplier->SetPKey(AId);
}

void TfrmSupplierEdit::FillEditors() {
    FNameEdit->setText(FSupplier->Name());
    FAddressEdit->setText(FSupplier->Address());
    FPhoneEdit->setText(FSupplier->Phone());
    FUrlEdit->setText(FSupplier->Url());
    FDescMemo->setPlainText(FSupplier->Text());
}

bool TfrmSupplierEdit::CheckEditors() {
    return CheckRequired(FNameEdit);
}

void TfrmSupplierEdit::StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) {
    FSupplier->UpdateData(FNameEdit->text(), FAddressEdit->text(), FPhoneEdit->text(),
                          FUrlEdit->text(), FDescMemo->toPlainText(), ACreateDateTime,
                          AUpdateDateTime);
}

TDateTime TfrmSupplierEdit::RecordCreateDateTime() const {
    return FSupplier->CreateDateTime();
}

QString TfrmSupplierEdit::RecordCardName() const {
    return FSupplier->Name();
}

void TfrmSupplierEdit::OpenCopy() {
    OpenCardSupplier(Id(), true);
}

bool TfrmSupplierEdit::RefreshesList(const TKVListHost& AHost) const {
    return dynamic_cast<const TfrmSupplier*>(&AHost) != nullptr;
}

void TfrmSupplierEdit::SupplierUrl_ButtonEditPropertiesButtonClick() {
    OpenSite(FUrlEdit->text());
}

TfrmSupplierEdit* OpenCardSupplier(quint32 AId, bool ACreateCopyFlag) {
    return OpenRecordCard<TfrmSupplierEdit>(2117, 0, AId, ACreateCopyFlag);
}
