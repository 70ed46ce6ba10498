#pragma once

// The pattern that every row class and every row list of the data model follows.
//
// Rows of the nine shareable tables carry the key (DBId, Id), all other rows Id alone; an Id
// of 0 marks a row not stored yet. A row class derives from TKVDBRow or TKVLocalRow, which
// hold the key and SetPKey; a list class derives from TKVList over its row type and adds only
// its own AddData and UpdateDataByPKey signatures and special operations.
//
// TKVList keeps its rows in insertion order in a TDataList and owns them. It behaves as a
// list that is searched from its first row, first match wins, but it keeps a hash index from
// key to rows, so that key searches take constant time however long the list grows:
// - FindIndexByPKey: -1 on an empty list (nothing changes); otherwise Modified is cleared
//   and the cursor left on the first row with the key, or past the end (Eof) when absent.
// - ExistsItemByPKey, GetItemByPKey, DeleteByPKey, UpdateDataByPKey move the cursor alike.
//   GetItemByPKey gives nullptr for an Id of 0 without searching.
// - AddData appends (a key already present is appended again) and sets Modified; so does a
//   delete. While Modified is set, Next does nothing and GetRecord gives nullptr: a walk that
//   changes its list starts again with First.
// - First raises "Items not found" on an empty list; Next and GetRecord raise it when the
//   cursor is at no row (past the end, or no First yet).
// Rows handed out stay owned by the list and die with DeleteByPKey, Clear or the list.

#include "core/DataList.h"
#include "core/KVCommon.h"

#include <QString>
#include <QVariant>

#include <cstddef>
#include <functional>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

// ---------------------------------------------------------------------------------------------
// Keys

// The key of a row of a shareable table.
struct TKVDBKey {
    static constexpr bool HasDBId = true;
    quint32 DBId = 0;
    quint32 Id = 0;
    quint64 Packed() const { return (quint64(DBId) << 32) | Id; }
    friend bool operator==(const TKVDBKey&, const TKVDBKey&) = default;
};

// The key of a row of a table of this database only.
struct TKVLocalKey {
    static constexpr bool HasDBId = false;
    quint32 Id = 0;
    quint64 Packed() const { return Id; }
    friend bool operator==(const TKVLocalKey&, const TKVLocalKey&) = default;
};

// Base of the rows keyed by (DBId, Id).
class TKVDBRow {
public:
    TKVDBRow(quint32 ADBId, quint32 AId) : FDBId(ADBId), FId(AId) {}

    quint32 DBId() const { return FDBId; }
    quint32 Id() const { return FId; }
    TKVDBKey PKey() const { return {FDBId, FId}; }
    // Sets the key of a row not stored yet (Id 0); a stored row keeps its key: false.
    bool SetPKey(quint32 ADBId, quint32 AId) {
        if (FId != 0)
            return false;
        FDBId = ADBId;
        FId = AId;
        return true;
    }

protected:
    quint32 FDBId;
    quint32 FId;
};

// Base of the rows keyed by Id alone.
class TKVLocalRow {
public:
    explicit TKVLocalRow(quint32 AId) : FId(AId) {}

    quint32 Id() const { return FId; }
    TKVLocalKey PKey() const { return {FId}; }
    bool SetPKey(quint32 AId) {
        if (FId != 0)
            return false;
        FId = AId;
        return true;
    }

protected:
    quint32 FId;
};

// ---------------------------------------------------------------------------------------------
// Nullable numbers and change events

// A nullable number arrives as a QVariant: a number sets AField and AUsage, anything else
// (null, text, date ...) stores 0.0 and clears AUsage.
inline void SetNullableNumber(const QVariant& AValue, double& AField, bool& AUsage) {
    AUsage = IsNumericVarType(AValue);
    AField = AUsage ? AValue.toDouble() : 0.0;
}

// The identity of a list as the sender of its change events.
class TKVListObject {
protected:
    TKVListObject() = default;
    ~TKVListObject() = default;
};

// Raised by a list's rename operation once per changed row, in list order, after the row has
// changed: the list, the row's key, the new text.
using TKVOnChangeStrParamNameInItem =
    std::function<void(TKVListObject* ASender, quint32 ADBId, quint32 AId, const TKVName& AStr)>;
using TKVOnChangeStrParamSmallNameInItem = std::function<void(
    TKVListObject* ASender, quint32 ADBId, quint32 AId, const TKVSmallName& AStr)>;
using TKVOnChangeStrParamNameInLocalItem =
    std::function<void(TKVListObject* ASender, quint32 AId, const TKVName& AStr)>;
using TKVOnChangeStrParamSmallNameInLocalItem =
    std::function<void(TKVListObject* ASender, quint32 AId, const TKVSmallName& AStr)>;

// ---------------------------------------------------------------------------------------------
// The list

template <typename TRow, typename TKey = decltype(std::declval<const TRow&>().PKey())>
class TKVList : public TKVListObject {
public:
    TKVList() = default;
    TKVList(const TKVList&) = delete;
    TKVList& operator=(const TKVList&) = delete;

    int Count() const { return FItems.Count(); }
    bool Empty() const { return FItems.Empty(); }
    bool Eof() const { return FEof; }
    bool Modified() const { return FModified; }

    void First() {
        FItems.First(); // raises "Items not found" when empty
        FCursor = 0;
        FEof = false;
        FModified = false;
    }

    void Next() {
        if (FModified)
            return;
        CheckCursor();
        if (FCursor + 1 < Count()) {
            ++FCursor;
        } else {
            FCursor = -1;
            FEof = true;
        }
    }

    TRow* GetRecord() const {
        if (FModified)
            return nullptr;
        CheckCursor();
        return RowAt(FCursor);
    }

    // Makes room for ACount rows, so that a load of a known size neither regrows the list nor
    // rehashes its index.
    void Reserve(int ACount) {
        FItems.Reserve(ACount);
        FIndex.reserve(static_cast<std::size_t>(ACount));
    }

    // Removes and frees every row; the cursor is then at no row.
    void Clear() {
        FIndex.clear();
        FUnkeyed.clear();
        FItems.Clear();
        FCursor = -1;
        FPositionsShifted = false;
    }

    int FindIndexByPKey(quint32 ADBId, quint32 AId) requires TKey::HasDBId {
        return Locate(TKey{ADBId, AId});
    }
    int FindIndexByPKey(quint32 AId) requires(!TKey::HasDBId) { return Locate(TKey{AId}); }

    bool ExistsItemByPKey(quint32 ADBId, quint32 AId) requires TKey::HasDBId {
        return Locate(TKey{ADBId, AId}) >= 0;
    }
    bool ExistsItemByPKey(quint32 AId) requires(!TKey::HasDBId) { return Locate(TKey{AId}) >= 0; }

    bool DeleteByPKey(quint32 ADBId, quint32 AId) requires TKey::HasDBId {
        return DeleteAt(Locate(TKey{ADBId, AId}));
    }
    bool DeleteByPKey(quint32 AId) requires(!TKey::HasDBId) { return DeleteAt(Locate(TKey{AId})); }

    // Takes a row read elsewhere (nullptr is ignored): it replaces the first row of its key in
    // that row's place, or is appended when no row has the key. Returns the stored row.
    TRow* Store(std::unique_ptr<TRow> ARow) {
        if (!ARow)
            return nullptr;
        if (!Empty() && ARow->PKey().Id != 0) {
            SyncUnkeyed();
            const auto found = FIndex.find(ARow->PKey().Packed());
            if (found != FIndex.end()) {
                found->second.Head->Row = std::move(ARow);
                return found->second.Head->Row.get();
            }
        }
        return Append(std::move(ARow));
    }

protected:
    ~TKVList() = default;

    // Offered by the lists that publish it with a using-declaration.
    TRow* GetItemByPKey(quint32 ADBId, quint32 AId) requires TKey::HasDBId {
        if (Empty() || AId == 0)
            return nullptr;
        return LocateRow(TKey{ADBId, AId});
    }
    TRow* GetItemByPKey(quint32 AId) requires(!TKey::HasDBId) {
        if (Empty() || AId == 0)
            return nullptr;
        return LocateRow(TKey{AId});
    }

    // Appends ARow (nullptr is ignored) and returns it.
    TRow* Append(std::unique_ptr<TRow> ARow) {
        if (!ARow)
            return nullptr;
        SyncUnkeyed();
        auto entry = std::make_unique<TEntry>();
        entry->Row = std::move(ARow);
        entry->Seq = FNextSeq++;
        entry->Position = Count();
        entry->IndexedKey = entry->Row->PKey().Packed();
        TEntry* raw = entry.get();
        FItems.Add(std::move(entry));
        Link(raw);
        if (raw->Row->PKey().Id == 0)
            FUnkeyed.push_back(raw);
        FModified = true;
        return raw->Row.get();
    }

    // A new row made from AArgs, appended.
    template <typename... TArgs> TRow* AppendNew(TArgs&&... AArgs) {
        return Append(std::make_unique<TRow>(std::forward<TArgs>(AArgs)...));
    }

    // Key search: the first row with AKey, the cursor left on it; nullptr when absent (the
    // cursor past the end) or the list is empty (nothing changes).
    TRow* LocateRow(const TKey& AKey) {
        const TEntry* entry = LocateEntry(AKey);
        return entry ? entry->Row.get() : nullptr;
    }

    // UpdateDataByPKey: AUpdate applied to the first row with AKey; false when absent.
    template <typename TUpdate> bool UpdateByPKey(const TKey& AKey, TUpdate&& AUpdate) {
        TRow* row = LocateRow(AKey);
        if (!row)
            return false;
        AUpdate(*row);
        return true;
    }

    // A walk over every row in list order, as First ... Next to the end does it: afterwards
    // the cursor is past the end and Modified is clear. Nothing happens on an empty list.
    template <typename TVisit> void ForEach(TVisit&& AVisit) {
        if (Empty())
            return;
        FModified = false;
        FEof = false;
        for (int i = 0; i < Count(); ++i) {
            FCursor = i;
            AVisit(*RowAt(i));
        }
        FCursor = -1;
        FEof = true;
    }

public:
    // Every row in list order, to change the rows' fields (not the list); the cursor does not
    // move.
    template <typename TVisit> void ForEachRow(TVisit&& AVisit) {
        for (int i = 0; i < Count(); ++i)
            AVisit(*RowAt(i));
    }
    // Every row in list order; the cursor does not move.
    template <typename TVisit> void VisitRows(TVisit&& AVisit) const {
        for (int i = 0; i < Count(); ++i)
            AVisit(static_cast<const TRow&>(*RowAt(i)));
    }

    // The first row with the key, or nullptr; unlike the key searches above the cursor does
    // not move, so that a view may look rows up while a walk is under way.
    const TRow* PeekByPKey(quint32 ADBId, quint32 AId) const requires TKey::HasDBId {
        return Peek(TKey{ADBId, AId});
    }
    const TRow* PeekByPKey(quint32 AId) const requires(!TKey::HasDBId) { return Peek(TKey{AId}); }

protected:
    // The row under the cursor; nullptr while Modified is set or at no row.
    TRow* CursorRow() const { return FModified || FCursor < 0 ? nullptr : RowAt(FCursor); }

private:
    struct TEntry {
        std::unique_ptr<TRow> Row;
        quint64 Seq = 0;        // order of appending: grows along the list
        int Position = 0;       // the position, exact while no earlier row was deleted
        quint64 IndexedKey = 0; // the key under which the entry is indexed
        TEntry* NextSameKey = nullptr;
    };
    // The rows of one key, in list order.
    struct TChain {
        TEntry* Head = nullptr;
        TEntry* Tail = nullptr;
    };

    TRow* RowAt(int APosition) const { return FItems.GetItemDataByIndex(APosition)->Row.get(); }

    void CheckCursor() const {
        if (FItems.Empty() || FCursor < 0)
            throw Exception(QStringLiteral("Items not found"));
    }

    const TRow* Peek(const TKey& AKey) const {
        if (!FUnkeyed.empty()) {
            // A row appended without a key may have got this key since: search in list order.
            for (int i = 0; i < Count(); ++i)
                if (RowAt(i)->PKey() == AKey)
                    return RowAt(i);
            return nullptr;
        }
        const auto found = FIndex.find(AKey.Packed());
        return found == FIndex.end() ? nullptr : found->second.Head->Row.get();
    }

    // The position of the first row with AKey, or -1.
    int Locate(const TKey& AKey) { return LocateEntry(AKey) ? FCursor : -1; }

    // The entry of the first row with AKey, the cursor left on it; nullptr when absent (the
    // cursor past the end) or the list is empty (nothing changes).
    const TEntry* LocateEntry(const TKey& AKey) {
        if (Empty())
            return nullptr;
        FModified = false;
        FEof = false;
        SyncUnkeyed();
        const auto found = FIndex.find(AKey.Packed());
        if (found == FIndex.end()) {
            FCursor = -1;
            FEof = true;
            return nullptr;
        }
        FCursor = PositionOf(found->second.Head);
        return found->second.Head;
    }

    // Rows keep their order and sequence numbers grow along the list: after a delete the
    // position is found by binary search on the sequence number.
    int PositionOf(const TEntry* AEntry) const {
        if (!FPositionsShifted)
            return AEntry->Position;
        int low = 0;
        int high = Count() - 1;
        while (low < high) {
            const int middle = low + (high - low) / 2;
            if (FItems.GetItemDataByIndex(middle)->Seq < AEntry->Seq)
                low = middle + 1;
            else
                high = middle;
        }
        return low;
    }

    bool DeleteAt(int APosition) {
        if (APosition < 0)
            return false;
        TEntry* entry = FItems.GetItemDataByIndex(APosition);
        Unlink(entry);
        std::erase(FUnkeyed, entry);
        if (APosition < Count() - 1)
            FPositionsShifted = true;
        FItems.Delete(APosition);
        if (FCursor == APosition)
            FCursor = -1;
        else if (FCursor > APosition)
            --FCursor;
        FModified = true;
        return true;
    }

    // Puts AEntry into the chain of its key, keeping list order.
    void Link(TEntry* AEntry) {
        TChain& chain = FIndex[AEntry->IndexedKey];
        AEntry->NextSameKey = nullptr;
        if (!chain.Head) {
            chain.Head = chain.Tail = AEntry;
        } else if (chain.Tail->Seq < AEntry->Seq) {
            chain.Tail->NextSameKey = AEntry;
            chain.Tail = AEntry;
        } else if (AEntry->Seq < chain.Head->Seq) {
            AEntry->NextSameKey = chain.Head;
            chain.Head = AEntry;
        } else {
            TEntry* previous = chain.Head;
            while (previous->NextSameKey->Seq < AEntry->Seq)
                previous = previous->NextSameKey;
            AEntry->NextSameKey = previous->NextSameKey;
            previous->NextSameKey = AEntry;
        }
    }

    void Unlink(TEntry* AEntry) {
        const auto found = FIndex.find(AEntry->IndexedKey);
        TChain& chain = found->second;
        if (chain.Head == AEntry) {
            chain.Head = AEntry->NextSameKey;
            if (!chain.Head)
                FIndex.erase(found);
        } else {
            TEntry* previous = chain.Head;
            while (previous->NextSameKey != AEntry)
                previous = previous->NextSameKey;
            previous->NextSameKey = AEntry->NextSameKey;
            if (chain.Tail == AEntry)
                chain.Tail = previous;
        }
        AEntry->NextSameKey = nullptr;
    }

    // A row appended while its Id was 0 may since have received its key through SetPKey:
    // index it under the key it has now.
    void SyncUnkeyed() {
        if (FUnkeyed.empty())
            return;
        for (std::size_t i = 0; i < FUnkeyed.size();) {
            TEntry* entry = FUnkeyed[i];
            const TKey key = entry->Row->PKey();
            if (key.Packed() != entry->IndexedKey) {
                Unlink(entry);
                entry->IndexedKey = key.Packed();
                Link(entry);
            }
            if (key.Id != 0)
                FUnkeyed.erase(FUnkeyed.begin() + static_cast<std::ptrdiff_t>(i));
            else
                ++i;
        }
    }

    TDataList<TEntry> FItems;
    std::unordered_map<quint64, TChain> FIndex;
    std::vector<TEntry*> FUnkeyed; // entries whose row had Id 0 when last indexed
    quint64 FNextSeq = 0;
    bool FPositionsShifted = false;
    int FCursor = -1; // -1: at no row
    bool FEof = false;
    bool FModified = false;
};
