#include "platform/sys/SysDrive.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <map>
#include <optional>
#include <unistd.h>

namespace {

std::map<QString, int> gDriveTypes;
std::map<QString, bool> gWritable;

QString CleanAbsolute(const QString& APath) {
    return QDir::cleanPath(QFileInfo(APath).absoluteFilePath());
}

// The value set for the deepest folder that holds APath (an absolute, clean path).
template <typename T>
std::optional<T> SeamFor(const std::map<QString, T>& ASettings, const QString& APath) {
    std::optional<T> result;
    qsizetype depth = -1;
    for (const auto& [folder, value] : ASettings) {
        const bool inside = APath == folder || folder == QLatin1String("/") ||
                            APath.startsWith(folder + QLatin1Char('/'));
        if (inside && folder.size() > depth) {
            depth = folder.size();
            result = value;
        }
    }
    return result;
}

} // namespace

int DriveTypeOfFileSystem(const QByteArray& AFileSystemType) {
    static const char* const kRemote[] = {
        "nfs", "nfs4", "cifs",      "smb3",      "smbfs",          "sshfs", "fuse.sshfs",
        "9p",  "ceph", "fuse.ceph", "glusterfs", "fuse.glusterfs", "afs",   "ncpfs"};
    const QByteArray type = AFileSystemType.trimmed().toLower();
    if (type.isEmpty())
        return dtUnknown;
    for (const char* remote : kRemote)
        if (type == remote)
            return dtRemote;
    if (type == "iso9660" || type == "udf")
        return dtCDROM;
    if (type == "tmpfs" || type == "ramfs")
        return dtRamDisk;
    return dtFixed;
}

int GetDriveTypeOfPath(const QString& APath) {
    if (APath.trimmed().isEmpty())
        return dtUnknown;
    QString path = CleanAbsolute(APath);
    if (const std::optional<int> seam = SeamFor(gDriveTypes, path))
        return *seam;
    // QStorageInfo needs an existing path: climb to the nearest existing folder.
    while (!QFileInfo::exists(path)) {
        const QString parent = QFileInfo(path).path();
        if (parent == path)
            return dtUnknown;
        path = parent;
    }
    const QStorageInfo storage(path);
    if (!storage.isValid())
        return dtUnknown;
    return DriveTypeOfFileSystem(storage.fileSystemType());
}

QString ProgramFolder() {
    QString folder;
    if (QCoreApplication::instance())
        folder = QCoreApplication::applicationDirPath();
    else
        folder = QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).path();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

bool IsFolderWritable(const QString& AFolder) {
    const QString folder = CleanAbsolute(AFolder);
    if (const std::optional<bool> seam = SeamFor(gWritable, folder))
        return *seam;
    // access() also answers "read-only file system" for root, for whom mode bits do not count.
    return ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}

namespace SysTestSeams {

void SetDriveType(const QString& AFolder, int ADriveType) {
    gDriveTypes[CleanAbsolute(AFolder)] = ADriveType;
}

void SetFolderWritable(const QString& AFolder, bool AWritable) {
    gWritable[CleanAbsolute(AFolder)] = AWritable;
}

void Reset() {
    gDriveTypes.clear();
    gWritable.clear();
}

} // namespace SysTestSeams
