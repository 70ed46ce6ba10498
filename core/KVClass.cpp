#include "core/KVClass.h"

void TKVClass::UpdateData(quint32 AParentDBId, quint32 AParentId, const QString& AName,
                          const QString& ADescription, qint32 AIconId, TDateTime ACreateDateTime,
                          TDateTime AUpdateDateTime, TDateTime AReplDateTime,
                          const QString& AParentClassName, qint32 AElementTypesCount) {
    UpdateData(AName, ADescription, AIconId, ACreateDateTime, AUpdateDateTime, AReplDateTime,
               AElementTypesCount);
    UpdateParentClassData(AParentDBId, AParentId, AParentClassName);
}

void TKVClass::UpdateData(const QString& AName, const QString& ADescription, qint32 AIconId,
                          TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                          TDateTime AReplDateTime, qint32 AElementTypesCount) {
    FName = KVName(AName);
    FDescription = KVDescription(ADescription);
    FIconId = AIconId;
    FCreateDateTime = ACreateDateTime;
    FUpdateDateTime = AUpdateDateTime;
    FReplDateTime = AReplDateTime;
    FElementTypesCount = AElementTypesCount;
}

void TKVClass::UpdateParentClassData(quint32 AParentClassDBId, quint32 AParentClassId,
                                     const QString& AParentClassName) {
    FParentDBId = AParentClassDBId;
    FParentId = AParentClassId;
    FParentClassName = KVName(AParentClassName);
}

void TKVClassList::AddData(quint32 ADBId, quint32 AId, quint32 AParentDBId, quint32 AParentId,
                           const QString& AName, const QString& ADescription, qint32 AIconId,
                           TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                           TDateTime AReplDateTime, const QString& AParentClassName,
                           qint32 AElementTypesCount) {
    AppendNew(ADBId, AId)
        ->UpdateData(AParentDBId, AParentId, AName, ADescription, AIconId, ACreateDateTime,
                     AUpdateDateTime, AReplDateTime, AParentClassName, AElementTypesCount);
}

bool TKVClassList::UpdateDataByPKey(quint32 ADBId, quint32 AId, quint32 AParentDBId,
                                    quint32 AParentId, const QString& AName,
                                    const QString& ADescription, qint32 AIconId,
                                    TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                                    TDateTime AReplDateTime, const QString& AParentClassName,
                                    qint32 AElementTypesCount) {
    return UpdateByPKey({ADBId, AId}, [&](TKVClass& ARow) {
        ARow.UpdateData(AParentDBId, AParentId, AName, ADescription, AIconId, ACreateDateTime,
                        AUpdateDateTime, AReplDateTime, AParentClassName, AElementTypesCount);
    });
}

void TKVClassList::SetExcludeItemPKey(quint32 ADBId, quint32 AId) {
    if (Empty() || AId == 0)
        return;
    FExcludeItems.Clear();
    if (!ExistsItemByPKey(ADBId, AId)) {
        FExcludeItemDBId = 0;
        FExcludeItemId = 0;
        return;
    }
    FExcludeItemDBId = ADBId;
    FExcludeItemId = AId;
    FExcludeItems.Build({ADBId, AId}, [this](auto AVisit) {
        ForEach([&AVisit](const TKVClass& ARow) { AVisit(ARow.PKey(), ARow.ParentPKey()); });
    });
}

qint32 TKVClassList::GetElementTypesCountByPKey(quint32 ADBId, quint32 AId) {
    const TKVClass* row = LocateRow({ADBId, AId});
    if (!row)
        throw Exception(QStringLiteral("Item [DBID: %1; ID: %2] not found.").arg(ADBId).arg(AId));
    return row->ElementTypesCount();
}

bool TKVClassList::SetElementTypesCountByPKey(quint32 ADBId, quint32 AId, qint32 ACount) {
    return UpdateByPKey({ADBId, AId},
                        [ACount](TKVClass& ARow) { ARow.UpdateElementTypesCount(ACount); });
}
