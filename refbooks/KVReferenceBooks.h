#pragma once

// Registers the list windows of the reference books with the main window's commands, and the
// storage picker with the options dialog.
void RegisterReferenceBookWindows();
