// Reads a workbook file: texts, numbers and the used range of every sheet through FreeXL;
// the active sheet, column widths, row heights and cell formatting, which FreeXL does not
// report, from the records of the Workbook stream opened with libgsf. The second pass is
// best effort: whatever it cannot make sense of is left at the defaults, the cells stay.

#include "platform/xls/XlsFile.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <freexl.h>
#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-input.h>
#include <optional>

namespace {

constexpr char kOleSignature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
constexpr int kDefaultRowTwips = 255;

[[noreturn]] void Fail(const QString& AFileName, const QString& AReason) {
    throw EXlsError(QStringLiteral("Не удалось прочитать файл «%1»: %2").arg(AFileName, AReason));
}

// Owner of a FreeXL handle; FreeXL wants it closed even after a failed open.
class TFreeXLHandle {
public:
    TFreeXLHandle() = default;
    ~TFreeXLHandle() {
        if (FHandle)
            freexl_close(FHandle);
    }
    TFreeXLHandle(const TFreeXLHandle&) = delete;
    TFreeXLHandle& operator=(const TFreeXLHandle&) = delete;

    const void* Get() const { return FHandle; }
    const void** Out() { return &FHandle; }

private:
    const void* FHandle = nullptr;
};

QString FreeXLReason(int ACode) {
    switch (ACode) {
    case FREEXL_INSUFFICIENT_MEMORY:
        return QStringLiteral("не хватает памяти.");
    case FREEXL_BIFF_WORKBOOK_NOT_FOUND:
        return QStringLiteral("в нём нет книги Excel.");
    case FREEXL_CRAFTED_FILE:
        return QStringLiteral("файл повреждён.");
    default:
        return QStringLiteral("это не книга Excel 97-2003 или файл повреждён (код FreeXL %1).")
            .arg(ACode);
    }
}

// --- Records of the Workbook stream -----------------------------------------------------------

struct TRecord {
    quint16 FType = 0;
    const uchar* FData = nullptr;
    int FSize = 0;

    quint8 U8(int AOffset) const { return AOffset + 1 <= FSize ? FData[AOffset] : 0; }
    quint16 U16(int AOffset) const {
        return AOffset + 2 <= FSize ? qFromLittleEndian<quint16>(FData + AOffset) : 0;
    }
    quint32 U32(int AOffset) const {
        return AOffset + 4 <= FSize ? qFromLittleEndian<quint32>(FData + AOffset) : 0;
    }
};

// Walks the records of a stream from a position.
class TRecordReader {
public:
    TRecordReader(const QByteArray& AStream, qsizetype APos) : FStream(AStream), FPos(APos) {}

    std::optional<TRecord> Next() {
        if (FPos < 0 || FPos + 4 > FStream.size())
            return std::nullopt;
        const auto* p = reinterpret_cast<const uchar*>(FStream.constData()) + FPos;
        TRecord record;
        record.FType = qFromLittleEndian<quint16>(p);
        record.FSize = qFromLittleEndian<quint16>(p + 2);
        if (FPos + 4 + record.FSize > FStream.size())
            return std::nullopt;
        record.FData = p + 4;
        FPos += 4 + record.FSize;
        return record;
    }

private:
    const QByteArray& FStream;
    qsizetype FPos;
};

struct TBoundSheet {
    quint32 FPos = 0;
    bool FWorksheet = false;
    QString FName;
};

struct TStreamInfo {
    bool FBiff8 = false;
    int FActiveTab = 0;
    std::vector<TBoundSheet> FSheets;
    std::vector<TXlsFontStyles> FFonts;
    std::vector<TXlsCellStyle> FXfs;
};

// The Workbook (or, in older files, Book) stream of the compound file; empty when absent.
QByteArray ReadWorkbookStream(const QByteArray& AFile) {
    XlsInitGsf();
    TGObjectPtr<GsfInput> input(gsf_input_memory_new(
        reinterpret_cast<const guint8*>(AFile.constData()), AFile.size(), FALSE));
    GError* error = nullptr;
    TGObjectPtr<GsfInfile> ole(input ? gsf_infile_msole_new(input.get(), &error) : nullptr);
    if (error)
        g_error_free(error);
    if (!ole)
        return QByteArray();
    TGObjectPtr<GsfInput> stream(gsf_infile_child_by_name(ole.get(), "Workbook"));
    if (!stream)
        stream.reset(gsf_infile_child_by_name(ole.get(), "Book"));
    if (!stream)
        return QByteArray();
    const gsf_off_t size = gsf_input_size(stream.get());
    if (size <= 0 || size > std::numeric_limits<int>::max())
        return QByteArray();
    QByteArray data(qsizetype(size), Qt::Uninitialized);
    if (!gsf_input_read(stream.get(), size_t(size), reinterpret_cast<guint8*>(data.data())))
        return QByteArray();
    return data;
}

// Reads the shared string table across its SST and CONTINUE records.
class TStringTableReader {
public:
    explicit TStringTableReader(std::vector<TRecord> ARecords) : FRecords(std::move(ARecords)) {}

    bool AtRecordEnd() const { return FOffset >= FRecords[FRecord].FSize; }
    // Moves on to the next record; false when there is none.
    bool NextRecord() {
        if (FRecord + 1 >= FRecords.size())
            return false;
        ++FRecord;
        FOffset = 0;
        return true;
    }
    // Skips bytes that may run on into the next records; false past the end.
    bool Skip(qint64 ACount) {
        while (ACount > 0) {
            if (AtRecordEnd() && !NextRecord())
                return false;
            const qint64 n = std::min<qint64>(ACount, FRecords[FRecord].FSize - FOffset);
            FOffset += int(n);
            ACount -= n;
        }
        return true;
    }
    std::optional<quint32> Read(int ASize) {
        quint32 value = 0;
        for (int i = 0; i < ASize; ++i) {
            if (AtRecordEnd() && !NextRecord())
                return std::nullopt;
            value |= quint32(FRecords[FRecord].U8(FOffset++)) << (8 * i);
        }
        return value;
    }
    int Available() const { return FRecords[FRecord].FSize - FOffset; }

private:
    std::vector<TRecord> FRecords;
    size_t FRecord = 0;
    int FOffset = 0;
};

// Whether a string of the shared string table runs through a whole CONTINUE record into the
// next one. FreeXL misreads such a table and may crash on it, so it must not see the file.
bool HasStringOverThreeRecords(const QByteArray& AStream) {
    std::vector<TRecord> records;
    TRecordReader reader(AStream, 0);
    while (const auto record = reader.Next()) {
        if (record->FType == XlsRecord::Sst ||
            (!records.empty() && record->FType == XlsRecord::Continue))
            records.push_back(*record);
        else if (!records.empty() || record->FType == XlsRecord::Eof)
            break;
    }
    if (records.empty())
        return false;
    TStringTableReader table(std::move(records));
    const auto total = table.Read(4);
    const auto count = table.Read(4);
    if (!total || !count)
        return false;
    for (quint32 i = 0; i < *count; ++i) {
        const auto length = table.Read(2);
        const auto flags = table.Read(1);
        if (!length || !flags)
            return false;
        const auto runs = (*flags & 0x08) ? table.Read(2) : std::optional<quint32>(0);
        const auto extra = (*flags & 0x04) ? table.Read(4) : std::optional<quint32>(0);
        if (!runs || !extra)
            return false;
        bool wide = *flags & 0x01;
        int borders = 0;
        quint32 left = *length;
        while (left > 0) {
            if (table.AtRecordEnd()) {
                if (!table.NextRecord())
                    return false;
                const auto flag = table.Read(1);
                if (!flag)
                    return false;
                wide = *flag & 0x01;
                if (++borders >= 2)
                    return true;
            }
            const quint32 n = std::min<quint32>(left, quint32(table.Available() / (wide ? 2 : 1)));
            if (n == 0)
                return false;
            table.Skip(qint64(n) * (wide ? 2 : 1));
            left -= n;
        }
        if (!table.Skip(qint64(*runs) * 4 + *extra))
            return false;
    }
    return false;
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

TStreamInfo ReadGlobals(const QByteArray& AStream) {
    TStreamInfo info;
    TRecordReader reader(AStream, 0);
    while (const auto record = reader.Next()) {
        switch (record->FType) {
        case XlsRecord::Bof:
            info.FBiff8 = record->U16(0) == 0x0600;
            break;
        case XlsRecord::Window1:
            info.FActiveTab = record->U16(10);
            break;
        case XlsRecord::Font: {
            TXlsFontStyles font;
            if (record->U16(6) >= 700)
                font |= xfsBold;
            if (record->U16(2) & 0x02)
                font |= xfsItalic;
            if (record->U8(10) != 0)
                font |= xfsUnderline;
            info.FFonts.push_back(font);
            break;
        }
        case XlsRecord::Xf:
            info.FXfs.push_back(StyleOfXf(*record, info.FFonts));
            break;
        case XlsRecord::BoundSheet: {
            TBoundSheet sheet;
            sheet.FPos = record->U32(0);
            sheet.FWorksheet = record->U8(5) == 0;
            const int length = record->U8(6);
            const bool wide = record->U8(7) & 0x01;
            if (info.FBiff8 && 8 + length * (wide ? 2 : 1) <= record->FSize) {
                for (int i = 0; i < length; ++i)
                    sheet.FName += wide ? QChar(record->U16(8 + 2 * i)) : QChar(record->U8(8 + i));
            }
            info.FSheets.push_back(sheet);
            break;
        }
        default:
            break;
        }
        if (record->FType == XlsRecord::Eof)
            break;
    }
    return info;
}

// Column widths, row heights and cell styles of one worksheet substream.
void ReadSheetFormatting(const QByteArray& AStream, const TStreamInfo& AInfo, quint32 APos,
                         TXlsSheet& ASheet) {
    const auto applyXf = [&](int AColumn, int ARow, int AXf) {
        if (AXf >= 0 && size_t(AXf) < AInfo.FXfs.size() && AColumn < XlsMaxColumns &&
            AInfo.FXfs[size_t(AXf)] != TXlsCellStyle())
            ASheet.SetCellStyle(AColumn, ARow, AInfo.FXfs[size_t(AXf)]);
    };
    TRecordReader reader(AStream, qsizetype(APos));
    bool first = true;
    while (const auto record = reader.Next()) {
        if (first && record->FType != XlsRecord::Bof)
            return;
        first = false;
        switch (record->FType) {
        case XlsRecord::ColInfo: {
            const int width =
                (record->U16(8) & 0x0001) ? 0 : XlsColumnUnitsToPixels(record->U16(4));
            const int last = std::min<int>(record->U16(2), XlsMaxColumns - 1);
            for (int c = record->U16(0); c <= last; ++c)
                ASheet.SetColumnWidth(c, width);
            break;
        }
        case XlsRecord::Row: {
            const int twips = record->U16(6) & 0x7FFF;
            const bool hidden = record->U32(12) & 0x0020;
            if (hidden)
                ASheet.SetRowHeight(record->U16(0), 0);
            else if (twips != kDefaultRowTwips)
                ASheet.SetRowHeight(record->U16(0), XlsTwipsToPixels(twips));
            break;
        }
        case XlsRecord::LabelSst:
        case XlsRecord::Label:
        case XlsRecord::Number:
        case XlsRecord::Rk:
        case XlsRecord::Blank:
        case XlsRecord::BoolErr:
        case XlsRecord::Formula:
            applyXf(record->U16(2), record->U16(0), record->U16(4));
            break;
        case XlsRecord::MulRk:
        case XlsRecord::MulBlank: {
            // Row, first column, then per cell its XF (and for MULRK a 4-byte value).
            const int step = record->FType == XlsRecord::MulRk ? 6 : 2;
            const int count = (record->FSize - 6) / step;
            for (int i = 0; i < count; ++i)
                applyXf(record->U16(2) + i, record->U16(0), record->U16(4 + i * step));
            break;
        }
        default:
            break;
        }
        if (record->FType == XlsRecord::Eof)
            return;
    }
}

} // namespace

void XlsReadFile(const QString& AFileName, TXlsWorkbook& ABook) {
    const QFileInfo fileInfo(AFileName);
    if (!fileInfo.exists())
        Fail(AFileName, QStringLiteral("такого файла нет."));
    if (fileInfo.isDir())
        Fail(AFileName, QStringLiteral("это папка, а не файл."));
    QFile file(AFileName);
    if (!file.open(QIODevice::ReadOnly))
        Fail(AFileName, file.errorString());
    const QByteArray content = file.readAll();
    file.close();
    if (content.isEmpty())
        Fail(AFileName, QStringLiteral("файл пуст."));
    if (!content.startsWith(QByteArray::fromRawData(kOleSignature, 8)))
        Fail(AFileName, QStringLiteral("это не книга Excel 97-2003 (.xls)."));

    const QByteArray stream = ReadWorkbookStream(content);
    if (HasStringOverThreeRecords(stream))
        Fail(AFileName, QStringLiteral("в книге есть ячейка с текстом длиннее 8000 знаков, а такие "
                                       "книги программа прочитать не может."));

    TFreeXLHandle handle;
    const int opened = freexl_open(QFile::encodeName(AFileName).constData(), handle.Out());
    if (opened != FREEXL_OK)
        Fail(AFileName, FreeXLReason(opened));
    unsigned int value = 0;
    if (freexl_get_info(handle.Get(), FREEXL_BIFF_PASSWORD, &value) == FREEXL_OK &&
        value == FREEXL_BIFF_OBFUSCATED)
        Fail(AFileName, QStringLiteral("книга защищена паролем."));
    unsigned int sheetCount = 0;
    if (freexl_get_info(handle.Get(), FREEXL_BIFF_SHEET_COUNT, &sheetCount) != FREEXL_OK)
        Fail(AFileName, QStringLiteral("не удалось узнать число листов."));

    const TStreamInfo info = ReadGlobals(stream);

    for (unsigned int i = 0; i < sheetCount; ++i) {
        const auto index = static_cast<unsigned short>(i);
        const char* name = nullptr;
        int rc = freexl_get_worksheet_name(handle.Get(), index, &name);
        if (rc == FREEXL_OK)
            rc = freexl_select_active_worksheet(handle.Get(), index);
        unsigned int rows = 0;
        unsigned short columns = 0;
        if (rc == FREEXL_OK)
            rc = freexl_worksheet_dimensions(handle.Get(), &rows, &columns);
        if (rc != FREEXL_OK)
            Fail(AFileName, FreeXLReason(rc));
        TXlsSheet* sheet = nullptr;
        try {
            sheet = &ABook.AddSheet(QString::fromUtf8(name));
        } catch (const EXlsError& e) {
            Fail(AFileName, e.Message());
        }
        for (unsigned int r = 0; r < rows; ++r) {
            for (unsigned short c = 0; c < columns; ++c) {
                FreeXL_CellValue cell;
                rc = freexl_get_cell_value(handle.Get(), r, c, &cell);
                if (rc != FREEXL_OK)
                    Fail(AFileName, FreeXLReason(rc));
                switch (cell.type) {
                case FREEXL_CELL_INT:
                    sheet->SetCellNumber(c, int(r), cell.value.int_value);
                    break;
                case FREEXL_CELL_DOUBLE:
                    sheet->SetCellNumber(c, int(r), cell.value.double_value);
                    break;
                case FREEXL_CELL_TEXT:
                case FREEXL_CELL_SST_TEXT:
                case FREEXL_CELL_DATE:
                case FREEXL_CELL_DATETIME:
                case FREEXL_CELL_TIME:
                    sheet->SetCellText(c, int(r), QString::fromUtf8(cell.value.text_value));
                    break;
                default:
                    break;
                }
            }
        }
        sheet->ExtendUsedRange(columns, int(rows));
    }

    // FreeXL lists the worksheets; the stream knows every sheet of the tab bar and which one
    // is active. Match them by name (older files: by place, when the counts agree).
    int active = 0;
    const size_t activeTab = size_t(info.FActiveTab);
    for (size_t tab = 0; tab < info.FSheets.size(); ++tab) {
        const TBoundSheet& bound = info.FSheets[tab];
        int match = -1;
        for (int s = 0; s < ABook.SheetCount(); ++s) {
            if (info.FBiff8 ? ABook.Sheet(s).Name() == bound.FName
                            : info.FSheets.size() == size_t(ABook.SheetCount()) && s == int(tab))
                match = s;
        }
        if (match < 0)
            continue;
        if (tab == activeTab)
            active = match;
        if (info.FBiff8 && bound.FWorksheet)
            ReadSheetFormatting(stream, info, bound.FPos, ABook.Sheet(match));
    }
    ABook.SetActiveSheetIndex(active);
}
