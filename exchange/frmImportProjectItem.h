#pragma once

// The workbook dialog of a project's items: the user opens a workbook, edits it in the grid,
// saves it, or makes the empty five-column template of a project-item list. The dialog offers
// an import button and a log page, but it imports nothing: the button and the log's save button
// stay disabled, and the dialog writes nothing to the database.

#include "exchange/KVWorkbookDialog.h"

class TfrmImportProjectItem : public TKVWorkbookDialog {
    Q_OBJECT
public:
    explicit TfrmImportProjectItem(QWidget* AParent = nullptr);

    // Makes the empty template (asking first when the workbook holds a table).
    void CreatePattern();

    QPushButton* SaveLogButton() const { return FSaveLog_Button; }
    QPushButton* CreatePatternButton() const { return FCreatePattern_Button; }
    QPushButton* ImportItemButton() const { return FImportItem_Button; }

private:
    QPushButton* FSaveLog_Button = nullptr;
    QPushButton* FCreatePattern_Button = nullptr;
    QPushButton* FImportItem_Button = nullptr;
};

// Shows the dialog modally for the project AProjectId and returns the modal result; for no
// project (0) it shows nothing and returns 0.
int ShowImportProjectItemDlg(quint32 AProjectId);
