#include "platform/sys/SysDrive.h"
#include "platform/sys/LockFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>
#include <gtest/gtest.h>

namespace {

class SysDriveTest : public ::testing::Test {
protected:
    void TearDown() override { SysTestSeams::Reset(); }
    QTemporaryDir FDir;
};

} // namespace

TEST(SysDrive, FileSystemTypes) {
    const struct {
        const char* Type;
        int Drive;
    } cases[] = {
        {"nfs", dtRemote},    {"nfs4", dtRemote},      {"cifs", dtRemote},       {"smb3", dtRemote},
        {"smbfs", dtRemote},  {"sshfs", dtRemote},     {"fuse.sshfs", dtRemote}, {"9p", dtRemote},
        {"ceph", dtRemote},   {"glusterfs", dtRemote}, {"iso9660", dtCDROM},     {"udf", dtCDROM},
        {"tmpfs", dtRamDisk}, {"ramfs", dtRamDisk},    {"ext4", dtFixed},        {"btrfs", dtFixed},
        {"overlay", dtFixed}, {"fuse.other", dtFixed}, {"NFS4", dtRemote},       {"", dtUnknown}};
    for (const auto& c : cases)
        EXPECT_EQ(DriveTypeOfFileSystem(c.Type), c.Drive) << c.Type;
}

TEST_F(SysDriveTest, RealPathsAndMissingOnes) {
    const int real = GetDriveTypeOfPath(FDir.path());
    EXPECT_TRUE(real == dtFixed || real == dtRamDisk || real == dtRemote) << real;
    // A file that does not exist yet lies on the drive of its folder.
    EXPECT_EQ(GetDriveTypeOfPath(FDir.filePath(QStringLiteral("a/b/c.fdb"))), real);
    EXPECT_EQ(GetDriveTypeOfPath(QString()), dtUnknown);
}

TEST_F(SysDriveTest, SeamSetsTheTypeOfAFolderAndEverythingUnderIt) {
    const QString base = FDir.path();
    SysTestSeams::SetDriveType(base, dtRemote);
    SysTestSeams::SetDriveType(base + QStringLiteral("/cd"), dtCDROM);
    EXPECT_EQ(GetDriveTypeOfPath(base + QStringLiteral("/x.fdb")), dtRemote);
    EXPECT_EQ(GetDriveTypeOfPath(base + QStringLiteral("/cd/x.fdb")), dtCDROM);
    // A sibling whose name merely starts the same is not inside.
    EXPECT_NE(GetDriveTypeOfPath(base + QStringLiteral("x/y.fdb")), dtRemote);

    EXPECT_TRUE(IsFolderWritable(base));
    SysTestSeams::SetFolderWritable(base, false);
    EXPECT_FALSE(IsFolderWritable(base + QStringLiteral("/")));
    SysTestSeams::Reset();
    EXPECT_TRUE(IsFolderWritable(base));
    EXPECT_FALSE(IsFolderWritable(base + QStringLiteral("/missing")));
}

TEST(SysDrive, ProgramFolderIsTheExecutablesFolder) {
    const QString folder = ProgramFolder();
    EXPECT_TRUE(folder.endsWith(QLatin1Char('/')));
    EXPECT_EQ(folder, QCoreApplication::applicationDirPath() + QLatin1Char('/'));
}

TEST_F(SysDriveTest, LockFileIsExclusiveHeldAndRemoved) {
    const QString name = FDir.filePath(QStringLiteral("parts.fdb.dblock"));
    TLockFile first;
    int error = -1;
    ASSERT_TRUE(first.Create(name, error));
    EXPECT_EQ(error, 0);
    EXPECT_TRUE(first.Held());

    // A second holder, as another copy of the program would be, is refused.
    TLockFile second;
    EXPECT_FALSE(second.Create(name, error));
    EXPECT_EQ(error, EEXIST);
    EXPECT_FALSE(second.Held());

    EXPECT_TRUE(first.Close(error));
    EXPECT_FALSE(first.Held());
    EXPECT_TRUE(QFile::exists(name));
    EXPECT_TRUE(first.Remove(error));
    EXPECT_FALSE(QFile::exists(name));
}

TEST_F(SysDriveTest, LockFileErrorsCarryTheSystemCode) {
    int error = 0;
    TLockFile lock;
    EXPECT_FALSE(lock.Create(FDir.filePath(QStringLiteral("no/folder.dblock")), error));
    EXPECT_EQ(error, ENOENT);
    EXPECT_FALSE(lock.Create(FDir.filePath(QString(300, QLatin1Char('x'))), error));
    EXPECT_EQ(error, ENAMETOOLONG);

    const QString name = FDir.filePath(QStringLiteral("gone.dblock"));
    ASSERT_TRUE(lock.Create(name, error));
    ASSERT_TRUE(QFile::remove(name));
    EXPECT_TRUE(lock.Close(error));
    EXPECT_FALSE(lock.Remove(error));
    EXPECT_EQ(error, ENOENT);
}

TEST_F(SysDriveTest, LockStillHeldIsReleasedWithItsOwner) {
    const QString name = FDir.filePath(QStringLiteral("held.dblock"));
    {
        TLockFile lock;
        int error = 0;
        ASSERT_TRUE(lock.Create(name, error));
    }
    EXPECT_FALSE(QFile::exists(name));
}
