#pragma once

// The main window: the frame of every other window. It owns the workspace in which the child
// windows live, the menus and the tool bar, the status bar with the rotating tips and the
// progress bar, and the data module. It connects and disconnects the database, keeps the
// registry of child windows (the Window menu and its pop-up copy) and closes them all before
// a disconnect and at exit.

#include "core/KVMainWindowLink.h"
#include "core/KVProject.h"
#include "platform/sys/SysDrive.h"
#include "shell/KVBookWindows.h"
#include "shell/KVMDIChild.h"
#include "shell/VersionInfo.h"

#include <QElapsedTimer>
#include <QList>
#include <QMainWindow>
#include <QString>

#include <memory>
#include <vector>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QProgressBar;
class QTimer;
class QToolBar;
class QToolButton;
class TdmMain;

// The kind of the progress text in the status bar.
enum TProgressInfoType { witWait = 0, witLoading = 1, witCreating = 2 };

class TfrmMain : public QMainWindow, public TKVMainWindowLink {
    Q_OBJECT
public:
    // The smallest size of the window.
    static constexpr int MinAppWinWidth = 870;
    static constexpr int MinAppWinHeight = 600;
    // Panels of the status bar.
    static constexpr int StatusPanelCount = 6;
    // Number of the tips shown in turn in the first panel of the status bar.
    static constexpr int DefaultStatusHintCount = 10;

    // Makes the window and the data module, which reads the settings of AProgramFolder (the
    // program's own folder unless a test gives another). frmMain points to the window while
    // it exists.
    explicit TfrmMain(const QString& AProgramFolder = ProgramFolder(), QWidget* AParent = nullptr);
    // Destroys the data module first, which saves the options while the window still exists.
    ~TfrmMain() override;

    // --- Life cycle
    // What follows the first showing: maximised when it was, the first tip, the news of this
    // version, the test-build warning and, with option AutoLogin, the connect dialog. The
    // first showEvent calls it once the window is on the screen.
    void FormShow();
    void SetAppWinSizeInfo(bool AAppWinMaximize, int AAppWinWidth, int AAppWinHeight) override;
    bool AppWinMaximized() const override;
    QSize AppWinNormalSize() override;
    // The window's place for a saved size on a screen: at least ASmallest, at most the screen,
    // centred on it.
    static QRect AppWinGeometry(int AAppWinWidth, int AAppWinHeight, const QRect& AScreen,
                                const QSize& ASmallest = QSize(MinAppWinWidth, MinAppWinHeight));
    // The smallest size of the window: 870 × 600, wider when the tool bar or the status bar
    // needs more at the fonts in use.
    QSize SmallestAppWinSize() const;
    // Shows the current tip in the first panel of the status bar.
    void SetDefaultStatus();
    // Takes the next tip (after 9 comes 0) and shows it.
    void NextDefaultStatusHint();
    // The text of tip ANumber (0 to 9).
    static QString DefaultStatusHint(int ANumber);
    // The version record the start reads (the program's own unless a test sets another).
    const TVersionInfo& VersionInfo() const { return FVersionInfo; }
    void SetVersionInfo(const TVersionInfo& AVersionInfo) { FVersionInfo = AVersionInfo; }

    // --- Connect and disconnect
    // Asks for a database (the connect dialog, or the folder picker with option TDBAMode),
    // connects and reports the result.
    void ConnectDB();
    // Asks when child windows are open, closes them and disconnects.
    void DisconnectDB();
    // The connected state of menus, tool bar and status bar.
    void MainFormInit();
    // The disconnected state.
    void MainFormUnInit();
    // The mode letters of the status bar: "D " debug mode, "CRO " a read-only database, "RO "
    // option ReadOnly or a read-only program folder.
    QString GetModeStr() const;
    // The message for a result of DataBaseConnect (empty for 0); AErrorCode is the system's
    // error code of result 17.
    static QString ConnectResultText(int AResult, int AErrorCode);

    // --- Registry of child windows
    QMdiArea* MDIArea() const { return FMDIArea; }
    // Puts AChild in a new sub-window of the workspace (TKVMDIChild::ShowMDIChild calls it).
    QMdiSubWindow* AddMDIChild(TKVMDIChild* AChild);
    // The open child windows, oldest first (a closing child until it has left the registry).
    QList<TKVMDIChild*> MDIChildren() const;
    int MDIChildCount() const { return static_cast<int>(FMDIChildren.size()); }
    // The open children of class T for which APred(T&) holds.
    template <class T, class Pred> std::vector<T*> FindMDIChildren(Pred APred) const {
        std::vector<T*> found;
        for (TKVMDIChild* child : MDIChildren())
            if (T* t = dynamic_cast<T*>(child); t && APred(*t))
                found.push_back(t);
        return found;
    }
    template <class T> std::vector<T*> FindMDIChildren() const {
        return FindMDIChildren<T>([](const T&) { return true; });
    }
    // Brings every open child of class T for which APred(T&) holds to the front; false when
    // there is none (the caller then opens a new window).
    template <class T, class Pred> bool BringToFrontMDIChildren(Pred APred) {
        const std::vector<T*> found = FindMDIChildren<T>(APred);
        for (T* child : found)
            BringToFrontMDIChild(child);
        return !found.empty();
    }
    void BringToFrontMDIChild(TKVMDIChild* AForm);
    // The registry's entries of the Window menu and its pop-up copy.
    void OpenMDIForm(TKVMDIChild* AForm);
    void ActivateMDIForm(TKVMDIChild* AForm);
    void SetNameMDIForm(TKVMDIChild* AForm);
    void CloseMDIForm(TKVMDIChild* AForm);
    // Whether a list window, viewer or card is open.
    bool IsOpenedRBWindow() const;
    // Closes list windows, viewers and the report window normally and cards without their
    // save question; other children stay.
    void CloseAllWindow();

    // --- Progress in the status bar
    void ShowProgress();
    void InitProgress(int AMin, int AMax, int AStartPos, TProgressInfoType AProgressInfoType);
    void ChangeProgress(int APos);
    void HideProgress();
    // Flashes the window when option VisualConfirm is on and the window is not active;
    // returns whether it did.
    bool VisualConfirm();

    // --- What tests and later windows read
    QString StatusPanelText(int APanel) const;
    QWidget* StatusPanel(int APanel) const;
    QProgressBar* ProgressBar() const { return FMainProgressBar; }
    QTimer* StatusBarTimer() const { return FStatusBar_Timer; }
    QWidget* ToolBarPanel() const { return FMainToolBar_Panel; }

    // --- Commands
    void OpenDBInfo();
    void OpenImportDlg();
    void OpenExportDlg();
    void OpenDeletePackageDlg();
    void OpenImportPriceDlg();
    void OpenDataMode();
    // One window per kind: brings every open window of the kind to the front, or opens a new
    // one when none is open; nothing while no database is connected or the kind has no window.
    void OpenBookWindow(TKVBookWindow AWindow);
    void OpenReferenceBook_Classes();
    void OpenReferenceBook_Makers();
    void OpenReferenceBook_Cases();
    void OpenReferenceBook_Units();
    void OpenReferenceBook_Storages();
    void OpenReferenceBook_Suppliers();
    void OpenReferenceBook_Notes();
    void OpenReferenceBook_Projects(TKVProjectListSelectDataMode AListSelectDataMode);
    void OpenReferenceBook_FindElementTypesName(const QString& AFindStr);
    void OpenReferenceBook_FindElementTypesMarking(const QString& AFindStr);
    void OpenReferenceBook_FindElementAvailsName(const QString& AFindStr);
    void OpenReferenceBook_FindElementAvailsMarking(const QString& AFindStr);
    void OpenReferenceBook_ElementAvail();
    void NewElementAvail();
    void NewElementTypeOnClass();
    // The table of contents of the help.
    void ShowHelpContext();
    void OpenDebugConsole();
    // Brings every open news window to the front, or opens one when there is none.
    void OpenNewsDlg();

    // The two companion programs of the Tools menu, looked for in the program's folder.
    static const QString ImportToolFileName;
    static const QString DBExportToolFileName;

public slots:
    // The tip timer's tick.
    void StatusBar_TimerTimer();

protected:
    bool event(QEvent* AEvent) override;
    void showEvent(QShowEvent* AEvent) override;
    // Asks "Выйти из программы?" while a database is connected; on Yes closes the child
    // windows and disconnects.
    void closeEvent(QCloseEvent* AEvent) override;
    bool eventFilter(QObject* AObject, QEvent* AEvent) override;

private:
    // Checks the database for a package import or deletion and closes the open windows after
    // asking; false when the command must not go on.
    bool PreparePackageChange();
    // Disables the commands whose windows are not part of the program yet.
    void DisableCommandsWithoutWindows();
    // The seven search commands into AMenu, named APrefix + the command (main menu: with keys).
    void AddSearchCommands(QMenu* AMenu, const char* APrefix, bool AShortcuts);

    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    QAction* NewAction(QMenu* AMenu, const char* AName, const QString& ACaption,
                       const QKeySequence& AShortcut = QKeySequence(), int AImage = -1);
    QMenu* NewMenu(const char* AName, const QString& ACaption, QWidget* AParent);
    QToolButton* NewToolButton(const char* AName, const QString& ACaption, const QString& AHint,
                               int AImage);
    QAction* Action(const char* AName) const;
    void SetActionState(const char* AName, bool AVisible, bool AEnabled);
    void SetMenuState(QMenu* AMenu, bool AVisible, bool AEnabled);
    void SetWindowMenuFixedItemsEnabled(bool AEnabled);
    void BringToFrontMDIWindowClick();
    void TileMDIChildren(Qt::Orientation AOrientation);
    void ArrangeMDIIcons();
    void RunCompanionProgram(const QString& AFileName);
    // The guide and the debug console: the open one is brought to the front, else one opens.
    void OpenTutopialWindow();
    void mmiDebugClick();
    void ReportConnectResult(int AResult, int AErrorCode);

    std::unique_ptr<TdmMain> FDataModule;
    TVersionInfo FVersionInfo;
    bool FAppWinMaximize = false;
    int FAppWinWidth = MinAppWinWidth;
    int FAppWinHeight = MinAppWinHeight;
    QString FCurrDefaultStatusString;
    // The tip of the command under the pointer, shown in place of FCurrDefaultStatusString.
    QString FCommandStatusTip;
    quint8 FCurrDefaultStatusStringCounter = 0;
    TProgressInfoType FProgressInfoType = witWait;
    bool FFormShown = false;

    QMdiArea* FMDIArea = nullptr;
    QWidget* FMainToolBar_Panel = nullptr;
    QToolBar* FMainToolBar = nullptr;
    QWidget* FStatusPanels[StatusPanelCount] = {};
    QProgressBar* FMainProgressBar = nullptr;
    // When the bar was last painted: long loads paint it a few times a second, not per step.
    QElapsedTimer FProgressPainted;
    QTimer* FStatusBar_Timer = nullptr;
    QMenu* FRBMenu = nullptr;
    QMenu* FSearchMenu = nullptr;
    QMenu* FDBDataMenu = nullptr;
    QMenu* FWindowMenu = nullptr;       // mmiWindow
    QMenu* FWindowsPopupMenu = nullptr; // Windows_PopupMenu
    QList<QAction*> FWindowFixedItems;  // cascade ... close all, in both menus
    QList<QAction*> FWindowEndSeparators;
    // The children placed in the workspace and not yet closed, oldest first. Kept here rather
    // than read from the workspace, which still lists a sub-window while it is destroyed.
    QList<TKVMDIChild*> FMDIChildren;
};

// The main window while it exists.
extern TfrmMain* frmMain;
