#include "refbooks/frmStorage.h"

#include "shell/frmOptions.h"

namespace {

constexpr quint32 kIcon = 2015;

} // namespace

TfrmStorage::TfrmStorage(QWidget* AParent)
    : TKVBookHost({QSize(270, 300), QSize(160, 180)}, AParent) {}

TfrmSelectStorage::TfrmSelectStorage(QWidget* AParent)
    : TKVBookSelectDialog({QSize(270, 300), QSize(160, 180)}, tr("Выбор места хранения"), AParent) {
}

TfrmStorage* OpenRBStorage() {
    return OpenListHost<TfrmStorage>(
        kIcon, [](T_frmStorage& AFrame) { AFrame.Init(true); },
        [](T_frmStorage&) { return TfrmStorage::tr("Места хранения"); });
}

void TfrmSelectStorage::SelectStorage(quint32 ASelectId, quint32 AExcludeId,
                                      TKVSelectedLocalItemDBData& ASelected) {
    ASelected = LocalSelection(
        RunSelectDialog<TfrmSelectStorage>(kIcon, 0, ASelectId, [&](T_frmStorage& AFrame) {
            AFrame.SetExclude(AExcludeId);
            AFrame.Init(false);
        }));
}

void InstallSetupSelectStorage() {
    SetSetupSelectStorage([](quint32 ASelectId, quint32 AExcludeId) {
        TKVSelectedLocalItemDBData selected;
        TfrmSelectStorage::SelectStorage(ASelectId, AExcludeId, selected);
        return selected;
    });
}
