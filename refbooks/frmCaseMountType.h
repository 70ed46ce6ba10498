#pragma once

// The small modal picker of a mount type, used by the lists that filter cases, element types
// and stock records on one. The accepted choice stays in SelectedCaseMountType for as long as
// the program runs; the picker does not preselect it.

#include "core/KVCommon.h"
#include "shell/KVDialog.h"
#include "views/KVListFrame.h"

class QComboBox;
class T_frmOkCancel;

// The mount type last accepted in the picker; cmtUnknown before the first.
extern TKVCaseMountType SelectedCaseMountType;

class TfrmCaseMountType : public TKVDialog {
    Q_OBJECT
public:
    explicit TfrmCaseMountType(QWidget* AParent = nullptr);

    QComboBox* CaseMountType_ComboBox() const { return FComboBox; }
    T_frmOkCancel* OkCancelFrame() const { return FOkCancel; }

    // OK stores the chosen mount type (no line chosen: cmtUnknown).
    void done(int AResult) override;

private:
    QComboBox* FComboBox = nullptr;
    T_frmOkCancel* FOkCancel = nullptr;
};

// Runs the picker; returns its modal result (mrOk: the choice is in SelectedCaseMountType).
int SelectCaseMountType();

// The client filter "only of one mount type" of the lists of cases, element types and stock
// records: turning it on asks for the mount type with the picker and keeps it in AValue, which
// must outlive the filter.
TKVClientFilter CaseMountTypeFilter(TKVCaseMountType& AValue);
