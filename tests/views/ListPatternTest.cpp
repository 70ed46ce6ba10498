// The list pattern as later windows use it, through a small unit list of our own: SQL and
// columns that change with the list's mode, rows that leave the list when they no longer meet
// its criterion, rows hidden by the list that stay hidden, and windows bound to a record that
// close when it is deleted.

#include "tests/views/ViewsTestSupport.h"

#include "shell/KVRecordNotice.h"
#include "views/KVListHost.h"

#include <QPointer>

#include <set>

namespace {

// The units of all groups (mode 0), of one group of units sharing a default designation
// (mode 1), or the one unit the list was opened on (mode 2). One column per group of the loaded
// units follows the prefix, holding each unit's factor in its group's column; a unit with a
// negative factor is kept loaded but never shown, as a search's non-match is.
class TTestUnitFrame : public TKVBookListFrame<TKVUnitList> {
public:
    explicit TTestUnitFrame(QWidget* AParent = nullptr)
        : TKVBookListFrame<TKVUnitList>(Book(), AParent) {}

    void Init(int AMode, const QString& AGroup, TKVDBKey AUnit = {}) {
        FMode = AMode;
        FGroup = AGroup;
        FUnit = AUnit;
        TKVListFrame::Init(true);
    }

    bool BoundToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const override {
        return FMode == 2 && AItemType == itUnit && FUnit == TKVDBKey{ADBId, AId};
    }

protected:
    QString CountSQL() const override {
        return QStringLiteral("SELECT COUNT(ID) FROM T_UNIT TU1") + Criterion(false);
    }
    QString SelectSQL() const override { return kFields + Criterion(false); }
    QString SelectOneSQL() const override { return kFields + Criterion(true); }
    void BindContext(TIBQuery& AQuery) override {
        if (FMode == 1)
            AQuery.ParamByName("VAR_GROUP").SetAsString(FGroup);
        if (FMode == 2) {
            AQuery.ParamByName("VAR_UNITDBID").SetAsInt64(FUnit.DBId);
            AQuery.ParamByName("VAR_UNITID").SetAsInt64(FUnit.Id);
        }
    }
    void BuildDataColumns() override {
        std::set<QString> groups;
        List()->VisitRows([&](const TKVUnit& AUnit) { groups.insert(AUnit.NameDef()); });
        std::vector<TKVListColumn> columns = {{QStringLiteral("Приставка"), 80, lckText}};
        FGroups.assign(groups.begin(), groups.end());
        for (const QString& group : FGroups)
            columns.push_back({group, 60, lckDataValue});
        SetColumns(std::move(columns));
    }
    TKVListRow MakeRow(const TKVUnit& AUnit) const override {
        TKVListRow row{AUnit.PKey(), {AUnit.Prefix()}, std::nullopt};
        for (const QString& group : FGroups)
            row.Texts << (group == AUnit.NameDef() ? FloatToStrKV(AUnit.Factor()) : QString());
        return row;
    }
    bool RecordMatchesText(const TKVUnit& AUnit) const override {
        return MatchesFilter(AUnit.Prefix());
    }
    bool RecordHidden(const TKVUnit& AUnit) const override { return AUnit.Factor() < 0; }

private:
    inline static const QString kFields = QStringLiteral(
        "SELECT TU1.DBID, TU1.ID, TU1.S_PREFIX, TU1.S_NAMEDEF, TU1.V_FACTOR FROM T_UNIT TU1");

    QString Criterion(bool AOneRow) const {
        QStringList terms;
        if (FMode == 1)
            terms << QStringLiteral("TU1.S_NAMEDEF = :VAR_GROUP");
        if (FMode == 2)
            terms << QStringLiteral("TU1.DBID = :VAR_UNITDBID AND TU1.ID = :VAR_UNITID");
        if (AOneRow)
            terms << QStringLiteral("TU1.DBID = :VAR_DBID AND TU1.ID = :VAR_ID");
        return terms.isEmpty() ? QStringLiteral(";")
                               : QStringLiteral(" WHERE ") + terms.join(QStringLiteral(" AND ")) +
                                     QStringLiteral(";");
    }
    static TKVListBook Book() {
        TKVListBook book;
        book.Name = QStringLiteral("TestUnit");
        book.ItemType = itUnit;
        book.DeleteSQL =
            QStringLiteral("DELETE FROM T_UNIT WHERE DBID = :VAR_DBID AND ID = :VAR_ID;");
        book.ManageObjType = otUnitList;
        book.SelectObjType = otUnitSelect;
        return book;
    }

    int FMode = 0;
    QString FGroup;
    TKVDBKey FUnit;
    std::vector<QString> FGroups;
};

class TTestUnitHost : public TKVBookHost<TTestUnitFrame> {
public:
    TTestUnitHost() : TKVBookHost({QSize(392, 153), QSize(300, 180)}) {}

    static TTestUnitHost* Open(int AMode, const QString& AGroup = QString(), TKVDBKey AUnit = {}) {
        return OpenListHost<TTestUnitHost>(
            2014, [&](TTestUnitFrame& AFrame) { AFrame.Init(AMode, AGroup, AUnit); },
            [](TTestUnitFrame&) { return QStringLiteral("Единицы"); });
    }
};

class ListPatternTest : public TViewsTest {
protected:
    void SetUp() override {
        TViewsTest::SetUp();
        ::LocalConfig = false; // the layout rows are another test's matter
        AddUnit(1011, 1, QStringLiteral("мВ"), QString(), QStringLiteral("В"), QString(), 0.001);
        AddUnit(1011, 2, QStringLiteral("кВ"), QString(), QStringLiteral("В"), QString(), 1000);
        AddUnit(1011, 3, QStringLiteral("мА"), QString(), QStringLiteral("А"), QString(), 0.001);
    }
    void SetFactor(quint32 AId, double AFactor) {
        DB().Exec(QStringLiteral("UPDATE T_UNIT SET V_FACTOR = %1 WHERE DBID = 1011 AND ID = %2")
                      .arg(AFactor)
                      .arg(AId));
    }
    static QStringList Captions(const TKVListFrame* AFrame) {
        QStringList captions;
        for (const TKVListColumn& column : AFrame->Model()->Columns())
            captions << column.Caption;
        return captions;
    }
};

} // namespace

TEST_F(ListPatternTest, ModesSelectTheirRowsAndColumnsFollowTheLoadedData) {
    TTestUnitFrame* all = TTestUnitHost::Open(0)->BookFrame();
    EXPECT_EQ(Column(all), QStringList({"мВ", "кВ", "мА"}));
    EXPECT_EQ(Captions(all), QStringList({"Приставка", "А", "В"}));
    EXPECT_EQ(Column(all, 2), QStringList({"0,001", "1000", ""}));

    TTestUnitFrame* volts = TTestUnitHost::Open(1, QStringLiteral("В"))->BookFrame();
    EXPECT_EQ(Column(volts), QStringList({"мВ", "кВ"}));
    EXPECT_EQ(Captions(volts), QStringList({"Приставка", "В"}));

    // A new group after a refresh brings its column; the width the user gave a column stays.
    volts->ListView()->header()->resizeSection(1, 123);
    AddUnit(1011, 4, QStringLiteral("МВ"), QString(), QStringLiteral("В"), QString(), 1e6);
    AddUnit(1011, 5, QStringLiteral("Ом"), QString(), QStringLiteral("Ом"), QString(), 1);
    all->RefreshData();
    EXPECT_EQ(Captions(all), QStringList({"Приставка", "А", "В", "Ом"}));
    EXPECT_EQ(Column(all, 3), QStringList({"", "", "", "", "1"}));
    volts->RefreshData();
    EXPECT_EQ(Column(volts), QStringList({"мВ", "кВ", "МВ"}));
    EXPECT_EQ(volts->ListView()->header()->sectionSize(1), 123);
}

TEST_F(ListPatternTest, ChangedRowLeavesTheListsWhoseCriterionItNoLongerMeets) {
    TTestUnitFrame* all = TTestUnitHost::Open(0)->BookFrame();
    TTestUnitFrame* volts = TTestUnitHost::Open(1, QStringLiteral("В"))->BookFrame();
    TTestUnitFrame* amperes = TTestUnitHost::Open(1, QStringLiteral("А"))->BookFrame();
    volts->SelectRecord(1011, 2);
    ASSERT_TRUE(volts->SelectedItemDBData().Select);

    // кВ moves from the volts to the amperes, as a card's save reports it.
    DB().Exec(QStringLiteral("UPDATE T_UNIT SET S_NAMEDEF = 'А' WHERE ID = 2"));
    NotifyRecordChanged(itUnit, 1011, 2, iatChange);
    EXPECT_EQ(Column(volts), QStringList({"мВ"}));
    EXPECT_FALSE(volts->SelectedItemDBData().Select);
    EXPECT_EQ(volts->CountPanel()->text(), QStringLiteral("Записей 1 "));
    EXPECT_EQ(Column(amperes), QStringList({"мА", "кВ"}));
    EXPECT_EQ(Column(all), QStringList({"мВ", "кВ", "мА"}));

    // A change of another item type, or of a unit no list holds or wants, leaves them alone.
    NotifyRecordChanged(itMaker, 1011, 1, iatChange);
    NotifyRecordChanged(itUnit, 1011, 99, iatChange);
    EXPECT_EQ(Column(volts), QStringList({"мВ"}));
    EXPECT_EQ(Column(all), QStringList({"мВ", "кВ", "мА"}));

    // A deleted unit leaves every list.
    NotifyRecordChanged(itUnit, 1011, 1, iatDelete);
    EXPECT_EQ(Column(volts), QStringList());
    EXPECT_EQ(volts->CountPanel()->text(), QStringLiteral("Нет записей "));
    EXPECT_EQ(Column(all), QStringList({"кВ", "мА"}));
}

TEST_F(ListPatternTest, HiddenRowsStayHiddenThroughUpdatesAndRefresh) {
    SetFactor(2, -1);
    TTestUnitFrame* all = TTestUnitHost::Open(0)->BookFrame();
    EXPECT_EQ(Column(all), QStringList({"мВ", "мА"}));
    EXPECT_EQ(all->CountPanel()->text(), QStringLiteral("Записей 2 "));

    // Hidden with any filter, reread or refreshed.
    all->FilterEdit()->setText(QStringLiteral("В"));
    all->ApplyFilter();
    EXPECT_EQ(Column(all), QStringList({"мВ"}));
    all->FilterButton(2)->trigger();
    NotifyRecordChanged(itUnit, 1011, 2, iatChange);
    all->RefreshData();
    EXPECT_EQ(Column(all), QStringList({"мВ", "мА"}));

    // A shown row that becomes hidden goes; a hidden one that no longer is comes back.
    SetFactor(3, -5);
    SetFactor(2, 1000);
    NotifyRecordChanged(itUnit, 1011, 3, iatChange);
    NotifyRecordChanged(itUnit, 1011, 2, iatChange);
    EXPECT_EQ(Column(all), QStringList({"мВ", "кВ"}));
    all->RefreshData();
    EXPECT_EQ(Column(all), QStringList({"мВ", "кВ"}));
}

TEST_F(ListPatternTest, DeletingARecordClosesTheWindowsBoundToIt) {
    TTestUnitHost* all = TTestUnitHost::Open(0);
    QPointer<TTestUnitHost> bound = TTestUnitHost::Open(2, QString(), {1011, 3});
    QPointer<TTestUnitHost> other = TTestUnitHost::Open(2, QString(), {1011, 1});
    ASSERT_EQ(Column(bound->BookFrame()), QStringList({"мА"}));

    all->BookFrame()->SelectRecord(1011, 3);
    FocusList(all->BookFrame());
    Answers = {mrYes};
    all->BookFrame()->Delete_ToolButtonClick();
    Settle();
    EXPECT_EQ(Messages, QStringList({"Удалить запись?"}));
    EXPECT_EQ(UnitCount(), 2);
    EXPECT_TRUE(bound.isNull());
    ASSERT_FALSE(other.isNull());
    EXPECT_EQ(Column(all->BookFrame()), QStringList({"мВ", "кВ"}));

    // A window is never closed by the delete it runs itself.
    other->BookFrame()->SelectRecord(1011, 1);
    FocusList(other->BookFrame());
    Answers = {mrYes};
    other->BookFrame()->Delete_ToolButtonClick();
    Settle();
    ASSERT_FALSE(other.isNull());
    EXPECT_EQ(Column(other->BookFrame()), QStringList());
    EXPECT_EQ(Column(all->BookFrame()), QStringList({"кВ"}));
}

// A filter applied to a sorted list, and cleared, keeps the list's order; a record that changed
// meanwhile takes its sorted place the next time the filter is applied.
TEST_F(ListPatternTest, FilterOnASortedListKeepsItsOrder) {
    AddUnit(1011, 4, QStringLiteral("ГВ"), QString(), QStringLiteral("В"), QString(), 1e9);
    AddUnit(1011, 5, QStringLiteral("мкВ"), QString(), QStringLiteral("В"), QString(), 1e-6);
    TTestUnitFrame* all = TTestUnitHost::Open(0)->BookFrame();
    ASSERT_EQ(Column(all), QStringList({"мВ", "кВ", "мА", "ГВ", "мкВ"}));

    all->ListViewColumnClick(0);
    all->ListViewColumnClick(0); // descending
    const QStringList descending = {"мкВ", "мВ", "мА", "кВ", "ГВ"};
    EXPECT_EQ(Column(all), descending);
    all->FilterEdit()->setText(QStringLiteral("В"));
    all->ApplyFilter();
    EXPECT_EQ(Column(all), QStringList({"мкВ", "мВ", "кВ", "ГВ"}));
    all->FilterButton(2)->trigger();
    EXPECT_EQ(Column(all), descending);

    // A column of equal values keeps the order; then a unit changes its prefix.
    all->ListViewColumnClick(1);
    EXPECT_EQ(Column(all), descending);
    DB().Exec(QStringLiteral("UPDATE T_UNIT SET S_PREFIX = 'аВ' WHERE DBID = 1011 AND ID = 4"));
    NotifyRecordChanged(itUnit, 1011, 4, iatChange);
    all->ListViewColumnClick(0);
    EXPECT_EQ(Column(all), QStringList({"аВ", "кВ", "мА", "мВ", "мкВ"}));
    DB().Exec(QStringLiteral("UPDATE T_UNIT SET S_PREFIX = 'нВ' WHERE DBID = 1011 AND ID = 4"));
    NotifyRecordChanged(itUnit, 1011, 4, iatChange);
    EXPECT_EQ(Column(all), QStringList({"нВ", "кВ", "мА", "мВ", "мкВ"})); // changed in place
    all->FilterEdit()->setText(QStringLiteral("В"));
    all->ApplyFilter();
    EXPECT_EQ(Column(all), QStringList({"кВ", "мВ", "мкВ", "нВ"}));
    all->FilterButton(2)->trigger();
    EXPECT_EQ(Column(all), QStringList({"кВ", "мА", "мВ", "мкВ", "нВ"}));
}
