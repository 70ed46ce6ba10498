// The deletion of an imported package and the supplier price-list import on large databases.
//
//   bench_exchange [DATA_FOLDER]
//
// Package deletion: databases into which a package of 100,000 element types with 1,000,000
// parameter values (and one of a tenth of that size) was imported; each of 9 rounds deletes
// the large package from a fresh copy, then the small one.
// Price import: a sheet of 10,000 price rows whose names are spread over the 100,000 element
// types of the large database, imported for one supplier; each of 9 rounds imports it and
// reads the names of all element types once (the scan the import is measured against); the
// prices are removed between rounds.
// Prints the times and last two lines:
//   ratio package-delete-growth: X   deletion time per row at 100,000 element types / at 10,000
//   ratio price-import: X            price-import time / time of one scan of the type names
// each the median of the rounds' ratios.

#include "bench/BenchCommon.h"
#include "bench/PackageBench.h"
#include "exchange/KVPackageDelete.h"
#include "exchange/KVPriceImport.h"
#include "platform/ib/IBQuery.h"
#include "platform/sys/SysDrive.h"
#include "platform/xls/XlsWorkbook.h"

#include <QApplication>
#include <QDir>
#include <QLocale>

#include <cstdio>

namespace {

constexpr int KPriceRows = 10000;
constexpr quint32 KSupplierId = 1;

bool DeletePackage(TdmMain& AModule, TQuietMonitor& AMonitor) {
    TKVPackageDeleter deleter(AModule, AMonitor);
    return deleter.DeletePackageData(KSourceDBId);
}

// Runs ASQL on the open database and commits.
void Exec(TdmMain& AModule, const QString& ASQL) {
    TIBTransactionScope scope(AModule.MainIBTransaction);
    TIBQuery q(&AModule.MainIBDatabase, &AModule.MainIBTransaction);
    q.SetSQL(ASQL);
    q.ExecSQL();
    scope.Commit();
}

// Every element type's name, read once.
qsizetype ScanNames(TdmMain& AModule) {
    TIBTransactionScope scope(AModule.MainIBTransaction);
    TIBQuery q(&AModule.MainIBDatabase, &AModule.MainIBTransaction);
    q.SetSQL(QStringLiteral("SELECT S_TYPENAME FROM T_ELEMENT_TYPE;"));
    std::vector<QString> names;
    for (q.Open(); !q.Eof(); q.Next())
        names.push_back(q.Fields(0).AsString());
    scope.Commit();
    return static_cast<qsizetype>(names.size());
}

// The price list: every tenth element type of the large catalogue, its name written as users
// write it (lower case), a price in the regional format and a note on every other row.
void FillPriceSheet(TXlsSheet& ASheet, int AElementTypes) {
    ASheet.SetCellText(0, 0, QStringLiteral("Тип элемента"));
    ASheet.SetCellText(1, 0, QStringLiteral("Цена"));
    ASheet.SetCellText(2, 0, QStringLiteral("Примечание"));
    const int step = AElementTypes / KPriceRows;
    QLocale regional;
    regional.setNumberOptions(QLocale::OmitGroupSeparator);
    for (int r = 1; r <= KPriceRows; ++r) {
        const int i = r * step;
        // The names of the catalogue's element types (see CatalogueRow).
        ASheet.SetCellText(0, r, QStringLiteral("кр%1ен%2").arg(140 + i % 900).arg(i));
        ASheet.SetCellText(1, r, regional.toString(r * 0.25, 'f', 2));
        if (r % 2 == 0)
            ASheet.SetCellText(2, r, QStringLiteral("упаковка %1 шт.").arg(r % 100 + 1));
    }
}

} // namespace

int main(int argc, char* argv[]) {
    UseOffscreenPlatformByDefault();
    QApplication app(argc, argv);
    const QString folder = BenchDataFolder(argc, argv);
    int rc = 0;
    try {
        QDir().mkpath(folder);
        QTemporaryDir work(QDir(folder).filePath(QStringLiteral("exchange-XXXXXX")));
        SysTestSeams::SetDriveType(work.path(), dtFixed);
        const TCatalogueSize large{100000};
        const TCatalogueSize small{10000};
        const QString imported = EnsureImported(folder, large);
        const QString importedSmall = EnsureImported(folder, small);

        TdmMain module(work.path());
        TQuietMonitor monitor;

        std::vector<double> growthRatios;
        std::printf("round  delete-large(s)  delete-small(s)\n");
        for (int round = 0; round < KRounds; ++round) {
            Connect(module, FreshCopy(imported, work, QStringLiteral("large.fdb")));
            const double largeTime =
                Seconds([&] { Check(DeletePackage(module, monitor), monitor, "delete"); });
            Connect(module, FreshCopy(importedSmall, work, QStringLiteral("small.fdb")));
            const double smallTime =
                Seconds([&] { Check(DeletePackage(module, monitor), monitor, "delete"); });
            std::printf("%5d  %15.2f  %15.2f\n", round + 1, largeTime, smallTime);
            std::fflush(stdout);
            growthRatios.push_back((largeTime / double(large.Rows())) /
                                   (smallTime / double(small.Rows())));
        }

        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        TXlsWorkbook book;
        FillPriceSheet(book.AddSheet(QStringLiteral("Прайс")), large.ElementTypes);
        Connect(module, FreshCopy(imported, work, QStringLiteral("prices.fdb")));
        Exec(module, QStringLiteral("INSERT INTO T_SUPPLIER (ID, S_NAME) VALUES (1, 'Поставщик')"));
        std::vector<double> priceRatios;
        std::printf("round  price-import(s)  name-scan(s)\n");
        for (int round = 0; round < KRounds; ++round) {
            TKVPriceImporter importer(module, monitor);
            importer.SetSupplier(KSupplierId);
            const double importTime = Seconds([&] {
                monitor.Lines.clear();
                Check(importer.ImportPriceData(book.ActiveSheet(), false), monitor, "price import");
            });
            if (importer.ImportedCount() != KPriceRows)
                throw Exception(QStringLiteral("%1 prices imported").arg(importer.ImportedCount()));
            qsizetype names = 0;
            const double scanTime = Seconds([&] { names = ScanNames(module); });
            if (names != large.ElementTypes)
                throw Exception(QStringLiteral("%1 names read").arg(names));
            Exec(module, QStringLiteral("DELETE FROM T_ELEMENT_SUPPLIER"));
            std::printf("%5d  %15.3f  %12.3f\n", round + 1, importTime, scanTime);
            std::fflush(stdout);
            priceRatios.push_back(importTime / scanTime);
        }
        int error = 0;
        module.DataBaseDisconnect(error);
        std::printf("rows: %lld (large), %lld (small); price rows: %d\n",
                    static_cast<long long>(large.Rows()), static_cast<long long>(small.Rows()),
                    KPriceRows);
        std::printf("ratio package-delete-growth: %.3f\n", Median(growthRatios));
        std::printf("ratio price-import: %.3f\n", Median(priceRatios));
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        rc = 1;
    }
    IBClient::Shutdown();
    return rc;
}
