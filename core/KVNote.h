#pragma once

// Free-text notes (T_NOTE).

#include "core/KVList.h"

class TKVNote : public TKVLocalRow {
public:
    // Without a marker.
    explicit TKVNote(quint32 AId) : TKVLocalRow(AId) {}

    // A marker of 0..15 is kept; any other value stores -1 (no marker).
    void UpdateData(int AMarker, const QString& AText, TDateTime ACreateDateTime,
                    TDateTime AUpdateDateTime);
    // The marker stays.
    void UpdateData(const QString& AText, TDateTime ACreateDateTime, TDateTime AUpdateDateTime);
    void UpdateMarkerData(int AMarker);

    // Colour marker 0..15; -1 = no marker.
    qint8 Marker() const { return FMarker; }
    const QString& Text() const { return FText; }
    TDateTime CreateDateTime() const { return FCreateDateTime; }
    TDateTime UpdateDateTime() const { return FUpdateDateTime; }

private:
    qint8 FMarker = -1;
    QString FText;
    TDateTime FCreateDateTime = 0;
    TDateTime FUpdateDateTime = 0;
};

class TKVNoteList : public TKVList<TKVNote> {
public:
    void AddData(quint32 AId, int AMarker, const QString& AText, TDateTime ACreateDateTime,
                 TDateTime AUpdateDateTime);
    bool UpdateDataByPKey(quint32 AId, int AMarker, const QString& AText, TDateTime ACreateDateTime,
                          TDateTime AUpdateDateTime);
};
