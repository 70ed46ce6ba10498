#include "catalogue/frmElementAnalog.h"

#include "shell/ufrmMain.h"

namespace {

constexpr quint32 kIcon = 2014;

} // namespace

TfrmElementAnalog::TfrmElementAnalog(QWidget* AParent)
    : TKVBookHost({QSize(500, 153), QSize(300, 180)}, AParent) {}

TfrmElementAnalog* OpenRBElementAnalog(quint32 APrimaryElementTypeDBId,
                                       quint32 APrimaryElementTypeId) {
    return OpenListHost<TfrmElementAnalog>(
        kIcon,
        [&](T_frmElementAnalog& AFrame) {
            AFrame.Init(eansdmAnalogs, APrimaryElementTypeDBId, APrimaryElementTypeId, 0, 0);
        },
        [](T_frmElementAnalog& AFrame) {
            return QStringLiteral("%1 - %2").arg(AFrame.PrimaryElementTypeName(),
                                                 TfrmElementAnalog::tr("Аналоги элемента"));
        });
}

void ShowElementAnalogs(quint32 AElementTypeDBId, quint32 AElementTypeId) {
    if (frmMain && frmMain->BringToFrontMDIChildren<TfrmElementAnalog>(
                       [&](const TfrmElementAnalog& AHost) {
                           const T_frmElementAnalog* frame = AHost.BookFrame();
                           return frame && frame->ListSelectDataMode() == eansdmAnalogs &&
                                  frame->PrimaryElementTypeDBId() == AElementTypeDBId &&
                                  frame->PrimaryElementTypeId() == AElementTypeId;
                       }))
        return;
    OpenRBElementAnalog(AElementTypeDBId, AElementTypeId);
}
