#include "shell/frmPluginList.h"

#include "shell/uMessage.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

QString SelectedPluginName;

namespace {
// The column of the plug-in's file.
constexpr int kPluginColumn = 1;
} // namespace

TfrmPluginList::TfrmPluginList(QWidget* AParent)
    : TKVDialog(QStringLiteral("Plugins"), QStringLiteral("Plugins_PopupMenu"), AParent) {
    setObjectName(QStringLiteral("frmPluginList"));
    setWindowTitle(tr("Плагины (экспериментальный функционал)"));

    FPlugins_ListView = new QTreeWidget(this);
    FPlugins_ListView->setObjectName(QStringLiteral("Plugins_ListView"));
    FPlugins_ListView->setHeaderLabels({tr("Название"), tr("Плагин"), tr("Версия")});
    FPlugins_ListView->setColumnWidth(0, 260);
    FPlugins_ListView->setColumnWidth(1, 100);
    FPlugins_ListView->setColumnWidth(2, 60);
    FPlugins_ListView->setRootIsDecorated(false);
    FPlugins_ListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FPlugins_ListView->setSelectionMode(QAbstractItemView::SingleSelection);
    FPlugins_ListView->setSelectionBehavior(QAbstractItemView::SelectRows);

    FUse_Button = new QPushButton(tr("Использовать"), this);
    FUse_Button->setObjectName(QStringLiteral("Use_Button"));
    FUse_Button->setDefault(true);
    FUse_Button->setEnabled(false);
    FCancel_Button = new QPushButton(tr("Отмена"), this);
    FCancel_Button->setObjectName(QStringLiteral("Cancel_Button"));
    FRefresh_Button = new QPushButton(tr("Обновить"), this);
    FRefresh_Button->setObjectName(QStringLiteral("Refresh_Button"));
    FRefresh_Button->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(FRefresh_Button);
    buttons->addStretch(1);
    buttons->addWidget(FUse_Button);
    buttons->addWidget(FCancel_Button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FPlugins_ListView, 1);
    layout->addLayout(buttons);
    resize(473, 241);
    setMinimumSize(minimumSizeHint().expandedTo(QSize(473, 241)));

    connect(FPlugins_ListView, &QTreeWidget::itemSelectionChanged, this,
            &TfrmPluginList::Plugins_ListViewSelectionChanged);
    connect(FUse_Button, &QPushButton::clicked, this, &TfrmPluginList::accept);
    connect(FCancel_Button, &QPushButton::clicked, this, &TfrmPluginList::reject);
    connect(FRefresh_Button, &QPushButton::clicked, this, &TfrmPluginList::RefreshList);

    SelectedPluginName.clear();
    RefreshList();
}

void TfrmPluginList::RefreshList() {
    FPlugins_ListView->clear();
    Plugins_ListViewSelectionChanged();
}

void TfrmPluginList::Plugins_ListViewSelectionChanged() {
    FUse_Button->setEnabled(!FPlugins_ListView->selectedItems().isEmpty());
}

void TfrmPluginList::done(int AResult) {
    if (AResult == mrOk) {
        const QList<QTreeWidgetItem*> selected = FPlugins_ListView->selectedItems();
        if (selected.isEmpty())
            return;
        SelectedPluginName = selected.first()->text(kPluginColumn);
    }
    TKVDialog::done(AResult);
}

void TfrmPluginList::showEvent(QShowEvent* AEvent) {
    TKVDialog::showEvent(AEvent);
    CenterOnScreen(this);
}

int ShowPluginListDlg() {
    TfrmPluginList dlg(TKVDialog::OwnerWindow());
    return dlg.exec();
}
