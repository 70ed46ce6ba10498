#pragma once

// The shell's answers to what the data model shows and asks (see core/KVUserInterface.h):
// the system error box, the help window and the one-line input dialog. The main window installs it.

#include "core/KVUserInterface.h"

#include <memory>

class QMessageBox;
class QWidget;

class TKVShellUserInterface : public TKVUserInterface {
public:
    void ShowSystemError(const QString& ACaption, const QString& AText, bool AOwnedByApp) override;
    void ShowSystemErrorDetails(const QString& ACaption, const QString& AText,
                                const QString& ADetails, bool AOwnedByApp) override;
    void ShowHelpTopic(const QString& ATopic) override;
    bool InputText(const QString& ACaption, QString& AText, int AMaxLength,
                   bool APassword) override;

    // The box that ShowSystemError runs, built but not shown.
    static std::unique_ptr<QMessageBox>
    CreateSystemErrorBox(const QString& ACaption, const QString& AText, bool AOwnedByApp);
    // The application's main window: the active window when it is a main window, else the
    // first visible main window; nullptr when there is none.
    static QWidget* ApplicationMainWindow();
};
