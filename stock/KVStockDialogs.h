#pragma once

// The stock's dialogs that other windows use: the count dialog and the stock-record picker.

#include "core/KVCommon.h"
#include "core/KVElementAvail.h"

#include <QString>

// Asks for a number: the dialog's caption is ACaption, the unit prefix AUnitPrefix stands beside
// the editor, which starts with AValue and takes a number in the user's format (2,5 or 2.5).
// Returns the modal result, mrOk or mrCancel; on mrOk AValue holds the number as typed
// (zero, negative and fractional values included: the caller judges them), otherwise it is
// unchanged.
int ShowChangeCountDlg(double& AValue, const QString& ACaption, const QString& AUnitPrefix);

// Runs the picker of the stock records of AListSelectDataMode (easdmAll, easdmOnStorage with
// AStorageId or easdmOnElementType with the type's key) with ASelectId preselected when it is
// not 0; ASelected is the chosen record, Select false when cancelled.
void SelectElementAvail(quint32 ASelectId, TKVElementAvailListSelectDataMode AListSelectDataMode,
                        quint32 AElementTypeDBId, quint32 AElementTypeId, quint32 AStorageId,
                        TKVSelectedLocalItemDBData& ASelected);
