// The supplier book on a real database: the list of four columns with its name filter and
// name copy, Enter and the double click in the list window and in the picker, the delete
// rules, and the card's saves, read-only state and web address button.

#include "tests/refbooks/MakerSupplierTestSupport.h"

#include "refbooks/KVReferenceBooks.h"
#include "shell/KVBookWindows.h"

#include <QAction>

namespace {

const QString kRefused = QStringLiteral(
    "Запись не может быть удалена, пока на нее ссылаются другие записи в базе данных");

// Supplier AId as stored, NULL as "-".
QString SupplierRow(quint32 AId) {
    return QStringLiteral("SELECT S_NAME || '|' || COALESCE(S_ADDRESS, '-') || '|' || "
                          "COALESCE(S_PHONE, '-') || '|' || COALESCE(S_URL, '-') || '|' || "
                          "COALESCE(S_TEXT, '-') FROM T_SUPPLIER WHERE ID = %1")
        .arg(AId);
}

} // namespace

class SupplierBookTest : public TMakerSupplierTest {
protected:
    void AddSamples() {
        AddSupplier(1, QStringLiteral("Чип и Дип"), QStringLiteral("Москва"),
                    QStringLiteral("+7 495 000-00-00"), QStringLiteral("www.chipdip.ru"),
                    QStringLiteral("Розница"));
        AddSupplier(2, QStringLiteral("Элитан"));
    }
    static void Select(TKVListFrame* AFrame, quint32 AId) {
        AFrame->SelectRecord(0, AId);
        FocusList(AFrame);
    }
};

TEST_F(SupplierBookTest, ListShowsFourColumnsFiltersByNameAndCopiesTheNameAlone) {
    AddSamples();
    TfrmSupplier* host = OpenSuppliers();
    T_frmSupplier* frame = host->BookFrame();
    EXPECT_EQ(host->windowTitle(), QStringLiteral("Поставщики"));
    QStringList headers;
    for (int i = 0; i < frame->Model()->columnCount(); ++i)
        headers << frame->Model()->headerData(i, Qt::Horizontal).toString();
    EXPECT_EQ(headers, QStringList({"Название", "Адрес", "Телефон", "Сайт"}));
    EXPECT_EQ(frame->Model()->Row(0).Texts,
              QStringList({"Чип и Дип", "Москва", "+7 495 000-00-00", "www.chipdip.ru"}));
    EXPECT_EQ(frame->Model()->Row(1).Texts, QStringList({"Элитан", "", "", ""}));
    // The list never loads the description.
    frame->SupplierList()->First();
    EXPECT_TRUE(frame->SupplierList()->GetRecord()->Text().isEmpty());

    frame->FilterEdit()->setText(QStringLiteral("москва"));
    frame->ApplyFilter();
    EXPECT_TRUE(Column(frame).isEmpty());
    frame->FilterEdit()->setText(QStringLiteral("ДИП"));
    frame->ApplyFilter();
    EXPECT_EQ(Column(frame), QStringList({"Чип и Дип"}));

    Select(frame, 1);
    EXPECT_EQ(frame->SelectedLocalItemDBData().Id, 1u);
    ASSERT_TRUE(frame->CopyName());
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Чип и Дип"));
}

TEST_F(SupplierBookTest, EnterOffersTheCardInTheListWindowAndTheDoubleClickPicks) {
    AddSamples();
    T_frmSupplier* frame = OpenSuppliers()->BookFrame();
    Select(frame, 2);
    AnswerChooser(true);
    QTest::keyClick(frame->ListView(), Qt::Key_Return);
    EXPECT_EQ(ChooserViews, QList<int>({odmtSupplier}));
    ASSERT_EQ(OpenCards<TfrmSupplierEdit>().size(), 1u);
    EXPECT_EQ(OpenCards<TfrmSupplierEdit>()[0]->Id(), 2u);

    // In the picker Enter opens no view: it is the dialog's "Выбрать" (the preset row).
    ChooserViews.clear();
    AnswerModal<TfrmSelectSupplier>([](TfrmSelectSupplier* ADialog) {
        QTest::keyClick(ADialog->BookFrame()->ListView(), Qt::Key_Return);
    });
    TKVSelectedLocalItemDBData result;
    SelectSupplier(2, result);
    EXPECT_TRUE(ChooserViews.isEmpty());
    EXPECT_TRUE(result.Select);
    EXPECT_EQ(result.Id, 2u);

    // The double click chooses the row.
    AnswerModal<TfrmSelectSupplier>([](TfrmSelectSupplier* ADialog) {
        T_frmSupplier* picker = ADialog->BookFrame();
        picker->SelectRecord(0, 1);
        emit picker->ListView()->doubleClicked(
            picker->Model()->index(picker->Model()->Find({0, 1}), 0));
    });
    SelectSupplier(2, result);
    EXPECT_TRUE(ChooserViews.isEmpty());
    EXPECT_TRUE(result.Select);
    EXPECT_EQ(result.Id, 1u);
    EXPECT_EQ(result.Name, QStringLiteral("Чип и Дип"));
    EXPECT_EQ(OpenCards<TfrmSupplierEdit>().size(), 1u);
}

TEST_F(SupplierBookTest, DeleteIsRefusedWhilePricesReferToTheSupplierAndClosesItsCard) {
    AddSamples();
    AddPrice(1, 1);
    T_frmSupplier* frame = OpenSuppliers()->BookFrame();
    Select(frame, 1);
    Answers = {mrYes};
    QTest::keyClick(frame->ListView(), Qt::Key_Delete);
    EXPECT_EQ(Messages, QStringList({"Удалить запись?", kRefused}));
    EXPECT_EQ(frame->Model()->Count(), 2);

    TfrmSupplierEdit* card = OpenCardSupplier(2, false);
    ASSERT_NE(card, nullptr);
    card->SupplierPhone_TextEdit()->setText(QStringLiteral("123"));
    TfrmSupplierEdit* other = OpenCardSupplier(1, false);
    ASSERT_NE(other, nullptr);
    Messages.clear();
    Answers = {mrYes};
    Select(frame, 2);
    QTest::keyClick(frame->ListView(), Qt::Key_Delete);
    Settle();
    EXPECT_EQ(Messages, QStringList({"Удалить запись?"}));
    ASSERT_EQ(OpenCards<TfrmSupplierEdit>().size(), 1u);
    EXPECT_EQ(OpenCards<TfrmSupplierEdit>()[0], other);
    EXPECT_EQ(Column(frame), QStringList({"Чип и Дип"}));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_SUPPLIER")).toInt(), 1);
}

TEST_F(SupplierBookTest, CardInsertsUpdatesAndCopiesWithEmptyTextsAsNull) {
    AddSamples();
    T_frmSupplier* frame = OpenSuppliers()->BookFrame();
    Button(frame, "Add_ToolButton")->click();
    ASSERT_EQ(OpenCards<TfrmSupplierEdit>().size(), 1u);
    TfrmSupplierEdit* card = OpenCards<TfrmSupplierEdit>()[0];
    EXPECT_EQ(card->windowTitle(), QStringLiteral("New Supplier"));
    EXPECT_EQ(card->SupplierName_TextEdit()->selectedText(), QStringLiteral("New Supplier"));
    ASSERT_TRUE(card->SaveItem());
    const quint32 id = card->Id();
    EXPECT_NE(id, 0u);
    EXPECT_EQ(Text(SupplierRow(id)), QStringLiteral("New Supplier|-|-|-|-"));
    EXPECT_EQ(frame->Model()->Row(2).Texts, QStringList({"New Supplier", "", "", ""}));

    card->SupplierAddress_TextEdit()->setText(QStringLiteral("Тверь"));
    card->SupplierUrl_ButtonEdit()->setText(QStringLiteral("elitan.ru"));
    card->SupplierDesc_Memo()->setPlainText(QStringLiteral("Опт"));
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(Text(SupplierRow(id)), QStringLiteral("New Supplier|Тверь|-|elitan.ru|Опт"));
    EXPECT_EQ(frame->Model()->Row(2).Texts,
              QStringList({"New Supplier", "Тверь", "", "elitan.ru"}));

    // A copy of a stored supplier carries its description, which the list never loads.
    TfrmSupplierEdit* copy = OpenCardSupplier(1, true);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->windowTitle(), QStringLiteral("New Supplier"));
    EXPECT_EQ(copy->SupplierDesc_Memo()->toPlainText(), QStringLiteral("Розница"));
    ASSERT_TRUE(copy->SaveItem());
    EXPECT_EQ(Text(SupplierRow(copy->Id())),
              QStringLiteral("Чип и Дип|Москва|+7 495 000-00-00|www.chipdip.ru|Розница"));
}

TEST_F(SupplierBookTest, OptionReadOnlyMakesEveryCardReadOnlyAndItsSiteStillOpens) {
    AddSamples();
    ::ReadOnly = true;
    TfrmSupplierEdit* card = OpenCardSupplier(1, false);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->windowTitle(), QStringLiteral("Чип и Дип (только просмотр)"));
    EXPECT_FALSE(Button(card, "Save_ToolButton")->isEnabled());
    EXPECT_TRUE(card->SupplierName_TextEdit()->isReadOnly());
    EXPECT_TRUE(card->SupplierDesc_Memo()->isReadOnly());
    card->SupplierUrl_ButtonEdit()->Button()->click();
    EXPECT_EQ(OpenedUrls, QStringList({"http://www.chipdip.ru"}));

    // A card of a supplier the database no longer holds says so and closes.
    FUI.Clear();
    EXPECT_EQ(OpenCardSupplier(77, false), nullptr);
    Settle();
    ASSERT_EQ(FUI.Errors.size(), 1u);
    EXPECT_EQ(FUI.Errors[0].Text, QStringLiteral("Object ID:77 not found in DataBase"));
    EXPECT_EQ(OpenCards<TfrmSupplierEdit>().size(), 1u);

    // Ctrl+Enter in the memo closes the card, as in every editor.
    card->SupplierDesc_Memo()->setFocus();
    QTest::keyClick(card->SupplierDesc_Memo(), Qt::Key_Return, Qt::ControlModifier);
    Settle();
    EXPECT_TRUE(OpenCards<TfrmSupplierEdit>().empty());
}

TEST_F(SupplierBookTest, MainWindowCommandsOpenEachBookOnce) {
    RegisterReferenceBookWindows();
    struct TForget {
        ~TForget() { ClearBookWindows(); }
    } forget;
    AddSamples();
    AddMaker(1011, 1, QStringLiteral("Philips"));
    for (const char* name : {"mmiRB_Maker", "mmiRB_Supplier"}) {
        QAction* action = Main().findChild<QAction*>(QLatin1String(name));
        ASSERT_NE(action, nullptr) << name;
        ASSERT_TRUE(action->isEnabled()) << name;
        action->trigger();
        action->trigger();
    }
    ASSERT_EQ(Main().FindMDIChildren<TfrmMaker>().size(), 1u);
    EXPECT_EQ(Main().FindMDIChildren<TfrmMaker>()[0]->BookFrame()->Model()->Count(), 1);
    ASSERT_EQ(Main().FindMDIChildren<TfrmSupplier>().size(), 1u);
    EXPECT_EQ(Main().FindMDIChildren<TfrmSupplier>()[0]->BookFrame()->Model()->Count(), 2);
}
