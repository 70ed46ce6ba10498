#pragma once

// The condition dialog of the parametric search: the base parameter tested (one of the searched
// class's base parameters), the search type and the value or values that type needs. Numbers
// are typed in the user's format; a value that is no number, a range whose start is not below
// its end, a blank text and a missing base parameter are refused by moving the focus to the
// field at fault, with no message.

#include "core/KVParamSearch.h"
#include "shell/KVDialog.h"

class QComboBox;
class QLineEdit;
class QStackedWidget;
class TKVButtonEdit;
class T_frmOkCancel;

// The condition being edited, with the class searched in and the base parameter's name.
struct TKVParamSearchItemValue : TKVParamSearchData {
    quint32 PSClassDBId = 0;
    quint32 PSClassId = 0;
    TKVName BaseParamName;
};

// The condition of the last dialog closed with OK.
extern TKVParamSearchItemValue ParamSearchItemValue;

class TfrmParamSearchItemEdit : public TKVDialog {
    Q_OBJECT
public:
    explicit TfrmParamSearchItemEdit(QWidget* AParent = nullptr);

    // Fills the fields and ParamSearchItemValue from AValue.
    void Init(const TKVParamSearchItemValue& AValue);
    // Validates the fields and takes their values into ParamSearchItemValue; false (with the
    // focus on the field at fault) when they cannot be taken.
    bool CheckParamSearchData();

    // OK closes only when the fields are valid; any other result closes at once.
    void done(int AResult) override;

    // --- Components
    TKVButtonEdit* BaseParam_ButtonEdit() const { return FBaseParamEdit; }
    QComboBox* SearchType_ComboBox() const { return FSearchTypeCombo; }
    QStackedWidget* SearchType_Notebook() const { return FNotebook; }
    QLineEdit* NumVal_SpinEdit() const { return FNumValEdit; }
    QLineEdit* BeginNumRangVal_SpinEdit() const { return FBeginEdit; }
    QLineEdit* EndNumRangVal_SpinEdit() const { return FEndEdit; }
    QLineEdit* StrVal_TextEdit() const { return FStrValEdit; }
    QComboBox* LogicVal_ComboBox() const { return FLogicCombo; }
    T_frmOkCancel* OkCancel() const { return FOkCancel; }

    // Picks the base parameter among the searched class's (the ellipsis button).
    void SelectBaseParamClick();

protected:
    bool eventFilter(QObject* AObject, QEvent* AEvent) override;

private:
    void SearchTypeChanged(int AIndex);
    void ClearBaseParam();

    TKVButtonEdit* FBaseParamEdit = nullptr;
    QComboBox* FSearchTypeCombo = nullptr;
    QStackedWidget* FNotebook = nullptr;
    QLineEdit* FNumValEdit = nullptr;
    QLineEdit* FBeginEdit = nullptr;
    QLineEdit* FEndEdit = nullptr;
    QLineEdit* FStrValEdit = nullptr;
    QComboBox* FLogicCombo = nullptr;
    T_frmOkCancel* FOkCancel = nullptr;
};

// Edits AValue in the dialog; 0 without showing it when AValue has no class, else the modal
// result (1 for OK, the condition then in ParamSearchItemValue).
int ShowParamSearchItemDlg(const TKVParamSearchItemValue& AValue);
