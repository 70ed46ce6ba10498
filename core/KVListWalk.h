#pragma once

// The walk rule of the lists of records over TDataList: Next and GetRecord do nothing while the
// list has changed since its last First, so a walk that changes its list starts again.

#include "core/DataList.h"

template <typename T> void KVListNext(TDataList<T>& AList) {
    if (!AList.Modified())
        AList.Next();
}

// Copies the record under the cursor into ARecord; false, leaving ARecord as it was, while the
// list is modified.
template <typename T> bool KVListGetRecord(const TDataList<T>& AList, T& ARecord) {
    if (AList.Modified())
        return false;
    ARecord = *AList.CurrentItemData();
    return true;
}

// The position of the first record that satisfies APredicate, -1 when none does. The cursor
// does not move.
template <typename T, typename TPredicate>
int KVListIndexOf(const TDataList<T>& AList, TPredicate APredicate) {
    for (int i = 0; i < AList.Count(); ++i)
        if (APredicate(*AList.GetItemDataByIndex(i)))
            return i;
    return -1;
}
