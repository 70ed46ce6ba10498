// Writes a workbook as a BIFF8 "Workbook" stream inside an OLE2 compound file.
//
// The stream: the globals (BOF, CODEPAGE 1200, WINDOW1, eight FONTs, the sixteen standard XFs
// and one XF per distinct cell style, STYLE, one BOUNDSHEET per sheet, SST with its CONTINUE
// records, EXTSST, EOF), then per sheet BOF, COLINFO, DIMENSIONS, blocks of 32 rows (ROW
// records, then LABELSST / NUMBER / BLANK cells), WINDOW2, EOF. Texts are UTF-16 throughout.
// The stream is built in memory, wrapped by libgsf, and the file is written through
// QSaveFile, so that it appears under its name only when complete.

#include "platform/xls/XlsFile.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <map>

namespace {

// OLE2 files keep streams below this size in the short-sector area; the Workbook stream is
// padded up to it, as readers of the format expect the stream in regular sectors.
constexpr int kMinStreamSize = 4096;
constexpr int kStyleXfCount = 15;
constexpr int kDefaultXf = 15;
// Cell styles beyond the sixteen standard XFs that one workbook can hold.
constexpr int kMaxCellStyles = 4000;
constexpr int kRowBlock = 32;
constexpr quint16 kIcvAuto = 0x40;
constexpr quint16 kIcvAutoBack = 0x41;

// "A1" style name of a cell, for messages.
QString CellName(int AColumn, int ARow) {
    QString letters;
    for (int c = AColumn + 1; c > 0; c = (c - 1) / 26)
        letters.prepend(QChar(u'A' + (c - 1) % 26));
    return letters + QString::number(ARow + 1);
}

// Index of the FONT record for a font style: the fonts are written in the order of their
// style bits, and the format skips font index 4.
int FontIndex(TXlsFontStyles AStyle) {
    const int combo = int(AStyle.toInt() & 0x7);
    return combo < 4 ? combo : combo + 1;
}

struct TStringTable {
    QStringList FStrings;
    QHash<QString, int> FIndex;
    quint32 FTotal = 0;

    int Add(const QString& AText) {
        ++FTotal;
        auto it = FIndex.constFind(AText);
        if (it != FIndex.constEnd())
            return *it;
        FStrings.append(AText);
        FIndex.insert(AText, int(FStrings.size() - 1));
        return int(FStrings.size() - 1);
    }
};

class TWriter {
public:
    TWriter(const TXlsWorkbook& ABook, const QString& AFileName)
        : FBook(ABook), FFileName(AFileName) {}

    // The complete Workbook stream.
    QByteArray Build();
    [[noreturn]] void Fail(const QString& AReason) const {
        throw EXlsError(
            QStringLiteral("Не удалось записать файл «%1»: %2").arg(FFileName, AReason));
    }

private:
    void Check() const;
    int XfOf(const TXlsCellStyle& AStyle);
    void WriteGlobals();
    void WriteFonts();
    void WriteXfs();
    void WriteStringTable();
    void WriteSheet(int AIndex);

    const TXlsWorkbook& FBook;
    QString FFileName;
    TBiffStream FOut;
    // The cell styles written as XFs 16, 17, ..., and a cache from the styles the sheets hand
    // out (by address) to their XF.
    std::vector<TXlsCellStyle> FCellStyles;
    std::map<const TXlsCellStyle*, int> FXfCache;
    TStringTable FStrings;
    std::vector<qsizetype> FBoundSheetPos;
};

void TWriter::Check() const {
    if (FBook.SheetCount() == 0)
        Fail(QStringLiteral("в книге нет ни одного листа."));
    for (int i = 0; i < FBook.SheetCount(); ++i) {
        const TXlsSheet& sheet = FBook.Sheet(i);
        if (sheet.RowCount() > XlsMaxRows)
            Fail(QStringLiteral("на листе «%1» %2 строк, а книга Excel 97-2003 вмещает не "
                                "больше %3.")
                     .arg(sheet.Name())
                     .arg(sheet.RowCount())
                     .arg(XlsMaxRows));
        if (sheet.ColumnCount() > XlsMaxColumns)
            Fail(QStringLiteral("на листе «%1» %2 столбцов, а книга Excel 97-2003 вмещает не "
                                "больше %3.")
                     .arg(sheet.Name())
                     .arg(sheet.ColumnCount())
                     .arg(XlsMaxColumns));
        for (int r = 0; r < sheet.RowCount(); ++r) {
            for (int c = 0; c < sheet.ColumnCount(); ++c) {
                const TXlsCell& cell = sheet.Cell(c, r);
                if (cell.Kind() == xckText && cell.Text().size() > XlsMaxTextLength)
                    Fail(QStringLiteral("текст ячейки %1 на листе «%2» длиннее %3 символов, "
                                        "допустимых в книге Excel 97-2003.")
                             .arg(CellName(c, r), sheet.Name())
                             .arg(XlsMaxTextLength));
                if (cell.Kind() == xckNumber && !std::isfinite(cell.Number()))
                    Fail(QStringLiteral("в ячейке %1 на листе «%2» не конечное число.")
                             .arg(CellName(c, r), sheet.Name()));
            }
        }
    }
}

int TWriter::XfOf(const TXlsCellStyle& AStyle) {
    if (AStyle == TXlsCellStyle())
        return kDefaultXf;
    const auto cached = FXfCache.find(&AStyle);
    if (cached != FXfCache.end())
        return cached->second;
    auto found = std::find(FCellStyles.begin(), FCellStyles.end(), AStyle);
    if (found == FCellStyles.end()) {
        if (FCellStyles.size() >= size_t(kMaxCellStyles))
            Fail(QStringLiteral("в книге больше %1 разных оформлений ячеек.").arg(kMaxCellStyles));
        FCellStyles.push_back(AStyle);
        found = FCellStyles.end() - 1;
    }
    const int xf = kDefaultXf + 1 + int(found - FCellStyles.begin());
    FXfCache.emplace(&AStyle, xf);
    return xf;
}

QByteArray TWriter::Build() {
    Check();
    // The XFs and the string table are written in the globals, before the sheets that use
    // them: gather them first.
    for (int i = 0; i < FBook.SheetCount(); ++i) {
        const TXlsSheet& sheet = FBook.Sheet(i);
        for (int r = 0; r < sheet.RowCount(); ++r) {
            for (int c = 0; c < sheet.ColumnCount(); ++c) {
                const TXlsCell& cell = sheet.Cell(c, r);
                XfOf(sheet.CellStyle(c, r));
                if (cell.Kind() == xckText)
                    FStrings.Add(cell.Text());
            }
        }
    }
    WriteGlobals();
    for (int i = 0; i < FBook.SheetCount(); ++i) {
        FOut.PatchU32(FBoundSheetPos[size_t(i)], quint32(FOut.Size()));
        WriteSheet(i);
    }
    if (FOut.Size() < kMinStreamSize)
        FOut.Zeros(kMinStreamSize - FOut.Size());
    return FOut.Data();
}

void TWriter::WriteGlobals() {
    TBiffBuffer body;
    // BOF: BIFF8, workbook globals.
    body.U16(0x0600);
    body.U16(0x0005);
    body.U16(0x0DBB);
    body.U16(0x07CC);
    body.U32(0);
    body.U32(0x00000006);
    FOut.Record(XlsRecord::Bof, body);

    body.Clear();
    body.U16(1200); // texts are UTF-16
    FOut.Record(XlsRecord::Codepage, body);

    body.Clear();
    body.U16(0x0168); // window position and size, in twips
    body.U16(0x001E);
    body.U16(0x4650);
    body.U16(0x2710);
    body.U16(0x0038); // scroll bars and sheet tabs shown
    body.U16(FBook.ActiveSheetIndex());
    body.U16(0); // first tab shown
    body.U16(1); // tabs selected
    body.U16(600);
    FOut.Record(XlsRecord::Window1, body);

    WriteFonts();
    WriteXfs();

    body.Clear();
    body.U16(0x8000); // built-in style "Normal" on XF 0
    body.U8(0);
    body.U8(0xFF);
    FOut.Record(XlsRecord::Style, body);

    for (int i = 0; i < FBook.SheetCount(); ++i) {
        const QString& name = FBook.Sheet(i).Name();
        body.Clear();
        body.U32(0); // stream position of the sheet, patched when the sheet is written
        body.U8(0);  // visible
        body.U8(0);  // worksheet
        body.U8(int(name.size()));
        body.U8(1); // UTF-16
        body.Utf16(name);
        FBoundSheetPos.push_back(FOut.Size() + 4);
        FOut.Record(XlsRecord::BoundSheet, body);
    }

    WriteStringTable();
    FOut.EmptyRecord(XlsRecord::Eof);
}

void TWriter::WriteFonts() {
    // Arial 10 in the eight combinations of bold (bit 0), italic (bit 1) and underline (bit 2).
    static const QString name = QStringLiteral("Arial");
    for (int combo = 0; combo < 8; ++combo) {
        const bool bold = combo & xfsBold;
        const bool italic = combo & xfsItalic;
        const bool underline = combo & xfsUnderline;
        TBiffBuffer body;
        body.U16(200); // height in twips
        // Italic in bit 1; bold and underline are repeated in bits 0 and 2 for older readers.
        body.U16((bold ? 0x01 : 0) | (italic ? 0x02 : 0) | (underline ? 0x04 : 0));
        body.U16(0x7FFF); // automatic colour
        body.U16(bold ? 700 : 400);
        body.U16(0); // no superscript or subscript
        body.U8(underline ? 1 : 0);
        body.U8(2);    // family: swiss
        body.U8(0xCC); // character set: Cyrillic
        body.U8(0);
        body.U8(int(name.size()));
        body.U8(1);
        body.Utf16(name);
        FOut.Record(XlsRecord::Font, body);
    }
}

void TWriter::WriteXfs() {
    const auto xf = [this](int AFont, int AFlags, int AAlign, int AUsed, quint32 ABorder1,
                           quint32 ABorder2, int APattern) {
        TBiffBuffer body;
        body.U16(AFont);
        body.U16(0); // number format "General"
        body.U16(AFlags);
        body.U8(AAlign);
        body.U8(0); // no rotation
        body.U8(0); // no indent
        body.U8(AUsed);
        body.U32(ABorder1);
        body.U32(ABorder2);
        body.U16(APattern);
        FOut.Record(XlsRecord::Xf, body);
    };
    const int defaultPattern = kIcvAuto | (kIcvAutoBack << 7);
    const int bottom = xvaBottom << 4;
    // Style XFs (locked, style, no parent), then the default cell XF.
    for (int i = 0; i < kStyleXfCount; ++i)
        xf(0, 0xFFF5, bottom, 0, 0, 0, defaultPattern);
    xf(0, 0x0001, bottom, 0, 0, 0, defaultPattern);
    for (const TXlsCellStyle& style : FCellStyles) {
        quint32 border1 = 0;
        quint32 border2 = 0;
        if (XlsPaletteColor(style.FBorderColor).isValid()) {
            const quint32 icv = quint32(style.FBorderColor + XlsFirstPaletteIcv);
            border1 = 0x1111 | (icv << 16) | (icv << 23); // thin left, right, top, bottom
            border2 = icv | (icv << 7);
        }
        int pattern = defaultPattern;
        if (XlsPaletteColor(style.FBackground).isValid()) {
            border2 |= quint32(1) << 26; // solid fill
            pattern = (style.FBackground + XlsFirstPaletteIcv) | (kIcvAutoBack << 7);
        }
        // Locked cell on the Normal style; font, alignment, border and fill are its own.
        xf(FontIndex(style.FFontStyle), 0x0001, style.FHorzAlign | (style.FVertAlign << 4), 0xF8,
           border1, border2, pattern);
    }
}

// The number of characters of each piece of a string whose header is written into a record
// with AFree bytes left: the first piece follows the three-byte header, every further piece
// fills a CONTINUE record after its one-byte flag. Readers decode each piece on its own, so a
// surrogate pair is never cut.
std::vector<qsizetype> SplitString(QStringView AText, qsizetype AFree) {
    std::vector<qsizetype> pieces;
    qsizetype free = AFree - 3;
    qsizetype pos = 0;
    do {
        qsizetype n = std::min(std::max<qsizetype>(free, 0) / 2, AText.size() - pos);
        if (n > 0 && pos + n < AText.size() && AText[pos + n - 1].isHighSurrogate())
            --n;
        pieces.push_back(n);
        pos += n;
        free = XlsMaxRecordData - 1;
    } while (pos < AText.size());
    return pieces;
}

void TWriter::WriteStringTable() {
    const qsizetype count = FStrings.FStrings.size();
    const int perBucket = std::max(8, int((count + 127) / 128));
    TBiffBuffer ext;
    ext.U16(perBucket);

    TBiffBuffer record;
    quint16 type = XlsRecord::Sst;
    record.U32(FStrings.FTotal);
    record.U32(quint32(count));
    const auto flush = [&] {
        FOut.Record(type, record);
        record.Clear();
        type = XlsRecord::Continue;
    };
    for (qsizetype i = 0; i < count; ++i) {
        const QString& text = FStrings.FStrings[i];
        // A string header is never split from its first character.
        std::vector<qsizetype> pieces = SplitString(text, XlsMaxRecordData - record.Size());
        if (pieces.front() == 0) {
            flush();
            pieces = SplitString(text, XlsMaxRecordData);
        }
        if (i % perBucket == 0) {
            ext.U32(quint32(FOut.Size() + 4 + record.Size()));
            ext.U16(int(4 + record.Size()));
            ext.U16(0);
        }
        record.U16(int(text.size()));
        record.U8(1); // UTF-16
        qsizetype pos = 0;
        for (size_t p = 0; p < pieces.size(); ++p) {
            if (p > 0) {
                flush();
                record.U8(1);
            }
            record.Utf16(QStringView(text).mid(pos, pieces[p]));
            pos += pieces[p];
        }
    }
    flush();
    FOut.Record(XlsRecord::ExtSst, ext);
}

void TWriter::WriteSheet(int AIndex) {
    const TXlsSheet& sheet = FBook.Sheet(AIndex);
    TBiffBuffer body;
    body.U16(0x0600);
    body.U16(0x0010); // worksheet
    body.U16(0x0DBB);
    body.U16(0x07CC);
    body.U32(0);
    body.U32(0x00000006);
    FOut.Record(XlsRecord::Bof, body);

    for (int c = 0; c < XlsMaxColumns; ++c) {
        const int width = sheet.ColumnWidth(c);
        if (width == TXlsSheet::DefaultColumnWidth)
            continue;
        body.Clear();
        body.U16(c);
        body.U16(c);
        body.U16(XlsPixelsToColumnUnits(width));
        body.U16(kDefaultXf);
        body.U16(width == 0 ? 0x0001 : 0x0000); // hidden
        body.U16(0);
        FOut.Record(XlsRecord::ColInfo, body);
    }

    body.Clear();
    body.U32(0);
    body.U32(quint32(sheet.RowCount()));
    body.U16(0);
    body.U16(sheet.ColumnCount());
    body.U16(0);
    FOut.Record(XlsRecord::Dimensions, body);

    // Rows in blocks of 32: the ROW records of the block, then its cells.
    int lastRow = sheet.RowCount();
    for (int r = lastRow; r < XlsMaxRows; ++r) {
        if (sheet.RowHeight(r) != TXlsSheet::DefaultRowHeight)
            lastRow = r + 1;
    }
    for (int first = 0; first < lastRow; first += kRowBlock) {
        const int last = std::min(first + kRowBlock, lastRow);
        for (int r = first; r < last; ++r) {
            int firstColumn = -1;
            int endColumn = 0;
            for (int c = 0; c < sheet.ColumnCount(); ++c) {
                const TXlsCell& cell = sheet.Cell(c, r);
                if (cell.Kind() != xckEmpty || XfOf(sheet.CellStyle(c, r)) != kDefaultXf) {
                    if (firstColumn < 0)
                        firstColumn = c;
                    endColumn = c + 1;
                }
            }
            const int height = sheet.RowHeight(r);
            if (firstColumn < 0 && height == TXlsSheet::DefaultRowHeight)
                continue;
            body.Clear();
            body.U16(r);
            body.U16(std::max(firstColumn, 0));
            body.U16(endColumn);
            const bool custom = height != TXlsSheet::DefaultRowHeight;
            body.U16(custom && height > 0 ? XlsPixelsToTwips(height)
                                          : XlsPixelsToTwips(TXlsSheet::DefaultRowHeight));
            body.U16(0);
            body.U16(0);
            // Reserved bit 8 is always set; bit 6: height set by hand, bit 5: hidden.
            body.U32(0x0100 | (custom ? 0x0040 : 0) | (height == 0 ? 0x0020 : 0));
            FOut.Record(XlsRecord::Row, body);
        }
        for (int r = first; r < last; ++r) {
            for (int c = 0; c < sheet.ColumnCount(); ++c) {
                const TXlsCell& cell = sheet.Cell(c, r);
                const int xf = XfOf(sheet.CellStyle(c, r));
                TBiffBuffer value;
                switch (cell.Kind()) {
                case xckText:
                    value.U32(quint32(FStrings.FIndex.value(cell.Text())));
                    FOut.CellRecord(XlsRecord::LabelSst, c, r, xf, value);
                    break;
                case xckNumber:
                    value.F64(cell.Number());
                    FOut.CellRecord(XlsRecord::Number, c, r, xf, value);
                    break;
                case xckEmpty:
                    if (xf != kDefaultXf)
                        FOut.CellRecord(XlsRecord::Blank, c, r, xf, value);
                    break;
                }
            }
        }
    }

    body.Clear();
    const bool active = AIndex == FBook.ActiveSheetIndex();
    // Grid, headers, zeros, default header colour, outline symbols; the active sheet is also
    // selected and shown.
    body.U16(0x00B6 | (active ? 0x0600 : 0));
    body.U16(0); // top row
    body.U16(0); // left column
    body.U16(kIcvAuto);
    body.U16(0);
    body.U16(0); // zoom of the page break preview: default
    body.U16(0); // zoom of the normal view: default
    body.U32(0);
    FOut.Record(XlsRecord::Window2, body);
    FOut.EmptyRecord(XlsRecord::Eof);
}

} // namespace

QByteArray XlsBuildStream(const TXlsWorkbook& ABook, const QString& AFileName) {
    return TWriter(ABook, AFileName).Build();
}

QByteArray XlsWrapStream(const QByteArray& AStream) {
    XlsInitGsf();
    TGObjectPtr<GsfOutput> memory(gsf_output_memory_new());
    {
        TGObjectPtr<GsfOutfile> ole(gsf_outfile_msole_new(memory.get()));
        if (!ole)
            return QByteArray();
        TGObjectPtr<GsfOutput> child(gsf_outfile_new_child(ole.get(), "Workbook", FALSE));
        const bool written =
            child &&
            gsf_output_write(child.get(), size_t(AStream.size()),
                             reinterpret_cast<const guint8*>(AStream.constData())) &&
            gsf_output_close(child.get());
        if (!written || !gsf_output_close(GSF_OUTPUT(ole.get())))
            return QByteArray();
    }
    const auto* bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(memory.get()));
    return QByteArray(reinterpret_cast<const char*>(bytes), qsizetype(gsf_output_size(memory.get())));
}

void XlsWriteFile(const TXlsWorkbook& ABook, const QString& AFileName) {
    TWriter writer(ABook, AFileName);
    const QByteArray data = XlsWrapStream(writer.Build());
    if (data.isEmpty())
        writer.Fail(QStringLiteral("не удалось собрать составной файл OLE2."));

    const QFileInfo info(AFileName);
    if (!info.absoluteDir().exists())
        writer.Fail(QStringLiteral("папки «%1» нет.").arg(info.absolutePath()));
    if (info.isDir())
        writer.Fail(QStringLiteral("под этим именем уже есть папка."));
    QSaveFile file(AFileName);
    if (!file.open(QIODevice::WriteOnly))
        writer.Fail(file.errorString());
    if (file.write(data) != data.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        writer.Fail(reason);
    }
    if (!file.commit())
        writer.Fail(file.errorString());
}
