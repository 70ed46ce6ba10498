#include "stock/_frmProject.h"

#include "core/udmMain.h"
#include "platform/sys/SysUtils.h"
#include "refbooks/KVOpenSite.h"
#include "shell/KVOpeners.h"
#include "stock/frmProjectEdit.h"
#include "stock/frmProjectItem.h"

#include <QLocale>
#include <QMenu>

namespace {

const QString kFields = QStringLiteral(
    "ID, S_NAME, S_DESCRIPTION, V_COUNTDEV_SCHEDULED, V_COUNTDEV_COMPLETE, S_CATEGORY, D_BEGIN, "
    "D_END, ICONID, C_TIMESTAMP, U_TIMESTAMP");

TKVListBook ProjectBook() {
    TKVListBook book;
    book.Name = QStringLiteral("Project");
    book.KeyHasDBId = false;
    book.ItemType = itProject;
    book.Columns = {{T_frmProject::tr("Название"), 160, lckText},
                    {T_frmProject::tr("Описание"), 200, lckText},
                    {T_frmProject::tr("План"), 100, lckText},
                    {T_frmProject::tr("Категория"), 160, lckText},
                    {T_frmProject::tr("Дата начала"), 80, lckDate},
                    {T_frmProject::tr("Дата заверш."), 80, lckDate}};
    book.CopyNameColumn = -1;
    book.DeleteSQL = QStringLiteral("DELETE FROM T_PROJECT WHERE ID = :VAR_ID;");
    book.DeleteProbes = {QStringLiteral("SELECT 1 FROM rdb$database WHERE EXISTS (SELECT ID FROM "
                                        "T_PROJECT_ITEM WHERE PROJECTID = :VAR_ID);")};
    book.ManageObjType = otProjectList;
    book.SelectObjType = otProjectSelect;
    book.DefaultWidth = 500;
    book.DefaultHeight = 180;
    book.HelpTopic = QStringLiteral("RBProject");
    return book;
}

QString DateText(TDateTime AValue) {
    return QLocale().toString(QDateTimeFromDateTime(AValue).date(), QLocale::ShortFormat);
}

} // namespace

T_frmProject::T_frmProject(QWidget* AParent)
    : TKVBookListFrame<TKVProjectList>(ProjectBook(), AParent) {
    setObjectName(QStringLiteral("_frmProject1"));
    if (dmMain)
        Model()->SetImageList(&dmMain->ProjectImgList);
    SetDataViews({{odmtProject, [this] { OpenItem(); }},
                  {odmtProjectItems, [this] { OpenReferenceBook_ProjectItems(); }}});
}

void T_frmProject::Init(bool AActionState, TKVProjectListSelectDataMode AListSelectDataMode) {
    FMode = AListSelectDataMode;
    TKVListFrame::Init(AActionState);
}

std::unique_ptr<TKVProjectList> T_frmProject::NewList() const {
    return std::make_unique<TKVProjectList>(FMode);
}

QString T_frmProject::ModeCondition() const {
    return FMode == psdmArchive ? QStringLiteral("F_PROGRESS IS NULL")
                                : QStringLiteral("F_PROGRESS IS NOT NULL");
}

QString T_frmProject::CountSQL() const {
    return QStringLiteral("SELECT COUNT(ID) FROM T_PROJECT WHERE ") + ModeCondition() +
           QLatin1Char(';');
}

QString T_frmProject::SelectSQL() const {
    return QStringLiteral("SELECT ") + kFields + QStringLiteral(" FROM T_PROJECT WHERE ") +
           ModeCondition() + QLatin1Char(';');
}

QString T_frmProject::SelectOneSQL() const {
    return QStringLiteral("SELECT FIRST 1 SKIP 0 ") + kFields +
           QStringLiteral(", F_PROGRESS FROM T_PROJECT WHERE ID = :VAR_ID AND ") +
           ModeCondition() + QLatin1Char(';');
}

TKVListRow T_frmProject::MakeRow(const TKVProject& ARecord) const {
    const bool dates = ARecord.DateBegin() > 0 && ARecord.DateEnd() > 0;
    TKVListRow row{{0, ARecord.Id()},
                   {ARecord.Name(), FirstLineStr(ARecord.Description()),
                    QStringLiteral("%1 / %2")
                        .arg(ARecord.CountDeviceComplete())
                        .arg(ARecord.CountDeviceScheduled()),
                    ARecord.Category(), dates ? DateText(ARecord.DateBegin()) : QString(),
                    dates ? DateText(ARecord.DateEnd()) : QString()},
                   std::nullopt};
    row.ImageIndex = ARecord.IconId();
    return row;
}

bool T_frmProject::RecordMatchesText(const TKVProject& ARecord) const {
    return MatchesFilter(ARecord.Name());
}

void T_frmProject::ListViewEnterKey() {
    if (ActionState())
        OpenItem();
}

void T_frmProject::ListViewDblClick() {
    if (ActionState())
        OpenDataModeItem();
}

void T_frmProject::OpenCard(quint32, quint32 AId, bool ACreateCopyFlag) {
    OpenCardProject(AId, ACreateCopyFlag);
}

void T_frmProject::OpenReferenceBook_ProjectItems() {
    const TKVSelectedItemDBData& selected = SelectedItemDBData();
    if (selected.Select && Connected())
        ShowProjectItems(selected.Id);
}

void T_frmProject::ShowImportItems() {
    const TKVSelectedItemDBData& selected = SelectedItemDBData();
    if (selected.Select)
        TKVOpener<TShowImportProjectItemDlg>::Open(selected.Id);
}

void T_frmProject::AddToFavorite() {
    const TKVSelectedItemDBData& selected = SelectedItemDBData();
    if (selected.Select)
        AddRecordToFavorites(itProject, 0, selected.Id);
}

void T_frmProject::AddExtraCommands(QMenu* AMenu) {
    AddRecordCommand(AMenu, {"pmiProjectItems", tr("&Состав"), 20, QKeySequence(),
                             [this] { OpenReferenceBook_ProjectItems(); }, "ProjectItems_ToolButton",
                             tr("Состав"), tr("Состав проекта")});
    AddRecordCommand(AMenu, {"pmiImportItems", tr("И&мпорт состава проекта..."), -1,
                             QKeySequence(), [this] { ShowImportItems(); }, nullptr, QString(),
                             QString(), true,
                             [] { return TKVOpener<TShowImportProjectItemDlg>::Registered(); }});
    AddRecordCommand(AMenu, {"pmiAddToFavorite", tr("Добавить в избранное"), 45, QKeySequence(),
                             [this] { AddToFavorite(); }, nullptr, QString(), QString(), true});
}
