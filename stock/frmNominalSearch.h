#pragma once

// The nominal-value search of the stock: a comparison ("равно", "больше или равно",
// "меньше или равно" or "в диапазоне"), its value or range, and optionally the unit of measure
// the nominal must be given in. On OK the stock list opens in its nominal mode with them; the
// range is passed as entered (a start above the end finds nothing).

#include "core/KVElementAvail.h"
#include "shell/KVDialog.h"

#include <QtGlobal>

class QComboBox;
class QDoubleSpinBox;
class QStackedWidget;
class TKVButtonEdit;
class T_frmOkCancel;

// The criteria of a nominal-value search.
struct TKVNominalSearchCriteria {
    TKVElementAvailNominalSearchType SearchType = eanstEqual;
    double Value1 = 0;
    double Value2 = 0;
    quint32 UnitDBId = 0; // 0, 0: any unit
    quint32 UnitId = 0;
};

class TfrmNominalSearch : public TKVDialog {
    Q_OBJECT
public:
    explicit TfrmNominalSearch(QWidget* AParent = nullptr);

    QComboBox* SearchType_ComboBox() const { return FSearchTypeBox; }
    QStackedWidget* SearchType_Notebook() const { return FNotebook; }
    QDoubleSpinBox* NumVal_SpinEdit() const { return FNumValEdit; }
    QDoubleSpinBox* BeginNumRangVal_SpinEdit() const { return FBeginEdit; }
    QDoubleSpinBox* EndNumRangVal_SpinEdit() const { return FEndEdit; }
    TKVButtonEdit* Unit_ButtonEdit() const { return FUnitEdit; }
    T_frmOkCancel* OkCancel() const { return FOkCancel; }

    // The criteria as the fields stand.
    TKVNominalSearchCriteria Criteria() const;

protected:
    bool eventFilter(QObject* AObject, QEvent* AEvent) override;

private:
    void SearchTypeChange(int AIndex);
    void UnitButtonClick();
    void ClearUnit();

    QComboBox* FSearchTypeBox = nullptr;
    QStackedWidget* FNotebook = nullptr;
    QDoubleSpinBox* FNumValEdit = nullptr;
    QDoubleSpinBox* FBeginEdit = nullptr;
    QDoubleSpinBox* FEndEdit = nullptr;
    TKVButtonEdit* FUnitEdit = nullptr;
    T_frmOkCancel* FOkCancel = nullptr;
    quint32 FUnitDBId = 0;
    quint32 FUnitId = 0;
};

// The criteria of the last nominal search accepted.
extern TKVNominalSearchCriteria NominalSearchCriteria;

// Runs the dialog; on OK keeps its criteria and runs the search. Returns the modal result.
int ShowNominalSearchDlg();
// Opens the stock list on the kept criteria.
void RunNominalSearch();
