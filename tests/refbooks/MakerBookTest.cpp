// The maker book on a real database: the list with its name filter and name copy, Enter and
// the double click through the view chooser, the delete rules, the card's saves and its web
// address button, and the picker's width rule.

#include "tests/refbooks/MakerSupplierTestSupport.h"

#include <QHeaderView>

namespace {

const QString kRefused = QStringLiteral(
    "Запись не может быть удалена, пока на нее ссылаются другие записи в базе данных");

// Maker (1011, AId) as stored, NULL as "-".
QString MakerRow(quint32 AId) {
    return QStringLiteral("SELECT S_NAME || '|' || COALESCE(S_URL, '-') || '|' || "
                          "COALESCE(S_DESCRIPTION, '-') FROM T_MAKER WHERE DBID = 1011 AND ID = %1")
        .arg(AId);
}

} // namespace

class MakerBookTest : public TMakerSupplierTest {
protected:
    void AddSamples() {
        AddMaker(1011, 1, QStringLiteral("Texas Instruments"), QStringLiteral("www.ti.com"));
        AddMaker(1011, 2, QStringLiteral("Philips"), QStringLiteral("www.nxp.com"));
        AddMaker(0, 3, QStringLiteral("Ангстрем"));
    }
    static void Select(TKVListFrame* AFrame, quint32 ADBId, quint32 AId) {
        AFrame->SelectRecord(ADBId, AId);
        FocusList(AFrame);
    }
};

TEST_F(MakerBookTest, ListShowsNameAndSiteFiltersByNameAndCopiesTheNameAlone) {
    AddSamples();
    TfrmMaker* host = OpenMakers();
    T_frmMaker* frame = host->BookFrame();
    EXPECT_EQ(host->windowTitle(), QStringLiteral("Производители"));
    EXPECT_EQ(frame->Model()->headerData(0, Qt::Horizontal).toString(),
              QStringLiteral("Производитель"));
    EXPECT_EQ(frame->Model()->headerData(1, Qt::Horizontal).toString(),
              QStringLiteral("Сайт производителя"));
    EXPECT_EQ(Column(frame, 0), QStringList({"Texas Instruments", "Philips", "Ангстрем"}));
    EXPECT_EQ(Column(frame, 1), QStringList({"www.ti.com", "www.nxp.com", ""}));
    EXPECT_EQ(frame->CountPanel()->text(), QStringLiteral("Записей 3 "));
    EXPECT_GE(Button(frame, "Refresh_ToolButton")->minimumWidth(), 63);

    // The web address is not filtered on.
    frame->FilterEdit()->setText(QStringLiteral("nxp"));
    frame->ApplyFilter();
    EXPECT_TRUE(Column(frame).isEmpty());
    frame->FilterEdit()->setText(QStringLiteral("ФИЛ"));
    frame->ApplyFilter();
    EXPECT_TRUE(Column(frame).isEmpty());
    frame->FilterEdit()->setText(QStringLiteral("ангст"));
    frame->ApplyFilter();
    EXPECT_EQ(Column(frame), QStringList({"Ангстрем"}));
    frame->Filter_ButtonEditPropertiesButtonClick(2);

    Select(frame, 1011, 2);
    ASSERT_TRUE(frame->CopyName());
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Philips"));
}

TEST_F(MakerBookTest, EnterAndDoubleClickOpenTheCardThroughTheChooser) {
    AddSamples();
    T_frmMaker* frame = OpenMakers()->BookFrame();

    // Nothing selected: no chooser.
    QTest::keyClick(frame->ListView(), Qt::Key_Return);
    EXPECT_TRUE(ChooserViews.isEmpty());

    Select(frame, 1011, 1);
    AnswerChooser(false);
    QTest::keyClick(frame->ListView(), Qt::Key_Return);
    EXPECT_EQ(ChooserViews, QList<int>({odmtMaker}));
    EXPECT_TRUE(OpenCards<TfrmMakerEdit>().empty());

    AnswerChooser(true);
    QTest::keyClick(frame->ListView(), Qt::Key_Return);
    ASSERT_EQ(OpenCards<TfrmMakerEdit>().size(), 1u);
    EXPECT_EQ(OpenCards<TfrmMakerEdit>()[0]->windowTitle(), QStringLiteral("Texas Instruments"));

    // The double click on the row of another maker opens its card; the first card stays.
    ChooserViews.clear();
    AnswerChooser(true);
    const QModelIndex row = frame->Model()->index(frame->Model()->Find({1011, 2}), 0);
    frame->ListView()->setCurrentIndex(row);
    emit frame->ListView()->doubleClicked(row);
    EXPECT_EQ(ChooserViews, QList<int>({odmtMaker}));
    ASSERT_EQ(OpenCards<TfrmMakerEdit>().size(), 2u);
}

TEST_F(MakerBookTest, DeleteIsRefusedForUsedAndSystemMakersAndClosesTheMakersCard) {
    AddSamples();
    AddElementType(1, 1011, 1);
    T_frmMaker* frame = OpenMakers()->BookFrame();

    Select(frame, 1011, 1);
    Answers = {mrYes};
    QTest::keyClick(frame->ListView(), Qt::Key_Delete);
    EXPECT_EQ(Messages, QStringList({"Удалить запись?", kRefused}));
    EXPECT_EQ(frame->Model()->Count(), 3);

    Messages.clear();
    Select(frame, 0, 3);
    QTest::keyClick(frame->ListView(), Qt::Key_Delete);
    EXPECT_EQ(Messages, QStringList({"Системная запись не может быть удалена"}));

    // A maker no element type uses: its modified card closes without a question.
    TfrmMakerEdit* card = OpenCardMaker(1011, 2, false);
    ASSERT_NE(card, nullptr);
    card->MakerName_TextEdit()->setText(QStringLiteral("Philips Semiconductors"));
    EXPECT_TRUE(card->ModifedData());
    Messages.clear();
    Answers = {mrYes};
    Select(frame, 1011, 2);
    QTest::keyClick(frame->ListView(), Qt::Key_Delete);
    Settle();
    EXPECT_EQ(Messages, QStringList({"Удалить запись?"}));
    EXPECT_TRUE(OpenCards<TfrmMakerEdit>().empty());
    EXPECT_EQ(Column(frame), QStringList({"Texas Instruments", "Ангстрем"}));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_MAKER")).toInt(), 2);
}

TEST_F(MakerBookTest, NewCardInsertsEmptyTextsAsNullAndRefusesABlankName) {
    T_frmMaker* frame = OpenMakers()->BookFrame();
    Button(frame, "Add_ToolButton")->click();
    ASSERT_EQ(OpenCards<TfrmMakerEdit>().size(), 1u);
    TfrmMakerEdit* card = OpenCards<TfrmMakerEdit>()[0];
    EXPECT_EQ(card->windowTitle(), QStringLiteral("New Maker"));
    EXPECT_EQ(card->MakerName_TextEdit()->selectedText(), QStringLiteral("New Maker"));

    card->MakerName_TextEdit()->setText(QStringLiteral("   "));
    EXPECT_FALSE(card->SaveItem());
    EXPECT_TRUE(card->MakerName_TextEdit()->hasFocus());
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_MAKER")).toInt(), 0);

    card->MakerName_TextEdit()->setText(QStringLiteral(" Интеграл "));
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(card->DBId(), 1011u);
    EXPECT_NE(card->Id(), 0u);
    EXPECT_EQ(Text(MakerRow(card->Id())), QStringLiteral(" Интеграл |-|-"));
    EXPECT_TRUE(Scalar(QStringLiteral("SELECT C_TIMESTAMP FROM T_MAKER")).isValid());
    EXPECT_EQ(card->windowTitle(), QStringLiteral(" Интеграл "));
    EXPECT_EQ(Column(frame), QStringList({" Интеграл "}));
}

TEST_F(MakerBookTest, EditAndCopyKeepEveryFieldAndTheDescriptionIsLimited) {
    AddMaker(1011, 1, QStringLiteral("Texas Instruments"), QStringLiteral("www.ti.com"),
             QStringLiteral("USA"));
    T_frmMaker* frame = OpenMakers()->BookFrame();
    TfrmMakerEdit* card = OpenCardMaker(1011, 1, false);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->MakerUrl_ButtonEdit()->text(), QStringLiteral("www.ti.com"));
    EXPECT_EQ(card->MakerDesc_Memo()->toPlainText(), QStringLiteral("USA"));
    EXPECT_FALSE(card->ModifedData());

    card->MakerDesc_Memo()->setPlainText(QString(2048, u'x'));
    EXPECT_TRUE(card->ModifedData());
    EXPECT_FALSE(card->SaveItem());
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_EQ(Messages[0], QStringLiteral("Значение поля «Описание» длиннее 2047 символов"));
    EXPECT_EQ(Text(MakerRow(1)), QStringLiteral("Texas Instruments|www.ti.com|USA"));

    card->MakerDesc_Memo()->setPlainText(QStringLiteral("Даллас\nТехас"));
    card->MakerUrl_ButtonEdit()->setText(QString());
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(Text(MakerRow(1)), QStringLiteral("Texas Instruments|-|Даллас\nТехас"));
    EXPECT_TRUE(Scalar(QStringLiteral("SELECT U_TIMESTAMP FROM T_MAKER")).isValid());
    EXPECT_EQ(Column(frame, 1), QStringList({""}));

    // A copy shows the source's values under the new-record name and inserts a new row.
    Button(card, "Copy_ToolButton")->click();
    ASSERT_EQ(OpenCards<TfrmMakerEdit>().size(), 2u);
    TfrmMakerEdit* copy = OpenCards<TfrmMakerEdit>()[1];
    EXPECT_EQ(copy->windowTitle(), QStringLiteral("New Maker"));
    EXPECT_EQ(copy->MakerName_TextEdit()->text(), QStringLiteral("Texas Instruments"));
    EXPECT_EQ(copy->MakerDesc_Memo()->toPlainText(), QStringLiteral("Даллас\nТехас"));
    ASSERT_TRUE(copy->SaveItem());
    EXPECT_NE(copy->Id(), 1u);
    EXPECT_EQ(Text(MakerRow(copy->Id())), QStringLiteral("Texas Instruments|-|Даллас\nТехас"));
    EXPECT_EQ(frame->Model()->Count(), 2);
}

TEST_F(MakerBookTest, SiteButtonOpensTheTypedAddressWhenItIsAWebAddress) {
    AddMaker(1011, 1, QStringLiteral("Texas Instruments"), QStringLiteral("www.ti.com"));
    TfrmMakerEdit* card = OpenCardMaker(1011, 1, false);
    ASSERT_NE(card, nullptr);
    QToolButton* button = card->MakerUrl_ButtonEdit()->Button();
    EXPECT_EQ(button->toolTip(), QStringLiteral("Открыть сайт"));

    // Typed, not saved: opened as it stands.
    card->MakerUrl_ButtonEdit()->setText(QStringLiteral("https://www.ti.com/power"));
    button->click();
    EXPECT_EQ(OpenedUrls, QStringList({"https://www.ti.com/power"}));

    OpenedUrls.clear();
    card->MakerUrl_ButtonEdit()->setText(QString());
    button->click();
    card->MakerUrl_ButtonEdit()->setText(QStringLiteral("file:///usr/bin/xterm"));
    button->click();
    EXPECT_TRUE(OpenedUrls.isEmpty());
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_TRUE(
        Messages[0].startsWith(QStringLiteral("Адрес сайта «file:///usr/bin/xterm» не открыт")))
        << Messages[0].toStdString();
    card->ForciblyCloseItem();
    Settle();

    // A read-only card opens its address too.
    ::ReadOnly = true;
    card = OpenCardMaker(1011, 1, false);
    ASSERT_NE(card, nullptr);
    EXPECT_TRUE(card->MakerUrl_ButtonEdit()->LineEdit()->isReadOnly());
    EXPECT_TRUE(card->MakerDesc_Memo()->isReadOnly());
    EXPECT_TRUE(card->windowTitle().endsWith(QStringLiteral(" (только просмотр)")));
    card->MakerUrl_ButtonEdit()->Button()->click();
    EXPECT_EQ(OpenedUrls, QStringList({"http://www.ti.com"}));
}

TEST_F(MakerBookTest, PickerTakesAStoredWidthOnlyFrom500) {
    ::LocalConfig = true;
    AddSamples();
    const auto pick = [this](int AWidth) {
        int opened = 0;
        AnswerModal<TfrmSelectMaker>([&](TfrmSelectMaker* ADialog) {
            opened = ADialog->width();
            ADialog->BookFrame()->SelectRecord(1011, 2);
            ADialog->resize(AWidth, ADialog->height());
            ADialog->accept();
        });
        TKVSelectedItemDBData result;
        SelectMaker(0, 0, result);
        EXPECT_TRUE(result.Select);
        EXPECT_EQ(result.Id, 2u);
        EXPECT_EQ(result.Name, QStringLiteral("Philips"));
        return opened;
    };
    EXPECT_EQ(pick(450), 400);
    EXPECT_EQ(pick(520), 400);
    EXPECT_EQ(pick(400), 520);
}
