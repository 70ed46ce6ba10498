#pragma once

// The program's pictures: image lists cut from bitmap resources by their resource number.

#include "core/KVImageList.h"

#include <QtGlobal>

// Fills AImageList with the tiles of the bitmap resource AResID (3001 the main tool images,
// 3110 class icons, 3116 storage-place icons, 3010 log entries, 3121 parameter lists, 3201
// note markers, 3114 project icons, 3112 cases, 3202 filter buttons). Nothing happens when
// AImageList is null; a list that holds images is cleared first.
void LoadImageListFromResource(TKVImageList* AImageList, quint32 AResID);

// Number of tiles of a resource, 0 for an unknown number.
int ImageResourceTileCount(quint32 AResID);
