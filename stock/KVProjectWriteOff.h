#pragma once

// The write-off of a project's stock: when the number of completed devices of a project in work
// grows, the stock records its items draw on lose the items' counts times the number of newly
// completed devices. The project card runs it after the project itself was saved; what it does
// is decided by option WriteOffAvailItemsInProject (never, after a question, always).
//
// The write-off is one transaction: it reads the project's items and subtracts from every stock
// record they link (the items of one record summed into one UPDATE); any failure rolls all of
// it back, so the stock counts are either all written off or all as they were. The count the
// next write-off measures against moves on only when nothing is left to write off: the
// write-off committed, the user said No, the option says never, or nothing qualified.

#include <QtGlobal>

#include <functional>

class TKVProjectWriteOff {
public:
    // The number of the project's items linked to a stock record; -1 when the database could
    // not be read (the error was shown).
    static int CountAvailLinkedItems(quint32 AProjectId);

    // Subtracts each linked item's count times ADeviceCount from its stock record, in one
    // transaction; true when committed (also when there was nothing to write off), false when
    // it failed and was rolled back (the error was shown).
    static bool WriteOffAvailItemsInProject(quint32 AProjectId, quint32 ADeviceCount);

    // After a successful save of the project AProjectId (AInProgress: it is in work) whose
    // completed-device count went from AOldCount to ANewCount: runs the write-off as AOption
    // says, asking first for option 1. Returns the count the next save measures against:
    // ANewCount, or AOldCount when a write-off was wanted but did not commit.
    static qint64 AfterProjectSaved(quint32 AProjectId, bool AInProgress, qint64 AOldCount,
                                    qint64 ANewCount, int AOption);

    // A test seam: called inside the write-off's transaction after the UPDATE of each stock
    // record with its Id; an exception thrown here fails the write-off. Empty: none.
    static void SetFaultHook(std::function<void(quint32 AElementAvailId)> AHook);
};
