#pragma once

// The card of a stock record: an element type (picked within its class) or a free name, the
// count with its unit and the flag of an approximate count, the need, an optional nominal value
// with its unit (a picked element type brings the value of its parameter flagged as the
// nominal), the storage place and its cell (offered from the place's cell list), the marking
// and a note.
//
// A save of a record whose count is not above 0 may move it to the storage place kept for
// emptied records, as option MoveEmptyAvailToSpecStorage says (never, after a question,
// always). A save whose element type, units or storage place were deleted meanwhile says so
// and writes nothing.

#include "core/KVElementAvail.h"
#include "views/KVRecordCard.h"

class QCheckBox;
class QComboBox;

class TfrmElementAvailEdit : public TKVBookCard<TKVElementAvail> {
    Q_OBJECT
public:
    explicit TfrmElementAvailEdit(QWidget* AParent = nullptr);

    const TKVElementAvail* ElementAvail() const { return Row(); }

    // Opens the record AId, a new record for 0 with the element type (AElementTypeDBId,
    // AElementTypeId) and the storage place AStorageId preset (0: none), or a copy of AId with
    // ACreateCopyFlag (the presets are not used then).
    bool Init(quint32 AId, bool ACreateCopyFlag, quint32 AElementTypeDBId, quint32 AElementTypeId,
              quint32 AStorageId);
    // The same for the shared card opener, which passes a DBID (stock records have none).
    bool Init(quint32 ADBId, quint32 AId, bool ACreateCopyFlag, quint32 AElementTypeDBId,
              quint32 AElementTypeId, quint32 AStorageId);

    // --- The records the card refers to (0: none)
    quint32 EAClassDBId() const { return Row() ? Row()->EAClassDBId() : 0; }
    quint32 EAClassId() const { return Row() ? Row()->EAClassId() : 0; }
    quint32 ElementTypeDBId() const { return Row() ? Row()->ElementTypeDBId() : 0; }
    quint32 ElementTypeId() const { return Row() ? Row()->ElementTypeId() : 0; }
    quint32 UnitNominalDBId() const { return Row() ? Row()->UnitNominalDBId() : 0; }
    quint32 UnitNominalId() const { return Row() ? Row()->UnitNominalId() : 0; }
    quint32 UnitCountDBId() const { return Row() ? Row()->UnitCountDBId() : 0; }
    quint32 UnitCountId() const { return Row() ? Row()->UnitCountId() : 0; }
    quint32 StorageId() const { return Row() ? Row()->StorageId() : 0; }
    // The card closes when its class, element type, a unit or its storage place is deleted.
    bool LinkedToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const override;
    // The cell list of the storage place as last read.
    const QString& StorageCellList() const { return FStorageCellList; }

    // The checks of the card, then the move of an emptied record (see above), then the save.
    bool SaveItem() override;

    // Takes the nominal value and unit of the element type's parameter flagged as the nominal
    // (the typical value, else the minimum, else the maximum); false when the type has none.
    bool TakeNominalFromElementType();

    // --- Components
    TKVButtonEdit* ElementAvailClass_ButtonEdit() const { return FClassEdit; }
    TKVButtonEdit* ElementAvailType_ButtonEdit() const { return FTypeEdit; }
    QLineEdit* ElementAvailName_TextEdit() const { return FNameEdit; }
    QLineEdit* ElementAvailCount_SpinEdit() const { return FCountEdit; }
    QCheckBox* ElementAvailAppoxCount_CheckBox() const { return FApproxBox; }
    TKVButtonEdit* ElementAvailCountUnit_ButtonEdit() const { return FCountUnitEdit; }
    QLineEdit* ElementAvailNeed_SpinEdit() const { return FNeedEdit; }
    QCheckBox* ElementAvailNominal_CheckBox() const { return FNominalBox; }
    QLineEdit* ElementAvailNominal_SpinEdit() const { return FNominalEdit; }
    TKVButtonEdit* ElementAvailNominalUnit_ButtonEdit() const { return FNominalUnitEdit; }
    TKVButtonEdit* ElementAvailStorage_ButtonEdit() const { return FStorageEdit; }
    QComboBox* ElementAvailCell_ComboBox() const { return FCellBox; }
    QLineEdit* ElementAvailMarking_TextEdit() const { return FMarkingEdit; }
    QLineEdit* ElementAvailText_TextEdit() const { return FTextEdit; }

protected:
    void CreateRecord(quint32 ADBId, quint32 AId) override;
    bool ReadRecord(TIBQuery& AQuery, quint32 ADBId, quint32 AId) override;
    bool ReadNewRecord(TIBQuery& AQuery) override;
    void BindFields(TIBQuery& AQuery, const QString& APrefix) const override;
    int ExecUpdate(TIBQuery& AQuery) override;
    void ExecInsert(TIBQuery& AQuery) override;
    void FillEditors() override;
    // A class or a free name, an element type or a free name, a count unit, a nominal unit
    // while a nominal is asked for (each failure only moves the focus); the numbers.
    bool CheckEditors() override;
    void StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) override;
    QString RecordCardName() const override;
    QLineEdit* NewRecordEditor() const override { return nullptr; }
    void SetEditorsReadOnly(bool AValue) override;
    void OpenCopy() override;

private:
    // Which of the class, type and name editors may be used.
    void UpdateNamingEditors();
    // The nominal editors from the record.
    void ShowNominal();
    // Refuses (throws) a save whose element type, units or storage place are gone.
    void CheckReferences(TIBQuery& AQuery) const;
    // Replaces the cell drop-down's lines by the place's list.
    void SetCellList(const QString& ACellList);

    quint32 FInitElementTypeDBId = 0;
    quint32 FInitElementTypeId = 0;
    quint32 FInitStorageId = 0;
    QString FStorageCellList;
    // The numbers CheckEditors read.
    double FCheckedCount = 0;
    double FCheckedNeed = 0;
    double FCheckedNominal = 0;
    bool FFilling = false;

    TKVButtonEdit* FClassEdit = nullptr;
    TKVButtonEdit* FTypeEdit = nullptr;
    QLineEdit* FNameEdit = nullptr;
    QLineEdit* FCountEdit = nullptr;
    QCheckBox* FApproxBox = nullptr;
    TKVButtonEdit* FCountUnitEdit = nullptr;
    QLineEdit* FNeedEdit = nullptr;
    QCheckBox* FNominalBox = nullptr;
    QLineEdit* FNominalEdit = nullptr;
    TKVButtonEdit* FNominalUnitEdit = nullptr;
    TKVButtonEdit* FStorageEdit = nullptr;
    QComboBox* FCellBox = nullptr;
    QLineEdit* FMarkingEdit = nullptr;
    QLineEdit* FTextEdit = nullptr;
};

// Opens the card of record AId, of a new record for 0 (with the element type and storage place
// given as presets, 0: none), or of a copy of AId with ACreateCopyFlag. Returns the card;
// nullptr when the record was not found.
TfrmElementAvailEdit* OpenCardElementAvail(quint32 AId, bool ACreateCopyFlag,
                                           quint32 AElementTypeDBId = 0, quint32 AElementTypeId = 0,
                                           quint32 AStorageId = 0);
