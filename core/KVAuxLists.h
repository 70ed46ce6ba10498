#pragma once

// Three small lists of keys and short records: the rows a test run of a package import would
// have inserted (TKVVirtualImportedList), the keys a package export must write, each once
// (TKVExportItemList), and the items of a news file (TKVNewsItemList). Each walks as the row
// lists do: when not Empty: First; while not Eof: GetRecord, Next. Next and GetRecord do
// nothing while the list has changed since the last First.

#include "core/DataList.h"
#include "core/KVCommon.h"

#include <unordered_set>

// A row that a test run of a package import would have inserted.
struct TKVVirtualItem {
    TKVItemType vItemType = itUnknown;
    quint32 vDBId = 0;
    quint32 vId = 0;
};

class TKVVirtualImportedList {
public:
    int Count() const { return FVirtualItemList.Count(); }
    bool Eof() const { return FVirtualItemList.Eof(); }
    bool Empty() const { return FVirtualItemList.Empty(); }
    void Clear();
    void First() { FVirtualItemList.First(); }
    void Next();
    bool GetRecord(TKVVirtualItem& AItem) const;

    // Appends the triple; no test for duplicates.
    void AddVirtualItem(TKVItemType AItemType, quint32 ADBId, quint32 AId);
    // Some entry has all three equal. Looked up in an index: a test run asks once per row.
    bool ExistsVirtualItem(TKVItemType AItemType, quint32 ADBId, quint32 AId) const;

private:
    struct TKey {
        TKVItemType ItemType;
        quint32 DBId;
        quint32 Id;
        bool operator==(const TKey&) const = default;
    };
    struct TKeyHash {
        size_t operator()(const TKey& AKey) const {
            return std::hash<quint64>()((quint64(AKey.DBId) << 32) | AKey.Id) ^
                   (static_cast<size_t>(AKey.ItemType) * 0x9E3779B97F4A7C15ull);
        }
    };
    TDataList<TKVVirtualItem> FVirtualItemList;
    std::unordered_set<TKey, TKeyHash> FIndex;
};

// The key of a row that a package export writes.
struct TKVExportItemIndexData {
    quint32 DBId = 0;
    quint32 Id = 0;
    TKVItemType ItemType = itUnknown;
};

class TKVExportItemList {
public:
    int Count() const { return FExportItemList.Count(); }
    bool Eof() const { return FExportItemList.Eof(); }
    bool Empty() const { return FExportItemList.Empty(); }
    void Clear() { FExportItemList.Clear(); }
    void First() { FExportItemList.First(); }
    void Next();
    bool GetRecord(TKVExportItemIndexData& AItem) const;

    // Keys match on DBId and Id; the item type is not compared (an export keeps one list per
    // kind of row).
    int FindIndexByPKey(quint32 ADBId, quint32 AId) const;
    bool ExistsItemByPKey(quint32 ADBId, quint32 AId) const {
        return FindIndexByPKey(ADBId, AId) >= 0;
    }
    void AddData(quint32 ADBId, quint32 AId, TKVItemType AItemType);
    // Removes the first match; false when there is none.
    bool DeleteByPKey(quint32 ADBId, quint32 AId);

private:
    TDataList<TKVExportItemIndexData> FExportItemList;
};

enum TKVNewsItemType { nitNone };

// One item of the news file.
struct TKVNewsItem {
    quint16 niToken = 0; // the item's number
    TKVNewsItemType niType = nitNone;
    TKVDescription niTitle;
    TKVDescription niText;
    TDateTime niDate = 0;
    TKVDescription niLink; // a web address
};

class TKVNewsItemList {
public:
    int Count() const { return FNewsItemList.Count(); }
    bool Eof() const { return FNewsItemList.Eof(); }
    bool Empty() const { return FNewsItemList.Empty(); }
    // At least one item was added since the list was made; Clear does not reset it.
    bool Loaded() const { return FLoaded; }
    void Clear() { FNewsItemList.Clear(); }
    void First() { FNewsItemList.First(); }
    void Next();
    bool GetRecord(TKVNewsItem& AItem) const;

    void AddData(quint16 AToken, TKVNewsItemType AType, const QString& ATitle, const QString& AText,
                 TDateTime ADate, const QString& ALink);
    // The greatest token of all items, 0 when there is none.
    quint16 LastToken() const;
    // The first item with token AToken; nullptr when there is none.
    const TKVNewsItem* FindByToken(quint16 AToken) const;

private:
    TDataList<TKVNewsItem> FNewsItemList;
    bool FLoaded = false;
};
