#pragma once

// The import of a supplier's price list from a workbook sheet into T_ELEMENT_SUPPLIER, and the
// sheet helpers of the price-import dialog: the empty template and the shortening of the type
// names.
//
// The sheet's row 0 is a header; every further row holds an element-type name in column A, the
// price in column B and an optional note in column C. A row's element type is found by its
// upper-cased name (only within the chosen class, when one is chosen); the price of that type at
// the chosen supplier is inserted or updated. The names are looked up in one pass over the
// element types and the supplier's prices are read once, so the run does not read the catalogue
// once per row. A row that cannot be imported (no such type, a price that is not a number, a
// database error) is logged and skipped; the others are written, in one transaction, and the
// run reports how many were skipped.

#include "core/KVCommon.h"
#include "exchange/KVExchangeMonitor.h"

#include <QString>

class TdmMain;
class TXlsSheet;
class TXlsWorkbook;

// The text before the first blank, comma, point or semicolon; the whole text when it has none.
QString CutElementTypeName(const QString& AText);
// Replaces the text of column A of every row from 1 on by CutElementTypeName of its trimmed
// text; row 0 is left alone.
void ClearElementTypeNames(TXlsSheet& ASheet, TKVExchangeMonitor* AMonitor = nullptr);
// Makes the workbook the empty template: one active sheet "blank" with the header row
// "Тип элемента", "Цена (<currency>)", "Примечание".
void MakePriceTemplate(TXlsWorkbook& ABook, const QString& ACurrencyName);
// A price as the user writes it: a decimal number with the separator of the default locale and
// no group separators, blanks around it allowed. False when the text is not such a number.
bool ParsePriceText(const QString& AText, double& AValue);

class TKVPriceImporter {
public:
    TKVPriceImporter(TdmMain& ADataModule, TKVExchangeMonitor& AMonitor);

    // The class the element types are looked up in ((0, 0): all) and the supplier (required).
    void SetClass(quint32 AClassDBId, quint32 AClassId) {
        FClassDBId = AClassDBId;
        FClassId = AClassId;
    }
    void SetSupplier(quint32 ASupplierId) { FSupplierId = ASupplierId; }

    // Imports the sheet (ATestImport: decides and logs the same, writes nothing). True when no
    // row was skipped; also true, doing nothing, without a database, sheet or supplier.
    bool ImportPriceData(const TXlsSheet* ASheet, bool ATestImport);
    // The rows of the last run that were imported, and those that were skipped.
    int ImportedCount() const { return FImportedCount; }
    int SkippedCount() const { return FSkippedCount; }

private:
    TdmMain& FDataModule;
    TKVExchangeMonitor& FMonitor;
    quint32 FClassDBId = 0;
    quint32 FClassId = 0;
    quint32 FSupplierId = 0;
    int FImportedCount = 0;
    int FSkippedCount = 0;
};
