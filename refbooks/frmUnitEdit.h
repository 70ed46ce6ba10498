#pragma once

// The card of a unit of measure: prefix (required), default designation, name, description
// and the factor to the base unit, which is stored only when it is greater than 0.

#include "core/KVUnit.h"
#include "refbooks/KVRecordCard.h"

#include <memory>

class TfrmUnitEdit : public TKVRecordCard {
    Q_OBJECT
public:
    explicit TfrmUnitEdit(QWidget* AParent = nullptr);
    ~TfrmUnitEdit() override;

    quint32 DBId() const override { return FUnit ? FUnit->DBId() : 0; }
    quint32 Id() const override { return FUnit ? FUnit->Id() : 0; }
    const TKVUnit* Unit() const { return FUnit.get(); }

    QLineEdit* UnitPrefix_TextEdit() const { return FPrefixEdit; }
    QLineEdit* UnitNameDef_TextEdit() const { return FNameDefEdit; }
    QLineEdit* UnitName_TextEdit() const { return FNameEdit; }
    QLineEdit* UnitDesc_TextEdit() const { return FDescEdit; }
    QLineEdit* UnitFactor_SpinEdit() const { return FFactorEdit; }

protected:
    void CreateRecord(quint32 ADBId, quint32 AId) override;
    bool ReadRecord(TIBQuery& AQuery, quint32 ADBId, quint32 AId) override;
    int ExecUpdate(TIBQuery& AQuery) override;
    void ExecInsert(TIBQuery& AQuery) override;
    void SetRecordKey(quint32 ADBId, quint32 AId) override;
    void FillEditors() override;
    bool CheckEditors() override;
    void StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) override;
    TDateTime RecordCreateDateTime() const override;
    QString RecordCardName() const override;
    QLineEdit* NewRecordEditor() const override { return FPrefixEdit; }
    void OpenCopy() override;
    bool RefreshesList(const TKVListHost& AHost) const override;
    void SetEditorsReadOnly(bool AValue) override;

private:
    // Binds the parameters the UPDATE and the insert share (APrefix "VAR_" or "I_").
    void BindFields(TIBQuery& AQuery, const QString& APrefix) const;

    std::unique_ptr<TKVUnit> FUnit;
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
