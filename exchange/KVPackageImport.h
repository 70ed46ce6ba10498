#pragma once

// The import of a data package into the open database, or its test run, which takes the same
// decisions and logs the same lines but writes nothing.
//
// The run checks that the file is a package of the supported structure with a usable header,
// that the packages and system updates it was built on are present in the open database, and
// then merges the nine tables in dependency order, each row by the row rule: refused (a row of
// the open database's own DBID that its generator never issued), inserted when absent, updated
// when newer in the package, reported as present otherwise; references between the tables are
// verified in between, and a table whose tables it depends on failed is skipped.
//
// The whole data phase runs in one transaction of the open database: it is committed, with the
// record of the imported package, only when the phase wrote no error line; otherwise it is
// rolled back and the open database is exactly as before. Classes are merged parents first.
// Each package table is read in one forward pass.

#include "core/KVAuxLists.h"
#include "exchange/KVExchangeMonitor.h"
#include "exchange/KVPackageFile.h"
#include "exchange/KVPackageTables.h"

#include <QString>

#include <array>
#include <functional>

class TdmMain;
class TIBQuery;

// The proposed name of an import's log for the day of ATime: "im532016" for 5 March 2016.
QString ProposedImportLogFileName(TDateTime ATime);

class TKVPackageImporter {
public:
    TKVPackageImporter(TdmMain& ADataModule, TKVExchangeMonitor& AMonitor);
    ~TKVPackageImporter();

    // Imports AFileName (ATestImport: only goes through it). True when no error line was
    // written; false also when no database is open.
    bool ImportData(const QString& AFileName, bool ATestImport);
    // When the data phase of the last run started; 0 when none has.
    TDateTime ImportPackageTime() const { return FImportPackageTime; }

    // A package row is newer than the stored one: its C_TIMESTAMP or U_TIMESTAMP is not NULL
    // and later than the stored value (a NULL stored value reads as 0).
    static bool IsPackageRowNewer(bool APackageCNotNull, bool APackageUNotNull, TDateTime ALocalC,
                                  TDateTime ALocalU, TDateTime APackageC, TDateTime APackageU);

    // Called at the start of every table step, inside its protected block, so that a test can
    // make a step fail.
    void SetTableStepHook(std::function<void(TKVPackageTable)> AHook) {
        FTableStepHook = std::move(AHook);
    }

private:
    bool ReadHeader();
    bool CheckRelations();
    void ImportTables();
    void TableStep(TKVPackageTable ATable);
    void ReferenceStep(TKVPackageTable ATable);
    void WriteEndRecords();
    void ApplyEndRecordsToDataBase();
    void LogError(const QString& AMsg);
    void LogException(const Exception& AException);
    bool Flag(TKVPackageTable ATable) const { return FFlags[static_cast<size_t>(ATable)]; }
    void SetFlag(TKVPackageTable ATable, bool AValue);

    TdmMain& FDataModule;
    TKVExchangeMonitor& FMonitor;
    std::function<void(TKVPackageTable)> FTableStepHook;
    TDateTime FImportPackageTime = 0;

    // The state of one run.
    bool FTestImport = false;
    bool FResult = true;
    TKVPackageHeader FHeader;
    TKVVirtualImportedList FVirtualList;
    std::array<bool, ptCount> FFlags{};
    int FTotal = 0;
    // The system-update versions the end records wrote, with their texts, for the data module
    // once the transaction is committed.
    std::vector<std::pair<quint32, QString>> FRecordedSysUpdates;
};
