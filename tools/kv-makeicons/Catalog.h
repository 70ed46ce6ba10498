#pragma once

// What the generator makes: the nine image-list sheets and the icon resources, each picture
// with a note of what it stands for (the notes go into resources/images/README.md).

#include "Kit.h"

#include <QString>
#include <QtGlobal>

#include <vector>

struct TTile {
    QString Use;  // what the program shows it for; empty for a spare tile
    QString Look; // what it shows
    TArt Art;
};

struct TSheet {
    quint32 ResId;
    QString ListName;
    int Columns;
    int Rows;
    bool Masked;              // the loader makes the top-left colour transparent
    std::vector<TTile> Tiles; // Columns × Rows, row by row
    QString Scheme;           // how the tiles are laid out, for the notes
};

struct TIcon {
    quint32 ResId;
    QString Use;
    QString Look;
    TArt Art;
};

std::vector<TSheet> ImageSheets();
std::vector<TIcon> IconResources();
