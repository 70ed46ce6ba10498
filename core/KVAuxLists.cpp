#include "core/KVAuxLists.h"

#include "core/KVListWalk.h"

#include <algorithm>
#include <memory>

// ------------------------------------------------------------------- TKVVirtualImportedList

void TKVVirtualImportedList::Next() {
    KVListNext(FVirtualItemList);
}

bool TKVVirtualImportedList::GetRecord(TKVVirtualItem& AItem) const {
    return KVListGetRecord(FVirtualItemList, AItem);
}

void TKVVirtualImportedList::Clear() {
    FVirtualItemList.Clear();
    FIndex.clear();
}

void TKVVirtualImportedList::AddVirtualItem(TKVItemType AItemType, quint32 ADBId, quint32 AId) {
    FVirtualItemList.Add(std::make_unique<TKVVirtualItem>(TKVVirtualItem{AItemType, ADBId, AId}));
    FIndex.insert({AItemType, ADBId, AId});
}

bool TKVVirtualImportedList::ExistsVirtualItem(TKVItemType AItemType, quint32 ADBId,
                                               quint32 AId) const {
    return FIndex.count({AItemType, ADBId, AId}) > 0;
}

// ------------------------------------------------------------------------ TKVExportItemList

void TKVExportItemList::Next() {
    KVListNext(FExportItemList);
}

bool TKVExportItemList::GetRecord(TKVExportItemIndexData& AItem) const {
    return KVListGetRecord(FExportItemList, AItem);
}

int TKVExportItemList::FindIndexByPKey(quint32 ADBId, quint32 AId) const {
    return KVListIndexOf(FExportItemList, [&](const TKVExportItemIndexData& item) {
        return item.DBId == ADBId && item.Id == AId;
    });
}

void TKVExportItemList::AddData(quint32 ADBId, quint32 AId, TKVItemType AItemType) {
    FExportItemList.Add(
        std::make_unique<TKVExportItemIndexData>(TKVExportItemIndexData{ADBId, AId, AItemType}));
}

bool TKVExportItemList::DeleteByPKey(quint32 ADBId, quint32 AId) {
    const int index = FindIndexByPKey(ADBId, AId);
    if (index < 0)
        return false;
    FExportItemList.Delete(index);
    return true;
}

// -------------------------------------------------------------------------- TKVNewsItemList

void TKVNewsItemList::Next() {
    KVListNext(FNewsItemList);
}

bool TKVNewsItemList::GetRecord(TKVNewsItem& AItem) const {
    return KVListGetRecord(FNewsItemList, AItem);
}

void TKVNewsItemList::AddData(quint16 AToken, TKVNewsItemType AType, const QString& ATitle,
                              const QString& AText, TDateTime ADate, const QString& ALink) {
    FNewsItemList.Add(std::make_unique<TKVNewsItem>(TKVNewsItem{
        AToken, AType, KVDescription(ATitle), KVDescription(AText), ADate, KVDescription(ALink)}));
    FLoaded = true;
}

quint16 TKVNewsItemList::LastToken() const {
    quint16 result = 0;
    for (int i = 0; i < FNewsItemList.Count(); ++i)
        result = std::max(result, FNewsItemList.GetItemDataByIndex(i)->niToken);
    return result;
}

const TKVNewsItem* TKVNewsItemList::FindByToken(quint16 AToken) const {
    const int index = KVListIndexOf(
        FNewsItemList, [&](const TKVNewsItem& item) { return item.niToken == AToken; });
    return index < 0 ? nullptr : FNewsItemList.GetItemDataByIndex(index);
}
