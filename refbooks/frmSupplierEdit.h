#pragma once

// The card of a supplier: name (required), postal address, telephone numbers, the address of
// its web site, which the card's button opens, and a description.

#include "core/KVSupplier.h"
#include "views/KVRecordCard.h"

#include <memory>

class QPlainTextEdit;

class TfrmSupplierEdit : public TKVBookCard<TKVSupplier> {
    Q_OBJECT
public:
    explicit TfrmSupplierEdit(QWidget* AParent = nullptr);

    const TKVSupplier* Supplier() const { return Row(); }

    using TKVRecordCard::Init;
    // Opens the supplier AId, a new supplier for 0, or a copy of AId with ACreateCopyFlag.
    bool Init(quint32 AId, bool ACreateCopyFlag) {
        return TKVRecordCard::Init(0, AId, ACreateCopyFlag);
    }

    QLineEdit* SupplierName_TextEdit() const { return FNameEdit; }
    QLineEdit* SupplierAddress_TextEdit() const { return FAddressEdit; }
    QLineEdit* SupplierPhone_TextEdit() const { return FPhoneEdit; }
    TKVButtonEdit* SupplierUrl_ButtonEdit() const { return FUrlEdit; }
    QPlainTextEdit* SupplierDesc_Memo() const { return FDescMemo; }

    // The web address editor's button: opens the address as the editor holds it.
    void SupplierUrl_ButtonEditPropertiesButtonClick();

protected:
    void BindFields(TIBQuery& AQuery, const QString& APrefix) const override;
    void FillEditors() override;
    void StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) override;

private:
    QLineEdit* FNameEdit = nullptr;
    QLineEdit* FAddressEdit = nullptr;
    QLineEdit* FPhoneEdit = nullptr;
    TKVButtonEdit* FUrlEdit = nullptr;
    QPlainTextEdit* FDescMemo = nullptr;
};

// Opens the card of supplier AId, of a new supplier for 0, or of a copy of AId with
// ACreateCopyFlag. Returns the card; nullptr when the supplier was not found.
TfrmSupplierEdit* OpenCardSupplier(quint32 AId, bool ACreateCopyFlag);
