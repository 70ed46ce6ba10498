#include "shell/frmItemInfo.h"

#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "shell/KVShellUserInterface.h"
#include "shell/KVWidgets.h"
#include "shell/uHelpContext.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <array>

namespace {

// How a kind of record is read.
struct TItemKindInfo {
    TKVItemType ItemType;
    const char* Text;            // the kind's name
    const char* SQL;             // nullptr: no query
    const char* NameField;       // the record's name
    const char* NameFallback;    // read when NameField is NULL; nullptr: none
    bool KeyedByDBId;            // (DBID, ID), else ID alone
    bool NameIsNoteText = false; // the name is the start of a note's text
};

const std::array<TItemKindInfo, 18>& ItemKinds() {
    static const std::array<TItemKindInfo, 18> kinds = {{
        {itSysVar, "Системная переменная", nullptr, nullptr, nullptr, false},
        {itLocalConfig, "Данные локальной конфигурации", nullptr, nullptr, nullptr, false},
        {itClass, "Класс",
         "SELECT FIRST 1 SKIP 0 S_NAME, C_TIMESTAMP, U_TIMESTAMP, R_TIMESTAMP FROM T_CLASS WHERE "
         "DBID = :VAR_DBID AND ID = :VAR_ID;",
         "S_NAME", nullptr, true},
        {itCase, "Корпус",
         "SELECT FIRST 1 SKIP 0 S_TYPENAME, C_TIMESTAMP, U_TIMESTAMP, R_TIMESTAMP FROM T_CASE "
         "WHERE DBID = :VAR_DBID AND ID = :VAR_ID;",
         "S_TYPENAME", nullptr, true},
        {itMaker, "Производитель",
         "SELECT FIRST 1 SKIP 0 S_NAME, C_TIMESTAMP, U_TIMESTAMP, R_TIMESTAMP FROM T_MAKER WHERE "
         "DBID = :VAR_DBID AND ID = :VAR_ID;",
         "S_NAME", nullptr, true},
        {itUnit, "Единица измерения",
         "SELECT FIRST 1 SKIP 0 S_PREFIX, C_TIMESTAMP, U_TIMESTAMP, R_TIMESTAMP FROM T_UNIT WHERE "
         "DBID = :VAR_DBID AND ID = :VAR_ID;",
         "S_PREFIX", nullptr, true},
        {itElementType, "Тип элемента",
         "SELECT FIRST 1 SKIP 0 S_TYPENAME, C_TIMESTAMP, U_TIMESTAMP, R_TIMESTAMP FROM "
         "T_ELEMENT_TYPE WHERE DBID = :VAR_DBID AND ID = :VAR_ID;",
         "S_TYPENAME", nullptr, true},
        {itBaseParam, "Базовый параметр класса",
         "SELECT FIRST 1 SKIP 0 S_NAME, C_TIMESTAMP, U_TIMESTAMP, R_TIMESTAMP FROM T_BASE_PARAM "
         "WHERE DBID = :VAR_DBID AND ID = :VAR_ID;",
         "S_NAME", nullptr, true},
        {itParam, "Параметр",
         "SELECT FIRST 1 SKIP 0 S_NAME, C_TIMESTAMP, U_TIMESTAMP, R_TIMESTAMP FROM T_PARAM WHERE "
         "DBID = :VAR_DBID AND ID = :VAR_ID;",
         "S_NAME", nullptr, true},
        {itPin, "Вывод",
         "SELECT FIRST 1 SKIP 0 S_NAME, C_TIMESTAMP, U_TIMESTAMP, R_TIMESTAMP FROM T_PIN WHERE "
         "DBID = :VAR_DBID AND ID = :VAR_ID;",
         "S_NAME", nullptr, true},
        {itElementAnalog, "Аналог элемента",
         "SELECT FIRST 1 SKIP 0 TET.S_TYPENAME AS AELEMENTTYPENAME, TEAN.C_TIMESTAMP, "
         "TEAN.U_TIMESTAMP, TEAN.R_TIMESTAMP FROM T_ELEMENT_ANALOG TEAN LEFT JOIN T_ELEMENT_TYPE "
         "TET ON TET.DBID = TEAN.AELEMENTTYPEDBID AND TET.ID = TEAN.AELEMENTTYPEID WHERE "
         "TEAN.DBID = :VAR_DBID AND TEAN.ID = :VAR_ID;",
         "AELEMENTTYPENAME", nullptr, true},
        {itStorage, "Место хранения",
         "SELECT FIRST 1 SKIP 0 S_NAME, C_TIMESTAMP, U_TIMESTAMP FROM T_STORAGE WHERE ID = "
         ":VAR_ID;",
         "S_NAME", nullptr, false},
        {itElementAvail, "Элемент в наличии",
         "SELECT FIRST 1 SKIP 0 TEA.S_TYPENAME, TET.S_TYPENAME AS ELEMENTTYPENAME, "
         "TEA.C_TIMESTAMP, TEA.U_TIMESTAMP FROM T_ELEMENT_AVAIL TEA LEFT JOIN T_ELEMENT_TYPE TET "
         "ON TET.DBID = TEA.ELEMENTTYPEDBID AND TET.ID = TEA.ELEMENTTYPEID WHERE TEA.ID = "
         ":VAR_ID;",
         "ELEMENTTYPENAME", "S_TYPENAME", false},
        {itSupplier, "Поставщик",
         "SELECT FIRST 1 SKIP 0 S_NAME, C_TIMESTAMP, U_TIMESTAMP FROM T_SUPPLIER WHERE ID = "
         ":VAR_ID;",
         "S_NAME", nullptr, false},
        {itElementSupplier, "Поставщик по типу элемента",
         "SELECT FIRST 1 SKIP 0 TET.S_TYPENAME AS ELEMENTTYPENAME, TES.C_TIMESTAMP, "
         "TES.U_TIMESTAMP FROM T_ELEMENT_SUPPLIER TES LEFT JOIN T_ELEMENT_TYPE TET ON TET.DBID = "
         "TES.ELEMENTTYPEDBID AND TET.ID = TES.ELEMENTTYPEID WHERE TES.ID = :VAR_ID;",
         "ELEMENTTYPENAME", nullptr, false},
        {itProject, "Проект",
         "SELECT FIRST 1 SKIP 0 S_NAME, C_TIMESTAMP, U_TIMESTAMP FROM T_PROJECT WHERE ID = "
         ":VAR_ID;",
         "S_NAME", nullptr, false},
        {itProjectItem, "Элемент по проекту",
         "SELECT FIRST 1 SKIP 0 TET.S_TYPENAME AS ELEMENTTYPENAME, TEA.S_TYPENAME AS "
         "ELEMENTAVAILNAME, TPI.C_TIMESTAMP, TPI.U_TIMESTAMP FROM T_PROJECT_ITEM TPI LEFT JOIN "
         "T_ELEMENT_TYPE TET ON TET.DBID = TPI.ELEMENTTYPEDBID AND TET.ID = TPI.ELEMENTTYPEID LEFT "
         "JOIN T_ELEMENT_AVAIL TEA ON TEA.ID = TPI.ELEMENTAVAILID WHERE TPI.ID = :VAR_ID;",
         "ELEMENTTYPENAME", "ELEMENTAVAILNAME", false},
        {itNote, "Заметка",
         "SELECT FIRST 1 SKIP 0 S_TEXT, C_TIMESTAMP, U_TIMESTAMP FROM T_NOTE WHERE ID = :VAR_ID;",
         "S_TEXT", nullptr, false, true},
    }};
    return kinds;
}

const TItemKindInfo* FindItemKind(TKVItemType AItemType) {
    for (const TItemKindInfo& kind : ItemKinds())
        if (kind.ItemType == AItemType)
            return &kind;
    return nullptr;
}

// Marks the rows of a fact that has a value (the not-found and unknown-kind rows have none).
constexpr int HasValueRole = Qt::UserRole + 1;

// Keeps a widget from repainting while its rows change.
class TUpdatesLock {
public:
    explicit TUpdatesLock(QWidget* AWidget) : FWidget(AWidget) {
        FWidget->setUpdatesEnabled(false);
    }
    ~TUpdatesLock() { FWidget->setUpdatesEnabled(true); }
    TUpdatesLock(const TUpdatesLock&) = delete;
    TUpdatesLock& operator=(const TUpdatesLock&) = delete;

private:
    QWidget* FWidget;
};

} // namespace

TfrmItemInfo::TfrmItemInfo(QWidget* AParent) : QDialog(AParent) {
    setObjectName(QStringLiteral("frmItemInfo"));
    setWindowTitle(tr("Подробная информация о записи"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    resize(497, 305);
    setMinimumSize(497, 305);

    const auto toolIcon = [](int AIndex) {
        return dmMain != nullptr ? dmMain->MainToolImgList.Icon(AIndex) : QIcon();
    };

    FPageControl = new QTabWidget(this);
    FPageControl->setObjectName(QStringLiteral("ItemInfo_PageControl"));
    FPageControl->setMinimumSize(481, 258);

    auto* infoPage = new QWidget(FPageControl);
    infoPage->setObjectName(QStringLiteral("lItemInfo_TabSheet"));
    FListView = new QTreeWidget(infoPage);
    FListView->setObjectName(QStringLiteral("ItemInfo_ListView"));
    FListView->setColumnCount(2);
    FListView->setHeaderLabels({QStringLiteral("param"), QStringLiteral("value")});
    FListView->setHeaderHidden(true);
    FListView->setRootIsDecorated(false);
    FListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    FListView->setColumnWidth(0, 200);
    FListView->setColumnWidth(1, 240);
    auto* infoLayout = new QVBoxLayout(infoPage);
    infoLayout->setContentsMargins(4, 4, 4, 4);
    infoLayout->addWidget(FListView);
    FPageControl->addTab(infoPage, tr("Общая информация"));

    auto* dependingPage = new QWidget(FPageControl);
    dependingPage->setObjectName(QStringLiteral("ItemDepending_TabSheet"));
    FTreeView = new QTreeWidget(dependingPage);
    FTreeView->setObjectName(QStringLiteral("ItemDepending_TreeView"));
    FTreeView->setHeaderHidden(true);
    FTreeView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* dependingLayout = new QVBoxLayout(dependingPage);
    dependingLayout->setContentsMargins(4, 4, 4, 4);
    dependingLayout->addWidget(FTreeView);
    FPageControl->addTab(dependingPage, tr("Связи записей"));
    FPageControl->setTabEnabled(1, false);
    FPageControl->setCurrentIndex(0);

    const TKVInfoWindowButtons buttons = LayOutInfoWindow(this, FPageControl, toolIcon(32));
    FCopyBtn = buttons.Copy;
    FOkBtn = buttons.Ok;
    connect(FCopyBtn, &QPushButton::clicked, this, &TfrmItemInfo::CopyToClipboard_BtnClick);
    layout()->setContentsMargins(8, 8, 8, 8);

    FPopupMenu = new QMenu(this);
    FPopupMenu->setObjectName(QStringLiteral("ItemInfo_PopupMenu"));
    FHelpAction = FPopupMenu->addAction(toolIcon(46), tr("&Помощь"));
    FHelpAction->setObjectName(QStringLiteral("pmiHelpContext"));
    FHelpAction->setShortcut(QKeySequence(Qt::Key_F1));
    addAction(FHelpAction); // F1 anywhere in the window
    connect(FHelpAction, &QAction::triggered, this, &TfrmItemInfo::pmiHelpContextClick);
    FPageControl->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(FPageControl, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& APos) { FPopupMenu->popup(FPageControl->mapToGlobal(APos)); });

    if (dmMain != nullptr)
        FQuery = std::make_unique<TIBQuery>(&dmMain->MainIBDatabase, &dmMain->MainIBTransaction);
}

TfrmItemInfo::~TfrmItemInfo() = default;

void TfrmItemInfo::AddRow(const QString& ACaption) {
    auto* item = new QTreeWidgetItem(FListView, QStringList{ACaption});
    item->setData(0, HasValueRole, false);
}

void TfrmItemInfo::AddRow(const QString& ACaption, const QString& AValue) {
    auto* item = new QTreeWidgetItem(FListView, QStringList{ACaption, AValue});
    item->setData(0, HasValueRole, true);
}

void TfrmItemInfo::LoadItemInfo(TKVItemType AItemType, quint32 ADBId, quint32 AId) {
    if (dmMain == nullptr || !dmMain->DBConnected() || FQuery == nullptr)
        return;

    const TUpdatesLock lock(FListView);
    FListView->clear();
    FTreeView->clear();

    const TItemKindInfo* kind = FindItemKind(AItemType);
    const QString yes = tr("Да");
    const QString no = tr("Нет");
    dmMain->ExecuteInTransaction([&] {
        if (kind == nullptr) {
            AddRow(tr("Неизвестная запись"));
            return;
        }
        AddRow(tr("Тип записи"), tr(kind->Text));
        if (kind->KeyedByDBId)
            AddRow(QStringLiteral("DBID"), QString::number(ADBId));
        AddRow(QStringLiteral("ID"), QString::number(AId));
        if (kind->SQL == nullptr)
            return;

        FQuery->Close();
        FQuery->SetSQL(QString::fromUtf8(kind->SQL));
        if (kind->KeyedByDBId)
            FQuery->ParamByName("VAR_DBID").SetAsInteger(static_cast<qint32>(ADBId));
        FQuery->ParamByName("VAR_ID").SetAsInteger(static_cast<qint32>(AId));
        FQuery->Open();
        if (FQuery->Eof()) {
            AddRow(tr("Запись не найдена в БД!"));
            FQuery->Close();
            return;
        }

        QString name;
        const TIBField& nameField = FQuery->FieldByName(kind->NameField);
        if (kind->NameFallback != nullptr && nameField.IsNull())
            name = FQuery->FieldByName(kind->NameFallback).AsString();
        else
            name = nameField.AsString();
        if (kind->NameIsNoteText)
            name = KVCutText(name.trimmed(), 64);
        AddRow(tr("Название записи"), name);

        const auto timestamp = [&](const char* AField, const QString& ACaption) {
            const TIBField& field = FQuery->FieldByName(AField);
            if (!field.IsNull())
                AddRow(ACaption, DateTimeToStrOrDash(field.AsDateTime()));
        };
        timestamp("C_TIMESTAMP", tr("Дата создания"));
        timestamp("U_TIMESTAMP", tr("Дата последнего изменения"));
        if (kind->KeyedByDBId)
            timestamp("R_TIMESTAMP", tr("Дата импорта в БД"));

        const bool dbReadOnly = dmMain->CurrentDBReadOnly();
        bool canChange = false;
        bool canDelete = false;
        bool canExport = false;
        if (kind->KeyedByDBId) {
            AddRow(QStringLiteral("Object type"), DBIdObjectKindToStr(GetDBIdObjectKind(ADBId)));
            const bool otherDataBase = ADBId != dmMain->CurrentDBId();
            if (otherDataBase)
                AddRow(tr("Запись другой БД"), yes);
            const bool systemLocked = ADBId == 0 && !BLIMod;
            canChange = !dmMain->RecordReadOnly(true, ADBId, AId);
            canDelete = !systemLocked && !dbReadOnly;
            canExport = IsExportAllowedDBId(dmMain->CurrentDBId());
        } else {
            AddRow(QStringLiteral("Object type"), QStringLiteral("Local"));
            canChange = !dmMain->RecordReadOnly(false, 0, AId);
            canDelete = !dbReadOnly;
        }
        AddRow(tr("Возможность изменения"), canChange ? yes : no);
        AddRow(tr("Возможность удаления"), canDelete ? yes : no);
        AddRow(tr("Возможность экспорта"), canExport ? yes : no);
        FQuery->Close();
    });
}

QStringList TfrmItemInfo::InfoLines() const {
    QStringList lines{tr("Общая информация"), QString(), QString()};
    for (int i = 0; i < FListView->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = FListView->topLevelItem(i);
        if (item->data(0, HasValueRole).toBool())
            lines << item->text(0) + QStringLiteral(":  ") + item->text(1);
        else
            lines << item->text(0);
    }
    return lines;
}

void TfrmItemInfo::CopyToClipboard_BtnClick() {
    QString text;
    for (const QString& line : InfoLines())
        text += line + u'\n';
    QApplication::clipboard()->setText(text);
}

void TfrmItemInfo::pmiHelpContextClick() {
    ShowHelpTopic(QStringLiteral("ItemInfo"));
}

int ShowItemInfoDlg(TKVItemType AItemType, quint32 ADBId, quint32 AId) {
    TfrmItemInfo dialog(TKVShellUserInterface::ApplicationMainWindow());
    dialog.LoadItemInfo(AItemType, ADBId, AId);
    return dialog.exec();
}
