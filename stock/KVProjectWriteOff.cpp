#include "stock/KVProjectWriteOff.h"

#include "core/KVCommon.h"
#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "shell/uMessage.h"

#include <QCoreApplication>

#include <utility>
#include <vector>

namespace {

std::function<void(quint32)>& FaultHook() {
    static std::function<void(quint32)> hook;
    return hook;
}

QString Tr(const char* AText) {
    return QCoreApplication::translate("TfrmProjectEdit", AText);
}

bool Connected() {
    return dmMain && dmMain->DBConnected();
}

} // namespace

void TKVProjectWriteOff::SetFaultHook(std::function<void(quint32)> AHook) {
    FaultHook() = std::move(AHook);
}

int TKVProjectWriteOff::CountAvailLinkedItems(quint32 AProjectId) {
    if (!Connected() || AProjectId == 0)
        return 0;
    int count = 0;
    TIBQuery query(&dmMain->MainIBDatabase, &dmMain->MainIBTransaction);
    const bool ok = dmMain->ExecuteInTransaction([&] {
        query.SetSQL(QStringLiteral(
            "SELECT COUNT(TPI.ID) FROM T_PROJECT_ITEM TPI WHERE TPI.ELEMENTAVAILID IS NOT NULL "
            "AND TPI.PROJECTID = :VAR_PROJECTID;"));
        query.ParamByName("VAR_PROJECTID").SetAsInt64(AProjectId);
        query.Open();
        count = query.Eof() ? 0 : static_cast<int>(query.FieldByName("COUNT").AsInt64());
        query.Close();
    });
    return ok ? count : -1;
}

bool TKVProjectWriteOff::WriteOffAvailItemsInProject(quint32 AProjectId, quint32 ADeviceCount) {
    if (!Connected() || AProjectId == 0 || ADeviceCount == 0)
        return true;
    TIBQuery query(&dmMain->MainIBDatabase, &dmMain->MainIBTransaction);
    return dmMain->ExecuteInTransaction([&] {
        // Every item is read before anything is written: a failed read writes nothing off.
        struct TWriteOff {
            quint32 ElementAvailId;
            double ItemCount;
        };
        std::vector<TWriteOff> list;
        query.SetSQL(QStringLiteral(
            "SELECT SUM(TPI.V_COUNT_FLOAT) AS ITEMCOUNT, TPI.ELEMENTAVAILID FROM T_PROJECT_ITEM "
            "TPI WHERE TPI.ELEMENTAVAILID IS NOT NULL AND TPI.PROJECTID = :VAR_PROJECTID GROUP "
            "BY TPI.ELEMENTAVAILID;"));
        query.ParamByName("VAR_PROJECTID").SetAsInt64(AProjectId);
        query.Open();
        for (; !query.Eof(); query.Next()) {
            const TIBField& sum = query.FieldByName("ITEMCOUNT");
            list.push_back({static_cast<quint32>(query.FieldByName("ELEMENTAVAILID").AsInt64()),
                            sum.IsNull() ? 0.0 : sum.AsDouble()});
        }
        query.Close();
        query.SetSQL(QStringLiteral("UPDATE T_ELEMENT_AVAIL SET V_COUNT_FLOAT = V_COUNT_FLOAT - "
                                    ":VAR_V_COUNT_FLOAT WHERE ID = :VAR_ID;"));
        for (const TWriteOff& item : list) {
            query.ParamByName("VAR_V_COUNT_FLOAT")
                .SetAsDouble(item.ItemCount * static_cast<double>(ADeviceCount));
            query.ParamByName("VAR_ID").SetAsInt64(item.ElementAvailId);
            query.ExecSQL();
            if (FaultHook())
                FaultHook()(item.ElementAvailId);
        }
        query.Close();
    });
}

qint64 TKVProjectWriteOff::AfterProjectSaved(quint32 AProjectId, bool AInProgress,
                                             qint64 AOldCount, qint64 ANewCount, int AOption) {
    if (AOldCount >= ANewCount || !AInProgress)
        return ANewCount;
    const int linked = CountAvailLinkedItems(AProjectId);
    if (linked < 0)
        return AOldCount; // unknown: the next save tries again
    if (linked == 0)
        return ANewCount;
    const qint64 devices = ANewCount - AOldCount;
    switch (IntToAutoActionMode(AOption)) {
    case aamAsk:
        if (ShowMessageDlg(Tr("Добавлено новых устройств: %1. Произвести списание элементов из "
                              "наличия?")
                               .arg(devices),
                           mdkConfirmation, mdbYes | mdbNo) != mrYes)
            return ANewCount;
        break;
    case aamAutomatic:
        break;
    case aamNotExecute:
        return ANewCount;
    }
    return WriteOffAvailItemsInProject(AProjectId, static_cast<quint32>(devices)) ? ANewCount
                                                                                  : AOldCount;
}
