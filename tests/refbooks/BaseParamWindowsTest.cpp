// The base-parameter book's picker over one class, and the layout rows that each class's list
// window keeps for itself.

#include "tests/refbooks/BaseParamTestSupport.h"

#include <QPushButton>

#include <algorithm>

class BaseParamWindowsTest : public TBaseParamTest {
protected:
    void AddSamples() {
        AddClass(1011, 1, QStringLiteral("Резисторы"));
        AddClass(1011, 2, QStringLiteral("Конденсаторы"));
        AddUnit(1011, 1, QStringLiteral("Ом"));
        AddBaseParam(1, 1, QStringLiteral("Сопротивление"), 1, QStringLiteral("R"));
        AddBaseParam(2, 1, QStringLiteral("Допуск"), 0, QStringLiteral("TOL"));
        AddBaseParam(3, 2, QStringLiteral("Ёмкость"), 0, QStringLiteral("C"));
    }
    TKVSelectedItemDBData Pick(quint32 AClassId, quint32 ASelectId,
                               std::function<void(TfrmSelectBaseParam*)> AInside) {
        AnswerModal<TfrmSelectBaseParam>(std::move(AInside));
        TKVSelectedItemDBData result = {true, 9, 9, 9, QStringLiteral("before")};
        SelectBaseParam(1011, AClassId, 1011, ASelectId, result);
        return result;
    }
};

TEST_F(BaseParamWindowsTest, PickerOffersTheClassRowsAndHandsBackTheChosenOne) {
    AddSamples();
    DB();
    QStringList shown;
    TKVSelectedItemDBData preset;
    TKVSelectedItemDBData result = Pick(1, 2, [&](TfrmSelectBaseParam* APicker) {
        EXPECT_EQ(APicker->windowTitle(), QStringLiteral("Выбор базового параметра"));
        T_frmBaseParam* frame = APicker->BookFrame();
        EXPECT_FALSE(frame->ActionState());
        shown = Column(frame);
        preset = frame->SelectedItemDBData();
        frame->SelectRecord(1011, 1);
        APicker->ButtonPanel()->OkBtn()->click();
    });
    EXPECT_EQ(shown, QStringList({"Сопротивление (Ом)", "Допуск"}));
    EXPECT_TRUE(preset.Select);
    EXPECT_EQ(preset.Id, 2u);
    EXPECT_TRUE(result.Select);
    EXPECT_EQ(result.DBId, 1011u);
    EXPECT_EQ(result.Id, 1u);
    EXPECT_EQ(result.Name, QStringLiteral("Сопротивление (Ом)"));

    // A preset of another class selects nothing, and OK then hands back Select false; so does
    // Cancel.
    result = Pick(1, 3, [&](TfrmSelectBaseParam* APicker) {
        EXPECT_FALSE(APicker->BookFrame()->SelectedItemDBData().Select);
        APicker->ButtonPanel()->OkBtn()->click();
    });
    EXPECT_FALSE(result.Select);
    EXPECT_EQ(result.Id, 0u);
    result = Pick(
        2, 3, [&](TfrmSelectBaseParam* APicker) { APicker->ButtonPanel()->CancelBtn()->click(); });
    EXPECT_FALSE(result.Select);
    EXPECT_TRUE(result.Name.isEmpty());
    EXPECT_EQ(Main().MDIChildCount(), 0);
}

TEST_F(BaseParamWindowsTest, EachClassWindowKeepsItsOwnLayoutRows) {
    AddSamples();
    const QString rows = QStringLiteral(
        "SELECT LIST(COALESCE(OBJ_DBID, '-') || '/' || COALESCE(OBJ_ID, '-') || ' ' || S_PARAM "
        "|| ':' || COALESCE(V_PARAMID, -1) || '=' || V_INTEGER, ', ') FROM (SELECT * FROM "
        "CFG_LOCAL WHERE OBJ_TYPE = %1 ORDER BY OBJ_ID, S_PARAM DESC, V_PARAMID)");

    // No rows yet: the defaults 500 × 180 (or what the list needs); the minimum 300 × 180 (or
    // what the tool bar and the list need).
    TfrmBaseParam* host = OpenBaseParams(1);
    const QSize defaults = host->SubWindow()->size();
    EXPECT_GE(defaults.width(), 500);
    EXPECT_GE(defaults.height(), 180);
    EXPECT_EQ(host->SubWindow()->minimumSize(),
              QSize(300, 180).expandedTo(host->SubWindow()->minimumSizeHint()));
    const int caption =
        std::max(100, host->BookFrame()->ListView()->header()->sectionSizeHint(2));
    const QSize stored = defaults + QSize(40, 30);
    host->SubWindow()->resize(stored);
    host->BookFrame()->ListView()->header()->resizeSection(3, 60);
    ASSERT_TRUE(host->CloseWindow());
    Settle();
    EXPECT_EQ(Scalar(rows.arg(22)).toString(),
              QStringLiteral("1011/1 RBW:-1=%1, 1011/1 RBH:-1=%2, 1011/1 CW:0=160, "
                             "1011/1 CW:1=160, 1011/1 CW:2=%3, 1011/1 CW:3=60")
                  .arg(stored.width())
                  .arg(stored.height())
                  .arg(caption));

    // The class's window opens at its size; another class's at the defaults.
    host = OpenBaseParams(1);
    EXPECT_EQ(host->SubWindow()->size(), stored);
    EXPECT_EQ(host->BookFrame()->ListView()->header()->sectionSize(3), 60);
    TfrmBaseParam* other = OpenBaseParams(2);
    EXPECT_EQ(other->SubWindow()->size(), defaults);

    // The picker stores its rows under its own code, without a class key.
    Pick(2, 0, [&](TfrmSelectBaseParam* APicker) { APicker->ButtonPanel()->CancelBtn()->click(); });
    EXPECT_TRUE(Scalar(rows.arg(38)).toString().startsWith(QStringLiteral("-/- RBW:-1=")))
        << Scalar(rows.arg(38)).toString().toStdString();
}
