#pragma once

// Parameter values of element types (T_PARAM), each normally bound to a base parameter of the
// type's class. The flag word is described with ParamValueToStr.

#include "core/KVList.h"

class TKVParam : public TKVDBRow {
public:
    TKVParam(quint32 ADBId, quint32 AId, quint32 AElementTypeDBId, quint32 AElementTypeId)
        : TKVDBRow(ADBId, AId), FElementTypeDBId(AElementTypeDBId), FElementTypeId(AElementTypeId) {
    }

    // AMinVal, ATypeVal, AMaxVal and ABoolVal are nullable: a number sets the value and its
    // usage flag (the Boolean is True above 0), anything else clears both. Neither overload
    // changes the element-type key.
    void UpdateData(quint32 ABaseParamDBId, quint32 ABaseParamId, quint32 AUnitDBId,
                    quint32 AUnitId, const QString& AName, const QString& ADescription,
                    const QVariant& AMinVal, const QVariant& ATypeVal, const QVariant& AMaxVal,
                    const QString& ATextVal, const QVariant& ABoolVal, const QString& ATestCond,
                    const QString& AUPId, quint32 AFlag, TDateTime ACreateDateTime,
                    TDateTime AUpdateDateTime, TDateTime AReplDateTime,
                    const QString& AElementTypeName, quint32 AElementTypeClassDBId,
                    quint32 AElementTypeClassId, const QString& AElementTypeClassName,
                    const QString& AUnitPrefix, const QString& ABaseParamName,
                    quint32 ABaseParamClassDBId, quint32 ABaseParamClassId,
                    const QString& ABaseParamClassName);
    // Keys and denormalised names stay.
    void UpdateData(const QString& AName, const QString& ADescription, const QVariant& AMinVal,
                    const QVariant& ATypeVal, const QVariant& AMaxVal, const QString& ATextVal,
                    const QVariant& ABoolVal, const QString& ATestCond, const QString& AUPId,
                    quint32 AFlag, TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                    TDateTime AReplDateTime);
    void UpdateElementTypeData(quint32 AElementTypeDBId, quint32 AElementTypeId,
                               const QString& AElementTypeName);
    void UpdateElementTypeClassData(quint32 AElementTypeClassDBId, quint32 AElementTypeClassId,
                                    const QString& AElementTypeClassName);
    void UpdateUnitData(quint32 AUnitDBId, quint32 AUnitId, const QString& AUnitPrefix);
    void UpdateBaseParamData(quint32 ABaseParamDBId, quint32 ABaseParamId,
                             const QString& ABaseParamName);
    void UpdateBaseParamClassData(quint32 ABaseParamClassDBId, quint32 ABaseParamClassId,
                                  const QString& ABaseParamClassName);

    quint32 ElementTypeDBId() const { return FElementTypeDBId; }
    quint32 ElementTypeId() const { return FElementTypeId; }
    // Base parameter and unit 0, 0: none.
    quint32 BaseParamDBId() const { return FBaseParamDBId; }
    quint32 BaseParamId() const { return FBaseParamId; }
    quint32 UnitDBId() const { return FUnitDBId; }
    quint32 UnitId() const { return FUnitId; }
    const TKVName& Name() const { return FName; }
    const TKVDescription& Description() const { return FDescription; }
    double MinVal() const { return FMinVal; }
    double TypeVal() const { return FTypeVal; }
    double MaxVal() const { return FMaxVal; }
    const TKVDescription& TextVal() const { return FTextVal; }
    bool BoolVal() const { return FBoolVal; }
    const QString& TestCond() const { return FTestCond; }
    const TKVSmallName& UPId() const { return FUPId; }
    quint32 Flag() const { return FFlag; }
    TDateTime CreateDateTime() const { return FCreateDateTime; }
    TDateTime UpdateDateTime() const { return FUpdateDateTime; }
    TDateTime ReplDateTime() const { return FReplDateTime; }
    const TKVName& ElementTypeName() const { return FElementTypeName; }
    quint32 ElementTypeClassDBId() const { return FElementTypeClassDBId; }
    quint32 ElementTypeClassId() const { return FElementTypeClassId; }
    const TKVName& ElementTypeClassName() const { return FElementTypeClassName; }
    const TKVSmallName& UnitPrefix() const { return FUnitPrefix; }
    const TKVName& BaseParamName() const { return FBaseParamName; }
    quint32 BaseParamClassDBId() const { return FBaseParamClassDBId; }
    quint32 BaseParamClassId() const { return FBaseParamClassId; }
    const TKVName& BaseParamClassName() const { return FBaseParamClassName; }
    bool UsageMinVal() const { return FUsageMinVal; }
    bool UsageTypeVal() const { return FUsageTypeVal; }
    bool UsageMaxVal() const { return FUsageMaxVal; }
    bool UsageBoolVal() const { return FUsageBoolVal; }

private:
    quint32 FElementTypeDBId;
    quint32 FElementTypeId;
    quint32 FBaseParamDBId = 0;
    quint32 FBaseParamId = 0;
    quint32 FUnitDBId = 0;
    quint32 FUnitId = 0;
    TKVName FName;
    TKVDescription FDescription;
    double FMinVal = 0;
    double FTypeVal = 0;
    double FMaxVal = 0;
    TKVDescription FTextVal;
    bool FBoolVal = false;
    QString FTestCond;
    TKVSmallName FUPId;
    quint32 FFlag = 0;
    TDateTime FCreateDateTime = 0;
    TDateTime FUpdateDateTime = 0;
    TDateTime FReplDateTime = 0;
    TKVName FElementTypeName;
    quint32 FElementTypeClassDBId = 0;
    quint32 FElementTypeClassId = 0;
    TKVName FElementTypeClassName;
    TKVSmallName FUnitPrefix;
    TKVName FBaseParamName;
    quint32 FBaseParamClassDBId = 0;
    quint32 FBaseParamClassId = 0;
    TKVName FBaseParamClassName;
    bool FUsageMinVal = false;
    bool FUsageTypeVal = false;
    bool FUsageMaxVal = false;
    bool FUsageBoolVal = false;
};

// The parameter values of one element type.
class TKVParamList : public TKVList<TKVParam> {
public:
    TKVParamList(quint32 AElementTypeDBId, quint32 AElementTypeId)
        : FElementTypeDBId(AElementTypeDBId), FElementTypeId(AElementTypeId) {}

    // A row of the list's element type with the list's element-type name (AElementTypeName
    // does not enter the row).
    void AddData(quint32 ADBId, quint32 AId, quint32 ABaseParamDBId, quint32 ABaseParamId,
                 quint32 AUnitDBId, quint32 AUnitId, const QString& AName,
                 const QString& ADescription, const QVariant& AMinVal, const QVariant& ATypeVal,
                 const QVariant& AMaxVal, const QString& ATextVal, const QVariant& ABoolVal,
                 const QString& ATestCond, const QString& AUPId, quint32 AFlag,
                 TDateTime ACreateDateTime, TDateTime AUpdateDateTime, TDateTime AReplDateTime,
                 const QString& AElementTypeName, quint32 AElementTypeClassDBId,
                 quint32 AElementTypeClassId, const QString& AElementTypeClassName,
                 const QString& AUnitPrefix, const QString& ABaseParamName,
                 quint32 ABaseParamClassDBId, quint32 ABaseParamClassId,
                 const QString& ABaseParamClassName);
    // The row's long UpdateData.
    bool UpdateDataByPKey(quint32 ADBId, quint32 AId, quint32 ABaseParamDBId, quint32 ABaseParamId,
                          quint32 AUnitDBId, quint32 AUnitId, const QString& AName,
                          const QString& ADescription, const QVariant& AMinVal,
                          const QVariant& ATypeVal, const QVariant& AMaxVal,
                          const QString& ATextVal, const QVariant& ABoolVal,
                          const QString& ATestCond, const QString& AUPId, quint32 AFlag,
                          TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                          TDateTime AReplDateTime, const QString& AElementTypeName,
                          quint32 AElementTypeClassDBId, quint32 AElementTypeClassId,
                          const QString& AElementTypeClassName, const QString& AUnitPrefix,
                          const QString& ABaseParamName, quint32 ABaseParamClassDBId,
                          quint32 ABaseParamClassId, const QString& ABaseParamClassName);

    // The list's element-type name and that of every row.
    void SetElementTypeName(const QString& AElementTypeName);
    // Every row bound to that base parameter takes the name; OnChangeBaseParamName per row.
    void SetBaseParamName(quint32 ABaseParamDBId, quint32 ABaseParamId,
                          const QString& ABaseParamName);
    // Every row of that unit takes the prefix; OnChangeUnitPrefix per row.
    void SetUnitPrefix(quint32 AUnitDBId, quint32 AUnitId, const QString& AUnitPrefix);

    quint32 ElementTypeDBId() const { return FElementTypeDBId; }
    quint32 ElementTypeId() const { return FElementTypeId; }
    const TKVName& ElementTypeName() const { return FElementTypeName; }
    const TKVOnChangeStrParamNameInItem& OnChangeBaseParamName() const {
        return FOnChangeBaseParamName;
    }
    void SetOnChangeBaseParamName(TKVOnChangeStrParamNameInItem AEvent) {
        FOnChangeBaseParamName = std::move(AEvent);
    }
    const TKVOnChangeStrParamSmallNameInItem& OnChangeUnitPrefix() const {
        return FOnChangeUnitPrefix;
    }
    void SetOnChangeUnitPrefix(TKVOnChangeStrParamSmallNameInItem AEvent) {
        FOnChangeUnitPrefix = std::move(AEvent);
    }

private:
    quint32 FElementTypeDBId;
    quint32 FElementTypeId;
    TKVName FElementTypeName;
    TKVOnChangeStrParamNameInItem FOnChangeBaseParamName;
    TKVOnChangeStrParamSmallNameInItem FOnChangeUnitPrefix;
};
