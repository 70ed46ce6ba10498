#pragma once

// The rows a list window shows, apart from the widgets that show them.
//
// TKVListRow is a snapshot of one record as the list shows it: its key, the texts of its
// columns (the caption, column 0, first), the number some columns sort by and the image in
// front of its caption. A row may be added with its key alone (Pending): its texts are made by
// the rows' filler the first time the row is read, so that a long list costs only the rows
// that are shown or sorted. TKVListRows keeps the rows in their shown order and finds a row by
// key through an index, so that a lookup takes constant time however many rows there are.
// TKVListModel presents the rows as a flat table to a QTreeView; the tree frame has a model of
// its own.

#include "core/KVImageList.h"
#include "core/KVList.h"
#include "core/KVSortCompare.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

struct TKVListRow {
    TKVDBKey Key; // rows keyed by ID alone carry DBId 0
    QStringList Texts;
    std::optional<double> DataValue;
    // Index into the model's image list; -1: no image.
    int ImageIndex = -1;
    bool Pending = false; // texts, DataValue and ImageIndex not made yet

    TKVSortItem SortItem() const {
        return {std::span<const QString>(Texts.constData(), static_cast<size_t>(Texts.size())),
                DataValue};
    }
};

class TKVListRows {
public:
    // Makes the texts of a pending row from its key; a row whose record is gone keeps empty
    // texts.
    using TRowFiller = std::function<void(TKVListRow& ARow)>;

    int Count() const { return static_cast<int>(FRows.size()); }
    bool Empty() const { return FRows.empty(); }
    const TKVListRow& Row(int AIndex) const {
        TKVListRow& row = FRows[static_cast<size_t>(AIndex)];
        if (row.Pending)
            FillRow(row);
        return row;
    }
    // The row with its texts made, not kept: a pending row stays pending, so that reading every
    // row once (a sort) costs no memory that stays.
    TKVListRow MadeRow(int AIndex) const {
        TKVListRow row = FRows[static_cast<size_t>(AIndex)];
        if (row.Pending)
            FillRow(row);
        return row;
    }
    // The key of a row; a pending row stays pending.
    const TKVDBKey& Key(int AIndex) const { return FRows[static_cast<size_t>(AIndex)].Key; }
    // Every row, pending rows made first.
    const std::vector<TKVListRow>& Rows() const;
    void SetFiller(TRowFiller AFiller) { FFiller = std::move(AFiller); }

    void Assign(std::vector<TKVListRow> ARows);
    void Clear();
    void Append(TKVListRow ARow);
    void Replace(int AIndex, TKVListRow ARow);
    void Remove(int AIndex);
    // Puts the rows into the order of APermutation: new position n takes old row
    // APermutation[n].
    void Permute(const std::vector<int>& APermutation);

    // The position of the first row with the key, or -1.
    int Find(const TKVDBKey& AKey) const;

private:
    void RebuildIndex() const;
    void FillRow(TKVListRow& ARow) const;

    // Mutable: reading a pending row makes its texts.
    mutable std::vector<TKVListRow> FRows;
    TRowFiller FFiller;
    // Key to the position of its first row; rebuilt on the next lookup after a removal or a
    // reordering.
    mutable std::unordered_map<quint64, int> FIndex;
    mutable bool FIndexValid = true;
};

// A column of a list: caption, width in pixels and the comparator tag (TKVListColumnKind).
struct TKVListColumn {
    QString Caption;
    int Width = 100;
    int Tag = lckText;
};

// Sorts a vector of rows by the comparator of the column |ASortedType| - 1 (SortListRows).
void SortListRowVector(std::vector<TKVListRow>& ARows, const std::vector<TKVListColumn>& AColumns,
                       int ASortedType);

class TKVListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TKVListModel(QObject* AParent = nullptr);

    void SetColumns(std::vector<TKVListColumn> AColumns);
    const std::vector<TKVListColumn>& Columns() const { return FColumns; }
    // The images rows show in front of their caption (TKVListRow::ImageIndex); nullptr: none.
    void SetImageList(const TKVImageList* AImageList) { FImageList = AImageList; }

    const TKVListRows& Rows() const { return FRows; }
    void SetRowFiller(TKVListRows::TRowFiller AFiller) { FRows.SetFiller(std::move(AFiller)); }
    int Count() const { return FRows.Count(); }
    const TKVListRow& Row(int AIndex) const { return FRows.Row(AIndex); }
    // The key of a row, without making the texts of a pending row.
    const TKVDBKey& RowKey(int AIndex) const { return FRows.Key(AIndex); }
    int Find(const TKVDBKey& AKey) const { return FRows.Find(AKey); }

    // Replaces every row (a model reset).
    void ResetRows(std::vector<TKVListRow> ARows);
    void Clear() { ResetRows({}); }
    void AppendRow(TKVListRow ARow);
    void ReplaceRow(int AIndex, TKVListRow ARow);
    void RemoveRow(int AIndex);
    // Sorts the rows by the comparator of the column |ASortedType| - 1 (SortListRows); equal
    // rows keep their order, a sort key of 0 keeps every row in place. Selected and current
    // rows stay selected and current.
    void SortRows(int ASortedType);

    int rowCount(const QModelIndex& AParent = QModelIndex()) const override;
    int columnCount(const QModelIndex& AParent = QModelIndex()) const override;
    QVariant data(const QModelIndex& AIndex, int ARole = Qt::DisplayRole) const override;
    QVariant headerData(int ASection, Qt::Orientation AOrientation,
                        int ARole = Qt::DisplayRole) const override;

private:
    std::vector<TKVListColumn> FColumns;
    TKVListRows FRows;
    const TKVImageList* FImageList = nullptr;
};
