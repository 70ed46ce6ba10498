#include "refbooks/frmCase.h"

#include "resources/KVResources.h"
#include "shell/ufrmMain.h"

namespace {

constexpr quint32 kIcon = 2014;

} // namespace

TfrmCase::TfrmCase(QWidget* AParent) : TKVListHost({QSize(492, 153), QSize(300, 180)}, AParent) {
    F_frmCase1 = new T_frmCase(this);
    SetFrame(F_frmCase1);
}

TfrmSelectCase::TfrmSelectCase(QWidget* AParent)
    // Opens 500 wide; a stored width is taken only from 500 up.
    : TKVSelectDialog({QSize(500, 180), QSize(500, 180)}, AParent) {
    setWindowTitle(tr("Выбор корпуса"));
    F_frmCase1 = new T_frmCase(this);
    SetFrame(F_frmCase1);
}

TfrmCase* OpenRBCase() {
    if (!frmMain)
        return nullptr;
    auto* host = new TfrmCase; // the workspace owns it once shown
    host->setWindowIcon(ResourceIcon(kIcon));
    host->CaseFrame()->Init(true);
    host->setWindowTitle(TfrmCase::tr("Корпуса"));
    host->ShowHost();
    return host;
}

void SelectCase(quint32 ASelectDBId, quint32 ASelectId, TKVSelectedItemDBData& AResult) {
    TfrmSelectCase dialog;
    dialog.setWindowIcon(ResourceIcon(kIcon));
    dialog.SetSelectDBId(ASelectDBId);
    dialog.SetSelectId(ASelectId);
    dialog.CaseFrame()->Init(false);
    dialog.ApplyStoredSize();
    AResult = dialog.Execute();
}
