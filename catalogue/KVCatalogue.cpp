#include "catalogue/KVCatalogue.h"

#include "catalogue/frmCaseVis.h"
#include "catalogue/frmElementAnalog.h"
#include "catalogue/frmElementSupplier.h"
#include "catalogue/frmElementType.h"
#include "catalogue/frmElementTypeEdit.h"
#include "catalogue/frmParam.h"
#include "catalogue/frmElementTypeSummary.h"
#include "catalogue/frmPin.h"
#include "shell/KVBookWindows.h"
#include "shell/KVOpeners.h"

void RegisterCatalogueWindows() {
    TKVOpener<TOpenElementTypesOfClass>::Register(ShowElementTypesOfClass);
    TKVOpener<TOpenElementTypesOfMaker>::Register(ShowElementTypesOfMaker);
    TKVOpener<TOpenAnalogsOfElementType>::Register(ShowElementAnalogs);
    TKVOpener<TOpenPricesOfElementType>::Register(ShowPricesOfElementType);
    TKVOpener<TOpenPricesOfClass>::Register(ShowPricesOfClass);
    TKVOpener<TOpenPricesOfSupplier>::Register(ShowPricesOfSupplier);
    TKVOpener<TOpenElementTypeCard>::Register(
        [](quint32 ADBId, quint32 AId, bool ACreateCopyFlag, quint32 AClassDBId, quint32 AClassId,
           quint32 AMakerDBId, quint32 AMakerId) {
            OpenCardElementType(ADBId, AId, ACreateCopyFlag, AClassDBId, AClassId, AMakerDBId,
                                AMakerId);
        });
    TKVOpener<TOpenNewElementTypeOnClass>::Register(NewElementTypeOnClass);
    TKVOpener<TOpenParamsOfElementType>::Register(ShowParamsOfElementType);
    TKVOpener<TOpenPinsOfElementType>::Register(ShowPinsOfElementType);
    TKVOpener<TOpenElementTypeSummary>::Register(ShowElementTypeSummary);
    TKVOpener<TOpenCaseDrawingOfElementType>::Register(ShowCaseVisualOfElementType);
    TKVOpener<TOpenCaseDrawing>::Register(ShowCaseVisualOfCase);
    TKVOpener<TOpenElementTypesOnName>::Register(ShowElementTypesOnName);
    TKVOpener<TOpenElementTypesOnMarking>::Register(ShowElementTypesOnMarking);
    RegisterCommandGroup(cgNewElementType);
}
