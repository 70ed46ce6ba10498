#pragma once

// The export of a data package: the classes the user chose, their ancestors of the open
// database's DBID, the open database's cases, makers and units, the base parameters of the
// chosen classes, their element types with parameter values, pins and analogs, written into a
// new package file with its header. A run that fails in any step leaves no package file behind.

#include "core/KVAuxLists.h"
#include "exchange/KVExchangeMonitor.h"
#include "exchange/KVPackageTables.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <vector>

class TdmMain;
class TIBQuery;

// The proposed names of a package file and of the export's log: "PackDB1011_05032016_0907"
// and "LogDB1011_05032016_0907" for DBID 1011 at 5 March 2016, 09:07.
QString ProposedPackageFileName(quint32 ADBId, const QDateTime& ATime);
QString ProposedExportLogFileName(quint32 ADBId, const QDateTime& ATime);

class TKVPackageExporter {
public:
    TKVPackageExporter(TdmMain& ADataModule, TKVExchangeMonitor& AMonitor);

    // Writes the package of the chosen classes (ASelection, item type itClass) into the new
    // file AFileName, which must not exist; AExportDateTime goes into its header. True when no
    // step failed; otherwise the file, when this run made it, is removed again. False without
    // an open database.
    bool ExportData(const QString& AFileName, const std::vector<TKVExportItemIndexData>& ASelection,
                    TDateTime AExportDateTime);

private:
    class TRowCopier;

    // Runs one data step in the transaction pair of the package and the open database (the
    // package committed first); an exception is logged and fails the export. True when the
    // step was committed.
    template <class TWork> bool RunStep(const QString& AObjectName, TWork&& AWork);
    struct TCopied {
        int Count = 0;   // rows the count query found
        int Written = 0; // rows copied into the package
    };
    // Counts the rows of ADesc's table that AWhere ("WHERE ...;", its parameters bound by
    // ABind) selects in the open database, logs ACountMsg of the count and, when there are
    // any, copies them into the package with the progress bar running to the count;
    // ARowCopied sees each row copied.
    TCopied CountAndCopyRows(const TKVPackageTableDesc& ADesc, const QString& AWhere,
                             const std::function<void(TIBQuery&)>& ABind,
                             const std::function<QString(int)>& ACountMsg,
                             const std::function<void(const TKVPackageRow&)>& ARowCopied = {});
    void ExportClasses(const std::vector<TKVExportItemIndexData>& ASelection);
    void ExportOwnRows(int ATable);
    void ExportBaseParams(const std::vector<TKVExportItemIndexData>& ASelection);
    // The keys of the element types written.
    std::vector<TKVExportItemIndexData>
    ExportElementTypes(const std::vector<TKVExportItemIndexData>& ASelection);
    void ExportElementTypeRows(int ATable,
                               const std::vector<TKVExportItemIndexData>& AElementTypes);
    void LogError(const Exception& AException);

    TdmMain& FDataModule;
    TKVExchangeMonitor& FMonitor;
    bool FResult = true;
};
