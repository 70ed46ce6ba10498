#pragma once

// What the data module exchanges with the main window, which core/ cannot see: the window's
// saved state handed over while the settings are read at start, and its state read back when
// they are written at exit. The main window installs itself before it creates the data module;
// without it the data module keeps the values it read and writes them back unchanged.

#include <QSize>

class TKVMainWindowLink {
public:
    virtual ~TKVMainWindowLink() = default;

    // The saved state: whether the window was maximised, and its last normal size.
    virtual void SetAppWinSizeInfo(bool AAppWinMaximize, int AAppWinWidth, int AAppWinHeight) = 0;
    // Whether the window is maximised now.
    virtual bool AppWinMaximized() const = 0;
    // The window's normal size, restoring it from maximised first where the toolkit needs that
    // to tell the size.
    virtual QSize AppWinNormalSize() = 0;
};

// The installed main window; nullptr when none is.
TKVMainWindowLink* KVMainWindowLink();
// Installs ALink (not owned); nullptr removes it.
void SetKVMainWindowLink(TKVMainWindowLink* ALink);
