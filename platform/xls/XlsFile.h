#pragma once

// Inside the workbook folder: the file writer and reader behind TXlsWorkbook, the sizes and
// codes of the BIFF8 format they share, and owners of the libgsf handles. Tests use the
// in-memory entry points to feed the reader damaged streams and files.

#include "platform/xls/XlsWorkbook.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <QtEndian>
#include <glib-object.h>
#include <memory>

// Limits of the format's grid and texts.
constexpr int XlsMaxRows = 65536;
constexpr int XlsMaxColumns = 256;
constexpr int XlsMaxTextLength = 32767;

// BIFF8 record types.
namespace XlsRecord {
constexpr quint16 Bof = 0x0809;
constexpr quint16 Eof = 0x000A;
constexpr quint16 Codepage = 0x0042;
constexpr quint16 Window1 = 0x003D;
constexpr quint16 Font = 0x0031;
constexpr quint16 Xf = 0x00E0;
constexpr quint16 Style = 0x0293;
constexpr quint16 BoundSheet = 0x0085;
constexpr quint16 Sst = 0x00FC;
constexpr quint16 ExtSst = 0x00FF;
constexpr quint16 Continue = 0x003C;
constexpr quint16 ColInfo = 0x007D;
constexpr quint16 Dimensions = 0x0200;
constexpr quint16 Row = 0x0208;
constexpr quint16 LabelSst = 0x00FD;
constexpr quint16 Label = 0x0204;
constexpr quint16 Number = 0x0203;
constexpr quint16 Rk = 0x027E;
constexpr quint16 MulRk = 0x00BD;
constexpr quint16 Blank = 0x0201;
constexpr quint16 MulBlank = 0x00BE;
constexpr quint16 BoolErr = 0x0205;
constexpr quint16 Formula = 0x0006;
constexpr quint16 Window2 = 0x023E;
} // namespace XlsRecord

// Largest data part of one record; longer data goes on in CONTINUE records.
constexpr int XlsMaxRecordData = 8224;
// Palette entry 0 is the format's colour index 8.
constexpr int XlsFirstPaletteIcv = 8;

// Little-endian bytes of records, as the writer builds them (tests build records with it too).
class TBiffBuffer {
public:
    void U8(int AValue) { FData.append(static_cast<char>(AValue & 0xFF)); }
    void U16(int AValue) {
        U8(AValue);
        U8(AValue >> 8);
    }
    void U32(quint32 AValue) {
        U16(int(AValue & 0xFFFF));
        U16(int(AValue >> 16));
    }
    void F64(double AValue) {
        char bytes[8];
        qToLittleEndian(AValue, bytes);
        FData.append(bytes, 8);
    }
    // UTF-16 code units of the text, little-endian.
    void Utf16(QStringView AText) {
        for (QChar c : AText)
            U16(c.unicode());
    }
    void Zeros(qsizetype ACount) { FData.append(ACount, '\0'); }
    void Append(const QByteArray& ABytes) { FData.append(ABytes); }

    qsizetype Size() const { return FData.size(); }
    const QByteArray& Data() const { return FData; }
    void Clear() { FData.clear(); }
    void PatchU32(qsizetype APos, quint32 AValue) { qToLittleEndian(AValue, FData.data() + APos); }

private:
    QByteArray FData;
};

// The stream of records: a two-byte type, a two-byte length, the data.
class TBiffStream : public TBiffBuffer {
public:
    void Record(quint16 AType, const TBiffBuffer& ABody) {
        Q_ASSERT(ABody.Size() <= 0xFFFF);
        U16(AType);
        U16(int(ABody.Size()));
        Append(ABody.Data());
    }
    void EmptyRecord(quint16 AType) {
        U16(AType);
        U16(0);
    }
    // A cell record: row, column, XF index, then the value.
    void CellRecord(quint16 AType, int AColumn, int ARow, int AXf, const TBiffBuffer& AValue) {
        TBiffBuffer body;
        body.U16(ARow);
        body.U16(AColumn);
        body.U16(AXf);
        body.Append(AValue.Data());
        Record(AType, body);
    }
};

// Column widths are kept in 1/256 of the width of the digit "0" of the default font, with the
// cell padding, and row heights in twips; the default font (Arial 10) has digits 7 pixels
// wide on a screen of 96 dots per inch.
int XlsPixelsToColumnUnits(int APixels);
int XlsColumnUnitsToPixels(int AUnits);
int XlsPixelsToTwips(int APixels);
int XlsTwipsToPixels(int ATwips);

// Makes libgsf ready; every use of it calls this first.
void XlsInitGsf();

// Releases a GObject (libgsf's inputs, outputs and files).
struct TGObjectUnref {
    void operator()(gpointer AObject) const {
        if (AObject)
            g_object_unref(AObject);
    }
};
template <typename T> using TGObjectPtr = std::unique_ptr<T, TGObjectUnref>;

// Writes the workbook; see TXlsWorkbook::SaveToFile.
void XlsWriteFile(const TXlsWorkbook& ABook, const QString& AFileName);
// The Workbook stream of ABook (EXlsError as SaveToFile for what the format cannot hold), and
// an OLE2 compound file around a Workbook stream (empty when libgsf fails).
QByteArray XlsBuildStream(const TXlsWorkbook& ABook, const QString& AFileName);
QByteArray XlsWrapStream(const QByteArray& AStream);

// Fill an empty workbook from the file, from the bytes of a file, or from a bare Workbook
// stream; see TXlsWorkbook::LoadFromFile. AFileName names the file in messages.
void XlsReadFile(const QString& AFileName, TXlsWorkbook& ABook);
void XlsReadData(const QByteArray& AData, const QString& AFileName, TXlsWorkbook& ABook);
void XlsReadStream(const QByteArray& AStream, const QString& AFileName, TXlsWorkbook& ABook);
