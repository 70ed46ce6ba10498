#include "stock/KVStock.h"

#include "shell/KVBookWindows.h"
#include "shell/KVOpeners.h"
#include "shell/uMessage.h"
#include "shell/ufrmMain.h"
#include "stock/frmElementAvail.h"
#include "stock/frmElementAvailEdit.h"
#include "stock/frmFavorites.h"
#include "stock/frmFind.h"
#include "stock/frmNominalSearch.h"
#include "stock/frmNote.h"
#include "stock/frmParamSearch.h"
#include "stock/frmProject.h"
#include "stock/frmRevDateSearch.h"

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
    // The find dialog hands its pattern to the main window's find operation of its kind.
    TKVOpener<TShowFindDlg>::Register([](TKVFindType AFindType) {
        if (ShowFindDlg(AFindType) != mrOk || !frmMain)
            return;
        switch (AFindType) {
        case ftElementTypeName:
            frmMain->OpenReferenceBook_FindElementTypesName(FindText);
            break;
        case ftElementTypeMarking:
            frmMain->OpenReferenceBook_FindElementTypesMarking(FindText);
            break;
        case ftElementAvailName:
            frmMain->OpenReferenceBook_FindElementAvailsName(FindText);
            break;
        case ftElementAvailMarking:
            frmMain->OpenReferenceBook_FindElementAvailsMarking(FindText);
            break;
        }
    });
    TKVOpener<TShowNominalSearchDlg>::Register([] { ShowNominalSearchDlg(); });
    TKVOpener<TShowRevDateSearchDlg>::Register([] { ShowRevDateSearchDlg(); });
}
