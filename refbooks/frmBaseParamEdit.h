#pragma once

// The card of a base parameter of one element class: designation and UPID (both required),
// description, unit (picked from the unit book) and value-selection type. When a save changes
// the unit or the UPID of a base parameter that parameter values use, the change may be carried
// into those values: options ChangeUnitOnBaseParam and ChangeUPIDOnBaseParam say never (0),
// after a question (1) or always (2). The parameter values on the old unit follow the base
// parameter to its new unit; values on other units and values without a unit keep theirs.

#include "core/KVBaseParam.h"
#include "views/KVRecordCard.h"

class QComboBox;

class TfrmBaseParamEdit : public TKVBookCard<TKVBaseParam> {
    Q_OBJECT
public:
    explicit TfrmBaseParamEdit(QWidget* AParent = nullptr);

    // Opens base parameter (ADBId, AId) of class (AClassDBId, AClassId), a new one for (0, 0),
    // or a copy of (ADBId, AId) with ACreateCopyFlag; a copy belongs to the class given here.
    bool Init(quint32 ADBId, quint32 AId, bool ACreateCopyFlag, quint32 AClassDBId,
              quint32 AClassId);

    quint32 ClassDBId() const { return Row() ? Row()->BPClassDBId() : FClassDBId; }
    quint32 ClassId() const { return Row() ? Row()->BPClassId() : FClassId; }
    quint32 UnitDBId() const { return Row() ? Row()->UnitDBId() : 0; }
    quint32 UnitId() const { return Row() ? Row()->UnitId() : 0; }
    const TKVBaseParam* BaseParam() const { return Row(); }
    // The UPID and unit as last read or saved: a save carries changes against these into the
    // parameter values.
    const TKVSmallName& OldUPID() const { return FOldUPID; }
    quint32 OldUnitDBId() const { return FOldUnitDBId; }
    quint32 OldUnitId() const { return FOldUnitId; }

    // The card of a base parameter is bound to its class and to its unit.
    bool LinkedToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const override;

    QLineEdit* BaseParamClass_TextEdit() const { return FClassEdit; }
    QLineEdit* BaseParamName_TextEdit() const { return FNameEdit; }
    QLineEdit* BaseParamDesc_TextEdit() const { return FDescEdit; }
    TKVButtonEdit* BaseParamUnit_ButtonEdit() const { return FUnitEdit; }
    QComboBox* BaseParamParamValType_ComboBox() const { return FValTypeCombo; }
    QLineEdit* BaseParamParamUPID_TextEdit() const { return FUPIDEdit; }

protected:
    void CreateRecord(quint32 ADBId, quint32 AId) override;
    bool ReadRecord(TIBQuery& AQuery, quint32 ADBId, quint32 AId) override;
    bool ReadNewRecord(TIBQuery& AQuery) override;
    // The UPDATE, then the unit and UPID carried into the parameter values.
    int ExecUpdate(TIBQuery& AQuery) override;
    // A new record also takes its class (I_CLASSDBID, I_CLASSID).
    void BindFields(TIBQuery& AQuery, const QString& APrefix) const override;
    void RecordCommitted() override;
    void FillEditors() override;
    void StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) override;
    void OpenCopy() override;
    void SetEditorsReadOnly(bool AValue) override;

private:
    void FillValTypeComboBox();
    // Carries a changed unit or UPID into the parameter values of the base parameter, inside
    // the save's transaction.
    void PropagateChanges(TIBQuery& AQuery);

    quint32 FClassDBId = 0;
    quint32 FClassId = 0;
    TKVSmallName FOldUPID;
    quint32 FOldUnitDBId = 0;
    quint32 FOldUnitId = 0;
    QLineEdit* FClassEdit = nullptr;
    QLineEdit* FNameEdit = nullptr;
    QLineEdit* FDescEdit = nullptr;
    TKVButtonEdit* FUnitEdit = nullptr;
    QComboBox* FValTypeCombo = nullptr;
    QLineEdit* FUPIDEdit = nullptr;
};

// Opens the card of base parameter (ADBId, AId), of a new one for (0, 0), or of a copy of
// (ADBId, AId) with ACreateCopyFlag, in class (AClassDBId, AClassId). Returns the card;
// nullptr when the record or the class was not found.
TfrmBaseParamEdit* OpenCardBaseParam(quint32 ADBId, quint32 AId, bool ACreateCopyFlag,
                                     quint32 AClassDBId, quint32 AClassId);
