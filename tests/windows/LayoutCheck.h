#pragma once

// What a user sees cut in a window as it is shown now: a widget smaller than its minimum size
// hint (a clipped caption, an elided button text, a label cut at the top or bottom), a tool bar
// that hides commands behind its extension button, a tab row that scrolls, a column caption
// cut, a list that needs a horizontal scroll bar or shows too few rows, a window outside the
// area it lives in. Every page of every tab widget is looked at.

#include <QRect>
#include <QStringList>

class QWidget;

struct TLayoutCheck {
    // The fewest rows a list view must show.
    int MinListRows = 5;
};

// The faults of AWindow (a top-level window or a sub-window of a workspace) and its visible
// widgets; AArea, when valid, is the rectangle (in AWindow's parent's coordinates) that the
// window must lie in.
QStringList LayoutFaults(QWidget* AWindow, const QRect& AArea, const TLayoutCheck& ACheck = {});
