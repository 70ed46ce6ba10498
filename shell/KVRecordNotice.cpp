#include "shell/KVRecordNotice.h"

#include "shell/KVCard.h"
#include "shell/ufrmMain.h"

#include <QPointer>

void NotifyRecordChanged(TKVItemType AItemType, quint32 ADBId, quint32 AId,
                         TKVItemActionType AActionType) {
    if (!frmMain)
        return;
    // A window may close while it hears of the change: each is asked only while it lives.
    std::vector<QPointer<TKVMDIChild>> children;
    for (TKVMDIChild* child : frmMain->MDIChildren())
        children.emplace_back(child);
    for (const QPointer<TKVMDIChild>& child : children)
        if (child)
            child->RecordChanged(AItemType, ADBId, AId, AActionType);
}

void CloseWindowsBoundTo(TKVItemType AItemType, quint32 ADBId, quint32 AId,
                         const TKVMDIChild* AExcept) {
    if (!frmMain)
        return;
    std::vector<QPointer<TKVMDIChild>> bound;
    for (TKVMDIChild* child : frmMain->MDIChildren())
        if (child != AExcept && child->BoundToRecord(AItemType, ADBId, AId))
            bound.emplace_back(child);
    for (const QPointer<TKVMDIChild>& child : bound) {
        if (!child)
            continue;
        if (auto* card = qobject_cast<TKVCard*>(child.data()))
            card->ForciblyCloseItem();
        else
            child->CloseWindow();
    }
}
