#include "reports/KVReports.h"

#include "catalogue/frmElementType.h"
#include "core/udmMain.h"
#include "refbooks/frmBaseParam.h"
#include "refbooks/frmCase.h"
#include "refbooks/frmClass.h"
#include "refbooks/frmMaker.h"
#include "refbooks/frmStorage.h"
#include "refbooks/frmSupplier.h"
#include "refbooks/frmUnit.h"
#include "reports/KVReportPlugin.h"
#include "reports/frmInputRepVar.h"
#include "reports/frmReportList.h"
#include "reports/ufrmReport.h"
#include "shell/KVBookWindows.h"
#include "shell/KVOpeners.h"
#include "shell/uMessage.h"
#include "stock/KVStockDialogs.h"
#include "stock/frmProject.h"

#include <QCoreApplication>

bool TKVDialogReportAsker::AskValue(TInputRepValType AKind) {
    return ShowInputRepVarDlg(AKind) == mrOk;
}

bool TKVDialogReportAsker::AskCount(double& ACount) {
    double count = 0;
    if (ShowChangeCountDlg(count, QCoreApplication::translate("TKVDialogReportAsker", "Количество"),
                           QString()) != mrOk)
        return false;
    ACount = count;
    return true;
}

bool TKVDialogReportAsker::Pick(TKVReportPick AWhat, const TKVDBKey& AClass, TKVDBKey& AResult) {
    TKVSelectedItemDBData selected;
    TKVSelectedLocalItemDBData local;
    switch (AWhat) {
    case rpClass:
        SelectClass(0, 0, 0, 0, selected);
        break;
    case rpMaker:
        SelectMaker(0, 0, selected);
        break;
    case rpCase:
        SelectCase(0, 0, selected);
        break;
    case rpUnit:
        SelectUnit(0, 0, selected);
        break;
    case rpBaseParam:
        SelectBaseParam(AClass.DBId, AClass.Id, 0, 0, selected);
        break;
    case rpElementType:
        SelectElementType(0, 0, AClass.DBId, AClass.Id, selected);
        break;
    case rpStorage:
        TfrmSelectStorage::SelectStorage(0, 0, local);
        break;
    case rpSupplier:
        SelectSupplier(0, local);
        break;
    case rpElementAvail:
        SelectElementAvail(0, easdmAll, 0, 0, 0, local);
        break;
    case rpProject:
        // Projects in work only, nothing preselected.
        SelectProject(0, local);
        break;
    }
    if (local.Select) {
        AResult = {0, local.Id};
        return true;
    }
    if (!selected.Select)
        return false;
    AResult = {selected.DBId, selected.Id};
    return true;
}

void ShowReports() {
    if (!dmMain)
        return;
    const QString folder = ReportFolder(dmMain->AppFolder());
    if (ShowReportListDlg(folder) != mrOk)
        return;
    TKVDialogReportAsker asker;
    OpenReportWindow(folder, SelectedReportFileName, asker);
}

void RegisterReportWindows() {
    TKVOpener<TOpenReportList>::Register([] { ShowReports(); });
    RegisterCommandGroup(cgReports);
}
