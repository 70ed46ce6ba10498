#pragma once

// The stock operations that change stock data in place, without the stock-record card: saving
// a new count of one record (and moving a record that became empty to the storage place kept
// for empty records), moving every empty record there at once, and adding a stock record to a
// project (merging with the project's item that already draws on it). The stock list's
// commands ask the user and then call these.

#include "core/KVCommon.h"

#include <QString>

class TKVElementAvail;

class TKVStockOperations {
public:
    // Whether the storage place exists; false (after the error box) when it cannot be read.
    static bool ExistsStorageById(quint32 AStorageId);

    // Whether a record of count ACount now kept in AStorageId is to be moved to the place for
    // empty records: option LocalConfig on, such a place chosen, the count not above 0, option
    // MoveEmptyAvailToSpecStorage not 0 and the record not there already.
    static bool MoveWanted(double ACount, quint32 AStorageId);
    // Asks as the option says (1: the question; 2: no question) after checking that the place
    // exists ("Не удалось переместить записи" when it does not); true: move.
    static bool ConfirmMove();

    // Writes the count (and the place for empty records when AMove) of stock record ARecord
    // with the revision time now, and updates the record object after the commit; false when
    // the write failed (the error was shown; nothing changed).
    static bool SaveCount(TKVElementAvail& ARecord, double ACount, bool AMove);

    // Moves every empty record outside the place for empty records into it (their revision
    // times stay); the number moved, 0 when none or when the place is not usable.
    static quint32 MoveEmptyToSpecStorage();

    // Adds AQuantity of stock record ARecord to project AProjectId: to the project's item that
    // draws on the record (after the question; No changes nothing), or as a new item. True when
    // written.
    static bool AddToProject(quint32 AProjectId, const TKVElementAvail& ARecord, double AQuantity);
};
