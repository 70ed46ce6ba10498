#pragma once

// The card of one analog relation (T_ELEMENT_ANALOG): the primary element type and its analog,
// each chosen through its class, the four similarity grades (a combo box each, the item index
// being the stored grade) and a note. All four references are required, and a type is never
// its own analog: the card refuses such a choice and such a save with a message. A saved
// relation is reported to the open analog lists, which show, move or drop it by their primary
// type.

#include "core/KVElementAnalog.h"
#include "views/KVRecordCard.h"

class QComboBox;

class TfrmElementAnalogEdit : public TKVBookCard<TKVElementAnalog> {
    Q_OBJECT
public:
    explicit TfrmElementAnalogEdit(QWidget* AParent = nullptr);

    // Opens the relation (ADBId, AId), a new one for (0, 0) with the primary and the analog
    // type given (0, 0: none), or a copy of (ADBId, AId) with ACreateCopyFlag (which takes
    // every value of the source).
    bool Init(quint32 ADBId, quint32 AId, bool ACreateCopyFlag, quint32 APrimaryElementTypeDBId,
              quint32 APrimaryElementTypeId, quint32 AAnalogElementTypeDBId,
              quint32 AAnalogElementTypeId);

    const TKVElementAnalog* ElementAnalog() const { return Row(); }
    quint32 PrimaryElementTypeDBId() const { return Row() ? Row()->PrimaryElementTypeDBId() : 0; }
    quint32 PrimaryElementTypeId() const { return Row() ? Row()->PrimaryElementTypeId() : 0; }
    quint32 PrimaryElementTypeClassDBId() const {
        return Row() ? Row()->PrimaryElementTypeClassDBId() : 0;
    }
    quint32 PrimaryElementTypeClassId() const {
        return Row() ? Row()->PrimaryElementTypeClassId() : 0;
    }
    quint32 AnalogElementTypeDBId() const { return Row() ? Row()->AnalogElementTypeDBId() : 0; }
    quint32 AnalogElementTypeId() const { return Row() ? Row()->AnalogElementTypeId() : 0; }
    quint32 AnalogElementTypeClassDBId() const {
        return Row() ? Row()->AnalogElementTypeClassDBId() : 0;
    }
    quint32 AnalogElementTypeClassId() const {
        return Row() ? Row()->AnalogElementTypeClassId() : 0;
    }
    // The card closes when one of its types or their classes is deleted.
    bool LinkedToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const override;

    // Names changed elsewhere: the card keeps its own.
    void ExternalUpdatePrimaryElementTypeName(const QString&) {}
    void ExternalUpdateAnalogElementTypeName(const QString&) {}

    // --- Components
    TKVButtonEdit* ElementAnalogPrimaryClass_ButtonEdit() const { return FPrimaryClassEdit; }
    TKVButtonEdit* ElementAnalogPrimaryType_ButtonEdit() const { return FPrimaryTypeEdit; }
    TKVButtonEdit* ElementAnalogClass_ButtonEdit() const { return FAnalogClassEdit; }
    TKVButtonEdit* ElementAnalogType_ButtonEdit() const { return FAnalogTypeEdit; }
    QComboBox* ElementAnalogFunctionalType_ComboBox() const { return FFunctionalCombo; }
    QComboBox* ElementAnalogFeaturesType_ComboBox() const { return FFeaturesCombo; }
    QComboBox* ElementAnalogCaseType_ComboBox() const { return FCaseCombo; }
    QComboBox* ElementAnalogPinoutType_ComboBox() const { return FPinoutCombo; }
    QLineEdit* ElementAnalogText_TextEdit() const { return FTextEdit; }

protected:
    void CreateRecord(quint32 ADBId, quint32 AId) override;
    // The names and classes of the types given to a new relation.
    bool ReadNewRecord(TIBQuery& AQuery) override;
    void BindFields(TIBQuery& AQuery, const QString& APrefix) const override;
    void FillEditors() override;
    // The four references in order, then no type as its own analog.
    bool CheckEditors() override;
    void StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) override;
    QString RecordCardName() const override;
    void SetEditorsReadOnly(bool AValue) override;
    void OpenCopy() override;

private:
    // Fills the combo boxes with the grade names in value order.
    void FillSimilarityCombos();
    QComboBox* AddGradeCombo(const char* AName, const QString& ALabel);
    // Runs the element-type picker of a class into AResult; a type equal to AOther is refused
    // with a message (AResult stays unselected). Without a class the class editor gets the
    // focus.
    void PickType(quint32 AClassDBId, quint32 AClassId, quint32 ATypeDBId, quint32 ATypeId,
                  quint32 AOtherDBId, quint32 AOtherId, TKVButtonEdit* AClassEdit,
                  TKVSelectedItemDBData& AResult);

    quint32 FInitPrimaryDBId = 0;
    quint32 FInitPrimaryId = 0;
    quint32 FInitAnalogDBId = 0;
    quint32 FInitAnalogId = 0;

    TKVButtonEdit* FPrimaryClassEdit = nullptr;
    TKVButtonEdit* FPrimaryTypeEdit = nullptr;
    TKVButtonEdit* FAnalogClassEdit = nullptr;
    TKVButtonEdit* FAnalogTypeEdit = nullptr;
    QComboBox* FFunctionalCombo = nullptr;
    QComboBox* FFeaturesCombo = nullptr;
    QComboBox* FCaseCombo = nullptr;
    QComboBox* FPinoutCombo = nullptr;
    QLineEdit* FTextEdit = nullptr;
};

// Opens the card: the relation (ADBId, AId), a new one for (0, 0) with the types given, or a
// copy of (ADBId, AId) with ACreateCopyFlag. nullptr when the relation was not found.
TfrmElementAnalogEdit* OpenCardElementAnalog(quint32 ADBId, quint32 AId, bool ACreateCopyFlag,
                                             quint32 APrimaryElementTypeDBId,
                                             quint32 APrimaryElementTypeId,
                                             quint32 AAnalogElementTypeDBId,
                                             quint32 AAnalogElementTypeId);
