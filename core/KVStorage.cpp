#include "core/KVStorage.h"

void TKVStorage::UpdateData(quint32 AParentId, const QString& AName, const QString& ADescription,
                            const QString& ACellList, qint32 AIconId, TDateTime ACreateDateTime,
                            TDateTime AUpdateDateTime, const QString& AParentStorageName,
                            qint32 AElementAvailsCount) {
    UpdateData(AName, ADescription, ACellList, AIconId, ACreateDateTime, AUpdateDateTime,
               AElementAvailsCount);
    UpdateParentStorageData(AParentId, AParentStorageName);
}

void TKVStorage::UpdateData(const QString& AName, const QString& ADescription,
                            const QString& ACellList, qint32 AIconId, TDateTime ACreateDateTime,
                            TDateTime AUpdateDateTime, qint32 AElementAvailsCount) {
    FName = KVName(AName);
    FDescription = KVDescription(ADescription);
    FCellList = ACellList;
    FIconId = AIconId;
    FCreateDateTime = ACreateDateTime;
    FUpdateDateTime = AUpdateDateTime;
    FElementAvailsCount = AElementAvailsCount;
}

void TKVStorage::UpdateParentStorageData(quint32 AParentStorageId,
                                         const QString& AParentStorageName) {
    FParentId = AParentStorageId;
    FParentStorageName = KVName(AParentStorageName);
}

void TKVStorageList::AddData(quint32 AId, quint32 AParentId, const QString& AName,
                             const QString& ADescription, const QString& ACellList, qint32 AIconId,
                             TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                             const QString& AParentStorageName, qint32 AElementAvailsCount) {
    AppendNew(AId)->UpdateData(AParentId, AName, ADescription, ACellList, AIconId, ACreateDateTime,
                               AUpdateDateTime, AParentStorageName, AElementAvailsCount);
}

bool TKVStorageList::UpdateDataByPKey(quint32 AId, quint32 AParentId, const QString& AName,
                                      const QString& ADescription, const QString& ACellList,
                                      qint32 AIconId, TDateTime ACreateDateTime,
                                      TDateTime AUpdateDateTime, const QString& AParentStorageName,
                                      qint32 AElementAvailsCount) {
    return UpdateByPKey({AId}, [&](TKVStorage& ARow) {
        ARow.UpdateData(AParentId, AName, ADescription, ACellList, AIconId, ACreateDateTime,
                        AUpdateDateTime, AParentStorageName, AElementAvailsCount);
    });
}

void TKVStorageList::SetExcludeItemPKey(quint32 AId) {
    if (Empty() || AId == 0)
        return;
    FExcludeItems.Clear();
    if (!ExistsItemByPKey(AId)) {
        FExcludeItemId = 0;
        return;
    }
    FExcludeItemId = AId;
    FExcludeItems.Build({AId}, [this](auto AVisit) {
        ForEach([&AVisit](const TKVStorage& ARow) {
            AVisit(ARow.PKey(), TKVLocalKey{ARow.ParentId()});
        });
    });
}

qint32 TKVStorageList::GetElementAvailsCountByPKey(quint32 AId) {
    const TKVStorage* row = LocateRow({AId});
    if (!row)
        throw Exception(QStringLiteral("Item [ID: %1] not found.").arg(AId));
    return row->ElementAvailsCount();
}

bool TKVStorageList::SetElementAvailsCountByPKey(quint32 AId, qint32 ACount) {
    return UpdateByPKey({AId},
                        [ACount](TKVStorage& ARow) { ARow.UpdateElementAvailsCount(ACount); });
}
