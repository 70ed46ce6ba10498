#pragma once

// The removal of an imported data package from the open database: the rows of the package's
// DBID in the nine data tables, the record of the import and the layout rows keyed by that DBID.
//
// The analysis comes first: it looks for rows of other owners (the user's own rows, other
// packages) that use rows of the package, and logs one problem line for each. Besides the rows
// of the shareable tables it looks at the user's stock records, project items, supplier prices,
// search profiles and favourites, so that no row is left pointing at a removed one. Only a
// clean analysis lets the deletion run; the deletion runs in one transaction, removing the rows
// that use others before those they use and classes children first.

#include "exchange/KVExchangeMonitor.h"
#include "exchange/KVPackageTables.h"

#include <QString>

#include <functional>
#include <vector>

class TdmMain;

// One question of the analysis: which rows of another owner use rows of the package. The query
// takes :VAR_DBID (the package) and returns the user's name in USERNAME and the used row's name
// in USEDNAME; every row it returns is a problem.
struct TKVPackageUseCheck {
    QString Group;    // the kind the step label names
    QString UserKind; // the kind of the rows that use the package
    QString UsedKind; // the kind of the package's rows they use
    QString SQL;
};

// The checks in the order they run.
const std::vector<TKVPackageUseCheck>& PackageUseChecks();

// One step of the deletion: the kind in the label and log (empty: no label, no log line).
struct TKVPackageDeleteStep {
    QString Kind;
    // A data table of the package, or ptCount for the two tables of the open database.
    TKVPackageTable Table;
    QString SQL; // for ptCount
};

// The steps in the order they run.
const std::vector<TKVPackageDeleteStep>& PackageDeleteSteps();

// The proposed name of a deletion's log: "dp" and the package's DBID.
QString ProposedDeletePackageLogFileName(quint32 ADBId);

class TKVPackageDeleter {
public:
    TKVPackageDeleter(TdmMain& ADataModule, TKVExchangeMonitor& AMonitor);

    // True when nothing outside the package uses it. False also without a database or package
    // (ADBId 0), and after a database error (shown in the error box).
    bool AnalyzePackageData(quint32 ADBId);
    // Analyses, then removes the package in one transaction; true when it was removed (and
    // left the data module's list of imported packages).
    bool DeletePackageData(quint32 ADBId);

    // Called at the start of every deletion step with its index, so that a test can make a
    // step fail.
    void SetDeleteStepHook(std::function<void(int)> AHook) { FDeleteStepHook = std::move(AHook); }

private:
    int DeleteClasses(quint32 ADBId);

    TdmMain& FDataModule;
    TKVExchangeMonitor& FMonitor;
    std::function<void(int)> FDeleteStepHook;
};
