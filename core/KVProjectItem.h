#pragma once

// Project items (T_PROJECT_ITEM): the components one device of a project needs, each naming
// an element type, a stock record it draws on, or both.

#include "core/KVList.h"

class TKVProjectItem : public TKVLocalRow {
public:
    TKVProjectItem(quint32 AId, quint32 AProjectId) : TKVLocalRow(AId), FProjectId(AProjectId) {}

    // The stock link, name, count, note, timestamps, class, icon, both units and the case type
    // name. ACountAvail is taken when the new stock link is not 0 and it is a number, ANominal
    // whenever it is a number. The element-type key and the project data stay.
    void UpdateData(quint32 AElementAvailId, const QString& AElementTypeName, double ACount,
                    const QString& AText, TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                    quint32 APIClassDBId, quint32 APIClassId, const QString& APIClassName,
                    qint32 AElementTypeIconId, const QVariant& ACountAvail, quint32 AUnitCountDBId,
                    quint32 AUnitCountId, const QString& AUnitCountPrefix, const QVariant& ANominal,
                    quint32 AUnitNominalDBId, quint32 AUnitNominalId,
                    const QString& AUnitNominalPrefix, const QString& ACaseTypeName);
    // The fields the item card edits.
    void UpdateData(double ACount, const QString& AText, TDateTime ACreateDateTime,
                    TDateTime AUpdateDateTime, const QString& ACaseTypeName);
    void UpdateElementTypeName(const QString& AElementTypeName) {
        FElementTypeName = KVName(AElementTypeName);
    }
    void UpdateClassData(quint32 APIClassDBId, quint32 APIClassId, const QString& APIClassName);
    // UsageElementType becomes True exactly when AElementTypeId is not 0.
    void UpdateElementTypeData(quint32 AElementTypeDBId, quint32 AElementTypeId,
                               qint32 AElementTypeIconId);
    void UpdateProjectData(const QString& AProjectName, bool AProjectInProgress);
    // ACountAvail and ANominal are each taken only when AElementAvailId is not 0 and the value
    // is a number; the unit keys and prefixes always.
    void UpdateElementAvailData(quint32 AElementAvailId, const QVariant& ACountAvail,
                                quint32 AUnitCountDBId, quint32 AUnitCountId,
                                const QString& AUnitCountPrefix, const QVariant& ANominal,
                                quint32 AUnitNominalDBId, quint32 AUnitNominalId,
                                const QString& AUnitNominalPrefix);

    quint32 ProjectId() const { return FProjectId; }
    quint32 ElementTypeDBId() const { return FElementTypeDBId; }
    quint32 ElementTypeId() const { return FElementTypeId; }
    // 0: the item draws on no stock record.
    quint32 ElementAvailId() const { return FElementAvailId; }
    const TKVName& ElementTypeName() const { return FElementTypeName; }
    // Quantity for one device.
    double Count() const { return FCount; }
    const TKVDescription& Text() const { return FText; }
    TDateTime CreateDateTime() const { return FCreateDateTime; }
    TDateTime UpdateDateTime() const { return FUpdateDateTime; }
    const TKVName& ProjectName() const { return FProjectName; }
    bool ProjectInProgress() const { return FProjectInProgress; }
    quint32 PIClassDBId() const { return FPIClassDBId; }
    quint32 PIClassId() const { return FPIClassId; }
    const TKVName& PIClassName() const { return FPIClassName; }
    qint32 ElementTypeIconId() const { return FElementTypeIconId; }
    double CountAvail() const { return FCountAvail; }
    quint32 UnitCountDBId() const { return FUnitCountDBId; }
    quint32 UnitCountId() const { return FUnitCountId; }
    const TKVSmallName& UnitCountPrefix() const { return FUnitCountPrefix; }
    double Nominal() const { return FNominal; }
    quint32 UnitNominalDBId() const { return FUnitNominalDBId; }
    quint32 UnitNominalId() const { return FUnitNominalId; }
    const TKVSmallName& UnitNominalPrefix() const { return FUnitNominalPrefix; }
    const TKVName& CaseTypeName() const { return FCaseTypeName; }
    bool UsageElementType() const { return FUsageElementType; }
    bool UsageAvail() const { return FUsageAvail; }
    bool UsageNominal() const { return FUsageNominal; }

private:
    friend class TKVProjectItemList; // renames unit prefixes

    void SetUnits(quint32 AUnitCountDBId, quint32 AUnitCountId, const QString& AUnitCountPrefix,
                  quint32 AUnitNominalDBId, quint32 AUnitNominalId,
                  const QString& AUnitNominalPrefix);

    quint32 FProjectId;
    quint32 FElementTypeDBId = 0;
    quint32 FElementTypeId = 0;
    quint32 FElementAvailId = 0;
    TKVName FElementTypeName;
    double FCount = 0;
    TKVDescription FText;
    TDateTime FCreateDateTime = 0;
    TDateTime FUpdateDateTime = 0;
    TKVName FProjectName;
    bool FProjectInProgress = false;
    quint32 FPIClassDBId = 0;
    quint32 FPIClassId = 0;
    TKVName FPIClassName;
    qint32 FElementTypeIconId = -1;
    double FCountAvail = 0;
    quint32 FUnitCountDBId = 0;
    quint32 FUnitCountId = 0;
    TKVSmallName FUnitCountPrefix;
    double FNominal = 0;
    quint32 FUnitNominalDBId = 0;
    quint32 FUnitNominalId = 0;
    TKVSmallName FUnitNominalPrefix;
    TKVName FCaseTypeName;
    bool FUsageElementType = false;
    bool FUsageAvail = false;
    bool FUsageNominal = false;
};

// The items of one project.
class TKVProjectItemList : public TKVList<TKVProjectItem> {
public:
    explicit TKVProjectItemList(quint32 AProjectId) : FProjectId(AProjectId) {}

    // A row of the list's project with these values; the counts are taken whenever they are
    // numbers; the row's ProjectInProgress stays False (the list's tells).
    void AddData(quint32 AId, quint32 AElementTypeDBId, quint32 AElementTypeId,
                 quint32 AElementAvailId, const QString& AElementTypeName, double ACount,
                 const QString& AText, TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                 const QString& AProjectName, quint32 APIClassDBId, quint32 APIClassId,
                 const QString& APIClassName, qint32 AElementTypeIconId,
                 const QVariant& ACountAvail, quint32 AUnitCountDBId, quint32 AUnitCountId,
                 const QString& AUnitCountPrefix, const QVariant& ANominal,
                 quint32 AUnitNominalDBId, quint32 AUnitNominalId,
                 const QString& AUnitNominalPrefix, const QString& ACaseTypeName);
    // Class, element type, stock link (with its rule), the edited fields and the name;
    // AProjectName is not used.
    bool UpdateDataByPKey(quint32 AId, quint32 AElementTypeDBId, quint32 AElementTypeId,
                          quint32 AElementAvailId, const QString& AElementTypeName, double ACount,
                          const QString& AText, TDateTime ACreateDateTime,
                          TDateTime AUpdateDateTime, const QString& AProjectName,
                          quint32 APIClassDBId, quint32 APIClassId, const QString& APIClassName,
                          qint32 AElementTypeIconId, const QVariant& ACountAvail,
                          quint32 AUnitCountDBId, quint32 AUnitCountId,
                          const QString& AUnitCountPrefix, const QVariant& ANominal,
                          quint32 AUnitNominalDBId, quint32 AUnitNominalId,
                          const QString& AUnitNominalPrefix, const QString& ACaseTypeName);

    // The list's project name and that of every row.
    void SetProjectName(const QString& AProjectName);
    // The list's flag only.
    void SetProjectInProgress(bool AProjectInProgress) { FProjectInProgress = AProjectInProgress; }
    // Every row of that element type takes the name; OnChangeElementTypeName per row.
    void SetElementTypeName(quint32 AElementTypeDBId, quint32 AElementTypeId,
                            const QString& AElementTypeName);
    // Every row of that count (nominal) unit takes the prefix; the matching event per row.
    void SetUnitCountPrefix(quint32 AUnitCountDBId, quint32 AUnitCountId,
                            const QString& AUnitCountPrefix);
    void SetUnitNominalPrefix(quint32 AUnitNominalDBId, quint32 AUnitNominalId,
                              const QString& AUnitNominalPrefix);

    quint32 ProjectId() const { return FProjectId; }
    const TKVName& ProjectName() const { return FProjectName; }
    bool ProjectInProgress() const { return FProjectInProgress; }
    const TKVOnChangeStrParamNameInLocalItem& OnChangeElementTypeName() const {
        return FOnChangeElementTypeName;
    }
    void SetOnChangeElementTypeName(TKVOnChangeStrParamNameInLocalItem AEvent) {
        FOnChangeElementTypeName = std::move(AEvent);
    }
    const TKVOnChangeStrParamSmallNameInLocalItem& OnChangeUnitCountPrefix() const {
        return FOnChangeUnitCountPrefix;
    }
    void SetOnChangeUnitCountPrefix(TKVOnChangeStrParamSmallNameInLocalItem AEvent) {
        FOnChangeUnitCountPrefix = std::move(AEvent);
    }
    const TKVOnChangeStrParamSmallNameInLocalItem& OnChangeUnitNominalPrefix() const {
        return FOnChangeUnitNominalPrefix;
    }
    void SetOnChangeUnitNominalPrefix(TKVOnChangeStrParamSmallNameInLocalItem AEvent) {
        FOnChangeUnitNominalPrefix = std::move(AEvent);
    }

private:
    quint32 FProjectId;
    TKVName FProjectName;
    bool FProjectInProgress = false;
    TKVOnChangeStrParamNameInLocalItem FOnChangeElementTypeName;
    TKVOnChangeStrParamSmallNameInLocalItem FOnChangeUnitCountPrefix;
    TKVOnChangeStrParamSmallNameInLocalItem FOnChangeUnitNominalPrefix;
};
