// The analogs of an element type on a real database: the list with its grade names, filter and
// layout rows; the card that creates, edits, copies and deletes relations with their grades
// stored as indexes; the refusal of a type as its own analog; read-only cards.

#include "tests/catalogue/CatalogueTestSupport.h"

#include "catalogue/frmElementAnalog.h"
#include "catalogue/frmElementAnalogEdit.h"
#include "refbooks/frmClass.h"
#include "shell/KVButtonEdit.h"

#include <QClipboard>
#include <QComboBox>

namespace {

// The stored relation: primary, analog, four grades, note, flag.
const QString kRowOf = QStringLiteral(
    "SELECT PELEMENTTYPEID || '>' || AELEMENTTYPEID || '|' || V_FUNCTIONAL || V_FEATURES || "
    "V_CASE || V_PINOUT || '|' || COALESCE(S_TEXT, '-') || '|' || COALESCE(V_FLAG, -1) FROM "
    "T_ELEMENT_ANALOG WHERE DBID = %1 AND ID = %2");

class ElementAnalogTest : public TCatalogueTest {
protected:
    void SetUp() override {
        TCatalogueTest::SetUp();
        NewDB().Exec(QStringLiteral("ALTER SEQUENCE GEN_T_ELEMENT_ANALOG_ID RESTART WITH 1000"));
        AddClass(1, QStringLiteral("Микросхемы"));
        AddClass(2, QStringLiteral("Транзисторы"));
        AddType(1, 1, QStringLiteral("К155ЛА3"));
        AddType(2, 1, QStringLiteral("SN7400"));
        AddType(3, 1, QStringLiteral("ОП-27"));
        AddType(4, 2, QStringLiteral("КТ315"));
    }

    void AddAnalog(quint32 AId, quint32 APrimaryId, quint32 AAnalogId, const QVariantList& AGrades,
                   const QString& AText = QString()) {
        Exec(QStringLiteral("INSERT INTO T_ELEMENT_ANALOG (DBID, ID, PELEMENTTYPEDBID, "
                            "PELEMENTTYPEID, AELEMENTTYPEDBID, AELEMENTTYPEID, V_FUNCTIONAL, "
                            "V_FEATURES, V_CASE, V_PINOUT, S_TEXT, V_FLAG) VALUES (1011, %1, "
                            "1011, %2, 1011, %3, %4, %5, %6, %7, %8, 0)"),
             QVariantList{AId, APrimaryId, AAnalogId} + AGrades +
                 QVariantList{AText.isEmpty() ? Null() : QVariant(AText)});
    }
    QString RowOf(quint32 AId) { return Scalar(kRowOf.arg(1011).arg(AId)).toString(); }
    int AnalogCount() {
        return Scalar(QStringLiteral("SELECT COUNT(*) FROM T_ELEMENT_ANALOG")).toInt();
    }

    T_frmElementAnalog* OpenList(quint32 APrimaryId) {
        DB();
        EXPECT_TRUE(TKVOpener<TOpenAnalogsOfElementType>::Open(1011u, APrimaryId));
        for (TfrmElementAnalog* host : Main().FindMDIChildren<TfrmElementAnalog>())
            if (host->BookFrame()->PrimaryElementTypeId() == APrimaryId)
                return host->BookFrame();
        ADD_FAILURE() << "no analog window";
        return nullptr;
    }
    std::vector<TfrmElementAnalogEdit*> Cards() {
        return Main().FindMDIChildren<TfrmElementAnalogEdit>();
    }
    static QStringList RowTexts(const T_frmElementAnalog* AList, int ARow) {
        return AList->Model()->Row(ARow).Texts;
    }

    // Picks class AClassId, then type ATypeId in the card's analog (or primary) editors.
    static void PickType(TKVButtonEdit* AClassEdit, quint32 AClassId, TKVButtonEdit* ATypeEdit,
                         quint32 ATypeId) {
        if (AClassEdit) {
            AnswerModal<TfrmSelectClass>([AClassId](TfrmSelectClass* ADialog) {
                ADialog->BookFrame()->SelectRecord(1011, AClassId);
                ADialog->accept();
            });
            AClassEdit->Button()->click();
        }
        AnswerModal<TfrmSelectElementType>([ATypeId](TfrmSelectElementType* ADialog) {
            ADialog->BookFrame()->SelectRecord(1011, ATypeId);
            ADialog->accept();
        });
        ATypeEdit->Button()->click();
    }
};

} // namespace

TEST_F(ElementAnalogTest, TheListShowsGradeNamesFiltersOnEitherNameAndOpensOnce) {
    AddAnalog(1, 1, 2, {1, 2, 3, 4}, QStringLiteral("Прямая замена"));
    AddAnalog(2, 1, 3, {2, 9, Null(), 0}); // out of range and NULL read as unknown
    AddAnalog(3, 2, 1, {1, 1, 1, 1});      // another primary type
    T_frmElementAnalog* list = OpenList(1);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->parentWidget()->windowTitle(), QStringLiteral("К155ЛА3 - Аналоги элемента"));
    ASSERT_EQ(list->Model()->Count(), 2);
    EXPECT_EQ(RowTexts(list, 0),
              QStringList({"К155ЛА3", "SN7400", "Полный аналог", "Аналог по основным параметрам",
                           "Другой корпус", "Не аналог", "Прямая замена"}));
    EXPECT_EQ(RowTexts(list, 1),
              QStringList({"К155ЛА3", "ОП-27", "Возможный аналог", "", "", "", ""}));
    EXPECT_EQ(list->Model()->headerData(4, Qt::Horizontal).toString(),
              QStringLiteral("Корпусровка"));

    // The filter keeps a row whose analog name matches though the primary name does not.
    list->FilterEdit()->setText(QStringLiteral("оп"));
    list->ApplyFilter();
    EXPECT_EQ(Column(list, 1), QStringList({"ОП-27"}));
    list->FilterEdit()->setText(QStringLiteral("к155"));
    list->ApplyFilter();
    EXPECT_EQ(Column(list, 1), QStringList({"SN7400", "ОП-27"}));

    // Both names go to the clipboard.
    list->SelectRecord(1011, 2);
    list->MenuItem(QStringLiteral("pmiCopyName"))->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("К155ЛА3 - ОП-27"));
    EXPECT_EQ(list->MenuItem(QStringLiteral("pmiCopyName"))->text(),
              QStringLiteral("&Скопировать названия"));

    // Asked again, the open window comes to the front.
    EXPECT_TRUE(TKVOpener<TOpenAnalogsOfElementType>::Open(1011u, 1u));
    EXPECT_EQ(Main().FindMDIChildren<TfrmElementAnalog>().size(), 1u);

    // The element-type list's command opens the window of the selected type.
    T_frmElementType* types = OpenOnClass(1);
    types->SelectRecord(1011, 2);
    QAction* analogs = types->MenuItem(QStringLiteral("pmiElementAnalog"));
    ASSERT_TRUE(analogs->isEnabled());
    analogs->trigger();
    ASSERT_EQ(Main().FindMDIChildren<TfrmElementAnalog>().size(), 2u);
    EXPECT_EQ(Messages, QStringList());
}

TEST_F(ElementAnalogTest, EachTypesListKeepsItsOwnLayoutAndAMissingTypeIsTold) {
    ::LocalConfig = true;
    T_frmElementAnalog* list = OpenList(1);
    list->ListView()->header()->resizeSection(1, 260);
    list->SetRBWinWidth(640);
    list->SetRBWinHeight(320);
    list->UnInit();
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM CFG_LOCAL WHERE OBJ_TYPE = 25 AND "
                                    "OBJ_MODE = 1 AND OBJ_DBID = 1011 AND OBJ_ID = 1 AND "
                                    "S_PARAM = 'CW' AND V_PARAMID = 1 AND V_INTEGER = 260"))
                  .toInt(),
              1);
    T_frmElementAnalog* other = OpenList(2);
    EXPECT_EQ(other->RBWinWidth(), 500); // the default: another type's rows are its own
    EXPECT_EQ(other->ListView()->header()->sectionSize(1), 200);

    // A primary type deleted meanwhile: the box, then an empty name in the caption.
    T_frmElementAnalog* gone = OpenList(77);
    ASSERT_NE(gone, nullptr);
    ASSERT_EQ(FUI.Errors.size(), 1u);
    EXPECT_EQ(FUI.Errors[0].Text, QStringLiteral("Object DBID:1011, ID:77 not found in DataBase"));
    EXPECT_EQ(gone->parentWidget()->windowTitle(), QStringLiteral(" - Аналоги элемента"));
}

TEST_F(ElementAnalogTest, CardsCreateEditCopyAndDeleteRelationsWithTheirGradesAsIndexes) {
    AddAnalog(1, 2, 3, {1, 1, 1, 1}); // a relation of another type
    T_frmElementAnalog* list = OpenList(1);
    Button(list, "Add_ToolButton")->click();
    ASSERT_EQ(Cards().size(), 1u);
    TfrmElementAnalogEdit* card = Cards()[0];
    EXPECT_EQ(card->windowTitle(), QStringLiteral("New Element Analog"));
    EXPECT_EQ(card->ElementAnalogPrimaryClass_ButtonEdit()->text(), QStringLiteral("Микросхемы"));
    EXPECT_EQ(card->ElementAnalogPrimaryType_ButtonEdit()->text(), QStringLiteral("К155ЛА3"));
    EXPECT_EQ(card->ElementAnalogPinoutType_ComboBox()->count(), 5);
    EXPECT_EQ(card->ElementAnalogFunctionalType_ComboBox()->itemText(2),
              QStringLiteral("Возможный аналог"));

    // Required references first, in order, with no message.
    EXPECT_FALSE(card->SaveItem());
    EXPECT_TRUE(card->ElementAnalogClass_ButtonEdit()->LineEdit()->hasFocus());
    EXPECT_EQ(AnalogCount(), 1);

    // The type itself as its analog is refused and leaves the editor as it was.
    PickType(card->ElementAnalogClass_ButtonEdit(), 1, card->ElementAnalogType_ButtonEdit(), 1);
    EXPECT_EQ(Messages, QStringList({"Тип элемента не может быть аналогом самого себя"}));
    EXPECT_EQ(card->ElementAnalogType_ButtonEdit()->text(), QString());
    EXPECT_EQ(card->AnalogElementTypeId(), 0u);

    PickType(nullptr, 0, card->ElementAnalogType_ButtonEdit(), 2);
    EXPECT_EQ(card->ElementAnalogType_ButtonEdit()->text(), QStringLiteral("SN7400"));
    card->ElementAnalogFunctionalType_ComboBox()->setCurrentIndex(2);
    card->ElementAnalogFeaturesType_ComboBox()->setCurrentIndex(3);
    card->ElementAnalogCaseType_ComboBox()->setCurrentIndex(1);
    card->ElementAnalogPinoutType_ComboBox()->setCurrentIndex(4);
    card->ElementAnalogText_TextEdit()->setText(QStringLiteral("Импортный"));
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(card->DBId(), 1011u);
    EXPECT_EQ(RowOf(card->Id()), QStringLiteral("1>2|2314|Импортный|0"));
    EXPECT_EQ(card->windowTitle(), QStringLiteral("К155ЛА3"));
    EXPECT_EQ(Column(list, 1), QStringList({"SN7400"}));

    // An edit shows in the list's row in place, and stays after a filter.
    const quint32 id = card->Id();
    card->ElementAnalogCaseType_ComboBox()->setCurrentIndex(3);
    card->ElementAnalogText_TextEdit()->setText(QString());
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(RowOf(id), QStringLiteral("1>2|2334|-|0"));
    EXPECT_EQ(list->Model()->Count(), 1);
    EXPECT_EQ(RowTexts(list, 0).value(4), QStringLiteral("Другой корпус"));
    list->ApplyFilter();
    EXPECT_EQ(RowTexts(list, 0).value(4), QStringLiteral("Другой корпус"));
    EXPECT_EQ(RowTexts(list, 0).value(6), QString());

    // A copy takes every value and is stored as a second relation.
    Button(card, "Copy_ToolButton")->click();
    ASSERT_EQ(Cards().size(), 2u);
    TfrmElementAnalogEdit* copy = Cards()[1];
    EXPECT_EQ(copy->windowTitle(), QStringLiteral("New Element Analog"));
    EXPECT_EQ(copy->ElementAnalogType_ButtonEdit()->text(), QStringLiteral("SN7400"));
    EXPECT_EQ(copy->ElementAnalogCaseType_ComboBox()->currentIndex(), 3);
    ASSERT_TRUE(copy->SaveItem());
    EXPECT_NE(copy->Id(), id);
    EXPECT_EQ(RowOf(copy->Id()), RowOf(id));
    EXPECT_EQ(list->Model()->Count(), 2);

    // Moving the copy to another primary type takes it out of this list.
    PickType(copy->ElementAnalogPrimaryClass_ButtonEdit(), 1,
             copy->ElementAnalogPrimaryType_ButtonEdit(), 3);
    ASSERT_TRUE(copy->SaveItem());
    EXPECT_EQ(Column(list, 1), QStringList({"SN7400"}));
    EXPECT_EQ(list->Model()->Find({1011, copy->Id()}), -1);

    // Deleting a relation closes its card without the save question.
    card->ElementAnalogText_TextEdit()->setText(QStringLiteral("не сохранено"));
    list->SelectRecord(1011, id);
    // The pickers took the activation: the list is focused in the active main window.
    Main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
    Main().BringToFrontMDIChild(qobject_cast<TKVMDIChild*>(list->parentWidget()));
    FocusList(list);
    ASSERT_TRUE(list->ListView()->hasFocus());
    Messages.clear();
    Answers = {mrYes};
    Button(list, "Delete_ToolButton")->click();
    Settle();
    EXPECT_EQ(Messages, QStringList({"Удалить запись?"}));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_ELEMENT_ANALOG WHERE ID = %1")
                         .arg(id))
                  .toInt(),
              0);
    EXPECT_EQ(list->Model()->Count(), 0);
    ASSERT_EQ(Cards().size(), 1u);
    EXPECT_EQ(Cards()[0], copy);
}

TEST_F(ElementAnalogTest, AReadOnlyCardChangesNothing) {
    AddAnalog(1, 1, 2, {1, 2, 3, 4}, QStringLiteral("Прямая замена"));
    ::ReadOnly = true;
    DB();
    TfrmElementAnalogEdit* card = OpenCardElementAnalog(1011, 1, false, 0, 0, 0, 0);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->windowTitle(), QStringLiteral("К155ЛА3 (только просмотр)"));
    EXPECT_FALSE(card->ElementAnalogPrimaryClass_ButtonEdit()->Button()->isEnabled());
    EXPECT_FALSE(card->ElementAnalogType_ButtonEdit()->Button()->isEnabled());
    EXPECT_FALSE(card->ElementAnalogCaseType_ComboBox()->isEnabled());
    EXPECT_TRUE(card->ElementAnalogText_TextEdit()->isReadOnly());
    EXPECT_FALSE(Button(card, "Save_ToolButton")->isEnabled());

    // Del in a reference editor leaves the relation as it is.
    for (TKVButtonEdit* editor :
         {card->ElementAnalogPrimaryClass_ButtonEdit(), card->ElementAnalogType_ButtonEdit()}) {
        editor->LineEdit()->setFocus();
        QTest::keyClick(editor->LineEdit(), Qt::Key_Delete);
    }
    EXPECT_FALSE(card->ModifedData());
    EXPECT_EQ(card->ElementAnalogPrimaryType_ButtonEdit()->text(), QStringLiteral("К155ЛА3"));
    EXPECT_EQ(card->PrimaryElementTypeId(), 1u);
    EXPECT_EQ(card->AnalogElementTypeId(), 2u);
    EXPECT_FALSE(card->SaveItem());
    EXPECT_EQ(RowOf(1), QStringLiteral("1>2|1234|Прямая замена|0"));
    EXPECT_EQ(Messages, QStringList());
}
