#pragma once

// The one-line input: a caption, one editor (optionally with password echo) and OK / Отмена.
// Enter in the editor or on a button accepts, Esc cancels.

#include <QDialog>
#include <QString>

class QLineEdit;
class T_frmOkCancel;

// The text of the last input dialog closed with OK, as typed (not trimmed).
extern QString InputTextValue;

class TfrmInputText : public QDialog {
    Q_OBJECT
public:
    // ACaption: the window's caption; AText: the editor's text; AMaxLength: at most that many
    // characters (0 or less: no limit of its own); APassword: every character shows as '*'.
    TfrmInputText(const QString& ACaption, const QString& AText, int AMaxLength, bool APassword,
                  QWidget* AParent = nullptr);

    QLineEdit* TextEdit() const { return FInputText_TextEdit; }
    T_frmOkCancel* OkCancel() const { return F_frmOkCancel1; }

    // With OK the editor's text goes to InputTextValue.
    void done(int AResult) override;
    // Closes with the Cancel result (2).
    void reject() override;

protected:
    void showEvent(QShowEvent* AEvent) override;

private:
    QLineEdit* FInputText_TextEdit = nullptr;
    T_frmOkCancel* F_frmOkCancel1 = nullptr;
};

// Shows the input modally; 1 for OK (the text is then in InputTextValue) or 2 for Cancel.
int ShowInputTextDlg(const QString& ACaption, const QString& AText, int AMaxLength, bool APassword);
