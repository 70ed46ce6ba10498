// kv-screenshot: draws the main window on a database with several reference books open into a
// PNG file, for the README.
//
//   kv-screenshot DATABASE OUT.png [WIDTH HEIGHT]
//
// Runs in a display of its own (scripts/screenshot starts it under xvfb-run) with a settings
// file of its own, so the user's settings and windows are not touched.

#include "core/udmMain.h"
#include "platform/ib/IBDatabase.h"
#include "refbooks/KVReferenceBooks.h"
#include "resources/KVResources.h"
#include "shell/KVApplication.h"
#include "shell/KVShellUserInterface.h"
#include "shell/ufrmMain.h"

#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QThread>
#include <QTreeView>
#include <algorithm>
#include <cstdio>

namespace {

// The room between the windows and the workspace's edges.
constexpr int kGap = 8;

// Lets the windows lay themselves out and paint.
void Settle() {
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(10);
    }
}

} // namespace

int main(int argc, char** argv) {
    TKVApplication app(argc, argv);
    if (argc != 3 && argc != 5) {
        std::fprintf(stderr, "usage: kv-screenshot DATABASE OUT.png [WIDTH HEIGHT]\n");
        return 2;
    }
    const QString database = QString::fromLocal8Bit(argv[1]);
    const QString out = QString::fromLocal8Bit(argv[2]);
    const QSize size = argc == 5 ? QSize(std::atoi(argv[3]), std::atoi(argv[4])) : QSize(1280, 800);
    QApplication::setWindowIcon(ResourceIcon(2000));

    TKVShellUserInterface userInterface;
    SetKVUserInterface(&userInterface);
    RegisterReferenceBookWindows();

    int rc = 0;
    {
        // A program folder of its own: no splash, no news, no automatic connect, no debug mode.
        QTemporaryDir programDir;
        QFile settings(programDir.filePath(QStringLiteral("Korvant.ini")));
        if (!programDir.isValid() || !settings.open(QIODevice::WriteOnly)) {
            std::fprintf(stderr, "cannot write a settings file\n");
            return 1;
        }
        settings.write("[WN]\nWN_102=1\n[Options]\nAutoLogin=0\nLogo=0\nDebugMode=0\n");
        settings.close();

        TfrmMain window(programDir.path());
        window.resize(size);
        window.show();
        Settle();
        int error = 0;
        if (dmMain->DataBaseConnect(database, dmMain->CurrentUser(), error) != crOk) {
            std::fprintf(stderr, "cannot open %s\n", qPrintable(database));
            rc = 1;
        } else {
            window.MainFormInit();
            // The class tree in a column on the left, the first levels open and the first
            // class selected; the maker and unit lists beside it, each at the size it opens
            // with, one below the other.
            window.OpenReferenceBook_Classes();
            Settle();
            const QRect area = window.MDIArea()->viewport()->rect();
            int left = kGap;
            if (QMdiSubWindow* sub = window.MDIArea()->activeSubWindow()) {
                sub->setGeometry(kGap, kGap, sub->width(), area.height() - 2 * kGap);
                if (auto* view = sub->widget()->findChild<QTreeView*>()) {
                    view->expandToDepth(0);
                    view->setCurrentIndex(view->model()->index(0, 0));
                }
                left = sub->geometry().right() + 1 + kGap;
            }
            int top = kGap;
            for (const auto open :
                 {&TfrmMain::OpenReferenceBook_Makers, &TfrmMain::OpenReferenceBook_Units}) {
                (window.*open)();
                Settle();
                QMdiSubWindow* sub = window.MDIArea()->activeSubWindow();
                if (!sub)
                    continue;
                // Below the one before while it fits, else overlapping it from below; always
                // inside the workspace.
                const int x = std::min(left, area.width() - kGap - sub->width());
                const int y = std::min(top, area.height() - kGap - sub->height());
                sub->move(std::max(kGap, x), std::max(kGap, y));
                top = sub->geometry().bottom() + 1 + kGap;
                left += 8 * kGap;
            }
            Settle();
            if (!window.grab().save(out)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
                rc = 1;
            }
            dmMain->DataBaseDisconnect(error);
        }
    }
    SetKVUserInterface(nullptr);
    IBClient::Shutdown();
    return rc;
}
