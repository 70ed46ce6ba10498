#include "refbooks/frmSupplier.h"

#include "resources/KVResources.h"
#include "shell/ufrmMain.h"

namespace {

constexpr quint32 kIcon = 2014;

} // namespace

TfrmSupplier::TfrmSupplier(QWidget* AParent)
    : TKVListHost({QSize(492, 153), QSize(300, 180)}, AParent) {
    F_frmSupplier1 = new T_frmSupplier(this);
    SetFrame(F_frmSupplier1);
}

TfrmSelectSupplier::TfrmSelectSupplier(QWidget* AParent)
    : TKVSelectDialog({QSize(500, 180), QSize(300, 180)}, AParent) {
    setWindowTitle(tr("Выбор поставщика"));
    F_frmSupplier1 = new T_frmSupplier(this);
    SetFrame(F_frmSupplier1);
}

TfrmSupplier* OpenRBSupplier() {
    if (!frmMain)
        return nullptr;
    auto* host = new TfrmSupplier; // the workspace owns it once shown
    host->setWindowIcon(ResourceIcon(kIcon));
    host->SupplierFrame()->Init(true);
    host->setWindowTitle(TfrmSupplier::tr("Поставщики"));
    host->ShowHost();
    return host;
}

void SelectSupplier(quint32 ASelectId, TKVSelectedLocalItemDBData& AResult) {
    TfrmSelectSupplier dialog;
    dialog.setWindowIcon(ResourceIcon(kIcon));
    dialog.SetSelectId(ASelectId);
    dialog.SupplierFrame()->Init(false);
    dialog.ApplyStoredSize();
    AResult = dialog.ExecuteLocal();
}
