#include "core/KVSupplier.h"

void TKVSupplier::UpdateData(const QString& AName, const QString& AAddress, const QString& APhone,
                             const QString& AUrl, const QString& AText, TDateTime ACreateDateTime,
                             TDateTime AUpdateDateTime) {
    FName = KVName(AName);
    FAddress = KVDescription(AAddress);
    FPhone = KVDescription(APhone);
    FUrl = KVDescription(AUrl);
    FText = AText;
    FCreateDateTime = ACreateDateTime;
    FUpdateDateTime = AUpdateDateTime;
}

void TKVSupplierList::AddData(quint32 AId, const QString& AName, const QString& AAddress,
                              const QString& APhone, const QString& AUrl, const QString& AText,
                              TDateTime ACreateDateTime, TDateTime AUpdateDateTime) {
    AppendNew(AId)->UpdateData(AName, AAddress, APhone, AUrl, AText, ACreateDateTime,
                               AUpdateDateTime);
}

bool TKVSupplierList::UpdateDataByPKey(quint32 AId, const QString& AName, const QString& AAddress,
                                       const QString& APhone, const QString& AUrl,
                                       const QString& AText, TDateTime ACreateDateTime,
                                       TDateTime AUpdateDateTime) {
    return UpdateByPKey({AId}, [&](TKVSupplier& ARow) {
        ARow.UpdateData(AName, AAddress, APhone, AUrl, AText, ACreateDateTime, AUpdateDateTime);
    });
}
