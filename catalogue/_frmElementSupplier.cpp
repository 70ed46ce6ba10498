#include "catalogue/_frmElementSupplier.h"

#include "catalogue/frmElementSupplierEdit.h"
#include "core/KVUserInterface.h"
#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "refbooks/frmSupplierEdit.h"

#include <QMenu>
#include <QToolBar>

namespace {

const QString kFields = QStringLiteral(
    "TES.ID, TES.ELEMENTTYPEDBID, TES.ELEMENTTYPEID, TES.SUPPLIERID, TES.V_PRICE, TES.S_TEXT, "
    "TS.S_NAME AS SUPPLIERNAME, TET.S_TYPENAME AS ELEMENTTYPENAME, TC.ICONID AS CLASSICONID, "
    "TES.C_TIMESTAMP, TES.U_TIMESTAMP FROM T_ELEMENT_SUPPLIER TES LEFT JOIN T_ELEMENT_TYPE TET ON "
    "TET.DBID = TES.ELEMENTTYPEDBID AND TET.ID = TES.ELEMENTTYPEID LEFT JOIN T_SUPPLIER TS ON "
    "TS.ID = TES.SUPPLIERID LEFT JOIN T_CLASS TC ON TC.DBID = TET.CLASSDBID AND TC.ID = "
    "TET.CLASSID");

QString PricesCaption() {
    return T_frmElementSupplier::tr("Поставщики и цены");
}

TKVListBook ElementSupplierBook() {
    TKVListBook book;
    book.Name = QStringLiteral("ElementSupplier");
    book.KeyHasDBId = false;
    book.ItemType = itElementSupplier;
    const QString currency = dmMain ? QString(dmMain->CurrencyName()) : QString();
    book.Columns = {{T_frmElementSupplier::tr("Тип элемента"), 160, lckText},
                    {T_frmElementSupplier::tr("Поставщик"), 160, lckText},
                    {T_frmElementSupplier::tr("Цена (%1)").arg(currency), 100, lckFloat},
                    {T_frmElementSupplier::tr("Примечание"), 160, lckText}};
    book.CopyNameColumn = -1;
    book.DeleteSQL = QStringLiteral("DELETE FROM T_ELEMENT_SUPPLIER WHERE ID = :VAR_ID;");
    book.DeleteFailedText = T_frmElementSupplier::tr("Запись не была удалена");
    book.ManageObjType = otPriceList;
    book.SelectObjType = otPriceList;
    book.StoreColumnWidths = true;
    book.DefaultWidth = 400;
    book.DefaultHeight = 180;
    book.HelpTopic = QStringLiteral("RBElementSupplier");
    return book;
}

} // namespace

T_frmElementSupplier::T_frmElementSupplier(QWidget* AParent)
    : TKVBookListFrame<TKVElementSupplierList>(ElementSupplierBook(), AParent) {
    setObjectName(QStringLiteral("_frmElementSupplier1"));
    if (dmMain)
        Model()->SetImageList(&dmMain->ElementClassImgList);
}

void T_frmElementSupplier::Init(TKVElementSupplierListSelectDataMode AMode,
                                quint32 AElementTypeDBId, quint32 AElementTypeId,
                                quint32 AESClassDBId, quint32 AESClassId, quint32 ASupplierId) {
    FMode = AMode;
    FElementTypeDBId = AMode == essdmOnElementType ? AElementTypeDBId : 0;
    FElementTypeId = AMode == essdmOnElementType ? AElementTypeId : 0;
    FClassDBId = AMode == essdmOnClass ? AESClassDBId : 0;
    FClassId = AMode == essdmOnClass ? AESClassId : 0;
    FSupplierId = AMode == essdmOnSupplier ? ASupplierId : 0;
    TKVListFrame::Init(true);
}

std::unique_ptr<TKVElementSupplierList> T_frmElementSupplier::NewList() const {
    switch (FMode) {
    case essdmOnSupplier:
        return TKVElementSupplierList::CreateOnSupplier(FSupplierId);
    case essdmOnClass:
        return TKVElementSupplierList::CreateOnClass(FClassDBId, FClassId);
    case essdmOnElementType:
        break;
    }
    return TKVElementSupplierList::CreateOnElementType(FElementTypeDBId, FElementTypeId);
}

QString T_frmElementSupplier::ElementTypeName() const {
    return List() ? QString(List()->ElementTypeName()) : QString();
}
QString T_frmElementSupplier::SupplierName() const {
    return List() ? QString(List()->SupplierName()) : QString();
}
QString T_frmElementSupplier::ESClassName() const {
    return List() ? QString(List()->ESClassName()) : QString();
}

bool T_frmElementSupplier::BoundToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const {
    switch (FMode) {
    case essdmOnElementType:
        return AItemType == itElementType && ADBId == FElementTypeDBId && AId == FElementTypeId;
    case essdmOnSupplier:
        return AItemType == itSupplier && AId == FSupplierId;
    case essdmOnClass:
        return AItemType == itClass && ADBId == FClassDBId && AId == FClassId;
    }
    return false;
}

// ------------------------------------------------------------------------------- SQL

QString T_frmElementSupplier::ModeCondition() const {
    switch (FMode) {
    case essdmOnSupplier:
        return QStringLiteral("TES.SUPPLIERID = :VAR_SUPPLIERID");
    case essdmOnClass:
        return QStringLiteral("TET.CLASSDBID = :VAR_CLASSDBID AND TET.CLASSID = :VAR_CLASSID");
    case essdmOnElementType:
        break;
    }
    return QStringLiteral(
        "TES.ELEMENTTYPEDBID = :VAR_ELEMENTTYPEDBID AND TES.ELEMENTTYPEID = :VAR_ELEMENTTYPEID");
}

void T_frmElementSupplier::LoadContext(TIBQuery& AQuery) {
    switch (FMode) {
    case essdmOnElementType:
        AQuery.SetSQL(QStringLiteral("SELECT FIRST 1 SKIP 0 S_TYPENAME FROM T_ELEMENT_TYPE WHERE "
                                     "DBID = :VAR_ELEMENTTYPEDBID AND ID = :VAR_ELEMENTTYPEID;"));
        break;
    case essdmOnSupplier:
        AQuery.SetSQL(QStringLiteral(
            "SELECT FIRST 1 SKIP 0 S_NAME FROM T_SUPPLIER WHERE ID = :VAR_SUPPLIERID;"));
        break;
    case essdmOnClass:
        AQuery.SetSQL(QStringLiteral("SELECT FIRST 1 SKIP 0 S_NAME FROM T_CLASS WHERE DBID = "
                                     ":VAR_CLASSDBID AND ID = :VAR_CLASSID;"));
        break;
    }
    BindContext(AQuery);
    AQuery.Open();
    if (AQuery.Eof()) {
        switch (FMode) {
        case essdmOnElementType:
            ShowObjectNotFound(FElementTypeDBId, FElementTypeId);
            break;
        case essdmOnSupplier:
            ShowObjectNotFound(0, FSupplierId, false);
            break;
        case essdmOnClass:
            ShowObjectNotFound(FClassDBId, FClassId);
            break;
        }
    } else {
        const QString name = AQuery.Fields(0).AsString();
        switch (FMode) {
        case essdmOnElementType:
            List()->SetElementTypeName(name);
            break;
        case essdmOnSupplier:
            List()->SetSupplierName(name);
            break;
        case essdmOnClass:
            List()->SetESClassName(name);
            break;
        }
    }
    AQuery.Close();
}

QString T_frmElementSupplier::CountSQL() const {
    return QStringLiteral("SELECT COUNT(TES.ID) FROM T_ELEMENT_SUPPLIER TES LEFT JOIN "
                          "T_ELEMENT_TYPE TET ON TET.DBID = TES.ELEMENTTYPEDBID AND TET.ID = "
                          "TES.ELEMENTTYPEID WHERE ") +
           ModeCondition() + QLatin1Char(';');
}

QString T_frmElementSupplier::SelectSQL() const {
    return QStringLiteral("SELECT ") + kFields + QStringLiteral(" WHERE ") + ModeCondition() +
           QLatin1Char(';');
}

QString T_frmElementSupplier::SelectOneSQL() const {
    return QStringLiteral("SELECT FIRST 1 SKIP 0 ") + kFields + QStringLiteral(" WHERE ") +
           ModeCondition() + QStringLiteral(" AND TES.ID = :VAR_ID;");
}

void T_frmElementSupplier::BindContext(TIBQuery& AQuery) {
    switch (FMode) {
    case essdmOnElementType:
        AQuery.ParamByName("VAR_ELEMENTTYPEDBID").SetAsInt64(FElementTypeDBId);
        AQuery.ParamByName("VAR_ELEMENTTYPEID").SetAsInt64(FElementTypeId);
        break;
    case essdmOnSupplier:
        AQuery.ParamByName("VAR_SUPPLIERID").SetAsInt64(FSupplierId);
        break;
    case essdmOnClass:
        AQuery.ParamByName("VAR_CLASSDBID").SetAsInt64(FClassDBId);
        AQuery.ParamByName("VAR_CLASSID").SetAsInt64(FClassId);
        break;
    }
}

// ---------------------------------------------------------------------------- rows

TKVListRow T_frmElementSupplier::MakeRow(const TKVElementSupplier& ARecord) const {
    TKVListRow row{TKVDBKey{0, ARecord.Id()},
                   {ARecord.ElementTypeName(), ARecord.SupplierName(),
                    ARecord.UsagePrice() ? KVPriceText(ARecord.Price()) : QString(),
                    ARecord.Text()},
                   std::nullopt};
    row.ImageIndex = ARecord.ElementTypeIconId();
    return row;
}

bool T_frmElementSupplier::RecordMatchesText(const TKVElementSupplier& ARecord) const {
    return MatchesFilter(ARecord.ElementTypeName());
}

T_frmElementSupplier::TLayoutKey T_frmElementSupplier::LayoutContextKey() const {
    // Every mode keys its layout by the element type; windows of a supplier or a class share
    // the rows of type (0, 0).
    return TKVDBKey{FElementTypeDBId, FElementTypeId};
}

QString T_frmElementSupplier::ExportDataSetName() const {
    return QStringLiteral("%1 - %2").arg(ElementTypeName(), PricesCaption());
}

// --------------------------------------------------------------------------- commands

void T_frmElementSupplier::OpenCard(quint32, quint32 AId, bool ACreateCopyFlag) {
    if (AId != 0)
        OpenCardElementSupplier(AId, ACreateCopyFlag, 0, 0, 0, 0, 0);
    else
        OpenCardElementSupplier(0, false, FElementTypeDBId, FElementTypeId, FSupplierId, FClassDBId,
                                FClassId);
}

const TKVElementSupplier* T_frmElementSupplier::SelectedRecord() const {
    const TKVSelectedItemDBData& selected = SelectedItemDBData();
    return selected.Select ? Peek({0, selected.Id}) : nullptr;
}

void T_frmElementSupplier::OpenSupplierOnElement() {
    const TKVElementSupplier* record = SelectedRecord();
    if (ActionState() && record && record->SupplierId() != 0 && Connected())
        OpenCardSupplier(record->SupplierId(), false);
}

void T_frmElementSupplier::AddExtraCommands(QMenu* AMenu) {
    ToolBar()->addSeparator()->setObjectName(QStringLiteral("Div0_Tools"));
    AddRecordCommand(AMenu, {"pmiSupplierOnElement", tr("&Поставщик"), 19, QKeySequence(),
                             [this] { OpenSupplierOnElement(); }, "SupplierOnElement_ToolButton",
                             tr("Поставщик"), tr("Карточка поставщика")});
}
