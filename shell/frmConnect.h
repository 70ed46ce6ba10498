#pragma once

// The connect dialog: the user types the database file, picks it with the open-file dialog or
// takes it from a named alias. OK leaves the file in ConnectDataBaseFileName; the dialog does
// not connect by itself.

#include "shell/KVDialog.h"

#include <QString>

class QComboBox;
class QLabel;
class TKVButtonEdit;
class T_frmOkCancel;

// The trimmed file name accepted by the last OK of the connect dialog (empty at start).
extern QString ConnectDataBaseFileName;

class TfrmConnect : public TKVDialog {
    Q_OBJECT
public:
    explicit TfrmConnect(QWidget* AParent = nullptr);

    QComboBox* AliasComboBox() const { return FAlias_ImageComboBox; }
    TKVButtonEdit* DatabaseEdit() const { return FDatabase_ButtonEdit; }
    T_frmOkCancel* OkCancel() const { return F_frmOkCancel1; }

    // OK: stores the trimmed file name; an empty name keeps the dialog open with the focus in
    // the file editor.
    void accept() override;

private:
    void Alias_ImageComboBoxChange(int AIndex);
    void Database_ButtonEditButtonClick();

    QLabel* FAlias_Label = nullptr;
    QComboBox* FAlias_ImageComboBox = nullptr;
    QLabel* FDataBase_Label = nullptr;
    TKVButtonEdit* FDatabase_ButtonEdit = nullptr;
    T_frmOkCancel* F_frmOkCancel1 = nullptr;
};

// Shows the connect dialog modally; returns 1 for OK, 2 for Cancel.
int ShowConnectDlg();
