// The element-type card on a real database: new types from the lists and the main window,
// edits, copies with and without their picture, the picture's sizes, the save question, read-only
// types, the class change that binds parameter values, the data-sheet button, bad input and the
// list commands that bind values.

#include "tests/catalogue/CatalogueTestSupport.h"

#include "catalogue/frmElementTypeEdit.h"
#include "core/KVPicture.h"
#include "core/KVWebAddress.h"
#include "refbooks/frmClass.h"
#include "refbooks/frmMaker.h"
#include "shell/KVButtonEdit.h"
#include "shell/KVRecordNotice.h"

#include <QDir>
#include <QPlainTextEdit>

namespace {

// The stored type's class, case, maker, texts and flag.
const QString kRowOf = QStringLiteral(
    "SELECT CLASSID || '|' || COALESCE(CASEID, 0) || '|' || COALESCE(MAKERID, 0) || '|' || "
    "S_TYPENAME || '|' || COALESCE(S_MARKING, '-') || '|' || COALESCE(S_DESCRIPTION, '-') || '|' "
    "|| COALESCE(S_DATASHEET, '-') || '|' || COALESCE(V_FLAG, -1) FROM T_ELEMENT_TYPE WHERE DBID "
    "= %1 AND ID = %2");

class ElementTypeCardTest : public TCatalogueTest {
protected:
    void SetUp() override {
        TCatalogueTest::SetUp();
        FSaved = {::HideImage, ::ParamRebinding};
        // New types get IDs from 1001 on, clear of those the tests insert.
        NewDB().Exec(QStringLiteral("ALTER SEQUENCE GEN_T_ELEMENT_TYPE_ID RESTART WITH 1000"));
        AddClass(1, QStringLiteral("Резисторы"));
        AddClass(2, QStringLiteral("Конденсаторы"));
        AddCase(1, QStringLiteral("0805"));
        AddMaker(1, QStringLiteral("Yageo"));
        AddMaker(2, QStringLiteral("Vishay"));
        AddType(1, 1, QStringLiteral("R-10"), QStringLiteral("RC0805"), 1, 1,
                QStringLiteral("Чип-резистор"));
    }
    void TearDown() override {
        TCatalogueTest::TearDown();
        std::tie(::HideImage, ::ParamRebinding) = FSaved;
    }

    QString RowOf(quint32 AId, quint32 ADBId = 1011) {
        return Scalar(kRowOf.arg(ADBId).arg(AId)).toString();
    }
    int TypeCount() { return Scalar(QStringLiteral("SELECT COUNT(*) FROM T_ELEMENT_TYPE")).toInt(); }
    std::vector<TfrmElementTypeEdit*> Cards() {
        return Main().FindMDIChildren<TfrmElementTypeEdit>();
    }
    TfrmElementTypeEdit* Open(quint32 AId, quint32 ADBId = 1011) {
        DB();
        TfrmElementTypeEdit* card = OpenCardElementType(ADBId, AId, false, 0, 0, 0, 0);
        EXPECT_NE(card, nullptr);
        return card;
    }
    TfrmElementTypeEdit* Reopen(TfrmElementTypeEdit* ACard) {
        const quint32 id = ACard->Id();
        ACard->ForciblyCloseItem();
        Settle();
        return Open(id);
    }
    QByteArray StoredImage(quint32 AId) {
        return TCatalogueTest::StoredImage("T_ELEMENT_TYPE", 1011, AId);
    }

    // Picks class AId in the card's class picker.
    static void PickClass(TfrmElementTypeEdit* ACard, quint32 AId) {
        AnswerModal<TfrmSelectClass>([AId](TfrmSelectClass* ADialog) {
            ADialog->BookFrame()->SelectRecord(1011, AId);
            ADialog->accept();
        });
        ACard->ElementTypeClass_ButtonEdit()->Button()->click();
    }

    // A parameter value of type ATypeId with AUPID, bound to base parameter ABaseParamId (0:
    // none).
    void AddUPIDValue(quint32 ADBId, quint32 AId, quint32 ATypeId, const QString& AUPID,
                      quint32 ABaseParamId = 0, quint32 AUnitId = 0, int AFlag = 0) {
        Exec(QStringLiteral("INSERT INTO T_PARAM (DBID, ID, ELEMENTTYPEDBID, ELEMENTTYPEID, "
                            "BASEPARAMDBID, BASEPARAMID, UNITDBID, UNITID, S_NAME, UPID, V_FLAG) "
                            "VALUES (%1, %2, 1011, %3, %4, %5, %6, %7, 'p', %8, %9)"),
             {ADBId, AId, ATypeId, ABaseParamId ? QVariant(1011) : Null(),
              ABaseParamId ? QVariant(ABaseParamId) : Null(), AUnitId ? QVariant(1011) : Null(),
              AUnitId ? QVariant(AUnitId) : Null(), AUPID, AFlag});
    }
    // The base parameter IDs the values (DBID, ID) are bound to, 0 for none, in order.
    QList<int> BoundTo(const QList<std::pair<quint32, quint32>>& AValues) {
        QList<int> ids;
        for (const auto& [dbId, id] : AValues)
            ids << Scalar(QStringLiteral("SELECT COALESCE(BASEPARAMID, 0) FROM T_PARAM WHERE "
                                         "DBID = %1 AND ID = %2")
                              .arg(dbId)
                              .arg(id))
                       .toInt();
        return ids;
    }

private:
    std::tuple<bool, int> FSaved;
};

} // namespace

TEST_F(ElementTypeCardTest, NewTypesStartInTheirListsClassOrMakerAndJoinTheOpenLists) {
    T_frmElementType* list = OpenOnClass(1);
    ASSERT_NE(list, nullptr);
    QToolButton* add = Button(list, "Add_ToolButton");
    ASSERT_TRUE(add->isEnabled());
    add->click();
    ASSERT_EQ(Cards().size(), 1u);
    TfrmElementTypeEdit* card = Cards()[0];
    EXPECT_EQ(card->windowTitle(), QStringLiteral("New Element Type"));
    EXPECT_EQ(card->ElementTypeName_TextEdit()->selectedText(), QStringLiteral("New Element Type"));
    EXPECT_EQ(card->ElementTypeClass_ButtonEdit()->text(), QStringLiteral("Резисторы"));
    EXPECT_EQ(card->ElementTypeMaker_ButtonEdit()->text(), QString());
    EXPECT_EQ(card->ElementType_Image()->text(), QStringLiteral("Нет изображения"));
    EXPECT_FALSE(card->ElementType_Image()->isVisibleTo(card));
    EXPECT_EQ(card->ViewImageIndex(), 34);
    EXPECT_FALSE(Button(card, "Copy_ToolButton")->isEnabled());
    EXPECT_FALSE(Button(card, "ItemInfo_ToolButton")->isEnabled());

    // A blank name, then no class: the focus goes there, nothing is written, nothing is said.
    card->ElementTypeName_TextEdit()->setText(QStringLiteral("   "));
    card->ElementTypeMarking_TextEdit()->setFocus();
    EXPECT_FALSE(card->SaveItem());
    EXPECT_TRUE(card->ElementTypeName_TextEdit()->hasFocus());
    card->ElementTypeName_TextEdit()->setText(QStringLiteral("R-22"));
    QTest::keyClick(card->ElementTypeClass_ButtonEdit()->LineEdit(), Qt::Key_Delete);
    EXPECT_EQ(card->ElementTypeClass_ButtonEdit()->text(), QString());
    card->ElementTypeMarking_TextEdit()->setFocus();
    EXPECT_FALSE(card->SaveItem());
    EXPECT_TRUE(card->ElementTypeClass_ButtonEdit()->LineEdit()->hasFocus());
    EXPECT_EQ(TypeCount(), 1);
    EXPECT_EQ(Messages, QStringList());

    PickClass(card, 1);
    EXPECT_EQ(card->ElementTypeClass_ButtonEdit()->text(), QStringLiteral("Резисторы"));
    card->ElementTypeMarking_TextEdit()->setText(QStringLiteral("RC0805-22"));
    card->ElementTypeDesc_Memo()->setPlainText(QStringLiteral("Чип\r\nвторая строка"));
    EXPECT_EQ(card->windowTitle(), QStringLiteral("New Element Type *"));
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(card->DBId(), 1011u);
    EXPECT_EQ(card->Id(), 1001u);
    EXPECT_EQ(card->windowTitle(), QStringLiteral("R-22"));
    EXPECT_TRUE(Button(card, "Copy_ToolButton")->isEnabled());
    EXPECT_TRUE(Button(card, "ItemInfo_ToolButton")->isEnabled());
    EXPECT_EQ(RowOf(1001), QStringLiteral("1|0|0|R-22|RC0805-22|Чип\nвторая строка|-|0"));
    EXPECT_TRUE(StoredImage(1001).isEmpty());
    EXPECT_EQ(Column(list), QStringList({"R-10", "R-22"}));
    EXPECT_EQ(card->OldETClassId(), 1u);
    card->ForciblyCloseItem();

    // From a maker's list: the maker; from the main window's command: the class picked.
    TfrmElementType* byMaker = OpenRBElementTypeOnMaker(1011, 2);
    Button(byMaker->BookFrame(), "Add_ToolButton")->click();
    ASSERT_EQ(Cards().size(), 1u);
    EXPECT_EQ(Cards()[0]->ElementTypeMaker_ButtonEdit()->text(), QStringLiteral("Vishay"));
    EXPECT_EQ(Cards()[0]->ElementTypeClass_ButtonEdit()->text(), QString());
    // The card closes with its maker.
    CloseWindowsBoundTo(itMaker, 1011, 2);
    Settle();
    EXPECT_TRUE(Cards().empty());

    QAction* command = MainAction("pmiNewElementTypeOnClass");
    ASSERT_TRUE(command->isEnabled());
    AnswerModal<TfrmSelectClass>([](TfrmSelectClass* ADialog) { ADialog->reject(); });
    command->trigger();
    EXPECT_TRUE(Cards().empty());
    AnswerModal<TfrmSelectClass>([](TfrmSelectClass* ADialog) {
        ADialog->BookFrame()->SelectRecord(1011, 2);
        ADialog->accept();
    });
    command->trigger();
    ASSERT_EQ(Cards().size(), 1u);
    EXPECT_EQ(Cards()[0]->ETClassId(), 2u);
    EXPECT_EQ(Cards()[0]->ElementTypeClass_ButtonEdit()->text(), QStringLiteral("Конденсаторы"));
    Cards()[0]->ForciblyCloseItem();

    // A default class or maker that is not there is left out.
    TfrmElementTypeEdit* stray = OpenCardElementType(0, 0, false, 1011, 99, 1011, 98);
    ASSERT_NE(stray, nullptr);
    EXPECT_EQ(stray->ETClassId(), 0u);
    EXPECT_EQ(stray->MakerId(), 0u);
    EXPECT_EQ(Messages, QStringList());
}

TEST_F(ElementTypeCardTest, EditsCopiesAndPicturesAreStoredAsTheRulesSay) {
    ::HideImage = false;
    T_frmElementType* list = OpenOnClass(1);
    list->SelectRecord(1011, 1);
    Button(list, "Edit_ToolButton")->click();
    ASSERT_EQ(Cards().size(), 1u);
    TfrmElementTypeEdit* card = Cards()[0];
    EXPECT_EQ(card->windowTitle(), QStringLiteral("R-10"));
    EXPECT_EQ(card->ElementTypeMarking_TextEdit()->text(), QStringLiteral("RC0805"));
    EXPECT_EQ(card->ElementTypeDesc_Memo()->toPlainText(), QStringLiteral("Чип-резистор"));
    EXPECT_EQ(card->ElementTypeCase_ButtonEdit()->text(), QStringLiteral("0805"));
    EXPECT_EQ(card->ElementTypeMaker_ButtonEdit()->text(), QStringLiteral("Yageo"));
    EXPECT_FALSE(card->ModifedData());
    EXPECT_FALSE(card->EnableView()); // no picture stored

    // Larger pictures are scaled to fit 300 × 300, halves to even.
    const struct {
        QSize Loaded;
        QSize Stored;
    } sizes[] = {{{600, 400}, {300, 200}}, {{400, 400}, {300, 300}}, {{1000, 333}, {300, 100}},
                 {{400, 30}, {300, 22}},   {{400, 50}, {300, 38}}};
    for (const auto& size : sizes) {
        const QString name =
            QStringLiteral("%1x%2.jpg").arg(size.Loaded.width()).arg(size.Loaded.height());
        LoadPicture(card, WriteJpeg(size.Loaded, name));
        EXPECT_TRUE(card->ModifedData());
        EXPECT_EQ(card->ViewImageIndex(), 40);
        EXPECT_FALSE(card->ElementType_Image()->isVisibleTo(card)); // loading shows nothing
        ASSERT_TRUE(card->SaveItem());
        EXPECT_EQ(DecodePicture(StoredImage(1)).size(), size.Stored) << name.toStdString();
    }
    // One within 300 × 300 is stored byte for byte, whatever follows its end marker.
    const QString small = WriteFile(
        QStringLiteral("small.jpg"),
        ReadFile(WriteJpeg(QSize(250, 300), QStringLiteral("250x300.jpg"))) + "tail");
    LoadPicture(card, small);
    card->ElementTypeMarking_TextEdit()->setText(QStringLiteral("RC0805-10"));
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(StoredImage(1), ReadFile(small));
    EXPECT_EQ(RowOf(1), QStringLiteral("1|1|1|R-10|RC0805-10|Чип-резистор|-|0"));
    EXPECT_NE(Scalar(QStringLiteral("SELECT U_TIMESTAMP FROM T_ELEMENT_TYPE WHERE ID = 1")),
              QVariant());
    EXPECT_EQ(list->Model()->Row(list->Model()->Find({1011, 1})).Texts.value(1),
              QStringLiteral("RC0805-10"));

    // Reopened with the picture shown: the card is as high as the box needs.
    card = Reopen(card);
    ASSERT_NE(card, nullptr);
    EXPECT_TRUE(card->ImageLoaded());
    EXPECT_TRUE(card->EnableView());
    EXPECT_TRUE(Button(card, "View_ToolButton")->isChecked());
    QCoreApplication::processEvents();
    ASSERT_TRUE(card->ElementType_Image()->isVisible());
    EXPECT_EQ(card->ElementType_Image()->pixmap().size(), QSize(250, 300));
    const QRect box(card->ElementType_Image()->mapTo(card, QPoint(0, 0)),
                    card->ElementType_Image()->size());
    EXPECT_EQ(box.size(), QSize(361, 307));
    EXPECT_EQ(ClientHeight(card), box.bottom() + 1 + 9);
    const int shown = ClientHeight(card);
    Button(card, "View_ToolButton")->click();
    EXPECT_FALSE(card->ElementType_Image()->isVisibleTo(card));
    EXPECT_LT(ClientHeight(card), shown);
    EXPECT_FALSE(card->ModifedData());

    // A copy takes the picture along; the source stays as it was.
    const QString source = RowOf(1);
    card->Copy_ToolButtonClick();
    ASSERT_EQ(Cards().size(), 2u);
    TfrmElementTypeEdit* copy = Cards()[1];
    EXPECT_EQ(copy->windowTitle(), QStringLiteral("New Element Type"));
    EXPECT_EQ(copy->ElementTypeName_TextEdit()->text(), QStringLiteral("R-10"));
    EXPECT_EQ(copy->ImageData(), ReadFile(small));
    ASSERT_TRUE(copy->SaveItem());
    EXPECT_EQ(RowOf(copy->Id()), source);
    EXPECT_EQ(StoredImage(copy->Id()), ReadFile(small));
    EXPECT_EQ(RowOf(1), source);
    EXPECT_EQ(Column(list), QStringList({"R-10", "R-10"}));

    // With option HideImage the picture starts hidden; Del in the box removes it: NULL.
    ::HideImage = true;
    card = Reopen(card);
    ASSERT_NE(card, nullptr);
    EXPECT_FALSE(card->EnableView());
    Button(card, "View_ToolButton")->click();
    EXPECT_TRUE(card->ElementType_Image()->isVisibleTo(card));
    card->ElementType_Image()->setFocus();
    QTest::keyClick(card->ElementType_Image(), Qt::Key_Delete);
    EXPECT_EQ(card->ElementType_Image()->text(), QStringLiteral("Нет изображения"));
    EXPECT_EQ(card->ViewImageIndex(), 34);
    ASSERT_TRUE(card->SaveItem());
    EXPECT_TRUE(StoredImage(1).isEmpty());
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_ELEMENT_TYPE WHERE ID = 1 AND "
                                    "B_IMAGE IS NULL"))
                  .toInt(),
              1);

    // A copy of a type without a picture has none either.
    card->Copy_ToolButtonClick();
    TfrmElementTypeEdit* bare = Cards().back();
    ASSERT_NE(bare, card);
    ASSERT_TRUE(bare->SaveItem());
    EXPECT_TRUE(StoredImage(bare->Id()).isEmpty());
    EXPECT_EQ(Messages, QStringList());
}

TEST_F(ElementTypeCardTest, TheSaveQuestionSavesDropsOrStays) {
    TfrmElementTypeEdit* card = Open(1);
    card->ElementTypeMarking_TextEdit()->setText(QStringLiteral("M1"));
    Answers = {mrCancel};
    EXPECT_FALSE(card->CloseWindow());
    EXPECT_EQ(Messages, QStringList({"Cохранить изменения в карточке?"}));
    EXPECT_TRUE(card->ModifedData());
    Answers = {mrNo};
    EXPECT_TRUE(card->CloseWindow());
    Settle();
    EXPECT_EQ(RowOf(1), QStringLiteral("1|1|1|R-10|RC0805|Чип-резистор|-|0"));

    card = Open(1);
    card->ElementTypeMarking_TextEdit()->setText(QStringLiteral("M2"));
    Answers = {mrYes};
    EXPECT_TRUE(card->CloseWindow());
    Settle();
    EXPECT_TRUE(Cards().empty());
    EXPECT_EQ(RowOf(1), QStringLiteral("1|1|1|R-10|M2|Чип-резистор|-|0"));
}

TEST_F(ElementTypeCardTest, SystemTypesAndTheReadOnlyOptionGiveAReadOnlyCard) {
    Exec(QStringLiteral("INSERT INTO T_ELEMENT_TYPE (DBID, ID, CLASSDBID, CLASSID, S_TYPENAME, "
                        "S_DATASHEET) VALUES (0, 5, 1011, 1, 'SYS', 'https://ti.com')"),
         {});
    const auto expectReadOnly = [this](TfrmElementTypeEdit* ACard, const QString& ATitle) {
        ASSERT_NE(ACard, nullptr);
        EXPECT_TRUE(ACard->ReadOnly());
        EXPECT_EQ(ACard->windowTitle(), ATitle);
        EXPECT_TRUE(ACard->ElementTypeName_TextEdit()->isReadOnly());
        EXPECT_TRUE(ACard->ElementTypeDesc_Memo()->isReadOnly());
        EXPECT_TRUE(ACard->ElementTypeDS_ButtonEdit()->LineEdit()->isReadOnly());
        for (TKVButtonEdit* editor :
             {ACard->ElementTypeClass_ButtonEdit(), ACard->ElementTypeCase_ButtonEdit(),
              ACard->ElementTypeMaker_ButtonEdit(), ACard->ElementTypeDS_ButtonEdit()})
            EXPECT_FALSE(editor->Button()->isEnabled()) << editor->objectName().toStdString();
        EXPECT_FALSE(Button(ACard, "Save_ToolButton")->isEnabled());
        EXPECT_FALSE(Button(ACard, "SaveAndClose_ToolButton")->isEnabled());
        EXPECT_FALSE(ACard->pmiOpenImage()->isEnabled());
        // Del clears nothing, the picture box loads and removes nothing.
        QTest::keyClick(ACard->ElementTypeMaker_ButtonEdit()->LineEdit(), Qt::Key_Delete);
        int asked = 0;
        TKVFileDialogResponderScope files([&](const TKVFileDialogRequest&) {
            ++asked;
            return TKVFileDialogAnswer{};
        });
        EXPECT_FALSE(ACard->ElementType_Image()->LoadFromFile());
        EXPECT_FALSE(ACard->ElementType_Image()->Clear());
        EXPECT_EQ(asked, 0);
        EXPECT_FALSE(ACard->ModifedData());
        EXPECT_FALSE(ACard->SaveItem());
    };
    ::BLIMod = false;
    TfrmElementTypeEdit* system = Open(5, 0);
    expectReadOnly(system, QStringLiteral("SYS (только просмотр)"));
    EXPECT_TRUE(Button(system, "Copy_ToolButton")->isEnabled()); // a copy is the user's own
    ::BLIMod = true;
    ::NSIMod = true; // a system record is also another database's
    TfrmElementTypeEdit* editable = Open(5, 0);
    EXPECT_FALSE(editable->ReadOnly());

    ::ReadOnly = true;
    TfrmElementTypeEdit* own = Open(1);
    expectReadOnly(own, QStringLiteral("R-10 (только просмотр)"));
    EXPECT_EQ(own->ElementTypeMaker_ButtonEdit()->text(), QStringLiteral("Yageo"));
    EXPECT_FALSE(Button(own, "Copy_ToolButton")->isEnabled());
    EXPECT_EQ(RowOf(1), QStringLiteral("1|1|1|R-10|RC0805|Чип-резистор|-|0"));
}

TEST_F(ElementTypeCardTest, MovingATypeToAnotherClassBindsItsValuesAsTheOptionSays) {
    AddUnit(1011, 1, QStringLiteral("пФ"));
    AddBaseParam(1, 1, QStringLiteral("R"), 0, QStringLiteral("R"));
    AddBaseParam(2, 2, QStringLiteral("R"), 0, QStringLiteral("R"));
    AddBaseParam(3, 2, QStringLiteral("C"), 1, QStringLiteral("C"));
    AddUPIDValue(1011, 1, 1, QStringLiteral("r"), 1);
    AddUPIDValue(1011, 2, 1, QStringLiteral("C"), 0, 1);
    AddUPIDValue(1012, 3, 1, QStringLiteral("R"), 1); // of another database
    AddUPIDValue(1011, 4, 1, QStringLiteral("R"), 0, 0, 4); // never bound
    const QList<std::pair<quint32, quint32>> values = {
        {1011, 1}, {1011, 2}, {1012, 3}, {1011, 4}};
    ::NSIMod = false;
    T_frmElementType* resistors = OpenOnClass(1);
    T_frmElementType* capacitors = OpenOnClass(2);
    const QString question =
        QStringLiteral("Перепривязать параметры типа элемента к базовым параметрам нового класса?");

    // Asked, answered No: the type's own values are unbound, the other database's stay.
    ::ParamRebinding = 1;
    TfrmElementTypeEdit* card = Open(1);
    PickClass(card, 2);
    Answers = {mrNo};
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(Messages, QStringList({question}));
    EXPECT_EQ(BoundTo(values), QList<int>({0, 0, 1, 0}));
    EXPECT_EQ(RowOf(1).section(u'|', 0, 0), QStringLiteral("2"));
    // The type has left the old class's list and joined the new one's.
    EXPECT_EQ(Column(resistors), QStringList());
    EXPECT_EQ(Column(capacitors), QStringList({"R-10"}));

    // Saved again in the same class: nothing is unbound or asked.
    Messages.clear();
    Exec(QStringLiteral("UPDATE T_PARAM SET BASEPARAMDBID = 1011, BASEPARAMID = 2 WHERE ID = 1"),
         {});
    card->ElementTypeMarking_TextEdit()->setText(QStringLiteral("M"));
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(Messages, QStringList());
    EXPECT_EQ(BoundTo(values), QList<int>({2, 0, 1, 0}));

    // Back to class 1, answered Yes: only the value really bound is counted.
    PickClass(card, 1);
    Answers = {mrYes};
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(Messages, QStringList({question, "Обновлено записей: 1"}));
    EXPECT_EQ(BoundTo(values), QList<int>({1, 0, 1, 0}));
    EXPECT_EQ(Column(resistors), QStringList({"R-10"}));
    EXPECT_EQ(Column(capacitors), QStringList());

    // Automatically: no question, no count.
    Messages.clear();
    ::ParamRebinding = 2;
    PickClass(card, 2);
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(Messages, QStringList());
    EXPECT_EQ(BoundTo(values), QList<int>({2, 3, 1, 0}));

    // Never: all its own values are unbound.
    ::ParamRebinding = 0;
    PickClass(card, 1);
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(Messages, QStringList());
    EXPECT_EQ(BoundTo(values), QList<int>({0, 0, 1, 0}));

    // A new class with no base parameter that would take a value asks nothing.
    ::ParamRebinding = 1;
    AddClass(3, QStringLiteral("Пустой"));
    PickClass(card, 3);
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(Messages, QStringList());
}

TEST_F(ElementTypeCardTest, ASaveThatFailsIsUndoneWholeAndTheNextSaveBindsAgain) {
    // The engine refuses a value bound to base parameter 66.
    NewDB().Exec(QStringLiteral("ALTER TABLE T_PARAM ADD CONSTRAINT CHK_TEST_BP CHECK "
                                "(BASEPARAMID IS DISTINCT FROM 66)"));
    AddBaseParam(1, 1, QStringLiteral("R"), 0, QStringLiteral("R"));
    AddBaseParam(66, 2, QStringLiteral("R"), 0, QStringLiteral("R"));
    AddUPIDValue(1011, 1, 1, QStringLiteral("R"), 1);
    ::ParamRebinding = 2;
    TfrmElementTypeEdit* card = Open(1);
    PickClass(card, 2);
    EXPECT_FALSE(card->SaveItem());
    ASSERT_EQ(FUI.Errors.size(), 1u);
    EXPECT_TRUE(card->ModifedData());
    EXPECT_EQ(RowOf(1).section(u'|', 0, 0), QStringLiteral("1"));
    EXPECT_EQ(BoundTo({{1011, 1}}), QList<int>({1})); // the unbinding went too
    EXPECT_EQ(card->OldETClassId(), 1u);

    Exec(QStringLiteral("UPDATE T_BASE_PARAM SET UPID = 'Z' WHERE ID = 66"), {});
    AddBaseParam(67, 2, QStringLiteral("R"), 0, QStringLiteral("R"));
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(RowOf(1).section(u'|', 0, 0), QStringLiteral("2"));
    EXPECT_EQ(BoundTo({{1011, 1}}), QList<int>({67}));
    EXPECT_EQ(card->OldETClassId(), 2u);
}

TEST_F(ElementTypeCardTest, TheDataSheetButtonOpensDocumentsAndAddressesOnly) {
    DB();
    const QString folder = dmMain->AppFolder() + QStringLiteral("DataSheet");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString pdf = folder + QStringLiteral("/lm358.pdf");
    {
        QFile file(pdf);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("%PDF-1.4\n");
    }
    const QString script = WriteFile(QStringLiteral("evil.sh"), "#!/bin/sh\n");
    QList<QUrl> opened;
    TOpenUrlHookScope hook([&](const QUrl& AUrl) { opened << AUrl; });

    TfrmElementTypeEdit* card = Open(1);
    TKVButtonEdit* editor = card->ElementTypeDS_ButtonEdit();
    // Empty: a file is chosen in the program's DataSheet folder and becomes the text.
    {
        TKVFileDialogResponderScope files([&](const TKVFileDialogRequest& ARequest) {
            EXPECT_EQ(ARequest.Caption, QStringLiteral("Открыть"));
            EXPECT_EQ(QDir(ARequest.Folder).canonicalPath(), QDir(folder).canonicalPath());
            return TKVFileDialogAnswer{true, pdf, 0};
        });
        editor->Button()->click();
    }
    EXPECT_EQ(editor->text(), pdf);
    EXPECT_TRUE(card->ModifedData());
    EXPECT_TRUE(opened.isEmpty());

    // Enter presses the button: the document, then an address, go to the desktop.
    QTest::keyClick(editor->LineEdit(), Qt::Key_Return);
    editor->setText(QStringLiteral("www.ti.com/lit/ds/lm358.pdf"));
    editor->Button()->click();
    EXPECT_EQ(opened, QList<QUrl>({QUrl::fromLocalFile(pdf),
                                   QUrl(QStringLiteral("http://www.ti.com/lit/ds/lm358.pdf"))}));

    // A script and a file that is not there are refused.
    for (const QString& text : {script, QStringLiteral("нет/такого.pdf")}) {
        Messages.clear();
        editor->setText(text);
        editor->Button()->click();
        ASSERT_EQ(Messages.size(), 1);
        EXPECT_TRUE(Messages[0].startsWith(QStringLiteral("Файл «") + text)) << Messages[0].toStdString();
    }
    EXPECT_EQ(opened.size(), 2);

    // Saved with a file that is not there: refused, the edits stay, nothing is written.
    Messages.clear();
    card->ElementTypeMarking_TextEdit()->setText(QStringLiteral("новая"));
    card->ElementTypeName_TextEdit()->setFocus();
    EXPECT_FALSE(card->SaveItem());
    EXPECT_EQ(Messages,
              QStringList({"Файл «нет/такого.pdf» не найден. В поле «DataSheet» указывают "
                           "существующий файл или адрес сайта (http://, https:// или www.)"}));
    EXPECT_TRUE(editor->LineEdit()->hasFocus());
    EXPECT_EQ(card->ElementTypeMarking_TextEdit()->text(), QStringLiteral("новая"));
    EXPECT_EQ(RowOf(1), QStringLiteral("1|1|1|R-10|RC0805|Чип-резистор|-|0"));
    editor->setText(QStringLiteral("DataSheet/lm358.pdf"));
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(RowOf(1), QStringLiteral("1|1|1|R-10|новая|Чип-резистор|DataSheet/lm358.pdf|0"));

    // A stored name of another computer's file does not keep the type from being saved.
    Exec(QStringLiteral("UPDATE T_ELEMENT_TYPE SET S_DATASHEET = 'D:\\ds\\x.pdf' WHERE ID = 1"),
         {});
    card = Reopen(card);
    card->ElementTypeMarking_TextEdit()->setText(QStringLiteral("M3"));
    EXPECT_TRUE(card->SaveItem());
}

TEST_F(ElementTypeCardTest, BadInputIsToldAndNothingIsWritten) {
    TfrmElementTypeEdit* card = Open(1);
    const QString notJpeg = WriteFile(QStringLiteral("notes.jpg"), "not a picture");
    const struct {
        std::function<void()> Edit;
        QString Message;
    } cases[] = {
        {[&] { card->ElementTypeMarking_TextEdit()->setText(QStringLiteral("R✓")); },
         QStringLiteral("Значение поля «Маркировка» содержит знак «✓», который нельзя "
                        "сохранить в базе данных")},
        {[&] { card->ElementTypeDesc_Memo()->setPlainText(QString(2048, u'я')); },
         QStringLiteral("Значение поля «Описание» длиннее 2047 символов")},
        {[&] { LoadPicture(card, notJpeg); },
         QStringLiteral("Файл «notes.jpg» не является изображением JPEG.")},
    };
    for (const auto& c : cases) {
        Messages.clear();
        c.Edit();
        if (card->ModifedData()) {
            EXPECT_FALSE(card->SaveItem());
        }
        EXPECT_EQ(Messages, QStringList({c.Message}));
        EXPECT_EQ(RowOf(1), QStringLiteral("1|1|1|R-10|RC0805|Чип-резистор|-|0"));
        EXPECT_TRUE(StoredImage(1).isEmpty());
        card->ForciblyCloseItem();
        Settle();
        card = Open(1);
    }
}

TEST_F(ElementTypeCardTest, ListCommandsBindTheValuesOfOneOrEveryType) {
    AddType(2, 1, QStringLiteral("R-20"));
    AddBaseParam(1, 1, QStringLiteral("R"), 0, QStringLiteral("R"));
    AddUPIDValue(1011, 1, 1, QStringLiteral("R"));
    AddUPIDValue(1011, 2, 1, QStringLiteral("X")); // matches nothing
    AddUPIDValue(1011, 3, 2, QStringLiteral("r"));
    AddUPIDValue(1012, 4, 2, QStringLiteral("R")); // of another database
    ::NSIMod = false;
    T_frmElementType* list = OpenOnClass(1);
    QAction* one = list->MenuItem(QStringLiteral("pmiAddFunct_ParamRebinding"));
    QAction* all = list->MenuItem(QStringLiteral("pmiAddFunct_ParamRebindingAllItem"));
    ASSERT_NE(one, nullptr);
    ASSERT_NE(all, nullptr);
    EXPECT_FALSE(one->isEnabled());
    EXPECT_TRUE(all->isEnabled());

    list->SelectRecord(1011, 1);
    ASSERT_TRUE(one->isEnabled());
    one->trigger();
    one->trigger();
    EXPECT_EQ(Messages, QStringList({"Обновлено записей: 1", "Записи не были обновлены"}));
    Messages.clear();
    all->trigger();
    EXPECT_EQ(Messages, QStringList({"Обновлено записей: 1"}));
    EXPECT_EQ(BoundTo({{1011, 1}, {1011, 2}, {1011, 3}, {1012, 4}}), QList<int>({1, 0, 1, 0}));

    // A list of no class has no base parameters to bind to.
    Exec(QStringLiteral("UPDATE T_PARAM SET BASEPARAMDBID = NULL, BASEPARAMID = NULL"), {});
    Messages.clear();
    TfrmElementType* byName = OpenRBElementTypeOnName(QStringLiteral("R*"));
    byName->BookFrame()->MenuItem(QStringLiteral("pmiAddFunct_ParamRebindingAllItem"))->trigger();
    EXPECT_EQ(Messages, QStringList({"Записи не были обновлены"}));
    EXPECT_EQ(BoundTo({{1011, 1}}), QList<int>({0}));
}
