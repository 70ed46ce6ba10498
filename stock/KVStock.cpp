#include "stock/KVStock.h"

#include "shell/KVBookWindows.h"
#include "shell/KVOpeners.h"
#include "stock/frmElementAvail.h"
#include "stock/frmElementAvailEdit.h"
#include "stock/frmFavorites.h"
#include "stock/frmNote.h"
#include "stock/frmParamSearch.h"
#include "stock/frmProject.h"

void RegisterStockWindows() {
    RegisterBookWindow(bwElementAvail,
                       {[](TKVMDIChild& AChild) {
                            const auto* host = dynamic_cast<TfrmElementAvail*>(&AChild);
                            return host && host->BookFrame() &&
                                   host->BookFrame()->ListSelectDataMode() == easdmAll;
                        },
                        [] { OpenRBElementAvail(); }});
    TKVOpener<TOpenStockOfStorage>::Register(ShowElementAvailOnStorage);
    TKVOpener<TOpenStockOfElementType>::Register(ShowElementAvailOnElementType);
    TKVOpener<TOpenElementAvailsOnName>::Register(ShowElementAvailOnName);
    TKVOpener<TOpenElementAvailsOnMarking>::Register(ShowElementAvailOnMarking);
    TKVOpener<TOpenNewElementAvail>::Register([] { OpenCardElementAvail(0, false); });
    RegisterCommandGroup(cgNewElementAvail);
    TKVOpener<TShowParamSearchDlg>::Register([] { ShowParamSearchDlg(); });
    for (const TKVProjectListSelectDataMode mode : {psdmInProgress, psdmArchive})
        RegisterBookWindow(mode == psdmArchive ? bwProjectsArchive : bwProjectsInProgress,
                           {[mode](TKVMDIChild& AChild) {
                                const auto* host = dynamic_cast<TfrmProject*>(&AChild);
                                return host && host->ListSelectDataMode() == mode;
                            },
                            [mode] { OpenRBProject(mode); }});
    TKVOpener<TShowFavoritesDlg>::Register([] { ShowFavoritesDlg(); });
    RegisterBookWindowOf<TfrmNote>(bwNotes, [] { OpenRBNote(); });
}
