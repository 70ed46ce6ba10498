#include "exchange/KVExchange.h"

#include "exchange/frmExport.h"
#include "exchange/frmImport.h"
#include "shell/KVBookWindows.h"
#include "shell/KVOpeners.h"

void RegisterExchangeWindows() {
    TKVOpener<TShowImportDlg>::Register([] { ShowImportDlg(); });
    TKVOpener<TShowExportDlg>::Register([] { ShowExportDlg(); });
    RegisterCommandGroup(cgPackages);
}
