#include "exchange/frmExport.h"

#include "core/udmMain.h"
#include "exchange/KVPackageExport.h"
#include "refbooks/frmClass.h"
#include "resources/KVResources.h"
#include "shell/KVFileDialog.h"
#include "shell/KVWidgets.h"
#include "shell/uMessage.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeWidget>

#include <cerrno>
#include <unistd.h>

namespace {

// Pictures of the main tool images.
constexpr int kClassImage = 6;
constexpr int kDeleteImage = 28;
constexpr int kSaveImage = 37;
constexpr int kExportImage = 5;

// The kind of a listed item: a class is the only one the dialog makes.
constexpr int kClassItem = 0;
constexpr int kKeyRole = Qt::UserRole;

struct TItemKey {
    quint32 DBId;
    quint32 Id;
    int Kind;
};

TItemKey KeyOf(const QTreeWidgetItem* AItem) {
    const QList<QVariant> key = AItem->data(0, kKeyRole).toList();
    return {key.value(0).toUInt(), key.value(1).toUInt(), key.value(2).toInt()};
}

} // namespace

TfrmExport::TfrmExport(QWidget* AParent)
    : TKVExchangeDialog(QStringLiteral("ExportData"), QStringLiteral("Export_PopupMenu"),
                        QStringLiteral("ExportLog_Memo"), QStringLiteral("Export_Label"),
                        QStringLiteral("Export_ProgressBar"), AParent) {
    setObjectName(QStringLiteral("frmExport"));
    setWindowTitle(tr("Экспорт данных"));

    FExport_ListView = new QTreeWidget(this);
    FExport_ListView->setObjectName(QStringLiteral("Export_ListView"));
    FExport_ListView->setHeaderLabels({tr("Название объекта"), tr("Тип объекта")});
    FExport_ListView->setColumnWidth(0, 260);
    FExport_ListView->setColumnWidth(1, 140);
    FExport_ListView->setRootIsDecorated(false);
    FExport_ListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FExport_ListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    FExport_ListView->setSelectionMode(QAbstractItemView::SingleSelection);

    FAddClass_Button =
        AddButton("AddClass_Button", tr("&Класс"), tr("Добавить класс"), kClassImage);
    FDelete_Button = AddButton("Delete_Button", tr("&Удалить"), tr("Удалить"), kDeleteImage);
    FSave_Button =
        AddButton("Save_Button", tr("&Файл эксп."), tr("Выбрать файл для экспорта"), kSaveImage);
    FMode_Button = AddButton("Mode_Button", tr("&Режим отобр."), tr("Выбор данных для экспорта"));
    FSaveLog_Button = AddButton("SaveLog_Button", tr("&Сохран. журнал"), tr("Сохранить журнал"));
    FExport_Button =
        AddButton("Export_Button", tr("&Экспорт"), tr("Экспортировать данные"), kExportImage);
    FExport_Button->setDefault(true);

    QStackedWidget* notebook =
        MakeModePages(FExport_ListView, "ExportModeNotebook", FMode_Button, "ExportMode_PopupMenu",
                      tr("&Выбор данных для экспорта"), tr("&Журнал экспорта"));
    notebook->setMinimumSize(594, 180);
    SetMainWidget(notebook);

    connect(FAddClass_Button, &QPushButton::clicked, this, &TfrmExport::AddClass_ButtonClick);
    connect(FDelete_Button, &QPushButton::clicked, this, &TfrmExport::DeleteItem);
    connect(FSave_Button, &QPushButton::clicked, this, &TfrmExport::Save_ButtonClick);
    connect(FSaveLog_Button, &QPushButton::clicked, this, &TfrmExport::SaveLog_ButtonClick);
    connect(FExport_Button, &QPushButton::clicked, this, &TfrmExport::Export_ButtonClick);
    connect(FExport_ListView, &QTreeWidget::itemSelectionChanged, this,
            &TfrmExport::UpdateDeleteButton);

    // Del deletes the selected item from anywhere in the dialog.
    auto* deleteAction = new QAction(this);
    deleteAction->setShortcut(QKeySequence(Qt::Key_Delete));
    deleteAction->setShortcutContext(Qt::WindowShortcut);
    connect(deleteAction, &QAction::triggered, this, &TfrmExport::DeleteItem);
    addAction(deleteAction);

    FExport_Button->setEnabled(false);
    FSaveLog_Button->setEnabled(false);
    FDelete_Button->setEnabled(false);
    setMinimumSize(minimumSizeHint().expandedTo(QSize(713, 249)));
    resize(minimumSize());
}

bool TfrmExport::ExistsExportItem(quint32 ADBId, quint32 AId, int AItemType) const {
    for (int i = 0; i < FExport_ListView->topLevelItemCount(); ++i) {
        const TItemKey key = KeyOf(FExport_ListView->topLevelItem(i));
        if (key.DBId == ADBId && key.Id == AId && key.Kind == AItemType)
            return true;
    }
    return false;
}

bool TfrmExport::AddExportClass(quint32 ADBId, quint32 AId, const QString& AName) {
    if (ExistsExportItem(ADBId, AId, kClassItem))
        return false;
    auto* item = new QTreeWidgetItem(FExport_ListView, QStringList{AName, QStringLiteral("Class")});
    item->setData(0, kKeyRole, QVariantList{ADBId, AId, kClassItem});
    return true;
}

void TfrmExport::DeleteItem() {
    const QList<QTreeWidgetItem*> selected = FExport_ListView->selectedItems();
    if (!selected.isEmpty())
        delete selected.first();
    UpdateDeleteButton();
}

void TfrmExport::UpdateDeleteButton() {
    FDelete_Button->setEnabled(!FExport_ListView->selectedItems().isEmpty());
}

std::vector<TKVExportItemIndexData> TfrmExport::ExportItems() const {
    std::vector<TKVExportItemIndexData> items;
    for (int i = 0; i < FExport_ListView->topLevelItemCount(); ++i) {
        const TItemKey key = KeyOf(FExport_ListView->topLevelItem(i));
        if (key.Kind == kClassItem)
            items.push_back({key.DBId, key.Id, itClass});
    }
    return items;
}

void TfrmExport::AddClass_ButtonClick() {
    TKVSelectedItemDBData selected;
    SelectClass(0, 0, 0, 0, selected);
    if (selected.Select)
        AddExportClass(selected.DBId, selected.Id, selected.Name);
}

void TfrmExport::Save_ButtonClick() {
    if (!dmMain)
        return;
    FExportPackageSysTime = QDateTime::currentDateTime();
    QDateTime seconds = FExportPackageSysTime;
    seconds.setTime(QTime(seconds.time().hour(), seconds.time().minute(), seconds.time().second()));
    FExportPackageDateTime = DateTimeFromQDateTime(seconds);

    QString fileName = ProposedPackageFileName(dmMain->CurrentDBId(), FExportPackageSysTime) +
                       QStringLiteral(".fdb");
    if (!KVSaveFileDialog(this, tr("Сохранить пакет данных"),
                          QStringLiteral("Korvant Package (*.fdb)"), dmMain->AppFolder(), fileName))
        return;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QStringLiteral(".fdb");
    if (QFileInfo::exists(fileName)) {
        if (ShowMessageDlg(tr("Пакет %1 будет перезаписан. Продолжить?").arg(fileName), mdkWarning,
                           mdbYes | mdbNo, 0) != mrYes)
            return;
        if (::unlink(QFile::encodeName(fileName).constData()) != 0) {
            ShowMessageDlg(
                tr("Ошибка при доступе к файлу %1. Код ошибки %2").arg(fileName).arg(errno),
                mdkError, mdbOK, 0);
            return;
        }
    }
    FCurrentPackageFile = fileName;
    StatusLabel()->setText(fileName);
    FExport_Button->setEnabled(true);
}

void TfrmExport::SaveLog_ButtonClick() {
    if (dmMain)
        SaveLog(ProposedExportLogFileName(dmMain->CurrentDBId(), FExportPackageSysTime));
}

bool TfrmExport::ExportData() {
    ClearLog();
    if (!dmMain)
        return false;
    TWaitCursor wait;
    TKVPackageExporter exporter(*dmMain, *this);
    return exporter.ExportData(FCurrentPackageFile, ExportItems(), FExportPackageDateTime);
}

void TfrmExport::Export_ButtonClick() {
    if (FCurrentPackageFile.isEmpty())
        return;
    if (FExport_ListView->topLevelItemCount() == 0) {
        ShowMessageDlg(tr("Нет выбраны записи для экспорта"), mdkError, mdbOK, 0);
        return;
    }
    SetMode(false);
    const bool result = ExportData();
    FCurrentPackageFile.clear();
    StatusLabel()->clear();
    SelectDataModeItem()->setChecked(false);
    LogModeItem()->setChecked(false);
    FSaveLog_Button->setEnabled(true);
    FExport_Button->setEnabled(false);
    if (result)
        ShowMessageDlg(tr("Экспорт данных завершен успешно"), mdkInformation, mdbOK, 0);
    else
        ShowMessageDlg(tr("Экспорт данных завершен с ошибками"), mdkError, mdbOK, 0);
}

int ShowExportDlg() {
    TfrmExport dlg(TKVDialog::OwnerWindow());
    dlg.setWindowIcon(ResourceIcon(2031));
    TKVDialog::CenterOnScreen(&dlg);
    return dlg.exec();
}
