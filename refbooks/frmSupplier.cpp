#include "refbooks/frmSupplier.h"

namespace {

constexpr quint32 kIcon = 2014;

} // namespace

TfrmSupplier::TfrmSupplier(QWidget* AParent)
    : TKVBookHost({QSize(492, 153), QSize(300, 180)}, AParent) {}

TfrmSelectSupplier::TfrmSelectSupplier(QWidget* AParent)
    : TKVBookSelectDialog({QSize(500, 180), QSize(300, 180)}, tr("Выбор поставщика"), AParent) {}

TfrmSupplier* OpenRBSupplier() {
    return OpenListHost<TfrmSupplier>(
        kIcon, [](T_frmSupplier& AFrame) { AFrame.Init(true); },
        [](T_frmSupplier&) { return TfrmSupplier::tr("Поставщики"); });
}

void SelectSupplier(quint32 ASelectId, TKVSelectedLocalItemDBData& AResult) {
    AResult = LocalSelection(RunSelectDialog<TfrmSelectSupplier>(
        kIcon, 0, ASelectId, [](T_frmSupplier& AFrame) { AFrame.Init(false); }));
}
