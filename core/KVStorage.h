#pragma once

// Storage places (T_STORAGE): a tree, each place inside a parent place.

#include "core/KVTree.h"

class TKVStorage : public TKVLocalRow {
public:
    explicit TKVStorage(quint32 AId) : TKVLocalRow(AId) {}

    void UpdateData(quint32 AParentId, const QString& AName, const QString& ADescription,
                    const QString& ACellList, qint32 AIconId, TDateTime ACreateDateTime,
                    TDateTime AUpdateDateTime, const QString& AParentStorageName,
                    qint32 AElementAvailsCount);
    // The parent and its name stay.
    void UpdateData(const QString& AName, const QString& ADescription, const QString& ACellList,
                    qint32 AIconId, TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                    qint32 AElementAvailsCount);
    void UpdateParentStorageData(quint32 AParentStorageId, const QString& AParentStorageName);
    void UpdateElementAvailsCount(qint32 ACount) { FElementAvailsCount = ACount; }

    // Parent Id 0: a root place.
    quint32 ParentId() const { return FParentId; }
    const TKVName& Name() const { return FName; }
    const TKVDescription& Description() const { return FDescription; }
    const QString& CellList() const { return FCellList; }
    qint32 IconId() const { return FIconId; }
    TDateTime CreateDateTime() const { return FCreateDateTime; }
    TDateTime UpdateDateTime() const { return FUpdateDateTime; }
    const TKVName& ParentStorageName() const { return FParentStorageName; }
    // Stock records in the place; -1 = not counted yet.
    qint32 ElementAvailsCount() const { return FElementAvailsCount; }

private:
    quint32 FParentId = 0;
    TKVName FName;
    TKVDescription FDescription;
    QString FCellList;
    qint32 FIconId = -1;
    TDateTime FCreateDateTime = 0;
    TDateTime FUpdateDateTime = 0;
    TKVName FParentStorageName;
    qint32 FElementAvailsCount = 0;
};

class TKVStorageList : public TKVList<TKVStorage> {
public:
    using TKVList::GetItemByPKey;

    void AddData(quint32 AId, quint32 AParentId, const QString& AName, const QString& ADescription,
                 const QString& ACellList, qint32 AIconId, TDateTime ACreateDateTime,
                 TDateTime AUpdateDateTime, const QString& AParentStorageName,
                 qint32 AElementAvailsCount);
    bool UpdateDataByPKey(quint32 AId, quint32 AParentId, const QString& AName,
                          const QString& ADescription, const QString& ACellList, qint32 AIconId,
                          TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                          const QString& AParentStorageName, qint32 AElementAvailsCount);

    // As TKVClassList::SetExcludeItemPKey, on Ids.
    void SetExcludeItemPKey(quint32 AId);
    bool IsExcludeByPKey(quint32 AId) const { return FExcludeItems.Contains({AId}); }
    const std::vector<TKVLocalKey>& ExcludeItems() const { return FExcludeItems.Items(); }
    quint32 ExcludeItemId() const { return FExcludeItemId; }

    // Raises "Item [ID: %d] not found." when no loaded place has the key.
    qint32 GetElementAvailsCountByPKey(quint32 AId);
    bool SetElementAvailsCountByPKey(quint32 AId, qint32 ACount);

private:
    TKVExcludeSet<TKVLocalKey> FExcludeItems;
    quint32 FExcludeItemId = 0;
};
