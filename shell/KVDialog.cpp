#include "shell/KVDialog.h"

#include "core/udmMain.h"
#include "shell/KVShellUserInterface.h"
#include "shell/KVWidgets.h"
#include "shell/uHelpContext.h"
#include "shell/uMessage.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QScreen>
#include <QWhatsThis>

namespace {
// The help picture of the main tool images.
constexpr int kHelpImage = 46;
} // namespace

TKVDialog::TKVDialog(const QString& AHelpTopic, const QString& APopupMenuName, QWidget* AParent)
    : QDialog(AParent), FHelpTopic(AHelpTopic) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, true);
    FPopupMenu = new QMenu(this);
    FPopupMenu->setObjectName(APopupMenuName);
    FHelpContextAction = new QAction(tr("&Помощь"), this);
    FHelpContextAction->setObjectName(QStringLiteral("pmiHelpContext"));
    FHelpContextAction->setShortcut(QKeySequence(Qt::Key_F1));
    FHelpContextAction->setShortcutContext(Qt::WindowShortcut);
    if (dmMain)
        FHelpContextAction->setIcon(dmMain->MainToolImgList.Icon(kHelpImage));
    connect(FHelpContextAction, &QAction::triggered, this, &TKVDialog::pmiHelpContextClick);
    FPopupMenu->addAction(FHelpContextAction);
    // F1 works anywhere in the dialog, not only while the menu is open.
    addAction(FHelpContextAction);
}

void TKVDialog::reject() {
    done(mrCancel);
}

QWidget* TKVDialog::OwnerWindow() {
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return TKVShellUserInterface::ApplicationMainWindow();
}

void TKVDialog::CenterOnScreen(QWidget* AWindow) {
    if (const QScreen* screen = AWindow->screen())
        AWindow->move(screen->availableGeometry().center() - AWindow->rect().center());
}

bool TKVDialog::event(QEvent* AEvent) {
    // The caption's help button opens the dialog's topic instead of the "What's this?" mode.
    if (AEvent->type() == QEvent::EnterWhatsThisMode) {
        QWhatsThis::leaveWhatsThisMode();
        pmiHelpContextClick();
        return true;
    }
    return QDialog::event(AEvent);
}

void TKVDialog::showEvent(QShowEvent* AEvent) {
    if (!FFitted) {
        FFitted = true;
        FitWindowToContent(this, minimumSize(), size());
    }
    QDialog::showEvent(AEvent);
}

void TKVDialog::contextMenuEvent(QContextMenuEvent* AEvent) {
    FPopupMenu->popup(AEvent->globalPos());
}

void TKVDialog::pmiHelpContextClick() {
    ShowHelpTopic(FHelpTopic);
}
