#pragma once

#include <QString>

// The SQL of the demo catalogue (demo.sql, built into the program): the rows of a small
// Russian catalogue for a new main database of DBID 1000.
QString DemoDataScript();

// Fills the main database file AFileName, new and empty, with the demo catalogue. Raises
// Exception when the file cannot be opened or a statement fails; the rows run until then
// stay in the file.
void FillDemoDataBase(const QString& AFileName);
