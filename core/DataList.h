#pragma once

// TDataList<T>: the container under every row list and auxiliary list of the data model.
// An ordered sequence of payloads that the list owns, with one built-in cursor and a Modified
// flag on which the owners build their rule that a walk stops after the list changed. A walk
// is: First; while not Eof: read CurrentItemData, Next.
//
// Add, Insert and Delete set Modified and leave the cursor on the payload it was on; deleting
// the payload under the cursor leaves the cursor at no payload, so the walk needs a new First.
// First clears Modified. OnRemoveItem, when set, is called with each payload just before the
// list destroys it (Delete, Clear, destruction of the list), in list order.
//
// Positions are 0-based. Add, Count, Empty and GetItemDataByIndex take constant time.

#include "platform/sys/SysUtils.h"

#include <QString>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

template <typename T> class TDataList {
public:
    using TOnRemoveItem = std::function<void(TDataList<T>* ASender, T* AItemData)>;

    TDataList() = default;
    ~TDataList() { Clear(); }
    TDataList(const TDataList&) = delete;
    TDataList& operator=(const TDataList&) = delete;

    // Appends a payload; returns its position. The cursor and Eof do not change.
    int Add(std::unique_ptr<T> AItemData) {
        FItems.push_back(std::move(AItemData));
        FModified = true;
        return static_cast<int>(FItems.size()) - 1;
    }

    // Puts a payload at position AIndex, before the payload that held it: 0 makes it the first
    // (also on an empty list), 1 to Count() - 1 puts it between two. Appending is Add's: any
    // other position raises "Invalid index %d".
    void Insert(int AIndex, std::unique_ptr<T> AItemData) {
        if (AIndex != 0 && !IsValidIndex(AIndex))
            RaiseInvalidIndex(AIndex);
        FItems.insert(FItems.begin() + AIndex, std::move(AItemData));
        if (FCurrent >= AIndex)
            ++FCurrent;
        FModified = true;
    }

    // Removes and destroys the payload at AIndex, calling OnRemoveItem first.
    void Delete(int AIndex) {
        if (!IsValidIndex(AIndex))
            RaiseInvalidIndex(AIndex);
        std::unique_ptr<T> item = std::move(FItems[static_cast<std::size_t>(AIndex)]);
        FItems.erase(FItems.begin() + AIndex);
        if (FCurrent == AIndex)
            FCurrent = -1;
        else if (FCurrent > AIndex)
            --FCurrent;
        FModified = true;
        if (FOnRemoveItem)
            FOnRemoveItem(this, item.get());
    }

    // Removes and destroys every payload, first to last. The cursor then is at no payload;
    // Eof and Modified keep their values.
    void Clear() {
        std::vector<std::unique_ptr<T>> items = std::move(FItems);
        FItems.clear();
        FCurrent = -1;
        for (std::unique_ptr<T>& item : items) {
            if (FOnRemoveItem)
                FOnRemoveItem(this, item.get());
            item.reset();
        }
    }

    int Count() const { return static_cast<int>(FItems.size()); }
    // Makes room for ACount payloads, so that a load of a known size does not regrow.
    void Reserve(int ACount) { FItems.reserve(static_cast<std::size_t>(ACount)); }
    bool Empty() const { return FItems.empty(); }
    bool Modified() const { return FModified; }
    bool Eof() const { return FEof; }

    // Cursor to the first payload; clears Eof and Modified. Raises "Items not found" when empty.
    void First() {
        if (FItems.empty())
            RaiseItemsNotFound();
        FCurrent = 0;
        FEof = false;
        FModified = false;
    }

    // Cursor to the next payload; past the last one the cursor is at no payload and Eof is
    // set. Raises "Items not found" when the cursor is at no payload.
    void Next() {
        CheckCursor();
        if (FCurrent + 1 < Count()) {
            ++FCurrent;
        } else {
            FCurrent = -1;
            FEof = true;
        }
    }

    // Whether a payload follows the one under the cursor; the cursor does not move.
    bool FindNext() const {
        CheckCursor();
        return FCurrent + 1 < Count();
    }

    // The payload under the cursor; raises "Items not found" when the cursor is at no payload.
    T* CurrentItemData() const {
        CheckCursor();
        return FItems[static_cast<std::size_t>(FCurrent)].get();
    }

    // The payload at AIndex; the cursor and Modified do not change.
    T* GetItemDataByIndex(int AIndex) const {
        if (FItems.empty())
            RaiseItemsNotFound();
        if (!IsValidIndex(AIndex))
            RaiseInvalidIndex(AIndex);
        return FItems[static_cast<std::size_t>(AIndex)].get();
    }

    const TOnRemoveItem& OnRemoveItem() const { return FOnRemoveItem; }
    void SetOnRemoveItem(TOnRemoveItem AOnRemoveItem) { FOnRemoveItem = std::move(AOnRemoveItem); }

private:
    bool IsValidIndex(int AIndex) const { return AIndex >= 0 && AIndex < Count(); }

    void CheckCursor() const {
        if (FItems.empty() || FCurrent < 0)
            RaiseItemsNotFound();
    }

    [[noreturn]] static void RaiseItemsNotFound() {
        throw Exception(QStringLiteral("Items not found"));
    }

    [[noreturn]] static void RaiseInvalidIndex(int AIndex) {
        throw Exception(QStringLiteral("Invalid index %1").arg(AIndex));
    }

    std::vector<std::unique_ptr<T>> FItems;
    int FCurrent = -1; // position of the cursor; -1 at no payload
    bool FEof = false;
    TOnRemoveItem FOnRemoveItem;
    bool FModified = false;
};
