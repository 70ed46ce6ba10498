#include "platform/sys/LockFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

TLockFile::~TLockFile() {
    if (Held())
        Release();
}

bool TLockFile::Create(const QString& AFileName, int& AErrorCode) {
    if (Held()) {
        AErrorCode = EBUSY;
        return false;
    }
    const QByteArray name = QFile::encodeName(AFileName);
    const int handle = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (handle < 0) {
        AErrorCode = errno;
        return false;
    }
    FHandle = handle;
    FFileName = AFileName;
    AErrorCode = 0;
    return true;
}

bool TLockFile::Close(int& AErrorCode) {
    if (!Held())
        return true;
    const int handle = FHandle;
    // The descriptor is released by close() even when it reports an error.
    FHandle = -1;
    if (::close(handle) != 0) {
        AErrorCode = errno;
        return false;
    }
    return true;
}

bool TLockFile::Remove(int& AErrorCode) {
    if (FFileName.isEmpty())
        return true;
    if (::unlink(QFile::encodeName(FFileName).constData()) != 0) {
        AErrorCode = errno;
        return false;
    }
    FFileName.clear();
    return true;
}

void TLockFile::Release() {
    int error = 0;
    Close(error);
    Remove(error);
}
