#include "stock/KVStockOperations.h"

#include "core/KVElementAvail.h"
#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "platform/sys/SysUtils.h"
#include "shell/uMessage.h"

#include <QCoreApplication>

namespace {

QString Tr(const char* AText) {
    return QCoreApplication::translate("T_frmElementAvail", AText);
}

bool Connected() {
    return dmMain && dmMain->DBConnected();
}

} // namespace

bool TKVStockOperations::ExistsStorageById(quint32 AStorageId) {
    if (!Connected())
        return false;
    bool exists = false;
    TIBQuery query(&dmMain->MainIBDatabase, &dmMain->MainIBTransaction);
    dmMain->ExecuteInTransaction([&] {
        query.SetSQL(QStringLiteral("SELECT 1 FROM RDB$DATABASE WHERE EXISTS(SELECT ID FROM "
                                    "T_STORAGE WHERE ID = :VAR_ID);"));
        query.ParamByName("VAR_ID").SetAsInt64(AStorageId);
        query.Open();
        exists = !query.Eof();
        query.Close();
    });
    return exists;
}

bool TKVStockOperations::MoveWanted(double ACount, quint32 AStorageId) {
    const quint32 emptyId = dmMain ? dmMain->StorageForEmptyId() : 0;
    return ::LocalConfig && emptyId != 0 && ACount <= 0 && ::MoveEmptyAvailToSpecStorage != 0 &&
           AStorageId != emptyId;
}

bool TKVStockOperations::ConfirmMove() {
    if (!ExistsStorageById(dmMain->StorageForEmptyId())) {
        ShowMessageDlg(Tr("Не удалось переместить записи"), mdkError, mdbOK);
        return false;
    }
    switch (IntToAutoActionMode(::MoveEmptyAvailToSpecStorage)) {
    case aamAutomatic:
        return true;
    case aamAsk:
        return ShowMessageDlg(Tr("Найдены пустые записи элементов в наличии.\r\n"
                                 "Переместить их в место хранения для пустых записей?"),
                              mdkConfirmation, mdbYes | mdbNo) == mrYes;
    case aamNotExecute:
        break;
    }
    return false;
}

bool TKVStockOperations::SaveCount(TKVElementAvail& ARecord, double ACount, bool AMove) {
    if (!Connected())
        return false;
    const TDateTime revision = Now();
    TIBQuery query(&dmMain->MainIBDatabase, &dmMain->MainIBTransaction);
    const bool ok = dmMain->ExecuteInTransaction([&] {
        if (AMove) {
            query.SetSQL(QStringLiteral(
                "UPDATE T_ELEMENT_AVAIL SET STORAGEID = :VAR_STORAGEID, V_COUNT_FLOAT = "
                ":VAR_COUNT, U_TIMESTAMP = :VAR_U_TIMESTAMP WHERE ID = :VAR_ID;"));
            query.ParamByName("VAR_STORAGEID").SetAsInt64(dmMain->StorageForEmptyId());
        } else {
            query.SetSQL(QStringLiteral("UPDATE T_ELEMENT_AVAIL SET V_COUNT_FLOAT = :VAR_COUNT, "
                                        "U_TIMESTAMP = :VAR_U_TIMESTAMP WHERE ID = :VAR_ID;"));
        }
        query.ParamByName("VAR_COUNT").SetAsDouble(ACount);
        query.ParamByName("VAR_U_TIMESTAMP").SetAsDateTime(revision);
        query.ParamByName("VAR_ID").SetAsInt64(ARecord.Id());
        query.ExecSQL();
    });
    // The record object follows only what was committed.
    if (ok) {
        if (AMove)
            ARecord.UpdateStorageData(dmMain->StorageForEmptyId(), dmMain->StorageForEmptyName());
        ARecord.UpdateCountAndRevDate(ACount, revision);
    }
    return ok;
}

quint32 TKVStockOperations::MoveEmptyToSpecStorage() {
    const quint32 emptyId = dmMain ? dmMain->StorageForEmptyId() : 0;
    if (!Connected() || !dmMain->CanWriteDataBase() || !::LocalConfig || emptyId == 0)
        return 0;
    if (!ExistsStorageById(emptyId)) {
        ShowMessageDlg(Tr("Не удалось переместить записи"), mdkError, mdbOK);
        return 0;
    }
    quint32 moved = 0;
    TIBQuery query(&dmMain->MainIBDatabase, &dmMain->MainIBTransaction);
    const bool ok = dmMain->ExecuteInTransaction([&] {
        query.SetSQL(QStringLiteral("UPDATE T_ELEMENT_AVAIL SET STORAGEID = :VAR_STORAGEID WHERE "
                                    "V_COUNT_FLOAT <= 0 AND STORAGEID <> :VAR_STORAGEID;"));
        query.ParamByName("VAR_STORAGEID").SetAsInt64(emptyId);
        query.ExecSQL();
        moved = static_cast<quint32>(query.RowsAffected());
    });
    return ok ? moved : 0;
}

bool TKVStockOperations::AddToProject(quint32 AProjectId, const TKVElementAvail& ARecord,
                                      double AQuantity) {
    if (!Connected())
        return false;
    TIBQuery query(&dmMain->MainIBDatabase, &dmMain->MainIBTransaction);
    // The project's item of the record, read first: no transaction stays open over the question.
    quint32 itemId = 0;
    if (!dmMain->ExecuteInTransaction([&] {
            query.SetSQL(QStringLiteral(
                "SELECT FIRST 1 SKIP 0 TPI.ID FROM T_PROJECT_ITEM TPI WHERE "
                "TPI.PROJECTID = :VAR_PROJECTID AND TPI.ELEMENTAVAILID = :VAR_ELEMENTAVAILID;"));
            query.ParamByName("VAR_PROJECTID").SetAsInt64(AProjectId);
            query.ParamByName("VAR_ELEMENTAVAILID").SetAsInt64(ARecord.Id());
            query.Open();
            if (!query.Eof())
                itemId = static_cast<quint32>(query.FieldByName("ID").AsInt64());
            query.Close();
        }))
        return false;
    if (itemId != 0 &&
        ShowMessageDlg(Tr("Такие элементы уже есть в проекте. Добавить еще %1 %2?")
                           .arg(FloatToStrKV(AQuantity), QString(ARecord.UnitPrefixCount())),
                       mdkConfirmation, mdbYes | mdbNo) != mrYes)
        return false;
    const TDateTime now = Now();
    return dmMain->ExecuteInTransaction([&] {
        if (itemId != 0) {
            // The count is added in the database, so that nothing written meanwhile is lost.
            query.SetSQL(QStringLiteral("UPDATE T_PROJECT_ITEM SET V_COUNT_FLOAT = "
                                        "COALESCE(V_COUNT_FLOAT, 0) + :VAR_V_COUNT_FLOAT, "
                                        "U_TIMESTAMP = :VAR_U_TIMESTAMP WHERE ID = :VAR_ID;"));
            query.ParamByName("VAR_V_COUNT_FLOAT").SetAsDouble(AQuantity);
            query.ParamByName("VAR_U_TIMESTAMP").SetAsDateTime(now);
            query.ParamByName("VAR_ID").SetAsInt64(itemId);
            query.ExecSQL();
            return;
        }
        query.SetSQL(QStringLiteral(
            "EXECUTE PROCEDURE INSERT_PROJECT_ITEM (:I_PROJECTID, :I_ELEMENTTYPEDBID, "
            ":I_ELEMENTTYPEID, :I_ELEMENTAVAILID, :I_V_COUNT_FLOAT, :I_S_TEXT, :I_V_FLAG, "
            ":I_C_TIMESTAMP)"));
        query.ParamByName("I_PROJECTID").SetAsInt64(AProjectId);
        if (ARecord.ElementTypeId() != 0) {
            query.ParamByName("I_ELEMENTTYPEDBID").SetAsInt64(ARecord.ElementTypeDBId());
            query.ParamByName("I_ELEMENTTYPEID").SetAsInt64(ARecord.ElementTypeId());
        } else {
            query.ParamByName("I_ELEMENTTYPEDBID").Clear();
            query.ParamByName("I_ELEMENTTYPEID").Clear();
        }
        query.ParamByName("I_ELEMENTAVAILID").SetAsInt64(ARecord.Id());
        query.ParamByName("I_V_COUNT_FLOAT").SetAsDouble(AQuantity);
        query.ParamByName("I_S_TEXT").Clear();
        query.ParamByName("I_V_FLAG").SetAsInteger(0);
        query.ParamByName("I_C_TIMESTAMP").SetAsDateTime(now);
        query.ExecSQL();
        query.Close();
    });
}
