#include "catalogue/frmPin.h"

#include "catalogue/frmPinEdit.h"
#include "core/KVUserInterface.h"
#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "shell/ufrmMain.h"

namespace {

constexpr quint32 kIcon = 2014;

const QString kFields = QStringLiteral(
    "DBID, ID, ELEMENTTYPEDBID, ELEMENTTYPEID, V_NUM, S_NAME, S_DESCRIPTION, V_ASSIGN, "
    "C_TIMESTAMP, U_TIMESTAMP, R_TIMESTAMP FROM T_PIN WHERE ELEMENTTYPEDBID = "
    ":VAR_ELEMENTTYPEDBID AND ELEMENTTYPEID = :VAR_ELEMENTTYPEID");

TKVListBook PinBook() {
    TKVListBook book;
    book.Name = QStringLiteral("Pin");
    book.KeyHasDBId = true;
    book.ItemType = itPin;
    book.Columns = {{T_frmPin::tr("Номер"), 50, lckInteger},
                    {T_frmPin::tr("Обозначение"), 160, lckText},
                    {T_frmPin::tr("Описание"), 200, lckText},
                    {T_frmPin::tr("Назначение"), 120, lckText}};
    book.CopyNameColumn = 1;
    book.CountSQL = QStringLiteral("SELECT COUNT(ID) FROM T_PIN WHERE ELEMENTTYPEDBID = "
                                   ":VAR_ELEMENTTYPEDBID AND ELEMENTTYPEID = :VAR_ELEMENTTYPEID;");
    book.SelectSQL = QStringLiteral("SELECT ") + kFields + QStringLiteral(" ORDER BY V_NUM;");
    // A pin of another element type never joins the list.
    book.SelectOneSQL = QStringLiteral("SELECT FIRST 1 SKIP 0 ") + kFields +
                        QStringLiteral(" AND DBID = :VAR_DBID AND ID = :VAR_ID;");
    book.DeleteSQL = QStringLiteral("DELETE FROM T_PIN WHERE DBID = :VAR_DBID AND ID = :VAR_ID;");
    book.ManageObjType = otPinList;
    book.SelectObjType = otPinList;
    book.StoreColumnWidths = true;
    book.DefaultWidth = 500;
    book.DefaultHeight = 180;
    book.HelpTopic = QStringLiteral("RBPin");
    return book;
}

} // namespace

T_frmPin::T_frmPin(QWidget* AParent) : TKVBookListFrame<TKVPinList>(PinBook(), AParent) {
    setObjectName(QStringLiteral("_frmPin1"));
}

void T_frmPin::Init(quint32 AElementTypeDBId, quint32 AElementTypeId) {
    FElementTypeDBId = AElementTypeDBId;
    FElementTypeId = AElementTypeId;
    TKVListFrame::Init(true);
}

QString T_frmPin::Caption() const {
    return QStringLiteral("%1 - %2 (%3)").arg(FElementTypeName, tr("Выводы")).arg(FPinCount);
}

bool T_frmPin::BoundToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const {
    return (AItemType == itElementType && ADBId == FElementTypeDBId && AId == FElementTypeId) ||
           TKVBookListFrame<TKVPinList>::BoundToRecord(AItemType, ADBId, AId);
}

std::unique_ptr<TKVPinList> T_frmPin::NewList() const {
    return std::make_unique<TKVPinList>(FElementTypeDBId, FElementTypeId);
}

TKVListRow T_frmPin::MakeRow(const TKVPin& ARecord) const {
    return {ARecord.PKey(),
            {QString::number(ARecord.Num()), ARecord.Name(), ARecord.Description(),
             ARecord.PinType() == ptUnknown ? QString() : PinTypeToStr(ARecord.PinType())},
            std::nullopt};
}

bool T_frmPin::RecordMatchesText(const TKVPin& ARecord) const {
    return MatchesFilter(ARecord.Name());
}

void T_frmPin::OpenCard(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) {
    OpenCardPin(ADBId, AId, ACreateCopyFlag, FElementTypeDBId, FElementTypeId);
}

void T_frmPin::LoadContext(TIBQuery& AQuery) {
    AQuery.SetSQL(QStringLiteral(
        "SELECT FIRST 1 SKIP 0 TET.S_TYPENAME, TCS.V_PINCOUNT AS CASEPINCOUNT FROM "
        "T_ELEMENT_TYPE TET LEFT JOIN T_CASE TCS ON TCS.DBID = TET.CASEDBID AND TCS.ID = "
        "TET.CASEID WHERE TET.DBID = :VAR_ELEMENTTYPEDBID AND TET.ID = :VAR_ELEMENTTYPEID;"));
    BindContext(AQuery);
    AQuery.Open();
    if (AQuery.Eof()) {
        FElementTypeName.clear();
        FPinCount = 0;
        ShowObjectNotFound(FElementTypeDBId, FElementTypeId);
    } else {
        FElementTypeName = AQuery.FieldByName("S_TYPENAME").AsString();
        const TIBField& count = AQuery.FieldByName("CASEPINCOUNT");
        FPinCount = count.IsNull() ? 0 : static_cast<quint16>(count.AsInt64());
    }
    AQuery.Close();
    if (PinList()) {
        PinList()->SetElementTypeName(FElementTypeName);
        PinList()->SetPinCount(FPinCount);
    }
}

void T_frmPin::BindContext(TIBQuery& AQuery) {
    if (TIBParam* dbId = AQuery.FindParam(QStringLiteral("VAR_ELEMENTTYPEDBID")))
        dbId->SetAsInt64(FElementTypeDBId);
    if (TIBParam* id = AQuery.FindParam(QStringLiteral("VAR_ELEMENTTYPEID")))
        id->SetAsInt64(FElementTypeId);
}

void T_frmPin::LoadRecordDetails() {
    // A refresh shows a changed type name or case pin count in the caption.
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* host = qobject_cast<TfrmPin*>(w)) {
            host->setWindowTitle(Caption());
            if (frmMain && host->Registered())
                frmMain->SetNameMDIForm(host);
            break;
        }
}

QString T_frmPin::ExportDataSetName() const {
    return FElementTypeName + QStringLiteral(" - ") + tr("Выводы");
}

TfrmPin::TfrmPin(QWidget* AParent) : TKVBookHost({QSize(392, 153), QSize(300, 180)}, AParent) {}

TfrmPin* OpenRBPin(quint32 AElementTypeDBId, quint32 AElementTypeId) {
    return OpenListHost<TfrmPin>(
        kIcon, [&](T_frmPin& AFrame) { AFrame.Init(AElementTypeDBId, AElementTypeId); },
        [](T_frmPin& AFrame) { return AFrame.Caption(); });
}

void ShowPinsOfElementType(quint32 AElementTypeDBId, quint32 AElementTypeId) {
    if (frmMain && frmMain->BringToFrontMDIChildren<TfrmPin>([&](const TfrmPin& AHost) {
            return AHost.BookFrame() && AHost.BookFrame()->ElementTypeDBId() == AElementTypeDBId &&
                   AHost.BookFrame()->ElementTypeId() == AElementTypeId;
        }))
        return;
    OpenRBPin(AElementTypeDBId, AElementTypeId);
}
