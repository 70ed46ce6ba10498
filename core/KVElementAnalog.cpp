#include "core/KVElementAnalog.h"

TKVSimilalFunctionalType IndexToSimilalFunctionalType(int AIndex) {
    return AIndex >= sfntUnknown && AIndex <= sfntPossibleAnalog
               ? static_cast<TKVSimilalFunctionalType>(AIndex)
               : sfntUnknown;
}

TKVSimilalFeaturesType IndexToSimilalFeaturesType(int AIndex) {
    return AIndex >= sfttUnknown && AIndex <= sfttNoAnalog
               ? static_cast<TKVSimilalFeaturesType>(AIndex)
               : sfttUnknown;
}

TKVSimilalCaseType IndexToSimilalCaseType(int AIndex) {
    return AIndex >= sctUnknown && AIndex <= sctAnotherCase
               ? static_cast<TKVSimilalCaseType>(AIndex)
               : sctUnknown;
}

TKVSimilalPinoutType IndexToSimilalPinoutType(int AIndex) {
    return AIndex >= spotUnknown && AIndex <= spotNoAnalog
               ? static_cast<TKVSimilalPinoutType>(AIndex)
               : spotUnknown;
}

void TKVElementAnalog::UpdateData(
    quint32 APrimaryElementTypeDBId, quint32 APrimaryElementTypeId, quint32 AAnalogElementTypeDBId,
    quint32 AAnalogElementTypeId, TKVSimilalFunctionalType ASimilalFunctionalType,
    TKVSimilalFeaturesType ASimilalFeaturesType, TKVSimilalCaseType ASimilalCaseType,
    TKVSimilalPinoutType ASimilalPinoutType, const QString& AText, TDateTime ACreateDateTime,
    TDateTime AUpdateDateTime, TDateTime AReplDateTime, const QString& APrimaryElementTypeName,
    quint32 APrimaryElementTypeClassDBId, quint32 APrimaryElementTypeClassId,
    const QString& APrimaryElementTypeClassName, const QString& AAnalogElementTypeName,
    quint32 AAnalogElementTypeClassDBId, quint32 AAnalogElementTypeClassId,
    const QString& AAnalogElementTypeClassName) {
    UpdateData(ASimilalFunctionalType, ASimilalFeaturesType, ASimilalCaseType, ASimilalPinoutType,
               AText, ACreateDateTime, AUpdateDateTime);
    FReplDateTime = AReplDateTime;
    UpdatePrimaryElementTypeData(APrimaryElementTypeDBId, APrimaryElementTypeId,
                                 APrimaryElementTypeName);
    UpdatePrimaryElementTypeClassData(APrimaryElementTypeClassDBId, APrimaryElementTypeClassId,
                                      APrimaryElementTypeClassName);
    UpdateAnalogElementTypeData(AAnalogElementTypeDBId, AAnalogElementTypeId,
                                AAnalogElementTypeName);
    UpdateAnalogElementTypeClassData(AAnalogElementTypeClassDBId, AAnalogElementTypeClassId,
                                     AAnalogElementTypeClassName);
}

void TKVElementAnalog::UpdateData(TKVSimilalFunctionalType ASimilalFunctionalType,
                                  TKVSimilalFeaturesType ASimilalFeaturesType,
                                  TKVSimilalCaseType ASimilalCaseType,
                                  TKVSimilalPinoutType ASimilalPinoutType, const QString& AText,
                                  TDateTime ACreateDateTime, TDateTime AUpdateDateTime) {
    FSimilalFunctionalType = ASimilalFunctionalType;
    FSimilalFeaturesType = ASimilalFeaturesType;
    FSimilalCaseType = ASimilalCaseType;
    FSimilalPinoutType = ASimilalPinoutType;
    FText = KVDescription(AText);
    FCreateDateTime = ACreateDateTime;
    FUpdateDateTime = AUpdateDateTime;
}

void TKVElementAnalog::UpdatePrimaryElementTypeData(quint32 APrimaryElementTypeDBId,
                                                    quint32 APrimaryElementTypeId,
                                                    const QString& APrimaryElementTypeName) {
    FPrimaryElementTypeDBId = APrimaryElementTypeDBId;
    FPrimaryElementTypeId = APrimaryElementTypeId;
    FPrimaryElementTypeName = KVName(APrimaryElementTypeName);
}

void TKVElementAnalog::UpdatePrimaryElementTypeClassData(
    quint32 APrimaryElementTypeClassDBId, quint32 APrimaryElementTypeClassId,
    const QString& APrimaryElementTypeClassName) {
    FPrimaryElementTypeClassDBId = APrimaryElementTypeClassDBId;
    FPrimaryElementTypeClassId = APrimaryElementTypeClassId;
    FPrimaryElementTypeClassName = KVName(APrimaryElementTypeClassName);
}

void TKVElementAnalog::UpdateAnalogElementTypeData(quint32 AAnalogElementTypeDBId,
                                                   quint32 AAnalogElementTypeId,
                                                   const QString& AAnalogElementTypeName) {
    FAnalogElementTypeDBId = AAnalogElementTypeDBId;
    FAnalogElementTypeId = AAnalogElementTypeId;
    FAnalogElementTypeName = KVName(AAnalogElementTypeName);
}

void TKVElementAnalog::UpdateAnalogElementTypeClassData(
    quint32 AAnalogElementTypeClassDBId, quint32 AAnalogElementTypeClassId,
    const QString& AAnalogElementTypeClassName) {
    FAnalogElementTypeClassDBId = AAnalogElementTypeClassDBId;
    FAnalogElementTypeClassId = AAnalogElementTypeClassId;
    FAnalogElementTypeClassName = KVName(AAnalogElementTypeClassName);
}

TKVElementAnalogList::TKVElementAnalogList(
    TKVElementAnalogListSelectDataMode AElementAnalogListSelectDataMode,
    quint32 APrimaryElementTypeDBId, quint32 APrimaryElementTypeId,
    quint32 /*AAnalogElementTypeDBId*/, quint32 /*AAnalogElementTypeId*/)
    : FElementAnalogListSelectDataMode(AElementAnalogListSelectDataMode),
      FPrimaryElementTypeDBId(APrimaryElementTypeDBId),
      FPrimaryElementTypeId(APrimaryElementTypeId) {}

void TKVElementAnalogList::SetPrimaryElementTypeClassData(quint32 AElementTypeClassDBId,
                                                          quint32 AElementTypeClassId,
                                                          const QString& AElementTypeClassName) {
    FPrimaryElementTypeClassDBId = AElementTypeClassDBId;
    FPrimaryElementTypeClassId = AElementTypeClassId;
    FPrimaryElementTypeClassName = KVName(AElementTypeClassName);
}

void TKVElementAnalogList::SetRow(
    TKVElementAnalog& ARow, quint32 AAnalogElementTypeDBId, quint32 AAnalogElementTypeId,
    TKVSimilalFunctionalType ASimilalFunctionalType, TKVSimilalFeaturesType ASimilalFeaturesType,
    TKVSimilalCaseType ASimilalCaseType, TKVSimilalPinoutType ASimilalPinoutType,
    const QString& AText, TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
    TDateTime AReplDateTime, const QString& AAnalogElementTypeName,
    quint32 AAnalogElementTypeClassDBId, quint32 AAnalogElementTypeClassId,
    const QString& AAnalogElementTypeClassName) const {
    ARow.UpdateData(FPrimaryElementTypeDBId, FPrimaryElementTypeId, AAnalogElementTypeDBId,
                    AAnalogElementTypeId, ASimilalFunctionalType, ASimilalFeaturesType,
                    ASimilalCaseType, ASimilalPinoutType, AText, ACreateDateTime, AUpdateDateTime,
                    AReplDateTime, FPrimaryElementTypeName, FPrimaryElementTypeClassDBId,
                    FPrimaryElementTypeClassId, FPrimaryElementTypeClassName,
                    AAnalogElementTypeName, AAnalogElementTypeClassDBId, AAnalogElementTypeClassId,
                    AAnalogElementTypeClassName);
}

void TKVElementAnalogList::AddData(
    quint32 ADBId, quint32 AId, quint32 AAnalogElementTypeDBId, quint32 AAnalogElementTypeId,
    TKVSimilalFunctionalType ASimilalFunctionalType, TKVSimilalFeaturesType ASimilalFeaturesType,
    TKVSimilalCaseType ASimilalCaseType, TKVSimilalPinoutType ASimilalPinoutType,
    const QString& AText, TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
    TDateTime AReplDateTime, const QString& AAnalogElementTypeName,
    quint32 AAnalogElementTypeClassDBId, quint32 AAnalogElementTypeClassId,
    const QString& AAnalogElementTypeClassName) {
    SetRow(*AppendNew(ADBId, AId), AAnalogElementTypeDBId, AAnalogElementTypeId,
           ASimilalFunctionalType, ASimilalFeaturesType, ASimilalCaseType, ASimilalPinoutType,
           AText, ACreateDateTime, AUpdateDateTime, AReplDateTime, AAnalogElementTypeName,
           AAnalogElementTypeClassDBId, AAnalogElementTypeClassId, AAnalogElementTypeClassName);
}

bool TKVElementAnalogList::UpdateDataByPKey(
    quint32 ADBId, quint32 AId, quint32 AAnalogElementTypeDBId, quint32 AAnalogElementTypeId,
    TKVSimilalFunctionalType ASimilalFunctionalType, TKVSimilalFeaturesType ASimilalFeaturesType,
    TKVSimilalCaseType ASimilalCaseType, TKVSimilalPinoutType ASimilalPinoutType,
    const QString& AText, TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
    TDateTime AReplDateTime, const QString& AAnalogElementTypeName,
    quint32 AAnalogElementTypeClassDBId, quint32 AAnalogElementTypeClassId,
    const QString& AAnalogElementTypeClassName) {
    return UpdateByPKey({ADBId, AId}, [&](TKVElementAnalog& ARow) {
        SetRow(ARow, AAnalogElementTypeDBId, AAnalogElementTypeId, ASimilalFunctionalType,
               ASimilalFeaturesType, ASimilalCaseType, ASimilalPinoutType, AText, ACreateDateTime,
               AUpdateDateTime, AReplDateTime, AAnalogElementTypeName, AAnalogElementTypeClassDBId,
               AAnalogElementTypeClassId, AAnalogElementTypeClassName);
    });
}
