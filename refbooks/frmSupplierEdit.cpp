#include "refbooks/frmSupplierEdit.h"

#include "platform/ib/IBQuery.h"
#include "refbooks/KVOpenSite.h"
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
    book.SelectSQL = QStringLiteral(
        "SELECT FIRST 1 SKIP 0 S_NAME, S_ADDRESS, S_PHONE, S_URL, S_TEXT, C_TIMESTAMP, "
        "U_TIMESTAMP FROM T_SUPPLIER WHERE ID = :VAR_ID;");
    book.UpdateSQL = QStringLiteral(
        "UPDATE T_SUPPLIER SET S_NAME = :VAR_S_NAME, S_ADDRESS = :VAR_S_ADDRESS, S_PHONE = "
        ":VAR_S_PHONE ,S_URL = :VAR_S_URL, S_TEXT = :VAR_S_TEXT, V_FLAG = :VAR_V_FLAG, "
        "U_TIMESTAMP = :VAR_U_TIMESTAMP WHERE ID = :VAR_ID;");
    book.InsertSQL = QStringLiteral(
        "EXECUTE PROCEDURE INSERT_SUPPLIER (:I_S_NAME, :I_S_ADDRESS, :I_S_PHONE, :I_S_URL, "
        ":I_S_TEXT, :I_V_FLAG, :I_C_TIMESTAMP)");
    book.OpenCopy = [](quint32, quint32 AId) { OpenCardSupplier(AId, true); };
    return book;
}

} // namespace

TfrmSupplierEdit::TfrmSupplierEdit(QWidget* AParent) : TKVBookCard(SupplierCardBook(), AParent) {
    FNameEdit = AddTextEditor("SupplierName_TextEdit", tr("Название"), KVNameLength, true);
    FAddressEdit = AddTextEditor("SupplierAddress_TextEdit", tr("Адрес"), KVDescriptionLength);
    FPhoneEdit = AddTextEditor("SupplierPhone_TextEdit", tr("Телефон (ы)"), KVDescriptionLength);
    FUrlEdit = AddButtonTextEditor("SupplierUrl_ButtonEdit", tr("Адрес сайта"), KVDescriptionLength,
                                   tr("Открыть сайт"));
    connect(FUrlEdit, &TKVButtonEdit::ButtonClick, this,
            &TfrmSupplierEdit::SupplierUrl_ButtonEditPropertiesButtonClick);
    FDescMemo = AddMemoEditor("SupplierDesc_Memo", tr("Описание"), kDescriptionLength);
}

void TfrmSupplierEdit::BindFields(TIBQuery& AQuery, const QString& APrefix) const {
    AQuery.ParamByName(APrefix + QStringLiteral("S_NAME")).SetAsString(Row()->Name());
    SetTextOrNull(AQuery.ParamByName(APrefix + QStringLiteral("S_ADDRESS")), Row()->Address());
    SetTextOrNull(AQuery.ParamByName(APrefix + QStringLiteral("S_PHONE")), Row()->Phone());
    SetTextOrNull(AQuery.ParamByName(APrefix + QStringLiteral("S_URL")), Row()->Url());
    SetTextOrNull(AQuery.ParamByName(APrefix + QStringLiteral("S_TEXT")), Row()->Text());
    AQuery.ParamByName(APrefix + QStringLiteral("V_FLAG")).SetAsInteger(0);
}

void TfrmSupplierEdit::FillEditors() {
    FNameEdit->setText(Row()->Name());
    FAddressEdit->setText(Row()->Address());
    FPhoneEdit->setText(Row()->Phone());
    FUrlEdit->setText(Row()->Url());
    FDescMemo->setPlainText(Row()->Text());
}

void TfrmSupplierEdit::StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) {
    Row()->UpdateData(FNameEdit->text(), FAddressEdit->text(), FPhoneEdit->text(), FUrlEdit->text(),
                      FDescMemo->toPlainText(), ACreateDateTime, AUpdateDateTime);
}

void TfrmSupplierEdit::SupplierUrl_ButtonEditPropertiesButtonClick() {
    OpenSite(FUrlEdit->text());
}

TfrmSupplierEdit* OpenCardSupplier(quint32 AId, bool ACreateCopyFlag) {
    return OpenRecordCard<TfrmSupplierEdit>(2117, 0, AId, ACreateCopyFlag);
}
