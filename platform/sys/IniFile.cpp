#include "platform/sys/IniFile.h"

#include "platform/sys/Win1251.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>

#include <algorithm>

namespace {

bool SameName(const QString& A, const QString& B) {
    return A.compare(B, Qt::CaseInsensitive) == 0;
}

bool IsBlank(const QString& AText) {
    return AText.trimmed().isEmpty();
}

} // namespace

TIniFile::TIniFile(const QString& AFileName) : FFileName(AFileName) {
    QFile file(AFileName);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly)) {
        FLoadFailed = true;
        FLoadError = file.errorString();
        return;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        FLoadFailed = true;
        FLoadError = file.errorString();
        return;
    }
    LoadFromData(data);
}

void TIniFile::LoadFromData(const QByteArray& AData) {
    FSections.clear();
    FSections.push_back(TSection{});
    const QString text = DecodeUtf8OrWin1251(AData);
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        // The break after the last line ends it; it is no empty line of its own.
        if (i == lines.size() - 1 && line.isEmpty())
            break;
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1Char('['))) {
            const qsizetype close = trimmed.lastIndexOf(QLatin1Char(']'));
            TSection section;
            section.Name = (close > 0 ? trimmed.mid(1, close - 1) : trimmed.mid(1)).trimmed();
            section.Header = true;
            FSections.push_back(std::move(section));
            continue;
        }
        TLine entry;
        const qsizetype eq = trimmed.indexOf(QLatin1Char('='));
        const bool comment =
            trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('#'));
        if (!comment && eq > 0) {
            entry.IsEntry = true;
            entry.Key = trimmed.left(eq).trimmed();
            entry.Value = trimmed.mid(eq + 1).trimmed();
        } else {
            entry.Text = line;
        }
        FSections.back().Lines.push_back(std::move(entry));
    }
    FSavedData = ToData();
}

QByteArray TIniFile::ToData() const {
    QString text;
    for (const TSection& section : FSections) {
        if (section.Header)
            text += QLatin1Char('[') + section.Name + QStringLiteral("]\n");
        for (const TLine& line : section.Lines) {
            if (line.IsEntry)
                text += line.Key + QLatin1Char('=') + line.Value + QLatin1Char('\n');
            else
                text += line.Text + QLatin1Char('\n');
        }
    }
    return text.toUtf8();
}

const TIniFile::TLine* TIniFile::FindEntry(const QString& ASection, const QString& AKey) const {
    for (const TSection& section : FSections) {
        if (!section.Header || !SameName(section.Name, ASection))
            continue;
        for (const TLine& line : section.Lines)
            if (line.IsEntry && SameName(line.Key, AKey))
                return &line;
    }
    return nullptr;
}

TIniFile::TSection* TIniFile::FindSection(const QString& ASection) {
    for (TSection& section : FSections)
        if (section.Header && SameName(section.Name, ASection))
            return &section;
    return nullptr;
}

bool TIniFile::SectionExists(const QString& ASection) const {
    for (const TSection& section : FSections)
        if (section.Header && SameName(section.Name, ASection))
            return true;
    return false;
}

bool TIniFile::ValueExists(const QString& ASection, const QString& AKey) const {
    return FindEntry(ASection, AKey) != nullptr;
}

QList<std::pair<QString, QString>> TIniFile::ReadSectionValues(const QString& ASection) const {
    QList<std::pair<QString, QString>> result;
    for (const TSection& section : FSections) {
        if (!section.Header || !SameName(section.Name, ASection))
            continue;
        for (const TLine& line : section.Lines) {
            if (!line.IsEntry)
                continue;
            const bool seen = std::any_of(result.cbegin(), result.cend(), [&](const auto& p) {
                return SameName(p.first, line.Key);
            });
            if (!seen)
                result.append({line.Key, line.Value});
        }
    }
    return result;
}

QString TIniFile::ReadString(const QString& ASection, const QString& AKey,
                             const QString& ADefault) const {
    const TLine* line = FindEntry(ASection, AKey);
    return line ? line->Value : ADefault;
}

int TIniFile::ReadInteger(const QString& ASection, const QString& AKey, int ADefault) const {
    const TLine* line = FindEntry(ASection, AKey);
    if (!line)
        return ADefault;
    bool ok = false;
    const int value = line->Value.toInt(&ok, 10);
    return ok ? value : ADefault;
}

bool TIniFile::ReadBool(const QString& ASection, const QString& AKey, bool ADefault) const {
    return ReadInteger(ASection, AKey, ADefault ? 1 : 0) != 0;
}

TDateTime TIniFile::ReadDate(const QString& ASection, const QString& AKey,
                             TDateTime ADefault) const {
    const TLine* line = FindEntry(ASection, AKey);
    if (!line)
        return ADefault;
    QDate date = QDate::fromString(line->Value, Qt::ISODate);
    if (!date.isValid())
        date = QLocale().toDate(line->Value, QLocale::ShortFormat);
    if (!date.isValid())
        return ADefault;
    return DateTimeFromQDateTime(date.startOfDay());
}

void TIniFile::WriteString(const QString& ASection, const QString& AKey, const QString& AValue) {
    QString value = AValue;
    value.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    value = value.trimmed();
    if (FSections.empty())
        FSections.push_back(TSection{});
    for (TSection& section : FSections) {
        if (!section.Header || !SameName(section.Name, ASection))
            continue;
        for (TLine& line : section.Lines) {
            if (line.IsEntry && SameName(line.Key, AKey)) {
                line.Value = value;
                return;
            }
        }
    }
    TLine entry;
    entry.IsEntry = true;
    entry.Key = AKey;
    entry.Value = value;
    TSection* section = FindSection(ASection);
    if (!section) {
        // A blank line between the last section and the new one.
        TSection& last = FSections.back();
        if (!last.Lines.empty() && !(!last.Lines.back().IsEntry && IsBlank(last.Lines.back().Text)))
            last.Lines.push_back(TLine{});
        TSection added;
        added.Name = ASection;
        added.Header = true;
        FSections.push_back(std::move(added));
        section = &FSections.back();
    }
    // After the section's last key or comment, before the blank lines that end it.
    auto pos = section->Lines.end();
    while (pos != section->Lines.begin()) {
        const TLine& before = *(pos - 1);
        if (before.IsEntry || !IsBlank(before.Text))
            break;
        --pos;
    }
    section->Lines.insert(pos, std::move(entry));
}

void TIniFile::WriteInteger(const QString& ASection, const QString& AKey, int AValue) {
    WriteString(ASection, AKey, QString::number(AValue));
}

void TIniFile::WriteBool(const QString& ASection, const QString& AKey, bool AValue) {
    WriteString(ASection, AKey, AValue ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniFile::EraseSection(const QString& ASection) {
    std::erase_if(FSections, [&](const TSection& section) {
        return section.Header && SameName(section.Name, ASection);
    });
}

bool TIniFile::UpdateFile() {
    if (FLoadFailed)
        throw EIniFileError(QStringLiteral("Cannot read file %1: %2").arg(FFileName, FLoadError));
    const QByteArray data = ToData();
    if (data == FSavedData)
        return false;
    if (FFileName.isEmpty())
        throw EIniFileError(QStringLiteral("The settings have no file name"));
    QSaveFile file(FFileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
        throw EIniFileError(
            QStringLiteral("Cannot write file %1: %2").arg(FFileName, file.errorString()));
    FSavedData = data;
    return true;
}
