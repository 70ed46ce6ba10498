#pragma once

// The file dialogs of the program. Tests install a responder that answers in place of the
// user, as they do for the message box: no test ever shows a real file dialog.

#include <QString>

#include <functional>

class QWidget;

// What a responder sees of one file dialog.
struct TFileDialogRequest {
    QString Caption;
    QString Directory; // the folder the dialog starts in; empty for the default
    QString Filter;    // Qt's filter text, such as "Korvant DataBase (*.fdb)"
};

// Returns the chosen file, or an empty text for a cancelled dialog.
using TFileDialogResponder = std::function<QString(const TFileDialogRequest&)>;

// Installs a responder for every file dialog; an empty function restores the real dialog.
// Returns the responder that was installed before.
TFileDialogResponder SetFileDialogResponder(TFileDialogResponder AResponder);

// Installs a responder for the lifetime of the object and restores the previous one after.
class TFileDialogResponderScope {
public:
    explicit TFileDialogResponderScope(TFileDialogResponder AResponder)
        : FPrevious(SetFileDialogResponder(std::move(AResponder))) {}
    ~TFileDialogResponderScope() { SetFileDialogResponder(std::move(FPrevious)); }
    TFileDialogResponderScope(const TFileDialogResponderScope&) = delete;
    TFileDialogResponderScope& operator=(const TFileDialogResponderScope&) = delete;

private:
    TFileDialogResponder FPrevious;
};

// Asks for an existing file to open; empty when the user cancels.
QString ShowOpenFileDialog(QWidget* AParent, const QString& ACaption, const QString& ADirectory,
                           const QString& AFilter);
