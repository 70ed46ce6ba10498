#include "core/KVPicture.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>

#include <cfenv>
#include <cmath>

namespace {

// Nearest integer, halves to the even neighbour.
int RoundHalfEven(double AValue) {
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(AValue);
    std::fesetround(saved);
    return static_cast<int>(rounded);
}

} // namespace

QSize PictureStoredSize(const QSize& ASize) {
    const int w = ASize.width();
    const int h = ASize.height();
    if (w <= KVPictureMaxSide && h <= KVPictureMaxSide)
        return ASize;
    if (w == h)
        return {KVPictureMaxSide, KVPictureMaxSide};
    const double factor = static_cast<double>(KVPictureMaxSide) / std::max(w, h);
    // A side never shrinks to nothing, however thin the picture.
    return {std::max(1, RoundHalfEven(w * factor)), std::max(1, RoundHalfEven(h * factor))};
}

QImage DecodePicture(const QByteArray& AJpeg) {
    QBuffer buffer;
    buffer.setData(AJpeg);
    buffer.open(QIODevice::ReadOnly);
    // Read as JPEG whatever the bytes claim to be: the column holds JPEG pictures only.
    QImageReader reader(&buffer, "jpeg");
    reader.setAutoDetectImageFormat(false);
    reader.setAutoTransform(false);
    return reader.read();
}

QByteArray PictureToStore(const QByteArray& AJpeg) {
    const QImage image = DecodePicture(AJpeg);
    if (image.isNull())
        return {};
    const QSize size = PictureStoredSize(image.size());
    if (size == image.size())
        return AJpeg;
    const QImage scaled = image.convertToFormat(QImage::Format_RGB888)
                              .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                              .convertToFormat(QImage::Format_RGB888);
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(KVPictureJpegQuality);
    writer.setProgressiveScanWrite(false);
    if (!writer.write(scaled))
        return {};
    return encoded;
}
