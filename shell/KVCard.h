#pragma once

// The base of every record card: the modified flag and the caption marks, the read-only test,
// the save question when a modified card closes, and the forced close that drops unsaved edits
// without asking (used when the main window closes all windows and when a list deletes the
// record a card shows).

#include "shell/KVMDIChild.h"

#include <QString>

class TKVCard : public TKVMDIChild {
    Q_OBJECT
public:
    explicit TKVCard(QWidget* AParent = nullptr);

    TKVChildKind ChildKind() const final { return ckCard; }

    // The editors hold changes not yet saved.
    bool ModifedData() const { return FModifedData; }
    // Sets the flag and the caption: CardName followed by " *" when modified, else by
    // " (только просмотр)" when the card is read-only, else CardName alone.
    void SetModifedData(bool AValue);
    // The name the card shows in its caption; setting it stores the text only.
    const QString& CardName() const { return FCardName; }
    void SetCardName(const QString& AValue) { FCardName = AValue; }

    // Whether the record must not be changed here: the value in force of option ReadOnly or a
    // read-only database. Cards of records keyed by (DBID, ID) add the DBID rules.
    virtual bool ReadOnly() const;
    // Checks and saves the record; true when it is saved.
    virtual bool SaveItem() = 0;
    // Closes the card without the save question; unsaved edits are dropped.
    void ForciblyCloseItem();

protected:
    // A modified card asks whether to save: Yes closes only when the save succeeds, No closes
    // without saving, Cancel keeps the card open.
    bool CloseQuery() override;

private:
    bool FModifedData = false;
    QString FCardName;
};
