#pragma once

// The base-parameter book's windows: the list window of one class's base parameters in the
// workspace (TfrmBaseParam, opened by OpenRBBaseParam) and the modal picker (TfrmSelectBaseParam,
// run by SelectBaseParam).

#include "refbooks/_frmBaseParam.h"
#include "views/KVListHost.h"

class TfrmBaseParam : public TKVBookHost<T_frmBaseParam> {
    Q_OBJECT
public:
    explicit TfrmBaseParam(QWidget* AParent = nullptr);
};

class TfrmSelectBaseParam : public TKVBookSelectDialog<T_frmBaseParam> {
    Q_OBJECT
public:
    explicit TfrmSelectBaseParam(QWidget* AParent = nullptr);
};

// Opens the list window of the base parameters of class (AClassDBId, AClassId). It does not
// look for an open window of the class: the caller brings such a window to the front first
// (FindMDIChildren<TfrmBaseParam> on BookFrame()->BPClassDBId() and BPClassId()).
// nullptr without a main window.
TfrmBaseParam* OpenRBBaseParam(quint32 AClassDBId, quint32 AClassId);
// Runs the picker over the base parameters of class (AClassDBId, AClassId) with
// (ASelectDBId, ASelectId) preselected when ASelectId is not 0; AResult is the chosen base
// parameter, Select false when cancelled.
void SelectBaseParam(quint32 AClassDBId, quint32 AClassId, quint32 ASelectDBId, quint32 ASelectId,
                     TKVSelectedItemDBData& AResult);
