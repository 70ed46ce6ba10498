#include "refbooks/frmMaker.h"

#include "resources/KVResources.h"
#include "shell/ufrmMain.h"

namespace {

constexpr quint32 kIcon = 2014;

} // namespace

TfrmMaker::TfrmMaker(QWidget* AParent) : TKVListHost({QSize(392, 153), QSize(300, 180)}, AParent) {
    F_frmMaker1 = new T_frmMaker(this);
    SetFrame(F_frmMaker1);
}

TfrmSelectMaker::TfrmSelectMaker(QWidget* AParent)
    // Opens 400 wide; a stored width is taken only from 500 up.
    : TKVSelectDialog({QSize(400, 180), QSize(500, 180)}, AParent) {
    setWindowTitle(tr("Выбор производителя"));
    F_frmMaker1 = new T_frmMaker(this);
    SetFrame(F_frmMaker1);
}

TfrmMaker* OpenRBMaker() {
    if (!frmMain)
        return nullptr;
    auto* host = new TfrmMaker; // the workspace owns it once shown
    host->setWindowIcon(ResourceIcon(kIcon));
    host->MakerFrame()->Init(true);
    host->setWindowTitle(TfrmMaker::tr("Производители"));
    host->ShowHost();
    return host;
}

void SelectMaker(quint32 ASelectDBId, quint32 ASelectId, TKVSelectedItemDBData& AResult) {
    TfrmSelectMaker dialog;
    dialog.setWindowIcon(ResourceIcon(kIcon));
    dialog.SetSelectDBId(ASelectDBId);
    dialog.SetSelectId(ASelectId);
    dialog.MakerFrame()->Init(false);
    dialog.ApplyStoredSize();
    AResult = dialog.Execute();
}
