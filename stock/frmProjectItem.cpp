#include "stock/frmProjectItem.h"

#include "shell/ufrmMain.h"

namespace {

constexpr quint32 kIcon = 2014;

} // namespace

TfrmProjectItem::TfrmProjectItem(QWidget* AParent)
    : TKVBookHost({QSize(492, 153), QSize(300, 180)}, AParent) {}

TfrmProjectItem* OpenRBProjectItem(quint32 AProjectId) {
    return OpenListHost<TfrmProjectItem>(
        kIcon, [&](T_frmProjectItem& AFrame) { AFrame.Init(AProjectId); },
        [](T_frmProjectItem& AFrame) {
            return QStringLiteral("%1 - %2").arg(AFrame.ProjectName(),
                                                 TfrmProjectItem::tr("Состав проекта"));
        });
}

void ShowProjectItems(quint32 AProjectId) {
    if (!frmMain ||
        !frmMain->BringToFrontMDIChildren<TfrmProjectItem>(
            [&](const TfrmProjectItem& AHost) { return AHost.ProjectId() == AProjectId; }))
        OpenRBProjectItem(AProjectId);
}
