#pragma once

// Cases (package outlines) of components (T_CASE), with the mounting and drawing types that
// element types and stock records show as well.

#include "core/KVList.h"

// How the outline of a case is drawn (T_CASE.V_CV_PTTTYPE); cvtUntyped: no drawing.
enum TKVCaseVisualType {
    cvtUntyped,
    cvtVertLine,
    cvtHorLine,
    cvtDoubleLineSerialPinNum,
    cvtDoubleLineSerialPinNumSkip,
    cvtDoubleLineParallelPinNum,
    cvtQuadroLineStandPinNum,
    cvtQuadroLineShiftPinNum,
    cvtGridArray,
    cvtHorLineWithGE
};

// The value of ordinal AIndex; cmtUnknown (cvtUntyped) outside the enumeration.
TKVCaseMountType IndexToMountType(int AIndex);
TKVCaseVisualType IndexToPttVisualType(int AIndex);

class TKVCase : public TKVDBRow {
public:
    TKVCase(quint32 ADBId, quint32 AId) : TKVDBRow(ADBId, AId) {}

    // APttVisualParams packs the drawing parameters A, B and C in bits 0..7, 8..15 and 16..23;
    // bits 24..31 are ignored.
    void UpdateData(const QString& ATypeName, const QString& ADescription, quint16 APinCount,
                    TKVCaseMountType AMountType, TKVCaseVisualType APttVisualType,
                    quint32 APttVisualParams, TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                    TDateTime AReplDateTime);
    // The drawing type and parameters stay.
    void UpdateData(const QString& ATypeName, const QString& ADescription, quint16 APinCount,
                    TKVCaseMountType AMountType, TDateTime ACreateDateTime,
                    TDateTime AUpdateDateTime, TDateTime AReplDateTime);

    const TKVName& TypeName() const { return FTypeName; }
    const TKVDescription& Description() const { return FDescription; }
    quint16 PinCount() const { return FPinCount; }
    TKVCaseMountType MountType() const { return FMountType; }
    TKVCaseVisualType PttVisualType() const { return FPttVisualType; }
    quint8 PttVisualParam0() const { return FPttVisualParam0; }
    quint8 PttVisualParam1() const { return FPttVisualParam1; }
    quint8 PttVisualParam2() const { return FPttVisualParam2; }
    // The three drawing parameters packed as stored in V_CV_PTTPRM.
    quint32 PttVisualParams() const {
        return FPttVisualParam0 + FPttVisualParam1 * 256u + FPttVisualParam2 * 65536u;
    }
    TDateTime CreateDateTime() const { return FCreateDateTime; }
    TDateTime UpdateDateTime() const { return FUpdateDateTime; }
    TDateTime ReplDateTime() const { return FReplDateTime; }

    int MountTypeIndex() const { return FMountType; }
    int GetToPttVisualTypeIndex() const { return FPttVisualType; }
    static TKVCaseMountType IndexToMountType(int AIndex) { return ::IndexToMountType(AIndex); }
    static TKVCaseVisualType IndexToPttVisualType(int AIndex) {
        return ::IndexToPttVisualType(AIndex);
    }

private:
    TKVName FTypeName;
    TKVDescription FDescription;
    quint16 FPinCount = 0;
    TKVCaseMountType FMountType = cmtUnknown;
    TKVCaseVisualType FPttVisualType = cvtUntyped;
    quint8 FPttVisualParam0 = 0;
    quint8 FPttVisualParam1 = 0;
    quint8 FPttVisualParam2 = 0;
    TDateTime FCreateDateTime = 0;
    TDateTime FUpdateDateTime = 0;
    TDateTime FReplDateTime = 0;
};

// Rows of a case list carry no drawing parameters (all 0): the case card keeps its own row.
class TKVCaseList : public TKVList<TKVCase> {
public:
    using TKVList::GetItemByPKey;

    void AddData(quint32 ADBId, quint32 AId, const QString& ATypeName, const QString& ADescription,
                 quint16 APinCount, TKVCaseMountType AMountType, TKVCaseVisualType APttVisualType,
                 TDateTime ACreateDateTime, TDateTime AUpdateDateTime, TDateTime AReplDateTime);
    // Sets the drawing parameters to 0.
    bool UpdateDataByPKey(quint32 ADBId, quint32 AId, const QString& ATypeName,
                          const QString& ADescription, quint16 APinCount,
                          TKVCaseMountType AMountType, TKVCaseVisualType APttVisualType,
                          TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                          TDateTime AReplDateTime);

    static TKVCaseMountType IndexToMountType(int AIndex) { return ::IndexToMountType(AIndex); }
    static TKVCaseVisualType IndexToPttVisualType(int AIndex) {
        return ::IndexToPttVisualType(AIndex);
    }
};
