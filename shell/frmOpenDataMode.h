#pragma once

// The view chooser: a list of views (what a window can show about its records) from which the
// user picks one; the caller opens the chosen view itself. A double click or "Выбрать" takes
// the selected view; without a selected view the dialog stays open.

#include "shell/KVDialog.h"

#include <QString>
#include <QtGlobal>

#include <initializer_list>

class QTreeWidget;
class T_frmSelectCancel;

// The views, in the order of their ordinals.
enum TKVOpenDataModeType : quint8 {
    odmtNone = 0,
    odmtClassRB = 1,
    odmtClass = 2,
    odmtElementTypesOnClass = 3,
    odmtBaseParamsOnClass = 4,
    odmtElementSupplierOnClass = 5,
    odmtMakerRB = 6,
    odmtMaker = 7,
    odmtElementTypesOnMaker = 8,
    odmtCaseRB = 9,
    odmtUnitRB = 10,
    odmtElementType = 11,
    odmtParamOnElementType = 12,
    odmtPinOnElementType = 13,
    odmtElementSupplierOnElementType = 14,
    odmtAvailOnElementType = 15,
    odmtAnalogOnElementType = 16,
    odmtElementAvailRB = 17,
    odmtStorageRB = 18,
    odmtStorage = 19,
    odmtElementAvailsOnStorage = 20,
    odmtSupplierRB = 21,
    odmtSupplier = 22,
    odmtElementSupplierOnSupplier = 23,
    odmtProjectRBInProgress = 24,
    odmtProjectRBArhive = 25,
    odmtProject = 26,
    odmtProjectItems = 27,
    odmtNote = 28,
};
constexpr int OpenDataModeTypeCount = 29;

// A set of views: bit n is the view with ordinal n.
using TKVOpenDataModeTypes = quint32;

// The set of the views given.
constexpr TKVOpenDataModeTypes OpenDataModeSet(std::initializer_list<TKVOpenDataModeType> ATypes) {
    TKVOpenDataModeTypes set = 0;
    for (TKVOpenDataModeType type : ATypes)
        set |= TKVOpenDataModeTypes{1} << type;
    return set;
}

// The chooser's caption of a view; empty for odmtNone and for a value outside the views.
QString OpenDataModeTypeCaption(TKVOpenDataModeType AType);

// The view of the last chooser closed with a choice; odmtNone from the opening of a chooser
// until a view is chosen.
extern TKVOpenDataModeType SelectedOpenDataModeType;

class TfrmOpenDataMode : public TKVDialog {
    Q_OBJECT
public:
    // Lists the views of AOpenDataModeTypes (ordinals 1 to 28; other bits are ignored) in the
    // order of their ordinals, the first one selected.
    explicit TfrmOpenDataMode(TKVOpenDataModeTypes AOpenDataModeTypes, QWidget* AParent = nullptr);

    QTreeWidget* ListView() const { return FOpenDataMode_ListView; }
    T_frmSelectCancel* SelectCancel() const { return F_frmSelectCancel1; }
    // The view of a row of the list.
    TKVOpenDataModeType RowType(int ARow) const;

    // OK needs a selected row, whose view then goes to SelectedOpenDataModeType; any other
    // result closes the dialog.
    void done(int AResult) override;
    // The list's double click: OK when a row is selected.
    void OpenDataMode_ListViewDblClick();

protected:
    void showEvent(QShowEvent* AEvent) override;

private:
    int SelectedRow() const;

    QTreeWidget* FOpenDataMode_ListView = nullptr;
    T_frmSelectCancel* F_frmSelectCancel1 = nullptr;
};

// Resets SelectedOpenDataModeType and shows the chooser modally; 1 when a view was chosen
// (it is then in SelectedOpenDataModeType), 2 when cancelled.
int SelectOpenDataMode(TKVOpenDataModeTypes AOpenDataModeTypes);
