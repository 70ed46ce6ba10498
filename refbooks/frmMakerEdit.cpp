#include "refbooks/frmMakerEdit.h"

#include "platform/ib/IBQuery.h"
#include "refbooks/KVOpenSite.h"
#include "refbooks/frmMaker.h"
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
    return book;
}

} // namespace

TfrmMakerEdit::TfrmMakerEdit(QWidget* AParent) : TKVRecordCard(MakerCardBook(), AParent) {
    FNameEdit = AddTextEditor("MakerName_TextEdit", tr("Название"), KVNameLength);
    FUrlEdit = AddButtonTextEditor("MakerUrl_ButtonEdit", tr("Адрес сайта"), KVDescriptionLength,
                                   tr("Открыть сайт"));
    connect(FUrlEdit, &TKVButtonEdit::ButtonClick, this,
            &TfrmMakerEdit::MakerUrl_ButtonEditPropertiesButtonClick);
    FDescMemo = AddMemoEditor("MakerDesc_Memo", tr("Описание"), kDescriptionLength);
}

TfrmMakerEdit::~TfrmMakerEdit() = default;

void TfrmMakerEdit::CreateRecord(quint32 ADBId, quint32 AId) {
    FMaker = std::make_unique<TKVMaker>(ADBId, AId);
}

bool TfrmMakerEdit::ReadRecord(TIBQuery& AQuery, quint32 ADBId, quint32 AId) {
    AQuery.SetSQL(QStringLiteral(
        "SELECT FIRST 1 SKIP 0 S_NAME, S_URL, S_DESCRIPTION, C_TIMESTAMP, U_TIMESTAMP, "
        "R_TIMESTAMP FROM T_MAKER WHERE DBID = :VAR_DBID AND ID = :VAR_ID;"));
    AQuery.ParamByName("VAR_DBID").SetAsInt64(ADBId);
    AQuery.ParamByName("VAR_ID").SetAsInt64(AId);
    AQuery.Open();
    if (AQuery.Eof())
        return false;
    FMaker->UpdateData(
        AQuery.FieldByName("S_NAME").AsString(), AQuery.FieldByName("S_DESCRIPTION").AsString(),
        AQuery.FieldByName("S_URL").AsString(), AQuery.FieldByName("C_TIMESTAMP").AsDateTime(),
        AQuery.FieldByName("U_TIMESTAMP").AsDateTime(),
        AQuery.FieldByName("R_TIMESTAMP").AsDateTime());
    return true;
}

void TfrmMakerEdit::BindFields(TIBQuery& AQuery, const QString& APrefix) const {
    AQuery.ParamByName(APrefix + QStringLiteral("S_NAME")).SetAsString(FMaker->Name());
    SetTextOrNull(AQuery.ParamByName(APrefix + QStringLiteral("S_URL")), FMaker->Url());
    SetTextOrNull(AQuery.ParamByName(APrefix + QStringLiteral("S_DESCRIPTION")),
                  FMaker->Description());
    AQuery.ParamByName(APrefix + QStringLiteral("V_FLAG")).SetAsInteger(0);
}

int TfrmMakerEdit::ExecUpdate(TIBQuery& AQuery) {
    AQuery.SetSQL(QStringLiteral(
        "UPDATE T_MAKER SET S_NAME = :VAR_S_NAME, S_URL = :VAR_S_URL, S_DESCRIPTION = "
        ":VAR_S_DESCRIPTION, V_FLAG = :VAR_V_FLAG, U_TIMESTAMP = :VAR_U_TIMESTAMP WHERE DBID = "
        ":VAR_DBID AND ID = :VAR_ID;"));
    BindFields(AQuery, QStringLiteral("VAR_"));
    AQuery.ParamByName("VAR_U_TIMESTAMP").SetAsDateTime(FMaker->UpdateDateTime());
    AQuery.ParamByName("VAR_DBID").SetAsInt64(FMaker->DBId());
    AQuery.ParamByName("VAR_ID").SetAsInt64(FMaker->Id());
    AQuery.ExecSQL();
    return AQuery.RowsAffected();
}

void TfrmMakerEdit::ExecInsert(TIBQuery& AQuery) {
    AQuery.SetSQL(QStringLiteral("EXECUTE PROCEDURE INSERT_MAKER (:I_S_NAME, :I_S_URL, "
                                 ":I_S_DESCRIPTION, :I_V_FLAG, :I_C_TIMESTAMP);"));
    BindFields(AQuery, QStringLiteral("I_"));
    AQuery.ParamByName("I_C_TIMESTAMP").SetAsDateTime(FMaker->CreateDateTime());
    AQuery.ExecSQL();
}

void TfrmMakerEdit::SetRecordKey(quint32 ADBId, quint32 AId) {
    FMaker->SetPKey(ADBId, AId);
}

void TfrmMakerEdit::FillEditors() {
    FNameEdit->setText(FMaker->Name());
    FUrlEdit->setText(FMaker->Url());
    FDescMemo->setPlainText(FMaker->Description());
}

bool TfrmMakerEdit::CheckEditors() {
    return CheckRequired(FNameEdit);
}

void TfrmMakerEdit::StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) {
    FMaker->UpdateData(FNameEdit->text(), FDescMemo->toPlainText(), FUrlEdit->text(),
                       ACreateDateTime, AUpdateDateTime, FMaker->ReplDateTime());
}

TDateTime TfrmMakerEdit::RecordCreateDateTime() const {
    return FMaker->CreateDateTime();
}

QString TfrmMakerEdit::RecordCardName() const {
    return FMaker->Name();
}

void TfrmMakerEdit::OpenCopy() {
    OpenCardMaker(DBId(), Id(), true);
}

bool TfrmMakerEdit::RefreshesList(const TKVListHost& AHost) const {
    return dynamic_cast<const TfrmMaker*>(&AHost) != nullptr;
}

void TfrmMakerEdit::MakerUrl_ButtonEditPropertiesButtonClick() {
    OpenSite(FUrlEdit->text());
}

TfrmMakerEdit* OpenCardMaker(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) {
    return OpenRecordCard<TfrmMakerEdit>(2111, ADBId, AId, ACreateCopyFlag);
}
