#pragma once

// Where a file lives: the kind of drive under a path, taken from the file system type of its
// mount, and the program's own folder. The data module uses them to decide whether a database
// or the program's settings may be written and whether a database needs a lock file.

#include <QByteArray>
#include <QString>

// Kinds of drive, numbered as the program stores and compares them.
enum TDriveType {
    dtUnknown = 0,   // undetermined: no mount was found for the path
    dtNoRootDir = 1, // a share reached without a mounted drive
    dtRemovable = 2,
    dtFixed = 3,
    dtRemote = 4, // a network file system
    dtCDROM = 5,  // iso9660, udf
    dtRamDisk = 6 // tmpfs, ramfs
};

// The drive type of a mount's file system type as /proc/self/mountinfo names it.
int DriveTypeOfFileSystem(const QByteArray& AFileSystemType);

// The drive type of APath: that of the mount holding it, or of its nearest existing parent
// folder when the path does not exist (yet). A relative path counts from the current folder.
// dtUnknown when no mount can be found.
int GetDriveTypeOfPath(const QString& APath);

// The folder of the program's executable, ending with '/'.
QString ProgramFolder();

// Whether files can be created in AFolder.
bool IsFolderWritable(const QString& AFolder);

// Seams for tests, which cannot mount a network share or a CD-ROM and run as root, for whom
// every folder is writable. A setting applies to the folder named and everything under it;
// the deepest setting wins.
namespace SysTestSeams {
void SetDriveType(const QString& AFolder, int ADriveType);
void SetFolderWritable(const QString& AFolder, bool AWritable);
// Removes every setting.
void Reset();
} // namespace SysTestSeams
