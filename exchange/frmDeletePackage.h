#pragma once

// The dialog that removes an imported data package: the list of the packages imported into the
// open database, the analysis of what still uses one, and its deletion, each with its log.

#include "exchange/KVExchangeDialog.h"

class QTreeWidget;

class TfrmDeletePackage : public TKVExchangeDialog {
    Q_OBJECT
public:
    explicit TfrmDeletePackage(QWidget* AParent = nullptr);

    // The DBID of the package selected in the list, 0 when none.
    quint32 SelectPackageDBId() const { return FSelectPackageDBId; }
    // Fills the list from the data module's imported packages.
    void FillPackageList();
    // Removes the row of the package ADBId (clearing the selection when it was selected).
    void DeletePackageListItem(quint32 ADBId);
    // Selects the row of the package ADBId; false when the list has none.
    bool SelectPackage(quint32 ADBId);

    bool AnalyzePackageData();
    bool DeletePackageData();

    QTreeWidget* IncludeDataListView() const { return FIncludeData_ListView; }
    QPushButton* AnalyzeButton() const { return FAnalyze_Button; }
    QPushButton* SaveLogButton() const { return FSaveLog_Button; }
    QPushButton* ModeButton() const { return FMode_Button; }
    QPushButton* DeleteButton() const { return FDelete_Button; }

public slots:
    void Analyze_ButtonClick();
    void Delete_ButtonClick();
    void SaveLog_ButtonClick();

private:
    void SelectionChanged();

    quint32 FSelectPackageDBId = 0;
    quint32 FLogDBId = 0; // the package of the run whose log is shown
    QTreeWidget* FIncludeData_ListView = nullptr;
    QPushButton* FAnalyze_Button = nullptr;
    QPushButton* FSaveLog_Button = nullptr;
    QPushButton* FMode_Button = nullptr;
    QPushButton* FDelete_Button = nullptr;
};

// Shows the deletion dialog modally; returns the modal result.
int ShowDeletePackageDlg();
