#pragma once

// The unit book's windows: the list window in the workspace (TfrmUnit, opened by OpenRBUnit)
// and the modal picker (TfrmSelectUnit, run by SelectUnit).

#include "refbooks/_frmUnit.h"
#include "views/KVListHost.h"

class TfrmUnit : public TKVBookHost<T_frmUnit> {
    Q_OBJECT
public:
    explicit TfrmUnit(QWidget* AParent = nullptr);
};

class TfrmSelectUnit : public TKVBookSelectDialog<T_frmUnit> {
    Q_OBJECT
public:
    explicit TfrmSelectUnit(QWidget* AParent = nullptr);
};

// Opens the unit list window (the caller brings an open one to the front first); nullptr
// without a main window.
TfrmUnit* OpenRBUnit();
// Runs the unit picker with (ASelectDBId, ASelectId) preselected when ASelectId is not 0;
// AResult is the chosen unit, Select false when cancelled.
void SelectUnit(quint32 ASelectDBId, quint32 ASelectId, TKVSelectedItemDBData& AResult);
