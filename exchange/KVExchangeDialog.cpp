#include "exchange/KVExchangeDialog.h"

#include "core/udmMain.h"
#include "shell/KVFileDialog.h"
#include "shell/KVWidgets.h"
#include "shell/frmUserListEdit.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {
// How often a long run repaints the progress bar, in milliseconds.
constexpr int kProgressPaintInterval = 100;
} // namespace

TKVExchangeDialog::TKVExchangeDialog(const QString& AHelpTopic, const QString& APopupMenuName,
                                     const QString& ALogName, const QString& ALabelName,
                                     const QString& AProgressName, QWidget* AParent)
    : TKVDialog(AHelpTopic, APopupMenuName, AParent) {
    setWindowFlag(Qt::WindowMinMaxButtonsHint, false);

    FLogMemo = new QPlainTextEdit(this);
    FLogMemo->setObjectName(ALogName);
    FLogMemo->setReadOnly(true);
    FLogMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    FLogMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    FLogMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    FLogMemo->setMinimumSize(594, 176);

    FStatusLabel = new QLabel(this);
    FStatusLabel->setObjectName(ALabelName);
    FStatusLabel->setMinimumWidth(200);
    FProgressBar = new QProgressBar(this);
    FProgressBar->setObjectName(AProgressName);
    FProgressBar->setRange(0, 0);
    FProgressBar->setValue(0);
    FProgressBar->setTextVisible(false);
    // An empty range makes Qt's bar a busy indicator: show an empty bar instead.
    FProgressBar->setMaximum(1);

    FMainColumn = new QVBoxLayout;
    auto* status = new QHBoxLayout;
    status->addWidget(FStatusLabel, 1);
    status->addWidget(FProgressBar, 1);
    FMainColumn->addLayout(status);

    FButtonColumn = new QVBoxLayout;
    FButtonColumn->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(FMainColumn, 1);
    layout->addLayout(FButtonColumn);
}

void TKVExchangeDialog::SetMainWidget(QWidget* AMain) {
    FMainColumn->insertWidget(0, AMain, 1);
}

QPushButton* TKVExchangeDialog::AddButton(const char* AName, const QString& ACaption,
                                          const QString& AHint, int AImage) {
    auto* button = new QPushButton(ACaption, this);
    button->setObjectName(QLatin1String(AName));
    button->setToolTip(AHint);
    button->setStatusTip(AHint);
    button->setAutoDefault(false);
    if (AImage >= 0)
        button->setIcon(MainToolIcon(AImage));
    button->setMinimumSize(button->sizeHint().expandedTo(QSize(97, 25)));
    FButtonColumn->insertWidget(FButtonColumn->count() - 1, button);
    return button;
}

QStackedWidget* TKVExchangeDialog::MakeModePages(QWidget* ADataPage, const char* ANotebookName,
                                                 QPushButton* AModeButton, const char* AMenuName,
                                                 const QString& ADataCaption,
                                                 const QString& ALogCaption) {
    FModeNotebook = new QStackedWidget(this);
    FModeNotebook->setObjectName(QLatin1String(ANotebookName));
    FModeNotebook->addWidget(ADataPage);
    FModeNotebook->addWidget(FLogMemo);

    auto* modeMenu = new QMenu(this);
    modeMenu->setObjectName(QLatin1String(AMenuName));
    FpmiSelectDataMode = AddMenuItem(modeMenu, "pmiSelectDataMode", ADataCaption);
    FpmiLogMode = AddMenuItem(modeMenu, "pmiLogMode", ALogCaption);
    for (QAction* item : {FpmiSelectDataMode, FpmiLogMode})
        item->setCheckable(true);
    AModeButton->setMenu(modeMenu);
    connect(FpmiSelectDataMode, &QAction::triggered, this, [this] { SetMode(true); });
    connect(FpmiLogMode, &QAction::triggered, this, [this] { SetMode(false); });
    SetMode(true);
    return FModeNotebook;
}

bool TKVExchangeDialog::Mode() const {
    return FModeNotebook && FModeNotebook->currentIndex() == 0;
}

void TKVExchangeDialog::SetMode(bool AMode) {
    ShowModePage(AMode);
    if (FpmiSelectDataMode) {
        FpmiSelectDataMode->setChecked(AMode);
        FpmiLogMode->setChecked(!AMode);
    }
}

void TKVExchangeDialog::ShowModePage(bool AMode) {
    if (FModeNotebook)
        FModeNotebook->setCurrentIndex(AMode ? 0 : 1);
}

QAction* TKVExchangeDialog::AddMenuItem(QMenu* AMenu, const char* AName, const QString& ACaption) {
    QAction* action = AMenu->addAction(ACaption);
    action->setObjectName(QLatin1String(AName));
    return action;
}

void TKVExchangeDialog::AddLogMsg(const QString& AMsg) {
    FLogMemo->appendPlainText(AMsg);
}

QStringList TKVExchangeDialog::LogLines() const {
    const QString text = FLogMemo->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

void TKVExchangeDialog::ClearLog() {
    FLogMemo->clear();
}

void TKVExchangeDialog::SetStepLabel(const QString& AText) {
    FStatusLabel->setText(AText);
    FStatusLabel->repaint();
}

void TKVExchangeDialog::InitProgress(int AMin, int AMax) {
    FProgressBar->setRange(AMin, std::max(AMax, AMin + 1));
    FProgressBar->setValue(AMin);
    FProgressBar->repaint();
    FProgressPainted.start();
}

void TKVExchangeDialog::SetProgressPosition(int APosition) {
    FProgressBar->setValue(APosition);
    if (!FProgressPainted.isValid() || FProgressPainted.elapsed() >= kProgressPaintInterval) {
        FProgressBar->repaint();
        FProgressPainted.start();
    }
}

bool TKVExchangeDialog::SaveLog(const QString& AProposedName) {
    QString fileName =
        AProposedName.isEmpty() ? QString() : AProposedName + QStringLiteral(".log");
    if (!KVSaveFileDialog(this, tr("Сохранить журнал"), QStringLiteral("Log files (*.log)"),
                          dmMain ? dmMain->AppFolder() : QString(), fileName))
        return false;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QStringLiteral(".log");
    return SaveUserListFile(fileName, LogLines());
}
