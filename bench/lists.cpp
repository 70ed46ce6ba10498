// Key lookups in row lists as they grow: element-type lists of 10,000 and of 100,000 rows, each
// row with 10 parameter records, built in memory; then FindIndexByPKey, GetItemByPKey and
// UpdateDataByPKey for every key in a loop.
//
// Prints the build and lookup times per row at both sizes and last a line "ratio: X", the
// per-row lookup time at 100,000 over that at 10,000, with the keys looked up in the order the
// rows were loaded: about 1 when a lookup takes constant time, about 10 if it walked the list.
// The same lookups in a random key order are shown too; there the rows of the large list no
// longer fit in the processor's caches and each lookup waits on main memory.

#include "bench/BenchCommon.h"
#include "core/KVElementType.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr quint32 KDB = 1011;
constexpr int KParamsPerRow = 10;
constexpr int KLookupsPerMeasure = 1000000; // keys looked up per measured run, at every size

const QString KTypeName = QStringLiteral("КТ315Б");
const QString KMarking = QStringLiteral("315Б");
const QString KClassName = QStringLiteral("Транзисторы биполярные");
const QString KCaseName = QStringLiteral("КТ-13");
const QString KMakerName = QStringLiteral("Завод");
const QString KUnitPrefix = QStringLiteral("мА");

// Rows with Ids 1..ACount in this order.
std::unique_ptr<TKVElementTypeList> BuildList(int ACount) {
    auto list = TKVElementTypeList::CreateOnClass(KDB, 9, true);
    for (int i = 1; i <= ACount; ++i) {
        const quint32 id = quint32(i);
        auto row = std::make_unique<TKVElementType>(KDB, id, KDB, 9);
        row->UpdateData(KDB, 9, KDB, 4, KDB, 6, KTypeName, KMarking, QString(), QString(), 0, 0, 0,
                        KClassName, KCaseName, cmtInBoardHoles, KMakerName, 3, cvtHorLine, true);
        for (int p = 0; p < KParamsPerRow; ++p)
            row->AddParam(KDB, id * KParamsPerRow + p, KDB, quint32(p + 1), KDB, 5, KUnitPrefix, p,
                          p + 0.5, p + 1, QString(), false, 0, true, true, true, false);
        list->Add(std::move(row));
    }
    return list;
}

// Every key of AKeys looked up three ways; returns a checksum so that nothing is optimised
// away.
qint64 LookUp(TKVElementTypeList& AList, const std::vector<quint32>& AKeys) {
    qint64 sum = 0;
    for (const quint32 id : AKeys) {
        sum += AList.FindIndexByPKey(KDB, id);
        sum += AList.GetItemByPKey(KDB, id)->ParamCount();
        sum += AList.UpdateDataByPKey(KDB, id, KDB, 9, KDB, 4, KDB, 6, KTypeName, KMarking,
                                      QString(), QString(), 0, id, 0, KClassName, KCaseName,
                                      cmtInBoardHoles, KMakerName, 3, cvtHorLine, true)
                   ? 1
                   : 0;
    }
    return sum;
}

struct TResult {
    double BuildPerRow; // microseconds
    double InOrderPerRow;
    double RandomPerRow;
};

// Microseconds per key of the lookups of AKeys, median of 5 runs of KLookupsPerMeasure keys.
double LookUpPerRow(TKVElementTypeList& AList, const std::vector<quint32>& AKeys) {
    const int passes = KLookupsPerMeasure / int(AKeys.size());
    const qint64 count = qint64(AKeys.size());
    const qint64 expected = count * (count - 1) / 2 + count * (KParamsPerRow + 1);
    const double ms = MedianMilliseconds(5, [&] {
        for (int pass = 0; pass < passes; ++pass) {
            if (LookUp(AList, AKeys) != expected)
                std::fprintf(stderr, "wrong lookup result\n");
        }
    });
    return ms * 1000 / (double(passes) * double(count));
}

TResult Measure(int ACount) {
    std::unique_ptr<TKVElementTypeList> list;
    const double build = MedianMilliseconds(5, [&] {
        list.reset();
        list = BuildList(ACount);
    });
    std::vector<quint32> keys(static_cast<std::size_t>(ACount));
    for (int i = 0; i < ACount; ++i)
        keys[static_cast<std::size_t>(i)] = quint32(i + 1);
    const double inOrder = LookUpPerRow(*list, keys);
    std::shuffle(keys.begin(), keys.end(), std::mt19937(2024));
    const double random = LookUpPerRow(*list, keys);
    return {build * 1000 / ACount, inOrder, random};
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const TResult small = Measure(10000);
    const TResult large = Measure(100000);
    std::printf("element-type lists, %d parameter records a row, us per row (medians of 5):\n",
                KParamsPerRow);
    std::printf("  rows     build   lookups in load order   lookups in random order\n");
    for (const auto& [rows, r] : {std::pair{10000, small}, std::pair{100000, large}})
        std::printf("  %6d  %6.3f  %21.3f  %23.3f\n", rows, r.BuildPerRow, r.InOrderPerRow,
                    r.RandomPerRow);
    std::printf("  build ratio: %.2f; random-order lookup ratio: %.2f\n",
                large.BuildPerRow / small.BuildPerRow, large.RandomPerRow / small.RandomPerRow);
    std::printf("ratio: %.2f\n", large.InOrderPerRow / small.InOrderPerRow);
    return 0;
}
