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

constexpr quint32 KSourceDBId = 1011;
constexpr quint32 KTargetDBId = 1012;
constexpr int KClasses = 200;
constexpr int KCases = 300;
constexpr int KMakers = 100;
constexpr int KParamsPerType = 10;
constexpr int KRounds = 9;

class TQuietMonitor : public TKVExchangeMonitor {
public:
    void AddLogMsg(const QString& AMsg) override { Lines << AMsg; }
    QStringList Lines;
};

TKVPackageValue Int(qint64 AValue) {
    TKVPackageValue v;
    v.Null = false;
    v.Int = AValue;
    return v;
}
TKVPackageValue Float(double AValue) {
    TKVPackageValue v;
    v.Null = false;
    v.Float = AValue;
    return v;
}
TKVPackageValue Text(const QString& AValue) {
    TKVPackageValue v;
    v.Null = false;
    v.Text = AValue;
    return v;
}

// A row of ATable with the named values; the other columns NULL.
TKVPackageRow Row(TKVPackageTable ATable,
                  std::initializer_list<std::pair<const char*, TKVPackageValue>> AValues) {
    const TKVPackageTableDesc& desc = PackageTableDesc(ATable);
    TKVPackageRow row(desc.Columns.size());
    for (const auto& [name, value] : AValues)
        row[size_t(desc.ColumnIndex(QLatin1String(name)))] = value;
    return row;
}

const TDateTime KCreated = EncodeDateTime(2024, 3, 1, 10, 0, 0, 123);

// The rows of the catalogue, by table and number: the same for the source database and for the
// plain inserts.
TKVPackageRow CatalogueRow(TKVPackageTable ATable, int AIndex) {
    const qint64 db = KSourceDBId;
    const int i = AIndex + 1;
    switch (ATable) {
    case ptClass:
        return i > 10 ? Row(ATable, {{"DBID", Int(db)},
                                     {"ID", Int(i)},
                                     {"PARENTDBID", Int(db)},
                                     {"PARENTID", Int(1 + i % 10)},
                                     {"S_NAME", Text(QStringLiteral("Класс элементов №%1").arg(i))},
                                     {"V_FLAG", Int(0)},
                                     {"C_TIMESTAMP", Float(KCreated)}})
                      : Row(ATable, {{"DBID", Int(db)},
                                     {"ID", Int(i)},
                                     {"S_NAME", Text(QStringLiteral("Класс элементов №%1").arg(i))},
                                     {"V_FLAG", Int(0)},
                                     {"C_TIMESTAMP", Float(KCreated)}});
    case ptCase:
        return Row(ATable, {{"DBID", Int(db)},
                            {"ID", Int(i)},
                            {"S_TYPENAME", Text(QStringLiteral("КТ-%1").arg(i))},
                            {"V_PINCOUNT", Int(2 + i % 64)},
                            {"V_MOUNTTYPE", Int(1 + i % 4)},
                            {"V_FLAG", Int(0)},
                            {"C_TIMESTAMP", Float(KCreated)}});
    case ptMaker:
        return Row(ATable, {{"DBID", Int(db)},
                            {"ID", Int(i)},
                            {"S_NAME", Text(QStringLiteral("Завод «Электрон-%1»").arg(i))},
                            {"S_URL", Text(QStringLiteral("https://maker%1.example").arg(i))},
                            {"V_FLAG", Int(0)},
                            {"C_TIMESTAMP", Float(KCreated)}});
    case ptElementType:
        return Row(ATable,
                   {{"DBID", Int(db)},
                    {"ID", Int(i)},
                    {"CLASSDBID", Int(db)},
                    {"CLASSID", Int(1 + i % KClasses)},
                    {"CASEDBID", Int(db)},
                    {"CASEID", Int(1 + i % KCases)},
                    {"MAKERDBID", Int(db)},
                    {"MAKERID", Int(1 + i % KMakers)},
                    {"S_TYPENAME", Text(QStringLiteral("КР%1ЕН%2").arg(140 + i % 900).arg(i))},
                    {"S_MARKING", Text(QStringLiteral("M%1").arg(i, 6, 10, QLatin1Char('0')))},
                    {"S_DESCRIPTION",
                     Text(QStringLiteral("Микросхема серии %1, температура от -60 до +125 °C")
                              .arg(i % 900))},
                    {"V_FLAG", Int(0)},
                    {"C_TIMESTAMP", Float(KCreated)},
                    {"U_TIMESTAMP", Float(KCreated + i / 1000.0)}});
    case ptParam:
        return Row(ATable, {{"DBID", Int(db)},
                            {"ID", Int(i)},
                            {"ELEMENTTYPEDBID", Int(db)},
                            {"ELEMENTTYPEID", Int(1 + AIndex / KParamsPerType)},
                            {"S_NAME", Text(QStringLiteral("Параметр %1").arg(i % KParamsPerType))},
                            {"V_MINVAL", Float(i * 0.5)},
                            {"V_TYPEVAL", Float(i)},
                            {"S_STRVAL", Text(QString())},
                            {"V_FLAG", Int(0)},
                            {"C_TIMESTAMP", Float(KCreated)}});
    default:
        return {};
    }
}

struct TCatalogueSize {
    int ElementTypes;
    int Count(TKVPackageTable ATable) const {
        switch (ATable) {
        case ptClass:
            return KClasses;
        case ptCase:
            return KCases;
        case ptMaker:
            return KMakers;
        case ptElementType:
            return ElementTypes;
        case ptParam:
            return ElementTypes * KParamsPerType;
        default:
            return 0;
        }
    }
    qint64 Rows() const {
        qint64 rows = 0;
        for (const TKVPackageTable t : KVPackageDataTables)
            rows += Count(t);
        return rows;
    }
};

// Inserts the catalogue's rows into the open database in one transaction with one prepared
// statement per table: the plain inserts the import is measured against.
void InsertCatalogue(TIBDatabase& ADataBase, const TCatalogueSize& ASize) {
    TIBTransaction tr(&ADataBase);
    TIBTransactionScope scope(tr);
    const TDateTime now = Now();
    for (const TKVPackageTable table : KVPackageDataTables) {
        const int count = ASize.Count(table);
        if (count == 0)
            continue;
        const TKVPackageTableDesc& desc = PackageTableDesc(table);
        TIBQuery insert(&ADataBase, &tr);
        insert.SetSQL(desc.InsertSQL(true));
        insert.Prepare();
        const TKVPackageRowWriter writer(desc, insert, pdImport);
        for (int i = 0; i < count; ++i) {
            writer.Bind(CatalogueRow(table, i), now);
            insert.ExecSQL();
        }
    }
    scope.Commit();
}

QString EnsureSource(const QString& AFolder, const TCatalogueSize& ASize) {
    const QString file =
        QDir(AFolder).filePath(QStringLiteral("bench-package-%1.fdb").arg(ASize.ElementTypes));
    if (!QFileInfo::exists(file)) {
        std::fprintf(stderr, "Making %s ...\n", qPrintable(file));
        const QString part = file + QStringLiteral(".part");
        QFile::remove(part);
        CreateMainDataBase(part, KSourceDBId, QStringLiteral("Каталог для замеров"));
        {
            TIBDatabase db;
            db.SetDatabaseName(part);
            db.Open();
            InsertCatalogue(db, ASize);
            db.Close();
        }
        QFile::rename(part, file);
    }
    return file;
}

QString EnsureEmpty(const QString& AFolder) {
    const QString file = QDir(AFolder).filePath(QStringLiteral("bench-package-empty.fdb"));
    if (!QFileInfo::exists(file))
        CreateMainDataBase(file, KTargetDBId, QStringLiteral("Пустая база"));
    return file;
}

// A fresh copy of AFile as AName in the work folder.
QString FreshCopy(const QString& AFile, const QTemporaryDir& AWork, const QString& AName) {
    const QString copy = AWork.filePath(AName);
    QFile::remove(copy);
    if (!QFile::copy(AFile, copy))
        throw Exception(QStringLiteral("Cannot copy %1").arg(AFile));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    return copy;
}

void Connect(TdmMain& AModule, const QString& AFile) {
    int error = 0;
    if (AModule.DBConnected())
        AModule.DataBaseDisconnect(error);
    if (AModule.DataBaseConnect(AFile, AModule.CurrentUser(), error) != crOk)
        throw Exception(QStringLiteral("Cannot connect %1").arg(AFile));
}

double Seconds(const std::function<void()>& AWork) {
    QElapsedTimer timer;
    timer.start();
    AWork();
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

bool Export(TdmMain& AModule, const QString& AFile, TQuietMonitor& AMonitor) {
    std::vector<TKVExportItemIndexData> classes;
    for (int i = 1; i <= KClasses; ++i)
        classes.push_back({KSourceDBId, quint32(i), itClass});
    TKVPackageExporter exporter(AModule, AMonitor);
    return exporter.ExportData(AFile, classes, EncodeDateTime(2024, 6, 1, 12, 0));
}

double Median(std::vector<double> AValues) {
    std::sort(AValues.begin(), AValues.end());
    return AValues[AValues.size() / 2];
}

void Check(bool AOk, const TQuietMonitor& AMonitor, const char* AWhat) {
    if (!AOk)
        throw Exception(QStringLiteral("%1 failed:\n%2")
                            .arg(QLatin1String(AWhat), AMonitor.Lines.join(QLatin1Char('\n'))));
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
