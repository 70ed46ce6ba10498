#pragma once

// The card of one parameter value of an element type: designation (required), description, up
// to three numbers (minimum, typical, maximum) each with its "in use" box, a text value, a
// logical value that may be absent, the unit (by its prefix), the measurement condition, the
// base parameter of the type's class it is bound to with its UPID (upper case), and the option
// bits, edited through the "Доп." menu (KVParamFlags.h) and shown in the flag strip.
//
// A new value starts blank ("New Param") or prefilled from a base parameter (its name,
// description, UPID and unit); a new card counts as found only when its element type (and the
// base parameter it starts on) exists. Choosing a base parameter takes its UPID and unit. The
// nominal bit UN goes whenever the unit does. The numbers in use must be numbers and the
// minimum may not lie above the maximum. A saved value is reported to the value lists and to
// the element-type lists.

#include "catalogue/KVParamFlags.h"
#include "core/KVParam.h"
#include "views/KVRecordCard.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;

class TfrmParamEdit : public TKVBookCard<TKVParam> {
    Q_OBJECT
public:
    explicit TfrmParamEdit(QWidget* AParent = nullptr);

    // Opens the value (ADBId, AId), a copy of it with ACreateCopyFlag, or a new value (0, 0) of
    // element type (AElementTypeDBId, AElementTypeId), prefilled from base parameter
    // (ABaseParamDBId, ABaseParamId) when ABaseParamId is not 0.
    bool Init(quint32 ADBId, quint32 AId, bool ACreateCopyFlag, quint32 AElementTypeDBId,
              quint32 AElementTypeId, quint32 ABaseParamDBId, quint32 ABaseParamId);

    const TKVParam* Param() const { return Row(); }
    quint32 ElementTypeDBId() const { return Row() ? Row()->ElementTypeDBId() : 0; }
    quint32 ElementTypeId() const { return Row() ? Row()->ElementTypeId() : 0; }
    quint32 ElementTypeClassDBId() const { return Row() ? Row()->ElementTypeClassDBId() : 0; }
    quint32 ElementTypeClassId() const { return Row() ? Row()->ElementTypeClassId() : 0; }
    quint32 UnitDBId() const { return Row() ? Row()->UnitDBId() : 0; }
    quint32 UnitId() const { return Row() ? Row()->UnitId() : 0; }
    quint32 BaseParamDBId() const { return Row() ? Row()->BaseParamDBId() : 0; }
    quint32 BaseParamId() const { return Row() ? Row()->BaseParamId() : 0; }
    // The card closes when its element type, unit or base parameter is deleted.
    bool LinkedToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const override;

    // --- The option bits being edited
    quint32 Flags() const { return FFlags; }
    // Takes the bits: the base-parameter editor is enabled exactly while NLTBP is clear, the
    // strip shows the bits, and the card is modified.
    void SetFlags(quint32 AValue);
    const TKVParamFlagChecks& FlagChecks() const { return FChecks; }
    // The text of the strip's panel AIndex (in the order of KVParamFlagNames).
    QString FlagPanelText(int AIndex) const;
    // Runs a command of the "Доп." menu.
    void RunFlagCommand(TKVParamFlagCommand ACommand);
    // "&Указать точность параметра": the tolerance dialog and its results.
    void pmiAddFunct_ValPrecClick();

    // --- Components
    QLineEdit* ParamName_TextEdit() const { return FNameEdit; }
    QLineEdit* ParamDesc_TextEdit() const { return FDescEdit; }
    QCheckBox* ParamMinVal_CheckBox() const { return FValues[0].Check; }
    QLineEdit* ParamMinVal_SpinEdit() const { return FValues[0].Edit; }
    QCheckBox* ParamTypeVal_CheckBox() const { return FValues[1].Check; }
    QLineEdit* ParamTypeVal_SpinEdit() const { return FValues[1].Edit; }
    QCheckBox* ParamMaxVal_CheckBox() const { return FValues[2].Check; }
    QLineEdit* ParamMaxVal_SpinEdit() const { return FValues[2].Edit; }
    QLineEdit* ParamStrVal_TextEdit() const { return FStrValEdit; }
    QComboBox* ParamBoolVal_ComboBox() const { return FBoolCombo; }
    TKVButtonEdit* ParamUnit_ButtonEdit() const { return FUnitEdit; }
    QLineEdit* ParamTestCond_TextEdit() const { return FTestCondEdit; }
    TKVButtonEdit* ParamBP_ButtonEdit() const { return FBPEdit; }
    QLineEdit* ParamParamUPID_TextEdit() const { return FUPIDEdit; }
    QMenu* AddFunct_PopupMenu() const { return FAddFunctMenu; }
    // The menu item of a command (pfcSetValNum ...), or of the tolerance for nullopt.
    QAction* FlagItem(std::optional<TKVParamFlagCommand> ACommand) const;

protected:
    void CreateRecord(quint32 ADBId, quint32 AId) override;
    bool ReadNewRecord(TIBQuery& AQuery) override;
    void BindFields(TIBQuery& AQuery, const QString& APrefix) const override;
    void FillEditors() override;
    // The numbers in use are numbers, the minimum not above the maximum.
    bool CheckEditors() override;
    void StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) override;
    void SetEditorsReadOnly(bool AValue) override;
    QLineEdit* NewRecordEditor() const override;
    void OpenCopy() override;
    void RecordCommitted() override;

private:
    struct TValueEditor {
        QCheckBox* Check = nullptr;
        QLineEdit* Edit = nullptr;
        QString Field;
    };
    // A value editor's change: the card is modified; a value above 0 ticks its box.
    void ValueChanged(const TValueEditor& AEditor);
    // The base parameter chosen (or cleared): its UPID and unit come with it.
    void SetBaseParam(quint32 ADBId, quint32 AId, const QString& AName);
    // The unit chosen (or cleared); without a unit the value is no nominal.
    void SetUnit(quint32 ADBId, quint32 AId, const QString& APrefix);
    void ApplyFlagChecks();

    quint32 FInitElementTypeDBId = 0;
    quint32 FInitElementTypeId = 0;
    quint32 FInitBaseParamDBId = 0;
    quint32 FInitBaseParamId = 0;
    quint32 FFlags = 0;
    TKVParamFlagChecks FChecks;
    // The numbers CheckEditors read (nullopt: not in use).
    std::optional<double> FCheckedValues[3];

    QLineEdit* FNameEdit = nullptr;
    QLineEdit* FDescEdit = nullptr;
    TValueEditor FValues[3];
    QLineEdit* FStrValEdit = nullptr;
    QComboBox* FBoolCombo = nullptr;
    QLabel* FFlagPanels[6] = {};
    TKVButtonEdit* FUnitEdit = nullptr;
    QLineEdit* FTestCondEdit = nullptr;
    TKVButtonEdit* FBPEdit = nullptr;
    QLineEdit* FUPIDEdit = nullptr;
    QToolButton* FAddFunctButton = nullptr;
    QMenu* FAddFunctMenu = nullptr;
    QAction* FValPrecItem = nullptr;
    QAction* FCommandItems[6] = {};
};

// Opens the card (see TfrmParamEdit::Init); nullptr when the value, its element type or the
// base parameter was not found.
TfrmParamEdit* OpenCardParam(quint32 ADBId, quint32 AId, bool ACreateCopyFlag,
                             quint32 AElementTypeDBId, quint32 AElementTypeId,
                             quint32 ABaseParamDBId, quint32 ABaseParamId);
