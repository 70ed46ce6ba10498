#include "refbooks/frmMaker.h"

namespace {

constexpr quint32 kIcon = 2014;

} // namespace

TfrmMaker::TfrmMaker(QWidget* AParent) : TKVBookHost({QSize(392, 153), QSize(300, 180)}, AParent) {}

TfrmSelectMaker::TfrmSelectMaker(QWidget* AParent)
    // Opens 400 wide; a stored width is taken only from 500 up.
    : TKVBookSelectDialog({QSize(400, 180), QSize(500, 180)}, tr("Выбор производителя"), AParent) {}

TfrmMaker* OpenRBMaker() {
    return OpenListHost<TfrmMaker>(
        kIcon, [](T_frmMaker& AFrame) { AFrame.Init(true); },
        [](T_frmMaker&) { return TfrmMaker::tr("Производители"); });
}

void SelectMaker(quint32 ASelectDBId, quint32 ASelectId, TKVSelectedItemDBData& AResult) {
    AResult = RunSelectDialog<TfrmSelectMaker>(kIcon, ASelectDBId, ASelectId,
                                               [](T_frmMaker& AFrame) { AFrame.Init(false); });
}
