#pragma once

// The base of every window that lives in the main window's workspace: list windows and
// viewers, record cards, the report window and the other child windows. A child is placed in a
// sub-window of the workspace by ShowMDIChild and keeps the main window's registry (the Window
// menu and its pop-up copy) up to date by itself: it registers when it is placed, marks its
// entry when it is activated and removes it when it closes.
//
// Each child says what it is (ChildKind) and which records it is bound to through typed
// getters of its own; the main window finds open children with FindMDIChildren. Every child
// also answers the two questions asked of all windows at once: whether it is bound to a record
// (it closes when the record is deleted) and what it does when a record changed elsewhere (a
// list reads it again); see KVRecordNotice.h.

#include "core/KVCommon.h"

#include <QWidget>

class QMdiSubWindow;
class QCloseEvent;

// What a child window is, for the main window's test and forced closing of open windows.
enum TKVChildKind {
    ckListWindow, // a list window or viewer of a reference book, the catalogue or the stock
    ckCard,       // a record card (TKVCard)
    ckReport,     // the report window
    ckOther       // windows that stay when the others are closed: the guide, the debug console
};

class TKVMDIChild : public QWidget {
    Q_OBJECT
public:
    explicit TKVMDIChild(QWidget* AParent = nullptr);
    // A child destroyed without being closed leaves the registry all the same.
    ~TKVMDIChild() override;

    virtual TKVChildKind ChildKind() const = 0;

    // Places the child in a sub-window of the main window's workspace, registers it, shows it
    // and activates it. Openers call it once, after the child is set up and has its caption.
    void ShowMDIChild();
    // The sub-window holding the child; nullptr before ShowMDIChild.
    QMdiSubWindow* SubWindow() const;
    // Closes the window through its usual path (a card asks its save question). Returns
    // whether it closed. Calling close() on the child does the same.
    bool CloseWindow();
    // Registered in the main window's registry: placed and not yet closed.
    bool Registered() const { return FRegistered; }

    // Whether the window shows or edits the record (AItemType, ADBId, AId), or was opened on it
    // (a list of one class's records is bound to the class): it closes when the record is
    // deleted. Records keyed by ID alone pass ADBId 0.
    virtual bool BoundToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const;
    // A record of AItemType was changed (iatChange) or deleted (iatDelete) elsewhere; a list
    // that shows records of that type reads the record again or drops it.
    virtual void RecordChanged(TKVItemType AItemType, quint32 ADBId, quint32 AId,
                               TKVItemActionType AActionType);

protected:
    // Asked before the window closes; false keeps it open.
    virtual bool CloseQuery() { return true; }
    // Runs when the window closes, before it leaves the registry.
    virtual void FormClose() {}
    // Ctrl+Enter anywhere in the window: closes it.
    virtual void CtrlEnterPressed();

    void closeEvent(QCloseEvent* AEvent) override;

private:
    void Unregister();

    bool FRegistered = false;
    bool FClosing = false;
};
