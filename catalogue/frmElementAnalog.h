#pragma once

// The window of the analogs of one element type in the workspace.

#include "catalogue/_frmElementAnalog.h"
#include "views/KVListHost.h"

class TfrmElementAnalog : public TKVBookHost<T_frmElementAnalog> {
    Q_OBJECT
public:
    explicit TfrmElementAnalog(QWidget* AParent = nullptr);
};

// Opens a new analog window of the primary type; nullptr without a main window.
TfrmElementAnalog* OpenRBElementAnalog(quint32 APrimaryElementTypeDBId,
                                       quint32 APrimaryElementTypeId);
// Brings every open analog window of the type to the front, or opens one.
void ShowElementAnalogs(quint32 AElementTypeDBId, quint32 AElementTypeId);
