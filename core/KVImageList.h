#pragma once

// An image list: tiles of one size, addressed by index, as the windows' menus, tool bars,
// trees and lists show them. Filled from the program's bitmap resources (resources/).

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <vector>

class TKVImageList {
public:
    explicit TKVImageList(QSize ATileSize = QSize(16, 16)) : FTileSize(ATileSize) {}

    QSize TileSize() const { return FTileSize; }
    int Count() const { return static_cast<int>(FImages.size()); }
    void Clear() { FImages.clear(); }
    void Add(const QPixmap& AImage) { FImages.push_back(AImage); }
    // The tile at AIndex; an empty pixmap for an index outside the list (an icon index
    // stored in the database may point past the list).
    QPixmap Image(int AIndex) const {
        return AIndex >= 0 && AIndex < Count() ? FImages[static_cast<size_t>(AIndex)] : QPixmap();
    }
    QIcon Icon(int AIndex) const {
        const QPixmap p = Image(AIndex);
        return p.isNull() ? QIcon() : QIcon(p);
    }

private:
    QSize FTileSize;
    std::vector<QPixmap> FImages;
};
