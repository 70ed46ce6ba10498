#include "platform/sys/IniFile.h"

#include "platform/sys/Win1251.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>

#include <QSet>

namespace {

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
    RebuildIndex();
    FSavedData = ToData();
}

QString TIniFile::IndexName(const QString& AName) {
    // Case folding code point by code point, as a comparison that ignores case does it.
    QString folded = AName;
    for (qsizetype i = 0; i < folded.size(); ++i) {
        if (folded.at(i).isSurrogate()) {
            QList<uint> codes = AName.toUcs4();
            for (uint& code : codes)
                code = QChar::toCaseFolded(code);
            return QString::fromUcs4(reinterpret_cast<const char32_t*>(codes.constData()),
                                     codes.size());
        }
        folded[i] = folded.at(i).toCaseFolded();
    }
    return folded;
}

void TIniFile::IndexLine(TSectionIndex& AIndex, size_t ASection, size_t ALine) {
    // The first entry of a key wins.
    const QString key = IndexName(FSections[ASection].Lines[ALine].Key);
    if (!AIndex.Keys.contains(key))
        AIndex.Keys.insert(key, {ASection, ALine});
}

void TIniFile::RebuildIndex() {
    FIndex.clear();
    for (size_t s = 0; s < FSections.size(); ++s) {
        const TSection& section = FSections[s];
        if (!section.Header)
            continue;
        TSectionIndex& index = FIndex[IndexName(section.Name)];
        index.Sections.push_back(s);
        for (size_t l = 0; l < section.Lines.size(); ++l) {
            if (section.Lines[l].IsEntry)
                IndexLine(index, s, l);
        }
    }
}

const TIniFile::TSectionIndex* TIniFile::FindIndex(const QString& ASection) const {
    const auto it = FIndex.constFind(IndexName(ASection));
    return it == FIndex.constEnd() ? nullptr : &*it;
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

std::optional<std::pair<size_t, size_t>> TIniFile::EntryPos(const QString& ASection,
                                                            const QString& AKey) const {
    const TSectionIndex* index = FindIndex(ASection);
    if (!index)
        return std::nullopt;
    const auto it = index->Keys.constFind(IndexName(AKey));
    if (it == index->Keys.constEnd())
        return std::nullopt;
    return *it;
}

const TIniFile::TLine* TIniFile::FindEntry(const QString& ASection, const QString& AKey) const {
    const auto pos = EntryPos(ASection, AKey);
    return pos ? &FSections[pos->first].Lines[pos->second] : nullptr;
}

bool TIniFile::SectionExists(const QString& ASection) const {
    return FindIndex(ASection) != nullptr;
}

bool TIniFile::ValueExists(const QString& ASection, const QString& AKey) const {
    return FindEntry(ASection, AKey) != nullptr;
}

QList<std::pair<QString, QString>> TIniFile::ReadSectionValues(const QString& ASection) const {
    QList<std::pair<QString, QString>> result;
    const TSectionIndex* index = FindIndex(ASection);
    if (!index)
        return result;
    QSet<QString> seen;
    for (size_t s : index->Sections) {
        for (const TLine& line : FSections[s].Lines) {
            if (line.IsEntry && !seen.contains(IndexName(line.Key))) {
                seen.insert(IndexName(line.Key));
                result.append({line.Key, line.Value});
            }
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

int TIniFile::ReadInteger(const QString& ASection, const QString& AKey, int ADefault, int AMin,
                          int AMax) const {
    const int value = ReadInteger(ASection, AKey, ADefault);
    return value >= AMin && value <= AMax ? value : ADefault;
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
    if (const auto found = EntryPos(ASection, AKey)) {
        FSections[found->first].Lines[found->second].Value = value;
        return;
    }
    if (FSections.empty())
        FSections.push_back(TSection{});
    TLine entry;
    entry.IsEntry = true;
    entry.Key = AKey;
    entry.Value = value;
    const QString sectionName = IndexName(ASection);
    auto index = FIndex.find(sectionName);
    if (index == FIndex.end()) {
        // A blank line between the last section and the new one.
        TSection& last = FSections.back();
        if (!last.Lines.empty() && !(!last.Lines.back().IsEntry && IsBlank(last.Lines.back().Text)))
            last.Lines.push_back(TLine{});
        TSection added;
        added.Name = ASection;
        added.Header = true;
        FSections.push_back(std::move(added));
        index = FIndex.insert(sectionName, TSectionIndex{});
        index->Sections.push_back(FSections.size() - 1);
    }
    // After the section's last key or comment, before the blank lines that end it; only
    // blank lines move, so the index of the other entries stays right.
    const size_t sectionPos = index->Sections.front();
    std::vector<TLine>& lines = FSections[sectionPos].Lines;
    auto pos = lines.end();
    while (pos != lines.begin()) {
        const TLine& before = *(pos - 1);
        if (before.IsEntry || !IsBlank(before.Text))
            break;
        --pos;
    }
    const size_t linePos = size_t(pos - lines.begin());
    lines.insert(pos, std::move(entry));
    IndexLine(*index, sectionPos, linePos);
}

void TIniFile::WriteInteger(const QString& ASection, const QString& AKey, int AValue) {
    WriteString(ASection, AKey, QString::number(AValue));
}

void TIniFile::WriteBool(const QString& ASection, const QString& AKey, bool AValue) {
    WriteString(ASection, AKey, AValue ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniFile::EraseSection(const QString& ASection) {
    const QString name = IndexName(ASection);
    if (!FIndex.contains(name))
        return;
    std::erase_if(FSections, [&](const TSection& section) {
        return section.Header && IndexName(section.Name) == name;
    });
    RebuildIndex();
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
