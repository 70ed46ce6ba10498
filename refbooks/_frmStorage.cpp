#include "refbooks/_frmStorage.h"

#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "refbooks/KVOpenDataMode.h"
#include "refbooks/frmStorageEdit.h"
#include "shell/frmOpenDataMode.h"
#include "shell/uMessage.h"

#include <QAction>

namespace {

// The CFG_LOCAL row naming the storage place for emptied stock records.
const QString kStorageForEmptyParam = QStringLiteral("EASSID");

const QString kFields = QStringLiteral(
    "TS.ID, TS.PARENTID, TS.S_NAME, TS.S_DESCRIPTION, TS.ICONID, TS.C_TIMESTAMP, TS.U_TIMESTAMP");

TKVListBook StorageBook() {
    TKVListBook book;
    book.Name = QStringLiteral("Storage");
    book.KeyHasDBId = false;
    book.ItemType = itStorage;
    book.CopyNameColumn = -1; // the node's text alone
    book.CountSQL = QStringLiteral("SELECT COUNT(ID) FROM T_STORAGE;");
    book.SelectSQL =
        QStringLiteral("SELECT ") + kFields + QStringLiteral(" FROM T_STORAGE TS ORDER BY TS.ID;");
    book.SelectOneSQL =
        QStringLiteral("SELECT FIRST 1 SKIP 0 ") + kFields +
        QStringLiteral(", (SELECT COUNT(TEA.ID) FROM T_ELEMENT_AVAIL TEA WHERE TEA.STORAGEID = "
                       "TS.ID) AS ELEMENTCOUNT FROM T_STORAGE TS WHERE TS.ID = :VAR_ID;");
    book.SelectOneSelectModeSQL =
        QStringLiteral("SELECT FIRST 1 SKIP 0 ") + kFields +
        QStringLiteral(", 0 AS ELEMENTCOUNT FROM T_STORAGE TS WHERE TS.ID = :VAR_ID;");
    book.DeleteSQL = QStringLiteral("DELETE FROM T_STORAGE WHERE ID = :VAR_ID;");
    book.DeleteProbes = {
        QStringLiteral("SELECT 1 FROM rdb$database WHERE EXISTS (SELECT ID FROM T_STORAGE WHERE "
                       "PARENTID = :VAR_ID);"),
        QStringLiteral("SELECT 1 FROM rdb$database WHERE EXISTS (SELECT ID FROM T_ELEMENT_AVAIL "
                       "WHERE STORAGEID = :VAR_ID);")};
    book.ManageObjType = otStorageList;
    book.SelectObjType = otStorageSelect;
    book.StoreColumnWidths = false;
    book.DefaultWidth = 270;
    book.DefaultHeight = 300;
    book.HelpTopic = QStringLiteral("RBStorage");
    book.ExportDataToFile = false;
    return book;
}

TKVTreeBook StorageTreeBook() {
    TKVTreeBook book;
    book.NodeCountSQL =
        QStringLiteral("SELECT COUNT(ID) FROM T_ELEMENT_AVAIL WHERE STORAGEID = :VAR_STORAGEID;");
    book.NodeCountIdParam = QStringLiteral("VAR_STORAGEID");
    book.Images = &TdmMain::StorageImgList;
    book.ToolButtonSize = QSize(57, 36);
    book.CountPanelBorder = true;
    return book;
}

} // namespace

T_frmStorage::T_frmStorage(QWidget* AParent)
    : TKVBookTreeFrame<TKVStorageList>(StorageBook(), StorageTreeBook(), AParent) {
    setObjectName(QStringLiteral("_frmStorage1"));
    if (QAction* edit = MenuItem(QStringLiteral("pmiEdit")))
        edit->setText(tr("&Редактировать"));
}

TKVDBKey T_frmStorage::StoreRecord(TIBQuery& AQuery, bool AAppend) {
    const quint32 id = static_cast<quint32>(AQuery.FieldByName("ID").AsInt64());
    const quint32 parentId = static_cast<quint32>(AQuery.FieldByName("PARENTID").AsInt64());
    const QString name = AQuery.FieldByName("S_NAME").AsString();
    const QString description = AQuery.FieldByName("S_DESCRIPTION").AsString();
    const TIBField& icon = AQuery.FieldByName("ICONID");
    const qint32 iconId = icon.IsNull() ? -1 : icon.AsInteger();
    const TDateTime created = AQuery.FieldByName("C_TIMESTAMP").AsDateTime();
    const TDateTime updated = AQuery.FieldByName("U_TIMESTAMP").AsDateTime();
    // A loaded place is not counted yet; the one-row re-read brings its count along. The
    // frame's rows carry neither the cell list nor the parent's name: only the card reads them.
    const qint32 count = AAppend ? -1 : AQuery.FieldByName("ELEMENTCOUNT").AsInteger();
    if (AAppend || !List()->UpdateDataByPKey(id, parentId, name, description, QString(), iconId,
                                             created, updated, QString(), count))
        List()->AddData(id, parentId, name, description, QString(), iconId, created, updated,
                        QString(), count);
    return {0, id};
}

void T_frmStorage::OpenCard(quint32, quint32 AId, bool ACreateCopyFlag) {
    OpenCardStorage(AId, ACreateCopyFlag);
}

void T_frmStorage::OpenDataModeItem() {
    // The stock of a place has no window yet, so the card is the one view offered.
    switch (ChooseOpenDataMode(*this, OpenDataModeSet({odmtStorage}))) {
    case odmtStorage:
        OpenItem();
        break;
    default:
        break;
    }
}

void T_frmStorage::DeleteRelatedRows(TIBQuery& AQuery, const TKVDBKey& AKey) {
    FStorageForEmptyDeleted = dmMain && AKey.Id != 0 && AKey.Id == dmMain->StorageForEmptyId();
    if (!FStorageForEmptyDeleted)
        return;
    AQuery.SetSQL(QStringLiteral("DELETE FROM CFG_LOCAL WHERE S_PARAM = :VAR_S_PARAM;"));
    AQuery.ParamByName("VAR_S_PARAM").SetAsString(kStorageForEmptyParam);
    AQuery.ExecSQL();
    AQuery.Close();
}

void T_frmStorage::RecordDeleted(const TKVDBKey&) {
    if (FStorageForEmptyDeleted && dmMain)
        dmMain->SetStorageForEmpty(0, QString());
    FStorageForEmptyDeleted = false;
}
