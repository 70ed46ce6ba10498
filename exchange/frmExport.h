#pragma once

// The export dialog: the user picks element classes, chooses a new package file and writes the
// package; the log of the run can be saved.

#include "core/KVAuxLists.h"
#include "exchange/KVExchangeDialog.h"

#include <QDateTime>

#include <vector>

class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;

class TfrmExport : public TKVExchangeDialog {
    Q_OBJECT
public:
    explicit TfrmExport(QWidget* AParent = nullptr);

    const QString& CurrentPackageFile() const { return FCurrentPackageFile; }
    // The time taken when the file was chosen (to the millisecond) and the export time written
    // into the package header (the same, milliseconds 0).
    const QDateTime& ExportPackageSysTime() const { return FExportPackageSysTime; }
    TDateTime ExportPackageDateTime() const { return FExportPackageDateTime; }

    // An item with that key and kind (0: class) is in the list.
    bool ExistsExportItem(quint32 ADBId, quint32 AId, int AItemType) const;
    // Appends a class unless it is listed; false when it was.
    bool AddExportClass(quint32 ADBId, quint32 AId, const QString& AName);
    // Removes the selected item, if any.
    void DeleteItem();
    // The listed classes in list order.
    std::vector<TKVExportItemIndexData> ExportItems() const;
    // Writes the package of the listed classes into CurrentPackageFile; true when no step failed.
    bool ExportData();

    QTreeWidget* ExportListView() const { return FExport_ListView; }
    QPushButton* AddClassButton() const { return FAddClass_Button; }
    QPushButton* DeleteButton() const { return FDelete_Button; }
    QPushButton* SaveButton() const { return FSave_Button; }
    QPushButton* ModeButton() const { return FMode_Button; }
    QPushButton* SaveLogButton() const { return FSaveLog_Button; }
    QPushButton* ExportButton() const { return FExport_Button; }

public slots:
    void AddClass_ButtonClick();
    void Save_ButtonClick();
    void SaveLog_ButtonClick();
    void Export_ButtonClick();

private:
    void UpdateDeleteButton();

    QString FCurrentPackageFile;
    QDateTime FExportPackageSysTime;
    TDateTime FExportPackageDateTime = 0;

    QTreeWidget* FExport_ListView = nullptr;
    QPushButton* FAddClass_Button = nullptr;
    QPushButton* FDelete_Button = nullptr;
    QPushButton* FSave_Button = nullptr;
    QPushButton* FMode_Button = nullptr;
    QPushButton* FSaveLog_Button = nullptr;
    QPushButton* FExport_Button = nullptr;
};

// Shows the export dialog modally; returns the modal result.
int ShowExportDlg();
