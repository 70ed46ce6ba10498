#pragma once

// Sorting of list windows by a column. A window keeps a signed sort key (SortedType): 0 keeps
// the load order; otherwise its absolute value is the sorted column's position + 1 and its sign
// the direction (positive ascending). The column's kind picks one of the comparators below,
// which compare two rows the way a list view's custom sort does: a negative result puts the
// first row before the second. They never return 0 for equal values (equal rows give -d), so
// they are no ordering for a sort algorithm by themselves: rows are sorted through
// SortListRows, which turns a comparator into a strict weak order and keeps equal rows in the
// order they were in.

#include <QDateTime>
#include <QString>

#include <algorithm>
#include <iterator>
#include <optional>
#include <ranges>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// What a comparator reads of one row: its column texts (the caption, column 0, first; a row may
// hold fewer texts than the list has columns, a missing text reads as described at each
// comparator) and the number kept with the row's key, when the row carries a key.
struct TKVSortItem {
    std::span<const QString> Texts;
    std::optional<double> DataValue;
};

// A comparator: two rows and the sort key in, a signed integer out.
using TKVListViewCompare = int (*)(const TKVSortItem& AItem1, const TKVSortItem& AItem2,
                                   int ASortedType);

// The kind of data in a column, kept as the column's tag; any other tag compares as text.
enum TKVListColumnKind {
    lckText = 0,
    lckInteger = 1,      // decimal integers
    lckFloat = 2,        // numbers with the user's decimal separator
    lckDate = 3,         // dates in the user's short date format
    lckDataValue = 4,    // the number kept with the row
    lckNumberPrefix = 5, // the number at the start of the text ("100 мкФ", "~12")
    lckDateTime = 6      // dates with times of day as "dd.mm.yyyy hh:nn"
};

// Every pair is equal: the rows keep their order.
int ListViewCompareNone(const TKVSortItem& AItem1, const TKVSortItem& AItem2, int ASortedType);
// The column's texts; case is ignored for the Latin letters a to z only, every other character
// compares by its UTF-16 code. A missing text is empty.
int ListViewCompareText(const TKVSortItem& AItem1, const TKVSortItem& AItem2, int ASortedType);
// The column's texts read as decimal integers; a text that is not one, or is missing, is 0.
int ListViewCompareInt(const TKVSortItem& AItem1, const TKVSortItem& AItem2, int ASortedType);
// The column's texts read as numbers with the user's decimal separator; a text that is not
// one, or is missing, is 0.
int ListViewCompareFloat(const TKVSortItem& AItem1, const TKVSortItem& AItem2, int ASortedType);
// The column's texts read as dates in the user's short date format; a text that is not one,
// or is missing, is 0.
int ListViewCompareDate(const TKVSortItem& AItem1, const TKVSortItem& AItem2, int ASortedType);
// The column's texts read as "dd.mm.yyyy hh:nn" (DateTimeListText); a text that is not one, or
// is missing, is 0 (before every date).
int ListViewCompareDateTime(const TKVSortItem& AItem1, const TKVSortItem& AItem2, int ASortedType);
// The numbers kept with the rows; 0 for a row without one.
int ListViewCompareDataValue(const TKVSortItem& AItem1, const TKVSortItem& AItem2, int ASortedType);
// The leading numbers of the column's texts (LeadingNumberText); 0 when it does not read.
int ListViewCompareNumberPrefix(const TKVSortItem& AItem1, const TKVSortItem& AItem2,
                                int ASortedType);

// A date and time of day as a list shows it: "dd.mm.yyyy hh:nn".
QString DateTimeListText(const QDateTime& AValue);

// The comparator of a column of kind ATag (TKVListColumnKind; any other value: text).
TKVListViewCompare ListViewCompareByTag(int ATag);

// The sort key after a click on column AColumn (from 0): the sign flips when AColumn is the
// sorted column already, otherwise AColumn + 1 (ascending).
int SortedTypeOnColumnClick(int ASortedType, int AColumn);

// The first run of numeric characters (digits, "-" and the user's decimal separator) in
// AText; the whole text when it has none.
QString LeadingNumberText(const QString& AText);

// The strict weak order of a comparator: AItem1 goes before AItem2 only when the comparator
// puts it first both ways round. Rows that compare equal (-d both ways) are not less in either
// direction, whatever the sort key's sign.
inline bool ListViewCompareLess(TKVListViewCompare ACompare, const TKVSortItem& AItem1,
                                const TKVSortItem& AItem2, int ASortedType) {
    return ACompare(AItem1, AItem2, ASortedType) < 0 && ACompare(AItem2, AItem1, ASortedType) > 0;
}

// The values a comparator reads of the rows of one sort, read once per row: the column's text
// with a to z upper-cased, its integer or its number. Compared as the values, the rows order
// exactly as the comparator orders them (ListViewCompareLess), so a sort reads, folds or
// parses each row's text once instead of at each of its many comparisons.
class TKVSortKeys {
public:
    // Whether the keys of ACompare's values can be read ahead: the comparators above.
    static bool Supports(TKVListViewCompare ACompare);

    TKVSortKeys(TKVListViewCompare ACompare, int ASortedType, size_t ACount = 0);
    // Reads the value of the next row.
    void Add(const TKVSortItem& AItem);
    size_t Count() const { return FCount; }
    // Whether row AIndex1 goes before row AIndex2 (ListViewCompareLess of the two rows).
    bool Less(size_t AIndex1, size_t AIndex2) const {
        switch (FKind) {
        case TKind::Text: {
            const int order = Text(AIndex1).compare(Text(AIndex2));
            return FAscending ? order < 0 : order > 0;
        }
        case TKind::Integer:
            return FAscending ? FIntegers[AIndex1] < FIntegers[AIndex2]
                              : FIntegers[AIndex1] > FIntegers[AIndex2];
        case TKind::Number:
            break;
        }
        return FAscending ? FNumbers[AIndex1] < FNumbers[AIndex2]
                          : FNumbers[AIndex1] > FNumbers[AIndex2];
    }
    // The positions 0 .. Count() - 1 in sorted order; equal rows keep their order.
    std::vector<size_t> SortedOrder() const;

    // A row of a text sort: its position and eight characters of its text as two numbers.
    struct TTextEntry {
        quint64 High = 0;
        quint64 Low = 0;
        size_t Index = 0;
    };

private:
    void SortTextRun(TTextEntry* ABegin, TTextEntry* AEnd, size_t ADepth) const;
    enum class TKind { Text, Integer, Number };
    std::u16string_view Text(size_t AIndex) const {
        const TSpan& span = FSpans[AIndex];
        return std::u16string_view(FText.data() + span.Start, span.Length);
    }

    struct TSpan {
        size_t Start;
        size_t Length;
    };
    TKVListViewCompare FCompare;
    int FSortedType;
    TKind FKind;
    bool FAscending;
    size_t FCount = 0;
    // The folded texts one after another in one buffer.
    std::u16string FText;
    std::vector<TSpan> FSpans;
    std::vector<qint64> FIntegers;
    std::vector<double> FNumbers;
};

// Sorts the rows of a list window: ARows is any random-access range of rows (a vector of row
// structs, of pointers, ...), AItemOf gives the TKVSortItem of one row. Rows that compare equal,
// and every row when ASortedType is 0 or ACompare is ListViewCompareNone, keep their order.
template <std::ranges::random_access_range TRows, typename TItemOf>
void SortListRows(TRows& ARows, TKVListViewCompare ACompare, int ASortedType, TItemOf AItemOf) {
    if (ACompare == nullptr || ASortedType == 0 || ACompare == ListViewCompareNone)
        return;
    using TRow = std::ranges::range_value_t<TRows>;
    if (!TKVSortKeys::Supports(ACompare)) {
        std::stable_sort(std::ranges::begin(ARows), std::ranges::end(ARows),
                         [&](const TRow& ARow1, const TRow& ARow2) {
                             return ListViewCompareLess(ACompare, AItemOf(ARow1), AItemOf(ARow2),
                                                        ASortedType);
                         });
        return;
    }
    using TOffset = std::ranges::range_difference_t<TRows>;
    const auto first = std::ranges::begin(ARows);
    const size_t count = static_cast<size_t>(std::ranges::distance(ARows));
    TKVSortKeys keys(ACompare, ASortedType, count);
    for (size_t i = 0; i < count; ++i)
        keys.Add(AItemOf(first[static_cast<TOffset>(i)]));
    const std::vector<size_t> order = keys.SortedOrder();
    std::vector<TRow> sorted;
    sorted.reserve(count);
    for (const size_t i : order)
        sorted.push_back(std::move(first[static_cast<TOffset>(i)]));
    std::move(sorted.begin(), sorted.end(), first);
}
