#pragma once

// Registers the stock's windows with the shell and the libraries below: the stock list of all
// records (the main window's stock command), of a storage place and of an element type, and the
// main window's command for a new stock record; the project lists in work and in the archive.
// The find dialog (its result opens through the main window's find operations), the parametric
// search, the nominal-value and revision-date searches of the stock, the favourites dialog and
// the notes list (the main window's commands for them).
void RegisterStockWindows();
