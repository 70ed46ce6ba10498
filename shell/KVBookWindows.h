#pragma once

// The list windows and other windows that the main window's commands open. The windows
// themselves live in libraries above the shell; each registers here how an open window of its
// kind is recognised and how a new one is opened, or that its group of commands is present.
// A command whose window is not registered stays disabled.

#include <functional>

class TKVMDIChild;

enum TKVBookWindow {
    bwClasses,
    bwMakers,
    bwCases,
    bwUnits,
    bwStorages,
    bwSuppliers,
    bwNotes,
    bwElementAvail,
    bwProjectsInProgress,
    bwProjectsArchive,
    bwCount
};

struct TKVBookWindowOpener {
    // Whether an open child is a window of this kind.
    std::function<bool(TKVMDIChild& AChild)> Matches;
    // Opens a new window of this kind.
    std::function<void()> Open;
};

// The main window's other commands, by the windows they open.
enum TKVCommandGroup {
    cgPackages,        // package import and export
    cgPackageDeletion, // deletion of an imported package
    cgPriceImport,     // supplier price import
    cgReports,         // the report list
    cgNewElementType,  // a new element type in a picked class
    cgNewElementAvail, // a new stock record
    cgCount
};

void RegisterBookWindow(TKVBookWindow AWindow, TKVBookWindowOpener AOpener);
void RegisterCommandGroup(TKVCommandGroup AGroup);
bool CommandGroupRegistered(TKVCommandGroup AGroup);
// The registered opener, or nullptr.
const TKVBookWindowOpener* BookWindowOpener(TKVBookWindow AWindow);
// Forgets every registration, windows and command groups (for tests).
void ClearBookWindows();

// Registers a window class T with its opener: an open child matches when it is a T.
template <class T> void RegisterBookWindowOf(TKVBookWindow AWindow, std::function<void()> AOpen) {
    RegisterBookWindow(
        AWindow, {[](TKVMDIChild& AChild) { return dynamic_cast<T*>(&AChild); }, std::move(AOpen)});
}
