#pragma once

// The list frame of the base-parameter book: the base parameters of one element class
// (T_BASE_PARAM) with their designation (and unit), description, value-selection type and
// UPID. The filter tests the designation and the description. The extra command writes a base
// parameter's UPID into the parameter values that carry its current unit.

#include "core/KVBaseParam.h"
#include "views/KVListFrame.h"

class T_frmBaseParam : public TKVBookListFrame<TKVBaseParamList> {
    Q_OBJECT
public:
    explicit T_frmBaseParam(QWidget* AParent = nullptr);

    // Sets the frame up for the base parameters of class (AClassDBId, AClassId).
    void Init(bool AActionState, quint32 AClassDBId, quint32 AClassId);

    // The class whose base parameters the frame shows, and its name as the load read it.
    quint32 BPClassDBId() const;
    quint32 BPClassId() const;
    QString BPClassName() const;
    TKVBaseParamList* BaseParamList() const { return List(); }

    // The first column's text: the designation, with the unit prefix in parentheses when there
    // is one.
    static QString NameText(const TKVBaseParam& ARecord);

    // Writes the base parameter's UPID (upper-cased) into the parameter values that have its
    // current unit (none when it has none), within the rows option NSIMod and BLIMod allow;
    // their unit stays. Returns the number of rows changed, 0 when nothing ran.
    int ParamUpdateUPIDAndUnit(quint32 ABaseParamDBId, quint32 ABaseParamId);

    void pmiAddFunct_ChangeUPIDAndUnitClick();

    // The window of one class's base parameters closes with the class.
    bool BoundToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const override;

protected:
    std::unique_ptr<TKVBaseParamList> NewList() const override;
    void LoadContext(TIBQuery& AQuery) override;
    void BindContext(TIBQuery& AQuery) override;
    TLayoutKey LayoutContextKey() const override;
    void CompleteRecord(TKVBaseParam& ARecord) const override;
    TKVListRow MakeRow(const TKVBaseParam& ARecord) const override;
    bool RecordMatchesText(const TKVBaseParam& ARecord) const override;
    void OpenCard(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) override;
    void AddExtraCommands(QMenu* AMenu) override;
    QString ExportDataSetName() const override;

private:
    quint32 FClassDBId = 0;
    quint32 FClassId = 0;
};
