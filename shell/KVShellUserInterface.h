#pragma once

// The shell's answers to what the data model shows and asks (see core/KVUserInterface.h):
// the system error box, the help window and a one-line input. The main window installs it.

#include "core/KVUserInterface.h"

#include <memory>

class QInputDialog;
class QMessageBox;
class QWidget;

class TKVShellUserInterface : public TKVUserInterface {
public:
    void ShowSystemError(const QString& ACaption, const QString& AText, bool AOwnedByApp) override;
    void ShowHelpTopic(const QString& ATopic) override;
    bool InputText(const QString& ACaption, QString& AText, int AMaxLength,
                   bool APassword) override;

    // The boxes that ShowSystemError and InputText run, built but not shown.
    static std::unique_ptr<QMessageBox>
    CreateSystemErrorBox(const QString& ACaption, const QString& AText, bool AOwnedByApp);
    static std::unique_ptr<QInputDialog> CreateInputTextDialog(const QString& ACaption,
                                                               const QString& AText, int AMaxLength,
                                                               bool APassword);
    // The application's main window: the active window when it is a main window, else the
    // first visible main window; nullptr when there is none.
    static QWidget* ApplicationMainWindow();
};
