// The database layer's cost over the client library's own: every element type of the benchmark
// database read with the element-type list's statement, once through the layer into row
// objects (the row reader, as the list reads them) and once as a bare fetch of the same
// statement through the client library's interfaces, in the same process and the same
// connection. The two alternate pair by pair.
//
// Beside it, and only as a whole process against a whole process: this program started to
// read the rows through the layer into row objects, against isql-fb started to print the same
// rows to /dev/null. Each includes its process's start, the engine's load and the attachment;
// isql-fb also formats and pads every row, so the figure says little about the layer itself.
//
//   bench_fetch [DATA_FOLDER]
//   bench_fetch --fetch FILE   (reads the rows once through the layer and ends)
//
// Prints the medians and the line "ratio fetch-vs-raw: X", the median of the paired ratios
// layer / bare fetch.

#include "bench/BenchCommon.h"
#include "core/KVElementType.h"
#include "core/KVRowReaders.h"
#include "platform/ib/IBQuery.h"

#include <firebird/Interface.h>

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryFile>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

// The element-type list's statement over every type.
const char* const kSelect = kBenchElementTypeSelect;

size_t FetchThroughLayer(TIBDatabase& ADatabase) {
    TIBTransaction transaction(&ADatabase);
    TIBQuery query(&ADatabase, &transaction);
    TIBTransactionScope scope(transaction);
    query.SetSQL(QString::fromLatin1(kSelect));
    query.Open();
    std::vector<std::unique_ptr<TKVElementType>> rows;
    while (!query.Eof()) {
        rows.push_back(NewRowFromQuery<TKVElementType>(query));
        query.Next();
    }
    query.Close();
    scope.Commit();
    return rows.size();
}

// The same statement prepared, opened and fetched to its end through the client library:
// every row arrives in the output message and nothing more is done with it.
size_t FetchBare(TIBDatabase& ADatabase) {
    TIBTransaction transaction(&ADatabase);
    TIBTransactionScope scope(transaction);
    Firebird::IStatus* status = IBClient::Master()->getStatus();
    Firebird::ThrowStatusWrapper st(status);
    size_t rows = 0;
    try {
        Firebird::IStatement* statement =
            ADatabase.Attachment()->prepare(&st, transaction.Handle(), 0, kSelect, 3,
                                            Firebird::IStatement::PREPARE_PREFETCH_METADATA);
        Firebird::IMessageMetadata* meta = statement->getOutputMetadata(&st);
        std::vector<unsigned char> buffer(meta->getMessageLength(&st));
        Firebird::IResultSet* cursor =
            statement->openCursor(&st, transaction.Handle(), nullptr, nullptr, meta, 0);
        while (cursor->fetchNext(&st, buffer.data()) == Firebird::IStatus::RESULT_OK)
            ++rows;
        cursor->close(&st);
        meta->release();
        statement->free(&st);
    } catch (const Firebird::FbException& e) {
        status->dispose();
        IBClient::RaiseStatus(e.getStatus());
    }
    status->dispose();
    scope.Commit();
    return rows;
}

int FetchOnce(const QString& AFile) {
    TIBDatabase database;
    database.SetDatabaseName(AFile);
    database.Open();
    const size_t rows = FetchThroughLayer(database);
    database.Close();
    return rows > 0 ? 0 : 1;
}

int Run(const QString& AFolder) {
    const QString file = EnsureBenchDataBase(AFolder);
    size_t layerRows = 0, bareRows = 0;
    TPairedTimes times;
    {
        TIBDatabase database;
        database.SetDatabaseName(file);
        database.Open();
        const auto layer = [&] {
            return TimeMilliseconds([&] { layerRows = FetchThroughLayer(database); });
        };
        const auto bare = [&] { return TimeMilliseconds([&] { bareRows = FetchBare(database); }); };
        RunPairs(1, layer, bare); // warms the file cache and the code
        times = RunPairs(kBenchPairs, layer, bare);
        database.Close();
    }
    if (layerRows != bareRows)
        throw Exception(QStringLiteral("the two fetches read different rows"));

    // Whole processes: this program reading through the layer, isql-fb printing.
    QTemporaryFile script;
    if (!script.open())
        throw Exception(QStringLiteral("cannot write the isql script"));
    script.write("SET HEADING OFF;\n");
    script.write(kSelect);
    script.write(";\n");
    script.flush();
    const auto runProcess = [](const QString& AProgram, const QStringList& AArgs) {
        return TimeMilliseconds([&] {
            QProcess process;
            process.setStandardOutputFile(QProcess::nullDevice());
            process.start(AProgram, AArgs);
            process.waitForFinished(-1);
            if (process.exitCode() != 0)
                throw Exception(AProgram + QStringLiteral(" failed"));
        });
    };
    const TPairedTimes processes = RunPairs(
        kBenchPairs,
        [&] {
            return runProcess(QCoreApplication::applicationFilePath(),
                              {QStringLiteral("--fetch"), file});
        },
        [&] {
            return runProcess(QStringLiteral("isql-fb"),
                              {QStringLiteral("-user"), QStringLiteral("SYSDBA"),
                               QStringLiteral("-ch"), QStringLiteral("WIN1251"),
                               QStringLiteral("-q"), QStringLiteral("-i"), script.fileName(),
                               file});
        });

    std::printf("element types with the list's statement, %zu rows, medians of %d pairs:\n",
                layerRows, kBenchPairs);
    std::printf("  through the layer into row objects: %.1f ms\n", times.MedianWork());
    std::printf("  bare fetch through the client library: %.1f ms\n", times.MedianAnchor());
    std::printf("  whole process against whole process (start, attach, read): this program "
                "%.1f ms, isql-fb to /dev/null %.1f ms, ratio %.2f\n",
                processes.MedianWork(), processes.MedianAnchor(), processes.MedianRatio());
    PrintRatio("fetch-vs-raw", times.MedianRatio());
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    int rc = 0;
    try {
        if (argc > 2 && QByteArray(argv[1]) == "--fetch")
            rc = FetchOnce(QString::fromLocal8Bit(argv[2]));
        else
            rc = Run(BenchDataFolder(argc, argv));
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        rc = 1;
    }
    IBClient::Shutdown();
    return rc;
}
