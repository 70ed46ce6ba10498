#pragma once

// The supplier book's windows: the list window in the workspace (TfrmSupplier, opened by
// OpenRBSupplier) and the modal picker (TfrmSelectSupplier, run by SelectSupplier).

#include "refbooks/_frmSupplier.h"
#include "views/KVListHost.h"

class TfrmSupplier : public TKVBookHost<T_frmSupplier> {
    Q_OBJECT
public:
    explicit TfrmSupplier(QWidget* AParent = nullptr);
};

class TfrmSelectSupplier : public TKVBookSelectDialog<T_frmSupplier> {
    Q_OBJECT
public:
    explicit TfrmSelectSupplier(QWidget* AParent = nullptr);
};

// Opens the supplier list window (the caller brings an open one to the front first); nullptr
// without a main window.
TfrmSupplier* OpenRBSupplier();
// Runs the supplier picker with ASelectId preselected when it is not 0; AResult is the chosen
// supplier, Select false when cancelled.
void SelectSupplier(quint32 ASelectId, TKVSelectedLocalItemDBData& AResult);
