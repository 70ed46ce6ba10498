#pragma once

// The bottom panel of the program's dialogs: "OK" (the default button, accepts the dialog)
// and "Отмена" (cancels it), at the bottom right.

#include <QWidget>

class QDialog;
class QPushButton;

class T_frmOkCancel : public QWidget {
    Q_OBJECT
public:
    // The buttons accept and reject ADialog.
    explicit T_frmOkCancel(QDialog* ADialog);

    QPushButton* OkBtn() const { return FOkBtn; }
    QPushButton* CancelBtn() const { return FCancelBtn; }

private:
    QPushButton* FOkBtn = nullptr;
    QPushButton* FCancelBtn = nullptr;
};
