#include "shell/KVCard.h"

#include "core/udmMain.h"
#include "shell/uMessage.h"

TKVCard::TKVCard(QWidget* AParent) : TKVMDIChild(AParent) {}

void TKVCard::SetModifedData(bool AValue) {
    FModifedData = AValue;
    if (AValue)
        setWindowTitle(FCardName + QStringLiteral(" *"));
    else if (ReadOnly())
        setWindowTitle(FCardName + tr(" (только просмотр)"));
    else
        setWindowTitle(FCardName);
}

bool TKVCard::ReadOnly() const {
    return dmMain ? dmMain->CurrentDBReadOnly() : ::ReadOnly;
}

void TKVCard::ForciblyCloseItem() {
    FModifedData = false;
    CloseWindow();
}

bool TKVCard::CloseQuery() {
    if (!FModifedData)
        return true;
    // The first letter is a Latin C.
    switch (ShowMessageDlg(tr("Cохранить изменения в карточке?"), mdkConfirmation,
                           mdbYes | mdbNo | mdbCancel, 0)) {
    case mrYes:
        return SaveItem();
    case mrNo:
        return true;
    default:
        return false;
    }
}
