// Times the tree frame on 100,000 element classes (ten roots, the other classes below them):
// LoadData + FillListView (the rows read, the tree built, the view reset and painted), the
// filter applied and cleared, a root with its 10,000 children expanded and painted, and one
// class moved by a card's report, against a plain fetch of the same rows.
//
//   bench_tree [DATA_FOLDER]

#include "bench/BenchCommon.h"
#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "shell/ufrmMain.h"
#include "tests/refbooks/TreeTestBook.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTreeView>
#include <cstdio>

namespace {

constexpr int kClasses = 100000;
constexpr int kRuns = 5;

QString EnsureClassDataBase(const QString& AFolder) {
    QDir().mkpath(AFolder);
    const QString file =
        QDir(AFolder).filePath(QStringLiteral("bench-classes-%1.fdb").arg(kClasses));
    if (!QFileInfo::exists(file)) {
        std::fprintf(stderr, "Making %s ...\n", qPrintable(file));
        TBenchDBSize size;
        size.ElementTypes = 0;
        size.Classes = kClasses;
        size.Makers = 0;
        size.Cases = 0;
        GenerateBenchDataBase(file, size);
    }
    return file;
}

size_t PlainFetch() {
    TIBTransaction transaction(&dmMain->MainIBDatabase);
    TIBQuery query(&dmMain->MainIBDatabase, &transaction);
    TIBTransactionScope scope(transaction);
    query.SetSQL(QStringLiteral(
        "SELECT TC.DBID, TC.ID, TC.PARENTDBID, TC.PARENTID, TC.S_NAME, TC.S_DESCRIPTION, "
        "TC.ICONID, TC.C_TIMESTAMP, TC.U_TIMESTAMP, TC.R_TIMESTAMP FROM T_CLASS TC ORDER BY "
        "TC.DBID, TC.ID;"));
    query.Open();
    TKVClassList list;
    while (!query.Eof()) {
        list.AddData(
            static_cast<quint32>(query.FieldByName("DBID").AsInt64()),
            static_cast<quint32>(query.FieldByName("ID").AsInt64()),
            static_cast<quint32>(query.FieldByName("PARENTDBID").AsInt64()),
            static_cast<quint32>(query.FieldByName("PARENTID").AsInt64()),
            query.FieldByName("S_NAME").AsString(), query.FieldByName("S_DESCRIPTION").AsString(),
            query.FieldByName("ICONID").AsInteger(), query.FieldByName("C_TIMESTAMP").AsDateTime(),
            query.FieldByName("U_TIMESTAMP").AsDateTime(),
            query.FieldByName("R_TIMESTAMP").AsDateTime(), QString(), -1);
        query.Next();
    }
    query.Close();
    scope.Commit();
    return static_cast<size_t>(list.Count());
}

} // namespace

int main(int argc, char* argv[]) {
    UseOffscreenPlatformByDefault();
    QApplication app(argc, argv);
    const QString folder = BenchDataFolder(argc, argv);
    int rc = 0;
    try {
        const QString file = EnsureClassDataBase(folder);

        QTemporaryDir programDir;
        QFile settings(programDir.filePath(QStringLiteral("Korvant.ini")));
        if (!settings.open(QIODevice::WriteOnly))
            throw Exception(QStringLiteral("cannot write the settings"));
        settings.write("[WN]\nWN_102=1\n[Options]\nAutoLogin=0\nLogo=0\nLocalConfig=0\n"
                       "ViewCountItems=0\n");
        settings.close();
        TfrmMain main(programDir.path());
        if (!qEnvironmentVariableIsSet("KV_HIDE"))
            main.show();
        int error = 0;
        if (dmMain->DataBaseConnect(file, dmMain->CurrentUser(), error) != crOk)
            throw Exception(QStringLiteral("cannot open %1").arg(file));
        main.MainFormInit();
        ::ViewCountItems = false;

        TTestClassFrame frame;
        frame.resize(400, 600);
        frame.show();
        frame.Init(true);
        QApplication::processEvents();
        std::printf("rows: %d nodes, %zu fetched\n", frame.TreeModel()->Count(), PlainFetch());

        const double fetchMs = MedianMilliseconds(kRuns, [] { PlainFetch(); });
        const double frameMs = MedianMilliseconds(kRuns, [&] {
            main.ShowProgress();
            frame.LoadData();
            frame.FillListView();
            main.HideProgress();
            QApplication::processEvents();
        });
        const double filterMs = MedianMilliseconds(kRuns, [&] {
            frame.FilterEdit()->setText(QStringLiteral("№12"));
            frame.ApplyFilter();
            QApplication::processEvents();
            frame.FilterEdit()->clear();
            frame.ApplyFilter();
            QApplication::processEvents();
        });
        const QModelIndex root = frame.TreeModel()->IndexOf(frame.TreeModel()->Find({1011, 2}));
        const double expandMs = MedianMilliseconds(kRuns, [&] {
            frame.TreeView()->expand(root);
            QApplication::processEvents();
            frame.TreeView()->collapse(root);
            QApplication::processEvents();
        });
        // A class moves between two roots and back, as a card reports it.
        int run = 0;
        const double moveMs = MedianMilliseconds(kRuns, [&] {
            const quint32 parent = run++ % 2 == 0 ? 3 : 1;
            frame.AddOrUpdateTreeNode({1011, 50000}, {1011, parent}, QStringLiteral("moved"), -1,
                                      0);
            QApplication::processEvents();
        });

        std::printf("plain fetch into the class list: %.1f ms\n", fetchMs);
        std::printf("frame LoadData + FillListView: %.1f ms\n", frameMs);
        std::printf("filter applied and cleared: %.1f ms\n", filterMs);
        std::printf("root of 10,000 expanded and collapsed: %.1f ms\n", expandMs);
        std::printf("one node moved: %.2f ms\n", moveMs);
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
