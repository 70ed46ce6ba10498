#include "resources/KVResources.h"

#include <QByteArray>
#include <QImage>

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

struct TListCase {
    quint32 ResId;
    int Count;
    bool Masked;
};

// The nine image lists: resource number, tile count, whether the loader masks them.
const std::vector<TListCase> Lists = {
    {3001, 96, true},  {3110, 512, true}, {3116, 128, true}, {3010, 6, true},  {3121, 3, true},
    {3201, 16, false}, {3114, 128, true}, {3112, 1, true},   {3202, 4, false},
};

QImage TileImage(const TKVImageList& AList, int AIndex) {
    return AList.Image(AIndex).toImage().convertToFormat(QImage::Format_ARGB32);
}

bool HasVisiblePixel(const QImage& AImage) {
    for (int y = 0; y < AImage.height(); ++y)
        for (int x = 0; x < AImage.width(); ++x)
            if (qAlpha(AImage.pixel(x, y)) > 0)
                return true;
    return false;
}

} // namespace

// --- Image lists of the program --------------------------------------------------------------

TEST(ImageLists, LoadEveryTileInTheSizeOfTheList) {
    for (const TListCase& c : Lists) {
        SCOPED_TRACE(c.ResId);
        TKVImageList list;
        LoadImageListFromResource(&list, c.ResId);
        ASSERT_EQ(list.Count(), c.Count);
        EXPECT_EQ(ImageResourceTileCount(c.ResId), c.Count);
        for (int i = 0; i < list.Count(); ++i) {
            const QImage tile = TileImage(list, i);
            EXPECT_EQ(tile.size(), QSize(16, 16)) << "tile " << i;
            EXPECT_TRUE(HasVisiblePixel(tile)) << "tile " << i << " is empty";
        }
    }
}

TEST(ImageLists, UserChosenIconsAreAllDifferent) {
    for (quint32 resId : {3110u, 3116u, 3114u}) {
        SCOPED_TRACE(resId);
        TKVImageList list;
        LoadImageListFromResource(&list, resId);
        std::set<QByteArray> seen;
        for (int i = 0; i < list.Count(); ++i) {
            const QImage tile = TileImage(list, i);
            const QByteArray pixels(reinterpret_cast<const char*>(tile.constBits()),
                                    static_cast<int>(tile.sizeInBytes()));
            EXPECT_TRUE(seen.insert(pixels).second) << "tile " << i << " repeats another";
        }
    }
}

TEST(ImageLists, MaskedListsHaveClearCorners) {
    for (const TListCase& c : Lists) {
        if (!c.Masked)
            continue;
        SCOPED_TRACE(c.ResId);
        TKVImageList list;
        LoadImageListFromResource(&list, c.ResId);
        for (int i = 0; i < list.Count(); ++i) {
            const QImage tile = TileImage(list, i);
            for (QPoint p : {QPoint(0, 0), QPoint(15, 0), QPoint(0, 15), QPoint(15, 15)})
                EXPECT_EQ(qAlpha(tile.pixel(p)), 0)
                    << "tile " << i << " at " << p.x() << "," << p.y();
        }
    }
}

TEST(ImageLists, NullListAndUnknownNumber) {
    LoadImageListFromResource(nullptr, 3001);

    TKVImageList list;
    LoadImageListFromResource(&list, 3001);
    ASSERT_GT(list.Count(), 0);
    LoadImageListFromResource(&list, 3999);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(ImageResourceTileCount(3999), 0);

    // Loading again replaces the tiles instead of adding to them.
    LoadImageListFromResource(&list, 3010);
    LoadImageListFromResource(&list, 3010);
    EXPECT_EQ(list.Count(), 6);
}

// --- Cutting a sheet -------------------------------------------------------------------------

namespace {

const QRgb Key = qRgb(255, 0, 255);

// A sheet of 3 × 2 tiles of 4 × 4 pixels on the key colour; tile n has the colour n + 1 at
// (1, 1). A strip of 2 pixels on the right and bottom does not make whole tiles.
QImage TestSheet() {
    QImage sheet(3 * 4 + 2, 2 * 4 + 2, QImage::Format_RGB32);
    sheet.fill(Key);
    for (int n = 0; n < 6; ++n)
        sheet.setPixel((n % 3) * 4 + 1, (n / 3) * 4 + 1, qRgb(n + 1, 0, 0));
    return sheet;
}

} // namespace

TEST(CutImageList, TilesRowByRowFromTheTopLeft) {
    TKVImageList list(QSize(4, 4));
    list.Add(QPixmap(4, 4));
    CutImageList(&list, TestSheet(), false);
    ASSERT_EQ(list.Count(), 6);
    for (int n = 0; n < 6; ++n) {
        const QImage tile = TileImage(list, n);
        EXPECT_EQ(tile.size(), QSize(4, 4));
        EXPECT_EQ(tile.pixel(1, 1), qRgb(n + 1, 0, 0)) << "tile " << n;
    }
}

TEST(CutImageList, MaskMakesTheTopLeftColourTransparent) {
    struct TCase {
        bool Masked;
        QRgb Background;
    };
    for (const TCase& c : {TCase{true, 0}, TCase{false, Key}}) {
        SCOPED_TRACE(c.Masked);
        TKVImageList list(QSize(4, 4));
        CutImageList(&list, TestSheet(), c.Masked);
        ASSERT_EQ(list.Count(), 6);
        for (int n = 0; n < 6; ++n) {
            const QImage tile = TileImage(list, n);
            EXPECT_EQ(tile.pixel(0, 0), c.Background);
            EXPECT_EQ(tile.pixel(3, 2), c.Background);
            EXPECT_EQ(tile.pixel(1, 1), qRgb(n + 1, 0, 0));
        }
    }
}

TEST(CutImageList, NothingToCut) {
    CutImageList(nullptr, TestSheet(), true);
    TKVImageList list(QSize(4, 4));
    list.Add(QPixmap(4, 4));
    CutImageList(&list, QImage(), true);
    EXPECT_EQ(list.Count(), 0);
    TKVImageList large(QSize(32, 32));
    CutImageList(&large, TestSheet(), true);
    EXPECT_EQ(large.Count(), 0);
}

// --- Icon resources --------------------------------------------------------------------------

TEST(ResourceIcon, EveryWindowIconExistsInBothSizes) {
    const quint32 numbers[] = {2000, 2001, 2002, 2003, 2004, 2005, 2010, 2012, 2014, 2015,
                               2030, 2031, 2032, 2033, 2110, 2111, 2112, 2113, 2114, 2115,
                               2116, 2117, 2119, 2120, 2121, 2122, 2123, 2124, 2125, 2130,
                               2131, 2221, 2222, 2223, 2230, 2231, 2234};
    for (quint32 n : numbers) {
        SCOPED_TRACE(n);
        const QIcon icon = ResourceIcon(n);
        ASSERT_FALSE(icon.isNull());
        EXPECT_EQ(icon.pixmap(QSize(32, 32)).size(), QSize(32, 32));
        EXPECT_EQ(icon.pixmap(QSize(16, 16)).size(), QSize(16, 16));
        EXPECT_EQ(icon.availableSizes().size(), 2);
    }
}

TEST(ResourceIcon, UnknownNumberGivesAnEmptyIcon) {
    // 3001 names a bitmap, not an icon.
    for (quint32 n : {0u, 1999u, 2006u, 3001u})
        EXPECT_TRUE(ResourceIcon(n).isNull()) << n;
}
