#include "shell/KVMDIChild.h"

#include "shell/ufrmMain.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QShortcut>

TKVMDIChild::TKVMDIChild(QWidget* AParent) : QWidget(AParent) {
    for (const QKeySequence& key :
         {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
        auto* shortcut = new QShortcut(key, this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, &TKVMDIChild::CtrlEnterPressed);
    }
}

TKVMDIChild::~TKVMDIChild() {
    Unregister();
}

void TKVMDIChild::ShowMDIChild() {
    if (!frmMain || SubWindow())
        return;
    QMdiSubWindow* sub = frmMain->AddMDIChild(this);
    FRegistered = true;
    frmMain->OpenMDIForm(this);
    connect(frmMain->MDIArea(), &QMdiArea::subWindowActivated, this,
            [this](QMdiSubWindow* AWindow) {
                if (AWindow && AWindow == SubWindow() && FRegistered && frmMain)
                    frmMain->ActivateMDIForm(this);
            });
    sub->show();
    frmMain->MDIArea()->setActiveSubWindow(sub);
    // A workspace that is not shown yet activates nothing: the entry is marked all the same.
    if (FRegistered && frmMain->MDIArea()->activeSubWindow() != sub)
        frmMain->ActivateMDIForm(this);
}

QMdiSubWindow* TKVMDIChild::SubWindow() const {
    return qobject_cast<QMdiSubWindow*>(parentWidget());
}

bool TKVMDIChild::CloseWindow() {
    if (QMdiSubWindow* sub = SubWindow())
        return sub->close();
    return close();
}

void TKVMDIChild::CtrlEnterPressed() {
    CloseWindow();
}

void TKVMDIChild::closeEvent(QCloseEvent* AEvent) {
    if (FClosing) {
        AEvent->accept();
        return;
    }
    if (!CloseQuery()) {
        AEvent->ignore();
        return;
    }
    AEvent->accept();
    FClosing = true;
    FormClose();
    Unregister();
    // Asked to close directly rather than through its sub-window: the sub-window goes too
    // (it asks the child again, which now agrees at once).
    if (QMdiSubWindow* sub = SubWindow(); sub && sub->isVisible())
        sub->close();
}

void TKVMDIChild::Unregister() {
    if (!FRegistered)
        return;
    if (frmMain)
        frmMain->CloseMDIForm(this);
    FRegistered = false;
}

bool TKVMDIChild::BoundToRecord(TKVItemType, quint32, quint32) const {
    return false;
}

void TKVMDIChild::RecordChanged(TKVItemType, quint32, quint32, TKVItemActionType) {}
