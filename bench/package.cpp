// Package export and import of a large catalogue: 100,000 element types with 1,000,000
// parameter values (and 200 classes, 300 cases, 100 makers), against plain prepared inserts of
// the same rows in one transaction through the database layer; and the import of a package of
// a tenth of that size, to see that the import's cost grows linearly.
//
//   bench_package [DATA_FOLDER]
//
// Each of 9 rounds runs, in turn, the plain inserts, the import of the large package, the
// import of the small one and the export of the large catalogue, each into a fresh file.
// Prints the times and last three lines:
//   ratio package-import: X   rows per second of the import / of the plain inserts
//   ratio package-export: X   rows per second of the export / of the plain inserts
//   ratio package-growth: X   import time per row at 100,000 element types / at 10,000
// each the median of the rounds' ratios.

#include "bench/BenchCommon.h"
#include "bench/PackageBench.h"
#include "core/udmMain.h"
#include "exchange/KVPackageExport.h"
#include "exchange/KVPackageImport.h"
#include "exchange/KVPackageTables.h"
#include "platform/ib/IBQuery.h"
#include "platform/sys/SysDrive.h"
#include "schema/MainSchema.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

bool Export(TdmMain& AModule, const QString& AFile, TQuietMonitor& AMonitor) {
    std::vector<TKVExportItemIndexData> classes;
    for (int i = 1; i <= KClasses; ++i)
        classes.push_back({KSourceDBId, quint32(i), itClass});
    TKVPackageExporter exporter(AModule, AMonitor);
    return exporter.ExportData(AFile, classes, EncodeDateTime(2024, 6, 1, 12, 0));
}

} // namespace

int main(int argc, char* argv[]) {
    UseOffscreenPlatformByDefault();
    QApplication app(argc, argv);
    const QString folder = BenchDataFolder(argc, argv);
    int rc = 0;
    try {
        QDir().mkpath(folder);
        QTemporaryDir work(QDir(folder).filePath(QStringLiteral("package-XXXXXX")));
        SysTestSeams::SetDriveType(work.path(), dtFixed);
        const TCatalogueSize large{100000};
        const TCatalogueSize small{10000};
        const QString source = EnsureSource(folder, large);
        const QString sourceSmall = EnsureSource(folder, small);
        const QString empty = EnsureEmpty(folder);

        TdmMain module(work.path());
        TQuietMonitor monitor;
        // The packages the imports read, exported once.
        const QString package = work.filePath(QStringLiteral("large.pkg.fdb"));
        const QString packageSmall = work.filePath(QStringLiteral("small.pkg.fdb"));
        Connect(module, FreshCopy(sourceSmall, work, QStringLiteral("source.fdb")));
        Check(Export(module, packageSmall, monitor), monitor, "export");
        Connect(module, FreshCopy(source, work, QStringLiteral("source.fdb")));
        Check(Export(module, package, monitor), monitor, "export");

        std::vector<double> importRatios, exportRatios, growthRatios;
        std::printf("round  inserts(s)  import(s)  import-small(s)  export(s)\n");
        for (int round = 0; round < KRounds; ++round) {
            const QString plainFile = FreshCopy(empty, work, QStringLiteral("plain.fdb"));
            TIBDatabase plain;
            plain.SetDatabaseName(plainFile);
            plain.Open();
            const double inserts = Seconds([&] { InsertCatalogue(plain, large); });
            plain.Close();

            Connect(module, FreshCopy(empty, work, QStringLiteral("target.fdb")));
            const double import = Seconds([&] {
                TKVPackageImporter importer(module, monitor);
                Check(importer.ImportData(package, false), monitor, "import");
            });
            Connect(module, FreshCopy(empty, work, QStringLiteral("target.fdb")));
            const double importSmall = Seconds([&] {
                TKVPackageImporter importer(module, monitor);
                Check(importer.ImportData(packageSmall, false), monitor, "import");
            });

            Connect(module, FreshCopy(source, work, QStringLiteral("source.fdb")));
            const QString exported = work.filePath(QStringLiteral("exported.fdb"));
            QFile::remove(exported);
            const double exportTime =
                Seconds([&] { Check(Export(module, exported, monitor), monitor, "export"); });

            std::printf("%5d  %10.2f  %9.2f  %15.2f  %9.2f\n", round + 1, inserts, import,
                        importSmall, exportTime);
            std::fflush(stdout);
            importRatios.push_back(inserts / import);
            exportRatios.push_back(inserts / exportTime);
            growthRatios.push_back((import / double(large.Rows())) /
                                   (importSmall / double(small.Rows())));
        }
        int error = 0;
        module.DataBaseDisconnect(error);
        std::printf("rows: %lld (large), %lld (small)\n", static_cast<long long>(large.Rows()),
                    static_cast<long long>(small.Rows()));
        std::printf("ratio package-import: %.3f\n", Median(importRatios));
        std::printf("ratio package-export: %.3f\n", Median(exportRatios));
        std::printf("ratio package-growth: %.3f\n", Median(growthRatios));
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        rc = 1;
    }
    IBClient::Shutdown();
    return rc;
}
