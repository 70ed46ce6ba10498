#include "refbooks/frmClass.h"

#include "resources/KVResources.h"
#include "shell/ufrmMain.h"

namespace {

constexpr quint32 kIcon = 2015;

} // namespace

TfrmClass::TfrmClass(QWidget* AParent) : TKVListHost({QSize(270, 300), QSize(160, 180)}, AParent) {
    F_frmClass1 = new T_frmClass(this);
    SetFrame(F_frmClass1);
}

TfrmSelectClass::TfrmSelectClass(QWidget* AParent)
    : TKVSelectDialog({QSize(270, 300), QSize(160, 180)}, AParent) {
    setWindowTitle(tr("Выбор класса"));
    F_frmClass1 = new T_frmClass(this);
    SetFrame(F_frmClass1);
}

TfrmClass* OpenRBClass() {
    if (!frmMain)
        return nullptr;
    auto* host = new TfrmClass; // the workspace owns it once shown
    host->setWindowIcon(ResourceIcon(kIcon));
    host->ClassFrame()->Init(true);
    host->setWindowTitle(TfrmClass::tr("Классы элементов"));
    host->ShowHost();
    return host;
}

void SelectClass(quint32 ASelectDBId, quint32 ASelectId, quint32 AExcludeDBId, quint32 AExcludeId,
                 TKVSelectedItemDBData& ASelected) {
    TfrmSelectClass dialog;
    dialog.setWindowIcon(ResourceIcon(kIcon));
    dialog.SetSelectDBId(ASelectDBId);
    dialog.SetSelectId(ASelectId);
    dialog.ClassFrame()->SetExclude(AExcludeDBId, AExcludeId);
    dialog.ClassFrame()->Init(false);
    dialog.ApplyStoredSize();
    ASelected = dialog.Execute();
}
