#pragma once

// Stock records (T_ELEMENT_AVAIL): how many components of one kind lie in one storage place,
// and the SQL conditions by which the stock windows select them by nominal value and by
// revision date.

#include "core/KVCase.h"

enum TKVElementAvailListSelectDataMode {
    easdmAll,
    easdmOnElementTypeName,
    easdmOnStorage,
    easdmOnElementType,
    easdmOnNominal,
    easdmOnRevDate,
    easdmOnMarking
};

enum TKVElementAvailNominalSearchType {
    eanstEqual,
    eanstMoreOrEqual,
    eanstLessOrEqual,
    eanstInRange
};

// 1..3 give their value; any other index eanstEqual.
TKVElementAvailNominalSearchType IndexToNominalSearchType(int AIndex);
// Display names of the nominal search types, in enumeration order.
const QStringList& NominalSearchTypeNames();

// A condition on the stock table under the alias TEA, to follow "WHERE ". The caller binds
// VAR_NSV1 (value 1), VAR_NSV2 (value 2, range only) and, when AUnitId is not 0,
// VAR_UNITNOMDBID and VAR_UNITNOMID; the values never enter the text.
QString GetNominalSearchCondition(TKVElementAvailNominalSearchType ANominalSearchType,
                                  quint32 ANominalSearchUnitDBId, quint32 ANominalSearchUnitId,
                                  double ANominalSearchValue1, double ANominalSearchValue2);

// A search date is set from 0001-01-01 to 9999-12-31; the date editors' empty value lies far
// below.
bool IsRevDateSearchDateSet(TDateTime ADate);

// A condition on TEA selecting the records whose revision date (U_TIMESTAMP, or C_TIMESTAMP
// while that is NULL) falls on or after the day of ARevDateBegin and on or before the day of
// ARevDateEnd, the whole end day included; the dates that are not set do not restrict. With
// AStorageId not 0 only that storage place. With nothing to restrict the text is " 1 = 1".
// The caller binds VAR_REVDATEBEGIN, VAR_REVDATEEND (any time of the day) and VAR_STORAGEID
// exactly when the text names them.
QString GetRevDateSearchCondition(quint32 AStorageId, TDateTime ARevDateBegin,
                                  TDateTime ARevDateEnd);

class TKVElementAvail : public TKVLocalRow {
public:
    // Element type 0, 0: the record carries a free type name.
    TKVElementAvail(quint32 AId, quint32 AElementTypeDBId, quint32 AElementTypeId)
        : TKVLocalRow(AId), FElementTypeDBId(AElementTypeDBId), FElementTypeId(AElementTypeId) {}

    // Every field but the key; ANominal is nullable.
    void UpdateData(quint32 AElementTypeDBId, quint32 AElementTypeId, quint32 AUnitNominalDBId,
                    quint32 AUnitNominalId, double AUnitNominalFactor, quint32 AUnitCountDBId,
                    quint32 AUnitCountId, quint32 AStorageId, const QVariant& ANominal,
                    double ACount, double ANeed, const QString& AMarking, const QString& ACell,
                    const QString& AText, quint32 AFlag, TDateTime ACreateDateTime,
                    TDateTime AUpdateDateTime, quint32 AEAClassDBId, quint32 AEAClassId,
                    const QString& AEAClassName, const QString& AElementTypeName,
                    qint32 AElementTypeIconId, const QString& AUnitPrefixNominal,
                    const QString& AUnitPrefixCount, const QString& AStorageName, quint32 ACaseDBId,
                    quint32 ACaseId, const QString& ACaseTypeName, TKVCaseMountType ACaseMountType,
                    TKVCaseVisualType ACasePttVisualType, double AReserved, bool APinExists);
    void UpdateData(const QString& AElementTypeName, const QVariant& ANominal, double ACount,
                    double ANeed, const QString& AMarking, const QString& ACell,
                    const QString& AText, quint32 AFlag, TDateTime ACreateDateTime,
                    TDateTime AUpdateDateTime, const QString& ACaseTypeName, double AReserved,
                    bool APinExists);
    // What the stock card edits.
    void UpdateData(const QVariant& ANominal, double ACount, double ANeed, const QString& AMarking,
                    const QString& ACell, const QString& AText, quint32 AFlag,
                    TDateTime ACreateDateTime, TDateTime AUpdateDateTime);
    void UpdateClassData(quint32 AEAClassDBId, quint32 AEAClassId, const QString& AEAClassName);
    void UpdateElementTypeData(quint32 AElementTypeDBId, quint32 AElementTypeId,
                               const QString& AElementTypeName);
    void UpdateStorageData(quint32 AStorageId, const QString& AStorageName);
    // Without a nominal unit (Id 0) the record has no nominal.
    void UpdateNominalUnitData(quint32 AUnitNominalDBId, quint32 AUnitNominalId,
                               double AUnitNominalFactor, const QString& AUnitPrefixNominal);
    // Sets the nominal only while the record has a nominal unit.
    void UpdateNominalData(double ANominal);
    // Without a count unit (Id 0) the count becomes 0.
    void UpdateCountUnitData(quint32 AUnitCountDBId, quint32 AUnitCountId,
                             const QString& AUnitPrefixCount);
    // The quick count change: the count and the revision time.
    void UpdateCountAndRevDate(double ACount, TDateTime ARevDateTime);

    quint32 ElementTypeDBId() const { return FElementTypeDBId; }
    quint32 ElementTypeId() const { return FElementTypeId; }
    quint32 UnitNominalDBId() const { return FUnitNominalDBId; }
    quint32 UnitNominalId() const { return FUnitNominalId; }
    double UnitNominalFactor() const { return FUnitNominalFactor; }
    quint32 UnitCountDBId() const { return FUnitCountDBId; }
    quint32 UnitCountId() const { return FUnitCountId; }
    quint32 StorageId() const { return FStorageId; }
    double Nominal() const { return FNominal; }
    double Count() const { return FCount; }
    double Need() const { return FNeed; }
    const TKVName& Marking() const { return FMarking; }
    const TKVName& Cell() const { return FCell; }
    const TKVDescription& Text() const { return FText; }
    // Bit 1: the count is approximate.
    quint32 Flag() const { return FFlag; }
    TDateTime CreateDateTime() const { return FCreateDateTime; }
    TDateTime UpdateDateTime() const { return FUpdateDateTime; }
    quint32 EAClassDBId() const { return FEAClassDBId; }
    quint32 EAClassId() const { return FEAClassId; }
    const TKVName& EAClassName() const { return FEAClassName; }
    const TKVName& ElementTypeName() const { return FElementTypeName; }
    qint32 ElementTypeIconId() const { return FElementTypeIconId; }
    const TKVSmallName& UnitPrefixNominal() const { return FUnitPrefixNominal; }
    const TKVSmallName& UnitPrefixCount() const { return FUnitPrefixCount; }
    const TKVName& StorageName() const { return FStorageName; }
    quint32 CaseDBId() const { return FCaseDBId; }
    quint32 CaseId() const { return FCaseId; }
    const TKVName& CaseTypeName() const { return FCaseTypeName; }
    TKVCaseMountType CaseMountType() const { return FCaseMountType; }
    TKVCaseVisualType CasePttVisualType() const { return FCasePttVisualType; }
    // Count reserved by projects.
    double Reserved() const { return FReserved; }
    bool PinExists() const { return FPinExists; }
    bool UsageNominal() const { return FUsageNominal; }

private:
    // Renames a unit's prefix without the side effects of the unit setters.
    friend class TKVElementAvailList;

    quint32 FElementTypeDBId;
    quint32 FElementTypeId;
    quint32 FUnitNominalDBId = 0;
    quint32 FUnitNominalId = 0;
    double FUnitNominalFactor = 1.0;
    quint32 FUnitCountDBId = 0;
    quint32 FUnitCountId = 0;
    quint32 FStorageId = 0;
    double FNominal = 0;
    double FCount = 0;
    double FNeed = 0;
    TKVName FMarking;
    TKVName FCell;
    TKVDescription FText;
    quint32 FFlag = 0;
    TDateTime FCreateDateTime = 0;
    TDateTime FUpdateDateTime = 0;
    quint32 FEAClassDBId = 0;
    quint32 FEAClassId = 0;
    TKVName FEAClassName;
    TKVName FElementTypeName;
    qint32 FElementTypeIconId = -1;
    TKVSmallName FUnitPrefixNominal;
    TKVSmallName FUnitPrefixCount;
    TKVName FStorageName;
    quint32 FCaseDBId = 0;
    quint32 FCaseId = 0;
    TKVName FCaseTypeName;
    TKVCaseMountType FCaseMountType = cmtUnknown;
    TKVCaseVisualType FCasePttVisualType = cvtUntyped;
    double FReserved = 0;
    bool FPinExists = false;
    bool FUsageNominal = false;
};

// Stock records loaded in one of seven modes; the list keeps the mode and the search values of
// its load. The default constructor gives easdmAll.
class TKVElementAvailList : public TKVList<TKVElementAvail> {
public:
    using TKVList::GetItemByPKey;

    TKVElementAvailList() = default;
    static std::unique_ptr<TKVElementAvailList> CreateOnTypeName(const QString& ATypeNameStr);
    static std::unique_ptr<TKVElementAvailList> CreateOnStorage(quint32 AStorageId);
    static std::unique_ptr<TKVElementAvailList> CreateOnElementType(quint32 AElementTypeDBId,
                                                                    quint32 AElementTypeId);
    static std::unique_ptr<TKVElementAvailList>
    CreateOnNominal(TKVElementAvailNominalSearchType ANominalSearchType,
                    double ANominalSearchValue1, double ANominalSearchValue2,
                    quint32 ANominalSearchUnitDBId, quint32 ANominalSearchUnitId);
    // AStorageId 0: any place.
    static std::unique_ptr<TKVElementAvailList>
    CreateOnRevDate(TDateTime ARevDateBegin, TDateTime ARevDateEnd, quint32 AStorageId);
    static std::unique_ptr<TKVElementAvailList> CreateOnMarking(const QString& AMarkingStr);

    void AddData(quint32 AId, quint32 AElementTypeDBId, quint32 AElementTypeId,
                 quint32 AUnitNominalDBId, quint32 AUnitNominalId, double AUnitNominalFactor,
                 quint32 AUnitCountDBId, quint32 AUnitCountId, quint32 AStorageId,
                 const QVariant& ANominal, double ACount, double ANeed, const QString& AMarking,
                 const QString& ACell, const QString& AText, quint32 AFlag,
                 TDateTime ACreateDateTime, TDateTime AUpdateDateTime, quint32 AEAClassDBId,
                 quint32 AEAClassId, const QString& AEAClassName, const QString& AElementTypeName,
                 qint32 AElementTypeIconId, const QString& AUnitPrefixNominal,
                 const QString& AUnitPrefixCount, const QString& AStorageName, quint32 ACaseDBId,
                 quint32 ACaseId, const QString& ACaseTypeName, TKVCaseMountType ACaseMountType,
                 TKVCaseVisualType ACasePttVisualType, double AReserved, bool APinExists);
    // The record's long UpdateData.
    bool UpdateDataByPKey(quint32 AId, quint32 AElementTypeDBId, quint32 AElementTypeId,
                          quint32 AUnitNominalDBId, quint32 AUnitNominalId,
                          double AUnitNominalFactor, quint32 AUnitCountDBId, quint32 AUnitCountId,
                          quint32 AStorageId, const QVariant& ANominal, double ACount, double ANeed,
                          const QString& AMarking, const QString& ACell, const QString& AText,
                          quint32 AFlag, TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                          quint32 AEAClassDBId, quint32 AEAClassId, const QString& AEAClassName,
                          const QString& AElementTypeName, qint32 AElementTypeIconId,
                          const QString& AUnitPrefixNominal, const QString& AUnitPrefixCount,
                          const QString& AStorageName, quint32 ACaseDBId, quint32 ACaseId,
                          const QString& ACaseTypeName, TKVCaseMountType ACaseMountType,
                          TKVCaseVisualType ACasePttVisualType, double AReserved, bool APinExists);

    // In easdmOnElementType the list's element-type key and name take the values; every
    // record of that element type takes the name; OnChangeElementTypeName per record.
    void SetElementTypeName(quint32 AElementTypeDBId, quint32 AElementTypeId,
                            const QString& AElementTypeName);
    // In easdmOnStorage the list's place and name take the values; every record of place
    // AStorageId takes the name; OnChangeStorageName per record.
    void SetStorageName(quint32 AStorageId, const QString& AStorageName);
    // Every record of that unit takes the prefix; the matching event per record.
    void SetUnitPrefixNominal(quint32 AUnitNominalDBId, quint32 AUnitNominalId,
                              const QString& AUnitPrefixNominal);
    void SetUnitPrefixCount(quint32 AUnitCountDBId, quint32 AUnitCountId,
                            const QString& AUnitPrefixCount);
    void SetNominalSearchUnitPrefix(const QString& ANominalSearchUnitPrefix) {
        FNominalSearchUnitPrefix = KVSmallName(ANominalSearchUnitPrefix);
    }

    TKVElementAvailListSelectDataMode ListSelectDataMode() const { return FListSelectDataMode; }
    quint32 ElementTypeDBId() const { return FElementTypeDBId; }
    quint32 ElementTypeId() const { return FElementTypeId; }
    const TKVName& ElementTypeName() const { return FElementTypeName; }
    quint32 StorageId() const { return FStorageId; }
    const TKVName& StorageName() const { return FStorageName; }
    const QString& TypeNameStr() const { return FTypeNameStr; }
    const QString& MarkingStr() const { return FMarkingStr; }
    TKVElementAvailNominalSearchType NominalSearchType() const { return FNominalSearchType; }
    double NominalSearchValue1() const { return FNominalSearchValue1; }
    double NominalSearchValue2() const { return FNominalSearchValue2; }
    quint32 NominalSearchUnitDBId() const { return FNominalSearchUnitDBId; }
    quint32 NominalSearchUnitId() const { return FNominalSearchUnitId; }
    const TKVSmallName& NominalSearchUnitPrefix() const { return FNominalSearchUnitPrefix; }
    TDateTime RevDateBegin() const { return FRevDateBegin; }
    TDateTime RevDateEnd() const { return FRevDateEnd; }

    const TKVOnChangeStrParamNameInLocalItem& OnChangeElementTypeName() const {
        return FOnChangeElementTypeName;
    }
    void SetOnChangeElementTypeName(TKVOnChangeStrParamNameInLocalItem AEvent) {
        FOnChangeElementTypeName = std::move(AEvent);
    }
    const TKVOnChangeStrParamNameInLocalItem& OnChangeStorageName() const {
        return FOnChangeStorageName;
    }
    void SetOnChangeStorageName(TKVOnChangeStrParamNameInLocalItem AEvent) {
        FOnChangeStorageName = std::move(AEvent);
    }
    const TKVOnChangeStrParamSmallNameInLocalItem& OnChangeUnitPrefixNominalName() const {
        return FOnChangeUnitPrefixNominal;
    }
    void SetOnChangeUnitPrefixNominalName(TKVOnChangeStrParamSmallNameInLocalItem AEvent) {
        FOnChangeUnitPrefixNominal = std::move(AEvent);
    }
    const TKVOnChangeStrParamSmallNameInLocalItem& OnChangeUnitPrefixCountName() const {
        return FOnChangeUnitPrefixCount;
    }
    void SetOnChangeUnitPrefixCountName(TKVOnChangeStrParamSmallNameInLocalItem AEvent) {
        FOnChangeUnitPrefixCount = std::move(AEvent);
    }

    static TKVCaseMountType IndexToMountType(int AIndex) { return ::IndexToMountType(AIndex); }
    static TKVCaseVisualType IndexToPttVisualType(int AIndex) {
        return ::IndexToPttVisualType(AIndex);
    }

private:
    TKVElementAvailListSelectDataMode FListSelectDataMode = easdmAll;
    quint32 FElementTypeDBId = 0;
    quint32 FElementTypeId = 0;
    TKVName FElementTypeName;
    quint32 FStorageId = 0;
    TKVName FStorageName;
    QString FTypeNameStr;
    QString FMarkingStr;
    TKVElementAvailNominalSearchType FNominalSearchType = eanstEqual;
    double FNominalSearchValue1 = 0;
    double FNominalSearchValue2 = 0;
    quint32 FNominalSearchUnitDBId = 0;
    quint32 FNominalSearchUnitId = 0;
    TKVSmallName FNominalSearchUnitPrefix;
    TDateTime FRevDateBegin = 0;
    TDateTime FRevDateEnd = 0;
    TKVOnChangeStrParamNameInLocalItem FOnChangeElementTypeName;
    TKVOnChangeStrParamNameInLocalItem FOnChangeStorageName;
    TKVOnChangeStrParamSmallNameInLocalItem FOnChangeUnitPrefixNominal;
    TKVOnChangeStrParamSmallNameInLocalItem FOnChangeUnitPrefixCount;
};
