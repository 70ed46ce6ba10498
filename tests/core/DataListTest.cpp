#include "core/DataList.h"

#include "tests/core/CoreTestUtils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// A payload that reports its own destruction, so that tests see when the list frees it.
struct TPayload {
    TPayload(int AValue, std::vector<int>* ADestroyed) : Value(AValue), FDestroyed(ADestroyed) {}
    ~TPayload() { FDestroyed->push_back(Value); }
    int Value;
    std::vector<int>* FDestroyed;
};

// A list whose OnRemoveItem records each payload's value, checking that the payload is still
// alive when the callback runs and that the sender is the list itself.
class DataListTest : public ::testing::Test {
protected:
    DataListTest() {
        FList.SetOnRemoveItem([this](TDataList<TPayload>* ASender, TPayload* AItem) {
            EXPECT_EQ(ASender, &FList);
            EXPECT_EQ(std::count(FDestroyed.begin(), FDestroyed.end(), AItem->Value), 0);
            FRemoved.push_back(AItem->Value);
        });
    }

    int Add(int AValue) { return FList.Add(std::make_unique<TPayload>(AValue, &FDestroyed)); }
    void Insert(int AIndex, int AValue) {
        FList.Insert(AIndex, std::make_unique<TPayload>(AValue, &FDestroyed));
    }
    // The values in list order, read by position.
    std::vector<int> Values() const {
        std::vector<int> values;
        for (int i = 0; i < FList.Count(); ++i)
            values.push_back(FList.GetItemDataByIndex(i)->Value);
        return values;
    }
    int Current() const { return FList.CurrentItemData()->Value; }

    std::vector<int> FRemoved;
    std::vector<int> FDestroyed;
    TDataList<TPayload> FList;
};

using TValues = std::vector<int>;

} // namespace

TEST_F(DataListTest, AddAppendsReturnsPositionSetsModifiedAndLeavesCursor) {
    EXPECT_TRUE(FList.Empty());
    EXPECT_FALSE(FList.Modified());
    EXPECT_EQ(Add(10), 0);
    EXPECT_EQ(Add(20), 1);
    EXPECT_TRUE(FList.Modified());
    FList.First();
    EXPECT_FALSE(FList.Modified());
    EXPECT_EQ(Add(30), 2);
    EXPECT_TRUE(FList.Modified());
    EXPECT_EQ(Current(), 10);
    EXPECT_FALSE(FList.Eof());
    EXPECT_EQ(FList.Count(), 3);
    EXPECT_FALSE(FList.Empty());
    EXPECT_EQ(Values(), (TValues{10, 20, 30}));
}

TEST_F(DataListTest, WalkVisitsEveryPayloadThenRaisesPastTheEnd) {
    Add(1);
    Add(2);
    FList.First();
    EXPECT_TRUE(FList.FindNext());
    EXPECT_EQ(Current(), 1);
    FList.Next();
    EXPECT_FALSE(FList.FindNext());
    EXPECT_EQ(Current(), 2);
    EXPECT_FALSE(FList.Eof());
    FList.Next();
    EXPECT_TRUE(FList.Eof());
    EXPECT_EQ(ExceptionMessageOf([&] { FList.Next(); }), "Items not found");
    EXPECT_EQ(ExceptionMessageOf([&] { FList.CurrentItemData(); }), "Items not found");
    EXPECT_EQ(ExceptionMessageOf([&] { FList.FindNext(); }), "Items not found");
    EXPECT_TRUE(FList.Eof());
    // A new First starts the walk again.
    FList.First();
    EXPECT_FALSE(FList.Eof());
    EXPECT_EQ(Current(), 1);
}

TEST_F(DataListTest, CursorOperationsRaiseOnEmptyListAndBeforeFirst) {
    EXPECT_EQ(ExceptionMessageOf([&] { FList.First(); }), "Items not found");
    EXPECT_EQ(ExceptionMessageOf([&] { FList.Next(); }), "Items not found");
    EXPECT_EQ(ExceptionMessageOf([&] { FList.CurrentItemData(); }), "Items not found");
    EXPECT_EQ(ExceptionMessageOf([&] { FList.FindNext(); }), "Items not found");
    EXPECT_EQ(ExceptionMessageOf([&] { FList.GetItemDataByIndex(0); }), "Items not found");
    Add(1);
    EXPECT_EQ(ExceptionMessageOf([&] { FList.Next(); }), "Items not found");
    EXPECT_EQ(ExceptionMessageOf([&] { FList.CurrentItemData(); }), "Items not found");
}

TEST_F(DataListTest, DeleteCallsOnRemoveItemOnceThenFreesThePayload) {
    Add(7);
    FList.First();
    FList.Delete(0);
    EXPECT_TRUE(FList.Empty());
    EXPECT_EQ(FList.Count(), 0);
    EXPECT_TRUE(FList.Modified());
    EXPECT_EQ(FRemoved, TValues{7});
    EXPECT_EQ(FDestroyed, TValues{7});
}

TEST_F(DataListTest, DeleteInTheMiddleKeepsTheOrder) {
    for (int v : {1, 2, 3, 4})
        Add(v);
    FList.Delete(1);
    FList.Delete(2);
    EXPECT_EQ(Values(), (TValues{1, 3}));
    EXPECT_EQ(FRemoved, (TValues{2, 4}));
}

TEST_F(DataListTest, InvalidIndexRaisesAndChangesNothing) {
    struct TCase {
        int Count;
        int Index;
        const char* Message;
    };
    const TCase cases[] = {
        {3, 3, "Invalid index 3"}, {3, -1, "Invalid index -1"}, {0, 0, "Invalid index 0"}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "count " << c.Count << ", index " << c.Index);
        FList.Clear();
        FDestroyed.clear();
        for (int v = 0; v < c.Count; ++v)
            Add(v);
        if (c.Count > 0)
            FList.First();
        FRemoved.clear();
        const bool modified = FList.Modified();
        EXPECT_EQ(ExceptionMessageOf([&] { FList.Delete(c.Index); }), c.Message);
        EXPECT_EQ(FList.Count(), c.Count);
        EXPECT_EQ(FList.Modified(), modified);
        EXPECT_TRUE(FRemoved.empty());
        if (c.Count > 0) {
            EXPECT_EQ(Current(), 0);
            EXPECT_EQ(ExceptionMessageOf([&] { FList.GetItemDataByIndex(c.Index); }), c.Message);
        }
    }
}

TEST_F(DataListTest, InsertPutsThePayloadBeforeTheOneAtIndex) {
    Insert(0, 5);
    EXPECT_EQ(Values(), TValues{5});
    EXPECT_TRUE(FList.Modified());
    Add(6);
    Insert(1, 9);
    EXPECT_EQ(Values(), (TValues{5, 9, 6}));
    Insert(0, 1);
    EXPECT_EQ(Values(), (TValues{1, 5, 9, 6}));
    // Appending is Add's business: Count and beyond raise, as do negative positions.
    EXPECT_EQ(ExceptionMessageOf([&] { Insert(4, 0); }), "Invalid index 4");
    EXPECT_EQ(ExceptionMessageOf([&] { Insert(-1, 0); }), "Invalid index -1");
    EXPECT_EQ(Values(), (TValues{1, 5, 9, 6}));
}

TEST_F(DataListTest, InsertOnEmptyListOnlyAcceptsPositionZero) {
    EXPECT_EQ(ExceptionMessageOf([&] { Insert(1, 0); }), "Invalid index 1");
    EXPECT_TRUE(FList.Empty());
    // The payload of a refused insert is freed, not leaked.
    EXPECT_EQ(FDestroyed, TValues{0});
}

TEST_F(DataListTest, ClearRemovesFirstToLastAndKeepsTheFlags) {
    for (int v : {1, 2, 3})
        Add(v);
    FList.First();
    FList.Next();
    FList.Next();
    FList.Next();
    ASSERT_TRUE(FList.Eof());
    ASSERT_FALSE(FList.Modified());
    FList.Clear();
    EXPECT_EQ(FRemoved, (TValues{1, 2, 3}));
    EXPECT_EQ(FDestroyed, (TValues{1, 2, 3}));
    EXPECT_EQ(FList.Count(), 0);
    EXPECT_TRUE(FList.Empty());
    EXPECT_TRUE(FList.Eof());
    EXPECT_FALSE(FList.Modified());
    // The cursor is at no payload until First succeeds after a new Add.
    Add(4);
    EXPECT_EQ(ExceptionMessageOf([&] { FList.CurrentItemData(); }), "Items not found");
    EXPECT_EQ(ExceptionMessageOf([&] { FList.Next(); }), "Items not found");
    FList.First();
    EXPECT_EQ(Current(), 4);
}

TEST_F(DataListTest, GetItemDataByIndexLeavesCursorAndModified) {
    Add(1);
    Add(2);
    FList.First();
    EXPECT_EQ(FList.GetItemDataByIndex(1)->Value, 2);
    EXPECT_EQ(Current(), 1);
    EXPECT_FALSE(FList.Modified());
    Add(3);
    EXPECT_EQ(FList.GetItemDataByIndex(2)->Value, 3);
    EXPECT_TRUE(FList.Modified());
}

TEST_F(DataListTest, DeletingThePayloadUnderTheCursorClearsTheCursor) {
    for (int v : {1, 2, 3})
        Add(v);
    FList.First();
    FList.Next();
    ASSERT_EQ(Current(), 2);
    FList.Delete(1);
    EXPECT_EQ(ExceptionMessageOf([&] { FList.CurrentItemData(); }), "Items not found");
    EXPECT_EQ(ExceptionMessageOf([&] { FList.Next(); }), "Items not found");
    EXPECT_EQ(ExceptionMessageOf([&] { FList.FindNext(); }), "Items not found");
    FList.First();
    EXPECT_EQ(Current(), 1);
    FList.Next();
    EXPECT_EQ(Current(), 3);
}

TEST_F(DataListTest, ChangesBeforeTheCursorKeepItOnTheSamePayload) {
    for (int v : {1, 2, 3, 4})
        Add(v);
    FList.First();
    FList.Next();
    FList.Next();
    ASSERT_EQ(Current(), 3);
    FList.Delete(0);
    EXPECT_EQ(Current(), 3);
    Insert(1, 9); // list 2, 9, 3, 4
    EXPECT_EQ(Current(), 3);
    FList.Delete(3); // after the cursor
    EXPECT_EQ(Current(), 3);
    EXPECT_FALSE(FList.FindNext());
    FList.Next();
    EXPECT_TRUE(FList.Eof());
}

TEST_F(DataListTest, DestroyingTheListRemovesEveryPayload) {
    std::vector<int> removed;
    std::vector<int> destroyed;
    {
        TDataList<TPayload> list;
        list.SetOnRemoveItem(
            [&](TDataList<TPayload>*, TPayload* AItem) { removed.push_back(AItem->Value); });
        list.Add(std::make_unique<TPayload>(1, &destroyed));
        list.Add(std::make_unique<TPayload>(2, &destroyed));
    }
    EXPECT_EQ(removed, (TValues{1, 2}));
    EXPECT_EQ(destroyed, (TValues{1, 2}));
}

TEST(DataList, WithoutHandlerPayloadsAreStillFreed) {
    std::vector<int> destroyed;
    TDataList<TPayload> list;
    EXPECT_FALSE(list.OnRemoveItem());
    list.Add(std::make_unique<TPayload>(1, &destroyed));
    list.Add(std::make_unique<TPayload>(2, &destroyed));
    list.Delete(1);
    EXPECT_EQ(destroyed, TValues{2});
    list.Clear();
    EXPECT_EQ(destroyed, (TValues{2, 1}));
}

// A list of many payloads: appending, counting and reading by position do not walk, so this
// takes milliseconds; a chain walked on each call would take minutes.
TEST(DataList, LargeListStaysLinear) {
    constexpr int kCount = 300000;
    TDataList<int> list;
    for (int i = 0; i < kCount; ++i)
        ASSERT_EQ(list.Add(std::make_unique<int>(i)), i);
    long long byIndex = 0;
    for (int i = 0; i < list.Count(); ++i)
        byIndex += *list.GetItemDataByIndex(i);
    long long byWalk = 0;
    for (list.First(); !list.Eof(); list.Next())
        byWalk += *list.CurrentItemData();
    const long long expected = static_cast<long long>(kCount) * (kCount - 1) / 2;
    EXPECT_EQ(byIndex, expected);
    EXPECT_EQ(byWalk, expected);
}
