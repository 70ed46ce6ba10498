#pragma once

// The list-item picker: one line chosen from a list of lines. A double click or OK takes the
// selected line; with "must select", OK without a selected line keeps the dialog open.

#include <QDialog>
#include <QString>
#include <QStringList>

class QListWidget;
class T_frmOkCancel;

// The index of the line chosen in the last picker closed with OK, -1 when none was selected.
extern int SelectedListItemIndex;
// That line; unchanged when none was selected.
extern QString SelectedListItemText;

class TfrmListItemSelect : public QDialog {
    Q_OBJECT
public:
    // ALines fill the list; the line AItemIndex is selected (-1, or an index outside the list,
    // selects none); AMustSelect: OK needs a selected line.
    TfrmListItemSelect(const QString& ACaption, const QStringList& ALines, int AItemIndex,
                       bool AMustSelect, QWidget* AParent = nullptr);

    QListWidget* ListBox() const { return FListItems_ListBox; }
    T_frmOkCancel* OkCancel() const { return F_frmOkCancel1; }
    bool CompSelect() const { return FCompSelect; }

    // OK: the selected line goes to SelectedListItemIndex and SelectedListItemText, and the
    // dialog closes unless a line must be selected and none is. Any other result closes it.
    void done(int AResult) override;
    // Closes with the Cancel result (2).
    void reject() override;

protected:
    void showEvent(QShowEvent* AEvent) override;

private:
    QListWidget* FListItems_ListBox = nullptr;
    T_frmOkCancel* F_frmOkCancel1 = nullptr;
    bool FCompSelect = false;
};

// Shows the picker on the lines of AText (separated by line breaks; a break after the last
// line adds no empty line) modally; 1 for OK, 2 for Cancel.
int SelectListItem(const QString& ACaption, const QString& AText, int AItemIndex, bool AMustSelect);
// The same on a copy of AStrings; nullptr gives an empty list.
int SelectListItemFromStrings(const QString& ACaption, const QStringList* AStrings, int AItemIndex,
                              bool AMustSelect);
