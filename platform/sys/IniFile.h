#pragma once

// A settings file in the Windows INI format that people edit by hand and other versions of
// the program read: "[Section]" lines, "Key=Value" lines, ";" or "#" comment lines.
//
// Section and key names compare without regard to case; values are read with the blanks around
// them trimmed. A section that occurs twice reads as one (the first value of a key wins).
// The file is read whole when the object is made and written back only by UpdateFile, and only
// when its text changed; it is written to a temporary file that then replaces the old one, so
// a crash never leaves half a file. On disk the text is UTF-8; a file that is not valid UTF-8
// is read as Windows-1251. Comments, blank lines and unknown lines are kept in place.
// Sections and keys are found through an index, so reading or writing a key takes the same
// time in a file of ten keys as in one of a hundred thousand.

#include "platform/sys/SysUtils.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

// Raised when the file cannot be written, or when a file that exists could not be read and
// writing it would lose what it holds.
KV_DECLARE_EXCEPTION(EIniFileError, Exception)

class TIniFile {
public:
    // An empty file in memory, for LoadFromData.
    TIniFile() = default;
    // Reads AFileName; a missing file gives an empty one, created by the first UpdateFile.
    explicit TIniFile(const QString& AFileName);

    const QString& FileName() const { return FFileName; }
    // Replaces the content with AData (UTF-8, or Windows-1251 when not valid UTF-8).
    void LoadFromData(const QByteArray& AData);
    // The content as UTF-8 text.
    QByteArray ToData() const;

    bool SectionExists(const QString& ASection) const;
    bool ValueExists(const QString& ASection, const QString& AKey) const;
    // Every key of the section with its value, in file order.
    QList<std::pair<QString, QString>> ReadSectionValues(const QString& ASection) const;

    QString ReadString(const QString& ASection, const QString& AKey, const QString& ADefault) const;
    // A decimal integer; ADefault when the key is missing or its value is not one.
    int ReadInteger(const QString& ASection, const QString& AKey, int ADefault) const;
    // The same, and ADefault also for a number outside AMin..AMax.
    int ReadInteger(const QString& ASection, const QString& AKey, int ADefault, int AMin,
                    int AMax) const;
    // Read as an integer, any value but 0 being true; ADefault as ReadInteger.
    bool ReadBool(const QString& ASection, const QString& AKey, bool ADefault) const;
    // A date as yyyy-mm-dd or in the user's short date format; ADefault otherwise.
    TDateTime ReadDate(const QString& ASection, const QString& AKey, TDateTime ADefault) const;

    // Sets a key, adding the section or the key at its end when missing. A line break in the
    // value becomes a blank: a value is one line.
    void WriteString(const QString& ASection, const QString& AKey, const QString& AValue);
    void WriteInteger(const QString& ASection, const QString& AKey, int AValue);
    // Written as 1 or 0.
    void WriteBool(const QString& ASection, const QString& AKey, bool AValue);
    // Removes the section with every key in it.
    void EraseSection(const QString& ASection);

    // Whether the content differs from the file as read or last written.
    bool Modified() const { return FSavedDataKept && ToData() != FSavedData; }
    // Writes the file when the content changed; returns whether it wrote. Raises EIniFileError
    // when the file cannot be written (the old file is then unchanged).
    bool UpdateFile();

private:
    struct TLine {
        bool IsEntry = false;
        bool FirstOfKey = false; // the entry that the key reads, the first of its section name
        QString Text; // the line as read, for lines that are no entry
        QString Key;
        QString Value;
    };
    struct TSection {
        QString Name; // empty for the lines before the first section
        bool Header = false;
        std::vector<TLine> Lines;
    };

    // A section or key name in the index: it shares the text of the name it was made of, and
    // compares and hashes without regard to case, code point by code point. The hash is kept,
    // so that most names that differ are told apart without reading their texts.
    struct TName {
        explicit TName(const QString& AText) : Text(AText), FoldedHash(Hash(AText)) {}
        QString Text;
        size_t FoldedHash;
        bool operator==(const TName& AOther) const {
            return FoldedHash == AOther.FoldedHash &&
                   Text.compare(AOther.Text, Qt::CaseInsensitive) == 0;
        }
        static size_t Hash(const QString& AText) noexcept;
        friend size_t qHash(const TName& AName, size_t ASeed) noexcept {
            return AName.FoldedHash ^ ASeed;
        }
    };
    // Where the sections of one name are, and the first entry of each key among them: an
    // open-addressing table over the keys' case-folded hashes, at most half full, whose slots
    // say where the entry is (no copy of the key, so building and dropping it touches only
    // the table).
    struct TKeySlot {
        size_t Hash = 0;
        quint32 Section = 0;
        quint32 Line = EmptySlot;
    };
    static constexpr quint32 EmptySlot = UINT32_MAX;
    struct TSectionIndex {
        std::vector<size_t> Sections;
        std::vector<TKeySlot> Slots;
        size_t Count = 0;
    };

    // Keeps the text as it is before the first change.
    void KeepSavedData();
    void RebuildIndex();
    // The slot of a key: the one that holds it, or the empty one where it would go.
    size_t FindSlot(const TSectionIndex& AIndex, const QString& AKey, size_t AHash) const;
    // Adds the entry at ASection, ALine unless its key is there; returns whether it was added.
    bool IndexEntry(TSectionIndex& AIndex, size_t ASection, size_t ALine);
    const TSectionIndex* FindIndex(const QString& ASection) const;
    // Section and line of the entry of a key.
    std::optional<std::pair<size_t, size_t>> EntryPos(const QString& ASection,
                                                     const QString& AKey) const;
    const TLine* FindEntry(const QString& ASection, const QString& AKey) const;

    QString FFileName;
    std::vector<TSection> FSections;
    QHash<TName, TSectionIndex> FIndex; // by section name
    // Section and line of the entry found last: keys are mostly read in the order of the file,
    // so the entry after it is tried before the index (whose lookups in a large file wait on
    // main memory). A cache of the reading methods, so an object is read by one thread at a
    // time.
    mutable std::pair<size_t, size_t> FLastFound{SIZE_MAX, 0};
    // The text as read or last written, kept from the first change on: a file that is only
    // read never makes its text twice.
    QByteArray FSavedData;
    bool FSavedDataKept = false;
    bool FLoadFailed = false;
    QString FLoadError;
};
