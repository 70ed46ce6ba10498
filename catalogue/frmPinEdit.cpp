#include "catalogue/frmPinEdit.h"

#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "shell/KVButtonEdit.h"
#include "shell/frmUserListEdit.h"
#include "shell/uMessage.h"

#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QSpinBox>
#include <QStringListModel>

namespace {

constexpr int kLargestPinNum = 65535;
const QString kPinNameFile = QStringLiteral("pindesc.txt");

TKVCardBook PinCardBook() {
    TKVCardBook book;
    book.Name = QStringLiteral("Pin");
    book.KeyHasDBId = true;
    book.ItemType = itPin;
    book.NewRecordText = QStringLiteral("New Pin");
    book.HelpTopic = QStringLiteral("CardPin");
    book.ClientSize = QSize(377, 156);
    book.SelectSQL = QStringLiteral(
        "SELECT FIRST 1 SKIP 0 TP.V_NUM, TP.S_NAME, TP.S_DESCRIPTION, TP.V_ASSIGN, "
        "TET.S_TYPENAME AS ELEMENTTYPENAME, TP.C_TIMESTAMP, TP.U_TIMESTAMP, TP.R_TIMESTAMP FROM "
        "T_PIN TP LEFT JOIN T_ELEMENT_TYPE TET ON TET.DBID = TP.ELEMENTTYPEDBID AND TET.ID = "
        "TP.ELEMENTTYPEID WHERE TP.DBID = :VAR_DBID AND TP.ID = :VAR_ID;");
    book.UpdateSQL = QStringLiteral(
        "UPDATE T_PIN SET V_NUM = :VAR_V_NUM, S_NAME = :VAR_S_NAME, S_DESCRIPTION = "
        ":VAR_S_DESCRIPTION, V_ASSIGN = :VAR_V_ASSIGN, V_FLAG = :VAR_V_FLAG, U_TIMESTAMP = "
        ":VAR_U_TIMESTAMP WHERE DBID = :VAR_DBID AND ID = :VAR_ID;");
    book.InsertSQL = QStringLiteral(
        "EXECUTE PROCEDURE INSERT_PIN (:I_ELEMENTTYPEDBID, :I_ELEMENTTYPEID, :I_V_NUM, "
        ":I_S_NAME, :I_S_DESCRIPTION, :I_V_ASSIGN, :I_V_FLAG, :I_C_TIMESTAMP);");
    return book;
}

} // namespace

TfrmPinEdit::TfrmPinEdit(QWidget* AParent) : TKVBookCard(PinCardBook(), AParent) {
    FNumEdit = new QSpinBox(this);
    FNumEdit->setObjectName(QStringLiteral("PinNum_SpinEdit"));
    // Wider than the valid numbers, so that a number out of range is told, not clipped.
    FNumEdit->setRange(0, 999999);
    connect(FNumEdit, &QSpinBox::valueChanged, this, &TfrmPinEdit::TextEditPropertiesChange);
    AddEditorRow(tr("Номер"), FNumEdit);
    FNameEdit = AddButtonTextEditor("PinName_MRUEdit", tr("Обозначение"), KVNameLength,
                                    tr("Редактировать список стандартных обозначений"));
    FNameCompleter = new QCompleter(this);
    FNameCompleter->setModel(new QStringListModel(FNameCompleter));
    FNameCompleter->setCaseSensitivity(Qt::CaseInsensitive);
    FNameEdit->LineEdit()->setCompleter(FNameCompleter);
    connect(FNameEdit, &TKVButtonEdit::ButtonClick, this,
            &TfrmPinEdit::PinName_MRUEditPropertiesButtonClick);
    FDescEdit = AddTextEditor("PinDesc_TextEdit", tr("Описание"), KVDescriptionLength);
    FTypeBox = new QComboBox(this);
    FTypeBox->setObjectName(QStringLiteral("PinAssign_ComboBox"));
    for (int i = ptUnknown; i <= ptNotUsage; ++i)
        FTypeBox->addItem(i == ptUnknown ? QString() : PinTypeToStr(i));
    connect(FTypeBox, &QComboBox::currentIndexChanged, this,
            &TfrmPinEdit::TextEditPropertiesChange);
    AddEditorRow(tr("Назначение"), FTypeBox);
    if (dmMain)
        SetStandardNames(dmMain->PinNameDesc);
}

bool TfrmPinEdit::Init(quint32 ADBId, quint32 AId, bool ACreateCopyFlag, quint32 AElementTypeDBId,
                       quint32 AElementTypeId) {
    FElementTypeDBId = AElementTypeDBId;
    FElementTypeId = AElementTypeId;
    return TKVRecordCard::Init(ADBId, AId, ACreateCopyFlag);
}

bool TfrmPinEdit::LinkedToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const {
    return AItemType == itElementType && ADBId == FElementTypeDBId && AId == FElementTypeId;
}

QStringList TfrmPinEdit::StandardNames() const {
    return static_cast<QStringListModel*>(FNameCompleter->model())->stringList();
}

void TfrmPinEdit::SetStandardNames(const QStringList& ANames) {
    static_cast<QStringListModel*>(FNameCompleter->model())->setStringList(ANames);
}

void TfrmPinEdit::PinName_MRUEditPropertiesButtonClick() {
    if (ShowUserListEditDlg(kPinNameFile) != 1 || !dmMain)
        return;
    const QString file = dmMain->AppFolder() + kPinNameFile;
    if (QFileInfo::exists(file))
        dmMain->PinNameDesc = TdmMain::ReadUserListFile(file);
    SetStandardNames(dmMain->PinNameDesc);
}

void TfrmPinEdit::CreateRecord(quint32 ADBId, quint32 AId) {
    SetRow(std::make_unique<TKVPin>(ADBId, AId, FElementTypeDBId, FElementTypeId));
}

quint16 TfrmPinEdit::NextPinNum(TIBQuery& AQuery) const {
    AQuery.Close();
    AQuery.SetSQL(QStringLiteral(
        "SELECT MAX(V_NUM) AS MAXNUM FROM T_PIN WHERE ELEMENTTYPEDBID = :VAR_ELEMENTTYPEDBID "
        "AND ELEMENTTYPEID = :VAR_ELEMENTTYPEID;"));
    AQuery.ParamByName(QStringLiteral("VAR_ELEMENTTYPEDBID")).SetAsInt64(FElementTypeDBId);
    AQuery.ParamByName(QStringLiteral("VAR_ELEMENTTYPEID")).SetAsInt64(FElementTypeId);
    AQuery.Open();
    const TIBField& top = AQuery.FieldByName("MAXNUM");
    const qint64 largest = top.IsNull() ? 0 : top.AsInt64();
    AQuery.Close();
    return static_cast<quint16>(std::clamp<qint64>(largest + 1, 1, kLargestPinNum));
}

bool TfrmPinEdit::ReadRecord(TIBQuery& AQuery, quint32 ADBId, quint32 AId) {
    if (!TKVBookCard<TKVPin>::ReadRecord(AQuery, ADBId, AId))
        return false;
    // A copy is a new pin of the type: it takes the next free number.
    if (Id() == 0)
        Row()->UpdateData(NextPinNum(AQuery), Row()->Name(), Row()->Description(), Row()->PinType(),
                          0, 0, 0, Row()->ElementTypeName());
    return true;
}

bool TfrmPinEdit::ReadNewRecord(TIBQuery& AQuery) {
    AQuery.SetSQL(QStringLiteral("SELECT FIRST 1 SKIP 0 TET.S_TYPENAME FROM T_ELEMENT_TYPE TET "
                                 "WHERE TET.DBID = :VAR_ELEMENTTYPEDBID AND TET.ID = "
                                 ":VAR_ELEMENTTYPEID;"));
    AQuery.ParamByName(QStringLiteral("VAR_ELEMENTTYPEDBID")).SetAsInt64(FElementTypeDBId);
    AQuery.ParamByName(QStringLiteral("VAR_ELEMENTTYPEID")).SetAsInt64(FElementTypeId);
    AQuery.Open();
    if (AQuery.Eof())
        return false;
    const QString typeName = AQuery.FieldByName("S_TYPENAME").AsString();
    Row()->UpdateData(NextPinNum(AQuery), QString(), QString(), ptUnknown, 0, 0, 0, typeName);
    return true;
}

void TfrmPinEdit::BindFields(TIBQuery& AQuery, const QString& APrefix) const {
    if (TIBParam* dbId = AQuery.FindParam(APrefix + QStringLiteral("ELEMENTTYPEDBID")))
        dbId->SetAsInt64(FElementTypeDBId);
    if (TIBParam* id = AQuery.FindParam(APrefix + QStringLiteral("ELEMENTTYPEID")))
        id->SetAsInt64(FElementTypeId);
    AQuery.ParamByName(APrefix + QStringLiteral("V_NUM")).SetAsInteger(Row()->Num());
    AQuery.ParamByName(APrefix + QStringLiteral("S_NAME")).SetAsString(Row()->Name());
    SetTextOrNull(AQuery.ParamByName(APrefix + QStringLiteral("S_DESCRIPTION")),
                  Row()->Description());
    AQuery.ParamByName(APrefix + QStringLiteral("V_ASSIGN")).SetAsInteger(Row()->PinType());
    AQuery.ParamByName(APrefix + QStringLiteral("V_FLAG")).SetAsInteger(0);
}

void TfrmPinEdit::FillEditors() {
    FNumEdit->setValue(Row()->Num());
    FNameEdit->setText(Row()->Name());
    FDescEdit->setText(Row()->Description());
    FTypeBox->setCurrentIndex(Row()->PinType());
}

QLineEdit* TfrmPinEdit::NewRecordEditor() const {
    return FNameEdit->LineEdit();
}

void TfrmPinEdit::SetEditorsReadOnly(bool AValue) {
    TKVBookCard::SetEditorsReadOnly(AValue);
    FNumEdit->setReadOnly(AValue);
    FNameEdit->LineEdit()->setReadOnly(AValue);
    FTypeBox->setEnabled(!AValue);
}

bool TfrmPinEdit::CheckEditors() {
    const int num = FNumEdit->value();
    if (num < 1 || num > kLargestPinNum) {
        FNumEdit->setFocus();
        ShowMessageDlg(tr("Номер вывода должен быть от 1 до %1").arg(kLargestPinNum), mdkWarning,
                       mdbOK);
        return false;
    }
    if (!CheckRequired(FNameEdit->LineEdit()))
        return false;
    // Two pins of one type never share a number: the drawing and the summary find a pin by it.
    bool used = false;
    TIBQuery query(&dmMain->MainIBDatabase, &dmMain->MainIBTransaction);
    if (!dmMain->ExecuteInTransaction([&] {
            query.SetSQL(QStringLiteral(
                "SELECT FIRST 1 SKIP 0 ID FROM T_PIN WHERE ELEMENTTYPEDBID = :VAR_ELEMENTTYPEDBID "
                "AND ELEMENTTYPEID = :VAR_ELEMENTTYPEID AND V_NUM = :VAR_V_NUM AND NOT (DBID = "
                ":VAR_DBID AND ID = :VAR_ID);"));
            query.ParamByName(QStringLiteral("VAR_ELEMENTTYPEDBID")).SetAsInt64(FElementTypeDBId);
            query.ParamByName(QStringLiteral("VAR_ELEMENTTYPEID")).SetAsInt64(FElementTypeId);
            query.ParamByName(QStringLiteral("VAR_V_NUM")).SetAsInteger(num);
            query.ParamByName(QStringLiteral("VAR_DBID")).SetAsInt64(DBId());
            query.ParamByName(QStringLiteral("VAR_ID")).SetAsInt64(Id());
            query.Open();
            used = !query.Eof();
            query.Close();
        }))
        return false;
    if (used) {
        FNumEdit->setFocus();
        ShowMessageDlg(tr("Вывод с номером %1 у этого типа элемента уже есть").arg(num), mdkWarning,
                       mdbOK);
        return false;
    }
    return true;
}

void TfrmPinEdit::StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) {
    Row()->UpdateData(static_cast<quint16>(FNumEdit->value()), FNameEdit->text().trimmed(),
                      FDescEdit->text(), IndexToPinType(FTypeBox->currentIndex()), ACreateDateTime,
                      AUpdateDateTime, Row()->ReplDateTime());
}

void TfrmPinEdit::OpenCopy() {
    if (Id() != 0)
        OpenCardPin(DBId(), Id(), true, FElementTypeDBId, FElementTypeId);
}

QString TfrmPinEdit::RecordCardName() const {
    return QStringLiteral("%1 - %2 %3")
        .arg(Row()->ElementTypeName(), tr("Вывод"))
        .arg(Row()->Num());
}

TfrmPinEdit* OpenCardPin(quint32 ADBId, quint32 AId, bool ACreateCopyFlag, quint32 AElementTypeDBId,
                         quint32 AElementTypeId) {
    return OpenRecordCard<TfrmPinEdit>(2122, ADBId, AId, ACreateCopyFlag, AElementTypeDBId,
                                       AElementTypeId);
}
