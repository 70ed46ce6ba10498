#include "catalogue/frmParam.h"

#include "catalogue/frmParamEdit.h"
#include "core/KVParamValue.h"
#include "core/KVUserInterface.h"
#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "refbooks/frmBaseParam.h"
#include "shell/KVRecordNotice.h"
#include "shell/ufrmMain.h"

#include <QHeaderView>
#include <QMenu>
#include <QToolButton>
#include <QTreeView>

#include <optional>

namespace {

constexpr quint32 kIcon = 2014;

// The columns of a value, its unit, its base parameter and that one's class.
const QString kSelect = QStringLiteral(
    "SELECT TPR.DBID, TPR.ID, TPR.ELEMENTTYPEDBID, TPR.ELEMENTTYPEID, TPR.BASEPARAMDBID, "
    "TPR.BASEPARAMID, TPR.UNITDBID, TPR.UNITID, TPR.S_NAME, TPR.S_DESCRIPTION, TPR.V_MINVAL, "
    "TPR.V_TYPEVAL, TPR.V_MAXVAL, TPR.S_STRVAL, TPR.V_BOOLVAL, TPR.S_TESTCOND, TPR.UPID, "
    "TPR.V_FLAG, TPR.C_TIMESTAMP, TPR.U_TIMESTAMP, TPR.R_TIMESTAMP, TU.S_PREFIX AS UNITPREFIX, "
    "TBP.S_NAME AS BASEPARAMNAME, TC.DBID AS BASEPARAMCLASSDBID, TC.ID AS BASEPARAMCLASSID, "
    "TC.S_NAME AS BASEPARAMCLASSNAME FROM T_PARAM TPR LEFT JOIN T_BASE_PARAM TBP ON TBP.DBID = "
    "TPR.BASEPARAMDBID AND TBP.ID = TPR.BASEPARAMID LEFT JOIN T_UNIT TU ON TU.DBID = "
    "TPR.UNITDBID AND TU.ID = TPR.UNITID LEFT JOIN T_CLASS TC ON TC.DBID = TBP.CLASSDBID AND "
    "TC.ID = TBP.CLASSID WHERE ");
const QString kOfType =
    QStringLiteral("TPR.ELEMENTTYPEDBID = :VAR_ELEMENTTYPEDBID AND TPR.ELEMENTTYPEID = "
                   ":VAR_ELEMENTTYPEID");

TKVListBook ParamBook() {
    TKVListBook book;
    book.Name = QStringLiteral("Param");
    book.KeyHasDBId = true;
    book.ItemType = itParam;
    book.Columns = {{T_frmParam::tr("Обозначение"), 120, lckText},
                    {T_frmParam::tr("Значение"), 160, lckText},
                    {T_frmParam::tr("Описание"), 160, lckText},
                    {T_frmParam::tr("UPID"), 80, lckText},
                    {T_frmParam::tr("Условия измерения"), 200, lckText},
                    {T_frmParam::tr("Баз. парам."), 120, lckText},
                    {T_frmParam::tr("Класс баз. парам."), 120, lckText}};
    // CopyName: the designation and the value text in brackets.
    book.CopyNameColumn = 1;
    book.CountSQL = QStringLiteral("SELECT COUNT(ID) FROM T_PARAM WHERE ELEMENTTYPEDBID = "
                                   ":VAR_ELEMENTTYPEDBID AND ELEMENTTYPEID = :VAR_ELEMENTTYPEID;");
    book.SelectSQL = kSelect + kOfType + QLatin1Char(';');
    // A change notice reaches the lists of every element type: each reads only its own values.
    book.SelectOneSQL = QStringLiteral("SELECT FIRST 1 SKIP 0") + kSelect.mid(6) +
                        QStringLiteral("TPR.DBID = :VAR_DBID AND TPR.ID = :VAR_ID AND ") + kOfType +
                        QLatin1Char(';');
    book.DeleteSQL = QStringLiteral("DELETE FROM T_PARAM WHERE DBID = :VAR_DBID AND ID = :VAR_ID;");
    book.DeleteFailedText = T_frmParam::tr("Запись не была удалена");
    book.ManageObjType = otParamList;
    book.SelectObjType = otParamList;
    book.StoreColumnWidths = true;
    book.DefaultWidth = 500;
    book.DefaultHeight = 180;
    book.HelpTopic = QStringLiteral("RBParam");
    return book;
}

} // namespace

int ParamImageIndex(quint32 AFlags) {
    const bool noLink = TestBitMask(AFlags, pfNLTBP);
    const bool nominal = TestBitMask(AFlags, pfUN);
    if (noLink && nominal)
        return 2;
    if (nominal)
        return 1;
    return noLink ? 0 : -1;
}

T_frmParam::T_frmParam(QWidget* AParent) : TKVBookListFrame<TKVParamList>(ParamBook(), AParent) {
    setObjectName(QStringLiteral("_frmParam1"));
    if (dmMain)
        Model()->SetImageList(&dmMain->ParamImgList);
}

void T_frmParam::Init(quint32 AElementTypeDBId, quint32 AElementTypeId) {
    FElementTypeDBId = AElementTypeDBId;
    FElementTypeId = AElementTypeId;
    TKVListFrame::Init(true);
    const bool writable = Writable();
    FpmiAddOnBaseParam->setEnabled(writable);
    Fpmi0AddOnBaseParam->setEnabled(writable);
}

QString T_frmParam::ElementTypeName() const {
    return FElementTypeName;
}

std::unique_ptr<TKVParamList> T_frmParam::NewList() const {
    return std::make_unique<TKVParamList>(FElementTypeDBId, FElementTypeId);
}

void T_frmParam::LoadContext(TIBQuery& AQuery) {
    AQuery.SetSQL(QStringLiteral(
        "SELECT FIRST 1 SKIP 0 CLASSDBID, CLASSID, S_TYPENAME FROM T_ELEMENT_TYPE WHERE DBID = "
        ":VAR_ELEMENTTYPEDBID AND ID = :VAR_ELEMENTTYPEID;"));
    BindContext(AQuery);
    AQuery.Open();
    if (AQuery.Eof()) {
        // The list shows whatever values carry the key; its name stays empty.
        ShowObjectNotFound(FElementTypeDBId, FElementTypeId);
    } else {
        FElementTypeName = KVName(AQuery.FieldByName("S_TYPENAME").AsString());
        FElementTypeClassDBId = static_cast<quint32>(AQuery.FieldByName("CLASSDBID").AsInt64());
        FElementTypeClassId = static_cast<quint32>(AQuery.FieldByName("CLASSID").AsInt64());
        if (List())
            List()->SetElementTypeName(FElementTypeName);
    }
    AQuery.Close();
}

void T_frmParam::BindContext(TIBQuery& AQuery) {
    AQuery.ParamByName("VAR_ELEMENTTYPEDBID").SetAsInt64(FElementTypeDBId);
    AQuery.ParamByName("VAR_ELEMENTTYPEID").SetAsInt64(FElementTypeId);
}

TKVListRow T_frmParam::MakeRow(const TKVParam& ARecord) const {
    const QString caption =
        ARecord.UnitPrefix().isEmpty()
            ? QString(ARecord.Name())
            : QStringLiteral("%1 (%2)").arg(ARecord.Name(), ARecord.UnitPrefix());
    const QString value = ParamValueToStr(
        ARecord.TextVal(), ARecord.BoolVal(), ARecord.Flag(), ARecord.MinVal(), ARecord.TypeVal(),
        ARecord.MaxVal(), ARecord.UsageMinVal(), ARecord.UsageTypeVal(), ARecord.UsageMaxVal(),
        ARecord.UsageBoolVal(), ARecord.UnitPrefix(), false, svtDefault);
    TKVListRow row{ARecord.PKey(),
                   {caption, value, ARecord.Description(), ARecord.UPId(), ARecord.TestCond(),
                    ARecord.BaseParamName(), ARecord.BaseParamClassName()},
                   std::nullopt};
    row.ImageIndex = ParamImageIndex(ARecord.Flag());
    return row;
}

bool T_frmParam::RecordMatchesText(const TKVParam& ARecord) const {
    return MatchesFilter(ARecord.Name()) || MatchesFilter(ARecord.Description());
}

void T_frmParam::FillListView() {
    const int sorted = SortedType();
    SetSortedType(0);
    TKVListFrame::FillListView();
    // The next header click goes on from the order last chosen.
    SetSortedType(sorted);
    ListView()->header()->setSortIndicatorShown(false);
}

bool T_frmParam::BoundToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const {
    return AItemType == itElementType && ADBId == FElementTypeDBId && AId == FElementTypeId;
}

void T_frmParam::OpenCard(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) {
    OpenCardParam(ADBId, AId, ACreateCopyFlag, FElementTypeDBId, FElementTypeId, 0, 0);
}

void T_frmParam::NewItemOnBaseParam() {
    if (!ActionState() || !Connected() || !Writable())
        return;
    TKVSelectedItemDBData selected;
    SelectBaseParam(FElementTypeClassDBId, FElementTypeClassId, 0, 0, selected);
    if (selected.Select)
        OpenCardParam(0, 0, false, FElementTypeDBId, FElementTypeId, selected.DBId, selected.Id);
}

void T_frmParam::AddExtraCommands(QMenu* AMenu) {
    const QString caption = tr("&Добавить на основе базового параметра...");
    FpmiAddOnBaseParam = new QAction(caption, AMenu);
    FpmiAddOnBaseParam->setObjectName(QStringLiteral("pmiAddOnBaseParam"));
    connect(FpmiAddOnBaseParam, &QAction::triggered, this, &T_frmParam::NewItemOnBaseParam);
    // Right after "&Добавить".
    AMenu->insertAction(MenuItem(QStringLiteral("pmiCopy")), FpmiAddOnBaseParam);

    FAddMenu = new QMenu(this);
    FAddMenu->setObjectName(QStringLiteral("ParamAdd_PopupMenu"));
    Fpmi0AddOnBaseParam = FAddMenu->addAction(caption);
    Fpmi0AddOnBaseParam->setObjectName(QStringLiteral("pmi0AddOnBaseParam"));
    connect(Fpmi0AddOnBaseParam, &QAction::triggered, this, &T_frmParam::NewItemOnBaseParam);
    if (QToolButton* add = ToolButton(QStringLiteral("Add_ToolButton"))) {
        add->setMenu(FAddMenu);
        add->setPopupMode(QToolButton::MenuButtonPopup);
    }
}

void T_frmParam::RecordDeleted(const TKVDBKey&) {
    // The element-type lists show the type's values.
    NotifyRecordChanged(itElementType, FElementTypeDBId, FElementTypeId, iatChange);
}

QString T_frmParam::ExportDataSetName() const {
    return FElementTypeName + QStringLiteral(" - ") + tr("Параметры");
}

// ------------------------------------------------------------------------------- window

TfrmParam::TfrmParam(QWidget* AParent) : TKVBookHost({QSize(492, 153), QSize(300, 180)}, AParent) {}

TfrmParam* OpenRBParam(quint32 AElementTypeDBId, quint32 AElementTypeId) {
    return OpenListHost<TfrmParam>(
        kIcon, [&](T_frmParam& AFrame) { AFrame.Init(AElementTypeDBId, AElementTypeId); },
        [](T_frmParam& AFrame) {
            return QStringLiteral("%1 - %2").arg(AFrame.ElementTypeName(),
                                                 TfrmParam::tr("Параметры"));
        });
}

void ShowParamsOfElementType(quint32 AElementTypeDBId, quint32 AElementTypeId) {
    if (frmMain && frmMain->BringToFrontMDIChildren<TfrmParam>([&](const TfrmParam& AHost) {
            return AHost.ElementTypeDBId() == AElementTypeDBId &&
                   AHost.ElementTypeId() == AElementTypeId;
        }))
        return;
    OpenRBParam(AElementTypeDBId, AElementTypeId);
}
