#include "refbooks/_frmStorage.h"

#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "refbooks/frmStorageEdit.h"
#include "shell/KVOpeners.h"
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
    book.DefaultWidth = 270;
    book.DefaultHeight = 300;
    book.HelpTopic = QStringLiteral("RBStorage");
    return book;
}

TKVTreeBook StorageTreeBook() {
    TKVTreeBook book;
    book.NodeCountSQL =
        QStringLiteral("SELECT COUNT(ID) FROM T_ELEMENT_AVAIL WHERE STORAGEID = :VAR_STORAGEID;");
    book.NodeCountIdParam = QStringLiteral("VAR_STORAGEID");
    book.ChildCountSQL = QStringLiteral(
        "SELECT TS.ID AS NODEID, (SELECT COUNT(TEA.ID) FROM T_ELEMENT_AVAIL TEA WHERE "
        "TEA.STORAGEID = TS.ID) AS \"COUNT\" FROM T_STORAGE TS WHERE TS.PARENTID = :VAR_PARENTID;");
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
    SetDataViews({{odmtStorage, [this] { OpenItem(); }},
                  {odmtElementAvailsOnStorage, [this] { OpenReferenceBook_ElementAvail(); },
                   [] { return TKVOpener<TOpenStockOfStorage>::Registered(); }}});
}

void T_frmStorage::OpenCard(quint32, quint32 AId, bool ACreateCopyFlag) {
    OpenCardStorage(AId, ACreateCopyFlag);
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

void T_frmStorage::AddExtraCommands(QMenu* AMenu) {
    AddRecordCommand(AMenu, {"pmiElementAvails", tr("&Элементы в наличии"), 17,
                             QKeySequence(Qt::CTRL | Qt::Key_E),
                             [this] { OpenReferenceBook_ElementAvail(); },
                             "ElementAvails_ToolButton", tr("Наличие"), tr("Элементы в наличии"),
                             false, [] { return TKVOpener<TOpenStockOfStorage>::Registered(); }});
}

void T_frmStorage::OpenReferenceBook_ElementAvail() {
    const TKVSelectedItemDBData& selected = SelectedItemDBData();
    if (selected.Select && Connected())
        TKVOpener<TOpenStockOfStorage>::Open(selected.Id);
}
