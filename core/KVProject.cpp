#include "core/KVProject.h"

void TKVProject::UpdateData(const QString& AName, const QString& ADescription,
                            qint32 ACountDeviceScheduled, qint32 ACountDeviceComplete,
                            const QString& ACategory, TDateTime ADateBegin, TDateTime ADateEnd,
                            bool AInProgress, qint32 AIconId, TDateTime ACreateDateTime,
                            TDateTime AUpdateDateTime) {
    FName = KVName(AName);
    FDescription = ADescription;
    FCountDeviceScheduled = ACountDeviceScheduled;
    FCountDeviceComplete = ACountDeviceComplete;
    FCategory = KVDescription(ACategory);
    FDateBegin = ADateBegin;
    FDateEnd = ADateEnd;
    FInProgress = AInProgress;
    FIconId = AIconId;
    FCreateDateTime = ACreateDateTime;
    FUpdateDateTime = AUpdateDateTime;
}

void TKVProjectList::AddData(quint32 AId, const QString& AName, const QString& ADescription,
                             qint32 ACountDeviceScheduled, qint32 ACountDeviceComplete,
                             const QString& ACategory, TDateTime ADateBegin, TDateTime ADateEnd,
                             bool AInProgress, qint32 AIconId, TDateTime ACreateDateTime,
                             TDateTime AUpdateDateTime) {
    AppendNew(AId)->UpdateData(AName, ADescription, ACountDeviceScheduled, ACountDeviceComplete,
                               ACategory, ADateBegin, ADateEnd, AInProgress, AIconId,
                               ACreateDateTime, AUpdateDateTime);
}

bool TKVProjectList::UpdateDataByPKey(quint32 AId, const QString& AName,
                                      const QString& ADescription, qint32 ACountDeviceScheduled,
                                      qint32 ACountDeviceComplete, const QString& ACategory,
                                      TDateTime ADateBegin, TDateTime ADateEnd, bool AInProgress,
                                      qint32 AIconId, TDateTime ACreateDateTime,
                                      TDateTime AUpdateDateTime) {
    return UpdateByPKey({AId}, [&](TKVProject& ARow) {
        ARow.UpdateData(AName, ADescription, ACountDeviceScheduled, ACountDeviceComplete, ACategory,
                        ADateBegin, ADateEnd, AInProgress, AIconId, ACreateDateTime,
                        AUpdateDateTime);
    });
}
