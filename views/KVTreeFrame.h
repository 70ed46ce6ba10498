#pragma once

// The list frame of the books whose records form a hierarchy (element classes, storage
// places): the records shown as a tree while no text filter is set, and as one flat level of
// the matching records while it is.
//
// Beyond the list frame it keeps:
// - the exclusion key: the record hidden with its whole subtree (pickers set it before Init);
// - the count behind a node's name (element types of a class, stock records of a place),
//   fetched for the visible nodes only (the children of an expanded node with one query
//   where the book gives one, else one COUNT query per node) and cached in the book's
//   list, so that a rebuilt tree shows it again without a query; the counts run in manage
//   mode while option ViewCountItems is on;
// - the updates that cards report: a node is renamed, given its new icon and count, moved
//   under its new parent with its subtree, or removed. A node whose new parent has no node in
//   the tree (or lies below the node itself) is dropped from the tree, as a rebuild would not
//   place it either; the card's save has committed by then, so nothing is raised.
// A book describes its list frame as every book does (TKVListBook, with no columns) and its
// tree in a TKVTreeBook, and derives its frame from TKVBookTreeFrame over its list class.

#include "views/KVListFrame.h"
#include "views/KVTreeModel.h"

#include <QSize>

class TdmMain;
class TKVImageList;

// What a tree frame reads of one record of its book.
struct TKVTreeRecord {
    TKVDBKey Key;       // DBId 0 for records keyed by ID alone
    TKVDBKey ParentKey; // ParentKey.Id 0: a top-level record, whatever its DBId
    QString Name;
    qint32 IconId = -1;
    qint32 Count = -1; // the cached count; -1: not counted yet
};

// What a book states about its tree.
struct TKVTreeBook {
    // The count of one node: a SELECT COUNT(...) read as field COUNT, with the node's key in
    // the parameters named here (NodeCountDBIdParam empty: the key has no DBID part).
    QString NodeCountSQL;
    QString NodeCountDBIdParam;
    QString NodeCountIdParam;
    // The counts of all children of one node in one statement, a row per child: the
    // child's key (field NODEDBID when the key has a DBID part, and NODEID) and its count
    // (COUNT), with the parent's key in :VAR_PARENTDBID (when the key has a DBID part) and
    // :VAR_PARENTID; a child without a row counts 0. Empty: each child is counted with
    // NodeCountSQL.
    QString ChildCountSQL;
    // The data module's image list of the node icons (nullptr: no icons).
    TKVImageList TdmMain::*Images = nullptr;
    QSize ToolButtonSize{57, 36};
    // The count panel has a sunken border.
    bool CountPanelBorder = false;
};

class TKVTreeFrame : public TKVListFrame {
    Q_OBJECT
public:
    const TKVTreeBook& TreeBook() const { return FTreeBook; }
    QTreeView* TreeView() const { return ListView(); }
    TKVTreeModel* TreeModel() const { return FTreeModel; }

    // The record hidden with its subtree; 0: none. Set before Init.
    void SetExclude(quint32 ADBId, quint32 AId);
    void SetExclude(quint32 AId) { SetExclude(0, AId); }
    quint32 ExcludeDBId() const { return FExcludeKey.DBId; }
    quint32 ExcludeId() const { return FExcludeKey.Id; }

    // Selects the node of the key with its ancestors expanded and scrolls it into view;
    // nothing when the key has no node.
    void SelectRecord(quint32 ADBId, quint32 AId) override;
    // Rebuilds the tree, then counts the visible nodes (manage mode, option ViewCountItems).
    void FillListView() override;
    // Rebuilds the tree from the loaded records: unfiltered, every record under its parent's
    // node (a record whose parent is not placed gets no node); filtered, the matching records
    // on one level. The excluded records get no node in either form.
    void FillTreeView();
    // Shows the counts of every visible node (ANode nullptr) or of ANode's children.
    void ShowItemsCount(TKVTreeNode* ANode);
    // Shows a record that a card saved: its node is updated and, in the unfiltered tree,
    // moved to its parent, or made when the record is new; the node is dropped when its
    // parent has no node. In the filtered tree a new record gets a node only when it matches.
    void AddOrUpdateTreeNode(const TKVDBKey& AKey, const TKVDBKey& AParentKey, const QString& AName,
                             qint32 AIconId, qint32 ACount);
    // Removes the node of the key with its subtree; nothing when the key has no node.
    void DeleteTreeNode(const TKVDBKey& AKey);

    // --- Event handlers
    // A node was expanded: the counts of its children.
    void TreeViewExpanded(const QModelIndex& AIndex);
    // A double click does what Enter does.
    void ListViewDblClick() override;

protected:
    TKVTreeFrame(TKVListBook ABook, TKVTreeBook ATreeBook, QWidget* AParent = nullptr);

    // --- The book's records (TKVBookTreeFrame implements these over the book's list)
    // Every loaded record in list order.
    virtual void VisitTreeRecords(const std::function<void(const TKVTreeRecord&)>& AVisit) = 0;
    virtual std::optional<TKVTreeRecord> TreeRecord(const TKVDBKey& AKey) = 0;
    virtual void SetExcludeItemPKey(const TKVDBKey& AKey) = 0;
    virtual bool IsExcludeByPKey(const TKVDBKey& AKey) const = 0;
    virtual void SetItemsCountByPKey(const TKVDBKey& AKey, qint32 ACount) = 0;

    std::optional<TKVListRow> SelectedRow() const override;
    int ShownRowCount() const override;
    // The position of the key's node among its siblings, or -1.
    int FindListItemByPKey(quint32 ADBId, quint32 AId) const override;
    void AddOrUpdateListItem(const TKVDBKey& AKey) override;
    void DeleteListItem(quint32 ADBId, quint32 AId) override;

private:
    TKVDBKey NormalKey(quint32 ADBId, quint32 AId) const;
    // Removes ANode with its subtree; a selection inside it is dropped.
    void RemoveTreeNode(TKVTreeNode* ANode);
    // The nodes whose ancestors are all expanded, in the tree's order.
    std::vector<TKVTreeNode*> VisibleNodes() const;
    void CountNode(TIBQuery& AQuery, TKVTreeNode* ANode);
    // Counts the children of ANode with the book's grouped statement.
    void CountChildren(TKVTreeNode* ANode);

    TKVTreeBook FTreeBook;
    TKVDBKey FExcludeKey;
    TKVTreeModel* FTreeModel = nullptr;
};

// How a tree frame reads a list class: each tree book specialises it for its list with
// static Record (the TKVTreeRecord of a row), Find (the row of a key or nullptr), SetExclude,
// IsExclude and SetCount.
template <class TList> struct TKVTreeListTraits;

// The tree frame over one book's list class TList, read through TKVTreeListTraits<TList>.
template <class TList> class TKVBookTreeFrame : public TKVBookListFrame<TList, TKVTreeFrame> {
    using TBookFrame = TKVBookListFrame<TList, TKVTreeFrame>;
    using TTraits = TKVTreeListTraits<TList>;

public:
    using typename TBookFrame::TRecord;

protected:
    using TBookFrame::List;
    using TBookFrame::TBookFrame;

    TKVListRow MakeRow(const TRecord& ARecord) const override {
        const TKVTreeRecord record = TTraits::Record(ARecord);
        return {record.Key, {record.Name}, std::nullopt};
    }
    bool RecordMatchesText(const TRecord& ARecord) const override {
        return this->MatchesFilter(ARecord.Name());
    }
    // The excluded records (a picker's own record and its subtree) are never shown.
    bool RecordHidden(const TRecord& ARecord) const override {
        const TList* list = List();
        return list && TTraits::IsExclude(*list, TTraits::Record(ARecord).Key);
    }

    void VisitTreeRecords(const std::function<void(const TKVTreeRecord&)>& AVisit) override {
        TList* list = List();
        if (!list || list->Empty())
            return;
        for (list->First(); !list->Eof(); list->Next())
            AVisit(TTraits::Record(*list->GetRecord()));
    }
    std::optional<TKVTreeRecord> TreeRecord(const TKVDBKey& AKey) override {
        TList* list = List();
        const TRecord* row = list ? TTraits::Find(*list, AKey) : nullptr;
        return row ? std::optional<TKVTreeRecord>(TTraits::Record(*row)) : std::nullopt;
    }
    void SetExcludeItemPKey(const TKVDBKey& AKey) override {
        if (TList* list = List())
            TTraits::SetExclude(*list, AKey);
    }
    bool IsExcludeByPKey(const TKVDBKey& AKey) const override {
        const TList* list = List();
        return list && TTraits::IsExclude(*list, AKey);
    }
    void SetItemsCountByPKey(const TKVDBKey& AKey, qint32 ACount) override {
        if (TList* list = List())
            TTraits::SetCount(*list, AKey, ACount);
    }
};
