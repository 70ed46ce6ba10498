#include "Shapes.h"

#include "Symbols.h"

#include <QtMath>

namespace {

const QColor LeadColor = Mix(Pal::Grey, Pal::Slate, 0.45);

void Lead(QPainter& AP, double AX1, double AY1, double AX2, double AY2) {
    Line(AP, AX1, AY1, AX2, AY2, LeadColor, 1);
}

// --- Components ------------------------------------------------------------------------------

void Trimmer(QPainter& AP, const QColor& C) {
    Lead(AP, 4.5, 12, 4.5, 15);
    Lead(AP, 8.5, 12, 8.5, 15);
    Lead(AP, 12.5, 12, 12.5, 15);
    Box(AP, 2, 2, 13, 11, C, 1.5);
    Disc(AP, 8.5, 7.5, 4, Pal::Gold);
    Line(AP, 6.2, 9.8, 10.8, 5.2, Edge(Pal::Gold), 1.2);
}

void CeramicCap(QPainter& AP, const QColor& C) {
    Lead(AP, 6.5, 11, 6.5, 16);
    Lead(AP, 10.5, 11, 10.5, 16);
    Disc(AP, 8.5, 6.5, 6, C);
    Flat(AP, DiscPath(6.8, 4.8, 2.0), Lite(C, 0.35));
}

void ElectrolyticCap(QPainter& AP, const QColor& C) {
    Lead(AP, 6.5, 12, 6.5, 16);
    Lead(AP, 10.5, 12, 10.5, 16);
    Box(AP, 4, 0, 9, 13, C, 1.5);
    Plate(AP, 10, 1, 2, 11, Lite(C, 0.5));
    Plate(AP, 10, 4, 2, 1, Edge(C));
    Plate(AP, 10, 8, 2, 1, Edge(C));
    Line(AP, 4.5, 2.5, 12.5, 2.5, Edge(C));
}

void FilmCap(QPainter& AP, const QColor& C) {
    Lead(AP, 4.5, 12, 4.5, 16);
    Lead(AP, 12.5, 12, 12.5, 16);
    Box(AP, 2, 2, 13, 11, C, 1.5);
    Plate(AP, 3, 3, 11, 2, Lite(C, 0.35));
}

void Toroid(QPainter& AP, const QColor& C) {
    QPainterPath ring = DiscPath(8.5, 8, 7).subtracted(DiscPath(8.5, 8, 3.3));
    Solid(AP, ring, C);
    for (int i = 0; i < 12; ++i) {
        const double a = i * M_PI / 6 + M_PI / 12;
        Line(AP, 8.5 + 3.1 * qCos(a), 8 + 3.1 * qSin(a), 8.5 + 6.3 * qCos(a), 8 + 6.3 * qSin(a),
             Edge(C), 0.8);
    }
}

void Transformer(QPainter& AP, const QColor& C) {
    Box(AP, 1, 3, 15, 10, Pal::Silver);
    Plate(AP, 6, 5, 5, 6, Pal::White);
    Line(AP, 5.5, 4.5, 5.5, 11.5, Edge(Pal::Silver));
    Line(AP, 11.5, 4.5, 11.5, 11.5, Edge(Pal::Silver));
    Box(AP, 2, 1, 5, 14, C, 1);
    Box(AP, 10, 1, 5, 14, C, 1);
    for (double y : {4.5, 7.5, 10.5}) {
        Line(AP, 2.5, y, 6.5, y, Edge(C), 0.8);
        Line(AP, 10.5, y, 14.5, y, Edge(C), 0.8);
    }
}

void Diode(QPainter& AP, const QColor& C) {
    Lead(AP, 0, 8.5, 4, 8.5);
    Lead(AP, 13, 8.5, 17, 8.5);
    Box(AP, 3, 5, 11, 7, C, 1.5);
    Plate(AP, 10, 6, 2, 5, Pal::Silver);
}

void Zener(QPainter& AP, const QColor& C) {
    Lead(AP, 0, 8.5, 4, 8.5);
    Lead(AP, 13, 8.5, 17, 8.5);
    Box(AP, 3, 5, 11, 7, Lite(C, 0.25), 3);
    Plate(AP, 6, 7, 4, 3, Dark(C, 0.35));
    Plate(AP, 10, 6, 2, 5, Pal::Ink);
}

void Led(QPainter& AP, const QColor& C) {
    Lead(AP, 6.5, 12, 6.5, 16);
    Lead(AP, 10.5, 12, 10.5, 16);
    QPainterPath dome;
    dome.moveTo(4.5, 11.5);
    dome.lineTo(4.5, 5.5);
    dome.arcTo(QRectF(4.5, 1.5, 8, 8), 180, -180);
    dome.lineTo(12.5, 11.5);
    dome.closeSubpath();
    Solid(AP, dome, C);
    Box(AP, 3, 10, 11, 3, Dark(C, 0.1));
    Plate(AP, 6, 4, 2, 4, Lite(C, 0.55));
}

void To92(QPainter& AP, const QColor& C) {
    Lead(AP, 5.5, 10, 5.5, 16);
    Lead(AP, 8.5, 10, 8.5, 16);
    Lead(AP, 11.5, 10, 11.5, 16);
    QPainterPath body;
    body.moveTo(3.5, 11.5);
    body.lineTo(3.5, 5.5);
    body.cubicTo(3.5, 0.8, 13.5, 0.8, 13.5, 5.5);
    body.lineTo(13.5, 11.5);
    body.closeSubpath();
    Solid(AP, body, C);
    Line(AP, 5.5, 6.5, 11.5, 6.5, Lite(C, 0.45));
    Line(AP, 6.5, 8.5, 10.5, 8.5, Lite(C, 0.45));
}

void To220(QPainter& AP, const QColor& C) {
    Lead(AP, 5.5, 11, 5.5, 16);
    Lead(AP, 8.5, 11, 8.5, 16);
    Lead(AP, 11.5, 11, 11.5, 16);
    QPainterPath tab = BoxPath(3, 0, 11, 6).subtracted(DiscPath(8.5, 3, 1.6));
    Solid(AP, tab, Pal::Silver);
    Box(AP, 3, 5, 11, 7, C, 0.5);
    Line(AP, 5.5, 8.5, 11.5, 8.5, Lite(C, 0.4));
}

void Thyristor(QPainter& AP, const QColor& C) {
    Line(AP, 8.5, 0, 8.5, 4, Pal::Ink);
    Line(AP, 8.5, 11, 8.5, 16, Pal::Ink);
    Solid(AP, PolyPath({{2.5, 3.5}, {14.5, 3.5}, {8.5, 10.5}}), C);
    Line(AP, 2, 11, 15, 11, Pal::Ink, 2);
    Line(AP, 10.5, 11.5, 14.5, 15, Pal::Ink, 1.2);
}

void DipPins(QPainter& AP, double AY) {
    for (double x : {3.0, 7.0, 11.0})
        Box(AP, x, AY, 3, 3, Pal::Silver);
}

void Qfp(QPainter& AP, const QColor& C) {
    for (double t : {4.0, 6.0, 10.0, 12.0}) {
        Plate(AP, t, 1, 1, 2, Pal::Grey);
        Plate(AP, t, 14, 1, 2, Pal::Grey);
        Plate(AP, 1, t, 2, 1, Pal::Grey);
        Plate(AP, 14, t, 2, 1, Pal::Grey);
    }
    Box(AP, 3, 3, 11, 11, C, 1);
    Disc(AP, 6, 6, 1.3, Lite(C, 0.45));
}

void OpAmp(QPainter& AP, const QColor& C) {
    Line(AP, 0, 5.5, 3, 5.5, Pal::Ink);
    Line(AP, 0, 11.5, 3, 11.5, Pal::Ink);
    Line(AP, 13, 8.5, 16, 8.5, Pal::Ink);
    Solid(AP, PolyPath({{2.5, 1.5}, {14.5, 8.5}, {2.5, 15.5}}), C);
    const QColor s = Dark(C, 0.7);
    Line(AP, 4, 5.5, 7, 5.5, s);
    Line(AP, 4, 11.5, 7, 11.5, s);
    Line(AP, 5.5, 10, 5.5, 13, s);
}

void Heatsink(QPainter& AP, const QColor& C) {
    for (double x : {1.0, 4.0, 7.0, 10.0, 13.0})
        Box(AP, x, 1, 3, 12, C);
    Box(AP, 1, 11, 15, 4, C);
    Plate(AP, 2, 12, 13, 2, C);
}

void Crystal(QPainter& AP, const QColor& C) {
    Lead(AP, 5.5, 12, 5.5, 16);
    Lead(AP, 11.5, 12, 11.5, 16);
    Box(AP, 1, 3, 15, 10, C, 4.5);
    Stroke(AP, BoxPath(3, 5, 11, 6, 2.5), Lite(C, 0.6));
}

void Relay(QPainter& AP, const QColor& C) {
    Lead(AP, 4.5, 13, 4.5, 16);
    Lead(AP, 8.5, 13, 8.5, 16);
    Lead(AP, 12.5, 13, 12.5, 16);
    Box(AP, 1, 1, 15, 13, C, 1);
    const QColor s = Pal::White;
    Stroke(AP, PolyPath({{3, 10.5}, {6.5, 10.5}, {11.5, 6}}, false), s, 1.2, Qt::RoundCap);
    Line(AP, 11, 10.5, 14, 10.5, s, 1.2, Qt::RoundCap);
    Line(AP, 4, 4.5, 13, 4.5, Lite(C, 0.5), 1);
}

void Toggle(QPainter& AP, const QColor& C) {
    Line(AP, 8.5, 9, 12, 2.5, Pal::Grey, 2, Qt::RoundCap);
    Disc(AP, 12.2, 2.7, 2, Pal::Silver);
    Box(AP, 1, 8, 15, 7, C, 1.5);
    Disc(AP, 8.5, 9, 2.5, Pal::Silver);
}

void PushButton(QPainter& AP, const QColor& C) {
    Lead(AP, 3.5, 14, 3.5, 16);
    Lead(AP, 13.5, 14, 13.5, 16);
    Box(AP, 1, 8, 15, 7, Pal::Chip, 1);
    Box(AP, 4, 2, 9, 7, C, 2.5);
    Plate(AP, 6, 4, 3, 1, Lite(C, 0.5));
}

void PinHeader(QPainter& AP, const QColor& C) {
    for (double x : {2.0, 6.0, 10.0})
        Box(AP, x + 1, 1, 2, 10, Pal::Gold);
    Box(AP, 1, 9, 15, 6, C, 0.5);
    Plate(AP, 2, 10, 13, 1, Lite(C, 0.3));
}

void Fuse(QPainter& AP, const QColor& C) {
    Box(AP, 3, 5, 11, 7, Lite(C, 0.5));
    Line(AP, 3, 8.5, 14, 8.5, Pal::Slate, 1);
    Box(AP, 0, 4, 4, 9, Pal::Silver, 0.5);
    Box(AP, 13, 4, 4, 9, Pal::Silver, 0.5);
}

void Battery(QPainter& AP, const QColor& C) {
    Box(AP, 13, 6, 3, 5, Pal::Silver);
    Box(AP, 1, 3, 13, 11, C, 1.5);
    Plate(AP, 2, 4, 4, 9, Pal::Chip);
    const QColor s = Pal::White;
    Line(AP, 8, 8.5, 12, 8.5, s, 1.2);
    Line(AP, 10, 6.5, 10, 10.5, s, 1.2);
}

void Lamp(QPainter& AP, const QColor& C) {
    QPainterPath bulb;
    bulb.moveTo(6.5, 11.5);
    bulb.lineTo(6.5, 10);
    bulb.cubicTo(4.5, 9, 2.5, 7.5, 2.5, 6);
    bulb.arcTo(QRectF(2.5, 0.5, 12, 11), 180, -180);
    bulb.cubicTo(14.5, 7.5, 12.5, 9, 10.5, 10);
    bulb.lineTo(10.5, 11.5);
    bulb.closeSubpath();
    Solid(AP, bulb, C);
    Stroke(AP, PolyPath({{7, 10}, {7, 7}, {8.5, 5}, {10, 7}, {10, 10}}, false), Edge(C), 1);
    Box(AP, 6, 11, 5, 4, Pal::Silver);
    Line(AP, 6.5, 13.5, 10.5, 12.5, Edge(Pal::Silver), 0.8);
}

void SevenSeg(QPainter& AP, const QColor& C) {
    Box(AP, 2, 0, 13, 16, Pal::Chip, 1);
    auto h = [&](double y) { Plate(AP, 6, y, 5, 1.5, C); };
    auto v = [&](double x, double y) { Plate(AP, x, y, 1.5, 4.5, C); };
    h(2.5);
    h(7.25);
    h(12);
    v(4.5, 3);
    v(11, 3);
    v(4.5, 7.75);
    v(11, 7.75);
}

void Speaker(QPainter& AP, const QColor& C) {
    Box(AP, 1, 5, 4, 7, C);
    Solid(AP, PolyPath({{4.5, 5.5}, {9.5, 1.5}, {9.5, 15.5}, {4.5, 11.5}}), Lite(C, 0.35));
    QPainterPath w1, w2;
    w1.arcMoveTo(QRectF(8, 5, 5, 7), 50);
    w1.arcTo(QRectF(8, 5, 5, 7), 50, -100);
    w2.arcMoveTo(QRectF(8, 2, 8, 13), 50);
    w2.arcTo(QRectF(8, 2, 8, 13), 50, -100);
    Stroke(AP, w1, C, 1.2, Qt::RoundCap);
    Stroke(AP, w2, C, 1.2, Qt::RoundCap);
}

void Motor(QPainter& AP, const QColor& C) {
    Line(AP, 13, 8.5, 16, 8.5, Pal::Slate, 1.5);
    Box(AP, 11, 5, 3, 7, Pal::Slate, 0.5);
    Box(AP, 1, 2, 12, 13, C, 2);
    for (double y : {5.5, 8.5, 11.5})
        Line(AP, 3, y, 10, y, Edge(C), 1);
}

void Thermometer(QPainter& AP, const QColor& C) {
    Box(AP, 6, 0, 6, 12, Pal::White, 3);
    Disc(AP, 9, 12, 4, C);
    Plate(AP, 8, 3, 2, 8, C);
    for (double y : {3.5, 6.5, 9.5})
        Line(AP, 12.5, y, 14.5, y, Pal::Slate, 1);
}

void Antenna(QPainter& AP, const QColor& C) {
    Line(AP, 8.5, 6, 8.5, 15, Pal::Slate, 1.5);
    Solid(AP, PolyPath({{5.5, 15.5}, {8.5, 10.5}, {11.5, 15.5}}), Pal::Silver);
    Disc(AP, 8.5, 5.5, 2, C);
    QPainterPath w;
    for (double r : {3.8, 6.5}) {
        w.arcMoveTo(QRectF(8.5 - r, 5.5 - r, 2 * r, 2 * r), 135);
        w.arcTo(QRectF(8.5 - r, 5.5 - r, 2 * r, 2 * r), 135, 60);
        w.arcMoveTo(QRectF(8.5 - r, 5.5 - r, 2 * r, 2 * r), 45);
        w.arcTo(QRectF(8.5 - r, 5.5 - r, 2 * r, 2 * r), 45, -60);
    }
    Stroke(AP, w, C, 1.2, Qt::RoundCap);
}

void Module(QPainter& AP, const QColor& C) {
    Box(AP, 1, 2, 15, 13, C, 1);
    Line(AP, 2, 12.5, 15, 12.5, Lite(C, 0.3));
    Box(AP, 5, 5, 7, 6, Pal::Chip);
    for (double x : {3.0, 13.0})
        for (double y : {4.0, 7.0, 10.0})
            Plate(AP, x, y, 1, 1, Pal::Gold);
}

void Wire(QPainter& AP, const QColor& C) {
    QPainterPath a;
    a.moveTo(2.5, 13.5);
    a.cubicTo(2.5, 4, 14, 12, 14, 3);
    QPainterPath b;
    b.moveTo(6.5, 14.5);
    b.cubicTo(6.5, 8, 15, 13, 15, 7);
    Solid(AP, Thick(b, 2.2), Pal::Chip);
    Solid(AP, Thick(a, 2.2), C);
    Line(AP, 14, 3, 14, 0.5, Pal::Copper, 1.5);
    Line(AP, 2.5, 13.5, 2.5, 16, Pal::Copper, 1.5);
}

// --- Storage ---------------------------------------------------------------------------------

void Shelf(QPainter& AP, const QColor& C) {
    Box(AP, 1, 1, 2, 14, C);
    Box(AP, 13, 1, 2, 14, C);
    Box(AP, 4, 3, 3, 3, Pal::Orange);
    Box(AP, 8, 2, 4, 4, Pal::Sky);
    Box(AP, 4, 9, 5, 3, Pal::Green);
    Box(AP, 10, 10, 3, 2, Pal::Yellow);
    Box(AP, 2, 6, 12, 2, Lite(C, 0.3));
    Box(AP, 2, 12, 12, 2, Lite(C, 0.3));
}

void Cabinet(QPainter& AP, const QColor& C) {
    Box(AP, 2, 0, 13, 15, C, 1);
    Line(AP, 8.5, 1, 8.5, 14, Edge(C));
    Plate(AP, 7, 6, 1, 3, Pal::White);
    Plate(AP, 10, 6, 1, 3, Pal::White);
    Plate(AP, 3, 15, 2, 1, Edge(C));
    Plate(AP, 12, 15, 2, 1, Edge(C));
}

void ZipBag(QPainter& AP, const QColor& C) {
    QColor glass = Lite(C, 0.55);
    Box(AP, 2, 1, 13, 15, glass, 1);
    Line(AP, 3, 3.5, 14, 3.5, C, 1.5);
    AP.save();
    AP.translate(2.4, 3.2);
    AP.scale(0.75, 0.75);
    Resistor(AP, Pal::Beige);
    AP.restore();
}

void Reel(QPainter& AP, const QColor& C) {
    Disc(AP, 8.5, 8, 7.5, C);
    Stroke(AP, DiscPath(8.5, 8, 5.2), Lite(C, 0.35), 1.4);
    for (int i = 0; i < 3; ++i) {
        const double a = i * 2 * M_PI / 3 - M_PI / 2;
        Flat(AP, DiscPath(8.5 + 3.3 * qCos(a), 8 + 3.3 * qSin(a), 1.3), Lite(C, 0.6));
    }
    Disc(AP, 8.5, 8, 2.2, Pal::White);
}

void Folder(QPainter& AP, const QColor& C) {
    Solid(AP, PolyPath({{1.5, 13.5}, {1.5, 2.5}, {6, 2.5}, {7.5, 4.5}, {14.5, 4.5}, {14.5, 13.5}}),
          Dark(C, 0.12));
    Box(AP, 1, 6, 14, 8, C, 0.5);
    Line(AP, 2, 7.5, 14, 7.5, Lite(C, 0.4));
}

void Organizer(QPainter& AP, const QColor& C) {
    Box(AP, 1, 2, 15, 13, C, 1);
    const QColor cell = Lite(C, 0.8);
    for (double y : {4.0, 9.0})
        for (double x : {3.0, 8.0, 12.0})
            Plate(AP, x, y, x == 3.0 ? 4 : 3, 4, cell);
    Plate(AP, 4, 5, 2, 2, Pal::Red);
    Plate(AP, 9, 10, 1, 2, Pal::Blue);
    Plate(AP, 13, 5, 1, 1, Pal::Green);
}

// --- Projects --------------------------------------------------------------------------------

void GearShape(QPainter& AP, const QColor& C) {
    Gear(AP, C);
}

void Flag(QPainter& AP, const QColor& C) {
    Line(AP, 3.5, 1, 3.5, 16, Pal::Slate, 1.5);
    QPainterPath f;
    f.moveTo(4, 1.5);
    f.cubicTo(7, 0, 10, 3.5, 14.5, 2.5);
    f.lineTo(14.5, 9.5);
    f.cubicTo(10, 10.5, 7, 7, 4, 8.5);
    f.closeSubpath();
    Solid(AP, f, C);
}

void StarShape16(QPainter& AP, const QColor& C) {
    BigStar(AP, C);
}

void Bulb(QPainter& AP, const QColor& C) {
    Lightbulb(AP, C);
}

void Tools(QPainter& AP, const QColor& C) {
    // screwdriver
    Line(AP, 3, 3, 9, 9, Pal::Silver, 1.6);
    Solid(AP, Thick(PolyPath({{8.5, 8.5}, {13.5, 13.5}}, false), 3, Qt::RoundCap), C);
    // wrench
    QPainterPath handle = Thick(PolyPath({{4, 13}, {10.5, 6.5}}, false), 2.6, Qt::RoundCap);
    QPainterPath head = DiscPath(11.5, 4.5, 3.8);
    QPainterPath jaw;
    jaw.addRect(QRectF(-1.2, -4, 2.4, 4));
    QTransform t;
    t.translate(11.5, 4.5);
    t.rotate(45);
    Solid(AP, handle.united(head).subtracted(t.map(jaw)), Pal::Grey);
}

void House(QPainter& AP, const QColor& C) {
    Box(AP, 3, 7, 11, 8, Pal::White);
    Box(AP, 7, 10, 3, 5, Pal::Brown);
    Solid(AP, PolyPath({{0.5, 8.5}, {8.5, 1}, {16.5, 8.5}, {14.5, 9.5}, {8.5, 4}, {2.5, 9.5}}), C);
}

void Car(QPainter& AP, const QColor& C) {
    QPainterPath body;
    body.moveTo(1.5, 12.5);
    body.lineTo(1.5, 8.5);
    body.lineTo(4, 7.5);
    body.lineTo(6, 3.5);
    body.lineTo(11.5, 3.5);
    body.lineTo(13.5, 7.5);
    body.lineTo(15.5, 8.5);
    body.lineTo(15.5, 12.5);
    body.closeSubpath();
    Solid(AP, body, C);
    Flat(AP, PolyPath({{5.5, 7.5}, {7, 4.5}, {11, 4.5}, {12.3, 7.5}}), Lite(C, 0.7));
    Disc(AP, 5, 12.5, 2.5, Pal::Chip);
    Disc(AP, 12, 12.5, 2.5, Pal::Chip);
}

void Radio(QPainter& AP, const QColor& C) {
    Line(AP, 4, 5, 12, 0.5, Pal::Slate, 1);
    Box(AP, 1, 5, 15, 10, C, 1.5);
    Disc(AP, 5.5, 10, 3, Lite(C, 0.7));
    Box(AP, 10, 7, 4, 2, Pal::White);
    Disc(AP, 12, 12, 1.5, Dark(C, 0.4));
}

void Loudspeaker(QPainter& AP, const QColor& C) {
    Box(AP, 3, 0, 11, 16, C, 1);
    Disc(AP, 8.5, 4, 2, Lite(C, 0.7));
    Disc(AP, 8.5, 10.5, 3.6, Lite(C, 0.7));
    Disc(AP, 8.5, 10.5, 1.3, Dark(C, 0.35));
}

void Power(QPainter& AP, const QColor& C) {
    Box(AP, 1, 1, 15, 15, C, 2.5);
    Solid(AP, PolyPath({{9.8, 2.5}, {4, 9.2}, {7.8, 9.2}, {6.3, 13.8}, {12.5, 6.8}, {8.7, 6.8}}),
          Pal::White);
}

void Multimeter(QPainter& AP, const QColor& C) {
    Box(AP, 2, 0, 13, 16, C, 2);
    Box(AP, 4, 2, 9, 5, Pal::Cloud);
    Line(AP, 5, 4.5, 8, 4.5, Pal::Ink);
    Disc(AP, 8.5, 11, 2.6, Pal::Chip);
    Line(AP, 8.5, 11, 10, 9.5, Pal::White);
}

void Robot(QPainter& AP, const QColor& C) {
    Line(AP, 8.5, 1, 8.5, 4, Pal::Slate);
    Disc(AP, 8.5, 1.5, 1.5, Pal::Red);
    Box(AP, 2, 4, 13, 10, C, 2);
    Disc(AP, 6, 8, 1.6, Pal::White);
    Disc(AP, 11, 8, 1.6, Pal::White);
    Line(AP, 6, 11.5, 11, 11.5, Dark(C, 0.5));
    Plate(AP, 1, 7, 1, 3, Pal::Slate);
    Plate(AP, 15, 7, 1, 3, Pal::Slate);
}

void Monitor(QPainter& AP, const QColor& C) {
    Box(AP, 1, 1, 15, 11, Pal::Chip, 1);
    Plate(AP, 2, 2, 13, 9, C);
    Line(AP, 3.5, 4.5, 8.5, 4.5, Lite(C, 0.6));
    Line(AP, 3.5, 6.5, 11.5, 6.5, Lite(C, 0.6));
    Box(AP, 7, 12, 3, 2, Pal::Slate);
    Box(AP, 4, 14, 9, 2, Pal::Slate, 0.5);
}

} // namespace

void Resistor(QPainter& AP, const QColor& ABody) {
    Lead(AP, 0, 8.5, 3, 8.5);
    Lead(AP, 14, 8.5, 17, 8.5);
    Box(AP, 2, 5, 13, 7, ABody, 2.5);
    Plate(AP, 5, 6, 1, 5, Pal::Brown);
    Plate(AP, 7, 6, 1, 5, Pal::Ink);
    Plate(AP, 9, 6, 1, 5, Pal::Red);
    Plate(AP, 12, 6, 1, 5, Pal::Gold);
}

void DipChip(QPainter& AP, const QColor& ABody) {
    DipPins(AP, 1);
    DipPins(AP, 13);
    Box(AP, 1, 3, 15, 10, ABody, 1);
    QPainterPath notch;
    notch.arcMoveTo(QRectF(-0.5, 6.5, 4, 4), 90);
    notch.arcTo(QRectF(-0.5, 6.5, 4, 4), 90, -180);
    Stroke(AP, notch, Lite(ABody, 0.45), 1);
    Disc(AP, 4.5, 10.5, 1, Lite(ABody, 0.45));
}

void CardboardBox(QPainter& AP, const QColor& AColor) {
    Box(AP, 1, 5, 15, 10, AColor, 0.5);
    Box(AP, 0, 2, 16, 4, Lite(AColor, 0.25), 0.5);
    Plate(AP, 7, 3, 3, 5, Lite(AColor, 0.55));
    Line(AP, 4, 12.5, 7, 12.5, Edge(AColor));
}

void Drawers(QPainter& AP, const QColor& AColor) {
    Box(AP, 2, 0, 13, 16, AColor, 1);
    for (double y : {1.0, 6.0, 11.0}) {
        Box(AP, 3, y, 11, 4, Lite(AColor, 0.25));
        Plate(AP, 7, y + 1.5, 3, 1, Dark(AColor, 0.45));
    }
}

void PcbBoard(QPainter& AP, const QColor& AColor) {
    Box(AP, 1, 1, 15, 14, AColor, 1);
    const QColor trace = Lite(AColor, 0.45);
    Stroke(AP, PolyPath({{3.5, 12}, {3.5, 9.5}, {6, 7}}, false), trace, 1);
    Stroke(AP, PolyPath({{11, 12.5}, {13.5, 12.5}}, false), trace, 1);
    Stroke(AP, PolyPath({{12.5, 3}, {12.5, 7}}, false), trace, 1);
    Box(AP, 5, 3, 6, 5, Pal::Chip);
    Disc(AP, 3.5, 12.5, 1.5, Pal::Gold);
    Disc(AP, 9.5, 12.5, 1.5, Pal::Gold);
    Disc(AP, 12.5, 9.5, 1.5, Pal::Gold);
}

void Clock(QPainter& AP, const QColor& AColor) {
    Disc(AP, 8.5, 8.5, 7.5, AColor);
    Disc(AP, 8.5, 8.5, 5.8, Pal::White);
    Stroke(AP, PolyPath({{8.5, 4.5}, {8.5, 8.5}, {11.5, 10.5}}, false), Pal::Ink, 1.3,
           Qt::RoundCap);
}

const std::vector<TShape>& ClassShapes() {
    static const std::vector<TShape> shapes = {
        {"resistor", Pal::Beige, Resistor},
        {"ceramic capacitor", Pal::Orange, CeramicCap},
        {"electrolytic capacitor", Pal::Blue, ElectrolyticCap},
        {"diode", Pal::Chip, Diode},
        {"LED", Pal::Red, Led},
        {"small transistor", Pal::Chip, To92},
        {"power transistor", Pal::Chip, To220},
        {"chip, DIP", Pal::Chip, DipChip},
        {"chip, QFP", Mix(Pal::Chip, Pal::Navy, 0.3), Qfp},
        {"toroid inductor", Pal::Copper, Toroid},
        {"trimmer", Pal::Sky, Trimmer},
        {"connector", Pal::Chip, PinHeader},
        {"relay", Pal::Navy, Relay},
        {"crystal", Pal::Silver, Crystal},
        {"fuse", Pal::Sky, Fuse},
        {"battery", Pal::Orange, Battery},
        {"film capacitor", Pal::Red, FilmCap},
        {"zener diode", Pal::Orange, Zener},
        {"thyristor", Pal::Teal, Thyristor},
        {"op-amp", Pal::Sky, OpAmp},
        {"transformer", Pal::Copper, Transformer},
        {"toggle switch", Pal::Slate, Toggle},
        {"push button", Pal::Red, PushButton},
        {"lamp", Pal::Yellow, Lamp},
        {"display", Pal::Red, SevenSeg},
        {"speaker", Pal::Slate, Speaker},
        {"motor", Pal::Silver, Motor},
        {"temperature sensor", Pal::Red, Thermometer},
        {"antenna", Pal::Blue, Antenna},
        {"module", Pal::Board, Module},
        {"heatsink", Pal::Silver, Heatsink},
        {"wire", Pal::Red, Wire},
    };
    return shapes;
}

const std::vector<TShape>& StorageShapes() {
    static const std::vector<TShape> shapes = {
        {"box", Pal::Brown, CardboardBox}, {"drawers", Pal::Blue, Drawers},
        {"shelf", Pal::Slate, Shelf},      {"cabinet", Pal::Teal, Cabinet},
        {"bag", Pal::Sky, ZipBag},         {"reel", Pal::Navy, Reel},
        {"folder", Pal::Yellow, Folder},   {"organizer", Pal::Red, Organizer},
    };
    return shapes;
}

const std::vector<TShape>& ProjectShapes() {
    static const std::vector<TShape> shapes = {
        {"folder", Pal::Blue, Folder},      {"gear", Pal::Slate, GearShape},
        {"board", Pal::Board, PcbBoard},    {"flag", Pal::Red, Flag},
        {"star", Pal::Yellow, StarShape16}, {"clock", Pal::Teal, Clock},
        {"idea", Pal::Yellow, Bulb},        {"tools", Pal::Orange, Tools},
        {"home", Pal::Red, House},          {"car", Pal::Blue, Car},
        {"radio", Pal::Orange, Radio},      {"audio", Pal::Slate, Loudspeaker},
        {"power", Pal::Orange, Power},      {"meter", Pal::Yellow, Multimeter},
        {"robot", Pal::Grey, Robot},        {"computer", Pal::Navy, Monitor},
    };
    return shapes;
}
