#include "refbooks/KVReferenceBooks.h"

#include "refbooks/frmCase.h"
#include "refbooks/frmUnit.h"
#if KV_CLASS_BOOK
#include "refbooks/frmClass.h"
#endif
#include "shell/KVBookWindows.h"

void RegisterReferenceBookWindows() {
    RegisterBookWindowOf<TfrmCase>(bwCases, [] { OpenRBCase(); });
    RegisterBookWindowOf<TfrmUnit>(bwUnits, [] { OpenRBUnit(); });
#if KV_CLASS_BOOK
    RegisterBookWindowOf<TfrmClass>(bwClasses, [] { OpenRBClass(); });
#endif
}
