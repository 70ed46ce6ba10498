#include "core/KVParam.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// A nullable Boolean: a number is taken as an integer (rounded) and is True above 0; a
// Boolean value counts as itself. Anything else: False, not used.
void SetNullableBool(const QVariant& AValue, bool& AField, bool& AUsage) {
    if (AValue.typeId() == QMetaType::Bool && !AValue.isNull()) {
        AUsage = true;
        AField = AValue.toBool();
        return;
    }
    AUsage = IsNumericVarType(AValue);
    AField = AUsage && IntToBool(static_cast<int>(std::nearbyint(
                           std::clamp(AValue.toDouble(), double(INT_MIN), double(INT_MAX)))));
}

} // namespace

void TKVParam::UpdateData(quint32 ABaseParamDBId, quint32 ABaseParamId, quint32 AUnitDBId,
                          quint32 AUnitId, const QString& AName, const QString& ADescription,
                          const QVariant& AMinVal, const QVariant& ATypeVal,
                          const QVariant& AMaxVal, const QString& ATextVal,
                          const QVariant& ABoolVal, const QString& ATestCond, const QString& AUPId,
                          quint32 AFlag, TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                          TDateTime AReplDateTime, const QString& AElementTypeName,
                          quint32 AElementTypeClassDBId, quint32 AElementTypeClassId,
                          const QString& AElementTypeClassName, const QString& AUnitPrefix,
                          const QString& ABaseParamName, quint32 ABaseParamClassDBId,
                          quint32 ABaseParamClassId, const QString& ABaseParamClassName) {
    UpdateData(AName, ADescription, AMinVal, ATypeVal, AMaxVal, ATextVal, ABoolVal, ATestCond,
               AUPId, AFlag, ACreateDateTime, AUpdateDateTime, AReplDateTime);
    UpdateBaseParamData(ABaseParamDBId, ABaseParamId, ABaseParamName);
    UpdateUnitData(AUnitDBId, AUnitId, AUnitPrefix);
    FElementTypeName = KVName(AElementTypeName);
    UpdateElementTypeClassData(AElementTypeClassDBId, AElementTypeClassId, AElementTypeClassName);
    UpdateBaseParamClassData(ABaseParamClassDBId, ABaseParamClassId, ABaseParamClassName);
}

void TKVParam::UpdateData(const QString& AName, const QString& ADescription,
                          const QVariant& AMinVal, const QVariant& ATypeVal,
                          const QVariant& AMaxVal, const QString& ATextVal,
                          const QVariant& ABoolVal, const QString& ATestCond, const QString& AUPId,
                          quint32 AFlag, TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                          TDateTime AReplDateTime) {
    FName = KVName(AName);
    FDescription = KVDescription(ADescription);
    SetNullableNumber(AMinVal, FMinVal, FUsageMinVal);
    SetNullableNumber(ATypeVal, FTypeVal, FUsageTypeVal);
    SetNullableNumber(AMaxVal, FMaxVal, FUsageMaxVal);
    FTextVal = KVDescription(ATextVal);
    SetNullableBool(ABoolVal, FBoolVal, FUsageBoolVal);
    FTestCond = ATestCond;
    FUPId = KVSmallName(AUPId);
    FFlag = AFlag;
    FCreateDateTime = ACreateDateTime;
    FUpdateDateTime = AUpdateDateTime;
    FReplDateTime = AReplDateTime;
}

void TKVParam::UpdateElementTypeData(quint32 AElementTypeDBId, quint32 AElementTypeId,
                                     const QString& AElementTypeName) {
    FElementTypeDBId = AElementTypeDBId;
    FElementTypeId = AElementTypeId;
    FElementTypeName = KVName(AElementTypeName);
}

void TKVParam::UpdateElementTypeClassData(quint32 AElementTypeClassDBId,
                                          quint32 AElementTypeClassId,
                                          const QString& AElementTypeClassName) {
    FElementTypeClassDBId = AElementTypeClassDBId;
    FElementTypeClassId = AElementTypeClassId;
    FElementTypeClassName = KVName(AElementTypeClassName);
}

void TKVParam::UpdateUnitData(quint32 AUnitDBId, quint32 AUnitId, const QString& AUnitPrefix) {
    FUnitDBId = AUnitDBId;
    FUnitId = AUnitId;
    FUnitPrefix = KVSmallName(AUnitPrefix);
}

void TKVParam::UpdateBaseParamData(quint32 ABaseParamDBId, quint32 ABaseParamId,
                                   const QString& ABaseParamName) {
    FBaseParamDBId = ABaseParamDBId;
    FBaseParamId = ABaseParamId;
    FBaseParamName = KVName(ABaseParamName);
}

void TKVParam::UpdateBaseParamClassData(quint32 ABaseParamClassDBId, quint32 ABaseParamClassId,
                                        const QString& ABaseParamClassName) {
    FBaseParamClassDBId = ABaseParamClassDBId;
    FBaseParamClassId = ABaseParamClassId;
    FBaseParamClassName = KVName(ABaseParamClassName);
}

void TKVParamList::AddData(
    quint32 ADBId, quint32 AId, quint32 ABaseParamDBId, quint32 ABaseParamId, quint32 AUnitDBId,
    quint32 AUnitId, const QString& AName, const QString& ADescription, const QVariant& AMinVal,
    const QVariant& ATypeVal, const QVariant& AMaxVal, const QString& ATextVal,
    const QVariant& ABoolVal, const QString& ATestCond, const QString& AUPId, quint32 AFlag,
    TDateTime ACreateDateTime, TDateTime AUpdateDateTime, TDateTime AReplDateTime,
    const QString& /*AElementTypeName*/, quint32 AElementTypeClassDBId, quint32 AElementTypeClassId,
    const QString& AElementTypeClassName, const QString& AUnitPrefix, const QString& ABaseParamName,
    quint32 ABaseParamClassDBId, quint32 ABaseParamClassId, const QString& ABaseParamClassName) {
    AppendNew(ADBId, AId, FElementTypeDBId, FElementTypeId)
        ->UpdateData(ABaseParamDBId, ABaseParamId, AUnitDBId, AUnitId, AName, ADescription, AMinVal,
                     ATypeVal, AMaxVal, ATextVal, ABoolVal, ATestCond, AUPId, AFlag,
                     ACreateDateTime, AUpdateDateTime, AReplDateTime, FElementTypeName,
                     AElementTypeClassDBId, AElementTypeClassId, AElementTypeClassName, AUnitPrefix,
                     ABaseParamName, ABaseParamClassDBId, ABaseParamClassId, ABaseParamClassName);
}

bool TKVParamList::UpdateDataByPKey(
    quint32 ADBId, quint32 AId, quint32 ABaseParamDBId, quint32 ABaseParamId, quint32 AUnitDBId,
    quint32 AUnitId, const QString& AName, const QString& ADescription, const QVariant& AMinVal,
    const QVariant& ATypeVal, const QVariant& AMaxVal, const QString& ATextVal,
    const QVariant& ABoolVal, const QString& ATestCond, const QString& AUPId, quint32 AFlag,
    TDateTime ACreateDateTime, TDateTime AUpdateDateTime, TDateTime AReplDateTime,
    const QString& AElementTypeName, quint32 AElementTypeClassDBId, quint32 AElementTypeClassId,
    const QString& AElementTypeClassName, const QString& AUnitPrefix, const QString& ABaseParamName,
    quint32 ABaseParamClassDBId, quint32 ABaseParamClassId, const QString& ABaseParamClassName) {
    return UpdateByPKey({ADBId, AId}, [&](TKVParam& ARow) {
        ARow.UpdateData(ABaseParamDBId, ABaseParamId, AUnitDBId, AUnitId, AName, ADescription,
                        AMinVal, ATypeVal, AMaxVal, ATextVal, ABoolVal, ATestCond, AUPId, AFlag,
                        ACreateDateTime, AUpdateDateTime, AReplDateTime, AElementTypeName,
                        AElementTypeClassDBId, AElementTypeClassId, AElementTypeClassName,
                        AUnitPrefix, ABaseParamName, ABaseParamClassDBId, ABaseParamClassId,
                        ABaseParamClassName);
    });
}

void TKVParamList::SetElementTypeName(const QString& AElementTypeName) {
    FElementTypeName = KVName(AElementTypeName);
    ForEach([&](TKVParam& ARow) {
        ARow.UpdateElementTypeData(ARow.ElementTypeDBId(), ARow.ElementTypeId(), FElementTypeName);
    });
}

void TKVParamList::SetBaseParamName(quint32 ABaseParamDBId, quint32 ABaseParamId,
                                    const QString& ABaseParamName) {
    ForEach([&](TKVParam& ARow) {
        if (ARow.BaseParamDBId() != ABaseParamDBId || ARow.BaseParamId() != ABaseParamId)
            return;
        ARow.UpdateBaseParamData(ABaseParamDBId, ABaseParamId, ABaseParamName);
        if (FOnChangeBaseParamName)
            FOnChangeBaseParamName(this, ARow.DBId(), ARow.Id(), ARow.BaseParamName());
    });
}

void TKVParamList::SetUnitPrefix(quint32 AUnitDBId, quint32 AUnitId, const QString& AUnitPrefix) {
    ForEach([&](TKVParam& ARow) {
        if (ARow.UnitDBId() != AUnitDBId || ARow.UnitId() != AUnitId)
            return;
        ARow.UpdateUnitData(AUnitDBId, AUnitId, AUnitPrefix);
        if (FOnChangeUnitPrefix)
            FOnChangeUnitPrefix(this, ARow.DBId(), ARow.Id(), ARow.UnitPrefix());
    });
}
