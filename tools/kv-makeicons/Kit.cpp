#include "Kit.h"

#include <QImage>
#include <QtMath>

QColor Mix(const QColor& A, const QColor& B, double AT) {
    auto m = [AT](int a, int b) { return qRound(a + (b - a) * AT); };
    return QColor(m(A.red(), B.red()), m(A.green(), B.green()), m(A.blue(), B.blue()),
                  m(A.alpha(), B.alpha()));
}

QColor Edge(const QColor& AFill) {
    return Mix(AFill, Pal::Ink, 0.55);
}

QColor Lite(const QColor& AFill, double AT) {
    return Mix(AFill, Pal::White, AT);
}

QColor Dark(const QColor& AFill, double AT) {
    return Mix(AFill, Pal::Ink, AT);
}

QPainterPath BoxPath(double AX, double AY, double AW, double AH, double ARadius) {
    QPainterPath path;
    const QRectF r(AX + 0.5, AY + 0.5, AW - 1, AH - 1);
    if (ARadius > 0)
        path.addRoundedRect(r, ARadius, ARadius);
    else
        path.addRect(r);
    return path;
}

QPainterPath DiscPath(double ACX, double ACY, double AR) {
    QPainterPath path;
    path.addEllipse(QPointF(ACX, ACY), AR - 0.5, AR - 0.5);
    return path;
}

QPainterPath PolyPath(std::initializer_list<QPointF> APoints, bool AClosed) {
    QPainterPath path;
    bool first = true;
    for (const QPointF& pt : APoints) {
        if (first)
            path.moveTo(pt);
        else
            path.lineTo(pt);
        first = false;
    }
    if (AClosed)
        path.closeSubpath();
    return path;
}

void Solid(QPainter& AP, const QPainterPath& APath, const QColor& AFill) {
    AP.save();
    AP.setBrush(AFill);
    AP.setPen(QPen(Edge(AFill.alpha() == 0 ? Pal::Slate : AFill), 1, Qt::SolidLine, Qt::FlatCap,
                   Qt::MiterJoin));
    AP.drawPath(APath);
    AP.restore();
}

void Flat(QPainter& AP, const QPainterPath& APath, const QColor& AFill) {
    AP.save();
    AP.setBrush(AFill);
    AP.setPen(Qt::NoPen);
    AP.drawPath(APath);
    AP.restore();
}

void Stroke(QPainter& AP, const QPainterPath& APath, const QColor& AColor, double AWidth,
            Qt::PenCapStyle ACap) {
    AP.save();
    AP.setBrush(Qt::NoBrush);
    AP.setPen(QPen(AColor, AWidth, Qt::SolidLine, ACap, Qt::RoundJoin));
    AP.drawPath(APath);
    AP.restore();
}

void Line(QPainter& AP, double AX1, double AY1, double AX2, double AY2, const QColor& AColor,
          double AWidth, Qt::PenCapStyle ACap) {
    QPainterPath path;
    path.moveTo(AX1, AY1);
    path.lineTo(AX2, AY2);
    Stroke(AP, path, AColor, AWidth, ACap);
}

void Box(QPainter& AP, double AX, double AY, double AW, double AH, const QColor& AFill,
         double ARadius) {
    Solid(AP, BoxPath(AX, AY, AW, AH, ARadius), AFill);
}

void Plate(QPainter& AP, double AX, double AY, double AW, double AH, const QColor& AFill) {
    QPainterPath path;
    path.addRect(QRectF(AX, AY, AW, AH));
    Flat(AP, path, AFill);
}

void Disc(QPainter& AP, double ACX, double ACY, double AR, const QColor& AFill) {
    Solid(AP, DiscPath(ACX, ACY, AR), AFill);
}

void Cut(QPainter& AP, double ACX, double ACY, double AR) {
    AP.save();
    AP.setCompositionMode(QPainter::CompositionMode_Clear);
    AP.setPen(Qt::NoPen);
    AP.setBrush(Qt::black);
    AP.drawEllipse(QPointF(ACX, ACY), AR, AR);
    AP.restore();
}

void CutBox(QPainter& AP, double AX, double AY, double AW, double AH) {
    AP.save();
    AP.setCompositionMode(QPainter::CompositionMode_Clear);
    AP.fillRect(QRectF(AX, AY, AW, AH), Qt::black);
    AP.restore();
}

namespace {

// A round mark: a disc of AFill with a white sign drawn by ASign in cell coordinates.
void RoundMark(QPainter& AP, const QColor& AFill, const std::function<void(QPainter&)>& ASign) {
    Disc(AP, 3.5, 3.5, 3.5, AFill);
    ASign(AP);
}

QPainterPath StarPath(double ACX, double ACY, double AOuter, double AInner) {
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

} // namespace

void Mark(QPainter& AP, TMark AMark, double AX, double AY) {
    AP.save();
    AP.translate(AX, AY);
    const QColor w = Pal::White;
    switch (AMark) {
    case TMark::Plus:
        RoundMark(AP, Pal::Green, [&](QPainter& p) {
            Line(p, 1.5, 3.5, 5.5, 3.5, w, 1.2);
            Line(p, 3.5, 1.5, 3.5, 5.5, w, 1.2);
        });
        break;
    case TMark::Cross:
        RoundMark(AP, Pal::Red, [&](QPainter& p) {
            Line(p, 2.1, 2.1, 4.9, 4.9, w, 1.2);
            Line(p, 4.9, 2.1, 2.1, 4.9, w, 1.2);
        });
        break;
    case TMark::Check:
        RoundMark(AP, Pal::Green, [&](QPainter& p) {
            Stroke(p, PolyPath({{1.7, 3.6}, {3.0, 4.9}, {5.3, 2.3}}, false), w, 1.2, Qt::RoundCap);
        });
        break;
    case TMark::Star:
        Solid(AP, StarPath(3.5, 3.7, 3.3, 1.45), Pal::Yellow);
        break;
    case TMark::Bolt:
        Solid(AP,
              PolyPath({{4.6, 0.4}, {1.2, 4.1}, {3.3, 4.1}, {2.4, 6.6}, {5.8, 2.9}, {3.7, 2.9}}),
              Pal::Yellow);
        break;
    case TMark::Wave:
        RoundMark(AP, Pal::Blue, [&](QPainter& p) {
            QPainterPath s;
            s.moveTo(1.3, 4.0);
            s.cubicTo(2.0, 1.9, 3.0, 1.9, 3.5, 3.5);
            s.cubicTo(4.0, 5.1, 5.0, 5.1, 5.7, 3.0);
            Stroke(p, s, w, 1.0, Qt::RoundCap);
        });
        break;
    case TMark::Smd:
        Plate(AP, 0, 2, 7, 1, Pal::Silver);
        Plate(AP, 0, 4, 7, 1, Pal::Silver);
        Box(AP, 1, 1, 5, 5, Pal::Chip);
        Plate(AP, 2, 2, 1, 1, Pal::Grey);
        break;
    case TMark::Thermo:
        Box(AP, 2, 0, 3, 6, Pal::White, 1.2);
        Disc(AP, 3.5, 5.0, 2.0, Pal::Red);
        Line(AP, 3.5, 1.5, 3.5, 4.5, Pal::Red, 1);
        break;
    case TMark::Question:
        RoundMark(AP, Pal::Purple, [&](QPainter& p) {
            QPainterPath q;
            q.moveTo(2.4, 2.7);
            q.cubicTo(2.4, 1.4, 4.7, 1.4, 4.7, 2.7);
            q.cubicTo(4.7, 3.5, 3.5, 3.5, 3.5, 4.4);
            Stroke(p, q, w, 1.0, Qt::FlatCap);
            Plate(p, 3, 5, 1, 1, w);
        });
        break;
    case TMark::Info:
        RoundMark(AP, Pal::Blue, [&](QPainter& p) {
            Plate(p, 3, 1.5, 1, 1, w);
            Plate(p, 3, 3, 1, 2.6, w);
        });
        break;
    case TMark::Lock:
        Stroke(
            AP,
            [] {
                QPainterPath s;
                s.moveTo(1.8, 3.5);
                s.lineTo(1.8, 2.3);
                s.cubicTo(1.8, 0.1, 5.2, 0.1, 5.2, 2.3);
                s.lineTo(5.2, 3.5);
                return s;
            }(),
            Pal::Slate, 1.1);
        Box(AP, 0.5, 3, 6, 3.5, Pal::Gold, 0.8);
        Plate(AP, 3, 4.2, 1, 1.4, Edge(Pal::Gold));
        break;
    case TMark::Home:
        Box(AP, 1, 3, 5, 4, Pal::White);
        Solid(AP, PolyPath({{0.2, 3.6}, {3.5, 0.5}, {6.8, 3.6}}), Pal::Red);
        Plate(AP, 3, 5, 1, 1.5, Pal::Slate);
        break;
    case TMark::Clock:
        Disc(AP, 3.5, 3.5, 3.5, Pal::White);
        Stroke(AP, PolyPath({{3.5, 1.6}, {3.5, 3.6}, {5.0, 3.6}}, false), Pal::Ink, 1.0);
        break;
    case TMark::Play:
        RoundMark(AP, Pal::Green, [&](QPainter& p) {
            Flat(p, PolyPath({{2.5, 1.7}, {5.4, 3.5}, {2.5, 5.3}}), w);
        });
        break;
    case TMark::Pause:
        RoundMark(AP, Pal::Orange, [&](QPainter& p) {
            Plate(p, 2, 2, 1, 3, w);
            Plate(p, 4, 2, 1, 3, w);
        });
        break;
    case TMark::Pencil: {
        AP.save();
        AP.translate(3.5, 3.5);
        AP.rotate(45);
        Box(AP, -1.6, -4.2, 3.2, 6.0, Pal::Orange);
        Solid(AP, PolyPath({{-1.1, 1.8}, {1.1, 1.8}, {0, 4.2}}), Pal::Beige);
        AP.restore();
        break;
    }
    case TMark::ArrowIn:
        RoundMark(AP, Pal::Green, [&](QPainter& p) {
            Line(p, 3.5, 1.2, 3.5, 4.3, w, 1.2);
            Flat(p, PolyPath({{1.5, 3.4}, {3.5, 5.7}, {5.5, 3.4}}), w);
        });
        break;
    case TMark::Floppy:
        Box(AP, 0, 0, 6, 6, Pal::Blue, 0.6);
        Plate(AP, 2, 1, 2, 2, Pal::White);
        Plate(AP, 1.5, 4, 3, 1, Lite(Pal::Blue, 0.6));
        break;
    case TMark::Refresh:
        RoundMark(AP, Pal::Green, [&](QPainter& p) {
            QPainterPath a;
            a.arcMoveTo(QRectF(1.6, 1.6, 3.8, 3.8), 80);
            a.arcTo(QRectF(1.6, 1.6, 3.8, 3.8), 80, 260);
            Stroke(p, a, w, 1.0);
            Flat(p, PolyPath({{3.0, 0.6}, {5.0, 1.9}, {3.0, 3.0}}), w);
        });
        break;
    case TMark::Eye: {
        QPainterPath e;
        e.moveTo(0.3, 3.5);
        e.quadTo(3.5, -0.6, 6.7, 3.5);
        e.quadTo(3.5, 7.6, 0.3, 3.5);
        Solid(AP, e, Pal::White);
        Disc(AP, 3.5, 3.5, 1.6, Pal::Navy);
        break;
    }
    case TMark::Page:
        Solid(AP, PolyPath({{1.5, 0.5}, {4.3, 0.5}, {5.5, 1.7}, {5.5, 6.5}, {1.5, 6.5}}),
              Pal::White);
        Line(AP, 2.5, 3, 4.5, 3, Pal::Grey);
        Line(AP, 2.5, 5, 4.5, 5, Pal::Grey);
        break;
    }
    AP.restore();
}

void Badge(QPainter& AP, TMark AMark) {
    Cut(AP, 12.5, 12.5, 4.6);
    Mark(AP, AMark, 9, 9);
}

void BadgeTop(QPainter& AP, TMark AMark) {
    Cut(AP, 12.5, 3.5, 4.6);
    Mark(AP, AMark, 9, 0);
}

QImage Render(const TArt& AArt, int ASize) {
    QImage image(ASize, ASize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(ASize / 16.0, ASize / 16.0);
    AArt(p);
    p.end();
    return image;
}
