// The list pattern (shown on the unit, note and supplier lists) and the flat reference-book
// rows.

#include "core/KVCase.h"
#include "core/KVMaker.h"
#include "core/KVNote.h"
#include "core/KVSupplier.h"
#include "core/KVUnit.h"

#include "tests/core/CoreTestUtils.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

void AddUnit(TKVUnitList& AList, quint32 ADBId, quint32 AId, const QString& AName = {}) {
    AList.AddData(ADBId, AId, QStringLiteral("п"), QString(), AName, QString(), 1, 0, 0, 0);
}

// The names of a list's rows by a full walk.
QStringList Names(TKVUnitList& AList) {
    QStringList names;
    if (AList.Empty())
        return names;
    for (AList.First(); !AList.Eof(); AList.Next())
        names += AList.GetRecord()->Name();
    return names;
}

} // namespace

// --- Keys and cursor -------------------------------------------------------------------------

TEST(KVListPattern, KeySearchComparesTheWholeKeyAndFirstMatchWins) {
    TKVUnitList list;
    AddUnit(list, 1011, 5, "a");
    AddUnit(list, 1012, 5, "b"); // same Id, other DBId
    AddUnit(list, 1011, 6, "c");
    AddUnit(list, 1011, 5, "d"); // the key of "a" again

    EXPECT_EQ(list.FindIndexByPKey(1011, 5), 0);
    EXPECT_EQ(list.FindIndexByPKey(1012, 5), 1);
    EXPECT_EQ(list.FindIndexByPKey(1011, 6), 2);
    EXPECT_EQ(list.FindIndexByPKey(1012, 6), -1);
    EXPECT_EQ(list.FindIndexByPKey(0, 5), -1);

    // The duplicate takes over once the first is gone, at its new position.
    ASSERT_TRUE(list.DeleteByPKey(1011, 5));
    EXPECT_EQ(list.FindIndexByPKey(1011, 5), 2);
    list.FindIndexByPKey(1011, 5);
    EXPECT_EQ(list.GetRecord()->Name(), "d");
    ASSERT_TRUE(list.DeleteByPKey(1011, 5));
    EXPECT_FALSE(list.ExistsItemByPKey(1011, 5));
    EXPECT_EQ(Names(list), QStringList({"b", "c"}));
}

TEST(KVListPattern, KeySearchLeavesTheCursorAndClearsModified) {
    TKVUnitList list;
    for (quint32 id = 1; id <= 4; ++id)
        AddUnit(list, 1, id, QString::number(id));
    ASSERT_TRUE(list.Modified());
    EXPECT_EQ(list.GetRecord(), nullptr); // modified: no record

    // Found: the cursor on the row, the walk goes on from there.
    EXPECT_EQ(list.FindIndexByPKey(1, 3), 2);
    EXPECT_FALSE(list.Modified());
    EXPECT_EQ(list.GetRecord()->Name(), "3");
    list.Next();
    EXPECT_EQ(list.GetRecord()->Name(), "4");

    // Absent: the cursor past the end.
    EXPECT_FALSE(list.ExistsItemByPKey(1, 9));
    EXPECT_TRUE(list.Eof());
    EXPECT_EQ(ExceptionMessageOf([&] { list.GetRecord(); }), "Items not found");
    EXPECT_EQ(ExceptionMessageOf([&] { list.Next(); }), "Items not found");

    // UpdateDataByPKey moves the cursor alike and never changes the key.
    EXPECT_TRUE(list.UpdateDataByPKey(1, 2, "x", "y", "новое", "", 2, 0, 0, 0));
    EXPECT_EQ(list.GetRecord()->Name(), "новое");
    EXPECT_EQ(list.GetRecord()->Id(), 2u);
    EXPECT_FALSE(list.UpdateDataByPKey(1, 9, "x", "y", "z", "", 2, 0, 0, 0));
    EXPECT_TRUE(list.Eof());
}

TEST(KVListPattern, AChangeDuringAWalkStopsItUntilFirst) {
    TKVUnitList list;
    AddUnit(list, 1, 1, "a");
    AddUnit(list, 1, 2, "b");
    list.First();
    EXPECT_EQ(list.GetRecord()->Name(), "a");
    AddUnit(list, 1, 3, "c");
    list.Next(); // does nothing while modified
    EXPECT_EQ(list.GetRecord(), nullptr);
    list.First();
    EXPECT_EQ(list.GetRecord()->Name(), "a");
    list.Next();
    EXPECT_EQ(list.GetRecord()->Name(), "b");

    // Deleting the row under the cursor: the walk restarts with First.
    ASSERT_TRUE(list.DeleteByPKey(1, 2));
    EXPECT_TRUE(list.Modified());
    EXPECT_EQ(list.GetRecord(), nullptr);
    EXPECT_EQ(Names(list), QStringList({"a", "c"}));
}

TEST(KVListPattern, EmptyListsAndErrors) {
    TKVUnitList list;
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.FindIndexByPKey(1, 1), -1);
    EXPECT_FALSE(list.ExistsItemByPKey(1, 1));
    EXPECT_FALSE(list.DeleteByPKey(1, 1));
    EXPECT_FALSE(list.UpdateDataByPKey(1, 1, "", "", "", "", 0, 0, 0, 0));
    EXPECT_EQ(ExceptionMessageOf([&] { list.First(); }), "Items not found");
    EXPECT_EQ(ExceptionMessageOf([&] { list.Next(); }), "Items not found"); // no First yet

    AddUnit(list, 1, 1, "a");
    EXPECT_FALSE(list.DeleteByPKey(1, 2));
    EXPECT_EQ(list.Count(), 1);
    EXPECT_TRUE(list.DeleteByPKey(1, 1)); // the first (and only) row
    EXPECT_TRUE(list.Empty());

    AddUnit(list, 1, 1, "a");
    AddUnit(list, 1, 2, "b");
    list.Clear();
    EXPECT_TRUE(list.Empty());
    EXPECT_FALSE(list.ExistsItemByPKey(1, 1));
    AddUnit(list, 1, 2, "c");
    EXPECT_EQ(list.FindIndexByPKey(1, 2), 0);
}

TEST(KVListPattern, GetItemByPKeyAndLocalKeys) {
    TKVCaseList cases;
    EXPECT_EQ(cases.GetItemByPKey(1, 1), nullptr);
    cases.AddData(7, 0, "без ключа", "", 0, cmtSMD, cvtUntyped, 0, 0, 0);
    cases.AddData(7, 1, "SOT-23", "", 3, cmtSMD, cvtHorLine, 0, 0, 0);
    EXPECT_EQ(cases.GetItemByPKey(7, 0), nullptr); // Id 0 is never looked up
    EXPECT_EQ(cases.FindIndexByPKey(7, 0), 0);     // ... but a key search finds it
    ASSERT_NE(cases.GetItemByPKey(7, 1), nullptr);
    EXPECT_EQ(cases.GetItemByPKey(7, 1)->TypeName(), "SOT-23");
    EXPECT_EQ(cases.GetRecord()->TypeName(), "SOT-23"); // the cursor is left on it

    TKVSupplierList suppliers;
    suppliers.AddData(3, "Поставщик", "", "", "", "", 0, 0);
    suppliers.AddData(70000, "Второй", "", "", "", "", 0, 0);
    EXPECT_EQ(suppliers.FindIndexByPKey(70000), 1);
    EXPECT_TRUE(suppliers.UpdateDataByPKey(3, "Новый", "адрес", "тел", "url", "текст", 1, 2));
    suppliers.FindIndexByPKey(3);
    EXPECT_EQ(suppliers.GetRecord()->Name(), "Новый");
    EXPECT_EQ(suppliers.GetRecord()->UpdateDateTime(), 2);
    EXPECT_TRUE(suppliers.DeleteByPKey(3));
    EXPECT_EQ(suppliers.FindIndexByPKey(70000), 0);
}

// A row added before its key was known is found under the key SetPKey gives it later, in its
// place in the list.
TEST(KVListPattern, SetPKeyOnAHeldRow) {
    TKVUnitList list;
    AddUnit(list, 1011, 4, "a");
    AddUnit(list, 0, 0, "new");
    AddUnit(list, 1011, 4, "b");
    list.FindIndexByPKey(0, 0);
    TKVUnit* row = list.GetRecord();
    EXPECT_TRUE(row->SetPKey(1011, 4));
    EXPECT_FALSE(row->SetPKey(2, 2)); // a stored row keeps its key
    EXPECT_EQ(row->PKey(), (TKVDBKey{1011, 4}));
    EXPECT_FALSE(list.ExistsItemByPKey(0, 0));

    EXPECT_EQ(list.FindIndexByPKey(1011, 4), 0);
    ASSERT_TRUE(list.DeleteByPKey(1011, 4)); // "a"
    EXPECT_EQ(list.FindIndexByPKey(1011, 4), 0);
    EXPECT_EQ(list.GetRecord()->Name(), "new"); // before "b"
}

// A view looks rows up while the list may be in a walk: the lookup finds the first row with
// the key, also one that got its key after it was added, and never moves the cursor.
TEST(KVListPattern, PeekFindsTheFirstRowWithoutMovingTheCursor) {
    TKVUnitList list;
    AddUnit(list, 1011, 0, "new");
    AddUnit(list, 1011, 5, "b");
    AddUnit(list, 1011, 4, "c");
    list.FindIndexByPKey(1011, 0);
    ASSERT_TRUE(list.GetRecord()->SetPKey(1011, 4));
    list.First();
    list.Next(); // on "b"
    for (int pass = 0; pass < 2; ++pass) {
        ASSERT_NE(list.PeekByPKey(1011, 4), nullptr);
        EXPECT_EQ(list.PeekByPKey(1011, 4)->Name(), "new") << pass;
        EXPECT_EQ(list.PeekByPKey(1011, 9), nullptr);
        EXPECT_EQ(list.GetRecord()->Name(), "b") << pass;
        list.FindIndexByPKey(1011, 5); // indexes the new key; the cursor stays on "b"
    }
}

// Many adds, deletes and searches against a plain list searched from its start: the index
// must give the same positions and rows, duplicates and deletes included.
TEST(KVListPattern, AgreesWithALinearListUnderRandomChanges) {
    std::mt19937 random(12345);
    TKVNoteList list;
    std::vector<std::pair<quint32, int>> model; // key, serial
    int serial = 0;
    for (int step = 0; step < 4000; ++step) {
        const quint32 id = random() % 60 + 1;
        switch (random() % 4) {
        case 0:
        case 1:
            list.AddData(id, 1, QString::number(serial), 0, 0);
            model.emplace_back(id, serial++);
            break;
        case 2: {
            const auto found = std::find_if(model.begin(), model.end(),
                                            [id](const auto& AItem) { return AItem.first == id; });
            EXPECT_EQ(list.DeleteByPKey(id), found != model.end());
            if (found != model.end())
                model.erase(found);
            break;
        }
        default: {
            const auto found = std::find_if(model.begin(), model.end(),
                                            [id](const auto& AItem) { return AItem.first == id; });
            const int expected = found == model.end() ? -1 : int(found - model.begin());
            ASSERT_EQ(list.FindIndexByPKey(id), expected) << step;
            if (expected >= 0) {
                ASSERT_EQ(list.GetRecord()->Text(), QString::number(found->second));
            }
        }
        }
        ASSERT_EQ(list.Count(), int(model.size()));
    }
    if (!list.Empty()) {
        std::size_t i = 0;
        for (list.First(); !list.Eof(); list.Next(), ++i)
            EXPECT_EQ(list.GetRecord()->Text(), QString::number(model[i].second));
    }
}

// --- Rows of the flat books ------------------------------------------------------------------

TEST(KVListRows, ShortStringsAreCut) {
    TKVUnitList units;
    units.AddData(1, 1, QString(20, u'п'), QString(17, u'о'), QString(200, u'н'),
                  QString(300, u'о'), 1e-3, 0, 0, 0);
    units.First();
    const TKVUnit* unit = units.GetRecord();
    EXPECT_EQ(unit->Prefix(), QString(16, u'п'));
    EXPECT_EQ(unit->NameDef(), QString(16, u'о'));
    EXPECT_EQ(unit->Name(), QString(128, u'н'));
    EXPECT_EQ(unit->Description().size(), 300); // unlimited

    TKVMakerList makers;
    makers.AddData(1, 1, "Maker", QString(400, u'd'), QString(300, u'u'), 1, 2, 3);
    makers.First();
    EXPECT_EQ(makers.GetRecord()->Url().size(), 255);
    EXPECT_EQ(makers.GetRecord()->Description().size(), 400);
    EXPECT_EQ(makers.GetRecord()->ReplDateTime(), 3);
}

TEST(KVListRows, CaseDrawingParameters) {
    TKVCase c(1, 2);
    c.UpdateData("DIP-8", "", 8, cmtInBoardHoles, cvtDoubleLineSerialPinNum, 0x010000, 0, 0, 0);
    EXPECT_EQ(c.PttVisualParam2(), 1);
    EXPECT_EQ(c.PttVisualParams(), 65536u);
    c.UpdateData("DIP-8", "", 8, cmtInBoardHoles, cvtGridArray, 0xFF030201u, 0, 0, 0);
    EXPECT_EQ(c.PttVisualParam0(), 1);
    EXPECT_EQ(c.PttVisualParam1(), 2);
    EXPECT_EQ(c.PttVisualParam2(), 3);
    EXPECT_EQ(c.PttVisualParams(), 0x030201u);        // bits 24..31 ignored
    c.UpdateData("DIP-14", "d", 14, cmtSMD, 0, 0, 0); // the short form keeps the drawing
    EXPECT_EQ(c.PttVisualType(), cvtGridArray);
    EXPECT_EQ(c.PttVisualParams(), 0x030201u);
    EXPECT_EQ(c.MountTypeIndex(), 2);
    EXPECT_EQ(c.GetToPttVisualTypeIndex(), 8);

    // Rows of a case list carry no drawing parameters.
    TKVCaseList list;
    list.AddData(1, 2, "SO-8", "", 8, cmtSMD, cvtQuadroLineStandPinNum, 0, 0, 0);
    list.GetItemByPKey(1, 2)->UpdateData("SO-8", "", 8, cmtSMD, cvtQuadroLineStandPinNum, 7, 0, 0,
                                         0);
    list.UpdateDataByPKey(1, 2, "SO-8", "", 8, cmtSMD, cvtGridArray, 0, 0, 0);
    EXPECT_EQ(list.GetItemByPKey(1, 2)->PttVisualParams(), 0u);
    EXPECT_EQ(list.GetItemByPKey(1, 2)->PttVisualType(), cvtGridArray);
}

TEST(KVListRows, IndexConversionsFallBackToTheFirstValue) {
    EXPECT_EQ(TKVCase::IndexToMountType(4), cmtSwitching);
    EXPECT_EQ(TKVCase::IndexToMountType(7), cmtUnknown);
    EXPECT_EQ(TKVCaseList::IndexToMountType(-1), cmtUnknown);
    EXPECT_EQ(TKVCase::IndexToPttVisualType(9), cvtHorLineWithGE);
    EXPECT_EQ(TKVCase::IndexToPttVisualType(-1), cvtUntyped);
    EXPECT_EQ(TKVCaseList::IndexToPttVisualType(10), cvtUntyped);
}

TEST(KVListRows, NoteMarker) {
    TKVNote note(5);
    EXPECT_EQ(note.Marker(), -1);
    const struct {
        int Marker;
        int Stored;
    } cases[] = {{0, 0}, {15, 15}, {16, -1}, {-5, -1}, {255, -1}, {271, -1}, {-1, -1}};
    for (const auto& c : cases) {
        note.UpdateMarkerData(c.Marker);
        EXPECT_EQ(note.Marker(), c.Stored) << c.Marker;
        TKVNoteList list;
        list.AddData(1, c.Marker, "t", 0, 0);
        list.FindIndexByPKey(1);
        EXPECT_EQ(list.GetRecord()->Marker(), c.Stored) << c.Marker;
        list.UpdateDataByPKey(1, c.Marker, "t", 0, 0);
        EXPECT_EQ(list.GetRecord()->Marker(), c.Stored) << c.Marker;
    }
    note.UpdateMarkerData(3);
    note.UpdateData("текст", 1, 2); // keeps the marker
    EXPECT_EQ(note.Marker(), 3);
    EXPECT_EQ(note.Text(), "текст");
}
