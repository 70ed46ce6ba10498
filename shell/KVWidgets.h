#pragma once

// Small pieces the windows share: the hourglass while a long step runs, the images of the main
// tool bar, and a tool-bar button with its caption under its image.

#include <QIcon>
#include <QSize>
#include <QString>

class QToolBar;
class QToolButton;

// Shows the hourglass while it lives.
class TWaitCursor {
public:
    TWaitCursor();
    ~TWaitCursor();
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};

// Image AImage of the data module's main tool-bar image list; an empty icon without it.
QIcon MainToolIcon(int AImage);

// Appends to ABar a button named AName with ACaption under main tool-bar image AImage, AHint as
// its tool and status tip, at least AMinimumSize.
QToolButton* AddCaptionToolButton(QToolBar* ABar, const char* AName, const QString& ACaption,
                                  const QString& AHint, int AImage, QSize AMinimumSize);
