#pragma once

// Element classes (T_CLASS): a tree, each class below a parent class.

#include "core/KVTree.h"

class TKVClass : public TKVDBRow {
public:
    TKVClass(quint32 ADBId, quint32 AId) : TKVDBRow(ADBId, AId) {}

    void UpdateData(quint32 AParentDBId, quint32 AParentId, const QString& AName,
                    const QString& ADescription, qint32 AIconId, TDateTime ACreateDateTime,
                    TDateTime AUpdateDateTime, TDateTime AReplDateTime,
                    const QString& AParentClassName, qint32 AElementTypesCount);
    // The parent key and name stay.
    void UpdateData(const QString& AName, const QString& ADescription, qint32 AIconId,
                    TDateTime ACreateDateTime, TDateTime AUpdateDateTime, TDateTime AReplDateTime,
                    qint32 AElementTypesCount);
    void UpdateParentClassData(quint32 AParentClassDBId, quint32 AParentClassId,
                               const QString& AParentClassName);
    void UpdateElementTypesCount(qint32 ACount) { FElementTypesCount = ACount; }

    // Parent Id 0: a root class.
    quint32 ParentDBId() const { return FParentDBId; }
    quint32 ParentId() const { return FParentId; }
    TKVDBKey ParentPKey() const { return {FParentDBId, FParentId}; }
    const TKVName& Name() const { return FName; }
    const TKVDescription& Description() const { return FDescription; }
    // Index of the class icon; -1 = none.
    qint32 IconId() const { return FIconId; }
    TDateTime CreateDateTime() const { return FCreateDateTime; }
    TDateTime UpdateDateTime() const { return FUpdateDateTime; }
    TDateTime ReplDateTime() const { return FReplDateTime; }
    const TKVName& ParentClassName() const { return FParentClassName; }
    // Element types of the class; -1 = not counted yet.
    qint32 ElementTypesCount() const { return FElementTypesCount; }

private:
    quint32 FParentDBId = 0;
    quint32 FParentId = 0;
    TKVName FName;
    TKVDescription FDescription;
    qint32 FIconId = -1;
    TDateTime FCreateDateTime = 0;
    TDateTime FUpdateDateTime = 0;
    TDateTime FReplDateTime = 0;
    TKVName FParentClassName;
    qint32 FElementTypesCount = 0;
};

class TKVClassList : public TKVList<TKVClass> {
public:
    using TKVList::GetItemByPKey;

    void AddData(quint32 ADBId, quint32 AId, quint32 AParentDBId, quint32 AParentId,
                 const QString& AName, const QString& ADescription, qint32 AIconId,
                 TDateTime ACreateDateTime, TDateTime AUpdateDateTime, TDateTime AReplDateTime,
                 const QString& AParentClassName, qint32 AElementTypesCount);
    bool UpdateDataByPKey(quint32 ADBId, quint32 AId, quint32 AParentDBId, quint32 AParentId,
                          const QString& AName, const QString& ADescription, qint32 AIconId,
                          TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                          TDateTime AReplDateTime, const QString& AParentClassName,
                          qint32 AElementTypesCount);

    // Makes the exclusion set the class (ADBId, AId) and every loaded class below it. On an
    // empty list or with AId 0 the previous set stays; for a key not loaded the set is empty.
    // Moves the cursor.
    void SetExcludeItemPKey(quint32 ADBId, quint32 AId);
    bool IsExcludeByPKey(quint32 ADBId, quint32 AId) const {
        return FExcludeItems.Contains({ADBId, AId});
    }
    // The excluded class first, then its descendants breadth-first.
    const std::vector<TKVDBKey>& ExcludeItems() const { return FExcludeItems.Items(); }
    quint32 ExcludeItemDBId() const { return FExcludeItemDBId; }
    quint32 ExcludeItemId() const { return FExcludeItemId; }

    // The stored count of the loaded class; raises "Item [DBID: %d; ID: %d] not found."
    // when no loaded class has the key.
    qint32 GetElementTypesCountByPKey(quint32 ADBId, quint32 AId);
    bool SetElementTypesCountByPKey(quint32 ADBId, quint32 AId, qint32 ACount);

private:
    TKVExcludeSet<TKVDBKey> FExcludeItems;
    quint32 FExcludeItemDBId = 0;
    quint32 FExcludeItemId = 0;
};
