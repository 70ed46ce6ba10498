#include "bench/BenchWindow.h"

#include "bench/BenchCommon.h"

#include "core/KVCommon.h"
#include "core/udmMain.h"
#include "shell/KVMDIChild.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>

TBenchMainWindow::TBenchMainWindow(const QByteArray& AOptions) {
    QFile settings(FProgramDir.filePath(QStringLiteral("Korvant.ini")));
    if (!settings.open(QIODevice::WriteOnly))
        throw Exception(QStringLiteral("cannot write the settings"));
    settings.write("[WN]\nWN_102=1\n[Options]\nAutoLogin=0\nLogo=0\n" + AOptions);
    settings.close();
    FMain = std::make_unique<TfrmMain>(FProgramDir.path());
    FMain->resize(1024, 768);
    FMain->show();
    Paint();
}

TBenchMainWindow::~TBenchMainWindow() {
    Disconnect();
    FMain.reset();
    Paint();
}

void TBenchMainWindow::Connect(const QString& AFile) {
    int error = 0;
    dmMain->DataBaseConnect(AFile, dmMain->CurrentUser(), error);
    if (!dmMain->DBConnected())
        throw Exception(QStringLiteral("cannot open %1").arg(AFile));
    FMain->MainFormInit();
    Paint();
}

void TBenchMainWindow::Disconnect() {
    CloseWindows();
    if (dmMain && dmMain->DBConnected()) {
        int error = 0;
        dmMain->DataBaseDisconnect(error);
    }
    Paint();
}

void TBenchMainWindow::RunAtTwoSizes(
    const QString (&AFiles)[2], const std::function<void(int ASize, bool ACounted)>& AMeasure) {
    for (int round = 0; round <= kBenchPairs; ++round)
        for (int size = 0; size < 2; ++size) {
            Connect(AFiles[size]);
            AMeasure(size, round > 0);
            Disconnect();
        }
}

void TBenchMainWindow::CloseWindows() {
    for (TKVMDIChild* child : FMain->MDIChildren())
        child->CloseWindow();
    Paint();
}

void TBenchMainWindow::Paint() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

void TBenchMainWindow::TriggerAction(const char* AActionName) {
    QAction* action = FMain->findChild<QAction*>(QLatin1String(AActionName));
    if (!action || !action->isEnabled())
        throw Exception(QStringLiteral("no command %1").arg(QLatin1String(AActionName)));
    action->trigger();
    Paint();
}
