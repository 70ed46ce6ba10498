#include "shell/frmDBInfo.h"

#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "shell/KVWidgets.h"
#include "shell/uMessage.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QPointer<TfrmDBInfo> gDBInfoDlg;

// The picture of the copy button in the main tool images.
constexpr int kCopyImage = 32;

// A shareable table: its rows are counted per DBID.
struct TSharedTableCount {
    const char* SQL;
    const char* NodeName;
};

const TSharedTableCount kSharedTables[] = {
    {"SELECT DBID, COUNT(ID) FROM T_CLASS GROUP BY DBID;", "Классы"},
    {"SELECT DBID, COUNT(ID) FROM T_CASE GROUP BY DBID;", "Корпуса"},
    {"SELECT DBID, COUNT(ID) FROM T_MAKER GROUP BY DBID;", "Производители"},
    {"SELECT DBID, COUNT(ID) FROM T_UNIT GROUP BY DBID;", "Единицы измерения"},
    {"SELECT DBID, COUNT(ID) FROM T_BASE_PARAM GROUP BY DBID;", "Базовые параметры"},
    {"SELECT DBID, COUNT(ID) FROM T_ELEMENT_TYPE GROUP BY DBID;", "Типы элементов"},
    {"SELECT DBID, COUNT(ID) FROM T_PARAM GROUP BY DBID;", "Параметры"},
    {"SELECT DBID, COUNT(ID) FROM T_PIN GROUP BY DBID;", "Выводы"},
    {"SELECT DBID, COUNT(ID) FROM T_ELEMENT_ANALOG GROUP BY DBID;", "Аналоги элементов"},
};

// A table keyed by ID alone: its rows are counted in all.
struct TLocalTableCount {
    const char* SQL;
    const char* Prefix;
};

const TLocalTableCount kLocalTables[] = {
    {"SELECT COUNT(ID) FROM T_STORAGE;", "Места хранения ("},
    {"SELECT COUNT(ID) FROM T_ELEMENT_AVAIL;", "Элементы в наличии ("},
    {"SELECT COUNT(ID) FROM T_SUPPLIER;", "Поставщики ("},
    {"SELECT COUNT(ID) FROM T_ELEMENT_SUPPLIER;", "Поставщики по типу элемента ("},
    {"SELECT COUNT(ID) FROM T_PROJECT;", "Проекты ("},
    {"SELECT COUNT(ID) FROM T_PROJECT_ITEM;", "Элементы по проекту ("},
    {"SELECT COUNT(ID) FROM T_NOTE;", "Заметки ("},
};

void AddTreeLines(const QTreeWidgetItem* AItem, QStringList& ALines) {
    ALines << AItem->text(0);
    for (int i = 0; i < AItem->childCount(); ++i)
        AddTreeLines(AItem->child(i), ALines);
}

} // namespace

TfrmDBInfo::TfrmDBInfo(QWidget* AParent)
    : TKVDialog(QStringLiteral("DBInfo"), QStringLiteral("DBInfo_PopupMenu"), AParent) {
    setObjectName(QStringLiteral("frmDBInfo"));
    setWindowTitle(tr("Информация о базе данных"));

    FPageControl = new QTabWidget(this);
    FPageControl->setObjectName(QStringLiteral("DBInfo_PageControl"));

    const auto page = [this](const char* AName) {
        auto* p = new QWidget(FPageControl);
        p->setObjectName(QLatin1String(AName));
        auto* layout = new QVBoxLayout(p);
        layout->setContentsMargins(4, 4, 4, 4);
        return std::pair{p, layout};
    };

    auto [infoPage, infoLayout] = page("DataBaseInfo_TabSheet");
    FDataBaseInfo_ListView = new QTreeWidget(infoPage);
    FDataBaseInfo_ListView->setObjectName(QStringLiteral("DataBaseInfo_ListView"));
    FDataBaseInfo_ListView->setColumnCount(2);
    FDataBaseInfo_ListView->setHeaderHidden(true);
    FDataBaseInfo_ListView->setRootIsDecorated(false);
    FDataBaseInfo_ListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FDataBaseInfo_ListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    FDataBaseInfo_ListView->setColumnWidth(0, 200);
    FDataBaseInfo_ListView->setColumnWidth(1, 240);
    infoLayout->addWidget(FDataBaseInfo_ListView);
    FPageControl->addTab(infoPage, tr("Общая информация"));

    auto [includePage, includeLayout] = page("IncludeData_TabSheet");
    FIncludeData_ListBox = new QListWidget(includePage);
    FIncludeData_ListBox->setObjectName(QStringLiteral("IncludeData_ListBox"));
    includeLayout->addWidget(FIncludeData_ListBox);
    FPageControl->addTab(includePage, tr("Список обновлений"));

    auto [statPage, statLayout] = page("StatDBInfo_TabSheet");
    FStatDBInfo_TreeView = new QTreeWidget(statPage);
    FStatDBInfo_TreeView->setObjectName(QStringLiteral("StatDBInfo_TreeView"));
    FStatDBInfo_TreeView->setHeaderHidden(true);
    FStatDBInfo_TreeView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    statLayout->addWidget(FStatDBInfo_TreeView);
    FPageControl->addTab(statPage, tr("Состав БД"));

    const TKVInfoWindowButtons buttons = LayOutInfoWindow(this, FPageControl);
    FCopyToClipboard_Btn = buttons.Copy;
    FOkBtn = buttons.Ok;
    connect(FCopyToClipboard_Btn, &QPushButton::clicked, this,
            &TfrmDBInfo::CopyToClipboard_BtnClick);

    resize(497, 305);
    setMinimumSize(minimumSizeHint().expandedTo(QSize(497, 305)));

    if (dmMain)
        FDBInfo_IBQuery =
            std::make_unique<TIBQuery>(&dmMain->MainIBDatabase, &dmMain->MainIBTransaction);

    LoadDataBaseInfo();
    LoadIncludeDataInfo();
    LoadStatData();
    if (dmMain)
        FCopyToClipboard_Btn->setIcon(dmMain->MainToolImgList.Icon(kCopyImage));
    FPageControl->setCurrentIndex(0);
}

TfrmDBInfo::~TfrmDBInfo() = default;

void TfrmDBInfo::AddInfoRow(const QString& AName, const QString& AValue) {
    new QTreeWidgetItem(FDataBaseInfo_ListView, QStringList{AName, AValue});
}

void TfrmDBInfo::LoadDataBaseInfo() {
    if (!dmMain || !dmMain->DBConnected())
        return;
    FDataBaseInfo_ListView->clear();
    const QString yes = tr("Да");
    const QString no = tr("Нет");
    const quint32 dbId = dmMain->CurrentDBId();
    const bool readOnly = dmMain->CurrentDBReadOnly();
    AddInfoRow(tr("Файл БД"), QFileInfo(dmMain->CurrentDataBaseFileName()).fileName());
    AddInfoRow(tr("Версия БД"), dmMain->CurrentDBVersionStr());
    AddInfoRow(QStringLiteral("DBID"), QString::number(dbId));
    AddInfoRow(tr("Описание БД"), dmMain->CurrentDBDescription());
    if (readOnly)
        AddInfoRow(tr("БД только для чтения"), yes);
    AddInfoRow(tr("Возможность импорта"), readOnly || !IsImportAllowedDBId(dbId) ? no : yes);
    AddInfoRow(tr("Возможность экспорта"), IsExportAllowedDBId(dbId) ? yes : no);
}

void TfrmDBInfo::LoadIncludeDataInfo() {
    if (!dmMain || !dmMain->DBConnected())
        return;
    FIncludeData_ListBox->clear();
    TKVDataBase& db = dmMain->DataBase();
    if (!db.DBSysUpdateEmpty())
        for (db.DBSysUpdateFirst(); !db.DBSysUpdateEof(); db.DBSysUpdateNext()) {
            TKVDataBaseSysUpdate update;
            if (db.DBSysUpdateGetRecord(update))
                FIncludeData_ListBox->addItem(QStringLiteral("%1.%2; \" %3 \"")
                                                  .arg(update.SysUpdMajorVersion)
                                                  .arg(update.SysUpdMinorVersion)
                                                  .arg(update.SysUpdVersionStr));
        }
    if (!db.PackageImportedEmpty())
        for (db.PackageImportedFirst(); !db.PackageImportedEof(); db.PackageImportedNext()) {
            TKVDataBasePackageImported package;
            if (db.PackageImportedGetRecord(package))
                FIncludeData_ListBox->addItem(
                    QStringLiteral("DBID: %1; \" %2 \"; Exported: %3")
                        .arg(package.PackageDBId)
                        .arg(package.Description, DateTimeToStrOrDash(package.ExportDateTime)));
        }
}

void TfrmDBInfo::LoadStatData() {
    if (!dmMain || !dmMain->MainIBDatabase.Connected() || !FDBInfo_IBQuery)
        return;
    FStatDBInfo_TreeView->setUpdatesEnabled(false);
    FStatDBInfo_TreeView->clear();
    auto* root = new QTreeWidgetItem(
        FStatDBInfo_TreeView, QStringList{tr("База данных DBID:%1").arg(dmMain->CurrentDBId())});
    TIBQuery& query = *FDBInfo_IBQuery;
    // A failure is shown by the data module; what was counted before it stays in the tree.
    dmMain->ExecuteInTransaction([&] {
        for (const TSharedTableCount& table : kSharedTables) {
            query.Close();
            query.SetSQL(QString::fromUtf8(table.SQL));
            query.Open();
            QTreeWidgetItem* node = nullptr;
            qint64 sum = 0;
            while (!query.Eof()) {
                if (!node)
                    node = new QTreeWidgetItem(root);
                const qint64 count = query.FieldByName("COUNT").AsInt64();
                new QTreeWidgetItem(
                    node,
                    QStringList{QStringLiteral("DBID:%1 (%2)")
                                    .arg(static_cast<quint32>(query.FieldByName("DBID").AsInt64()))
                                    .arg(count)});
                sum += count;
                query.Next();
            }
            query.Close();
            if (node)
                node->setText(0, QStringLiteral("%1 (%2)").arg(tr(table.NodeName)).arg(sum));
        }
        for (const TLocalTableCount& table : kLocalTables) {
            query.Close();
            query.SetSQL(QString::fromUtf8(table.SQL));
            query.Open();
            const qint64 count = query.Eof() ? 0 : query.FieldByName("COUNT").AsInt64();
            query.Close();
            if (count > 0)
                new QTreeWidgetItem(root, QStringList{tr(table.Prefix) + QString::number(count) +
                                                      QStringLiteral(")")});
        }
    });
    root->setExpanded(true);
    FStatDBInfo_TreeView->setUpdatesEnabled(true);
}

QStringList TfrmDBInfo::InfoLines() const {
    QStringList lines;
    for (int i = 0; i < FDataBaseInfo_ListView->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = FDataBaseInfo_ListView->topLevelItem(i);
        lines << item->text(0) + QStringLiteral(":  ") + item->text(1);
    }
    lines << QStringLiteral("\n\n") + tr("Список обновлений") + QStringLiteral("\n\n");
    for (int i = 0; i < FIncludeData_ListBox->count(); ++i)
        lines << FIncludeData_ListBox->item(i)->text();
    lines << QStringLiteral("\n\n") + tr("Состав БД") + QStringLiteral("\n\n");
    for (int i = 0; i < FStatDBInfo_TreeView->topLevelItemCount(); ++i)
        AddTreeLines(FStatDBInfo_TreeView->topLevelItem(i), lines);
    return lines;
}

void TfrmDBInfo::CopyToClipboard_BtnClick() {
    QString text;
    for (const QString& line : InfoLines())
        text += line + u'\n';
    QApplication::clipboard()->setText(text);
}

int ShowDBInfoDlg() {
    if (gDBInfoDlg) {
        gDBInfoDlg->raise();
        gDBInfoDlg->activateWindow();
        return mrCancel;
    }
    TfrmDBInfo dlg(TKVDialog::OwnerWindow());
    gDBInfoDlg = &dlg;
    return dlg.exec();
}

TfrmDBInfo* DBInfoDlg() {
    return gDBInfoDlg;
}
