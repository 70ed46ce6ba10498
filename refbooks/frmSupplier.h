#pragma once

// The supplier book's windows: the list window in the workspace (TfrmSupplier, opened by
// OpenRBSupplier) and the modal picker (TfrmSelectSupplier, run by SelectSupplier).

#include "refbooks/KVListHost.h"
#include "refbooks/_frmSupplier.h"

class TfrmSupplier : public TKVListHost {
    Q_OBJECT
public:
    explicit TfrmSupplier(QWidget* AParent = nullptr);
    T_frmSupplier* SupplierFrame() const { return F_frmSupplier1; }

private:
    T_frmSupplier* F_frmSupplier1 = nullptr;
};

class TfrmSelectSupplier : public TKVSelectDialog {
    Q_OBJECT
public:
    explicit TfrmSelectSupplier(QWidget* AParent = nullptr);
    T_frmSupplier* SupplierFrame() const { return F_frmSupplier1; }

private:
    T_frmSupplier* F_frmSupplier1 = nullptr;
};

// Opens the supplier list window (the caller brings an open one to the front first); nullptr
// without a main window.
TfrmSupplier* OpenRBSupplier();
// Runs the supplier picker with ASelectId preselected when it is not 0; AResult is the chosen
// supplier, Select false when cancelled.
void SelectSupplier(quint32 ASelectId, TKVSelectedLocalItemDBData& AResult);
