#pragma once

// The report list: the plug-ins of the "Reports" folder, one to build.

#include "shell/KVDialog.h"

class QPushButton;
class QTreeWidget;

class TfrmReportList : public TKVDialog {
    Q_OBJECT
public:
    // AFolder: the folder of the plug-ins.
    explicit TfrmReportList(const QString& AFolder, QWidget* AParent = nullptr);

    // Lists the plug-ins again.
    void RefreshList();

    QTreeWidget* Reports_ListView() const { return FListView; }
    QPushButton* OkBtn() const { return FOkBtn; }
    QPushButton* CancelBtn() const { return FCancelBtn; }
    QPushButton* RefreshBtn() const { return FRefreshBtn; }

    // OK takes the selected plug-in's file name; without a selected row the dialog stays.
    void done(int AResult) override;

private:
    QString FFolder;
    QTreeWidget* FListView = nullptr;
    QPushButton* FOkBtn = nullptr;
    QPushButton* FCancelBtn = nullptr;
    QPushButton* FRefreshBtn = nullptr;
};

// The file name (without folder) of the plug-in chosen by the last list closed with OK; empty
// while the list is open and after a Cancel.
extern QString SelectedReportFileName;

// Runs the report list over AFolder; returns its modal result.
int ShowReportListDlg(const QString& AFolder);
