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
};

// Makes FILE (which must not exist) as a main database filled with element types and the
// classes, makers and cases they refer to. Prints progress to stderr.
void GenerateBenchDataBase(const QString& AFileName, const TBenchDBSize& ASize);

// Returns the file of the standard benchmark database in AFolder, making it when absent.
QString EnsureBenchDataBase(const QString& AFolder, const TBenchDBSize& ASize = {});

// Runs AWork ATimes times and returns the median of the wall times in milliseconds.
double MedianMilliseconds(int ATimes, const std::function<void()>& AWork);
