// The unit list window, opened as the user opens it: through the main window's command, on
// databases of 10,000 and 100,000 units, the work timed from the request to the painted list.
// Each pair first fetches the same rows through the database layer into row objects (the
// anchor), then opens a fresh window, clicks a column whose texts lie in random order (the
// first sort of the fresh list), applies a filter to the sorted list and clears it, and closes
// the window. The two sizes alternate pair by pair.
//
//   bench_frame [DATA_FOLDER]
//   bench_frame --peak N [DATA_FOLDER]   (opens the window on N units and prints its peak
//                                         memory; the benchmark runs itself so for the memory
//                                         figure)
//
// Prints per goal a line "ratio NAME: X", the median of the paired ratios:
//   window-open       open / fetch at 100,000 rows (the 10,000-row figure printed beside it)
//   sort-first-click  first click on a column of the fresh list / fetch
//   filter-sorted     the filter applied to the sorted list, or cleared, the larger / fetch
//   per-row-growth    per-row time at 100,000 over that at 10,000, the largest of open, filter
//                     and sort
//   bytes-per-row     peak memory with the 100,000-row window less that with the 10,000-row one,
//                     per row

#include "bench/BenchCommon.h"
#include "bench/BenchWindow.h"
#include "core/KVRowReaders.h"
#include "core/KVUnit.h"
#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "refbooks/KVReferenceBooks.h"
#include "refbooks/_frmUnit.h"
#include "refbooks/frmUnit.h"

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kSmall = 10000;
constexpr int kLarge = 100000;
// The column of the default designations, whose texts the generator made in random order.
constexpr int kSortColumn = 1;
const QString kFilterText = QStringLiteral("измерения №12");

// The rows of the unit list read through the database layer into row objects, as the list
// reads them (the row reader), without the list window.
size_t FetchUnits() {
    TIBTransaction transaction(&dmMain->MainIBDatabase);
    TIBQuery query(&dmMain->MainIBDatabase, &transaction);
    TIBTransactionScope scope(transaction);
    query.SetSQL(QStringLiteral(
        "SELECT TU1.DBID, TU1.ID, TU1.S_PREFIX, TU1.S_NAMEDEF, TU1.S_NAME, TU1.S_DESCRIPTION, "
        "TU1.V_FACTOR, TU1.C_TIMESTAMP, TU1.U_TIMESTAMP, TU1.R_TIMESTAMP FROM T_UNIT TU1;"));
    query.Open();
    std::vector<std::unique_ptr<TKVUnit>> rows;
    while (!query.Eof()) {
        rows.push_back(NewRowFromQuery<TKVUnit>(query));
        query.Next();
    }
    query.Close();
    scope.Commit();
    return rows.size();
}

// The times of one size, pair by pair.
struct TSizeTimes {
    std::vector<double> Fetch, Open, Sort, Filter;
};

// One pair at the database that is open: the fetch, then the window's work.
void MeasurePair(TBenchMainWindow& AMain, int ARows, TSizeTimes& ATimes) {
    // The connection is new: one read first, so that neither side pays for filling the
    // engine's page cache.
    FetchUnits();
    size_t fetched = 0;
    ATimes.Fetch.push_back(TimeMilliseconds([&] { fetched = FetchUnits(); }));
    TfrmUnit* window = nullptr;
    ATimes.Open.push_back(
        TimeMilliseconds([&] { window = AMain.RunCommand<TfrmUnit>("mmiRB_Unit"); }));
    if (!window || window->BookFrame()->Model()->Count() != ARows ||
        fetched != static_cast<size_t>(ARows))
        throw Exception(QStringLiteral("the unit window did not show %1 rows").arg(ARows));
    T_frmUnit& frame = *window->BookFrame();
    ATimes.Sort.push_back(TimeMilliseconds([&] {
        frame.ListViewColumnClick(kSortColumn);
        TBenchMainWindow::Paint();
    }));
    const double apply = TimeMilliseconds([&] {
        frame.FilterEdit()->setText(kFilterText);
        frame.ApplyFilter();
        TBenchMainWindow::Paint();
    });
    const double clear = TimeMilliseconds([&] {
        frame.FilterEdit()->clear();
        frame.ApplyFilter();
        TBenchMainWindow::Paint();
    });
    if (frame.Model()->Count() != ARows)
        throw Exception(QStringLiteral("the cleared filter did not show every row"));
    ATimes.Filter.push_back(std::max(apply, clear));
    AMain.CloseWindows();
}

// Per-row time at the large size over that at the small one, pair by pair.
std::vector<double> Growth(const std::vector<double>& ALarge, const std::vector<double>& ASmall) {
    std::vector<double> ratios;
    for (size_t i = 0; i < ALarge.size() && i < ASmall.size(); ++i)
        ratios.push_back((ALarge[i] / kLarge) / (ASmall[i] / kSmall));
    return ratios;
}

// The peak memory of a process of this program that opens the window on ARows units.
qint64 ChildPeak(const QString& AFolder, int ARows) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--peak"), QString::number(ARows), AFolder});
    child.waitForFinished(-1);
    if (child.exitCode() != 0)
        throw Exception(QStringLiteral("the memory run failed"));
    return child.readAllStandardOutput().trimmed().toLongLong();
}

int RunPeak(int ARows, const QString& AFolder) {
    const QString file = EnsureBenchUnitDataBase(AFolder, ARows);
    TBenchMainWindow main;
    main.Connect(file);
    TfrmUnit* window = main.RunCommand<TfrmUnit>("mmiRB_Unit");
    if (!window || window->BookFrame()->Model()->Count() != ARows)
        return 1;
    std::printf("%lld\n", static_cast<long long>(PeakResidentBytes()));
    main.Disconnect();
    return 0;
}

int Run(const QString& AFolder) {
    const QString files[2] = {EnsureBenchUnitDataBase(AFolder, kSmall),
                              EnsureBenchUnitDataBase(AFolder, kLarge)};
    TSizeTimes small, large;
    {
        TBenchMainWindow main;
        main.RunAtTwoSizes(files, [&](int ASize, bool ACounted) {
            TSizeTimes warm;
            MeasurePair(main, ASize == 0 ? kSmall : kLarge,
                        !ACounted    ? warm
                        : ASize == 0 ? small
                                     : large);
        });
    }
    std::vector<double> peakSmall, peakLarge, bytesPerRow;
    for (int pair = 0; pair < kBenchPairs; ++pair) {
        peakSmall.push_back(static_cast<double>(ChildPeak(AFolder, kSmall)));
        peakLarge.push_back(static_cast<double>(ChildPeak(AFolder, kLarge)));
        bytesPerRow.push_back((peakLarge.back() - peakSmall.back()) / (kLarge - kSmall));
    }

    std::printf("unit list window, medians of %d pairs, ms:\n", kBenchPairs);
    std::printf("  rows     fetch     open   sort  filter\n");
    for (const auto& [rows, t] : {std::pair{kSmall, &small}, std::pair{kLarge, &large}})
        std::printf("  %6d  %7.1f  %7.1f  %6.1f  %6.1f\n", rows, Median(t->Fetch), Median(t->Open),
                    Median(t->Sort), Median(t->Filter));
    std::printf("  peak memory: %.1f MB at %d rows, %.1f MB at %d rows\n",
                Median(peakSmall) / 1048576, kSmall, Median(peakLarge) / 1048576, kLarge);
    std::printf("  window-open at %d rows: %.3f\n", kSmall,
                Median(PairRatios(small.Open, small.Fetch)));
    const double openGrowth = Median(Growth(large.Open, small.Open));
    const double sortGrowth = Median(Growth(large.Sort, small.Sort));
    const double filterGrowth = Median(Growth(large.Filter, small.Filter));
    std::printf("  per-row growth: open %.3f, sort %.3f, filter %.3f\n", openGrowth, sortGrowth,
                filterGrowth);
    PrintRatio("window-open", Median(PairRatios(large.Open, large.Fetch)));
    PrintRatio("sort-first-click", Median(PairRatios(large.Sort, large.Fetch)));
    PrintRatio("filter-sorted", Median(PairRatios(large.Filter, large.Fetch)));
    PrintRatio("per-row-growth", std::max({openGrowth, sortGrowth, filterGrowth}));
    PrintRatio("bytes-per-row", Median(bytesPerRow));
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    UseOffscreenPlatformByDefault();
    QApplication app(argc, argv);
    // The windows the main window's commands open, as the program registers them.
    RegisterReferenceBookWindows();
    QStringList args = app.arguments().mid(1);
    int peakRows = 0;
    if (args.size() >= 2 && args[0] == QLatin1String("--peak")) {
        peakRows = args[1].toInt();
        args = args.mid(2);
    }
    const QString folder = args.isEmpty() ? QStringLiteral("bench-data") : args.first();
    int rc = 0;
    try {
        rc = peakRows > 0 ? RunPeak(peakRows, folder) : Run(folder);
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        rc = 1;
    }
    IBClient::Shutdown();
    return rc;
}
