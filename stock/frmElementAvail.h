#pragma once

// The stock list's windows: the list window in the workspace (TfrmElementAvail), opened on all
// records, a name mask, a storage place, an element type, a nominal-value search, a
// revision-date search or a marking mask; and the modal picker of one stock record
// (TfrmSelectElementAvail, run by SelectElementAvail, stock/KVStockDialogs.h).

#include "stock/_frmElementAvail.h"
#include "views/KVListHost.h"

class TfrmElementAvail : public TKVBookHost<T_frmElementAvail> {
    Q_OBJECT
public:
    explicit TfrmElementAvail(QWidget* AParent = nullptr);
};

class TfrmSelectElementAvail : public TKVBookSelectDialog<T_frmElementAvail> {
    Q_OBJECT
public:
    explicit TfrmSelectElementAvail(QWidget* AParent = nullptr);
};

// Open a new list window; the callers bring an open one of the same kind to the front first
// (the Show... functions do). nullptr without a main window, or for a mask that the database
// cannot hold (the user is told).
TfrmElementAvail* OpenRBElementAvail();
TfrmElementAvail* OpenRBElementAvailOnName(const QString& AName);
TfrmElementAvail* OpenRBElementAvailOnStorage(quint32 AStorageId);
TfrmElementAvail* OpenRBElementAvailOnElementType(quint32 AElementTypeDBId, quint32 AElementTypeId);
TfrmElementAvail* OpenRBElementAvailOnNominal(TKVElementAvailNominalSearchType ANominalSearchType,
                                              double ANominalSearchValue1,
                                              double ANominalSearchValue2,
                                              quint32 ANominalSearchUnitDBId,
                                              quint32 ANominalSearchUnitId);
TfrmElementAvail* OpenRBElementAvailOnRevDate(TDateTime ARevDateBegin, TDateTime ARevDateEnd,
                                              quint32 AStorageId);
TfrmElementAvail* OpenRBElementAvailOnMarking(const QString& AMarking);

// Brings every open list of the kind to the front, or opens one: all records, one storage
// place, one element type, a name or marking mask (the same mask in any letter case).
void ShowElementAvail();
void ShowElementAvailOnStorage(quint32 AStorageId);
void ShowElementAvailOnElementType(quint32 AElementTypeDBId, quint32 AElementTypeId);
void ShowElementAvailOnName(const QString& AName);
void ShowElementAvailOnMarking(const QString& AMarking);
