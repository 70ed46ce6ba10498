#pragma once

// What the first pages of a file say about it, read before the engine opens it. The engine
// writes to every file it attaches (its header page at the least), a damaged one included,
// before it finds the damage; a file that is plainly no database of the engine's on-disk
// structure is told apart here, by reading only, and so stays as it was.
//
// The header page (page 0) of the structure: byte 0 the page type (1), bytes 16-17 the page
// size, bytes 18-19 the structure version (0x8000 marks a Firebird database, the rest is the
// major version: 12 for Firebird 3), bytes 64-65 the minor version, bytes 66-67 the end of the
// header's variable items, which start at byte 132 as (type, length, data) and name, among
// others, the further files of a database kept in several files (type 2). Page 1 is the first
// page inventory (type 2), whose bytes 24-27 count the pages allocated so far: a file shorter
// than that has lost pages.

#include <QString>

// The on-disk structure (major version) of the engine this program runs.
constexpr int IBOnDiskStructure = 12;

enum TIBFileVerdict {
    fvDataBase,     // a database of the engine's structure, as far as its first pages tell
    fvUnreadable,   // the file cannot be read: FSystemError says why
    fvEmpty,        // the file has no bytes
    fvNotADataBase, // no database header
    fvOtherVersion, // a database of another structure version: FODSMajor, FODSMinor
    fvTruncated,    // shorter than its pages: FSize against FExpectedSize
    fvDamaged       // a database header, but the pages after it are not those of a database
};

struct TIBFileCheck {
    TIBFileVerdict FVerdict = fvDataBase;
    int FSystemError = 0; // errno of the failed open or read
    qint64 FSize = 0;
    int FPageSize = 0;
    int FODSMajor = 0;
    int FODSMinor = 0;
    qint64 FExpectedSize = 0; // for fvTruncated: the size the file should at least have
};

// Reads the first two pages of AFileName (opened for reading only) and judges them.
TIBFileCheck IBCheckDataBaseFile(const QString& AFileName);
