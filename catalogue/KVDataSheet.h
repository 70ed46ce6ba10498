#pragma once

// The data-sheet reference of an element type (T_ELEMENT_TYPE.S_DATASHEET): the name of a file
// on this computer or a web address. The text is typed by the user or comes with other users'
// packages, so only documents are handed to the desktop: a file that exists and is no program
// or script, shown by the desktop's viewer for its kind, or a web address (http or https, or a
// name that starts with "www."), shown by the browser. Nothing else is opened, so a stored text
// cannot start anything on this computer.

#include <QString>
#include <QUrl>

enum TKVDataSheetKind {
    dskEmpty,      // no text
    dskFile,       // a document file that exists
    dskWebAddress, // an address of a web site
    dskProgram,    // a file that exists but is a program or a script: never opened
    dskMissing     // neither an existing file nor a web address
};

struct TKVDataSheetTarget {
    TKVDataSheetKind Kind = dskEmpty;
    // What is handed to the desktop: the web address or the file's URL.
    QUrl Url;
    // The file's absolute name (dskFile, dskProgram, and dskMissing for a file name).
    QString FileName;
};

// What AText (spaces around it ignored) names; a relative file name counts from
// AProgramFolder.
TKVDataSheetTarget DataSheetTarget(const QString& AText, const QString& AProgramFolder);

// Hands a document file or a web address to the desktop (through the open hook of
// KVWebAddress.h); false for any other target, which is not opened.
bool OpenDataSheet(const TKVDataSheetTarget& ATarget);

// Why the text AText of ATarget is not opened (a missing file, a program); empty when it is
// opened or empty.
QString DataSheetRefusal(const TKVDataSheetTarget& ATarget, const QString& AText);
