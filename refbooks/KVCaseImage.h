#pragma once

// The picture of a case as the case card stores it: JPEG bytes of a picture no larger than
// 300 × 300 pixels. A larger picture is scaled down to fit, keeping its proportions, and
// encoded again; a picture that fits is kept exactly as it was read.

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// The longest side a stored case picture may have.
constexpr int KVCaseImageMaxSide = 300;
// The quality of a picture encoded after scaling.
constexpr int KVCaseImageJpegQuality = 90;

// The size a picture of ASize is stored at: ASize itself when both sides are at most 300;
// 300 × 300 for a larger square; otherwise both sides times 300 / the longer side, each
// rounded to the nearest integer with halves going to the even neighbour.
QSize CaseImageStoredSize(const QSize& ASize);

// Decodes JPEG bytes; a null image when they are not a JPEG picture.
QImage DecodeCaseImage(const QByteArray& AJpeg);

// The bytes stored for the JPEG picture AJpeg (the bytes of a file): AJpeg itself when the
// picture fits, else the picture stretched with area averaging to CaseImageStoredSize and
// encoded as a baseline colour JPEG of quality 90. Empty when AJpeg is not a JPEG picture.
QByteArray CaseImageToStore(const QByteArray& AJpeg);
