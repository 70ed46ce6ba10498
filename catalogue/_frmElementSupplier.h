#pragma once

// The list frame of supplier prices (T_ELEMENT_SUPPLIER, rows of this database keyed by ID
// alone) in one of three modes: the prices of one element type, of one supplier, or of the
// element types of one class. Each row shows the type with its class's icon, the supplier, the
// price ("%8.2f" with the user's decimal separator, empty without a price; it sorts as a
// number, a row without a price as 0) and the note. A change reported by a price card is read
// again under the list's mode, so a row moved to another type, supplier or class leaves it.

#include "core/KVElementSupplier.h"
#include "views/KVListFrame.h"

class T_frmElementSupplier : public TKVBookListFrame<TKVElementSupplierList> {
    Q_OBJECT
public:
    explicit T_frmElementSupplier(QWidget* AParent = nullptr);

    // Sets the frame up (manage mode) in AMode on the key of that mode; the other keys are 0.
    void Init(TKVElementSupplierListSelectDataMode AMode, quint32 AElementTypeDBId,
              quint32 AElementTypeId, quint32 AESClassDBId, quint32 AESClassId,
              quint32 ASupplierId);

    // --- What the list was opened on
    TKVElementSupplierListSelectDataMode ListSelectDataMode() const { return FMode; }
    quint32 ElementTypeDBId() const { return FElementTypeDBId; }
    quint32 ElementTypeId() const { return FElementTypeId; }
    QString ElementTypeName() const;
    quint32 SupplierId() const { return FSupplierId; }
    QString SupplierName() const;
    quint32 ESClassDBId() const { return FClassDBId; }
    quint32 ESClassId() const { return FClassId; }
    QString ESClassName() const;
    TKVElementSupplierList* ElementSupplierList() const { return List(); }

    // The card of the selected row's supplier.
    void OpenSupplierOnElement();

    // The window closes with the type, supplier or class it was opened on.
    bool BoundToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const override;

protected:
    std::unique_ptr<TKVElementSupplierList> NewList() const override;
    void LoadContext(TIBQuery& AQuery) override;
    QString CountSQL() const override;
    QString SelectSQL() const override;
    QString SelectOneSQL() const override;
    void BindContext(TIBQuery& AQuery) override;
    TKVListRow MakeRow(const TKVElementSupplier& ARecord) const override;
    bool RecordMatchesText(const TKVElementSupplier& ARecord) const override;
    TLayoutKey LayoutContextKey() const override;
    void OpenCard(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) override;
    void AddExtraCommands(QMenu* AMenu) override;
    QString ExportDataSetName() const override;

private:
    // The condition of the mode over aliases TES and TET.
    QString ModeCondition() const;
    const TKVElementSupplier* SelectedRecord() const;

    TKVElementSupplierListSelectDataMode FMode = essdmOnElementType;
    quint32 FElementTypeDBId = 0;
    quint32 FElementTypeId = 0;
    quint32 FClassDBId = 0;
    quint32 FClassId = 0;
    quint32 FSupplierId = 0;
};
