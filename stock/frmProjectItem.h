#pragma once

// The window of one project's items in the workspace (TfrmProjectItem): one window per project,
// captioned with the project's name.

#include "stock/_frmProjectItem.h"
#include "views/KVListHost.h"

class TfrmProjectItem : public TKVBookHost<T_frmProjectItem> {
    Q_OBJECT
public:
    explicit TfrmProjectItem(QWidget* AParent = nullptr);
    quint32 ProjectId() const { return BookFrame()->ProjectId(); }
};

// Opens a new item window of project AProjectId; nullptr without a main window.
TfrmProjectItem* OpenRBProjectItem(quint32 AProjectId);
// Brings the open item window of the project to the front, or opens one.
void ShowProjectItems(quint32 AProjectId);
