#include "views/KVListFrame.h"

#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "shell/KVRecordNotice.h"
#include "shell/KVWidgets.h"
#include "shell/frmExportDataToFile.h"
#include "shell/frmItemInfo.h"
#include "shell/uHelpContext.h"
#include "shell/uMessage.h"
#include "shell/ufrmMain.h"
#include "views/KVListView.h"
#include "views/KVRecordCard.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <cstdlib>

namespace {

constexpr int kProgressStep = 100;
constexpr int kMaxColumnWidth = 500;

void ShowProgress() {
    if (frmMain)
        frmMain->ShowProgress();
}
void InitProgress(int AMax, TProgressInfoType AKind) {
    if (frmMain)
        frmMain->InitProgress(0, AMax, 0, AKind);
}
void ChangeProgress(int APos) {
    if (frmMain)
        frmMain->ChangeProgress(APos);
}
void HideProgress() {
    if (frmMain)
        frmMain->HideProgress();
}

// Sets a parameter to a number, or NULL for nullopt.
template <class T> void SetOptional(TIBParam& AParam, const std::optional<T>& AValue) {
    if (AValue)
        AParam.SetAsInt64(static_cast<qint64>(*AValue));
    else
        AParam.Clear();
}

const QString kLayoutSelect = QStringLiteral(
    "SELECT S_PARAM, V_PARAMID, V_INTEGER FROM CFG_LOCAL WHERE OBJ_TYPE = :VAR_OBJ_TYPE AND "
    "OBJ_DBID IS NOT DISTINCT FROM :VAR_OBJ_DBID AND OBJ_ID IS NOT DISTINCT FROM :VAR_OBJ_ID AND "
    "OBJ_MODE IS NOT DISTINCT FROM :VAR_OBJ_MODE;");
const QString kLayoutSaveSize = QStringLiteral(
    "UPDATE OR INSERT INTO CFG_LOCAL (OBJ_TYPE, OBJ_DBID, OBJ_ID, OBJ_MODE, S_PARAM, V_PARAMID, "
    "V_INTEGER) VALUES (:VAR_OBJ_TYPE, :VAR_OBJ_DBID, :VAR_OBJ_ID, :VAR_OBJ_MODE, :VAR_S_PARAM, "
    "NULL, :VAR_V_INTEGER) MATCHING (OBJ_TYPE, OBJ_DBID, OBJ_ID, OBJ_MODE, S_PARAM);");
const QString kLayoutSaveColumn = QStringLiteral(
    "UPDATE OR INSERT INTO CFG_LOCAL (OBJ_TYPE, OBJ_DBID, OBJ_ID, OBJ_MODE, S_PARAM, V_PARAMID, "
    "V_INTEGER) VALUES (:VAR_OBJ_TYPE, :VAR_OBJ_DBID, :VAR_OBJ_ID, :VAR_OBJ_MODE, :VAR_S_PARAM, "
    ":VAR_V_PARAMID, :VAR_V_INTEGER) MATCHING (OBJ_TYPE, OBJ_DBID, OBJ_ID, OBJ_MODE, S_PARAM, "
    "V_PARAMID);");

} // namespace

// ------------------------------------------------------------------------------ creation

TKVListFrame::TKVListFrame(TKVListBook ABook, QWidget* AParent)
    : QWidget(AParent), FBook(std::move(ABook)) {
    CreateComponents();
}

TKVListFrame::~TKVListFrame() = default;

QToolButton* TKVListFrame::NewToolButton(const char* AName, const QString& ACaption,
                                         const QString& AHint, int AImage) {
    return AddCaptionToolButton(FToolBar, AName, ACaption, AHint, AImage, QSize(57, 36));
}

QAction* TKVListFrame::NewMenuItem(const char* AName, const QString& ACaption, int AImage,
                                   const QKeySequence& AShortcut) {
    auto* item = new QAction(MainToolIcon(AImage), ACaption, FPopupMenu);
    item->setObjectName(QLatin1String(AName));
    if (!AShortcut.isEmpty()) {
        item->setShortcut(AShortcut);
        // Active only while the list has the focus (the filter edit keeps Ctrl+C and Del).
        item->setShortcutContext(Qt::WidgetShortcut);
    }
    FPopupMenu->addAction(item);
    return item;
}

void TKVListFrame::CreateComponents() {
    const QString name = FBook.Name;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    FToolBar = new QToolBar(this);
    FToolBar->setObjectName(name + QStringLiteral("_ToolBar"));
    FToolBar->setIconSize(QSize(16, 16));
    connect(NewToolButton("Add_ToolButton", tr("Добавить"), tr("Добавить"), 26),
            &QToolButton::clicked, this, &TKVListFrame::Add_ToolButtonClick);
    connect(NewToolButton("Copy_ToolButton", tr("Копия"), tr("Создать копию"), 30),
            &QToolButton::clicked, this, &TKVListFrame::Copy_ToolButtonClick);
    connect(NewToolButton("Edit_ToolButton", tr("Изменить"), tr("Изменение/просмотр"), 27),
            &QToolButton::clicked, this, &TKVListFrame::Edit_ToolButtonClick);
    connect(NewToolButton("Delete_ToolButton", tr("Удалить"), tr("Удалить"), 28),
            &QToolButton::clicked, this, &TKVListFrame::Delete_ToolButtonClick);
    connect(NewToolButton("Refresh_ToolButton", tr("Обновить"), tr("Обновить список"), 29),
            &QToolButton::clicked, this, &TKVListFrame::Refresh_ToolButtonClick);
    layout->addWidget(FToolBar);

    FFindPanel = new QWidget(this);
    FFindPanel->setObjectName(name + QStringLiteral("Find_Panel"));
    auto* findLayout = new QVBoxLayout(FFindPanel);
    findLayout->setContentsMargins(0, 2, 0, 2); // the panel is the edit's height + 4
    FFilterEdit = new QLineEdit(FFindPanel);
    FFilterEdit->setObjectName(name + QStringLiteral("Filter_ButtonEdit"));
    const QString hints[3] = {tr("Фильтровать"), tr("Тип фильтрации"), tr("Сброс фильтра")};
    for (int i = 0; i < 3; ++i) {
        FFilterButtons[i] = FFilterEdit->addAction(QIcon(), QLineEdit::TrailingPosition);
        FFilterButtons[i]->setToolTip(hints[i]);
        FFilterButtons[i]->setText(hints[i]);
        connect(FFilterButtons[i], &QAction::triggered, this,
                [this, i] { Filter_ButtonEditPropertiesButtonClick(i); });
    }
    FFilterEdit->installEventFilter(this);
    findLayout->addWidget(FFilterEdit);
    layout->addWidget(FFindPanel);

    FModel = new TKVListModel(this);
    FModel->SetRowFiller([this](TKVListRow& ARow) {
        if (std::optional<TKVListRow> row = PeekRecordRow(ARow.Key)) {
            ARow.Texts = std::move(row->Texts);
            ARow.DataValue = row->DataValue;
            ARow.ImageIndex = row->ImageIndex;
        }
    });
    FListView = new QTreeView(this);
    FListView->setObjectName(name + QStringLiteral("_ListView"));
    SetUpRecordListView(FListView, FModel);
    FListView->header()->setStretchLastSection(false);
    FListView->installEventFilter(this);
    connect(FListView->header(), &QHeaderView::sectionClicked, this,
            &TKVListFrame::ListViewColumnClick);
    connect(FListView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TKVListFrame::ListViewSelectItem);
    connect(FListView, &QTreeView::doubleClicked, this, [this] { ListViewDblClick(); });
    layout->addWidget(FListView, 1);

    FCountPanel = new QLabel(this);
    FCountPanel->setObjectName(name + QStringLiteral("Count_Panel"));
    FCountPanel->setFixedHeight(20);
    FCountPanel->setFrameShape(QFrame::Panel);
    FCountPanel->setFrameShadow(QFrame::Sunken);
    FCountPanel->setContentsMargins(2, 0, 2, 0);
    FCountPanel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout->addWidget(FCountPanel);

    FPopupMenu = new QMenu(this);
    FPopupMenu->setObjectName(name + QStringLiteral("_PopupMenu"));
    connect(NewMenuItem("pmiCopyName", tr("&Скопировать название"), 30,
                        QKeySequence(Qt::CTRL | Qt::Key_C)),
            &QAction::triggered, this, &TKVListFrame::pmiCopyNameClick);
    FPopupMenu->addSeparator()->setObjectName(QStringLiteral("pmidiv0"));
    connect(NewMenuItem("pmiAdd", tr("&Добавить"), 26, QKeySequence(Qt::CTRL | Qt::Key_N)),
            &QAction::triggered, this, &TKVListFrame::Add_ToolButtonClick);
    connect(
        NewMenuItem("pmiCopy", tr("&Копия"), 30, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N)),
        &QAction::triggered, this, &TKVListFrame::Copy_ToolButtonClick);
    connect(NewMenuItem("pmiEdit", tr("&Изменить"), 27, QKeySequence(Qt::CTRL | Qt::Key_O)),
            &QAction::triggered, this, &TKVListFrame::Edit_ToolButtonClick);
    connect(NewMenuItem("pmiDelete", tr("&Удалить"), 28, QKeySequence(Qt::Key_Delete)),
            &QAction::triggered, this, &TKVListFrame::Delete_ToolButtonClick);
    connect(NewMenuItem("pmiRefresh", tr("&Обновить"), 29, QKeySequence(Qt::CTRL | Qt::Key_R)),
            &QAction::triggered, this, &TKVListFrame::Refresh_ToolButtonClick);
    FPopupMenu->addSeparator()->setObjectName(QStringLiteral("pmidiv1"));
    // The book's commands and the separator after them come in Init.

    FFilterTypeMenu = new QMenu(this);
    FFilterTypeMenu->setObjectName(QStringLiteral("FilterType_PopupMenu"));
    auto* group = new QActionGroup(FFilterTypeMenu);
    FpmiFTStartingStr = FFilterTypeMenu->addAction(tr("&Начинается с"));
    FpmiFTStartingStr->setObjectName(QStringLiteral("pmiFTStartingStr"));
    FpmiFTContainingStr = FFilterTypeMenu->addAction(tr("&Содержит"));
    FpmiFTContainingStr->setObjectName(QStringLiteral("pmiFTContainingStr"));
    for (QAction* item : {FpmiFTStartingStr, FpmiFTContainingStr}) {
        item->setCheckable(true);
        group->addAction(item);
    }
    connect(FpmiFTStartingStr, &QAction::triggered, this,
            [this] { pmiFilterTypeClick(ftStarting); });
    connect(FpmiFTContainingStr, &QAction::triggered, this,
            [this] { pmiFilterTypeClick(ftContaining); });
}

QAction* TKVListFrame::FilterButton(int AIndex) const {
    return AIndex >= 0 && AIndex < 3 ? FFilterButtons[AIndex] : nullptr;
}

QToolButton* TKVListFrame::ToolButton(const QString& AName) const {
    return FToolBar->findChild<QToolButton*>(AName);
}

QAction* TKVListFrame::MenuItem(const QString& AName) const {
    // The menu's items, those of its submenus included, are its children.
    const QList<QAction*> found = FPopupMenu->findChildren<QAction*>(AName);
    return found.isEmpty() ? nullptr : found.first();
}

void TKVListFrame::AddRecordAction(QAction* AAction, bool AWriting,
                                   std::function<bool()> AAvailable) {
    FRecordActions.push_back({AAction, AWriting, std::move(AAvailable)});
    AAction->setEnabled(false);
}

QAction* TKVListFrame::AddRecordCommand(QMenu* AMenu, TKVRecordCommand ACommand) {
    auto* item = new QAction(MainToolIcon(ACommand.Image), ACommand.Caption, AMenu);
    item->setObjectName(QLatin1String(ACommand.ItemName));
    if (!ACommand.Shortcut.isEmpty()) {
        item->setShortcut(ACommand.Shortcut);
        item->setShortcutContext(Qt::WidgetShortcut);
    }
    AMenu->addAction(item);
    connect(item, &QAction::triggered, this, ACommand.Run);
    AddRecordAction(item, ACommand.Writing, ACommand.Available);
    if (ACommand.ButtonName) {
        // As large as the frame's own buttons.
        const QToolButton* add = ToolButton(QStringLiteral("Add_ToolButton"));
        QToolButton* button = AddCaptionToolButton(
            FToolBar, ACommand.ButtonName, ACommand.ButtonCaption, ACommand.Hint, ACommand.Image,
            add ? add->minimumSize() : QSize(57, 36));
        connect(button, &QToolButton::clicked, this, ACommand.Run);
        connect(item, &QAction::enabledChanged, button, &QToolButton::setEnabled);
        button->setEnabled(item->isEnabled());
    }
    return item;
}

QMenu* TKVListFrame::AddFunctionsMenu(QMenu* AMenu) {
    QMenu* functions = AMenu->addMenu(MainToolIcon(33), tr("Дополнительные функции"));
    functions->setObjectName(QStringLiteral("pmiAddFunct"));
    functions->menuAction()->setObjectName(QStringLiteral("pmiAddFunct"));
    return functions;
}

void TKVListFrame::AddExtraCommands(QMenu*) {}

bool TKVListFrame::Connected() {
    return dmMain && dmMain->DBConnected() && dmMain->MainIBDatabase.Connected();
}

bool TKVListFrame::Writable() {
    return dmMain && dmMain->CanWriteDataBase();
}

TIBQuery& TKVListFrame::Query() {
    if (!FQuery)
        FQuery = std::make_unique<TIBQuery>(&dmMain->MainIBDatabase, &dmMain->MainIBTransaction);
    return *FQuery;
}

// ---------------------------------------------------------------------------------- Init

void TKVListFrame::Init(bool AActionState) {
    SetFilterType(ftContaining);
    CreateRecords();

    FActionState = AActionState;
    FToolBar->setVisible(AActionState);
    if (AActionState) {
        FListView->addActions(FPopupMenu->actions());
        FListView->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(FListView, &QWidget::customContextMenuRequested, this, [this](const QPoint& APos) {
            FPopupMenu->popup(FListView->viewport()->mapToGlobal(APos));
        });
    }

    // The book's commands between the two separators, then the common tail.
    const int before = static_cast<int>(FPopupMenu->actions().size());
    AddExtraCommands(FPopupMenu);
    if (FPopupMenu->actions().size() > before)
        FPopupMenu->addSeparator()->setObjectName(QStringLiteral("pmidiv2"));
    if (FBook.ExportDataToFile) {
        connect(NewMenuItem("pmiExportDataToFile", tr("&Экспорт данных в файл..."), 65),
                &QAction::triggered, this, &TKVListFrame::pmiExportDataToFileClick);
        FPopupMenu->addSeparator()->setObjectName(QStringLiteral("pmidiv3"));
    }
    connect(NewMenuItem("pmiItemInfo", tr("Подробная информация о записи..."), 35),
            &QAction::triggered, this, &TKVListFrame::pmiItemInfoClick);
    connect(NewMenuItem("pmiHelpContext", tr("&Помощь по справочнику"), 46), &QAction::triggered,
            this, &TKVListFrame::pmiHelpContextClick);
    if (AActionState)
        FListView->addActions(FPopupMenu->actions().mid(before));

    SetColumns(FBook.Columns);

    const bool writable = Writable() && CardAvailable();
    ToolButton(QStringLiteral("Add_ToolButton"))->setEnabled(writable);
    MenuItem(QStringLiteral("pmiAdd"))->setEnabled(writable);
    SetSelectionCommands(false);

    if (dmMain)
        for (int i = 0; i < 3; ++i)
            FFilterButtons[i]->setIcon(dmMain->FilterImgList.Icon(i));

    ShowProgress();
    LoadData();
    BuildDataColumns();
    FillListView();
    HideProgress();
    LoadRBLocalConfig();
}

void TKVListFrame::SetColumns(std::vector<TKVListColumn> AColumns) {
    // Widths the user gave to columns that stay.
    QHash<QString, int> widths;
    const std::vector<TKVListColumn>& old = FModel->Columns();
    for (int i = 0; i < static_cast<int>(old.size()); ++i)
        widths.insert(old[static_cast<size_t>(i)].Caption, FListView->header()->sectionSize(i));
    FModel->SetColumns(std::move(AColumns));
    DropKnownOrder();
    const std::vector<TKVListColumn>& columns = FModel->Columns();
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        const TKVListColumn& column = columns[static_cast<size_t>(i)];
        FListView->header()->resizeSection(i, widths.value(column.Caption, column.Width));
    }
    // The given widths are the least a column takes: every caption shows whole.
    FitHeaderSections(FListView->header());
}

void TKVListFrame::UnInit() {
    SaveRBLocalConfig();
    FQuery.reset();
    FreeRecords();
}

// ------------------------------------------------------------------------------- loading

void TKVListFrame::LoadData() {
    if (!Connected())
        return;
    FCountPanel->clear();
    DropKnownOrder();
    ClearRecords();
    TIBQuery& query = Query();
    dmMain->ExecuteInTransaction([&] {
        query.Close();
        LoadContext(query);
        query.SetSQL(CountSQL());
        BindContext(query);
        query.Open();
        const int count = query.Eof() ? 0 : query.FieldByName("COUNT").AsInteger();
        query.Close();
        InitProgress(count, witLoading);
        if (count <= 0)
            return;
        ReserveRecords(count);
        query.SetSQL(SelectSQL());
        BindContext(query);
        query.Open();
        int k = 0;
        while (!query.Eof()) {
            StoreRecord(query);
            if (++k % kProgressStep == 0)
                ChangeProgress(k);
            query.Next();
        }
        query.Close();
    });
    LoadRecordDetails();
}

void TKVListFrame::LoadContext(TIBQuery&) {}
void TKVListFrame::BindContext(TIBQuery&) {}

void TKVListFrame::FillListView() {
    if (!Connected())
        return;
    FCountPanel->clear();
    TWaitCursor wait;
    std::vector<TKVListRow> rows;
    const int count = RecordCount();
    const bool filtered = IsFiltered();
    if (count > 0) {
        InitProgress(count, witCreating);
        rows.reserve(static_cast<size_t>(count));
        int k = 0;
        const auto step = [&] {
            if (++k % kProgressStep == 0)
                ChangeProgress(k);
        };
        const auto pending = [&](const TKVDBKey& AKey) {
            TKVListRow row;
            row.Key = AKey;
            row.Pending = true;
            rows.push_back(std::move(row));
        };
        if (FSortedType == 0) {
            // In load order the rows' texts are made when the view first shows them.
            VisitRecordKeys(pending, step);
        } else if (!RowsInKnownOrder(rows, step)) {
            rows.clear();
            VisitRecordRows([&](TKVListRow&& ARow) { rows.push_back(std::move(ARow)); }, step);
            SortListRowVector(rows, FModel->Columns(), FSortedType);
            if (!filtered) {
                FOrderKeys.clear();
                FOrderKeys.reserve(rows.size());
                for (const TKVListRow& row : rows)
                    FOrderKeys.push_back(row.Key);
                FOrderSortedType = FSortedType;
            }
        }
    }
    FModel->ResetRows(std::move(rows));
    FShowsAllRows = !filtered;
    // A reset drops the selection without a signal: the selection record follows.
    ListViewSelectItem();
    UpdateCountPanel();
}

namespace {

// The keys of the records that pass the filters, in one array with open addressing: filled
// once, then each key of the known order is looked up and marked once, without a heap block
// per key.
class TPassingKeys {
public:
    explicit TPassingKeys(size_t ACount) {
        size_t size = 16;
        while (size < ACount * 2)
            size <<= 1;
        FKeys.resize(size);
        FStates.assign(size, TState::Empty);
        FMask = size - 1;
    }
    void Insert(quint64 AKey) {
        size_t slot = Slot(AKey);
        while (FStates[slot] != TState::Empty) {
            if (FKeys[slot] == AKey)
                return;
            slot = (slot + 1) & FMask;
        }
        FKeys[slot] = AKey;
        FStates[slot] = TState::Passing;
        ++FLeft;
    }
    // Marks the key taken; false when it does not pass or was taken before.
    bool Take(quint64 AKey) {
        for (size_t slot = Slot(AKey); FStates[slot] != TState::Empty; slot = (slot + 1) & FMask)
            if (FKeys[slot] == AKey) {
                if (FStates[slot] != TState::Passing)
                    return false;
                FStates[slot] = TState::Taken;
                --FLeft;
                return true;
            }
        return false;
    }
    // The passing keys not taken yet.
    size_t Left() const { return FLeft; }

private:
    enum class TState : quint8 { Empty, Passing, Taken };
    size_t Slot(quint64 AKey) const {
        return static_cast<size_t>((AKey * 0x9E3779B97F4A7C15ull) >> 32) & FMask;
    }
    std::vector<quint64> FKeys;
    std::vector<TState> FStates;
    size_t FMask = 0;
    size_t FLeft = 0;
};

} // namespace

bool TKVListFrame::RowsInKnownOrder(std::vector<TKVListRow>& ARows,
                                    const std::function<void()>& AStep) {
    if (FOrderKeys.empty() || FOrderSortedType != FSortedType)
        return false;
    TPassingKeys passing(static_cast<size_t>(RecordCount()));
    VisitRecordKeys([&](const TKVDBKey& AKey) { passing.Insert(AKey.Packed()); }, AStep);
    for (const TKVDBKey& key : FOrderKeys) {
        if (!passing.Take(key.Packed()))
            continue;
        TKVListRow row;
        row.Key = key;
        row.Pending = true;
        ARows.push_back(std::move(row));
    }
    if (passing.Left() != 0) {
        // A record the order does not know: the rows are sorted again.
        DropKnownOrder();
        return false;
    }
    return true;
}

void TKVListFrame::KeepModelOrder() {
    DropKnownOrder();
    if (!FShowsAllRows || FSortedType == 0)
        return;
    FOrderKeys.reserve(static_cast<size_t>(FModel->Count()));
    for (int i = 0; i < FModel->Count(); ++i)
        FOrderKeys.push_back(FModel->RowKey(i));
    FOrderSortedType = FSortedType;
}

// -------------------------------------------------------------------------------- filter

namespace {

// The case folding of one character of the basic plane, as a case-insensitive comparison of
// texts folds it; the Latin and Cyrillic letters of most texts without a table lookup.
char16_t FoldChar(char16_t AChar) {
    if (AChar < 0x80)
        return AChar >= u'A' && AChar <= u'Z' ? char16_t(AChar + 0x20) : AChar;
    if (AChar >= 0x0410 && AChar <= 0x042F)
        return char16_t(AChar + 0x20);
    if (AChar >= 0x0430 && AChar <= 0x045F)
        return AChar;
    return QChar::toCaseFolded(AChar);
}

bool IsSurrogate(char16_t AChar) {
    return AChar >= 0xD800 && AChar <= 0xDFFF;
}

// Whether AText holds AFolded (a folded text of the basic plane) at its start (AStarting) or
// anywhere, ignoring case. A character outside the basic plane folds to one outside it, so its
// surrogates never match a character of AFolded and may be compared as they stand.
bool FoldedMatch(const QString& AText, const std::u16string& AFolded, bool AStarting) {
    const auto* text = reinterpret_cast<const char16_t*>(AText.constData());
    const size_t length = static_cast<size_t>(AText.size());
    const size_t pattern = AFolded.size();
    if (pattern > length)
        return false;
    const size_t last = AStarting ? 0 : length - pattern;
    for (size_t start = 0; start <= last; ++start) {
        size_t k = 0;
        while (k < pattern && FoldChar(text[start + k]) == AFolded[k])
            ++k;
        if (k == pattern)
            return true;
    }
    return false;
}

} // namespace

void TKVListFrame::SetFilterStr(const QString& AValue) {
    FFilterStr = AValue.toUpper();
    FFilterStrLen = static_cast<int>(FFilterStr.size());
    FFilterFolded.clear();
    for (const QChar c : FFilterStr) {
        if (IsSurrogate(c.unicode())) {
            FFilterFolded.clear();
            break;
        }
        FFilterFolded.push_back(FoldChar(c.unicode()));
    }
}

void TKVListFrame::SetFilterType(TFilterType AValue) {
    FFilterType = AValue;
    FpmiFTStartingStr->setChecked(AValue == ftStarting);
    FpmiFTContainingStr->setChecked(AValue == ftContaining);
}

bool TKVListFrame::MatchesFilter(const QString& AText) const {
    if (FFilterStrLen < 1)
        return true;
    if (!FFilterFolded.empty())
        return FoldedMatch(AText, FFilterFolded, FFilterType == ftStarting);
    if (FFilterType == ftStarting)
        return AText.startsWith(FFilterStr, Qt::CaseInsensitive);
    return AText.contains(FFilterStr, Qt::CaseInsensitive);
}

bool TKVListFrame::IsFiltered() const {
    if (!FFilterStr.isEmpty())
        return true;
    for (const TClientFilterState& filter : FClientFilters)
        if (filter.On)
            return true;
    return false;
}

// ------------------------------------------------------------------------ client filters

int TKVListFrame::AddClientFilter(TKVClientFilter AFilter) {
    if (FClientFilters.empty())
        FFilterTypeMenu->addSeparator()->setObjectName(QStringLiteral("pmiFTDivClientFilters"));
    const int index = static_cast<int>(FClientFilters.size());
    QAction* item = FFilterTypeMenu->addAction(AFilter.Caption);
    item->setObjectName(AFilter.ItemName);
    item->setCheckable(true);
    connect(item, &QAction::triggered, this, [this, index] { pmiClientFilterClick(index); });
    FClientFilters.push_back({std::move(AFilter), item, false});
    return index;
}

bool TKVListFrame::ClientFilterOn(int AIndex) const {
    return AIndex >= 0 && AIndex < ClientFilterCount() &&
           FClientFilters[static_cast<size_t>(AIndex)].On;
}

QAction* TKVListFrame::ClientFilterItem(int AIndex) const {
    return AIndex >= 0 && AIndex < ClientFilterCount()
               ? FClientFilters[static_cast<size_t>(AIndex)].Item
               : nullptr;
}

void TKVListFrame::SetClientFilterOn(int AIndex, bool AValue) {
    if (AIndex < 0 || AIndex >= ClientFilterCount())
        return;
    TClientFilterState& filter = FClientFilters[static_cast<size_t>(AIndex)];
    filter.On = AValue;
    filter.Item->setChecked(AValue);
}

void TKVListFrame::pmiClientFilterClick(int AIndex) {
    if (AIndex < 0 || AIndex >= ClientFilterCount())
        return;
    const TClientFilterState& filter = FClientFilters[static_cast<size_t>(AIndex)];
    // A checkable entry flips itself when triggered: the filter's state decides its check.
    const bool on = !filter.On && (!filter.Filter.Choose || filter.Filter.Choose());
    SetClientFilterOn(AIndex, on);
}

QString TKVListFrame::ExtraFilterTags() const {
    QString tags;
    for (const TClientFilterState& filter : FClientFilters)
        if (filter.On && filter.Filter.Tag)
            tags += filter.Filter.Tag();
    return tags;
}

void TKVListFrame::ClearExtraFilters() {
    for (int i = 0; i < ClientFilterCount(); ++i)
        SetClientFilterOn(i, false);
}

void TKVListFrame::ApplyFilter() {
    SetFilterStr(FFilterEdit->text().trimmed());
    ShowProgress();
    FillListView();
    HideProgress();
}

void TKVListFrame::Filter_ButtonEditPropertiesButtonClick(int AButtonIndex) {
    switch (AButtonIndex) {
    case 0:
        ApplyFilter();
        break;
    case 1: {
        // Just below the edit, its left edge two glyph widths left of the edit's right edge.
        const int glyph = dmMain ? dmMain->FilterImgList.TileSize().width() : 16;
        FFilterTypeMenu->popup(FFilterEdit->mapToGlobal(
            QPoint(FFilterEdit->width() - 2 * glyph, FFilterEdit->height())));
        break;
    }
    case 2:
        FFilterEdit->clear();
        ClearExtraFilters();
        ApplyFilter();
        break;
    default:
        break;
    }
}

void TKVListFrame::pmiFilterTypeClick(TFilterType AFilterType) {
    SetFilterType(AFilterType);
}

int TKVListFrame::ShownRowCount() const {
    return FModel->Count();
}

void TKVListFrame::UpdateCountPanel() {
    const int count = ShownRowCount();
    const QString countText = count > 0 ? tr("Записей %1 ").arg(count) : tr("Нет записей ");
    QFont font = FCountPanel->font();
    if (IsFiltered()) {
        QString tags;
        if (!FFilterStr.isEmpty())
            tags = QStringLiteral("[\"") + FFilterStr + QStringLiteral("\"]");
        tags += ExtraFilterTags();
        FCountPanel->setText(tags + QLatin1Char(' ') + countText);
        font.setBold(true);
    } else {
        FCountPanel->setText(countText);
        font.setBold(false);
    }
    FCountPanel->setFont(font);
}

// ------------------------------------------------------------------- selection and sort

void TKVListFrame::SetSelectionCommands(bool ASelected) {
    const bool writing = ASelected && Writable();
    const bool card = CardAvailable();
    ToolButton(QStringLiteral("Copy_ToolButton"))->setEnabled(writing && card);
    ToolButton(QStringLiteral("Delete_ToolButton"))->setEnabled(writing);
    ToolButton(QStringLiteral("Edit_ToolButton"))->setEnabled(ASelected && card);
    MenuItem(QStringLiteral("pmiCopy"))->setEnabled(writing && card);
    MenuItem(QStringLiteral("pmiDelete"))->setEnabled(writing);
    if (QAction* item = MenuItem(QStringLiteral("pmiEdit")))
        item->setEnabled(ASelected && card);
    for (const char* name : {"pmiCopyName", "pmiItemInfo"})
        if (QAction* item = MenuItem(QLatin1String(name)))
            item->setEnabled(ASelected);
    for (const TRecordAction& action : FRecordActions)
        action.Action->setEnabled((action.Writing ? writing : ASelected) &&
                                  (!action.Available || action.Available()));
}

std::optional<TKVListRow> TKVListFrame::SelectedRow() const {
    const QModelIndexList selected = FListView->selectionModel()->selectedRows();
    if (selected.isEmpty() || selected.first().row() >= FModel->Count())
        return std::nullopt;
    return FModel->Row(selected.first().row());
}

void TKVListFrame::ListViewSelectItem() {
    if (const std::optional<TKVListRow> row = SelectedRow()) {
        FSelectedItemDBData = ::SetSelectedItemDBData(true, row->Key.DBId, row->Key.Id, 0,
                                                      KVName(row->Texts.value(0)));
        SetSelectionCommands(true);
    } else {
        FSelectedItemDBData = ::SetSelectedItemDBData(false, 0, 0, 0, QString());
        SetSelectionCommands(false);
    }
}

TKVSelectedLocalItemDBData TKVListFrame::SelectedLocalItemDBData() const {
    return ::SetSelectedLocalItemDBData(FSelectedItemDBData.Select, FSelectedItemDBData.Id,
                                        FSelectedItemDBData.Tag, FSelectedItemDBData.Name);
}

void TKVListFrame::ListViewColumnClick(int AColumn) {
    FSortedType = SortedTypeOnColumnClick(FSortedType, AColumn);
    FModel->SortRows(FSortedType);
    KeepModelOrder();
    FListView->header()->setSortIndicatorShown(true);
    FListView->header()->setSortIndicator(
        std::abs(FSortedType) - 1, FSortedType > 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
    if (const QModelIndex current = FListView->currentIndex(); current.isValid())
        FListView->scrollTo(current);
}

int TKVListFrame::FindListItemByPKey(quint32 ADBId, quint32 AId) const {
    return FModel->Find({ADBId, AId});
}

void TKVListFrame::SelectRecord(quint32 ADBId, quint32 AId) {
    const int row = FindListItemByPKey(ADBId, AId);
    if (row < 0)
        return;
    const QModelIndex index = FModel->index(row, 0);
    FListView->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                            QItemSelectionModel::Rows);
    FListView->scrollTo(index, QAbstractItemView::EnsureVisible);
}

// ------------------------------------------------------------------------------ commands

void TKVListFrame::ListViewEnterKey() {
    if (FActionState)
        OpenDataModeItem();
}

void TKVListFrame::ListViewDblClick() {
    if (FActionState)
        ListViewEnterKey();
}

void TKVListFrame::OpenDataModeItem() {
    if (FDataViews.empty()) {
        OpenItem();
        return;
    }
    if (!FActionState || !FSelectedItemDBData.Select || !Connected())
        return;
    TKVOpenDataModeTypes offered = 0;
    for (const TKVDataView& view : FDataViews)
        if (!view.Available || view.Available())
            offered |= OpenDataModeSet({view.Type});
    if (SelectOpenDataMode(offered) != mrOk)
        return;
    for (const TKVDataView& view : FDataViews)
        if (view.Type == SelectedOpenDataModeType && view.Open) {
            view.Open();
            break;
        }
}

bool TKVListFrame::eventFilter(QObject* AObject, QEvent* AEvent) {
    if (AEvent->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(AEvent);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        // Ctrl+Enter is left to the window (the host opens and closes, a card closes).
        if (enter && !(key->modifiers() & Qt::ControlModifier)) {
            if (AObject == FFilterEdit) {
                ApplyFilter();
                return true;
            }
            if (AObject == FListView && FActionState) {
                ListViewEnterKey();
                return true;
            }
        }
    }
    return QWidget::eventFilter(AObject, AEvent);
}

void TKVListFrame::OpenCard(quint32, quint32, bool) {}

std::vector<TKVRecordCard*> TKVListFrame::OpenRecordCards(const TKVDBKey& AKey) const {
    if (!frmMain)
        return {};
    const TKVItemType itemType = FBook.ItemType;
    return frmMain->FindMDIChildren<TKVRecordCard>([&](const TKVRecordCard& ACard) {
        return ACard.CardItemType() == itemType && ACard.DBId() == AKey.DBId &&
               ACard.Id() == AKey.Id;
    });
}

bool TKVListFrame::NewItem() {
    if (!FActionState || !Connected())
        return false;
    OpenCard(0, 0, false);
    return true;
}

bool TKVListFrame::CopyItem() {
    if (!FActionState || !FSelectedItemDBData.Select || !Connected())
        return false;
    OpenCard(FSelectedItemDBData.DBId, FSelectedItemDBData.Id, true);
    return true;
}

bool TKVListFrame::OpenItem() {
    if (!FActionState || !FSelectedItemDBData.Select || !Connected())
        return false;
    const TKVDBKey key{FSelectedItemDBData.DBId, FSelectedItemDBData.Id};
    const std::vector<TKVRecordCard*> cards = OpenRecordCards(key);
    for (TKVRecordCard* card : cards)
        frmMain->BringToFrontMDIChild(card);
    if (cards.empty())
        OpenCard(key.DBId, key.Id, false);
    return true;
}

bool TKVListFrame::CopyName() {
    const std::optional<TKVListRow> row = SelectedRow();
    if (!row)
        return false;
    QString text = row->Texts.value(0);
    if (FBook.CopyNameColumn > 0 && !row->Texts.value(FBook.CopyNameColumn).isEmpty())
        text += QStringLiteral(" [") + row->Texts.value(FBook.CopyNameColumn) + QStringLiteral("]");
    QApplication::clipboard()->setText(text);
    return true;
}

void TKVListFrame::ItemInfo() {
    if (FSelectedItemDBData.Select)
        ShowItemInfoDlg(FBook.ItemType, FSelectedItemDBData.DBId, FSelectedItemDBData.Id);
}

void TKVListFrame::pmiExportDataToFileClick() {
    TKVExportData data = ExportDataFromModel(*FModel, FListView->header(), ExportDataSetName());
    // The file is proposed under the list's name: its data-set name, else its window's caption.
    if (data.DataSetName.isEmpty())
        for (const QWidget* w = parentWidget(); w && data.FileName.isEmpty(); w = w->parentWidget())
            data.FileName = w->windowTitle();
    ShowExportDataToFileDlg(data);
}

void TKVListFrame::pmiHelpContextClick() {
    ShowHelpTopic(FBook.HelpTopic);
}

void TKVListFrame::RefreshData() {
    const TKVSelectedItemDBData kept = FSelectedItemDBData;
    ShowProgress();
    LoadData();
    BuildDataColumns();
    FillListView();
    HideProgress();
    if (kept.Select) {
        if (FindListItemByPKey(kept.DBId, kept.Id) >= 0)
            SelectRecord(kept.DBId, kept.Id);
        else
            FSelectedItemDBData = ::SetSelectedItemDBData(false, 0, 0, 0, QString());
    }
}

// -------------------------------------------------------------------------------- delete

void TKVListFrame::Delete_ToolButtonClick() {
    if (!FSelectedItemDBData.Select || !FListView->hasFocus())
        return;
    if (FBook.KeyHasDBId && FSelectedItemDBData.DBId == 0 && !::BLIMod) {
        ShowMessageDlg(tr("Системная запись не может быть удалена"), mdkError, mdbOK);
        return;
    }
    if (ShowMessageDlg(tr("Удалить запись?"), mdkWarning, mdbYes | mdbNo) != mrYes)
        return;
    if (!DeleteItem())
        ShowMessageDlg(!FBook.DeleteFailedText.isEmpty()
                           ? FBook.DeleteFailedText
                           : tr("Запись не может быть удалена, пока на нее ссылаются другие "
                                "записи в базе данных"),
                       mdkError, mdbOK);
}

bool TKVListFrame::DeleteItem() {
    if (!FSelectedItemDBData.Select || !FActionState || !Connected())
        return false;
    const TKVDBKey key{FSelectedItemDBData.DBId, FSelectedItemDBData.Id};
    TIBQuery& query = Query();
    const auto bindKey = [&] {
        if (FBook.KeyHasDBId)
            query.ParamByName("VAR_DBID").SetAsInt64(key.DBId);
        query.ParamByName("VAR_ID").SetAsInt64(key.Id);
    };
    bool deleted = false;
    const bool ok = dmMain->ExecuteInTransaction([&] {
        query.Close();
        for (const QString& probe : FBook.DeleteProbes) {
            query.SetSQL(probe);
            bindKey();
            query.Open();
            const bool referenced = !query.Eof();
            query.Close();
            if (referenced)
                return; // refused; nothing was written
        }
        query.SetSQL(FBook.DeleteSQL);
        bindKey();
        query.ExecSQL();
        query.Close();
        DeleteRelatedRows(query, key);
        deleted = true;
    });
    if (!ok || !deleted)
        return false;
    RecordDeleted(key);
    // The window holding this list stays whatever it is bound to.
    const TKVMDIChild* own = nullptr;
    for (QWidget* parent = parentWidget(); parent && !own; parent = parent->parentWidget())
        own = qobject_cast<TKVMDIChild*>(parent);
    CloseWindowsBoundTo(FBook.ItemType, key.DBId, key.Id, own);
    RemoveRecord(key);
    DeleteListItem(key.DBId, key.Id);
    // Other lists that show the record drop it too.
    NotifyRecordChanged(FBook.ItemType, key.DBId, key.Id, iatDelete);
    return true;
}

void TKVListFrame::DeleteRelatedRows(TIBQuery&, const TKVDBKey&) {}
void TKVListFrame::RecordDeleted(const TKVDBKey&) {}

void TKVListFrame::DeleteListItem(quint32 ADBId, quint32 AId) {
    DropKnownOrder();
    const int row = FindListItemByPKey(ADBId, AId);
    if (row < 0)
        return;
    const bool selected = FListView->selectionModel()->isRowSelected(row, QModelIndex());
    FModel->RemoveRow(row);
    // The view would move the selection to the next row; a deleted record leaves none.
    if (selected)
        FListView->selectionModel()->clearSelection();
    ListViewSelectItem();
    UpdateCountPanel();
}

// ----------------------------------------------------------------------- external update

void TKVListFrame::ExternalUpdateItemListByPKey(quint32 ADBId, quint32 AId,
                                                TKVItemActionType AActionType) {
    if (!Connected() || AId == 0)
        return;
    const TKVDBKey key = NormalKey(ADBId, AId);
    switch (AActionType) {
    case iatChange: {
        TIBQuery& query = Query();
        dmMain->ExecuteInTransaction([&] {
            query.Close();
            query.SetSQL(SelectOneSQL());
            BindContext(query);
            if (FBook.KeyHasDBId)
                query.ParamByName("VAR_DBID").SetAsInt64(key.DBId);
            query.ParamByName("VAR_ID").SetAsInt64(key.Id);
            query.Open();
            const bool found = !query.Eof();
            if (found)
                StoreRecord(query);
            query.Close();
            if (found)
                ReadRecordDetails(query, key);
            if (found) {
                AddOrUpdateListItem(key);
            } else if (HoldsRecord(key)) {
                // The record no longer meets the list's criterion.
                RemoveRecord(key);
                DeleteListItem(key.DBId, key.Id);
            }
        });
        break;
    }
    case iatDelete:
        RemoveRecord(key);
        DeleteListItem(key.DBId, key.Id);
        break;
    }
    UpdateCountPanel();
}

QString TKVListFrame::SelectOneSQL() const {
    return !FActionState && !FBook.SelectOneSelectModeSQL.isEmpty() ? FBook.SelectOneSelectModeSQL
                                                                    : FBook.SelectOneSQL;
}

void TKVListFrame::RecordChanged(TKVItemType AItemType, quint32 ADBId, quint32 AId,
                                 TKVItemActionType AActionType) {
    if (AItemType == FBook.ItemType)
        ExternalUpdateItemListByPKey(ADBId, AId, AActionType);
}

bool TKVListFrame::BoundToRecord(TKVItemType, quint32, quint32) const {
    return false;
}

void TKVListFrame::AddOrUpdateListItem(const TKVDBKey& AKey) {
    // The record's place in the order may change with its texts.
    DropKnownOrder();
    std::optional<TRecordRow> record = RecordRow(AKey);
    if (!record)
        return;
    const int row = FindListItemByPKey(AKey.DBId, AKey.Id);
    if (record->Hidden) {
        // A record the list keeps but never shows has no row, whatever it was before.
        if (row >= 0)
            DeleteListItem(AKey.DBId, AKey.Id);
        return;
    }
    if (row >= 0) {
        FModel->ReplaceRow(row, std::move(record->Row));
        // The selection record keeps the row's new caption.
        if (FSelectedItemDBData.Select && FSelectedItemDBData.DBId == AKey.DBId &&
            FSelectedItemDBData.Id == AKey.Id)
            ListViewSelectItem();
    } else if (record->Passes) {
        FModel->AppendRow(std::move(record->Row));
    }
}

// --------------------------------------------------------------------------- layout rows

void TKVListFrame::LoadRBLocalConfig() {
    if (!Connected() || !::LocalConfig)
        return;
    FRBWinWidth = FBook.DefaultWidth;
    FRBWinHeight = FBook.DefaultHeight;
    const int columns = FModel->columnCount();
    TIBQuery& query = Query();
    dmMain->ExecuteInTransaction([&] {
        query.Close();
        query.SetSQL(kLayoutSelect);
        BindLayoutKey(query);
        query.Open();
        while (!query.Eof()) {
            const QString param = query.FieldByName("S_PARAM").AsString().trimmed();
            const int value = query.FieldByName("V_INTEGER").AsInteger();
            if (param.compare(QLatin1String("RBW"), Qt::CaseInsensitive) == 0) {
                FRBWinWidth = value;
            } else if (param.compare(QLatin1String("RBH"), Qt::CaseInsensitive) == 0) {
                FRBWinHeight = value;
            } else if (param.compare(QLatin1String("CW"), Qt::CaseInsensitive) == 0) {
                const int column = query.FieldByName("V_PARAMID").AsInteger();
                if (column >= 0 && column < columns)
                    FListView->header()->resizeSection(column, std::min(value, kMaxColumnWidth));
            }
            query.Next();
        }
        query.Close();
    });
}

void TKVListFrame::BindLayoutKey(TIBQuery& AQuery) const {
    const TLayoutKey context = FActionState ? LayoutContextKey() : TLayoutKey();
    AQuery.ParamByName("VAR_OBJ_TYPE")
        .SetAsInteger(ObjTypeToInt(FActionState ? FBook.ManageObjType : FBook.SelectObjType));
    SetOptional(AQuery.ParamByName("VAR_OBJ_DBID"), context.DBId);
    SetOptional(AQuery.ParamByName("VAR_OBJ_ID"), context.Id);
    SetOptional(AQuery.ParamByName("VAR_OBJ_MODE"), LayoutObjMode());
}

void TKVListFrame::SaveRBLocalConfig() {
    if (!Connected() || !::LocalConfig || !Writable())
        return;
    TIBQuery& query = Query();
    const auto bindKey = [&] { BindLayoutKey(query); };
    dmMain->ExecuteInTransaction([&] {
        query.Close();
        query.SetSQL(kLayoutSaveSize);
        for (const auto& [param, value] : {std::pair{QStringLiteral("RBW"), FRBWinWidth},
                                           {QStringLiteral("RBH"), FRBWinHeight}}) {
            bindKey();
            query.ParamByName("VAR_S_PARAM").SetAsString(param);
            query.ParamByName("VAR_V_INTEGER").SetAsInteger(value);
            query.ExecSQL();
        }
        if (!FBook.StoreColumnWidths)
            return;
        query.SetSQL(kLayoutSaveColumn);
        for (int i = 0; i < FModel->columnCount(); ++i) {
            bindKey();
            query.ParamByName("VAR_S_PARAM").SetAsString(QStringLiteral("CW"));
            query.ParamByName("VAR_V_PARAMID").SetAsInteger(i);
            query.ParamByName("VAR_V_INTEGER").SetAsInteger(FListView->header()->sectionSize(i));
            query.ExecSQL();
        }
    });
}
