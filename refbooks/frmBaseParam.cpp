#include "refbooks/frmBaseParam.h"

namespace {

constexpr quint32 kIcon = 2014;

} // namespace

TfrmBaseParam::TfrmBaseParam(QWidget* AParent)
    : TKVBookHost({QSize(392, 153), QSize(300, 180)}, AParent) {}

TfrmSelectBaseParam::TfrmSelectBaseParam(QWidget* AParent)
    : TKVBookSelectDialog({QSize(500, 180), QSize(300, 180)}, tr("Выбор базового параметра"),
                          AParent) {}

TfrmBaseParam* OpenRBBaseParam(quint32 AClassDBId, quint32 AClassId) {
    return OpenListHost<TfrmBaseParam>(
        kIcon, [&](T_frmBaseParam& AFrame) { AFrame.Init(true, AClassDBId, AClassId); },
        [](T_frmBaseParam& AFrame) {
            return QStringLiteral("%1 - %2").arg(AFrame.BPClassName(),
                                                 TfrmBaseParam::tr("Базовые параметры"));
        });
}

void SelectBaseParam(quint32 AClassDBId, quint32 AClassId, quint32 ASelectDBId, quint32 ASelectId,
                     TKVSelectedItemDBData& AResult) {
    AResult = RunSelectDialog<TfrmSelectBaseParam>(
        kIcon, ASelectDBId, ASelectId,
        [&](T_frmBaseParam& AFrame) { AFrame.Init(false, AClassDBId, AClassId); });
}
