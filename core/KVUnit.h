#pragma once

// Units of measure (T_UNIT).

#include "core/KVList.h"

class TKVUnit : public TKVDBRow {
public:
    TKVUnit(quint32 ADBId, quint32 AId) : TKVDBRow(ADBId, AId) {}

    void UpdateData(const QString& APrefix, const QString& ANameDef, const QString& AName,
                    const QString& ADescription, double AFactor, TDateTime ACreateDateTime,
                    TDateTime AUpdateDateTime, TDateTime AReplDateTime);

    // The short text shown after a value in this unit.
    const TKVSmallName& Prefix() const { return FPrefix; }
    const TKVSmallName& NameDef() const { return FNameDef; }
    const TKVName& Name() const { return FName; }
    const QString& Description() const { return FDescription; }
    // Multiplier to the base unit.
    double Factor() const { return FFactor; }
    TDateTime CreateDateTime() const { return FCreateDateTime; }
    TDateTime UpdateDateTime() const { return FUpdateDateTime; }
    TDateTime ReplDateTime() const { return FReplDateTime; }

private:
    TKVSmallName FPrefix;
    TKVSmallName FNameDef;
    TKVName FName;
    QString FDescription;
    double FFactor = 0;
    TDateTime FCreateDateTime = 0;
    TDateTime FUpdateDateTime = 0;
    TDateTime FReplDateTime = 0;
};

class TKVUnitList : public TKVList<TKVUnit> {
public:
    void AddData(quint32 ADBId, quint32 AId, const QString& APrefix, const QString& ANameDef,
                 const QString& AName, const QString& ADescription, double AFactor,
                 TDateTime ACreateDateTime, TDateTime AUpdateDateTime, TDateTime AReplDateTime);
    bool UpdateDataByPKey(quint32 ADBId, quint32 AId, const QString& APrefix,
                          const QString& ANameDef, const QString& AName,
                          const QString& ADescription, double AFactor, TDateTime ACreateDateTime,
                          TDateTime AUpdateDateTime, TDateTime AReplDateTime);
};
