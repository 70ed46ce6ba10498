#pragma once

// The case book's windows: the list window in the workspace (TfrmCase, opened by OpenRBCase)
// and the modal picker (TfrmSelectCase, run by SelectCase).

#include "refbooks/_frmCase.h"
#include "views/KVListHost.h"

class TfrmCase : public TKVBookHost<T_frmCase> {
    Q_OBJECT
public:
    explicit TfrmCase(QWidget* AParent = nullptr);
};

class TfrmSelectCase : public TKVBookSelectDialog<T_frmCase> {
    Q_OBJECT
public:
    explicit TfrmSelectCase(QWidget* AParent = nullptr);
};

// Opens the case list window (the caller brings an open one to the front first); nullptr
// without a main window.
TfrmCase* OpenRBCase();
// Runs the case picker with (ASelectDBId, ASelectId) preselected when ASelectId is not 0;
// AResult is the chosen case, Select false when cancelled.
void SelectCase(quint32 ASelectDBId, quint32 ASelectId, TKVSelectedItemDBData& AResult);
