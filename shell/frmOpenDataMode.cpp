#include "shell/frmOpenDataMode.h"

#include "shell/frmSelectCancel.h"
#include "shell/uMessage.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

TKVOpenDataModeType SelectedOpenDataModeType = odmtNone;

QString OpenDataModeTypeCaption(TKVOpenDataModeType AType) {
    static const char* const kCaptions[OpenDataModeTypeCount] = {
        "",
        QT_TRANSLATE_NOOP("TfrmOpenDataMode", "Классы"),
        QT_TRANSLATE_NOOP("TfrmOpenDataMode", "Редактирование/просмотр класса"),
        QT_TRANSLATE_NOOP("TfrmOpenDataMode", "Типы элементов по классу"),
        QT_TRANSLATE_NOOP("TfrmOpenDataMode", "Базовые параметры класса"),
        QT_TRANSLATE_NOOP("TfrmOpenDataMode", "Прайс по классу типов элементов"),
        QT_TRANSLATE_NOOP("TfrmOpenDataMode", "Производители"),
        QT_TRANSLATE_NOOP("TfrmOpenDataMode", "Редактирование/просмотр производителя"),
        QT_TRANSLATE_NOOP("TfrmOpenDataMode", "Типы элементов по производителю"),
        QT_TRANSLATE_NOOP("TfrmOpenDataMode", "Корпуса"),
        QT_TRANSLATE_NOOP("TfrmOpenDataMode", "Единицы измерения"),
        QT_TRANSLATE_NOOP("TfrmOpenDataMode", "Редактирование/просмотр типа элемента"),
        QT_TRANSLATE_NOOP("TfrmOpenDataMode", "Параметры типа элемента"),
        QT_TRANSLATE_NOOP("TfrmOpenDataMode", "Выводы типа элемента"),
        QT_TRANSLATE_NOOP("TfrmOpenDataMode", "Прайс по типу элемента"),
        QT_TRANSLATE_NOOP("TfrmOpenDataMode", "Наличие элементов по типу"),
        QT_TRANSLATE_NOOP("TfrmOpenDataMode", "Аналоги типа элемента"),
        QT_TRANSLATE_NOOP("TfrmOpenDataMode", "Наличие элементов"),
        QT_TRANSLATE_NOOP("TfrmOpenDataMode", "Места хранения"),
        QT_TRANSLATE_NOOP("TfrmOpenDataMode", "Редактирование/просмотр места хранения"),
        QT_TRANSLATE_NOOP("TfrmOpenDataMode", "Наличие элементов по месту хранения"),
        QT_TRANSLATE_NOOP("TfrmOpenDataMode", "Поставщики"),
        QT_TRANSLATE_NOOP("TfrmOpenDataMode", "Редактирование/просмотр поставщика"),
        QT_TRANSLATE_NOOP("TfrmOpenDataMode", "Прайс по поставщику"),
        QT_TRANSLATE_NOOP("TfrmOpenDataMode", "Проекты в работе"),
        QT_TRANSLATE_NOOP("TfrmOpenDataMode", "Архив проектов"),
        QT_TRANSLATE_NOOP("TfrmOpenDataMode", "Редактирование/просмотр проекта"),
        QT_TRANSLATE_NOOP("TfrmOpenDataMode", "Состав проекта"),
        QT_TRANSLATE_NOOP("TfrmOpenDataMode", "Заметки"),
    };
    if (AType == odmtNone || AType >= OpenDataModeTypeCount)
        return QString();
    return QCoreApplication::translate("TfrmOpenDataMode", kCaptions[AType]);
}

TfrmOpenDataMode::TfrmOpenDataMode(TKVOpenDataModeTypes AOpenDataModeTypes, QWidget* AParent)
    : TKVDialog(QStringLiteral("OpenDataMode"), QStringLiteral("OpenDataMode_PopupMenu"), AParent) {
    setObjectName(QStringLiteral("frmOpenDataMode"));
    setWindowTitle(tr("Выбор информации для отображения"));

    FOpenDataMode_ListView = new QTreeWidget(this);
    FOpenDataMode_ListView->setObjectName(QStringLiteral("OpenDataMode_ListView"));
    FOpenDataMode_ListView->setHeaderHidden(true);
    FOpenDataMode_ListView->setColumnCount(1);
    FOpenDataMode_ListView->setColumnWidth(0, 260);
    FOpenDataMode_ListView->setRootIsDecorated(false);
    FOpenDataMode_ListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FOpenDataMode_ListView->setSelectionMode(QAbstractItemView::SingleSelection);
    FOpenDataMode_ListView->setSelectionBehavior(QAbstractItemView::SelectRows);

    F_frmSelectCancel1 = new T_frmSelectCancel(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(FOpenDataMode_ListView, 1);
    layout->addWidget(F_frmSelectCancel1);
    resize(289, 158);
    setMinimumSize(289, 158);

    for (int ordinal = odmtClassRB; ordinal < OpenDataModeTypeCount; ++ordinal) {
        if ((AOpenDataModeTypes & (TKVOpenDataModeTypes{1} << ordinal)) == 0)
            continue;
        auto* item = new QTreeWidgetItem(FOpenDataMode_ListView);
        item->setText(0, OpenDataModeTypeCaption(static_cast<TKVOpenDataModeType>(ordinal)));
        item->setData(0, Qt::UserRole, ordinal);
    }
    if (FOpenDataMode_ListView->topLevelItemCount() > 0)
        FOpenDataMode_ListView->setCurrentItem(FOpenDataMode_ListView->topLevelItem(0));
    FOpenDataMode_ListView->setFocus();

    connect(FOpenDataMode_ListView, &QTreeWidget::itemDoubleClicked, this,
            &TfrmOpenDataMode::OpenDataMode_ListViewDblClick);
}

TKVOpenDataModeType TfrmOpenDataMode::RowType(int ARow) const {
    const QTreeWidgetItem* item = FOpenDataMode_ListView->topLevelItem(ARow);
    return item ? static_cast<TKVOpenDataModeType>(item->data(0, Qt::UserRole).toInt()) : odmtNone;
}

int TfrmOpenDataMode::SelectedRow() const {
    const QList<QTreeWidgetItem*> selected = FOpenDataMode_ListView->selectedItems();
    return selected.isEmpty() ? -1 : FOpenDataMode_ListView->indexOfTopLevelItem(selected.first());
}

void TfrmOpenDataMode::OpenDataMode_ListViewDblClick() {
    if (SelectedRow() >= 0)
        done(mrOk);
}

void TfrmOpenDataMode::done(int AResult) {
    if (AResult == mrOk) {
        const int row = SelectedRow();
        if (row < 0)
            return;
        SelectedOpenDataModeType = RowType(row);
    }
    TKVDialog::done(AResult);
}

void TfrmOpenDataMode::showEvent(QShowEvent* AEvent) {
    TKVDialog::showEvent(AEvent);
    CenterOnScreen(this);
}

int SelectOpenDataMode(TKVOpenDataModeTypes AOpenDataModeTypes) {
    SelectedOpenDataModeType = odmtNone;
    TfrmOpenDataMode dlg(AOpenDataModeTypes, TKVDialog::OwnerWindow());
    return dlg.exec();
}
