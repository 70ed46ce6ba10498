#include "shell/uHelpContext.h"

#include "platform/help/HelpPages.h"
#include "shell/frmHelp.h"

#include <QApplication>
#include <QPointer>
#include <QWindow>

namespace {

QPointer<TfrmHelp> gHelpWindow;

} // namespace

void ShowHelpTopic(const QString& ATopic) {
    InitHelpPages();
    if (!gHelpWindow)
        gHelpWindow = new TfrmHelp;
    TfrmHelp* window = gHelpWindow;
    window->ShowTopic(ATopic);

    // Help asked for from a modal dialog must stay usable while the dialog is open: a window
    // that stands for the dialog is not blocked by it.
    window->winId();
    if (QWindow* handle = window->windowHandle()) {
        QWidget* modal = QApplication::activeModalWidget();
        handle->setTransientParent(modal && modal != window ? modal->windowHandle() : nullptr);
    }

    if (window->isMinimized())
        window->showNormal();
    else
        window->show();
    window->raise();
    window->activateWindow();
}

void ShowHelpContents() {
    ShowHelpTopic(HelpContentsTopic);
}

TfrmHelp* HelpWindow() {
    return gHelpWindow;
}
