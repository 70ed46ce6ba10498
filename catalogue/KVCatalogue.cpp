#include "catalogue/KVCatalogue.h"

#include "catalogue/frmElementType.h"
#include "shell/KVOpeners.h"

void RegisterCatalogueWindows() {
    TKVOpener<TOpenElementTypesOfClass>::Register(ShowElementTypesOfClass);
    TKVOpener<TOpenElementTypesOfMaker>::Register(ShowElementTypesOfMaker);
}
