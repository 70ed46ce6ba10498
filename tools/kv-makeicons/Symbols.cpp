#include "Symbols.h"

#include "Shapes.h"

#include <QPainterPathStroker>
#include <QTransform>
#include <QtMath>

QPainterPath Thick(const QPainterPath& ACentre, double AWidth, Qt::PenCapStyle ACap) {
    QPainterPathStroker stroker;
    stroker.setWidth(AWidth);
    stroker.setCapStyle(ACap);
    stroker.setJoinStyle(Qt::MiterJoin);
    return stroker.createStroke(ACentre).simplified();
}

QPainterPath ArrowPath(double AX1, double AY1, double AX2, double AY2, double AShaft,
                       double AHeadWidth, double AHeadLength) {
    const double len = qHypot(AX2 - AX1, AY2 - AY1);
    const double s = AShaft / 2, h = AHeadWidth / 2, b = len - AHeadLength;
    QPainterPath local = PolyPath({{0, -s}, {b, -s}, {b, -h}, {len, 0}, {b, h}, {b, s}, {0, s}});
    QTransform t;
    t.translate(AX1, AY1);
    t.rotateRadians(qAtan2(AY2 - AY1, AX2 - AX1));
    return t.map(local);
}

QPainterPath StarShape(double ACX, double ACY, double AOuter, double AInner) {
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double r = (i % 2 == 0) ? AOuter : AInner;
        const double a = -M_PI / 2 + i * M_PI / 5;
        const QPointF pt(ACX + r * qCos(a), ACY + r * qSin(a));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    path.closeSubpath();
    return path;
}

void SpareTile(QPainter& AP, int AIndex) {
    // A pale plate with dots that spell the index in binary: neutral, yet no two alike.
    Box(AP, 2, 2, 13, 13, Pal::Cloud, 2);
    for (int bit = 0; bit < 7; ++bit) {
        const double x = 4 + (bit % 4) * 2.5, y = bit < 4 ? 5 : 10;
        if (AIndex & (1 << bit))
            Plate(AP, x, y, 2, 2, Pal::Grey);
        else
            Plate(AP, x + 0.5, y + 0.5, 1, 1, Pal::Silver);
    }
}

void Gear(QPainter& AP, const QColor& AColor) {
    QPainterPath gear = DiscPath(8.5, 8.5, 5.6);
    for (int i = 0; i < 8; ++i) {
        QPainterPath tooth;
        tooth.addRect(QRectF(-1.4, -7.1, 2.8, 3.5));
        QTransform t;
        t.translate(8.5, 8.5);
        t.rotate(i * 45 + 22.5);
        gear = gear.united(t.map(tooth));
    }
    gear = gear.subtracted(DiscPath(8.5, 8.5, 2.6));
    Solid(AP, gear.simplified(), AColor);
}

void Database(QPainter& AP, const QColor& AColor, double AX, double AY, double AW, double AH) {
    const double l = AX + 0.5, r = AX + AW - 0.5, t = AY + 0.5, b = AY + AH - 0.5;
    const double eh = qMax(3.0, AW * 0.32); // ellipse height
    QPainterPath body;
    body.moveTo(l, t + eh / 2);
    body.lineTo(l, b - eh / 2);
    body.arcTo(QRectF(l, b - eh, r - l, eh), 180, 180);
    body.lineTo(r, t + eh / 2);
    body.arcTo(QRectF(l, t, r - l, eh), 0, 180);
    body.closeSubpath();
    Solid(AP, body, AColor);
    Solid(
        AP,
        [&] {
            QPainterPath top;
            top.addEllipse(QRectF(l, t, r - l, eh));
            return top;
        }(),
        Lite(AColor, 0.4));
    const double span = (b - eh / 2) - (t + eh / 2);
    for (double f : {1.0 / 3, 2.0 / 3}) {
        const double y = t + eh / 2 + span * f;
        QPainterPath band;
        band.arcMoveTo(QRectF(l, y - eh / 2, r - l, eh), 180);
        band.arcTo(QRectF(l, y - eh / 2, r - l, eh), 180, 180);
        Stroke(AP, band, Lite(AColor, 0.45), 1);
    }
}

void PlugPair(QPainter& AP, bool AConnected) {
    AP.save();
    AP.translate(8.5, 8.5);
    AP.rotate(-45);
    const double gap = AConnected ? 0 : 1.8;
    const QColor body = AConnected ? Pal::Green : Pal::Grey;
    // plug: cord, body, prongs
    Line(AP, -9, 0, -4.5 - gap, 0, Pal::Slate, 1.5);
    Line(AP, -0.5 - gap, -1.5, 2 - gap, -1.5, Pal::Slate, 1.2);
    Line(AP, -0.5 - gap, 1.5, 2 - gap, 1.5, Pal::Slate, 1.2);
    Solid(AP, BoxPath(-5 - gap, -3, 5, 6, 1), body);
    // socket
    Line(AP, 5 + gap, 0, 9, 0, Pal::Slate, 1.5);
    Solid(AP, BoxPath(1 + gap, -3.5, 5, 7, 1), body);
    AP.restore();
    if (!AConnected) {
        Line(AP, 5, 5, 6.5, 6.5, Pal::Red, 1.2, Qt::RoundCap);
        Line(AP, 10, 10, 11.5, 11.5, Pal::Red, 1.2, Qt::RoundCap);
        Line(AP, 5.5, 11.5, 7.5, 10.5, Pal::Red, 1.2, Qt::RoundCap);
        Line(AP, 9.5, 6.5, 11.5, 5.5, Pal::Red, 1.2, Qt::RoundCap);
    }
}

void DatabaseArrow(QPainter& AP, bool AIn) {
    Database(AP, Pal::Blue, 1, 5, 11, 11);
    Cut(AP, 12.5, 5, 5);
    if (AIn)
        Solid(AP, ArrowPath(14.5, 1.5, 9.3, 6.7, 2.6, 6.5, 3.8), Pal::Green);
    else
        Solid(AP, ArrowPath(9.3, 6.7, 14.3, 1.7, 2.6, 6.5, 3.8), Pal::Orange);
}

void ClassTree(QPainter& AP) {
    const QColor l = Pal::Slate;
    Line(AP, 4.5, 5, 4.5, 13.5, l);
    Line(AP, 4.5, 8.5, 8, 8.5, l);
    Line(AP, 4.5, 13.5, 8, 13.5, l);
    Box(AP, 1, 1, 8, 5, Pal::Orange, 1);
    Box(AP, 7, 6, 8, 5, Pal::Blue, 1);
    Box(AP, 7, 11, 8, 5, Pal::Green, 1);
}

void Factory(QPainter& AP) {
    Box(AP, 10, 0, 4, 8, Pal::Red);
    Plate(AP, 10, 2, 4, 1, Pal::White);
    Solid(AP,
          PolyPath({{1.5, 14.5},
                    {1.5, 7.5},
                    {5.5, 4.5},
                    {5.5, 7.5},
                    {9.5, 4.5},
                    {9.5, 7.5},
                    {14.5, 7.5},
                    {14.5, 14.5}}),
          Pal::Slate);
    for (double x : {3.0, 7.0, 11.0})
        Plate(AP, x, 10, 2, 2, Pal::Yellow);
}

void Ruler(QPainter& AP) {
    AP.save();
    AP.translate(8.5, 8.5);
    AP.rotate(-45);
    Solid(AP, BoxPath(-9, -3.5, 18, 7, 0.5), Pal::Yellow);
    for (int i = -3; i <= 3; ++i) {
        const double x = i * 2.2;
        Line(AP, x, -3, x, i % 2 == 0 ? 0.2 : -1.2, Edge(Pal::Yellow), 0.9);
    }
    AP.restore();
}

void Sliders(QPainter& AP) {
    const double ys[3] = {2.5, 8.5, 14.5};
    const double xs[3] = {10, 4, 8};
    const QColor knobs[3] = {Pal::Blue, Pal::Green, Pal::Orange};
    for (int i = 0; i < 3; ++i) {
        Line(AP, 1, ys[i], 16, ys[i], Pal::Slate, 1);
        Box(AP, xs[i], ys[i] - 2.5, 4, 5, knobs[i], 1);
    }
}

void Truck(QPainter& AP, const QColor& AColor) {
    Box(AP, 0, 2, 11, 10, AColor, 0.5);
    Solid(AP, PolyPath({{10.5, 5.5}, {13.5, 5.5}, {15.5, 8.5}, {15.5, 12.5}, {10.5, 12.5}}),
          Dark(AColor, 0.15));
    Flat(AP, PolyPath({{12, 6.8}, {13.2, 6.8}, {14.4, 8.6}, {12, 8.6}}), Pal::Cloud);
    Disc(AP, 4, 13, 2.5, Pal::Chip);
    Disc(AP, 12.5, 13, 2.5, Pal::Chip);
}

void ArchiveBox(QPainter& AP) {
    Box(AP, 2, 5, 13, 10, Pal::Grey, 0.5);
    Box(AP, 1, 1, 15, 5, Pal::Slate, 0.5);
    Box(AP, 6, 8, 5, 3, Pal::White, 1);
}

void StickyNote(QPainter& AP, const QColor& AColor, double AX, double AY, double AW, double AH) {
    const double l = AX + 0.5, t = AY + 0.5, r = AX + AW - 0.5, b = AY + AH - 0.5;
    const double f = qMin(AW, AH) * 0.3;
    Solid(AP, PolyPath({{l, t}, {r, t}, {r, b - f}, {r - f, b}, {l, b}}), AColor);
    Solid(AP, PolyPath({{r, b - f}, {r - f, b - f}, {r - f, b}}), Dark(AColor, 0.15));
    for (double y = t + 2.5; y < b - f - 0.5; y += 2.5)
        Line(AP, l + 2, y, r - 2, y, Dark(AColor, 0.35));
}

void BigPlus(QPainter& AP) {
    Solid(AP,
          PolyPath({{6.5, 1.5},
                    {10.5, 1.5},
                    {10.5, 6.5},
                    {15.5, 6.5},
                    {15.5, 10.5},
                    {10.5, 10.5},
                    {10.5, 15.5},
                    {6.5, 15.5},
                    {6.5, 10.5},
                    {1.5, 10.5},
                    {1.5, 6.5},
                    {6.5, 6.5}}),
          Pal::Green);
}

void BigCross(QPainter& AP) {
    QPainterPath x;
    x.moveTo(3, 3);
    x.lineTo(14, 14);
    x.moveTo(14, 3);
    x.lineTo(3, 14);
    Solid(AP, Thick(x, 3.4), Pal::Red);
}

void Pencil(QPainter& AP) {
    AP.save();
    AP.translate(8.5, 8.5);
    AP.rotate(45);
    Solid(AP, BoxPath(-2.5, -8, 5, 3, 0.5), Pal::Pink);
    Solid(AP, BoxPath(-2.5, -5.5, 5, 9), Pal::Orange);
    Line(AP, 0, -5, 0, 3, Lite(Pal::Orange, 0.4), 1);
    Solid(AP, PolyPath({{-2, 3.5}, {2, 3.5}, {0, 8.5}}), Pal::Beige);
    Flat(AP, PolyPath({{-0.8, 6.4}, {0.8, 6.4}, {0, 8.5}}), Pal::Ink);
    AP.restore();
}

void Refresh(QPainter& AP, const QColor& AColor) {
    const QRectF r(3.5, 3.5, 10, 10);
    QPainterPath a, b;
    a.arcMoveTo(r, 160);
    a.arcTo(r, 160, -130);
    b.arcMoveTo(r, 340);
    b.arcTo(r, 340, -130);
    Solid(AP, Thick(a, 2.2).united(ArrowPath(12.6, 2.0, 13.4, 7.8, 0.1, 6, 4.2)), AColor);
    Solid(AP, Thick(b, 2.2).united(ArrowPath(4.4, 15.0, 3.6, 9.2, 0.1, 6, 4.2)), AColor);
}

void Page(QPainter& AP, double AX, double AY, double AW, double AH, bool ALines) {
    const double l = AX + 0.5, t = AY + 0.5, r = AX + AW - 0.5, b = AY + AH - 0.5;
    const double f = 3;
    Solid(AP, PolyPath({{l, t}, {r - f, t}, {r, t + f}, {r, b}, {l, b}}), Pal::White);
    Stroke(AP, PolyPath({{r - f, t}, {r - f, t + f}, {r, t + f}}, false), Edge(Pal::White), 1);
    if (ALines)
        for (double y = t + 4; y < b - 1; y += 2)
            Line(AP, l + 2, y, r - 2, y, Pal::Grey, 1);
}

void Pages(QPainter& AP) {
    Page(AP, 1, 1, 9, 11, false);
    Page(AP, 6, 4, 9, 11, true);
}

void ClipBoard(QPainter& AP) {
    Box(AP, 2, 1, 13, 15, Pal::Brown, 1);
    Box(AP, 4, 3, 9, 11, Pal::White);
    for (double y : {7.5, 9.5, 11.5})
        Line(AP, 5.5, y, 11.5, y, Pal::Grey);
    Box(AP, 5, 0, 7, 4, Pal::Slate, 1);
}

void Wand(QPainter& AP) {
    Solid(AP, Thick(PolyPath({{2, 15}, {9.5, 7.5}}, false), 2.4), Pal::Chip);
    Solid(AP, Thick(PolyPath({{8.2, 8.8}, {10, 7}}, false), 2.4), Pal::White);
    Solid(AP, StarShape(11.5, 5, 4.4, 1.9), Pal::Yellow);
    Line(AP, 3.5, 2, 3.5, 6, Pal::Orange, 1);
    Line(AP, 1.5, 4, 5.5, 4, Pal::Orange, 1);
    Line(AP, 14.5, 10, 14.5, 13, Pal::Orange, 1);
    Line(AP, 13, 11.5, 16, 11.5, Pal::Orange, 1);
}

void Picture(QPainter& AP, bool AFull) {
    const QColor sky = AFull ? Lite(Pal::Sky, 0.3) : Pal::Cloud;
    Box(AP, 0, 2, 16, 13, sky, 1);
    const QColor hill = AFull ? Pal::Green : Pal::Silver;
    const QColor hill2 = AFull ? Pal::Lime : Mix(Pal::Silver, Pal::Cloud, 0.5);
    Flat(AP, PolyPath({{7, 14}, {11, 8}, {15, 12}, {15, 14}}), hill2);
    Flat(AP, PolyPath({{1, 14}, {1, 12}, {6, 6.5}, {11, 14}}), hill);
    Disc(AP, 11.5, 5.5, 1.8, AFull ? Pal::Yellow : Pal::Silver);
    Stroke(AP, BoxPath(0, 2, 16, 13, 1), Edge(AFull ? Pal::Sky : Pal::Silver), 1);
}

void RoundSign(QPainter& AP, const QColor& AColor, char ASign, double AR) {
    Disc(AP, 8.5, 8.5, AR, AColor);
    const QColor w = Pal::White;
    const double k = AR / 7;
    AP.save();
    AP.translate(8.5, 8.5);
    AP.scale(k, k);
    switch (ASign) {
    case 'i':
        Flat(AP, DiscPath(0, -3.8, 1.7), w);
        Flat(AP, BoxPath(-1.6, -1.5, 3.2, 6.8, 0.3).united(BoxPath(-2.6, 4, 5.2, 1.5)), w);
        break;
    case '?': {
        QPainterPath q;
        q.moveTo(-2.8, -2.2);
        q.cubicTo(-2.8, -5.6, 2.8, -5.6, 2.8, -2.2);
        q.cubicTo(2.8, 0.2, 0, 0.2, 0, 2.2);
        Stroke(AP, q, w, 2.2, Qt::FlatCap);
        Flat(AP, DiscPath(0, 4.7, 1.6), w);
        break;
    }
    case 'x': {
        QPainterPath x;
        x.moveTo(-3.2, -3.2);
        x.lineTo(3.2, 3.2);
        x.moveTo(3.2, -3.2);
        x.lineTo(-3.2, 3.2);
        Stroke(AP, x, w, 2.4, Qt::RoundCap);
        break;
    }
    case 'v':
        Stroke(AP, PolyPath({{-3.8, 0.2}, {-1.2, 2.9}, {3.8, -2.6}}, false), w, 2.4, Qt::RoundCap);
        break;
    case '>':
        Flat(AP, ArrowPath(-4, 0, 4.5, 0, 2.6, 6.8, 4), w);
        break;
    default:
        break;
    }
    AP.restore();
}

void OpenFolder(QPainter& AP) {
    Solid(AP, PolyPath({{1.5, 14.5}, {1.5, 2.5}, {6, 2.5}, {7.5, 4.5}, {13.5, 4.5}, {13.5, 14.5}}),
          Dark(Pal::Yellow, 0.12));
    Solid(AP, PolyPath({{1.5, 14.5}, {4.5, 7.5}, {16, 7.5}, {13.5, 14.5}}), Pal::Yellow);
}

void Floppy(QPainter& AP) {
    Solid(AP, PolyPath({{1.5, 1.5}, {12.5, 1.5}, {14.5, 3.5}, {14.5, 14.5}, {1.5, 14.5}}),
          Pal::Blue);
    Box(AP, 4, 1, 8, 5, Pal::Silver);
    Plate(AP, 9, 2, 2, 3, Pal::Slate);
    Box(AP, 3, 8, 10, 7, Pal::White);
    Line(AP, 5, 10.5, 11, 10.5, Pal::Grey);
    Line(AP, 5, 12.5, 11, 12.5, Pal::Grey);
}

void ExitDoor(QPainter& AP) {
    Box(AP, 5, 0, 10, 16, Pal::Cloud);
    Solid(AP, PolyPath({{5.5, 0.5}, {11.5, 2.5}, {11.5, 15.5}, {5.5, 15.5}}), Pal::Brown);
    Plate(AP, 9, 8, 1, 2, Pal::Yellow);
    Cut(AP, 3.5, 8.5, 3.6);
    Solid(AP, ArrowPath(9, 8.5, 0.5, 8.5, 2.6, 6.6, 3.6), Pal::Red);
}

namespace {

void Win(QPainter& AP, double AX, double AY, double AW, double AH) {
    Box(AP, AX, AY, AW, AH, Pal::White);
    Plate(AP, AX + 1, AY + 1, AW - 2, 2, Pal::Blue);
}

} // namespace

void Windows(QPainter& AP, int AKind) {
    switch (AKind) {
    case 0: // two windows
        Win(AP, 0, 1, 11, 9);
        Win(AP, 5, 6, 11, 9);
        break;
    case 1: // cascade
        Win(AP, 1, 1, 9, 7);
        Win(AP, 3, 4, 9, 7);
        Win(AP, 5, 7, 10, 8);
        break;
    case 2: // one above the other
        Win(AP, 1, 1, 14, 7);
        Win(AP, 1, 8, 14, 7);
        break;
    case 3: // side by side
        Win(AP, 1, 1, 7, 14);
        Win(AP, 8, 1, 7, 14);
        break;
    case 4: // previous
    case 5: // next
        Win(AP, 0, 1, 16, 14);
        if (AKind == 4)
            Solid(AP, ArrowPath(13, 9.5, 3, 9.5, 2.6, 7, 4), Pal::Green);
        else
            Solid(AP, ArrowPath(4, 9.5, 14, 9.5, 2.6, 7, 4), Pal::Green);
        break;
    case 6: // close all
        Win(AP, 1, 1, 10, 8);
        Win(AP, 4, 4, 10, 8);
        Badge(AP, TMark::Cross);
        break;
    default:
        break;
    }
}

void BigStar(QPainter& AP, const QColor& AColor) {
    Solid(AP, StarShape(8.5, 9, 7.8, 3.4), AColor);
}

void Globe(QPainter& AP) {
    Disc(AP, 8.5, 8.5, 7.5, Pal::Sky);
    const QColor g = Pal::Green;
    Flat(AP, PolyPath({{4, 4}, {7, 3}, {8.5, 5.5}, {6.5, 8}, {7, 11}, {5, 12.5}, {3, 9}, {2.5, 6}}),
         g);
    Flat(AP, PolyPath({{10, 9}, {13.5, 8}, {14.5, 10.5}, {12, 13.5}, {10.5, 12}}), g);
    Stroke(AP, DiscPath(8.5, 8.5, 7.5), Edge(Pal::Sky), 1);
}

void Magnifier(QPainter& AP, double ACX, double ACY, double AR) {
    const double k = AR / 4.5;
    // The handle ends short of the bottom-right corner pixel, which stays clear.
    const double end = qMin(ACX + AR * 1.6, 14.2);
    Solid(AP, Thick(PolyPath({{ACX + AR * 0.62, ACY + AR * 0.62}, {end, end}}, false), 2.6 * k),
          Pal::Slate);
    QPainterPath ring = DiscPath(ACX, ACY, AR + 0.5).subtracted(DiscPath(ACX, ACY, AR - 1.1 * k));
    Flat(AP, DiscPath(ACX, ACY, AR - 0.8 * k), Lite(Pal::Sky, 0.55));
    Solid(AP, ring, Pal::Slate);
}

void SearchFor(QPainter& AP, const TArt& ASubject) {
    AP.save();
    AP.scale(0.75, 0.75);
    ASubject(AP);
    AP.restore();
    Cut(AP, 10.2, 10.2, 5.2);
    Magnifier(AP, 10.2, 10.2, 3.4);
}

void Calendar(QPainter& AP, double AX, double AY, double AW, double AH) {
    Box(AP, AX, AY + 1, AW, AH - 1, Pal::White, 1);
    Plate(AP, AX + 1, AY + 2, AW - 2, 3, Pal::Red);
    Plate(AP, AX + 3, AY, 1, 3, Pal::Slate);
    Plate(AP, AX + AW - 4, AY, 1, 3, Pal::Slate);
    for (double y = AY + 6; y < AY + AH - 2; y += 2.5)
        for (double x = AX + 2; x < AX + AW - 2; x += 3)
            Plate(AP, x, y, 2, 1.5, Pal::Grey);
}

void Tag(QPainter& AP, const QColor& AColor) {
    QPainterPath tag = PolyPath({{8.5, 1.5}, {15.5, 1.5}, {15.5, 8.5}, {8, 16}, {1, 9}});
    Solid(AP, tag.subtracted(DiscPath(12, 5, 1.8)), AColor);
    Line(AP, 6, 9, 9, 12, Lite(AColor, 0.55), 1.2);
    Line(AP, 7.5, 7.5, 10.5, 10.5, Lite(AColor, 0.55), 1.2);
}

void Eye(QPainter& AP) {
    QPainterPath e;
    e.moveTo(0.5, 8.5);
    e.cubicTo(4, 2, 13, 2, 16.5, 8.5);
    e.cubicTo(13, 15, 4, 15, 0.5, 8.5);
    Solid(AP, e, Pal::White);
    Disc(AP, 8.5, 8.5, 4, Pal::Blue);
    Flat(AP, DiscPath(8.5, 8.5, 1.8), Pal::Ink);
    Flat(AP, DiscPath(7, 7, 0.9), Pal::White);
}

void SheetTable(QPainter& AP, double AX, double AY, double AW, double AH) {
    Box(AP, AX, AY, AW, AH, Pal::White);
    Plate(AP, AX + 1, AY + 1, AW - 2, 3, Pal::Green);
    for (double y = AY + 6.5; y < AY + AH - 1; y += 3)
        Line(AP, AX + 1, y, AX + AW - 1, y, Pal::Silver);
    Line(AP, AX + AW / 2, AY + 4, AX + AW / 2, AY + AH - 1, Pal::Silver);
}

void ListRows(QPainter& AP) {
    Box(AP, 0, 1, 16, 14, Pal::White, 1);
    const QColor dots[3] = {Pal::Blue, Pal::Green, Pal::Orange};
    for (int i = 0; i < 3; ++i) {
        const double y = 3 + i * 4;
        Plate(AP, 2, y, 3, 3, dots[i]);
        Line(AP, 6.5, y + 1.5, 13.5, y + 1.5, Pal::Grey, 1);
    }
}

void Parcel(QPainter& AP) {
    Box(AP, 1, 2, 15, 13, Pal::Brown, 0.5);
    Plate(AP, 7, 3, 3, 11, Lite(Pal::Brown, 0.5));
    Line(AP, 2, 7.5, 15, 7.5, Edge(Pal::Brown), 1);
}

void ChainLinks(QPainter& AP, bool ABroken) {
    AP.save();
    AP.translate(8.5, 8.5);
    AP.rotate(-45);
    const double shift = ABroken ? 1.2 : 0;
    QPainterPath a = BoxPath(-8 - shift, -3, 9, 6, 3);
    QPainterPath b = BoxPath(-1 + shift, -3, 9, 6, 3);
    Solid(AP, Thick(a, 2.2), Pal::Slate);
    Solid(AP, Thick(b, 2.2), Pal::Blue);
    AP.restore();
    if (ABroken) {
        Line(AP, 6, 6, 5, 3.5, Pal::Red, 1.2, Qt::RoundCap);
        Line(AP, 11, 11, 13.5, 12, Pal::Red, 1.2, Qt::RoundCap);
    }
}

void Newspaper(QPainter& AP) {
    Box(AP, 0, 1, 16, 14, Pal::White, 1);
    Plate(AP, 2, 3, 12, 2, Pal::Slate);
    Plate(AP, 2, 7, 5, 5, Pal::Sky);
    for (double y : {7.5, 9.5, 11.5})
        Line(AP, 8.5, y, 13.5, y, Pal::Grey);
}

void ReportChart(QPainter& AP) {
    Page(AP, 2, 0, 13, 16, false);
    Line(AP, 4, 3.5, 9, 3.5, Pal::Slate);
    Plate(AP, 4, 9, 2, 5, Pal::Blue);
    Plate(AP, 7, 6, 2, 8, Pal::Green);
    Plate(AP, 10, 10, 2, 4, Pal::Orange);
}

void FramedThing(QPainter& AP, const TArt& AThing) {
    Box(AP, 0, 1, 16, 14, Lite(Pal::Sky, 0.7), 1);
    AP.save();
    AP.translate(2, 3);
    AP.scale(0.75, 0.75);
    AThing(AP);
    AP.restore();
}

void Blueprint(QPainter& AP, bool ABackground) {
    const QColor line = Pal::Blue;
    if (ABackground)
        Box(AP, 1, 1, 14, 14, Lite(Pal::Sky, 0.75), 1);
    Stroke(AP, BoxPath(5, 3, 7, 10), line, 1);
    for (double y : {5.5, 8.5, 11.5}) {
        Line(AP, 2, y, 5, y, line, 1);
        Line(AP, 12, y, 15, y, line, 1);
    }
    Stroke(AP, DiscPath(7.5, 5.5, 1), line, 1);
}

void Puzzle(QPainter& AP) {
    QPainterPath p = BoxPath(1, 4, 12, 12, 1);
    p = p.united(DiscPath(7, 3.5, 2.8));
    p = p.united(DiscPath(13, 10, 2.8));
    p = p.subtracted(DiscPath(1, 10, 2.6));
    Solid(AP, p.simplified(), Pal::Purple);
}

void Lightbulb(QPainter& AP, const QColor& AColor) {
    QPainterPath bulb;
    bulb.moveTo(5.5, 11.5);
    bulb.cubicTo(5.5, 9.5, 2.5, 8.5, 2.5, 6);
    bulb.arcTo(QRectF(2.5, 0.5, 12, 11), 180, -180);
    bulb.cubicTo(14.5, 8.5, 11.5, 9.5, 11.5, 11.5);
    bulb.closeSubpath();
    Solid(AP, bulb, AColor);
    Flat(AP, BoxPath(4.5, 3, 3, 3, 1.5), Lite(AColor, 0.6));
    Box(AP, 5, 11, 7, 3, Pal::Silver);
    Box(AP, 6, 13, 5, 3, Pal::Slate, 1);
}

void Terminal(QPainter& AP) {
    Box(AP, 0, 1, 16, 14, Pal::Chip, 1);
    Plate(AP, 1, 2, 14, 2, Pal::Slate);
    Stroke(AP, PolyPath({{3, 7}, {5.5, 9.5}, {3, 12}}, false), Pal::Lime, 1.4);
    Line(AP, 7, 12.5, 12, 12.5, Pal::Lime, 1.4);
}

void SpeechBubble(QPainter& AP) {
    QPainterPath b = BoxPath(0, 1, 16, 11, 3).united(PolyPath({{4, 10}, {4, 15.5}, {9, 10}}));
    Solid(AP, b.simplified(), Pal::Sky);
    for (double y : {4.5, 7.5})
        Line(AP, 3.5, y, 12.5, y, Pal::White, 1.4);
}

void WarningSign(QPainter& AP) {
    QPainterPath t;
    t.moveTo(8.5, 1);
    t.lineTo(16, 14.5);
    t.lineTo(1, 14.5);
    t.closeSubpath();
    Solid(AP, t, Pal::Yellow);
    Flat(AP, PolyPath({{7.6, 5}, {9.4, 5}, {9, 10}, {8, 10}}), Pal::Ink);
    Flat(AP, DiscPath(8.5, 12.2, 1.5), Pal::Ink);
}

void Gauge(QPainter& AP) {
    QPainterPath dial;
    dial.moveTo(1.5, 12.5);
    dial.arcTo(QRectF(1.5, 3.5, 14, 18), 180, -180);
    dial.closeSubpath();
    Solid(AP, dial, Pal::White);
    QPainterPath scale;
    scale.arcMoveTo(QRectF(3.5, 5.5, 10, 14), 160);
    scale.arcTo(QRectF(3.5, 5.5, 10, 14), 160, -60);
    Stroke(AP, scale, Pal::Green, 2);
    QPainterPath hot;
    hot.arcMoveTo(QRectF(3.5, 5.5, 10, 14), 60);
    hot.arcTo(QRectF(3.5, 5.5, 10, 14), 60, -40);
    Stroke(AP, hot, Pal::Red, 2);
    Line(AP, 8.5, 12, 12, 6.5, Pal::Ink, 1.3, Qt::RoundCap);
    Disc(AP, 8.5, 12, 1.6, Pal::Ink);
    Plate(AP, 1, 13, 15, 1, Edge(Pal::White));
}

void ChipPins(QPainter& AP) {
    for (double y : {2.0, 6.0, 10.0}) {
        Box(AP, 0, y, 4, 3, Pal::Silver);
        Box(AP, 12, y, 4, 3, y == 2.0 ? Pal::Red : Pal::Silver);
    }
    Box(AP, 3, 0, 10, 15, Pal::Chip, 1);
    Disc(AP, 6, 3.5, 1, Lite(Pal::Chip, 0.45));
}

void Analogs(QPainter& AP) {
    Box(AP, 0, 1, 8, 7, Pal::Chip, 1);
    Box(AP, 8, 8, 8, 7, Mix(Pal::Chip, Pal::Navy, 0.5), 1);
    Solid(AP, ArrowPath(10, 3, 13.5, 6.5, 1.6, 4.5, 2.6), Pal::Green);
    Solid(AP, ArrowPath(6, 13, 2.5, 9.5, 1.6, 4.5, 2.6), Pal::Green);
}

void BoardItem(QPainter& AP) {
    Box(AP, 1, 1, 15, 14, Pal::Board, 1);
    Line(AP, 2, 12.5, 15, 12.5, Lite(Pal::Board, 0.45));
    AP.save();
    AP.translate(0, -1);
    Resistor(AP, Pal::Beige);
    AP.restore();
}

void Funnel(QPainter& AP, const QColor& AColor, double AX, double AY, double AScale) {
    AP.save();
    AP.translate(AX, AY);
    AP.scale(AScale, AScale);
    Solid(AP, PolyPath({{0.5, 0.5}, {13.5, 0.5}, {8.5, 6.5}, {8.5, 12.5}, {5.5, 10.5}, {5.5, 6.5}}),
          AColor);
    Line(AP, 2, 2.5, 12, 2.5, Lite(AColor, 0.5), 1);
    AP.restore();
}

void TreeWindow(QPainter& AP) {
    Box(AP, 0, 0, 16, 16, Pal::White, 1);
    Plate(AP, 1, 1, 14, 2, Pal::Blue);
    Line(AP, 4.5, 6, 4.5, 13.5, Pal::Grey);
    Line(AP, 4.5, 10.5, 7, 10.5, Pal::Grey);
    Line(AP, 4.5, 13.5, 7, 13.5, Pal::Grey);
    Box(AP, 2, 5, 5, 3, Pal::Orange);
    Box(AP, 7, 9, 7, 3, Pal::Blue);
    Box(AP, 7, 12, 7, 3, Pal::Green);
}

void ListWindow(QPainter& AP) {
    Box(AP, 0, 0, 16, 16, Pal::White, 1);
    Plate(AP, 1, 1, 14, 2, Pal::Blue);
    const QColor dots[3] = {Pal::Orange, Pal::Green, Pal::Sky};
    for (int i = 0; i < 3; ++i) {
        const double y = 5 + i * 3.5;
        Plate(AP, 3, y, 2, 2, dots[i]);
        Line(AP, 6.5, y + 1, 13.5, y + 1, Pal::Grey);
    }
}
