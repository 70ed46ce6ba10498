// The list comparators on the texts and values of two rows, and the one sort of list rows that
// builds on them. The test main pins the Russian locale: "," is the decimal separator and
// dd.MM.yyyy the short date format.

#include "core/KVSortCompare.h"

#include <QList>
#include <QStringList>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <vector>

namespace {

// A row as a list model might keep it: its texts, an optional row value and its load position.
struct TRow {
    QStringList Texts;
    std::optional<double> Value;
    int LoadPos = 0;
};

TKVSortItem ItemOf(const TRow& ARow) {
    return {std::span<const QString>(ARow.Texts.constData(), size_t(ARow.Texts.size())),
            ARow.Value};
}

struct TCompareCase {
    const char* Name;
    TKVListViewCompare Compare;
    TRow Row1;
    TRow Row2;
    int SortedType;
    int Expected; // the result with SortedType
    bool Equal;   // the two values are equal: the reversed key gives +1, not -Expected
};

const std::vector<TCompareCase>& CompareCases() {
    const auto row = [](QStringList ATexts, std::optional<double> AValue = std::nullopt) {
        return TRow{std::move(ATexts), AValue, 0};
    };
    static const std::vector<TCompareCase> cases = {
        // Text: case is ignored for a to z only.
        {"text latin case", ListViewCompareText, row({"abc"}), row({"ABC"}), 1, -1, true},
        {"text latin case reversed", ListViewCompareText, row({"ABC"}), row({"abc"}), 1, -1, true},
        {"text a before B", ListViewCompareText, row({"a"}), row({"B"}), 1, -1, false},
        {"text _ after a", ListViewCompareText, row({"_"}), row({"a"}), 1, 1, false},
        {"text cyrillic case differs", ListViewCompareText, row({"яб"}), row({"ЯБ"}), 1, 1, false},
        {"text prefix first", ListViewCompareText, row({"ab"}), row({"abc"}), 1, -1, false},
        {"text missing is empty", ListViewCompareText, row({"x"}), row({"x", ""}), 2, -1, true},
        {"text missing before text", ListViewCompareText, row({"x", "a"}), row({"x"}), 2, 1, false},
        {"text sub-item", ListViewCompareText, row({"b", "1"}), row({"a", "2"}), 2, -1, false},
        // Integer
        {"int 12 after 9", ListViewCompareInt, row({"x", "12"}), row({"x", "9"}), 2, 1, false},
        {"int abc equals 0", ListViewCompareInt, row({"x", "abc"}), row({"x", "0"}), 2, -1, true},
        {"int missing is 0", ListViewCompareInt, row({"x", "a"}), row({"x", "a", "-1"}), 3, 1,
         false},
        {"int 1,5 is no integer", ListViewCompareInt, row({"1,5"}), row({"0"}), 1, -1, true},
        // Number with the decimal comma
        {"float 1,5 after 1,25", ListViewCompareFloat, row({"1,5"}), row({"1,25"}), 1, 1, false},
        {"float 10 after 9", ListViewCompareFloat, row({"10"}), row({"9"}), 1, 1, false},
        {"float 1.5 is no number", ListViewCompareFloat, row({"1.5"}), row({"0"}), 1, -1, true},
        {"float group separator", ListViewCompareFloat, row({"1 000"}), row({"5"}), 1, -1, false},
        {"float exponent", ListViewCompareFloat, row({"1,5E20"}), row({"1E19"}), 1, 1, false},
        {"float nan is 0", ListViewCompareFloat, row({"nan"}), row({"-1"}), 1, 1, false},
        {"float missing is 0", ListViewCompareFloat, row({"x"}), row({"x", "-0,5"}), 2, 1, false},
        // Date
        {"date later", ListViewCompareDate, row({"01.02.2015"}), row({"02.01.2014"}), 1, 1, false},
        {"date without zeros", ListViewCompareDate, row({"1.2.2015"}), row({"31.01.2015"}), 1, 1,
         false},
        {"date not a date", ListViewCompareDate, row({"abc"}), row({""}), 1, -1, true},
        {"date missing is 0", ListViewCompareDate, row({"x"}), row({"x", "01.01.1900"}), 2, -1,
         false},
        {"date invalid day", ListViewCompareDate, row({"31.02.2015"}), row({"x"}), 1, -1, true},
        // Row value
        {"value greater", ListViewCompareDataValue, row({"a"}, 2.0), row({"b"}, 1.5), 1, 1, false},
        {"value none is 0", ListViewCompareDataValue, row({"a"}), row({"b"}, -1.0), 1, 1, false},
        {"value ignores texts", ListViewCompareDataValue, row({"z"}, 1.0), row({"a"}, 1.0), 1, -1,
         true},
        // Leading number
        {"prefix 100 мкФ", ListViewCompareNumberPrefix, row({"100 мкФ"}), row({"99 мкФ"}), 1, 1,
         false},
        {"prefix ab12cd", ListViewCompareNumberPrefix, row({"ab12cd"}), row({"11"}), 1, 1, false},
        {"prefix x is 0", ListViewCompareNumberPrefix, row({"x"}), row({"0"}), 1, -1, true},
        {"prefix 1-2 is 0", ListViewCompareNumberPrefix, row({"1-2"}), row({"-1"}), 1, 1, false},
        {"prefix ~12", ListViewCompareNumberPrefix, row({"~12"}), row({"9"}), 1, 1, false},
        {"prefix decimal", ListViewCompareNumberPrefix, row({"1,5 В"}), row({"1,25 В"}), 1, 1,
         false},
        {"prefix missing is 0", ListViewCompareNumberPrefix, row({"x"}), row({"x", "-1 шт"}), 2, 1,
         false},
    };
    return cases;
}

TEST(KVSortCompareTest, ComparatorsGiveDirectionAndNeverZero) {
    for (const TCompareCase& c : CompareCases()) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(c.Compare(ItemOf(c.Row1), ItemOf(c.Row2), c.SortedType), c.Expected);
        // The reversed key reverses every result but that of equal values, which give +1.
        EXPECT_EQ(c.Compare(ItemOf(c.Row1), ItemOf(c.Row2), -c.SortedType),
                  c.Equal ? 1 : -c.Expected);
        // A sort key of 0 compares nothing.
        EXPECT_EQ(c.Compare(ItemOf(c.Row1), ItemOf(c.Row2), 0), 0);
        EXPECT_EQ(ListViewCompareNone(ItemOf(c.Row1), ItemOf(c.Row2), c.SortedType), 0);
    }
}

TEST(KVSortCompareTest, LeadingNumberTextAndTags) {
    EXPECT_EQ(LeadingNumberText("100 мкФ"), "100");
    EXPECT_EQ(LeadingNumberText("ab12cd"), "12");
    EXPECT_EQ(LeadingNumberText("x"), "x");
    EXPECT_EQ(LeadingNumberText("U=-1,5В"), "-1,5");
    EXPECT_EQ(LeadingNumberText(""), "");

    EXPECT_EQ(ListViewCompareByTag(lckInteger), &ListViewCompareInt);
    EXPECT_EQ(ListViewCompareByTag(lckFloat), &ListViewCompareFloat);
    EXPECT_EQ(ListViewCompareByTag(lckDate), &ListViewCompareDate);
    EXPECT_EQ(ListViewCompareByTag(lckDataValue), &ListViewCompareDataValue);
    EXPECT_EQ(ListViewCompareByTag(lckNumberPrefix), &ListViewCompareNumberPrefix);
    EXPECT_EQ(ListViewCompareByTag(0), &ListViewCompareText);
    EXPECT_EQ(ListViewCompareByTag(lckDateTime), &ListViewCompareDateTime);
    EXPECT_EQ(ListViewCompareByTag(7), &ListViewCompareText);
    EXPECT_EQ(ListViewCompareByTag(-1), &ListViewCompareText);
}

TEST(KVSortCompareTest, ColumnClickSetsSortedType) {
    // Column 2 three times, then column 0, then column 0 again.
    int k = 0;
    for (const auto& [column, expected] :
         std::vector<std::pair<int, int>>{{2, 3}, {2, -3}, {2, 3}, {0, 1}, {0, -1}, {3, 4}})
        EXPECT_EQ(k = SortedTypeOnColumnClick(k, column), expected);
    // Another column after a descending sort starts ascending.
    EXPECT_EQ(SortedTypeOnColumnClick(-3, 1), 2);
}

// The names of rows in their order after a sort.
QStringList Names(const std::vector<TRow>& ARows) {
    QStringList names;
    for (const TRow& row : ARows)
        names << row.Texts.value(0) + QString::number(row.LoadPos);
    return names;
}

std::vector<TRow> Rows(const QStringList& ACaptions) {
    std::vector<TRow> rows;
    for (const QString& caption : ACaptions)
        rows.push_back({{caption}, std::nullopt, int(rows.size())});
    return rows;
}

TEST(KVSortCompareTest, SortKeepsLoadOrderOfEqualRowsBothWays) {
    std::vector<TRow> rows = Rows({"b", "A", "a", "c", "B"});
    SortListRows(rows, ListViewCompareText, 1, ItemOf);
    EXPECT_EQ(Names(rows), QStringList({"A1", "a2", "b0", "B4", "c3"}));

    rows = Rows({"b", "A", "a", "c", "B"});
    SortListRows(rows, ListViewCompareText, -1, ItemOf);
    EXPECT_EQ(Names(rows), QStringList({"c3", "b0", "B4", "A1", "a2"}));
}

TEST(KVSortCompareTest, SortKeyZeroAndNoneKeepLoadOrder) {
    const QStringList captions = {"b", "A", "a", "c", "B"};
    std::vector<TRow> rows = Rows(captions);
    SortListRows(rows, ListViewCompareText, 0, ItemOf);
    EXPECT_EQ(Names(rows), QStringList({"b0", "A1", "a2", "c3", "B4"}));
    SortListRows(rows, ListViewCompareNone, 1, ItemOf);
    EXPECT_EQ(Names(rows), QStringList({"b0", "A1", "a2", "c3", "B4"}));
    SortListRows(rows, ListViewCompareNone, -1, ItemOf);
    EXPECT_EQ(Names(rows), QStringList({"b0", "A1", "a2", "c3", "B4"}));
}

// Many rows with few distinct values: the result must be ordered by value, and rows of one
// value must stay in load order, in both directions. A comparator used as a bare "less" would
// break both.
TEST(KVSortCompareTest, SortIsStableOrderOnManyDuplicates) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> value(-20, 20);
    std::vector<TRow> loaded;
    for (int i = 0; i < 3000; ++i) {
        TRow row{{QStringLiteral("r"), QString::number(value(random))}, std::nullopt, i};
        if (i % 97 == 0)
            row.Texts.removeLast(); // a missing sub-item reads as 0
        loaded.push_back(row);
    }
    const auto number = [](const TRow& ARow) { return ARow.Texts.value(1, "0").toInt(); };
    for (const int k : {2, -2}) {
        SCOPED_TRACE(k);
        std::vector<TRow> rows = loaded;
        SortListRows(rows, ListViewCompareInt, k, ItemOf);
        for (size_t i = 1; i < rows.size(); ++i) {
            const int previous = number(rows[i - 1]);
            const int current = number(rows[i]);
            ASSERT_TRUE(k > 0 ? previous <= current : previous >= current) << i;
            if (previous == current) {
                ASSERT_LT(rows[i - 1].LoadPos, rows[i].LoadPos) << i;
            }
        }
    }
}

TEST(KVSortCompareTest, SortTakesAnyRowContainer) {
    // Move-only rows behind pointers, sorted by the row value.
    std::vector<std::unique_ptr<TRow>> owned;
    for (const auto& [name, value] : std::vector<std::pair<QString, std::optional<double>>>{
             {"x", 3.5}, {"y", std::nullopt}, {"z", -1.0}, {"w", 3.5}})
        owned.push_back(std::make_unique<TRow>(TRow{{name}, value, int(owned.size())}));
    SortListRows(owned, ListViewCompareDataValue, 1,
                 [](const std::unique_ptr<TRow>& ARow) { return ItemOf(*ARow); });
    QStringList names;
    for (const auto& row : owned)
        names << row->Texts.first();
    EXPECT_EQ(names, QStringList({"z", "y", "x", "w"}));

    // A QList of rows, by a date column.
    QList<TRow> dated = {{{"a", "02.01.2014"}, std::nullopt, 0},
                         {{"b", "01.02.2015"}, std::nullopt, 1},
                         {{"c", ""}, std::nullopt, 2}};
    SortListRows(dated, ListViewCompareDate, -2, ItemOf);
    EXPECT_EQ(dated[0].Texts[0] + dated[1].Texts[0] + dated[2].Texts[0], "bac");
}

// Sorting reads each row's value once (TKVSortKeys); the order must be the one the comparator
// itself gives as a stable sort, for every comparator, both directions and missing texts.
TEST(KVSortCompareTest, SortByValuesReadOnceOrdersAsTheComparator) {
    const QStringList pool = {"",       "a",          "A",        "ab",         "aB",      "b",
                              "_",      "я",          "Я",        "яб",         "12",      "9",
                              "-3",     "1,5",        "1,25",     "1 000",      "nan",     "abc",
                              "1,5E20", "01.02.2015", "1.2.2015", "31.02.2015", "100 мкФ", "~12",
                              "1-2",    "ab12cd",     "0",        "-0,5"};
    std::mt19937 random(11);
    std::uniform_int_distribution<int> pick(0, int(pool.size()) - 1);
    std::uniform_int_distribution<int> valuePick(-3, 3);
    std::vector<TRow> loaded;
    for (int i = 0; i < 400; ++i) {
        TRow row{{pool[pick(random)], pool[pick(random)]}, std::nullopt, i};
        if (i % 13 == 0)
            row.Texts.removeLast();
        if (i % 3 != 0)
            row.Value = i % 29 == 0 ? std::nan("") : valuePick(random) / 2.0;
        loaded.push_back(row);
    }
    for (const int tag : {lckText, lckInteger, lckFloat, lckDate, lckDataValue, lckNumberPrefix}) {
        const TKVListViewCompare compare = ListViewCompareByTag(tag);
        for (const int key : {1, -1, 2, -2}) {
            std::vector<TRow> expected = loaded;
            std::stable_sort(
                expected.begin(), expected.end(), [&](const TRow& ARow1, const TRow& ARow2) {
                    return ListViewCompareLess(compare, ItemOf(ARow1), ItemOf(ARow2), key);
                });
            std::vector<TRow> rows = loaded;
            SortListRows(rows, compare, key, ItemOf);
            ASSERT_EQ(rows.size(), expected.size());
            for (size_t i = 0; i < rows.size(); ++i)
                ASSERT_EQ(rows[i].LoadPos, expected[i].LoadPos)
                    << "tag " << tag << ", key " << key << ", position " << i;
        }
    }
}

// Texts that agree on long beginnings, differ only in the case of a Latin letter far in, or
// only by trailing zero characters sort as the comparator orders them, stable both ways.
TEST(KVSortCompareTest, LongTextsWithSharedBeginningsOrderAsTheComparator) {
    const QString zero(QChar(u'\0'));
    const QStringList stems = {"Единица измерения №", "Единица измерения №1", "abcdefgh",
                               "ABCDEFGH",            "abcdefghi",            "abcdefgh" + zero,
                               "abcdefgh" + zero + zero, "",                  "abcdefgH12345678"};
    std::mt19937 random(5);
    std::uniform_int_distribution<int> stemPick(0, int(stems.size()) - 1);
    std::uniform_int_distribution<int> tailPick(0, 40);
    std::vector<TRow> loaded;
    for (int i = 0; i < 600; ++i) {
        QString text = stems[stemPick(random)];
        if (i % 4 != 0)
            text += QString::number(tailPick(random));
        if (i % 7 == 0)
            text += QStringLiteral("xY") + zero;
        loaded.push_back(TRow{{text}, std::nullopt, i});
    }
    for (const int key : {1, -1}) {
        std::vector<TRow> expected = loaded;
        std::stable_sort(expected.begin(), expected.end(), [&](const TRow& ARow1, const TRow& ARow2) {
            return ListViewCompareLess(ListViewCompareText, ItemOf(ARow1), ItemOf(ARow2), key);
        });
        std::vector<TRow> rows = loaded;
        SortListRows(rows, ListViewCompareText, key, ItemOf);
        for (size_t i = 0; i < rows.size(); ++i)
            ASSERT_EQ(rows[i].LoadPos, expected[i].LoadPos) << "key " << key << ", position " << i;
    }
}

} // namespace
