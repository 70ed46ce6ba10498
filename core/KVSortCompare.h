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

// Sorts the rows of a list window: ARows is any random-access range of rows (a vector of row
// structs, of pointers, ...), AItemOf gives the TKVSortItem of one row. Rows that compare equal,
// and every row when ASortedType is 0 or ACompare is ListViewCompareNone, keep their order.
template <std::ranges::random_access_range TRows, typename TItemOf>
void SortListRows(TRows& ARows, TKVListViewCompare ACompare, int ASortedType, TItemOf AItemOf) {
    if (ACompare == nullptr || ASortedType == 0)
        return;
    using TRow = std::ranges::range_value_t<TRows>;
    std::stable_sort(std::ranges::begin(ARows), std::ranges::end(ARows),
                     [&](const TRow& ARow1, const TRow& ARow2) {
                         return ListViewCompareLess(ACompare, AItemOf(ARow1), AItemOf(ARow2),
                                                    ASortedType);
                     });
}
