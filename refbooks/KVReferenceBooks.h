#pragma once

// Registers the list windows of the reference books with the main window's commands.
void RegisterReferenceBookWindows();
