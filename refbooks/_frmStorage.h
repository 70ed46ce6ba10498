#pragma once

// The tree frame of the storage-place book: the user's places (T_STORAGE) under their parent
// places, each node showing the number of stock records in the place. Enter and a double click
// offer the views of a place; a place with child places or stock records cannot be deleted,
// and deleting the place chosen for emptied stock records clears that setting with it.

#include "core/KVStorage.h"
#include "views/KVTreeFrame.h"

// How the tree frame reads the storage-place list.
template <> struct TKVTreeListTraits<TKVStorageList> {
    static TKVTreeRecord Record(const TKVStorage& ARow) {
        return {{0, ARow.Id()},
                {0, ARow.ParentId()},
                ARow.Name(),
                ARow.IconId(),
                ARow.ElementAvailsCount()};
    }
    static const TKVStorage* Find(TKVStorageList& AList, const TKVDBKey& AKey) {
        return AList.GetItemByPKey(AKey.Id);
    }
    static void SetExclude(TKVStorageList& AList, const TKVDBKey& AKey) {
        AList.SetExcludeItemPKey(AKey.Id);
    }
    static bool IsExclude(const TKVStorageList& AList, const TKVDBKey& AKey) {
        return AList.IsExcludeByPKey(AKey.Id);
    }
    static void SetCount(TKVStorageList& AList, const TKVDBKey& AKey, qint32 ACount) {
        AList.SetElementAvailsCountByPKey(AKey.Id, ACount);
    }
};

class T_frmStorage : public TKVBookTreeFrame<TKVStorageList> {
    Q_OBJECT
public:
    explicit T_frmStorage(QWidget* AParent = nullptr);

    TKVStorageList* StorageList() const { return List(); }

    // The stock records of the selected place: their window, once the stock library
    // registered its opener.
    void OpenReferenceBook_ElementAvail();

protected:
    void AddExtraCommands(QMenu* AMenu) override;
    void OpenCard(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) override;
    void DeleteRelatedRows(TIBQuery& AQuery, const TKVDBKey& AKey) override;
    void RecordDeleted(const TKVDBKey& AKey) override;

private:
    // The deleted place was the one for emptied stock records (set by DeleteRelatedRows).
    bool FStorageForEmptyDeleted = false;
};
