// Reading the database aliases from the settings file with the code of the program's start:
// the file is read, then Name0/File0, Name1/File1 ... are looked up until the first missing
// name, and each alias goes into the alias list. Settings files of 10,000 and of 100,000 aliases
// are read in turn (A B A B ..., 11 pairs).
//
// Prints the time per alias at both sizes and last a line "ratio ini-keys: X", the median over
// the pairs of the per-alias time at 100,000 over that at 10,000: about 1 when a key is found
// in constant time, about 10 if each lookup walked the section.

#include "core/KVDataBase.h"
#include "core/udmMain.h"
#include "platform/sys/IniFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int KSmall = 10000;
constexpr int KLarge = 100000;
constexpr int KPairs = 11;

// A settings file with the options of a usual start and ACount aliases.
QString WriteSettings(const QTemporaryDir& ADir, int ACount) {
    QByteArray data = "[Options]\nAutoLogin=1\nLogo=1\n\n[Aliases]\n";
    for (int n = 0; n < ACount; ++n) {
        data += QStringLiteral("Name%1=База данных склада номер %1\nFile%1=/home/user/Склад/база%1."
                               "fdb\n")
                    .arg(n)
                    .toUtf8();
    }
    data += "\n[News]\nShowNews=0\nLastNewsId=0\n";
    const QString fileName = ADir.filePath(QStringLiteral("Korvant%1.ini").arg(ACount));
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(fileName));
        std::exit(1);
    }
    return fileName;
}

// Milliseconds per alias of reading the file's aliases into an alias list.
double ReadAliases(const QString& AFileName, int AExpected) {
    QElapsedTimer timer;
    timer.start();
    const TIniFile ini(AFileName);
    TKVDataBase dataBase;
    TdmMain::LoadAliases(ini, dataBase);
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    if (dataBase.AliasCount() != AExpected) {
        std::fprintf(stderr, "read %d aliases, expected %d\n", dataBase.AliasCount(), AExpected);
        std::exit(1);
    }
    return ms / AExpected;
}

double Median(std::vector<double> AValues) {
    std::sort(AValues.begin(), AValues.end());
    return AValues[AValues.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString small = WriteSettings(dir, KSmall);
    const QString large = WriteSettings(dir, KLarge);
    // One reading of each first, so that both files are in the cache of the file system.
    ReadAliases(small, KSmall);
    ReadAliases(large, KLarge);

    std::vector<double> smallTimes;
    std::vector<double> largeTimes;
    std::vector<double> ratios;
    for (int pair = 0; pair < KPairs; ++pair) {
        smallTimes.push_back(ReadAliases(small, KSmall));
        largeTimes.push_back(ReadAliases(large, KLarge));
        ratios.push_back(largeTimes.back() / smallTimes.back());
    }
    std::printf("aliases %6d: %.3f us per alias (median of %d)\n", KSmall,
                Median(smallTimes) * 1000, KPairs);
    std::printf("aliases %6d: %.3f us per alias (median of %d)\n", KLarge,
                Median(largeTimes) * 1000, KPairs);
    std::printf("ratio ini-keys: %.2f\n", Median(ratios));
    return 0;
}
