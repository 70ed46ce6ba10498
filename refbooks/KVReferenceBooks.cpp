#include "refbooks/KVReferenceBooks.h"

#include "refbooks/frmCase.h"
#include "refbooks/frmClass.h"
#include "refbooks/frmMaker.h"
#include "refbooks/frmStorage.h"
#include "refbooks/frmSupplier.h"
#include "refbooks/frmUnit.h"
#include "shell/KVBookWindows.h"

void RegisterReferenceBookWindows() {
    RegisterBookWindowOf<TfrmClass>(bwClasses, [] { OpenRBClass(); });
    RegisterBookWindowOf<TfrmMaker>(bwMakers, [] { OpenRBMaker(); });
    RegisterBookWindowOf<TfrmCase>(bwCases, [] { OpenRBCase(); });
    RegisterBookWindowOf<TfrmUnit>(bwUnits, [] { OpenRBUnit(); });
    RegisterBookWindowOf<TfrmStorage>(bwStorages, [] { OpenRBStorage(); });
    RegisterBookWindowOf<TfrmSupplier>(bwSuppliers, [] { OpenRBSupplier(); });
    // The options dialog picks the storage place for emptied stock records from this book.
    InstallSetupSelectStorage();
}
