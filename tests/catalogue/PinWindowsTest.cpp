// The pin list and the pin card on a real database: caption and count, numeric order, the
// designation filter, the proposed number after a deleted pin, the number and name checks, and
// the list that follows the card's saves.

#include "tests/catalogue/CatalogueTestSupport.h"

#include "catalogue/frmPin.h"
#include "catalogue/frmPinEdit.h"
#include "shell/KVButtonEdit.h"

#include <QComboBox>
#include <QSpinBox>

namespace {

class PinWindowsTest : public TCatalogueTest {
protected:
    void SetUp() override {
        TCatalogueTest::SetUp();
        NewDB().Exec(QStringLiteral("ALTER SEQUENCE GEN_T_PIN_ID RESTART WITH 1000"));
        AddClass(1, QStringLiteral("Микросхемы"));
        AddCase(1, QStringLiteral("DIP16"));
        DB().Exec(QStringLiteral("UPDATE T_CASE SET V_PINCOUNT = 16 WHERE ID = 1"));
        AddType(1, 1, QStringLiteral("К155ЛА3"), QString(), 1);
    }

    void AddPin(quint32 AId, int ANum, const QString& AName, int AAssign = 0,
                const QString& ADescription = QString()) {
        Exec(QStringLiteral("INSERT INTO T_PIN (DBID, ID, ELEMENTTYPEDBID, ELEMENTTYPEID, V_NUM, "
                            "S_NAME, S_DESCRIPTION, V_ASSIGN, V_FLAG) VALUES (1011, %1, 1011, 1, "
                            "%2, %3, %4, %5, 0)"),
             {AId, ANum, AName, ADescription.isEmpty() ? Null() : QVariant(ADescription), AAssign});
    }
    T_frmPin* OpenPins() {
        DB();
        TfrmPin* host = OpenRBPin(1011, 1);
        EXPECT_NE(host, nullptr);
        return host ? host->BookFrame() : nullptr;
    }
    QStringList StoredNums() {
        QStringList nums;
        const QString list =
            Scalar(QStringLiteral("SELECT LIST(V_NUM, ',') FROM (SELECT V_NUM FROM T_PIN WHERE "
                                  "ELEMENTTYPEID = 1 ORDER BY V_NUM)"))
                .toString();
        return list.split(u',', Qt::SkipEmptyParts);
    }
};

TEST_F(PinWindowsTest, ListShowsTheCasePinCountAndSortsNumbersAsNumbers) {
    for (int n = 1; n <= 14; ++n)
        AddPin(n, n, QStringLiteral("P%1").arg(n), n == 7 ? 5 : (n == 14 ? 25 : 0),
               n == 3 ? QStringLiteral("VCC rail") : QString());
    T_frmPin* frame = OpenPins();
    ASSERT_NE(frame, nullptr);
    auto* host = Main().FindMDIChildren<TfrmPin>().front();
    EXPECT_EQ(host->windowTitle(), QStringLiteral("К155ЛА3 - Выводы (16)"));
    EXPECT_EQ(frame->Model()->Count(), 14);
    EXPECT_TRUE(frame->CountPanel()->text().contains(QStringLiteral("14")));
    // Pin 7 is a ground pin; a stored type 25 shows no type.
    EXPECT_EQ(Column(frame, 3).value(6), PinTypeToStr(ptGND));
    EXPECT_EQ(Column(frame, 3).value(13), QString());

    // Both header clicks and a refresh keep numbers in numeric order.
    frame->ListViewColumnClick(0);
    EXPECT_EQ(Column(frame).mid(0, 3), (QStringList{"1", "2", "3"}));
    frame->ListViewColumnClick(0);
    EXPECT_EQ(Column(frame).mid(0, 3), (QStringList{"14", "13", "12"}));
    frame->RefreshData();
    EXPECT_EQ(Column(frame).mid(0, 3), (QStringList{"14", "13", "12"}));

    // The filter tests designations, never descriptions.
    frame->FilterEdit()->setText(QStringLiteral("P1"));
    frame->ApplyFilter();
    EXPECT_EQ(frame->Model()->Count(), 6); // P1, P10 ... P14
    frame->FilterEdit()->setText(QStringLiteral("VCC"));
    frame->ApplyFilter();
    EXPECT_EQ(frame->Model()->Count(), 0);
}

TEST_F(PinWindowsTest, NewPinAfterADeletedOneTakesTheNumberAfterTheLargest) {
    for (int n = 1; n <= 5; ++n)
        AddPin(n, n, QStringLiteral("P%1").arg(n));
    T_frmPin* frame = OpenPins();
    ASSERT_NE(frame, nullptr);
    frame->SelectRecord(1011, 3);
    FocusList(frame);
    Answers = {mrYes};
    frame->Delete_ToolButtonClick();
    EXPECT_EQ(Column(frame), (QStringList{"1", "2", "4", "5"}));

    TfrmPinEdit* card = OpenCardPin(0, 0, false, 1011, 1);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->PinNum_SpinEdit()->value(), 6);
    card->PinName_MRUEdit()->setText(QStringLiteral("  NC  "));
    card->PinAssign_ComboBox()->setCurrentIndex(ptNotUsage);
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(Scalar(QStringLiteral("SELECT S_NAME || '|' || V_ASSIGN || '|' || V_FLAG FROM T_PIN "
                                    "WHERE V_NUM = 6"))
                  .toString(),
              QStringLiteral("NC|17|0"));
    // The open list took the new pin.
    EXPECT_EQ(Column(frame), (QStringList{"1", "2", "4", "5", "6"}));
    EXPECT_EQ(StoredNums(), (QStringList{"1", "2", "4", "5", "6"}));
}

TEST_F(PinWindowsTest, CardRefusesBadNumbersAndNamesAndWritesNothing) {
    AddPin(1, 1, QStringLiteral("A"));
    AddPin(2, 2, QStringLiteral("B"));
    TfrmPinEdit* card = OpenCardPin(0, 0, false, 1011, 1);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->windowTitle(), QStringLiteral("New Pin"));
    card->PinName_MRUEdit()->setText(QStringLiteral("X"));
    struct TBad {
        int Num;
        QString Name;
    };
    const TBad bad[] = {{0, QStringLiteral("X")},   {70000, QStringLiteral("X")},
                        {2, QStringLiteral("X")}, // used by pin B
                        {3, QStringLiteral("   ")}, {3, QString(129, u'N')},
                        {3, QStringLiteral("名")}}; // not in Windows-1251
    for (const TBad& b : bad) {
        Messages.clear();
        FUI.Errors.clear();
        card->PinNum_SpinEdit()->setValue(b.Num);
        card->PinName_MRUEdit()->LineEdit()->setMaxLength(1000);
        card->PinName_MRUEdit()->setText(b.Name);
        EXPECT_FALSE(card->SaveItem()) << b.Num << " " << b.Name.toStdString();
        if (b.Name.trimmed().isEmpty())
            EXPECT_TRUE(Messages.isEmpty()); // only the focus moves
        else
            EXPECT_EQ(Messages.size(), 1) << b.Num;
    }
    EXPECT_EQ(StoredNums(), (QStringList{"1", "2"}));

    // Editing pin 2 may keep its own number.
    TfrmPinEdit* edit = OpenCardPin(1011, 2, false, 1011, 1);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->windowTitle(), QStringLiteral("К155ЛА3 - Вывод 2"));
    edit->PinDesc_TextEdit()->setText(QStringLiteral("вход"));
    EXPECT_TRUE(edit->SaveItem());
    EXPECT_EQ(Scalar(QStringLiteral("SELECT S_DESCRIPTION FROM T_PIN WHERE ID = 2")).toString(),
              QStringLiteral("вход"));
}

TEST_F(PinWindowsTest, CopyTakesTheSourceButTheNextNumber) {
    AddPin(4, 4, QStringLiteral("CLK"), ptClock, QStringLiteral("такт"));
    TfrmPinEdit* copy = OpenCardPin(1011, 4, true, 1011, 1);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Id(), 0u);
    EXPECT_EQ(copy->PinNum_SpinEdit()->value(), 5);
    EXPECT_EQ(copy->PinDesc_TextEdit()->text(), QStringLiteral("такт"));
    EXPECT_EQ(copy->PinAssign_ComboBox()->currentIndex(), static_cast<int>(ptClock));
    ASSERT_TRUE(copy->SaveItem());
    EXPECT_EQ(StoredNums(), (QStringList{"4", "5"}));
}

TEST_F(PinWindowsTest, MissingTypeAndDeletedTypeCloseTheirWindows) {
    EXPECT_EQ(OpenCardPin(0, 0, false, 1011, 99), nullptr);
    EXPECT_EQ(OpenCardPin(1011, 77, false, 1011, 1), nullptr);
    ASSERT_EQ(FUI.Errors.size(), 2u);
    // A new pin names the key it was opened with.
    EXPECT_EQ(FUI.Errors[0].Text, QStringLiteral("Object DBID:0, ID:0 not found in DataBase"));
    EXPECT_EQ(FUI.Errors[1].Text, QStringLiteral("Object DBID:1011, ID:77 not found in DataBase"));

    // The list of a missing type says so and stays open with an empty name and no pins.
    DB();
    TfrmPin* missing = OpenRBPin(1011, 99);
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(FUI.Errors.size(), 3u);
    EXPECT_EQ(missing->windowTitle(), QStringLiteral(" - Выводы (0)"));

    // Opened through the catalogue's opener, a second call brings the same list to the front.
    ASSERT_TRUE(TKVOpener<TOpenPinsOfElementType>::Open(1011u, 1u));
    ASSERT_TRUE(TKVOpener<TOpenPinsOfElementType>::Open(1011u, 1u));
    EXPECT_EQ(Main().FindMDIChildren<TfrmPin>().size(), 2u);
}

} // namespace
