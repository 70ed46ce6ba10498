// Supplier prices on a real database: the price list in its three modes with the price column's
// text and numeric sort; the price card that creates, moves and edits prices; bad input; a
// read-only card that writes nothing whatever the close question is answered.

#include "tests/catalogue/CatalogueTestSupport.h"

#include "catalogue/frmElementSupplier.h"
#include "catalogue/frmElementSupplierEdit.h"
#include "refbooks/frmClass.h"
#include "refbooks/frmSupplier.h"
#include "refbooks/frmSupplierEdit.h"
#include "shell/KVButtonEdit.h"

#include <QCheckBox>

namespace {

// The stored price: type, supplier, price (or "-"), note, flag.
const QString kRowOf = QStringLiteral(
    "SELECT ELEMENTTYPEID || '|' || SUPPLIERID || '|' || COALESCE(CAST(V_PRICE AS VARCHAR(30)), "
    "'-') || '|' || COALESCE(S_TEXT, '-') || '|' || COALESCE(V_FLAG, -1) FROM T_ELEMENT_SUPPLIER "
    "WHERE ID = %1");

class ElementSupplierTest : public TCatalogueTest {
protected:
    void SetUp() override {
        TCatalogueTest::SetUp();
        NewDB().Exec(QStringLiteral("ALTER SEQUENCE GEN_T_ELEMENT_SUPPLIER_ID RESTART WITH 1000"));
        AddClass(1, QStringLiteral("Резисторы"), 3);
        AddClass(2, QStringLiteral("Конденсаторы"));
        AddType(1, 1, QStringLiteral("R-10"));
        AddType(2, 1, QStringLiteral("R-22"));
        AddType(3, 2, QStringLiteral("C-100"));
        AddSupplier(1, QStringLiteral("Чип и Дип"));
        AddSupplier(2, QStringLiteral("Элитан"));
    }

    void AddNullPrice(quint32 AId, quint32 ATypeId, quint32 ASupplierId) {
        Exec(QStringLiteral("INSERT INTO T_ELEMENT_SUPPLIER (ID, ELEMENTTYPEDBID, ELEMENTTYPEID, "
                            "SUPPLIERID, S_TEXT, V_FLAG) VALUES (%1, 1011, %2, %3, 'опт', 0)"),
             {AId, ATypeId, ASupplierId});
    }
    QString RowOf(quint32 AId) { return Scalar(kRowOf.arg(AId)).toString(); }
    QString AllRows() {
        return Scalar(QStringLiteral("SELECT LIST(ID || ':' || ELEMENTTYPEID || '/' || SUPPLIERID "
                                     "|| '/' || COALESCE(V_PRICE, -1), ' ') FROM (SELECT * FROM "
                                     "T_ELEMENT_SUPPLIER ORDER BY ID)"))
            .toString();
    }

    // The frame of the open price window for which AMatches holds.
    T_frmElementSupplier* Window(const std::function<bool(const T_frmElementSupplier&)>& AMatches) {
        for (TfrmElementSupplier* host : Main().FindMDIChildren<TfrmElementSupplier>())
            if (AMatches(*host->BookFrame()))
                return host->BookFrame();
        ADD_FAILURE() << "no price window";
        return nullptr;
    }
    T_frmElementSupplier* OfSupplier(quint32 AId) {
        DB();
        EXPECT_TRUE(TKVOpener<TOpenPricesOfSupplier>::Open(AId));
        return Window([AId](const T_frmElementSupplier& AFrame) {
            return AFrame.ListSelectDataMode() == essdmOnSupplier && AFrame.SupplierId() == AId;
        });
    }
    std::vector<TfrmElementSupplierEdit*> Cards() {
        return Main().FindMDIChildren<TfrmElementSupplierEdit>();
    }
    static QString Caption(const T_frmElementSupplier* AFrame) {
        return AFrame->parentWidget()->windowTitle();
    }

    static void PickClass(TfrmElementSupplierEdit* ACard, quint32 AId) {
        AnswerModal<TfrmSelectClass>([AId](TfrmSelectClass* ADialog) {
            ADialog->BookFrame()->SelectRecord(1011, AId);
            ADialog->accept();
        });
        ACard->ElementSupplierClass_ButtonEdit()->Button()->click();
    }
    static void PickType(TfrmElementSupplierEdit* ACard, quint32 AId) {
        AnswerModal<TfrmSelectElementType>([AId](TfrmSelectElementType* ADialog) {
            ADialog->BookFrame()->SelectRecord(1011, AId);
            ADialog->accept();
        });
        ACard->ElementSupplierType_ButtonEdit()->Button()->click();
    }
    static void PickSupplier(TfrmElementSupplierEdit* ACard, quint32 AId) {
        AnswerModal<TfrmSelectSupplier>([AId](TfrmSelectSupplier* ADialog) {
            ADialog->BookFrame()->SelectRecord(0, AId);
            ADialog->accept();
        });
        ACard->ElementSupplierSupplier_ButtonEdit()->Button()->click();
    }
};

} // namespace

TEST_F(ElementSupplierTest, PricesOfATypeASupplierAndAClassWithTheirPriceColumn) {
    AddPrice(1, 1, 1, 10);
    AddPrice(2, 1, 2, 9.5);
    AddNullPrice(3, 2, 1);
    AddPrice(4, 3, 1, 1234.567);
    AddPrice(5, 2, 2, 100);

    // A type's prices, from the element-type list's command.
    T_frmElementType* types = OpenOnClass(1);
    types->SelectRecord(1011, 1);
    QAction* prices = types->MenuItem(QStringLiteral("pmiElementSuppliers"));
    ASSERT_TRUE(prices->isEnabled());
    prices->trigger();
    T_frmElementSupplier* ofType = Window([](const T_frmElementSupplier& AFrame) {
        return AFrame.ListSelectDataMode() == essdmOnElementType && AFrame.ElementTypeId() == 1;
    });
    ASSERT_NE(ofType, nullptr);
    EXPECT_EQ(Caption(ofType), QStringLiteral("R-10 - Поставщики и цены"));
    EXPECT_EQ(ofType->Model()->headerData(2, Qt::Horizontal).toString(),
              QStringLiteral("Цена (%1)").arg(dmMain->CurrencyName()));
    EXPECT_EQ(Column(ofType, 1), QStringList({"Чип и Дип", "Элитан"}));
    EXPECT_EQ(Column(ofType, 2), QStringList({"10,00", "9,50"}));
    EXPECT_EQ(ofType->Model()->Row(0).ImageIndex, 3);

    // A supplier's prices: an empty cell without a price; sorted as numbers, also after a
    // refill, a missing price as 0.
    T_frmElementSupplier* ofSupplier = OfSupplier(1);
    ASSERT_NE(ofSupplier, nullptr);
    EXPECT_EQ(Caption(ofSupplier), QStringLiteral("Чип и Дип - Поставщики и цены"));
    EXPECT_EQ(Column(ofSupplier, 2), QStringList({"10,00", "", "1234,57"}));
    ofSupplier->ListViewColumnClick(2);
    EXPECT_EQ(Column(ofSupplier, 2), QStringList({"", "10,00", "1234,57"}));
    ofSupplier->ListViewColumnClick(2);
    EXPECT_EQ(Column(ofSupplier, 2), QStringList({"1234,57", "10,00", ""}));
    AddPrice(6, 2, 1, 2);
    ofSupplier->RefreshData();
    EXPECT_EQ(Column(ofSupplier, 2), QStringList({"1234,57", "10,00", "2,00", ""}));

    // The prices of a class's types, from the class book.
    TfrmClass* classes = OpenRBClass();
    ASSERT_NE(classes, nullptr);
    classes->BookFrame()->SelectRecord(1011, 1);
    QAction* ofClassItem = classes->BookFrame()->MenuItem(QStringLiteral("pmiElementSuppliers"));
    ASSERT_TRUE(ofClassItem->isEnabled());
    ofClassItem->trigger();
    T_frmElementSupplier* ofClass = Window([](const T_frmElementSupplier& AFrame) {
        return AFrame.ListSelectDataMode() == essdmOnClass;
    });
    ASSERT_NE(ofClass, nullptr);
    EXPECT_EQ(Caption(ofClass), QStringLiteral("Резисторы - Поставщики и цены"));
    ofClass->ListViewColumnClick(0);
    EXPECT_EQ(Column(ofClass), QStringList({"R-10", "R-10", "R-22", "R-22", "R-22"}));

    // The supplier book's command, asked again, brings the open window to the front.
    TfrmSupplier* suppliers = OpenRBSupplier();
    suppliers->BookFrame()->SelectRecord(0, 1);
    suppliers->BookFrame()->MenuItem(QStringLiteral("pmiElementSuppliers"))->trigger();
    EXPECT_EQ(Main().FindMDIChildren<TfrmElementSupplier>().size(), 3u);

    // "Поставщик" opens the selected row's supplier.
    ofSupplier->SelectRecord(0, 4);
    Button(ofSupplier, "SupplierOnElement_ToolButton")->click();
    ASSERT_EQ(Main().FindMDIChildren<TfrmSupplierEdit>().size(), 1u);
    EXPECT_EQ(Main().FindMDIChildren<TfrmSupplierEdit>()[0]->Id(), 1u);
    EXPECT_EQ(Messages, QStringList());
}

TEST_F(ElementSupplierTest, CardsCreateAndMovePricesAndTheListsFollow) {
    AddPrice(1, 1, 1, 10);
    T_frmElementSupplier* first = OfSupplier(1);
    T_frmElementSupplier* second = OfSupplier(2);
    Button(first, "Add_ToolButton")->click();
    ASSERT_EQ(Cards().size(), 1u);
    TfrmElementSupplierEdit* card = Cards()[0];
    EXPECT_EQ(card->windowTitle(), QStringLiteral("New Element Supplier"));
    EXPECT_EQ(card->ElementSupplierSupplier_ButtonEdit()->text(), QStringLiteral("Чип и Дип"));
    EXPECT_EQ(card->ElementSupplierClass_ButtonEdit()->text(), QString());
    EXPECT_TRUE(card->ElementSupplierPrice_CheckBox()->isChecked());
    EXPECT_EQ(card->ElementSupplierPrice_CurrencyEdit()->text(), QStringLiteral("0,00"));
    EXPECT_EQ(card->ElementSupplierCurrStr_Label()->text(), dmMain->CurrencyName());

    // Without a type the class editor is asked for first; the type waits for a class.
    EXPECT_FALSE(card->SaveItem());
    EXPECT_TRUE(card->ElementSupplierClass_ButtonEdit()->LineEdit()->hasFocus());
    EXPECT_EQ(Messages, QStringList({"Выберите класс элемента"}));
    card->ElementSupplierType_ButtonEdit()->Button()->click(); // no picker without a class
    EXPECT_EQ(card->ElementSupplierType_ButtonEdit()->text(), QString());

    PickClass(card, 2);
    PickType(card, 3);
    EXPECT_EQ(card->ElementSupplierType_ButtonEdit()->text(), QStringLiteral("C-100"));
    // Another class drops the type.
    PickClass(card, 1);
    EXPECT_EQ(card->ElementSupplierType_ButtonEdit()->text(), QString());
    EXPECT_EQ(card->ElementTypeId(), 0u);
    PickType(card, 2);
    card->ElementSupplierPrice_CheckBox()->setChecked(false);
    card->ElementSupplierDesk_TextEdit()->setText(QStringLiteral("под заказ"));
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(RowOf(card->Id()), QStringLiteral("2|1|-|под заказ|0"));
    EXPECT_EQ(card->windowTitle(), QStringLiteral("R-22"));
    EXPECT_EQ(Column(first), QStringList({"R-10", "R-22"}));
    EXPECT_EQ(Column(first, 2), QStringList({"10,00", ""}));

    // A price above 0 checks the box; moving the row to the other supplier moves it between
    // the windows.
    card->ElementSupplierPrice_CurrencyEdit()->setText(QStringLiteral("12,5"));
    EXPECT_TRUE(card->ElementSupplierPrice_CheckBox()->isChecked());
    PickSupplier(card, 2);
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(RowOf(card->Id()), QStringLiteral("2|2|12.50000000000000|под заказ|0"));
    EXPECT_EQ(Column(first), QStringList({"R-10"}));
    EXPECT_EQ(Column(second), QStringList({"R-22"}));
    EXPECT_EQ(Column(second, 2), QStringList({"12,50"}));

    // A copy opens with every value and is stored as a second row.
    Button(card, "Copy_ToolButton")->click();
    ASSERT_EQ(Cards().size(), 2u);
    TfrmElementSupplierEdit* copy = Cards()[1];
    EXPECT_EQ(copy->windowTitle(), QStringLiteral("New Element Supplier"));
    EXPECT_EQ(copy->ElementSupplierPrice_CurrencyEdit()->text(), QStringLiteral("12,50"));
    ASSERT_TRUE(copy->SaveItem());
    EXPECT_EQ(RowOf(copy->Id()), RowOf(card->Id()));
    EXPECT_EQ(Column(second), QStringList({"R-22", "R-22"}));

    // Deleting a price closes its card.
    second->SelectRecord(0, copy->Id());
    // The pickers took the activation: the list is focused in the active main window.
    Main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
    Main().BringToFrontMDIChild(qobject_cast<TKVMDIChild*>(second->parentWidget()));
    FocusList(second);
    ASSERT_TRUE(second->ListView()->hasFocus());
    Answers = {mrYes};
    Button(second, "Delete_ToolButton")->click();
    Settle();
    EXPECT_EQ(Cards().size(), 1u);
    EXPECT_EQ(Column(second), QStringList({"R-22"}));
}

TEST_F(ElementSupplierTest, BadInputIsToldAndNothingIsWritten) {
    AddPrice(1, 1, 1, 10);
    DB();
    const QString stored = AllRows();
    const struct {
        std::function<void(TfrmElementSupplierEdit*)> Edit;
        QString Message;
    } cases[] = {
        {[](TfrmElementSupplierEdit* ACard) {
             ACard->ElementSupplierPrice_CurrencyEdit()->setText(QStringLiteral("12.5.1"));
         },
         QStringLiteral("Цена «12.5.1» не является числом")},
        {[](TfrmElementSupplierEdit* ACard) {
             ACard->ElementSupplierPrice_CurrencyEdit()->setText(QString());
         },
         QStringLiteral("Цена «» не является числом")},
        {[](TfrmElementSupplierEdit* ACard) {
             ACard->ElementSupplierPrice_CurrencyEdit()->setText(QStringLiteral("-3"));
         },
         QStringLiteral("Цена не может быть отрицательной")},
        {[](TfrmElementSupplierEdit* ACard) {
             ACard->ElementSupplierDesk_TextEdit()->setText(QStringLiteral("цена ✓"));
         },
         QStringLiteral("Значение поля «Примечание» содержит знак «✓», который нельзя "
                        "сохранить в базе данных")},
        {[](TfrmElementSupplierEdit* ACard) {
             ACard->ElementSupplierSupplier_ButtonEdit()->LineEdit()->setFocus();
             QTest::keyClick(ACard->ElementSupplierSupplier_ButtonEdit()->LineEdit(),
                             Qt::Key_Delete);
         },
         QStringLiteral("Выберите поставщика")},
        {[](TfrmElementSupplierEdit* ACard) {
             ACard->ElementSupplierType_ButtonEdit()->LineEdit()->setFocus();
             QTest::keyClick(ACard->ElementSupplierType_ButtonEdit()->LineEdit(), Qt::Key_Delete);
         },
         QStringLiteral("Выберите тип элемента")},
    };
    for (const auto& c : cases) {
        TfrmElementSupplierEdit* card = OpenCardElementSupplier(1, false, 0, 0, 0, 0, 0);
        ASSERT_NE(card, nullptr);
        Messages.clear();
        c.Edit(card);
        EXPECT_TRUE(card->ModifedData());
        EXPECT_FALSE(card->SaveItem());
        EXPECT_EQ(Messages, QStringList({c.Message}));
        EXPECT_TRUE(card->ModifedData()); // the edits stay
        EXPECT_EQ(AllRows(), stored);
        card->ForciblyCloseItem();
        Settle();
    }
    // Unchecked, the price editor's text does not matter.
    TfrmElementSupplierEdit* card = OpenCardElementSupplier(1, false, 0, 0, 0, 0, 0);
    card->ElementSupplierPrice_CurrencyEdit()->setText(QStringLiteral("abc"));
    card->ElementSupplierPrice_CheckBox()->setChecked(false);
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(RowOf(1), QStringLiteral("1|1|-|-|0"));
}

TEST_F(ElementSupplierTest, AReadOnlyCardWritesNothingEvenWhenItsCloseQuestionIsAnsweredYes) {
    AddPrice(1, 1, 1, 10);
    ::ReadOnly = true;
    DB();
    const QString stored = AllRows();
    TfrmElementSupplierEdit* card = OpenCardElementSupplier(1, false, 0, 0, 0, 0, 0);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->windowTitle(), QStringLiteral("R-10 (только просмотр)"));
    for (TKVButtonEdit* editor :
         {card->ElementSupplierClass_ButtonEdit(), card->ElementSupplierType_ButtonEdit(),
          card->ElementSupplierSupplier_ButtonEdit()}) {
        EXPECT_FALSE(editor->Button()->isEnabled());
        editor->LineEdit()->setFocus();
        QTest::keyClick(editor->LineEdit(), Qt::Key_Delete);
        EXPECT_FALSE(editor->text().isEmpty());
    }
    EXPECT_FALSE(card->ElementSupplierPrice_CheckBox()->isEnabled());
    EXPECT_TRUE(card->ElementSupplierPrice_CurrencyEdit()->isReadOnly());
    EXPECT_TRUE(card->ElementSupplierDesk_TextEdit()->isReadOnly());
    EXPECT_FALSE(card->ModifedData());

    // Even a card marked modified saves nothing on Yes.
    card->SetModifedData(true);
    Answers = {mrYes};
    EXPECT_FALSE(card->CloseWindow());
    EXPECT_EQ(AllRows(), stored);
    EXPECT_EQ(card->ElementTypeId(), 1u);
    EXPECT_EQ(card->SupplierId(), 1u);
    card->ForciblyCloseItem();
}

TEST_F(ElementSupplierTest, SupplierAndClassWindowsShareTheirLayoutAndAMissingTypeIsTold) {
    ::LocalConfig = true;
    AddPrice(1, 1, 1, 10);
    T_frmElementSupplier* ofSupplier = OfSupplier(1);
    ASSERT_NE(ofSupplier, nullptr);
    EXPECT_EQ(ofSupplier->RBWinWidth(), 400); // the default
    ofSupplier->SetRBWinWidth(600);
    ofSupplier->SetRBWinHeight(300);
    ofSupplier->UnInit();
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM CFG_LOCAL WHERE OBJ_TYPE = 29 AND "
                                    "OBJ_DBID = 0 AND OBJ_ID = 0 AND OBJ_MODE IS NULL AND "
                                    "S_PARAM = 'RBW' AND V_INTEGER = 600"))
                  .toInt(),
              1);
    TfrmElementSupplier* ofClass = OpenRBElementSupplierOnClass(1011, 1);
    ASSERT_NE(ofClass, nullptr);
    EXPECT_EQ(ofClass->BookFrame()->RBWinWidth(), 600);
    EXPECT_EQ(ofClass->BookFrame()->RBWinHeight(), 300);

    // A type deleted meanwhile: the box with its key, then an empty list.
    TfrmElementSupplier* ofType = OpenRBElementSupplierOnElementType(1011, 77);
    ASSERT_NE(ofType, nullptr);
    ASSERT_EQ(FUI.Errors.size(), 1u);
    EXPECT_EQ(FUI.Errors[0].Text, QStringLiteral("Object DBID:1011, ID:77 not found in DataBase"));
    EXPECT_EQ(ofType->BookFrame()->Model()->Count(), 0);
    EXPECT_EQ(ofType->windowTitle(), QStringLiteral(" - Поставщики и цены"));
    EXPECT_EQ(ofType->BookFrame()->RBWinWidth(), 400); // a type's own rows
}
