#pragma once

// The list frame of the unit book: the units of measure (T_UNIT) with their prefix, default
// designation, name, description and factor. The filter tests the prefix and the name.

#include "core/KVUnit.h"
#include "views/KVListFrame.h"

class T_frmUnit : public TKVBookListFrame<TKVUnitList> {
    Q_OBJECT
public:
    explicit T_frmUnit(QWidget* AParent = nullptr);

    TKVUnitList* UnitList() const { return List(); }

    // The shown text of a factor: empty unless it is greater than 0.
    static QString FactorText(double AFactor);

protected:
    TKVListRow MakeRow(const TKVUnit& ARecord) const override;
    bool RecordMatchesText(const TKVUnit& ARecord) const override;
    void OpenCard(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) override;
};
