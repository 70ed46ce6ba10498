#pragma once

#include "reports/KVReportBuild.h"

// The questions of a report build asked with the program's own dialogs: the report-value
// dialog, the count dialog and the pickers of the catalogue, the stock and the projects.
class TKVDialogReportAsker : public TKVReportAsker {
public:
    bool AskValue(TInputRepValType AKind) override;
    bool AskCount(double& ACount) override;
    bool Pick(TKVReportPick AWhat, const TKVDBKey& AClass, TKVDBKey& AResult) override;
};

// Shows the report list of the program's "Reports" folder and opens the report chosen.
void ShowReports();

// Makes the main window's report command work: called once at start.
void RegisterReportWindows();
