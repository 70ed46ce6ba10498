#pragma once

// The pictures of cases and element types as the database stores them: JPEG bytes of a
// picture no larger than 300 × 300 pixels. A larger picture is scaled down to fit, keeping its
// proportions, and encoded again; a picture that fits is kept exactly as it was read.

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// The longest side a stored picture may have.
constexpr int KVPictureMaxSide = 300;
// The quality of a picture encoded after scaling.
constexpr int KVPictureJpegQuality = 90;

// The size a picture of ASize is stored at: ASize itself when both sides are at most 300;
// 300 × 300 for a larger square; otherwise both sides times 300 / the longer side, each
// rounded to the nearest integer with halves going to the even neighbour.
QSize PictureStoredSize(const QSize& ASize);

// Decodes JPEG bytes; a null image when they are not a JPEG picture.
QImage DecodePicture(const QByteArray& AJpeg);

// The bytes stored for the JPEG picture AJpeg (the bytes of a file): AJpeg itself when the
// picture fits, else the picture stretched with area averaging to PictureStoredSize and
// encoded as a baseline colour JPEG of quality 90. Empty when AJpeg is not a JPEG picture.
QByteArray PictureToStore(const QByteArray& AJpeg);
