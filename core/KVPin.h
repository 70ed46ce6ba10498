#pragma once

// Pins of element types (T_PIN), and the pin record of a case drawing.

#include "core/KVList.h"

// The value of ordinal AIndex; ptUnknown outside the enumeration.
TKVPinType IndexToPinType(int AIndex);

// One pin of a case drawing.
struct TKVPinData {
    quint16 pdNum = 0;
    TKVName pdName;
    TKVDescription pdDescription;
    TKVPinType pdPinType = ptUnknown;
};

class TKVPin : public TKVDBRow {
public:
    TKVPin(quint32 ADBId, quint32 AId, quint32 AElementTypeDBId, quint32 AElementTypeId)
        : TKVDBRow(ADBId, AId), FElementTypeDBId(AElementTypeDBId), FElementTypeId(AElementTypeId) {
    }

    void UpdateData(quint16 ANum, const QString& AName, const QString& ADescription,
                    TKVPinType APinType, TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                    TDateTime AReplDateTime, const QString& AElementTypeName);
    // The element-type name stays.
    void UpdateData(quint16 ANum, const QString& AName, const QString& ADescription,
                    TKVPinType APinType, TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                    TDateTime AReplDateTime);
    void UpdateElementTypeData(quint32 AElementTypeDBId, quint32 AElementTypeId,
                               const QString& AElementTypeName);

    quint32 ElementTypeDBId() const { return FElementTypeDBId; }
    quint32 ElementTypeId() const { return FElementTypeId; }
    quint16 Num() const { return FNum; }
    const TKVName& Name() const { return FName; }
    const TKVDescription& Description() const { return FDescription; }
    TKVPinType PinType() const { return FPinType; }
    int PinTypeIndex() const { return FPinType; }
    int GetPinTypeIndex() const { return FPinType; }
    TDateTime CreateDateTime() const { return FCreateDateTime; }
    TDateTime UpdateDateTime() const { return FUpdateDateTime; }
    TDateTime ReplDateTime() const { return FReplDateTime; }
    const TKVName& ElementTypeName() const { return FElementTypeName; }

    static TKVPinType IndexToPinType(int AIndex) { return ::IndexToPinType(AIndex); }

private:
    quint32 FElementTypeDBId;
    quint32 FElementTypeId;
    quint16 FNum = 0;
    TKVName FName;
    TKVDescription FDescription;
    TKVPinType FPinType = ptUnknown;
    TDateTime FCreateDateTime = 0;
    TDateTime FUpdateDateTime = 0;
    TDateTime FReplDateTime = 0;
    TKVName FElementTypeName;
};

// The pins of one element type.
class TKVPinList : public TKVList<TKVPin> {
public:
    TKVPinList(quint32 AElementTypeDBId, quint32 AElementTypeId)
        : FElementTypeDBId(AElementTypeDBId), FElementTypeId(AElementTypeId) {}

    // A pin of the list's element type; its element-type name stays empty until
    // SetElementTypeName.
    void AddData(quint32 ADBId, quint32 AId, quint16 ANum, const QString& AName,
                 const QString& ADescription, TKVPinType APinType, TDateTime ACreateDateTime,
                 TDateTime AUpdateDateTime, TDateTime AReplDateTime,
                 const QString& AElementTypeName);
    // The row's long UpdateData, which stores the element-type name.
    bool UpdateDataByPKey(quint32 ADBId, quint32 AId, quint16 ANum, const QString& AName,
                          const QString& ADescription, TKVPinType APinType,
                          TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                          TDateTime AReplDateTime, const QString& AElementTypeName);
    // The list's element-type name and that of every pin.
    void SetElementTypeName(const QString& AElementTypeName);

    quint32 ElementTypeDBId() const { return FElementTypeDBId; }
    quint32 ElementTypeId() const { return FElementTypeId; }
    const TKVName& ElementTypeName() const { return FElementTypeName; }
    // The pin count of the element type's case, kept here by the pin window.
    quint16 PinCount() const { return FPinCount; }
    void SetPinCount(quint16 APinCount) { FPinCount = APinCount; }

    static TKVPinType IndexToPinType(int AIndex) { return ::IndexToPinType(AIndex); }

private:
    quint32 FElementTypeDBId;
    quint32 FElementTypeId;
    TKVName FElementTypeName;
    quint16 FPinCount = 0;
};
