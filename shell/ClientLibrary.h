#pragma once

// The check at start that the database client library and its embedded engine can be loaded:
// without the engine no database file can be opened, and the program says so at once instead
// of failing at the first connect.

#include <QString>

// The client library's file name.
QString ClientLibraryFile();
// The full name of the embedded engine's plug-in as the client library's configuration names
// it: the first provider called "Engine..." in the plug-in folder.
QString EngineLibraryFile();
// The first of the two files that cannot be loaded; empty when both load.
QString MissingClientLibraryFile();
