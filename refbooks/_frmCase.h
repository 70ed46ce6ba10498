#pragma once

// The list frame of the case book: the cases (T_CASE) with their type name, description, pin
// count and mount type; a case with a drawing template shows the template image. Besides the
// name filter the list can keep only the cases of one mount type and only the cases that have
// a drawing template; both are chosen in the filter-type menu (the mount type through its
// picker) and take effect when the filter is applied. The pin-count column sorts as numbers.

#include "core/KVCase.h"
#include "views/KVListFrame.h"

class T_frmCase : public TKVBookListFrame<TKVCaseList> {
    Q_OBJECT
public:
    explicit T_frmCase(QWidget* AParent = nullptr);

    TKVCaseList* CaseList() const { return List(); }

    // --- The filters beyond the name filter
    bool FiltredOnCaseMountType() const { return ClientFilterOn(FMountTypeFilter); }
    TKVCaseMountType FilterCaseMountType() const { return FFilterCaseMountType; }
    bool FiltredOnPttVisual() const { return ClientFilterOn(FPttVisualFilter); }

    // Opens the drawing of the selected case (through the catalogue's opener).
    void OpenCaseVisual();

protected:
    TKVListRow MakeRow(const TKVCase& ARecord) const override;
    bool RecordMatchesText(const TKVCase& ARecord) const override;
    void OpenCard(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) override;
    void AddExtraCommands(QMenu* AMenu) override;

private:
    int FMountTypeFilter = -1;
    int FPttVisualFilter = -1;
    TKVCaseMountType FFilterCaseMountType = cmtUnknown;
};
