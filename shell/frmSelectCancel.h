#pragma once

// The bottom panel of the program's pickers: "Выбрать" (the default button, accepts the dialog)
// and "Отмена" (cancels it), at the bottom right.

#include <QWidget>

class QDialog;
class QPushButton;

class T_frmSelectCancel : public QWidget {
    Q_OBJECT
public:
    // The buttons accept and reject ADialog.
    explicit T_frmSelectCancel(QDialog* ADialog);
    QPushButton* OkBtn() const { return FOkBtn; }
    QPushButton* CancelBtn() const { return FCancelBtn; }

private:
    QPushButton* FOkBtn = nullptr;
    QPushButton* FCancelBtn = nullptr;
};
