#pragma once

// The list frame of every list window: the records loaded with SQL into a row list and shown
// in a list view, with the client-side text filter and the window's further client filters,
// sorting by column, the record count, the tool bar and pop-up menu of commands, the delete flow
// with its reference probes, the layout rows of the window (size and column widths in
// CFG_LOCAL) and the updates that cards and other windows report.
//
// The same frame serves the list's host window (manage mode: tool bar and pop-up menu) and its
// picker (selection mode). A list gives what differs:
// - as data (TKVListBook): component names, key shape, item type, columns (caption, width,
//   comparator tag), the SQL texts (COUNT, row SELECT, one-row SELECT by key, DELETE), the
//   delete probes, the layout object-type codes and default size, the help topic, the export
//   title, the column CopyName adds;
// - through TKVBookListFrame<TList>: how a record becomes a shown row and which of its texts
//   the text filter tests (a query row becomes a record through the table's row reader);
// - as descriptions: its client filters (AddClientFilter) and the views Enter offers
//   (SetDataViews);
// - through overrides where it has them: SQL that changes with the list's mode (CountSQL,
//   SelectSQL, SelectOneSQL) and its parameters (BindContext), columns made from the loaded
//   data (BuildDataColumns), records it keeps loaded but never shows (RecordHidden), the card
//   opener, the layout key, extra commands, the records its window is bound to
//   (BoundToRecord), what else a delete writes.
//
// A change reported for the list's item type (NotifyRecordChanged) reads the record again with
// the one-row SELECT of the list's mode: a record that no longer meets the list's criterion
// leaves the list. Deleting a record closes every window bound to it (CloseWindowsBoundTo).
//
// The rows of the view are snapshots (TKVListRow) held by a TKVListModel; a row is found by
// key through the model's index, a record through its list's index.

#include "core/KVCommon.h"
#include "core/KVList.h"
#include "core/KVRowReaders.h"
#include "shell/frmOpenDataMode.h"
#include "views/KVListModel.h"

#include <QKeySequence>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QToolBar;
class QToolButton;
class QTreeView;
class TIBQuery;
class TKVRecordCard;

// What a book states about its list frame.
struct TKVListBook {
    // The book's name in the component names: Name + "_ToolBar", "Find_Panel",
    // "Filter_ButtonEdit", "_ListView", "Count_Panel", "_PopupMenu".
    QString Name;
    // Rows keyed by (DBID, ID); false for rows keyed by ID alone (DBId 0 in the rows).
    bool KeyHasDBId = true;
    // The kind of the records: record details, and the cards that show one record.
    TKVItemType ItemType = itUnknown;
    std::vector<TKVListColumn> Columns;
    // CopyName puts the caption on the clipboard followed by this column's text in brackets
    // when that text is not empty; -1: the caption alone.
    int CopyNameColumn = 1;
    // "SELECT COUNT(ID) ..." read as field COUNT; the rows' SELECT; the one-row SELECT of a key
    // (:VAR_DBID, :VAR_ID); the DELETE of a key.
    QString CountSQL;
    QString SelectSQL;
    QString SelectOneSQL;
    // The one-row SELECT in selection mode when it differs from SelectOneSQL (a count column
    // that only the manage mode computes); empty: SelectOneSQL in both modes.
    QString SelectOneSelectModeSQL;
    QString DeleteSQL;
    // Existence probes run before a delete, in order, with the key in :VAR_DBID and :VAR_ID; a
    // probe that returns a row refuses the delete.
    QStringList DeleteProbes;
    // Shown when a delete was refused or failed; empty: that other records refer to it.
    QString DeleteFailedText;
    // Layout rows: the object types of manage and selection mode, whether the column widths
    // are kept, and the window size used when no row is stored.
    TKVObjType ManageObjType = otUnitList;
    TKVObjType SelectObjType = otUnitSelect;
    bool StoreColumnWidths = true;
    int DefaultWidth = 500;
    int DefaultHeight = 180;
    QString HelpTopic;
    QString ExportDataSetName;
    // The pop-up menu offers the export of the shown rows to a file.
    bool ExportDataToFile = true;
};

// A filter beyond the text filter, with its entry in the filter-type menu. Choosing the entry
// turns the filter off when it is on, else on (Choose may ask for the filter's value first and
// refuse); neither shows the rows again until the next apply. The reset button of the filter
// box turns every client filter off.
struct TKVClientFilter {
    // The menu entry: component name and caption.
    QString ItemName;
    QString Caption;
    // Asked when the filter is turned on: false keeps it off. Empty: on at once.
    std::function<bool()> Choose;
    // The count panel's tag while the filter is on, such as "[Шабл. визуал.]".
    std::function<QString()> Tag;
};

// A command on the selected record: its pop-up item and, with a ButtonName, its tool button
// (placed after the frame's buttons). It is enabled while a record is selected, while the
// database may be changed when it writes, and while Available says so (the window it opens
// exists); the tool button follows the item.
struct TKVRecordCommand {
    TKVRecordCommand(const char* AItemName, QString ACaption, int AImage, QKeySequence AShortcut,
                     std::function<void()> ARun, const char* AButtonName = nullptr,
                     QString AButtonCaption = QString(), QString AHint = QString(),
                     bool AWriting = false, std::function<bool()> AAvailable = nullptr)
        : ItemName(AItemName), Caption(std::move(ACaption)), Image(AImage),
          Shortcut(std::move(AShortcut)), Run(std::move(ARun)), ButtonName(AButtonName),
          ButtonCaption(std::move(AButtonCaption)), Hint(std::move(AHint)), Writing(AWriting),
          Available(std::move(AAvailable)) {}

    const char* ItemName = nullptr;
    QString Caption;
    int Image = -1;
    QKeySequence Shortcut;
    std::function<void()> Run;
    const char* ButtonName = nullptr;
    QString ButtonCaption;
    QString Hint;
    bool Writing = false;
    std::function<bool()> Available;
};

// A view of the selected record that Enter and a double click offer through the view chooser.
struct TKVDataView {
    TKVDataView(TKVOpenDataModeType AType, std::function<void()> AOpen,
                std::function<bool()> AAvailable = {})
        : Type(AType), Open(std::move(AOpen)), Available(std::move(AAvailable)) {}

    TKVOpenDataModeType Type;
    // Opens the view for the selected record.
    std::function<void()> Open;
    // Whether the view is offered (its window exists); empty: always.
    std::function<bool()> Available;
};

class TKVListFrame : public QWidget {
    Q_OBJECT
public:
    ~TKVListFrame() override;

    const TKVListBook& Book() const { return FBook; }

    // --- Layout rows of the window
    void LoadRBLocalConfig();
    void SaveRBLocalConfig();
    // Reloads the records from the database; the rows shown do not change (FillListView).
    void LoadData();
    // Sets the frame up, loads and shows the records and reads the layout rows. Books with a
    // context store it before they call this.
    void Init(bool AActionState);
    // Saves the layout rows and lets the records go; nothing is called after it.
    void UnInit();
    // A card reports that a record changed (iatChange: read it again with the one-row SELECT of
    // the list's mode; a record no longer returned leaves the list) or went (iatDelete).
    void ExternalUpdateItemListByPKey(quint32 ADBId, quint32 AId, TKVItemActionType AActionType);
    // A record of AItemType changed elsewhere: a list of that item type reads it again.
    virtual void RecordChanged(TKVItemType AItemType, quint32 ADBId, quint32 AId,
                               TKVItemActionType AActionType);
    // Whether the list was opened on the record (the class of a list of one class's records):
    // its window closes when the record is deleted.
    virtual bool BoundToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const;
    void ExternalUpdateItemListByPKey(quint32 AId, TKVItemActionType AActionType) {
        ExternalUpdateItemListByPKey(0, AId, AActionType);
    }

    // --- Commands
    bool CopyName();
    bool NewItem();
    bool CopyItem();
    bool OpenItem();
    // The view chooser over the available views (SetDataViews), then the chosen view; OpenItem
    // for a list that offers no views.
    void OpenDataModeItem();
    // Probes the references and deletes the focused record; false when refused or failed.
    bool DeleteItem();
    void RefreshData();
    void ItemInfo();
    // Selects the row of the key and scrolls it into view; nothing when it is not shown.
    virtual void SelectRecord(quint32 ADBId, quint32 AId);

    // Shows the records that pass the filter, sorted by SortedType.
    virtual void FillListView();
    // Takes the filter edit's text as the filter and shows the rows again.
    void ApplyFilter();
    // Whether the text matches the filter text under the filter type.
    bool MatchesFilter(const QString& AText) const;
    // Any filter is active: the text filter or a client filter.
    bool IsFiltered() const;
    // --- Client filters, by the index AddClientFilter returned
    int ClientFilterCount() const { return static_cast<int>(FClientFilters.size()); }
    bool ClientFilterOn(int AIndex) const;
    // The filter's entry in the filter-type menu.
    QAction* ClientFilterItem(int AIndex) const;
    // Sets the filter's state and its menu check; the rows stay until the next apply.
    void SetClientFilterOn(int AIndex, bool AValue);
    // The filter-type menu's entry chosen: on when off (after Choose), off when on.
    void pmiClientFilterClick(int AIndex);

    // --- Properties
    bool ActionState() const { return FActionState; }
    void SetActionState(bool AValue) { FActionState = AValue; }
    int SortedType() const { return FSortedType; }
    void SetSortedType(int AValue) { FSortedType = AValue; }
    const TKVSelectedItemDBData& SelectedItemDBData() const { return FSelectedItemDBData; }
    void SetSelectedItemDBData(const TKVSelectedItemDBData& AValue) {
        FSelectedItemDBData = AValue;
    }
    // The selection of a book keyed by ID alone.
    TKVSelectedLocalItemDBData SelectedLocalItemDBData() const;
    const QString& FilterStr() const { return FFilterStr; }
    // Stores the text upper-cased.
    void SetFilterStr(const QString& AValue);
    int FilterStrLen() const { return FFilterStrLen; }
    TFilterType FilterType() const { return FFilterType; }
    void SetFilterType(TFilterType AValue);
    int RBWinWidth() const { return FRBWinWidth; }
    void SetRBWinWidth(int AValue) { FRBWinWidth = AValue; }
    int RBWinHeight() const { return FRBWinHeight; }
    void SetRBWinHeight(int AValue) { FRBWinHeight = AValue; }

    // --- Components, for the windows that hold the frame and for tests
    QTreeView* ListView() const { return FListView; }
    TKVListModel* Model() const { return FModel; }
    QLineEdit* FilterEdit() const { return FFilterEdit; }
    // The filter edit's buttons: 0 "Фильтровать", 1 "Тип фильтрации", 2 "Сброс фильтра".
    QAction* FilterButton(int AIndex) const;
    QLabel* CountPanel() const { return FCountPanel; }
    QToolBar* ToolBar() const { return FToolBar; }
    QMenu* PopupMenu() const { return FPopupMenu; }
    QMenu* FilterTypeMenu() const { return FFilterTypeMenu; }
    // A tool button or a pop-up item of the frame by its component name.
    QToolButton* ToolButton(const QString& AName) const;
    QAction* MenuItem(const QString& AName) const;

    // --- Event handlers
    void ListViewSelectItem();
    void ListViewColumnClick(int AColumn);
    void Filter_ButtonEditPropertiesButtonClick(int AButtonIndex);
    void pmiFilterTypeClick(TFilterType AFilterType);
    void pmiCopyNameClick() { CopyName(); }
    void Add_ToolButtonClick() { NewItem(); }
    void Copy_ToolButtonClick() { CopyItem(); }
    void Edit_ToolButtonClick() { OpenItem(); }
    // The delete flow: the focused record, while the list has the focus, after the questions.
    void Delete_ToolButtonClick();
    void Refresh_ToolButtonClick() { RefreshData(); }
    void pmiExportDataToFileClick();
    void pmiItemInfoClick() { ItemInfo(); }
    void pmiHelpContextClick();
    // Enter on the list (manage mode): OpenDataModeItem.
    virtual void ListViewEnterKey();
    // A double click on the list (manage mode): as Enter.
    virtual void ListViewDblClick();

protected:
    explicit TKVListFrame(TKVListBook ABook, QWidget* AParent = nullptr);

    // --- The book's records (TKVBookListFrame implements these over the book's list)
    virtual void CreateRecords() = 0;
    virtual void FreeRecords() = 0;
    virtual void ClearRecords() = 0;
    virtual int RecordCount() const = 0;
    // Makes room for ACount records before a load of that many.
    virtual void ReserveRecords(int ACount) = 0;
    // Adds the record of the query's current row, or replaces the record of its key when the
    // list holds it; returns the key.
    virtual TKVDBKey StoreRecord(TIBQuery& AQuery) = 0;
    // Whether the list holds a record of the key.
    virtual bool HoldsRecord(const TKVDBKey& AKey) const = 0;
    virtual void RemoveRecord(const TKVDBKey& AKey) = 0;
    // Walks the records in list order: AAdd gets the row of each record that passes the
    // filters, AStep runs after every record, shown or not.
    virtual void VisitRecordRows(const std::function<void(TKVListRow&&)>& AAdd,
                                 const std::function<void()>& AStep) = 0;
    // The row of the record of a key, whether it passes the filters and whether it is hidden;
    // nullopt when absent.
    struct TRecordRow {
        TKVListRow Row;
        bool Passes = true;
        bool Hidden = false;
    };
    virtual std::optional<TRecordRow> RecordRow(const TKVDBKey& AKey) = 0;
    // Walks the records in list order without moving the list's cursor: AAdd gets the key of
    // each record that passes the filters, AStep runs after every record.
    virtual void VisitRecordKeys(const std::function<void(const TKVDBKey&)>& AAdd,
                                 const std::function<void()>& AStep) const = 0;
    // The row of the record of a key, without moving the list's cursor; nullopt when absent.
    virtual std::optional<TKVListRow> PeekRecordRow(const TKVDBKey& AKey) const = 0;

    // --- Book overrides where the book has them
    // Opens the book's card: (0, 0) for a new record, or the key with the copy flag.
    virtual void OpenCard(quint32 ADBId, quint32 AId, bool ACreateCopyFlag);
    // Reads the context of the list before its COUNT (a class name ...), inside the load's
    // transaction.
    virtual void LoadContext(TIBQuery& AQuery);
    // The SQL of the list's mode: the COUNT (read as field COUNT), the rows' SELECT and the
    // one-row SELECT of a key (:VAR_DBID, :VAR_ID, and the mode's criterion). The book's texts
    // unless a list changes them with its mode.
    virtual QString CountSQL() const { return FBook.CountSQL; }
    virtual QString SelectSQL() const { return FBook.SelectSQL; }
    virtual QString SelectOneSQL() const;
    // Sets the parameters of the mode's criterion in the COUNT, the rows' SELECT and the
    // one-row SELECT.
    virtual void BindContext(TIBQuery& AQuery);
    // Makes the columns that depend on the loaded records (SetColumns); runs after every load.
    virtual void BuildDataColumns() {}
    // Loads what goes with the loaded records (their parameter values ...), after the records'
    // own transaction; runs at the end of every LoadData.
    virtual void LoadRecordDetails() {}
    // Reads what goes with a record that a change notice read again, in that transaction.
    virtual void ReadRecordDetails(TIBQuery&, const TKVDBKey&) {}
    // Whether the list's card can be opened (the library that has it registered it): Add,
    // Copy and Edit act only then.
    virtual bool CardAvailable() const { return true; }
    // Replaces the list's columns: a column whose caption was there before keeps its width.
    void SetColumns(std::vector<TKVListColumn> AColumns);
    // The context key stored with the manage-mode layout rows; parts without a value are NULL.
    struct TLayoutKey {
        std::optional<quint32> DBId;
        std::optional<quint32> Id;
        TLayoutKey() = default;
        TLayoutKey(const TKVDBKey& AKey) : DBId(AKey.DBId), Id(AKey.Id) {}
    };
    virtual TLayoutKey LayoutContextKey() const { return {}; }
    // OBJ_MODE of the layout rows (the list mode of windows that have one); nullopt: NULL.
    virtual std::optional<int> LayoutObjMode() const { return std::nullopt; }
    // Adds a client filter and its menu entry; returns its index.
    int AddClientFilter(TKVClientFilter AFilter);
    // Sets the views Enter and a double click offer.
    void SetDataViews(std::vector<TKVDataView> AViews) { FDataViews = std::move(AViews); }
    // Adds the book's commands to the pop-up menu, between its two separators; register the
    // ones that need a selection with AddRecordAction.
    virtual void AddExtraCommands(QMenu* AMenu);
    // Deletes what goes with the record, in the delete's transaction after its DELETE, so that
    // both are written or neither.
    virtual void DeleteRelatedRows(TIBQuery& AQuery, const TKVDBKey& AKey);
    // The delete is committed: the book forgets the record where it keeps it outside the list.
    virtual void RecordDeleted(const TKVDBKey& AKey);
    // The export's data-set name.
    virtual QString ExportDataSetName() const { return FBook.ExportDataSetName; }

    // A command of the book that acts on the selected record: disabled until a record is
    // selected; AWriting ones only while the database may be changed; with AAvailable only
    // while it says so.
    void AddRecordAction(QAction* AAction, bool AWriting,
                         std::function<bool()> AAvailable = nullptr);
    // Adds the command's item to AMenu and its tool button to the tool bar; returns the item.
    QAction* AddRecordCommand(QMenu* AMenu, TKVRecordCommand ACommand);
    // The sub-menu "Дополнительные функции" (pmiAddFunct) of AMenu.
    QMenu* AddFunctionsMenu(QMenu* AMenu);
    // The open record cards of the book's item type bound to the key.
    std::vector<TKVRecordCard*> OpenRecordCards(const TKVDBKey& AKey) const;
    // The database is open.
    static bool Connected();
    // The database may be changed here: option ReadOnly off and the database writable.
    static bool Writable();
    // The key of a record of this list: DBId 0 for records keyed by ID alone.
    TKVDBKey NormalKey(quint32 ADBId, quint32 AId) const {
        return {FBook.KeyHasDBId ? ADBId : 0, AId};
    }

    void UpdateCountPanel();
    // The shown rows: a frame that shows its records otherwise (a tree) replaces these and
    // SelectedRow, ShownRowCount.
    virtual int FindListItemByPKey(quint32 ADBId, quint32 AId) const;
    virtual void AddOrUpdateListItem(const TKVDBKey& AKey);
    virtual void DeleteListItem(quint32 ADBId, quint32 AId);
    // The selected row (its key and caption); nullopt when none is selected.
    virtual std::optional<TKVListRow> SelectedRow() const;
    // The number of rows shown, for the count panel.
    virtual int ShownRowCount() const;
    // The frame's query on the data module's connection and transaction.
    TIBQuery& Query();

    bool eventFilter(QObject* AObject, QEvent* AEvent) override;

private:
    // The key parameters of the layout rows: object type, context key and mode.
    void BindLayoutKey(TIBQuery& AQuery) const;
    // The tags of the client filters that are on, in order.
    QString ExtraFilterTags() const;
    void ClearExtraFilters();
    void CreateComponents();
    QAction* NewMenuItem(const char* AName, const QString& ACaption, int AImage,
                         const QKeySequence& AShortcut = QKeySequence());
    QToolButton* NewToolButton(const char* AName, const QString& ACaption, const QString& AHint,
                               int AImage);
    void SetSelectionCommands(bool ASelected);

    TKVListBook FBook;
    QString FFilterStr;
    int FFilterStrLen = 0;
    // The filter text case-folded once, for the test of every record; empty when it holds a
    // character outside the basic plane (the string class then tests the texts itself).
    std::u16string FFilterFolded;
    TFilterType FFilterType = ftContaining;
    bool FActionState = false;
    int FSortedType = 0;
    TKVSelectedItemDBData FSelectedItemDBData;
    int FRBWinWidth = 0;
    int FRBWinHeight = 0;
    std::unique_ptr<TIBQuery> FQuery; // the frame's query (Name + "_IBQuery")

    QToolBar* FToolBar = nullptr;
    QWidget* FFindPanel = nullptr;
    QLineEdit* FFilterEdit = nullptr;
    QAction* FFilterButtons[3] = {};
    QTreeView* FListView = nullptr;
    TKVListModel* FModel = nullptr;
    QLabel* FCountPanel = nullptr;
    QMenu* FPopupMenu = nullptr;
    QMenu* FFilterTypeMenu = nullptr;
    QAction* FpmiFTStartingStr = nullptr;
    QAction* FpmiFTContainingStr = nullptr;
    struct TRecordAction {
        QAction* Action;
        bool Writing;
        std::function<bool()> Available;
    };
    std::vector<TRecordAction> FRecordActions;
    struct TClientFilterState {
        TKVClientFilter Filter;
        QAction* Item = nullptr;
        bool On = false;
    };
    std::vector<TClientFilterState> FClientFilters;
    std::vector<TKVDataView> FDataViews;
    // The keys of every shown record in the order of sort key FOrderSortedType, as the last sort
    // of the unfiltered list left them: a filter applied to the sorted list, or cleared, shows
    // its rows in this order without sorting again. Dropped when the records or their rows
    // change; empty: no order known.
    std::vector<TKVDBKey> FOrderKeys;
    int FOrderSortedType = 0;
    // The model holds the row of every shown record: no filter was on at the last fill.
    bool FShowsAllRows = false;
    void DropKnownOrder() { FOrderKeys.clear(); }
    // Keeps the model's order as the known order when the model shows every record.
    void KeepModelOrder();
    // The rows that pass the filters in the known order, pending; false when a passing record
    // has no place in it.
    bool RowsInKnownOrder(std::vector<TKVListRow>& ARows, const std::function<void()>& AStep);
};

// The frame over one list class TList (a TKVList): the list gives how a record is shown and
// which of its texts the text filter tests; its records are read by the table's row reader.
// TBase is TKVListFrame or a frame derived from it that shows the records in another form.
template <class TList, class TBase = TKVListFrame> class TKVBookListFrame : public TBase {
public:
    using TRecord = std::remove_pointer_t<decltype(std::declval<TList&>().GetRecord())>;

    // Adds a client filter (TKVListFrame::AddClientFilter) that keeps the records for which
    // AMatches holds while it is on; returns its index.
    int AddClientFilter(TKVClientFilter AFilter, std::function<bool(const TRecord&)> AMatches) {
        FFilterMatches.push_back(std::move(AMatches));
        return TBase::AddClientFilter(std::move(AFilter));
    }

protected:
    using TBase::TBase;

    // The list; nullptr before Init and after UnInit.
    TList* List() const { return FList.get(); }

    // The shown row of a record.
    virtual TKVListRow MakeRow(const TRecord& ARecord) const = 0;
    // Whether the record passes the text filter (MatchesFilter on the texts the list tests).
    virtual bool RecordMatchesText(const TRecord& ARecord) const = 0;
    // A record the list keeps loaded but never shows (a search's non-matches).
    virtual bool RecordHidden(const TRecord&) const { return false; }
    // Completes a record read from a query with what the list knows (its context's names).
    virtual void CompleteRecord(TRecord&) const {}
    // A list whose list class needs arguments (no default constructor) makes it here.
    virtual std::unique_ptr<TList> NewList() const {
        if constexpr (std::is_default_constructible_v<TList>)
            return std::make_unique<TList>();
        else
            return nullptr;
    }

    // Whether the record is shown: not hidden, and passing the text filter and every client
    // filter that is on.
    bool RecordPassesFilters(const TRecord& ARecord) const {
        if (RecordHidden(ARecord) || !RecordMatchesText(ARecord))
            return false;
        for (size_t i = 0; i < FFilterMatches.size(); ++i)
            if (this->ClientFilterOn(static_cast<int>(i)) && !FFilterMatches[i](ARecord))
                return false;
        return true;
    }

    static TKVDBKey KeyOf(const TRecord& ARecord) {
        if constexpr (requires { ARecord.DBId(); })
            return {ARecord.DBId(), ARecord.Id()};
        else
            return {0, ARecord.Id()};
    }

    void CreateRecords() override { FList = NewList(); }
    void FreeRecords() override { FList.reset(); }
    void ClearRecords() override {
        if (FList && !FList->Empty())
            FList->Clear();
    }
    int RecordCount() const override { return FList ? FList->Count() : 0; }
    void ReserveRecords(int ACount) override {
        if (FList)
            FList->Reserve(ACount);
    }
    TKVDBKey StoreRecord(TIBQuery& AQuery) override {
        std::unique_ptr<TRecord> record = NewRowFromQuery<TRecord>(AQuery);
        CompleteRecord(*record);
        const TKVDBKey key = KeyOf(*record);
        if (FList)
            FList->Store(std::move(record));
        return key;
    }
    bool HoldsRecord(const TKVDBKey& AKey) const override { return Peek(AKey) != nullptr; }
    void RemoveRecord(const TKVDBKey& AKey) override {
        if (!FList)
            return;
        if constexpr (requires { FList->DeleteByPKey(AKey.DBId, AKey.Id); })
            FList->DeleteByPKey(AKey.DBId, AKey.Id);
        else
            FList->DeleteByPKey(AKey.Id);
    }
    void VisitRecordRows(const std::function<void(TKVListRow&&)>& AAdd,
                         const std::function<void()>& AStep) override {
        if (!FList)
            return;
        FList->VisitRows([&](const TRecord& ARecord) {
            if (RecordPassesFilters(ARecord))
                AAdd(MakeRow(ARecord));
            AStep();
        });
    }
    void VisitRecordKeys(const std::function<void(const TKVDBKey&)>& AAdd,
                         const std::function<void()>& AStep) const override {
        if (!FList)
            return;
        FList->VisitRows([&](const TRecord& ARecord) {
            if (RecordPassesFilters(ARecord))
                AAdd(KeyOf(ARecord));
            AStep();
        });
    }
    std::optional<TKVListRow> PeekRecordRow(const TKVDBKey& AKey) const override {
        const TRecord* record = Peek(AKey);
        if (!record)
            return std::nullopt;
        return MakeRow(*record);
    }
    std::optional<typename TBase::TRecordRow> RecordRow(const TKVDBKey& AKey) override {
        const TRecord* record = Peek(AKey);
        if (!record)
            return std::nullopt;
        return typename TBase::TRecordRow{MakeRow(*record), RecordPassesFilters(*record),
                                          RecordHidden(*record)};
    }

    // The record of a key, without moving the list's cursor; nullptr when absent.
    const TRecord* Peek(const TKVDBKey& AKey) const {
        if (!FList)
            return nullptr;
        if constexpr (requires { FList->PeekByPKey(AKey.DBId, AKey.Id); })
            return FList->PeekByPKey(AKey.DBId, AKey.Id);
        else
            return FList->PeekByPKey(AKey.Id);
    }

private:
    std::unique_ptr<TList> FList;
    std::vector<std::function<bool(const TRecord&)>> FFilterMatches;
};
