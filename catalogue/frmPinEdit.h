#pragma once

// The card of one pin of an element type: its number (1 to 65535, unique among the type's
// pins), designation (required; the drop-down offers the user's list of standard pin names,
// "pindesc.txt", which the button edits), description and pin type. A new pin, and a copy, is
// proposed the number after the largest the type has.

#include "core/KVPin.h"
#include "views/KVRecordCard.h"

class QComboBox;
class QCompleter;
class QSpinBox;
class TKVButtonEdit;

class TfrmPinEdit : public TKVBookCard<TKVPin> {
    Q_OBJECT
public:
    explicit TfrmPinEdit(QWidget* AParent = nullptr);

    bool Init(quint32 ADBId, quint32 AId, bool ACreateCopyFlag, quint32 AElementTypeDBId,
              quint32 AElementTypeId);

    quint32 ElementTypeDBId() const { return FElementTypeDBId; }
    quint32 ElementTypeId() const { return FElementTypeId; }
    quint16 PinNum() const { return Row() ? Row()->Num() : 0; }
    const TKVPin* Pin() const { return Row(); }
    bool LinkedToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const override;

    QSpinBox* PinNum_SpinEdit() const { return FNumEdit; }
    TKVButtonEdit* PinName_MRUEdit() const { return FNameEdit; }
    QLineEdit* PinDesc_TextEdit() const { return FDescEdit; }
    QComboBox* PinAssign_ComboBox() const { return FTypeBox; }
    // The standard names the name editor offers.
    QStringList StandardNames() const;

    // The name editor's button: edits the standard-name list; after OK the drop-down takes the
    // list read again.
    void PinName_MRUEditPropertiesButtonClick();

protected:
    void CreateRecord(quint32 ADBId, quint32 AId) override;
    bool ReadRecord(TIBQuery& AQuery, quint32 ADBId, quint32 AId) override;
    bool ReadNewRecord(TIBQuery& AQuery) override;
    void BindFields(TIBQuery& AQuery, const QString& APrefix) const override;
    void FillEditors() override;
    bool CheckEditors() override;
    void StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) override;
    QString RecordCardName() const override;
    QLineEdit* NewRecordEditor() const override;
    void SetEditorsReadOnly(bool AValue) override;
    void OpenCopy() override;

private:
    // The number after the largest of the element type's pins (at most 65535).
    quint16 NextPinNum(TIBQuery& AQuery) const;
    void SetStandardNames(const QStringList& ANames);

    quint32 FElementTypeDBId = 0;
    quint32 FElementTypeId = 0;
    QSpinBox* FNumEdit = nullptr;
    TKVButtonEdit* FNameEdit = nullptr;
    QCompleter* FNameCompleter = nullptr;
    QLineEdit* FDescEdit = nullptr;
    QComboBox* FTypeBox = nullptr;
};

// Opens the card of pin (ADBId, AId), of a new pin for (0, 0), or of a copy of (ADBId, AId) with
// ACreateCopyFlag, all of element type (AElementTypeDBId, AElementTypeId). Returns the card;
// nullptr when the pin (or, for a new pin, the element type) was not found.
TfrmPinEdit* OpenCardPin(quint32 ADBId, quint32 AId, bool ACreateCopyFlag, quint32 AElementTypeDBId,
                         quint32 AElementTypeId);
