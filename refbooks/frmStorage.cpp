#include "refbooks/frmStorage.h"

#include "resources/KVResources.h"
#include "shell/frmOptions.h"
#include "shell/ufrmMain.h"

namespace {

constexpr quint32 kIcon = 2015;

} // namespace

TfrmStorage::TfrmStorage(QWidget* AParent)
    : TKVListHost({QSize(270, 300), QSize(160, 180)}, AParent) {
    F_frmStorage1 = new T_frmStorage(this);
    SetFrame(F_frmStorage1);
}

TfrmSelectStorage::TfrmSelectStorage(QWidget* AParent)
    : TKVSelectDialog({QSize(270, 300), QSize(160, 180)}, AParent) {
    setWindowTitle(tr("Выбор места хранения"));
    F_frmStorage1 = new T_frmStorage(this);
    SetFrame(F_frmStorage1);
}

TfrmStorage* OpenRBStorage() {
    if (!frmMain)
        return nullptr;
    auto* host = new TfrmStorage; // the workspace owns it once shown
    host->setWindowIcon(ResourceIcon(kIcon));
    host->StorageFrame()->Init(true);
    host->setWindowTitle(TfrmStorage::tr("Места хранения"));
    host->ShowHost();
    return host;
}

void TfrmSelectStorage::SelectStorage(quint32 ASelectId, quint32 AExcludeId,
                                      TKVSelectedLocalItemDBData& ASelected) {
    TfrmSelectStorage dialog;
    dialog.setWindowIcon(ResourceIcon(kIcon));
    dialog.SetSelectId(ASelectId);
    dialog.SetExcludeId(AExcludeId);
    dialog.StorageFrame()->Init(false);
    dialog.ApplyStoredSize();
    ASelected = dialog.ExecuteLocal();
}

void InstallSetupSelectStorage() {
    SetSetupSelectStorage([](quint32 ASelectId, quint32 AExcludeId) {
        TKVSelectedLocalItemDBData selected;
        TfrmSelectStorage::SelectStorage(ASelectId, AExcludeId, selected);
        return selected;
    });
}
