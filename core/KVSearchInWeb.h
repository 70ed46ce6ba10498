#pragma once

// Web-search patterns: sites on which the element-type and stock lists look up an element
// type's name. Each pattern has a display name and an address template in which "%NAME%"
// stands for the searched name. They are kept in "siwp.ini" in the program's folder, section
// "SearchInWebPattern", keys SIWName0/SIWPtt0, SIWName1/SIWPtt1, ... without gaps.

#include "core/DataList.h"

#include <QString>

struct TKVSearchInWebPtt {
    QString siwName;    // up to 64 characters
    QString siwPattern; // up to 255 characters
};

class TKVSearchInWebPttList {
public:
    static constexpr int NameLength = 64;
    static constexpr int PatternLength = 255;

    int Count() const { return FSIWPttList.Count(); }
    bool Eof() const { return FSIWPttList.Eof(); }
    bool Empty() const { return FSIWPttList.Empty(); }
    void Clear() { FSIWPttList.Clear(); }
    void First() { FSIWPttList.First(); }
    void Next();
    bool GetRecord(TKVSearchInWebPtt& APattern) const;

    // Appends a pattern, the name cut to 64 characters and the template to 255.
    void AddData(const QString& AName, const QString& APattern);
    // Replaces the list with the patterns of the file; loading stops at the first missing or
    // empty name. A missing or unreadable file gives an empty list.
    void LoadFromINIFile(const QString& AFileName);
    // Writes the list as the file's only patterns. Nothing when the program's folder is
    // read-only. Raises EIniFileError when the file cannot be written.
    void SaveToINIFile(const QString& AFileName) const;

    // The display names joined by CR LF, in list order.
    QString GetTextList() const;
    // The template at AIndex with its first "%NAME%" (in any case) replaced by AName as it
    // stands; empty for an index outside the list.
    QString GetUrlByIndex(int AIndex, const QString& AName) const;

private:
    TDataList<TKVSearchInWebPtt> FSIWPttList;
};
