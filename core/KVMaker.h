#pragma once

// Makers of components (T_MAKER).

#include "core/KVList.h"

class TKVMaker : public TKVDBRow {
public:
    TKVMaker(quint32 ADBId, quint32 AId) : TKVDBRow(ADBId, AId) {}

    void UpdateData(const QString& AName, const QString& ADescription, const QString& AUrl,
                    TDateTime ACreateDateTime, TDateTime AUpdateDateTime, TDateTime AReplDateTime);

    const TKVName& Name() const { return FName; }
    const QString& Description() const { return FDescription; }
    const TKVDescription& Url() const { return FUrl; }
    TDateTime CreateDateTime() const { return FCreateDateTime; }
    TDateTime UpdateDateTime() const { return FUpdateDateTime; }
    TDateTime ReplDateTime() const { return FReplDateTime; }

private:
    TKVName FName;
    QString FDescription;
    TKVDescription FUrl;
    TDateTime FCreateDateTime = 0;
    TDateTime FUpdateDateTime = 0;
    TDateTime FReplDateTime = 0;
};

class TKVMakerList : public TKVList<TKVMaker> {
public:
    void AddData(quint32 ADBId, quint32 AId, const QString& AName, const QString& ADescription,
                 const QString& AUrl, TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                 TDateTime AReplDateTime);
    bool UpdateDataByPKey(quint32 ADBId, quint32 AId, const QString& AName,
                          const QString& ADescription, const QString& AUrl,
                          TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                          TDateTime AReplDateTime);
};
