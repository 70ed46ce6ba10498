// The case drawing on an image: sizes, placement of the body and the key mark, pin numbering
// and colours, grid labels, and the pictures of untyped and invalid cases.

#include "catalogue/uCaseVis.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>

#include <gtest/gtest.h>

namespace {

bool IsColour(const QImage& AImage, int AX, int AY, const QColor& AColour) {
    return AImage.pixelColor(AX, AY) == AColour;
}
const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kGrey(128, 128, 128);

// Whether any pixel of the rectangle has the colour.
bool AnyColour(const QImage& AImage, const QRect& ARect, const QColor& AColour) {
    for (int y = ARect.top(); y <= ARect.bottom(); ++y)
        for (int x = ARect.left(); x <= ARect.right(); ++x)
            if (AImage.pixelColor(x, y) == AColour)
                return true;
    return false;
}
// Whether every pixel of the rectangle is white.
bool AllWhite(const QImage& AImage, const QRect& ARect) {
    for (int y = ARect.top(); y <= ARect.bottom(); ++y)
        for (int x = ARect.left(); x <= ARect.right(); ++x)
            if (AImage.pixelColor(x, y) != kWhite)
                return false;
    return true;
}

} // namespace

TEST(CaseDrawing, SizesFollowTheTypeTable) {
    struct TCase {
        TKVCaseVisualType Type;
        int P0, P1, P2;
        QPoint Natural;
    };
    // L = 40 without pin names.
    const TCase cases[] = {
        {cvtVertLine, 5, 0, 0, {190, 100}},
        {cvtHorLine, 20, 0, 0, {340, 190}},
        {cvtDoubleLineSerialPinNum, 8, 0, 0, {260, 148}},
        {cvtDoubleLineSerialPinNumSkip, 4, 0, 0, {260, 180}},
        {cvtDoubleLineParallelPinNum, 10, 0, 0, {260, 180}},
        {cvtQuadroLineStandPinNum, 1, 2, 0, {176, 192}},
        {cvtQuadroLineShiftPinNum, 8, 4, 2, {288, 224}},
        {cvtGridArray, 3, 2, 0, {170, 162}},
        {cvtHorLineWithGE, 6, 1, 0, {116, 180}},
        // Invalid parameters and an unknown type: 200 x 200.
        {cvtVertLine, 1, 0, 0, {200, 200}},
        {cvtGridArray, 3, 1, 0, {200, 200}},
        {cvtQuadroLineStandPinNum, 4, 1, 0, {200, 200}},
        {cvtQuadroLineShiftPinNum, 8, 4, 4, {200, 200}},
        {cvtQuadroLineShiftPinNum, 8, 4, 0, {200, 200}},
        {static_cast<TKVCaseVisualType>(10), 4, 4, 0, {200, 200}},
    };
    for (const TCase& c : cases) {
        TCaseVis vis;
        vis.SetVisualParam(c.Type, c.P0, c.P1, c.P2);
        EXPECT_EQ(vis.GetDisplaySize(false), c.Natural) << c.Type << " " << c.P0;
        const QPoint least = vis.GetDisplaySize(true);
        EXPECT_EQ(least, QPoint(std::max(c.Natural.x(), 200), std::max(c.Natural.y(), 200)));
    }
}

TEST(CaseDrawing, PackedParametersAndIndexes) {
    TCaseVis vis;
    vis.SetVisualParam(cvtQuadroLineShiftPinNum, 0xAB030402u);
    EXPECT_EQ(vis.Param0(), 2);
    EXPECT_EQ(vis.Param1(), 4);
    EXPECT_EQ(vis.Param2(), 3);
    EXPECT_EQ(TCaseVis::IndexToPttVisualType(9), cvtHorLineWithGE);
    EXPECT_EQ(TCaseVis::IndexToPttVisualType(10), cvtUntyped);
    EXPECT_EQ(TCaseVis::IndexToPinType(17), ptNotUsage);
    EXPECT_EQ(TCaseVis::IndexToPinType(25), ptUnknown);
}

TEST(CaseDrawing, PinNamesWidenTheNameRoomAndTheFirstOfANumberWins) {
    TCaseVis vis;
    vis.ExecPinNameLengthTyped(7);
    EXPECT_EQ(vis.PinNameLengthTyped(), 40); // no pins: unchanged
    vis.AddPin(1, QStringLiteral("VCC"), QString(), ptVCC);
    vis.ExecPinNameLengthTyped(0);
    EXPECT_EQ(vis.PinNameLengthTyped(), 40);
    vis.ExecPinNameLengthTyped(7);
    EXPECT_EQ(vis.PinNameLengthTyped(), 40); // 3 x 7 is below 40
    vis.AddPin(2, QString(200, u'X'), QString(), ptInput);
    vis.AddPin(2, QStringLiteral("second"), QString(), ptOutput);
    vis.ExecPinNameLengthTyped(7);
    EXPECT_EQ(vis.PinNameLengthTyped(), 7 * 128); // the name is cut to 128 characters
    TKVPinData pin;
    ASSERT_TRUE(vis.GetPinOnNum(2, pin));
    EXPECT_EQ(pin.pdPinType, ptInput);
    EXPECT_FALSE(vis.GetPinOnNum(3, pin));
}

TEST(CaseDrawing, GridLettersAndPinColours) {
    EXPECT_EQ(GridIndexToLetters(0), QStringLiteral("A"));
    EXPECT_EQ(GridIndexToLetters(25), QStringLiteral("Z"));
    EXPECT_EQ(GridIndexToLetters(26), QStringLiteral("AA"));
    EXPECT_EQ(GridIndexToLetters(51), QStringLiteral("AZ"));
    EXPECT_EQ(GridIndexToLetters(52), QStringLiteral("BA"));
    EXPECT_EQ(PinTypeToColor(ptGND), QColor(0, 0, 255));
    EXPECT_EQ(PinTypeToColor(ptAVCC), QColor(255, 0, 0));
    EXPECT_EQ(PinTypeToColor(ptBus), kBlack);
    EXPECT_EQ(PinTypeToFillColor(ptBus), kWhite);
    EXPECT_EQ(PinTypeToFillColor(ptClock), QColor(128, 128, 0));
}

TEST(CaseDrawing, VerticalLineIsCentredInTheLeastPicture) {
    TCaseVis vis;
    vis.SetVisualParam(cvtVertLine, 5, 0, 0);
    vis.SetNamesInfo(QStringLiteral("SIP5"), QString());
    QImage image;
    ASSERT_TRUE(vis.DrawCase(image));
    ASSERT_EQ(image.size(), QSize(200, 200));
    // Natural 190 x 100, origin (5, 50): body (50, 10)-(180, 90) of the drawing.
    const int x0 = 5, y0 = 50;
    EXPECT_TRUE(IsColour(image, x0 + 50, y0 + 50, kBlack));  // left edge
    EXPECT_TRUE(IsColour(image, x0 + 179, y0 + 50, kBlack)); // right edge
    EXPECT_TRUE(IsColour(image, x0 + 120, y0 + 10, kBlack)); // top edge
    EXPECT_TRUE(IsColour(image, x0 + 120, y0 + 89, kBlack)); // bottom edge
    EXPECT_TRUE(IsColour(image, x0 + 49, y0 + 50, kWhite));
    EXPECT_TRUE(IsColour(image, x0 + 180, y0 + 50, kWhite));
    EXPECT_TRUE(IsColour(image, x0 + 120, y0 + 90, kWhite));
    EXPECT_TRUE(AllWhite(image, QRect(0, 0, 200, y0 + 9)));
    // The key mark fills the box (L+44, 14)-(L+51, 21).
    EXPECT_TRUE(IsColour(image, x0 + 84 + 3, y0 + 14 + 3, kBlack));
    // The five numbers stand left in the body, one per 16-pixel row; no names without pins.
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(AnyColour(image, QRect(x0 + 54, y0 + 10 + 16 * i + 2, 10, 12), kBlack)) << i;
    EXPECT_TRUE(AllWhite(image, QRect(0, y0 + 10, x0 + 48, 80)));
}

TEST(CaseDrawing, TwentyPinsSaveAsA200By340Jpeg) {
    TCaseVis vis;
    vis.SetVisualParam(cvtVertLine, 20, 0, 0);
    QImage image;
    ASSERT_TRUE(vis.DrawCase(image));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(QImageWriter(&buffer, "jpg").write(image));
    buffer.close();
    buffer.open(QIODevice::ReadOnly);
    const QImage back = QImageReader(&buffer, "jpg").read();
    EXPECT_EQ(back.size(), QSize(200, 340));
}

TEST(CaseDrawing, UntypedAndInvalidCasesShowTheirTexts) {
    TCaseVis untyped;
    QImage image;
    EXPECT_TRUE(untyped.DrawCase(image));
    EXPECT_EQ(image.size(), QSize(200, 200));
    EXPECT_TRUE(AnyColour(image, QRect(60, 90, 80, 20), kGrey));
    EXPECT_FALSE(AnyColour(image, image.rect(), kBlack));

    struct TBad {
        TKVCaseVisualType Type;
        int P0, P1, P2;
    };
    const TBad bad[] = {{cvtVertLine, 1, 0, 0},
                        {cvtGridArray, 3, 1, 0},
                        {cvtQuadroLineShiftPinNum, 8, 4, 4},
                        {cvtQuadroLineShiftPinNum, 8, 4, 9},
                        {static_cast<TKVCaseVisualType>(12), 4, 4, 0}};
    for (const TBad& b : bad) {
        TCaseVis vis;
        vis.SetVisualParam(b.Type, b.P0, b.P1, b.P2);
        vis.AddPin(1, QStringLiteral("A"), QString(), ptUnknown);
        EXPECT_FALSE(vis.DrawCase(image)) << b.Type;
        EXPECT_EQ(image.size(), QSize(200, 200));
        EXPECT_TRUE(AnyColour(image, QRect(40, 90, 120, 20), kGrey));
        EXPECT_FALSE(AnyColour(image, image.rect(), kBlack));
    }
    // A case of one pin on top and bottom is drawn.
    TCaseVis one;
    one.SetVisualParam(cvtQuadroLineStandPinNum, 1, 2, 0);
    EXPECT_TRUE(one.DrawCase(image));
    EXPECT_TRUE(AnyColour(image, image.rect(), kBlack));
}

TEST(CaseDrawing, GridBallsAreFilledByPinType) {
    TCaseVis vis;
    vis.SetVisualParam(cvtGridArray, 3, 2, 0);
    vis.AddPin(5, QStringLiteral("GND"), QString(), ptGND);
    vis.AddPin(1, QStringLiteral("D0"), QString(), ptDataBus);
    QImage image;
    ASSERT_TRUE(vis.DrawCase(image));
    // Natural 170 x 162 in 200 x 200: origin (15, 19).
    const int x0 = 15, y0 = 19;
    // Pin 5 is column 2 (i = 1), row B (j = 1): ball (64, 64)-(80, 80), filled blue.
    EXPECT_TRUE(IsColour(image, x0 + 72, y0 + 72, QColor(0, 0, 255)));
    EXPECT_TRUE(IsColour(image, x0 + 52, y0 + 52, QColor(0, 128, 0))); // pin 1
    EXPECT_TRUE(IsColour(image, x0 + 92, y0 + 72, kWhite));            // pin 6: none
    EXPECT_TRUE(IsColour(image, x0 + 64, y0 + 72, kBlack));            // the ball's outline
    // The name of pin 5 in the table, blue: column 1 from x 84, row B under the head row.
    const int t = 64 + 40;
    EXPECT_TRUE(AnyColour(image, QRect(x0 + 84, y0 + t + 32, 40, 16), QColor(0, 0, 255)));
    // The head cells are grey.
    EXPECT_TRUE(IsColour(image, x0 + 11, y0 + t + 17, QColor(200, 200, 200)));
    // The key mark at (29, 29)-(36, 36).
    EXPECT_TRUE(IsColour(image, x0 + 32, y0 + 32, kBlack));
}

TEST(CaseDrawing, ShiftedFourSidesNumberTheLeftSideFromTheShift) {
    // 8 columns, 4 rows, shift 2: the left side reads 23, 24, 1, 2 downwards.
    TCaseVis shifted;
    shifted.SetVisualParam(cvtQuadroLineShiftPinNum, 8, 4, 2);
    QImage image;
    ASSERT_TRUE(shifted.DrawCase(image));
    const int l = 40;
    // Each left row's number compared with the same number drawn alone in a plain case with
    // pin numbers of that row: a vertical line numbers its rows 1, 2 ...
    const auto rowBand = [&](const QImage& AImage, int AX0, int AY0, int ARowTop) {
        // Inside the row, clear of the body's top and bottom edges.
        return AImage.copy(QRect(AX0 + l + 14, AY0 + ARowTop + 2, 24, 12));
    };
    TCaseVis line;
    line.SetVisualParam(cvtVertLine, 24, 0, 0);
    QImage lineImage;
    ASSERT_TRUE(line.DrawCase(lineImage));
    const int lineX0 = 5; // natural width 190
    const int expected[] = {23, 24, 1, 2};
    for (int j = 0; j < 4; ++j) {
        const QImage got = rowBand(image, 0, 0, l + 40 + 16 * j);
        const QImage want = rowBand(lineImage, lineX0, 0, 10 + 16 * (expected[j] - 1));
        EXPECT_EQ(got, want) << "left row " << j;
    }
    // The key mark beside the third row: (L+44, L+45+32)-(L+51, L+52+32).
    EXPECT_TRUE(IsColour(image, l + 47, l + 48 + 32, kBlack));
    EXPECT_TRUE(IsColour(image, l + 17, l + 17, kWhite)); // not at the corner as unshifted
}

TEST(CaseDrawing, HorizontalLineWithEllipseMovesTheNamesDown) {
    TCaseVis plain;
    plain.SetVisualParam(cvtHorLineWithGE, 6, 0, 0);
    plain.SetNamesInfo(QStringLiteral("CASE"), QString());
    TCaseVis ellipse;
    ellipse.SetVisualParam(cvtHorLineWithGE, 6, 3, 0);
    ellipse.SetNamesInfo(QStringLiteral("CASE"), QString());
    QImage a, b;
    ASSERT_TRUE(plain.DrawCase(a));
    ASSERT_TRUE(ellipse.DrawCase(b));
    // Natural 116 x 180: origin (42, 10). The name's band of the plain case is 16 lower in the
    // other.
    const int x0 = 42, y0 = 10;
    EXPECT_EQ(a.copy(x0 + 20, y0 + 42, 76, 12), b.copy(x0 + 20, y0 + 58, 76, 12));
    // The ellipse covers the body's top edge in its middle: white inside, black outline above.
    EXPECT_TRUE(IsColour(b, x0 + 58, y0 + 40, kWhite));
    EXPECT_TRUE(IsColour(a, x0 + 58, y0 + 40, kBlack));
    EXPECT_TRUE(AnyColour(b, QRect(x0 + 56, y0 + 23, 4, 3), kBlack));
}
