#pragma once

// The find dialog: asks for the pattern of the four name searches (element types or stock
// records, by name or by marking). The pattern uses "*" for any sequence, "?" for any one
// character and "\" before either to make it literal. With "Простой поиск (автошаблон)" ticked
// the text becomes a "contains" pattern. The dialog refuses an empty pattern and one of stars
// only (the focus stays on the pattern, no message), keeps the patterns used during the run in
// the data module's FindHotItems and leaves the accepted pattern in FindText.

#include "shell/KVDialog.h"
#include "shell/KVOpeners.h"

#include <QString>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLabel;
class T_frmOkCancel;

class TfrmFind : public TKVDialog {
    Q_OBJECT
public:
    explicit TfrmFind(QWidget* AParent = nullptr);

    TKVFindType FindType() const { return FFindType; }
    // Sets the kind and the caption that names it.
    void SetFindType(TKVFindType AFindType);

    QComboBox* Find_ComboBox() const { return FFindBox; }
    QCheckBox* SimpleFind_CheckBox() const { return FSimpleFindBox; }
    T_frmOkCancel* OkCancel() const { return FOkCancel; }

    // The caption of a kind.
    static QString FindTypeCaption(TKVFindType AFindType);
    // True when the pattern, trimmed, holds something besides stars.
    static bool CheckFindStr(const QString& AText);
    // The pattern the dialog accepts for the text typed: trimmed, and with ASimple made a
    // "contains" pattern.
    static QString AcceptedFindText(const QString& AText, bool ASimple);
    // Appends AText to AHotItems unless a line equal to it ignoring letter case is there.
    static void AddFindHotItems(QStringList& AHotItems, const QString& AText);

    // OK checks the pattern: a refused one keeps the dialog open with the focus on it;
    // an accepted one goes to FindText and the history.
    void done(int AResult) override;

private:
    TKVFindType FFindType = ftElementTypeName;
    QLabel* FFindLabel = nullptr;
    QComboBox* FFindBox = nullptr;
    QLabel* FInfoLabel = nullptr;
    QCheckBox* FSimpleFindBox = nullptr;
    T_frmOkCancel* FOkCancel = nullptr;
};

// The pattern accepted by the last ShowFindDlg that closed with OK.
extern QString FindText;

// Runs the find dialog of AFindType; returns the modal result (mrOk: the pattern is in
// FindText).
int ShowFindDlg(TKVFindType AFindType);
