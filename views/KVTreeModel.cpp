#include "views/KVTreeModel.h"

#include "core/KVImageList.h"

#include <algorithm>

QString TKVTreeNode::Text() const {
    return ShownCount > 0
               ? Name + QStringLiteral(" (") + QString::number(ShownCount) + QLatin1Char(')')
               : Name;
}

TKVTreeModel::TKVTreeModel(QObject* AParent) : QAbstractItemModel(AParent) {}

TKVTreeModel::~TKVTreeModel() = default;

TKVTreeNode* TKVTreeModel::Find(const TKVDBKey& AKey) const {
    const auto found = FNodes.find(AKey.Packed());
    return found == FNodes.end() ? nullptr : found->second.get();
}

TKVTreeNode* TKVTreeModel::NodeOf(const QModelIndex& AIndex) const {
    return AIndex.isValid() && AIndex.model() == this
               ? static_cast<TKVTreeNode*>(AIndex.internalPointer())
               : nullptr;
}

QModelIndex TKVTreeModel::IndexOf(const TKVTreeNode* ANode) const {
    return ANode ? createIndex(ANode->Row, 0, const_cast<TKVTreeNode*>(ANode)) : QModelIndex();
}

bool TKVTreeModel::IsWithin(const TKVTreeNode* ANode, const TKVTreeNode* AAncestor) {
    for (; ANode; ANode = ANode->Parent)
        if (ANode == AAncestor)
            return true;
    return false;
}

void TKVTreeModel::ResetNodes(const std::vector<TPlacement>& APlacements) {
    beginResetModel();
    FTopLevel.clear();
    FNodes.clear();
    FNodes.reserve(APlacements.size());
    for (const TPlacement& placement : APlacements) {
        TKVTreeNode* parent = nullptr;
        if (!placement.TopLevel && !(parent = Find(placement.ParentKey)))
            continue;
        auto [slot, added] = FNodes.try_emplace(placement.Key.Packed());
        if (!added)
            continue;
        slot->second = std::make_unique<TKVTreeNode>();
        TKVTreeNode* node = slot->second.get();
        node->Key = placement.Key;
        node->Name = placement.Name;
        node->IconId = placement.IconId;
        node->Parent = parent;
        std::vector<TKVTreeNode*>& siblings = SiblingsOf(parent);
        node->Row = static_cast<int>(siblings.size());
        siblings.push_back(node);
    }
    endResetModel();
}

TKVTreeNode* TKVTreeModel::AppendNode(TKVTreeNode* AParent, const TKVDBKey& AKey,
                                      const QString& AName, qint32 AIconId, qint32 AShownCount) {
    if (Find(AKey))
        return nullptr;
    std::vector<TKVTreeNode*>& siblings = SiblingsOf(AParent);
    const int row = static_cast<int>(siblings.size());
    beginInsertRows(IndexOf(AParent), row, row);
    auto owned = std::make_unique<TKVTreeNode>();
    TKVTreeNode* node = owned.get();
    node->Key = AKey;
    node->Name = AName;
    node->IconId = AIconId;
    node->ShownCount = AShownCount;
    node->Parent = AParent;
    node->Row = row;
    FNodes.emplace(AKey.Packed(), std::move(owned));
    siblings.push_back(node);
    endInsertRows();
    return node;
}

void TKVTreeModel::UpdateNode(TKVTreeNode* ANode, const QString& AName, qint32 AIconId,
                              qint32 AShownCount) {
    ANode->Name = AName;
    ANode->IconId = AIconId;
    ANode->ShownCount = AShownCount;
    const QModelIndex index = IndexOf(ANode);
    emit dataChanged(index, index);
}

void TKVTreeModel::SetShownCount(TKVTreeNode* ANode, qint32 AShownCount) {
    if (ANode->ShownCount == AShownCount)
        return;
    ANode->ShownCount = AShownCount;
    const QModelIndex index = IndexOf(ANode);
    emit dataChanged(index, index, {Qt::DisplayRole});
}

void TKVTreeModel::SetShownCounts(const std::vector<std::pair<TKVTreeNode*, qint32>>& ACounts) {
    // The changed nodes by parent, as a row range each.
    std::unordered_map<const TKVTreeNode*, std::pair<int, int>> ranges;
    for (const auto& [node, count] : ACounts) {
        if (node->ShownCount == count)
            continue;
        node->ShownCount = count;
        auto [range, added] = ranges.try_emplace(node->Parent, node->Row, node->Row);
        if (!added) {
            range->second.first = std::min(range->second.first, node->Row);
            range->second.second = std::max(range->second.second, node->Row);
        }
    }
    for (const auto& [parent, range] : ranges) {
        const QModelIndex parentIndex = parent ? IndexOf(parent) : QModelIndex();
        emit dataChanged(index(range.first, 0, parentIndex), index(range.second, 0, parentIndex),
                         {Qt::DisplayRole});
    }
}

void TKVTreeModel::Detach(TKVTreeNode* ANode) {
    std::vector<TKVTreeNode*>& siblings = SiblingsOf(ANode->Parent);
    siblings.erase(siblings.begin() + ANode->Row);
    for (size_t i = static_cast<size_t>(ANode->Row); i < siblings.size(); ++i)
        siblings[i]->Row = static_cast<int>(i);
}

bool TKVTreeModel::MoveNode(TKVTreeNode* ANode, TKVTreeNode* ANewParent) {
    if (IsWithin(ANewParent, ANode))
        return false;
    const std::vector<TKVTreeNode*>& target = SiblingsOf(ANewParent);
    // Already the last child there: nothing moves.
    if (ANode->Parent == ANewParent && ANode->Row == static_cast<int>(target.size()) - 1)
        return true;
    if (!beginMoveRows(IndexOf(ANode->Parent), ANode->Row, ANode->Row, IndexOf(ANewParent),
                       static_cast<int>(target.size())))
        return false;
    Detach(ANode);
    std::vector<TKVTreeNode*>& siblings = SiblingsOf(ANewParent);
    ANode->Parent = ANewParent;
    ANode->Row = static_cast<int>(siblings.size());
    siblings.push_back(ANode);
    endMoveRows();
    return true;
}

void TKVTreeModel::Forget(TKVTreeNode* ANode) {
    // Without recursion: a chain of nested records may be as long as the list.
    std::vector<TKVTreeNode*> pending{ANode};
    while (!pending.empty()) {
        TKVTreeNode* node = pending.back();
        pending.pop_back();
        pending.insert(pending.end(), node->Children.begin(), node->Children.end());
        FNodes.erase(node->Key.Packed()); // frees the node
    }
}

void TKVTreeModel::RemoveNode(TKVTreeNode* ANode) {
    beginRemoveRows(IndexOf(ANode->Parent), ANode->Row, ANode->Row);
    Detach(ANode);
    Forget(ANode);
    endRemoveRows();
}

QModelIndex TKVTreeModel::index(int ARow, int AColumn, const QModelIndex& AParent) const {
    if (AColumn != 0 || ARow < 0 || (AParent.isValid() && AParent.column() != 0))
        return {};
    const std::vector<TKVTreeNode*>& siblings = SiblingsOf(NodeOf(AParent));
    if (static_cast<size_t>(ARow) >= siblings.size())
        return {};
    return createIndex(ARow, 0, siblings[static_cast<size_t>(ARow)]);
}

QModelIndex TKVTreeModel::parent(const QModelIndex& AChild) const {
    const TKVTreeNode* node = NodeOf(AChild);
    return node ? IndexOf(node->Parent) : QModelIndex();
}

int TKVTreeModel::rowCount(const QModelIndex& AParent) const {
    if (AParent.isValid() && AParent.column() != 0)
        return 0;
    return static_cast<int>(SiblingsOf(NodeOf(AParent)).size());
}

int TKVTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

QVariant TKVTreeModel::data(const QModelIndex& AIndex, int ARole) const {
    const TKVTreeNode* node = NodeOf(AIndex);
    if (!node)
        return {};
    switch (ARole) {
    case Qt::DisplayRole:
        return node->Text();
    case Qt::DecorationRole:
        if (FImages) {
            const QPixmap image = FImages->Image(node->IconId);
            if (!image.isNull())
                return image;
        }
        return {};
    default:
        return {};
    }
}
