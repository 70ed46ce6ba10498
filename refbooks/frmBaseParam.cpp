#include "refbooks/frmBaseParam.h"

#include "resources/KVResources.h"
#include "shell/ufrmMain.h"

namespace {

constexpr quint32 kIcon = 2014;

} // namespace

TfrmBaseParam::TfrmBaseParam(QWidget* AParent)
    : TKVListHost({QSize(392, 153), QSize(300, 180)}, AParent) {
    F_frmBaseParam1 = new T_frmBaseParam(this);
    SetFrame(F_frmBaseParam1);
}

TfrmSelectBaseParam::TfrmSelectBaseParam(QWidget* AParent)
    : TKVSelectDialog({QSize(500, 180), QSize(300, 180)}, AParent) {
    setWindowTitle(tr("Выбор базового параметра"));
    F_frmBaseParam1 = new T_frmBaseParam(this);
    SetFrame(F_frmBaseParam1);
}

TfrmBaseParam* OpenRBBaseParam(quint32 AClassDBId, quint32 AClassId) {
    if (!frmMain)
        return nullptr;
    auto* host = new TfrmBaseParam; // the workspace owns it once shown
    host->setWindowIcon(ResourceIcon(kIcon));
    host->BaseParamFrame()->Init(true, AClassDBId, AClassId);
    host->setWindowTitle(QStringLiteral("%1 - %2").arg(host->BaseParamFrame()->BPClassName(),
                                                       TfrmBaseParam::tr("Базовые параметры")));
    host->ShowHost();
    return host;
}

void SelectBaseParam(quint32 AClassDBId, quint32 AClassId, quint32 ASelectDBId, quint32 ASelectId,
                     TKVSelectedItemDBData& AResult) {
    TfrmSelectBaseParam dialog;
    dialog.setWindowIcon(ResourceIcon(kIcon));
    dialog.SetSelectDBId(ASelectDBId);
    dialog.SetSelectId(ASelectId);
    dialog.BaseParamFrame()->Init(false, AClassDBId, AClassId);
    dialog.ApplyStoredSize();
    AResult = dialog.Execute();
}
