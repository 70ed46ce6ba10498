#include "platform/ib/IBDataBaseFile.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kMinPageSize = 1024;
constexpr int kMaxPageSize = 32768;
constexpr quint8 kHeaderPage = 1;
constexpr quint8 kPageInventoryPage = 2;
constexpr quint16 kFirebirdFlag = 0x8000;
// Oldest and newest major versions of the structure that Firebird has had.
constexpr int kFirstFirebirdODS = 8;
constexpr int kLastKnownODS = 13;
constexpr int kHeaderItemsStart = 132;
constexpr quint8 kItemEnd = 0;
constexpr quint8 kItemFurtherFile = 2;

// Closes a file descriptor when it goes.
class TFileDescriptor {
public:
    explicit TFileDescriptor(int AFd) : FFd(AFd) {}
    ~TFileDescriptor() {
        if (FFd >= 0)
            ::close(FFd);
    }
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;
    int Get() const { return FFd; }

private:
    int FFd;
};

// Reads ACount bytes at AOffset; false (errno set, or 0 at the end of the file) when not all
// of them are there.
bool ReadAt(int AFd, qint64 AOffset, std::vector<uchar>& ABuffer, int ACount) {
    ABuffer.assign(size_t(ACount), 0);
    qint64 done = 0;
    while (done < ACount) {
        const ssize_t n = ::pread(AFd, ABuffer.data() + done, size_t(ACount - done), AOffset + done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = 0;
            return false;
        }
        done += n;
    }
    return true;
}

quint16 U16(const std::vector<uchar>& APage, int AOffset) {
    return qFromLittleEndian<quint16>(APage.data() + AOffset);
}

quint32 U32(const std::vector<uchar>& APage, int AOffset) {
    return qFromLittleEndian<quint32>(APage.data() + AOffset);
}

// Whether the header's variable items name a further file of the database.
bool HasFurtherFiles(const std::vector<uchar>& AHeader) {
    const int end = std::min<int>(U16(AHeader, 66), int(AHeader.size()));
    for (int pos = kHeaderItemsStart; pos + 2 <= end;) {
        const quint8 type = AHeader[size_t(pos)];
        if (type == kItemEnd)
            break;
        if (type == kItemFurtherFile)
            return true;
        pos += 2 + AHeader[size_t(pos) + 1];
    }
    return false;
}

} // namespace

TIBFileCheck IBCheckDataBaseFile(const QString& AFileName) {
    TIBFileCheck check;
    const TFileDescriptor fd(::open(QFile::encodeName(AFileName).constData(), O_RDONLY | O_CLOEXEC));
    struct stat info;
    if (fd.Get() < 0 || ::fstat(fd.Get(), &info) != 0) {
        check.FVerdict = fvUnreadable;
        check.FSystemError = errno;
        return check;
    }
    check.FSize = info.st_size;
    if (check.FSize == 0) {
        check.FVerdict = fvEmpty;
        return check;
    }

    std::vector<uchar> page;
    if (!ReadAt(fd.Get(), 0, page, std::min<qint64>(check.FSize, kMinPageSize))) {
        check.FVerdict = fvUnreadable;
        check.FSystemError = errno;
        return check;
    }
    if (check.FSize < kMinPageSize) {
        check.FVerdict = fvNotADataBase;
        return check;
    }
    const int pageSize = U16(page, 16);
    const quint16 ods = U16(page, 18);
    const bool plausiblePageSize =
        pageSize >= kMinPageSize && pageSize <= kMaxPageSize && (pageSize & (pageSize - 1)) == 0;
    check.FODSMajor = ods & ~kFirebirdFlag;
    if (page[0] != kHeaderPage || !plausiblePageSize || U32(page, 12) != 0 ||
        !(ods & kFirebirdFlag) || check.FODSMajor < kFirstFirebirdODS ||
        check.FODSMajor > kLastKnownODS) {
        check.FVerdict = fvNotADataBase;
        return check;
    }
    check.FPageSize = pageSize;
    check.FODSMinor = U16(page, 64);
    if (check.FODSMajor != IBOnDiskStructure) {
        check.FVerdict = fvOtherVersion;
        return check;
    }

    // Whole pages, at least the header and the first page inventory.
    const qint64 pages = check.FSize / pageSize;
    if (check.FSize % pageSize != 0 || pages < 2) {
        check.FVerdict = fvTruncated;
        check.FExpectedSize = std::max<qint64>(pages + 1, 2) * pageSize;
        return check;
    }
    std::vector<uchar> header;
    std::vector<uchar> inventory;
    if (!ReadAt(fd.Get(), 0, header, pageSize) || !ReadAt(fd.Get(), pageSize, inventory, 28)) {
        check.FVerdict = fvUnreadable;
        check.FSystemError = errno;
        return check;
    }
    if (inventory[0] != kPageInventoryPage || U32(inventory, 12) != 1) {
        check.FVerdict = fvDamaged;
        return check;
    }
    // A database in several files keeps the pages beyond its first file elsewhere.
    const qint64 allocated = U32(inventory, 24);
    if (allocated > pages && !HasFurtherFiles(header)) {
        check.FVerdict = fvTruncated;
        check.FExpectedSize = allocated * pageSize;
    }
    return check;
}
