#pragma once

// Makes the catalogue's windows reachable from the libraries below it (the reference books'
// views and commands) and from the main window: called once at start.
void RegisterCatalogueWindows();
