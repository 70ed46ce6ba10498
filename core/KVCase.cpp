#include "core/KVCase.h"

TKVCaseMountType IndexToMountType(int AIndex) {
    return AIndex >= cmtUnknown && AIndex <= cmtSwitching ? static_cast<TKVCaseMountType>(AIndex)
                                                          : cmtUnknown;
}

TKVCaseVisualType IndexToPttVisualType(int AIndex) {
    return AIndex >= cvtUntyped && AIndex <= cvtHorLineWithGE
               ? static_cast<TKVCaseVisualType>(AIndex)
               : cvtUntyped;
}

void TKVCase::UpdateData(const QString& ATypeName, const QString& ADescription, quint16 APinCount,
                         TKVCaseMountType AMountType, TKVCaseVisualType APttVisualType,
                         quint32 APttVisualParams, TDateTime ACreateDateTime,
                         TDateTime AUpdateDateTime, TDateTime AReplDateTime) {
    UpdateData(ATypeName, ADescription, APinCount, AMountType, ACreateDateTime, AUpdateDateTime,
               AReplDateTime);
    FPttVisualType = APttVisualType;
    FPttVisualParam0 = static_cast<quint8>(APttVisualParams & 0xFF);
    FPttVisualParam1 = static_cast<quint8>((APttVisualParams >> 8) & 0xFF);
    FPttVisualParam2 = static_cast<quint8>((APttVisualParams >> 16) & 0xFF);
}

void TKVCase::UpdateData(const QString& ATypeName, const QString& ADescription, quint16 APinCount,
                         TKVCaseMountType AMountType, TDateTime ACreateDateTime,
                         TDateTime AUpdateDateTime, TDateTime AReplDateTime) {
    FTypeName = KVName(ATypeName);
    FDescription = KVDescription(ADescription);
    FPinCount = APinCount;
    FMountType = AMountType;
    FCreateDateTime = ACreateDateTime;
    FUpdateDateTime = AUpdateDateTime;
    FReplDateTime = AReplDateTime;
}

void TKVCaseList::AddData(quint32 ADBId, quint32 AId, const QString& ATypeName,
                          const QString& ADescription, quint16 APinCount,
                          TKVCaseMountType AMountType, TKVCaseVisualType APttVisualType,
                          TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                          TDateTime AReplDateTime) {
    AppendNew(ADBId, AId)
        ->UpdateData(ATypeName, ADescription, APinCount, AMountType, APttVisualType, 0,
                     ACreateDateTime, AUpdateDateTime, AReplDateTime);
}

bool TKVCaseList::UpdateDataByPKey(quint32 ADBId, quint32 AId, const QString& ATypeName,
                                   const QString& ADescription, quint16 APinCount,
                                   TKVCaseMountType AMountType, TKVCaseVisualType APttVisualType,
                                   TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                                   TDateTime AReplDateTime) {
    return UpdateByPKey({ADBId, AId}, [&](TKVCase& ARow) {
        ARow.UpdateData(ATypeName, ADescription, APinCount, AMountType, APttVisualType, 0,
                        ACreateDateTime, AUpdateDateTime, AReplDateTime);
    });
}
