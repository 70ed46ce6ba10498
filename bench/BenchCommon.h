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
};

// Makes FILE (which must not exist) as a main database filled with element types and the
// classes, makers and cases they refer to. Prints progress to stderr.
void GenerateBenchDataBase(const QString& AFileName, const TBenchDBSize& ASize);

// Returns the file of the standard benchmark database in AFolder, making it when absent.
QString EnsureBenchDataBase(const QString& AFolder, const TBenchDBSize& ASize = {});

// Returns the file of a database in AFolder that holds AUnits units of measure and nothing
// else, making it when absent.
QString EnsureBenchUnitDataBase(const QString& AFolder, int AUnits = 100000);

// Runs AWork ATimes times and returns the median of the wall times in milliseconds.
double MedianMilliseconds(int ATimes, const std::function<void()>& AWork);

// The folder of the benchmark databases: the program's first argument, else "bench-data".
QString BenchDataFolder(int argc, char* argv[]);

// Widgets run on Qt's offscreen platform unless QT_QPA_PLATFORM names another; call it before
// the application object is made.
void UseOffscreenPlatformByDefault();
