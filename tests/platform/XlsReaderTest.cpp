// The workbook reader on what other programs write (records our writer never makes) and on
// damaged workbooks: named damage gives its reason, and a few thousand deterministic mutations
// of workbooks the writer made never crash, hang or run away with memory (the test suite runs
// under AddressSanitizer and UndefinedBehaviorSanitizer).

#include "platform/xls/XlsFile.h"
#include "platform/xls/XlsWorkbook.h"

#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>
#include <random>

namespace {

const QString kName = QStringLiteral("книга.xls");
const QString kFailure = QStringLiteral("Не удалось прочитать файл «книга.xls»: ");

// Record kinds the writer does not make.
constexpr quint16 kDateMode = 0x0022;
constexpr quint16 kFormat = 0x041E;
constexpr quint16 kFilePass = 0x002F;
constexpr quint16 kString = 0x0207;
constexpr quint16 kShrFmla = 0x04BC;
constexpr quint16 kChart = 0x0020;

// A Workbook stream built record by record.
class TStreamBuilder {
public:
    void Bof(int AKind, int AVersion = 0x0600) {
        TBiffBuffer body;
        body.U16(AVersion);
        body.U16(AKind);
        body.U16(0x0DBB);
        body.U16(0x07CC);
        body.U32(0);
        body.U32(6);
        FOut.Record(XlsRecord::Bof, body);
    }
    void Eof() { FOut.EmptyRecord(XlsRecord::Eof); }
    void Record(quint16 AType, const TBiffBuffer& ABody) { FOut.Record(AType, ABody); }
    void Window1(int AActiveTab) {
        TBiffBuffer body;
        body.Zeros(10);
        body.U16(AActiveTab);
        body.Zeros(6);
        FOut.Record(XlsRecord::Window1, body);
    }
    void Font(bool ABold) {
        TBiffBuffer body;
        body.U16(200);
        body.U16(0);
        body.U16(0x7FFF);
        body.U16(ABold ? 700 : 400);
        body.Zeros(6);
        body.U8(5);
        body.U8(0);
        body.Append("Arial");
        FOut.Record(XlsRecord::Font, body);
    }
    void Format(int AIndex, const QString& AText) {
        TBiffBuffer body;
        body.U16(AIndex);
        body.U16(int(AText.size()));
        body.U8(1);
        body.Utf16(AText);
        FOut.Record(kFormat, body);
    }
    void Xf(int AFont, int ANumberFormat) {
        TBiffBuffer body;
        body.U16(AFont);
        body.U16(ANumberFormat);
        body.U16(1);
        body.U8(0x20);
        body.Zeros(13);
        FOut.Record(XlsRecord::Xf, body);
    }
    void BoundSheet(const QString& AName, int AKind) {
        TBiffBuffer body;
        body.U32(0);
        body.U8(0);
        body.U8(AKind);
        body.U8(int(AName.size()));
        body.U8(1);
        body.Utf16(AName);
        FSheetPos.push_back(FOut.Size() + 4);
        FOut.Record(XlsRecord::BoundSheet, body);
    }
    // The worksheet of the ASheet-th BOUNDSHEET starts here.
    void StartSheet(size_t ASheet) {
        FOut.PatchU32(FSheetPos.at(ASheet), quint32(FOut.Size()));
        Bof(0x0010);
    }
    void Cell(quint16 AType, int AColumn, int ARow, int AXf, const TBiffBuffer& AValue) {
        FOut.CellRecord(AType, AColumn, ARow, AXf, AValue);
    }
    const QByteArray& Data() const { return FOut.Data(); }

private:
    TBiffStream FOut;
    std::vector<qsizetype> FSheetPos;
};

TBiffBuffer Value(const std::function<void(TBiffBuffer&)>& AFill) {
    TBiffBuffer value;
    AFill(value);
    return value;
}

// A formula's result: a number, or a marked text (0), boolean (1) or error (2).
TBiffBuffer FormulaResult(std::optional<double> ANumber, int AKind = 0, int AValue = 0) {
    TBiffBuffer value;
    if (ANumber) {
        value.F64(*ANumber);
    } else {
        value.U8(AKind);
        value.U8(0);
        value.U8(AValue);
        value.Zeros(3);
        value.U16(0xFFFF);
    }
    value.U16(0);   // options
    value.U32(0);   // cache
    value.U16(3);   // formula of three bytes
    value.Append(QByteArray("\x1E\x01\x00", 3));
    return value;
}

// A workbook as Excel and other programs write it: texts stored as 8-bit and rich strings,
// integer and packed numbers, dates under number formats, formula results, booleans and
// errors, a chart sheet in the tab bar and a chart inside a worksheet.
QByteArray OtherProgramsStream(bool A1904) {
    TStreamBuilder s;
    s.Bof(0x0005);
    if (A1904)
        s.Record(kDateMode, Value([](TBiffBuffer& b) { b.U16(1); }));
    s.Window1(2);
    s.Font(false);
    s.Font(true);
    s.Format(164, QStringLiteral("dd.mm.yyyy"));
    s.Format(165, QStringLiteral("[h]:mm:ss"));
    s.Format(166, QStringLiteral("0.00\" days\"")); // letters in quotes show no date
    for (int i = 0; i < 16; ++i)
        s.Xf(0, 0);
    s.Xf(1, 164); // 16: bold date
    s.Xf(0, 22);  // 17: date and time, built in
    s.Xf(0, 165); // 18: time
    s.Xf(0, 166); // 19: a number with a unit
    s.BoundSheet(QStringLiteral("Данные"), 0);
    s.BoundSheet(QStringLiteral("Диаграмма"), 2);
    s.BoundSheet(QStringLiteral("Второй"), 0);
    TBiffBuffer sst;
    sst.U32(3);
    sst.U32(2);
    sst.U16(10); // 8-bit characters
    sst.U8(0);
    sst.Append("Latin text");
    sst.U16(7); // UTF-16 with one formatting run and four bytes of extra data
    sst.U8(0x0D);
    sst.U16(1);
    sst.U32(4);
    sst.Utf16(u"Богатый");
    sst.U32(0x00010000);
    sst.U32(0xDEADBEEF);
    s.Record(XlsRecord::Sst, sst);
    s.Eof();

    s.StartSheet(0);
    s.Record(XlsRecord::Dimensions, Value([](TBiffBuffer& b) {
                 b.U32(0);
                 b.U32(10);
                 b.U16(0);
                 b.U16(5);
                 b.U16(0);
             }));
    s.Cell(XlsRecord::LabelSst, 0, 0, 16, Value([](TBiffBuffer& b) { b.U32(1); }));
    s.Cell(XlsRecord::Label, 1, 0, 15, Value([](TBiffBuffer& b) {
               b.U16(5);
               b.U8(0);
               b.Append("plain");
           }));
    s.Cell(XlsRecord::LabelSst, 2, 0, 15, Value([](TBiffBuffer& b) { b.U32(0); }));
    s.Cell(XlsRecord::Rk, 0, 1, 15, Value([](TBiffBuffer& b) { b.U32((42u << 2) | 2); }));
    s.Cell(XlsRecord::Rk, 1, 1, 15, Value([](TBiffBuffer& b) { b.U32((1234u << 2) | 3); }));
    s.Record(XlsRecord::MulRk, Value([](TBiffBuffer& b) {
                 b.U16(2); // row
                 b.U16(0); // first column
                 for (quint32 rk : {(1u << 2) | 2, quint32(-5 * 4) | 2, 0x3FE00000u}) {
                     b.U16(15);
                     b.U32(rk);
                 }
                 b.U16(2); // last column
             }));
    s.Cell(XlsRecord::Number, 0, 3, 16, Value([](TBiffBuffer& b) { b.F64(45000); }));
    s.Cell(XlsRecord::Number, 1, 3, 17, Value([](TBiffBuffer& b) { b.F64(45000.5); }));
    s.Cell(XlsRecord::Number, 2, 3, 18, Value([](TBiffBuffer& b) { b.F64(0.75); }));
    s.Cell(XlsRecord::Number, 3, 3, 19, Value([](TBiffBuffer& b) { b.F64(12.5); }));
    s.Cell(XlsRecord::Formula, 0, 4, 15, FormulaResult(7.25));
    s.Cell(XlsRecord::Formula, 1, 4, 15, FormulaResult(std::nullopt, 0));
    s.Record(kShrFmla, Value([](TBiffBuffer& b) { b.Zeros(10); }));
    s.Record(kString, Value([](TBiffBuffer& b) {
                 b.U16(10);
                 b.U8(1);
                 b.Utf16(u"из формулы");
             }));
    s.Cell(XlsRecord::Formula, 2, 4, 15, FormulaResult(std::nullopt, 1, 1));
    s.Cell(XlsRecord::Formula, 3, 4, 15, FormulaResult(std::nullopt, 2, 0x07));
    s.Cell(XlsRecord::BoolErr, 0, 5, 15, Value([](TBiffBuffer& b) { b.U16(0x0000); }));
    s.Cell(XlsRecord::BoolErr, 1, 5, 15, Value([](TBiffBuffer& b) { b.U16(0x012A); }));
    // A chart on the sheet: its records are its own, even one that would be damage here.
    s.Bof(kChart);
    s.Cell(XlsRecord::LabelSst, 0, 0, 15, Value([](TBiffBuffer& b) { b.U32(99); }));
    s.Eof();
    s.Eof();

    s.StartSheet(2);
    s.Cell(XlsRecord::Label, 0, 0, 15, Value([](TBiffBuffer& b) {
               b.U16(11);
               b.U8(1);
               b.Utf16(u"второй лист");
           }));
    s.Eof();
    return s.Data();
}

// Reads a stream; the reason of the failure, or an empty text when it was read.
QString Failure(const QByteArray& AStream, TXlsWorkbook& ABook) {
    try {
        XlsReadStream(AStream, kName, ABook);
        return QString();
    } catch (const EXlsError& e) {
        return e.Message();
    }
}

// Where the records of a stream lie, from its start to its first EOF.
struct TRecordPlace {
    quint16 Type;
    qsizetype Pos;
    int Size;
};

std::vector<TRecordPlace> RecordPlaces(const QByteArray& AStream) {
    std::vector<TRecordPlace> places;
    const auto* data = reinterpret_cast<const uchar*>(AStream.constData());
    for (qsizetype pos = 0; pos + 4 <= AStream.size();) {
        const TRecordPlace place{qFromLittleEndian<quint16>(data + pos), pos,
                                 qFromLittleEndian<quint16>(data + pos + 2)};
        places.push_back(place);
        pos += 4 + place.Size;
    }
    return places;
}

const TRecordPlace& FirstRecord(const std::vector<TRecordPlace>& APlaces, quint16 AType) {
    for (const TRecordPlace& place : APlaces) {
        if (place.Type == AType)
            return place;
    }
    throw std::runtime_error("no such record");
}

void PutU16(QByteArray& AStream, qsizetype APos, quint16 AValue) {
    qToLittleEndian(AValue, AStream.data() + APos);
}

void PutU32(QByteArray& AStream, qsizetype APos, quint32 AValue) {
    qToLittleEndian(AValue, AStream.data() + APos);
}

// Workbooks of the writer, as the price import and the list export make them.
std::vector<QByteArray> WriterStreams() {
    std::vector<QByteArray> streams;
    {
        TXlsWorkbook book;
        TXlsSheet& sheet = book.AddSheet(QStringLiteral("blank"));
        TXlsCellStyle header;
        header.FFontStyle = xfsBold;
        header.FHorzAlign = xhaCenter;
        header.FVertAlign = xvaCenter;
        header.FBackground = 3;
        for (int c = 0; c < 3; ++c) {
            sheet.SetCellText(c, 0, QStringLiteral("Заголовок %1").arg(c));
            sheet.SetCellStyle(c, 0, header);
        }
        for (int r = 1; r < 40; ++r) {
            sheet.SetCellText(0, r, QStringLiteral("К155ЛА%1").arg(r));
            sheet.SetCellNumber(1, r, r * 1.25);
            if (r % 3 == 0)
                sheet.SetCellText(2, r, QStringLiteral("примечание %1").arg(r));
        }
        sheet.SetColumnWidth(0, 200);
        sheet.SetColumnWidth(2, 300);
        sheet.SetRowHeight(0, 30);
        streams.push_back(XlsBuildStream(book, kName));
    }
    {
        TXlsWorkbook book;
        TXlsSheet& sheet = book.AddSheet(QStringLiteral("Длинные"));
        sheet.SetCellText(0, 0, QString(9000, u'ж'));
        sheet.SetCellText(1, 0, QString(3000, u'q'));
        for (int r = 1; r < 300; ++r)
            sheet.SetCellText(r % 5, r, QStringLiteral("строка %1").arg(r));
        streams.push_back(XlsBuildStream(book, kName));
    }
    {
        TXlsWorkbook book;
        TXlsCellStyle boxed;
        boxed.FFontStyle = xfsItalic;
        boxed.FBorderColor = 0;
        boxed.FBackground = 14;
        for (int s = 0; s < 3; ++s) {
            TXlsSheet& sheet = book.AddSheet(QStringLiteral("Лист%1").arg(s + 1));
            for (int r = 0; r < 10; ++r) {
                sheet.SetCellNumber(r % 4, r, -r * 0.5);
                sheet.SetCellStyle(5, r, boxed);
            }
        }
        book.SetActiveSheetIndex(1);
        streams.push_back(XlsBuildStream(book, kName));
    }
    return streams;
}

// What a book read from a damaged file must still be: within the grid, with an active sheet.
void CheckReadBook(const TXlsWorkbook& ABook) {
    ASSERT_LE(ABook.SheetCount() == 0 ? -1 : 0, ABook.ActiveSheetIndex());
    ASSERT_LT(ABook.ActiveSheetIndex(), ABook.SheetCount());
    for (int s = 0; s < ABook.SheetCount(); ++s) {
        ASSERT_LE(ABook.Sheet(s).RowCount(), XlsMaxRows);
        ASSERT_LE(ABook.Sheet(s).ColumnCount(), XlsMaxColumns);
    }
}

// A book that was read, written again by the writer, reads back with the same cells.
void CheckRoundTrip(const TXlsWorkbook& ABook) {
    QByteArray stream;
    try {
        stream = XlsBuildStream(ABook, kName);
    } catch (const EXlsError&) {
        return; // beyond what the writer may write (a text over 32,767 characters)
    }
    TXlsWorkbook back;
    ASSERT_EQ(Failure(stream, back), QString());
    ASSERT_EQ(back.SheetCount(), ABook.SheetCount());
    for (int s = 0; s < ABook.SheetCount(); ++s) {
        const TXlsSheet& want = ABook.Sheet(s);
        for (int r = 0; r < want.RowCount(); ++r) {
            for (int c = 0; c < want.ColumnCount(); ++c)
                ASSERT_EQ(back.Sheet(s).CellText(c, r), want.CellText(c, r)) << s << c << r;
        }
    }
}

} // namespace

TEST(XlsReader, RecordsOfOtherProgramsAreRead) {
    for (const bool date1904 : {false, true}) {
        TXlsWorkbook book;
        ASSERT_EQ(Failure(OtherProgramsStream(date1904), book), QString());
        ASSERT_EQ(book.SheetCount(), 2); // the chart sheet is no worksheet
        EXPECT_EQ(book.Sheet(0).Name(), QStringLiteral("Данные"));
        EXPECT_EQ(book.Sheet(1).Name(), QStringLiteral("Второй"));
        EXPECT_EQ(book.ActiveSheetIndex(), 1); // the third tab
        const TXlsSheet& sheet = book.Sheet(0);
        EXPECT_EQ(sheet.ColumnCount(), 5);
        EXPECT_EQ(sheet.RowCount(), 10);
        const std::vector<std::tuple<int, int, QString>> texts = {
            {0, 0, QStringLiteral("Богатый")},
            {1, 0, QStringLiteral("plain")},
            {2, 0, QStringLiteral("Latin text")},
            {0, 1, QStringLiteral("42")},
            {1, 1, QStringLiteral("12,34")},
            {0, 2, QStringLiteral("1")},
            {1, 2, QStringLiteral("-5")},
            {2, 2, QStringLiteral("0,5")},
            {0, 3, date1904 ? QStringLiteral("2027-03-16") : QStringLiteral("2023-03-15")},
            {1, 3, date1904 ? QStringLiteral("2027-03-16 12:00:00")
                            : QStringLiteral("2023-03-15 12:00:00")},
            {2, 3, QStringLiteral("18:00:00")},
            {3, 3, QStringLiteral("12,5")},
            {0, 4, QStringLiteral("7,25")},
            {1, 4, QStringLiteral("из формулы")},
            {2, 4, QStringLiteral("1")},
            {3, 4, QStringLiteral("#DIV/0!")},
            {0, 5, QStringLiteral("0")},
            {1, 5, QStringLiteral("#N/A")},
        };
        for (const auto& [column, row, text] : texts)
            EXPECT_EQ(sheet.CellText(column, row), text) << column << "," << row << " " << date1904;
        EXPECT_EQ(sheet.Cell(3, 3).Kind(), xckNumber);
        EXPECT_EQ(sheet.CellStyle(0, 3).FFontStyle, TXlsFontStyles(xfsBold));
        EXPECT_EQ(book.Sheet(1).CellText(0, 0), QStringLiteral("второй лист"));
    }
}

TEST(XlsReader, NamedDamageGivesItsReason) {
    const QByteArray good = WriterStreams().front();
    const std::vector<TRecordPlace> places = RecordPlaces(good);
    const TRecordPlace& sst = FirstRecord(places, XlsRecord::Sst);
    const TRecordPlace& sheet = FirstRecord(places, XlsRecord::BoundSheet);
    const TRecordPlace& label = FirstRecord(places, XlsRecord::LabelSst);
    const auto changed = [&](const std::function<void(QByteArray&)>& AChange) {
        QByteArray stream = good;
        AChange(stream);
        return stream;
    };
    const std::pair<QByteArray, QString> cases[] = {
        {changed([&](QByteArray& s) { PutU16(s, sheet.Pos, kFilePass); }),
         QStringLiteral("книга защищена паролем.")},
        {changed([](QByteArray& s) { PutU16(s, 4, 0x0500); }), QStringLiteral("Excel 5.0/95")},
        {changed([&](QByteArray& s) { PutU32(s, label.Pos + 10, 100000); }),
         QStringLiteral("ячейка A1 листа «blank» ссылается на строку 100000")},
        {changed([&](QByteArray& s) { PutU32(s, sheet.Pos + 4, quint32(s.size() + 10)); }),
         QStringLiteral("лист начинается за концом книги")},
        {changed([&](QByteArray& s) { PutU32(s, sheet.Pos + 4, 0); }),
         QStringLiteral("лист «blank» не начинается с заголовка Excel 97-2003")},
        {changed([&](QByteArray& s) { PutU16(s, label.Pos + 2, 0xFFF0); }),
         QStringLiteral("выходит за конец книги")},
        {changed([&](QByteArray& s) { PutU16(s, sst.Pos + 2, 20); }),
         QStringLiteral("таблица строк обрывается")},
        {good.left(label.Pos), QStringLiteral("книга обрывается посередине")},
        {QByteArray(), QStringLiteral("книга обрывается")},
    };
    for (const auto& [stream, reason] : cases) {
        TXlsWorkbook book;
        const QString failure = Failure(stream, book);
        EXPECT_TRUE(failure.startsWith(kFailure)) << failure.toStdString();
        EXPECT_TRUE(failure.contains(reason)) << failure.toStdString();
    }

    // Two worksheets that claim the same part of the stream would have it read twice.
    TStreamBuilder twice;
    twice.Bof(0x0005);
    twice.BoundSheet(QStringLiteral("Один"), 0);
    twice.BoundSheet(QStringLiteral("Два"), 0);
    twice.Eof();
    twice.StartSheet(0);
    twice.Eof();
    QByteArray stream = twice.Data();
    const std::vector<TRecordPlace> twicePlaces = RecordPlaces(stream);
    PutU32(stream, twicePlaces[2].Pos + 4, qFromLittleEndian<quint32>(stream.constData() +
                                                                        twicePlaces[1].Pos + 4));
    TXlsWorkbook book;
    EXPECT_TRUE(Failure(stream, book).contains(QStringLiteral("занимают одно место")));
}

TEST(XlsReader, MutatedWorkbooksNeverCrash) {
    std::mt19937 random(20240611);
    const auto below = [&](qsizetype ALimit) {
        return qsizetype(std::uniform_int_distribution<qint64>(0, std::max<qint64>(ALimit, 1) - 1)(
            random));
    };
    int read = 0;
    int refused = 0;
    const auto run = [&](const std::function<void(TXlsWorkbook&)>& ARead) {
        TXlsWorkbook book;
        try {
            ARead(book);
        } catch (const EXlsError& e) {
            ASSERT_TRUE(e.Message().startsWith(kFailure)) << e.what();
            ++refused;
            return;
        }
        CheckReadBook(book);
        // Every tenth book that was read is written and read again.
        if (++read % 10 == 0) {
            qint64 cells = 0;
            for (int s = 0; s < book.SheetCount(); ++s)
                cells += qint64(book.Sheet(s).RowCount()) * book.Sheet(s).ColumnCount();
            if (cells <= 100000)
                CheckRoundTrip(book);
        }
    };

    for (const QByteArray& seed : WriterStreams()) {
        const std::vector<TRecordPlace> places = RecordPlaces(seed);
        std::vector<qsizetype> sheetOffsets;
        std::vector<qsizetype> countFields;
        for (const TRecordPlace& place : places) {
            if (place.Type == XlsRecord::BoundSheet)
                sheetOffsets.push_back(place.Pos + 4);
            if (place.Type == XlsRecord::Sst) {
                countFields.push_back(place.Pos + 8);  // strings in the table
                countFields.push_back(place.Pos + 12); // characters of the first string
            }
        }
        const quint32 interesting[] = {0, 1, 2, 3, 0x7F, 0x80, 0xFF, 0x100, 0x7FFF, 0x8000,
                                       0xFFFF, 0x10000, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF};
        const auto value = [&] {
            return below(2) ? interesting[below(std::size(interesting))] : quint32(random());
        };
        for (int i = 0; i < 900; ++i) {
            QByteArray stream = seed;
            switch (i % 6) {
            case 0: // record lengths
                for (int n = 0; n <= below(3); ++n) {
                    const TRecordPlace& place = places[size_t(below(qsizetype(places.size())))];
                    PutU16(stream, place.Pos + 2,
                           quint16(below(2) ? value() : place.Size + below(17) - 8));
                }
                break;
            case 1: // string counts and lengths
                PutU16(stream, countFields[size_t(below(qsizetype(countFields.size())))],
                       quint16(value()));
                if (below(2))
                    PutU32(stream, countFields.front(), value());
                break;
            case 2: // sheet offsets
                PutU32(stream, sheetOffsets[size_t(below(qsizetype(sheetOffsets.size())))],
                       below(2) ? value() : quint32(places[size_t(below(qsizetype(places.size())))].Pos));
                break;
            case 3: // bit flips
                for (int n = 0; n <= below(8); ++n) {
                    const qsizetype pos = below(stream.size());
                    stream[pos] = char(stream[pos] ^ (1 << below(8)));
                }
                break;
            case 4: // record types
                for (int n = 0; n <= below(2); ++n) {
                    const quint16 types[] = {XlsRecord::Bof, XlsRecord::Eof, XlsRecord::Continue,
                                             XlsRecord::Sst, XlsRecord::LabelSst, XlsRecord::MulRk,
                                             XlsRecord::Formula, kString, kFilePass,
                                             XlsRecord::BoundSheet};
                    PutU16(stream, places[size_t(below(qsizetype(places.size())))].Pos,
                           types[below(std::size(types))]);
                }
                break;
            default: // truncation
                stream.truncate(below(stream.size()));
                break;
            }
            run([&](TXlsWorkbook& ABook) { XlsReadStream(stream, kName, ABook); });
        }

        // The compound file around the stream: cut, flipped, overwritten.
        const QByteArray file = XlsWrapStream(seed);
        ASSERT_FALSE(file.isEmpty());
        for (int i = 0; i < 200; ++i) {
            QByteArray data = file;
            if (i % 3 == 0) {
                data.truncate(below(data.size()));
            } else if (i % 3 == 1) {
                // The header and the sector tables of the compound file come first.
                const qsizetype area = below(2) ? 1536 : data.size();
                for (int n = 0; n <= below(6); ++n) {
                    const qsizetype pos = below(area);
                    data[pos] = char(data[pos] ^ (1 << below(8)));
                }
            } else {
                const qsizetype pos = below(data.size());
                for (qsizetype n = 0; n < 4 && pos + n < data.size(); ++n)
                    data[pos + n] = char(value() >> (8 * n));
            }
            run([&](TXlsWorkbook& ABook) { XlsReadData(data, kName, ABook); });
        }
    }
    // Both outcomes occur: the mutations reach the reader's checks and past them.
    EXPECT_GT(read, 200);
    EXPECT_GT(refused, 200);
}
