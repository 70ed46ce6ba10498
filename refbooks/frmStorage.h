#pragma once

// The storage-place book's windows: the tree window in the workspace (TfrmStorage, opened by
// OpenRBStorage) and the modal picker (TfrmSelectStorage, run by SelectStorage).

#include "refbooks/KVListHost.h"
#include "refbooks/_frmStorage.h"

class TfrmStorage : public TKVListHost {
    Q_OBJECT
public:
    explicit TfrmStorage(QWidget* AParent = nullptr);
    T_frmStorage* StorageFrame() const { return F_frmStorage1; }

private:
    T_frmStorage* F_frmStorage1 = nullptr;
};

class TfrmSelectStorage : public TKVSelectDialog {
    Q_OBJECT
public:
    explicit TfrmSelectStorage(QWidget* AParent = nullptr);
    T_frmStorage* StorageFrame() const { return F_frmStorage1; }
    // The place hidden with every place below it; 0: none. Set before the frame's Init.
    quint32 ExcludeId() const { return F_frmStorage1->ExcludeId(); }
    void SetExcludeId(quint32 AValue) { F_frmStorage1->SetExclude(AValue); }

    // Runs the storage picker with ASelectId preselected when it is not 0 and the place
    // AExcludeId hidden with its subtree; ASelected is the chosen place, Select false when
    // cancelled. (A member, as the option of the same name is a global of the data module.)
    static void SelectStorage(quint32 ASelectId, quint32 AExcludeId,
                              TKVSelectedLocalItemDBData& ASelected);

private:
    T_frmStorage* F_frmStorage1 = nullptr;
};

// Opens the storage-place window (the caller brings an open one to the front first); nullptr
// without a main window.
TfrmStorage* OpenRBStorage();
// Makes TfrmSelectStorage::SelectStorage the options dialog's picker of the storage place for
// emptied stock records.
void InstallSetupSelectStorage();
