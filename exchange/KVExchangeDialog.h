#pragma once

// The frame the long-running dialogs of the data exchange share: a read-only log, under it the
// status label and the progress bar, and a column of buttons on the right. The dialog is the
// monitor of its run: log lines, the step under way and the progress appear as the run goes.

#include "exchange/KVExchangeMonitor.h"
#include "shell/KVDialog.h"

#include <QElapsedTimer>
#include <QStringList>

class QLabel;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QVBoxLayout;

class TKVExchangeDialog : public TKVDialog, public TKVExchangeMonitor {
    Q_OBJECT
public:
    // The log, label and progress bar get the names ALogName, ALabelName and AProgressName.
    TKVExchangeDialog(const QString& AHelpTopic, const QString& APopupMenuName,
                      const QString& ALogName, const QString& ALabelName,
                      const QString& AProgressName, QWidget* AParent = nullptr);

    void AddLogMsg(const QString& AMsg) override;
    void SetStepLabel(const QString& AText) override;
    void InitProgress(int AMin, int AMax) override;
    void SetProgressPosition(int APosition) override;

    QPlainTextEdit* LogMemo() const { return FLogMemo; }
    QLabel* StatusLabel() const { return FStatusLabel; }
    QProgressBar* ProgressBar() const { return FProgressBar; }
    // The lines of the log.
    QStringList LogLines() const;
    void ClearLog();

    // Asks for a log file in the program's folder (title "Сохранить журнал", proposed name
    // AProposedName with the extension ".log", none when empty) and writes the log's lines into it. False when
    // cancelled or when the file could not be written (which is shown).
    bool SaveLog(const QString& AProposedName);

    // Dialogs with a data page beside the log (see MakeModePages): the page book, whether the
    // data page is shown, and the two items of the mode button's drop-down.
    QStackedWidget* ModeNotebook() const { return FModeNotebook; }
    bool Mode() const;
    QAction* SelectDataModeItem() const { return FpmiSelectDataMode; }
    QAction* LogModeItem() const { return FpmiLogMode; }
    // Shows the data page (true) or the log; the drop-down's check marks follow.
    void SetMode(bool AMode);
    // Shows the data page (true) or the log, leaving the check marks as they are.
    void ShowModePage(bool AMode);

protected:
    // Puts AMain (the log, or a page book that holds it) above the status panel.
    void SetMainWidget(QWidget* AMain);
    // A page book (named ANotebookName) of ADataPage and the log, for the caller to place, and
    // the drop-down of AModeButton (named AMenuName) with the checkable items "pmiSelectDataMode"
    // (ADataCaption: shows the data page) and "pmiLogMode" (ALogCaption: shows the log).
    QStackedWidget* MakeModePages(QWidget* ADataPage, const char* ANotebookName,
                                  QPushButton* AModeButton, const char* AMenuName,
                                  const QString& ADataCaption, const QString& ALogCaption);
    // A button of the right-hand column, at least 97 x 25.
    QPushButton* AddButton(const char* AName, const QString& ACaption, const QString& AHint,
                           int AImage = -1);
    // A checkable or plain item of a button's drop-down menu.
    static QAction* AddMenuItem(QMenu* AMenu, const char* AName, const QString& ACaption);

private:
    QPlainTextEdit* FLogMemo = nullptr;
    QLabel* FStatusLabel = nullptr;
    QProgressBar* FProgressBar = nullptr;
    QVBoxLayout* FMainColumn = nullptr;
    QVBoxLayout* FButtonColumn = nullptr;
    QElapsedTimer FProgressPainted;
    QStackedWidget* FModeNotebook = nullptr;
    QAction* FpmiSelectDataMode = nullptr;
    QAction* FpmiLogMode = nullptr;
};
