#pragma once

// The list frame of the case book: the cases (T_CASE) with their type name, description, pin
// count and mount type; a case with a drawing template shows the template image. Besides the
// name filter the list can keep only the cases of one mount type and only the cases that have
// a drawing template; both are chosen in the filter-type menu and take effect when the filter
// is applied. The pin-count column sorts as numbers.

#include "core/KVCase.h"
#include "refbooks/KVListFrame.h"

class T_frmCase : public TKVBookListFrame<TKVCaseList> {
    Q_OBJECT
public:
    explicit T_frmCase(QWidget* AParent = nullptr);

    TKVCaseList* CaseList() const { return List(); }

    // --- The filters beyond the name filter
    bool FiltredOnCaseMountType() const { return FFiltredOnCaseMountType; }
    TKVCaseMountType FilterCaseMountType() const { return FFilterCaseMountType; }
    bool FiltredOnPttVisual() const { return FFiltredOnPttVisual; }

    // The four items of the filter-type menu: the two filter types, the mount-type filter
    // (off when it is on; else the mount-type picker, and on with its choice after OK) and the
    // template filter (flipped). None of them shows the rows again.
    void pmiFilterClick(QAction* AItem);

protected:
    TKVDBKey StoreRecord(TIBQuery& AQuery, bool AAppend) override;
    TKVListRow MakeRow(const TKVCase& ARecord) const override;
    bool RecordMatchesFilter(const TKVCase& ARecord) const override;
    void OpenCard(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) override;
    bool IsFiltered() const override;
    QString ExtraFilterTags() const override;
    void ClearExtraFilters() override;

private:
    bool FFiltredOnCaseMountType = false;
    TKVCaseMountType FFilterCaseMountType = cmtUnknown;
    bool FFiltredOnPttVisual = false;
    QAction* FpmiFTViewOnCaseMountType = nullptr;
    QAction* FpmiFTViewOnPttVisual = nullptr;
};
