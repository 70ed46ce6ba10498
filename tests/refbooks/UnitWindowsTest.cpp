// The unit book's windows: the layout rows the list window and the picker keep in CFG_LOCAL
// (written, read back, capped, and left alone without option LocalConfig or on a read-only
// database), the sizes they open with, and the picker handing back the chosen unit.

#include "tests/refbooks/RefBooksTestSupport.h"

#include "shell/KVWidgets.h"

#include <QPushButton>

#include <algorithm>

namespace {

const QString kLayoutRows = QStringLiteral(
    "SELECT LIST(S_PARAM || ':' || COALESCE(V_PARAMID, -1) || '=' || V_INTEGER, ' ') FROM "
    "(SELECT S_PARAM, V_PARAMID, V_INTEGER FROM CFG_LOCAL WHERE OBJ_TYPE = %1 AND OBJ_DBID IS "
    "NULL AND OBJ_ID IS NULL AND OBJ_MODE IS NULL ORDER BY S_PARAM DESC, V_PARAMID)");

} // namespace

class UnitWindowsTest : public TRefBookTest {
protected:
    // The layout rows of an object type as "RBW:-1=420 RBH:-1=260 CW:0=80 ...".
    QString LayoutRows(int AObjType) { return Scalar(kLayoutRows.arg(AObjType)).toString(); }
    int LayoutRowCount() {
        return Scalar(QStringLiteral("SELECT COUNT(*) FROM CFG_LOCAL")).toInt();
    }
    void AddLayoutRow(int AObjType, const char* AParam, int AParamId, int AValue) {
        DB().Exec(QStringLiteral("INSERT INTO CFG_LOCAL (OBJ_TYPE, S_PARAM, V_PARAMID, "
                                 "V_INTEGER) VALUES (%1, '%2', %3, %4)")
                      .arg(AObjType)
                      .arg(QLatin1String(AParam))
                      .arg(AParamId < 0 ? QStringLiteral("NULL") : QString::number(AParamId))
                      .arg(AValue));
    }
    // The size of the window frame around a host's client area.
    static QSize Border(TfrmUnit* AHost) {
        const QMargins m = AHost->SubWindow()->contentsMargins();
        return {m.left() + m.right(), m.top() + m.bottom()};
    }
    // The size a host opens at for the stored or built-in size ASize: at least what its tool
    // bar and list need, within the workspace.
    QSize Fitted(TfrmUnit* AHost, const QSize& ASize) {
        QMdiSubWindow* sub = AHost->SubWindow();
        return ASize.expandedTo(sub->sizeHint() + ListViewShortfall(AHost->BookFrame()->ListView()))
            .boundedTo(Workspace())
            .expandedTo(sub->minimumSizeHint());
    }
    QSize Workspace() { return Main().MDIArea()->viewport()->size(); }
    // A column's width: the book's AWidth, or what its caption needs when that is more.
    static int CaptionWidth(TfrmUnit* AHost, int AColumn, int AWidth) {
        return std::max(AWidth, AHost->BookFrame()->ListView()->header()->sectionSizeHint(AColumn));
    }
    static QString Widths(TKVListFrame* AFrame) {
        QStringList widths;
        for (int i = 0; i < AFrame->Model()->columnCount(); ++i)
            widths << QString::number(AFrame->ListView()->header()->sectionSize(i));
        return widths.join(u' ');
    }
    void CloseHost(TfrmUnit* AHost) {
        ASSERT_TRUE(AHost->CloseWindow());
        Settle();
    }

    // Runs the picker; AInside sees it shown and closes it.
    TKVSelectedItemDBData Pick(quint32 ASelectDBId, quint32 ASelectId,
                               std::function<void(TfrmSelectUnit*)> AInside) {
        AnswerModal<TfrmSelectUnit>(std::move(AInside));
        TKVSelectedItemDBData result = {true, 9, 9, 9, QStringLiteral("before")};
        SelectUnit(ASelectDBId, ASelectId, result);
        return result;
    }
};

TEST_F(UnitWindowsTest, HostLayoutRowsAreWrittenReadBackAndCapped) {
    AddUnit(1011, 1, QStringLiteral("Ом"));
    // No rows yet: the defaults 300 × 180, or what the tool bar and the list need when that is
    // more; the second column as wide as its caption needs.
    TfrmUnit* host = OpenHost();
    EXPECT_EQ(host->BookFrame()->RBWinWidth(), 300);
    EXPECT_EQ(host->BookFrame()->RBWinHeight(), 180);
    EXPECT_EQ(host->SubWindow()->size(), Fitted(host, QSize(300, 180)));
    const QString caption = QString::number(CaptionWidth(host, 1, 100));
    EXPECT_EQ(Widths(host->BookFrame()), QStringLiteral("80 %1 120 160 100").arg(caption));
    EXPECT_EQ(host->SubWindow()->minimumSize(),
              QSize(300, 180).expandedTo(host->SubWindow()->minimumSizeHint()));

    host->SubWindow()->resize(760, 400);
    host->BookFrame()->ListView()->header()->resizeSection(1, 133);
    CloseHost(host);
    EXPECT_EQ(LayoutRows(20),
              QStringLiteral("RBW:-1=760 RBH:-1=400 CW:0=80 CW:1=133 CW:2=120 CW:3=160 CW:4=100"));
    EXPECT_EQ(LayoutRowCount(), 7);

    // Read back; a width above 500 comes back as 500; a column that does not exist and a key
    // that is none of the three are ignored.
    host = OpenHost();
    EXPECT_EQ(host->SubWindow()->size(), QSize(760, 400));
    CloseHost(host);
    DB().Exec(QStringLiteral("UPDATE CFG_LOCAL SET V_INTEGER = 800 WHERE S_PARAM = 'CW' AND "
                             "V_PARAMID = 2"));
    AddLayoutRow(20, "CW", 7, 50);
    AddLayoutRow(20, "XYZ", -1, 1);
    host = OpenHost();
    EXPECT_EQ(Widths(host->BookFrame()), QStringLiteral("80 133 500 160 100"));
    // The columns now need more than the workspace: the window takes its whole width.
    EXPECT_EQ(host->SubWindow()->size(), QSize(Workspace().width(), 400));
    // Saving again updates the same rows (the uncapped current widths).
    CloseHost(host);
    EXPECT_EQ(LayoutRowCount(), 9);
    EXPECT_TRUE(LayoutRows(20).contains(QStringLiteral("CW:2=500")));

    // A stored width below the threshold keeps the built-in width (raised to what the
    // columns need); the height is taken.
    DB().Exec(QStringLiteral("UPDATE CFG_LOCAL SET V_INTEGER = 100 WHERE S_PARAM = 'CW' AND "
                             "V_PARAMID = 2"));
    DB().Exec(QStringLiteral("UPDATE CFG_LOCAL SET V_INTEGER = 250 WHERE S_PARAM = 'RBW'"));
    DB().Exec(QStringLiteral("UPDATE CFG_LOCAL SET V_INTEGER = 400 WHERE S_PARAM = 'RBH'"));
    host = OpenHost();
    EXPECT_EQ(host->SubWindow()->size(), Fitted(host, QSize(292 + Border(host).width(), 400)));
    EXPECT_EQ(host->SubWindow()->height(), 400);
    // Closed while maximised: the rows keep what was loaded at opening.
    host->SubWindow()->showMaximized();
    CloseHost(host);
    EXPECT_TRUE(LayoutRows(20).contains(QStringLiteral("RBW:-1=250 RBH:-1=400")))
        << LayoutRows(20).toStdString();
}

TEST_F(UnitWindowsTest, NothingIsReadOrWrittenWithoutLocalConfigOrOnAReadOnlyDataBase) {
    AddLayoutRow(20, "RBW", -1, 600);
    AddLayoutRow(20, "RBH", -1, 500);
    AddLayoutRow(20, "CW", 0, 222);

    ::LocalConfig = false;
    TfrmUnit* host = OpenHost();
    EXPECT_EQ(host->BookFrame()->RBWinWidth(), 0);
    EXPECT_EQ(host->SubWindow()->size(), Fitted(host, QSize(292, 153) + Border(host)));
    const QString caption = QString::number(CaptionWidth(host, 1, 100));
    EXPECT_EQ(Widths(host->BookFrame()), QStringLiteral("80 %1 120 160 100").arg(caption));
    host->SubWindow()->resize(450, 300);
    CloseHost(host);
    EXPECT_EQ(LayoutRowCount(), 3);
    EXPECT_EQ(LayoutRows(20), QStringLiteral("RBW:-1=600 RBH:-1=500 CW:0=222"));

    // Option ReadOnly: read, not written; the size still reaches the frame.
    ::LocalConfig = true;
    ::ReadOnly = true;
    host = OpenHost();
    EXPECT_EQ(host->SubWindow()->size(), Fitted(host, QSize(600, 500)));
    EXPECT_EQ(host->SubWindow()->height(), 500);
    EXPECT_EQ(Widths(host->BookFrame()), QStringLiteral("222 %1 120 160 100").arg(caption));
    host->SubWindow()->resize(450, 300);
    T_frmUnit* frame = host->BookFrame();
    ASSERT_TRUE(host->CloseWindow());
    EXPECT_EQ(frame->RBWinWidth(), 450);
    Settle();
    EXPECT_EQ(LayoutRows(20), QStringLiteral("RBW:-1=600 RBH:-1=500 CW:0=222"));
    EXPECT_EQ(LayoutRowCount(), 3);
}

TEST_F(UnitWindowsTest, ReadOnlyDataBaseWritesNoLayout) {
    NewDB().Exec(QStringLiteral("INSERT INTO SYS_VAR (S_PARAM, V_INTEGER) VALUES ('READONLY', 1)"));
    TfrmUnit* host = OpenHost();
    host->SubWindow()->resize(450, 300);
    CloseHost(host);
    EXPECT_EQ(LayoutRowCount(), 0);
}

TEST_F(UnitWindowsTest, PickerHandsBackTheChosenUnitOrSelectFalse) {
    AddUnit(1011, 1, QStringLiteral("Ом"));
    AddUnit(1011, 2, QStringLiteral("В"), QStringLiteral("Вольт"));
    AddUnit(0, 3, QStringLiteral("кОм"));
    DB();

    // The preset unit is selected when the picker shows; another one is chosen.
    TKVSelectedItemDBData presetSeen;
    TKVSelectedItemDBData result = Pick(1011, 2, [&](TfrmSelectUnit* APicker) {
        EXPECT_EQ(APicker->windowTitle(), QStringLiteral("Выбор единицы измерения"));
        T_frmUnit* frame = APicker->BookFrame();
        EXPECT_FALSE(frame->ActionState());
        EXPECT_FALSE(frame->ToolBar()->isVisible());
        EXPECT_EQ(APicker->focusWidget(), frame->ListView());
        presetSeen = frame->SelectedItemDBData();
        // Enter on the list opens no card here.
        frame->ListViewEnterKey();
        frame->SelectRecord(0, 3);
        APicker->ButtonPanel()->OkBtn()->click();
    });
    EXPECT_TRUE(presetSeen.Select);
    EXPECT_EQ(presetSeen.Id, 2u);
    EXPECT_EQ(presetSeen.Name, QStringLiteral("В"));
    EXPECT_TRUE(result.Select);
    EXPECT_EQ(result.DBId, 0u);
    EXPECT_EQ(result.Id, 3u);
    EXPECT_EQ(result.Tag, 0);
    EXPECT_EQ(result.Name, QStringLiteral("кОм"));
    EXPECT_TRUE(Cards().empty());
    EXPECT_EQ(Main().MDIChildCount(), 0);

    // Cancel, and OK with nothing selected (a preset that is not in the list): Select false.
    for (quint32 preset : {1u, 77u}) {
        result = Pick(1011, preset, [&](TfrmSelectUnit* APicker) {
            if (preset == 1)
                APicker->ButtonPanel()->CancelBtn()->click();
            else {
                EXPECT_FALSE(APicker->BookFrame()->SelectedItemDBData().Select);
                APicker->ButtonPanel()->OkBtn()->click();
            }
        });
        EXPECT_FALSE(result.Select) << preset;
        EXPECT_EQ(result.DBId, 0u);
        EXPECT_EQ(result.Id, 0u);
        EXPECT_TRUE(result.Name.isEmpty());
    }

    // A double click on a row chooses it; without a selection the picker stays open.
    result = Pick(0, 0, [&](TfrmSelectUnit* APicker) {
        QTreeView* view = APicker->BookFrame()->ListView();
        APicker->ListViewDblClick();
        EXPECT_TRUE(APicker->isVisible());
        const QModelIndex first = APicker->BookFrame()->Model()->index(0, 0);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                          view->visualRect(first).center());
        emit view->doubleClicked(first);
        if (APicker->isVisible()) {
            ADD_FAILURE() << "the double click did not choose";
            APicker->reject();
        }
    });
    EXPECT_TRUE(result.Select);
    EXPECT_EQ(result.Id, 1u);
}

TEST_F(UnitWindowsTest, PickerSizeAndItsOwnLayoutRows) {
    DB();
    // Opens the picker and closes it at 450 wide (narrower than it needs) and AHeight high.
    QSize opened;
    int caption = 0;
    const auto pickSize = [&](int AHeight) {
        Pick(0, 0, [&](TfrmSelectUnit* APicker) {
            opened = APicker->size();
            caption = std::max(100, APicker->BookFrame()->ListView()->header()->sectionSizeHint(1));
            APicker->resize(450, AHeight);
            APicker->reject();
        });
        return opened;
    };
    // Without option LocalConfig: 300 wide, the button panel + 180 high, or what the list
    // needs when that is more (as for every size below); nothing stored.
    ::LocalConfig = false;
    const QSize needed = pickSize(0);
    EXPECT_GE(needed.width(), 300);
    EXPECT_GE(needed.height(), 211);
    EXPECT_EQ(LayoutRowCount(), 0);
    const int high = needed.height() + 40;

    // With it: the defaults 300 × 180, and the size on closing stored under its own type.
    ::LocalConfig = true;
    EXPECT_EQ(pickSize(high), needed);
    EXPECT_EQ(LayoutRows(36),
              QStringLiteral("RBW:-1=450 RBH:-1=%1 CW:0=80 CW:1=%2 CW:2=120 CW:3=160 CW:4=100")
                  .arg(high)
                  .arg(caption));
    EXPECT_TRUE(LayoutRows(20).isEmpty());
    // A stored width below 500 opens at 300 again; from 500 up it is taken.
    EXPECT_EQ(pickSize(high), QSize(needed.width(), high));
    DB().Exec(QStringLiteral("UPDATE CFG_LOCAL SET V_INTEGER = 700 WHERE S_PARAM = 'RBW'"));
    EXPECT_EQ(pickSize(high), QSize(700, high));
}
