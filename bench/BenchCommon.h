#pragma once

#include <QString>
#include <functional>
#include <vector>

// Sizes of the generated benchmark database.
struct TBenchDBSize {
    int ElementTypes = 100000;
    int Classes = 200;
    int Makers = 100;
    int Cases = 300;
    int Units = 0; // units of measure, none in the element-type database
    // Base parameters of class 1 and a value of each for every element type of that class.
    int BaseParams = 0;
};

// Makes FILE (which must not exist) as a main database filled with element types and the
// classes, makers and cases they refer to. Prints progress to stderr.
void GenerateBenchDataBase(const QString& AFileName, const TBenchDBSize& ASize);

// Returns the file of the standard benchmark database in AFolder, making it when absent.
QString EnsureBenchDataBase(const QString& AFolder, const TBenchDBSize& ASize = {});

// Returns the file of a database in AFolder of one class with AElementTypes element types,
// 10 base parameters and a value of each for every type (ten values a type), making it when
// absent.
QString EnsureBenchParamDataBase(const QString& AFolder, int AElementTypes);

// Returns the file of a database in AFolder that holds AUnits units of measure and nothing
// else, making it when absent.
QString EnsureBenchUnitDataBase(const QString& AFolder, int AUnits = 100000);

// Runs AWork ATimes times and returns the median of the wall times in milliseconds.
double MedianMilliseconds(int ATimes, const std::function<void()>& AWork);

// The wall time of AWork in milliseconds.
double TimeMilliseconds(const std::function<void()>& AWork);

// The median of AValues (the mean of the middle two for an even count); 0 for none.
double Median(std::vector<double> AValues);

// The fewest pairs a goal's figure is measured with.
constexpr int kBenchPairs = 9;

// The times of a piece of work and of its anchor, measured alternately (work, anchor, work,
// anchor ...), so that a change of the machine's load falls on both alike. The figure of a
// goal is the median of the ratios of each pair, not the ratio of two medians.
struct TPairedTimes {
    std::vector<double> Work;   // milliseconds
    std::vector<double> Anchor; // milliseconds

    void Add(double AWork, double AAnchor) {
        Work.push_back(AWork);
        Anchor.push_back(AAnchor);
    }
    double MedianRatio() const;
    double MedianWork() const { return Median(Work); }
    double MedianAnchor() const { return Median(Anchor); }
};

// Runs APairs pairs of AAnchor then AWork; each returns the milliseconds of its measured part,
// so that what a run needs first (a fresh window ...) stays outside the figure.
TPairedTimes RunPairs(int APairs, const std::function<double()>& AWork,
                      const std::function<double()>& AAnchor);

// The ratios AWork[i] / AAnchor[i] of the pairs.
std::vector<double> PairRatios(const std::vector<double>& AWork,
                               const std::vector<double>& AAnchor);

// The statement of the element-type list: every column of the types with their class's icon,
// their case and maker and whether they have pins, without a WHERE.
extern const char* const kBenchElementTypeSelect;

// Prints a goal's figure as the line "ratio NAME: X".
void PrintRatio(const char* AName, double AValue);

// The peak resident memory of this process so far (VmHWM), in bytes; -1 when unknown.
qint64 PeakResidentBytes();

// The folder of the benchmark databases: the program's first argument, else "bench-data".
QString BenchDataFolder(int argc, char* argv[]);

// Widgets run on Qt's offscreen platform unless QT_QPA_PLATFORM names another; call it before
// the application object is made.
void UseOffscreenPlatformByDefault();
