// The unit card on a real database: new records through the INSERT_UNIT procedure, copies,
// edits with the save question's three answers, the read-only rule, bad input that never
// reaches the database, database errors that keep the card open, a record missing at opening,
// and the link editors and DBID-hierarchy warning that cards of other books build on.

#include "tests/refbooks/RefBooksTestSupport.h"

#include "shell/KVButtonEdit.h"
#include "shell/frmHelp.h"
#include "shell/frmItemInfo.h"
#include "shell/uHelpContext.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>

namespace {

// The texts of unit 1 as stored, NULL as "-".
const QString kRowOf1 = QStringLiteral(
    "SELECT S_PREFIX || '|' || COALESCE(S_NAMEDEF, '-') || '|' || COALESCE(S_NAME, '-') || '|' "
    "|| COALESCE(S_DESCRIPTION, '-') FROM T_UNIT WHERE ID = 1");
const QString kFactorOf1 = QStringLiteral("SELECT V_FACTOR FROM T_UNIT WHERE ID = 1");

// The entry of a child in the main window's Window menu.
QString WindowMenuText(TfrmMain& AMain, const QString& AStartsWith) {
    for (QAction* item : AMain.findChild<QMenu*>(QStringLiteral("mmiWindow"))->actions())
        if (item->text().startsWith(AStartsWith))
            return item->text();
    return {};
}

} // namespace

class UnitCardTest : public TRefBookTest {
protected:
    // Closes a card through its close question.
    static bool CloseThroughQuestion(TKVRecordCard* ACard) { return ACard->CloseWindow(); }
};

TEST_F(UnitCardTest, NewCardInsertsThroughTheProcedureAndNamesItself) {
    T_frmUnit* frame = OpenHost()->BookFrame();
    Button(frame, "Add_ToolButton")->click();
    ASSERT_EQ(Cards().size(), 1u);
    TfrmUnitEdit* card = Cards()[0];

    // "unit" stands selected in the prefix editor and is the card's name.
    EXPECT_EQ(card->windowTitle(), QStringLiteral("unit"));
    EXPECT_EQ(card->UnitPrefix_TextEdit()->text(), QStringLiteral("unit"));
    EXPECT_EQ(card->UnitPrefix_TextEdit()->selectedText(), QStringLiteral("unit"));
    EXPECT_TRUE(card->UnitName_TextEdit()->text().isEmpty());
    EXPECT_EQ(card->UnitFactor_SpinEdit()->text(), QStringLiteral("0"));
    EXPECT_FALSE(Button(card, "Copy_ToolButton")->isEnabled());
    EXPECT_FALSE(Button(card, "ItemInfo_ToolButton")->isEnabled());
    EXPECT_TRUE(Button(card, "Save_ToolButton")->isEnabled());
    EXPECT_EQ(WindowMenuText(Main(), QStringLiteral("unit")), QStringLiteral("unit"));

    // Typing replaces the selection and marks the card.
    Type(card->UnitPrefix_TextEdit(), QStringLiteral("мА"));
    EXPECT_EQ(card->UnitPrefix_TextEdit()->text(), QStringLiteral("мА"));
    EXPECT_EQ(card->windowTitle(), QStringLiteral("unit *"));
    ASSERT_TRUE(card->SaveItem());

    // Inserted with the open database's DBID and a new ID; empty texts and a factor of 0 as
    // NULL; the card, the Window menu and the open list follow.
    EXPECT_EQ(card->DBId(), 1011u);
    EXPECT_NE(card->Id(), 0u);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT S_PREFIX || '|' || COALESCE(S_NAME, '-') || '|' || "
                                    "IIF(V_FACTOR IS NULL, 0, 1) || '|' || V_FLAG || '|' "
                                    "|| IIF(C_TIMESTAMP IS NULL, 0, 1) || '|' || "
                                    "IIF(U_TIMESTAMP IS NULL, 0, 1) FROM T_UNIT WHERE ID = %1")
                         .arg(card->Id()))
                  .toString(),
              QStringLiteral("мА|-|0|0|1|0"));
    EXPECT_EQ(card->windowTitle(), QStringLiteral("мА"));
    EXPECT_EQ(WindowMenuText(Main(), QStringLiteral("мА")), QStringLiteral("мА"));
    EXPECT_TRUE(Button(card, "Copy_ToolButton")->isEnabled());
    EXPECT_TRUE(Button(card, "ItemInfo_ToolButton")->isEnabled());
    EXPECT_EQ(Column(frame), QStringList({"мА"}));

    // A name, once given, is the card's name; a factor is stored when above 0.
    card->UnitName_TextEdit()->setText(QStringLiteral("миллиампер"));
    card->UnitFactor_SpinEdit()->setText(QStringLiteral("0,001"));
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(card->windowTitle(), QStringLiteral("миллиампер"));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT V_FACTOR FROM T_UNIT WHERE ID = %1").arg(card->Id()))
                  .toDouble(),
              0.001);
    EXPECT_EQ(
        Scalar(QStringLiteral("SELECT COUNT(*) FROM T_UNIT WHERE U_TIMESTAMP IS NOT NULL")).toInt(),
        1);
    EXPECT_EQ(frame->Model()->Row(0).Texts[4], QStringLiteral("0,001"));

    // Saved untouched, a new card stores its text as the prefix.
    TfrmUnitEdit* other = OpenCardUnit(0, 0, false);
    ASSERT_TRUE(other && other->SaveItem());
    EXPECT_EQ(Scalar(QStringLiteral("SELECT S_PREFIX FROM T_UNIT WHERE ID = %1").arg(other->Id()))
                  .toString(),
              QStringLiteral("unit"));
    EXPECT_EQ(UnitCount(), 2);

    // Help and record details of the card.
    card->PopupMenu()->actions()[0]->trigger();
    ASSERT_NE(HelpWindow(), nullptr);
    EXPECT_EQ(HelpWindow()->CurrentTopic(), QStringLiteral("CardUnit"));
    delete HelpWindow();
    QStringList facts;
    AnswerModal<TfrmItemInfo>([&](TfrmItemInfo* ADialog) {
        facts = ADialog->InfoLines();
        ADialog->accept();
    });
    Button(card, "ItemInfo_ToolButton")->click();
    EXPECT_TRUE(facts.contains(QStringLiteral("ID:  %1").arg(card->Id())))
        << facts.join(u'\n').toStdString();
}

TEST_F(UnitCardTest, CopyKeepsEveryFieldAndInsertsANewRow) {
    AddUnit(1011, 1, QStringLiteral("мкФ"), QStringLiteral("микрофарад"), QStringLiteral("uF"),
            QStringLiteral("Ёмкость"), 1e-6);
    T_frmUnit* frame = OpenHost()->BookFrame();
    frame->SelectRecord(1011, 1);
    ASSERT_TRUE(frame->CopyItem());
    ASSERT_EQ(Cards().size(), 1u);
    TfrmUnitEdit* copy = Cards()[0];
    EXPECT_EQ(copy->windowTitle(), QStringLiteral("unit"));
    EXPECT_EQ(copy->Id(), 0u);
    EXPECT_EQ(copy->UnitPrefix_TextEdit()->text(), QStringLiteral("мкФ"));
    EXPECT_EQ(copy->UnitNameDef_TextEdit()->text(), QStringLiteral("uF"));
    EXPECT_EQ(copy->UnitName_TextEdit()->text(), QStringLiteral("микрофарад"));
    EXPECT_EQ(copy->UnitDesc_TextEdit()->text(), QStringLiteral("Ёмкость"));
    EXPECT_EQ(copy->UnitFactor_SpinEdit()->text(), QStringLiteral("1E-6"));
    EXPECT_FALSE(Button(copy, "Copy_ToolButton")->isEnabled());
    EXPECT_FALSE(Button(copy, "ItemInfo_ToolButton")->isEnabled());

    ASSERT_TRUE(copy->SaveItem());
    EXPECT_NE(copy->Id(), 1u);
    EXPECT_EQ(UnitCount(), 2);
    EXPECT_EQ(
        Scalar(QStringLiteral("SELECT COUNT(*) FROM T_UNIT WHERE S_PREFIX = 'мкФ' AND "
                              "S_NAMEDEF = 'uF' AND S_NAME = 'микрофарад' AND "
                              "S_DESCRIPTION = 'Ёмкость' AND V_FACTOR = (SELECT V_FACTOR FROM "
                              "T_UNIT WHERE ID = 1)"))
            .toInt(),
        2);
    EXPECT_TRUE(Button(copy, "Copy_ToolButton")->isEnabled());
    EXPECT_EQ(frame->Model()->Count(), 2);

    // The card's own Copy opens another card; this one stays as it is.
    Button(copy, "Copy_ToolButton")->click();
    ASSERT_EQ(Cards().size(), 2u);
    EXPECT_EQ(Cards()[1]->Id(), 0u);
    EXPECT_EQ(Cards()[1]->UnitName_TextEdit()->text(), QStringLiteral("микрофарад"));
    EXPECT_FALSE(copy->ModifedData());
}

TEST_F(UnitCardTest, SaveQuestionYesNoCancelAndTheCloseButton) {
    AddUnit(1011, 1, QStringLiteral("Ом"), QStringLiteral("Ом"));
    const QString stored = QStringLiteral("Ом|-|Ом|-");
    ASSERT_EQ(Scalar(kRowOf1).toString(), stored);
    const QString question = QStringLiteral("Cохранить изменения в карточке?");

    TfrmUnitEdit* card = OpenCardUnit(1011, 1, false);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->windowTitle(), QStringLiteral("Ом"));
    card->UnitName_TextEdit()->setText(QStringLiteral("ом"));
    EXPECT_EQ(card->windowTitle(), QStringLiteral("Ом *"));

    // Cancel: the card stays with its edits.
    Answers = {mrCancel};
    EXPECT_FALSE(CloseThroughQuestion(card));
    EXPECT_EQ(Messages, QStringList({question}));
    EXPECT_TRUE(card->ModifedData());
    EXPECT_EQ(card->UnitName_TextEdit()->text(), QStringLiteral("ом"));

    // No: closed, nothing written.
    Answers = {mrNo};
    EXPECT_TRUE(CloseThroughQuestion(card));
    Settle();
    EXPECT_TRUE(Cards().empty());
    EXPECT_EQ(Scalar(kRowOf1).toString(), stored);

    // Yes: saved, then closed.
    card = OpenCardUnit(1011, 1, false);
    card->UnitDesc_TextEdit()->setText(QStringLiteral("сопротивление"));
    Answers = {mrYes};
    Messages.clear();
    EXPECT_TRUE(CloseThroughQuestion(card));
    Settle();
    EXPECT_EQ(Messages, QStringList({question}));
    EXPECT_TRUE(Cards().empty());
    EXPECT_EQ(Scalar(kRowOf1).toString(), QStringLiteral("Ом|-|Ом|сопротивление"));

    // Ctrl+Enter in an editor closes through the question.
    card = OpenCardUnit(1011, 1, false);
    card->UnitName_TextEdit()->setFocus();
    card->UnitName_TextEdit()->setText(QStringLiteral("x"));
    Answers = {mrCancel};
    Messages.clear();
    QTest::keyClick(card->UnitName_TextEdit(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(Messages, QStringList({question}));
    EXPECT_EQ(Cards().size(), 1u);

    // The Close button drops the edits without a question; nothing clean is asked about.
    Messages.clear();
    Button(card, "Close_ToolButton")->click();
    Settle();
    EXPECT_TRUE(Messages.isEmpty());
    EXPECT_TRUE(Cards().empty());
    EXPECT_EQ(Scalar(kRowOf1).toString(), QStringLiteral("Ом|-|Ом|сопротивление"));
    card = OpenCardUnit(1011, 1, false);
    EXPECT_TRUE(CloseThroughQuestion(card));
    EXPECT_TRUE(Messages.isEmpty());

    // "Сохр. и закр." saves and closes.
    Settle();
    card = OpenCardUnit(1011, 1, false);
    card->UnitNameDef_TextEdit()->setText(QStringLiteral("Ohm"));
    Button(card, "SaveAndClose_ToolButton")->click();
    Settle();
    EXPECT_TRUE(Cards().empty());
    EXPECT_EQ(Scalar(kRowOf1).toString(), QStringLiteral("Ом|Ohm|Ом|сопротивление"));
}

TEST_F(UnitCardTest, ReadOnlyRuleForSystemForeignAndProtectedRecords) {
    struct TCase {
        quint32 DBId;
        bool BLIMod;
        bool NSIMod;
        bool ReadOnlyOption;
        bool Expected;
    };
    const TCase cases[] = {
        {0, false, false, false, true},     // a system record
        {0, true, false, false, true},      // ... of another database than 1011 as well
        {0, true, true, false, false},      //
        {1012, false, false, false, true},  // another database's record
        {1012, false, true, false, false},  //
        {1011, false, false, false, false}, // our own record
        {1011, false, false, true, true},   // option ReadOnly
    };
    AddUnit(0, 1, QStringLiteral("Ом"));
    AddUnit(1012, 2, QStringLiteral("В"));
    AddUnit(1011, 3, QStringLiteral("А"));
    DB();
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.DBId << " BLIMod " << c.BLIMod << " NSIMod "
                                        << c.NSIMod << " ReadOnly " << c.ReadOnlyOption);
        ::BLIMod = c.BLIMod;
        ::NSIMod = c.NSIMod;
        ::ReadOnly = c.ReadOnlyOption;
        const quint32 id = c.DBId == 0 ? 1 : c.DBId == 1012 ? 2 : 3;
        TfrmUnitEdit* card = OpenCardUnit(c.DBId, id, false);
        ASSERT_NE(card, nullptr);
        EXPECT_EQ(card->ReadOnly(), c.Expected);
        EXPECT_EQ(card->windowTitle().endsWith(QStringLiteral(" (только просмотр)")), c.Expected);
        EXPECT_EQ(card->UnitPrefix_TextEdit()->isReadOnly(), c.Expected);
        EXPECT_EQ(card->UnitFactor_SpinEdit()->isReadOnly(), c.Expected);
        EXPECT_EQ(Button(card, "Save_ToolButton")->isEnabled(), !c.Expected);
        EXPECT_EQ(Button(card, "SaveAndClose_ToolButton")->isEnabled(), !c.Expected);
        EXPECT_EQ(Button(card, "Copy_ToolButton")->isEnabled(), !c.ReadOnlyOption);
        if (c.Expected) {
            // Nothing can be saved, whatever reaches the editors.
            card->UnitPrefix_TextEdit()->setText(QStringLiteral("изм"));
            EXPECT_FALSE(card->SaveItem());
        }
        card->ForciblyCloseItem();
        Settle();
    }
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_UNIT WHERE S_PREFIX = 'изм'")).toInt(),
              0);
    // A new record is never read-only by its key.
    ::ReadOnly = false;
    ::BLIMod = ::NSIMod = false;
    TfrmUnitEdit* fresh = OpenCardUnit(0, 0, false);
    EXPECT_FALSE(fresh->ReadOnly());
}

TEST_F(UnitCardTest, ReadOnlyDataBaseKeepsEveryCardReadOnly) {
    NewDB().Exec(QStringLiteral("INSERT INTO SYS_VAR (S_PARAM, V_INTEGER) VALUES ('READONLY', 1)"));
    AddUnit(1011, 1, QStringLiteral("Ом"));
    ASSERT_TRUE(dmMain->CurrentDBReadOnly());
    T_frmUnit* frame = OpenHost()->BookFrame();
    EXPECT_FALSE(Button(frame, "Add_ToolButton")->isEnabled());
    TfrmUnitEdit* card = OpenCardUnit(1011, 1, false);
    ASSERT_NE(card, nullptr);
    EXPECT_TRUE(card->ReadOnly());
    EXPECT_EQ(card->windowTitle(), QStringLiteral("Ом (только просмотр)"));
    EXPECT_FALSE(Button(card, "Copy_ToolButton")->isEnabled());
}

TEST_F(UnitCardTest, BadInputIsRefusedAndKeepsTheEdits) {
    AddUnit(1011, 1, QStringLiteral("Ом"), QStringLiteral("Ом"));
    const QString stored = Scalar(kRowOf1).toString();
    TfrmUnitEdit* card = OpenCardUnit(1011, 1, false);
    ASSERT_NE(card, nullptr);
    Main().BringToFrontMDIChild(card);

    // The editors hold no more than their columns.
    EXPECT_EQ(card->UnitPrefix_TextEdit()->maxLength(), 16);
    EXPECT_EQ(card->UnitNameDef_TextEdit()->maxLength(), 16);
    EXPECT_EQ(card->UnitName_TextEdit()->maxLength(), 128);
    EXPECT_EQ(card->UnitDesc_TextEdit()->maxLength(), 255);
    card->UnitNameDef_TextEdit()->clear();
    Type(card->UnitNameDef_TextEdit(), QStringLiteral("абвгдежзийклмнопрст"));
    EXPECT_EQ(card->UnitNameDef_TextEdit()->text(), QStringLiteral("абвгдежзийклмноп"));
    card->UnitNameDef_TextEdit()->clear();

    struct TCase {
        const char* What;
        QLineEdit* Editor;
        QString Text;
        QString Message; // empty: none, the focus alone
    };
    const TCase cases[] = {
        {"blank prefix", card->UnitPrefix_TextEdit(), QStringLiteral("   "), QString()},
        {"empty prefix", card->UnitPrefix_TextEdit(), QString(), QString()},
        {"factor not a number", card->UnitFactor_SpinEdit(), QStringLiteral("два"),
         QStringLiteral("Множитель к базовой ед. изм. должен быть числом")},
        {"factor with two separators", card->UnitFactor_SpinEdit(), QStringLiteral("1,2,3"),
         QStringLiteral("Множитель к базовой ед. изм. должен быть числом")},
        {"character the database cannot keep", card->UnitDesc_TextEdit(),
         QStringLiteral("сопротивление Ω"),
         QStringLiteral("Значение поля «Описание» содержит знак «Ω», который нельзя сохранить в "
                        "базе данных")},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        Messages.clear();
        const QString before = c.Editor->text();
        c.Editor->setText(c.Text);
        card->UnitName_TextEdit()->setText(QStringLiteral("правка"));
        EXPECT_FALSE(card->SaveItem());
        EXPECT_EQ(Messages, c.Message.isEmpty() ? QStringList() : QStringList({c.Message}));
        EXPECT_EQ(QApplication::focusWidget(), c.Editor);
        EXPECT_EQ(c.Editor->text(), c.Text);
        EXPECT_EQ(card->UnitName_TextEdit()->text(), QStringLiteral("правка"));
        EXPECT_TRUE(card->ModifedData());
        EXPECT_EQ(Scalar(kRowOf1).toString(), stored);
        c.Editor->setText(before);
    }

    // A text longer than its column, should it reach an editor, is refused too.
    card->UnitName_TextEdit()->setMaxLength(1000);
    card->UnitName_TextEdit()->setText(QString(129, u'я'));
    Messages.clear();
    EXPECT_FALSE(card->SaveItem());
    EXPECT_EQ(Messages, QStringList({"Значение поля «Название» длиннее 128 символов"}));
    EXPECT_EQ(Scalar(kRowOf1).toString(), stored);

    // Sound input saves; a factor may be typed with a point too; 0 or less stores NULL.
    card->UnitName_TextEdit()->setText(QStringLiteral("ом"));
    card->UnitFactor_SpinEdit()->setText(QStringLiteral("0.5"));
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(Scalar(kRowOf1).toString(), QStringLiteral("Ом|-|ом|-"));
    EXPECT_EQ(Scalar(kFactorOf1).toDouble(), 0.5);
    card->UnitFactor_SpinEdit()->setText(QStringLiteral("-3"));
    ASSERT_TRUE(card->SaveItem());
    EXPECT_FALSE(Scalar(kFactorOf1).isValid());
    // Reopened, a factor that is not stored reads 0.
    card->ForciblyCloseItem();
    Settle();
    EXPECT_EQ(OpenCardUnit(1011, 1, false)->UnitFactor_SpinEdit()->text(), QStringLiteral("0"));
}

TEST_F(UnitCardTest, DataBaseErrorsRollBackAndKeepTheCardOpen) {
    TTestDataBase& db = NewDB();
    db.Exec(QStringLiteral("CREATE EXCEPTION E_UNIT_LOCKED 'Unit is locked'"));
    db.Exec(QStringLiteral("CREATE TRIGGER T_UNIT_LOCK FOR T_UNIT ACTIVE BEFORE UPDATE OR INSERT "
                           "POSITION 10 AS BEGIN IF (NEW.S_NAME = 'запрет') THEN EXCEPTION "
                           "E_UNIT_LOCKED; END"));
    AddUnit(1011, 1, QStringLiteral("Ом"), QStringLiteral("Ом"));
    const QString stored = Scalar(kRowOf1).toString();
    T_frmUnit* frame = OpenHost()->BookFrame();

    TfrmUnitEdit* card = OpenCardUnit(1011, 1, false);
    ASSERT_NE(card, nullptr);
    card->UnitName_TextEdit()->setText(QStringLiteral("запрет"));
    FUI.Clear();
    EXPECT_FALSE(card->SaveItem());
    ASSERT_EQ(FUI.Errors.size(), 1u);
    EXPECT_EQ(FUI.Errors[0].Caption, QStringLiteral("EIBError"));
    EXPECT_TRUE(FUI.Errors[0].Text.contains(QStringLiteral("Unit is locked")))
        << FUI.Errors[0].Text.toStdString();
    EXPECT_FALSE(dmMain->MainIBTransaction.InTransaction());
    EXPECT_EQ(Scalar(kRowOf1).toString(), stored);
    EXPECT_TRUE(card->ModifedData());
    EXPECT_EQ(card->windowTitle(), QStringLiteral("запрет *"));
    EXPECT_EQ(card->UnitName_TextEdit()->text(), QStringLiteral("запрет"));
    // "Сохр. и закр." and the question's Yes leave it open as well.
    Button(card, "SaveAndClose_ToolButton")->click();
    Answers = {mrYes};
    EXPECT_FALSE(card->CloseWindow());
    Settle();
    EXPECT_EQ(Cards().size(), 1u);
    EXPECT_EQ(frame->Model()->Row(0).Texts[2], QStringLiteral("Ом"));

    // A new record that fails keeps no key, so a later save inserts it again.
    TfrmUnitEdit* fresh = OpenCardUnit(0, 0, false);
    fresh->UnitName_TextEdit()->setText(QStringLiteral("запрет"));
    EXPECT_FALSE(fresh->SaveItem());
    EXPECT_EQ(fresh->Id(), 0u);
    EXPECT_FALSE(Button(fresh, "Copy_ToolButton")->isEnabled());
    fresh->UnitName_TextEdit()->setText(QStringLiteral("можно"));
    ASSERT_TRUE(fresh->SaveItem());
    EXPECT_NE(fresh->Id(), 0u);
    EXPECT_EQ(UnitCount(), 2);

    // A record deleted meanwhile: the save says so instead of claiming success.
    db.Exec(QStringLiteral("DELETE FROM T_UNIT WHERE ID = 1"));
    card->UnitName_TextEdit()->setText(QStringLiteral("ом"));
    Messages.clear();
    EXPECT_FALSE(card->SaveItem());
    EXPECT_EQ(Messages, QStringList({"Запись не найдена в базе данных: возможно, она была "
                                     "удалена. Изменения не сохранены."}));
    EXPECT_TRUE(card->ModifedData());
    EXPECT_EQ(UnitCount(), 1);
}

TEST_F(UnitCardTest, MissingRecordIsReportedAndTheCardCloses) {
    DB();
    FUI.Clear();
    EXPECT_EQ(OpenCardUnit(1011, 99, false), nullptr);
    EXPECT_EQ(OpenCardUnit(1011, 98, true), nullptr);
    ASSERT_EQ(FUI.Errors.size(), 2u);
    EXPECT_EQ(FUI.Errors[0].Caption, QString());
    EXPECT_EQ(FUI.Errors[0].Text, QStringLiteral("Object DBID:1011, ID:99 not found in DataBase"));
    EXPECT_TRUE(FUI.Errors[0].OwnedByApp);
    EXPECT_EQ(FUI.Errors[1].Text, QStringLiteral("Object DBID:1011, ID:98 not found in DataBase"));
    EXPECT_EQ(Main().MDIChildCount(), 0);
}

// ------------------------------------------------------------------ link editors of cards

namespace {

// A unit card with one more editor: a link to another unit, as the cards of other books link
// to their references. The picker is the test's.
class TLinkTestCard : public TfrmUnitEdit {
public:
    TLinkTestCard() {
        FLinkEdit = AddLinkEditor("TestLink_ButtonEdit", QStringLiteral("Связь"),
                                  {[this](TKVSelectedItemDBData& AResult) {
                                       ++PickCount;
                                       AResult = Picked;
                                   },
                                   [this](quint32 ADBId, quint32 AId, const QString& AName) {
                                       Link = {true, ADBId, AId, 0, AName};
                                   },
                                   true});
    }
    bool LinkedToRecord(TKVItemType AItemType, quint32 ADBId, quint32 AId) const override {
        return AItemType == itUnit && Link.Id != 0 && Link.DBId == ADBId && Link.Id == AId;
    }
    TKVButtonEdit* LinkEdit() const { return FLinkEdit; }

    TKVSelectedItemDBData Picked;
    TKVSelectedItemDBData Link;
    int PickCount = 0;

private:
    TKVButtonEdit* FLinkEdit = nullptr;
};

} // namespace

TEST_F(UnitCardTest, LinkEditorsPickClearAndWarnAboutTheDBIdHierarchy) {
    const QString warning = QStringLiteral(
        "Базовый объект не отвечает требованиям ссылочной иерархичности идентификаторов БД");
    AddUnit(1011, 1, QStringLiteral("Ом"));
    AddUnit(0, 2, QStringLiteral("В"));
    DB();
    auto* card = new TLinkTestCard;
    ASSERT_TRUE(card->Init(0, 0, false));
    card->ShowCard();

    // A new record belongs to the open database (1011): a record of another user database
    // is refused by the rule, but the link stays set and marks the card.
    card->Picked = {true, 1012, 5, 0, QStringLiteral("чужая")};
    card->LinkEdit()->Button()->click();
    EXPECT_EQ(Messages, QStringList({warning}));
    EXPECT_EQ(card->LinkEdit()->text(), QStringLiteral("чужая"));
    EXPECT_EQ(card->Link.Id, 5u);
    EXPECT_TRUE(card->ModifedData());
    // A system record is allowed; Enter in the editor clicks the button.
    Messages.clear();
    card->Picked = {true, 0, 2, 0, QStringLiteral("В")};
    QTest::keyClick(card->LinkEdit()->LineEdit(), Qt::Key_Return);
    EXPECT_TRUE(Messages.isEmpty());
    EXPECT_EQ(card->LinkEdit()->text(), QStringLiteral("В"));
    EXPECT_EQ(card->PickCount, 2);
    // A cancelled picker changes nothing.
    card->Picked = {};
    card->LinkEdit()->Button()->click();
    EXPECT_EQ(card->LinkEdit()->text(), QStringLiteral("В"));
    EXPECT_EQ(card->Link.DBId, 0u);
    EXPECT_EQ(card->Link.Id, 2u);

    // Del clears the link.
    ASSERT_TRUE(card->UnitPrefix_TextEdit()->text() == QStringLiteral("unit"));
    card->SaveItem();
    QTest::keyClick(card->LinkEdit()->LineEdit(), Qt::Key_Delete);
    EXPECT_TRUE(card->LinkEdit()->text().isEmpty());
    EXPECT_EQ(card->Link.Id, 0u);
    EXPECT_TRUE(card->ModifedData());

    // Deleting a unit closes the cards linked to it.
    card->Picked = {true, 1011, 1, 0, QStringLiteral("Ом")};
    card->LinkEdit()->Button()->click();
    T_frmUnit* frame = OpenHost()->BookFrame();
    FocusList(frame);
    frame->SelectRecord(1011, 1);
    QPointer<TLinkTestCard> guard = card;
    Answers = {mrYes};
    frame->Delete_ToolButtonClick();
    Settle();
    EXPECT_TRUE(guard.isNull());

    // A stored system record refers from DBID 0: only other system records are allowed; a
    // read-only card ignores its link editor.
    ::BLIMod = ::NSIMod = true;
    auto* system = new TLinkTestCard;
    ASSERT_TRUE(system->Init(0, 2, false));
    system->ShowCard();
    Messages.clear();
    system->Picked = {true, 1011, 3, 0, QStringLiteral("своя")};
    system->LinkEdit()->Button()->click();
    EXPECT_EQ(Messages, QStringList({warning}));
    ::BLIMod = false;
    system->ForciblyCloseItem();
    Settle();
    auto* readOnly = new TLinkTestCard;
    ASSERT_TRUE(readOnly->Init(0, 2, false));
    readOnly->ShowCard();
    ASSERT_TRUE(readOnly->ReadOnly());
    EXPECT_FALSE(readOnly->LinkEdit()->Button()->isEnabled());
    readOnly->Picked = {true, 0, 2, 0, QStringLiteral("В")};
    readOnly->LinkButtonClick(readOnly->LinkEdit());
    readOnly->LinkEdit()->setText(QStringLiteral("как было"));
    QTest::keyClick(readOnly->LinkEdit()->LineEdit(), Qt::Key_Delete);
    EXPECT_EQ(readOnly->PickCount, 0);
    EXPECT_EQ(readOnly->LinkEdit()->text(), QStringLiteral("как было"));
}
