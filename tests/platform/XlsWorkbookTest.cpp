// Workbooks written to real files and read back, by our reader and by an independent one
// (python3-xlrd), and the failures of both directions. XlsReaderTest.cpp feeds the reader
// what other programs write and what damage makes of a workbook.

#include "platform/xls/XlsFile.h"
#include "platform/xls/XlsWorkbook.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

// Prints every sheet of a workbook as JSON: name, selected/shown flags, the cells with their
// type, value (numbers as hexadecimal floats, exact) and formatting, the column widths and
// the row heights, all as xlrd reads them.
const char kXlrdDump[] = R"PY(
import json, sys, xlrd
book = xlrd.open_workbook(sys.argv[1], formatting_info=True)
sheets = []
for sh in book.sheets():
    cells = []
    for r in range(sh.nrows):
        for c in range(sh.row_len(r)):
            cell = sh.cell(r, c)
            if cell.ctype == xlrd.XL_CELL_EMPTY:
                continue
            xf = book.xf_list[cell.xf_index]
            font = book.font_list[xf.font_index]
            item = {"r": r, "c": c,
                    "bold": font.weight >= 700, "italic": bool(font.italic),
                    "underline": font.underline_type,
                    "halign": xf.alignment.hor_align, "valign": xf.alignment.vert_align,
                    "fill": xf.background.fill_pattern,
                    "bg": xf.background.pattern_colour_index,
                    "borders": [xf.border.left_line_style, xf.border.right_line_style,
                                xf.border.top_line_style, xf.border.bottom_line_style],
                    "borderColours": [xf.border.left_colour_index, xf.border.right_colour_index,
                                      xf.border.top_colour_index, xf.border.bottom_colour_index]}
            if cell.ctype == xlrd.XL_CELL_TEXT:
                item["text"] = cell.value
            elif cell.ctype == xlrd.XL_CELL_NUMBER:
                item["number"] = float(cell.value).hex()
            elif cell.ctype == xlrd.XL_CELL_BLANK:
                item["blank"] = True
            else:
                item["other"] = cell.ctype
            cells.append(item)
    sheets.append({"name": sh.name, "selected": sh.sheet_selected, "shown": sh.sheet_visible,
                   "cells": cells,
                   "widths": {str(c): [i.width, i.hidden] for c, i in sh.colinfo_map.items()},
                   "heights": {str(r): [i.height, i.hidden, i.has_default_height]
                               for r, i in sh.rowinfo_map.items()}})
print(json.dumps({"sheets": sheets}))
)PY";

QJsonObject DumpWithXlrd(const QString& AFileName) {
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"), QString::fromUtf8(kXlrdDump), AFileName});
    EXPECT_TRUE(python.waitForFinished(60000));
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

// The xlrd cell at (AColumn, ARow) of a dumped sheet; an empty object when absent.
QJsonObject XlrdCell(const QJsonObject& ASheet, int AColumn, int ARow) {
    for (const QJsonValue& value : ASheet[QStringLiteral("cells")].toArray()) {
        const QJsonObject cell = value.toObject();
        if (cell[QStringLiteral("c")].toInt() == AColumn &&
            cell[QStringLiteral("r")].toInt() == ARow)
            return cell;
    }
    return QJsonObject();
}

double HexFloat(const QJsonValue& AValue) {
    return std::strtod(AValue.toString().toLatin1().constData(), nullptr);
}

QString Message(const EXlsError& AError) {
    return AError.Message();
}

std::string Str(const QString& AText) {
    return AText.toStdString();
}

class XlsWorkbookTest : public ::testing::Test {
protected:
    QString Path(const QString& AName) const { return FDir.filePath(AName); }

    QTemporaryDir FDir;
};

// One cell of the content round trip: a text, a number or nothing.
struct TContentCell {
    int FColumn;
    int FRow;
    TXlsCellKind FKind;
    QString FText;
    double FNumber;
};

// Cells that exercise the string table and the number records: Cyrillic, texts longer than
// one record, surrogate pairs across record borders, empty texts, gaps, and numbers of every
// size and sign.
std::vector<TContentCell> ContentCells() {
    std::vector<TContentCell> cells;
    const auto text = [&](int c, int r, const QString& t) {
        cells.push_back({c, r, xckText, t, 0});
    };
    const auto number = [&](int c, int r, double v) { cells.push_back({c, r, xckNumber, {}, v}); };
    text(0, 0, QStringLiteral("Тип элемента"));
    text(1, 0, QStringLiteral("Цена (руб.)"));
    text(2, 0, QStringLiteral("Примечание: «кавычки», ё, №, €"));
    text(0, 1, QStringLiteral("К155ЛА3"));
    number(1, 1, 12.5);
    text(2, 1, QStringLiteral("  пробелы по краям  "));
    // Row 2 is left out entirely.
    text(0, 3, QStringLiteral("Тип элемента")); // repeated text: one table entry, two cells
    text(2, 3, QString(8221, QChar(u'Ж')));     // the longest text read back: two records
    text(1, 3, QString(5000, QChar(u'ю')));     // 10,000 bytes
    text(0, 4, QStringLiteral("x"));
    QString emoji;
    for (int i = 0; i < 4000; ++i)
        emoji += QStringLiteral("😀");
    text(1, 4, emoji); // 8,000 code units in pairs: a record border may fall inside a pair
    text(2, 4, QStringLiteral("A") + emoji);
    const double values[] = {0,
                             1,
                             -1,
                             42,
                             2147483647.0,
                             2147483648.0,
                             -2147483649.0,
                             1e15,
                             123456789012345678.0,
                             0.1,
                             1.0 / 3.0,
                             -2.5,
                             0.1 + 0.2,
                             1e-300,
                             -4.9e-324,
                             std::numeric_limits<double>::max(),
                             std::numeric_limits<double>::min()};
    int row = 5;
    for (double v : values)
        number(row % 3, row, v), ++row;
    return cells;
}

} // namespace

TEST(XlsNumberText, ShortestFormWithTheLocaleSeparator) {
    // The tests run with the Russian locale: decimal comma, no group separators.
    const std::pair<double, const char*> cases[] = {
        {0, "0"},
        {12.5, "12,5"},
        {-3.25, "-3,25"},
        {100000, "100000"},
        {123456789012.0, "123456789012"},
        {0.0001, "0,0001"},
        {0.00001, "1E-05"},
        {1e15, "1E+15"},
        {0.1 + 0.2, "0,30000000000000004"},
        {1234567.125, "1234567,125"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(Str(XlsNumberToText(value)), text) << value;
}

TEST(XlsSheet, UsedRangeGrowsWithValuesAndStylesOnly) {
    TXlsSheet sheet(QStringLiteral("Лист"));
    sheet.SetCellText(4, 9, QString());
    sheet.SetColumnWidth(7, 100);
    sheet.SetRowHeight(20, 30);
    EXPECT_EQ(sheet.ColumnCount(), 0);
    EXPECT_EQ(sheet.RowCount(), 0);

    sheet.SetCellText(2, 1, QStringLiteral("текст"));
    sheet.SetCellNumber(0, 3, 7);
    TXlsCellStyle bold;
    bold.FFontStyle = xfsBold;
    sheet.SetCellStyle(5, 0, bold);
    EXPECT_EQ(sheet.ColumnCount(), 6);
    EXPECT_EQ(sheet.RowCount(), 4);

    // Emptying a cell keeps its style; a text never becomes a number.
    sheet.SetCellText(5, 0, QStringLiteral("12"));
    sheet.SetCellText(5, 0, QString());
    EXPECT_EQ(sheet.Cell(5, 0).Kind(), xckEmpty);
    EXPECT_EQ(sheet.CellStyle(5, 0), bold);
    sheet.SetCellText(1, 1, QStringLiteral("12"));
    EXPECT_EQ(sheet.Cell(1, 1).Kind(), xckText);
    EXPECT_EQ(sheet.CellText(0, 3), QStringLiteral("7"));
    EXPECT_EQ(sheet.CellText(100, 100), QString());
}

TEST(XlsWorkbook, SheetNamesTheFormatRefusesAreRefused) {
    TXlsWorkbook book;
    EXPECT_EQ(book.ActiveSheet(), nullptr);
    book.AddSheet(QStringLiteral("Прайс"));
    EXPECT_EQ(book.ActiveSheetIndex(), 0);
    for (const QString& bad : {QString(), QString(32, u'я'), QStringLiteral("a/b"),
                               QStringLiteral("[x]"), QStringLiteral("ПРАЙС")}) {
        EXPECT_THROW(book.AddSheet(bad), EXlsError) << Str(bad);
    }
    book.AddSheet(QString(31, u'я'));
    EXPECT_EQ(book.SheetCount(), 2);
    book.Clear();
    EXPECT_EQ(book.SheetCount(), 0);
    EXPECT_EQ(book.ActiveSheetIndex(), -1);
}

TEST_F(XlsWorkbookTest, ContentReadsBackExactlyByBothReaders) {
    const std::vector<TContentCell> cells = ContentCells();
    TXlsWorkbook book;
    TXlsSheet& first = book.AddSheet(QStringLiteral("Прайс"));
    for (const TContentCell& cell : cells) {
        if (cell.FKind == xckText)
            first.SetCellText(cell.FColumn, cell.FRow, cell.FText);
        else
            first.SetCellNumber(cell.FColumn, cell.FRow, cell.FNumber);
    }
    first.SetCellText(1, 2, QString()); // an empty text is an empty cell
    // Enough distinct strings for the string table to need many records by itself.
    TXlsSheet& second = book.AddSheet(QStringLiteral("Строки"));
    for (int r = 0; r < 3000; ++r)
        second.SetCellText(r % 7, r, QStringLiteral("Строка номер %1").arg(r));
    book.AddSheet(QStringLiteral("Пустой лист"));
    book.SetActiveSheetIndex(1);
    const QString file = Path(QStringLiteral("content.xls"));
    book.SaveToFile(file);

    TXlsWorkbook back;
    back.LoadFromFile(file);
    ASSERT_EQ(back.SheetCount(), 3);
    EXPECT_EQ(back.Sheet(0).Name(), QStringLiteral("Прайс"));
    EXPECT_EQ(back.Sheet(1).Name(), QStringLiteral("Строки"));
    EXPECT_EQ(back.Sheet(2).Name(), QStringLiteral("Пустой лист"));
    EXPECT_EQ(back.ActiveSheetIndex(), 1);
    for (int s = 0; s < 3; ++s) {
        EXPECT_EQ(back.Sheet(s).ColumnCount(), book.Sheet(s).ColumnCount()) << s;
        EXPECT_EQ(back.Sheet(s).RowCount(), book.Sheet(s).RowCount()) << s;
        for (int r = 0; r < book.Sheet(s).RowCount(); ++r) {
            for (int c = 0; c < book.Sheet(s).ColumnCount(); ++c) {
                const TXlsCell& want = book.Sheet(s).Cell(c, r);
                const TXlsCell& got = back.Sheet(s).Cell(c, r);
                ASSERT_EQ(got.Kind(), want.Kind()) << s << ":" << c << "," << r;
                EXPECT_EQ(got.Text(), want.Text()) << s << ":" << c << "," << r;
                EXPECT_EQ(got.Number(), want.Number()) << s << ":" << c << "," << r;
            }
        }
    }

    const QJsonObject dump = DumpWithXlrd(file);
    const QJsonArray sheets = dump[QStringLiteral("sheets")].toArray();
    ASSERT_EQ(sheets.size(), 3);
    EXPECT_EQ(sheets[0][QStringLiteral("name")].toString(), QStringLiteral("Прайс"));
    EXPECT_EQ(sheets[2][QStringLiteral("name")].toString(), QStringLiteral("Пустой лист"));
    EXPECT_EQ(sheets[1][QStringLiteral("selected")].toInt(), 1);
    EXPECT_EQ(sheets[0][QStringLiteral("selected")].toInt(), 0);
    EXPECT_EQ(sheets[0][QStringLiteral("cells")].toArray().size(), qsizetype(cells.size()));
    for (const TContentCell& cell : cells) {
        const QJsonObject got = XlrdCell(sheets[0].toObject(), cell.FColumn, cell.FRow);
        if (cell.FKind == xckText)
            EXPECT_EQ(got[QStringLiteral("text")].toString(), cell.FText)
                << cell.FColumn << "," << cell.FRow;
        else
            EXPECT_EQ(HexFloat(got[QStringLiteral("number")]), cell.FNumber)
                << cell.FColumn << "," << cell.FRow;
    }
    EXPECT_EQ(sheets[1][QStringLiteral("cells")].toArray().size(), 3000);
    EXPECT_EQ(XlrdCell(sheets[1].toObject(), 2999 % 7, 2999)[QStringLiteral("text")].toString(),
              QStringLiteral("Строка номер 2999"));
    EXPECT_TRUE(sheets[2][QStringLiteral("cells")].toArray().isEmpty());
}

TEST_F(XlsWorkbookTest, FormattingAndSizesReadBack) {
    TXlsWorkbook book;
    TXlsSheet& sheet = book.AddSheet(QStringLiteral("blank"));
    TXlsCellStyle header;
    header.FFontStyle = xfsBold;
    header.FHorzAlign = xhaCenter;
    header.FVertAlign = xvaCenter;
    header.FBackground = 3;
    TXlsCellStyle boxed;
    boxed.FFontStyle = xfsItalic | xfsUnderline;
    boxed.FHorzAlign = xhaRight;
    boxed.FVertAlign = xvaTop;
    boxed.FBackground = 14;
    boxed.FBorderColor = 0;
    TXlsCellStyle left;
    left.FHorzAlign = xhaLeft;
    left.FBackground = 1;
    const QString titles[] = {QStringLiteral("Тип элемента"), QStringLiteral("Цена (руб.)"),
                              QStringLiteral("Примечание")};
    for (int c = 0; c < 3; ++c) {
        sheet.SetCellText(c, 0, titles[c]);
        sheet.SetCellStyle(c, 0, header);
    }
    sheet.SetCellNumber(1, 1, 3.5);
    sheet.SetCellStyle(1, 1, boxed);
    sheet.SetCellText(0, 1, QStringLiteral("слева"));
    sheet.SetCellStyle(0, 1, left);
    sheet.SetCellStyle(4, 6, boxed); // formatted but empty: written as a blank cell
    sheet.SetColumnWidth(0, 200);
    sheet.SetColumnWidth(1, 60);
    sheet.SetColumnWidth(2, 300);
    sheet.SetColumnWidth(3, 0);
    sheet.SetRowHeight(0, 30);
    sheet.SetRowHeight(40, 0);
    const QString file = Path(QStringLiteral("format.xls"));
    book.SaveToFile(file);

    TXlsWorkbook back;
    back.LoadFromFile(file);
    const TXlsSheet& got = back.Sheet(0);
    EXPECT_EQ(got.ColumnCount(), 5);
    EXPECT_EQ(got.RowCount(), 7);
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(got.CellStyle(c, 0), header) << c;
    EXPECT_EQ(got.CellStyle(1, 1), boxed);
    EXPECT_EQ(got.CellStyle(0, 1), left);
    EXPECT_EQ(got.CellStyle(4, 6), boxed);
    EXPECT_EQ(got.Cell(4, 6).Kind(), xckEmpty);
    EXPECT_EQ(got.CellStyle(2, 1), TXlsCellStyle());
    const int widths[] = {200, 60, 300, 0, TXlsSheet::DefaultColumnWidth};
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(got.ColumnWidth(c), widths[c]) << c;
    EXPECT_EQ(got.RowHeight(0), 30);
    EXPECT_EQ(got.RowHeight(1), TXlsSheet::DefaultRowHeight);
    EXPECT_EQ(got.RowHeight(40), 0);

    const QJsonObject dumped = DumpWithXlrd(file)[QStringLiteral("sheets")][0].toObject();
    const QJsonObject title = XlrdCell(dumped, 1, 0);
    EXPECT_TRUE(title[QStringLiteral("bold")].toBool());
    EXPECT_FALSE(title[QStringLiteral("italic")].toBool());
    EXPECT_EQ(title[QStringLiteral("halign")].toInt(), 2);
    EXPECT_EQ(title[QStringLiteral("valign")].toInt(), 1);
    EXPECT_EQ(title[QStringLiteral("fill")].toInt(), 1);
    EXPECT_EQ(title[QStringLiteral("bg")].toInt(), 3 + 8);
    EXPECT_EQ(title[QStringLiteral("borders")].toArray(), QJsonArray({0, 0, 0, 0}));
    const QJsonObject price = XlrdCell(dumped, 1, 1);
    EXPECT_EQ(HexFloat(price[QStringLiteral("number")]), 3.5);
    EXPECT_FALSE(price[QStringLiteral("bold")].toBool());
    EXPECT_TRUE(price[QStringLiteral("italic")].toBool());
    EXPECT_EQ(price[QStringLiteral("underline")].toInt(), 1);
    EXPECT_EQ(price[QStringLiteral("halign")].toInt(), 3);
    EXPECT_EQ(price[QStringLiteral("valign")].toInt(), 0);
    EXPECT_EQ(price[QStringLiteral("bg")].toInt(), 14 + 8);
    EXPECT_EQ(price[QStringLiteral("borders")].toArray(), QJsonArray({1, 1, 1, 1}));
    EXPECT_EQ(price[QStringLiteral("borderColours")].toArray(), QJsonArray({8, 8, 8, 8}));
    EXPECT_TRUE(XlrdCell(dumped, 4, 6)[QStringLiteral("blank")].toBool());
    const QJsonObject widths256 = dumped[QStringLiteral("widths")].toObject();
    // 1/256 of a 7-pixel digit: 200 px is 7314.
    EXPECT_EQ(widths256[QStringLiteral("0")].toArray()[0].toInt(), 7314);
    EXPECT_EQ(widths256[QStringLiteral("3")].toArray()[1].toInt(), 1);
    const QJsonObject heights = dumped[QStringLiteral("heights")].toObject();
    EXPECT_EQ(heights[QStringLiteral("0")].toArray()[0].toInt(), 450); // twips
    EXPECT_EQ(heights[QStringLiteral("40")].toArray()[1].toInt(), 1);
}

TEST_F(XlsWorkbookTest, CornersOfTheGridAndItsLimits) {
    TXlsWorkbook book;
    book.AddSheet(QStringLiteral("Вправо")).SetCellText(255, 0, QStringLiteral("последний"));
    book.AddSheet(QStringLiteral("Вниз")).SetCellNumber(0, 65535, -7.25);
    const QString file = Path(QStringLiteral("corners.xls"));
    book.SaveToFile(file);
    TXlsWorkbook back;
    back.LoadFromFile(file);
    EXPECT_EQ(back.Sheet(0).ColumnCount(), 256);
    EXPECT_EQ(back.Sheet(0).CellText(255, 0), QStringLiteral("последний"));
    EXPECT_EQ(back.Sheet(1).RowCount(), 65536);
    EXPECT_EQ(back.Sheet(1).Cell(0, 65535).Number(), -7.25);
    const QJsonArray dumped = DumpWithXlrd(file)[QStringLiteral("sheets")].toArray();
    EXPECT_EQ(XlrdCell(dumped[0].toObject(), 255, 0)[QStringLiteral("text")].toString(),
              QStringLiteral("последний"));
    EXPECT_EQ(HexFloat(XlrdCell(dumped[1].toObject(), 0, 65535)[QStringLiteral("number")]), -7.25);

    // One row or column more does not fit the format: the file is not touched.
    const QByteArray before = [&] {
        QFile f(file);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    for (const auto& [column, row] : {std::pair{0, 65536}, std::pair{256, 0}}) {
        TXlsWorkbook big;
        big.AddSheet(QStringLiteral("Много")).SetCellText(column, row, QStringLiteral("лишнее"));
        try {
            big.SaveToFile(file);
            ADD_FAILURE() << column << "," << row;
        } catch (const EXlsError& e) {
            EXPECT_TRUE(Message(e).contains(file)) << e.what();
            EXPECT_TRUE(Message(e).contains(QStringLiteral("«Много»"))) << e.what();
        }
    }
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

TEST_F(XlsWorkbookTest, TextsOfEveryLengthReadBackByBothReaders) {
    // Texts that run through whole CONTINUE records into further ones, up to the longest a
    // cell holds, with surrogate pairs at any record border.
    QString pairs;
    for (int i = 0; i < 16383; ++i)
        pairs += QStringLiteral("😀");
    const QString texts[] = {QString(8222, u'щ') + QString(20000, u'z'),
                             QString(XlsMaxTextLength, u'я'), QStringLiteral("x") + pairs,
                             QStringLiteral("короткий")};
    TXlsWorkbook book;
    TXlsSheet& sheet = book.AddSheet(QStringLiteral("Лист1"));
    for (int r = 0; r < 4; ++r)
        sheet.SetCellText(0, r, texts[r]);
    const QString file = Path(QStringLiteral("long.xls"));
    book.SaveToFile(file);

    TXlsWorkbook back;
    back.LoadFromFile(file);
    const QJsonObject dumped = DumpWithXlrd(file)[QStringLiteral("sheets")][0].toObject();
    for (int r = 0; r < 4; ++r) {
        EXPECT_EQ(back.Sheet(0).CellText(0, r), texts[r]) << r;
        EXPECT_EQ(XlrdCell(dumped, 0, r)[QStringLiteral("text")].toString(), texts[r]) << r;
    }
}

TEST_F(XlsWorkbookTest, SavingReplacesAnExistingFile) {
    const QString file = Path(QStringLiteral("twice.xls"));
    TXlsWorkbook book;
    TXlsSheet& sheet = book.AddSheet(QStringLiteral("Лист1"));
    sheet.SetCellText(0, 0, QString(20000, u'а'));
    book.SaveToFile(file);
    sheet.SetCellText(0, 0, QStringLiteral("коротко"));
    book.SaveToFile(file);
    TXlsWorkbook back;
    back.LoadFromFile(file);
    EXPECT_EQ(back.Sheet(0).CellText(0, 0), QStringLiteral("коротко"));
    EXPECT_EQ(QDir(FDir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{QStringLiteral("twice.xls")});
}

TEST_F(XlsWorkbookTest, UnwritableTargetsFailWithTheFileNameAndLeaveNothing) {
    TXlsWorkbook book;
    book.AddSheet(QStringLiteral("Лист1")).SetCellText(0, 0, QStringLiteral("данные"));
    QDir(FDir.path()).mkdir(QStringLiteral("folder.xls"));
    const QString targets[] = {
        Path(QStringLiteral("missing/price.xls")), // the folder is not there
        Path(QStringLiteral("folder.xls")),        // a folder has the name
        QStringLiteral("/proc/price.xls"),         // a file system nobody may create files in
    };
    for (const QString& target : targets) {
        try {
            book.SaveToFile(target);
            ADD_FAILURE() << Str(target);
        } catch (const EXlsError& e) {
            EXPECT_TRUE(Message(e).startsWith(
                QStringLiteral("Не удалось записать файл «%1»: ").arg(target)))
                << e.what();
            EXPECT_EQ(e.ClassName(), QStringLiteral("EXlsError"));
        }
        EXPECT_FALSE(QFileInfo(target).isFile()) << Str(target);
    }
    EXPECT_EQ(QDir(FDir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{QStringLiteral("folder.xls")});
    EXPECT_TRUE(QDir(Path(QStringLiteral("folder.xls"))).isEmpty());

    TXlsWorkbook empty;
    EXPECT_THROW(empty.SaveToFile(Path(QStringLiteral("empty.xls"))), EXlsError);
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("empty.xls"))));
}

TEST_F(XlsWorkbookTest, FilesThatAreNoWorkbookFailAndKeepTheContent) {
    const auto write = [&](const QString& AName, const QByteArray& AData) {
        QFile f(Path(AName));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(AData);
        return Path(AName);
    };
    // A real workbook cut short, to reach the readers past the file signature.
    TXlsWorkbook source;
    source.AddSheet(QStringLiteral("Лист1")).SetCellText(0, 0, QString(5000, u'ы'));
    source.SaveToFile(Path(QStringLiteral("whole.xls")));
    QFile whole(Path(QStringLiteral("whole.xls")));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray cut = whole.read(1536);

    const std::pair<QString, QString> cases[] = {
        {Path(QStringLiteral("absent.xls")), QStringLiteral("такого файла нет")},
        {write(QStringLiteral("empty.xls"), QByteArray()), QStringLiteral("файл пуст")},
        {write(QStringLiteral("text.xls"), "Тип элемента;Цена\nR1;12,5\n"),
         QStringLiteral("не книга Excel 97-2003")},
        {write(QStringLiteral("cut.xls"), cut), QString()},
        {FDir.path(), QStringLiteral("это папка")},
    };
    TXlsWorkbook book;
    book.AddSheet(QStringLiteral("Моё")).SetCellText(0, 0, QStringLiteral("остаётся"));
    for (const auto& [file, reason] : cases) {
        try {
            book.LoadFromFile(file);
            ADD_FAILURE() << Str(file);
        } catch (const EXlsError& e) {
            EXPECT_TRUE(
                Message(e).startsWith(QStringLiteral("Не удалось прочитать файл «%1»: ").arg(file)))
                << e.what();
            EXPECT_TRUE(Message(e).contains(reason)) << e.what();
        }
    }
    ASSERT_EQ(book.SheetCount(), 1);
    EXPECT_EQ(book.Sheet(0).CellText(0, 0), QStringLiteral("остаётся"));
}
