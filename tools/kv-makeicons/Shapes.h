#pragma once

// The base shapes of the user-chosen icon lists: components for element classes, containers
// for storage places, subjects for projects. Each shape takes its main colour, so that one
// shape gives a family of icons.

#include "Kit.h"

#include <vector>

struct TShape {
    const char* Name;
    QColor Natural; // the colour of the plain icon
    void (*Draw)(QPainter&, const QColor&);
};

// 32 electronic components, most used first.
const std::vector<TShape>& ClassShapes();
// 8 kinds of storage.
const std::vector<TShape>& StorageShapes();
// 16 project subjects.
const std::vector<TShape>& ProjectShapes();

// Shapes that the tool images and window icons reuse.
void Resistor(QPainter& AP, const QColor& ABody);
void DipChip(QPainter& AP, const QColor& ABody);
void CardboardBox(QPainter& AP, const QColor& AColor);
void Drawers(QPainter& AP, const QColor& AColor);
void PcbBoard(QPainter& AP, const QColor& AColor);
void Clock(QPainter& AP, const QColor& AColor);
