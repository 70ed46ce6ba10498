#pragma once

// What the package benchmarks share: a catalogue of element types with their classes, cases,
// makers and parameter values, written by plain prepared inserts; the databases made from it
// once into the data folder; fresh copies of them for each round; and small timing helpers.

#include "bench/BenchCommon.h"
#include "core/udmMain.h"
#include "exchange/KVExchangeMonitor.h"
#include "exchange/KVPackageTables.h"
#include "platform/ib/IBDatabase.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <vector>

constexpr quint32 KSourceDBId = 1011;
constexpr quint32 KTargetDBId = 1012;
constexpr int KClasses = 200;
constexpr int KCases = 300;
constexpr int KMakers = 100;
constexpr int KParamsPerType = 10;
constexpr int KRounds = 9;

class TQuietMonitor : public TKVExchangeMonitor {
public:
    void AddLogMsg(const QString& AMsg) override { Lines << AMsg; }
    QStringList Lines;
};

struct TCatalogueSize {
    int ElementTypes;
    int Count(TKVPackageTable ATable) const {
        switch (ATable) {
        case ptClass:
            return KClasses;
        case ptCase:
            return KCases;
        case ptMaker:
            return KMakers;
        case ptElementType:
            return ElementTypes;
        case ptParam:
            return ElementTypes * KParamsPerType;
        default:
            return 0;
        }
    }
    qint64 Rows() const {
        qint64 rows = 0;
        for (const TKVPackageTable t : KVPackageDataTables)
            rows += Count(t);
        return rows;
    }
};

// Inserts the catalogue's rows (all of DBID KSourceDBId) into the open database in one
// transaction with one prepared statement per table.
void InsertCatalogue(TIBDatabase& ADataBase, const TCatalogueSize& ASize);
// The database of DBID KSourceDBId that holds the catalogue, made once into AFolder.
QString EnsureSource(const QString& AFolder, const TCatalogueSize& ASize);
// An empty database of DBID KTargetDBId, made once into AFolder.
QString EnsureEmpty(const QString& AFolder);
// A database of DBID KTargetDBId into which the catalogue of KSourceDBId has been imported:
// the catalogue's rows and the record of the imported package; made once into AFolder.
QString EnsureImported(const QString& AFolder, const TCatalogueSize& ASize);
// A fresh copy of AFile as AName in the work folder.
QString FreshCopy(const QString& AFile, const QTemporaryDir& AWork, const QString& AName);
// Connects the data module to AFile (disconnecting first).
void Connect(TdmMain& AModule, const QString& AFile);
double Seconds(const std::function<void()>& AWork);
// Raises an exception with the monitor's log when AOk is false.
void Check(bool AOk, const TQuietMonitor& AMonitor, const char* AWhat);
