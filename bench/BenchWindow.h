#pragma once

// The main window the window benchmarks open their lists through: on a program folder of its
// own, with a quiet start, shown on the offscreen platform.

#include "shell/ufrmMain.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <vector>

class TBenchMainWindow {
public:
    // AOptions: further lines of the settings file's [Options] section.
    explicit TBenchMainWindow(const QByteArray& AOptions = QByteArray());
    ~TBenchMainWindow();

    TfrmMain& Main() { return *FMain; }

    // Opens the database file as the program does; throws when it does not open.
    void Connect(const QString& AFile);
    // Closes every window of the workspace, then the database.
    void Disconnect();

    // Runs the main window's command (a menu action by its object name) and lets the event
    // loop show and paint what it opened; returns the window of class T it opened, or nullptr.
    template <class T> T* RunCommand(const char* AActionName) {
        const std::vector<T*> before = FMain->FindMDIChildren<T>();
        TriggerAction(AActionName);
        for (T* window : FMain->FindMDIChildren<T>())
            if (std::find(before.begin(), before.end(), window) == before.end())
                return window;
        return nullptr;
    }

    // Closes every window of the workspace and lets them go.
    void CloseWindows();

    // Lets the event loop run what is pending: layouts, paints, deferred deletes.
    static void Paint();

    // Measures at two databases by turns, pair after pair: a first round that is not counted
    // (the file cache and the code warm up), then kBenchPairs rounds; each round opens
    // AFiles[0], runs AMeasure(0, counted), closes it, then the same with AFiles[1].
    void RunAtTwoSizes(const QString (&AFiles)[2],
                       const std::function<void(int ASize, bool ACounted)>& AMeasure);

private:
    void TriggerAction(const char* AActionName);

    QTemporaryDir FProgramDir;
    std::unique_ptr<TfrmMain> FMain;
    bool FInitialised = false;
};
