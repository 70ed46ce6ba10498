#include "refbooks/KVOpenDataMode.h"

#include "core/udmMain.h"
#include "refbooks/KVListFrame.h"

TKVOpenDataModeType ChooseOpenDataMode(const TKVListFrame& AFrame, TKVOpenDataModeTypes AViews) {
    if (!AFrame.ActionState() || !AFrame.SelectedItemDBData().Select)
        return odmtNone;
    if (!dmMain || !dmMain->DBConnected() || !dmMain->MainIBDatabase.Connected())
        return odmtNone;
    if (SelectOpenDataMode(AViews) != 1)
        return odmtNone;
    return SelectedOpenDataModeType;
}
