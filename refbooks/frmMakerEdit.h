#pragma once

// The card of a maker: name (required), the address of its web site, which the card's button
// opens, and a description.

#include "core/KVMaker.h"
#include "views/KVRecordCard.h"

#include <memory>

class QPlainTextEdit;

class TfrmMakerEdit : public TKVBookCard<TKVMaker> {
    Q_OBJECT
public:
    explicit TfrmMakerEdit(QWidget* AParent = nullptr);

    const TKVMaker* Maker() const { return Row(); }

    QLineEdit* MakerName_TextEdit() const { return FNameEdit; }
    TKVButtonEdit* MakerUrl_ButtonEdit() const { return FUrlEdit; }
    QPlainTextEdit* MakerDesc_Memo() const { return FDescMemo; }

    // The web address editor's button: opens the address as the editor holds it.
    void MakerUrl_ButtonEditPropertiesButtonClick();

protected:
    void BindFields(TIBQuery& AQuery, const QString& APrefix) const override;
    void FillEditors() override;
    void StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) override;

private:
    QLineEdit* FNameEdit = nullptr;
    TKVButtonEdit* FUrlEdit = nullptr;
    QPlainTextEdit* FDescMemo = nullptr;
};

// Opens the card of maker (ADBId, AId), of a new maker for (0, 0), or of a copy of
// (ADBId, AId) with ACreateCopyFlag. Returns the card; nullptr when the maker was not found.
TfrmMakerEdit* OpenCardMaker(quint32 ADBId, quint32 AId, bool ACreateCopyFlag);
