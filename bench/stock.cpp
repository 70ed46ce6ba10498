// Times the stock window on 10,000 and on 100,000 stock records (every third of them reserved by
// project items, every fifth a free-named record): from the request (the opener of the list of
// all records) to the list painted in the workspace, against the raw fetch of the same rows and
// columns with the list's own statement.
//
//   bench_stock [DATA_FOLDER]
//
// Runs window and fetch in turn (A B A B ..., 9 pairs at each size) and prints per goal a line
// "ratio NAME: X" with the median of the paired ratios:
//   stock-list          window / raw fetch at 100,000 records;
//   stock-list-growth   window time per record at 100,000 / at 10,000 (pairs of the two sizes).

#include "bench/BenchCommon.h"
#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "schema/MainSchema.h"
#include "shell/ufrmMain.h"
#include "stock/frmElementAvail.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kPairs = 9;

// Makes a database of ARecords stock records over 1,000 element types, 20 places, two units and
// 200 projects.
void GenerateStockDataBase(const QString& AFileName, int ARecords) {
    CreateMainDataBase(AFileName, 1011, QStringLiteral("Склад для замеров"));
    TIBDatabase db;
    db.SetDatabaseName(AFileName);
    db.Open();
    TIBTransaction tr(&db);
    TIBQuery q(&db, &tr);
    TIBTransactionScope scope(tr);
    const TDateTime now = Now();
    const auto run = [&](const QString& ASQL, int ACount, const std::function<void(int)>& ABind) {
        q.SetSQL(ASQL);
        for (int i = 1; i <= ACount; ++i) {
            ABind(i);
            q.ExecSQL();
        }
    };
    run(QStringLiteral("INSERT INTO T_UNIT (DBID, ID, S_PREFIX, V_FACTOR, V_FLAG) VALUES (1011, "
                       ":ID, :P, :F, 0)"),
        2, [&](int i) {
            q.ParamByName("ID").SetAsInteger(i);
            q.ParamByName("P").SetAsString(i == 1 ? QStringLiteral("шт") : QStringLiteral("кОм"));
            q.ParamByName("F").SetAsDouble(i == 1 ? 1 : 1000);
        });
    run(QStringLiteral("INSERT INTO T_CLASS (DBID, ID, S_NAME, ICONID, V_FLAG) VALUES (1011, :ID, "
                       ":N, :I, 0)"),
        20, [&](int i) {
            q.ParamByName("ID").SetAsInteger(i);
            q.ParamByName("N").SetAsString(QStringLiteral("Класс %1").arg(i));
            q.ParamByName("I").SetAsInteger(i % 10);
        });
    run(QStringLiteral("INSERT INTO T_CASE (DBID, ID, S_TYPENAME, V_MOUNTTYPE, V_CV_PTTTYPE, "
                       "V_FLAG) VALUES (1011, :ID, :N, :M, :V, 0)"),
        50, [&](int i) {
            q.ParamByName("ID").SetAsInteger(i);
            q.ParamByName("N").SetAsString(QStringLiteral("SOT-%1").arg(i));
            q.ParamByName("M").SetAsInteger(i % 3);
            q.ParamByName("V").SetAsInteger(i % 5);
        });
    run(QStringLiteral("INSERT INTO T_ELEMENT_TYPE (DBID, ID, CLASSDBID, CLASSID, CASEDBID, "
                       "CASEID, S_TYPENAME, S_MARKING, V_FLAG) VALUES (1011, :ID, 1011, :C, 1011, "
                       ":K, :N, :M, 0)"),
        1000, [&](int i) {
            q.ParamByName("ID").SetAsInteger(i);
            q.ParamByName("C").SetAsInteger(1 + i % 20);
            q.ParamByName("K").SetAsInteger(1 + i % 50);
            q.ParamByName("N").SetAsString(QStringLiteral("КТ%1Б").arg(i));
            q.ParamByName("M").SetAsString(QStringLiteral("M%1").arg(i));
        });
    run(QStringLiteral("INSERT INTO T_PIN (DBID, ID, ELEMENTTYPEDBID, ELEMENTTYPEID, V_NUM, "
                       "S_NAME, V_FLAG) VALUES (1011, :ID, 1011, :T, 1, 'A', 0)"),
        500, [&](int i) {
            q.ParamByName("ID").SetAsInteger(i);
            q.ParamByName("T").SetAsInteger(2 * i);
        });
    run(QStringLiteral("INSERT INTO T_STORAGE (ID, S_NAME, V_FLAG) VALUES (:ID, :N, 0)"), 20,
        [&](int i) {
            q.ParamByName("ID").SetAsInteger(i);
            q.ParamByName("N").SetAsString(QStringLiteral("Ящик %1").arg(i));
        });
    run(QStringLiteral("INSERT INTO T_PROJECT (ID, S_NAME, V_COUNTDEV_SCHEDULED, F_PROGRESS, "
                       "V_FLAG) VALUES (:ID, :N, :S, :P, 0)"),
        200, [&](int i) {
            q.ParamByName("ID").SetAsInteger(i);
            q.ParamByName("N").SetAsString(QStringLiteral("Проект %1").arg(i));
            q.ParamByName("S").SetAsInteger(1 + i % 10);
            if (i % 2)
                q.ParamByName("P").SetAsInteger(1);
            else
                q.ParamByName("P").Clear();
        });
    run(QStringLiteral(
            "INSERT INTO T_ELEMENT_AVAIL (ID, ELEMENTTYPEDBID, ELEMENTTYPEID, S_TYPENAME, "
            "UNITNOMDBID, UNITNOMID, UNITCOUNTDBID, UNITCOUNTID, STORAGEID, V_COUNT_FLOAT, "
            "V_NEED_FLOAT, V_NOMINAL, S_MARKING, S_CELL, S_TEXT, V_FLAG, C_TIMESTAMP, "
            "U_TIMESTAMP) VALUES (:ID, :TDB, :T, :NAME, :UDB, :U, 1011, 1, :S, :C, :NEED, :NOM, "
            ":M, :CELL, :TEXT, :F, :CT, :UT)"),
        ARecords, [&](int i) {
            const bool free = i % 5 == 0;
            q.ParamByName("ID").SetAsInteger(i);
            if (free) {
                q.ParamByName("TDB").Clear();
                q.ParamByName("T").Clear();
                q.ParamByName("NAME").SetAsString(QStringLiteral("Плата %1").arg(i));
            } else {
                q.ParamByName("TDB").SetAsInteger(1011);
                q.ParamByName("T").SetAsInteger(1 + i % 1000);
                q.ParamByName("NAME").Clear();
            }
            if (i % 2) {
                q.ParamByName("UDB").SetAsInteger(1011);
                q.ParamByName("U").SetAsInteger(2);
                q.ParamByName("NOM").SetAsDouble((i % 97) / 10.0);
            } else {
                q.ParamByName("UDB").Clear();
                q.ParamByName("U").Clear();
                q.ParamByName("NOM").Clear();
            }
            q.ParamByName("S").SetAsInteger(1 + i % 20);
            q.ParamByName("C").SetAsDouble(i % 50);
            if (i % 7 == 0)
                q.ParamByName("NEED").SetAsDouble(5);
            else
                q.ParamByName("NEED").Clear();
            q.ParamByName("M").SetAsString(QStringLiteral("%1").arg(i % 1000));
            q.ParamByName("CELL").SetAsString(QStringLiteral("А%1").arg(i % 30));
            q.ParamByName("TEXT").SetAsString(i % 3 ? QString() : QStringLiteral("Примечание"));
            q.ParamByName("F").SetAsInteger(i % 11 == 0 ? 1 : 0);
            q.ParamByName("CT").SetAsDateTime(now - i / 100.0);
            if (i % 4 == 0)
                q.ParamByName("UT").SetAsDateTime(now - i / 200.0);
            else
                q.ParamByName("UT").Clear();
        });
    run(QStringLiteral("INSERT INTO T_PROJECT_ITEM (ID, PROJECTID, ELEMENTAVAILID, V_COUNT_FLOAT, "
                       "V_FLAG) VALUES (:ID, :P, :A, :C, 0)"),
        ARecords / 3, [&](int i) {
            q.ParamByName("ID").SetAsInteger(i);
            q.ParamByName("P").SetAsInteger(1 + i % 200);
            q.ParamByName("A").SetAsInteger(3 * i);
            q.ParamByName("C").SetAsDouble(1 + i % 4);
        });
    scope.Commit();
    db.Close();
}

QString EnsureStockDataBase(const QString& AFolder, int ARecords) {
    QDir().mkpath(AFolder);
    const QString file = QDir(AFolder).filePath(QStringLiteral("bench-stock-%1.fdb").arg(ARecords));
    if (!QFileInfo::exists(file)) {
        std::fprintf(stderr, "Making %s ...\n", qPrintable(file));
        GenerateStockDataBase(file, ARecords);
    }
    return file;
}

double Elapsed(const std::function<void()>& AWork) {
    QElapsedTimer timer;
    timer.start();
    AWork();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

class TStockBench {
public:
    TStockBench(TfrmMain& AMain, QString AFile) : FMain(AMain), FFile(std::move(AFile)) {}

    // The window of all records opened and painted, then closed (not timed).
    double Window() {
        Connect();
        TfrmElementAvail* host = nullptr;
        const double ms = Elapsed([&] {
            host = OpenRBElementAvail();
            QApplication::processEvents(); // the workspace paints the list
        });
        if (!host)
            throw Exception(QStringLiteral("no stock window"));
        FRows = host->BookFrame()->Model()->Count();
        FMain.CloseAllWindow();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return ms;
    }
    // The list's statement, every column of every row read.
    double Fetch() {
        Connect();
        return Elapsed([&] {
            TIBTransaction transaction(&dmMain->MainIBDatabase);
            TIBQuery query(&dmMain->MainIBDatabase, &transaction);
            TIBTransactionScope scope(transaction);
            query.SetSQL(FetchSQL());
            query.Open();
            const int fields = query.FieldCount();
            qint64 sum = 0;
            while (!query.Eof()) {
                for (int i = 0; i < fields; ++i)
                    sum += query.Fields(i).AsString().size();
                query.Next();
            }
            query.Close();
            scope.Commit();
            if (sum == 0)
                std::fprintf(stderr, "nothing fetched\n");
        });
    }
    int Rows() const { return FRows; }

private:
    void Connect() {
        if (dmMain->DBConnected() && dmMain->CurrentDataBaseFileName() == FFile)
            return;
        int error = 0;
        if (dmMain->DBConnected())
            dmMain->DataBaseDisconnect(error);
        if (dmMain->DataBaseConnect(FFile, dmMain->CurrentUser(), error) != crOk)
            throw Exception(QStringLiteral("cannot open %1").arg(FFile));
        FMain.MainFormInit();
    }
    static QString FetchSQL() {
        return QStringLiteral(
            "SELECT TEA.ID, TEA.ELEMENTTYPEDBID, TEA.ELEMENTTYPEID, TEA.V_COUNT_FLOAT, "
            "TEA.V_NEED_FLOAT, TEA.V_NOMINAL, TEA.S_MARKING, TEA.S_CELL, TEA.S_TEXT, TEA.V_FLAG, "
            "TEA.UNITNOMDBID, TEA.UNITNOMID, TEA.UNITCOUNTDBID, TEA.UNITCOUNTID, TEA.STORAGEID, "
            "TEA.S_TYPENAME, TET.S_TYPENAME AS ELEMENTTYPENAME, TC.ICONID AS ELEMENTTYPEICONID, "
            "TCS.S_TYPENAME AS CASETYPENAME, TCS.V_CV_PTTTYPE AS CASE_CV_PTTTYPE, TU0.S_PREFIX AS "
            "UNITNOMPREFIX, TU0.V_FACTOR AS UNITNOMFACTOR, TU1.S_PREFIX AS UNITCOUNTPREFIX, "
            "TS.S_NAME AS STORAGENAME, TET.CLASSDBID AS CLASSDBID, TET.CLASSID AS CLASSID, "
            "TET.CASEDBID AS CASEDBID, TET.CASEID AS CASEID, TCS.V_MOUNTTYPE AS CASEMOUNTTYPE, "
            "(SELECT SUM(TPI.V_COUNT_FLOAT * TP.V_COUNTDEV_SCHEDULED) FROM T_PROJECT_ITEM TPI "
            "LEFT JOIN T_PROJECT TP ON TPI.PROJECTID = TP.ID WHERE TPI.ELEMENTAVAILID = TEA.ID) "
            "AS PROJECT_RESERVED, (SELECT 1 FROM RDB$DATABASE WHERE EXISTS(SELECT * FROM T_PIN "
            "TPN WHERE TPN.ELEMENTTYPEDBID = TEA.ELEMENTTYPEDBID AND TPN.ELEMENTTYPEID = "
            "TEA.ELEMENTTYPEID)) AS PIN_EXISTS, TEA.C_TIMESTAMP, TEA.U_TIMESTAMP FROM "
            "T_ELEMENT_AVAIL TEA LEFT JOIN T_ELEMENT_TYPE TET ON TET.DBID = TEA.ELEMENTTYPEDBID "
            "AND TET.ID = TEA.ELEMENTTYPEID LEFT JOIN T_CLASS TC ON TC.DBID = TET.CLASSDBID AND "
            "TC.ID = TET.CLASSID LEFT JOIN T_CASE TCS ON TCS.DBID = TET.CASEDBID AND TCS.ID = "
            "TET.CASEID LEFT JOIN T_UNIT TU0 ON TU0.DBID = TEA.UNITNOMDBID AND TU0.ID = "
            "TEA.UNITNOMID LEFT JOIN T_UNIT TU1 ON TU1.DBID = TEA.UNITCOUNTDBID AND TU1.ID = "
            "TEA.UNITCOUNTID LEFT JOIN T_STORAGE TS ON TS.ID = TEA.STORAGEID");
    }

    TfrmMain& FMain;
    QString FFile;
    int FRows = 0;
};

} // namespace

int main(int argc, char* argv[]) {
    UseOffscreenPlatformByDefault();
    QApplication app(argc, argv);
    const QString folder = BenchDataFolder(argc, argv);
    int rc = 0;
    try {
        const QString smallFile = EnsureStockDataBase(folder, 10000);
        const QString largeFile = EnsureStockDataBase(folder, 100000);

        // A main window on a program folder of its own with a quiet start.
        QTemporaryDir programDir;
        QFile settings(programDir.filePath(QStringLiteral("Korvant.ini")));
        if (!settings.open(QIODevice::WriteOnly))
            throw Exception(QStringLiteral("cannot write the settings"));
        settings.write("[WN]\nWN_102=1\n[Options]\nAutoLogin=0\nLogo=0\nLocalConfig=0\n");
        settings.close();
        TfrmMain main(programDir.path());
        main.resize(1000, 700);
        if (!qEnvironmentVariableIsSet("KV_HIDE"))
            main.show();

        TStockBench small(main, smallFile);
        TStockBench large(main, largeFile);
        small.Window(); // warm-up of both files and the code
        large.Window();
        large.Fetch();

        std::vector<double> listRatios;
        std::vector<double> growthRatios;
        std::vector<double> windows, fetches, smallWindows;
        for (int pair = 0; pair < kPairs; ++pair) {
            const double window = large.Window();
            const double fetch = large.Fetch();
            listRatios.push_back(window / fetch);
            windows.push_back(window);
            fetches.push_back(fetch);
        }
        for (int pair = 0; pair < kPairs; ++pair) {
            const double smallWindow = small.Window();
            const double largeWindow = large.Window();
            smallWindows.push_back(smallWindow);
            growthRatios.push_back((largeWindow / large.Rows()) / (smallWindow / small.Rows()));
        }
        std::printf("rows shown: %d and %d\n", small.Rows(), large.Rows());
        std::printf("stock window at %d: %.1f ms; raw fetch: %.1f ms; window at %d: %.1f ms\n",
                    large.Rows(), Median(windows), Median(fetches), small.Rows(),
                    Median(smallWindows));
        std::printf("ratio stock-list: %.2f\n", Median(listRatios));
        std::printf("ratio stock-list-growth: %.2f\n", Median(growthRatios));
        int error = 0;
        dmMain->DataBaseDisconnect(error);
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        rc = 1;
    }
    IBClient::Shutdown();
    return rc;
}
