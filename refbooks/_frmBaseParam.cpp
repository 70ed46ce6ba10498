#include "refbooks/_frmBaseParam.h"

#include "core/KVUserInterface.h"
#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "refbooks/frmBaseParamEdit.h"
#include "shell/uMessage.h"
#include "shell/ufrmMain.h"

#include <QAction>
#include <QMenu>

namespace {

// Columns of the load and of the one-row SELECT.
const QString kFields = QStringLiteral(
    "TBP.DBID, TBP.ID, TBP.UNITDBID, TBP.UNITID, TBP.S_NAME, TBP.S_DESCRIPTION, "
    "TBP.V_SELVALTYPE, TBP.UPID, TBP.C_TIMESTAMP, TBP.U_TIMESTAMP, TBP.R_TIMESTAMP, "
    "TU.S_PREFIX AS UNITPREFIX, TU.S_NAMEDEF AS UNITNAMEDEF FROM T_BASE_PARAM TBP LEFT JOIN "
    "T_UNIT TU ON TU.DBID = TBP.UNITDBID AND TU.ID = TBP.UNITID");

TKVListBook BaseParamBook() {
    TKVListBook book;
    book.Name = QStringLiteral("BaseParam");
    book.KeyHasDBId = true;
    book.ItemType = itBaseParam;
    book.Columns = {{T_frmBaseParam::tr("Обозначение"), 160, lckText},
                    {T_frmBaseParam::tr("Описание"), 160, lckText},
                    {T_frmBaseParam::tr("Отбор значения"), 100, lckText},
                    {T_frmBaseParam::tr("UPID"), 80, lckText}};
    book.CopyNameColumn = 1; // the description
    book.CountSQL = QStringLiteral("SELECT COUNT(ID) FROM T_BASE_PARAM WHERE CLASSDBID = "
                                   ":VAR_CLASSDBID AND CLASSID = :VAR_CLASSID;");
    book.SelectSQL =
        QStringLiteral("SELECT ") + kFields +
        QStringLiteral(" WHERE TBP.CLASSDBID = :VAR_CLASSDBID AND TBP.CLASSID = :VAR_CLASSID;");
    book.SelectOneSQL =
        QStringLiteral("SELECT FIRST 1 SKIP 0  ") + kFields +
        QStringLiteral(" WHERE TBP.DBID = :VAR_DBID AND TBP.ID = :VAR_ID AND TBP.CLASSDBID = "
                       ":VAR_CLASSDBID AND TBP.CLASSID = :VAR_CLASSID;");
    book.DeleteSQL =
        QStringLiteral("DELETE FROM T_BASE_PARAM WHERE DBID = :VAR_DBID AND ID = :VAR_ID;");
    book.DeleteProbes = {
        QStringLiteral("SELECT 1 FROM rdb$database WHERE EXISTS (SELECT ID FROM T_PARAM WHERE "
                       "BASEPARAMDBID = :VAR_DBID AND BASEPARAMID = :VAR_ID);")};
    book.ManageObjType = otBaseParamList;
    book.SelectObjType = otBaseParamSelect;
    book.StoreColumnWidths = true;
    book.DefaultWidth = 500;
    book.DefaultHeight = 180;
    book.HelpTopic = QStringLiteral("RBBaseParam");
    return book;
}

} // namespace

T_frmBaseParam::T_frmBaseParam(QWidget* AParent)
    : TKVBookListFrame<TKVBaseParamList>(BaseParamBook(), AParent) {
    setObjectName(QStringLiteral("_frmBaseParam1"));
}

void T_frmBaseParam::Init(bool AActionState, quint32 AClassDBId, quint32 AClassId) {
    FClassDBId = AClassDBId;
    FClassId = AClassId;
    TKVListFrame::Init(AActionState);
}

quint32 T_frmBaseParam::BPClassDBId() const {
    return List() ? List()->BPClassDBId() : FClassDBId;
}

quint32 T_frmBaseParam::BPClassId() const {
    return List() ? List()->BPClassId() : FClassId;
}

QString T_frmBaseParam::BPClassName() const {
    return List() ? List()->BPClassName() : QString();
}

std::unique_ptr<TKVBaseParamList> T_frmBaseParam::NewList() const {
    return std::make_unique<TKVBaseParamList>(FClassDBId, FClassId);
}

T_frmBaseParam::TLayoutKey T_frmBaseParam::LayoutContextKey() const {
    // Each class's window keeps its own size and column widths.
    return TKVDBKey{FClassDBId, FClassId};
}

void T_frmBaseParam::LoadContext(TIBQuery& AQuery) {
    AQuery.SetSQL(QStringLiteral(
        "SELECT S_NAME FROM T_CLASS WHERE DBID = :VAR_CLASSDBID AND ID = :VAR_CLASSID"));
    BindContext(AQuery);
    AQuery.Open();
    if (!AQuery.Eof())
        List()->SetClassName(AQuery.FieldByName("S_NAME").AsString());
    else
        // The window still opens, with the class's parameters if any are left.
        KVUserInterface().ShowSystemError(QString(),
                                          QStringLiteral("Object DBID:%1, ID:%2 not found in "
                                                         "DataBase")
                                              .arg(FClassDBId)
                                              .arg(FClassId),
                                          true);
    AQuery.Close();
}

void T_frmBaseParam::BindContext(TIBQuery& AQuery) {
    AQuery.ParamByName("VAR_CLASSDBID").SetAsInt64(FClassDBId);
    AQuery.ParamByName("VAR_CLASSID").SetAsInt64(FClassId);
}

void T_frmBaseParam::CompleteRecord(TKVBaseParam& ARecord) const {
    ARecord.UpdateClassData(FClassDBId, FClassId, BPClassName());
}

bool T_frmBaseParam::BoundToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const {
    return AItemType == itClass && ADBId == FClassDBId && AId == FClassId;
}

QString T_frmBaseParam::NameText(const TKVBaseParam& ARecord) {
    if (ARecord.UnitPrefix().isEmpty())
        return ARecord.Name();
    return QStringLiteral("%1 (%2)").arg(ARecord.Name(), ARecord.UnitPrefix());
}

TKVListRow T_frmBaseParam::MakeRow(const TKVBaseParam& ARecord) const {
    return {ARecord.PKey(),
            {NameText(ARecord), ARecord.Description(),
             SelectValueTypeToStr(ARecord.SelectValueTypeIndex()), ARecord.UPId()},
            std::nullopt};
}

bool T_frmBaseParam::RecordMatchesText(const TKVBaseParam& ARecord) const {
    return MatchesFilter(ARecord.Name()) || MatchesFilter(ARecord.Description());
}

void T_frmBaseParam::OpenCard(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) {
    OpenCardBaseParam(ADBId, AId, ACreateCopyFlag, BPClassDBId(), BPClassId());
}

QString T_frmBaseParam::ExportDataSetName() const {
    return BPClassName() + QStringLiteral(" - ") + tr("Базовые параметры");
}

void T_frmBaseParam::AddExtraCommands(QMenu* AMenu) {
    QMenu* functions = AddFunctionsMenu(AMenu);
    auto* item = new QAction(tr("&Обновить UPID и единицу измерения во всех связанных параметрах"),
                             functions);
    item->setObjectName(QStringLiteral("pmiAddFunct_ChangeUPIDAndUnit"));
    if (dmMain)
        item->setIcon(dmMain->MainToolImgList.Icon(72));
    functions->addAction(item);
    connect(item, &QAction::triggered, this, &T_frmBaseParam::pmiAddFunct_ChangeUPIDAndUnitClick);
    AddRecordAction(item, true);
}

void T_frmBaseParam::pmiAddFunct_ChangeUPIDAndUnitClick() {
    const TKVSelectedItemDBData& selected = SelectedItemDBData();
    if (!selected.Select)
        return;
    const int count = ParamUpdateUPIDAndUnit(selected.DBId, selected.Id);
    if (frmMain)
        frmMain->VisualConfirm();
    if (count <= 0)
        ShowMessageDlg(tr("Записи не были обновлены"), mdkWarning, mdbOK);
    else
        ShowMessageDlg(tr("Обновлено записей: %1").arg(count), mdkInformation, mdbOK);
}

int T_frmBaseParam::ParamUpdateUPIDAndUnit(quint32 ABaseParamDBId, quint32 ABaseParamId) {
    if (!List() || List()->Empty() || !Connected() || !Writable())
        return 0;
    quint32 unitDBId = 0;
    quint32 unitId = 0;
    QString upid;
    if (List()->FindIndexByPKey(ABaseParamDBId, ABaseParamId) >= 0) {
        const TKVBaseParam& record = *List()->GetRecord();
        unitDBId = record.UnitDBId();
        unitId = record.UnitId();
        upid = record.UPId();
    }

    QString sql = QStringLiteral(
        "UPDATE T_PARAM SET UNITDBID = :VAR_UNITDBID, UNITID = :VAR_UNITID, UPID = :VAR_UPID "
        "WHERE BASEPARAMDBID = :VAR_BASEPARAMDBID AND BASEPARAMID = :VAR_BASEPARAMID AND ");
    sql += unitId != 0 ? QStringLiteral("UNITDBID = :VAR_UNITDBID AND UNITID = :VAR_UNITID")
                       : QStringLiteral("UNITDBID IS NULL AND UNITID IS NULL");
    // Which parameter values may change: those of this database only, all of them, or all but
    // the system rows.
    std::optional<quint32> rowDBId;
    if (!::NSIMod) {
        sql += QStringLiteral(" AND DBID = :VAR_DBID;");
        rowDBId = dmMain->CurrentDBId();
    } else if (::BLIMod) {
        sql += QStringLiteral(";");
    } else {
        sql += QStringLiteral(" AND DBID <> :VAR_DBID;");
        rowDBId = 0;
    }

    TIBQuery query(&dmMain->MainIBDatabase, &dmMain->MainIBTransaction);
    int changed = 0;
    const bool ok = dmMain->ExecuteInTransaction([&] {
        query.SetSQL(sql);
        query.ParamByName("VAR_BASEPARAMDBID").SetAsInt64(ABaseParamDBId);
        query.ParamByName("VAR_BASEPARAMID").SetAsInt64(ABaseParamId);
        if (unitId != 0) {
            query.ParamByName("VAR_UNITDBID").SetAsInt64(unitDBId);
            query.ParamByName("VAR_UNITID").SetAsInt64(unitId);
        } else {
            query.ParamByName("VAR_UNITDBID").Clear();
            query.ParamByName("VAR_UNITID").Clear();
        }
        // An empty UPID is stored as NULL, as the card stores it.
        if (upid.isEmpty())
            query.ParamByName("VAR_UPID").Clear();
        else
            query.ParamByName("VAR_UPID").SetAsString(upid.toUpper());
        if (rowDBId)
            query.ParamByName("VAR_DBID").SetAsInt64(*rowDBId);
        query.ExecSQL();
        changed = query.RowsAffected();
    });
    return ok ? changed : 0;
}
