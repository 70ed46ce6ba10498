// The tree books: element classes and storage places, their exclusion sets and counts.

#include "core/KVClass.h"
#include "core/KVStorage.h"

#include "tests/core/CoreTestUtils.h"

#include <gtest/gtest.h>

namespace {

constexpr quint32 KDB = 1011;

// Classes loaded as the class windows load them: no parent name, count -1.
class KVClassTreeTest : public ::testing::Test {
protected:
    void Add(quint32 AId, quint32 AParentId, quint32 AParentDBId = KDB) {
        FList.AddData(KDB, AId, AParentId == 0 ? 0 : AParentDBId, AParentId,
                      QStringLiteral("класс %1").arg(AId), QString(), -1, 0, 0, 0, QString(), -1);
    }
    std::vector<quint32> Excluded() const {
        std::vector<quint32> ids;
        for (const TKVDBKey& key : FList.ExcludeItems()) {
            EXPECT_EQ(key.DBId, KDB);
            ids.push_back(key.Id);
        }
        return ids;
    }

    TKVClassList FList;
};

using TIds = std::vector<quint32>;

} // namespace

TEST_F(KVClassTreeTest, ExclusionSetIsTheItemAndItsDescendantsBreadthFirst) {
    // A (1) root, B (2) below A, C (3) below B, D (4) root, E (5) below A, F (6) below D.
    Add(3, 2);
    Add(1, 0);
    Add(2, 1);
    Add(4, 0);
    Add(5, 1);
    Add(6, 4);
    FList.SetExcludeItemPKey(KDB, 1);
    EXPECT_EQ(Excluded(), TIds({1, 2, 5, 3})); // children of A in list order, then of B
    EXPECT_EQ(FList.ExcludeItemId(), 1u);
    EXPECT_TRUE(FList.IsExcludeByPKey(KDB, 3));
    EXPECT_FALSE(FList.IsExcludeByPKey(KDB, 4));
    EXPECT_FALSE(FList.IsExcludeByPKey(KDB + 1, 3)); // both key parts compared

    FList.SetExcludeItemPKey(KDB, 3); // a leaf
    EXPECT_EQ(Excluded(), TIds({3}));

    // Id 0 or an empty list: the earlier set stays.
    FList.SetExcludeItemPKey(KDB, 0);
    EXPECT_EQ(Excluded(), TIds({3}));

    // A key not loaded: an empty set, nothing excluded.
    FList.SetExcludeItemPKey(KDB, 99);
    EXPECT_TRUE(Excluded().empty());
    EXPECT_EQ(FList.ExcludeItemId(), 0u);
    EXPECT_FALSE(FList.IsExcludeByPKey(KDB, 99));

    // The walk moves the cursor past the end and clears Modified.
    FList.SetExcludeItemPKey(KDB, 4);
    EXPECT_FALSE(FList.Modified());
    EXPECT_TRUE(FList.Eof());
}

TEST_F(KVClassTreeTest, ParentCyclesEndAndUnloadedParentsLeadNowhere) {
    Add(10, 11); // X and Y name each other as parent
    Add(11, 10);
    Add(12, 11);          // below Y
    Add(13, 77);          // parent not loaded
    Add(14, 10, KDB + 1); // parent key of another DBID
    FList.SetExcludeItemPKey(KDB, 10);
    EXPECT_EQ(Excluded(), TIds({10, 11, 12}));
    FList.SetExcludeItemPKey(KDB, 12);
    EXPECT_EQ(Excluded(), TIds({12}));
    FList.SetExcludeItemPKey(KDB, 13);
    EXPECT_EQ(Excluded(), TIds({13}));

    // A self-parented class.
    Add(20, 20);
    FList.SetExcludeItemPKey(KDB, 20);
    EXPECT_EQ(Excluded(), TIds({20}));
}

TEST_F(KVClassTreeTest, CountsAndRows) {
    EXPECT_EQ(ExceptionMessageOf([&] { FList.GetElementTypesCountByPKey(KDB, 7); }),
              "Item [DBID: 1011; ID: 7] not found.");
    EXPECT_FALSE(FList.SetElementTypesCountByPKey(KDB, 7, 5));
    Add(7, 0);
    EXPECT_EQ(FList.GetElementTypesCountByPKey(KDB, 7), -1);
    EXPECT_TRUE(FList.SetElementTypesCountByPKey(KDB, 7, 5));
    EXPECT_EQ(FList.GetElementTypesCountByPKey(KDB, 7), 5);
    EXPECT_EQ(ExceptionMessageOf([&] { FList.GetElementTypesCountByPKey(1, 8); }),
              "Item [DBID: 1; ID: 8] not found.");

    TKVClass* row = FList.GetItemByPKey(KDB, 7);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(TKVClass(1, 2).IconId(), -1);
    row->UpdateData("Имя", QString(300, u'о'), 4, 1, 2, 3, 9); // the short form keeps the parent
    row->UpdateParentClassData(KDB, 3, QString(130, u'р'));
    EXPECT_EQ(row->Description().size(), 255);
    EXPECT_EQ(row->ParentClassName().size(), 128);
    EXPECT_EQ(row->ParentPKey(), (TKVDBKey{KDB, 3}));
    row->UpdateData("Имя2", "", 4, 1, 2, 3, 9);
    EXPECT_EQ(row->ParentId(), 3u);
    EXPECT_EQ(row->ElementTypesCount(), 9);
}

TEST(KVStorageTree, ExclusionAndCounts) {
    TKVStorageList list;
    EXPECT_EQ(ExceptionMessageOf([&] { list.GetElementAvailsCountByPKey(3); }),
              "Item [ID: 3] not found.");
    list.AddData(70000, 0, "Шкаф", "", "A1;A2", -1, 0, 0, "", -1);
    list.AddData(70001, 70000, "Полка", "", "", -1, 0, 0, "Шкаф", -1);
    list.AddData(70002, 70001, "Ящик", "", "", -1, 0, 0, "Полка", -1);
    list.AddData(5, 0, "Стол", "", "", -1, 0, 0, "", -1);
    list.SetExcludeItemPKey(70000);
    EXPECT_TRUE(list.IsExcludeByPKey(70000));
    EXPECT_TRUE(list.IsExcludeByPKey(70002));
    EXPECT_FALSE(list.IsExcludeByPKey(5));
    ASSERT_EQ(list.ExcludeItems().size(), 3u);
    EXPECT_EQ(list.ExcludeItems()[1].Id, 70001u);

    EXPECT_TRUE(list.SetElementAvailsCountByPKey(5, 12));
    EXPECT_EQ(list.GetElementAvailsCountByPKey(5), 12);
    EXPECT_EQ(list.GetElementAvailsCountByPKey(70001), -1);
    const TKVStorage* place = list.GetItemByPKey(70000);
    ASSERT_NE(place, nullptr);
    EXPECT_EQ(place->CellList(), "A1;A2");
    EXPECT_EQ(TKVStorage(1).IconId(), -1);
    EXPECT_EQ(list.GetItemByPKey(0), nullptr);
}
