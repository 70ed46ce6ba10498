// Times the unit list frame on 100,000 units: LoadData + FillListView (the records read into
// the unit list with the COUNT query and the progress bar, the rows built, the view reset and
// painted) against a plain fetch of the same rows through the database layer into row objects.
// Filtering and sorting the loaded rows are timed too.
//
//   bench_frame [DATA_FOLDER]
//
// Prints the medians and last a line "ratio: X" with X = (frame - fetch) / fetch.

#include "bench/BenchCommon.h"
#include "core/KVUnit.h"
#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "refbooks/_frmUnit.h"
#include "shell/ufrmMain.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kUnits = 100000;
constexpr int kRuns = 5;

// The rows read the way the frame reads them, into the unit row class.
size_t PlainFetch() {
    TIBTransaction transaction(&dmMain->MainIBDatabase);
    TIBQuery query(&dmMain->MainIBDatabase, &transaction);
    TIBTransactionScope scope(transaction);
    query.SetSQL(QStringLiteral(
        "SELECT TU1.DBID, TU1.ID, TU1.S_PREFIX, TU1.S_NAMEDEF, TU1.S_NAME, TU1.S_DESCRIPTION, "
        "TU1.V_FACTOR, TU1.C_TIMESTAMP, TU1.U_TIMESTAMP, TU1.R_TIMESTAMP FROM T_UNIT TU1;"));
    query.Open();
    std::vector<std::unique_ptr<TKVUnit>> rows;
    while (!query.Eof()) {
        auto row =
            std::make_unique<TKVUnit>(static_cast<quint32>(query.FieldByName("DBID").AsInt64()),
                                      static_cast<quint32>(query.FieldByName("ID").AsInt64()));
        row->UpdateData(
            query.FieldByName("S_PREFIX").AsString(), query.FieldByName("S_NAMEDEF").AsString(),
            query.FieldByName("S_NAME").AsString(), query.FieldByName("S_DESCRIPTION").AsString(),
            query.FieldByName("V_FACTOR").AsDouble(), query.FieldByName("C_TIMESTAMP").AsDateTime(),
            query.FieldByName("U_TIMESTAMP").AsDateTime(),
            query.FieldByName("R_TIMESTAMP").AsDateTime());
        rows.push_back(std::move(row));
        query.Next();
    }
    query.Close();
    scope.Commit();
    return rows.size();
}

} // namespace

int main(int argc, char* argv[]) {
    UseOffscreenPlatformByDefault();
    QApplication app(argc, argv);
    const QString folder = BenchDataFolder(argc, argv);
    int rc = 0;
    try {
        const QString file = EnsureBenchUnitDataBase(folder, kUnits);

        // A main window on a program folder of its own with a quiet start.
        QTemporaryDir programDir;
        QFile settings(programDir.filePath(QStringLiteral("Korvant.ini")));
        if (!settings.open(QIODevice::WriteOnly))
            throw Exception(QStringLiteral("cannot write the settings"));
        settings.write("[WN]\nWN_102=1\n[Options]\nAutoLogin=0\nLogo=0\nLocalConfig=0\n");
        settings.close();
        TfrmMain main(programDir.path());
        if (!qEnvironmentVariableIsSet("KV_HIDE"))
            main.show();
        int error = 0;
        if (dmMain->DataBaseConnect(file, dmMain->CurrentUser(), error) != crOk)
            throw Exception(QStringLiteral("cannot open %1").arg(file));
        main.MainFormInit();

        T_frmUnit frame;
        frame.resize(800, 600);
        frame.show();
        frame.Init(true);
        QApplication::processEvents();
        std::printf("rows: %d shown, %zu fetched\n", frame.Model()->Count(), PlainFetch());

        const double fetchMs = MedianMilliseconds(kRuns, [] { PlainFetch(); });
        const double frameMs = MedianMilliseconds(kRuns, [&] {
            main.ShowProgress();
            frame.LoadData();
            frame.FillListView();
            main.HideProgress();
            QApplication::processEvents(); // the view paints the new rows
        });
        if (qEnvironmentVariableIsSet("KV_PARTS")) {
            std::printf("count: %.1f\n", MedianMilliseconds(kRuns, [&] {
                            TIBTransaction t(&dmMain->MainIBDatabase);
                            TIBQuery q(&dmMain->MainIBDatabase, &t);
                            TIBTransactionScope sc(t);
                            q.SetSQL(QStringLiteral("SELECT COUNT(ID) FROM T_UNIT;"));
                            q.Open();
                            q.Close();
                            sc.Commit();
                        }));
            std::printf("list add+clear: %.1f\n", MedianMilliseconds(kRuns, [&] {
                            TKVUnitList l;
                            for (int i = 1; i <= 100000; ++i)
                                l.AddData(1011, i, QString(), QString(), QString(), QString(), 0, 0,
                                          0, 0);
                        }));
            std::printf("load only: %.1f\n", MedianMilliseconds(kRuns, [&] { frame.LoadData(); }));
            std::printf("fill only: %.1f\n",
                        MedianMilliseconds(kRuns, [&] { frame.FillListView(); }));
            std::printf("fill+paint: %.1f\n", MedianMilliseconds(kRuns, [&] {
                            frame.FillListView();
                            QApplication::processEvents();
                        }));
        }
        const double filterMs = MedianMilliseconds(kRuns, [&] {
            frame.FilterEdit()->setText(QStringLiteral("измерения №12"));
            frame.ApplyFilter();
            QApplication::processEvents();
            frame.FilterEdit()->clear();
            frame.ApplyFilter();
            QApplication::processEvents();
        });
        const double sortMs = MedianMilliseconds(kRuns, [&] {
            frame.ListViewColumnClick(2);
            QApplication::processEvents();
        });

        std::printf("plain fetch into row objects: %.1f ms\n", fetchMs);
        std::printf("frame LoadData + FillListView: %.1f ms\n", frameMs);
        std::printf("filter applied and cleared: %.1f ms\n", filterMs);
        std::printf("sort by a text column: %.1f ms\n", sortMs);
        std::printf("ratio: %.2f\n", (frameMs - fetchMs) / fetchMs);
        frame.UnInit();
        dmMain->DataBaseDisconnect(error);
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        rc = 1;
    }
    IBClient::Shutdown();
    return rc;
}
