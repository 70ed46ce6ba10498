#pragma once

// Suppliers (T_SUPPLIER).

#include "core/KVList.h"

class TKVSupplier : public TKVLocalRow {
public:
    explicit TKVSupplier(quint32 AId) : TKVLocalRow(AId) {}

    void UpdateData(const QString& AName, const QString& AAddress, const QString& APhone,
                    const QString& AUrl, const QString& AText, TDateTime ACreateDateTime,
                    TDateTime AUpdateDateTime);

    const TKVName& Name() const { return FName; }
    const TKVDescription& Address() const { return FAddress; }
    const TKVDescription& Phone() const { return FPhone; }
    const TKVDescription& Url() const { return FUrl; }
    const QString& Text() const { return FText; }
    TDateTime CreateDateTime() const { return FCreateDateTime; }
    TDateTime UpdateDateTime() const { return FUpdateDateTime; }

private:
    TKVName FName;
    TKVDescription FAddress;
    TKVDescription FPhone;
    TKVDescription FUrl;
    QString FText;
    TDateTime FCreateDateTime = 0;
    TDateTime FUpdateDateTime = 0;
};

class TKVSupplierList : public TKVList<TKVSupplier> {
public:
    void AddData(quint32 AId, const QString& AName, const QString& AAddress, const QString& APhone,
                 const QString& AUrl, const QString& AText, TDateTime ACreateDateTime,
                 TDateTime AUpdateDateTime);
    bool UpdateDataByPKey(quint32 AId, const QString& AName, const QString& AAddress,
                          const QString& APhone, const QString& AUrl, const QString& AText,
                          TDateTime ACreateDateTime, TDateTime AUpdateDateTime);
};
