#include "reports/ufrmReport.h"

#include "core/KVSortCompare.h"
#include "core/KVUserInterface.h"
#include "core/udmMain.h"
#include "resources/KVResources.h"
#include "shell/KVWidgets.h"
#include "shell/frmExportDataToFile.h"
#include "shell/uHelpContext.h"
#include "shell/uMessage.h"
#include "shell/ufrmMain.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <span>

// ------------------------------------------------------------------- the rows

void TKVReportModel::SetReport(std::vector<TKVReportColumn> AColumns,
                               std::vector<QStringList> ARows) {
    beginResetModel();
    FColumns = std::move(AColumns);
    FRows = std::move(ARows);
    endResetModel();
}

QString TKVReportModel::CellText(int ARow, int AColumn) const {
    if (ARow < 0 || ARow >= static_cast<int>(FRows.size()) || AColumn < 0 ||
        AColumn >= static_cast<int>(FColumns.size()) || AColumn >= FRows[ARow].size())
        return QString();
    return FRows[ARow][AColumn];
}

void TKVReportModel::SortRows(int ASortedType) {
    if (ASortedType == 0)
        return;
    const int column = std::abs(ASortedType) - 1;
    if (column >= static_cast<int>(FColumns.size()))
        return;
    const int sortType = FColumns[column].SortType;
    const TKVListViewCompare compare = sortType == 1   ? ListViewCompareInt
                                       : sortType == 2 ? ListViewCompareFloat
                                                       : ListViewCompareText;
    emit layoutAboutToBeChanged();
    SortListRows(FRows, compare, ASortedType, [](const QStringList& ARow) {
        return TKVSortItem{std::span<const QString>(ARow.constData(), ARow.size()), std::nullopt};
    });
    emit layoutChanged();
}

int TKVReportModel::rowCount(const QModelIndex& AParent) const {
    return AParent.isValid() ? 0 : static_cast<int>(FRows.size());
}

int TKVReportModel::columnCount(const QModelIndex& AParent) const {
    return AParent.isValid() ? 0 : static_cast<int>(FColumns.size());
}

QVariant TKVReportModel::data(const QModelIndex& AIndex, int ARole) const {
    if (ARole != Qt::DisplayRole || !AIndex.isValid())
        return QVariant();
    return CellText(AIndex.row(), AIndex.column());
}

QVariant TKVReportModel::headerData(int ASection, Qt::Orientation AOrientation, int ARole) const {
    if (AOrientation != Qt::Horizontal || ARole != Qt::DisplayRole || ASection < 0 ||
        ASection >= static_cast<int>(FColumns.size()))
        return QVariant();
    return FColumns[ASection].Caption;
}

// ------------------------------------------------------------------- the window

TfrmReport::TfrmReport(QWidget* AParent) : TKVMDIChild(AParent) {
    setObjectName(QStringLiteral("frmReport"));
    setWindowTitle(tr("Отчет"));

    FToolBar = new QToolBar(this);
    FToolBar->setObjectName(QStringLiteral("ToolBar"));
    FExportButton = AddCaptionToolButton(FToolBar, "Export_ToolButton", tr("Экспорт"),
                                         tr("Экспорт отчета"), 65, QSize(57, 36));
    connect(FExportButton, &QToolButton::clicked, this, &TfrmReport::Export_ToolButtonClick);

    FModel = new TKVReportModel(this);
    FListView = new QTreeView(this);
    FListView->setObjectName(QStringLiteral("Report_ListView"));
    FListView->setRootIsDecorated(false);
    FListView->setUniformRowHeights(true);
    FListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    FListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FListView->setModel(FModel);
    FListView->header()->setStretchLastSection(false);
    FListView->header()->setSectionsClickable(true);
    connect(FListView->header(), &QHeaderView::sectionClicked, this,
            &TfrmReport::Report_ListViewColumnClick);

    FPopupMenu = new QMenu(this);
    FPopupMenu->setObjectName(QStringLiteral("Report_PopupMenu"));
    QAction* exportItem = FPopupMenu->addAction(MainToolIcon(65), tr("&Экспорт данных в файл..."));
    exportItem->setObjectName(QStringLiteral("pmiExport"));
    connect(exportItem, &QAction::triggered, this, &TfrmReport::Export_ToolButtonClick);
    FPopupMenu->addSeparator();
    QAction* help = FPopupMenu->addAction(MainToolIcon(46), tr("&Помощь"));
    help->setObjectName(QStringLiteral("pmiHelpContext"));
    help->setShortcut(QKeySequence(Qt::Key_F1));
    help->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(help);
    connect(help, &QAction::triggered, this,
            [] { KVUserInterface().ShowHelpTopic(QStringLiteral("Reports")); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(FToolBar);
    layout->addWidget(FListView, 1);
    setMinimumSize(500, 300);
    resize(492, 273);
}

void TfrmReport::SetReportDll(const QString& AFolder, const QString& AFileName) {
    FReportDll = AFolder + AFileName;
}

void TfrmReport::BuildReport(TKVReportAsker& AAsker) {
    TKVReportData data;
    {
        TWaitCursor wait;
        if (frmMain) {
            frmMain->InitProgress(0, 0, 0, witWait);
            frmMain->ShowProgress();
        }
        data = BuildReportData(FReportDll, dmMain->MainIBDatabase, AAsker, dmMain->CurrentDBId());
        if (frmMain)
            frmMain->HideProgress();
    }
    if (!data.Caption.isEmpty()) {
        FReportName = data.Caption;
        setWindowTitle(data.Caption);
    }
    int widthSum = 0;
    std::vector<int> widths;
    for (const TKVReportColumn& column : data.Columns) {
        widthSum += column.Width;
        widths.push_back(column.Width);
    }
    FModel->SetReport(std::move(data.Columns), std::move(data.Rows));
    for (int i = 0; i < static_cast<int>(widths.size()); ++i)
        FListView->header()->resizeSection(i, widths[i]);
    // The plug-in's widths are the least a column gets: none cuts its caption.
    FitHeaderSections(FListView->header());
    FSortedType = 0;

    QWidget* frame = SubWindow() ? static_cast<QWidget*>(SubWindow()) : this;
    const int border = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    const int scroll = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int width = ReportWindowWidth(widthSum, frame->width(), border, scroll);
    if (width != frame->width())
        frame->resize(width, frame->height());

    switch (data.Outcome) {
    case roDone:
        break;
    case roError:
        ShowMessageDlg(data.Message, mdkError, mdbOK);
        break;
    case roCancelled:
        ShowMessageDlg(data.Message, mdkWarning, mdbOK);
        break;
    case roSystemError:
        KVUserInterface().ShowSystemError(data.ErrorClass, data.Message, true);
        break;
    }
}

void TfrmReport::Report_ListViewColumnClick(int AColumn) {
    FSortedType = SortedTypeOnColumnClick(FSortedType, AColumn);
    FModel->SortRows(FSortedType);
}

void TfrmReport::Export_ToolButtonClick() {
    ShowExportDataToFileDlg(ExportDataFromModel(*FModel, FListView->header(), QString()));
}

void TfrmReport::contextMenuEvent(QContextMenuEvent* AEvent) {
    FPopupMenu->popup(AEvent->globalPos());
}

TfrmReport* OpenReportWindow(const QString& AFolder, const QString& AFileName,
                             TKVReportAsker& AAsker) {
    if (!frmMain)
        return nullptr;
    auto* report = new TfrmReport; // the workspace owns it once shown
    report->setWindowIcon(ResourceIcon(2231));
    report->SetReportDll(AFolder, AFileName);
    report->ShowMDIChild();
    FitWindowToContent(report->SubWindow(), QSize(500, 300), QSize(500, 300));
    report->repaint();
    report->BuildReport(AAsker);
    return report;
}
