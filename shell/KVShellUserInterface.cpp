#include "shell/KVShellUserInterface.h"

#include "shell/frmInputText.h"
#include "shell/uHelpContext.h"
#include "shell/uMessage.h"

#include <QApplication>
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

void TKVShellUserInterface::ShowSystemErrorDetails(const QString& ACaption, const QString& AText,
                                                   const QString& ADetails, bool AOwnedByApp) {
    const auto box = CreateSystemErrorBox(ACaption, AText, AOwnedByApp);
    box->setDetailedText(ADetails);
    box->exec();
}

void TKVShellUserInterface::ShowHelpTopic(const QString& ATopic) {
    ::ShowHelpTopic(ATopic);
}

bool TKVShellUserInterface::InputText(const QString& ACaption, QString& AText, int AMaxLength,
                                      bool APassword) {
    if (ShowInputTextDlg(ACaption, AText, AMaxLength, APassword) != mrOk)
        return false;
    AText = InputTextValue;
    return true;
}
