#pragma once

// The parameter values of one element type (T_PARAM rows of its key): the list window
// TfrmParam with its frame T_frmParam. Each row shows the designation (with the unit prefix in
// brackets), the value text, description, UPID, measurement condition and the bound base
// parameter with its class, and an image for the NLTBP and UN bits. The text filter tests the
// name, then the description; rows stand in load order until a header is clicked.
//
// Beyond the list pattern: "Добавить на основе базового параметра..." (a new value prefilled
// from a base parameter of the type's class), the layout rows kept per element type, and every
// change of a value reported to the element-type lists too (their parameter columns and filter
// show the type's values).

#include "core/KVParam.h"
#include "views/KVListFrame.h"
#include "views/KVListHost.h"

class QMenu;

class T_frmParam : public TKVBookListFrame<TKVParamList> {
    Q_OBJECT
public:
    explicit T_frmParam(QWidget* AParent = nullptr);

    // Sets the frame up for the element type (AElementTypeDBId, AElementTypeId), in manage mode.
    void Init(quint32 AElementTypeDBId, quint32 AElementTypeId);

    quint32 ElementTypeDBId() const { return FElementTypeDBId; }
    quint32 ElementTypeId() const { return FElementTypeId; }
    QString ElementTypeName() const;
    quint32 ElementTypeClassDBId() const { return FElementTypeClassDBId; }
    quint32 ElementTypeClassId() const { return FElementTypeClassId; }
    TKVParamList* ParamList() const { return List(); }

    // Asks for a base parameter of the type's class and opens a new value's card on it.
    void NewItemOnBaseParam();
    // The drop-down menu of the add button.
    QMenu* ParamAddPopupMenu() const { return FAddMenu; }

    // The window closes with its element type.
    bool BoundToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const override;

    // The rows shown stay in load order; a header click sorts them.
    void FillListView() override;

protected:
    std::unique_ptr<TKVParamList> NewList() const override;
    void LoadContext(TIBQuery& AQuery) override;
    void BindContext(TIBQuery& AQuery) override;
    TKVListRow MakeRow(const TKVParam& ARecord) const override;
    bool RecordMatchesText(const TKVParam& ARecord) const override;
    TLayoutKey LayoutContextKey() const override {
        return TKVDBKey{FElementTypeDBId, FElementTypeId};
    }
    void OpenCard(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) override;
    void AddExtraCommands(QMenu* AMenu) override;
    void RecordDeleted(const TKVDBKey& AKey) override;
    QString ExportDataSetName() const override;

private:
    quint32 FElementTypeDBId = 0;
    quint32 FElementTypeId = 0;
    quint32 FElementTypeClassDBId = 0;
    quint32 FElementTypeClassId = 0;
    QString FElementTypeName;
    QMenu* FAddMenu = nullptr;
    QAction* FpmiAddOnBaseParam = nullptr;
    QAction* Fpmi0AddOnBaseParam = nullptr;
};

class TfrmParam : public TKVBookHost<T_frmParam> {
    Q_OBJECT
public:
    explicit TfrmParam(QWidget* AParent = nullptr);

    quint32 ElementTypeDBId() const { return BookFrame()->ElementTypeDBId(); }
    quint32 ElementTypeId() const { return BookFrame()->ElementTypeId(); }
};

// The item image of a value's flags: 0 NLTBP alone, 1 UN alone, 2 both, -1 neither.
int ParamImageIndex(quint32 AFlags);

// Opens a new list window of the element type's values; nullptr without a main window.
TfrmParam* OpenRBParam(quint32 AElementTypeDBId, quint32 AElementTypeId);
// Brings the open list of the element type's values to the front, or opens one.
void ShowParamsOfElementType(quint32 AElementTypeDBId, quint32 AElementTypeId);
