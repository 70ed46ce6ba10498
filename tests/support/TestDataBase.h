#pragma once

#include <QString>
#include <QTemporaryDir>
#include <QVariant>

// A fresh main database file for one test, in a temporary folder that goes with the object.
// Made from the project's schema (once per test program, then copied) with the DBID and
// description the test asks for.
class TTestDataBase {
public:
    explicit TTestDataBase(quint32 ADBId = 1011,
                           const QString& ADescription = QStringLiteral("Тестовая база"));
    ~TTestDataBase();
    TTestDataBase(const TTestDataBase&) = delete;
    TTestDataBase& operator=(const TTestDataBase&) = delete;

    const QString& FileName() const { return FFileName; }
    QString Folder() const { return FDir.path(); }

    // Runs one statement on a connection of its own and commits.
    void Exec(const QString& ASQL) const;
    // The first column of the first row of a query (invalid for NULL or no row).
    QVariant Scalar(const QString& ASQL) const;

private:
    QTemporaryDir FDir;
    QString FFileName;
};
