#pragma once

// What happens to the open windows of the workspace when a record is saved or deleted: every
// window hears of the change (a list that shows such records reads the record again or drops
// it), and a deleted record closes the windows bound to it. Cards and lists use these instead
// of knowing one another's classes.

#include "core/KVCommon.h"

class TKVMDIChild;

// Tells every open window that the record (AItemType, ADBId, AId) changed or went (records
// keyed by ID alone pass ADBId 0).
void NotifyRecordChanged(TKVItemType AItemType, quint32 ADBId, quint32 AId,
                         TKVItemActionType AActionType);
// Closes every window bound to the record, but AExcept: cards without their save question (the
// record is gone, so their edits cannot be saved), other windows through their usual close.
void CloseWindowsBoundTo(TKVItemType AItemType, quint32 ADBId, quint32 AId,
                         const TKVMDIChild* AExcept = nullptr);
