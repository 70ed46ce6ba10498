#pragma once

// The element-class book's windows: the class tree in the workspace (TfrmClass, opened by
// OpenRBClass) and the modal picker (TfrmSelectClass, run by SelectClass), which can hide one
// class with its whole subtree.

#include "refbooks/_frmClass.h"
#include "views/KVListHost.h"

class TfrmClass : public TKVBookHost<T_frmClass> {
    Q_OBJECT
public:
    explicit TfrmClass(QWidget* AParent = nullptr);
};

class TfrmSelectClass : public TKVBookSelectDialog<T_frmClass> {
    Q_OBJECT
public:
    explicit TfrmSelectClass(QWidget* AParent = nullptr);
};

// Opens the class window (the caller brings an open one to the front first); nullptr without
// a main window.
TfrmClass* OpenRBClass();
// Runs the class picker with (ASelectDBId, ASelectId) preselected when ASelectId is not 0 and
// class (AExcludeDBId, AExcludeId) hidden with every class below it (AExcludeId 0: none);
// ASelected is the chosen class, Select false when cancelled.
void SelectClass(quint32 ASelectDBId, quint32 ASelectId, quint32 AExcludeDBId, quint32 AExcludeId,
                 TKVSelectedItemDBData& ASelected);
