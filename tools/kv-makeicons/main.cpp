// kv-makeicons: draws the program's pictures and writes them as PNG files.
//
//   kv-makeicons <folder> [--contact <folder>]
//
// writes into the first folder one sheet per image list (named by its resource number, tiles of
// 16 × 16 laid out row by row), one 32 × 32 and one 16 × 16 picture per icon resource
// (<number>.png and <number>-16.png), the larger pictures of the windows (<name>.png),
// KVImages.qrc, which builds them into the program, and
// README.md, the notes on what each picture stands for. With --contact it also writes enlarged
// contact sheets, for review, into the second folder. The pictures are checked as they are made:
// tiles of masked lists keep their corner pixels clear, and no two tiles of a list are alike; a
// failed check ends with exit code 1.

#include "Catalog.h"
#include "Pictures.h"
#include "Shapes.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextStream>

#include <cstdio>
#include <set>

namespace {

constexpr int Tile = 16;

QImage MakeSheet(const TSheet& ASheet) {
    QImage sheet(ASheet.Columns * Tile, ASheet.Rows * Tile, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(Qt::transparent);
    QPainter p(&sheet);
    for (size_t i = 0; i < ASheet.Tiles.size(); ++i) {
        const int col = static_cast<int>(i) % ASheet.Columns;
        const int row = static_cast<int>(i) / ASheet.Columns;
        p.drawImage(col * Tile, row * Tile, Render(ASheet.Tiles[i].Art, Tile));
    }
    return sheet;
}

bool Check(const TSheet& ASheet, const QImage& ASheetImage) {
    bool ok = true;
    auto fail = [&](const QString& AText) {
        std::fprintf(stderr, "%u: %s\n", ASheet.ResId, qPrintable(AText));
        ok = false;
    };
    if (static_cast<int>(ASheet.Tiles.size()) != ASheet.Columns * ASheet.Rows)
        fail(QString("%1 tiles for a sheet of %2")
                 .arg(ASheet.Tiles.size())
                 .arg(ASheet.Columns * ASheet.Rows));
    std::set<QByteArray> seen;
    for (int i = 0; i < ASheet.Columns * ASheet.Rows; ++i) {
        const QImage tile =
            ASheetImage.copy((i % ASheet.Columns) * Tile, (i / ASheet.Columns) * Tile, Tile, Tile);
        if (ASheet.Masked)
            for (QPoint c : {QPoint(0, 0), QPoint(Tile - 1, 0), QPoint(0, Tile - 1),
                             QPoint(Tile - 1, Tile - 1)})
                if (qAlpha(tile.pixel(c)) != 0)
                    fail(QString("tile %1: corner (%2, %3) is not clear")
                             .arg(i)
                             .arg(c.x())
                             .arg(c.y()));
        const QByteArray bytes(reinterpret_cast<const char*>(tile.constBits()),
                               static_cast<int>(tile.sizeInBytes()));
        if (!seen.insert(bytes).second)
            fail(QString("tile %1 repeats an earlier tile").arg(i));
    }
    return ok;
}

bool Save(const QImage& AImage, const QString& AFile) {
    if (AImage.convertToFormat(QImage::Format_ARGB32).save(AFile, "PNG"))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(AFile));
    return false;
}

// --- Contact sheets --------------------------------------------------------------------------

// Digits of 3 × 5 cells, for the numbers under the enlarged tiles.
const char* const Digits[10] = {
    "111101101101111", "010110010010111", "111001111100111", "111001111001111", "101101111001001",
    "111100111001111", "111100111101111", "111001001010010", "111101111101111", "111101111001111"};

void DrawNumber(QPainter& AP, int AX, int AY, int ANumber, int ACell) {
    const QString text = QString::number(ANumber);
    for (int k = 0; k < text.size(); ++k) {
        const char* d = Digits[text[k].digitValue()];
        for (int c = 0; c < 15; ++c)
            if (d[c] == '1')
                AP.fillRect(AX + k * 4 * ACell + (c % 3) * ACell, AY + (c / 3) * ACell, ACell,
                            ACell, QColor(0x55, 0x5F, 0x6A));
    }
}

// Every tile enlarged ×AZoom and at its real size, with its index, on white and on a light
// grey band, so that shapes and contrast can be judged together.
QImage Contact(const QImage& ASheetImage, int AFirst, int ACount, int AZoom) {
    const int columns = 8;
    const int cellW = Tile * AZoom + Tile + 14, cellH = Tile * AZoom + 16;
    const int rows = (ACount + columns - 1) / columns;
    QImage out(columns * cellW + 8, rows * cellH + 8, QImage::Format_ARGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    const int sheetColumns = ASheetImage.width() / Tile;
    for (int k = 0; k < ACount; ++k) {
        const int i = AFirst + k, sc = k % columns, sr = k / columns;
        const QImage tile =
            ASheetImage.copy((i % sheetColumns) * Tile, (i / sheetColumns) * Tile, Tile, Tile);
        const int x = 4 + sc * cellW, y = 4 + sr * cellH;
        p.fillRect(x, y, Tile * AZoom, Tile * AZoom, QColor(0xF4, 0xF6, 0xF8));
        p.drawImage(QRect(x, y, Tile * AZoom, Tile * AZoom), tile);
        p.fillRect(x + Tile * AZoom + 4, y, Tile + 4, Tile + 4, QColor(0xE4, 0xE8, 0xEC));
        p.drawImage(x + Tile * AZoom + 6, y + 2, tile);
        p.drawImage(x + Tile * AZoom + 6, y + Tile + 8, tile);
        DrawNumber(p, x, y + Tile * AZoom + 4, i, 2);
    }
    return out;
}

QImage IconContact(const std::vector<TIcon>& AIcons) {
    const int cellW = 32 * 3 + 32 + 16 + 24, cellH = 32 * 3 + 20, cols = 6;
    const int rows = (static_cast<int>(AIcons.size()) + cols - 1) / cols;
    QImage out(cols * cellW + 8, rows * cellH + 8, QImage::Format_ARGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    for (size_t i = 0; i < AIcons.size(); ++i) {
        const int x = 4 + static_cast<int>(i % cols) * cellW;
        const int y = 4 + static_cast<int>(i / cols) * cellH;
        const QImage big = Render(AIcons[i].Art, 32), small = Render(AIcons[i].Art, 16);
        p.fillRect(x, y, 96, 96, QColor(0xF4, 0xF6, 0xF8));
        p.drawImage(QRect(x, y, 96, 96), big);
        p.drawImage(x + 100, y, big);
        p.drawImage(x + 100, y + 40, small);
        DrawNumber(p, x, y + 100, static_cast<int>(AIcons[i].ResId), 2);
    }
    return out;
}

// --- Notes -----------------------------------------------------------------------------------

QString Notes(const std::vector<TSheet>& ASheets, const std::vector<TIcon>& AIcons,
              const std::vector<TPicture>& APictures) {
    QString s;
    QTextStream t(&s);
    t << "# Pictures\n\n"
         "Drawn by `tools/kv-makeicons` (see LICENSE.md); do not edit the PNG files by hand.\n"
         "Run `build/tools/kv-makeicons resources/images` from the top folder after changing "
         "the generator and commit the files it writes, this one and KVImages.qrc included.\n\n"
         "## Image lists\n\n"
         "Each sheet holds tiles of 16 × 16 pixels, row by row from the top and, within a row, "
         "from the left. The loader takes the colour of the top-left pixel as the transparent "
         "colour of masked lists.\n\n"
         "| list | resource | sheet | tiles | masked | layout |\n|---|---|---|---|---|---|\n";
    for (const TSheet& sh : ASheets)
        t << "| `" << sh.ListName << "` | " << sh.ResId << " | " << sh.Columns * Tile << " × "
          << sh.Rows * Tile << " | " << sh.Tiles.size() << " | " << (sh.Masked ? "yes" : "no")
          << " | " << sh.Scheme << " |\n";
    for (const TSheet& sh : ASheets) {
        t << "\n### " << sh.ListName << " (" << sh.ResId << ")\n\n";
        if (sh.ResId == 3110 || sh.ResId == 3116 || sh.ResId == 3114) {
            const std::vector<TShape>& shapes = sh.ResId == 3110   ? ClassShapes()
                                                : sh.ResId == 3116 ? StorageShapes()
                                                                   : ProjectShapes();
            t << sh.Scheme << ".\n\nShapes in order: ";
            for (size_t i = 0; i < shapes.size(); ++i)
                t << (i ? ", " : "") << i << " " << shapes[i].Name;
            t << ".\n";
            continue;
        }
        t << "| index | used for | picture |\n|---|---|---|\n";
        for (size_t i = 0; i < sh.Tiles.size(); ++i)
            t << "| " << i << " | " << (sh.Tiles[i].Use.isEmpty() ? "–" : sh.Tiles[i].Use) << " | "
              << sh.Tiles[i].Look << " |\n";
    }
    t << "\n## Icon resources\n\n"
         "`<number>.png` is 32 × 32, `<number>-16.png` 16 × 16.\n\n"
         "| resource | window | picture |\n|---|---|---|\n";
    for (const TIcon& ic : AIcons)
        t << "| " << ic.ResId << " | " << ic.Use << " | " << ic.Look << " |\n";
    t << "\n## Pictures\n\n"
         "Drawn in pixels at their own size on white; the program's name is written in the "
         "generator's own stroke capitals, not with a font.\n\n"
         "| file | used for | picture |\n|---|---|---|\n";
    for (const TPicture& pic : APictures)
        t << "| " << pic.Name << ".png | " << pic.Use << " | " << pic.Look << " |\n";
    return s;
}

// The resource file that builds the pictures into the program: sheets under /kv/bitmaps,
// icons under /kv/icons, each by its resource number, the larger pictures under /kv/pictures
// by name.
QString ResourceFile(const std::vector<TSheet>& ASheets, const std::vector<TIcon>& AIcons,
                     const std::vector<TPicture>& APictures) {
    QString s;
    QTextStream t(&s);
    t << "<!DOCTYPE RCC>\n<!-- Written by kv-makeicons. -->\n<RCC version=\"1.0\">\n"
         "<qresource prefix=\"/kv/bitmaps\">\n";
    for (const TSheet& sh : ASheets)
        t << "    <file>" << sh.ResId << ".png</file>\n";
    t << "</qresource>\n<qresource prefix=\"/kv/icons\">\n";
    for (const TIcon& ic : AIcons)
        t << "    <file>" << ic.ResId << ".png</file>\n    <file>" << ic.ResId
          << "-16.png</file>\n";
    t << "</qresource>\n<qresource prefix=\"/kv/pictures\">\n";
    for (const TPicture& pic : APictures)
        t << "    <file>" << pic.Name << ".png</file>\n";
    t << "</qresource>\n</RCC>\n";
    return s;
}

bool WriteText(const QString& AFile, const QString& AText) {
    QFile file(AFile);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
        file.write(AText.toUtf8()) == AText.toUtf8().size())
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(AFile));
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    QString outDir, contactDir;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--contact" && i + 1 < args.size())
            contactDir = args[++i];
        else if (outDir.isEmpty() && !args[i].startsWith("-"))
            outDir = args[i];
        else {
            outDir.clear();
            break;
        }
    }
    if (outDir.isEmpty()) {
        std::fprintf(stderr, "usage: kv-makeicons <folder> [--contact <folder>]\n");
        return 2;
    }
    QDir().mkpath(outDir);
    if (!contactDir.isEmpty())
        QDir().mkpath(contactDir);

    bool ok = true;
    const std::vector<TSheet> sheets = ImageSheets();
    for (const TSheet& sh : sheets) {
        const QImage image = MakeSheet(sh);
        ok = Check(sh, image) && ok;
        ok = Save(image, QString("%1/%2.png").arg(outDir).arg(sh.ResId)) && ok;
        if (!contactDir.isEmpty()) {
            // Pages of at most 64 tiles, 8 to a row, so that each page stays readable.
            const int count = static_cast<int>(sh.Tiles.size());
            for (int first = 0, page = 1; first < count; first += 64, ++page)
                Save(Contact(image, first, qMin(64, count - first), 4),
                     QString("%1/contact-%2-%3.png").arg(contactDir).arg(sh.ResId).arg(page));
        }
    }
    const std::vector<TIcon> icons = IconResources();
    for (const TIcon& ic : icons) {
        ok = Save(Render(ic.Art, 32), QString("%1/%2.png").arg(outDir).arg(ic.ResId)) && ok;
        ok = Save(Render(ic.Art, 16), QString("%1/%2-16.png").arg(outDir).arg(ic.ResId)) && ok;
    }
    if (!contactDir.isEmpty())
        Save(IconContact(icons), contactDir + "/contact-icons.png");

    const std::vector<TPicture> pictures = Pictures();
    for (const TPicture& pic : pictures)
        ok = Save(RenderPicture(pic), QString("%1/%2.png").arg(outDir).arg(pic.Name)) && ok;

    ok = WriteText(outDir + "/README.md", Notes(sheets, icons, pictures)) && ok;
    ok = WriteText(outDir + "/KVImages.qrc", ResourceFile(sheets, icons, pictures)) && ok;
    return ok ? 0 : 1;
}
