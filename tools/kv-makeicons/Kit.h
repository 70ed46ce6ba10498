#pragma once

// The drawing kit of the icon generator: the palette, the pen and fill rules of the style, and
// small shapes that many pictures share.
//
// Every picture is drawn on a grid of 16 × 16 units; the painter is scaled to the output size
// (1 for 16-pixel tiles, 2 for 32-pixel icons). A box given as (x, y, w, h) covers the pixels
// x … x + w - 1 and y … y + h - 1, and its outline runs half a unit inside that box, so that
// one-unit lines fall on whole pixels and stay sharp. Points given to the line helpers are
// centre lines: x.5 is the middle of pixel column x.

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>

#include <functional>
#include <vector>

// A picture: draws itself on the 16-unit grid of the painter it is given.
using TArt = std::function<void(QPainter&)>;

namespace Pal {
// The palette. Outlines are the fill mixed towards Ink; highlights towards white.
inline const QColor Ink(0x26, 0x32, 0x3C);
inline const QColor Slate(0x52, 0x63, 0x74);
inline const QColor Grey(0x9A, 0xA7, 0xB4);
inline const QColor Silver(0xCF, 0xD7, 0xDF);
inline const QColor Cloud(0xEC, 0xF0, 0xF4);
inline const QColor White(0xFF, 0xFF, 0xFF);
inline const QColor Blue(0x2F, 0x7C, 0xE0);
inline const QColor Sky(0x6C, 0xB4, 0xF2);
inline const QColor Navy(0x27, 0x4B, 0x9A);
inline const QColor Green(0x2E, 0x9E, 0x52);
inline const QColor Lime(0x8B, 0xC3, 0x3A);
inline const QColor Teal(0x14, 0x9E, 0x9A);
inline const QColor Red(0xDD, 0x40, 0x36);
inline const QColor Orange(0xEE, 0x88, 0x22);
inline const QColor Yellow(0xF5, 0xC2, 0x2E);
inline const QColor Purple(0x87, 0x55, 0xD0);
inline const QColor Pink(0xD9, 0x46, 0x82);
inline const QColor Brown(0xB0, 0x78, 0x48);
inline const QColor Beige(0xE8, 0xCB, 0x96);
inline const QColor Copper(0xC8, 0x78, 0x3A);
inline const QColor Gold(0xD8, 0xA7, 0x2C);
inline const QColor Board(0x2F, 0x8A, 0x4E);
inline const QColor Chip(0x3B, 0x45, 0x50);
} // namespace Pal

QColor Mix(const QColor& A, const QColor& B, double AT);
// The outline colour of a fill.
QColor Edge(const QColor& AFill);
// A lighter tone of a fill, for highlights and second faces.
QColor Lite(const QColor& AFill, double AT = 0.45);
QColor Dark(const QColor& AFill, double AT = 0.25);

// Paths on the unit grid.
QPainterPath BoxPath(double AX, double AY, double AW, double AH, double ARadius = 0);
QPainterPath DiscPath(double ACX, double ACY, double AR);
QPainterPath PolyPath(std::initializer_list<QPointF> APoints, bool AClosed = true);

// Fills APath and strokes it with the fill's outline colour, one unit wide.
void Solid(QPainter& AP, const QPainterPath& APath, const QColor& AFill);
// Fills APath with no outline.
void Flat(QPainter& AP, const QPainterPath& APath, const QColor& AFill);
// Strokes APath (a centre line).
void Stroke(QPainter& AP, const QPainterPath& APath, const QColor& AColor, double AWidth = 1,
            Qt::PenCapStyle ACap = Qt::FlatCap);
void Line(QPainter& AP, double AX1, double AY1, double AX2, double AY2, const QColor& AColor,
          double AWidth = 1, Qt::PenCapStyle ACap = Qt::FlatCap);
// Box with outline; AFill may be transparent for an outline alone.
void Box(QPainter& AP, double AX, double AY, double AW, double AH, const QColor& AFill,
         double ARadius = 0);
// Box with no outline.
void Plate(QPainter& AP, double AX, double AY, double AW, double AH, const QColor& AFill);
void Disc(QPainter& AP, double ACX, double ACY, double AR, const QColor& AFill);
// Clears a round area to full transparency (the ring around a badge).
void Cut(QPainter& AP, double ACX, double ACY, double AR);
void CutBox(QPainter& AP, double AX, double AY, double AW, double AH);

// Small marks drawn in a 7 × 7 cell whose top-left pixel is (AX, AY), each with its own
// background, so they read on top of any picture.
enum class TMark {
    Plus,
    Cross,
    Check,
    Star,
    Bolt,
    Wave,
    Smd,
    Thermo,
    Question,
    Info,
    Lock,
    Home,
    Clock,
    Play,
    Pause,
    Pencil,
    ArrowIn,
    Floppy,
    Refresh,
    Eye,
    Page,
};
void Mark(QPainter& AP, TMark AMark, double AX, double AY);
// A mark in the bottom-right corner, with a transparent ring cut around it.
void Badge(QPainter& AP, TMark AMark);
// A mark in the top-right corner.
void BadgeTop(QPainter& AP, TMark AMark);

// Renders AArt into a square image of ASize pixels, transparent around the picture.
QImage Render(const TArt& AArt, int ASize);
