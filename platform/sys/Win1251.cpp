#include "platform/sys/Win1251.h"

#include "platform/sys/SysUtils.h"

#include <QStringDecoder>

#include <array>

namespace {

// Unicode code points of the bytes 0x80..0xFF. 0x98 has no character in the code page and
// maps to U+0098 so that every byte survives a round trip.
constexpr std::array<char16_t, 128> kUpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, //
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, //
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, //
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, //
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, //
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, //
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, //
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, //
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, //
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, //
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, //
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, //
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, //
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F, //
};

// Byte of a code point above 0x7F, 0 when the code page has none. Built once.
struct TEncodeTable {
    std::array<unsigned char, 0x2200> bytes{};
    TEncodeTable() {
        for (int i = 0; i < 128; ++i)
            bytes[kUpperHalf[i]] = static_cast<unsigned char>(0x80 + i);
    }
};

unsigned char EncodeChar(char16_t c) {
    static const TEncodeTable table;
    if (c < 0x80)
        return static_cast<unsigned char>(c);
    if (c >= table.bytes.size())
        return 0;
    return table.bytes[c];
}

} // namespace

QString FromWin1251(const char* AData, qsizetype ALength) {
    QString result(ALength, Qt::Uninitialized);
    QChar* out = result.data();
    for (qsizetype i = 0; i < ALength; ++i) {
        const auto b = static_cast<unsigned char>(AData[i]);
        out[i] = b < 0x80 ? QChar(b) : QChar(kUpperHalf[b - 0x80]);
    }
    return result;
}

bool TryToWin1251(const QString& AText, QByteArray& AResult, QString* ABadChar) {
    AResult.resize(AText.size());
    char* out = AResult.data();
    const QChar* in = AText.constData();
    for (qsizetype i = 0; i < AText.size(); ++i) {
        const char16_t c = in[i].unicode();
        const unsigned char b = EncodeChar(c);
        if (b == 0 && c != 0) {
            if (ABadChar) {
                // A character outside the basic plane is a surrogate pair: name it whole.
                if (in[i].isHighSurrogate() && i + 1 < AText.size())
                    *ABadChar = AText.mid(i, 2);
                else
                    *ABadChar = QString(in[i]);
            }
            AResult.clear();
            return false;
        }
        out[i] = static_cast<char>(b);
    }
    return true;
}

QByteArray ToWin1251(const QString& AText) {
    QByteArray result;
    QString bad;
    if (!TryToWin1251(AText, result, &bad)) {
        const QString shown = AText.size() > 80 ? AText.left(77) + QStringLiteral("...") : AText;
        throw EConvertError(QStringLiteral("Символ «%1» (U+%2) в тексте «%3» не входит в "
                                           "кодировку Windows-1251: такой текст нельзя "
                                           "сохранить в базе данных.")
                                .arg(bad)
                                .arg(QString::number(bad.at(0).unicode(), 16)
                                         .toUpper()
                                         .rightJustified(4, QLatin1Char('0')))
                                .arg(shown));
    }
    return result;
}

QString DecodeUtf8OrWin1251(const QByteArray& AData) {
    QByteArrayView data(AData);
    if (data.startsWith("\xEF\xBB\xBF"))
        data = data.sliced(3);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(data);
    if (!decoder.hasError())
        return text;
    return FromWin1251(data.data(), data.size());
}
