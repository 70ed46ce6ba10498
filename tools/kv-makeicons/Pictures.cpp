#include "Pictures.h"

#include "Kit.h"

#include <QLinearGradient>
#include <QPainterPath>

namespace {

// --- The program's mark, drawn large --------------------------------------------------------

// The mark of icon 2000 (a chip whose body is a catalogue card) on its 16-unit grid, with fine
// outlines that suit a large picture. ASize is the side in pixels.
void BigMark(QPainter& AP, double AX, double AY, double ASize) {
    AP.save();
    AP.translate(AX, AY);
    AP.scale(ASize / 16.0, ASize / 16.0);
    const double line = 0.18;
    const auto rounded = [](double AL, double AT, double AW, double AH, double AR) {
        QPainterPath path;
        path.addRoundedRect(QRectF(AL, AT, AW, AH), AR, AR);
        return path;
    };

    // A soft shadow under the body.
    AP.setPen(Qt::NoPen);
    AP.setBrush(QColor(0x27, 0x4B, 0x9A, 40));
    AP.drawPath(rounded(0.35, 0.55, 15.6, 15.6, 3.5));

    // Body: navy with a lighter upper half.
    const QPainterPath body = rounded(0.1, 0.1, 15.6, 15.6, 3.4);
    AP.setBrush(Pal::Navy);
    AP.drawPath(body);
    AP.save();
    AP.setClipPath(body);
    QLinearGradient glow(0, 0, 0, 8.5);
    glow.setColorAt(0, Mix(Pal::Navy, Pal::Sky, 0.55));
    glow.setColorAt(1, Mix(Pal::Navy, Pal::Blue, 0.35));
    AP.setBrush(glow);
    AP.drawPath(rounded(0.9, 0.9, 14.2, 7.4, 2.6));
    AP.restore();
    AP.setBrush(Qt::NoBrush);
    AP.setPen(QPen(Edge(Pal::Navy), line));
    AP.drawPath(body);

    // Pins on both sides.
    AP.setPen(Qt::NoPen);
    for (double y : {5.0, 8.0, 11.0}) {
        AP.setBrush(Pal::Silver);
        AP.drawRoundedRect(QRectF(1.7, y, 2.4, 1.0), 0.2, 0.2);
        AP.drawRoundedRect(QRectF(11.9, y, 2.4, 1.0), 0.2, 0.2);
    }

    // The card with its lines.
    AP.setBrush(Pal::White);
    AP.setPen(QPen(Mix(Pal::Navy, Pal::Grey, 0.5), line));
    AP.drawRoundedRect(QRectF(4.4, 3.2, 7.2, 10.6), 0.8, 0.8);
    AP.setPen(Qt::NoPen);
    AP.setBrush(Pal::Orange);
    AP.drawRoundedRect(QRectF(6.0, 6.0, 4.0, 0.9), 0.3, 0.3);
    AP.setBrush(Pal::Grey);
    AP.drawRoundedRect(QRectF(6.0, 8.0, 4.0, 0.9), 0.3, 0.3);
    AP.drawRoundedRect(QRectF(6.0, 10.0, 3.0, 0.9), 0.3, 0.3);
    AP.restore();
}

// --- Stroke letters -------------------------------------------------------------------------

// One capital letter of the program's name as centre lines in a box of 1 × 1 (x to the right,
// y downwards); the width factor says how wide the letter is against the others.
struct TGlyph {
    QChar Letter;
    double Width;
    QPainterPath Path;
};

QPainterPath GlyphPath(QChar ALetter) {
    QPainterPath p;
    switch (ALetter.unicode()) {
    case u'К':
        p.moveTo(0, 0);
        p.lineTo(0, 1);
        p.moveTo(0.95, 0);
        p.lineTo(0.05, 0.56);
        p.moveTo(0.34, 0.38);
        p.lineTo(1, 1);
        break;
    case u'О':
        p.addEllipse(QRectF(0, 0, 1, 1));
        break;
    case u'Р':
        p.moveTo(0, 1);
        p.lineTo(0, 0);
        p.lineTo(0.55, 0);
        p.cubicTo(1.02, 0, 1.02, 0.56, 0.55, 0.56);
        p.lineTo(0, 0.56);
        break;
    case u'В':
        p.moveTo(0, 0.48);
        p.lineTo(0.5, 0.48);
        p.cubicTo(0.92, 0.48, 0.92, 0, 0.5, 0);
        p.lineTo(0, 0);
        p.lineTo(0, 1);
        p.lineTo(0.55, 1);
        p.cubicTo(1.02, 1, 1.02, 0.48, 0.55, 0.48);
        break;
    case u'А':
        p.moveTo(0, 1);
        p.lineTo(0.5, 0);
        p.lineTo(1, 1);
        p.moveTo(0.22, 0.64);
        p.lineTo(0.78, 0.64);
        break;
    case u'Н':
        p.moveTo(0, 0);
        p.lineTo(0, 1);
        p.moveTo(1, 0);
        p.lineTo(1, 1);
        p.moveTo(0, 0.5);
        p.lineTo(1, 0.5);
        break;
    case u'Т':
        p.moveTo(0, 0);
        p.lineTo(1, 0);
        p.moveTo(0.5, 0);
        p.lineTo(0.5, 1);
        break;
    default:
        break;
    }
    return p;
}

double GlyphWidth(QChar ALetter) {
    switch (ALetter.unicode()) {
    case u'О':
    case u'А':
        return 1.12;
    case u'Р':
    case u'В':
        return 0.86;
    default:
        return 1.0;
    }
}

// The width in pixels that Word takes.
double WordWidth(const QString& AWord, double AHeight, double AStroke, double AGap) {
    double width = 0;
    for (QChar c : AWord)
        width += GlyphWidth(c) * AHeight * 0.62 + AStroke + AGap;
    return width - AGap;
}

// Writes AWord in stroke capitals whose strokes fill the box from (AX, AY), AHeight high.
void Word(QPainter& AP, const QString& AWord, double AX, double AY, double AHeight, double AStroke,
          double AGap, const QColor& AColor) {
    AP.save();
    AP.setBrush(Qt::NoBrush);
    AP.setPen(QPen(AColor, AStroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    double x = AX + AStroke / 2;
    const double inner = AHeight - AStroke;
    for (QChar c : AWord) {
        const double w = GlyphWidth(c) * AHeight * 0.62;
        QTransform t;
        t.translate(x, AY + AStroke / 2);
        t.scale(w, inner);
        AP.drawPath(t.map(GlyphPath(c)));
        x += w + AStroke + AGap;
    }
    AP.restore();
}

// --- Circuit traces --------------------------------------------------------------------------

// A trace through APoints ending in a small pad, in a faint colour.
void Trace(QPainter& AP, std::initializer_list<QPointF> APoints, const QColor& AColor) {
    QPainterPath path;
    bool first = true;
    QPointF last;
    for (const QPointF& pt : APoints) {
        if (first)
            path.moveTo(pt);
        else
            path.lineTo(pt);
        first = false;
        last = pt;
    }
    AP.save();
    AP.setBrush(Qt::NoBrush);
    AP.setPen(QPen(AColor, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    AP.drawPath(path);
    AP.setBrush(Qt::white);
    AP.setPen(QPen(AColor, 2));
    AP.drawEllipse(last, 3.5, 3.5);
    AP.restore();
}

const QColor TraceColour = Mix(Pal::Cloud, Pal::Silver, 0.55);

// --- The pictures ---------------------------------------------------------------------------

// The splash: the mark at the left, the name at the right above the version line (drawn by
// the window at (229, 120)), traces from the mark's pins, a blue line along the foot under
// the line of rights (drawn by the window at (35, 224)).
void Splash(QPainter& AP) {
    const double markX = 44, markY = 44, markSize = 144;
    const double unit = markSize / 16.0;
    // Traces leave the pins to the left edge and to the right under the name.
    for (int i = 0; i < 3; ++i) {
        const double y = markY + (5.5 + 3 * i) * unit;
        Trace(AP, {{markX + 2 * unit, y}, {22.0 - 4 * i, y}, {22.0 - 4 * i, 30.0 + 20 * i}},
              TraceColour);
    }
    Trace(AP,
          {{markX + 14 * unit, markY + 11.5 * unit},
           {214, markY + 11.5 * unit},
           {232, 160},
           {372, 160}},
          TraceColour);
    Trace(AP,
          {{markX + 14 * unit, markY + 8.5 * unit},
           {206, markY + 8.5 * unit},
           {206, 186},
           {300, 186}},
          TraceColour);
    BigMark(AP, markX, markY, markSize);

    // The name, with an orange rule under it that ends where the name ends.
    const double nameX = 229, nameY = 76, height = 24, stroke = 3.8, gap = 4;
    Word(AP, QStringLiteral("КОРВАНТ"), nameX, nameY, height, stroke, gap, Pal::Navy);
    const double width = WordWidth(QStringLiteral("КОРВАНТ"), height, stroke, gap);
    AP.fillRect(QRectF(nameX, nameY + height + 7, width, 2.5), Pal::Orange);

    // The foot.
    QLinearGradient foot(0, 0, 400, 0);
    foot.setColorAt(0, Pal::Navy);
    foot.setColorAt(1, Pal::Blue);
    AP.fillRect(QRectF(0, 244, 400, 6), foot);
}

// The about box's background: a light panel at the left with the mark and the name, the
// white field at the right for the texts that the box writes from x 214 on.
void AboutBackground(QPainter& AP) {
    QLinearGradient panel(0, 0, 0, 200);
    panel.setColorAt(0, Pal::Cloud);
    panel.setColorAt(1, Mix(Pal::Cloud, Pal::Sky, 0.18));
    AP.fillRect(QRectF(0, 0, 200, 200), panel);
    AP.fillRect(QRectF(200, 0, 1, 200), Mix(Pal::Cloud, Pal::Silver, 0.7));

    const double markX = 50, markY = 22, markSize = 100;
    const double unit = markSize / 16.0;
    const QColor trace = Mix(Pal::Cloud, Pal::Silver, 0.8);
    for (int i = 0; i < 3; ++i) {
        const double y = markY + (5.5 + 3 * i) * unit;
        Trace(AP, {{markX + 2 * unit, y}, {28.0 - 6 * i, y}, {28.0 - 6 * i, 14.0 + 10 * i}}, trace);
        Trace(AP, {{markX + 14 * unit, y}, {172.0 + 6 * i, y}, {172.0 + 6 * i, 14.0 + 10 * i}},
              trace);
    }
    BigMark(AP, markX, markY, markSize);

    const double height = 18, stroke = 2.8, gap = 3.5;
    const double width = WordWidth(QStringLiteral("КОРВАНТ"), height, stroke, gap);
    Word(AP, QStringLiteral("КОРВАНТ"), 100 - width / 2, 148, height, stroke, gap, Pal::Navy);
    AP.fillRect(QRectF(100 - width / 2, 148 + height + 5, width, 2), Pal::Orange);
}

} // namespace

std::vector<TPicture> Pictures() {
    return {
        {"logo", "splash window, 400 × 250",
         "the program's mark with circuit traces, the name in stroke capitals, a blue foot",
         QSize(400, 250), Splash},
        {"about", "about box background, 450 × 200",
         "light panel with the program's mark and name at the left, white field at the right",
         QSize(450, 200), AboutBackground},
    };
}

QImage RenderPicture(const TPicture& APicture) {
    QImage image(APicture.Size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    APicture.Draw(p);
    p.end();
    return image;
}
