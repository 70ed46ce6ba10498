#pragma once

#include <QByteArray>
#include <QString>

// Conversion between Unicode text and Windows-1251, the single-byte code page in which the
// program's databases and package files keep their texts.

// Decodes ALength bytes of Windows-1251 text.
QString FromWin1251(const char* AData, qsizetype ALength);
inline QString FromWin1251(const QByteArray& AData) {
    return FromWin1251(AData.constData(), AData.size());
}

// Encodes AText; raises EConvertError naming the text and the first character that
// Windows-1251 lacks. Nothing is ever replaced silently.
QByteArray ToWin1251(const QString& AText);

// Encodes AText when every character exists in Windows-1251. Returns false otherwise and
// then sets ABadChar to the first character that does not.
bool TryToWin1251(const QString& AText, QByteArray& AResult, QString* ABadChar = nullptr);

// Decodes the bytes of a text file that people edit: UTF-8 (a byte-order mark is dropped), or
// Windows-1251 when the bytes are not valid UTF-8, so that a file written on another system
// still reads.
QString DecodeUtf8OrWin1251(const QByteArray& AData);
