#include "refbooks/KVReferenceBooks.h"

#include "refbooks/frmCase.h"
#include "refbooks/frmMaker.h"
#include "refbooks/frmSupplier.h"
#include "refbooks/frmUnit.h"
#include "shell/KVBookWindows.h"

void RegisterReferenceBookWindows() {
    RegisterBookWindowOf<TfrmMaker>(bwMakers, [] { OpenRBMaker(); });
    RegisterBookWindowOf<TfrmCase>(bwCases, [] { OpenRBCase(); });
    RegisterBookWindowOf<TfrmUnit>(bwUnits, [] { OpenRBUnit(); });
    RegisterBookWindowOf<TfrmSupplier>(bwSuppliers, [] { OpenRBSupplier(); });
}
