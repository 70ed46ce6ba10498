#pragma once

// Prices of element types at suppliers (T_ELEMENT_SUPPLIER).

#include "core/KVList.h"

enum TKVElementSupplierListSelectDataMode { essdmOnElementType, essdmOnSupplier, essdmOnClass };

class TKVElementSupplier : public TKVLocalRow {
public:
    TKVElementSupplier(quint32 AId, quint32 AElementTypeDBId, quint32 AElementTypeId)
        : TKVLocalRow(AId), FElementTypeDBId(AElementTypeDBId), FElementTypeId(AElementTypeId) {}

    // Every field but the key; APrice is nullable.
    void UpdateData(quint32 AElementTypeDBId, quint32 AElementTypeId, quint32 ASupplierId,
                    const QVariant& APrice, const QString& AText, TDateTime ACreateDateTime,
                    TDateTime AUpdateDateTime, quint32 AESClassDBId, quint32 AESClassId,
                    const QString& AESClassName, const QString& AElementTypeName,
                    const QString& ASupplierName, qint32 AElementTypeIconId);
    // Price, note, timestamps and icon; keys and names stay.
    void UpdateData(const QVariant& APrice, const QString& AText, TDateTime ACreateDateTime,
                    TDateTime AUpdateDateTime, qint32 AElementTypeIconId);
    void UpdateClassData(quint32 AESClassDBId, quint32 AESClassId, const QString& AESClassName);
    void UpdateElementTypeData(quint32 AElementTypeDBId, quint32 AElementTypeId,
                               const QString& AElementTypeName);
    void UpdateSupplierData(quint32 ASupplierId, const QString& ASupplierName);

    quint32 ElementTypeDBId() const { return FElementTypeDBId; }
    quint32 ElementTypeId() const { return FElementTypeId; }
    quint32 SupplierId() const { return FSupplierId; }
    double Price() const { return FPrice; }
    // A price is given.
    bool UsagePrice() const { return FUsagePrice; }
    const TKVDescription& Text() const { return FText; }
    TDateTime CreateDateTime() const { return FCreateDateTime; }
    TDateTime UpdateDateTime() const { return FUpdateDateTime; }
    quint32 ESClassDBId() const { return FESClassDBId; }
    quint32 ESClassId() const { return FESClassId; }
    const TKVName& ESClassName() const { return FESClassName; }
    const TKVName& ElementTypeName() const { return FElementTypeName; }
    const TKVName& SupplierName() const { return FSupplierName; }
    qint32 ElementTypeIconId() const { return FElementTypeIconId; }

private:
    quint32 FElementTypeDBId;
    quint32 FElementTypeId;
    quint32 FSupplierId = 0;
    double FPrice = 0;
    bool FUsagePrice = false;
    TKVDescription FText;
    TDateTime FCreateDateTime = 0;
    TDateTime FUpdateDateTime = 0;
    quint32 FESClassDBId = 0;
    quint32 FESClassId = 0;
    TKVName FESClassName;
    TKVName FElementTypeName;
    TKVName FSupplierName;
    qint32 FElementTypeIconId = 0;
};

// The prices of one element type, at one supplier, or of the element types of one class.
class TKVElementSupplierList : public TKVList<TKVElementSupplier> {
public:
    static std::unique_ptr<TKVElementSupplierList> CreateOnElementType(quint32 AElementTypeDBId,
                                                                       quint32 AElementTypeId);
    static std::unique_ptr<TKVElementSupplierList> CreateOnSupplier(quint32 ASupplierId);
    static std::unique_ptr<TKVElementSupplierList> CreateOnClass(quint32 AETClassDBId,
                                                                 quint32 AETClassId);
    // An empty list in AMode with no context; the Create... functions fill the context.
    explicit TKVElementSupplierList(TKVElementSupplierListSelectDataMode AMode)
        : FListSelectDataMode(AMode) {}

    // The list's context does not enter the row.
    void AddData(quint32 AId, quint32 AElementTypeDBId, quint32 AElementTypeId, quint32 ASupplierId,
                 const QVariant& APrice, const QString& AText, TDateTime ACreateDateTime,
                 TDateTime AUpdateDateTime, quint32 AESClassDBId, quint32 AESClassId,
                 const QString& AESClassName, const QString& AElementTypeName,
                 const QString& ASupplierName, qint32 AElementTypeIconId);
    // The row's long UpdateData.
    bool UpdateDataByPKey(quint32 AId, quint32 AElementTypeDBId, quint32 AElementTypeId,
                          quint32 ASupplierId, const QVariant& APrice, const QString& AText,
                          TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                          quint32 AESClassDBId, quint32 AESClassId, const QString& AESClassName,
                          const QString& AElementTypeName, const QString& ASupplierName,
                          qint32 AElementTypeIconId);

    // The name into the list and into every row, whatever its keys: these serve lists of one
    // element type, one supplier or one class whose name changed elsewhere.
    void SetElementTypeName(const QString& AElementTypeName);
    void SetSupplierName(const QString& ASupplierName);
    void SetESClassName(const QString& AESClassName);

    TKVElementSupplierListSelectDataMode ListSelectDataMode() const { return FListSelectDataMode; }
    quint32 ElementTypeDBId() const { return FElementTypeDBId; }
    quint32 ElementTypeId() const { return FElementTypeId; }
    const TKVName& ElementTypeName() const { return FElementTypeName; }
    quint32 SupplierId() const { return FSupplierId; }
    const TKVName& SupplierName() const { return FSupplierName; }
    quint32 ESClassDBId() const { return FESClassDBId; }
    quint32 ESClassId() const { return FESClassId; }
    const TKVName& ESClassName() const { return FESClassName; }

private:
    TKVElementSupplierListSelectDataMode FListSelectDataMode;
    quint32 FElementTypeDBId = 0;
    quint32 FElementTypeId = 0;
    TKVName FElementTypeName;
    quint32 FSupplierId = 0;
    TKVName FSupplierName;
    quint32 FESClassDBId = 0;
    quint32 FESClassId = 0;
    TKVName FESClassName;
};
