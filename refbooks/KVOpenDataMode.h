#pragma once

// Enter and a double click on a row of a book whose records open in more than one view (a
// maker: its card or its element types; a supplier: its card or its price list) ask the user
// which view to open, through the view chooser.

#include "shell/frmOpenDataMode.h"

class TKVListFrame;

// Runs the view chooser over AViews for the focused record of AFrame and returns the view
// chosen; odmtNone without a chooser when the frame is not in manage mode, no record is
// selected or the database is not open, and odmtNone when the chooser is cancelled.
TKVOpenDataModeType ChooseOpenDataMode(const TKVListFrame& AFrame, TKVOpenDataModeTypes AViews);
