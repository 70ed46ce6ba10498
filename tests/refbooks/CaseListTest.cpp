// The case list window on a real database: loading with the template image, the pin count
// sorting as numbers after every refill, the mount-type and template filters with their tags,
// the delete rules, the updates cards report, and the picker.

#include "tests/refbooks/CaseTestSupport.h"

#include <QClipboard>
#include <QComboBox>
#include <QIcon>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>

class CaseListTest : public TCaseBookTest {
protected:
    void AddSamples() {
        AddCase(1011, 1, QStringLiteral("DIP-8"), 8, cmtInBoardHoles, cvtDoubleLineSerialPinNum,
                0x0304, QStringLiteral("Корпус с двумя рядами"));
        AddCase(1011, 2, QStringLiteral("SOIC-10"), 10, cmtSMD);
        AddCase(1011, 3, QStringLiteral("TO-220"), 3, cmtChassis, cvtHorLine);
        AddCase(1011, 4, QStringLiteral("QFP-100"), 100, cmtSMD, cvtQuadroLineStandPinNum);
        AddCase(1011, 5, QStringLiteral("Без типа"), 2);
    }
    static QAction* FilterItem(T_frmCase* AFrame, const char* AName) {
        return AFrame->FilterTypeMenu()->findChild<QAction*>(QLatin1String(AName));
    }
    // Runs the mount-type picker from the filter menu; AIndex -1 chooses no line, and
    // ACancel cancels.
    static void PickMountType(T_frmCase* AFrame, int AIndex, bool ACancel = false) {
        AnswerModal<TfrmCaseMountType>([=](TfrmCaseMountType* ADialog) {
            ADialog->CaseMountType_ComboBox()->setCurrentIndex(AIndex);
            if (ACancel)
                ADialog->reject();
            else
                ADialog->OkCancelFrame()->OkBtn()->click();
        });
        FilterItem(AFrame, "pmiFTViewOnCaseMountType")->trigger();
    }
};

TEST_F(CaseListTest, LoadsColumnsTextsAndTheTemplateImage) {
    AddSamples();
    AddCase(1011, 6, QStringLiteral("Странный"), 5, 9, 12); // out of range: unknown, untyped
    TfrmCase* host = OpenCaseHost();
    T_frmCase* frame = host->BookFrame();

    EXPECT_EQ(host->windowTitle(), QStringLiteral("Корпуса"));
    const QStringList captions = {"Тип", "Описание", "Количество выводов", "Тип монтажа"};
    for (int i = 0; i < captions.size(); ++i)
        EXPECT_EQ(frame->Model()->headerData(i, Qt::Horizontal).toString(), captions[i]);
    EXPECT_EQ(frame->CountPanel()->text(), QStringLiteral("Записей 6 "));
    const TKVListRow& dip = frame->Model()->Row(frame->Model()->Find({1011, 1}));
    EXPECT_EQ(dip.Texts,
              QStringList({"DIP-8", "Корпус с двумя рядами", "8", "в отверстия на плате"}));
    const TKVListRow& odd = frame->Model()->Row(frame->Model()->Find({1011, 6}));
    EXPECT_EQ(odd.Texts.mid(2), QStringList({"5", ""}));

    // The template image stands in front of the caption of cases with a drawing template.
    for (const auto& [id, image] : {std::pair{1u, true}, {2u, false}, {4u, true}, {6u, false}}) {
        const QModelIndex caption = frame->Model()->index(frame->Model()->Find({1011, id}), 0);
        const QVariant icon = frame->Model()->data(caption, Qt::DecorationRole);
        EXPECT_EQ(icon.isValid() && !icon.value<QIcon>().isNull(), image) << id;
        EXPECT_FALSE(
            frame->Model()->data(caption.siblingAtColumn(1), Qt::DecorationRole).isValid());
    }

    // The name alone is copied.
    frame->SelectRecord(1011, 1);
    ASSERT_TRUE(frame->CopyName());
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("DIP-8"));
    EXPECT_EQ(frame->MenuItem(QStringLiteral("pmiCopy"))->text(), QStringLiteral("Копия"));
    // The filter menu: the two types, a separator and the two filters, both off.
    const QList<QAction*> items = frame->FilterTypeMenu()->actions();
    ASSERT_EQ(items.size(), 5);
    EXPECT_TRUE(items[2]->isSeparator());
    EXPECT_EQ(items[3]->text(), QStringLiteral("Показать только по &типу монтажа..."));
    EXPECT_EQ(items[4]->text(), QStringLiteral("Показать только с &шаблонами визуализации"));
    EXPECT_FALSE(items[3]->isChecked() || items[4]->isChecked());
}

TEST_F(CaseListTest, PinCountSortsAsNumbersAfterEveryRefill) {
    AddSamples();
    T_frmCase* frame = OpenCaseHost()->BookFrame();

    frame->ListViewColumnClick(2);
    const QStringList ascending = {"2", "3", "8", "10", "100"};
    EXPECT_EQ(Column(frame, 2), ascending);
    // Refresh, a filter and a change reported by a card refill the rows: still numbers.
    frame->RefreshData();
    EXPECT_EQ(Column(frame, 2), ascending);
    frame->MenuItem(QStringLiteral("pmiRefresh"))->trigger();
    EXPECT_EQ(Column(frame, 2), ascending);
    frame->FilterEdit()->setText(QStringLiteral("-"));
    frame->ApplyFilter();
    EXPECT_EQ(Column(frame, 2), QStringList({"3", "8", "10", "100"}));
    frame->FilterButton(2)->trigger();
    EXPECT_EQ(Column(frame, 2), ascending);

    frame->ListViewColumnClick(2);
    const QStringList descending = {"100", "10", "8", "3", "2"};
    EXPECT_EQ(Column(frame, 2), descending);
    frame->RefreshData();
    EXPECT_EQ(Column(frame, 2), descending);

    // The other columns stay in text order.
    frame->ListViewColumnClick(0);
    EXPECT_EQ(Column(frame), QStringList({"DIP-8", "QFP-100", "SOIC-10", "TO-220", "Без типа"}));
}

TEST_F(CaseListTest, MountTypeAndTemplateFiltersTakeEffectWhenAppliedAndReset) {
    AddSamples();
    T_frmCase* frame = OpenCaseHost()->BookFrame();
    QAction* mountItem = FilterItem(frame, "pmiFTViewOnCaseMountType");
    QAction* templateItem = FilterItem(frame, "pmiFTViewOnPttVisual");

    // The template filter: checked at once, rows only when applied.
    templateItem->trigger();
    EXPECT_TRUE(frame->FiltredOnPttVisual());
    EXPECT_TRUE(templateItem->isChecked());
    EXPECT_EQ(frame->Model()->Count(), 5);
    frame->FilterButton(0)->trigger();
    EXPECT_EQ(Column(frame), QStringList({"DIP-8", "TO-220", "QFP-100"}));
    EXPECT_EQ(frame->CountPanel()->text(), QStringLiteral("[Шабл. визуал.] Записей 3 "));
    EXPECT_TRUE(frame->CountPanel()->font().bold());

    // A cancelled picker leaves the mount-type filter off; OK turns it on with the choice.
    PickMountType(frame, cmtSMD, true);
    EXPECT_FALSE(frame->FiltredOnCaseMountType());
    EXPECT_FALSE(mountItem->isChecked());
    PickMountType(frame, cmtSMD);
    EXPECT_TRUE(frame->FiltredOnCaseMountType());
    EXPECT_EQ(frame->FilterCaseMountType(), cmtSMD);
    EXPECT_TRUE(mountItem->isChecked());
    EXPECT_EQ(::SelectedCaseMountType, cmtSMD);
    EXPECT_EQ(Column(frame), QStringList({"DIP-8", "TO-220", "QFP-100"})); // not applied yet
    frame->FilterEdit()->setText(QStringLiteral("q"));
    QTest::keyClick(frame->FilterEdit(), Qt::Key_Return);
    EXPECT_EQ(Column(frame), QStringList({"QFP-100"}));
    EXPECT_EQ(frame->CountPanel()->text(),
              QStringLiteral("[\"Q\"][поверхностный][Шабл. визуал.] Записей 1 "));

    // Only the mount type: the SMD cases with or without a template.
    templateItem->trigger();
    frame->FilterEdit()->clear();
    frame->ApplyFilter();
    EXPECT_EQ(Column(frame), QStringList({"SOIC-10", "QFP-100"}));
    EXPECT_EQ(frame->CountPanel()->text(), QStringLiteral("[поверхностный] Записей 2 "));

    // A second use turns the mount-type filter off without asking.
    mountItem->trigger();
    EXPECT_FALSE(frame->FiltredOnCaseMountType());
    EXPECT_FALSE(mountItem->isChecked());
    // No line chosen: the cases without a mount type.
    PickMountType(frame, -1);
    EXPECT_EQ(frame->FilterCaseMountType(), cmtUnknown);
    frame->ApplyFilter();
    EXPECT_EQ(Column(frame), QStringList({"Без типа"}));
    EXPECT_EQ(frame->CountPanel()->text(), QStringLiteral("[] Записей 1 "));

    // The reset button turns every filter off at once and shows all rows.
    templateItem->trigger();
    frame->FilterEdit()->setText(QStringLiteral("zzz"));
    frame->FilterButton(2)->trigger();
    EXPECT_FALSE(frame->FiltredOnCaseMountType() || frame->FiltredOnPttVisual());
    EXPECT_FALSE(mountItem->isChecked() || templateItem->isChecked());
    EXPECT_EQ(frame->Model()->Count(), 5);
    EXPECT_EQ(frame->CountPanel()->text(), QStringLiteral("Записей 5 "));
    EXPECT_FALSE(frame->CountPanel()->font().bold());
}

TEST_F(CaseListTest, DeleteIsRefusedForUsedAndSystemCasesAndClosesTheCard) {
    AddCase(0, 1, QStringLiteral("SYS"));
    AddCase(1011, 2, QStringLiteral("USED"));
    AddCase(1011, 3, QStringLiteral("FREE"));
    AddCase(1011, 4, QStringLiteral("OTHER"));
    AddElementType(1, 1011, 2);
    T_frmCase* frame = OpenCaseHost()->BookFrame();
    const QString refused =
        QStringLiteral("Запись не может быть удалена, пока на нее ссылаются другие записи в "
                       "базе данных");

    FocusList(frame);
    frame->SelectRecord(0, 1);
    frame->Delete_ToolButtonClick();
    EXPECT_EQ(Messages, QStringList({"Системная запись не может быть удалена"}));

    Messages.clear();
    Answers = {mrYes};
    frame->SelectRecord(1011, 2);
    frame->Delete_ToolButtonClick();
    EXPECT_EQ(Messages, QStringList({"Удалить запись?", refused}));
    EXPECT_GE(frame->Model()->Find({1011, 2}), 0);
    EXPECT_EQ(CaseCount(), 4);

    // A free case goes; its card with unsaved edits closes, another case's card stays.
    TfrmCaseEdit* own = OpenCardCase(1011, 3, false);
    TfrmCaseEdit* other = OpenCardCase(1011, 4, false);
    ASSERT_TRUE(own && other);
    own->CaseDesc_TextEdit()->setText(QStringLiteral("правка"));
    QPointer<TfrmCaseEdit> ownGuard = own;
    FocusList(frame);
    frame->SelectRecord(1011, 3);
    Messages.clear();
    Answers = {mrYes};
    frame->Delete_ToolButtonClick();
    Settle();
    EXPECT_EQ(Messages, QStringList({"Удалить запись?"}));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_CASE WHERE ID = 3")).toInt(), 0);
    EXPECT_EQ(frame->Model()->Find({1011, 3}), -1);
    EXPECT_FALSE(frame->CaseList()->ExistsItemByPKey(1011, 3));
    EXPECT_TRUE(ownGuard.isNull());
    EXPECT_EQ(CaseCards(), std::vector<TfrmCaseEdit*>({other}));
}

TEST_F(CaseListTest, CardSavesReachOpenListsWithTheTemplateImage) {
    AddCase(1011, 1, QStringLiteral("SOT-23"), 3, cmtSMD);
    T_frmCase* frame = OpenCaseHost()->BookFrame();
    const QModelIndex caption = frame->Model()->index(0, 0);
    EXPECT_FALSE(frame->Model()->data(caption, Qt::DecorationRole).isValid());

    TfrmCaseEdit* card = OpenCardCase(1011, 1, false);
    ASSERT_NE(card, nullptr);
    card->CasePinCount_SpinEdit()->setValue(5);
    card->CasePttVisualType_ComboBox()->setCurrentIndex(cvtHorLine);
    ASSERT_TRUE(card->SaveItem());
    const TKVListRow& row = frame->Model()->Row(frame->Model()->Find({1011, 1}));
    EXPECT_EQ(row.Texts, QStringList({"SOT-23", "", "5", "поверхностный"}));
    EXPECT_EQ(row.ImageIndex, 0);
    EXPECT_TRUE(frame->Model()->data(caption, Qt::DecorationRole).isValid());

    // A new case appears in the list.
    TfrmCaseEdit* fresh = OpenCardCase(0, 0, false);
    ASSERT_TRUE(fresh && fresh->SaveItem());
    EXPECT_EQ(Column(frame), QStringList({"SOT-23", "New Case"}));
}

TEST_F(CaseListTest, PickerOpens500WideWithFourColumnsAndHandsBackTheCase) {
    AddCase(1011, 1, QStringLiteral("DIP-8"), 8);
    AddCase(1011, 2, QStringLiteral("SOIC-8"), 8);
    DB();
    const auto pick = [&](std::function<void(TfrmSelectCase*)> AInside) {
        AnswerModal<TfrmSelectCase>(std::move(AInside));
        TKVSelectedItemDBData result;
        SelectCase(1011, 2, result);
        return result;
    };

    int width = 0;
    TKVSelectedItemDBData result = pick([&](TfrmSelectCase* ADialog) {
        width = ADialog->width();
        EXPECT_EQ(ADialog->windowTitle(), QStringLiteral("Выбор корпуса"));
        EXPECT_EQ(ADialog->BookFrame()->Model()->columnCount(), 4);
        EXPECT_EQ(ADialog->BookFrame()->SelectedItemDBData().Id, 2u); // preset
        ADialog->resize(450, 300);
        ADialog->ButtonPanel()->OkBtn()->click();
    });
    // 500, or what the four columns need when that is more.
    EXPECT_GE(width, 500);
    const int opened = width;
    EXPECT_TRUE(result.Select);
    EXPECT_EQ(result.Id, 2u);
    EXPECT_EQ(result.Name, QStringLiteral("SOIC-8"));

    // Closed at 450: reopens as first; closed wider: reopens at that width. Cancel hands back
    // nothing.
    result = pick([&](TfrmSelectCase* ADialog) {
        width = ADialog->width();
        ADialog->resize(opened + 60, 300);
        ADialog->ButtonPanel()->CancelBtn()->click();
    });
    EXPECT_EQ(width, opened);
    EXPECT_FALSE(result.Select);
    pick([&](TfrmSelectCase* ADialog) {
        width = ADialog->width();
        ADialog->reject();
    });
    EXPECT_EQ(width, opened + 60);
}
