#pragma once

// The revision-date search of the stock: the records revised (updated, or created when never
// updated) from a day to a day, either of which may be left empty, optionally in one storage
// place. On OK the stock list opens in its revision-date mode; with both dates empty the
// dialog stays open with the focus on the first date.

#include "platform/sys/SysUtils.h"
#include "shell/KVDialog.h"

#include <QtGlobal>

class QDateEdit;
class QLabel;
class TKVButtonEdit;
class T_frmOkCancel;

// The value of a date that is not given: below every date a search takes, so the stock list
// treats it as an open end.
inline constexpr TDateTime KVRevDateNotGiven = -700000;

// The criteria of a revision-date search.
struct TKVRevDateSearchCriteria {
    TDateTime RevDateBegin = KVRevDateNotGiven;
    TDateTime RevDateEnd = KVRevDateNotGiven;
    quint32 StorageId = 0; // 0: every place
};

class TfrmRevDateSearch : public TKVDialog {
    Q_OBJECT
public:
    explicit TfrmRevDateSearch(QWidget* AParent = nullptr);

    TKVButtonEdit* Storage_ButtonEdit() const { return FStorageEdit; }
    QDateEdit* RevDateBegin_DateEdit() const { return FBeginEdit; }
    QDateEdit* RevDateEnd_DateEdit() const { return FEndEdit; }
    T_frmOkCancel* OkCancel() const { return FOkCancel; }

    // An editor's date as a search date: KVRevDateNotGiven while it is empty.
    static TDateTime EditorDate(const QDateEdit* AEditor);
    // Empties a date editor.
    static void ClearDate(QDateEdit* AEditor);

    // The criteria as the fields stand.
    TKVRevDateSearchCriteria Criteria() const;

    // OK with neither date given keeps the dialog open.
    void done(int AResult) override;

protected:
    bool eventFilter(QObject* AObject, QEvent* AEvent) override;

private:
    QDateEdit* NewDateEdit(const char* AName);
    void StorageButtonClick();

    TKVButtonEdit* FStorageEdit = nullptr;
    QDateEdit* FBeginEdit = nullptr;
    QDateEdit* FEndEdit = nullptr;
    QLabel* FNoteLabel = nullptr;
    T_frmOkCancel* FOkCancel = nullptr;
    quint32 FStorageId = 0;
};

// The criteria of the last revision-date search accepted.
extern TKVRevDateSearchCriteria RevDateSearchCriteria;

// Runs the dialog; on OK keeps its criteria and runs the search. Returns the modal result.
int ShowRevDateSearchDlg();
// Opens the stock list on the kept criteria.
void RunRevDateSearch();
