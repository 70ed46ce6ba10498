#include "refbooks/frmClass.h"

namespace {

constexpr quint32 kIcon = 2015;

} // namespace

TfrmClass::TfrmClass(QWidget* AParent) : TKVBookHost({QSize(270, 300), QSize(160, 180)}, AParent) {}

TfrmSelectClass::TfrmSelectClass(QWidget* AParent)
    : TKVBookSelectDialog({QSize(270, 300), QSize(160, 180)}, tr("Выбор класса"), AParent) {}

TfrmClass* OpenRBClass() {
    return OpenListHost<TfrmClass>(
        kIcon, [](T_frmClass& AFrame) { AFrame.Init(true); },
        [](T_frmClass&) { return TfrmClass::tr("Классы элементов"); });
}

void SelectClass(quint32 ASelectDBId, quint32 ASelectId, quint32 AExcludeDBId, quint32 AExcludeId,
                 TKVSelectedItemDBData& ASelected) {
    ASelected =
        RunSelectDialog<TfrmSelectClass>(kIcon, ASelectDBId, ASelectId, [&](T_frmClass& AFrame) {
            AFrame.SetExclude(AExcludeDBId, AExcludeId);
            AFrame.Init(false);
        });
}
