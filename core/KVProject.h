#pragma once

// Projects (T_PROJECT): something the user builds in a number of devices.

#include "core/KVList.h"

enum TKVProjectListSelectDataMode { psdmInProgress, psdmArchive };

class TKVProject : public TKVLocalRow {
public:
    explicit TKVProject(quint32 AId) : TKVLocalRow(AId) {}

    // Every field but the key.
    void UpdateData(const QString& AName, const QString& ADescription, qint32 ACountDeviceScheduled,
                    qint32 ACountDeviceComplete, const QString& ACategory, TDateTime ADateBegin,
                    TDateTime ADateEnd, bool AInProgress, qint32 AIconId, TDateTime ACreateDateTime,
                    TDateTime AUpdateDateTime);

    const TKVName& Name() const { return FName; }
    const QString& Description() const { return FDescription; }
    qint32 CountDeviceScheduled() const { return FCountDeviceScheduled; }
    qint32 CountDeviceComplete() const { return FCountDeviceComplete; }
    const TKVDescription& Category() const { return FCategory; }
    TDateTime DateBegin() const { return FDateBegin; }
    TDateTime DateEnd() const { return FDateEnd; }
    // In work; archived otherwise.
    bool InProgress() const { return FInProgress; }
    // -1 = no icon.
    qint32 IconId() const { return FIconId; }
    TDateTime CreateDateTime() const { return FCreateDateTime; }
    TDateTime UpdateDateTime() const { return FUpdateDateTime; }

private:
    TKVName FName;
    QString FDescription;
    qint32 FCountDeviceScheduled = 0;
    qint32 FCountDeviceComplete = 0;
    TKVDescription FCategory;
    TDateTime FDateBegin = 0;
    TDateTime FDateEnd = 0;
    bool FInProgress = false;
    qint32 FIconId = -1;
    TDateTime FCreateDateTime = 0;
    TDateTime FUpdateDateTime = 0;
};

class TKVProjectList : public TKVList<TKVProject> {
public:
    explicit TKVProjectList(TKVProjectListSelectDataMode AListSelectDataMode)
        : FListSelectDataMode(AListSelectDataMode) {}

    void AddData(quint32 AId, const QString& AName, const QString& ADescription,
                 qint32 ACountDeviceScheduled, qint32 ACountDeviceComplete,
                 const QString& ACategory, TDateTime ADateBegin, TDateTime ADateEnd,
                 bool AInProgress, qint32 AIconId, TDateTime ACreateDateTime,
                 TDateTime AUpdateDateTime);
    bool UpdateDataByPKey(quint32 AId, const QString& AName, const QString& ADescription,
                          qint32 ACountDeviceScheduled, qint32 ACountDeviceComplete,
                          const QString& ACategory, TDateTime ADateBegin, TDateTime ADateEnd,
                          bool AInProgress, qint32 AIconId, TDateTime ACreateDateTime,
                          TDateTime AUpdateDateTime);

    TKVProjectListSelectDataMode ListSelectDataMode() const { return FListSelectDataMode; }

private:
    TKVProjectListSelectDataMode FListSelectDataMode;
};
