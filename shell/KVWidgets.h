#pragma once

// Small pieces the windows share: the hourglass while a long step runs, the images of the main
// tool bar, and a tool-bar button with its caption under its image.

#include <QIcon>
#include <QSize>
#include <QString>

class QAbstractItemView;
class QDialog;
class QHeaderView;
class QPushButton;
class QTabWidget;
class QToolBar;
class QToolButton;
class QWidget;

// The rows a list shows when its window opens.
constexpr int UsefulListRows = 10;

// Sizes AWindow to what it shows: a top-level window within its screen, or the sub-window of a
// workspace within the workspace (moved into it when it reaches past an edge). Its minimum is
// ASmallest or what its layout needs, whichever is more; it opens at ASize or at its layout's
// preferred size grown by AHintExtra, whichever is more, cut to the area but never below that
// minimum. The sizes are the window's outer sizes (a sub-window's frame and caption included).
// AFixed: the window cannot be resized.
void FitWindowToContent(QWidget* AWindow, const QSize& ASmallest, const QSize& ASize,
                        const QSize& AHintExtra = QSize(0, 0), bool AFixed = false);

// How much larger than its size hint AView must be to show ARows rows and every column whole
// without scrolling.
QSize ListViewShortfall(const QAbstractItemView* AView, int ARows = UsefulListRows);

// Widens every column of AHeader that is narrower than its caption.
void FitHeaderSections(QHeaderView* AHeader);

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

// Makes the windows that hold the horizontal tool bar ABar wide enough to show all its commands.
void ShowAllToolBarCommands(QToolBar* ABar);

// Appends to ABar a button named AName with ACaption under main tool-bar image AImage, AHint as
// its tool and status tip, at least AMinimumSize; the bar shows all its commands.
QToolButton* AddCaptionToolButton(QToolBar* ABar, const char* AName, const QString& ACaption,
                                  const QString& AHint, int AImage, QSize AMinimumSize);

// The frame of an information window: the page control APages, whose tab row shows every tab
// whole, above a row with the button "&Скопировать в буфер обмена" (CopyToClipboard_Btn, with
// ACopyIcon) at the left and the default button "OK" (OkBtn), which accepts ADialog, at the
// right. The window connects the copy button itself.
struct TKVInfoWindowButtons {
    QPushButton* Copy;
    QPushButton* Ok;
};
TKVInfoWindowButtons LayOutInfoWindow(QDialog* ADialog, QTabWidget* APages,
                                      const QIcon& ACopyIcon = QIcon());
