#pragma once

// The alias editor: a name and a database file that together make one entry of the alias
// list of the options dialog. OK with an empty name or file keeps the dialog open with the
// focus in the empty field.

#include "shell/KVDialog.h"

#include <QString>

class QLabel;
class QLineEdit;
class TKVButtonEdit;
class T_frmOkCancel;

// The name and the file of the last alias accepted with OK, as typed; a cancel leaves them.
extern QString AliasEditName;
extern QString AliasEditFileName;

class TfrmAliasEdit : public TKVDialog {
    Q_OBJECT
public:
    explicit TfrmAliasEdit(QWidget* AParent = nullptr);

    QLineEdit* NameEdit() const { return FAliasName_TextEdit; }
    TKVButtonEdit* FileEdit() const { return FDBFile_ButtonEdit; }
    T_frmOkCancel* OkCancel() const { return F_frmOkCancel1; }

    // OK: both texts must hold more than blanks; they are then stored as typed.
    void accept() override;

    // The ellipsis button of the file field: picks the file with the open-file dialog.
    void DBFile_ButtonEditButtonClick();

private:
    QLabel* FAliasName_Label = nullptr;
    QLineEdit* FAliasName_TextEdit = nullptr;
    QLabel* FDBFile_Label = nullptr;
    TKVButtonEdit* FDBFile_ButtonEdit = nullptr;
    T_frmOkCancel* F_frmOkCancel1 = nullptr;
};

// Shows the alias editor with AName and AFileName modally; returns 1 for OK (the texts are then
// in AliasEditName and AliasEditFileName) or 2 for Cancel.
int ShowAliasEditDlg(const QString& AName, const QString& AFileName);
