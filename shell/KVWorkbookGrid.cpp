#include "shell/KVWorkbookGrid.h"

#include "shell/KVWidgets.h"

#include <QBrush>
#include <QFont>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>

QString XlsColumnLetters(int AColumn) {
    QString name;
    for (int n = AColumn + 1; n > 0; n = (n - 1) / 26)
        name.prepend(QChar(u'A' + (n - 1) % 26));
    return name;
}

// ---------------------------------------------------------------------------------------------

TKVSheetModel::TKVSheetModel(std::function<TXlsSheet*()> ASheet, QObject* AParent)
    : QAbstractTableModel(AParent), FSheet(std::move(ASheet)) {}

void TKVSheetModel::Reset() {
    beginResetModel();
    endResetModel();
}

int TKVSheetModel::rowCount(const QModelIndex& AParent) const {
    const TXlsSheet* sheet = FSheet();
    return AParent.isValid() || sheet == nullptr ? 0 : sheet->RowCount();
}

int TKVSheetModel::columnCount(const QModelIndex& AParent) const {
    const TXlsSheet* sheet = FSheet();
    return AParent.isValid() || sheet == nullptr ? 0 : sheet->ColumnCount();
}

QVariant TKVSheetModel::data(const QModelIndex& AIndex, int ARole) const {
    const TXlsSheet* sheet = FSheet();
    if (!AIndex.isValid() || sheet == nullptr)
        return QVariant();
    const int column = AIndex.column();
    const int row = AIndex.row();
    switch (ARole) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return sheet->CellText(column, row);
    case Qt::FontRole: {
        const TXlsFontStyles style = sheet->CellStyle(column, row).FFontStyle;
        if (style == TXlsFontStyles())
            return QVariant();
        QFont font;
        font.setBold(style.testFlag(xfsBold));
        font.setItalic(style.testFlag(xfsItalic));
        font.setUnderline(style.testFlag(xfsUnderline));
        return font;
    }
    case Qt::BackgroundRole: {
        const QColor colour = XlsPaletteColor(sheet->CellStyle(column, row).FBackground);
        return colour.isValid() ? QVariant(QBrush(colour)) : QVariant();
    }
    case Qt::TextAlignmentRole: {
        const TXlsCellStyle& style = sheet->CellStyle(column, row);
        Qt::Alignment alignment = style.FHorzAlign == xhaCenter  ? Qt::AlignHCenter
                                  : style.FHorzAlign == xhaRight ? Qt::AlignRight
                                                                 : Qt::AlignLeft;
        alignment |= style.FVertAlign == xvaTop      ? Qt::AlignTop
                     : style.FVertAlign == xvaCenter ? Qt::AlignVCenter
                                                     : Qt::AlignBottom;
        return QVariant::fromValue(alignment);
    }
    default:
        return QVariant();
    }
}

bool TKVSheetModel::setData(const QModelIndex& AIndex, const QVariant& AValue, int ARole) {
    TXlsSheet* sheet = FSheet();
    if (!AIndex.isValid() || sheet == nullptr || ARole != Qt::EditRole)
        return false;
    sheet->SetCellText(AIndex.column(), AIndex.row(), AValue.toString());
    emit dataChanged(AIndex, AIndex);
    return true;
}

Qt::ItemFlags TKVSheetModel::flags(const QModelIndex& AIndex) const {
    return AIndex.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable
                            : Qt::NoItemFlags;
}

QVariant TKVSheetModel::headerData(int ASection, Qt::Orientation AOrientation, int ARole) const {
    if (ARole != Qt::DisplayRole)
        return QVariant();
    return AOrientation == Qt::Horizontal ? XlsColumnLetters(ASection)
                                          : QString::number(ASection + 1);
}

// ---------------------------------------------------------------------------------------------

void TKVSheetView::CommitEdit() {
    if (state() != EditingState)
        return;
    QWidget* editor = indexWidget(currentIndex());
    if (editor == nullptr)
        return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

// ---------------------------------------------------------------------------------------------

TKVWorkbookGrid::TKVWorkbookGrid(QWidget* AParent) : QWidget(AParent) {
    FModel = new TKVSheetModel([this] { return FWorkbook.ActiveSheet(); }, this);
    FView = new TKVSheetView(this);
    FView->setModel(FModel);
    FView->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    connect(FView->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int ALogical, int, int ANewSize) {
                if (FResettingView)
                    return;
                if (TXlsSheet* sheet = FWorkbook.ActiveSheet())
                    sheet->SetColumnWidth(ALogical, ANewSize);
            });

    FSheetTabs = new QTabBar(this);
    FSheetTabs->setShape(QTabBar::RoundedSouth);
    FSheetTabs->setDrawBase(false);
    FSheetTabs->setExpanding(false);
    connect(FSheetTabs, &QTabBar::currentChanged, this, &TKVWorkbookGrid::SheetTabChanged);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(FView, 1);
    layout->addWidget(FSheetTabs);
}

TKVWorkbookGrid::~TKVWorkbookGrid() {
    // The view and the model go before the workbook they show.
    delete FView;
    delete FModel;
}

void TKVWorkbookGrid::WorkbookChanged() {
    {
        const QSignalBlocker blocker(FSheetTabs);
        while (FSheetTabs->count() > 0)
            FSheetTabs->removeTab(FSheetTabs->count() - 1);
        for (int i = 0; i < FWorkbook.SheetCount(); ++i)
            FSheetTabs->addTab(FWorkbook.Sheet(i).Name());
        FSheetTabs->setCurrentIndex(FWorkbook.ActiveSheetIndex());
    }
    // The view forgets its sizes when the model is reset: they come from the sheet.
    FResettingView = true;
    FModel->Reset();
    ApplySizes();
    FResettingView = false;
}

void TKVWorkbookGrid::ApplySizes() {
    const TXlsSheet* sheet = FWorkbook.ActiveSheet();
    if (sheet == nullptr)
        return;
    for (int c = 0; c < sheet->ColumnCount(); ++c) {
        const int width = sheet->ColumnWidth(c);
        FView->setColumnHidden(c, width == 0);
        if (width > 0)
            FView->setColumnWidth(c, width);
    }
    for (int r = 0; r < sheet->RowCount(); ++r) {
        const int height = sheet->RowHeight(r);
        FView->setRowHidden(r, height == 0);
        if (height > 0 && height != TXlsSheet::DefaultRowHeight)
            FView->setRowHeight(r, height);
    }
}

void TKVWorkbookGrid::SheetTabChanged(int AIndex) {
    if (AIndex < 0 || AIndex >= FWorkbook.SheetCount())
        return;
    CommitEdit();
    FWorkbook.SetActiveSheetIndex(AIndex);
    WorkbookChanged();
}

void TKVWorkbookGrid::CommitEdit() {
    FView->CommitEdit();
}

void TKVWorkbookGrid::LoadFromFile(const QString& AFileName) {
    CommitEdit();
    const TWaitCursor wait;
    FWorkbook.LoadFromFile(AFileName);
    WorkbookChanged();
}

void TKVWorkbookGrid::SaveToFile(const QString& AFileName) {
    CommitEdit();
    const TWaitCursor wait;
    FWorkbook.SaveToFile(AFileName);
}
