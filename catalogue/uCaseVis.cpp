#include "catalogue/uCaseVis.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kGrey(128, 128, 128); // "Нет изображения", "Ошибка визуализации"
const QColor kHeadCell(200, 200, 200); // head cells of the grid's name table

QString Tr(const char* AText) {
    return QCoreApplication::translate("TCaseVis", AText);
}

// The pins by number: the first pin added with a number wins.
class TPinIndex {
public:
    explicit TPinIndex(const std::vector<TKVPinData>& APins) {
        int top = 0;
        for (const TKVPinData& pin : APins)
            top = std::max(top, static_cast<int>(pin.pdNum));
        FByNum.assign(static_cast<size_t>(top) + 1, nullptr);
        for (const TKVPinData& pin : APins)
            if (!FByNum[pin.pdNum])
                FByNum[pin.pdNum] = &pin;
    }
    // The pin of the number; nullptr when there is none (numbers outside 1..65535 included).
    const TKVPinData* Find(int ANum) const {
        if (ANum < 0 || ANum >= static_cast<int>(FByNum.size()))
            return nullptr;
        return FByNum[static_cast<size_t>(ANum)];
    }

private:
    std::vector<const TKVPinData*> FByNum;
};

// Drawing on the image with the origin of the drawing (X0, Y0). Outlines are drawn inside
// their rectangle (a, b)-(c, d), whose right and bottom edges are excluded.
class TCanvas {
public:
    TCanvas(QImage& AImage, const QFont& AFont, TCaseVis::TTextSprites& ASprites)
        : FBits(AImage.bits()), FImageWidth(AImage.width()), FImageHeight(AImage.height()),
          FBytesPerLine(AImage.bytesPerLine()), FPainter(&AImage), FFont(AFont), FMetrics(AFont),
          FSprites(ASprites) {
        FPainter.setRenderHint(QPainter::Antialiasing, false);
        FPainter.setRenderHint(QPainter::TextAntialiasing, false);
        FPainter.setFont(FFont);
        Th = FMetrics.height();
        Tc = 8 - Th / 2;
    }

    int Th = 0; // the height of a text line
    int Tc = 0; // what centres a text line in a 16-pixel row
    int X0 = 0;
    int Y0 = 0;

    int TextWidth(const QString& AText) { return Sprite(AText, kBlack, false).Width; }

    // A text with its top left at (x, y) of the drawing.
    void Text(int AX, int AY, const QString& AText, const QColor& AColor) {
        if (AText.isEmpty())
            return;
        Place(X0 + AX, Y0 + AY, Sprite(AText, AColor, false));
    }
    // A text that ends at x = AEnd.
    void TextRight(int AEnd, int AY, const QString& AText, const QColor& AColor) {
        if (AText.isEmpty())
            return;
        const TCaseVis::TTextSprite& sprite = Sprite(AText, AColor, false);
        Place(X0 + AEnd - sprite.Width, Y0 + AY, sprite);
    }
    // A text turned by 90 degrees: it runs upwards from (x, y), the tops of its glyphs towards
    // smaller x.
    void TextUp(int AX, int AY, const QString& AText, const QColor& AColor) {
        if (AText.isEmpty())
            return;
        const TCaseVis::TTextSprite& sprite = Sprite(AText, AColor, true);
        Place(X0 + AX, Y0 + AY - sprite.Width, sprite);
    }
    // A text centred on x = ACentre of the whole image (not of the drawing).
    void ImageTextCentred(int ACentreX, int ACentreY, const QString& AText, const QColor& AColor) {
        FPainter.setPen(AColor);
        FPainter.drawText(ACentreX - TextWidth(AText) / 2, ACentreY - Th / 2 + FMetrics.ascent(),
                          AText);
    }
    // The outline of the body, two pixels wide.
    void Body(int AA, int AB, int AC, int AD) {
        const int w = AC - AA;
        const int h = AD - AB;
        const QColor& c = kBlack;
        FPainter.fillRect(X0 + AA, Y0 + AB, w, 2, c);
        FPainter.fillRect(X0 + AA, Y0 + AD - 2, w, 2, c);
        FPainter.fillRect(X0 + AA, Y0 + AB, 2, h, c);
        FPainter.fillRect(X0 + AC - 2, Y0 + AB, 2, h, c);
    }
    // A filled rectangle without outline.
    void Fill(int AA, int AB, int AC, int AD, const QColor& AColor) {
        FPainter.fillRect(X0 + AA, Y0 + AB, AC - AA, AD - AB, AColor);
    }
    // A one-pixel line from (a, b) to (c, d), the end point excluded; only straight lines.
    void Line(int AA, int AB, int AC, int AD) {
        if (AB == AD)
            FPainter.fillRect(X0 + std::min(AA, AC), Y0 + AB, std::abs(AC - AA), 1, kBlack);
        else
            FPainter.fillRect(X0 + AA, Y0 + std::min(AB, AD), 1, std::abs(AD - AB), kBlack);
    }
    // An ellipse in (a, b)-(c, d) with a one- or two-pixel outline and the fill given.
    void Ellipse(int AA, int AB, int AC, int AD, int APenWidth, const QColor& AFill) {
        FPainter.setPen(QPen(kBlack, APenWidth));
        FPainter.setBrush(AFill);
        FPainter.drawEllipse(QRect(X0 + AA, Y0 + AB, AC - AA - 1, AD - AB - 1));
        FPainter.setBrush(Qt::NoBrush);
    }
    // The upper half of the ellipse in (a, b)-(c, d), two pixels wide.
    void UpperArc(int AA, int AB, int AC, int AD) {
        FPainter.setPen(QPen(kBlack, 2));
        FPainter.setBrush(Qt::NoBrush);
        FPainter.drawArc(QRect(X0 + AA, Y0 + AB, AC - AA - 1, AD - AB - 1), 0, 180 * 16);
    }
    // The key mark at pin 1: a black disc in the 7-pixel box at (a, b).
    void KeyMark(int AA, int AB) { Ellipse(AA, AB, AA + 7, AB + 7, 1, kBlack); }
    // The case name and, when not empty, the element-type name a line lower, bold, centred on x.
    void Names(int ACentre, int ATop, const QString& ACaseName, const QString& AElementTypeName) {
        QFont bold = FFont;
        bold.setBold(true);
        FPainter.setFont(bold);
        const QFontMetrics metrics(bold);
        FPainter.setPen(kBlack);
        FPainter.drawText(X0 + ACentre - metrics.horizontalAdvance(ACaseName) / 2,
                          Y0 + ATop + metrics.ascent(), ACaseName);
        if (!AElementTypeName.isEmpty())
            FPainter.drawText(X0 + ACentre - metrics.horizontalAdvance(AElementTypeName) / 2,
                              Y0 + ATop + Th + metrics.ascent(), AElementTypeName);
        FPainter.setFont(FFont);
    }

    // A grid ball of the fill colour at (a, b): a circle in the 16-pixel box, one outline.
    void Ball(int AA, int AB, const QColor& AFill) {
        const TCaseVis::TSpriteKey key{QString(), AFill.rgb(), 'o'};
        auto found = FSprites.find(key);
        if (found == FSprites.end()) {
            TCaseVis::TTextSprite sprite;
            sprite.Width = 16;
            sprite.Image = QImage(16, 16, QImage::Format_ARGB32_Premultiplied);
            sprite.Image.fill(Qt::transparent);
            QPainter painter(&sprite.Image);
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.setPen(QPen(kBlack, 1));
            painter.setBrush(AFill);
            painter.drawEllipse(QRect(0, 0, 15, 15));
            painter.end();
            found = FSprites.emplace(key, Prepared(std::move(sprite))).first;
        }
        Place(X0 + AA, Y0 + AB, found->second);
    }

private:
    // The rendered text: its pixels in the colour, nothing else (a transparent background);
    // turned, it is as wide as a line is high and runs upwards.
    const TCaseVis::TTextSprite& Sprite(const QString& AText, const QColor& AColor, bool AUp) {
        const TCaseVis::TSpriteKey key{AText, AColor.rgb(), AUp ? '^' : '>'};
        auto found = FSprites.find(key);
        if (found != FSprites.end())
            return found->second;
        TCaseVis::TTextSprite sprite;
        sprite.Width = FMetrics.horizontalAdvance(AText);
        // A little room past the advance for glyphs that reach beyond it.
        const int length = std::max(sprite.Width + 2, 1);
        sprite.Image = AUp ? QImage(Th, length, QImage::Format_ARGB32_Premultiplied)
                           : QImage(length, Th, QImage::Format_ARGB32_Premultiplied);
        sprite.Image.fill(Qt::transparent);
        QPainter painter(&sprite.Image);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(FFont);
        painter.setPen(AColor);
        if (AUp) {
            // The text's start at the bottom, its glyph tops to the left.
            painter.translate(0, sprite.Width);
            painter.rotate(-90);
        }
        painter.drawText(0, FMetrics.ascent(), AText);
        painter.end();
        return FSprites.emplace(key, Prepared(std::move(sprite))).first->second;
    }

    // The sprite with its runs of opaque pixels when it has no partly transparent pixel (the
    // drawing's texts and shapes are not antialiased).
    static TCaseVis::TTextSprite Prepared(TCaseVis::TTextSprite ASprite) {
        const QImage& image = ASprite.Image;
        for (int y = 0; y < image.height(); ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            int x = 0;
            while (x < image.width()) {
                const int alpha = qAlpha(line[x]);
                if (alpha != 0 && alpha != 255) {
                    ASprite.Runs.clear();
                    ASprite.Pixels.clear();
                    return ASprite;
                }
                if (alpha == 0) {
                    ++x;
                    continue;
                }
                TCaseVis::TSpriteRun run{x, y, 0, static_cast<int>(ASprite.Pixels.size())};
                while (x < image.width() && qAlpha(line[x]) == 255)
                    ASprite.Pixels.push_back(line[x++]);
                run.Length = x - run.X;
                ASprite.Runs.push_back(run);
            }
        }
        ASprite.Binary = true;
        return ASprite;
    }

    // The sprite with its top left at (x, y) of the image: what a painter's drawImage gives,
    // for a binary sprite by copying its opaque runs (clipped to the image).
    void Place(int AX, int AY, const TCaseVis::TTextSprite& ASprite) {
        if (!ASprite.Binary) {
            FPainter.drawImage(AX, AY, ASprite.Image);
            return;
        }
        const QImage& image = ASprite.Image;
        if (AX >= 0 && AY >= 0 && AX + image.width() <= FImageWidth &&
            AY + image.height() <= FImageHeight) {
            // Wholly inside: the runs are short (a few pixels of a glyph), copied in a loop.
            uchar* origin = FBits + static_cast<qsizetype>(AY) * FBytesPerLine +
                            static_cast<qsizetype>(AX) * sizeof(QRgb);
            const QRgb* pixels = ASprite.Pixels.data();
            for (const TCaseVis::TSpriteRun& run : ASprite.Runs) {
                QRgb* target = reinterpret_cast<QRgb*>(origin + run.Y * FBytesPerLine) + run.X;
                const QRgb* source = pixels + run.Offset;
                for (int k = 0; k < run.Length; ++k)
                    target[k] = source[k];
            }
            return;
        }
        for (const TCaseVis::TSpriteRun& run : ASprite.Runs) {
            const int y = AY + run.Y;
            if (y < 0 || y >= FImageHeight)
                continue;
            int x = AX + run.X;
            int length = run.Length;
            int offset = run.Offset;
            if (x < 0) {
                length += x;
                offset -= x;
                x = 0;
            }
            length = std::min(length, FImageWidth - x);
            if (length <= 0)
                continue;
            QRgb* line = reinterpret_cast<QRgb*>(FBits + static_cast<qsizetype>(y) * FBytesPerLine);
            std::memcpy(line + x, ASprite.Pixels.data() + offset, sizeof(QRgb) * length);
        }
    }

    // The image's pixels, written directly by Place (the painter draws at once, so the order of
    // both kinds of drawing is kept).
    uchar* FBits;
    int FImageWidth;
    int FImageHeight;
    qsizetype FBytesPerLine;
    QPainter FPainter;
    QFont FFont;
    QFontMetrics FMetrics;
    TCaseVis::TTextSprites& FSprites;
};

} // namespace

QColor PinTypeToColor(TKVPinType APinType) {
    switch (APinType) {
    case ptInput:
    case ptOutput:
        return QColor(0, 128, 128);
    case ptZState:
        return QColor(200, 0, 200);
    case ptGND:
    case ptAGND:
        return QColor(0, 0, 255);
    case ptVCC:
    case ptAVCC:
        return QColor(255, 0, 0);
    case ptDataBus:
    case ptDigitalCombined:
        return QColor(0, 128, 0);
    case ptAddressBus:
        return QColor(128, 0, 0);
    case ptControlBus:
    case ptClock:
        return QColor(128, 128, 0);
    case ptNotUsage:
        return QColor(128, 128, 128);
    default:
        return kBlack;
    }
}

QColor PinTypeToFillColor(TKVPinType APinType) {
    const QColor text = PinTypeToColor(APinType);
    return text == kBlack ? kWhite : text;
}

QString GridIndexToLetters(quint8 AIndex) {
    if (AIndex < 26)
        return QString(QChar(u'A' + AIndex));
    return QString(QChar(u'A' + (AIndex / 26 - 1))) + QChar(u'A' + AIndex % 26);
}

void TCaseVis::SetVisualParam(TKVCaseVisualType ACaseVisualType, int AParam0, int AParam1,
                              int AParam2) {
    FCaseVisualType = ACaseVisualType;
    FParam0 = AParam0;
    FParam1 = AParam1;
    FParam2 = AParam2;
}

void TCaseVis::SetNamesInfo(const QString& ACaseName, const QString& AElementTypeName) {
    FCaseName = ACaseName;
    FElementTypeName = AElementTypeName;
}

void TCaseVis::AddPin(quint16 ANum, const QString& AName, const QString& ADesc,
                      TKVPinType APinType) {
    FPinList.push_back({ANum, KVCutText(AName, KVNameLength), ADesc, APinType});
}

bool TCaseVis::GetPinOnNum(quint16 ANum, TKVPinData& APinData) const {
    for (const TKVPinData& pin : FPinList)
        if (pin.pdNum == ANum) {
            APinData = pin;
            return true;
        }
    return false;
}

void TCaseVis::ExecPinNameLengthTyped(int ACharWidthTyped) {
    if (FPinList.empty() || ACharWidthTyped < 1)
        return;
    for (const TKVPinData& pin : FPinList)
        if (!pin.pdName.isEmpty())
            FPinNameLengthTyped = std::max(FPinNameLengthTyped,
                                           ACharWidthTyped * static_cast<int>(pin.pdName.size()));
}

QFont TCaseVis::DrawingFont() {
    QFont font = QGuiApplication::font();
    font.setPixelSize(11);
    font.setBold(false);
    font.setItalic(false);
    // Plain pixels of the pin-type colours, as on a bitmap of few colours.
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

int TCaseVis::CharWidthTyped() {
    return QFontMetrics(DrawingFont()).horizontalAdvance(QStringLiteral("_"));
}

bool TCaseVis::ParamsValid() const {
    const auto count = [](int AValue) { return AValue >= 2 && AValue <= 255; };
    switch (FCaseVisualType) {
    case cvtUntyped:
        return true;
    case cvtVertLine:
    case cvtHorLine:
    case cvtDoubleLineSerialPinNum:
    case cvtDoubleLineSerialPinNumSkip:
    case cvtDoubleLineParallelPinNum:
    case cvtHorLineWithGE:
        return count(FParam0);
    case cvtQuadroLineStandPinNum:
        return FParam0 >= 1 && FParam0 <= 255 && count(FParam1);
    case cvtQuadroLineShiftPinNum:
        // Pin 1 moves down the left side, so the shift stays within that side's pins.
        return count(FParam0) && count(FParam1) && FParam2 >= 1 && FParam2 < FParam1;
    case cvtGridArray:
        return count(FParam0) && count(FParam1);
    }
    return false;
}

QPoint TCaseVis::GetDisplaySize(bool AMinSizeCorrection) const {
    const int l = FPinNameLengthTyped;
    const int p0 = FParam0;
    const int p1 = FParam1;
    QPoint size(200, 200);
    if (ParamsValid()) {
        switch (FCaseVisualType) {
        case cvtVertLine:
            size = {l + 150, 16 * p0 + 20};
            break;
        case cvtHorLine:
            size = {16 * p0 + 20, l + 150};
            break;
        case cvtDoubleLineSerialPinNum:
        case cvtDoubleLineParallelPinNum:
            size = {2 * l + 180, 16 * p0 + 20};
            break;
        case cvtDoubleLineSerialPinNumSkip:
            size = {2 * l + 180, 32 * p0 + 52};
            break;
        case cvtQuadroLineStandPinNum:
        case cvtQuadroLineShiftPinNum:
            size = {2 * l + 80 + 16 * p0, 2 * l + 80 + 16 * p1};
            break;
        case cvtGridArray:
            size = {l * p0 + 50, 36 * p1 + 90};
            break;
        case cvtHorLineWithGE:
            size = {16 * p0 + 20, l + 140};
            break;
        case cvtUntyped:
            break;
        }
    }
    if (AMinSizeCorrection) {
        size.setX(std::max(size.x(), 200));
        size.setY(std::max(size.y(), 200));
    }
    return size;
}

bool TCaseVis::DrawCase(QImage& AImage) const {
    const QPoint size = GetDisplaySize(true);
    if (AImage.size() != QSize(size.x(), size.y()) || AImage.format() != QImage::Format_RGB32)
        AImage = QImage(size.x(), size.y(), QImage::Format_RGB32);
    AImage.fill(kWhite);
    TCanvas c(AImage, DrawingFont(), FTextSprites);
    const int centreX = AImage.width() / 2;
    const int centreY = AImage.height() / 2;
    if (FCaseVisualType == cvtUntyped) {
        c.ImageTextCentred(centreX, centreY, Tr("Нет изображения"), kGrey);
        return true;
    }
    if (!ParamsValid()) {
        c.ImageTextCentred(centreX, centreY, Tr("Ошибка визуализации"), kGrey);
        return false;
    }

    const QPoint natural = GetDisplaySize(false);
    c.X0 = natural.x() < 200 ? 100 - natural.x() / 2 : 0;
    c.Y0 = natural.y() < 200 ? 100 - natural.y() / 2 : 0;
    const int l = FPinNameLengthTyped;
    const int p0 = FParam0;
    const int p1 = FParam1;
    const int tc = c.Tc;
    const TPinIndex pins(FPinList);
    const auto number = [](int ANum) { return QString::number(ANum); };
    // The name of pin ANum in its colour: right-aligned to end at AEnd, or from AX.
    const auto nameRight = [&](int ANum, int AEnd, int AY) {
        if (const TKVPinData* pin = pins.Find(ANum))
            c.TextRight(AEnd, AY, pin->pdName, PinTypeToColor(pin->pdPinType));
    };
    const auto nameAt = [&](int ANum, int AX, int AY) {
        if (const TKVPinData* pin = pins.Find(ANum))
            c.Text(AX, AY, pin->pdName, PinTypeToColor(pin->pdPinType));
    };
    // A turned name: it runs upwards from AY, or, AHanging, hangs below AY (it starts at AY
    // plus its width and ends at AY).
    const auto nameUp = [&](int ANum, int AX, int AY, bool AHanging) {
        if (const TKVPinData* pin = pins.Find(ANum))
            c.TextUp(AX, AHanging ? AY + c.TextWidth(pin->pdName) : AY, pin->pdName,
                     PinTypeToColor(pin->pdPinType));
    };

    switch (FCaseVisualType) {
    case cvtVertLine:
        c.Body(l + 10, 10, l + 140, 10 + 16 * p0);
        for (int i = 0; i < p0; ++i) {
            const int y = 10 + 16 * i + tc;
            c.Text(l + 14, y, number(i + 1), kBlack);
            nameRight(i + 1, l + 6, y);
        }
        c.Names(l + 90, 10, FCaseName, FElementTypeName);
        c.KeyMark(l + 44, 14);
        break;
    case cvtHorLine:
    case cvtHorLineWithGE: {
        const bool ge = FCaseVisualType == cvtHorLineWithGE;
        const int top = ge ? 40 : 10;
        const int bottom = ge ? 130 : 140;
        c.Body(10, top, 10 + 16 * p0, bottom);
        for (int i = 0; i < p0; ++i) {
            const int x = 10 + 16 * i + tc;
            const QString num = number(i + 1);
            c.TextUp(x, bottom - 4, num, kBlack);
            nameUp(i + 1, x, bottom + 4, true);
        }
        int namesTop = 10;
        if (ge) {
            if (p1 == 1)
                c.Ellipse(2 + 8 * p0, 62, 18 + 8 * p0, 78, 2, kWhite);
            else if (p1 == 2)
                c.UpperArc(10, 24, 10 + 16 * p0, 56);
            else if (p1 == 3)
                c.Ellipse(10, 24, 10 + 16 * p0, 56, 2, kWhite);
            namesTop = 40 + (p1 == 3 ? 16 : 0);
        }
        c.Names(10 + 8 * p0, namesTop, FCaseName, FElementTypeName);
        if (ge)
            c.KeyMark(14, 89);
        else
            c.KeyMark(14, 99);
        break;
    }
    case cvtDoubleLineSerialPinNum:
    case cvtDoubleLineSerialPinNumSkip:
    case cvtDoubleLineParallelPinNum: {
        const bool skip = FCaseVisualType == cvtDoubleLineSerialPinNumSkip;
        const bool parallel = FCaseVisualType == cvtDoubleLineParallelPinNum;
        const int rows = skip ? 2 * p0 : p0;
        c.Body(l + 10, 10, l + 170, skip ? 42 + 32 * p0 : 10 + 16 * p0);
        for (int k = 0; k < rows; ++k) {
            const int y = (skip && k >= p0 ? 42 + 16 * k : 10 + 16 * k) + tc;
            const int left = parallel ? 2 * k + 1 : k + 1;
            const int right = parallel ? 2 * k + 2 : 2 * rows - k;
            c.Text(l + 14, y, number(left), kBlack);
            c.TextRight(l + 166, y, number(right), kBlack);
            nameRight(left, l + 6, y);
            nameAt(right, l + 174, y);
        }
        c.Names(l + 90, 10, FCaseName, FElementTypeName);
        c.KeyMark(l + 44, 14);
        break;
    }
    case cvtQuadroLineStandPinNum:
    case cvtQuadroLineShiftPinNum: {
        const int shift = FCaseVisualType == cvtQuadroLineShiftPinNum ? FParam2 : 0;
        const int total = 2 * p0 + 2 * p1;
        c.Body(l + 10, l + 10, l + 70 + 16 * p0, l + 70 + 16 * p1);
        for (int i = 0; i < p0; ++i) {
            const int x = l + 40 + 16 * i + tc;
            const int bottomNum = p1 + i + 1 - shift;
            const int topNum = total - i - shift;
            c.TextUp(x, l + 66 + 16 * p1, number(bottomNum), kBlack);
            const QString top = number(topNum);
            c.TextUp(x, l + 14 + c.TextWidth(top), top, kBlack);
            nameUp(bottomNum, x, l + 74 + 16 * p1, true);
            nameUp(topNum, x, l + 6, false);
        }
        for (int j = 0; j < p1; ++j) {
            const int y = l + 40 + 16 * j + tc;
            int leftNum = j + 1 - shift;
            if (leftNum < 1)
                leftNum += total;
            const int rightNum = 2 * p1 + p0 - j - shift;
            c.Text(l + 14, y, number(leftNum), kBlack);
            c.TextRight(l + 66 + 16 * p0, y, number(rightNum), kBlack);
            nameRight(leftNum, l + 6, y);
            nameAt(rightNum, l + 74 + 16 * p0, y);
        }
        c.Names(l + 40 + 8 * p0, l + 40, FCaseName, FElementTypeName);
        if (shift)
            c.KeyMark(l + 44, l + 45 + 16 * shift);
        else
            c.KeyMark(l + 14, l + 14);
        break;
    }
    case cvtGridArray: {
        c.Body(40, 40, 44 + 20 * p0, 44 + 20 * p1);
        for (int i = 0; i < p0; ++i)
            c.TextUp(44 + 20 * i + tc, 36, number(i + 1), kBlack);
        for (int j = 0; j < p1; ++j)
            c.TextRight(36, 44 + 20 * j + tc, GridIndexToLetters(static_cast<quint8>(j)), kBlack);
        for (int j = 0; j < p1; ++j)
            for (int i = 0; i < p0; ++i) {
                const TKVPinData* pin = pins.Find(i + 1 + j * p0);
                c.Ball(44 + 20 * i, 44 + 20 * j, pin ? PinTypeToFillColor(pin->pdPinType) : kWhite);
            }
        c.KeyMark(29, 29);
        const int t = 64 + 20 * p1;
        for (int j = 0; j < p1; ++j) {
            const int y = t + 16 + 16 * j;
            c.Fill(10, y, 41, y + 17, kHeadCell);
            c.Text(14, y + tc, GridIndexToLetters(static_cast<quint8>(j)), kBlack);
            c.Line(10, y, 40 + l * p0, y);
        }
        for (int i = 0; i < p0; ++i) {
            c.Fill(40 + l * i, t, 41 + l * (i + 1), t + 17, kHeadCell);
            c.Text(44 + l * i, t + tc, number(i + 1), kBlack);
            c.Line(40 + l * i, t, 40 + l * i, t + 16 + 16 * p1);
        }
        for (int i = 0; i < p0; ++i)
            for (int j = 0; j < p1; ++j)
                nameAt(i + 1 + j * p0, 44 + l * i, t + 16 + 16 * j + tc);
        break;
    }
    case cvtUntyped:
        break;
    }
    return true;
}
