#include "core/KVNote.h"

namespace {

qint8 NormalizedMarker(int AMarker) {
    return AMarker >= 0 && AMarker <= 15 ? static_cast<qint8>(AMarker) : qint8(-1);
}

} // namespace

void TKVNote::UpdateData(int AMarker, const QString& AText, TDateTime ACreateDateTime,
                         TDateTime AUpdateDateTime) {
    FMarker = NormalizedMarker(AMarker);
    UpdateData(AText, ACreateDateTime, AUpdateDateTime);
}

void TKVNote::UpdateData(const QString& AText, TDateTime ACreateDateTime,
                         TDateTime AUpdateDateTime) {
    FText = AText;
    FCreateDateTime = ACreateDateTime;
    FUpdateDateTime = AUpdateDateTime;
}

void TKVNote::UpdateMarkerData(int AMarker) {
    FMarker = NormalizedMarker(AMarker);
}

void TKVNoteList::AddData(quint32 AId, int AMarker, const QString& AText, TDateTime ACreateDateTime,
                          TDateTime AUpdateDateTime) {
    AppendNew(AId)->UpdateData(AMarker, AText, ACreateDateTime, AUpdateDateTime);
}

bool TKVNoteList::UpdateDataByPKey(quint32 AId, int AMarker, const QString& AText,
                                   TDateTime ACreateDateTime, TDateTime AUpdateDateTime) {
    return UpdateByPKey({AId}, [&](TKVNote& ARow) {
        ARow.UpdateData(AMarker, AText, ACreateDateTime, AUpdateDateTime);
    });
}
