// Element types, their parameter records, the parametric match and the search profile.

#include "core/KVElementType.h"

#include "tests/core/CoreTestUtils.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

constexpr quint32 KDB = 1011;

// A record of base parameter (KDB, ABaseParamId): numbers given are used.
void AddRecord(TKVElementType& AType, quint32 ABaseParamId, std::optional<double> AMin,
               std::optional<double> ATyp, std::optional<double> AMax,
               std::optional<bool> ABool = {}, const QString& AText = {}) {
    AType.AddParam(KDB, ABaseParamId * 100, KDB, ABaseParamId, 0, 0, "", AMin.value_or(0),
                   ATyp.value_or(0), AMax.value_or(0), AText, ABool.value_or(false), 0,
                   AMin.has_value(), ATyp.has_value(), AMax.has_value(), ABool.has_value());
}

TKVParamSearchData Criterion(quint32 ABaseParamId, TKVParamSearchType AType, double AFloat1 = 0,
                             double AFloat2 = 0, const QString& AText = {}, bool ALogic = false) {
    TKVParamSearchData c;
    c.BaseParamDBId = KDB;
    c.BaseParamId = ABaseParamId;
    c.SearchType = AType;
    c.Float1Val = AFloat1;
    c.Float2Val = AFloat2;
    c.StrVal = AText;
    c.LogicVal = ALogic;
    return c;
}

} // namespace

TEST(KVElementTypeMatch, EachSearchTypeOnTheRecordOfItsBaseParameter) {
    TKVElementType type(KDB, 1, KDB, 9);
    EXPECT_FALSE(type.TestParamOnPS(Criterion(1, pstAny))); // no records at all

    AddRecord(type, 1, 10, {}, {}); // min 10 used, max 20 not used
    type.GetParamByBaseParamPKey(KDB, 1)->MaxVal = 20;
    AddRecord(type, 2, {}, {}, {}, {}, "xABCy");          // text only
    AddRecord(type, 3, {}, {}, {}, false);                // a Boolean False
    AddRecord(type, 4, {}, {}, {}, {}, {});               // nothing
    AddRecord(type, 5, {}, {}, {}, {}, {});               // nothing, then a second record...
    AddRecord(type, 5, 1, 1, 1);                          // ...that never decides
    type.GetParamByBaseParamPKey(KDB, 3)->BoolVal = true; // but not used below

    const struct {
        const char* Name;
        TKVParamSearchData Criterion;
        bool Expected;
    } cases[] = {
        {"equal", Criterion(1, pstNumeric, 10), true},
        {"equal to an unused max", Criterion(1, pstNumeric, 20), false},
        {"at least 15", Criterion(1, pstGoENumeric, 15), false},
        {"at most 15", Criterion(1, pstLoENumeric, 15), true},
        {"range 5..15", Criterion(1, pstNumericInRange, 5, 15), true},
        {"range ends included", Criterion(1, pstNumericInRange, 10, 10), true},
        {"reversed range", Criterion(1, pstNumericInRange, 15, 5), false},
        {"substring, case ignored", Criterion(2, pstSubString, 0, 0, "abc"), true},
        {"substring absent", Criterion(2, pstSubString, 0, 0, "abd"), false},
        {"empty substring", Criterion(2, pstSubString, 0, 0, ""), false},
        {"any: a text", Criterion(2, pstAny), true},
        {"numbers on a text record", Criterion(2, pstLoENumeric, 1e9), false},
        {"logic: Boolean unused", Criterion(1, pstLogic, 0, 0, "", true), false},
        {"logic True vs stored", Criterion(3, pstLogic, 0, 0, "", true), true},
        {"logic False vs stored", Criterion(3, pstLogic, 0, 0, "", false), false},
        {"any: nothing present", Criterion(4, pstAny), false},
        {"only the first record decides", Criterion(5, pstAny), false},
        {"another base parameter", Criterion(6, pstAny), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(type.TestParamOnPS(c.Criterion), c.Expected) << c.Name;

    // The base-parameter key is compared in full.
    TKVParamSearchData other = Criterion(1, pstNumeric, 10);
    other.BaseParamDBId = KDB + 1;
    EXPECT_FALSE(type.TestParamOnPS(other));
}

TEST(KVElementTypeMatch, CyrillicSubstringsIgnoreCase) {
    TLocaleGuard locale(QLocale(QLocale::Russian, QLocale::Russia));
    TKVElementType type(KDB, 1, KDB, 9);
    AddRecord(type, 1, {}, {}, {}, {}, "Ёмкость керамическая");
    EXPECT_TRUE(type.TestParamOnPS(Criterion(1, pstSubString, 0, 0, "ёмкость КЕРАМ")));
}

TEST(KVElementTypeMatch, ProfileUnions) {
    TKVElementType type(KDB, 1, KDB, 9);
    TKVParamSearchList profile;
    type.SetShowing(false);
    type.ApplyParamSearch(profile); // empty profile: unchanged
    EXPECT_FALSE(type.Showing());
    type.SetShowing(true);
    profile.AddData(Criterion(1, pstAny));
    type.ApplyParamSearch(profile); // no records: hidden
    EXPECT_FALSE(type.Showing());

    AddRecord(type, 1, 1, {}, {});
    AddRecord(type, 2, 2, {}, {});
    profile.AddData(Criterion(2, pstNumeric, 2));
    profile.AddData(Criterion(3, pstAny)); // fails: no record
    type.ApplyParamSearch(profile);
    EXPECT_FALSE(type.Showing());
    profile.SetParamSearchUnion(psuAny);
    type.ApplyParamSearch(profile);
    EXPECT_TRUE(type.Showing());

    TKVParamSearchList all;
    all.AddData(Criterion(1, pstAny));
    all.AddData(Criterion(2, pstGoENumeric, 2));
    type.SetShowing(false);
    type.ApplyParamSearch(all);
    EXPECT_TRUE(type.Showing());
}

TEST(KVElementTypeRow, ParamRecordsAndDrawing) {
    TKVElementType type(KDB, 1, KDB, 9);
    EXPECT_TRUE(type.Showing());
    EXPECT_EQ(type.ElementTypeIconId(), -1);
    EXPECT_TRUE(type.ParamEmpty());
    EXPECT_EQ(type.GetParamByBaseParamPKey(KDB, 1), nullptr);
    type.AddParam(KDB, 100, KDB, 1, KDB, 3, QString(20, u'п'), 1, 2, 3, QString(200, u's'), true, 5,
                  true, false, true, true);
    type.AddParam(KDB, 101, KDB, 1, 0, 0, "", 0, 0, 0, "", false, 0, false, false, false, false);
    const PKVElementTypeParam p = type.GetParamByBaseParamPKey(KDB, 1);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Id, 100u); // the first record
    EXPECT_EQ(p->UnitPrefix.size(), 16);
    EXPECT_EQ(p->StrVal.size(), 128);
    type.ClearParamList();
    EXPECT_TRUE(type.ParamEmpty());

    EXPECT_FALSE(type.GetPttVisualAndPinExists());
    type.UpdateData(KDB, 9, KDB, 4, KDB, 5, "КТ315", "", "", "", 0, 0, 0, "Транзисторы", "КТ-13",
                    cmtInBoardHoles, "Завод", 3, cvtHorLine, false);
    EXPECT_FALSE(type.GetPttVisualAndPinExists()); // a drawing but no pins
    type.UpdateData("КТ315", "", "", "", 0, 0, 0, 3, true);
    EXPECT_TRUE(type.GetPttVisualAndPinExists());
    type.UpdateCaseData(KDB, 4, "КТ-26"); // name only
    EXPECT_EQ(type.CasePttVisualType(), cvtHorLine);
    type.UpdateCaseData(KDB, 4, "КТ-26", cmtSMD, cvtUntyped);
    EXPECT_FALSE(type.GetPttVisualAndPinExists());
    type.UpdateClassData(KDB, 10, "Другой");
    EXPECT_EQ(type.ElementTypeIconId(), 3); // the icon stays
}

TEST(KVElementTypeList, ModesAndRenames) {
    const auto byClass = TKVElementTypeList::CreateOnClass(KDB, 9, false);
    EXPECT_EQ(byClass->ListSelectDataMode(), etsdmOnClass);
    EXPECT_EQ(byClass->ETClassId(), 9u);
    EXPECT_EQ(TKVElementTypeList::CreateOnClass(KDB, 9, true)->ListSelectDataMode(),
              etsdmOnClassWithBaseParam);
    const auto byName = TKVElementTypeList::CreateOnTypeName("КТ*");
    EXPECT_EQ(byName->ListSelectDataMode(), etsdmOnElementTypeName);
    EXPECT_EQ(byName->TypeNameStr(), "КТ*");
    EXPECT_EQ(byName->ETClassId(), 0u);
    EXPECT_EQ(TKVElementTypeList::CreateOnMarking("M")->MarkingStr(), "M");
    EXPECT_EQ(TKVElementTypeList::CreateOnParamSearch()->ListSelectDataMode(), etsdmOnParamSearch);
    EXPECT_EQ(TKVElementTypeList::IndexToMountType(5), cmtUnknown);
    EXPECT_EQ(TKVElementTypeList::IndexToPttVisualType(10), cvtUntyped);

    // The supplier name is the list's only in the supplier mode.
    byClass->SetSupplierName("Поставщик");
    EXPECT_EQ(byClass->SupplierName(), "");
    const auto bySupplier = TKVElementTypeList::CreateOnSupplier(4);
    bySupplier->SetSupplierName("Поставщик");
    EXPECT_EQ(bySupplier->SupplierName(), "Поставщик");

    // Rows of class 9 and 10, case 4 and 5, maker 6 and 7.
    const auto byMaker = TKVElementTypeList::CreateOnMaker(KDB, 6);
    TKVElementTypeList& list = *byMaker;
    list.AddData(KDB, 1, KDB, 9, KDB, 4, KDB, 6, "a", "", "", "", 0, 0, 0, "к9", "c4", cmtSMD, "m6",
                 1, cvtUntyped, false);
    list.AddData(KDB, 2, KDB, 10, KDB, 5, KDB, 7, "b", "", "", "", 0, 0, 0, "к10", "c5", cmtSMD,
                 "m7", 2, cvtUntyped, false);
    auto own = std::make_unique<TKVElementType>(KDB, 3, KDB, 9);
    own->UpdateData(KDB, 9, KDB, 4, KDB, 6, "c", "", "", "", 0, 0, 0, "к9", "c4", cmtSMD, "m6", 1,
                    cvtUntyped, false);
    TKVElementType* added = own.get();
    list.Add(std::move(own));
    list.Add(nullptr);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.GetItemByPKey(KDB, 3), added);

    list.SetClassData(KDB, 9, "Класс", 42);
    EXPECT_EQ(list.ETClassName(), ""); // not a class mode
    EXPECT_EQ(list.GetItemByPKey(KDB, 3)->ElementTypeIconId(), 42);
    EXPECT_EQ(list.GetItemByPKey(KDB, 3)->ETClassName(), "Класс");
    EXPECT_EQ(list.GetItemByPKey(KDB, 2)->ElementTypeIconId(), 2);
    byClass->SetClassData(KDB, 9, "Класс", 42);
    EXPECT_EQ(byClass->ETClassName(), "Класс");
    EXPECT_EQ(byClass->ETClassIconId(), 42);

    std::vector<quint32> renamed;
    list.SetOnChangeCaseName(
        [&](TKVListObject*, quint32, quint32 AId, const QString&) { renamed.push_back(AId); });
    list.SetCaseName(KDB, 4, "Новый");
    EXPECT_EQ(renamed, std::vector<quint32>({1, 3}));
    list.SetMakerName(KDB, 7, "Завод");
    EXPECT_EQ(list.MakerName(), "Завод"); // the maker mode takes any maker's name
    EXPECT_EQ(list.GetItemByPKey(KDB, 2)->MakerName(), "Завод");
    EXPECT_EQ(list.GetItemByPKey(KDB, 1)->MakerName(), "m6");
}

TEST(KVParamSearchList, ProfileCopiesAndCursor) {
    EXPECT_EQ(IndexToParamSearchType(5), pstLogic);
    EXPECT_EQ(IndexToParamSearchType(6), pstAny);
    EXPECT_EQ(IndexToParamSearchType(-1), pstAny);
    ASSERT_EQ(ParamSearchTypeNames().size(), 7);
    EXPECT_EQ(ParamSearchTypeNames().at(pstNumeric), "равно");
    EXPECT_EQ(ParamSearchTypeNames().at(pstAny), "любое значение");

    TKVParamSearchList profile;
    EXPECT_EQ(profile.ParamSearchUnion(), psuMatchAll);
    profile.SetPSClassData(KDB, 9);
    profile.SetParamSearchUnion(psuAny);
    profile.SetAvailOnly(true);
    profile.AddData(KDB, 1, QString(20, u'u'), true, pstNumeric, 1, 2, "s", false, true);
    profile.AddData(Criterion(2, pstAny));
    profile.AddData(Criterion(1, pstLogic)); // the same base parameter again
    EXPECT_EQ(profile.Count(), 3);
    EXPECT_EQ(profile.FindIndexByPKey(KDB, 2), 1);
    EXPECT_TRUE(profile.ExistsItemByPKey(KDB, 1));
    EXPECT_FALSE(profile.ExistsItemByPKey(KDB, 3));

    TKVParamSearchData data = Criterion(99, pstAny);
    profile.AddData(Criterion(4, pstAny));
    profile.GetRecord(data); // modified: left as it was
    EXPECT_EQ(data.BaseParamId, 99u);
    profile.First();
    profile.GetRecord(data);
    EXPECT_EQ(data.BaseParamId, 1u);
    EXPECT_EQ(data.UPID, QString(16, u'u'));
    EXPECT_TRUE(data.SearchAnyVal);

    TKVParamSearchList copy;
    copy.AddData(Criterion(50, pstAny));
    copy.Assign(&profile);
    EXPECT_EQ(copy.Count(), 4);
    EXPECT_EQ(copy.PSClassId(), 9u);
    EXPECT_EQ(copy.ParamSearchUnion(), psuAny);
    EXPECT_TRUE(copy.AvailOnly());
    EXPECT_FALSE(copy.ExistsItemByPKey(KDB, 50));
    copy.First();
    for (int i = 0; i < 3; ++i)
        copy.Next();
    copy.GetRecord(data);
    EXPECT_EQ(data.BaseParamId, 4u);
    copy.Next(); // past the end: the record is left as it was
    copy.GetRecord(data);
    EXPECT_EQ(data.BaseParamId, 4u);

    copy.Assign(nullptr); // empties the criteria, keeps the rest
    EXPECT_TRUE(copy.Empty());
    EXPECT_EQ(copy.PSClassId(), 9u);
    EXPECT_EQ(copy.ParamSearchUnion(), psuAny);
    EXPECT_TRUE(copy.AvailOnly());
}
