#include "refbooks/KVReferenceBooks.h"

#include "refbooks/frmMaker.h"
#include "refbooks/frmSupplier.h"
#include "refbooks/frmUnit.h"
#include "shell/KVBookWindows.h"

void RegisterReferenceBookWindows() {
    RegisterBookWindowOf<TfrmMaker>(bwMakers, [] { OpenRBMaker(); });
    RegisterBookWindowOf<TfrmUnit>(bwUnits, [] { OpenRBUnit(); });
    RegisterBookWindowOf<TfrmSupplier>(bwSuppliers, [] { OpenRBSupplier(); });
}
