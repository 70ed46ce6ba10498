#include "reports/frmReportList.h"

#include "reports/KVReportPlugin.h"
#include "shell/KVWidgets.h"
#include "shell/uMessage.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

QString SelectedReportFileName;

TfrmReportList::TfrmReportList(const QString& AFolder, QWidget* AParent)
    : TKVDialog(QStringLiteral("Reports"), QStringLiteral("ReportList_PopupMenu"),
                AParent ? AParent : TKVDialog::OwnerWindow()),
      FFolder(AFolder) {
    SelectedReportFileName.clear();
    setObjectName(QStringLiteral("frmReportList"));
    setWindowTitle(tr("Отчеты"));
    setWindowFlag(Qt::WindowMinMaxButtonsHint, true);

    FListView = new QTreeWidget(this);
    FListView->setObjectName(QStringLiteral("Reports_ListView"));
    FListView->setRootIsDecorated(false);
    FListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    FListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FListView->setHeaderLabels({tr("Название"), tr("Плагин"), tr("Версия")});
    FListView->header()->setStretchLastSection(false);
    FListView->setColumnWidth(0, 260);
    FListView->setColumnWidth(1, 100);
    FListView->setColumnWidth(2, 60);
    FitHeaderSections(FListView->header());

    FOkBtn = new QPushButton(tr("Построить отчет"), this);
    FOkBtn->setObjectName(QStringLiteral("OkBtn"));
    FOkBtn->setDefault(true);
    FOkBtn->setEnabled(false);
    FCancelBtn = new QPushButton(tr("Отмена"), this);
    FCancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    FRefreshBtn = new QPushButton(tr("Обновить"), this);
    FRefreshBtn->setObjectName(QStringLiteral("RefreshBtn"));

    connect(FOkBtn, &QPushButton::clicked, this, [this] { done(mrOk); });
    connect(FCancelBtn, &QPushButton::clicked, this, [this] { done(mrCancel); });
    connect(FRefreshBtn, &QPushButton::clicked, this, &TfrmReportList::RefreshList);
    connect(FListView, &QTreeWidget::itemSelectionChanged, this,
            [this] { FOkBtn->setEnabled(!FListView->selectedItems().isEmpty()); });
    connect(FListView, &QTreeWidget::itemDoubleClicked, this, [this] { done(mrOk); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(FRefreshBtn);
    buttons->addStretch(1);
    buttons->addWidget(FOkBtn);
    buttons->addWidget(FCancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FListView, 1);
    layout->addLayout(buttons);

    RefreshList();
    FitWindowToContent(this, QSize(473, 241), QSize(473, 241), ListViewShortfall(FListView, 6));
    CenterOnScreen(this);
}

void TfrmReportList::RefreshList() {
    FListView->clear();
    for (const TKVReportPluginInfo& plugin : ListReportPlugins(FFolder))
        FListView->addTopLevelItem(
            new QTreeWidgetItem(QStringList{plugin.Name, plugin.FileName, plugin.Version}));
    FOkBtn->setEnabled(!FListView->selectedItems().isEmpty());
}

void TfrmReportList::done(int AResult) {
    if (AResult == mrOk) {
        const QList<QTreeWidgetItem*> selected = FListView->selectedItems();
        if (selected.isEmpty())
            return;
        SelectedReportFileName = selected.first()->text(1);
    }
    TKVDialog::done(AResult);
}

int ShowReportListDlg(const QString& AFolder) {
    TfrmReportList dialog(AFolder);
    return dialog.exec();
}
