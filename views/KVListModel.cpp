#include "views/KVListModel.h"

#include <cstdlib>
#include <numeric>

// ---------------------------------------------------------------------------------- rows

void TKVListRows::Assign(std::vector<TKVListRow> ARows) {
    FRows = std::move(ARows);
    FIndexValid = false;
}

void TKVListRows::Clear() {
    FRows.clear();
    FIndex.clear();
    FIndexValid = true;
}

void TKVListRows::Append(TKVListRow ARow) {
    const quint64 key = ARow.Key.Packed();
    FRows.push_back(std::move(ARow));
    if (FIndexValid)
        FIndex.try_emplace(key, Count() - 1);
}

void TKVListRows::Replace(int AIndex, TKVListRow ARow) {
    TKVListRow& row = FRows[static_cast<size_t>(AIndex)];
    if (!(row.Key == ARow.Key))
        FIndexValid = false;
    row = std::move(ARow);
}

void TKVListRows::Remove(int AIndex) {
    FRows.erase(FRows.begin() + AIndex);
    FIndexValid = false;
}

void TKVListRows::Permute(const std::vector<int>& APermutation) {
    std::vector<TKVListRow> rows;
    rows.reserve(FRows.size());
    for (int old : APermutation)
        rows.push_back(std::move(FRows[static_cast<size_t>(old)]));
    FRows = std::move(rows);
    FIndexValid = false;
}

const std::vector<TKVListRow>& TKVListRows::Rows() const {
    for (TKVListRow& row : FRows)
        if (row.Pending)
            FillRow(row);
    return FRows;
}

void TKVListRows::FillRow(TKVListRow& ARow) const {
    ARow.Pending = false;
    if (FFiller)
        FFiller(ARow);
}

int TKVListRows::Find(const TKVDBKey& AKey) const {
    if (!FIndexValid)
        RebuildIndex();
    const auto found = FIndex.find(AKey.Packed());
    return found == FIndex.end() ? -1 : found->second;
}

void TKVListRows::RebuildIndex() const {
    FIndex.clear();
    FIndex.reserve(FRows.size());
    for (int i = 0; i < Count(); ++i)
        FIndex.try_emplace(FRows[static_cast<size_t>(i)].Key.Packed(), i);
    FIndexValid = true;
}

namespace {

TKVListViewCompare ColumnCompare(const std::vector<TKVListColumn>& AColumns, int ASortedType) {
    const size_t column = static_cast<size_t>(std::abs(ASortedType) - 1);
    return ListViewCompareByTag(column < AColumns.size() ? AColumns[column].Tag : lckText);
}

} // namespace

void SortListRowVector(std::vector<TKVListRow>& ARows, const std::vector<TKVListColumn>& AColumns,
                       int ASortedType) {
    if (ASortedType == 0)
        return;
    SortListRows(ARows, ColumnCompare(AColumns, ASortedType), ASortedType,
                 [](const TKVListRow& ARow) { return ARow.SortItem(); });
}

// --------------------------------------------------------------------------------- model

TKVListModel::TKVListModel(QObject* AParent) : QAbstractTableModel(AParent) {}

void TKVListModel::SetColumns(std::vector<TKVListColumn> AColumns) {
    beginResetModel();
    FColumns = std::move(AColumns);
    endResetModel();
}

void TKVListModel::ResetRows(std::vector<TKVListRow> ARows) {
    beginResetModel();
    FRows.Assign(std::move(ARows));
    endResetModel();
}

void TKVListModel::AppendRow(TKVListRow ARow) {
    beginInsertRows(QModelIndex(), Count(), Count());
    FRows.Append(std::move(ARow));
    endInsertRows();
}

void TKVListModel::ReplaceRow(int AIndex, TKVListRow ARow) {
    FRows.Replace(AIndex, std::move(ARow));
    emit dataChanged(index(AIndex, 0), index(AIndex, columnCount() - 1));
}

void TKVListModel::RemoveRow(int AIndex) {
    beginRemoveRows(QModelIndex(), AIndex, AIndex);
    FRows.Remove(AIndex);
    endRemoveRows();
}

void TKVListModel::SortRows(int ASortedType) {
    if (ASortedType == 0 || FRows.Count() < 2)
        return;
    // Each row's value is read once, from its texts made for the moment: rows not shown stay
    // pending.
    const TKVListViewCompare compare = ColumnCompare(FColumns, ASortedType);
    std::vector<int> order;
    if (TKVSortKeys::Supports(compare)) {
        TKVSortKeys keys(compare, ASortedType, static_cast<size_t>(FRows.Count()));
        for (int i = 0; i < FRows.Count(); ++i)
            keys.Add(FRows.MadeRow(i).SortItem());
        order.reserve(keys.Count());
        for (const size_t i : keys.SortedOrder())
            order.push_back(static_cast<int>(i));
    } else {
        order.resize(static_cast<size_t>(FRows.Count()));
        std::iota(order.begin(), order.end(), 0);
        SortListRows(order, compare, ASortedType,
                     [this](int ARow) { return FRows.Row(ARow).SortItem(); });
    }

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> newPosition(order.size());
    for (size_t n = 0; n < order.size(); ++n)
        newPosition[static_cast<size_t>(order[n])] = static_cast<int>(n);
    const QModelIndexList persistent = persistentIndexList();
    QModelIndexList moved;
    moved.reserve(persistent.size());
    for (const QModelIndex& old : persistent)
        moved << index(newPosition[static_cast<size_t>(old.row())], old.column());
    FRows.Permute(order);
    changePersistentIndexList(persistent, moved);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int TKVListModel::rowCount(const QModelIndex& AParent) const {
    return AParent.isValid() ? 0 : FRows.Count();
}

int TKVListModel::columnCount(const QModelIndex& AParent) const {
    return AParent.isValid() ? 0 : static_cast<int>(FColumns.size());
}

QVariant TKVListModel::data(const QModelIndex& AIndex, int ARole) const {
    if (!AIndex.isValid() || AIndex.row() >= FRows.Count())
        return {};
    if (ARole == Qt::DecorationRole) {
        const int image = FRows.Row(AIndex.row()).ImageIndex;
        if (AIndex.column() != 0 || !FImageList || image < 0)
            return {};
        return FImageList->Icon(image);
    }
    if (ARole != Qt::DisplayRole)
        return {};
    const QStringList& texts = FRows.Row(AIndex.row()).Texts;
    return AIndex.column() < texts.size() ? texts[AIndex.column()] : QString();
}

QVariant TKVListModel::headerData(int ASection, Qt::Orientation AOrientation, int ARole) const {
    if (AOrientation != Qt::Horizontal || ARole != Qt::DisplayRole || ASection < 0 ||
        static_cast<size_t>(ASection) >= FColumns.size())
        return {};
    return FColumns[static_cast<size_t>(ASection)].Caption;
}
