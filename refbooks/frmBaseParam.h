#pragma once

// The base-parameter book's windows: the list window of one class's base parameters in the
// workspace (TfrmBaseParam, opened by OpenRBBaseParam) and the modal picker (TfrmSelectBaseParam,
// run by SelectBaseParam).

#include "refbooks/KVListHost.h"
#include "refbooks/_frmBaseParam.h"

class TfrmBaseParam : public TKVListHost {
    Q_OBJECT
public:
    explicit TfrmBaseParam(QWidget* AParent = nullptr);
    T_frmBaseParam* BaseParamFrame() const { return F_frmBaseParam1; }

private:
    T_frmBaseParam* F_frmBaseParam1 = nullptr;
};

class TfrmSelectBaseParam : public TKVSelectDialog {
    Q_OBJECT
public:
    explicit TfrmSelectBaseParam(QWidget* AParent = nullptr);
    T_frmBaseParam* BaseParamFrame() const { return F_frmBaseParam1; }

private:
    T_frmBaseParam* F_frmBaseParam1 = nullptr;
};

// Opens the list window of the base parameters of class (AClassDBId, AClassId). It does not
// look for an open window of the class: the caller brings such a window to the front first
// (FindMDIChildren<TfrmBaseParam> on BaseParamFrame()->BPClassDBId() and BPClassId()).
// nullptr without a main window.
TfrmBaseParam* OpenRBBaseParam(quint32 AClassDBId, quint32 AClassId);
// Runs the picker over the base parameters of class (AClassDBId, AClassId) with
// (ASelectDBId, ASelectId) preselected when ASelectId is not 0; AResult is the chosen base
// parameter, Select false when cancelled.
void SelectBaseParam(quint32 AClassDBId, quint32 AClassId, quint32 ASelectDBId, quint32 ASelectId,
                     TKVSelectedItemDBData& AResult);
