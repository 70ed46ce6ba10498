#include "views/KVTreeFrame.h"

#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "shell/KVWidgets.h"
#include "shell/ufrmMain.h"

#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QToolButton>
#include <QTreeView>

#include <unordered_map>

namespace {

constexpr int kProgressStep = 100;

} // namespace

namespace {

// A tree has one column and no rows to export: it keeps no column widths and offers no export.
TKVListBook TreeListBook(TKVListBook ABook) {
    ABook.StoreColumnWidths = false;
    ABook.ExportDataToFile = false;
    return ABook;
}

} // namespace

TKVTreeFrame::TKVTreeFrame(TKVListBook ABook, TKVTreeBook ATreeBook, QWidget* AParent)
    : TKVListFrame(TreeListBook(std::move(ABook)), AParent), FTreeBook(std::move(ATreeBook)) {
    QTreeView* view = ListView();
    view->setObjectName(Book().Name + QStringLiteral("_TreeView"));
    FTreeModel = new TKVTreeModel(this);
    if (dmMain && FTreeBook.Images)
        FTreeModel->SetImages(&(dmMain->*FTreeBook.Images));
    // The view takes a selection model of the tree model; the list's goes with its
    // connection.
    QItemSelectionModel* listSelection = view->selectionModel();
    view->setModel(FTreeModel);
    listSelection->deleteLater();
    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TKVListFrame::ListViewSelectItem);
    connect(view, &QTreeView::expanded, this, &TKVTreeFrame::TreeViewExpanded);
    view->setHeaderHidden(true);
    // The one column takes the view's width, so names show whole.
    view->header()->setStretchLastSection(true);
    view->setRootIsDecorated(true);
    view->setItemsExpandable(true);

    CountPanel()->setFixedHeight(18);
    if (!FTreeBook.CountPanelBorder)
        CountPanel()->setFrameShape(QFrame::NoFrame);
    for (const char* name : {"Add_ToolButton", "Copy_ToolButton", "Edit_ToolButton",
                             "Delete_ToolButton", "Refresh_ToolButton"})
        if (QToolButton* button = ToolButton(QLatin1String(name)))
            button->setMinimumSize(FTreeBook.ToolButtonSize);
}

TKVDBKey TKVTreeFrame::NormalKey(quint32 ADBId, quint32 AId) const {
    return {Book().KeyHasDBId ? ADBId : 0, AId};
}

void TKVTreeFrame::SetExclude(quint32 ADBId, quint32 AId) {
    FExcludeKey = NormalKey(ADBId, AId);
}

// ----------------------------------------------------------------------------- the rows

std::optional<TKVListRow> TKVTreeFrame::SelectedRow() const {
    const QModelIndexList selected = ListView()->selectionModel()->selectedRows();
    const TKVTreeNode* node = selected.isEmpty() ? nullptr : FTreeModel->NodeOf(selected.first());
    if (!node)
        return std::nullopt;
    return TKVListRow{node->Key, {node->Text()}, std::nullopt};
}

int TKVTreeFrame::ShownRowCount() const {
    return FTreeModel->Count();
}

int TKVTreeFrame::FindListItemByPKey(quint32 ADBId, quint32 AId) const {
    const TKVTreeNode* node = FTreeModel->Find(NormalKey(ADBId, AId));
    return node ? node->Row : -1;
}

void TKVTreeFrame::SelectRecord(quint32 ADBId, quint32 AId) {
    TKVTreeNode* node = FTreeModel->Find(NormalKey(ADBId, AId));
    if (!node)
        return;
    std::vector<const TKVTreeNode*> ancestors;
    for (const TKVTreeNode* parent = node->Parent; parent; parent = parent->Parent)
        ancestors.push_back(parent);
    for (auto ancestor = ancestors.rbegin(); ancestor != ancestors.rend(); ++ancestor)
        ListView()->expand(FTreeModel->IndexOf(*ancestor));
    const QModelIndex index = FTreeModel->IndexOf(node);
    ListView()->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                             QItemSelectionModel::Rows);
    ListView()->scrollTo(index, QAbstractItemView::EnsureVisible);
}

// --------------------------------------------------------------------------- the build

void TKVTreeFrame::FillListView() {
    FillTreeView();
    if (::ViewCountItems && ActionState())
        ShowItemsCount(nullptr);
}

void TKVTreeFrame::FillTreeView() {
    if (!Connected())
        return;
    CountPanel()->clear();
    TWaitCursor wait;
    if (FExcludeKey.Id != 0)
        SetExcludeItemPKey(FExcludeKey);

    std::vector<TKVTreeModel::TPlacement> placements;
    const int count = RecordCount();
    if (count > 0) {
        if (frmMain)
            frmMain->InitProgress(0, count, 0, witCreating);
        int steps = 0;
        const auto step = [&] {
            if (++steps % kProgressStep == 0 && frmMain)
                frmMain->ChangeProgress(steps);
        };
        placements.reserve(static_cast<size_t>(count));
        if (FilterStrLen() > 0) {
            VisitTreeRecords([&](const TKVTreeRecord& ARecord) {
                if (MatchesFilter(ARecord.Name) && !IsExcludeByPKey(ARecord.Key))
                    placements.push_back({ARecord.Key, {}, true, ARecord.Name, ARecord.IconId});
                step();
            });
        } else {
            // The records under each parent key in load order; then the top level, and after
            // every placed node its children, so that each node follows its parent.
            std::vector<TKVTreeRecord> records;
            records.reserve(static_cast<size_t>(count));
            VisitTreeRecords([&](const TKVTreeRecord& ARecord) { records.push_back(ARecord); });
            std::unordered_map<quint64, std::vector<size_t>> children;
            for (size_t i = 0; i < records.size(); ++i)
                if (records[i].ParentKey.Id != 0)
                    children[records[i].ParentKey.Packed()].push_back(i);
            for (const TKVTreeRecord& record : records)
                if (record.ParentKey.Id == 0 && !IsExcludeByPKey(record.Key)) {
                    placements.push_back({record.Key, {}, true, record.Name, record.IconId});
                    step();
                }
            for (size_t placed = 0; placed < placements.size(); ++placed) {
                const TKVDBKey parentKey = placements[placed].Key;
                const auto found = children.find(parentKey.Packed());
                if (found == children.end())
                    continue;
                for (const size_t i : found->second) {
                    const TKVTreeRecord& record = records[i];
                    if (IsExcludeByPKey(record.Key))
                        continue;
                    placements.push_back(
                        {record.Key, parentKey, false, record.Name, record.IconId});
                    step();
                }
                // A parent key placed twice (a key loaded twice) places its children once.
                children.erase(found);
            }
        }
    }
    FTreeModel->ResetNodes(placements);
    // A reset drops the selection without a signal: the selection record follows.
    ListViewSelectItem();
    UpdateCountPanel();
}

// ---------------------------------------------------------------------------- the counts

std::vector<TKVTreeNode*> TKVTreeFrame::VisibleNodes() const {
    std::vector<TKVTreeNode*> nodes;
    const std::vector<TKVTreeNode*>& top = FTreeModel->TopLevel();
    std::vector<TKVTreeNode*> pending(top.rbegin(), top.rend());
    while (!pending.empty()) {
        TKVTreeNode* node = pending.back();
        pending.pop_back();
        nodes.push_back(node);
        if (!node->Children.empty() && ListView()->isExpanded(FTreeModel->IndexOf(node)))
            pending.insert(pending.end(), node->Children.rbegin(), node->Children.rend());
    }
    return nodes;
}

void TKVTreeFrame::ShowItemsCount(TKVTreeNode* ANode) {
    if (!Connected() || RecordCount() == 0 || FTreeModel->Count() == 0)
        return;
    const std::vector<TKVTreeNode*> nodes = ANode ? ANode->Children : VisibleNodes();
    if (nodes.empty())
        return;
    TWaitCursor wait;
    if (ANode && !FTreeBook.ChildCountSQL.isEmpty()) {
        CountChildren(ANode);
        return;
    }
    if (frmMain)
        frmMain->InitProgress(0, static_cast<int>(nodes.size()), 0, witCreating);
    TIBQuery& query = Query();
    dmMain->ExecuteInTransaction([&] {
        query.Close();
        query.SetSQL(FTreeBook.NodeCountSQL);
        int done = 0;
        for (TKVTreeNode* node : nodes) {
            CountNode(query, node);
            if (frmMain)
                frmMain->ChangeProgress(++done);
        }
        query.Close();
    });
}

void TKVTreeFrame::CountNode(TIBQuery& AQuery, TKVTreeNode* ANode) {
    const std::optional<TKVTreeRecord> record = TreeRecord(ANode->Key);
    if (!record)
        return;
    if (record->Count == -1) {
        AQuery.Close();
        if (!FTreeBook.NodeCountDBIdParam.isEmpty())
            AQuery.ParamByName(FTreeBook.NodeCountDBIdParam).SetAsInt64(ANode->Key.DBId);
        AQuery.ParamByName(FTreeBook.NodeCountIdParam).SetAsInt64(ANode->Key.Id);
        AQuery.Open();
        if (!AQuery.Eof()) {
            const qint32 count = AQuery.FieldByName("COUNT").AsInteger();
            SetItemsCountByPKey(ANode->Key, count);
            FTreeModel->SetShownCount(ANode, count);
        }
        AQuery.Close();
    } else if (ANode->ShownCount == -1 && record->Count > 0) {
        FTreeModel->SetShownCount(ANode, record->Count);
    }
}

void TKVTreeFrame::CountChildren(TKVTreeNode* ANode) {
    const std::vector<TKVTreeNode*>& children = ANode->Children;
    std::vector<std::optional<TKVTreeRecord>> records;
    records.reserve(children.size());
    bool uncounted = false;
    for (const TKVTreeNode* child : children) {
        records.push_back(TreeRecord(child->Key));
        uncounted = uncounted || (records.back() && records.back()->Count == -1);
    }
    std::unordered_map<quint64, qint32> counts;
    if (uncounted) {
        if (frmMain)
            frmMain->InitProgress(0, 0, 0, witWait);
        TIBQuery& query = Query();
        const bool keyHasDBId = Book().KeyHasDBId;
        dmMain->ExecuteInTransaction([&] {
            query.Close();
            query.SetSQL(FTreeBook.ChildCountSQL);
            if (keyHasDBId)
                query.ParamByName("VAR_PARENTDBID").SetAsInt64(ANode->Key.DBId);
            query.ParamByName("VAR_PARENTID").SetAsInt64(ANode->Key.Id);
            query.Open();
            TIBField* dbId = keyHasDBId ? &query.FieldByName("NODEDBID") : nullptr;
            TIBField& id = query.FieldByName("NODEID");
            TIBField& count = query.FieldByName("COUNT");
            while (!query.Eof()) {
                const TKVDBKey key{dbId ? static_cast<quint32>(dbId->AsInt64()) : 0,
                                   static_cast<quint32>(id.AsInt64())};
                counts[key.Packed()] = count.AsInteger();
                query.Next();
            }
            query.Close();
        });
    }
    std::vector<std::pair<TKVTreeNode*, qint32>> shown;
    shown.reserve(children.size());
    for (size_t i = 0; i < children.size(); ++i) {
        TKVTreeNode* child = children[i];
        const std::optional<TKVTreeRecord>& record = records[i];
        if (!record)
            continue;
        if (record->Count == -1) {
            const auto found = counts.find(child->Key.Packed());
            const qint32 count = found == counts.end() ? 0 : found->second;
            SetItemsCountByPKey(child->Key, count);
            shown.emplace_back(child, count);
        } else if (child->ShownCount == -1 && record->Count > 0) {
            shown.emplace_back(child, record->Count);
        }
    }
    FTreeModel->SetShownCounts(shown);
}

void TKVTreeFrame::TreeViewExpanded(const QModelIndex& AIndex) {
    if (!::ViewCountItems || !ActionState())
        return;
    TKVTreeNode* node = FTreeModel->NodeOf(AIndex);
    if (!node)
        return;
    if (frmMain)
        frmMain->ShowProgress();
    ShowItemsCount(node);
    if (frmMain)
        frmMain->HideProgress();
}

// ------------------------------------------------------------------- updates from cards

void TKVTreeFrame::AddOrUpdateListItem(const TKVDBKey& AKey) {
    if (const std::optional<TKVTreeRecord> record = TreeRecord(AKey))
        AddOrUpdateTreeNode(record->Key, record->ParentKey, record->Name, record->IconId,
                            record->Count);
}

void TKVTreeFrame::AddOrUpdateTreeNode(const TKVDBKey& AKey, const TKVDBKey& AParentKey,
                                       const QString& AName, qint32 AIconId, qint32 ACount) {
    const bool filtered = FilterStrLen() > 0;
    const bool topLevel = AParentKey.Id == 0;
    TKVTreeNode* parent = topLevel ? nullptr : FTreeModel->Find(AParentKey);
    if (TKVTreeNode* node = FTreeModel->Find(AKey)) {
        FTreeModel->UpdateNode(node, AName, AIconId, ACount);
        // The parent test reads the node's place in the tree, not the parent it was made with.
        const bool moved = topLevel ? node->Parent != nullptr
                                    : !node->Parent || !(node->Parent->Key == AParentKey);
        if (!filtered && moved && ((!topLevel && !parent) || !FTreeModel->MoveNode(node, parent)))
            RemoveTreeNode(node);
    } else if (filtered) {
        if (MatchesFilter(AName))
            FTreeModel->AppendNode(nullptr, AKey, AName, AIconId, ACount);
    } else if (topLevel || parent) {
        FTreeModel->AppendNode(parent, AKey, AName, AIconId, ACount);
    }
    // The selection record keeps the node's new text.
    const TKVSelectedItemDBData& selected = SelectedItemDBData();
    if (selected.Select && NormalKey(selected.DBId, selected.Id) == AKey)
        ListViewSelectItem();
}

void TKVTreeFrame::RemoveTreeNode(TKVTreeNode* ANode) {
    const QModelIndexList selected = ListView()->selectionModel()->selectedRows();
    const bool selectionInside =
        !selected.isEmpty() && TKVTreeModel::IsWithin(FTreeModel->NodeOf(selected.first()), ANode);
    FTreeModel->RemoveNode(ANode);
    // The view would move the selection to a neighbour; a removed record leaves none.
    if (selectionInside)
        ListView()->selectionModel()->clearSelection();
    ListViewSelectItem();
}

void TKVTreeFrame::DeleteTreeNode(const TKVDBKey& AKey) {
    TKVTreeNode* node = FTreeModel->Find(AKey);
    if (!node)
        return;
    RemoveTreeNode(node);
    UpdateCountPanel();
}

void TKVTreeFrame::DeleteListItem(quint32 ADBId, quint32 AId) {
    DeleteTreeNode(NormalKey(ADBId, AId));
}

void TKVTreeFrame::ListViewDblClick() {
    if (ActionState())
        ListViewEnterKey();
}
