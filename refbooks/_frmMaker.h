#pragma once

// The list frame of the maker book: the makers of components (T_MAKER) with their web
// addresses. The filter tests the name alone.

#include "core/KVMaker.h"
#include "refbooks/KVListFrame.h"

class T_frmMaker : public TKVBookListFrame<TKVMakerList> {
    Q_OBJECT
public:
    explicit T_frmMaker(QWidget* AParent = nullptr);

    TKVMakerList* MakerList() const { return List(); }

protected:
    TKVDBKey StoreRecord(TIBQuery& AQuery, bool AAppend) override;
    TKVListRow MakeRow(const TKVMaker& ARecord) const override;
    bool RecordMatchesFilter(const TKVMaker& ARecord) const override;
    void OpenCard(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) override;
};
