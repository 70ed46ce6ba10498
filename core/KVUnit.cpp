#include "core/KVUnit.h"

void TKVUnit::UpdateData(const QString& APrefix, const QString& ANameDef, const QString& AName,
                         const QString& ADescription, double AFactor, TDateTime ACreateDateTime,
                         TDateTime AUpdateDateTime, TDateTime AReplDateTime) {
    FPrefix = KVSmallName(APrefix);
    FNameDef = KVSmallName(ANameDef);
    FName = KVName(AName);
    FDescription = ADescription;
    FFactor = AFactor;
    FCreateDateTime = ACreateDateTime;
    FUpdateDateTime = AUpdateDateTime;
    FReplDateTime = AReplDateTime;
}

void TKVUnitList::AddData(quint32 ADBId, quint32 AId, const QString& APrefix,
                          const QString& ANameDef, const QString& AName,
                          const QString& ADescription, double AFactor, TDateTime ACreateDateTime,
                          TDateTime AUpdateDateTime, TDateTime AReplDateTime) {
    AppendNew(ADBId, AId)
        ->UpdateData(APrefix, ANameDef, AName, ADescription, AFactor, ACreateDateTime,
                     AUpdateDateTime, AReplDateTime);
}

bool TKVUnitList::UpdateDataByPKey(quint32 ADBId, quint32 AId, const QString& APrefix,
                                   const QString& ANameDef, const QString& AName,
                                   const QString& ADescription, double AFactor,
                                   TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                                   TDateTime AReplDateTime) {
    return UpdateByPKey({ADBId, AId}, [&](TKVUnit& ARow) {
        ARow.UpdateData(APrefix, ANameDef, AName, ADescription, AFactor, ACreateDateTime,
                        AUpdateDateTime, AReplDateTime);
    });
}
