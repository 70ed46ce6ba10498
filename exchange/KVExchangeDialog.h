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
    // AProposedName with the extension ".log") and writes the log's lines into it. False when
    // cancelled or when the file could not be written (which is shown).
    bool SaveLog(const QString& AProposedName);

protected:
    // Puts AMain (the log, or a page book that holds it) above the status panel.
    void SetMainWidget(QWidget* AMain);
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
};
