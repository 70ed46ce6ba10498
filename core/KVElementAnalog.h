#pragma once

// Analogs (T_ELEMENT_ANALOG): one element type (the primary one) has another as its analog,
// graded on four scales.

#include "core/KVList.h"

enum TKVElementAnalogListSelectDataMode { eansdmAll, eansdmAnalogs, eansdmCurrAnalogFor };

// The grade of ordinal AIndex; the first grade (unknown) outside the range.
TKVSimilalFunctionalType IndexToSimilalFunctionalType(int AIndex);
TKVSimilalFeaturesType IndexToSimilalFeaturesType(int AIndex);
TKVSimilalCaseType IndexToSimilalCaseType(int AIndex);
TKVSimilalPinoutType IndexToSimilalPinoutType(int AIndex);

// The four IndexTo... conversions, shared by the row and the list.
struct TKVSimilalGradeIndexes {
    static TKVSimilalFunctionalType IndexToSimilalFunctionalType(int AIndex) {
        return ::IndexToSimilalFunctionalType(AIndex);
    }
    static TKVSimilalFeaturesType IndexToSimilalFeaturesType(int AIndex) {
        return ::IndexToSimilalFeaturesType(AIndex);
    }
    static TKVSimilalCaseType IndexToSimilalCaseType(int AIndex) {
        return ::IndexToSimilalCaseType(AIndex);
    }
    static TKVSimilalPinoutType IndexToSimilalPinoutType(int AIndex) {
        return ::IndexToSimilalPinoutType(AIndex);
    }
};

class TKVElementAnalog : public TKVDBRow, public TKVSimilalGradeIndexes {
public:
    TKVElementAnalog(quint32 ADBId, quint32 AId) : TKVDBRow(ADBId, AId) {}

    // Every field but the key.
    void UpdateData(quint32 APrimaryElementTypeDBId, quint32 APrimaryElementTypeId,
                    quint32 AAnalogElementTypeDBId, quint32 AAnalogElementTypeId,
                    TKVSimilalFunctionalType ASimilalFunctionalType,
                    TKVSimilalFeaturesType ASimilalFeaturesType,
                    TKVSimilalCaseType ASimilalCaseType, TKVSimilalPinoutType ASimilalPinoutType,
                    const QString& AText, TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                    TDateTime AReplDateTime, const QString& APrimaryElementTypeName,
                    quint32 APrimaryElementTypeClassDBId, quint32 APrimaryElementTypeClassId,
                    const QString& APrimaryElementTypeClassName,
                    const QString& AAnalogElementTypeName, quint32 AAnalogElementTypeClassDBId,
                    quint32 AAnalogElementTypeClassId, const QString& AAnalogElementTypeClassName);
    // The grades, the note and two timestamps; the replication time, keys and names stay.
    void UpdateData(TKVSimilalFunctionalType ASimilalFunctionalType,
                    TKVSimilalFeaturesType ASimilalFeaturesType,
                    TKVSimilalCaseType ASimilalCaseType, TKVSimilalPinoutType ASimilalPinoutType,
                    const QString& AText, TDateTime ACreateDateTime, TDateTime AUpdateDateTime);
    void UpdatePrimaryElementTypeData(quint32 APrimaryElementTypeDBId,
                                      quint32 APrimaryElementTypeId,
                                      const QString& APrimaryElementTypeName);
    void UpdatePrimaryElementTypeClassData(quint32 APrimaryElementTypeClassDBId,
                                           quint32 APrimaryElementTypeClassId,
                                           const QString& APrimaryElementTypeClassName);
    void UpdateAnalogElementTypeData(quint32 AAnalogElementTypeDBId, quint32 AAnalogElementTypeId,
                                     const QString& AAnalogElementTypeName);
    void UpdateAnalogElementTypeClassData(quint32 AAnalogElementTypeClassDBId,
                                          quint32 AAnalogElementTypeClassId,
                                          const QString& AAnalogElementTypeClassName);

    quint32 PrimaryElementTypeDBId() const { return FPrimaryElementTypeDBId; }
    quint32 PrimaryElementTypeId() const { return FPrimaryElementTypeId; }
    quint32 AnalogElementTypeDBId() const { return FAnalogElementTypeDBId; }
    quint32 AnalogElementTypeId() const { return FAnalogElementTypeId; }
    TKVSimilalFunctionalType SimilalFunctionalType() const { return FSimilalFunctionalType; }
    TKVSimilalFeaturesType SimilalFeaturesType() const { return FSimilalFeaturesType; }
    TKVSimilalCaseType SimilalCaseType() const { return FSimilalCaseType; }
    TKVSimilalPinoutType SimilalPinoutType() const { return FSimilalPinoutType; }
    int SimilalFunctionalTypeIndex() const { return FSimilalFunctionalType; }
    int SimilalFeaturesTypeIndex() const { return FSimilalFeaturesType; }
    int SimilalCaseTypeIndex() const { return FSimilalCaseType; }
    int SimilalPinoutTypeIndex() const { return FSimilalPinoutType; }
    const TKVDescription& Text() const { return FText; }
    TDateTime CreateDateTime() const { return FCreateDateTime; }
    TDateTime UpdateDateTime() const { return FUpdateDateTime; }
    TDateTime ReplDateTime() const { return FReplDateTime; }
    const TKVName& PrimaryElementTypeName() const { return FPrimaryElementTypeName; }
    quint32 PrimaryElementTypeClassDBId() const { return FPrimaryElementTypeClassDBId; }
    quint32 PrimaryElementTypeClassId() const { return FPrimaryElementTypeClassId; }
    const TKVName& PrimaryElementTypeClassName() const { return FPrimaryElementTypeClassName; }
    const TKVName& AnalogElementTypeName() const { return FAnalogElementTypeName; }
    quint32 AnalogElementTypeClassDBId() const { return FAnalogElementTypeClassDBId; }
    quint32 AnalogElementTypeClassId() const { return FAnalogElementTypeClassId; }
    const TKVName& AnalogElementTypeClassName() const { return FAnalogElementTypeClassName; }

private:
    quint32 FPrimaryElementTypeDBId = 0;
    quint32 FPrimaryElementTypeId = 0;
    quint32 FAnalogElementTypeDBId = 0;
    quint32 FAnalogElementTypeId = 0;
    TKVSimilalFunctionalType FSimilalFunctionalType = sfntUnknown;
    TKVSimilalFeaturesType FSimilalFeaturesType = sfttUnknown;
    TKVSimilalCaseType FSimilalCaseType = sctUnknown;
    TKVSimilalPinoutType FSimilalPinoutType = spotUnknown;
    TKVDescription FText;
    TDateTime FCreateDateTime = 0;
    TDateTime FUpdateDateTime = 0;
    TDateTime FReplDateTime = 0;
    TKVName FPrimaryElementTypeName;
    quint32 FPrimaryElementTypeClassDBId = 0;
    quint32 FPrimaryElementTypeClassId = 0;
    TKVName FPrimaryElementTypeClassName;
    TKVName FAnalogElementTypeName;
    quint32 FAnalogElementTypeClassDBId = 0;
    quint32 FAnalogElementTypeClassId = 0;
    TKVName FAnalogElementTypeClassName;
};

// The analogs of one primary element type. Rows take the list's primary element type (key,
// name and class) when they are added or updated; setting the primary name or class later
// reaches only rows added or updated afterwards.
class TKVElementAnalogList : public TKVList<TKVElementAnalog>, public TKVSimilalGradeIndexes {
public:
    // The analog element-type key is not kept.
    TKVElementAnalogList(TKVElementAnalogListSelectDataMode AElementAnalogListSelectDataMode,
                         quint32 APrimaryElementTypeDBId, quint32 APrimaryElementTypeId,
                         quint32 AAnalogElementTypeDBId, quint32 AAnalogElementTypeId);

    void SetPrimaryElementTypeName(const QString& AElementTypeName) {
        FPrimaryElementTypeName = KVName(AElementTypeName);
    }
    void SetPrimaryElementTypeClassData(quint32 AElementTypeClassDBId, quint32 AElementTypeClassId,
                                        const QString& AElementTypeClassName);

    void AddData(quint32 ADBId, quint32 AId, quint32 AAnalogElementTypeDBId,
                 quint32 AAnalogElementTypeId, TKVSimilalFunctionalType ASimilalFunctionalType,
                 TKVSimilalFeaturesType ASimilalFeaturesType, TKVSimilalCaseType ASimilalCaseType,
                 TKVSimilalPinoutType ASimilalPinoutType, const QString& AText,
                 TDateTime ACreateDateTime, TDateTime AUpdateDateTime, TDateTime AReplDateTime,
                 const QString& AAnalogElementTypeName, quint32 AAnalogElementTypeClassDBId,
                 quint32 AAnalogElementTypeClassId, const QString& AAnalogElementTypeClassName);
    // The first row with the key takes these values and the list's primary element type.
    bool UpdateDataByPKey(quint32 ADBId, quint32 AId, quint32 AAnalogElementTypeDBId,
                          quint32 AAnalogElementTypeId,
                          TKVSimilalFunctionalType ASimilalFunctionalType,
                          TKVSimilalFeaturesType ASimilalFeaturesType,
                          TKVSimilalCaseType ASimilalCaseType,
                          TKVSimilalPinoutType ASimilalPinoutType, const QString& AText,
                          TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                          TDateTime AReplDateTime, const QString& AAnalogElementTypeName,
                          quint32 AAnalogElementTypeClassDBId, quint32 AAnalogElementTypeClassId,
                          const QString& AAnalogElementTypeClassName);

    TKVElementAnalogListSelectDataMode ElementAnalogListSelectDataMode() const {
        return FElementAnalogListSelectDataMode;
    }
    quint32 PrimaryElementTypeDBId() const { return FPrimaryElementTypeDBId; }
    quint32 PrimaryElementTypeId() const { return FPrimaryElementTypeId; }
    const TKVName& PrimaryElementTypeName() const { return FPrimaryElementTypeName; }
    quint32 PrimaryElementTypeClassDBId() const { return FPrimaryElementTypeClassDBId; }
    quint32 PrimaryElementTypeClassId() const { return FPrimaryElementTypeClassId; }
    const TKVName& PrimaryElementTypeClassName() const { return FPrimaryElementTypeClassName; }

private:
    void SetRow(TKVElementAnalog& ARow, quint32 AAnalogElementTypeDBId,
                quint32 AAnalogElementTypeId, TKVSimilalFunctionalType ASimilalFunctionalType,
                TKVSimilalFeaturesType ASimilalFeaturesType, TKVSimilalCaseType ASimilalCaseType,
                TKVSimilalPinoutType ASimilalPinoutType, const QString& AText,
                TDateTime ACreateDateTime, TDateTime AUpdateDateTime, TDateTime AReplDateTime,
                const QString& AAnalogElementTypeName, quint32 AAnalogElementTypeClassDBId,
                quint32 AAnalogElementTypeClassId,
                const QString& AAnalogElementTypeClassName) const;

    TKVElementAnalogListSelectDataMode FElementAnalogListSelectDataMode;
    quint32 FPrimaryElementTypeDBId;
    quint32 FPrimaryElementTypeId;
    TKVName FPrimaryElementTypeName;
    quint32 FPrimaryElementTypeClassDBId = 0;
    quint32 FPrimaryElementTypeClassId = 0;
    TKVName FPrimaryElementTypeClassName;
};
