#pragma once

// The list frame of the maker book: the makers of components (T_MAKER) with their web
// addresses. The filter tests the name alone; Enter and a double click ask which view of the
// maker to open.

#include "core/KVMaker.h"
#include "views/KVListFrame.h"

class T_frmMaker : public TKVBookListFrame<TKVMakerList> {
    Q_OBJECT
public:
    explicit T_frmMaker(QWidget* AParent = nullptr);

    TKVMakerList* MakerList() const { return List(); }

    // The element types of the selected maker: their window, once the catalogue registered its
    // opener.
    void OpenReferenceBook_ElementTypesByMaker();

protected:
    void AddExtraCommands(QMenu* AMenu) override;
    TKVListRow MakeRow(const TKVMaker& ARecord) const override;
    bool RecordMatchesText(const TKVMaker& ARecord) const override;
    void OpenCard(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) override;
};
