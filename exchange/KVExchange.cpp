#include "exchange/KVExchange.h"

#include "exchange/frmDeletePackage.h"
#include "exchange/frmExport.h"
#include "exchange/frmImport.h"
#include "exchange/frmImportPrice.h"
#include "exchange/frmImportProjectItem.h"
#include "shell/KVBookWindows.h"
#include "shell/KVOpeners.h"

void RegisterExchangeWindows() {
    TKVOpener<TShowImportDlg>::Register([] { ShowImportDlg(); });
    TKVOpener<TShowExportDlg>::Register([] { ShowExportDlg(); });
    TKVOpener<TShowDeletePackageDlg>::Register([] { ShowDeletePackageDlg(); });
    TKVOpener<TShowImportPriceDlg>::Register([] { ShowImportPriceDlg(); });
    TKVOpener<TShowImportProjectItemDlg>::Register(
        [](quint32 AProjectId) { ShowImportProjectItemDlg(AProjectId); });
    RegisterCommandGroup(cgPackages);
    RegisterCommandGroup(cgPackageDeletion);
    RegisterCommandGroup(cgPriceImport);
}
