#pragma once

// Symbols of the tool images and window icons. Each draws on the full 16 × 16 grid; the
// colour argument, where there is one, is the main fill.

#include "Kit.h"

// Outline of a centre line drawn AWidth wide, to be filled and outlined as a shape.
QPainterPath Thick(const QPainterPath& ACentre, double AWidth, Qt::PenCapStyle ACap = Qt::FlatCap);
// Outline of an arrow from (AX1, AY1) to its tip (AX2, AY2).
QPainterPath ArrowPath(double AX1, double AY1, double AX2, double AY2, double AShaft,
                       double AHeadWidth, double AHeadLength);
QPainterPath StarShape(double ACX, double ACY, double AOuter, double AInner);

// Marks a picture as unassigned: a neutral tile that differs with AIndex.
void SpareTile(QPainter& AP, int AIndex);

void Gear(QPainter& AP, const QColor& AColor);
void Database(QPainter& AP, const QColor& AColor, double AX = 2, double AY = 1, double AW = 12,
              double AH = 14);
void PlugPair(QPainter& AP, bool AConnected);
void DatabaseArrow(QPainter& AP, bool AIn);
void ClassTree(QPainter& AP);
void Factory(QPainter& AP);
void Ruler(QPainter& AP);
void Sliders(QPainter& AP);
void Truck(QPainter& AP, const QColor& AColor);
void ArchiveBox(QPainter& AP);
void StickyNote(QPainter& AP, const QColor& AColor, double AX = 2, double AY = 1, double AW = 12,
                double AH = 13);
void BigPlus(QPainter& AP);
void BigCross(QPainter& AP);
void Pencil(QPainter& AP);
void Refresh(QPainter& AP, const QColor& AColor);
void Pages(QPainter& AP);
void Page(QPainter& AP, double AX, double AY, double AW, double AH, bool ALines = true);
void ClipBoard(QPainter& AP);
void Wand(QPainter& AP);
void Picture(QPainter& AP, bool AFull);
void RoundSign(QPainter& AP, const QColor& AColor, char ASign, double AR = 7);
void OpenFolder(QPainter& AP);
void Floppy(QPainter& AP);
void ExitDoor(QPainter& AP);
void Windows(QPainter& AP, int AKind);
void BigStar(QPainter& AP, const QColor& AColor);
void Globe(QPainter& AP);
void Magnifier(QPainter& AP, double ACX, double ACY, double AR);
void SearchFor(QPainter& AP, const TArt& ASubject);
void Calendar(QPainter& AP, double AX, double AY, double AW, double AH);
void Tag(QPainter& AP, const QColor& AColor);
void Eye(QPainter& AP);
void SheetTable(QPainter& AP, double AX, double AY, double AW, double AH);
void ListRows(QPainter& AP);
void Parcel(QPainter& AP);
void ChainLinks(QPainter& AP, bool ABroken);
void Newspaper(QPainter& AP);
void ReportChart(QPainter& AP);
void FramedThing(QPainter& AP, const TArt& AThing);
void Blueprint(QPainter& AP, bool ABackground);
void Puzzle(QPainter& AP);
void Lightbulb(QPainter& AP, const QColor& AColor);
void Terminal(QPainter& AP);
void SpeechBubble(QPainter& AP);
void WarningSign(QPainter& AP);
void Gauge(QPainter& AP);
void ChipPins(QPainter& AP);
void Analogs(QPainter& AP);
void BoardItem(QPainter& AP);
void Funnel(QPainter& AP, const QColor& AColor, double AX = 1, double AY = 2, double AScale = 1);
void TreeWindow(QPainter& AP);
void ListWindow(QPainter& AP);
