#pragma once

// The count dialog: one number with a unit prefix beside it, "OK" and "Отмена". The number is
// typed in the user's format (a decimal comma or point) and has no bounds; the dialog refuses
// only a text that is no number, with a message, and keeps it for the user to mend.

#include "shell/KVDialog.h"

#include <optional>

class QLabel;
class QLineEdit;
class T_frmOkCancel;

class TfrmChangeCount : public TKVDialog {
    Q_OBJECT
public:
    // APDoubleValue: the caller's variable, read now and written when the dialog closes with OK.
    TfrmChangeCount(double* APDoubleValue, const QString& ACaption, const QString& AUnitPrefix,
                    QWidget* AParent = nullptr);

    double* PDoubleValue() const { return FPDoubleValue; }
    QLineEdit* CountValue_SpinEdit() const { return FValueEdit; }
    QLabel* CountUnitPrefix_Label() const { return FUnitPrefixLabel; }
    T_frmOkCancel* OkCancel() const { return FOkCancel; }

    // The number a text stands for, in the user's format or with a point; nullopt for a text
    // that is no finite number.
    static std::optional<double> ParseNumber(const QString& AText);

    // OK takes the editor's number into the caller's variable; a text that is no number keeps
    // the dialog open.
    void done(int AResult) override;

protected:
    bool eventFilter(QObject* AObject, QEvent* AEvent) override;

private:
    double* FPDoubleValue;
    QLineEdit* FValueEdit = nullptr;
    QLabel* FUnitPrefixLabel = nullptr;
    T_frmOkCancel* FOkCancel = nullptr;
};
