#include "refbooks/frmUnit.h"

#include "resources/KVResources.h"
#include "shell/ufrmMain.h"

namespace {

constexpr quint32 kIcon = 2014;

} // namespace

TfrmUnit::TfrmUnit(QWidget* AParent) : TKVListHost({QSize(292, 153), QSize(300, 180)}, AParent) {
    F_frmUnit1 = new T_frmUnit(this);
    SetFrame(F_frmUnit1);
}

TfrmSelectUnit::TfrmSelectUnit(QWidget* AParent)
    // Opens 300 wide; a stored width is taken only from 500 up.
    : TKVSelectDialog({QSize(300, 180), QSize(500, 180)}, AParent) {
    setWindowTitle(tr("Выбор единицы измерения"));
    F_frmUnit1 = new T_frmUnit(this);
    SetFrame(F_frmUnit1);
}

TfrmUnit* OpenRBUnit() {
    if (!frmMain)
        return nullptr;
    auto* host = new TfrmUnit; // the workspace owns it once shown
    host->setWindowIcon(ResourceIcon(kIcon));
    host->UnitFrame()->Init(true);
    host->setWindowTitle(TfrmUnit::tr("Единицы измерения"));
    host->ShowHost();
    return host;
}

void SelectUnit(quint32 ASelectDBId, quint32 ASelectId, TKVSelectedItemDBData& AResult) {
    TfrmSelectUnit dialog;
    dialog.setWindowIcon(ResourceIcon(kIcon));
    dialog.SetSelectDBId(ASelectDBId);
    dialog.SetSelectId(ASelectId);
    dialog.UnitFrame()->Init(false);
    dialog.ApplyStoredSize();
    AResult = dialog.Execute();
}
