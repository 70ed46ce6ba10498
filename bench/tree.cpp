// The class tree window on 100,000 element classes (ten roots, the other classes below them,
// each class with an element type), opened through the main window's command with the counts
// of element types on, as the program starts by default. Each pair first fetches the classes
// through the database layer into the class list (the anchor), then opens a fresh window and
// times the expansion of a root with 10,000 children, from the click to the painted counts.
//
//   bench_tree [DATA_FOLDER]
//
// Prints the medians and the line "ratio tree-expand: X", the median of the paired ratios
// expansion / fetch.

#include "bench/BenchCommon.h"
#include "bench/BenchWindow.h"
#include "core/KVClass.h"
#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "refbooks/KVReferenceBooks.h"
#include "refbooks/_frmClass.h"
#include "refbooks/frmClass.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTreeView>
#include <cstdio>

namespace {

constexpr int kClasses = 100000;

QString EnsureClassDataBase(const QString& AFolder) {
    QDir().mkpath(AFolder);
    const QString file =
        QDir(AFolder).filePath(QStringLiteral("bench-classes-%1.fdb").arg(kClasses));
    if (!QFileInfo::exists(file)) {
        std::fprintf(stderr, "Making %s ...\n", qPrintable(file));
        TBenchDBSize size;
        size.ElementTypes = kClasses;
        size.Classes = kClasses;
        GenerateBenchDataBase(file, size);
    }
    return file;
}

size_t FetchClasses() {
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
        list.Store(NewRowFromQuery<TKVClass>(query));
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
    // The windows the main window's commands open, as the program registers them.
    RegisterReferenceBookWindows();
    const QString folder = BenchDataFolder(argc, argv);
    int rc = 0;
    try {
        const QString file = EnsureClassDataBase(folder);
        TBenchMainWindow main;
        main.Connect(file);
        if (!::ViewCountItems)
            throw Exception(QStringLiteral("the counts are off"));
        size_t fetched = 0;
        int children = 0;
        const auto expand = [&] {
            TfrmClass* window = main.RunCommand<TfrmClass>("mmiRB_Class");
            if (!window)
                throw Exception(QStringLiteral("no class window"));
            T_frmClass& frame = *window->BookFrame();
            TKVTreeNode* root = frame.TreeModel()->Find({1011, 2});
            if (!root || frame.TreeModel()->Count() != kClasses)
                throw Exception(QStringLiteral("the class tree is not whole"));
            children = static_cast<int>(root->Children.size());
            const QModelIndex index = frame.TreeModel()->IndexOf(root);
            const double ms = TimeMilliseconds([&] {
                frame.TreeView()->expand(index);
                TBenchMainWindow::Paint();
            });
            if (root->Children.front()->ShownCount != 1)
                throw Exception(QStringLiteral("the children were not counted"));
            main.CloseWindows();
            return ms;
        };
        const auto fetch = [&] { return TimeMilliseconds([&] { fetched = FetchClasses(); }); };
        RunPairs(1, expand, fetch); // warms the file cache and the code
        const TPairedTimes times = RunPairs(kBenchPairs, expand, fetch);
        std::printf("class tree window, %zu classes, medians of %d pairs:\n", fetched, kBenchPairs);
        std::printf("  fetch of the classes into the class list: %.1f ms\n", times.MedianAnchor());
        std::printf("  a root of %d children expanded with counts: %.1f ms\n", children,
                    times.MedianWork());
        PrintRatio("tree-expand", times.MedianRatio());
        main.Disconnect();
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        rc = 1;
    }
    IBClient::Shutdown();
    return rc;
}
