#include "core/KVPin.h"

TKVPinType IndexToPinType(int AIndex) {
    return AIndex >= ptUnknown && AIndex <= ptNotUsage ? static_cast<TKVPinType>(AIndex)
                                                       : ptUnknown;
}

void TKVPin::UpdateData(quint16 ANum, const QString& AName, const QString& ADescription,
                        TKVPinType APinType, TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                        TDateTime AReplDateTime, const QString& AElementTypeName) {
    UpdateData(ANum, AName, ADescription, APinType, ACreateDateTime, AUpdateDateTime,
               AReplDateTime);
    FElementTypeName = KVName(AElementTypeName);
}

void TKVPin::UpdateData(quint16 ANum, const QString& AName, const QString& ADescription,
                        TKVPinType APinType, TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                        TDateTime AReplDateTime) {
    FNum = ANum;
    FName = KVName(AName);
    FDescription = KVDescription(ADescription);
    FPinType = APinType;
    FCreateDateTime = ACreateDateTime;
    FUpdateDateTime = AUpdateDateTime;
    FReplDateTime = AReplDateTime;
}

void TKVPin::UpdateElementTypeData(quint32 AElementTypeDBId, quint32 AElementTypeId,
                                   const QString& AElementTypeName) {
    FElementTypeDBId = AElementTypeDBId;
    FElementTypeId = AElementTypeId;
    FElementTypeName = KVName(AElementTypeName);
}

void TKVPinList::AddData(quint32 ADBId, quint32 AId, quint16 ANum, const QString& AName,
                         const QString& ADescription, TKVPinType APinType,
                         TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                         TDateTime AReplDateTime, const QString& /*AElementTypeName*/) {
    AppendNew(ADBId, AId, FElementTypeDBId, FElementTypeId)
        ->UpdateData(ANum, AName, ADescription, APinType, ACreateDateTime, AUpdateDateTime,
                     AReplDateTime);
}

bool TKVPinList::UpdateDataByPKey(quint32 ADBId, quint32 AId, quint16 ANum, const QString& AName,
                                  const QString& ADescription, TKVPinType APinType,
                                  TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                                  TDateTime AReplDateTime, const QString& AElementTypeName) {
    return UpdateByPKey({ADBId, AId}, [&](TKVPin& ARow) {
        ARow.UpdateData(ANum, AName, ADescription, APinType, ACreateDateTime, AUpdateDateTime,
                        AReplDateTime, AElementTypeName);
    });
}

void TKVPinList::SetElementTypeName(const QString& AElementTypeName) {
    FElementTypeName = KVName(AElementTypeName);
    ForEach([&](TKVPin& ARow) {
        ARow.UpdateElementTypeData(ARow.ElementTypeDBId(), ARow.ElementTypeId(), FElementTypeName);
    });
}
