#pragma once

// The report-value dialog: asks for one value or one range of a report parameter while a
// report's parameters are bound. OK stores the answer in ReportValues(); a range whose second
// end lies below the first keeps the dialog open.

#include "reports/KVReportBuild.h"
#include "shell/KVDialog.h"

class QDateEdit;
class QDoubleSpinBox;
class QLineEdit;
class QStackedWidget;
class T_frmOkCancel;

class TfrmInputRepVar : public TKVDialog {
    Q_OBJECT
public:
    explicit TfrmInputRepVar(QWidget* AParent = nullptr);

    TInputRepValType InputRepValType() const { return FInputRepValType; }
    // Shows the page of AValue with its start values.
    void SetInputRepValType(TInputRepValType AValue);

    QStackedWidget* InputRepVar_Notebook() const { return FNotebook; }
    QDoubleSpinBox* NumVal_SpinEdit() const { return FNumVal; }
    QDoubleSpinBox* BeginNumRangVal_SpinEdit() const { return FBeginNum; }
    QDoubleSpinBox* EndNumRangVal_SpinEdit() const { return FEndNum; }
    QDateEdit* DateVal_DateEdit() const { return FDateVal; }
    QDateEdit* BeginDateVal_DateEdit() const { return FBeginDate; }
    QDateEdit* EndDateVal_DateEdit() const { return FEndDate; }
    QLineEdit* StrVal_TextEdit() const { return FStrVal; }
    T_frmOkCancel* OkCancelFrame() const { return FOkCancel; }

    void done(int AResult) override;

private:
    QWidget* RangePage(QWidget* ABegin, QWidget* AEnd);

    TInputRepValType FInputRepValType = irvtInt;
    QStackedWidget* FNotebook = nullptr;
    QDoubleSpinBox* FNumVal = nullptr;
    QDoubleSpinBox* FBeginNum = nullptr;
    QDoubleSpinBox* FEndNum = nullptr;
    QDateEdit* FDateVal = nullptr;
    QDateEdit* FBeginDate = nullptr;
    QDateEdit* FEndDate = nullptr;
    QLineEdit* FStrVal = nullptr;
    T_frmOkCancel* FOkCancel = nullptr;
};

// Runs the dialog for AValType; returns its modal result (mrOk: the answer is stored).
int ShowInputRepVarDlg(TInputRepValType AValType);
