#pragma once

// The nodes a tree window shows, as a model for a QTreeView.
//
// Every node holds the key of its record, the record's name and icon, and the count shown
// behind the name (ShownCount, -1 while none was evaluated for the node). Its text is the name,
// or the name followed by " (n)" when a count n > 0 is shown. The model owns its nodes; a node
// is found by key through an index in constant time, and it knows its position among its
// siblings, so that the view's lookups never walk the tree. The same model shows the flat form
// of a filtered tree: all nodes at the top level.

#include "core/KVList.h"

#include <QAbstractItemModel>
#include <QString>

#include <memory>
#include <unordered_map>
#include <vector>

class TKVImageList;

struct TKVTreeNode {
    TKVDBKey Key; // nodes of records keyed by ID alone carry DBId 0
    QString Name;
    qint32 IconId = -1;            // -1: no image
    qint32 ShownCount = -1;        // -1: no count evaluated for this node yet
    TKVTreeNode* Parent = nullptr; // nullptr: a top-level node
    int Row = 0;                   // position among its siblings
    std::vector<TKVTreeNode*> Children;

    QString Text() const;
};

class TKVTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    // A node as a rebuild places it: under the node of ParentKey, or at the top level when
    // TopLevel is set. A parent comes before its children.
    struct TPlacement {
        TKVDBKey Key;
        TKVDBKey ParentKey;
        bool TopLevel = true;
        QString Name;
        qint32 IconId = -1;
    };

    explicit TKVTreeModel(QObject* AParent = nullptr);
    ~TKVTreeModel() override;

    // The images of the nodes' icons (nullptr: none); the list must outlive the model.
    void SetImages(const TKVImageList* AImages) { FImages = AImages; }

    // The number of nodes, collapsed ones included.
    int Count() const { return static_cast<int>(FNodes.size()); }
    const std::vector<TKVTreeNode*>& TopLevel() const { return FTopLevel; }
    TKVTreeNode* Find(const TKVDBKey& AKey) const;
    TKVTreeNode* NodeOf(const QModelIndex& AIndex) const;
    QModelIndex IndexOf(const TKVTreeNode* ANode) const;
    // Whether ANode is AAncestor or lies below it.
    static bool IsWithin(const TKVTreeNode* ANode, const TKVTreeNode* AAncestor);

    // Replaces every node (a model reset); every ShownCount starts at -1. A placement whose
    // parent has no node, or whose key has one already, is skipped.
    void ResetNodes(const std::vector<TPlacement>& APlacements);
    void Clear() { ResetNodes({}); }
    // A new last child of AParent (nullptr: the top level); nullptr when the key has a node.
    TKVTreeNode* AppendNode(TKVTreeNode* AParent, const TKVDBKey& AKey, const QString& AName,
                            qint32 AIconId, qint32 AShownCount);
    void UpdateNode(TKVTreeNode* ANode, const QString& AName, qint32 AIconId, qint32 AShownCount);
    void SetShownCount(TKVTreeNode* ANode, qint32 AShownCount);
    // The same for many nodes at once, with one change notice per run of siblings.
    void SetShownCounts(const std::vector<std::pair<TKVTreeNode*, qint32>>& ACounts);
    // Makes ANode, with its subtree, the last child of ANewParent (nullptr: the top level).
    // False, nothing moved, when ANewParent lies in ANode's own subtree.
    bool MoveNode(TKVTreeNode* ANode, TKVTreeNode* ANewParent);
    // Removes ANode and its subtree.
    void RemoveNode(TKVTreeNode* ANode);

    QModelIndex index(int ARow, int AColumn,
                      const QModelIndex& AParent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& AChild) const override;
    int rowCount(const QModelIndex& AParent = QModelIndex()) const override;
    int columnCount(const QModelIndex& AParent = QModelIndex()) const override;
    QVariant data(const QModelIndex& AIndex, int ARole = Qt::DisplayRole) const override;

private:
    std::vector<TKVTreeNode*>& SiblingsOf(TKVTreeNode* AParent) {
        return AParent ? AParent->Children : FTopLevel;
    }
    const std::vector<TKVTreeNode*>& SiblingsOf(const TKVTreeNode* AParent) const {
        return AParent ? AParent->Children : FTopLevel;
    }
    // Takes ANode out of its siblings; the later siblings move up one place.
    void Detach(TKVTreeNode* ANode);
    void Forget(TKVTreeNode* ANode);

    std::unordered_map<quint64, std::unique_ptr<TKVTreeNode>> FNodes;
    std::vector<TKVTreeNode*> FTopLevel;
    const TKVImageList* FImages = nullptr;
};
