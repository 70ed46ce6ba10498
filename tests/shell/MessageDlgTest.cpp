#include "shell/uMessage.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

static_assert(TMessageDlgButtons(mdbOK).Value() == 4);
static_assert((mdbYes | mdbNo).Value() == 3);
static_assert((mdbYes | mdbNo | mdbCancel).Value() == 11);
static_assert((mdbOK | mdbHelp).Value() == 1028);
static_assert(TMessageDlgButtons().IsEmpty());

namespace {

struct TExpectedButton {
    QString Caption;
    int Width; // the layout's width; a caption that needs more widens its button
    int Result;
};

struct TLayoutCase {
    TMessageDlgButtons Buttons;
    int Layout;
    int MinWidth;
    std::vector<TExpectedButton> Expected;
    int EnterResult; // mrNone: Enter does nothing
    int EscResult;   // mrNone: Esc does nothing, the box stays open
};

const std::vector<TLayoutCase>& LayoutCases() {
    static const std::vector<TLayoutCase> cases = {
        {TMessageDlgButtons(), 0, 258, {}, mrNone, mrNone},
        {mdbOK, 1, 258, {{"OK", 57, mrOk}}, mrOk, mrNone},
        {mdbOK | mdbHelp, 2, 258, {{"OK", 57, mrOk}, {"&Справка", 57, mrCancel}}, mrOk, mrCancel},
        {mdbOK | mdbCancel, 3, 258, {{"OK", 57, mrOk}, {"&Отмена", 57, mrCancel}}, mrOk, mrCancel},
        {mdbClose, 4, 258, {{"Закр&ыть", 57, mrClose}}, mrClose, mrClose},
        {mdbYes | mdbNo, 5, 258, {{"Д&а", 57, mrYes}, {"&Нет", 57, mrNo}}, mrYes, mrNo},
        {mdbYes | mdbNo | mdbCancel,
         6,
         258,
         {{"Д&а", 57, mrYes}, {"&Нет", 57, mrNo}, {"&Отмена", 57, mrCancel}},
         mrYes,
         mrCancel},
        {mdbYesToAll | mdbNoToAll | mdbCancel,
         7,
         251,
         {{"Да для &всех", 81, mrYesToAll},
          {"Н&ет для всех", 81, mrNoToAll},
          {"&Отмена", 57, mrCancel}},
         mrYesToAll,
         mrCancel},
        {mdbYes | mdbNo | mdbYesToAll | mdbNoToAll | mdbCancel,
         8,
         381,
         {{"Д&а", 57, mrYes},
          {"Да для &всех", 81, mrYesToAll},
          {"&Нет", 57, mrNo},
          {"Н&ет для всех", 81, mrNoToAll},
          {"&Отмена", 57, mrCancel}},
         mrYes,
         mrCancel},
        {mdbAbort | mdbIgnore,
         9,
         258,
         {{"&Прервать", 57, mrAbort}, {"П&ропуск", 57, mrIgnore}},
         mrAbort,
         mrIgnore},
        {mdbAbort | mdbRetry | mdbIgnore,
         10,
         258,
         {{"&Прервать", 57, mrAbort}, {"По&втор", 57, mrRetry}, {"П&ропуск", 57, mrIgnore}},
         mrAbort,
         mrIgnore},
    };
    return cases;
}

std::unique_ptr<TMessageDlg> ShownDlg(const QString& AText, TMessageDlgButtons AButtons,
                                      TMessageDlgKind AKind = mdkWarning) {
    auto dlg = std::make_unique<TMessageDlg>(AText, AKind, AButtons);
    dlg->show();
    return dlg;
}

} // namespace

TEST(MessageDlg, EveryLayoutHasItsButtonsInPlace) {
    for (const TLayoutCase& c : LayoutCases()) {
        SCOPED_TRACE(c.Layout);
        TMessageDlg dlg(QStringLiteral("Слово"), mdkConfirmation, c.Buttons);
        EXPECT_EQ(dlg.Layout(), c.Layout);
        // A one-word text leaves the box at the layout's minimum width, or at what its buttons
        // need when their captions make them wider.
        const int w = dlg.width();
        EXPECT_EQ(dlg.minimumSize(), dlg.maximumSize()) << "the box cannot be resized";

        const QLabel* label = dlg.TextLabel();
        EXPECT_EQ(label->pos(), QPoint(8, 8));
        ASSERT_EQ(dlg.Buttons().size(), static_cast<qsizetype>(c.Expected.size()));
        // Right-aligned, 8 pixels from the edge and from each other.
        int right = w - 8;
        for (size_t i = c.Expected.size(); i-- > 0;) {
            SCOPED_TRACE(i);
            const QPushButton* b = dlg.Buttons()[static_cast<qsizetype>(i)];
            const TExpectedButton& e = c.Expected[i];
            EXPECT_EQ(b->text(), e.Caption);
            EXPECT_EQ(b->width(), std::max(e.Width, b->minimumSizeHint().width()));
            EXPECT_EQ(b->x() + b->width(), right);
            right = b->x() - 8;
            EXPECT_EQ(b->y(), label->height() + 16);
            EXPECT_EQ(dlg.ButtonResult(b), e.Result);
            EXPECT_EQ(b->isDefault(), i == 0);
        }
        EXPECT_EQ(w, std::max(c.MinWidth, w - right)) << "no wider than the buttons need";
        if (c.Expected.empty())
            EXPECT_EQ(dlg.height(), label->height() + 16);
        else
            EXPECT_EQ(dlg.height(), dlg.Buttons()[0]->height() + label->height() + 24);
    }
}

TEST(MessageDlg, EveryButtonGivesItsResult) {
    for (const TLayoutCase& c : LayoutCases()) {
        for (size_t i = 0; i < c.Expected.size(); ++i) {
            SCOPED_TRACE(QStringLiteral("layout %1 button %2").arg(c.Layout).arg(i).toStdString());
            auto dlg = ShownDlg(QStringLiteral("Вопрос"), c.Buttons);
            QTest::mouseClick(dlg->Buttons()[static_cast<qsizetype>(i)], Qt::LeftButton);
            EXPECT_EQ(dlg->result(), c.Expected[i].Result);
            EXPECT_FALSE(dlg->isVisible());
        }
    }
}

TEST(MessageDlg, EnterPressesTheDefaultAndEscTheCancelButton) {
    for (const TLayoutCase& c : LayoutCases()) {
        SCOPED_TRACE(c.Layout);
        {
            auto dlg = ShownDlg(QStringLiteral("Вопрос"), c.Buttons);
            QTest::keyClick(dlg.get(), Qt::Key_Return);
            EXPECT_EQ(dlg->result(), c.EnterResult);
            EXPECT_EQ(dlg->isVisible(), c.EnterResult == mrNone);
        }
        {
            auto dlg = ShownDlg(QStringLiteral("Вопрос"), c.Buttons);
            QTest::keyClick(dlg.get(), Qt::Key_Escape);
            EXPECT_EQ(dlg->result(), c.EscResult);
            EXPECT_EQ(dlg->isVisible(), c.EscResult == mrNone) << "only a cancel button closes";
        }
    }
}

TEST(MessageDlg, KeysReachTheBoxThroughTheFocusedButton) {
    // The default button has the focus when the box opens; keys typed there reach the box.
    auto dlg = ShownDlg(QStringLiteral("Сохранить?"), mdbYes | mdbNo | mdbCancel);
    QPushButton* yes = dlg->Buttons()[0];
    yes->setFocus();
    QTest::keyClick(yes, Qt::Key_Escape);
    EXPECT_EQ(dlg->result(), mrCancel);

    dlg = ShownDlg(QStringLiteral("Сохранить?"), mdbYes | mdbNo | mdbCancel);
    dlg->Buttons()[0]->setFocus();
    QTest::keyClick(dlg->Buttons()[0], Qt::Key_Return);
    EXPECT_EQ(dlg->result(), mrYes);
}

TEST(MessageDlg, ClosingByTheCaptionGivesCancel) {
    for (TMessageDlgButtons buttons : {TMessageDlgButtons(), mdbYes | mdbNo,
                                       TMessageDlgButtons(mdbOK), TMessageDlgButtons(mdbClose)}) {
        SCOPED_TRACE(buttons.Value());
        auto dlg = ShownDlg(QStringLiteral("Текст"), buttons);
        EXPECT_TRUE(dlg->close());
        EXPECT_EQ(dlg->result(), mrCancel);
    }
}

TEST(MessageDlg, LayoutChoiceLastMatchingTestWins) {
    const std::vector<std::pair<TMessageDlgButtons, int>> cases = {
        {mdbOK | mdbYes, 1},
        {TMessageDlgButtons(mdbAll), 0},
        {TMessageDlgButtons(mdbCancel), 0},
        {mdbYesToAll | mdbNoToAll, 0},
        {mdbAbort | mdbRetry, 0},
        {mdbOK | mdbCancel | mdbHelp, 3},
        {mdbYes | mdbNo | mdbClose, 4},
        {mdbYes | mdbNo | mdbCancel | mdbAll, 6},
        {mdbYes | mdbNo | mdbCancel | mdbYesToAll | mdbNoToAll | mdbAll, 8},
        {TMessageDlgButtons::FromValue(0xFFFF), 10},
    };
    for (const auto& [buttons, layout] : cases) {
        SCOPED_TRACE(buttons.Value());
        EXPECT_EQ(MessageDlgLayout(buttons), layout);
        // Buttons asked for but not in the layout are not shown.
        TMessageDlg dlg(QStringLiteral("x"), mdkWarning, buttons);
        EXPECT_EQ(dlg.Layout(), layout);
    }
    TMessageDlg dlg(QStringLiteral("x"), mdkWarning, mdbOK | mdbYes);
    ASSERT_EQ(dlg.Buttons().size(), 1);
    EXPECT_EQ(dlg.Buttons()[0]->text(), QStringLiteral("OK"));
}

TEST(MessageDlg, WideTextWidensTheBoxAndLinesStack) {
    const QString longLine(120, QLatin1Char('W'));
    for (TMessageDlgButtons buttons :
         {TMessageDlgButtons(mdbOK), mdbYes | mdbNo | mdbYesToAll | mdbNoToAll | mdbCancel,
          TMessageDlgButtons()}) {
        SCOPED_TRACE(buttons.Value());
        TMessageDlg dlg(longLine, mdkError, buttons);
        const int labelWidth = dlg.TextLabel()->width();
        ASSERT_GT(labelWidth + 16, 381);
        EXPECT_EQ(dlg.width(), labelWidth + 16);
        if (!dlg.Buttons().isEmpty()) {
            EXPECT_EQ(dlg.Buttons().last()->geometry().right() + 1, dlg.width() - 8);
        }
    }

    // Line breaks of the text give lines; the buttons stand below the last one.
    TMessageDlg one(QStringLiteral("Первая"), mdkInformation, mdbOK);
    TMessageDlg three(QStringLiteral("Первая\nВторая\nТретья"), mdkInformation, mdbOK);
    EXPECT_GT(three.TextLabel()->height(), 2 * one.TextLabel()->height());
    EXPECT_EQ(three.Buttons()[0]->y(), three.TextLabel()->height() + 16);
    EXPECT_EQ(three.height() - one.height(),
              three.TextLabel()->height() - one.TextLabel()->height());
    // A long text never wraps: the label is as wide as its longest line.
    TMessageDlg single(longLine, mdkInformation, mdbOK);
    TMessageDlg wide(QStringLiteral("кор\n") + longLine, mdkInformation, mdbOK);
    EXPECT_EQ(wide.width(), single.width());
    EXPECT_GT(wide.height(), single.height());
}

TEST(MessageDlg, KindGivesCaptionAndIcon) {
    const std::vector<std::pair<int, QString>> cases = {
        {0, QStringLiteral("Предупреждение")},
        {1, QStringLiteral("Ошибка")},
        {2, QStringLiteral("Информация")},
        {3, QStringLiteral("Подтверждение")},
        {4, QStringLiteral("Сообщение")},
        {5, QString()},
        {255, QString()},
    };
    for (const auto& [kind, caption] : cases) {
        SCOPED_TRACE(kind);
        const auto k = static_cast<TMessageDlgKind>(kind);
        TMessageDlg dlg(QStringLiteral("Текст"), k, mdbOK);
        EXPECT_EQ(dlg.windowTitle(), caption);
        EXPECT_EQ(MessageDlgIcon(k).isNull(), kind >= 5);
        EXPECT_EQ(dlg.TextLabel()->text(), QStringLiteral("Текст"));
    }
}

TEST(MessageDlg, TextIsShownAsWritten) {
    TMessageDlg dlg(QStringLiteral("Тип <b>R&D</b>"), mdkWarning, mdbOK);
    EXPECT_EQ(dlg.TextLabel()->textFormat(), Qt::PlainText);
    EXPECT_EQ(dlg.TextLabel()->text(), QStringLiteral("Тип <b>R&D</b>"));
}

TEST(MessageDlg, ResponderAnswersInPlaceOfTheUser) {
    std::vector<TMessageDlgRequest> seen;
    {
        TMessageDlgResponderScope scope([&](const TMessageDlgRequest& r) {
            seen.push_back(r);
            return seen.size() == 1 ? mrYes : mrCancel;
        });
        EXPECT_EQ(
            ShowMessageDlg(QStringLiteral("Удалить запись?"), mdkConfirmation, mdbYes | mdbNo, 0),
            mrYes);
        EXPECT_EQ(ShowMessageDlg(QStringLiteral("Файл базы данных заблокирован"), mdkError,
                                 mdbOK | mdbHelp, 7),
                  mrCancel);
    }
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].Text, QStringLiteral("Удалить запись?"));
    EXPECT_EQ(seen[0].Kind, mdkConfirmation);
    EXPECT_EQ(seen[0].Buttons, mdbYes | mdbNo);
    EXPECT_EQ(seen[0].Caption, QStringLiteral("Подтверждение"));
    EXPECT_EQ(seen[0].Layout, 5);
    ASSERT_EQ(seen[0].DlgButtons.size(), 2);
    EXPECT_EQ(seen[0].DlgButtons[0].Caption, QStringLiteral("Д&а"));
    EXPECT_EQ(seen[0].DlgButtons[0].Result, mrYes);
    EXPECT_TRUE(seen[0].DlgButtons[0].Default);
    EXPECT_TRUE(seen[0].DlgButtons[1].Cancel);
    EXPECT_EQ(seen[0].DlgButtons[1].Geometry.right() + 1, seen[0].ClientWidth - 8);

    EXPECT_EQ(seen[1].Kind, mdkError);
    EXPECT_EQ(seen[1].Buttons.Value(), 1028);
    EXPECT_EQ(seen[1].HelpCtx, 7);
    EXPECT_EQ(seen[1].DlgButtons[1].Caption, QStringLiteral("&Справка"));
    EXPECT_EQ(seen[1].DlgButtons[1].Result, mrCancel);

    // The scope restored the state before it: no responder.
    EXPECT_FALSE(SetMessageDlgResponder({}));
}
