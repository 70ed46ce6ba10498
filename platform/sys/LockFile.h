#pragma once

// A lock file: an empty file created next to a shared database while one copy of the program
// has it open, so that another copy refuses it. The file is created exclusively, so two copies
// that try at the same moment can never both hold it, and stays open while held.

#include <QString>

class TLockFile {
public:
    TLockFile() = default;
    // A lock still held is released: closed and deleted.
    ~TLockFile();
    TLockFile(const TLockFile&) = delete;
    TLockFile& operator=(const TLockFile&) = delete;

    // Creates AFileName (mode 0644) and holds it open. False when the file exists or cannot be
    // made; AErrorCode is then the system's error code (EEXIST for an existing file).
    bool Create(const QString& AFileName, int& AErrorCode);
    bool Held() const { return FHandle >= 0; }
    // The file of the last Create, kept after Close so that it can still be removed.
    const QString& FileName() const { return FFileName; }

    // Closes the handle. False with the system's error code when closing reports an error; the
    // handle is gone all the same.
    bool Close(int& AErrorCode);
    // Deletes the file of the last Create. False with the system's error code when it cannot.
    bool Remove(int& AErrorCode);
    // Close and Remove, errors ignored: for giving up a lock on the way out of a refusal.
    void Release();

private:
    int FHandle = -1;
    QString FFileName;
};
