#pragma once

// Registers the package import and export dialogs with the main window's commands.
void RegisterExchangeWindows();
