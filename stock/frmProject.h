#pragma once

// The project list's windows: the list window in the workspace (TfrmProject, one per mode:
// "Проекты в работе" and "Архив проектов") and the modal picker of a project in work
// (TfrmSelectProject, run by SelectProject).

#include "stock/_frmProject.h"
#include "views/KVListHost.h"

class TfrmProject : public TKVBookHost<T_frmProject> {
    Q_OBJECT
public:
    explicit TfrmProject(QWidget* AParent = nullptr);
    TKVProjectListSelectDataMode ListSelectDataMode() const {
        return BookFrame()->ListSelectDataMode();
    }
};

class TfrmSelectProject : public TKVBookSelectDialog<T_frmProject> {
    Q_OBJECT
public:
    explicit TfrmSelectProject(QWidget* AParent = nullptr);
};

// Opens a new list window of the mode; nullptr without a main window.
TfrmProject* OpenRBProject(TKVProjectListSelectDataMode AListSelectDataMode);
// Brings the open list window of the mode to the front, or opens one.
void ShowProjects(TKVProjectListSelectDataMode AListSelectDataMode);

// Runs the picker of the projects in work with ASelectId preselected when it is not 0;
// ASelected is the chosen project, Select false when cancelled.
void SelectProject(quint32 ASelectId, TKVSelectedLocalItemDBData& ASelected);
