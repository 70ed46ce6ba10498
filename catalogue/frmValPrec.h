#pragma once

// The tolerance dialog "Точность параметра": a parameter value stated as a typical value with
// a deviation in percent to each side, and its display format. It opens with the percentages of
// the caller's minimum and maximum (ValPrecPercents) and, closed with OK, hands back the
// typical value, the minimum and maximum of the percentages above 0 (ValPrecValues) and the
// format, through ValPrecData.

#include "shell/KVDialog.h"

class QComboBox;
class QLineEdit;
class T_frmOkCancel;

// What passes between the dialog and its caller: set by ShowValPrecDlg before the dialog is
// shown; after OK, the typical value and view type confirmed and the minimum and maximum
// computed (use-min and use-max say which were).
struct TKVValPrecData {
    bool UseMinVal = false;
    bool UseMaxVal = false;
    double MinVal = 0;
    double TypeVal = 0;
    double MaxVal = 0;
    // 0 "Значение/диапазон", 1 "Набор значений", 2 "Параметр с указанием точности".
    int ViewType = 0;
};
extern TKVValPrecData ValPrecData;

class TfrmValPrec : public TKVDialog {
    Q_OBJECT
public:
    // Takes its values from ValPrecData.
    explicit TfrmValPrec(QWidget* AParent = nullptr);

    QLineEdit* PrecMinVal_SpinEdit() const { return FPrecMinEdit; }
    QLineEdit* ValueTypeVal_SpinEdit() const { return FTypeEdit; }
    QLineEdit* PrecMaxVal_SpinEdit() const { return FPrecMaxEdit; }
    QComboBox* PrecViewType_ComboBox() const { return FViewTypeCombo; }
    T_frmOkCancel* OkCancel() const { return FOkCancel; }

    // OK checks the numbers (a message and the dialog stays when one is not a number) and
    // writes the results into ValPrecData.
    void done(int AResult) override;

private:
    // A percentage typed with a minus sign becomes its absolute value.
    void PrecValueChanged(QLineEdit* AEditor);

    QLineEdit* FPrecMinEdit = nullptr;
    QLineEdit* FTypeEdit = nullptr;
    QLineEdit* FPrecMaxEdit = nullptr;
    QComboBox* FViewTypeCombo = nullptr;
    T_frmOkCancel* FOkCancel = nullptr;
};

// Stores the values in ValPrecData and shows the dialog modally; 1 for OK (the results are then
// in ValPrecData), 2 for Cancel.
int ShowValPrecDlg(bool AUseMinVal, bool AUseMaxVal, int AViewType, double AMinVal,
                   double ATypeVal, double AMaxVal);
