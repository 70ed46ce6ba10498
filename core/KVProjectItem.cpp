#include "core/KVProjectItem.h"

void TKVProjectItem::UpdateData(quint32 AElementAvailId, const QString& AElementTypeName,
                                double ACount, const QString& AText, TDateTime ACreateDateTime,
                                TDateTime AUpdateDateTime, quint32 APIClassDBId, quint32 APIClassId,
                                const QString& APIClassName, qint32 AElementTypeIconId,
                                const QVariant& ACountAvail, quint32 AUnitCountDBId,
                                quint32 AUnitCountId, const QString& AUnitCountPrefix,
                                const QVariant& ANominal, quint32 AUnitNominalDBId,
                                quint32 AUnitNominalId, const QString& AUnitNominalPrefix,
                                const QString& ACaseTypeName) {
    FElementAvailId = AElementAvailId;
    FElementTypeName = KVName(AElementTypeName);
    UpdateData(ACount, AText, ACreateDateTime, AUpdateDateTime, ACaseTypeName);
    UpdateClassData(APIClassDBId, APIClassId, APIClassName);
    FElementTypeIconId = AElementTypeIconId;
    SetNullableNumber(AElementAvailId != 0 ? ACountAvail : QVariant(), FCountAvail, FUsageAvail);
    SetNullableNumber(ANominal, FNominal, FUsageNominal);
    SetUnits(AUnitCountDBId, AUnitCountId, AUnitCountPrefix, AUnitNominalDBId, AUnitNominalId,
             AUnitNominalPrefix);
}

void TKVProjectItem::UpdateData(double ACount, const QString& AText, TDateTime ACreateDateTime,
                                TDateTime AUpdateDateTime, const QString& ACaseTypeName) {
    FCount = ACount;
    FText = KVDescription(AText);
    FCreateDateTime = ACreateDateTime;
    FUpdateDateTime = AUpdateDateTime;
    FCaseTypeName = KVName(ACaseTypeName);
}

void TKVProjectItem::UpdateClassData(quint32 APIClassDBId, quint32 APIClassId,
                                     const QString& APIClassName) {
    FPIClassDBId = APIClassDBId;
    FPIClassId = APIClassId;
    FPIClassName = KVName(APIClassName);
}

void TKVProjectItem::UpdateElementTypeData(quint32 AElementTypeDBId, quint32 AElementTypeId,
                                           qint32 AElementTypeIconId) {
    FElementTypeDBId = AElementTypeDBId;
    FElementTypeId = AElementTypeId;
    FElementTypeIconId = AElementTypeIconId;
    FUsageElementType = AElementTypeId != 0;
}

void TKVProjectItem::UpdateProjectData(const QString& AProjectName, bool AProjectInProgress) {
    FProjectName = KVName(AProjectName);
    FProjectInProgress = AProjectInProgress;
}

void TKVProjectItem::UpdateElementAvailData(quint32 AElementAvailId, const QVariant& ACountAvail,
                                            quint32 AUnitCountDBId, quint32 AUnitCountId,
                                            const QString& AUnitCountPrefix,
                                            const QVariant& ANominal, quint32 AUnitNominalDBId,
                                            quint32 AUnitNominalId,
                                            const QString& AUnitNominalPrefix) {
    FElementAvailId = AElementAvailId;
    const bool linked = AElementAvailId != 0;
    SetNullableNumber(linked ? ACountAvail : QVariant(), FCountAvail, FUsageAvail);
    SetNullableNumber(linked ? ANominal : QVariant(), FNominal, FUsageNominal);
    SetUnits(AUnitCountDBId, AUnitCountId, AUnitCountPrefix, AUnitNominalDBId, AUnitNominalId,
             AUnitNominalPrefix);
}

void TKVProjectItem::SetUnits(quint32 AUnitCountDBId, quint32 AUnitCountId,
                              const QString& AUnitCountPrefix, quint32 AUnitNominalDBId,
                              quint32 AUnitNominalId, const QString& AUnitNominalPrefix) {
    FUnitCountDBId = AUnitCountDBId;
    FUnitCountId = AUnitCountId;
    FUnitCountPrefix = KVSmallName(AUnitCountPrefix);
    FUnitNominalDBId = AUnitNominalDBId;
    FUnitNominalId = AUnitNominalId;
    FUnitNominalPrefix = KVSmallName(AUnitNominalPrefix);
}

void TKVProjectItemList::AddData(
    quint32 AId, quint32 AElementTypeDBId, quint32 AElementTypeId, quint32 AElementAvailId,
    const QString& AElementTypeName, double ACount, const QString& AText, TDateTime ACreateDateTime,
    TDateTime AUpdateDateTime, const QString& AProjectName, quint32 APIClassDBId,
    quint32 APIClassId, const QString& APIClassName, qint32 AElementTypeIconId,
    const QVariant& ACountAvail, quint32 AUnitCountDBId, quint32 AUnitCountId,
    const QString& AUnitCountPrefix, const QVariant& ANominal, quint32 AUnitNominalDBId,
    quint32 AUnitNominalId, const QString& AUnitNominalPrefix, const QString& ACaseTypeName) {
    TKVProjectItem* row = AppendNew(AId, FProjectId);
    row->UpdateData(AElementAvailId, AElementTypeName, ACount, AText, ACreateDateTime,
                    AUpdateDateTime, APIClassDBId, APIClassId, APIClassName, AElementTypeIconId,
                    QVariant(), AUnitCountDBId, AUnitCountId, AUnitCountPrefix, ANominal,
                    AUnitNominalDBId, AUnitNominalId, AUnitNominalPrefix, ACaseTypeName);
    // Loaded rows take the stock count as it comes, whatever the link.
    SetNullableNumber(ACountAvail, row->FCountAvail, row->FUsageAvail);
    row->UpdateElementTypeData(AElementTypeDBId, AElementTypeId, AElementTypeIconId);
    row->UpdateProjectData(AProjectName, false);
}

bool TKVProjectItemList::UpdateDataByPKey(
    quint32 AId, quint32 AElementTypeDBId, quint32 AElementTypeId, quint32 AElementAvailId,
    const QString& AElementTypeName, double ACount, const QString& AText, TDateTime ACreateDateTime,
    TDateTime AUpdateDateTime, const QString& /*AProjectName*/, quint32 APIClassDBId,
    quint32 APIClassId, const QString& APIClassName, qint32 AElementTypeIconId,
    const QVariant& ACountAvail, quint32 AUnitCountDBId, quint32 AUnitCountId,
    const QString& AUnitCountPrefix, const QVariant& ANominal, quint32 AUnitNominalDBId,
    quint32 AUnitNominalId, const QString& AUnitNominalPrefix, const QString& ACaseTypeName) {
    return UpdateByPKey({AId}, [&](TKVProjectItem& ARow) {
        ARow.UpdateClassData(APIClassDBId, APIClassId, APIClassName);
        ARow.UpdateElementTypeData(AElementTypeDBId, AElementTypeId, AElementTypeIconId);
        ARow.UpdateElementAvailData(AElementAvailId, ACountAvail, AUnitCountDBId, AUnitCountId,
                                    AUnitCountPrefix, ANominal, AUnitNominalDBId, AUnitNominalId,
                                    AUnitNominalPrefix);
        ARow.UpdateData(ACount, AText, ACreateDateTime, AUpdateDateTime, ACaseTypeName);
        ARow.UpdateElementTypeName(AElementTypeName);
    });
}

void TKVProjectItemList::SetProjectName(const QString& AProjectName) {
    FProjectName = KVName(AProjectName);
    ForEach([&](TKVProjectItem& ARow) {
        ARow.UpdateProjectData(FProjectName, ARow.ProjectInProgress());
    });
}

void TKVProjectItemList::SetElementTypeName(quint32 AElementTypeDBId, quint32 AElementTypeId,
                                            const QString& AElementTypeName) {
    ForEach([&](TKVProjectItem& ARow) {
        if (ARow.ElementTypeDBId() != AElementTypeDBId || ARow.ElementTypeId() != AElementTypeId)
            return;
        ARow.UpdateElementTypeName(AElementTypeName);
        if (FOnChangeElementTypeName)
            FOnChangeElementTypeName(this, ARow.Id(), ARow.ElementTypeName());
    });
}

void TKVProjectItemList::SetUnitCountPrefix(quint32 AUnitCountDBId, quint32 AUnitCountId,
                                            const QString& AUnitCountPrefix) {
    ForEach([&](TKVProjectItem& ARow) {
        if (ARow.UnitCountDBId() != AUnitCountDBId || ARow.UnitCountId() != AUnitCountId)
            return;
        ARow.FUnitCountPrefix = KVSmallName(AUnitCountPrefix);
        if (FOnChangeUnitCountPrefix)
            FOnChangeUnitCountPrefix(this, ARow.Id(), ARow.UnitCountPrefix());
    });
}

void TKVProjectItemList::SetUnitNominalPrefix(quint32 AUnitNominalDBId, quint32 AUnitNominalId,
                                              const QString& AUnitNominalPrefix) {
    ForEach([&](TKVProjectItem& ARow) {
        if (ARow.UnitNominalDBId() != AUnitNominalDBId || ARow.UnitNominalId() != AUnitNominalId)
            return;
        ARow.FUnitNominalPrefix = KVSmallName(AUnitNominalPrefix);
        if (FOnChangeUnitNominalPrefix)
            FOnChangeUnitNominalPrefix(this, ARow.Id(), ARow.UnitNominalPrefix());
    });
}
