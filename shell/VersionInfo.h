#pragma once

// The program's version record, read by the start of the program, the main window, the splash
// window and the about box.

#include <QString>
#include <QtGlobal>

struct TVersionInfo {
    QString viProjectName; // up to 64 characters: the title of the application
    QString viAppName;     // up to 64 characters: the application's name within the product
    quint16 viMajorVersion = 0;
    quint16 viMinorVersion = 0;
    quint16 viBuildVersion = 0;
    QString viBuildDescription; // up to 32 characters
    QString viCopyright;        // up to 255 characters: the line of rights
    QString viUrl;              // up to 255 characters: the program's web site
    bool viDebug = false;       // a test build: the start warns about it
};

// The record of this build. A build without NDEBUG (a debug build) counts as a test build.
const TVersionInfo& AppVersionInfo();
