#include "exchange/frmDeletePackage.h"

#include "core/udmMain.h"
#include "exchange/KVPackageDelete.h"
#include "shell/KVWidgets.h"
#include "shell/uMessage.h"

#include <QPushButton>
#include <QStackedWidget>
#include <QTreeWidget>

namespace {
// Pictures of the main tool images.
constexpr int kAnalyzeImage = 1;
constexpr int kDeleteImage = 70;
constexpr int kDBIdRole = Qt::UserRole;
} // namespace

TfrmDeletePackage::TfrmDeletePackage(QWidget* AParent)
    : TKVExchangeDialog(QStringLiteral("DeletePackage"), QStringLiteral("DeletePackage_PopupMenu"),
                        QStringLiteral("DeletePackageLog_Memo"),
                        QStringLiteral("DeletePackage_Label"),
                        QStringLiteral("DeletePackage_ProgressBar"), AParent) {
    setObjectName(QStringLiteral("frmDeletePackage"));
    setWindowTitle(tr("Удалить пакет данных"));

    FIncludeData_ListView = new QTreeWidget(this);
    FIncludeData_ListView->setObjectName(QStringLiteral("IncludeData_ListView"));
    FIncludeData_ListView->setHeaderLabels({tr("DBId"), tr("Описание"), tr("Дата эксп.")});
    FIncludeData_ListView->setColumnWidth(0, 70);
    FIncludeData_ListView->setColumnWidth(1, 300);
    FIncludeData_ListView->setColumnWidth(2, 140);
    FIncludeData_ListView->setRootIsDecorated(false);
    FIncludeData_ListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FIncludeData_ListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    FIncludeData_ListView->setSelectionMode(QAbstractItemView::SingleSelection);

    FAnalyze_Button = AddButton("Analyze_Button", tr("&Анализ"),
                                tr("Проанализировать возможность удаления"), kAnalyzeImage);
    FSaveLog_Button = AddButton("SaveLog_Button", tr("&Сохран. журнал"), tr("Сохранить журнал"));
    FMode_Button = AddButton("Mode_Button", tr("&Режим отобр."), tr("Выбор данных для экспорта"));
    FDelete_Button =
        AddButton("Delete_Button", tr("&Удалить"), tr("Удалить пакет данных"), kDeleteImage);
    FDelete_Button->setDefault(true);

    QStackedWidget* notebook = MakeModePages(
        FIncludeData_ListView, "DeletePackageModeNotebook", FMode_Button,
        "DeletePackageMode_PopupMenu", tr("&Выбор данных для экспорта"), tr("&Журнал экспорта"));
    notebook->setMinimumSize(594, 180);
    SetMainWidget(notebook);

    connect(FAnalyze_Button, &QPushButton::clicked, this, &TfrmDeletePackage::Analyze_ButtonClick);
    connect(FDelete_Button, &QPushButton::clicked, this, &TfrmDeletePackage::Delete_ButtonClick);
    connect(FSaveLog_Button, &QPushButton::clicked, this, &TfrmDeletePackage::SaveLog_ButtonClick);
    connect(FIncludeData_ListView, &QTreeWidget::itemSelectionChanged, this,
            &TfrmDeletePackage::SelectionChanged);

    FillPackageList();
    FAnalyze_Button->setEnabled(false);
    FSaveLog_Button->setEnabled(false);
    FDelete_Button->setEnabled(false);
    setMinimumSize(minimumSizeHint().expandedTo(QSize(713, 249)));
    resize(minimumSize());
}

void TfrmDeletePackage::FillPackageList() {
    FIncludeData_ListView->clear();
    if (!dmMain)
        return;
    TKVDataBase& db = dmMain->DataBase();
    if (db.PackageImportedEmpty())
        return;
    TKVDataBasePackageImported package;
    for (db.PackageImportedFirst(); !db.PackageImportedEof(); db.PackageImportedNext()) {
        if (!db.PackageImportedGetRecord(package))
            continue;
        auto* item = new QTreeWidgetItem(
            FIncludeData_ListView,
            QStringList{QString::number(package.PackageDBId), package.Description,
                        DateTimeToStrOrDash(package.ExportDateTime)});
        item->setData(0, kDBIdRole, package.PackageDBId);
    }
}

void TfrmDeletePackage::DeletePackageListItem(quint32 ADBId) {
    for (int i = 0; i < FIncludeData_ListView->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = FIncludeData_ListView->topLevelItem(i);
        if (item->data(0, kDBIdRole).toUInt() == ADBId) {
            delete item;
            break;
        }
    }
    if (FSelectPackageDBId == ADBId)
        FSelectPackageDBId = 0;
}

bool TfrmDeletePackage::SelectPackage(quint32 ADBId) {
    for (int i = 0; i < FIncludeData_ListView->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = FIncludeData_ListView->topLevelItem(i);
        if (item->data(0, kDBIdRole).toUInt() == ADBId) {
            FIncludeData_ListView->setCurrentItem(item);
            item->setSelected(true);
            return true;
        }
    }
    return false;
}

void TfrmDeletePackage::SelectionChanged() {
    const QList<QTreeWidgetItem*> selected = FIncludeData_ListView->selectedItems();
    FSelectPackageDBId = selected.isEmpty() ? 0 : selected.first()->data(0, kDBIdRole).toUInt();
    FAnalyze_Button->setEnabled(FSelectPackageDBId != 0);
    FDelete_Button->setEnabled(FSelectPackageDBId != 0);
}

bool TfrmDeletePackage::AnalyzePackageData() {
    if (!dmMain)
        return false;
    TWaitCursor wait;
    return TKVPackageDeleter(*dmMain, *this).AnalyzePackageData(FSelectPackageDBId);
}

bool TfrmDeletePackage::DeletePackageData() {
    if (!dmMain)
        return false;
    TWaitCursor wait;
    return TKVPackageDeleter(*dmMain, *this).DeletePackageData(FSelectPackageDBId);
}

void TfrmDeletePackage::Analyze_ButtonClick() {
    if (FSelectPackageDBId == 0)
        return;
    SetMode(false);
    ClearLog();
    FLogDBId = FSelectPackageDBId;
    AnalyzePackageData();
    FSaveLog_Button->setEnabled(true);
}

void TfrmDeletePackage::Delete_ButtonClick() {
    if (FSelectPackageDBId == 0)
        return;
    SetMode(false);
    ClearLog();
    FLogDBId = FSelectPackageDBId;
    const bool deleted = DeletePackageData();
    FSaveLog_Button->setEnabled(true);
    if (deleted) {
        DeletePackageListItem(FLogDBId);
        FIncludeData_ListView->clearSelection();
        FSelectPackageDBId = 0;
        FAnalyze_Button->setEnabled(false);
        FDelete_Button->setEnabled(false);
        ShowMessageDlg(tr("Пакет данных удален;"), mdkInformation, mdbOK, 0);
    } else {
        ShowMessageDlg(tr("Удаление пакета данных невозможно;"), mdkError, mdbOK, 0);
    }
}

void TfrmDeletePackage::SaveLog_ButtonClick() {
    SaveLog(ProposedDeletePackageLogFileName(FLogDBId));
}

int ShowDeletePackageDlg() {
    TfrmDeletePackage dlg(TKVDialog::OwnerWindow());
    TKVDialog::CenterOnScreen(&dlg);
    return dlg.exec();
}
