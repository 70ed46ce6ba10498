#include "catalogue/_frmElementType.h"

#include "catalogue/KVElementTypeParams.h"
#include "catalogue/KVParamRebinding.h"
#include "core/KVUserInterface.h"
#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "refbooks/KVOpenSite.h"
#include "refbooks/frmCase.h"
#include "refbooks/frmCaseMountType.h"
#include "shell/KVOpeners.h"
#include "shell/KVWidgets.h"
#include "shell/frmListItemSelect.h"
#include "shell/uMessage.h"
#include "shell/ufrmMain.h"

#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QToolBar>
#include <QTreeView>
#include <QUrl>
#include <QWidgetAction>

namespace {

// The columns every mode reads, from the type and its class, case and maker.
const QString kSelect = QStringLiteral(
    "SELECT TET.DBID, TET.ID, TET.CLASSDBID, TET.CLASSID, TET.CASEDBID, TET.CASEID, "
    "TET.MAKERDBID, TET.MAKERID, TET.S_TYPENAME, TET.S_MARKING, TET.S_DESCRIPTION, "
    "TET.C_TIMESTAMP, TET.U_TIMESTAMP, TET.R_TIMESTAMP, TC.ICONID AS CLASSICONID, TCS.S_TYPENAME "
    "AS CASENAME, TCS.V_MOUNTTYPE AS CASEMOUNTTYPE, TCS.V_CV_PTTTYPE AS CASE_CV_PTTTYPE, "
    "TM.S_NAME AS MAKERNAME, (SELECT 1 FROM RDB$DATABASE WHERE EXISTS(SELECT * FROM T_PIN TPN "
    "WHERE TPN.ELEMENTTYPEDBID = TET.DBID AND TPN.ELEMENTTYPEID = TET.ID)) AS PIN_EXISTS FROM "
    "T_ELEMENT_TYPE TET LEFT JOIN T_CLASS TC ON TC.DBID = TET.CLASSDBID AND TC.ID = TET.CLASSID "
    "LEFT JOIN T_CASE TCS ON TCS.DBID = TET.CASEDBID AND TCS.ID = TET.CASEID LEFT JOIN T_MAKER TM "
    "ON TM.DBID = TET.MAKERDBID AND TM.ID = TET.MAKERID");

// The escape character of the LIKE patterns made from users' masks.
const QString kEscapeSymbol = QStringLiteral("/");

TKVListBook ElementTypeBook() {
    TKVListBook book;
    book.Name = QStringLiteral("ElementType");
    book.KeyHasDBId = true;
    book.ItemType = itElementType;
    book.Columns = {{T_frmElementType::tr("Наименование"), 160, lckText},
                    {T_frmElementType::tr("Маркировка"), 80, lckText},
                    {T_frmElementType::tr("Описание"), 200, lckText},
                    {T_frmElementType::tr("Корпус"), 120, lckText},
                    {T_frmElementType::tr("Производитель"), 160, lckText}};
    book.CopyNameColumn = -1;
    book.DeleteSQL =
        QStringLiteral("DELETE FROM T_ELEMENT_TYPE WHERE DBID = :VAR_DBID AND ID = :VAR_ID;");
    const auto probe = [](const char* ACondition) {
        return QStringLiteral("SELECT 1 FROM RDB$DATABASE WHERE EXISTS (SELECT ID FROM %1);")
            .arg(QLatin1String(ACondition));
    };
    book.DeleteProbes = {
        probe("T_PARAM WHERE ELEMENTTYPEDBID = :VAR_DBID AND ELEMENTTYPEID = :VAR_ID"),
        probe("T_PIN WHERE ELEMENTTYPEDBID = :VAR_DBID AND ELEMENTTYPEID = :VAR_ID"),
        probe("T_ELEMENT_SUPPLIER WHERE ELEMENTTYPEDBID = :VAR_DBID AND ELEMENTTYPEID = :VAR_ID"),
        probe("T_ELEMENT_AVAIL WHERE ELEMENTTYPEDBID = :VAR_DBID AND ELEMENTTYPEID = :VAR_ID"),
        probe("T_PROJECT_ITEM WHERE ELEMENTTYPEDBID = :VAR_DBID AND ELEMENTTYPEID = :VAR_ID"),
        probe("T_ELEMENT_ANALOG WHERE (PELEMENTTYPEDBID = :VAR_DBID AND PELEMENTTYPEID = "
              ":VAR_ID) OR (AELEMENTTYPEDBID = :VAR_DBID AND AELEMENTTYPEID = :VAR_ID)")};
    book.ManageObjType = otElementTypeList;
    book.SelectObjType = otElementTypeSelect;
    book.StoreColumnWidths = true;
    book.DefaultWidth = 620;
    book.DefaultHeight = 180;
    book.HelpTopic = QStringLiteral("RBElementType");
    return book;
}

} // namespace

T_frmElementType::T_frmElementType(QWidget* AParent)
    : TKVBookListFrame<TKVElementTypeList>(ElementTypeBook(), AParent) {
    setObjectName(QStringLiteral("_frmElementType1"));
    if (dmMain)
        Model()->SetImageList(&dmMain->ElementClassImgList);

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
        [this](const TKVElementType& AType) {
            return AType.CaseDBId() == FFilterCaseTypeDBId && AType.CaseId() == FFilterCaseTypeId;
        });
    FMountTypeFilter = AddClientFilter(CaseMountTypeFilter(FFilterCaseMountType),
                                       [this](const TKVElementType& AType) {
                                           return AType.CaseMountType() == FFilterCaseMountType;
                                       });
    FPttVisualFilter = AddClientFilter(
        {QStringLiteral("pmiFTViewOnPttVisual"), tr("Показать только элементы с &визуализацией"),
         nullptr, [] { return tr("[Шабл. визуал.]"); }},
        [](const TKVElementType& AType) { return AType.GetPttVisualAndPinExists(); });
    FParamFilter = AddClientFilter({QStringLiteral("pmiFTViewOnParam"),
                                    tr("Показать только элементы с параметрами"), nullptr,
                                    [] { return tr("[С парам.]"); }},
                                   [](const TKVElementType& AType) { return !AType.ParamEmpty(); });

    // The description of a parameter column: one line of text per item, in the tip's colours.
    // Enter and a double click offer the type's card and the windows of its records, those
    // whose library registered them.
    const auto registered = [](auto ATag) {
        return [] { return TKVOpener<decltype(ATag)>::Registered(); };
    };
    SetDataViews(
        {{odmtElementType, [this] { OpenItem(); }, [this] { return CardAvailable(); }},
         {odmtParamOnElementType, [this] { OpenReferenceBook_Params(); },
          registered(TOpenParamsOfElementType{})},
         {odmtPinOnElementType, [this] { OpenReferenceBook_PinsAssign(); },
          registered(TOpenPinsOfElementType{})},
         {odmtElementSupplierOnElementType, [this] { OpenReferenceBook_ElementSupplier(); },
          registered(TOpenPricesOfElementType{})},
         {odmtAvailOnElementType, [this] { OpenReferenceBook_ElementAvail(); },
          registered(TOpenStockOfElementType{})},
         {odmtAnalogOnElementType, [this] { OpenReferenceBook_ElementAnalog(); },
          registered(TOpenAnalogsOfElementType{})}});

    FBPInfoMenu = new QMenu(this);
    FBPInfoMenu->setObjectName(QStringLiteral("ElementTypeBPInfo_PopupMenu"));
    auto* text = new QWidgetAction(FBPInfoMenu);
    text->setObjectName(QStringLiteral("pmiBPText"));
    FBPInfoLabel = new QLabel(FBPInfoMenu);
    FBPInfoLabel->setTextFormat(Qt::RichText);
    FBPInfoLabel->setContentsMargins(4, 4, 4, 4);
    FBPInfoLabel->setAutoFillBackground(true);
    FBPInfoLabel->setBackgroundRole(QPalette::ToolTipBase);
    FBPInfoLabel->setForegroundRole(QPalette::ToolTipText);
    text->setDefaultWidget(FBPInfoLabel);
    FBPInfoMenu->addAction(text);
    ListView()->header()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ListView()->header(), &QWidget::customContextMenuRequested, this,
            [this](const QPoint& APos) {
                ShowBaseParamInfo(ListView()->header()->logicalIndexAt(APos),
                                  ListView()->header()->mapToGlobal(APos));
            });
}

T_frmElementType::~T_frmElementType() = default;

// ------------------------------------------------------------------------------- Init

void T_frmElementType::Init(bool AActionState, TKVElementTypeListSelectDataMode AMode,
                            quint32 AETClassDBId, quint32 AETClassId, quint32 AMakerDBId,
                            quint32 AMakerId, quint32 ASupplierId, const QString& ATypeNameStr,
                            const QString& AMarkingStr,
                            const TKVParamSearchList* AParamSearchList) {
    if (AMode < etsdmOnElementTypeName || AMode > etsdmOnMarking) {
        KVUserInterface().ShowSystemError(
            QString(), QStringLiteral("Unknown element type select view mode"), true);
        SetActionState(false);
        return;
    }
    FMode = AMode;
    FClassDBId = AETClassDBId;
    FClassId = AETClassId;
    FMakerDBId = AMakerDBId;
    FMakerId = AMakerId;
    FSupplierId = ASupplierId;
    FTypeNameStr = ATypeNameStr;
    FMarkingStr = AMarkingStr;
    FParamSearchList.Clear();
    if (AMode == etsdmOnParamSearch && AParamSearchList)
        FParamSearchList.Assign(AParamSearchList);
    if (AMode == etsdmOnElementTypeName || AMode == etsdmOnMarking)
        FtmpSQLPatternStr =
            UserMaskToSQLLike(AMode == etsdmOnMarking ? AMarkingStr : ATypeNameStr).toUpper();
    if (QAction* item = ClientFilterItem(FParamFilter)) {
        item->setVisible(HasParamColumns());
        item->setEnabled(HasParamColumns());
    }
    TKVListFrame::Init(AActionState);
}

std::unique_ptr<TKVElementTypeList> T_frmElementType::NewList() const {
    switch (FMode) {
    case etsdmOnElementTypeName:
        return TKVElementTypeList::CreateOnTypeName(FTypeNameStr);
    case etsdmOnClass:
    case etsdmOnClassWithBaseParam:
        return TKVElementTypeList::CreateOnClass(FClassDBId, FClassId,
                                                 FMode == etsdmOnClassWithBaseParam);
    case etsdmOnMaker:
        return TKVElementTypeList::CreateOnMaker(FMakerDBId, FMakerId);
    case etsdmOnSupplier:
        return TKVElementTypeList::CreateOnSupplier(FSupplierId);
    case etsdmOnParamSearch:
        return TKVElementTypeList::CreateOnParamSearch();
    case etsdmOnMarking:
        return TKVElementTypeList::CreateOnMarking(FMarkingStr);
    }
    return nullptr;
}

// ---------------------------------------------------------------------------- criteria

quint32 T_frmElementType::ETClassDBId() const {
    return List() ? List()->ETClassDBId() : FClassDBId;
}
quint32 T_frmElementType::ETClassId() const {
    return List() ? List()->ETClassId() : FClassId;
}
QString T_frmElementType::ETClassName() const {
    return List() ? List()->ETClassName() : QString();
}
quint32 T_frmElementType::MakerDBId() const {
    return List() ? List()->MakerDBId() : FMakerDBId;
}
quint32 T_frmElementType::MakerId() const {
    return List() ? List()->MakerId() : FMakerId;
}
QString T_frmElementType::MakerName() const {
    return List() ? List()->MakerName() : QString();
}
quint32 T_frmElementType::SupplierId() const {
    return List() ? List()->SupplierId() : FSupplierId;
}
QString T_frmElementType::SupplierName() const {
    return List() ? List()->SupplierName() : QString();
}
QString T_frmElementType::ElementTypeNameStr() const {
    return List() ? List()->TypeNameStr() : FTypeNameStr;
}
QString T_frmElementType::ElementMarkingStr() const {
    return List() ? List()->MarkingStr() : FMarkingStr;
}

bool T_frmElementType::BoundToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const {
    switch (FMode) {
    case etsdmOnClass:
    case etsdmOnClassWithBaseParam:
        return AItemType == itClass && ADBId == ETClassDBId() && AId == ETClassId();
    case etsdmOnMaker:
        return AItemType == itMaker && ADBId == MakerDBId() && AId == MakerId();
    case etsdmOnSupplier:
        return AItemType == itSupplier && AId == SupplierId();
    default:
        return false;
    }
}

TKVDBKey T_frmElementType::ParamClassKey() const {
    if (FMode == etsdmOnParamSearch)
        return {FParamSearchList.PSClassDBId(), FParamSearchList.PSClassId()};
    return {FClassDBId, FClassId};
}

// ------------------------------------------------------------------------------- SQL

QString T_frmElementType::ModeCondition() const {
    switch (FMode) {
    case etsdmOnElementTypeName:
        return QStringLiteral("UPCASE(TET.S_TYPENAME) LIKE :VAR_FINDSTR ESCAPE :VAR_ESCAPESYMBOL");
    case etsdmOnMarking:
        return QStringLiteral("UPCASE(TET.S_MARKING) LIKE :VAR_FINDSTR ESCAPE :VAR_ESCAPESYMBOL");
    case etsdmOnMaker:
        return QStringLiteral("TET.MAKERDBID = :VAR_MAKERDBID AND TET.MAKERID = :VAR_MAKERID");
    case etsdmOnSupplier:
        // Each type once, however many prices it has at the supplier.
        return QStringLiteral(
            "EXISTS (SELECT 1 FROM T_ELEMENT_SUPPLIER TES WHERE TES.ELEMENTTYPEDBID = TET.DBID "
            "AND TES.ELEMENTTYPEID = TET.ID AND TES.SUPPLIERID = :VAR_SUPPLIERID)");
    case etsdmOnClass:
    case etsdmOnClassWithBaseParam:
    case etsdmOnParamSearch:
        break;
    }
    QString condition =
        QStringLiteral("TET.CLASSDBID = :VAR_CLASSDBID AND TET.CLASSID = :VAR_CLASSID");
    if (AvailOnly())
        // Each type once, however many stock records it has.
        condition += QStringLiteral(
            " AND EXISTS (SELECT 1 FROM T_ELEMENT_AVAIL TEA WHERE TEA.ELEMENTTYPEDBID = TET.DBID "
            "AND TEA.ELEMENTTYPEID = TET.ID)");
    return condition;
}

QString T_frmElementType::CountSQL() const {
    return QStringLiteral("SELECT COUNT(TET.ID) FROM T_ELEMENT_TYPE TET WHERE ") + ModeCondition() +
           QLatin1Char(';');
}

QString T_frmElementType::SelectSQL() const {
    return kSelect + QStringLiteral(" WHERE ") + ModeCondition() + QLatin1Char(';');
}

QString T_frmElementType::SelectOneSQL() const {
    return QStringLiteral("SELECT FIRST 1 SKIP 0") + kSelect.mid(6) +
           QStringLiteral(" WHERE TET.DBID = :VAR_DBID AND TET.ID = :VAR_ID AND ") +
           ModeCondition() + QLatin1Char(';');
}

void T_frmElementType::BindContext(TIBQuery& AQuery) {
    switch (FMode) {
    case etsdmOnElementTypeName:
    case etsdmOnMarking:
        AQuery.ParamByName("VAR_FINDSTR").SetAsString(FtmpSQLPatternStr);
        AQuery.ParamByName("VAR_ESCAPESYMBOL").SetAsString(kEscapeSymbol);
        break;
    case etsdmOnMaker:
        AQuery.ParamByName("VAR_MAKERDBID").SetAsInt64(FMakerDBId);
        AQuery.ParamByName("VAR_MAKERID").SetAsInt64(FMakerId);
        break;
    case etsdmOnSupplier:
        AQuery.ParamByName("VAR_SUPPLIERID").SetAsInt64(FSupplierId);
        break;
    case etsdmOnClass:
    case etsdmOnClassWithBaseParam:
    case etsdmOnParamSearch: {
        const TKVDBKey classKey = ParamClassKey();
        AQuery.ParamByName("VAR_CLASSDBID").SetAsInt64(classKey.DBId);
        AQuery.ParamByName("VAR_CLASSID").SetAsInt64(classKey.Id);
        break;
    }
    }
}

void T_frmElementType::LoadContext(TIBQuery& AQuery) {
    switch (FMode) {
    case etsdmOnClass:
    case etsdmOnClassWithBaseParam:
        AQuery.SetSQL(QStringLiteral("SELECT FIRST 1 SKIP 0 S_NAME, ICONID FROM T_CLASS WHERE "
                                     "DBID = :VAR_CLASSDBID AND ID = :VAR_CLASSID;"));
        BindContext(AQuery);
        AQuery.Open();
        if (AQuery.Eof())
            ShowObjectNotFound(FClassDBId, FClassId);
        else
            List()->SetClassData(FClassDBId, FClassId, AQuery.FieldByName("S_NAME").AsString(), -1);
        break;
    case etsdmOnMaker:
        AQuery.SetSQL(QStringLiteral("SELECT FIRST 1 SKIP 0 S_NAME FROM T_MAKER WHERE DBID = "
                                     ":VAR_MAKERDBID AND ID = :VAR_MAKERID;"));
        BindContext(AQuery);
        AQuery.Open();
        if (AQuery.Eof())
            ShowObjectNotFound(FMakerDBId, FMakerId);
        else
            List()->SetMakerName(FMakerDBId, FMakerId, AQuery.FieldByName("S_NAME").AsString());
        break;
    case etsdmOnSupplier:
        AQuery.SetSQL(QStringLiteral(
            "SELECT FIRST 1 SKIP 0 S_NAME FROM T_SUPPLIER WHERE ID = :VAR_SUPPLIERID;"));
        BindContext(AQuery);
        AQuery.Open();
        if (AQuery.Eof())
            ShowObjectNotFound(0, FSupplierId, false);
        else
            List()->SetSupplierName(AQuery.FieldByName("S_NAME").AsString());
        break;
    default:
        break;
    }
    AQuery.Close();
}

// -------------------------------------------------------------- parameter values

void T_frmElementType::LoadRecordDetails() {
    if (!HasParamColumns() || !Connected())
        return;
    const TKVDBKey classKey = ParamClassKey();
    TIBQuery& query = Query();
    dmMain->ExecuteInTransaction([&] {
        KVElementTypeParams::LoadBaseParams(
            query, classKey.DBId, classKey.Id,
            FMode == etsdmOnParamSearch ? &FParamSearchList : nullptr, FBPList);
    });
    if (FBPList.Empty() || RecordCount() == 0)
        return;
    dmMain->ExecuteInTransaction([&] {
        const int count =
            KVElementTypeParams::CountParamValues(query, classKey.DBId, classKey.Id, AvailOnly());
        if (frmMain)
            frmMain->InitProgress(0, count, 0, witLoading);
        int read = 0;
        KVElementTypeParams::LoadParamValues(query, classKey.DBId, classKey.Id, AvailOnly(),
                                             *List(), [&] {
                                                 if (++read % 100 == 0 && frmMain)
                                                     frmMain->ChangeProgress(read);
                                             });
    });
    if (FMode == etsdmOnParamSearch && !FParamSearchList.Empty()) {
        if (frmMain)
            frmMain->InitProgress(0, RecordCount(), 0, witCreating);
        int done = 0;
        List()->ForEachRow([&](TKVElementType& AType) {
            AType.ApplyParamSearch(FParamSearchList);
            if (++done % 100 == 0 && frmMain)
                frmMain->ChangeProgress(done);
        });
    }
}

void T_frmElementType::ReadRecordDetails(TIBQuery& AQuery, const TKVDBKey& AKey) {
    if (!HasParamColumns() || FBPList.Empty())
        return;
    TKVElementType* type = List()->GetItemByPKey(AKey.DBId, AKey.Id);
    if (!type)
        return;
    const TKVDBKey classKey = ParamClassKey();
    KVElementTypeParams::LoadParamValuesOfType(AQuery, classKey.DBId, classKey.Id, AvailOnly(),
                                               *type);
    if (FMode == etsdmOnParamSearch && !FParamSearchList.Empty())
        type->ApplyParamSearch(FParamSearchList);
}

void T_frmElementType::BuildDataColumns() {
    if (!HasParamColumns())
        return;
    std::vector<TKVListColumn> columns = Book().Columns;
    const QFontMetrics metrics = ListView()->fontMetrics();
    FBPList.VisitRows([&](const TKVBaseParam& ABaseParam) {
        const QString caption = KVElementTypeParams::ColumnCaption(ABaseParam);
        columns.push_back({caption, metrics.horizontalAdvance(caption) + 10, lckFloat});
    });
    SetColumns(std::move(columns));
}

// ---------------------------------------------------------------------------- rows

void T_frmElementType::CompleteRecord(TKVElementType& ARecord) const {
    // The list keeps the first line of the description.
    ARecord.UpdateData(ARecord.TypeName(), ARecord.Marking(), FirstLineStr(ARecord.Description()),
                       ARecord.DataSheet(), ARecord.CreateDateTime(), ARecord.UpdateDateTime(),
                       ARecord.ReplDateTime(), ARecord.ElementTypeIconId(), ARecord.PinExists());
}

TKVListRow T_frmElementType::MakeRow(const TKVElementType& ARecord) const {
    TKVListRow row{ARecord.PKey(),
                   {ARecord.TypeName(), ARecord.Marking(), ARecord.Description(),
                    ARecord.CaseName(), ARecord.MakerName()},
                   std::nullopt};
    row.ImageIndex = ARecord.ElementTypeIconId();
    if (HasParamColumns())
        FBPList.VisitRows([&](const TKVBaseParam& ABaseParam) {
            row.Texts << KVElementTypeParams::CellText(ABaseParam, ARecord);
        });
    return row;
}

bool T_frmElementType::RecordMatchesText(const TKVElementType& ARecord) const {
    return MatchesFilter(ARecord.TypeName());
}

bool T_frmElementType::RecordHidden(const TKVElementType& ARecord) const {
    return !ARecord.Showing();
}

T_frmElementType::TLayoutKey T_frmElementType::LayoutContextKey() const {
    TLayoutKey key;
    switch (FMode) {
    case etsdmOnClassWithBaseParam:
        return TKVDBKey{FClassDBId, FClassId};
    case etsdmOnMaker:
        return TKVDBKey{FMakerDBId, FMakerId};
    case etsdmOnSupplier:
        key.Id = FSupplierId;
        return key;
    default:
        return key;
    }
}

QString T_frmElementType::ExportDataSetName() const {
    return FMode == etsdmOnClass || FMode == etsdmOnClassWithBaseParam ? ETClassName() : QString();
}

// --------------------------------------------------------------------------- commands

bool T_frmElementType::CardAvailable() const {
    return TKVOpener<TOpenElementTypeCard>::Registered();
}

void T_frmElementType::OpenCard(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) {
    // A new type starts in the list's class or with the list's maker.
    const bool byClass = AId == 0 && (FMode == etsdmOnClass || FMode == etsdmOnClassWithBaseParam);
    const bool byMaker = AId == 0 && FMode == etsdmOnMaker;
    TKVOpener<TOpenElementTypeCard>::Open(ADBId, AId, ACreateCopyFlag, byClass ? FClassDBId : 0u,
                                          byClass ? FClassId : 0u, byMaker ? FMakerDBId : 0u,
                                          byMaker ? FMakerId : 0u);
}

const TKVElementType* T_frmElementType::SelectedRecord() const {
    const TKVSelectedItemDBData& selected = SelectedItemDBData();
    return selected.Select ? Peek({selected.DBId, selected.Id}) : nullptr;
}

template <class TTag> void T_frmElementType::OpenForSelected() {
    const TKVSelectedItemDBData& selected = SelectedItemDBData();
    if (ActionState() && selected.Select && Connected())
        TKVOpener<TTag>::Open(selected.DBId, selected.Id);
}

void T_frmElementType::OpenReferenceBook_Params() {
    OpenForSelected<TOpenParamsOfElementType>();
}
void T_frmElementType::OpenReferenceBook_PinsAssign() {
    OpenForSelected<TOpenPinsOfElementType>();
}
void T_frmElementType::OpenReferenceBook_ElementSupplier() {
    OpenForSelected<TOpenPricesOfElementType>();
}
void T_frmElementType::OpenReferenceBook_ElementAvail() {
    OpenForSelected<TOpenStockOfElementType>();
}
void T_frmElementType::OpenReferenceBook_ElementAnalog() {
    OpenForSelected<TOpenAnalogsOfElementType>();
}
void T_frmElementType::OpenReferenceBook_ElementTypeSummary() {
    OpenForSelected<TOpenElementTypeSummary>();
}
void T_frmElementType::OpenCaseVisual() {
    const TKVElementType* type = SelectedRecord();
    if (type && type->GetPttVisualAndPinExists())
        OpenForSelected<TOpenCaseDrawingOfElementType>();
}

void T_frmElementType::SearchInWeb() {
    const TKVSelectedItemDBData& selected = SelectedItemDBData();
    if (selected.Select)
        SearchNameInWeb(selected.Name);
}

void T_frmElementType::AddToFavorite() {
    const TKVSelectedItemDBData& selected = SelectedItemDBData();
    if (selected.Select)
        AddRecordToFavorites(itElementType, selected.DBId, selected.Id);
}

void T_frmElementType::AddExtraCommands(QMenu* AMenu) {
    ToolBar()->addSeparator()->setObjectName(QStringLiteral("Div0_Tools"));
    const auto registered = [](auto ATag) {
        return [] { return TKVOpener<decltype(ATag)>::Registered(); };
    };
    AddRecordCommand(AMenu, {"pmiParams", tr("&Параметры"), 14, QKeySequence(Qt::CTRL | Qt::Key_P),
                             [this] { OpenReferenceBook_Params(); }, "Params_ToolButton",
                             tr("Параметры"), tr("Параметры типа элемента"), false,
                             registered(TOpenParamsOfElementType{})});
    AddRecordCommand(AMenu,
                     {"pmiPins", tr("&Назначение выводов"), 8, QKeySequence(Qt::CTRL | Qt::Key_I),
                      [this] { OpenReferenceBook_PinsAssign(); }, "Pins_ToolButton", tr("Выводы"),
                      tr("Выводы типа элемента"), false, registered(TOpenPinsOfElementType{})});
    AddRecordCommand(AMenu, {"pmiElementSuppliers", tr("Пра&йс"), 82,
                             QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_P),
                             [this] { OpenReferenceBook_ElementSupplier(); },
                             "ElementSuppliers_ToolButton", tr("Прайс"),
                             tr("Поставщики и цены по типу элемента"), false,
                             registered(TOpenPricesOfElementType{})});
    AddRecordCommand(
        AMenu, {"pmiElementAvail", tr("Н&аличие элементов по типу"), 17,
                QKeySequence(Qt::CTRL | Qt::Key_A), [this] { OpenReferenceBook_ElementAvail(); },
                "ElementAvail_ToolButton", tr("Наличие"), tr("Наличие элементов по типу"), false,
                registered(TOpenStockOfElementType{})});
    AddRecordCommand(AMenu, {"pmiElementAnalog", tr("Ана&логи элемента"), 30, QKeySequence(),
                             [this] { OpenReferenceBook_ElementAnalog(); },
                             "ElementAnalog_ToolButton", tr("Аналоги"), tr("Аналоги элемента"),
                             false, registered(TOpenAnalogsOfElementType{})});
    AddRecordCommand(AMenu, {"pmiElementTypeSummary", tr("Сводная информация по типу элемента"), 35,
                             QKeySequence(Qt::CTRL | Qt::Key_D),
                             [this] { OpenReferenceBook_ElementTypeSummary(); }, nullptr, QString(),
                             QString(), false, registered(TOpenElementTypeSummary{})});
    AddRecordCommand(AMenu, {"pmiPttVisualView", tr("Прос&мотр визуализации"), 88,
                             QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_V),
                             [this] { OpenCaseVisual(); }, nullptr, QString(), QString(), false,
                             [this] {
                                 const TKVElementType* type = SelectedRecord();
                                 return TKVOpener<TOpenCaseDrawingOfElementType>::Registered() &&
                                        type && type->GetPttVisualAndPinExists();
                             }});
    AMenu->addSeparator()->setObjectName(QStringLiteral("pmidivWeb"));
    AddRecordCommand(AMenu, {"pmiSearchInWeb", tr("По&иск по названию в Сети..."), 47,
                             QKeySequence(Qt::CTRL | Qt::Key_W), [this] { SearchInWeb(); }});
    AddRecordCommand(AMenu, {"pmiAddToFavorite", tr("Добавить в избранное"), 45, QKeySequence(),
                             [this] { AddToFavorite(); }, nullptr, QString(), QString(), true});

    AMenu->addSeparator()->setObjectName(QStringLiteral("pmidivAddFunct"));
    QMenu* functions = AddFunctionsMenu(AMenu);
    AddRecordCommand(functions, {"pmiAddFunct_ParamRebinding",
                                 tr("Привязать параметры типа элемента к базовым"), -1,
                                 QKeySequence(), [this] { pmiAddFunct_ParamRebindingClick(); }});
    QAction* all = functions->addAction(tr("Привязать параметры к базовым (все элементы)"));
    all->setObjectName(QStringLiteral("pmiAddFunct_ParamRebindingAllItem"));
    connect(all, &QAction::triggered, this,
            &T_frmElementType::pmiAddFunct_ParamRebindingAllItemClick);
}

// ------------------------------------------------------------- binding parameter values

int T_frmElementType::ParamRebinding(quint32 AElementTypeDBId, quint32 AElementTypeId) {
    if (RecordCount() == 0 || !Connected() || !Writable())
        return 0;
    // Only the class modes have a class whose base parameters the values could match.
    const bool byClass = FMode == etsdmOnClass || FMode == etsdmOnClassWithBaseParam;
    const TKVDBKey classKey = byClass ? TKVDBKey{FClassDBId, FClassId} : TKVDBKey{};
    TIBQuery& query = Query();
    int bound = 0;
    const bool ok = dmMain->ExecuteInTransaction([&] {
        TKVParamRebinding rebinding(query, TKVParamRebinding::PermissionFromOptions());
        if (AElementTypeId != 0) {
            bound = rebinding.Bind(classKey, {AElementTypeDBId, AElementTypeId});
            return;
        }
        if (frmMain) {
            frmMain->ShowProgress();
            frmMain->InitProgress(0, RecordCount(), 0, witCreating);
        }
        int done = 0;
        List()->VisitRows([&](const TKVElementType& AType) {
            bound += rebinding.Bind(classKey, {AType.DBId(), AType.Id()});
            if (++done % 100 == 0 && frmMain)
                frmMain->ChangeProgress(done);
        });
    });
    if (AElementTypeId == 0 && frmMain)
        frmMain->HideProgress();
    // A run that was rolled back bound nothing.
    return ok ? bound : 0;
}

void T_frmElementType::ReportRebinding(int ACount) {
    if (ACount <= 0)
        ShowMessageDlg(tr("Записи не были обновлены"), mdkWarning, mdbOK);
    else
        ShowMessageDlg(tr("Обновлено записей: %1").arg(ACount), mdkInformation, mdbOK);
}

void T_frmElementType::pmiAddFunct_ParamRebindingClick() {
    const TKVSelectedItemDBData& selected = SelectedItemDBData();
    if (selected.Select)
        ReportRebinding(ParamRebinding(selected.DBId, selected.Id));
}

void T_frmElementType::pmiAddFunct_ParamRebindingAllItemClick() {
    ReportRebinding(ParamRebinding(0, 0));
}

// ------------------------------------------------------- the description of a column

void T_frmElementType::ShowBaseParamInfo(int AColumn, const QPoint& AGlobalPos) {
    const int fixed = static_cast<int>(Book().Columns.size());
    if (!ActionState() || !HasParamColumns() || FBPList.Empty() || AColumn < fixed)
        return;
    const TKVBaseParam* baseParam = nullptr;
    int index = 0;
    FBPList.VisitRows([&](const TKVBaseParam& ABaseParam) {
        if (index++ == AColumn - fixed)
            baseParam = &ABaseParam;
    });
    if (!baseParam)
        return;
    FBPPIName = KVElementTypeParams::ColumnCaption(*baseParam);
    FBPPIDescription = baseParam->Description();
    FBPPIParamValTypeText = SelectValueTypeToStr(baseParam->SelectValueType());
    FBPPIParamSearch.clear();
    if (baseParam->SBP())
        FParamSearchList.ForEachCriterion([&](const TKVParamSearchData& ACriterion) {
            if (FBPPIParamSearch.isEmpty() && ACriterion.BaseParamDBId == baseParam->DBId() &&
                ACriterion.BaseParamId == baseParam->Id())
                FBPPIParamSearch = KVElementTypeParams::CriterionText(ACriterion);
        });

    // The name in bold, the description, the value type in grey, the criterion in red; the
    // lines up to the last one that has text.
    const QPalette palette = FBPInfoLabel->palette();
    QStringList lines = {QStringLiteral("<b>%1</b>").arg(FBPPIName.toHtmlEscaped()),
                         FBPPIDescription.toHtmlEscaped(),
                         QStringLiteral("<span style=\"color:%1\">%2</span>")
                             .arg(palette.color(QPalette::Disabled, QPalette::Text).name(),
                                  FBPPIParamValTypeText.toHtmlEscaped()),
                         QStringLiteral("<span style=\"color:red\">%1</span>")
                             .arg(FBPPIParamSearch.toHtmlEscaped())};
    if (FBPPIParamSearch.isEmpty())
        lines.removeLast();
    FBPInfoLabel->setText(lines.join(QStringLiteral("<br>")));
    FBPInfoMenu->popup(AGlobalPos + QPoint(0, 18));
}
