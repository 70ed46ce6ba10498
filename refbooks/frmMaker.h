#pragma once

// The maker book's windows: the list window in the workspace (TfrmMaker, opened by
// OpenRBMaker) and the modal picker (TfrmSelectMaker, run by SelectMaker).

#include "refbooks/_frmMaker.h"
#include "views/KVListHost.h"

class TfrmMaker : public TKVBookHost<T_frmMaker> {
    Q_OBJECT
public:
    explicit TfrmMaker(QWidget* AParent = nullptr);
};

class TfrmSelectMaker : public TKVBookSelectDialog<T_frmMaker> {
    Q_OBJECT
public:
    explicit TfrmSelectMaker(QWidget* AParent = nullptr);
};

// Opens the maker list window (the caller brings an open one to the front first); nullptr
// without a main window.
TfrmMaker* OpenRBMaker();
// Runs the maker picker with (ASelectDBId, ASelectId) preselected when ASelectId is not 0;
// AResult is the chosen maker, Select false when cancelled.
void SelectMaker(quint32 ASelectDBId, quint32 ASelectId, TKVSelectedItemDBData& AResult);
