#pragma once

// The case book's windows: the list window in the workspace (TfrmCase, opened by OpenRBCase)
// and the modal picker (TfrmSelectCase, run by SelectCase).

#include "refbooks/KVListHost.h"
#include "refbooks/_frmCase.h"

class TfrmCase : public TKVListHost {
    Q_OBJECT
public:
    explicit TfrmCase(QWidget* AParent = nullptr);
    T_frmCase* CaseFrame() const { return F_frmCase1; }

private:
    T_frmCase* F_frmCase1 = nullptr;
};

class TfrmSelectCase : public TKVSelectDialog {
    Q_OBJECT
public:
    explicit TfrmSelectCase(QWidget* AParent = nullptr);
    T_frmCase* CaseFrame() const { return F_frmCase1; }

private:
    T_frmCase* F_frmCase1 = nullptr;
};

// Opens the case list window (the caller brings an open one to the front first); nullptr
// without a main window.
TfrmCase* OpenRBCase();
// Runs the case picker with (ASelectDBId, ASelectId) preselected when ASelectId is not 0;
// AResult is the chosen case, Select false when cancelled.
void SelectCase(quint32 ASelectDBId, quint32 ASelectId, TKVSelectedItemDBData& AResult);
