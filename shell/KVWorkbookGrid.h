#pragma once

// The grid that shows and edits an Excel 97-2003 workbook in the program's dialogs: the cells of
// the workbook's active sheet as texts, with the sheet's bold font, alignment, background
// colours, column widths and row heights, and tabs to switch between the sheets. Edited texts go
// into the workbook at once; a column the user widens keeps its width in the sheet, so a saved
// file has what the grid shows.

#include "platform/xls/XlsWorkbook.h"

#include <QAbstractTableModel>
#include <QTableView>
#include <QWidget>

#include <functional>

class QTabBar;

// The name of a sheet column as spreadsheets show it: A to Z, then AA, AB, ...
QString XlsColumnLetters(int AColumn);

// The cells of one sheet (the one ASheet gives at each call; none: no rows), editable as texts.
// The horizontal header shows the column letters, the vertical one the row numbers from 1.
class TKVSheetModel : public QAbstractTableModel {
public:
    TKVSheetModel(std::function<TXlsSheet*()> ASheet, QObject* AParent);

    // The sheet or its content was replaced.
    void Reset();

    int rowCount(const QModelIndex& AParent = QModelIndex()) const override;
    int columnCount(const QModelIndex& AParent = QModelIndex()) const override;
    QVariant data(const QModelIndex& AIndex, int ARole) const override;
    bool setData(const QModelIndex& AIndex, const QVariant& AValue, int ARole) override;
    Qt::ItemFlags flags(const QModelIndex& AIndex) const override;
    QVariant headerData(int ASection, Qt::Orientation AOrientation, int ARole) const override;

private:
    std::function<TXlsSheet*()> FSheet;
};

// A sheet's grid: a table view that can be told to finish an edit in progress.
class TKVSheetView : public QTableView {
    Q_OBJECT
public:
    using QTableView::QTableView;
    // Stores the text of an open cell editor in the cell and closes the editor.
    void CommitEdit();
};

class TKVWorkbookGrid : public QWidget {
    Q_OBJECT
public:
    explicit TKVWorkbookGrid(QWidget* AParent = nullptr);
    ~TKVWorkbookGrid() override;

    TXlsWorkbook& Workbook() { return FWorkbook; }
    // The active sheet; nullptr when the workbook has none.
    TXlsSheet* ActiveSheet() { return FWorkbook.ActiveSheet(); }
    TKVSheetView* View() const { return FView; }
    QTabBar* SheetTabs() const { return FSheetTabs; }

    // Shows the workbook anew after it was changed other than through the grid (sheets added
    // or removed, cells, widths or heights set).
    void WorkbookChanged();
    // Finishes an edit in progress, so that the workbook holds what the grid shows.
    void CommitEdit();
    // Replaces the workbook with the file's; EXlsError when it cannot be read (the grid then
    // keeps what it had).
    void LoadFromFile(const QString& AFileName);
    // Writes the workbook with the edit in progress; EXlsError when it cannot be written.
    void SaveToFile(const QString& AFileName);

private:
    void ApplySizes();
    void SheetTabChanged(int AIndex);

    TXlsWorkbook FWorkbook;
    TKVSheetModel* FModel = nullptr;
    TKVSheetView* FView = nullptr;
    QTabBar* FSheetTabs = nullptr;
    bool FResettingView = false;
};
