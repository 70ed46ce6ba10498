#pragma once

// Excel 97-2003 workbooks (.xls): an in-memory workbook of named sheets, each a grid of cells
// that hold a text or a number with a little formatting, read from and written as BIFF8
// records in an OLE2 compound file handled by libgsf. The reader takes files from anyone:
// a damaged one fails with a message, never with a crash.
//
// Cells are addressed by (column, row), both from 0. Column widths and row heights are in
// screen pixels; colours are indices into the standard 56-colour palette of the format.

#include "platform/sys/SysUtils.h"

#include <QColor>
#include <QFlags>
#include <QHash>
#include <QSet>
#include <QString>
#include <memory>
#include <vector>

// Every failure to read or write a workbook, with a message that names the file.
KV_DECLARE_EXCEPTION(EXlsError, Exception)

enum TXlsFontStyle { xfsBold = 0x1, xfsItalic = 0x2, xfsUnderline = 0x4 };
Q_DECLARE_FLAGS(TXlsFontStyles, TXlsFontStyle)
Q_DECLARE_OPERATORS_FOR_FLAGS(TXlsFontStyles)

// General: texts to the left, numbers to the right.
enum TXlsHorzAlign { xhaGeneral, xhaLeft, xhaCenter, xhaRight };
enum TXlsVertAlign { xvaTop, xvaCenter, xvaBottom };

// Number of entries of the standard palette; index 0 is black, 1 white, 14 silver.
constexpr int XlsPaletteSize = 56;
// The colour of a palette entry; an invalid colour for an index outside the palette.
QColor XlsPaletteColor(int AIndex);

struct TXlsCellStyle {
    TXlsFontStyles FFontStyle;
    TXlsHorzAlign FHorzAlign = xhaGeneral;
    TXlsVertAlign FVertAlign = xvaBottom;
    // Solid background in this palette colour; -1 (or any index outside the palette) for none.
    int FBackground = -1;
    // Thin border on all four edges in this palette colour; -1 (or outside) for none.
    int FBorderColor = -1;

    bool operator==(const TXlsCellStyle&) const = default;
};

inline size_t qHash(const TXlsCellStyle& AStyle, size_t ASeed = 0) noexcept {
    return qHashMulti(ASeed, AStyle.FFontStyle.toInt(), int(AStyle.FHorzAlign),
                      int(AStyle.FVertAlign), AStyle.FBackground, AStyle.FBorderColor);
}

enum TXlsCellKind { xckEmpty, xckText, xckNumber };

class TXlsCell {
public:
    TXlsCellKind Kind() const { return FKind; }
    // The text as the cell shows it: a text as it stands, a number in its shortest form with
    // the decimal separator of the default locale and no group separators, empty when empty.
    QString Text() const;
    // The number of a number cell, else 0.
    double Number() const { return FNumber; }

private:
    friend class TXlsSheet;
    QString FText;
    double FNumber = 0;
    TXlsCellKind FKind = xckEmpty;
    // Index into the style table of the sheet; 0 is the default style.
    quint16 FStyleIndex = 0;
};

// The text of a number as a cell shows it (see TXlsCell::Text).
QString XlsNumberToText(double AValue);

class TXlsSheet {
public:
    // Default sizes of columns and rows, in pixels.
    static constexpr int DefaultColumnWidth = 64;
    static constexpr int DefaultRowHeight = 17;

    explicit TXlsSheet(QString AName);
    TXlsSheet(const TXlsSheet&) = delete;
    TXlsSheet& operator=(const TXlsSheet&) = delete;

    const QString& Name() const { return FName; }

    // The used range: one past the last column and row that ever held a value or a style
    // other than the default (a file read in keeps the range the file gives).
    int ColumnCount() const { return FColumnCount; }
    int RowCount() const { return FRowCount; }

    // The cell at (AColumn, ARow); an empty cell of default style outside what was filled.
    const TXlsCell& Cell(int AColumn, int ARow) const;
    QString CellText(int AColumn, int ARow) const { return Cell(AColumn, ARow).Text(); }
    const TXlsCellStyle& CellStyle(int AColumn, int ARow) const;

    // A text cell; an empty text empties the cell and keeps its style. Texts are never
    // parsed as numbers.
    void SetCellText(int AColumn, int ARow, const QString& AText);
    void SetCellNumber(int AColumn, int ARow, double AValue);
    void ClearCell(int AColumn, int ARow);
    void SetCellStyle(int AColumn, int ARow, const TXlsCellStyle& AStyle);

    // Width 0 hides a column, height 0 a row.
    int ColumnWidth(int AColumn) const;
    void SetColumnWidth(int AColumn, int AWidth);
    int RowHeight(int ARow) const;
    void SetRowHeight(int ARow, int AHeight);

    // Makes the used range at least AColumns × ARows (a file read in keeps its range).
    void ExtendUsedRange(int AColumns, int ARows);

private:
    TXlsCell& CellRef(int AColumn, int ARow);
    void GrowUsedRange(int AColumn, int ARow);

    QString FName;
    // Rows of cells, each as long as its last cell that was set.
    std::vector<std::vector<TXlsCell>> FRows;
    // The distinct styles of the sheet; cells keep an index, 0 is the default style.
    std::vector<TXlsCellStyle> FStyles;
    QHash<TXlsCellStyle, quint16> FStyleIndex; // the place of each style in FStyles
    std::vector<int> FColumnWidths; // -1 = default
    std::vector<int> FRowHeights;   // -1 = default
    int FColumnCount = 0;
    int FRowCount = 0;
};

class TXlsWorkbook {
public:
    TXlsWorkbook();
    ~TXlsWorkbook();
    TXlsWorkbook(const TXlsWorkbook&) = delete;
    TXlsWorkbook& operator=(const TXlsWorkbook&) = delete;
    TXlsWorkbook(TXlsWorkbook&&) noexcept;
    TXlsWorkbook& operator=(TXlsWorkbook&&) noexcept;

    int SheetCount() const { return static_cast<int>(FSheets.size()); }
    TXlsSheet& Sheet(int AIndex) { return *FSheets.at(static_cast<size_t>(AIndex)); }
    const TXlsSheet& Sheet(int AIndex) const { return *FSheets.at(static_cast<size_t>(AIndex)); }

    // Adds an empty sheet at the end. The name must be one the format allows: 1 to 31
    // characters, none of : \ / ? * [ ], and unlike the other sheets' names ignoring case;
    // otherwise EXlsError. The first sheet of a workbook becomes its active sheet.
    TXlsSheet& AddSheet(const QString& AName);
    // Removes every sheet.
    void Clear();

    // -1 when the workbook has no sheet.
    int ActiveSheetIndex() const { return FActiveSheet; }
    void SetActiveSheetIndex(int AIndex);
    // nullptr when the workbook has no sheet.
    TXlsSheet* ActiveSheet();
    const TXlsSheet* ActiveSheet() const;

    // Replaces the content with the workbook in the file: its worksheets (chart sheets are
    // left out), texts, numbers, the formatting above, column widths and row heights. A
    // formula cell holds its last result; a number shown as a date or time comes in as the
    // text "YYYY-MM-DD", "HH:MM:SS" or both, a boolean as 1 or 0, an error as its code
    // ("#DIV/0!"). On failure EXlsError naming the file, and the content stays as it was.
    void LoadFromFile(const QString& AFileName);
    // Writes the workbook to the file, replacing one that exists. The file appears only
    // complete: on failure (EXlsError) a file of that name stays as it was.
    void SaveToFile(const QString& AFileName) const;

private:
    std::vector<std::unique_ptr<TXlsSheet>> FSheets;
    QSet<QString> FSheetNames; // case-folded, to find a taken name at once
    int FActiveSheet = -1;
};
