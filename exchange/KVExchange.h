#pragma once

// Registers the package import, export and deletion dialogs and the price-list import with
// the main window's commands.
void RegisterExchangeWindows();
