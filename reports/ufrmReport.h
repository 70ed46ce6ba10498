#pragma once

// The report window: one report built from its plug-in when the window opens, its rows sortable
// by a column click and exported through the export dialog. Every call opens a new window.

#include "reports/KVReportBuild.h"
#include "shell/KVMDIChild.h"

#include <QAbstractTableModel>

class QMenu;
class QToolBar;
class QToolButton;
class QTreeView;

// The rows of a report: texts only, one per column.
class TKVReportModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetReport(std::vector<TKVReportColumn> AColumns, std::vector<QStringList> ARows);
    const std::vector<TKVReportColumn>& Columns() const { return FColumns; }
    // The text at (ARow, AColumn); empty outside the report.
    QString CellText(int ARow, int AColumn) const;
    // Sorts by ASortedType (0 unsorted, +-(column + 1)) with the comparator of the column's
    // sort type: 1 integers, 2 floating-point numbers, any other texts.
    void SortRows(int ASortedType);

    int rowCount(const QModelIndex& AParent = QModelIndex()) const override;
    int columnCount(const QModelIndex& AParent = QModelIndex()) const override;
    QVariant data(const QModelIndex& AIndex, int ARole = Qt::DisplayRole) const override;
    QVariant headerData(int ASection, Qt::Orientation AOrientation,
                        int ARole = Qt::DisplayRole) const override;

private:
    std::vector<TKVReportColumn> FColumns;
    std::vector<QStringList> FRows;
};

class TfrmReport : public TKVMDIChild {
    Q_OBJECT
public:
    explicit TfrmReport(QWidget* AParent = nullptr);

    TKVChildKind ChildKind() const override { return ckReport; }

    // The plug-in's full path; SetReportDll takes a bare file name under AFolder.
    const QString& ReportDll() const { return FReportDll; }
    void SetReportDll(const QString& AFolder, const QString& AFileName);
    const QString& ReportName() const { return FReportName; }
    int SortedType() const { return FSortedType; }

    // Builds the report: the questions through AAsker, the outcome's message in a box.
    void BuildReport(TKVReportAsker& AAsker);

    QTreeView* Report_ListView() const { return FListView; }
    TKVReportModel* ReportModel() const { return FModel; }
    QToolButton* Export_ToolButton() const { return FExportButton; }

    // A click on column AColumn: ascending, then descending on the next click.
    void Report_ListViewColumnClick(int AColumn);
    void Export_ToolButtonClick();

protected:
    void contextMenuEvent(QContextMenuEvent* AEvent) override;

private:
    QString FReportDll;
    QString FReportName;
    int FSortedType = 0;
    QToolBar* FToolBar = nullptr;
    QToolButton* FExportButton = nullptr;
    QTreeView* FListView = nullptr;
    TKVReportModel* FModel = nullptr;
    QMenu* FPopupMenu = nullptr;
};

// Opens a report window on the plug-in AFileName of AFolder and builds it with AAsker; the
// window stays open whatever the build's outcome. nullptr without a main window.
TfrmReport* OpenReportWindow(const QString& AFolder, const QString& AFileName,
                             TKVReportAsker& AAsker);
