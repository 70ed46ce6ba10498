#include "stock/_frmProjectItem.h"

#include "core/KVUserInterface.h"
#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "shell/uMessage.h"
#include "stock/frmProjectItemEdit.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QToolButton>
#include <QTreeView>

namespace {

const QString kItemSelect = QStringLiteral(
    "SELECT TPI.ID, TPI.PROJECTID, TPI.ELEMENTTYPEDBID, TPI.ELEMENTTYPEID, TPI.ELEMENTAVAILID, "
    "TPI.V_COUNT_FLOAT, TPI.S_TEXT, TC.ICONID AS ELEMENTTYPEICONID, TET.S_TYPENAME AS "
    "TET_ELEMENTTYPENAME, TCS.S_TYPENAME AS CASETYPENAME, TEA.S_TYPENAME AS TEA_ELEMENTTYPENAME, "
    "TEA.V_COUNT_FLOAT AS COUNTAVAIL, TEA.UNITCOUNTDBID, TEA.UNITCOUNTID, TEA.V_NOMINAL AS "
    "NOMINAL, TEA.UNITNOMDBID, TEA.UNITNOMID, TU0.S_PREFIX AS UNITCOUNTPREFIX, TU1.S_PREFIX AS "
    "UNITNOMPREFIX, TPI.C_TIMESTAMP, TPI.U_TIMESTAMP FROM T_PROJECT_ITEM TPI LEFT JOIN "
    "T_ELEMENT_TYPE TET ON TET.DBID = TPI.ELEMENTTYPEDBID AND TET.ID = TPI.ELEMENTTYPEID LEFT "
    "JOIN T_CLASS TC ON TC.DBID = TET.CLASSDBID AND TC.ID = TET.CLASSID LEFT JOIN T_CASE TCS ON "
    "TCS.DBID = TET.CASEDBID AND TCS.ID = TET.CASEID LEFT JOIN T_ELEMENT_AVAIL TEA ON TEA.ID = "
    "TPI.ELEMENTAVAILID LEFT JOIN T_UNIT TU0 ON TU0.DBID = TEA.UNITCOUNTDBID AND TU0.ID = "
    "TEA.UNITCOUNTID LEFT JOIN T_UNIT TU1 ON TU1.DBID = TEA.UNITNOMDBID AND TU1.ID = "
    "TEA.UNITNOMID");

TKVListBook ProjectItemBook() {
    TKVListBook book;
    book.Name = QStringLiteral("ProjectItem");
    book.KeyHasDBId = false;
    book.ItemType = itProjectItem;
    book.Columns = {{T_frmProjectItem::tr("Наименование"), 160, lckText},
                    {T_frmProjectItem::tr("Корпус"), 120, lckText},
                    {T_frmProjectItem::tr("Треб. кол."), 100, lckFloat},
                    {T_frmProjectItem::tr("Наличие"), 100, lckFloat},
                    {T_frmProjectItem::tr("Ед. изм. кол."), 100, lckText},
                    {T_frmProjectItem::tr("Номинал"), 100, lckFloat},
                    {T_frmProjectItem::tr("Ед. изм. номинала"), 100, lckText},
                    {T_frmProjectItem::tr("Примечание"), 200, lckText}};
    book.CopyNameColumn = -1;
    book.CountSQL =
        QStringLiteral("SELECT COUNT(ID) FROM T_PROJECT_ITEM WHERE PROJECTID = :VAR_PROJECTID;");
    book.SelectSQL = kItemSelect + QStringLiteral(" WHERE TPI.PROJECTID = :VAR_PROJECTID;");
    book.DeleteSQL = QStringLiteral("DELETE FROM T_PROJECT_ITEM WHERE ID = :VAR_ID;");
    book.DeleteFailedText = T_frmProjectItem::tr("Запись не была удалена");
    book.ManageObjType = otProjectItemList;
    book.SelectObjType = otProjectItemList;
    book.DefaultWidth = 500;
    book.DefaultHeight = 180;
    book.HelpTopic = QStringLiteral("RBProjectItem");
    return book;
}

void ReportProjectMissing(quint32 AProjectId) {
    ShowObjectNotFound(0, AProjectId, false);
}

} // namespace

T_frmProjectItem::T_frmProjectItem(QWidget* AParent)
    : TKVBookListFrame<TKVProjectItemList>(ProjectItemBook(), AParent) {
    setObjectName(QStringLiteral("_frmProjectItem1"));
    if (dmMain)
        Model()->SetImageList(&dmMain->ElementClassImgList);
    // After the frame's own handler, which enables Copy for any selection.
    connect(ListView()->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &T_frmProjectItem::UpdateAddCopyCommands);
}

void T_frmProjectItem::Init(quint32 AProjectId) {
    FProjectId = AProjectId;
    TKVListFrame::Init(true);
    UpdateAddCopyCommands();
}

std::unique_ptr<TKVProjectItemList> T_frmProjectItem::NewList() const {
    return std::make_unique<TKVProjectItemList>(FProjectId);
}

QString T_frmProjectItem::ProjectName() const {
    return List() ? QString(List()->ProjectName()) : QString();
}

bool T_frmProjectItem::ProjectInProgress() const {
    return List() && List()->ProjectInProgress();
}

void T_frmProjectItem::LoadContext(TIBQuery& AQuery) {
    AQuery.SetSQL(QStringLiteral(
        "SELECT FIRST 1 SKIP 0 S_NAME, F_PROGRESS FROM T_PROJECT WHERE ID = :VAR_ID;"));
    AQuery.ParamByName("VAR_ID").SetAsInt64(FProjectId);
    AQuery.Open();
    if (AQuery.Eof()) {
        ReportProjectMissing(FProjectId);
    } else {
        List()->SetProjectName(AQuery.FieldByName("S_NAME").AsString());
        List()->SetProjectInProgress(!AQuery.FieldByName("F_PROGRESS").IsNull());
    }
    AQuery.Close();
}

bool T_frmProjectItem::LoadProjectStatus() {
    if (!Connected() || !List())
        return false;
    bool found = false;
    TIBQuery& query = Query();
    const bool ok = dmMain->ExecuteInTransaction([&] {
        query.Close();
        query.SetSQL(
            QStringLiteral("SELECT FIRST 1 SKIP 0 F_PROGRESS FROM T_PROJECT WHERE ID = :VAR_ID;"));
        query.ParamByName("VAR_ID").SetAsInt64(FProjectId);
        query.Open();
        found = !query.Eof();
        if (found)
            List()->SetProjectInProgress(!query.FieldByName("F_PROGRESS").IsNull());
        query.Close();
    });
    if (ok && !found)
        ReportProjectMissing(FProjectId);
    return ok && found;
}

QString T_frmProjectItem::SelectOneSQL() const {
    // The item is read again only as an item of this list's project.
    return kItemSelect +
           QStringLiteral(" WHERE TPI.ID = :VAR_ID AND TPI.PROJECTID = :VAR_PROJECTID;");
}

void T_frmProjectItem::BindContext(TIBQuery& AQuery) {
    AQuery.ParamByName("VAR_PROJECTID").SetAsInt64(FProjectId);
}

TKVListRow T_frmProjectItem::MakeRow(const TKVProjectItem& ARecord) const {
    const bool avail = ARecord.UsageAvail();
    const bool nominal = avail && ARecord.UsageNominal();
    TKVListRow row{{0, ARecord.Id()},
                   {ARecord.ElementTypeName(), ARecord.CaseTypeName(),
                    FloatToStrKV(ARecord.Count()),
                    avail ? FloatToStrKV(ARecord.CountAvail()) : QString(),
                    avail ? QString(ARecord.UnitCountPrefix()) : QString(),
                    nominal ? FloatToStrKV(ARecord.Nominal()) : QString(),
                    nominal ? QString(ARecord.UnitNominalPrefix()) : QString(), ARecord.Text()},
                   std::nullopt};
    row.ImageIndex = ARecord.ElementTypeIconId();
    return row;
}

bool T_frmProjectItem::RecordMatchesText(const TKVProjectItem& ARecord) const {
    return MatchesFilter(ARecord.ElementTypeName());
}

T_frmProjectItem::TLayoutKey T_frmProjectItem::LayoutContextKey() const {
    TLayoutKey key;
    key.Id = FProjectId;
    return key;
}

bool T_frmProjectItem::BoundToRecord(TKVItemType AItemType, quint32, quint32 AId) const {
    return AItemType == itProject && AId != 0 && AId == FProjectId;
}

void T_frmProjectItem::FillListView() {
    TKVBookListFrame::FillListView();
    UpdateAddCopyCommands();
}

void T_frmProjectItem::UpdateAddCopyCommands() {
    if (!List())
        return;
    const bool inWork = ProjectInProgress();
    const bool writable = Writable();
    const bool selected = SelectedItemDBData().Select;
    ToolButton(QStringLiteral("Add_ToolButton"))->setEnabled(writable && inWork);
    MenuItem(QStringLiteral("pmiAdd"))->setEnabled(writable && inWork);
    ToolButton(QStringLiteral("Copy_ToolButton"))->setEnabled(writable && inWork && selected);
    MenuItem(QStringLiteral("pmiCopy"))->setEnabled(writable && inWork && selected);
}

void T_frmProjectItem::OpenCard(quint32, quint32 AId, bool ACreateCopyFlag) {
    if (AId != 0 && !ACreateCopyFlag) {
        OpenCardProjectItem(AId, false, FProjectId);
        return;
    }
    // A new item or a copy: only while the project is in work, as the database says now.
    LoadProjectStatus();
    if (!ProjectInProgress()) {
        ShowMessageDlg(tr("Внесение изменений в архивный проект невозможно."), mdkError, mdbOK);
        return;
    }
    OpenCardProjectItem(AId, ACreateCopyFlag, FProjectId);
}

QString T_frmProjectItem::ExportDataSetName() const {
    return ProjectName() + QStringLiteral(" - ") + tr("Состав проекта");
}
