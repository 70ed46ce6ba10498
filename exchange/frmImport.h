#pragma once

// The import dialog: the user opens a package, may look into it, runs a test import or the
// import, and may save the log.

#include "core/KVDataBase.h"
#include "exchange/KVExchangeDialog.h"

class TfrmImport : public TKVExchangeDialog {
    Q_OBJECT
public:
    explicit TfrmImport(QWidget* AParent = nullptr);
    ~TfrmImport() override;

    const QString& CurrentPackageFile() const { return FCurrentPackageFile; }
    void SetCurrentPackageFile(const QString& AFileName);
    // When the data phase of the last run started; 0 before any.
    TDateTime ImportPackageTime() const { return FImportPackageTime; }

    // The header and counts of CurrentPackageFile; its log lines go to the dialog's log.
    TKVPackageInfo ReadPackageInfo();
    // Runs the import (or with ATestImport its test run) of CurrentPackageFile and reports the
    // outcome; nothing happens when no file is chosen or it does not exist.
    void Import(bool ATestImport);
    // The run itself: true when no error line was written.
    bool ImportData(bool ATestImport);

    QPushButton* OpenButton() const { return FOpen_Button; }
    QPushButton* PackageInfoButton() const { return FPackageInfo_Button; }
    QPushButton* SaveLogButton() const { return FSaveLog_Button; }
    QPushButton* ImportButton() const { return FImport_Button; }
    QAction* TestImportItem() const { return FpmiTestImport; }
    QAction* ImportItem() const { return FpmiImport; }

public slots:
    void Open_ButtonClick();
    void PackageInfo_ButtonClick();
    void SaveLog_ButtonClick();

private:
    QString FCurrentPackageFile;
    TDateTime FImportPackageTime = 0;

    QPushButton* FOpen_Button = nullptr;
    QPushButton* FPackageInfo_Button = nullptr;
    QPushButton* FSaveLog_Button = nullptr;
    QPushButton* FImport_Button = nullptr;
    QAction* FpmiTestImport = nullptr;
    QAction* FpmiImport = nullptr;
};

// Shows the import dialog modally; returns the modal result.
int ShowImportDlg();
