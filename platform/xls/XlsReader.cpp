// Reads a workbook file: the "Workbook" stream of the OLE2 compound file (through libgsf), then
// its BIFF8 records: the globals (fonts, number formats, cell formats, sheets, the active sheet,
// the shared strings) and, per worksheet, its cells with their texts, numbers and formatting,
// the column widths and the row heights.
//
// The file may come from anyone and may be damaged. Every length, count, index and offset it
// gives is checked against the bytes that are there before it is used; no allocation is sized
// by a number from the file; every loop advances through the stream, and the sheets' parts of
// the stream may not overlap, so the work stays in proportion to the file's size. A file that
// does not hold together fails with EXlsError naming the file; formatting records that make
// no sense are passed over, since the cells do not depend on them.

#include "platform/xls/XlsFile.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QTime>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-input.h>
#include <optional>

namespace {

constexpr char kOleSignature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
constexpr int kDefaultRowTwips = 255;
constexpr quint16 kBiff8 = 0x0600;
constexpr quint16 kBiff5 = 0x0500;
constexpr quint16 kBofGlobals = 0x0005;
constexpr quint16 kBofWorksheet = 0x0010;
// Files above this size are refused before they are read into memory.
constexpr qint64 kMaxFileSize = qint64(1) << 30;

// Records of the format that only the reader needs.
namespace Rec {
constexpr quint16 FilePass = 0x002F;
constexpr quint16 DateMode = 0x0022;
constexpr quint16 Format = 0x041E;
constexpr quint16 RString = 0x00D6;
constexpr quint16 String = 0x0207;
constexpr quint16 ShrFmla = 0x04BC;
constexpr quint16 Array = 0x0221;
constexpr quint16 Table = 0x0236;
} // namespace Rec

// Why a file cannot be read; becomes an EXlsError that names the file.
struct TReadFailure {
    QString FReason;
};

[[noreturn]] void Refuse(const QString& AReason) {
    throw TReadFailure{AReason};
}

[[noreturn]] void Damaged(const QString& AWhat) {
    Refuse(QStringLiteral("файл повреждён (%1).").arg(AWhat));
}

QString CellName(int AColumn, int ARow) {
    QString letters;
    for (int c = AColumn + 1; c > 0; c = (c - 1) / 26)
        letters.prepend(QChar(u'A' + (c - 1) % 26));
    return letters + QString::number(ARow + 1);
}

// --- Bytes and records ------------------------------------------------------------------------

// A run of bytes with reads that never pass its end (they give 0 there).
struct TBytes {
    const uchar* FData = nullptr;
    int FSize = 0;

    bool Has(int AOffset, int ACount) const {
        return AOffset >= 0 && ACount >= 0 && AOffset <= FSize - ACount;
    }
    quint8 U8(int AOffset) const { return Has(AOffset, 1) ? FData[AOffset] : 0; }
    quint16 U16(int AOffset) const {
        return Has(AOffset, 2) ? qFromLittleEndian<quint16>(FData + AOffset) : 0;
    }
    quint32 U32(int AOffset) const {
        return Has(AOffset, 4) ? qFromLittleEndian<quint32>(FData + AOffset) : 0;
    }
    double F64(int AOffset) const {
        return Has(AOffset, 8) ? qFromLittleEndian<double>(FData + AOffset) : 0;
    }
};

struct TRecord : TBytes {
    quint16 FType = 0;
    qsizetype FPos = 0; // of the record header in the stream
};

// Walks the records of the stream from a position. A record whose length runs past the end of
// the stream, or a stream that ends where a record should be, is damage.
class TRecordReader {
public:
    TRecordReader(const QByteArray& AStream, qsizetype APos) : FStream(AStream), FPos(APos) {
        if (FPos < 0 || FPos > FStream.size())
            Damaged(QStringLiteral("лист начинается за концом книги"));
    }

    TRecord Next() {
        if (FPos + 4 > FStream.size())
            Damaged(QStringLiteral("книга обрывается посередине"));
        const auto* p = reinterpret_cast<const uchar*>(FStream.constData()) + FPos;
        TRecord record;
        record.FType = qFromLittleEndian<quint16>(p);
        record.FSize = qFromLittleEndian<quint16>(p + 2);
        record.FPos = FPos;
        if (FPos + 4 + record.FSize > FStream.size())
            Damaged(QStringLiteral("запись на позиции %1 выходит за конец книги").arg(FPos));
        record.FData = p + 4;
        FPos += 4 + record.FSize;
        return record;
    }
    // The type of the next record, if a whole record header follows.
    std::optional<quint16> PeekType() const {
        if (FPos + 4 > FStream.size())
            return std::nullopt;
        return qFromLittleEndian<quint16>(FStream.constData() + FPos);
    }
    qsizetype Pos() const { return FPos; }

private:
    const QByteArray& FStream;
    qsizetype FPos;
};

// The data of a record and of the CONTINUE records after it, read as one sequence. Texts that
// run over a record border go on after a one-byte flag that says how their characters are
// stored from there on.
class TContinuedReader {
public:
    // Takes ARecord and moves AReader past the CONTINUE records that follow it.
    TContinuedReader(const TRecord& ARecord, TRecordReader& AReader) {
        FParts.push_back(ARecord);
        while (AReader.PeekType() == XlsRecord::Continue)
            FParts.push_back(AReader.Next());
    }

    bool AtEnd() {
        SkipEmptyParts();
        return FOffset >= FParts[FPart].FSize;
    }
    quint32 Read(int ASize, const char* AWhat) {
        quint32 value = 0;
        for (int i = 0; i < ASize; ++i) {
            SkipEmptyParts();
            if (FOffset >= FParts[FPart].FSize)
                Damaged(QString::fromUtf8(AWhat));
            value |= quint32(FParts[FPart].FData[FOffset++]) << (8 * i);
        }
        return value;
    }
    void Skip(quint64 ACount, const char* AWhat) {
        while (ACount > 0) {
            SkipEmptyParts();
            const int left = FParts[FPart].FSize - FOffset;
            if (left <= 0)
                Damaged(QString::fromUtf8(AWhat));
            const int n = int(std::min<quint64>(ACount, quint64(left)));
            FOffset += n;
            ACount -= quint64(n);
        }
    }
    // The characters of a text of ACount characters whose header flags are AFlags; the flags
    // of the header itself (and of the rich-text runs and extra data after the characters) are
    // the caller's.
    QString Characters(int ACount, quint8 AFlags, const char* AWhat) {
        QString text;
        bool wide = AFlags & 0x01;
        int left = ACount;
        while (left > 0) {
            if (FOffset >= FParts[FPart].FSize) {
                if (FPart + 1 >= FParts.size())
                    Damaged(QString::fromUtf8(AWhat));
                ++FPart;
                FOffset = 0;
                wide = Read(1, AWhat) & 0x01;
                continue;
            }
            const TRecord& part = FParts[FPart];
            const int available = (part.FSize - FOffset) / (wide ? 2 : 1);
            if (available == 0)
                Damaged(QString::fromUtf8(AWhat));
            const int n = std::min(left, available);
            if (text.isEmpty())
                text.reserve(ACount);
            for (int i = 0; i < n; ++i) {
                text += wide ? QChar(qFromLittleEndian<quint16>(part.FData + FOffset + 2 * i))
                             : QChar(part.FData[FOffset + i]);
            }
            FOffset += n * (wide ? 2 : 1);
            left -= n;
        }
        return text;
    }

private:
    // Empty CONTINUE records carry nothing; plain reads pass over them.
    void SkipEmptyParts() {
        while (FOffset >= FParts[FPart].FSize && FPart + 1 < FParts.size()) {
            ++FPart;
            FOffset = 0;
        }
    }

    std::vector<TRecord> FParts;
    size_t FPart = 0;
    int FOffset = 0;
};

// A text of the format with a character count of ACountSize bytes, a flag byte, optional
// rich-text runs and extra data (XLUnicodeRichExtendedString and its shorter kinds).
QString ReadText(TContinuedReader& AReader, int ACountSize, const char* AWhat) {
    const int count = int(AReader.Read(ACountSize, AWhat));
    const quint8 flags = quint8(AReader.Read(1, AWhat));
    const quint32 runs = (flags & 0x08) ? AReader.Read(2, AWhat) : 0;
    const quint32 extra = (flags & 0x04) ? AReader.Read(4, AWhat) : 0;
    QString text = AReader.Characters(count, flags, AWhat);
    AReader.Skip(quint64(runs) * 4 + extra, AWhat);
    return text;
}

// A text inside one record (sheet names, number formats): ACountSize bytes of count at
// AOffset, the flag byte, the characters. nullopt when it does not fit the record.
std::optional<QString> TextInRecord(const TRecord& ARecord, int AOffset, int ACountSize) {
    if (!ARecord.Has(AOffset, ACountSize + 1))
        return std::nullopt;
    const int count = ACountSize == 1 ? ARecord.U8(AOffset) : ARecord.U16(AOffset);
    const quint8 flags = ARecord.U8(AOffset + ACountSize);
    int pos = AOffset + ACountSize + 1;
    if (flags & 0x08)
        pos += 2;
    if (flags & 0x04)
        pos += 4;
    const bool wide = flags & 0x01;
    if (!ARecord.Has(pos, count * (wide ? 2 : 1)))
        return std::nullopt;
    QString text;
    text.reserve(count);
    for (int i = 0; i < count; ++i)
        text += wide ? QChar(ARecord.U16(pos + 2 * i)) : QChar(ARecord.U8(pos + i));
    return text;
}

// --- Numbers and dates ------------------------------------------------------------------------

double RkValue(quint32 ARk) {
    double value;
    if (ARk & 0x02) {
        value = double(qint32(ARk) >> 2);
    } else {
        const quint64 bits = quint64(ARk & 0xFFFFFFFCu) << 32;
        std::memcpy(&value, &bits, sizeof value);
    }
    return (ARk & 0x01) ? value / 100 : value;
}

enum TDateKind { dkNone = 0, dkDate = 1, dkTime = 2, dkDateTime = dkDate | dkTime };

// Whether a built-in number format shows a date, a time or both.
TDateKind BuiltInDateKind(int AIndex) {
    if ((AIndex >= 14 && AIndex <= 17))
        return dkDate;
    if (AIndex == 22)
        return dkDateTime;
    if ((AIndex >= 18 && AIndex <= 21) || (AIndex >= 45 && AIndex <= 47))
        return dkTime;
    return dkNone;
}

// The same for a number format of the file, by the letters of its first section outside
// quotes, escapes and colours.
TDateKind DateKindOfFormat(const QString& AFormat) {
    int kind = dkNone;
    bool quoted = false;
    for (qsizetype i = 0; i < AFormat.size(); ++i) {
        const QChar c = AFormat[i].toLower();
        if (quoted) {
            quoted = c != u'"';
            continue;
        }
        if (c == u'"') {
            quoted = true;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            ++i; // the next character stands for itself
        } else if (c == u'[') {
            const qsizetype close = AFormat.indexOf(u']', i);
            if (close < 0)
                break;
            const QString inside = AFormat.mid(i + 1, close - i - 1).toLower();
            if (inside == u"h" || inside == u"hh" || inside == u"m" || inside == u"mm" ||
                inside == u"s" || inside == u"ss")
                kind |= dkTime;
            i = close;
        } else if (c == u';') {
            break;
        } else if (c == u'd' || c == u'y') {
            kind |= dkDate;
        } else if (c == u'h' || c == u's') {
            kind |= dkTime;
        }
    }
    return TDateKind(kind);
}

// A serial date as text: "YYYY-MM-DD", "HH:MM:SS" or both; nullopt outside years 1900 to 9999.
std::optional<QString> DateText(double ASerial, TDateKind AKind, bool A1904) {
    constexpr double kMaxSerial = 2958465; // 9999-12-31
    const double serial = A1904 ? ASerial + 1462 : ASerial;
    if (!(serial >= 0 && serial <= kMaxSerial + 1))
        return std::nullopt;
    qint64 seconds = std::llround(serial * 86400.0);
    qint64 days = seconds / 86400;
    seconds %= 86400;
    // The format counts 1900 as a leap year: serials from 61 on are one day ahead.
    if (days < 61)
        ++days;
    const QDate date = QDate(1899, 12, 30).addDays(days);
    const QString dateText = date.toString(QStringLiteral("yyyy-MM-dd"));
    const QString timeText = QTime(0, 0).addSecs(int(seconds)).toString(QStringLiteral("HH:mm:ss"));
    switch (AKind) {
    case dkDate:
        return dateText;
    case dkTime:
        return timeText;
    default:
        return dateText + u' ' + timeText;
    }
}

QString ErrorText(quint8 ACode) {
    switch (ACode) {
    case 0x00:
        return QStringLiteral("#NULL!");
    case 0x07:
        return QStringLiteral("#DIV/0!");
    case 0x0F:
        return QStringLiteral("#VALUE!");
    case 0x17:
        return QStringLiteral("#REF!");
    case 0x1D:
        return QStringLiteral("#NAME?");
    case 0x24:
        return QStringLiteral("#NUM!");
    default:
        return QStringLiteral("#N/A");
    }
}

// --- Globals ----------------------------------------------------------------------------------

struct TBoundSheet {
    quint32 FPos = 0;
    bool FWorksheet = false;
    QString FName;
};

struct TCellFormat {
    TXlsCellStyle FStyle;
    TDateKind FDateKind = dkNone;
};

struct TGlobals {
    bool F1904 = false;
    int FActiveTab = 0;
    std::vector<TBoundSheet> FSheets;
    std::vector<TXlsFontStyles> FFonts;
    QHash<int, TDateKind> FFormats; // what the number formats of the file show, by index
    std::vector<TCellFormat> FXfs;
    std::vector<QString> FStrings;
};

// Checks the BOF record that opens a part of the stream: BIFF8 and the kind expected.
void CheckBof(const TRecord& ARecord, quint16 AKind, const QString& APart) {
    if (ARecord.FType != XlsRecord::Bof)
        Damaged(QStringLiteral("%1 не начинается с заголовка").arg(APart));
    const quint16 version = ARecord.U16(0);
    if (version == kBiff5)
        Refuse(QStringLiteral("это книга Excel 5.0/95, а программа читает книги Excel 97-2003. "
                              "Сохраните её в Excel как «Книга Excel 97-2003»."));
    if (version != kBiff8 || ARecord.U16(2) != AKind)
        Damaged(QStringLiteral("%1 не начинается с заголовка Excel 97-2003").arg(APart));
}

TXlsCellStyle StyleOfXf(const TRecord& AXf, const std::vector<TXlsFontStyles>& AFonts) {
    TXlsCellStyle style;
    // Font index 4 does not exist: indices above it are one past their record.
    const int font = AXf.U16(0);
    const size_t record = size_t(font < 4 ? font : font - 1);
    if (record < AFonts.size())
        style.FFontStyle = AFonts[record];
    const int align = AXf.U8(6);
    const int horz = align & 0x07;
    style.FHorzAlign = horz <= xhaRight ? TXlsHorzAlign(horz) : horz == 6 ? xhaCenter : xhaGeneral;
    const int vert = (align >> 4) & 0x07;
    style.FVertAlign = vert <= xvaBottom ? TXlsVertAlign(vert) : xvaBottom;
    const quint32 border1 = AXf.U32(10);
    const quint32 border2 = AXf.U32(14);
    const auto paletteIndex = [](quint32 AIcv, int AAutomatic) {
        const int index = int(AIcv) - XlsFirstPaletteIcv;
        return index >= 0 && index < XlsPaletteSize ? index : AAutomatic;
    };
    // A border on all four edges is kept, in the colour of its left edge.
    if ((border1 & 0x000F) && (border1 & 0x00F0) && (border1 & 0x0F00) && (border1 & 0xF000))
        style.FBorderColor = paletteIndex((border1 >> 16) & 0x7F, 0);
    if ((border2 >> 26) & 0x3F)
        style.FBackground = paletteIndex(AXf.U16(18) & 0x7F, -1);
    return style;
}

TCellFormat FormatOfXf(const TRecord& AXf, const TGlobals& AGlobals) {
    TCellFormat format;
    format.FStyle = StyleOfXf(AXf, AGlobals.FFonts);
    const int numberFormat = AXf.U16(2);
    format.FDateKind = BuiltInDateKind(numberFormat);
    if (format.FDateKind == dkNone)
        format.FDateKind = AGlobals.FFormats.value(numberFormat, dkNone);
    return format;
}

// The shared strings: the count the table declares, then the strings, each a text with a
// two-byte count. A table that ends early at a string border keeps the strings it has (cells
// that refer past them fail later); one that ends inside a string is damage.
void ReadStringTable(const TRecord& ASst, TRecordReader& AReader, TGlobals& AGlobals) {
    TContinuedReader table(ASst, AReader);
    const char* what = "таблица строк обрывается";
    table.Read(4, what); // references in the book
    const quint32 count = table.Read(4, what);
    for (quint32 i = 0; i < count && !table.AtEnd(); ++i)
        AGlobals.FStrings.push_back(ReadText(table, 2, what));
}

TGlobals ReadGlobals(const QByteArray& AStream) {
    TGlobals globals;
    TRecordReader reader(AStream, 0);
    CheckBof(reader.Next(), kBofGlobals, QStringLiteral("книга"));
    for (;;) {
        const TRecord record = reader.Next();
        switch (record.FType) {
        case Rec::FilePass:
            Refuse(QStringLiteral("книга защищена паролем."));
        case Rec::DateMode:
            globals.F1904 = record.U16(0) == 1;
            break;
        case XlsRecord::Window1:
            globals.FActiveTab = record.U16(10);
            break;
        case XlsRecord::Font: {
            TXlsFontStyles font;
            if (record.U16(6) >= 700)
                font |= xfsBold;
            if (record.U16(2) & 0x02)
                font |= xfsItalic;
            if (record.U8(10) != 0)
                font |= xfsUnderline;
            globals.FFonts.push_back(font);
            break;
        }
        case Rec::Format:
            if (const auto text = TextInRecord(record, 2, 2))
                globals.FFormats.insert(record.U16(0), DateKindOfFormat(*text));
            break;
        case XlsRecord::Xf:
            globals.FXfs.push_back(FormatOfXf(record, globals));
            break;
        case XlsRecord::BoundSheet: {
            const auto name = TextInRecord(record, 6, 1);
            if (!name)
                Damaged(QStringLiteral("имя листа не умещается в своей записи"));
            globals.FSheets.push_back({record.U32(0), record.U8(5) == 0, *name});
            break;
        }
        case XlsRecord::Sst:
            if (!globals.FStrings.empty())
                Damaged(QStringLiteral("в книге две таблицы строк"));
            ReadStringTable(record, reader, globals);
            break;
        case XlsRecord::Eof:
            return globals;
        default:
            break;
        }
    }
}

// --- Worksheets -------------------------------------------------------------------------------

class TSheetReader {
public:
    TSheetReader(const QByteArray& AStream, const TGlobals& AGlobals, TXlsSheet& ASheet)
        : FStream(AStream), FGlobals(AGlobals), FSheet(ASheet) {}

    // Reads the worksheet that starts at APos; returns the position after its EOF record.
    qsizetype Read(qsizetype APos);

private:
    const TCellFormat* Format(int AXf) const {
        return AXf >= 0 && size_t(AXf) < FGlobals.FXfs.size() ? &FGlobals.FXfs[size_t(AXf)]
                                                                : nullptr;
    }
    // The address of a cell record, checked against the grid and the record's size.
    void CheckCell(const TRecord& ARecord, int ASize) const {
        if (ARecord.FSize < ASize)
            Damaged(QStringLiteral("запись ячейки на позиции %1 слишком коротка").arg(ARecord.FPos));
        if (ARecord.U16(2) >= XlsMaxColumns)
            Damaged(QStringLiteral("ячейка за последним столбцом листа «%1»").arg(FSheet.Name()));
    }
    void SetStyle(int AColumn, int ARow, int AXf) {
        const TCellFormat* format = Format(AXf);
        if (format && AColumn < XlsMaxColumns && format->FStyle != TXlsCellStyle())
            FSheet.SetCellStyle(AColumn, ARow, format->FStyle);
    }
    void SetNumber(int AColumn, int ARow, int AXf, double AValue) {
        if (!std::isfinite(AValue))
            Damaged(QStringLiteral("в ячейке %1 листа «%2» не число")
                        .arg(CellName(AColumn, ARow), FSheet.Name()));
        const TCellFormat* format = Format(AXf);
        if (format && format->FDateKind != dkNone) {
            if (const auto text = DateText(AValue, format->FDateKind, FGlobals.F1904)) {
                FSheet.SetCellText(AColumn, ARow, *text);
                return;
            }
        }
        FSheet.SetCellNumber(AColumn, ARow, AValue);
    }
    void ReadFormula(const TRecord& ARecord, TRecordReader& AReader);

    const QByteArray& FStream;
    const TGlobals& FGlobals;
    TXlsSheet& FSheet;
};

void TSheetReader::ReadFormula(const TRecord& ARecord, TRecordReader& AReader) {
    CheckCell(ARecord, 14);
    const int row = ARecord.U16(0);
    const int column = ARecord.U16(2);
    if (ARecord.U16(12) != 0xFFFF) {
        SetNumber(column, row, ARecord.U16(4), ARecord.F64(6));
        return;
    }
    switch (ARecord.U8(6)) {
    case 0: {
        // A text result follows in a STRING record, after the records of shared formulas,
        // array formulas and data tables that may come first.
        while (AReader.PeekType() == Rec::ShrFmla || AReader.PeekType() == Rec::Array ||
               AReader.PeekType() == Rec::Table)
            AReader.Next();
        if (AReader.PeekType() != Rec::String)
            Damaged(QStringLiteral("нет текста формулы в ячейке %1 листа «%2»")
                        .arg(CellName(column, row), FSheet.Name()));
        TContinuedReader text(AReader.Next(), AReader);
        FSheet.SetCellText(column, row, ReadText(text, 2, "текст формулы обрывается"));
        break;
    }
    case 1:
        FSheet.SetCellNumber(column, row, ARecord.U8(8) ? 1 : 0);
        break;
    case 2:
        FSheet.SetCellText(column, row, ErrorText(ARecord.U8(8)));
        break;
    default:
        break;
    }
}

qsizetype TSheetReader::Read(qsizetype APos) {
    TRecordReader reader(FStream, APos);
    CheckBof(reader.Next(), kBofWorksheet, QStringLiteral("лист «%1»").arg(FSheet.Name()));
    // Charts and other objects on the sheet bring parts of their own, from BOF to EOF.
    int nested = 0;
    for (;;) {
        const TRecord record = reader.Next();
        if (record.FType == XlsRecord::Bof) {
            ++nested;
            continue;
        }
        if (record.FType == XlsRecord::Eof) {
            if (nested == 0)
                return reader.Pos();
            --nested;
            continue;
        }
        if (nested > 0)
            continue;
        const int row = record.U16(0);
        const int column = record.U16(2);
        const int xf = record.U16(4);
        switch (record.FType) {
        case XlsRecord::Dimensions:
            if (record.FSize >= 12)
                FSheet.ExtendUsedRange(std::min<int>(record.U16(10), XlsMaxColumns),
                                       int(std::min<quint32>(record.U32(4), XlsMaxRows)));
            break;
        case XlsRecord::ColInfo: {
            if (record.FSize < 10)
                break;
            const int width = (record.U16(8) & 0x0001) ? 0 : XlsColumnUnitsToPixels(record.U16(4));
            const int last = std::min<int>(record.U16(2), XlsMaxColumns - 1);
            for (int c = record.U16(0); c <= last; ++c)
                FSheet.SetColumnWidth(c, width);
            break;
        }
        case XlsRecord::Row: {
            if (record.FSize < 16)
                break;
            const int twips = record.U16(6) & 0x7FFF;
            if (record.U32(12) & 0x0020)
                FSheet.SetRowHeight(row, 0);
            else if (twips != kDefaultRowTwips)
                FSheet.SetRowHeight(row, XlsTwipsToPixels(twips));
            break;
        }
        case XlsRecord::LabelSst: {
            CheckCell(record, 10);
            const quint32 index = record.U32(6);
            if (index >= FGlobals.FStrings.size())
                Damaged(QStringLiteral("ячейка %1 листа «%2» ссылается на строку %3, а в "
                                       "таблице строк их %4")
                            .arg(CellName(column, row), FSheet.Name())
                            .arg(index)
                            .arg(FGlobals.FStrings.size()));
            FSheet.SetCellText(column, row, FGlobals.FStrings[index]);
            break;
        }
        case XlsRecord::Label:
        case Rec::RString: {
            CheckCell(record, 9);
            const auto text = TextInRecord(record, 6, 2);
            if (!text)
                Damaged(QStringLiteral("текст ячейки %1 листа «%2» не умещается в своей записи")
                            .arg(CellName(column, row), FSheet.Name()));
            FSheet.SetCellText(column, row, *text);
            break;
        }
        case XlsRecord::Number:
            CheckCell(record, 14);
            SetNumber(column, row, xf, record.F64(6));
            break;
        case XlsRecord::Rk:
            CheckCell(record, 10);
            SetNumber(column, row, xf, RkValue(record.U32(6)));
            break;
        case XlsRecord::MulRk: {
            // Row, first column, then per cell its XF and value, then the last column.
            CheckCell(record, 6);
            const int count = (record.FSize - 6) / 6;
            if (column + count > XlsMaxColumns)
                Damaged(QStringLiteral("ячейка за последним столбцом листа «%1»").arg(FSheet.Name()));
            for (int i = 0; i < count; ++i) {
                SetNumber(column + i, row, record.U16(4 + 6 * i), RkValue(record.U32(6 + 6 * i)));
                SetStyle(column + i, row, record.U16(4 + 6 * i));
            }
            break;
        }
        case XlsRecord::MulBlank: {
            CheckCell(record, 6);
            const int count = (record.FSize - 6) / 2;
            for (int i = 0; i < count && column + i < XlsMaxColumns; ++i)
                SetStyle(column + i, row, record.U16(4 + 2 * i));
            break;
        }
        case XlsRecord::BoolErr:
            CheckCell(record, 8);
            if (record.U8(7) == 0)
                FSheet.SetCellNumber(column, row, record.U8(6) ? 1 : 0);
            else
                FSheet.SetCellText(column, row, ErrorText(record.U8(6)));
            break;
        case XlsRecord::Formula:
            ReadFormula(record, reader);
            break;
        case XlsRecord::Blank:
            CheckCell(record, 6);
            break;
        default:
            break;
        }
        switch (record.FType) {
        case XlsRecord::LabelSst:
        case XlsRecord::Label:
        case Rec::RString:
        case XlsRecord::Number:
        case XlsRecord::Rk:
        case XlsRecord::BoolErr:
        case XlsRecord::Formula:
        case XlsRecord::Blank:
            SetStyle(column, row, xf);
            break;
        default:
            break;
        }
    }
}

// The Workbook stream of the compound file. An old Book stream, or none, is refused.
QByteArray ReadWorkbookStream(const QByteArray& AFile) {
    XlsInitGsf();
    TGObjectPtr<GsfInput> input(gsf_input_memory_new(
        reinterpret_cast<const guint8*>(AFile.constData()), AFile.size(), FALSE));
    GError* error = nullptr;
    TGObjectPtr<GsfInfile> ole(input ? gsf_infile_msole_new(input.get(), &error) : nullptr);
    if (error)
        g_error_free(error);
    if (!ole)
        Damaged(QStringLiteral("не читается его оглавление"));
    TGObjectPtr<GsfInput> stream;
    bool oldBook = false;
    const int children = gsf_infile_num_children(ole.get());
    for (int i = 0; i < children && !stream; ++i) {
        const QString name = QString::fromUtf8(gsf_infile_name_by_index(ole.get(), i));
        if (name.compare(QLatin1String("Workbook"), Qt::CaseInsensitive) == 0)
            stream.reset(gsf_infile_child_by_index(ole.get(), i));
        else if (name.compare(QLatin1String("Book"), Qt::CaseInsensitive) == 0)
            oldBook = true;
    }
    if (!stream && oldBook)
        Refuse(QStringLiteral("это книга Excel 5.0/95, а программа читает книги Excel 97-2003. "
                              "Сохраните её в Excel как «Книга Excel 97-2003»."));
    if (!stream)
        Refuse(QStringLiteral("в нём нет книги Excel."));
    // A stream cannot hold more than the file does.
    const gsf_off_t size = gsf_input_size(stream.get());
    if (size <= 0 || size > AFile.size())
        Damaged(QStringLiteral("книга в нём неверной длины"));
    QByteArray data(qsizetype(size), Qt::Uninitialized);
    if (!gsf_input_read(stream.get(), size_t(size), reinterpret_cast<guint8*>(data.data())))
        Damaged(QStringLiteral("книга в нём не читается целиком"));
    return data;
}

void ReadStream(const QByteArray& AStream, TXlsWorkbook& ABook) {
    const TGlobals globals = ReadGlobals(AStream);

    // Worksheets in the order of the tab bar; their parts of the stream must not overlap.
    std::vector<size_t> order;
    for (size_t tab = 0; tab < globals.FSheets.size(); ++tab) {
        if (globals.FSheets[tab].FWorksheet)
            order.push_back(tab);
    }
    std::vector<std::pair<quint32, size_t>> byPosition;
    int active = 0;
    for (size_t tab : order) {
        const TBoundSheet& bound = globals.FSheets[tab];
        if (tab == size_t(globals.FActiveTab))
            active = ABook.SheetCount();
        try {
            ABook.AddSheet(bound.FName);
        } catch (const EXlsError& e) {
            Refuse(e.Message());
        }
        byPosition.emplace_back(bound.FPos, size_t(ABook.SheetCount() - 1));
    }
    std::sort(byPosition.begin(), byPosition.end());
    qsizetype end = 0;
    for (const auto& [pos, sheet] : byPosition) {
        if (qsizetype(pos) < end)
            Damaged(QStringLiteral("листы «%1» и другой занимают одно место")
                        .arg(ABook.Sheet(int(sheet)).Name()));
        end = TSheetReader(AStream, globals, ABook.Sheet(int(sheet))).Read(qsizetype(pos));
    }
    ABook.SetActiveSheetIndex(active);
}

template <typename TWork> void Reading(const QString& AFileName, TWork&& AWork) {
    try {
        AWork();
    } catch (const TReadFailure& failure) {
        throw EXlsError(
            QStringLiteral("Не удалось прочитать файл «%1»: %2").arg(AFileName, failure.FReason));
    }
}

} // namespace

void XlsReadStream(const QByteArray& AStream, const QString& AFileName, TXlsWorkbook& ABook) {
    Reading(AFileName, [&] { ReadStream(AStream, ABook); });
}

void XlsReadData(const QByteArray& AData, const QString& AFileName, TXlsWorkbook& ABook) {
    Reading(AFileName, [&] {
        if (AData.isEmpty())
            Refuse(QStringLiteral("файл пуст."));
        if (!AData.startsWith(QByteArray::fromRawData(kOleSignature, 8)))
            Refuse(QStringLiteral("это не книга Excel 97-2003 (.xls)."));
        ReadStream(ReadWorkbookStream(AData), ABook);
    });
}

void XlsReadFile(const QString& AFileName, TXlsWorkbook& ABook) {
    const QFileInfo fileInfo(AFileName);
    QByteArray content;
    Reading(AFileName, [&] {
        if (!fileInfo.exists())
            Refuse(QStringLiteral("такого файла нет."));
        if (fileInfo.isDir())
            Refuse(QStringLiteral("это папка, а не файл."));
        if (fileInfo.size() > kMaxFileSize)
            Refuse(QStringLiteral("файл больше %1 МБ, а книги Excel 97-2003 так велики не бывают.")
                       .arg(kMaxFileSize >> 20));
        QFile file(AFileName);
        if (!file.open(QIODevice::ReadOnly))
            Refuse(file.error() == QFileDevice::PermissionsError
                       ? QStringLiteral("нет прав на чтение этого файла.")
                       : QStringLiteral("файл не открывается (%1).").arg(file.errorString()));
        content = file.readAll();
    });
    XlsReadData(content, AFileName, ABook);
}
