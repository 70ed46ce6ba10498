#include "platform/xls/XlsWorkbook.h"

#include "platform/xls/XlsFile.h"

#include <QLocale>
#include <algorithm>
#include <array>
#include <cmath>

namespace {

// The standard palette of the format (its colour indices 8 to 63).
constexpr std::array<QRgb, XlsPaletteSize> kPalette = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
    0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
    0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
    0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
    0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
    0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333};

const TXlsCell kEmptyCell;
const TXlsCellStyle kDefaultStyle;

bool IsValidAddress(int AColumn, int ARow) {
    return AColumn >= 0 && ARow >= 0;
}

} // namespace

QColor XlsPaletteColor(int AIndex) {
    if (AIndex < 0 || AIndex >= XlsPaletteSize)
        return QColor();
    return QColor(kPalette[static_cast<size_t>(AIndex)]);
}

QString XlsNumberToText(double AValue) {
    if (!std::isfinite(AValue))
        return QLocale().toString(AValue);
    if (AValue == 0)
        return QStringLiteral("0");
    // The shortest digits that read back as the same double, then plain notation for
    // magnitudes from 1E-4 up to below 1E15 and exponent notation outside them.
    const QString scientific = QString::number(AValue, 'e', QLocale::FloatingPointShortest);
    const qsizetype e = scientific.indexOf(u'e');
    const int exponent = scientific.mid(e + 1).toInt();
    QString text;
    if (exponent >= -4 && exponent < 15) {
        const QString mantissa = scientific.left(e);
        const auto digits =
            std::count_if(mantissa.begin(), mantissa.end(), [](QChar c) { return c.isDigit(); });
        text = QString::number(AValue, 'f', std::max(0, int(digits) - 1 - exponent));
    } else {
        text = scientific;
        text.replace(u'e', u'E');
    }
    return text.replace(u'.', QLocale().decimalPoint());
}

// --- TXlsCell ---------------------------------------------------------------------------------

QString TXlsCell::Text() const {
    switch (FKind) {
    case xckText:
        return FText;
    case xckNumber:
        return XlsNumberToText(FNumber);
    case xckEmpty:
        break;
    }
    return QString();
}

// --- TXlsSheet --------------------------------------------------------------------------------

TXlsSheet::TXlsSheet(QString AName)
    : FName(std::move(AName)), FStyles{kDefaultStyle}, FStyleIndex{{kDefaultStyle, 0}} {}

const TXlsCell& TXlsSheet::Cell(int AColumn, int ARow) const {
    if (!IsValidAddress(AColumn, ARow) || size_t(ARow) >= FRows.size())
        return kEmptyCell;
    const std::vector<TXlsCell>& row = FRows[size_t(ARow)];
    return size_t(AColumn) < row.size() ? row[size_t(AColumn)] : kEmptyCell;
}

const TXlsCellStyle& TXlsSheet::CellStyle(int AColumn, int ARow) const {
    return FStyles[Cell(AColumn, ARow).FStyleIndex];
}

TXlsCell& TXlsSheet::CellRef(int AColumn, int ARow) {
    if (!IsValidAddress(AColumn, ARow))
        throw EXlsError(
            QStringLiteral("Неверный адрес ячейки: столбец %1, строка %2.").arg(AColumn).arg(ARow));
    if (size_t(ARow) >= FRows.size())
        FRows.resize(size_t(ARow) + 1);
    std::vector<TXlsCell>& row = FRows[size_t(ARow)];
    if (size_t(AColumn) >= row.size())
        row.resize(size_t(AColumn) + 1);
    return row[size_t(AColumn)];
}

void TXlsSheet::GrowUsedRange(int AColumn, int ARow) {
    FColumnCount = std::max(FColumnCount, AColumn + 1);
    FRowCount = std::max(FRowCount, ARow + 1);
}

void TXlsSheet::ExtendUsedRange(int AColumns, int ARows) {
    FColumnCount = std::max(FColumnCount, AColumns);
    FRowCount = std::max(FRowCount, ARows);
}

void TXlsSheet::SetCellText(int AColumn, int ARow, const QString& AText) {
    if (AText.isEmpty()) {
        ClearCell(AColumn, ARow);
        return;
    }
    TXlsCell& cell = CellRef(AColumn, ARow);
    cell.FKind = xckText;
    cell.FText = AText;
    cell.FNumber = 0;
    GrowUsedRange(AColumn, ARow);
}

void TXlsSheet::SetCellNumber(int AColumn, int ARow, double AValue) {
    TXlsCell& cell = CellRef(AColumn, ARow);
    cell.FKind = xckNumber;
    cell.FText.clear();
    cell.FNumber = AValue;
    GrowUsedRange(AColumn, ARow);
}

void TXlsSheet::ClearCell(int AColumn, int ARow) {
    if (Cell(AColumn, ARow).FKind == xckEmpty)
        return;
    TXlsCell& cell = CellRef(AColumn, ARow);
    cell.FKind = xckEmpty;
    cell.FText.clear();
    cell.FNumber = 0;
}

void TXlsSheet::SetCellStyle(int AColumn, int ARow, const TXlsCellStyle& AStyle) {
    auto found = FStyleIndex.constFind(AStyle);
    if (found == FStyleIndex.constEnd()) {
        if (FStyles.size() > 0xFFFF)
            throw EXlsError(
                QStringLiteral("На листе «%1» слишком много разных оформлений ячеек.").arg(FName));
        FStyles.push_back(AStyle);
        found = FStyleIndex.insert(AStyle, static_cast<quint16>(FStyles.size() - 1));
    }
    const quint16 index = *found;
    if (index == 0 && Cell(AColumn, ARow).FStyleIndex == 0)
        return;
    CellRef(AColumn, ARow).FStyleIndex = index;
    if (index != 0)
        GrowUsedRange(AColumn, ARow);
}

int TXlsSheet::ColumnWidth(int AColumn) const {
    if (AColumn < 0 || size_t(AColumn) >= FColumnWidths.size() ||
        FColumnWidths[size_t(AColumn)] < 0)
        return DefaultColumnWidth;
    return FColumnWidths[size_t(AColumn)];
}

void TXlsSheet::SetColumnWidth(int AColumn, int AWidth) {
    if (AColumn < 0)
        return;
    if (size_t(AColumn) >= FColumnWidths.size())
        FColumnWidths.resize(size_t(AColumn) + 1, -1);
    FColumnWidths[size_t(AColumn)] = std::max(0, AWidth);
}

int TXlsSheet::RowHeight(int ARow) const {
    if (ARow < 0 || size_t(ARow) >= FRowHeights.size() || FRowHeights[size_t(ARow)] < 0)
        return DefaultRowHeight;
    return FRowHeights[size_t(ARow)];
}

void TXlsSheet::SetRowHeight(int ARow, int AHeight) {
    if (ARow < 0)
        return;
    if (size_t(ARow) >= FRowHeights.size())
        FRowHeights.resize(size_t(ARow) + 1, -1);
    FRowHeights[size_t(ARow)] = std::max(0, AHeight);
}

// --- TXlsWorkbook -----------------------------------------------------------------------------

TXlsWorkbook::TXlsWorkbook() = default;
TXlsWorkbook::~TXlsWorkbook() = default;
TXlsWorkbook::TXlsWorkbook(TXlsWorkbook&&) noexcept = default;
TXlsWorkbook& TXlsWorkbook::operator=(TXlsWorkbook&&) noexcept = default;

TXlsSheet& TXlsWorkbook::AddSheet(const QString& AName) {
    static const QString forbidden = QStringLiteral(":\\/?*[]");
    if (AName.isEmpty() || AName.size() > 31)
        throw EXlsError(QStringLiteral("Имя листа «%1» не годится: в нём должно быть от 1 до 31 "
                                       "символа.")
                            .arg(AName));
    for (QChar c : AName) {
        if (forbidden.contains(c))
            throw EXlsError(QStringLiteral("Имя листа «%1» не годится: в нём не может быть "
                                           "символов : \\ / ? * [ ].")
                                .arg(AName));
    }
    const QString folded = AName.toCaseFolded();
    if (FSheetNames.contains(folded))
        throw EXlsError(QStringLiteral("Лист с именем «%1» в книге уже есть.").arg(AName));
    FSheets.push_back(std::make_unique<TXlsSheet>(AName));
    FSheetNames.insert(folded);
    if (FActiveSheet < 0)
        FActiveSheet = 0;
    return *FSheets.back();
}

void TXlsWorkbook::Clear() {
    FSheets.clear();
    FSheetNames.clear();
    FActiveSheet = -1;
}

void TXlsWorkbook::SetActiveSheetIndex(int AIndex) {
    if (AIndex >= 0 && AIndex < SheetCount())
        FActiveSheet = AIndex;
}

TXlsSheet* TXlsWorkbook::ActiveSheet() {
    return FActiveSheet < 0 ? nullptr : FSheets[size_t(FActiveSheet)].get();
}

const TXlsSheet* TXlsWorkbook::ActiveSheet() const {
    return FActiveSheet < 0 ? nullptr : FSheets[size_t(FActiveSheet)].get();
}

void TXlsWorkbook::LoadFromFile(const QString& AFileName) {
    TXlsWorkbook loaded;
    XlsReadFile(AFileName, loaded);
    *this = std::move(loaded);
}

void TXlsWorkbook::SaveToFile(const QString& AFileName) const {
    XlsWriteFile(*this, AFileName);
}
