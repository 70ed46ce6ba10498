#pragma once

// Export of a list to a file: the columns and rows of any list window are copied into an
// editable spreadsheet preview, which the user saves, as often as wanted, as an Excel 97-2003
// workbook (.xls) or as an HTML page (.html) titled with the list's data-set name.
//
// A list window calls
//     ShowExportDataToFileDlg(ExportDataFromModel(*view->model(), view->header(), title));
// The list window itself is not touched.

#include "platform/sys/SysUtils.h"
#include "platform/xls/XlsWorkbook.h"
#include "shell/KVWorkbookGrid.h"

#include <QDialog>
#include <QString>
#include <QStringList>
#include <QTableView>

#include <vector>

class QAbstractItemModel;
class QAction;
class QHeaderView;
class QMenu;
class QToolBar;
class QToolButton;

// A file that cannot be created or written.
KV_DECLARE_EXCEPTION(EInOutError, Exception)

// One column of a list: its caption and its width in pixels (0 for a hidden column).
struct TKVExportColumn {
    QString Caption;
    int Width = TXlsSheet::DefaultColumnWidth;
};

// What a list window hands to the export: its columns, its rows (each the texts of the row's
// columns, the caption first), the data-set name that titles the page (may be empty) and the
// name the save dialog proposes for the file (empty: the data-set name).
struct TKVExportData {
    std::vector<TKVExportColumn> Columns;
    std::vector<QStringList> Items;
    QString DataSetName;
    QString FileName;
};

// The file types of the save dialog, in the order of its filter.
enum TKVExportFileType { eftWorkbook = 0, eftWebPage = 1 };

// The file a save writes when AFileName was given with AChosenType chosen in the dialog, and
// its type in AFileType: a name with the extension of a type (.xls; .html or .htm, in any case)
// is written as that type, whatever was chosen; any other name gets the chosen type's extension
// appended. So a file never holds one format under the other's name.
QString ExportTargetFileName(const QString& AFileName, TKVExportFileType AChosenType,
                             TKVExportFileType& AFileType);

// AText made fit to be a file name: characters that file systems refuse or that separate
// folders become "_"; empty when nothing usable is left.
QString ExportFileBaseName(const QString& AText);

// The export data of a list shown by a view: the columns of AModel's horizontal header in the
// order AHeader shows them, with its captions and widths (without AHeader: in model order, of
// the default width), and every row's display texts, rows in the order of the model (the rows
// under a row follow it).
TKVExportData ExportDataFromModel(const QAbstractItemModel& AModel, const QHeaderView* AHeader,
                                  const QString& ADataSetName);

// The preview's grid.
using TExportSpreadSheet = TKVSheetView;

class TfrmExportDataToFile : public QDialog {
    Q_OBJECT
public:
    // The saved page's link to the program's web site.
    static const QString SiteUrl;

    explicit TfrmExportDataToFile(QWidget* AParent = nullptr);
    ~TfrmExportDataToFile() override;

    // While true, the web-page choice writes nothing.
    bool DataTreeType() const { return FDataTreeType; }
    void SetDataTreeType(bool AValue) { FDataTreeType = AValue; }
    const QString& DataSetName() const { return FDataSetName; }
    void SetDataSetName(const QString& AValue) { FDataSetName = AValue; }
    // The name, without extension, that the save dialog proposes (empty: none).
    const QString& FileName() const { return FFileName; }
    void SetFileName(const QString& AValue) { FFileName = ExportFileBaseName(AValue); }
    // The folder the save dialog starts in: the folder of the last file saved by any export
    // window of this run, the home folder before the first save.
    static QString SaveFolder();
    static void SetSaveFolder(const QString& AFolder);
    // The columns and rows loaded into the preview.
    int ColumnsCount() const { return FColumnsCount; }
    int ItemsCount() const { return FItemsCount; }

    // Fills the preview: the column captions in row 0, row r of the list in row r + 1, the
    // sheet's columns as wide as the list's.
    void LoadDataFromTable(const std::vector<TKVExportColumn>& AColumns,
                           const std::vector<QStringList>& AItems);
    // Writes the web page of the preview: the loaded columns and rows, with the texts and
    // column widths the preview has now. The file appears only complete; a file that cannot be
    // written raises EInOutError and leaves a file of that name as it was.
    void ExportTableDataToHTML(const QString& AFileName);

    // The preview: the workbook that the .xls choice saves, and its grid.
    TXlsWorkbook& Workbook() { return FGrid->Workbook(); }
    TXlsSheet& Sheet() { return *FGrid->ActiveSheet(); }
    TExportSpreadSheet* SpreadSheet() const { return FGrid->View(); }

public slots:
    // Asks for a file name and type and saves the preview; reports a failure.
    void Save_ToolButtonClick();
    void pmiHelpContextClick();

private:
    bool FDataTreeType = false;
    int FColumnsCount = 0;
    int FItemsCount = 0;
    QString FDataSetName;
    QString FFileName;

    QToolBar* FToolBar = nullptr;
    QToolButton* FSelColButton = nullptr;
    QToolButton* FSaveButton = nullptr;
    TKVWorkbookGrid* FGrid = nullptr;
    QMenu* FPopupMenu = nullptr;
    QAction* FHelpAction = nullptr;
};

// Shows the export window modally for the columns and rows of a list; returns the modal
// result.
int ShowExportDataToFileDlg(const TKVExportData& AData);
