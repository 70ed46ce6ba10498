// The class window on a real database: the tree it loads with the counts of element types, the
// flat filtered form, the delete rules (references refuse, a system class is refused without
// the question, an empty class goes with the windows bound to it), the copy of base parameters
// from another class, and the views Enter offers.

#include "tests/refbooks/ClassBookTestSupport.h"

#include "refbooks/frmBaseParam.h"
#include "refbooks/frmBaseParamEdit.h"
#include "shell/KVOpeners.h"
#include "shell/frmOpenDataMode.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QTreeWidget>

namespace {

const QString kRefused =
    QStringLiteral("Запись не может быть удалена, пока на нее ссылаются другие записи в базе "
                   "данных");

// The base parameters of a class as "name|unit|description|type|UPID|flag", NULL as "-", in
// ID order.
const QString kParamsOf = QStringLiteral(
    "SELECT LIST(T, ' / ') FROM (SELECT S_NAME || '|' || COALESCE(UNITID, '-') || '|' || "
    "COALESCE(S_DESCRIPTION, '-') || '|' || COALESCE(V_SELVALTYPE, '-') || '|' || COALESCE(UPID, "
    "'-') || '|' || COALESCE(V_FLAG, '-') AS T FROM T_BASE_PARAM WHERE CLASSDBID = 1011 AND "
    "CLASSID = %1 ORDER BY ID)");

} // namespace

class ClassListTest : public TClassBookTest {
protected:
    // The classes of the load test: a three-level branch, a top-level class with two element
    // types, a class whose parent does not exist and a system class.
    void AddTreeClasses() {
        AddClass(1011, 1, QStringLiteral("Резисторы"));
        AddClass(1011, 2, QStringLiteral("Постоянные"), 1);
        AddClass(1011, 3, QStringLiteral("SMD"), 2);
        AddClass(1011, 4, QStringLiteral("Конденсаторы"));
        AddClass(1011, 5, QStringLiteral("Сирота"), 99);
        AddClass(0, 6, QStringLiteral("Системный"));
        AddElementType(1, 4);
        AddElementType(2, 4);
        AddElementType(3, 2);
    }

    // Runs the copy of base parameters into the selected class; the picker chooses class
    // ASourceId (0: cancels).
    void CopyFrom(T_frmClass* AFrame, quint32 ASourceId) {
        AnswerModal<TfrmSelectClass>([ASourceId](TfrmSelectClass* ADialog) {
            if (ASourceId == 0) {
                ADialog->reject();
                return;
            }
            ADialog->BookFrame()->SelectRecord(1011, ASourceId);
            ADialog->accept();
        });
        AFrame->CopyBaseParamFromClass();
    }
    QString ParamsOf(quint32 AClassId) { return Scalar(kParamsOf.arg(AClassId)).toString(); }
};

TEST_F(ClassListTest, LoadsTheTreeWithTheCountsOfVisibleNodes) {
    AddTreeClasses();
    TfrmClass* host = OpenClassHost();
    T_frmClass* frame = host->BookFrame();
    EXPECT_EQ(host->windowTitle(), QStringLiteral("Классы элементов"));
    EXPECT_EQ(host->SubWindow()->minimumSize(),
              QSize(160, 180).expandedTo(host->SubWindow()->minimumSizeHint()));

    // Siblings in load order (DBID, ID); a class whose parent is not loaded has no node; only
    // the visible nodes are counted, and a class without element types shows no count.
    EXPECT_EQ(TreeText(frame),
              QStringLiteral("Системный, Резисторы [Постоянные [SMD]], Конденсаторы (2)"));
    EXPECT_EQ(frame->CountPanel()->text(), QStringLiteral("Записей 5 "));

    // Expanding counts the children, once however often the node is expanded.
    const QModelIndex resistors = frame->TreeModel()->IndexOf(frame->TreeModel()->Find({1011, 1}));
    frame->TreeView()->expand(resistors);
    frame->TreeView()->collapse(resistors);
    frame->TreeView()->expand(resistors);
    EXPECT_EQ(TreeText(frame),
              QStringLiteral("Системный, Резисторы [Постоянные (1) [SMD]], Конденсаторы (2)"));

    // The selection's name and Copy name carry the count.
    Select(frame, 4);
    EXPECT_EQ(frame->SelectedItemDBData().Name, QStringLiteral("Конденсаторы (2)"));
    ASSERT_TRUE(frame->CopyName());
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Конденсаторы (2)"));

    // Without option ViewCountItems nothing is counted.
    ASSERT_TRUE(host->CloseWindow());
    Settle();
    ::ViewCountItems = false;
    EXPECT_EQ(TreeText(OpenRBClass()->BookFrame()),
              QStringLiteral("Системный, Резисторы [Постоянные [SMD]], Конденсаторы"));
}

TEST_F(ClassListTest, FilterShowsTheMatchingClassesOnOneLevel) {
    AddTreeClasses();
    T_frmClass* frame = OpenClassHost()->BookFrame();

    // Matches in load order, with their counts.
    frame->FilterEdit()->setText(QStringLiteral(" ор "));
    frame->FilterButton(0)->trigger();
    EXPECT_EQ(TreeText(frame), QStringLiteral("Резисторы, Конденсаторы (2)"));
    EXPECT_EQ(frame->CountPanel()->text(), QStringLiteral("[\"ОР\"] Записей 2 "));
    EXPECT_TRUE(frame->CountPanel()->font().bold());

    // A descendant of a match is shown only when it matches itself; the class without a
    // placed parent is among the matches.
    frame->FilterEdit()->setText(QStringLiteral("с"));
    frame->FilterButton(0)->trigger();
    EXPECT_EQ(TreeText(frame), QStringLiteral("Системный, Резисторы, Постоянные (1), "
                                              "Конденсаторы (2), Сирота"));

    // The tree comes back collapsed, the counts of its visible nodes with it.
    frame->FilterButton(2)->trigger();
    EXPECT_EQ(TreeText(frame),
              QStringLiteral("Системный, Резисторы [Постоянные [SMD]], Конденсаторы (2)"));
    EXPECT_EQ(frame->CountPanel()->text(), QStringLiteral("Записей 5 "));
    EXPECT_FALSE(frame->CountPanel()->font().bold());
}

TEST_F(ClassListTest, DeleteIsRefusedWhileAnythingRefersToTheClass) {
    AddClass(1011, 1, QStringLiteral("С потомком"));
    AddClass(1011, 2, QStringLiteral("Потомок"), 1);
    AddClass(1011, 3, QStringLiteral("С типом"));
    AddElementType(1, 3);
    AddClass(1011, 4, QStringLiteral("С параметром"));
    AddBaseParam(1, 4, QStringLiteral("R"));
    T_frmClass* frame = OpenClassHost()->BookFrame();

    for (const quint32 id : {1u, 3u, 4u}) {
        SCOPED_TRACE(id);
        Messages.clear();
        Answers = {mrYes};
        Select(frame, id);
        frame->MenuItem(QStringLiteral("pmiDelete"))->trigger();
        EXPECT_EQ(Messages, QStringList({QStringLiteral("Удалить запись?"), kRefused}));
        EXPECT_EQ(
            Scalar(QStringLiteral("SELECT COUNT(*) FROM T_CLASS WHERE ID = %1").arg(id)).toInt(),
            1);
        EXPECT_NE(frame->TreeModel()->Find({1011, id}), nullptr);
    }
}

TEST_F(ClassListTest, SystemClassIsRefusedWithoutTheQuestion) {
    ::BLIMod = false;
    AddClass(0, 6, QStringLiteral("Системный"));
    T_frmClass* frame = OpenClassHost()->BookFrame();
    Select(frame, 6, 0);
    frame->MenuItem(QStringLiteral("pmiDelete"))->trigger();
    EXPECT_EQ(Messages, QStringList({QStringLiteral("Системная запись не может быть удалена")}));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_CLASS")).toInt(), 1);
}

TEST_F(ClassListTest, DeletingAnEmptyClassClosesItsCardAndItsBaseParameterWindows) {
    AddClass(1011, 1, QStringLiteral("Пустой"));
    AddClass(1011, 2, QStringLiteral("Другой"));
    AddBaseParam(1, 2, QStringLiteral("C"));
    TfrmClass* host = OpenClassHost();
    T_frmClass* frame = host->BookFrame();
    // The card of the class, with an edit that is dropped; the base-parameter window and a new
    // base-parameter card of the class; the same of the other class, which stay.
    TfrmClassEdit* card = OpenCardClass(1011, 1, false);
    ASSERT_NE(card, nullptr);
    card->ClassDesc_TextEdit()->setText(QStringLiteral("правка"));
    ASSERT_NE(OpenRBBaseParam(1011, 1), nullptr);
    ASSERT_NE(OpenCardBaseParam(0, 0, false, 1011, 1), nullptr);
    ASSERT_NE(OpenRBBaseParam(1011, 2), nullptr);
    ASSERT_NE(OpenCardBaseParam(1011, 1, false, 1011, 2), nullptr);

    Answers = {mrYes};
    Select(frame, 1);
    frame->MenuItem(QStringLiteral("pmiDelete"))->trigger();
    Settle();
    EXPECT_EQ(Messages, QStringList({QStringLiteral("Удалить запись?")}));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT LIST(S_NAME) FROM T_CLASS")).toString(),
              QStringLiteral("Другой"));
    EXPECT_EQ(TreeText(frame), QStringLiteral("Другой"));
    EXPECT_FALSE(frame->SelectedItemDBData().Select);
    EXPECT_TRUE(ClassCards().empty());
    const auto windows = Main().FindMDIChildren<TfrmBaseParam>();
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0]->BookFrame()->BPClassId(), 2u);
    const auto cards = Main().FindMDIChildren<TfrmBaseParamEdit>();
    ASSERT_EQ(cards.size(), 1u);
    EXPECT_EQ(cards[0]->ClassId(), 2u);
    EXPECT_EQ(Main().FindMDIChildren<TfrmClass>().size(), 1u);
}

TEST_F(ClassListTest, CopiesEveryBaseParameterOfAnotherClassInOneGo) {
    AddUnit(1011, 7, QStringLiteral("к"));
    AddClass(1011, 1, QStringLiteral("Цель"));
    AddClass(1011, 2, QStringLiteral("Источник"));
    AddClass(1011, 3, QStringLiteral("Пустой"));
    AddElementType(1, 1);
    AddBaseParam(1, 1, QStringLiteral("R"), QStringLiteral("R"));
    AddBaseParam(2, 2, QStringLiteral("R"), QStringLiteral("R"), 7, QStringLiteral("Сопр."), 2);
    AddBaseParam(3, 2, QStringLiteral("P"));
    T_frmClass* frame = OpenClassHost()->BookFrame();
    Select(frame, 1);
    const QString before = ParamsOf(1);

    // Cancelled, the class itself, a class without base parameters: nothing is copied.
    CopyFrom(frame, 0);
    CopyFrom(frame, 1);
    CopyFrom(frame, 3);
    EXPECT_EQ(Messages, QStringList({QStringLiteral("Этот класс не может быть использован в "
                                                    "качестве источника базовых параметров"),
                                     QStringLiteral("Класс не содержит базовых параметров")}));

    // The target has base parameters: the question names it as the tree shows it.
    Messages.clear();
    Answers = {mrNo};
    CopyFrom(frame, 2);
    EXPECT_EQ(Messages, QStringList({QStringLiteral(
                            "Класс \"Цель (1)\" уже имеет базовые параметры. \r\nСкопировать "
                            "дополнительные из класса \"Источник\"?")}));
    EXPECT_EQ(ParamsOf(1), before);

    // Yes: every parameter of the source is appended, a name the target has already included;
    // units, texts and value types come along, the flag does not.
    Answers = {mrYes};
    CopyFrom(frame, 2);
    EXPECT_EQ(ParamsOf(1), before + QStringLiteral(" / R|7|Сопр.|2|R|0 / P|-|-|0|-|0"));
    EXPECT_EQ(ParamsOf(2), QStringLiteral("R|7|Сопр.|2|R|5 / P|-|-|0|-|5"));
}

TEST_F(ClassListTest, CopyOfBaseParametersIsAllOrNothing) {
    // The second insert fails: the first is rolled back with it.
    TTestDataBase& db = NewDB();
    db.Exec(QStringLiteral("CREATE EXCEPTION E_TEST 'второй параметр'"));
    db.Exec(QStringLiteral("CREATE TRIGGER T_TEST FOR T_BASE_PARAM ACTIVE BEFORE INSERT "
                           "POSITION 10 AS BEGIN IF (NEW.S_NAME = 'B' AND NEW.CLASSID = 1) THEN "
                           "EXCEPTION E_TEST; END"));
    AddClass(1011, 1, QStringLiteral("Цель"));
    AddClass(1011, 2, QStringLiteral("Источник"));
    AddBaseParam(1, 2, QStringLiteral("A"));
    AddBaseParam(2, 2, QStringLiteral("B"));
    T_frmClass* frame = OpenClassHost()->BookFrame();
    Select(frame, 1);
    FUI.Clear();
    CopyFrom(frame, 2);
    ASSERT_EQ(FUI.Errors.size(), 1u);
    EXPECT_TRUE(FUI.Errors[0].Text.contains(QStringLiteral("второй параметр")))
        << FUI.Errors[0].Text.toStdString();
    EXPECT_FALSE(dmMain->MainIBTransaction.InTransaction());
    EXPECT_EQ(ParamsOf(1), QString());
    EXPECT_EQ(Messages, QStringList());
}

TEST_F(ClassListTest, EnterOffersTheViewsOfTheClass) {
    AddClass(1011, 1, QStringLiteral("Резисторы"));
    T_frmClass* frame = OpenClassHost()->BookFrame();
    Select(frame, 1);

    // The chooser lists the card and the base parameters; the card opens.
    QStringList offered;
    AnswerModal<TfrmOpenDataMode>([&offered](TfrmOpenDataMode* ADialog) {
        for (int i = 0; i < ADialog->ListView()->topLevelItemCount(); ++i)
            offered << QString::number(ADialog->RowType(i));
        ADialog->ListView()->setCurrentItem(ADialog->ListView()->topLevelItem(0));
        ADialog->accept();
    });
    QTest::keyClick(frame->TreeView(), Qt::Key_Return);
    EXPECT_EQ(offered,
              QStringList({QString::number(odmtClass), QString::number(odmtBaseParamsOnClass)}));
    ASSERT_EQ(ClassCards().size(), 1u);
    EXPECT_EQ(ClassCards()[0]->Id(), 1u);

    // The base parameters open once; the second time the open window comes to the front.
    for (int i = 0; i < 2; ++i) {
        FocusList(frame);
        AnswerModal<TfrmOpenDataMode>([](TfrmOpenDataMode* ADialog) {
            ADialog->ListView()->setCurrentItem(ADialog->ListView()->topLevelItem(1));
            ADialog->accept();
        });
        frame->ListViewDblClick();
    }
    const auto windows = Main().FindMDIChildren<TfrmBaseParam>();
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0]->BookFrame()->BPClassId(), 1u);
    EXPECT_EQ(Main().MDIArea()->activeSubWindow(), windows[0]->SubWindow());
}

TEST_F(ClassListTest, ViewsOfLibrariesAboveOpenThroughTheirRegisteredOpeners) {
    AddClass(1011, 7, QStringLiteral("Диоды"));
    T_frmClass* frame = OpenClassHost()->BookFrame();
    Select(frame, 7);
    std::vector<std::pair<quint32, quint32>> opened;
    TKVOpener<TOpenElementTypesOfClass>::Register(
        [&](quint32 ADBId, quint32 AId) { opened.emplace_back(ADBId, AId); });

    // The element types of the class are offered once their window has registered its opener.
    QStringList offered;
    AnswerModal<TfrmOpenDataMode>([&offered](TfrmOpenDataMode* ADialog) {
        for (int i = 0; i < ADialog->ListView()->topLevelItemCount(); ++i)
            offered << QString::number(ADialog->RowType(i));
        ADialog->ListView()->setCurrentItem(ADialog->ListView()->topLevelItem(1));
        ADialog->accept();
    });
    QTest::keyClick(frame->TreeView(), Qt::Key_Return);
    TKVOpener<TOpenElementTypesOfClass>::Register(nullptr);
    EXPECT_EQ(offered,
              QStringList({QString::number(odmtClass), QString::number(odmtElementTypesOnClass),
                           QString::number(odmtBaseParamsOnClass)}));
    EXPECT_EQ(opened, (std::vector<std::pair<quint32, quint32>>{{1011, 7}}));
}
