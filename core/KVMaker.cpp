#include "core/KVMaker.h"

void TKVMaker::UpdateData(const QString& AName, const QString& ADescription, const QString& AUrl,
                          TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                          TDateTime AReplDateTime) {
    FName = KVName(AName);
    FDescription = ADescription;
    FUrl = KVDescription(AUrl);
    FCreateDateTime = ACreateDateTime;
    FUpdateDateTime = AUpdateDateTime;
    FReplDateTime = AReplDateTime;
}

void TKVMakerList::AddData(quint32 ADBId, quint32 AId, const QString& AName,
                           const QString& ADescription, const QString& AUrl,
                           TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                           TDateTime AReplDateTime) {
    AppendNew(ADBId, AId)
        ->UpdateData(AName, ADescription, AUrl, ACreateDateTime, AUpdateDateTime, AReplDateTime);
}

bool TKVMakerList::UpdateDataByPKey(quint32 ADBId, quint32 AId, const QString& AName,
                                    const QString& ADescription, const QString& AUrl,
                                    TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                                    TDateTime AReplDateTime) {
    return UpdateByPKey({ADBId, AId}, [&](TKVMaker& ARow) {
        ARow.UpdateData(AName, ADescription, AUrl, ACreateDateTime, AUpdateDateTime, AReplDateTime);
    });
}
