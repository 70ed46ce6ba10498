#pragma once

// The larger pictures of the program: the splash window's picture and the about box's
// background. They are drawn in pixels at their own size, in the colours and the mark of the
// program's icon, with the program's name written in stroke letters of this generator.

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>
#include <vector>

struct TPicture {
    QString Name; // the file is <Name>.png
    QString Use;
    QString Look;
    QSize Size;
    std::function<void(QPainter&)> Draw; // draws in pixels on a white image of Size
};

std::vector<TPicture> Pictures();

// Renders a picture at its size.
QImage RenderPicture(const TPicture& APicture);
