#pragma once

// The tree frame of the storage-place book: the user's places (T_STORAGE) under their parent
// places, each node showing the number of stock records in the place. Enter and a double click
// offer the views of a place; a place with child places or stock records cannot be deleted,
// and deleting the place chosen for emptied stock records clears that setting with it.

#include "core/KVStorage.h"
#include "refbooks/KVTreeFrame.h"

class T_frmStorage : public TKVBookTreeFrame<TKVStorageList> {
    Q_OBJECT
public:
    explicit T_frmStorage(QWidget* AParent = nullptr);

    TKVStorageList* StorageList() const { return List(); }

    // Enter or a double click on a place (manage mode): the view chooser, then the chosen
    // view of the place.
    void OpenDataModeItem();
    void ListViewEnterKey() override { OpenDataModeItem(); }

protected:
    TKVDBKey StoreRecord(TIBQuery& AQuery, bool AAppend) override;
    void OpenCard(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) override;
    void DeleteRelatedRows(TIBQuery& AQuery, const TKVDBKey& AKey) override;
    void RecordDeleted(const TKVDBKey& AKey) override;

private:
    // The deleted place was the one for emptied stock records (set by DeleteRelatedRows).
    bool FStorageForEmptyDeleted = false;
};
