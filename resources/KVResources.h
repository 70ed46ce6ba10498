#pragma once

// The program's pictures: image lists cut from bitmap resources and icons, both by their
// resource number. The pictures are PNG files of resources/images/, built into this library.

#include "core/KVImageList.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QtGlobal>

// Fills AImageList with the tiles of the bitmap resource AResID (3001 the main tool images,
// 3110 class icons, 3116 storage-place icons, 3010 log entries, 3121 parameter lists, 3201
// note markers, 3114 project icons, 3112 cases, 3202 filter buttons). Nothing happens when
// AImageList is null; a list that holds images is cleared first, and stays empty for an
// unknown number. The note markers and the filter buttons are not masked; every other list
// takes the colour of the bitmap's top-left pixel as its transparent colour.
void LoadImageListFromResource(TKVImageList* AImageList, quint32 AResID);

// Number of tiles of a resource, 0 for an unknown number.
int ImageResourceTileCount(quint32 AResID);

// Clears AImageList and cuts ASheet into tiles of the list's tile size, row by row from the
// top and, within a row, from the left. With AMasked every pixel of the colour of the sheet's
// top-left pixel becomes transparent. The loader above uses it with the bitmap of a resource.
void CutImageList(TKVImageList* AImageList, const QImage& ASheet, bool AMasked);

// The icon resource AResID (2000 the program, 2001-2005 the message-box kinds, 2010 and up
// the windows) at 32 × 32 and 16 × 16; an empty icon for an unknown number.
QIcon ResourceIcon(quint32 AResID);

// A larger picture of a window by its name ("logo" the splash window, "about" the about box's
// background); a null pixmap for an unknown name.
QPixmap ResourcePicture(const QString& AName);
