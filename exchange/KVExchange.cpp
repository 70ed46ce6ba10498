#include "exchange/KVExchange.h"

#include "exchange/frmDeletePackage.h"
#include "exchange/frmExport.h"
#include "exchange/frmImport.h"
#include "exchange/frmImportPrice.h"
#include "shell/KVBookWindows.h"
#include "shell/KVOpeners.h"

void RegisterExchangeWindows() {
    TKVOpener<TShowImportDlg>::Register([] { ShowImportDlg(); });
    TKVOpener<TShowExportDlg>::Register([] { ShowExportDlg(); });
    TKVOpener<TShowDeletePackageDlg>::Register([] { ShowDeletePackageDlg(); });
    TKVOpener<TShowImportPriceDlg>::Register([] { ShowImportPriceDlg(); });
    RegisterCommandGroup(cgPackages);
    RegisterCommandGroup(cgPackageDeletion);
    RegisterCommandGroup(cgPriceImport);
}
