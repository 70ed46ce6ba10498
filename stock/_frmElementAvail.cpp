#include "stock/_frmElementAvail.h"

#include "core/KVUserInterface.h"
#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "platform/sys/SysUtils.h"
#include "refbooks/KVOpenSite.h"
#include "refbooks/frmCase.h"
#include "refbooks/frmCaseMountType.h"
#include "refbooks/frmClass.h"
#include "refbooks/frmStorage.h"
#include "shell/KVOpeners.h"
#include "stock/frmElementAvailEdit.h"

#include <QLocale>
#include <QMenu>
#include <QToolBar>

#include <cmath>

namespace {

// The columns every mode reads: the record, its element type with the type's class and case,
// its two units and its storage place, the count reserved by projects of every state and
// whether the type has pins.
const QString kColumns = QStringLiteral(
    "TEA.ELEMENTTYPEDBID, TEA.ELEMENTTYPEID, TEA.V_COUNT_FLOAT, TEA.V_NEED_FLOAT, TEA.V_NOMINAL, "
    "TEA.S_MARKING, TEA.S_CELL, TEA.S_TEXT, TEA.V_FLAG, TEA.UNITNOMDBID, TEA.UNITNOMID, "
    "TEA.UNITCOUNTDBID, TEA.UNITCOUNTID, TEA.STORAGEID, TEA.S_TYPENAME, TET.S_TYPENAME AS "
    "ELEMENTTYPENAME, TC.ICONID AS ELEMENTTYPEICONID, TCS.S_TYPENAME AS CASETYPENAME, "
    "TCS.V_CV_PTTTYPE AS CASE_CV_PTTTYPE, TU0.S_PREFIX AS UNITNOMPREFIX, TU0.V_FACTOR AS "
    "UNITNOMFACTOR, TU1.S_PREFIX AS UNITCOUNTPREFIX, TS.S_NAME AS STORAGENAME, TET.CLASSDBID AS "
    "CLASSDBID, TET.CLASSID AS CLASSID, TET.CASEDBID AS CASEDBID, TET.CASEID AS CASEID, "
    "TCS.V_MOUNTTYPE AS CASEMOUNTTYPE, (SELECT SUM(TPI.V_COUNT_FLOAT * TP.V_COUNTDEV_SCHEDULED) "
    "FROM T_PROJECT_ITEM TPI LEFT JOIN T_PROJECT TP ON TPI.PROJECTID = TP.ID WHERE "
    "TPI.ELEMENTAVAILID = TEA.ID) AS PROJECT_RESERVED, (SELECT 1 FROM RDB$DATABASE WHERE "
    "EXISTS(SELECT * FROM T_PIN TPN WHERE TPN.ELEMENTTYPEDBID = TEA.ELEMENTTYPEDBID AND "
    "TPN.ELEMENTTYPEID = TEA.ELEMENTTYPEID)) AS PIN_EXISTS, TEA.C_TIMESTAMP, TEA.U_TIMESTAMP");
const QString kFrom = QStringLiteral(
    " FROM T_ELEMENT_AVAIL TEA LEFT JOIN T_ELEMENT_TYPE TET ON TET.DBID = TEA.ELEMENTTYPEDBID "
    "AND TET.ID = TEA.ELEMENTTYPEID LEFT JOIN T_CLASS TC ON TC.DBID = TET.CLASSDBID AND TC.ID = "
    "TET.CLASSID LEFT JOIN T_CASE TCS ON TCS.DBID = TET.CASEDBID AND TCS.ID = TET.CASEID LEFT "
    "JOIN T_UNIT TU0 ON TU0.DBID = TEA.UNITNOMDBID AND TU0.ID = TEA.UNITNOMID LEFT JOIN T_UNIT "
    "TU1 ON TU1.DBID = TEA.UNITCOUNTDBID AND TU1.ID = TEA.UNITCOUNTID LEFT JOIN T_STORAGE TS ON "
    "TS.ID = TEA.STORAGEID");
const QString kEscapeSymbol = QStringLiteral("/");

TKVListBook ElementAvailBook() {
    TKVListBook book;
    book.Name = QStringLiteral("ElementAvail");
    book.KeyHasDBId = false;
    book.ItemType = itElementAvail;
    book.Columns = {{T_frmElementAvail::tr("Наименование"), 160, lckText},
                    {T_frmElementAvail::tr("Маркировка"), 80, lckText},
                    {T_frmElementAvail::tr("Корпус"), 120, lckText},
                    {T_frmElementAvail::tr("Количество"), 100, lckNumberPrefix},
                    {T_frmElementAvail::tr("Ед. изм. количества"), 100, lckText},
                    {T_frmElementAvail::tr("Потребность"), 100, lckFloat},
                    {T_frmElementAvail::tr("Зарезервировано"), 100, lckFloat},
                    {T_frmElementAvail::tr("Номинал"), 100, lckDataValue},
                    {T_frmElementAvail::tr("Ед. изм. номинала"), 100, lckText},
                    {T_frmElementAvail::tr("Место хранения"), 120, lckText},
                    {T_frmElementAvail::tr("Ячейка"), 60, lckText},
                    {T_frmElementAvail::tr("Дата/время ревизии"), 120, lckDateTime},
                    {T_frmElementAvail::tr("Примечание"), 160, lckText}};
    book.CopyNameColumn = -1;
    book.DeleteSQL = QStringLiteral("DELETE FROM T_ELEMENT_AVAIL WHERE ID = :VAR_ID;");
    book.DeleteProbes = {QStringLiteral("SELECT 1 FROM rdb$database WHERE EXISTS (SELECT ID FROM "
                                        "T_PROJECT_ITEM WHERE ELEMENTAVAILID = :VAR_ID);")};
    book.ManageObjType = otStockList;
    book.SelectObjType = otStockSelect;
    book.StoreColumnWidths = true;
    book.DefaultWidth = 500;
    book.DefaultHeight = 180;
    book.HelpTopic = QStringLiteral("RBElementAvail");
    return book;
}

QString ShortDateText(TDateTime AValue) {
    return QLocale().toString(QDateTimeFromDateTime(AValue).date(), QLocale::ShortFormat);
}

} // namespace

T_frmElementAvail::T_frmElementAvail(QWidget* AParent)
    : TKVBookListFrame<TKVElementAvailList>(ElementAvailBook(), AParent) {
    setObjectName(QStringLiteral("_frmElementAvail1"));
    if (dmMain)
        Model()->SetImageList(&dmMain->ElementClassImgList);

    FClassFilter =
        AddClientFilter({QStringLiteral("pmiFTViewOnClass"), tr("Показать только по &классу..."),
                         [this] {
                             TKVSelectedItemDBData selected;
                             SelectClass(0, 0, 0, 0, selected);
                             if (!selected.Select)
                                 return false;
                             FFilterClassDBId = selected.DBId;
                             FFilterClassId = selected.Id;
                             FFilterClassName = selected.Name;
                             return true;
                         },
                         [this] { return QLatin1Char('[') + FFilterClassName + QLatin1Char(']'); }},
                        [this](const TKVElementAvail& ARecord) {
                            return ARecord.EAClassDBId() == FFilterClassDBId &&
                                   ARecord.EAClassId() == FFilterClassId;
                        });
    FStorageFilter = AddClientFilter(
        {QStringLiteral("pmiFTViewOnStorage"), tr("Показать только по &месту хранения..."),
         [this] {
             TKVSelectedLocalItemDBData selected;
             TfrmSelectStorage::SelectStorage(0, 0, selected);
             if (!selected.Select)
                 return false;
             FFilterStorageId = selected.Id;
             FFilterStorageName = selected.Name;
             return true;
         },
         [this] { return QLatin1Char('[') + FFilterStorageName + QLatin1Char(']'); }},
        [this](const TKVElementAvail& ARecord) { return ARecord.StorageId() == FFilterStorageId; });
    FCaseFilter = AddClientFilter(
        {QStringLiteral("pmiFTViewOnCaseType"), tr("Показать только по к&орпусу..."),
         [this] {
             TKVSelectedItemDBData selected;
             SelectCase(0, 0, selected);
             if (!selected.Select)
                 return false;
             FFilterCaseTypeDBId = selected.DBId;
             FFilterCaseTypeId = selected.Id;
             FFilterCaseTypeName = selected.Name;
             return true;
         },
         [this] { return QLatin1Char('[') + FFilterCaseTypeName + QLatin1Char(']'); }},
        [this](const TKVElementAvail& ARecord) {
            return ARecord.CaseDBId() == FFilterCaseTypeDBId &&
                   ARecord.CaseId() == FFilterCaseTypeId;
        });
    FMountTypeFilter = AddClientFilter(CaseMountTypeFilter(FFilterCaseMountType),
                                       [this](const TKVElementAvail& ARecord) {
                                           return ARecord.CaseMountType() == FFilterCaseMountType;
                                       });
    FPttVisualFilter = AddClientFilter(
        {QStringLiteral("pmiFTViewOnPttVisual"), tr("Показать только элементы с &визуализацией"),
         nullptr, [] { return tr("[Шабл. визуал.]"); }},
        [](const TKVElementAvail& ARecord) {
            return ARecord.PinExists() && ARecord.CasePttVisualType() != cvtUntyped;
        });
}

T_frmElementAvail::~T_frmElementAvail() = default;

int T_frmElementAvail::FilterIndex(TFilter AFilter) const {
    switch (AFilter) {
    case fClass:
        return FClassFilter;
    case fStorage:
        return FStorageFilter;
    case fCase:
        return FCaseFilter;
    case fMountType:
        return FMountTypeFilter;
    case fPttVisual:
        return FPttVisualFilter;
    }
    return -1;
}

// ------------------------------------------------------------------------------- Init

void T_frmElementAvail::Init(bool AActionState, TKVElementAvailListSelectDataMode AMode,
                             quint32 AElementTypeDBId, quint32 AElementTypeId, quint32 AStorageId,
                             const QString& ATypeNameStr, const QString& AMarkingStr,
                             TKVElementAvailNominalSearchType ANominalSearchType,
                             double ANominalSearchValue1, double ANominalSearchValue2,
                             quint32 ANominalSearchUnitDBId, quint32 ANominalSearchUnitId,
                             TDateTime ARevDateBegin, TDateTime ARevDateEnd) {
    if (AMode < easdmAll || AMode > easdmOnMarking) {
        KVUserInterface().ShowSystemError(
            QString(), QStringLiteral("Unknown element avail select view mode"), true);
        SetActionState(false);
        return;
    }
    FInited = true;
    FMode = AMode;
    FElementTypeDBId = AElementTypeDBId;
    FElementTypeId = AElementTypeId;
    FStorageId = AStorageId;
    FTypeNameStr = ATypeNameStr;
    FMarkingStr = AMarkingStr;
    FNominalSearchType = ANominalSearchType;
    FNominalSearchValue1 = ANominalSearchValue1;
    FNominalSearchValue2 = ANominalSearchValue2;
    FNominalSearchUnitDBId = ANominalSearchUnitDBId;
    FNominalSearchUnitId = ANominalSearchUnitId;
    FRevDateBegin = ARevDateBegin;
    FRevDateEnd = ARevDateEnd;
    if (AMode == easdmOnElementTypeName || AMode == easdmOnMarking)
        FtmpSQLPatternStr =
            UserMaskToSQLLike(AMode == easdmOnMarking ? AMarkingStr : ATypeNameStr).toUpper();
    // A list of one place needs no filter by place.
    if (QAction* item = ClientFilterItem(FStorageFilter)) {
        item->setVisible(AMode != easdmOnStorage);
        item->setEnabled(AMode != easdmOnStorage);
    }
    TKVListFrame::Init(AActionState);
}

std::unique_ptr<TKVElementAvailList> T_frmElementAvail::NewList() const {
    switch (FMode) {
    case easdmAll:
        return std::make_unique<TKVElementAvailList>();
    case easdmOnElementTypeName:
        return TKVElementAvailList::CreateOnTypeName(FTypeNameStr);
    case easdmOnStorage:
        return TKVElementAvailList::CreateOnStorage(FStorageId);
    case easdmOnElementType:
        return TKVElementAvailList::CreateOnElementType(FElementTypeDBId, FElementTypeId);
    case easdmOnNominal:
        return TKVElementAvailList::CreateOnNominal(FNominalSearchType, FNominalSearchValue1,
                                                    FNominalSearchValue2, FNominalSearchUnitDBId,
                                                    FNominalSearchUnitId);
    case easdmOnRevDate:
        return TKVElementAvailList::CreateOnRevDate(FRevDateBegin, FRevDateEnd, FStorageId);
    case easdmOnMarking:
        return TKVElementAvailList::CreateOnMarking(FMarkingStr);
    }
    return nullptr;
}

// ---------------------------------------------------------------------------- criteria

QString T_frmElementAvail::ElementTypeName() const {
    return List() && FMode == easdmOnElementType ? List()->ElementTypeName() : QString();
}
QString T_frmElementAvail::StorageName() const {
    return List() && FMode == easdmOnStorage ? List()->StorageName() : QString();
}
QString T_frmElementAvail::NominalSearchUnitPrefix() const {
    return List() && FMode == easdmOnNominal ? List()->NominalSearchUnitPrefix() : QString();
}

bool T_frmElementAvail::HasRevDateBegin() const {
    return IsRevDateSearchDateSet(FRevDateBegin);
}
bool T_frmElementAvail::HasRevDateEnd() const {
    return IsRevDateSearchDateSet(FRevDateEnd);
}

bool T_frmElementAvail::BoundToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const {
    if (!FInited)
        return false;
    switch (FMode) {
    case easdmOnStorage:
        return AItemType == itStorage && AId == FStorageId;
    case easdmOnElementType:
        return AItemType == itElementType && ADBId == FElementTypeDBId && AId == FElementTypeId;
    default:
        return false;
    }
}

QString T_frmElementAvail::NumberText(double AValue) {
    return FloatToStrKV(AValue);
}

QString T_frmElementAvail::GetSubTitleForSearchNominal() const {
    if (FMode != easdmOnNominal)
        return QString();
    QString text;
    switch (FNominalSearchType) {
    case eanstEqual:
        text = tr("равно %1").arg(NumberText(FNominalSearchValue1));
        break;
    case eanstMoreOrEqual:
        text = tr("больше или равно %1").arg(NumberText(FNominalSearchValue1));
        break;
    case eanstLessOrEqual:
        text = tr("меньше или равно %1").arg(NumberText(FNominalSearchValue1));
        break;
    case eanstInRange:
        text = tr("от %1 до %2")
                   .arg(NumberText(FNominalSearchValue1), NumberText(FNominalSearchValue2));
        break;
    }
    if (FNominalSearchUnitId != 0)
        text += QLatin1Char(' ') + NominalSearchUnitPrefix();
    return text;
}

QString T_frmElementAvail::GetSubTitleForSearchRevDate() const {
    QString text;
    if (HasRevDateBegin() && HasRevDateEnd())
        text = tr("от %1 до %2").arg(ShortDateText(FRevDateBegin), ShortDateText(FRevDateEnd));
    else if (HasRevDateBegin())
        text = tr("больше или равно %1").arg(ShortDateText(FRevDateBegin));
    else if (HasRevDateEnd())
        text = tr("меньше или равно %1").arg(ShortDateText(FRevDateEnd));
    if (FStorageId != 0)
        text += tr(" * по хранилищу");
    return text;
}

// ------------------------------------------------------------------------------- SQL

QString T_frmElementAvail::ModeCondition() const {
    switch (FMode) {
    case easdmAll:
        return QString();
    case easdmOnElementTypeName:
        return QStringLiteral(
            "((UPCASE(TET.S_TYPENAME) LIKE :VAR_FINDSTR ESCAPE :VAR_ESCAPESYMBOL) OR "
            "(UPCASE(TEA.S_TYPENAME) LIKE :VAR_FINDSTR ESCAPE :VAR_ESCAPESYMBOL))");
    case easdmOnMarking:
        return QStringLiteral(
            "((UPCASE(TET.S_MARKING) LIKE :VAR_FINDSTR ESCAPE :VAR_ESCAPESYMBOL) OR "
            "(UPCASE(TEA.S_MARKING) LIKE :VAR_FINDSTR ESCAPE :VAR_ESCAPESYMBOL))");
    case easdmOnStorage:
        return QStringLiteral("TEA.STORAGEID = :VAR_STORAGEID");
    case easdmOnElementType:
        return QStringLiteral("TEA.ELEMENTTYPEDBID = :VAR_ELEMENTTYPEDBID AND TEA.ELEMENTTYPEID = "
                              ":VAR_ELEMENTTYPEID");
    case easdmOnNominal:
        return QLatin1Char('(') +
               GetNominalSearchCondition(FNominalSearchType, FNominalSearchUnitDBId,
                                         FNominalSearchUnitId, FNominalSearchValue1,
                                         FNominalSearchValue2)
                   .trimmed() +
               QLatin1Char(')');
    case easdmOnRevDate:
        // Without a date the search lists nothing.
        if (!HasRevDateBegin() && !HasRevDateEnd())
            return QStringLiteral("1 = 0");
        return QLatin1Char('(') +
               GetRevDateSearchCondition(FStorageId, FRevDateBegin, FRevDateEnd).trimmed() +
               QLatin1Char(')');
    }
    return QString();
}

QString T_frmElementAvail::CountSQL() const {
    const QString condition = ModeCondition();
    QString sql = QStringLiteral("SELECT COUNT(TEA.ID) FROM T_ELEMENT_AVAIL TEA");
    // The masks test the element type's name or marking too.
    if (FMode == easdmOnElementTypeName || FMode == easdmOnMarking)
        sql += QStringLiteral(" LEFT JOIN T_ELEMENT_TYPE TET ON TET.DBID = TEA.ELEMENTTYPEDBID "
                              "AND TET.ID = TEA.ELEMENTTYPEID");
    if (!condition.isEmpty())
        sql += QStringLiteral(" WHERE ") + condition;
    return sql;
}

QString T_frmElementAvail::SelectSQL() const {
    const QString condition = ModeCondition();
    QString sql = QStringLiteral("SELECT TEA.ID, ") + kColumns + kFrom;
    if (!condition.isEmpty())
        sql += QStringLiteral(" WHERE ") + condition;
    return sql;
}

QString T_frmElementAvail::SelectOneSQL() const {
    const QString condition = ModeCondition();
    QString sql = QStringLiteral("SELECT FIRST 1 SKIP 0 TEA.ID, ") + kColumns + kFrom +
                  QStringLiteral(" WHERE TEA.ID = :VAR_ID");
    if (!condition.isEmpty())
        sql += QStringLiteral(" AND ") + condition;
    return sql;
}

void T_frmElementAvail::BindContext(TIBQuery& AQuery) {
    switch (FMode) {
    case easdmAll:
        break;
    case easdmOnElementTypeName:
    case easdmOnMarking:
        AQuery.ParamByName("VAR_FINDSTR").SetAsString(FtmpSQLPatternStr);
        AQuery.ParamByName("VAR_ESCAPESYMBOL").SetAsString(kEscapeSymbol);
        break;
    case easdmOnStorage:
        AQuery.ParamByName("VAR_STORAGEID").SetAsInt64(FStorageId);
        break;
    case easdmOnElementType:
        AQuery.ParamByName("VAR_ELEMENTTYPEDBID").SetAsInt64(FElementTypeDBId);
        AQuery.ParamByName("VAR_ELEMENTTYPEID").SetAsInt64(FElementTypeId);
        break;
    case easdmOnNominal:
        AQuery.ParamByName("VAR_NSV1").SetAsDouble(FNominalSearchValue1);
        if (FNominalSearchType == eanstInRange)
            AQuery.ParamByName("VAR_NSV2").SetAsDouble(FNominalSearchValue2);
        if (FNominalSearchUnitId != 0) {
            AQuery.ParamByName("VAR_UNITNOMDBID").SetAsInt64(FNominalSearchUnitDBId);
            AQuery.ParamByName("VAR_UNITNOMID").SetAsInt64(FNominalSearchUnitId);
        }
        break;
    case easdmOnRevDate:
        if (!HasRevDateBegin() && !HasRevDateEnd())
            break;
        if (HasRevDateBegin())
            AQuery.ParamByName("VAR_REVDATEBEGIN").SetAsDateTime(FRevDateBegin);
        if (HasRevDateEnd())
            AQuery.ParamByName("VAR_REVDATEEND").SetAsDateTime(FRevDateEnd);
        if (FStorageId != 0)
            AQuery.ParamByName("VAR_STORAGEID").SetAsInt64(FStorageId);
        break;
    }
}

void T_frmElementAvail::LoadContext(TIBQuery& AQuery) {
    switch (FMode) {
    case easdmOnStorage:
    case easdmOnRevDate:
        if (FMode == easdmOnRevDate && FStorageId == 0)
            break;
        AQuery.SetSQL(QStringLiteral(
            "SELECT FIRST 1 SKIP 0 S_NAME FROM T_STORAGE WHERE ID = :VAR_STORAGEID;"));
        AQuery.ParamByName("VAR_STORAGEID").SetAsInt64(FStorageId);
        AQuery.Open();
        if (AQuery.Eof())
            ShowObjectNotFound(0, FStorageId, false);
        else if (FMode == easdmOnStorage)
            List()->SetStorageName(FStorageId, AQuery.FieldByName("S_NAME").AsString());
        break;
    case easdmOnElementType:
        AQuery.SetSQL(QStringLiteral("SELECT FIRST 1 SKIP 0 S_TYPENAME FROM T_ELEMENT_TYPE WHERE "
                                     "DBID = :VAR_ELEMENTTYPEDBID AND ID = :VAR_ELEMENTTYPEID;"));
        BindContext(AQuery);
        AQuery.Open();
        if (AQuery.Eof())
            ShowObjectNotFound(FElementTypeDBId, FElementTypeId);
        else
            List()->SetElementTypeName(FElementTypeDBId, FElementTypeId,
                                       AQuery.FieldByName("S_TYPENAME").AsString());
        break;
    case easdmOnNominal:
        if (FNominalSearchUnitId == 0)
            break;
        AQuery.SetSQL(QStringLiteral("SELECT FIRST 1 SKIP 0 S_PREFIX FROM T_UNIT WHERE DBID = "
                                     ":VAR_UNITDBID AND ID = :VAR_UNITID;"));
        AQuery.ParamByName("VAR_UNITDBID").SetAsInt64(FNominalSearchUnitDBId);
        AQuery.ParamByName("VAR_UNITID").SetAsInt64(FNominalSearchUnitId);
        AQuery.Open();
        if (AQuery.Eof())
            ShowObjectNotFound(FNominalSearchUnitDBId, FNominalSearchUnitId);
        else
            List()->SetNominalSearchUnitPrefix(AQuery.FieldByName("S_PREFIX").AsString());
        break;
    default:
        break;
    }
    AQuery.Close();
}

// ---------------------------------------------------------------------------- rows

TKVListRow T_frmElementAvail::MakeRow(const TKVElementAvail& ARecord) const {
    // A count the database does not hold (NULL) shows empty.
    QString count = std::isnan(ARecord.Count()) ? QString() : NumberText(ARecord.Count());
    if (TestBitMask(ARecord.Flag(), 1))
        count.prepend(QLatin1Char('~'));
    const TDateTime revision = std::max(ARecord.CreateDateTime(), ARecord.UpdateDateTime());
    TKVListRow row{{0, ARecord.Id()},
                   {ARecord.ElementTypeName(), ARecord.Marking(), ARecord.CaseTypeName(), count,
                    ARecord.UnitPrefixCount(),
                    ARecord.Need() > 0 ? NumberText(ARecord.Need()) : QString(),
                    ARecord.Reserved() > 0 ? NumberText(ARecord.Reserved()) : QString(),
                    ARecord.UsageNominal() ? NumberText(ARecord.Nominal()) : QString(),
                    ARecord.UsageNominal() ? QString(ARecord.UnitPrefixNominal()) : QString(),
                    ARecord.StorageName(), ARecord.Cell(),
                    revision > 0 ? DateTimeListText(QDateTimeFromDateTime(revision)) : QString(),
                    ARecord.Text()},
                   ARecord.UsageNominal() ? ARecord.UnitNominalFactor() * ARecord.Nominal() : 0.0};
    row.ImageIndex = ARecord.ElementTypeId() != 0 ? ARecord.ElementTypeIconId() : -1;
    return row;
}

bool T_frmElementAvail::RecordMatchesText(const TKVElementAvail& ARecord) const {
    return MatchesFilter(ARecord.ElementTypeName());
}

T_frmElementAvail::TLayoutKey T_frmElementAvail::LayoutContextKey() const {
    TLayoutKey key;
    switch (FMode) {
    case easdmOnStorage:
        key.Id = FStorageId;
        return key;
    case easdmOnElementType:
        return TKVDBKey{FElementTypeDBId, FElementTypeId};
    default:
        return key;
    }
}

// --------------------------------------------------------------------------- commands

bool T_frmElementAvail::CardAvailable() const {
    return FInited;
}

void T_frmElementAvail::OpenCard(quint32, quint32 AId, bool ACreateCopyFlag) {
    if (!FInited)
        return;
    // A new record starts in the list's place or with the list's element type.
    const bool byStorage = AId == 0 && FMode == easdmOnStorage;
    const bool byType = AId == 0 && FMode == easdmOnElementType;
    OpenCardElementAvail(AId, ACreateCopyFlag, byType ? FElementTypeDBId : 0u,
                         byType ? FElementTypeId : 0u, byStorage ? FStorageId : 0u);
}

const TKVElementAvail* T_frmElementAvail::SelectedRecord() const {
    const TKVSelectedItemDBData& selected = SelectedItemDBData();
    return selected.Select ? Peek({0, selected.Id}) : nullptr;
}

void T_frmElementAvail::OpenReferenceBook_ElementTypeSummary() {
    const TKVElementAvail* record = SelectedRecord();
    if (ActionState() && record && record->ElementTypeId() != 0 && Connected())
        TKVOpener<TOpenElementTypeSummary>::Open(record->ElementTypeDBId(),
                                                 record->ElementTypeId());
}

void T_frmElementAvail::OpenCaseVisual() {
    const TKVElementAvail* record = SelectedRecord();
    if (ActionState() && record && record->ElementTypeId() != 0 && record->PinExists() &&
        record->CasePttVisualType() != cvtUntyped && Connected())
        TKVOpener<TOpenCaseDrawingOfElementType>::Open(record->ElementTypeDBId(),
                                                       record->ElementTypeId());
}

void T_frmElementAvail::SearchInWeb() {
    const TKVSelectedItemDBData& selected = SelectedItemDBData();
    if (selected.Select)
        SearchNameInWeb(selected.Name);
}

void T_frmElementAvail::AddToFavorite() {
    const TKVSelectedItemDBData& selected = SelectedItemDBData();
    if (selected.Select)
        AddRecordToFavorites(itElementAvail, 0, selected.Id);
}

void T_frmElementAvail::AddExtraCommands(QMenu* AMenu) {
    const auto withType = [this] {
        const TKVElementAvail* record = SelectedRecord();
        return record && record->ElementTypeId() != 0;
    };
    AddRecordCommand(AMenu, {"pmiPttVisualView", tr("Прос&мотр визуализации"), 88,
                             QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_V),
                             [this] { OpenCaseVisual(); }, nullptr, QString(), QString(), false,
                             [this, withType] {
                                 const TKVElementAvail* record = SelectedRecord();
                                 return TKVOpener<TOpenCaseDrawingOfElementType>::Registered() &&
                                        withType() && record->PinExists() &&
                                        record->CasePttVisualType() != cvtUntyped;
                             }});
    AddRecordCommand(
        AMenu,
        {"pmiElementTypeSummary", tr("&Сводная информация по типу элемента"), 35,
         QKeySequence(Qt::CTRL | Qt::Key_D), [this] { OpenReferenceBook_ElementTypeSummary(); },
         nullptr, QString(), QString(), false,
         [withType] { return TKVOpener<TOpenElementTypeSummary>::Registered() && withType(); }});
    AddRecordCommand(AMenu, {"pmiSearchInWeb", tr("По&иск по названию в Сети..."), 47,
                             QKeySequence(Qt::CTRL | Qt::Key_W), [this] { SearchInWeb(); }});
    AddRecordCommand(AMenu, {"pmiAddToFavorite", tr("Добавить в избранное"), 45, QKeySequence(),
                             [this] { AddToFavorite(); }, nullptr, QString(), QString(), true});
    AddStockOperations(AMenu);
}
