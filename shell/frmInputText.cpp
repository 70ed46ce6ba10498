#include "shell/frmInputText.h"

#include "shell/KVDialog.h"
#include "shell/frmOkCancel.h"
#include "shell/uMessage.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

QString InputTextValue;

TfrmInputText::TfrmInputText(const QString& ACaption, const QString& AText, int AMaxLength,
                             bool APassword, QWidget* AParent)
    : QDialog(AParent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmInputText"));
    setWindowTitle(ACaption);

    FInputText_TextEdit = new QLineEdit(this);
    FInputText_TextEdit->setObjectName(QStringLiteral("InputText_TextEdit"));
    if (AMaxLength > 0)
        FInputText_TextEdit->setMaxLength(AMaxLength);
    if (APassword) {
        FInputText_TextEdit->setEchoMode(QLineEdit::Password);
        // The password echo is '*' whatever the style would draw.
        FInputText_TextEdit->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    }
    FInputText_TextEdit->setText(AText);

    F_frmOkCancel1 = new T_frmOkCancel(this);
    // Enter on "Отмена" accepts as everywhere else in the dialog: the key goes on to the
    // default button.
    F_frmOkCancel1->CancelBtn()->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FInputText_TextEdit);
    layout->addStretch(1);
    layout->addWidget(F_frmOkCancel1);

    resize(313, 97);
    setMinimumSize(minimumSizeHint().expandedTo(QSize(313, 97)));
    FInputText_TextEdit->setFocus();
}

void TfrmInputText::done(int AResult) {
    if (AResult == mrOk)
        InputTextValue = FInputText_TextEdit->text();
    QDialog::done(AResult);
}

void TfrmInputText::reject() {
    done(mrCancel);
}

void TfrmInputText::showEvent(QShowEvent* AEvent) {
    QDialog::showEvent(AEvent);
    TKVDialog::CenterOnScreen(this);
}

int ShowInputTextDlg(const QString& ACaption, const QString& AText, int AMaxLength,
                     bool APassword) {
    TfrmInputText dlg(ACaption, AText, AMaxLength, APassword, TKVDialog::OwnerWindow());
    return dlg.exec();
}
