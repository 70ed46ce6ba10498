#pragma once

// The debug console: a child window of the workspace with one read-only text field for
// developers. It opens empty and stays empty; closing all list windows and cards leaves it
// open.

#include "shell/KVMDIChild.h"

class QPlainTextEdit;

class T_frmDebug : public TKVMDIChild {
    Q_OBJECT
public:
    explicit T_frmDebug(QWidget* AParent = nullptr);

    TKVChildKind ChildKind() const override { return ckOther; }
    QPlainTextEdit* DebugMemo() const { return FDebug_Memo; }

private:
    QPlainTextEdit* FDebug_Memo = nullptr;
};

// Opens a new debug console in the workspace and activates it.
T_frmDebug* OpenDebugWindow();
