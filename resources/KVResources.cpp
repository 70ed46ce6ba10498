#include "resources/KVResources.h"

#include <QFile>
#include <QPixmap>
#include <QString>

// Registers the pictures compiled into this static library. A static library's resources are
// registered only when something calls their initialiser, so every entry point below calls
// this first; the work is done once. (Q_INIT_RESOURCE must stand outside any namespace.)
static void InitImageResources() {
    static const bool done = [] {
        Q_INIT_RESOURCE(KVImages);
        return true;
    }();
    Q_UNUSED(done);
}

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

void CutImageList(TKVImageList* AImageList, const QImage& ASheet, bool AMasked) {
    if (!AImageList)
        return;
    AImageList->Clear();
    const QSize tile = AImageList->TileSize();
    if (ASheet.isNull() || tile.isEmpty())
        return;
    QImage sheet = ASheet.convertToFormat(QImage::Format_ARGB32);
    if (AMasked) {
        const QRgb key = sheet.pixel(0, 0);
        for (int y = 0; y < sheet.height(); ++y) {
            QRgb* line = reinterpret_cast<QRgb*>(sheet.scanLine(y));
            for (int x = 0; x < sheet.width(); ++x)
                if (line[x] == key)
                    line[x] = 0;
        }
    }
    for (int y = 0; y + tile.height() <= sheet.height(); y += tile.height())
        for (int x = 0; x + tile.width() <= sheet.width(); x += tile.width())
            AImageList->Add(QPixmap::fromImage(sheet.copy(QRect(QPoint(x, y), tile))));
}

void LoadImageListFromResource(TKVImageList* AImageList, quint32 AResID) {
    if (!AImageList)
        return;
    InitImageResources();
    const QImage sheet(QString(":/kv/bitmaps/%1.png").arg(AResID));
    const bool masked = AResID != 3201 && AResID != 3202;
    CutImageList(AImageList, sheet, masked);
}

QIcon ResourceIcon(quint32 AResID) {
    InitImageResources();
    const QString large = QString(":/kv/icons/%1.png").arg(AResID);
    if (!QFile::exists(large))
        return QIcon();
    QIcon icon;
    icon.addFile(large, QSize(32, 32));
    const QString small = QString(":/kv/icons/%1-16.png").arg(AResID);
    if (QFile::exists(small))
        icon.addFile(small, QSize(16, 16));
    return icon;
}

QPixmap ResourcePicture(const QString& AName) {
    InitImageResources();
    const QString file = QStringLiteral(":/kv/pictures/%1.png").arg(AName);
    if (AName.isEmpty() || !QFile::exists(file))
        return QPixmap();
    return QPixmap(file);
}
