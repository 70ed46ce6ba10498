// Stock records and the stock search conditions, run on a real database.

#include "core/KVElementAvail.h"

#include "platform/ib/IBQuery.h"
#include "tests/core/CoreTestUtils.h"
#include "tests/support/TestDataBase.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using TIds = std::vector<int>;

void AddRecord(TKVElementAvailList& AList, quint32 AId, quint32 AElementTypeId, quint32 AStorageId,
               quint32 AUnitNominalId, quint32 AUnitCountId,
               const QVariant& ANominal = QVariant()) {
    AList.AddData(AId, AElementTypeId == 0 ? 0 : 1011, AElementTypeId, 1011, AUnitNominalId, 1e-6,
                  1011, AUnitCountId, AStorageId, ANominal, 5, 0, "", "", "", 0, 0, 0, 1011, 2,
                  "Класс", QStringLiteral("тип %1").arg(AElementTypeId), 4, "мкФ", "шт",
                  QStringLiteral("место %1").arg(AStorageId), 0, 0, "", cmtUnknown, cvtUntyped, 0,
                  false);
}

} // namespace

TEST(KVElementAvail, NominalAndCountUnits) {
    TKVElementAvail record(1, 0, 0);
    EXPECT_EQ(record.UnitNominalFactor(), 1.0);
    EXPECT_EQ(record.ElementTypeIconId(), -1);
    EXPECT_FALSE(record.UsageNominal());

    record.UpdateNominalData(4.7); // no nominal unit: nothing changes
    EXPECT_FALSE(record.UsageNominal());
    EXPECT_EQ(record.Nominal(), 0);
    record.UpdateNominalUnitData(1011, 3, 1e-6, "мкФ");
    record.UpdateNominalData(4.7);
    EXPECT_TRUE(record.UsageNominal());
    EXPECT_EQ(record.Nominal(), 4.7);
    record.UpdateNominalUnitData(0, 0, 1, "");
    EXPECT_FALSE(record.UsageNominal());
    EXPECT_EQ(record.Nominal(), 0);

    record.UpdateData(QVariant::fromValue<qint64>(100), 12, 1, "M", "C", QString(300, u't'), 1, 0,
                      0);
    EXPECT_TRUE(record.UsageNominal()); // a 64-bit integer is a number
    EXPECT_EQ(record.Nominal(), 100);
    EXPECT_EQ(record.Text().size(), 255);
    record.UpdateCountUnitData(1011, 5, "шт");
    EXPECT_EQ(record.Count(), 12);
    record.UpdateCountUnitData(0, 0, "");
    EXPECT_EQ(record.Count(), 0);
    record.UpdateCountAndRevDate(7, 45000.5);
    EXPECT_EQ(record.Count(), 7);
    EXPECT_EQ(record.UpdateDateTime(), 45000.5);
}

TEST(KVElementAvail, ListModesAndRenames) {
    EXPECT_EQ(TKVElementAvailList().ListSelectDataMode(), easdmAll);
    const auto byNominal = TKVElementAvailList::CreateOnNominal(eanstInRange, 1, 2, 1011, 3);
    EXPECT_EQ(byNominal->ListSelectDataMode(), easdmOnNominal);
    EXPECT_EQ(byNominal->NominalSearchValue2(), 2);
    EXPECT_EQ(byNominal->NominalSearchUnitId(), 3u);
    byNominal->SetNominalSearchUnitPrefix(QString(20, u'п'));
    EXPECT_EQ(byNominal->NominalSearchUnitPrefix(), QString(16, u'п'));
    const auto byDate = TKVElementAvailList::CreateOnRevDate(45000, 45010, 9);
    EXPECT_EQ(byDate->RevDateEnd(), 45010);
    EXPECT_EQ(byDate->StorageId(), 9u);
    EXPECT_EQ(TKVElementAvailList::CreateOnMarking("M*")->MarkingStr(), "M*");
    EXPECT_EQ(TKVElementAvailList::CreateOnTypeName("T*")->TypeNameStr(), "T*");

    const auto onStorage = TKVElementAvailList::CreateOnStorage(9);
    const auto onType = TKVElementAvailList::CreateOnElementType(1011, 20);
    for (TKVElementAvailList* list : {onStorage.get(), onType.get()}) {
        AddRecord(*list, 1, 20, 9, 3, 5);
        AddRecord(*list, 2, 21, 8, 3, 6);
        AddRecord(*list, 3, 20, 9, 4, 5);
    }
    std::vector<quint32> renamed;
    onStorage->SetOnChangeStorageName(
        [&](TKVListObject*, quint32 AId, const QString&) { renamed.push_back(AId); });
    onStorage->SetStorageName(9, "Шкаф");
    EXPECT_EQ(renamed, std::vector<quint32>({1, 3}));
    EXPECT_EQ(onStorage->StorageName(), "Шкаф");
    EXPECT_EQ(onStorage->GetItemByPKey(2)->StorageName(), "место 8");
    onType->SetStorageName(9, "Шкаф");
    EXPECT_EQ(onType->StorageName(), ""); // only in its own mode
    EXPECT_EQ(onType->GetItemByPKey(3)->StorageName(), "Шкаф");

    onStorage->SetElementTypeName(1011, 20, "КТ315");
    EXPECT_EQ(onStorage->ElementTypeId(), 0u);
    EXPECT_EQ(onStorage->GetItemByPKey(3)->ElementTypeName(), "КТ315");
    onType->SetElementTypeName(1011, 21, "КТ361");
    EXPECT_EQ(onType->ElementTypeId(), 21u); // the element-type mode takes the key too
    EXPECT_EQ(onType->ElementTypeName(), "КТ361");

    renamed.clear();
    onStorage->SetOnChangeUnitPrefixCountName(
        [&](TKVListObject*, quint32 AId, const QString&) { renamed.push_back(AId); });
    onStorage->SetUnitPrefixCount(1011, 5, "уп");
    EXPECT_EQ(renamed, std::vector<quint32>({1, 3}));
    EXPECT_EQ(onStorage->GetItemByPKey(1)->UnitPrefixCount(), "уп");
    EXPECT_EQ(onStorage->GetItemByPKey(1)->Count(), 5); // a rename keeps the count
    onStorage->SetUnitPrefixNominal(1011, 4, "пФ");
    EXPECT_EQ(onStorage->GetItemByPKey(3)->UnitPrefixNominal(), "пФ");
    EXPECT_EQ(onStorage->GetItemByPKey(1)->UnitPrefixNominal(), "мкФ");
}

// --- Search conditions -----------------------------------------------------------------------

TEST(KVStockSearch, NominalConditionTexts) {
    EXPECT_EQ(IndexToNominalSearchType(0), eanstEqual);
    EXPECT_EQ(IndexToNominalSearchType(3), eanstInRange);
    EXPECT_EQ(IndexToNominalSearchType(4), eanstEqual);
    EXPECT_EQ(IndexToNominalSearchType(-1), eanstEqual);
    EXPECT_EQ(NominalSearchTypeNames(),
              QStringList({"равно", "больше или равно", "меньше или равно", "в диапазоне"}));

    EXPECT_EQ(GetNominalSearchCondition(eanstEqual, 0, 0, 1, 0), " TEA.V_NOMINAL = :VAR_NSV1");
    EXPECT_EQ(GetNominalSearchCondition(eanstMoreOrEqual, 0, 0, 1, 0),
              " TEA.V_NOMINAL >= :VAR_NSV1");
    EXPECT_EQ(GetNominalSearchCondition(eanstLessOrEqual, 0, 0, 1, 0),
              " TEA.V_NOMINAL <= :VAR_NSV1");
    EXPECT_EQ(GetNominalSearchCondition(eanstInRange, 7, 0, 1, 2),
              " TEA.V_NOMINAL >= :VAR_NSV1 AND TEA.V_NOMINAL <= :VAR_NSV2");
    EXPECT_EQ(GetNominalSearchCondition(eanstInRange, 7, 3, 1, 2),
              " TEA.V_NOMINAL >= :VAR_NSV1 AND TEA.V_NOMINAL <= :VAR_NSV2 AND TEA.UNITNOMDBID = "
              ":VAR_UNITNOMDBID AND TEA.UNITNOMID = :VAR_UNITNOMID");
}

TEST(KVStockSearch, RevisionDateConditionTexts) {
    const QString begin =
        " ((TEA.C_TIMESTAMP >= CAST(:VAR_REVDATEBEGIN AS DATE) AND TEA.U_TIMESTAMP IS NULL) OR "
        "TEA.U_TIMESTAMP >= CAST(:VAR_REVDATEBEGIN AS DATE))";
    const QString end =
        " ((TEA.C_TIMESTAMP < CAST(:VAR_REVDATEEND AS DATE) + 1 AND TEA.U_TIMESTAMP IS NULL) OR "
        "TEA.U_TIMESTAMP < CAST(:VAR_REVDATEEND AS DATE) + 1)";
    const QString storage = " TEA.STORAGEID = :VAR_STORAGEID";
    const TDateTime empty = -700000; // the date editors' empty value
    const TDateTime day = EncodeDateTime(2024, 3, 5);

    EXPECT_EQ(GetRevDateSearchCondition(0, day, day), begin + " AND" + end);
    EXPECT_EQ(GetRevDateSearchCondition(0, day, empty), begin);
    EXPECT_EQ(GetRevDateSearchCondition(0, empty, day), end);
    EXPECT_EQ(GetRevDateSearchCondition(5, day, day), begin + " AND" + end + " AND" + storage);
    // No date: never an empty condition, never one that starts with AND.
    EXPECT_EQ(GetRevDateSearchCondition(5, empty, empty), storage);
    EXPECT_EQ(GetRevDateSearchCondition(0, empty, empty), " 1 = 1");

    // Set from 0001-01-01; day 0 of the scale (1899-12-30) is a date.
    EXPECT_TRUE(IsRevDateSearchDateSet(0));
    EXPECT_TRUE(IsRevDateSearchDateSet(-693593));
    EXPECT_FALSE(IsRevDateSearchDateSet(-693594));
    EXPECT_FALSE(IsRevDateSearchDateSet(empty));
    EXPECT_TRUE(IsRevDateSearchDateSet(2958465.99));
    EXPECT_FALSE(IsRevDateSearchDateSet(2958466));
}

namespace {

// Stock records with known revision dates, nominals and places.
class KVStockSearchDB : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        FTestDB = std::make_unique<TTestDataBase>(1011);
        const char* rows[] = {
            // ID, STORAGEID, V_NOMINAL, UNITNOMID, C_TIMESTAMP, U_TIMESTAMP
            "1, 1, 4.7, 3, '2024-03-01 10:00', NULL",
            "2, 1, 10, 3, '2024-02-01 09:00', '2024-03-05 23:30'",
            "3, 2, 47, 4, '2024-03-06 00:00', NULL",
            "4, 2, NULL, NULL, '2024-01-01 12:00', '2024-02-28 12:00'",
            "5, 1, 4.7, 4, '2024-03-05 08:00', '2024-03-07 01:00'",
        };
        for (const char* row : rows)
            FTestDB->Exec(QStringLiteral("INSERT INTO T_ELEMENT_AVAIL (ID, STORAGEID, V_NOMINAL, "
                                         "UNITNOMID, C_TIMESTAMP, U_TIMESTAMP) VALUES (%1)")
                              .arg(QLatin1String(row)));
        FTestDB->Exec("UPDATE T_ELEMENT_AVAIL SET UNITNOMDBID = 1011 WHERE UNITNOMID IS NOT NULL");
    }
    static void TearDownTestSuite() { FTestDB.reset(); }

    void SetUp() override {
        FDB.SetDatabaseName(FTestDB->FileName());
        FDB.Open();
    }

    // The Ids the condition selects, binding every parameter that it names.
    TIds Select(const QString& ACondition,
                const std::vector<std::pair<QString, QVariant>>& AParams) {
        TIBTransactionScope scope(FTR);
        TIBQuery q(&FDB, &FTR);
        q.SetSQL("SELECT TEA.ID FROM T_ELEMENT_AVAIL TEA WHERE " + ACondition + " ORDER BY TEA.ID");
        for (const auto& [name, value] : AParams) {
            if (ACondition.contains(':' + name))
                q.ParamByName(name).SetValue(value);
        }
        q.Open();
        TIds ids;
        for (; !q.Eof(); q.Next())
            ids.push_back(q.FieldByName("ID").AsInteger());
        return ids;
    }

    TIds ByRevDate(quint32 AStorageId, TDateTime ABegin, TDateTime AEnd) {
        // Bound as the stock window binds them: the dates as they are, with their time of day.
        return Select(GetRevDateSearchCondition(AStorageId, ABegin, AEnd),
                      {{"VAR_REVDATEBEGIN", QDateTimeFromDateTime(ABegin)},
                       {"VAR_REVDATEEND", QDateTimeFromDateTime(AEnd)},
                       {"VAR_STORAGEID", int(AStorageId)}});
    }

    static std::unique_ptr<TTestDataBase> FTestDB;
    TIBDatabase FDB;
    TIBTransaction FTR{&FDB};
};

std::unique_ptr<TTestDataBase> KVStockSearchDB::FTestDB;

} // namespace

TEST_F(KVStockSearchDB, RevisionDatesCoverWholeDays) {
    const TDateTime empty = -700000;
    const auto day = [](int AMonth, int ADay, int AHour = 0) {
        return EncodeDateTime(2024, AMonth, ADay, AHour);
    };
    // Record 2 was revised at 23:30 on the end day; record 5 created in the range but revised
    // after it.
    EXPECT_EQ(ByRevDate(0, day(3, 1), day(3, 5)), TIds({1, 2}));
    EXPECT_EQ(ByRevDate(0, day(3, 5, 12), day(3, 5, 12)), TIds({2})); // a time of day is dropped
    EXPECT_EQ(ByRevDate(0, day(3, 6), empty), TIds({3, 5}));
    EXPECT_EQ(ByRevDate(0, empty, day(2, 28)), TIds({4}));
    EXPECT_EQ(ByRevDate(2, day(3, 1), day(3, 31)), TIds({3}));
    EXPECT_EQ(ByRevDate(1, empty, empty), TIds({1, 2, 5}));
    EXPECT_EQ(ByRevDate(0, empty, empty), TIds({1, 2, 3, 4, 5}));
}

TEST_F(KVStockSearchDB, NominalConditionsRun) {
    const auto byNominal = [&](TKVElementAvailNominalSearchType AType, quint32 AUnitId,
                               double AValue1, double AValue2) {
        return Select(GetNominalSearchCondition(AType, 1011, AUnitId, AValue1, AValue2),
                      {{"VAR_NSV1", AValue1},
                       {"VAR_NSV2", AValue2},
                       {"VAR_UNITNOMDBID", 1011},
                       {"VAR_UNITNOMID", int(AUnitId)}});
    };
    EXPECT_EQ(byNominal(eanstEqual, 0, 4.7, 0), TIds({1, 5}));
    EXPECT_EQ(byNominal(eanstEqual, 3, 4.7, 0), TIds({1}));
    EXPECT_EQ(byNominal(eanstMoreOrEqual, 0, 10, 0), TIds({2, 3}));
    EXPECT_EQ(byNominal(eanstLessOrEqual, 0, 10, 0), TIds({1, 2, 5}));
    EXPECT_EQ(byNominal(eanstInRange, 0, 5, 47), TIds({2, 3}));
    EXPECT_EQ(byNominal(eanstInRange, 4, 1, 100), TIds({3, 5}));
}
