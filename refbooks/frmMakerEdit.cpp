#include "refbooks/frmMakerEdit.h"

#include "platform/ib/IBQuery.h"
#include "refbooks/KVOpenSite.h"
#include "shell/KVButtonEdit.h"

#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

// The description's limit in the card (the column holds one character more).
constexpr int kDescriptionLength = 2047;

TKVCardBook MakerCardBook() {
    TKVCardBook book;
    book.Name = QStringLiteral("Maker");
    book.KeyHasDBId = true;
    book.ItemType = itMaker;
    book.NewRecordText = QStringLiteral("New Maker");
    book.HelpTopic = QStringLiteral("CardMaker");
    book.ClientSize = QSize(377, 249);
    book.SelectSQL = QStringLiteral(
        "SELECT FIRST 1 SKIP 0 S_NAME, S_URL, S_DESCRIPTION, C_TIMESTAMP, U_TIMESTAMP, "
        "R_TIMESTAMP FROM T_MAKER WHERE DBID = :VAR_DBID AND ID = :VAR_ID;");
    book.UpdateSQL = QStringLiteral(
        "UPDATE T_MAKER SET S_NAME = :VAR_S_NAME, S_URL = :VAR_S_URL, S_DESCRIPTION = "
        ":VAR_S_DESCRIPTION, V_FLAG = :VAR_V_FLAG, U_TIMESTAMP = :VAR_U_TIMESTAMP WHERE DBID = "
        ":VAR_DBID AND ID = :VAR_ID;");
    book.InsertSQL = QStringLiteral("EXECUTE PROCEDURE INSERT_MAKER (:I_S_NAME, :I_S_URL, "
                                    ":I_S_DESCRIPTION, :I_V_FLAG, :I_C_TIMESTAMP);");
    book.OpenCopy = [](quint32 ADBId, quint32 AId) { OpenCardMaker(ADBId, AId, true); };
    return book;
}

} // namespace

TfrmMakerEdit::TfrmMakerEdit(QWidget* AParent) : TKVBookCard(MakerCardBook(), AParent) {
    FNameEdit = AddTextEditor("MakerName_TextEdit", tr("Название"), KVNameLength, true);
    FUrlEdit = AddButtonTextEditor("MakerUrl_ButtonEdit", tr("Адрес сайта"), KVDescriptionLength,
                                   tr("Открыть сайт"));
    connect(FUrlEdit, &TKVButtonEdit::ButtonClick, this,
            &TfrmMakerEdit::MakerUrl_ButtonEditPropertiesButtonClick);
    FDescMemo = AddMemoEditor("MakerDesc_Memo", tr("Описание"), kDescriptionLength);
}

void TfrmMakerEdit::BindFields(TIBQuery& AQuery, const QString& APrefix) const {
    AQuery.ParamByName(APrefix + QStringLiteral("S_NAME")).SetAsString(Row()->Name());
    SetTextOrNull(AQuery.ParamByName(APrefix + QStringLiteral("S_URL")), Row()->Url());
    SetTextOrNull(AQuery.ParamByName(APrefix + QStringLiteral("S_DESCRIPTION")),
                  Row()->Description());
    AQuery.ParamByName(APrefix + QStringLiteral("V_FLAG")).SetAsInteger(0);
}

void TfrmMakerEdit::FillEditors() {
    FNameEdit->setText(Row()->Name());
    FUrlEdit->setText(Row()->Url());
    FDescMemo->setPlainText(Row()->Description());
}

void TfrmMakerEdit::StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) {
    Row()->UpdateData(FNameEdit->text(), FDescMemo->toPlainText(), FUrlEdit->text(),
                      ACreateDateTime, AUpdateDateTime, Row()->ReplDateTime());
}

void TfrmMakerEdit::MakerUrl_ButtonEditPropertiesButtonClick() {
    OpenSite(FUrlEdit->text());
}

TfrmMakerEdit* OpenCardMaker(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) {
    return OpenRecordCard<TfrmMakerEdit>(2111, ADBId, AId, ACreateCopyFlag);
}
