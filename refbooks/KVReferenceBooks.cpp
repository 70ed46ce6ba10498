#include "refbooks/KVReferenceBooks.h"

#include "refbooks/frmUnit.h"
#include "shell/KVBookWindows.h"

void RegisterReferenceBookWindows() {
    RegisterBookWindowOf<TfrmUnit>(bwUnits, [] { OpenRBUnit(); });
}
