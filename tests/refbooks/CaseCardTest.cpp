// The case card on a real database: a new case saved with its drawing parameters packed and
// read back, the visual type that stores no parameters, stored values out of range, copies,
// and the picture: loaded through the file dialog, scaled to fit 300 × 300 or kept byte for
// byte, refused when the file is no JPEG picture, removed with Del, shown by the view button.

#include "tests/refbooks/CaseTestSupport.h"

#include "core/KVPicture.h"

#include <QComboBox>
#include <QLabel>
#include <QSpinBox>

namespace {

const QString kDrawingOf = QStringLiteral(
    "SELECT COALESCE(V_CV_PTTTYPE, -1) || '|' || COALESCE(V_CV_PTTPRM, -1) || '|' || V_MOUNTTYPE "
    "|| '|' || V_PINCOUNT || '|' || COALESCE(S_DESCRIPTION, '-') || '|' || V_FLAG FROM T_CASE "
    "WHERE ID = %1");

QList<int> Params(const TfrmCaseEdit* ACard) {
    return {ACard->CasePttVisualParam_SpinEdit(0)->value(),
            ACard->CasePttVisualParam_SpinEdit(1)->value(),
            ACard->CasePttVisualParam_SpinEdit(2)->value()};
}

void SetParams(TfrmCaseEdit* ACard, int AA, int AB, int AC) {
    ACard->CasePttVisualParam_SpinEdit(0)->setValue(AA);
    ACard->CasePttVisualParam_SpinEdit(1)->setValue(AB);
    ACard->CasePttVisualParam_SpinEdit(2)->setValue(AC);
}

} // namespace

class CaseCardTest : public TCaseBookTest {
protected:
    // Closes the card without a question and opens the stored record again.
    TfrmCaseEdit* Reopen(TfrmCaseEdit* ACard) {
        const quint32 id = ACard->Id();
        ACard->ForciblyCloseItem();
        Settle();
        return OpenCardCase(1011, id, false);
    }
};

TEST_F(CaseCardTest, NewCaseSavesItsDrawingParametersPackedAndReadsThemBack) {
    DB();
    TfrmCaseEdit* card = OpenCardCase(0, 0, false);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->windowTitle(), QStringLiteral("New Case"));
    EXPECT_EQ(card->CaseType_TextEdit()->selectedText(), QStringLiteral("New Case"));
    EXPECT_EQ(card->CaseMountType_ComboBox()->count(), 5);
    EXPECT_EQ(card->CasePttVisualType_ComboBox()->count(), 10);
    EXPECT_EQ(card->CaseMountType_ComboBox()->currentText(), QString());
    EXPECT_EQ(card->CasePttVisualType_ComboBox()->currentIndex(), 0);
    EXPECT_EQ(card->CasePttVisualType_ComboBox()->itemText(6),
              QStringLiteral("по сторонам прямоугольника с нум. от угла"));
    EXPECT_EQ(Params(card), QList<int>({0, 0, 0}));
    EXPECT_EQ(card->Case_Image()->text(), QStringLiteral("Нет изображения"));
    EXPECT_FALSE(card->Case_Image()->isVisibleTo(card));
    EXPECT_EQ(card->ViewImageIndex(), 34);

    // A blank type name only moves the focus.
    card->CaseType_TextEdit()->setText(QStringLiteral("   "));
    card->CaseDesc_TextEdit()->setFocus();
    EXPECT_FALSE(card->SaveItem());
    EXPECT_TRUE(card->CaseType_TextEdit()->hasFocus());
    EXPECT_EQ(CaseCount(), 0);

    card->CaseType_TextEdit()->setText(QStringLiteral("PLCC-44"));
    card->CasePinCount_SpinEdit()->setValue(44);
    card->CaseMountType_ComboBox()->setCurrentIndex(cmtSMD);
    card->CasePttVisualType_ComboBox()->setCurrentIndex(cvtQuadroLineStandPinNum);
    SetParams(card, 3, 4, 5);
    EXPECT_EQ(card->windowTitle(), QStringLiteral("New Case *"));
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(card->DBId(), 1011u);
    EXPECT_EQ(card->windowTitle(), QStringLiteral("PLCC-44"));
    // 3 + 4 × 256 + 5 × 65536; no description: NULL; no picture: NULL.
    EXPECT_EQ(Scalar(kDrawingOf.arg(card->Id())).toString(), QStringLiteral("6|328707|2|44|-|0"));
    EXPECT_TRUE(StoredImage(1011, card->Id()).isEmpty());

    card = Reopen(card);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->CasePttVisualType_ComboBox()->currentIndex(), cvtQuadroLineStandPinNum);
    EXPECT_EQ(Params(card), QList<int>({3, 4, 5}));
    EXPECT_EQ(card->CaseMountType_ComboBox()->currentIndex(), cmtSMD);
    EXPECT_EQ(card->CasePinCount_SpinEdit()->value(), 44);
    EXPECT_FALSE(card->ModifedData());

    // Without a visual type the parameters are not stored, and read back as 0.
    card->CasePttVisualType_ComboBox()->setCurrentIndex(cvtUntyped);
    card->CaseDesc_TextEdit()->setText(QStringLiteral("Кристаллодержатель"));
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(Scalar(kDrawingOf.arg(card->Id())).toString(),
              QStringLiteral("-1|-1|2|44|Кристаллодержатель|0"));
    card = Reopen(card);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(Params(card), QList<int>({0, 0, 0}));

    // The pin count stops at what the column holds.
    EXPECT_EQ(card->CasePinCount_SpinEdit()->maximum(), 32767);
    card->CasePinCount_SpinEdit()->setValue(40000);
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(Scalar(QStringLiteral("SELECT V_PINCOUNT FROM T_CASE WHERE ID = %1").arg(card->Id()))
                  .toInt(),
              32767);
}

TEST_F(CaseCardTest, StoredValuesOutOfRangeAndUnusedBitsReadAsTheRulesSay) {
    // Mount type 7 and visual type 15 are unknown; bits 24..31 of the parameters are ignored.
    AddCase(1011, 1, QStringLiteral("X"), 4, 7, 15, 0x01030201);
    AddCase(1011, 2, QStringLiteral("Y"), 4, cmtChassis, cvtGridArray, 0x7F0A0B0C);
    TfrmCaseEdit* odd = OpenCardCase(1011, 1, false);
    ASSERT_NE(odd, nullptr);
    EXPECT_EQ(odd->CaseMountType_ComboBox()->currentIndex(), cmtUnknown);
    EXPECT_EQ(odd->CasePttVisualType_ComboBox()->currentIndex(), cvtUntyped);
    TfrmCaseEdit* grid = OpenCardCase(1011, 2, false);
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(Params(grid), QList<int>({0x0C, 0x0B, 0x0A}));
    // Saved again, the unused bits are gone.
    grid->CaseDesc_TextEdit()->setText(QStringLiteral("сетка"));
    ASSERT_TRUE(grid->SaveItem());
    EXPECT_EQ(Scalar(QStringLiteral("SELECT V_CV_PTTPRM FROM T_CASE WHERE ID = 2")).toInt(),
              0x0A0B0C);
}

TEST_F(CaseCardTest, LargePicturesAreScaledToFitWithHalvesToEven) {
    DB();
    struct TCase {
        QSize Loaded;
        QSize Stored;
    };
    const TCase cases[] = {{{600, 400}, {300, 200}}, {{400, 50}, {300, 38}},
                           {{400, 30}, {300, 22}},   {{1000, 1000}, {300, 300}},
                           {{301, 100}, {300, 100}}, {{120, 900}, {40, 300}}};
    for (const TCase& c : cases) {
        const QString label = QStringLiteral("%1x%2").arg(c.Loaded.width()).arg(c.Loaded.height());
        TfrmCaseEdit* card = OpenCardCase(0, 0, false);
        ASSERT_NE(card, nullptr);
        card->CaseType_TextEdit()->setText(label);
        const QString path = WriteJpeg(c.Loaded, label + QStringLiteral(".jpg"));
        LoadPicture(card, path);
        EXPECT_TRUE(card->ModifedData()) << label.toStdString();
        EXPECT_EQ(card->ViewImageIndex(), 40);
        ASSERT_TRUE(card->SaveItem());

        const QByteArray stored = StoredImage(1011, card->Id());
        const QImage image = DecodePicture(stored);
        EXPECT_EQ(image.size(), c.Stored) << label.toStdString();
        EXPECT_NE(stored, ReadFile(path));
        // A baseline JPEG: its frame header is SOF0.
        EXPECT_TRUE(stored.contains(QByteArray("\xFF\xC0", 2))) << label.toStdString();
        EXPECT_FALSE(image.isGrayscale());
        card->ForciblyCloseItem();
        Settle();
    }
}

TEST_F(CaseCardTest, PicturesWithin300AreStoredByteForByteAndCopied) {
    ::HideImage = false;
    DB();
    TfrmCaseEdit* card = OpenCardCase(0, 0, false);
    ASSERT_NE(card, nullptr);
    card->CaseType_TextEdit()->setText(QStringLiteral("TO-92"));
    // Loading a picture into a hidden box leaves it hidden.
    const int hiddenHeight = ClientHeight(card);
    // Bytes after the picture's end marker come along unchanged.
    const QString path =
        WriteFile(QStringLiteral("small.jpg"),
                  ReadFile(WriteJpeg(QSize(300, 300), QStringLiteral("square.jpg"))) + "tail");
    LoadPicture(card, path);
    EXPECT_FALSE(card->Case_Image()->isVisibleTo(card));
    EXPECT_EQ(ClientHeight(card), hiddenHeight);
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(StoredImage(1011, card->Id()), ReadFile(path));

    const QString wide = WriteJpeg(QSize(200, 100), QStringLiteral("wide.jpeg"));
    LoadPicture(card, wide);
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(StoredImage(1011, card->Id()), ReadFile(wide));

    // Reopened with option HideImage off: the box shows the picture and the card grows to
    // hold it; the view button hides it and shrinks the card.
    card = Reopen(card);
    ASSERT_NE(card, nullptr);
    EXPECT_TRUE(card->ImageLoaded());
    EXPECT_TRUE(card->EnableView());
    EXPECT_EQ(card->ViewImageIndex(), 40);
    EXPECT_TRUE(card->ToolButton(QStringLiteral("View_ToolButton"))->isChecked());
    QCoreApplication::processEvents();
    ASSERT_TRUE(card->Case_Image()->isVisible());
    EXPECT_EQ(card->Case_Image()->pixmap().size(), QSize(200, 100));
    const QRect box(card->Case_Image()->mapTo(card, QPoint(0, 0)), card->Case_Image()->size());
    EXPECT_EQ(box.size(), QSize(361, 308));
    EXPECT_EQ(box.left(), 8);
    EXPECT_EQ(ClientHeight(card), box.top() + 308 + 9);
    // At 211, or lower when the editors of this style reach further down.
    EXPECT_GE(box.top(), 211);
    const int shownHeight = ClientHeight(card);
    card->ToolButton(QStringLiteral("View_ToolButton"))->click();
    EXPECT_FALSE(card->EnableView());
    EXPECT_FALSE(card->Case_Image()->isVisibleTo(card));
    EXPECT_EQ(ClientHeight(card), hiddenHeight);
    EXPECT_LT(hiddenHeight, shownHeight);
    EXPECT_FALSE(card->ModifedData());

    // A copy keeps the picture and stores it again as a new row.
    card->Copy_ToolButtonClick();
    std::vector<TfrmCaseEdit*> cards = CaseCards();
    ASSERT_EQ(cards.size(), 2u);
    TfrmCaseEdit* copy = cards[1];
    EXPECT_EQ(copy->windowTitle(), QStringLiteral("New Case"));
    EXPECT_EQ(copy->CaseType_TextEdit()->text(), QStringLiteral("TO-92"));
    ASSERT_TRUE(copy->SaveItem());
    EXPECT_NE(copy->Id(), card->Id());
    EXPECT_EQ(StoredImage(1011, copy->Id()), ReadFile(wide));

    // Del in the box removes the picture; saved, the column is NULL.
    card->Case_Image()->setFocus();
    QTest::keyClick(card->Case_Image(), Qt::Key_Delete);
    EXPECT_TRUE(card->ImageData().isEmpty());
    EXPECT_EQ(card->Case_Image()->text(), QStringLiteral("Нет изображения"));
    EXPECT_EQ(card->ViewImageIndex(), 34);
    EXPECT_TRUE(card->ModifedData());
    EXPECT_TRUE(card->ImageLoaded()); // what the database gave at loading
    ASSERT_TRUE(card->SaveItem());
    EXPECT_TRUE(StoredImage(1011, card->Id()).isEmpty());
}

TEST_F(CaseCardTest, AFileThatIsNoJpegPictureIsRefusedAndChangesNothing) {
    AddCase(1011, 1, QStringLiteral("SOT-223"));
    TfrmCaseEdit* card = OpenCardCase(1011, 1, false);
    ASSERT_NE(card, nullptr);
    const QString picture = WriteJpeg(QSize(50, 40), QStringLiteral("ok.jpg"));
    LoadPicture(card, picture);
    ASSERT_TRUE(card->SaveItem());

    QImage png(20, 20, QImage::Format_RGB32);
    png.fill(Qt::green);
    const QString pngPath = DB().Folder() + QStringLiteral("/green.jpg");
    ASSERT_TRUE(png.save(pngPath, "PNG"));
    const struct {
        QString Path;
        QString Message;
    } files[] = {
        {WriteFile(QStringLiteral("notes.jpg"), "not a picture at all"),
         QStringLiteral("Файл «notes.jpg» не является изображением JPEG.")},
        {pngPath, QStringLiteral("Файл «green.jpg» не является изображением JPEG.")},
        {WriteFile(QStringLiteral("empty.jpg"), QByteArray()),
         QStringLiteral("Файл «empty.jpg» не является изображением JPEG.")},
        {DB().Folder() + QStringLiteral("/missing.jpg"),
         QStringLiteral("Не удалось прочитать файл «missing.jpg».")},
    };
    for (const auto& file : files) {
        Messages.clear();
        LoadPicture(card, file.Path);
        EXPECT_EQ(Messages, QStringList({file.Message}));
        EXPECT_EQ(card->ImageData(), ReadFile(picture));
        EXPECT_FALSE(card->ModifedData());
        EXPECT_EQ(card->ViewImageIndex(), 40);
    }

    // A cancelled dialog changes nothing either.
    {
        TKVFileDialogResponderScope files([](const TKVFileDialogRequest& ARequest) {
            EXPECT_EQ(ARequest.Caption, QStringLiteral("Открыть изображение"));
            EXPECT_EQ(ARequest.Kind, fdkOpen);
            return TKVFileDialogAnswer{};
        });
        card->Case_ImageDblClick();
    }
    EXPECT_FALSE(card->ModifedData());
    EXPECT_EQ(StoredImage(1011, 1), ReadFile(picture));
}

TEST_F(CaseCardTest, AReadOnlyCardLoadsAndRemovesNoPicture) {
    ::HideImage = false;
    AddCase(0, 1, QStringLiteral("SYS"));
    TfrmCaseEdit* card = OpenCardCase(0, 1, false);
    ASSERT_NE(card, nullptr);
    EXPECT_TRUE(card->ReadOnly());
    EXPECT_FALSE(card->pmiOpenImage()->isEnabled());
    EXPECT_FALSE(card->CaseMountType_ComboBox()->isEnabled());
    EXPECT_TRUE(card->CasePttVisualParam_SpinEdit(1)->isReadOnly());
    // No picture in the database: the box starts hidden, whatever the option says.
    EXPECT_FALSE(card->EnableView());
    int asked = 0;
    TKVFileDialogResponderScope files([&](const TKVFileDialogRequest&) {
        ++asked;
        return TKVFileDialogAnswer{true, WriteJpeg(QSize(10, 10), QStringLiteral("a.jpg")), 0};
    });
    card->Case_ImageDblClick();
    card->Case_ImageDelete();
    EXPECT_EQ(asked, 0);
    EXPECT_FALSE(card->ModifedData());
}
