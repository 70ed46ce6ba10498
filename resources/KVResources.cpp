#include "resources/KVResources.h"

#include <QPainter>

int ImageResourceTileCount(quint32 AResID) {
    switch (AResID) {
    case 3001:
        return 96;
    case 3110:
        return 512;
    case 3116:
        return 128;
    case 3010:
        return 6;
    case 3121:
        return 3;
    case 3201:
        return 16;
    case 3114:
        return 128;
    case 3112:
        return 1;
    case 3202:
        return 4;
    default:
        return 0;
    }
}

// Placeholder tiles until the artwork is drawn: transparent squares, one per tile.
void LoadImageListFromResource(TKVImageList* AImageList, quint32 AResID) {
    if (!AImageList)
        return;
    AImageList->Clear();
    const int count = ImageResourceTileCount(AResID);
    for (int i = 0; i < count; ++i) {
        QPixmap tile(AImageList->TileSize());
        tile.fill(Qt::transparent);
        AImageList->Add(tile);
    }
}
