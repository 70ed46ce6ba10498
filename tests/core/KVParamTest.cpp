// Base parameters, parameters and pins.

#include "core/KVParam.h"
#include "core/KVBaseParam.h"
#include "core/KVPin.h"

#include "tests/core/CoreTestUtils.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct TEvent {
    quint32 DBId;
    quint32 Id;
    QString Text;
};

// AddData of a parameter list with the values that matter here.
void AddParam(TKVParamList& AList, quint32 AId, const QVariant& AMin, const QVariant& ATyp,
              const QVariant& ABool, quint32 ABaseParamId = 1, quint32 AUnitId = 0,
              const QString& AElementTypeName = QStringLiteral("X")) {
    AList.AddData(1011, AId, 1011, ABaseParamId, 1011, AUnitId, "U", "", AMin, ATyp, QVariant(), "",
                  ABool, "", "", 0, 0, 0, 0, AElementTypeName, 1, 2, "класс", "В", "база", 3, 4,
                  "класс БП");
}

} // namespace

TEST(KVBaseParam, ListsAddUpdateAndRename) {
    EXPECT_EQ(IndexToSelectValueType(16), svtDefault);
    EXPECT_EQ(TKVBaseParam::IndexToSelectValueType(-1), svtDefault);
    EXPECT_EQ(TKVBaseParamList::IndexToSelectValueType(15), svtBoolFromType);

    TKVBaseParamList list(1011, 7);
    list.AddData(1011, 1, 1011, 50, "U", "", svtMinOnly, "UPID", 0, 0, 0, "В");
    list.SetClassName("Транзисторы");
    list.AddData(1011, 2, 1011, 50, "I", "", svtMaxOnly, QString(20, u'u'), 0, 0, 0, "А", true);
    list.AddDataWithClass(1011, 3, 0, 9, 1011, 51, "R", "", svtDefault, "", 0, 0, 0, "Другой",
                          "Ом");

    list.First();
    const TKVBaseParam* first = list.GetRecord();
    EXPECT_EQ(first->BPClassId(), 7u);
    EXPECT_EQ(first->BPClassName(), "Транзисторы"); // set on every row
    EXPECT_FALSE(first->SBP());
    EXPECT_EQ(first->SelectValueTypeIndex(), 1);
    list.Next();
    EXPECT_TRUE(list.GetRecord()->SBP());
    EXPECT_EQ(list.GetRecord()->UPId(), QString(16, u'u'));
    EXPECT_EQ(list.GetRecord()->BPClassName(), "Транзисторы"); // the list's name at adding
    list.Next();
    EXPECT_EQ(list.GetRecord()->BPClassId(), 9u);
    EXPECT_EQ(list.GetRecord()->BPClassName(), "Другой");

    // UpdateDataByPKey keeps the class key and SBP; the prefix comes before the class name.
    EXPECT_TRUE(list.UpdateDataByPKey(1011, 2, 1011, 52, "I2", QString(300, u'd'), svtTypeOnly, "",
                                      0, 0, 0, "мА", "Имя класса"));
    const TKVBaseParam* second = list.GetRecord();
    EXPECT_EQ(second->UnitPrefix(), "мА");
    EXPECT_EQ(second->BPClassName(), "Имя класса");
    EXPECT_EQ(second->Description().size(), 255);
    EXPECT_EQ(second->BPClassId(), 7u);
    EXPECT_TRUE(second->SBP());

    // Renaming a unit: each row of that unit, the event once per row in list order.
    list.AddData(1011, 4, 1011, 50, "U2", "", svtDefault, "", 0, 0, 0, "В");
    std::vector<TEvent> events;
    list.SetUnitPrefix(1011, 50, "кВ"); // no handler: only the rows change
    list.SetOnChangeUnitPrefix(
        [&](TKVListObject* ASender, quint32 ADBId, quint32 AId, const QString& AStr) {
            EXPECT_EQ(ASender, &list);
            events.push_back({ADBId, AId, AStr});
        });
    list.SetUnitPrefix(1011, 50, QString(20, u'м'));
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].Id, 1u);
    EXPECT_EQ(events[1].Id, 4u);
    EXPECT_EQ(events[1].Text, QString(16, u'м'));
    EXPECT_TRUE(list.Eof()); // the rename walked the whole list
}

TEST(KVParam, NullableValuesAndTheListsElementType) {
    TKVParamList list(5, 7);
    list.SetElementTypeName("Y");
    // Numbers of every width count, a null or a text does not.
    AddParam(list, 1, QVariant(), 4.7, QVariant(0));
    AddParam(list, 2, QVariant::fromValue<qint64>(5000000000LL), QVariant("12"), QVariant(2));
    AddParam(list, 3, QVariant::fromValue<uchar>(12), QVariant(QMetaType(QMetaType::Double)),
             QVariant());

    list.First();
    const TKVParam* p = list.GetRecord();
    EXPECT_FALSE(p->UsageMinVal());
    EXPECT_EQ(p->MinVal(), 0);
    EXPECT_TRUE(p->UsageTypeVal());
    EXPECT_EQ(p->TypeVal(), 4.7);
    EXPECT_TRUE(p->UsageBoolVal()); // 0 is a present False
    EXPECT_FALSE(p->BoolVal());
    EXPECT_EQ(p->ElementTypeDBId(), 5u); // the list's element type, not the argument's
    EXPECT_EQ(p->ElementTypeId(), 7u);
    EXPECT_EQ(p->ElementTypeName(), "Y");
    list.Next();
    p = list.GetRecord();
    EXPECT_TRUE(p->UsageMinVal());
    EXPECT_EQ(p->MinVal(), 5e9);
    EXPECT_FALSE(p->UsageTypeVal()); // text
    EXPECT_TRUE(p->BoolVal());
    list.Next();
    p = list.GetRecord();
    EXPECT_EQ(p->MinVal(), 12);
    EXPECT_FALSE(p->UsageTypeVal()); // NULL
    EXPECT_FALSE(p->UsageBoolVal());
    EXPECT_FALSE(p->BoolVal());

    // UpdateDataByPKey stores the element-type name it is given, never the key.
    EXPECT_TRUE(list.UpdateDataByPKey(1011, 3, 1011, 1, 0, 0, "U", "", 1, 2, 3, "t", true, "", "",
                                      32, 0, 0, 0, "Z", 1, 2, "к", "", "б", 3, 4, "кб"));
    EXPECT_EQ(list.GetRecord()->ElementTypeName(), "Z");
    EXPECT_EQ(list.GetRecord()->ElementTypeId(), 7u);
    EXPECT_TRUE(list.GetRecord()->BoolVal()); // a Boolean value counts as itself
    EXPECT_EQ(list.GetRecord()->Flag(), 32u);
    list.SetElementTypeName("W");
    list.First();
    EXPECT_EQ(list.GetRecord()->ElementTypeName(), "W");
}

TEST(KVParam, RenamesFireOncePerMatchingRow) {
    TKVParamList list(5, 7);
    AddParam(list, 1, 1, 1, 1, /*base*/ 10, /*unit*/ 20);
    AddParam(list, 2, 1, 1, 1, 11, 20);
    AddParam(list, 3, 1, 1, 1, 10, 21);
    std::vector<quint32> baseRenamed;
    std::vector<quint32> unitRenamed;
    list.SetOnChangeBaseParamName(
        [&](TKVListObject*, quint32, quint32 AId, const QString&) { baseRenamed.push_back(AId); });
    list.SetOnChangeUnitPrefix(
        [&](TKVListObject*, quint32, quint32 AId, const QString&) { unitRenamed.push_back(AId); });
    list.SetBaseParamName(1011, 10, "Новое");
    list.SetUnitPrefix(1011, 20, "мВ");
    list.SetUnitPrefix(1012, 20, "мВ"); // another DBID: nothing
    EXPECT_EQ(baseRenamed, std::vector<quint32>({1, 3}));
    EXPECT_EQ(unitRenamed, std::vector<quint32>({1, 2}));
    list.FindIndexByPKey(1011, 3);
    EXPECT_EQ(list.GetRecord()->BaseParamName(), "Новое");
    EXPECT_EQ(list.GetRecord()->UnitPrefix(), "В");
}

TEST(KVPin, ListsAndTypes) {
    EXPECT_EQ(IndexToPinType(17), ptNotUsage);
    EXPECT_EQ(TKVPin::IndexToPinType(18), ptUnknown);
    EXPECT_EQ(TKVPinList::IndexToPinType(-1), ptUnknown);

    TKVPinList list(5, 7);
    list.SetPinCount(8);
    list.AddData(1011, 1, 1, "VCC", "", ptVCC, 0, 0, 0, "K155LA3");
    list.AddData(1011, 2, 2, "GND", "", ptGND, 0, 0, 0, "K155LA3");
    list.First();
    EXPECT_EQ(list.GetRecord()->ElementTypeName(), ""); // empty until SetElementTypeName
    EXPECT_EQ(list.GetRecord()->ElementTypeId(), 7u);
    EXPECT_EQ(list.GetRecord()->PinTypeIndex(), 6);
    list.SetElementTypeName("K155LA3");
    for (list.First(); !list.Eof(); list.Next())
        EXPECT_EQ(list.GetRecord()->ElementTypeName(), "K155LA3");
    EXPECT_TRUE(list.UpdateDataByPKey(1011, 2, 14, "GND", "", ptGND, 0, 0, 0, "Другой"));
    EXPECT_EQ(list.GetRecord()->ElementTypeName(), "Другой");
    EXPECT_EQ(list.GetRecord()->Num(), 14);
    EXPECT_EQ(list.PinCount(), 8);
}
