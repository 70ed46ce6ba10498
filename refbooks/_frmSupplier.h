#pragma once

// The list frame of the supplier book: the suppliers of components (T_SUPPLIER, rows of this
// database keyed by ID alone) with address, telephone and web address. The filter tests the
// name alone; Enter and a double click ask which view of the supplier to open.

#include "core/KVSupplier.h"
#include "views/KVListFrame.h"

class T_frmSupplier : public TKVBookListFrame<TKVSupplierList> {
    Q_OBJECT
public:
    explicit T_frmSupplier(QWidget* AParent = nullptr);

    TKVSupplierList* SupplierList() const { return List(); }

    // The price list of the selected supplier: its window, once the catalogue registered its
    // opener.
    void OpenReferenceBook_ElementSupplier();

protected:
    void AddExtraCommands(QMenu* AMenu) override;
    TKVListRow MakeRow(const TKVSupplier& ARecord) const override;
    bool RecordMatchesText(const TKVSupplier& ARecord) const override;
    void OpenCard(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) override;
};
