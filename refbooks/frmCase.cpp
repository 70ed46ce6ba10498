#include "refbooks/frmCase.h"

namespace {

constexpr quint32 kIcon = 2014;

} // namespace

TfrmCase::TfrmCase(QWidget* AParent) : TKVBookHost({QSize(492, 153), QSize(300, 180)}, AParent) {}

TfrmSelectCase::TfrmSelectCase(QWidget* AParent)
    // Opens 500 wide; a stored width is taken only from 500 up.
    : TKVBookSelectDialog({QSize(500, 180), QSize(500, 180)}, tr("Выбор корпуса"), AParent) {}

TfrmCase* OpenRBCase() {
    return OpenListHost<TfrmCase>(
        kIcon, [](T_frmCase& AFrame) { AFrame.Init(true); },
        [](T_frmCase&) { return TfrmCase::tr("Корпуса"); });
}

void SelectCase(quint32 ASelectDBId, quint32 ASelectId, TKVSelectedItemDBData& AResult) {
    AResult = RunSelectDialog<TfrmSelectCase>(kIcon, ASelectDBId, ASelectId,
                                              [](T_frmCase& AFrame) { AFrame.Init(false); });
}
