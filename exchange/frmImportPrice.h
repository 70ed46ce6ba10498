#pragma once

// The supplier price-list import dialog: the user chooses a supplier (and, to narrow the lookup,
// a class of element types), opens or writes a workbook in the grid, may make the empty
// template or shorten the type names, runs a test import or the import, and may save the log.

#include "exchange/KVWorkbookDialog.h"

class TKVButtonEdit;

class TfrmImportPrice : public TKVWorkbookDialog {
    Q_OBJECT
public:
    explicit TfrmImportPrice(QWidget* AParent = nullptr);

    quint32 ClassDBId() const { return FClassDBId; }
    quint32 ClassId() const { return FClassId; }
    quint32 SupplierId() const { return FSupplierId; }
    // The choices as the pickers make them; (0, 0) or 0 clears a choice and its text. Import
    // is enabled exactly while a supplier is chosen.
    void SetClass(quint32 AClassDBId, quint32 AClassId, const QString& AName);
    void SetSupplier(quint32 ASupplierId, const QString& AName);

    // Makes the empty template (asking first when the workbook holds a filled sheet).
    void CreatePattern();
    // Shortens the type names of the active sheet.
    void ClearElementTypeNames();
    // Runs the import (ATestImport: its test run) of the active sheet and reports the outcome.
    void Import(bool ATestImport);
    // The run itself: true when no row was skipped.
    bool ImportPriceData(bool ATestImport);
    // The rows the last run skipped.
    int SkippedCount() const { return FSkippedCount; }

    TKVButtonEdit* ClassEdit() const { return FClass_ButtonEdit; }
    TKVButtonEdit* SupplierEdit() const { return FSupplier_ButtonEdit; }
    QPushButton* SaveLogButton() const { return FSaveLog_Button; }
    QPushButton* CreatePatternButton() const { return FCreatePattern_Button; }
    QPushButton* ImportButton() const { return FImport_Button; }
    QAction* ClearNamesItem() const { return FpmiClearNames; }
    QAction* TestImportItem() const { return FpmiTestImport; }
    QAction* ImportItem() const { return FpmiImport; }

public slots:
    void SaveLog_ButtonClick();
    void SelectClass_Click();
    void SelectSupplier_Click();

protected:
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

private:
    quint32 FClassDBId = 0;
    quint32 FClassId = 0;
    quint32 FSupplierId = 0;
    int FSkippedCount = 0;

    TKVButtonEdit* FClass_ButtonEdit = nullptr;
    TKVButtonEdit* FSupplier_ButtonEdit = nullptr;
    QPushButton* FSaveLog_Button = nullptr;
    QPushButton* FCreatePattern_Button = nullptr;
    QPushButton* FAddFunct_Button = nullptr;
    QPushButton* FImport_Button = nullptr;
    QAction* FpmiClearNames = nullptr;
    QAction* FpmiTestImport = nullptr;
    QAction* FpmiImport = nullptr;
};

// Shows the price-list import dialog modally; returns the modal result.
int ShowImportPriceDlg();
