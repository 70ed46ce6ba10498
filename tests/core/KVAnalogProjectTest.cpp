// Analogs, supplier prices, projects and project items.

#include "core/KVElementAnalog.h"
#include "core/KVElementSupplier.h"
#include "core/KVProject.h"
#include "core/KVProjectItem.h"

#include "tests/core/CoreTestUtils.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

void AddAnalog(TKVElementAnalogList& AList, quint32 AId, const QString& AAnalogName) {
    AList.AddData(1011, AId, 1011, 50 + AId, sfntFullAnalog, sfttMainParam, sctSimilarCase,
                  spotOtherPinout, "заметка", 1, 2, 3, AAnalogName, 1011, 9, "Класс аналога");
}

void AddItem(TKVProjectItemList& AList, quint32 AId, quint32 AElementTypeId,
             quint32 AElementAvailId, const QVariant& ACountAvail, const QVariant& ANominal,
             quint32 AUnitCountId = 5, quint32 AUnitNominalId = 6) {
    AList.AddData(AId, AElementTypeId == 0 ? 0 : 1011, AElementTypeId, AElementAvailId, "Тип", 2,
                  "", 0, 0, "Проект", 1011, 9, "Класс", 3, ACountAvail, 1011, AUnitCountId, "шт",
                  ANominal, 1011, AUnitNominalId, "мкФ", "SOT-23");
}

} // namespace

TEST(KVElementAnalog, GradesAndPrimaryData) {
    EXPECT_EQ(IndexToSimilalPinoutType(4), spotNoAnalog);
    EXPECT_EQ(TKVElementAnalog::IndexToSimilalPinoutType(5), spotUnknown);
    EXPECT_EQ(TKVElementAnalogList::IndexToSimilalFunctionalType(-1), sfntUnknown);
    EXPECT_EQ(IndexToSimilalFeaturesType(3), sfttNoAnalog);
    EXPECT_EQ(IndexToSimilalCaseType(4), sctUnknown);

    TKVElementAnalogList list(eansdmAnalogs, 1011, 7, 1011, 8);
    EXPECT_EQ(list.PrimaryElementTypeId(), 7u);
    AddAnalog(list, 1, "до");
    list.SetPrimaryElementTypeName("КТ315");
    list.SetPrimaryElementTypeClassData(1011, 2, "Транзисторы");
    AddAnalog(list, 2, "после");

    list.First();
    const TKVElementAnalog* before = list.GetRecord();
    EXPECT_EQ(before->PrimaryElementTypeName(), ""); // rows keep what they had
    EXPECT_EQ(before->PrimaryElementTypeId(), 7u);
    list.Next();
    const TKVElementAnalog* after = list.GetRecord();
    EXPECT_EQ(after->PrimaryElementTypeName(), "КТ315");
    EXPECT_EQ(after->PrimaryElementTypeClassName(), "Транзисторы");
    EXPECT_EQ(after->ReplDateTime(), 3);
    EXPECT_EQ(after->SimilalPinoutTypeIndex(), 2);

    // UpdateDataByPKey replaces the values and brings the list's primary data.
    EXPECT_FALSE(list.UpdateDataByPKey(1011, 9, 1011, 60, sfntUnknown, sfttUnknown, sctUnknown,
                                       spotUnknown, "", 0, 0, 0, "", 0, 0, ""));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_TRUE(list.UpdateDataByPKey(1011, 1, 1011, 60, sfntPossibleAnalog, sfttNoAnalog,
                                      sctAnotherCase, spotNoAnalog, "новая", 4, 5, 6, "КТ3102",
                                      1011, 10, "Другой"));
    const TKVElementAnalog* updated = list.GetRecord();
    EXPECT_EQ(updated->Id(), 1u);
    EXPECT_EQ(updated->AnalogElementTypeId(), 60u);
    EXPECT_EQ(updated->SimilalFunctionalType(), sfntPossibleAnalog);
    EXPECT_EQ(updated->Text(), "новая");
    EXPECT_EQ(updated->ReplDateTime(), 6);
    EXPECT_EQ(updated->AnalogElementTypeName(), "КТ3102");
    EXPECT_EQ(updated->PrimaryElementTypeName(), "КТ315");

    // The short form leaves the replication time, keys and names.
    TKVElementAnalog row(1011, 3);
    row.UpdateData(7, 7, 8, 8, sfntFullAnalog, sfttFullAnalog, sctFullAnalog, spotFullAnalog, "", 1,
                   2, 3, "p", 1, 1, "pc", "a", 2, 2, "ac");
    row.UpdateData(sfntUnknown, sfttUnknown, sctUnknown, spotUnknown, "t", 10, 20);
    EXPECT_EQ(row.ReplDateTime(), 3);
    EXPECT_EQ(row.UpdateDateTime(), 20);
    EXPECT_EQ(row.AnalogElementTypeName(), "a");
}

TEST(KVElementSupplier, PricesAndNames) {
    const auto list = TKVElementSupplierList::CreateOnSupplier(4);
    EXPECT_EQ(list->ListSelectDataMode(), essdmOnSupplier);
    EXPECT_EQ(list->SupplierId(), 4u);
    EXPECT_EQ(list->ElementTypeId(), 0u);
    EXPECT_EQ(TKVElementSupplierList::CreateOnClass(1011, 9)->ESClassId(), 9u);

    list->AddData(1, 1011, 20, 4, QVariant(), "", 0, 0, 1011, 9, "К", "Т1", "П", 3);
    list->AddData(2, 1011, 21, 4, QVariant(12.5), "", 0, 0, 1011, 9, "К", "Т2", "П", 3);
    list->AddData(3, 1011, 22, 5, QVariant::fromValue<qint64>(7), "", 0, 0, 1011, 9, "К", "Т3",
                  "Другой", 3);
    list->First();
    EXPECT_FALSE(list->GetRecord()->UsagePrice());
    EXPECT_EQ(list->GetRecord()->Price(), 0);
    list->Next();
    EXPECT_TRUE(list->GetRecord()->UsagePrice());
    EXPECT_EQ(list->GetRecord()->Price(), 12.5);
    list->Next();
    EXPECT_EQ(list->GetRecord()->Price(), 7); // a 64-bit integer from the database

    list->SetSupplierName("Новый"); // every row, whatever its supplier
    for (list->First(); !list->Eof(); list->Next())
        EXPECT_EQ(list->GetRecord()->SupplierName(), "Новый");
    EXPECT_EQ(list->SupplierName(), "Новый");

    EXPECT_TRUE(list->UpdateDataByPKey(2, 1011, 21, 4, QVariant("x"), "", 0, 0, 1011, 9, "К", "Т2",
                                       "П", 3));
    EXPECT_FALSE(list->GetRecord()->UsagePrice());
    EXPECT_EQ(TKVElementSupplier(1, 2, 3).ElementTypeIconId(), 0);
}

TEST(KVProject, ProjectsAndItems) {
    const TKVProject project(5);
    EXPECT_EQ(project.IconId(), -1);
    EXPECT_FALSE(project.InProgress());
    TKVProjectList projects(psdmArchive);
    EXPECT_EQ(projects.ListSelectDataMode(), psdmArchive);
    projects.AddData(5, "Усилитель", "", 10, 2, QString(300, u'к'), 1, 2, true, 4, 0, 0);
    projects.First();
    EXPECT_EQ(projects.GetRecord()->Category().size(), 255);
    EXPECT_TRUE(projects.GetRecord()->InProgress());

    TKVProjectItemList items(5);
    AddItem(items, 1, 0, 0, 5, 10); // no element type, no stock link
    AddItem(items, 2, 20, 30, QVariant(), "x");
    items.First();
    TKVProjectItem* item = items.GetRecord();
    EXPECT_FALSE(item->UsageElementType());
    EXPECT_EQ(item->ProjectId(), 5u);
    EXPECT_EQ(item->ProjectName(), "Проект");
    EXPECT_FALSE(item->ProjectInProgress());
    EXPECT_TRUE(item->UsageAvail()); // loading takes the count whatever the link
    EXPECT_EQ(item->CountAvail(), 5);
    EXPECT_EQ(item->PIClassName(), "Класс");
    item->UpdateElementTypeData(1011, 20, 3);
    EXPECT_TRUE(item->UsageElementType());

    // The long UpdateData: the stock count only with a link, the nominal whenever a number.
    item->UpdateData(0, "Тип", 2, "", 0, 0, 1011, 9, "Класс", 3, 5, 1011, 5, "шт", 10, 1011, 6,
                     "мкФ", "");
    EXPECT_FALSE(item->UsageAvail());
    EXPECT_EQ(item->CountAvail(), 0);
    EXPECT_TRUE(item->UsageNominal());
    EXPECT_EQ(item->Nominal(), 10);

    item->UpdateElementAvailData(0, 5, 1011, 5, "шт", 10, 1011, 6, "мкФ");
    EXPECT_FALSE(item->UsageAvail());
    EXPECT_FALSE(item->UsageNominal());
    item->UpdateElementAvailData(30, QVariant::fromValue<qint64>(5), 1011, 5, "шт", 10, 1011, 6,
                                 "мкФ");
    EXPECT_TRUE(item->UsageAvail());
    EXPECT_EQ(item->CountAvail(), 5);

    // UpdateDataByPKey keeps the project name.
    EXPECT_FALSE(items.UpdateDataByPKey(9, 0, 0, 0, "", 0, "", 0, 0, "", 0, 0, "", 0, {}, 0, 0, "",
                                        {}, 0, 0, "", ""));
    EXPECT_TRUE(items.UpdateDataByPKey(2, 1011, 21, 0, "Новое имя", 4, "", 0, 0, "Другой проект",
                                       1011, 9, "Класс", 3, 7, 1011, 5, "шт", 8, 1011, 6, "мкФ",
                                       ""));
    const TKVProjectItem* second = items.GetRecord();
    EXPECT_EQ(second->ProjectName(), "Проект");
    EXPECT_EQ(second->ElementTypeName(), "Новое имя");
    EXPECT_EQ(second->ElementTypeId(), 21u);
    EXPECT_FALSE(second->UsageAvail()); // no stock link
    EXPECT_EQ(second->Count(), 4);

    items.SetProjectInProgress(true);
    EXPECT_TRUE(items.ProjectInProgress());
    items.First();
    EXPECT_FALSE(items.GetRecord()->ProjectInProgress());
    items.SetProjectName("Новый проект");
    items.First();
    EXPECT_EQ(items.GetRecord()->ProjectName(), "Новый проект");
}

TEST(KVProject, ItemRenamesFirePerMatchingRow) {
    TKVProjectItemList items(5);
    AddItem(items, 1, 20, 0, {}, {}, 5, 6);
    AddItem(items, 2, 21, 0, {}, {}, 7, 6);
    AddItem(items, 3, 20, 0, {}, {}, 5, 8);
    std::vector<quint32> calls;
    const auto record = [&](TKVListObject* ASender, quint32 AId, const QString&) {
        EXPECT_EQ(ASender, &items);
        calls.push_back(AId);
    };
    items.SetOnChangeUnitCountPrefix(record);
    items.SetUnitCountPrefix(1011, 5, QString(20, u'ш'));
    EXPECT_EQ(calls, std::vector<quint32>({1, 3}));
    items.FindIndexByPKey(3);
    EXPECT_EQ(items.GetRecord()->UnitCountPrefix(), QString(16, u'ш'));
    items.FindIndexByPKey(2);
    EXPECT_EQ(items.GetRecord()->UnitCountPrefix(), "шт");

    calls.clear();
    items.SetOnChangeElementTypeName(record);
    items.SetElementTypeName(1011, 21, "КТ361");
    EXPECT_EQ(calls, std::vector<quint32>({2}));
    calls.clear();
    items.SetOnChangeUnitNominalPrefix(record);
    items.SetUnitNominalPrefix(1011, 6, "пФ");
    EXPECT_EQ(calls, std::vector<quint32>({1, 2}));
}
