#pragma once

// The storage-place book's windows: the tree window in the workspace (TfrmStorage, opened by
// OpenRBStorage) and the modal picker (TfrmSelectStorage, run by SelectStorage).

#include "refbooks/_frmStorage.h"
#include "views/KVListHost.h"

class TfrmStorage : public TKVBookHost<T_frmStorage> {
    Q_OBJECT
public:
    explicit TfrmStorage(QWidget* AParent = nullptr);
};

class TfrmSelectStorage : public TKVBookSelectDialog<T_frmStorage> {
    Q_OBJECT
public:
    explicit TfrmSelectStorage(QWidget* AParent = nullptr);

    // Runs the storage picker with ASelectId preselected when it is not 0 and the place
    // AExcludeId hidden with its subtree; ASelected is the chosen place, Select false when
    // cancelled. (A member, as the option of the same name is a global of the data module.)
    static void SelectStorage(quint32 ASelectId, quint32 AExcludeId,
                              TKVSelectedLocalItemDBData& ASelected);
};

// Opens the storage-place window (the caller brings an open one to the front first); nullptr
// without a main window.
TfrmStorage* OpenRBStorage();
// Makes TfrmSelectStorage::SelectStorage the options dialog's picker of the storage place for
// emptied stock records.
void InstallSetupSelectStorage();
