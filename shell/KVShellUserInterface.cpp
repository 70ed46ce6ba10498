#include "shell/KVShellUserInterface.h"

#include "shell/uHelpContext.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>

QWidget* TKVShellUserInterface::ApplicationMainWindow() {
    if (auto* active = qobject_cast<QMainWindow*>(QApplication::activeWindow()))
        return active;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(w) && w->isVisible())
            return w;
    return nullptr;
}

std::unique_ptr<QMessageBox> TKVShellUserInterface::CreateSystemErrorBox(const QString& ACaption,
                                                                         const QString& AText,
                                                                         bool AOwnedByApp) {
    auto box =
        std::make_unique<QMessageBox>(QMessageBox::Critical, ACaption, AText, QMessageBox::Ok,
                                      AOwnedByApp ? ApplicationMainWindow() : nullptr);
    box->setTextFormat(Qt::PlainText);
    return box;
}

void TKVShellUserInterface::ShowSystemError(const QString& ACaption, const QString& AText,
                                            bool AOwnedByApp) {
    CreateSystemErrorBox(ACaption, AText, AOwnedByApp)->exec();
}

void TKVShellUserInterface::ShowHelpTopic(const QString& ATopic) {
    ::ShowHelpTopic(ATopic);
}

std::unique_ptr<QInputDialog> TKVShellUserInterface::CreateInputTextDialog(const QString& ACaption,
                                                                           const QString& AText,
                                                                           int AMaxLength,
                                                                           bool APassword) {
    auto dlg = std::make_unique<QInputDialog>(QApplication::activeWindow());
    dlg->setWindowTitle(ACaption);
    dlg->setInputMode(QInputDialog::TextInput);
    dlg->setTextEchoMode(APassword ? QLineEdit::Password : QLineEdit::Normal);
    dlg->setOkButtonText(QStringLiteral("OK"));
    dlg->setCancelButtonText(QCoreApplication::translate("TKVShellUserInterface", "Отмена"));
    dlg->setTextValue(AText);
    if (AMaxLength > 0)
        if (auto* edit = dlg->findChild<QLineEdit*>())
            edit->setMaxLength(AMaxLength);
    return dlg;
}

bool TKVShellUserInterface::InputText(const QString& ACaption, QString& AText, int AMaxLength,
                                      bool APassword) {
    auto dlg = CreateInputTextDialog(ACaption, AText, AMaxLength, APassword);
    if (dlg->exec() != QDialog::Accepted)
        return false;
    AText = dlg->textValue();
    return true;
}
