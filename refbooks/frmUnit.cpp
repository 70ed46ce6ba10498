#include "refbooks/frmUnit.h"

namespace {

constexpr quint32 kIcon = 2014;

} // namespace

TfrmUnit::TfrmUnit(QWidget* AParent) : TKVBookHost({QSize(292, 153), QSize(300, 180)}, AParent) {}

TfrmSelectUnit::TfrmSelectUnit(QWidget* AParent)
    // Opens 300 wide; a stored width is taken only from 500 up.
    : TKVBookSelectDialog({QSize(300, 180), QSize(500, 180)}, tr("Выбор единицы измерения"),
                          AParent) {}

TfrmUnit* OpenRBUnit() {
    return OpenListHost<TfrmUnit>(
        kIcon, [](T_frmUnit& AFrame) { AFrame.Init(true); },
        [](T_frmUnit&) { return TfrmUnit::tr("Единицы измерения"); });
}

void SelectUnit(quint32 ASelectDBId, quint32 ASelectId, TKVSelectedItemDBData& AResult) {
    AResult = RunSelectDialog<TfrmSelectUnit>(kIcon, ASelectDBId, ASelectId,
                                              [](T_frmUnit& AFrame) { AFrame.Init(false); });
}
