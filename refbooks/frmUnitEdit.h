#pragma once

// The card of a unit of measure: prefix (required), default designation, name, description
// and the factor to the base unit, which is stored only when it is greater than 0.

#include "core/KVUnit.h"
#include "views/KVRecordCard.h"

class TfrmUnitEdit : public TKVBookCard<TKVUnit> {
    Q_OBJECT
public:
    explicit TfrmUnitEdit(QWidget* AParent = nullptr);

    const TKVUnit* Unit() const { return Row(); }

    QLineEdit* UnitPrefix_TextEdit() const { return FPrefixEdit; }
    QLineEdit* UnitNameDef_TextEdit() const { return FNameDefEdit; }
    QLineEdit* UnitName_TextEdit() const { return FNameEdit; }
    QLineEdit* UnitDesc_TextEdit() const { return FDescEdit; }
    QLineEdit* UnitFactor_SpinEdit() const { return FFactorEdit; }

protected:
    void BindFields(TIBQuery& AQuery, const QString& APrefix) const override;
    void FillEditors() override;
    bool CheckEditors() override;
    void StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) override;
    QString RecordCardName() const override;
    void SetEditorsReadOnly(bool AValue) override;

private:
    QLineEdit* FPrefixEdit = nullptr;
    QLineEdit* FNameDefEdit = nullptr;
    QLineEdit* FNameEdit = nullptr;
    QLineEdit* FDescEdit = nullptr;
    QLineEdit* FFactorEdit = nullptr;
    double FCheckedFactor = 0; // the factor CheckEditors read
};

// Opens the card of unit (ADBId, AId), of a new unit for (0, 0), or of a copy of (ADBId, AId)
// with ACreateCopyFlag. Returns the card; nullptr when the unit was not found.
TfrmUnitEdit* OpenCardUnit(quint32 ADBId, quint32 AId, bool ACreateCopyFlag);
