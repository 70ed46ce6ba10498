#include "platform/sys/IniFile.h"

#include "platform/sys/Win1251.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>

namespace {

bool IsBlank(const QString& AText) {
    return AText.trimmed().isEmpty();
}

// Whether a line, its blanks trimmed, starts a section.
bool IsSectionHeader(QStringView ATrimmed) {
    return ATrimmed.startsWith(u'[');
}

// Calls AVisit with each line of AText, without its line break (a carriage return before it,
// and stray ones before that, go too). The break after the last line ends it: it starts no
// empty line of its own.
template <typename TVisit> void ForEachLine(const QString& AText, TVisit&& AVisit) {
    for (qsizetype pos = 0;;) {
        qsizetype end = AText.indexOf(QLatin1Char('\n'), pos);
        const bool last = end < 0;
        if (last)
            end = AText.size();
        QStringView line = QStringView(AText).mid(pos, end - pos);
        pos = end + 1;
        while (line.endsWith(u'\r'))
            line.chop(1);
        if (last && line.isEmpty())
            return;
        AVisit(line);
        if (last)
            return;
    }
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
    const QString text = DecodeUtf8OrWin1251(AData);
    // The lines of each section are counted first, so that no long section is moved while
    // it grows.
    std::vector<size_t> lineCounts{0};
    ForEachLine(text, [&](QStringView ALine) {
        if (IsSectionHeader(ALine.trimmed()))
            lineCounts.push_back(0);
        else
            ++lineCounts.back();
    });
    FSections.clear();
    FSections.reserve(lineCounts.size());
    FSections.emplace_back().Lines.reserve(lineCounts[0]);
    ForEachLine(text, [&](QStringView ALine) {
        const QStringView trimmed = ALine.trimmed();
        if (IsSectionHeader(trimmed)) {
            const qsizetype close = trimmed.lastIndexOf(u']');
            TSection& section = FSections.emplace_back();
            section.Name =
                (close > 0 ? trimmed.mid(1, close - 1) : trimmed.mid(1)).trimmed().toString();
            section.Header = true;
            section.Lines.reserve(lineCounts[FSections.size() - 1]);
            return;
        }
        TLine entry;
        const qsizetype eq = trimmed.indexOf(u'=');
        const bool comment = trimmed.startsWith(u';') || trimmed.startsWith(u'#');
        if (!comment && eq > 0) {
            entry.IsEntry = true;
            entry.Key = trimmed.left(eq).trimmed().toString();
            entry.Value = trimmed.mid(eq + 1).trimmed().toString();
        } else {
            entry.Text = ALine.toString();
        }
        FSections.back().Lines.push_back(std::move(entry));
    });
    RebuildIndex();
    FSavedData.clear();
    FSavedDataKept = false;
}

void TIniFile::KeepSavedData() {
    if (!FSavedDataKept) {
        FSavedData = ToData();
        FSavedDataKept = true;
    }
}

size_t TIniFile::TName::Hash(const QString& AText) noexcept {
    // The case-folded code points, as a comparison that ignores case folds them, from the
    // process's own seed (the news file comes from a server: its keys must not be able to
    // pile up on purpose).
    size_t hash = 0xcbf29ce484222325ULL ^ QHashSeed::globalSeed();
    const QString& text = AText;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t code = text.at(i).unicode();
        if (code < 0x80) {
            if (code >= u'A' && code <= u'Z')
                code += u'a' - u'A';
        } else {
            if (QChar::isHighSurrogate(code) && i + 1 < text.size() &&
                text.at(i + 1).isLowSurrogate())
                code = QChar::surrogateToUcs4(char16_t(code), text.at(++i).unicode());
            code = QChar::toCaseFolded(code);
        }
        hash = (hash ^ code) * 0x100000001b3ULL;
    }
    // The table takes the low bits: mixed, every character counts in them.
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccdULL;
    return hash ^ (hash >> 33);
}

size_t TIniFile::FindSlot(const TSectionIndex& AIndex, const QString& AKey, size_t AHash) const {
    const size_t mask = AIndex.Slots.size() - 1;
    for (size_t i = AHash & mask;; i = (i + 1) & mask) {
        const TKeySlot& slot = AIndex.Slots[i];
        if (slot.Line == EmptySlot ||
            (slot.Hash == AHash &&
             FSections[slot.Section].Lines[slot.Line].Key.compare(AKey, Qt::CaseInsensitive) == 0))
            return i;
    }
}

bool TIniFile::IndexEntry(TSectionIndex& AIndex, size_t ASection, size_t ALine) {
    if ((AIndex.Count + 1) * 2 > AIndex.Slots.size()) {
        // Twice the slots; the keys in them are all different, so each goes to the first
        // empty slot from its place.
        std::vector<TKeySlot> old(std::max<size_t>(16, AIndex.Slots.size() * 2));
        old.swap(AIndex.Slots);
        const size_t mask = AIndex.Slots.size() - 1;
        for (const TKeySlot& slot : old) {
            if (slot.Line == EmptySlot)
                continue;
            size_t i = slot.Hash & mask;
            while (AIndex.Slots[i].Line != EmptySlot)
                i = (i + 1) & mask;
            AIndex.Slots[i] = slot;
        }
    }
    const QString& key = FSections[ASection].Lines[ALine].Key;
    const size_t hash = TName::Hash(key);
    TKeySlot& slot = AIndex.Slots[FindSlot(AIndex, key, hash)];
    if (slot.Line != EmptySlot)
        return false;
    slot = {hash, quint32(ASection), quint32(ALine)};
    ++AIndex.Count;
    return true;
}

void TIniFile::RebuildIndex() {
    FIndex.clear();
    FLastFound = {SIZE_MAX, 0};
    // The sections of each name first, so that the table of their keys is made at its size.
    for (size_t s = 0; s < FSections.size(); ++s) {
        if (FSections[s].Header)
            FIndex[TName(FSections[s].Name)].Sections.push_back(s);
    }
    for (TSectionIndex& index : FIndex) {
        size_t lines = 0;
        for (size_t s : index.Sections)
            lines += FSections[s].Lines.size();
        size_t slotCount = 16;
        while (slotCount < lines * 2)
            slotCount *= 2;
        index.Slots.assign(slotCount, TKeySlot{});
        for (size_t s : index.Sections) {
            for (size_t l = 0; l < FSections[s].Lines.size(); ++l) {
                TLine& line = FSections[s].Lines[l];
                line.FirstOfKey = line.IsEntry && IndexEntry(index, s, l);
            }
        }
    }
}

const TIniFile::TSectionIndex* TIniFile::FindIndex(const QString& ASection) const {
    const auto it = FIndex.constFind(TName(ASection));
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
    const auto [lastSection, lastLine] = FLastFound;
    if (lastSection < FSections.size() && lastLine + 1 < FSections[lastSection].Lines.size()) {
        const TSection& section = FSections[lastSection];
        const TLine& next = section.Lines[lastLine + 1];
        if (next.FirstOfKey && next.Key.compare(AKey, Qt::CaseInsensitive) == 0 &&
            section.Name.compare(ASection, Qt::CaseInsensitive) == 0) {
            FLastFound.second = lastLine + 1;
            return FLastFound;
        }
    }
    const TSectionIndex* index = FindIndex(ASection);
    if (!index || index->Slots.empty())
        return std::nullopt;
    const TKeySlot& slot = index->Slots[FindSlot(*index, AKey, TName::Hash(AKey))];
    if (slot.Line == EmptySlot)
        return std::nullopt;
    FLastFound = {slot.Section, slot.Line};
    return FLastFound;
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
    // Each key once, with the value it reads.
    for (size_t s : index->Sections) {
        for (const TLine& line : FSections[s].Lines) {
            if (line.FirstOfKey)
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
    KeepSavedData();
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
    entry.FirstOfKey = true;
    entry.Key = AKey;
    entry.Value = value;
    const TName sectionName(ASection);
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
    IndexEntry(*index, sectionPos, linePos);
    FLastFound = {SIZE_MAX, 0};
}

void TIniFile::WriteInteger(const QString& ASection, const QString& AKey, int AValue) {
    WriteString(ASection, AKey, QString::number(AValue));
}

void TIniFile::WriteBool(const QString& ASection, const QString& AKey, bool AValue) {
    WriteString(ASection, AKey, AValue ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniFile::EraseSection(const QString& ASection) {
    const TName name(ASection);
    if (!FIndex.contains(name))
        return;
    KeepSavedData();
    std::erase_if(FSections, [&](const TSection& section) {
        return section.Header && TName(section.Name) == name;
    });
    RebuildIndex();
}

bool TIniFile::UpdateFile() {
    if (FLoadFailed)
        throw EIniFileError(QStringLiteral("Cannot read file %1: %2").arg(FFileName, FLoadError));
    if (!FSavedDataKept)
        return false;
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
