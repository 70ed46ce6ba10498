#include "core/KVBaseParam.h"

TKVSelectValueType IndexToSelectValueType(int AIndex) {
    return AIndex >= svtDefault && AIndex <= svtBoolFromType
               ? static_cast<TKVSelectValueType>(AIndex)
               : svtDefault;
}

void TKVBaseParam::UpdateData(quint32 AUnitDBId, quint32 AUnitId, const QString& AName,
                              const QString& ADescription, TKVSelectValueType ASelectValueType,
                              const QString& AUPId, TDateTime ACreateDateTime,
                              TDateTime AUpdateDateTime, TDateTime AReplDateTime,
                              const QString& ABPClassName, const QString& AUnitPrefix) {
    UpdateData(AName, ADescription, ASelectValueType, AUPId, ACreateDateTime, AUpdateDateTime,
               AReplDateTime);
    UpdateUnitData(AUnitDBId, AUnitId, AUnitPrefix);
    FBPClassName = KVName(ABPClassName);
}

void TKVBaseParam::UpdateData(const QString& AName, const QString& ADescription,
                              TKVSelectValueType ASelectValueType, const QString& AUPId,
                              TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                              TDateTime AReplDateTime) {
    FName = KVName(AName);
    FDescription = KVDescription(ADescription);
    FSelectValueType = ASelectValueType;
    FUPId = KVSmallName(AUPId);
    FCreateDateTime = ACreateDateTime;
    FUpdateDateTime = AUpdateDateTime;
    FReplDateTime = AReplDateTime;
}

void TKVBaseParam::UpdateClassData(quint32 ABPClassDBId, quint32 ABPClassId,
                                   const QString& ABPClassName) {
    FBPClassDBId = ABPClassDBId;
    FBPClassId = ABPClassId;
    FBPClassName = KVName(ABPClassName);
}

void TKVBaseParam::UpdateUnitData(quint32 AUnitDBId, quint32 AUnitId, const QString& AUnitPrefix) {
    FUnitDBId = AUnitDBId;
    FUnitId = AUnitId;
    FUnitPrefix = KVSmallName(AUnitPrefix);
}

void TKVBaseParamList::AddData(quint32 ADBId, quint32 AId, quint32 AUnitDBId, quint32 AUnitId,
                               const QString& AName, const QString& ADescription,
                               TKVSelectValueType ASelectValueType, const QString& AUPId,
                               TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                               TDateTime AReplDateTime, const QString& AUnitPrefix) {
    AddData(ADBId, AId, AUnitDBId, AUnitId, AName, ADescription, ASelectValueType, AUPId,
            ACreateDateTime, AUpdateDateTime, AReplDateTime, AUnitPrefix, false);
}

void TKVBaseParamList::AddData(quint32 ADBId, quint32 AId, quint32 AUnitDBId, quint32 AUnitId,
                               const QString& AName, const QString& ADescription,
                               TKVSelectValueType ASelectValueType, const QString& AUPId,
                               TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                               TDateTime AReplDateTime, const QString& AUnitPrefix, bool ASBP) {
    TKVBaseParam* row = AppendNew(ADBId, AId, FBPClassDBId, FBPClassId);
    row->UpdateData(AUnitDBId, AUnitId, AName, ADescription, ASelectValueType, AUPId,
                    ACreateDateTime, AUpdateDateTime, AReplDateTime, FBPClassName, AUnitPrefix);
    row->SetSBP(ASBP);
}

void TKVBaseParamList::AddDataWithClass(quint32 ADBId, quint32 AId, quint32 ABPClassDBId,
                                        quint32 ABPClassId, quint32 AUnitDBId, quint32 AUnitId,
                                        const QString& AName, const QString& ADescription,
                                        TKVSelectValueType ASelectValueType, const QString& AUPId,
                                        TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                                        TDateTime AReplDateTime, const QString& ABPClassName,
                                        const QString& AUnitPrefix) {
    AppendNew(ADBId, AId, ABPClassDBId, ABPClassId)
        ->UpdateData(AUnitDBId, AUnitId, AName, ADescription, ASelectValueType, AUPId,
                     ACreateDateTime, AUpdateDateTime, AReplDateTime, ABPClassName, AUnitPrefix);
}

bool TKVBaseParamList::UpdateDataByPKey(quint32 ADBId, quint32 AId, quint32 AUnitDBId,
                                        quint32 AUnitId, const QString& AName,
                                        const QString& ADescription,
                                        TKVSelectValueType ASelectValueType, const QString& AUPId,
                                        TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                                        TDateTime AReplDateTime, const QString& AUnitPrefix,
                                        const QString& ABPClassName) {
    return UpdateByPKey({ADBId, AId}, [&](TKVBaseParam& ARow) {
        ARow.UpdateData(AUnitDBId, AUnitId, AName, ADescription, ASelectValueType, AUPId,
                        ACreateDateTime, AUpdateDateTime, AReplDateTime, ABPClassName, AUnitPrefix);
    });
}

void TKVBaseParamList::SetClassName(const QString& ABPClassName) {
    FBPClassName = KVName(ABPClassName);
    ForEach([&](TKVBaseParam& ARow) {
        ARow.UpdateClassData(ARow.BPClassDBId(), ARow.BPClassId(), ABPClassName);
    });
}

void TKVBaseParamList::SetUnitPrefix(quint32 AUnitDBId, quint32 AUnitId,
                                     const QString& AUnitPrefix) {
    ForEach([&](TKVBaseParam& ARow) {
        if (ARow.UnitDBId() != AUnitDBId || ARow.UnitId() != AUnitId)
            return;
        ARow.UpdateUnitData(AUnitDBId, AUnitId, AUnitPrefix);
        if (FOnChangeUnitPrefix)
            FOnChangeUnitPrefix(this, ARow.DBId(), ARow.Id(), ARow.UnitPrefix());
    });
}
