#pragma once

// The card of one supplier price (T_ELEMENT_SUPPLIER): the element type, chosen through its
// class, the supplier, whether a price is given ("Указать цену") with the price in the
// database's currency, and a note. The price is typed in the user's regional number format and
// may not be negative. A read-only card changes nothing: its pickers, Del and the price editors
// are locked and it never saves. A saved price is reported to the open price lists, which show,
// move or drop it by their own mode.

#include "core/KVElementSupplier.h"
#include "views/KVRecordCard.h"

class QCheckBox;
class QLabel;

// A price as the program shows it: two decimals with the user's decimal separator.
QString KVPriceText(double APrice);

class TfrmElementSupplierEdit : public TKVBookCard<TKVElementSupplier> {
    Q_OBJECT
public:
    explicit TfrmElementSupplierEdit(QWidget* AParent = nullptr);

    // Opens the price AId, a copy of it with ACreateCopyFlag, or a new price (AId 0) of the
    // element type, at the supplier and in the class given (0: none; the class only when no type
    // is given).
    bool Init(quint32 ADBId, quint32 AId, bool ACreateCopyFlag, quint32 AElementTypeDBId,
              quint32 AElementTypeId, quint32 ASupplierId, quint32 AESClassDBId,
              quint32 AESClassId);

    const TKVElementSupplier* ElementSupplier() const { return Row(); }
    quint32 ElementTypeDBId() const { return Row() ? Row()->ElementTypeDBId() : 0; }
    quint32 ElementTypeId() const { return Row() ? Row()->ElementTypeId() : 0; }
    quint32 SupplierId() const { return Row() ? Row()->SupplierId() : 0; }
    quint32 ESClassDBId() const { return Row() ? Row()->ESClassDBId() : 0; }
    quint32 ESClassId() const { return Row() ? Row()->ESClassId() : 0; }
    // The card closes when its element type or its supplier is deleted.
    bool LinkedToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const override;

    // --- Components
    TKVButtonEdit* ElementSupplierClass_ButtonEdit() const { return FClassEdit; }
    TKVButtonEdit* ElementSupplierType_ButtonEdit() const { return FTypeEdit; }
    TKVButtonEdit* ElementSupplierSupplier_ButtonEdit() const { return FSupplierEdit; }
    QCheckBox* ElementSupplierPrice_CheckBox() const { return FPriceCheck; }
    QLineEdit* ElementSupplierPrice_CurrencyEdit() const { return FPriceEdit; }
    QLabel* ElementSupplierCurrStr_Label() const { return FCurrencyLabel; }
    QLineEdit* ElementSupplierDesk_TextEdit() const { return FTextEdit; }

protected:
    void CreateRecord(quint32 ADBId, quint32 AId) override;
    // The names of the type (with its class), the class and the supplier given to a new price.
    bool ReadNewRecord(TIBQuery& AQuery) override;
    void BindFields(TIBQuery& AQuery, const QString& APrefix) const override;
    void FillEditors() override;
    // Class, type and supplier chosen; a price given reads as a number that is not negative.
    bool CheckEditors() override;
    void StoreEditors(TDateTime ACreateDateTime, TDateTime AUpdateDateTime) override;
    QString RecordCardName() const override;
    void SetEditorsReadOnly(bool AValue) override;
    void OpenCopy() override;

private:
    void PriceChanged();

    quint32 FInitElementTypeDBId = 0;
    quint32 FInitElementTypeId = 0;
    quint32 FInitSupplierId = 0;
    quint32 FInitClassDBId = 0;
    quint32 FInitClassId = 0;
    // The price CheckEditors read from the editor.
    double FCheckedPrice = 0;

    TKVButtonEdit* FClassEdit = nullptr;
    TKVButtonEdit* FTypeEdit = nullptr;
    TKVButtonEdit* FSupplierEdit = nullptr;
    QCheckBox* FPriceCheck = nullptr;
    QLineEdit* FPriceEdit = nullptr;
    QLabel* FCurrencyLabel = nullptr;
    QLineEdit* FTextEdit = nullptr;
};

// Opens the card: the price AId, a copy of it with ACreateCopyFlag, or a new price (AId 0) with
// the defaults given. nullptr when the price was not found.
TfrmElementSupplierEdit* OpenCardElementSupplier(quint32 AId, bool ACreateCopyFlag,
                                                 quint32 AElementTypeDBId, quint32 AElementTypeId,
                                                 quint32 ASupplierId, quint32 AESClassDBId,
                                                 quint32 AESClassId);
