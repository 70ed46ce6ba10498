#include "core/KVElementAvail.h"

#include <cmath>

TKVElementAvailNominalSearchType IndexToNominalSearchType(int AIndex) {
    return AIndex >= eanstMoreOrEqual && AIndex <= eanstInRange
               ? static_cast<TKVElementAvailNominalSearchType>(AIndex)
               : eanstEqual;
}

const QStringList& NominalSearchTypeNames() {
    static const QStringList names = {QStringLiteral("равно"), QStringLiteral("больше или равно"),
                                      QStringLiteral("меньше или равно"),
                                      QStringLiteral("в диапазоне")};
    return names;
}

QString GetNominalSearchCondition(TKVElementAvailNominalSearchType ANominalSearchType,
                                  quint32 /*ANominalSearchUnitDBId*/, quint32 ANominalSearchUnitId,
                                  double /*ANominalSearchValue1*/,
                                  double /*ANominalSearchValue2*/) {
    QString text;
    switch (ANominalSearchType) {
    case eanstEqual:
        text = QStringLiteral(" TEA.V_NOMINAL = :VAR_NSV1");
        break;
    case eanstMoreOrEqual:
        text = QStringLiteral(" TEA.V_NOMINAL >= :VAR_NSV1");
        break;
    case eanstLessOrEqual:
        text = QStringLiteral(" TEA.V_NOMINAL <= :VAR_NSV1");
        break;
    case eanstInRange:
        text = QStringLiteral(" TEA.V_NOMINAL >= :VAR_NSV1 AND TEA.V_NOMINAL <= :VAR_NSV2");
        break;
    }
    // The unit is told by its Id: an Id of 0 means any unit.
    if (ANominalSearchUnitId != 0)
        text += QStringLiteral(
            " AND TEA.UNITNOMDBID = :VAR_UNITNOMDBID AND TEA.UNITNOMID = :VAR_UNITNOMID");
    return text;
}

bool IsRevDateSearchDateSet(TDateTime ADate) {
    constexpr TDateTime firstDay = -693593;     // 0001-01-01
    constexpr TDateTime afterLastDay = 2958466; // 10000-01-01
    return ADate >= firstDay && ADate < afterLastDay;
}

QString GetRevDateSearchCondition(quint32 AStorageId, TDateTime ARevDateBegin,
                                  TDateTime ARevDateEnd) {
    // The parameters are compared as dates (a bound time of day is dropped); the end day
    // counts up to its last moment through "before the next day".
    QStringList parts;
    if (IsRevDateSearchDateSet(ARevDateBegin))
        parts += QStringLiteral(
            " ((TEA.C_TIMESTAMP >= CAST(:VAR_REVDATEBEGIN AS DATE) AND TEA.U_TIMESTAMP IS NULL)"
            " OR TEA.U_TIMESTAMP >= CAST(:VAR_REVDATEBEGIN AS DATE))");
    if (IsRevDateSearchDateSet(ARevDateEnd))
        parts += QStringLiteral(
            " ((TEA.C_TIMESTAMP < CAST(:VAR_REVDATEEND AS DATE) + 1 AND TEA.U_TIMESTAMP IS NULL)"
            " OR TEA.U_TIMESTAMP < CAST(:VAR_REVDATEEND AS DATE) + 1)");
    if (AStorageId != 0)
        parts += QStringLiteral(" TEA.STORAGEID = :VAR_STORAGEID");
    if (parts.isEmpty())
        return QStringLiteral(" 1 = 1");
    return parts.join(QStringLiteral(" AND"));
}

// --- Record ----------------------------------------------------------------------------------

void TKVElementAvail::UpdateData(
    quint32 AElementTypeDBId, quint32 AElementTypeId, quint32 AUnitNominalDBId,
    quint32 AUnitNominalId, double AUnitNominalFactor, quint32 AUnitCountDBId, quint32 AUnitCountId,
    quint32 AStorageId, const QVariant& ANominal, double ACount, double ANeed,
    const QString& AMarking, const QString& ACell, const QString& AText, quint32 AFlag,
    TDateTime ACreateDateTime, TDateTime AUpdateDateTime, quint32 AEAClassDBId, quint32 AEAClassId,
    const QString& AEAClassName, const QString& AElementTypeName, qint32 AElementTypeIconId,
    const QString& AUnitPrefixNominal, const QString& AUnitPrefixCount, const QString& AStorageName,
    quint32 ACaseDBId, quint32 ACaseId, const QString& ACaseTypeName,
    TKVCaseMountType ACaseMountType, TKVCaseVisualType ACasePttVisualType, double AReserved,
    bool APinExists) {
    FElementTypeDBId = AElementTypeDBId;
    FElementTypeId = AElementTypeId;
    FUnitNominalDBId = AUnitNominalDBId;
    FUnitNominalId = AUnitNominalId;
    FUnitNominalFactor = AUnitNominalFactor;
    FUnitCountDBId = AUnitCountDBId;
    FUnitCountId = AUnitCountId;
    FStorageId = AStorageId;
    UpdateData(AElementTypeName, ANominal, ACount, ANeed, AMarking, ACell, AText, AFlag,
               ACreateDateTime, AUpdateDateTime, ACaseTypeName, AReserved, APinExists);
    UpdateClassData(AEAClassDBId, AEAClassId, AEAClassName);
    FElementTypeIconId = AElementTypeIconId;
    FUnitPrefixNominal = KVSmallName(AUnitPrefixNominal);
    FUnitPrefixCount = KVSmallName(AUnitPrefixCount);
    FStorageName = KVName(AStorageName);
    FCaseDBId = ACaseDBId;
    FCaseId = ACaseId;
    FCaseMountType = ACaseMountType;
    FCasePttVisualType = ACasePttVisualType;
}

void TKVElementAvail::UpdateData(const QString& AElementTypeName, const QVariant& ANominal,
                                 double ACount, double ANeed, const QString& AMarking,
                                 const QString& ACell, const QString& AText, quint32 AFlag,
                                 TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                                 const QString& ACaseTypeName, double AReserved, bool APinExists) {
    UpdateData(ANominal, ACount, ANeed, AMarking, ACell, AText, AFlag, ACreateDateTime,
               AUpdateDateTime);
    FElementTypeName = KVName(AElementTypeName);
    FCaseTypeName = KVName(ACaseTypeName);
    FReserved = AReserved;
    FPinExists = APinExists;
}

void TKVElementAvail::UpdateData(const QVariant& ANominal, double ACount, double ANeed,
                                 const QString& AMarking, const QString& ACell,
                                 const QString& AText, quint32 AFlag, TDateTime ACreateDateTime,
                                 TDateTime AUpdateDateTime) {
    SetNullableNumber(ANominal, FNominal, FUsageNominal);
    FCount = ACount;
    FNeed = ANeed;
    FMarking = KVName(AMarking);
    FCell = KVName(ACell);
    FText = KVDescription(AText);
    FFlag = AFlag;
    FCreateDateTime = ACreateDateTime;
    FUpdateDateTime = AUpdateDateTime;
}

void TKVElementAvail::UpdateClassData(quint32 AEAClassDBId, quint32 AEAClassId,
                                      const QString& AEAClassName) {
    FEAClassDBId = AEAClassDBId;
    FEAClassId = AEAClassId;
    FEAClassName = KVName(AEAClassName);
}

void TKVElementAvail::UpdateElementTypeData(quint32 AElementTypeDBId, quint32 AElementTypeId,
                                            const QString& AElementTypeName) {
    FElementTypeDBId = AElementTypeDBId;
    FElementTypeId = AElementTypeId;
    FElementTypeName = KVName(AElementTypeName);
}

void TKVElementAvail::UpdateStorageData(quint32 AStorageId, const QString& AStorageName) {
    FStorageId = AStorageId;
    FStorageName = KVName(AStorageName);
}

void TKVElementAvail::UpdateNominalUnitData(quint32 AUnitNominalDBId, quint32 AUnitNominalId,
                                            double AUnitNominalFactor,
                                            const QString& AUnitPrefixNominal) {
    FUnitNominalDBId = AUnitNominalDBId;
    FUnitNominalId = AUnitNominalId;
    FUnitNominalFactor = AUnitNominalFactor;
    FUnitPrefixNominal = KVSmallName(AUnitPrefixNominal);
    if (AUnitNominalId == 0) {
        FNominal = 0;
        FUsageNominal = false;
    }
}

void TKVElementAvail::UpdateNominalData(double ANominal) {
    if (FUnitNominalId == 0)
        return;
    FNominal = ANominal;
    FUsageNominal = true;
}

void TKVElementAvail::UpdateCountUnitData(quint32 AUnitCountDBId, quint32 AUnitCountId,
                                          const QString& AUnitPrefixCount) {
    FUnitCountDBId = AUnitCountDBId;
    FUnitCountId = AUnitCountId;
    FUnitPrefixCount = KVSmallName(AUnitPrefixCount);
    if (AUnitCountId == 0)
        FCount = 0;
}

void TKVElementAvail::UpdateCountAndRevDate(double ACount, TDateTime ARevDateTime) {
    FCount = ACount;
    FUpdateDateTime = ARevDateTime;
}

// --- List ------------------------------------------------------------------------------------

std::unique_ptr<TKVElementAvailList>
TKVElementAvailList::CreateOnTypeName(const QString& ATypeNameStr) {
    auto list = std::make_unique<TKVElementAvailList>();
    list->FListSelectDataMode = easdmOnElementTypeName;
    list->FTypeNameStr = ATypeNameStr;
    return list;
}

std::unique_ptr<TKVElementAvailList> TKVElementAvailList::CreateOnStorage(quint32 AStorageId) {
    auto list = std::make_unique<TKVElementAvailList>();
    list->FListSelectDataMode = easdmOnStorage;
    list->FStorageId = AStorageId;
    return list;
}

std::unique_ptr<TKVElementAvailList>
TKVElementAvailList::CreateOnElementType(quint32 AElementTypeDBId, quint32 AElementTypeId) {
    auto list = std::make_unique<TKVElementAvailList>();
    list->FListSelectDataMode = easdmOnElementType;
    list->FElementTypeDBId = AElementTypeDBId;
    list->FElementTypeId = AElementTypeId;
    return list;
}

std::unique_ptr<TKVElementAvailList>
TKVElementAvailList::CreateOnNominal(TKVElementAvailNominalSearchType ANominalSearchType,
                                     double ANominalSearchValue1, double ANominalSearchValue2,
                                     quint32 ANominalSearchUnitDBId, quint32 ANominalSearchUnitId) {
    auto list = std::make_unique<TKVElementAvailList>();
    list->FListSelectDataMode = easdmOnNominal;
    list->FNominalSearchType = ANominalSearchType;
    list->FNominalSearchValue1 = ANominalSearchValue1;
    list->FNominalSearchValue2 = ANominalSearchValue2;
    list->FNominalSearchUnitDBId = ANominalSearchUnitDBId;
    list->FNominalSearchUnitId = ANominalSearchUnitId;
    return list;
}

std::unique_ptr<TKVElementAvailList> TKVElementAvailList::CreateOnRevDate(TDateTime ARevDateBegin,
                                                                          TDateTime ARevDateEnd,
                                                                          quint32 AStorageId) {
    auto list = std::make_unique<TKVElementAvailList>();
    list->FListSelectDataMode = easdmOnRevDate;
    list->FRevDateBegin = ARevDateBegin;
    list->FRevDateEnd = ARevDateEnd;
    list->FStorageId = AStorageId;
    return list;
}

std::unique_ptr<TKVElementAvailList>
TKVElementAvailList::CreateOnMarking(const QString& AMarkingStr) {
    auto list = std::make_unique<TKVElementAvailList>();
    list->FListSelectDataMode = easdmOnMarking;
    list->FMarkingStr = AMarkingStr;
    return list;
}

void TKVElementAvailList::AddData(
    quint32 AId, quint32 AElementTypeDBId, quint32 AElementTypeId, quint32 AUnitNominalDBId,
    quint32 AUnitNominalId, double AUnitNominalFactor, quint32 AUnitCountDBId, quint32 AUnitCountId,
    quint32 AStorageId, const QVariant& ANominal, double ACount, double ANeed,
    const QString& AMarking, const QString& ACell, const QString& AText, quint32 AFlag,
    TDateTime ACreateDateTime, TDateTime AUpdateDateTime, quint32 AEAClassDBId, quint32 AEAClassId,
    const QString& AEAClassName, const QString& AElementTypeName, qint32 AElementTypeIconId,
    const QString& AUnitPrefixNominal, const QString& AUnitPrefixCount, const QString& AStorageName,
    quint32 ACaseDBId, quint32 ACaseId, const QString& ACaseTypeName,
    TKVCaseMountType ACaseMountType, TKVCaseVisualType ACasePttVisualType, double AReserved,
    bool APinExists) {
    AppendNew(AId, AElementTypeDBId, AElementTypeId)
        ->UpdateData(AElementTypeDBId, AElementTypeId, AUnitNominalDBId, AUnitNominalId,
                     AUnitNominalFactor, AUnitCountDBId, AUnitCountId, AStorageId, ANominal, ACount,
                     ANeed, AMarking, ACell, AText, AFlag, ACreateDateTime, AUpdateDateTime,
                     AEAClassDBId, AEAClassId, AEAClassName, AElementTypeName, AElementTypeIconId,
                     AUnitPrefixNominal, AUnitPrefixCount, AStorageName, ACaseDBId, ACaseId,
                     ACaseTypeName, ACaseMountType, ACasePttVisualType, AReserved, APinExists);
}

bool TKVElementAvailList::UpdateDataByPKey(
    quint32 AId, quint32 AElementTypeDBId, quint32 AElementTypeId, quint32 AUnitNominalDBId,
    quint32 AUnitNominalId, double AUnitNominalFactor, quint32 AUnitCountDBId, quint32 AUnitCountId,
    quint32 AStorageId, const QVariant& ANominal, double ACount, double ANeed,
    const QString& AMarking, const QString& ACell, const QString& AText, quint32 AFlag,
    TDateTime ACreateDateTime, TDateTime AUpdateDateTime, quint32 AEAClassDBId, quint32 AEAClassId,
    const QString& AEAClassName, const QString& AElementTypeName, qint32 AElementTypeIconId,
    const QString& AUnitPrefixNominal, const QString& AUnitPrefixCount, const QString& AStorageName,
    quint32 ACaseDBId, quint32 ACaseId, const QString& ACaseTypeName,
    TKVCaseMountType ACaseMountType, TKVCaseVisualType ACasePttVisualType, double AReserved,
    bool APinExists) {
    return UpdateByPKey({AId}, [&](TKVElementAvail& ARow) {
        ARow.UpdateData(AElementTypeDBId, AElementTypeId, AUnitNominalDBId, AUnitNominalId,
                        AUnitNominalFactor, AUnitCountDBId, AUnitCountId, AStorageId, ANominal,
                        ACount, ANeed, AMarking, ACell, AText, AFlag, ACreateDateTime,
                        AUpdateDateTime, AEAClassDBId, AEAClassId, AEAClassName, AElementTypeName,
                        AElementTypeIconId, AUnitPrefixNominal, AUnitPrefixCount, AStorageName,
                        ACaseDBId, ACaseId, ACaseTypeName, ACaseMountType, ACasePttVisualType,
                        AReserved, APinExists);
    });
}

void TKVElementAvailList::SetElementTypeName(quint32 AElementTypeDBId, quint32 AElementTypeId,
                                             const QString& AElementTypeName) {
    if (FListSelectDataMode == easdmOnElementType) {
        FElementTypeDBId = AElementTypeDBId;
        FElementTypeId = AElementTypeId;
        FElementTypeName = KVName(AElementTypeName);
    }
    ForEach([&](TKVElementAvail& ARow) {
        if (ARow.ElementTypeDBId() != AElementTypeDBId || ARow.ElementTypeId() != AElementTypeId)
            return;
        ARow.UpdateElementTypeData(AElementTypeDBId, AElementTypeId, AElementTypeName);
        if (FOnChangeElementTypeName)
            FOnChangeElementTypeName(this, ARow.Id(), ARow.ElementTypeName());
    });
}

void TKVElementAvailList::SetStorageName(quint32 AStorageId, const QString& AStorageName) {
    if (FListSelectDataMode == easdmOnStorage) {
        FStorageId = AStorageId;
        FStorageName = KVName(AStorageName);
    }
    ForEach([&](TKVElementAvail& ARow) {
        if (ARow.StorageId() != AStorageId)
            return;
        ARow.UpdateStorageData(AStorageId, AStorageName);
        if (FOnChangeStorageName)
            FOnChangeStorageName(this, ARow.Id(), ARow.StorageName());
    });
}

void TKVElementAvailList::SetUnitPrefixNominal(quint32 AUnitNominalDBId, quint32 AUnitNominalId,
                                               const QString& AUnitPrefixNominal) {
    ForEach([&](TKVElementAvail& ARow) {
        if (ARow.UnitNominalDBId() != AUnitNominalDBId || ARow.UnitNominalId() != AUnitNominalId)
            return;
        ARow.FUnitPrefixNominal = KVSmallName(AUnitPrefixNominal);
        if (FOnChangeUnitPrefixNominal)
            FOnChangeUnitPrefixNominal(this, ARow.Id(), ARow.UnitPrefixNominal());
    });
}

void TKVElementAvailList::SetUnitPrefixCount(quint32 AUnitCountDBId, quint32 AUnitCountId,
                                             const QString& AUnitPrefixCount) {
    ForEach([&](TKVElementAvail& ARow) {
        if (ARow.UnitCountDBId() != AUnitCountDBId || ARow.UnitCountId() != AUnitCountId)
            return;
        ARow.FUnitPrefixCount = KVSmallName(AUnitPrefixCount);
        if (FOnChangeUnitPrefixCount)
            FOnChangeUnitPrefixCount(this, ARow.Id(), ARow.UnitPrefixCount());
    });
}
