#pragma once

#include <QString>
#include <QStringList>

class TIBDatabase;

// The SQL of a main database of structure 1.2.3 (main.sql, built into the program).
QString MainSchemaScript();

// Splits a script in isql's dialect into statements: each ends with the current terminator
// (";" until a SET TERM line changes it) outside quotes and comments; SET TERM lines and
// empty statements are dropped, the terminators removed.
QStringList SplitSQLScript(const QString& AScript);

// Runs every statement of the script on the open database, each in a transaction of its own
// (DDL must be committed before the next statement uses what it made). Parameters are not
// parsed, so PSQL bodies keep their :NAME references.
void RunSQLScript(TIBDatabase& ADataBase, const QString& AScript);

// Makes a new main database file with the given DBID and description. Refuses, raising
// Exception, when the file already exists; a file left half made by a failure is removed.
void CreateMainDataBase(const QString& AFileName, quint32 ADBId, const QString& ADescription);
