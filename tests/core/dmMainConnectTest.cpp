// The data module's connection: every result code of connect and disconnect, the lock file,
// the read-only rule, the system variables and the database description.

#include "tests/core/dmMainFixture.h"

#include "platform/ib/IBQuery.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtEndian>

#include <cerrno>
#include <fcntl.h>
#include <linux/fs.h>
#include <random>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

// A database file of the program's kind whose table set is not that of a main database:
// made empty, then given the named tables.
void MakeDataBaseWithTables(const QString& AFileName, const QStringList& ATables) {
    TIBDatabase db;
    db.SetDatabaseName(AFileName);
    db.Params() << QStringLiteral("page_size=8192") << QStringLiteral("set_db_charset=WIN1251")
                << QStringLiteral("sql_dialect=3");
    db.CreateDatabase();
    TIBTransaction tr(&db);
    TIBQuery q(&db, &tr);
    for (const QString& table : ATables) {
        TIBTransactionScope scope(tr);
        q.SetSQL(QStringLiteral("CREATE TABLE %1 (ID INTEGER)").arg(table));
        q.ExecSQL();
        scope.Commit();
    }
    db.Close();
}

void WriteFile(const QString& AFileName, const QByteArray& AData) {
    QFile file(AFileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(AData);
}

QByteArray ReadFile(const QString& AFileName) {
    QFile file(AFileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Keeps a file from being written while the object lives: read-only permissions, and for a
// user who may write anyway (root) the immutable flag of the file system where it has one.
class TWriteProtection {
public:
    explicit TWriteProtection(const QString& AFileName) : FFileName(AFileName) {
        if (::geteuid() != 0) {
            FActive = QFile::setPermissions(AFileName, QFile::ReadOwner | QFile::ReadUser);
            return;
        }
        const int fd = ::open(QFile::encodeName(AFileName).constData(), O_RDONLY);
        int flags = 0;
        if (fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags |= FS_IMMUTABLE_FL;
            FImmutable = FActive = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        if (fd >= 0)
            ::close(fd);
    }
    ~TWriteProtection() {
        if (FImmutable) {
            const int fd = ::open(QFile::encodeName(FFileName).constData(), O_RDONLY);
            int flags = 0;
            if (fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
                flags &= ~FS_IMMUTABLE_FL;
                ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
            }
            if (fd >= 0)
                ::close(fd);
        }
        QFile::setPermissions(FFileName, QFile::ReadOwner | QFile::WriteOwner);
    }
    TWriteProtection(const TWriteProtection&) = delete;
    TWriteProtection& operator=(const TWriteProtection&) = delete;
    bool Active() const { return FActive; }

private:
    QString FFileName;
    bool FActive = false;
    bool FImmutable = false;
};

} // namespace

TEST_F(dmMainTest, ConnectsToAUserDataBaseOnAFixedDisk) {
    TTestDataBase db(1500, QStringLiteral("Домашний склад"));
    EXPECT_EQ(Module().CurrentDBVersionStr(), QStringLiteral("0.0.0"));
    int error = 77;
    ASSERT_EQ(Connect(db.FileName(), dtFixed, error), crOk);
    EXPECT_EQ(error, 77); // no lock file: the code is not touched
    EXPECT_TRUE(Module().DBConnected());
    EXPECT_TRUE(Module().MainIBDatabase.Connected());
    EXPECT_FALSE(Module().MainIBTransaction.InTransaction());
    EXPECT_EQ(Module().CurrentDBId(), 1500u);
    EXPECT_EQ(Module().CurrentDBDescription(), QStringLiteral("Домашний склад"));
    EXPECT_EQ(Module().CurrentDBVersionStr(), QStringLiteral("1.2.3"));
    EXPECT_EQ(Module().CurrentDataBaseFileName(), db.FileName());
    EXPECT_EQ(Module().LastDataBaseFileName(), db.FileName());
    EXPECT_EQ(Module().CurrentUser(), QStringLiteral("SYSDBA"));
    EXPECT_FALSE(Module().CurrentDBReadOnly());
    EXPECT_FALSE(Module().LockFileHeld());
    EXPECT_FALSE(QFile::exists(TdmMain::GetLockFileName(db.FileName())));

    // Connecting again changes nothing.
    TTestDataBase other(2000);
    error = 55;
    EXPECT_EQ(Connect(other.FileName(), dtRemote, error), crOk);
    EXPECT_EQ(error, 55);
    EXPECT_EQ(Module().CurrentDBId(), 1500u);
    EXPECT_FALSE(QFile::exists(TdmMain::GetLockFileName(other.FileName())));

    EXPECT_EQ(Disconnect(), crOk);
    EXPECT_FALSE(Module().DBConnected());
    EXPECT_FALSE(Module().MainIBDatabase.Connected());
    EXPECT_EQ(Module().CurrentDBId(), 0u);
    EXPECT_EQ(Module().CurrentDBVersionStr(), QStringLiteral("0.0.0"));
    EXPECT_TRUE(Module().DataBase().SysVarEmpty());
    EXPECT_EQ(Module().CurrentDataBaseFileName(), db.FileName());
    EXPECT_TRUE(FUI.Errors.empty());
    // Disconnecting while disconnected is no error.
    EXPECT_EQ(Disconnect(), crOk);
}

TEST(dmMainLockFile, NameIsTheFileNameAndDblock) {
    EXPECT_EQ(TdmMain::GetLockFileName(QStringLiteral("/data/parts.fdb")),
              QStringLiteral("/data/parts.fdb.dblock"));
}

TEST_F(dmMainTest, MissingFileOrFolderIsNotFound) {
    QTemporaryDir dir;
    int error = 77;
    EXPECT_EQ(Connect(dir.filePath(QStringLiteral("нет.fdb")), dtRemote, error), crFileNotFound);
    EXPECT_EQ(Connect(dir.path(), dtFixed, error), crFileNotFound);
    EXPECT_EQ(Module().DataBaseConnect(QString(), Module().CurrentUser(), error), crFileNotFound);
    EXPECT_EQ(error, 77);
    EXPECT_FALSE(Module().DBConnected());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(FUI.Errors.empty());
}

TEST_F(dmMainTest, ForeignTableSetsAreRefusedWithoutALockFile) {
    TTestDataBase missingTable;
    missingTable.Exec(QStringLiteral("DROP TABLE T_FAVORITES"));
    TTestDataBase extraTable;
    extraTable.Exec(QStringLiteral("CREATE TABLE T_EXTRA (ID INTEGER)"));
    QTemporaryDir dir;
    const QString package = dir.filePath(QStringLiteral("package.fdb"));
    MakeDataBaseWithTables(package,
                           {QStringLiteral("SYS_VAR"), QStringLiteral("T_BASE_PARAM"),
                            QStringLiteral("T_CASE"), QStringLiteral("T_CLASS"),
                            QStringLiteral("T_ELEMENT_ANALOG"), QStringLiteral("T_ELEMENT_TYPE"),
                            QStringLiteral("T_MAKER"), QStringLiteral("T_PARAM"),
                            QStringLiteral("T_PIN"), QStringLiteral("T_UNIT")});
    const QString empty = dir.filePath(QStringLiteral("empty.fdb"));
    MakeDataBaseWithTables(empty, {});

    Module().SetLastDataBaseFileName(QStringLiteral("/before.fdb"));
    for (const QString& file : {missingTable.FileName(), extraTable.FileName(), package, empty}) {
        int error = 0;
        EXPECT_EQ(Connect(file, dtRemote, error), crUnknownTableSet) << file.toStdString();
        EXPECT_FALSE(Module().DBConnected());
        EXPECT_FALSE(Module().MainIBDatabase.Connected());
        EXPECT_FALSE(Module().LockFileHeld());
        EXPECT_FALSE(QFile::exists(TdmMain::GetLockFileName(file))) << file.toStdString();
    }
    EXPECT_EQ(Module().LastDataBaseFileName(), QStringLiteral("/before.fdb"));
    EXPECT_TRUE(FUI.Errors.empty());
}

TEST_F(dmMainTest, OtherStructureVersionsAreRefused) {
    TTestDataBase newer;
    newer.Exec(QStringLiteral("UPDATE SYS_VAR SET V_INTEGER = 4 WHERE S_PARAM = 'BUILDVERSION'"));
    TTestDataBase noVersion;
    noVersion.Exec(QStringLiteral("DELETE FROM SYS_VAR WHERE S_PARAM = 'MAJORVERSION'"));
    for (const TTestDataBase* db : {&newer, &noVersion}) {
        int error = 0;
        EXPECT_EQ(Connect(db->FileName(), dtRemote, error), crUnsupportedVersion);
        EXPECT_FALSE(Module().DBConnected());
        EXPECT_FALSE(QFile::exists(TdmMain::GetLockFileName(db->FileName())));
        // The variables read for the check are gone again.
        EXPECT_TRUE(Module().DataBase().SysVarEmpty());
        EXPECT_EQ(Module().CurrentDBId(), 0u);
        EXPECT_EQ(Module().CurrentDBVersionStr(), QStringLiteral("0.0.0"));
    }
    EXPECT_TRUE(FUI.Errors.empty());
}

TEST_F(dmMainTest, NumbersOfAnySqlTypeReadAsNumbers) {
    TTestDataBase db(1011);
    // DBIDs use all 32 bits: a wider column keeps one above 2^31.
    db.Exec(QStringLiteral("ALTER TABLE SYS_VAR ALTER COLUMN V_INTEGER TYPE BIGINT"));
    db.Exec(QStringLiteral("UPDATE SYS_VAR SET V_INTEGER = 3000000000 WHERE S_PARAM = 'DBID'"));
    db.Exec(QStringLiteral("INSERT INTO SYS_VAR (S_PARAM, V_INTEGER) VALUES ('READONLY', 1)"));
    ASSERT_EQ(Connect(db), crOk);
    EXPECT_EQ(Module().CurrentDBId(), 3000000000u);
    EXPECT_TRUE(Module().DataBase().ReadOnly());
    EXPECT_EQ(Module().CurrentDBVersionStr(), QStringLiteral("1.2.3"));
    Disconnect();

    // Numbers kept as text still read as numbers.
    TTestDataBase text(1600);
    text.Exec(QStringLiteral("ALTER TABLE SYS_VAR ALTER COLUMN V_INTEGER TYPE VARCHAR(20)"));
    ASSERT_EQ(Connect(text), crOk);
    EXPECT_EQ(Module().CurrentDBId(), 1600u);
    EXPECT_EQ(Module().CurrentDBVersionStr(), QStringLiteral("1.2.3"));
    EXPECT_TRUE(FUI.Errors.empty());
}

TEST_F(dmMainTest, SysVarThatCannotBeReadRefusesTheDataBase) {
    // The identity and version read fine, then a row fails: the READONLY flag after it would
    // be lost, so the database must not be accepted.
    TTestDataBase db(1600);
    db.Exec(QStringLiteral("ALTER TABLE SYS_VAR ALTER COLUMN V_INTEGER TYPE VARCHAR(20)"));
    db.Exec(QStringLiteral("INSERT INTO SYS_VAR (S_PARAM, V_INTEGER) VALUES ('JUNK', 'abc')"));
    db.Exec(QStringLiteral("INSERT INTO SYS_VAR (S_PARAM, V_INTEGER) VALUES ('READONLY', '1')"));
    int error = 0;
    EXPECT_EQ(Connect(db.FileName(), dtRemote, error), crUnsupportedVersion);
    EXPECT_FALSE(Module().DBConnected());
    EXPECT_EQ(Module().CurrentDBId(), 0u);
    EXPECT_FALSE(QFile::exists(TdmMain::GetLockFileName(db.FileName())));
    EXPECT_FALSE(Module().MainIBTransaction.InTransaction());
    ASSERT_EQ(FUI.Errors.size(), 1u);
    EXPECT_EQ(FUI.Errors[0].Caption, QStringLiteral("EConvertError"));
    EXPECT_TRUE(FUI.Errors[0].Text.contains(QStringLiteral("abc")))
        << FUI.Errors[0].Text.toStdString();
    EXPECT_TRUE(FUI.Errors[0].OwnedByApp);

    // A SYS_VAR whose columns are not there at all.
    TTestDataBase broken(1700);
    broken.Exec(QStringLiteral("ALTER TABLE SYS_VAR ALTER COLUMN V_FLOAT TO V_FLOAT_OLD"));
    FUI.Clear();
    EXPECT_EQ(Connect(broken), crUnsupportedVersion);
    EXPECT_FALSE(Module().DBConnected());
    ASSERT_EQ(FUI.Errors.size(), 1u);
    EXPECT_EQ(FUI.Errors[0].Caption, QStringLiteral("EIBError"));
}

TEST_F(dmMainTest, DataBaseWithoutAUsableDBIdIsRefused) {
    // Without an identity no row could be added: such a database is of unknown structure.
    TTestDataBase noRow;
    noRow.Exec(QStringLiteral("DELETE FROM SYS_VAR WHERE S_PARAM = 'DBID'"));
    TTestDataBase nullId;
    nullId.Exec(QStringLiteral("UPDATE SYS_VAR SET V_INTEGER = NULL WHERE S_PARAM = 'DBID'"));
    TTestDataBase lastNull;
    lastNull.Exec(QStringLiteral("INSERT INTO SYS_VAR (S_PARAM, V_INTEGER) VALUES ('DBID', NULL)"));
    for (const TTestDataBase* db : {&noRow, &nullId, &lastNull}) {
        int error = 0;
        EXPECT_EQ(Connect(db->FileName(), dtRemote, error), crUnsupportedVersion);
        EXPECT_FALSE(Module().DBConnected());
        EXPECT_FALSE(Module().MainIBDatabase.Connected());
        EXPECT_FALSE(QFile::exists(TdmMain::GetLockFileName(db->FileName())));
        EXPECT_EQ(Module().CurrentDBId(), 0u);
    }
    EXPECT_TRUE(FUI.Errors.empty());

    // DBID 0 is an identity like any other.
    TTestDataBase zero(0);
    ASSERT_EQ(Connect(zero), crOk);
    EXPECT_EQ(Module().CurrentDBId(), 0u);
}

TEST_F(dmMainTest, FilesThatAreNoDataBaseAreRefusedUntouched) {
    QTemporaryDir dir;
    TTestDataBase db;
    const QByteArray whole = ReadFile(db.FileName());
    const int pageSize = qFromLittleEndian<quint16>(whole.constData() + 16);
    ASSERT_EQ(pageSize, 8192);
    std::mt19937 random(17);
    QByteArray noise(65536, Qt::Uninitialized);
    for (char& byte : noise)
        byte = char(random());
    QByteArray olderVersion = whole;
    qToLittleEndian<quint16>(0x800B, olderVersion.data() + 18);
    QByteArray lostInventory = whole;
    lostInventory.replace(pageSize, pageSize, QByteArray(pageSize, 'x'));

    // The texts begin so; {file} stands for the file's name.
    const struct {
        const char* Name;
        QByteArray Data;
        QString Text;
    } cases[] = {
        {"empty.fdb", QByteArray(), QStringLiteral("Файл «{file}» пуст: в нём нет базы данных.")},
        {"noise.fdb", noise, QStringLiteral("Файл «{file}» не является базой данных.")},
        {"text.fdb", "Тип элемента;Цена\n", QStringLiteral("Файл «{file}» не является базой данных.")},
        {"cut.fdb", whole.left(whole.size() - 100),
         QStringLiteral("Файл базы данных «{file}» обрезан: в нём %1 байт, а база занимает не "
                        "меньше %2 байт.")
             .arg(whole.size() - 100)
             .arg(whole.size())},
        {"half.fdb", whole.left(10 * pageSize),
         QStringLiteral("Файл базы данных «{file}» обрезан: в нём 81920 байт")},
        {"header.fdb", whole.left(pageSize),
         QStringLiteral("Файл базы данных «{file}» обрезан: в нём 8192 байт, а база занимает не "
                        "меньше 16384 байт.")},
        {"old.fdb", olderVersion,
         QStringLiteral("Файл «{file}» — база данных другой версии Firebird (структура ODS 11.0), "
                        "а программа открывает базы Firebird 3 (структура ODS 12).")},
        {"inventory.fdb", lostInventory,
         QStringLiteral("Файл базы данных «{file}» повреждён: за его заголовком нет страниц базы "
                        "данных.")},
    };
    Module().SetLastDataBaseFileName(QStringLiteral("/before.fdb"));
    for (const auto& c : cases) {
        const QString file = dir.filePath(QLatin1String(c.Name));
        WriteFile(file, c.Data);
        FUI.Clear();
        int error = 77;
        EXPECT_EQ(Connect(file, dtRemote, error), crOk) << c.Name;
        EXPECT_EQ(error, 0) << c.Name; // the lock file was made before the open failed
        EXPECT_FALSE(Module().DBConnected());
        EXPECT_FALSE(Module().MainIBDatabase.Connected());
        EXPECT_FALSE(Module().LockFileHeld());
        EXPECT_FALSE(QFile::exists(TdmMain::GetLockFileName(file)));
        ASSERT_EQ(FUI.Errors.size(), 1u) << c.Name;
        EXPECT_EQ(FUI.Errors[0].Caption, QStringLiteral("EDataBaseFileError"));
        EXPECT_TRUE(FUI.Errors[0].Text.startsWith(QString(c.Text).replace(QStringLiteral("{file}"), file)))
            << FUI.Errors[0].Text.toStdString();
        EXPECT_FALSE(FUI.Errors[0].OwnedByApp);
        // Never opened by the engine: byte for byte as it was.
        EXPECT_EQ(ReadFile(file), c.Data) << c.Name;
    }
    EXPECT_EQ(Module().LastDataBaseFileName(), QStringLiteral("/before.fdb"));
    // The engine never saw the original either.
    EXPECT_EQ(ReadFile(db.FileName()), whole);
}

TEST_F(dmMainTest, EngineErrorsAtTheOpenAreToldInRussianWithTheEngineTextAsDetails) {
    // Damage behind intact first pages: only the engine finds it.
    TTestDataBase damaged;
    QByteArray data = ReadFile(damaged.FileName());
    data.replace(3 * 8192, 8192 * 20, QByteArray(8192 * 20, '\0'));
    WriteFile(damaged.FileName(), data);
    EXPECT_EQ(Connect(damaged), crOk);
    EXPECT_FALSE(Module().DBConnected());
    ASSERT_EQ(FUI.Errors.size(), 1u);
    EXPECT_EQ(FUI.Errors[0].Caption, QStringLiteral("EIBError"));
    EXPECT_EQ(FUI.Errors[0].Text,
              QStringLiteral("Файл базы данных «%1» повреждён, и открыть базу нельзя.\n"
                             "Восстановите базу из резервной копии. Или проверьте и исправьте её "
                             "утилитой gfix.")
                  .arg(damaged.FileName()));
    EXPECT_TRUE(FUI.Errors[0].Details.contains(QStringLiteral("corrupt")))
        << FUI.Errors[0].Details.toStdString();

    // Held by another process: the embedded engine lets one process have a file.
    TTestDataBase held;
    QProcess isql;
    isql.start(QStringLiteral("isql-fb"),
               {QStringLiteral("-q"), QStringLiteral("-u"), QStringLiteral("SYSDBA"), held.FileName()});
    ASSERT_TRUE(isql.waitForStarted(30000));
    isql.write("SELECT 'held' FROM RDB$DATABASE;\n");
    while (!isql.readAllStandardOutput().contains("held") && isql.waitForReadyRead(30000)) {
    }
    FUI.Clear();
    EXPECT_EQ(Connect(held), crOk);
    EXPECT_FALSE(Module().DBConnected());
    ASSERT_EQ(FUI.Errors.size(), 1u);
    EXPECT_EQ(FUI.Errors[0].Text,
              QStringLiteral("Файл базы данных «%1» занят другой программой: его уже открыла "
                             "другая копия этой программы или другая программа, работающая с "
                             "базами Firebird.\nЗакройте базу в той программе и подключитесь "
                             "снова.")
                  .arg(held.FileName()));
    EXPECT_TRUE(FUI.Errors[0].Details.contains(QStringLiteral("already opened")))
        << FUI.Errors[0].Details.toStdString();
    isql.closeWriteChannel();
    ASSERT_TRUE(isql.waitForFinished(30000));
    FUI.Clear();
    EXPECT_EQ(Connect(held), crOk);
    EXPECT_TRUE(Module().DBConnected());
    Disconnect();

    // A file that must not be written.
    TTestDataBase writeProtected;
    TWriteProtection protection(writeProtected.FileName());
    if (!protection.Active())
        GTEST_SKIP() << "the file system lets this user write any file";
    FUI.Clear();
    EXPECT_EQ(Connect(writeProtected), crOk);
    EXPECT_FALSE(Module().DBConnected());
    ASSERT_EQ(FUI.Errors.size(), 1u);
    EXPECT_TRUE(FUI.Errors[0].Text.startsWith(
        QStringLiteral("Нет прав на запись в файл базы данных «%1»").arg(writeProtected.FileName())))
        << FUI.Errors[0].Text.toStdString();
    EXPECT_TRUE(FUI.Errors[0].Details.contains(QStringLiteral("no permission")))
        << FUI.Errors[0].Details.toStdString();
}

TEST_F(dmMainTest, ExistingLockFileRefusesOnEveryDrive) {
    TTestDataBase db;
    const QString lock = TdmMain::GetLockFileName(db.FileName());
    WriteFile(lock, QByteArray());
    for (int drive : {dtFixed, dtRemote, dtCDROM, dtNoRootDir}) {
        int error = 77;
        EXPECT_EQ(Connect(db.FileName(), drive, error), crLocked) << drive;
        EXPECT_EQ(error, 77);
        EXPECT_FALSE(Module().DBConnected());
    }
    // The stale lock file is not ours to delete.
    EXPECT_TRUE(QFile::exists(lock));
}

TEST_F(dmMainTest, TwoCopiesNeverBothHoldASharedDataBase) {
    TTestDataBase db;
    ASSERT_EQ(Connect(db, dtRemote), crOk);
    EXPECT_TRUE(Module().LockFileHeld());

    QTemporaryDir otherProgram;
    SysTestSeams::SetDriveType(otherProgram.path(), dtFixed);
    TdmMain other(otherProgram.path());
    int error = 0;
    EXPECT_EQ(other.DataBaseConnect(db.FileName(), other.CurrentUser(), error), crLocked);
    EXPECT_FALSE(other.DBConnected());

    EXPECT_EQ(Disconnect(), crOk);
    EXPECT_EQ(other.DataBaseConnect(db.FileName(), other.CurrentUser(), error), crOk);
    EXPECT_TRUE(other.LockFileHeld());
    EXPECT_EQ(other.DataBaseDisconnect(error), crOk);
}

TEST_F(dmMainTest, LockFileThatCannotBeMadeGives17WithTheSystemCode) {
    QTemporaryDir dir;
    // The database's name fits the file system; with ".dblock" the lock file's name does not.
    const QString file = dir.filePath(QString(250, QLatin1Char('x')) + QStringLiteral(".fdb"));
    TTestDataBase db;
    ASSERT_TRUE(QFile::copy(db.FileName(), file));
    int error = 0;
    EXPECT_EQ(Connect(file, dtRemote, error), crLockFileCreateError);
    EXPECT_EQ(error, ENAMETOOLONG);
    EXPECT_FALSE(Module().DBConnected());
    EXPECT_FALSE(Module().MainIBDatabase.Connected());
    EXPECT_FALSE(Module().LockFileHeld());
    EXPECT_TRUE(FUI.Errors.empty());

    // On a fixed disk no lock file is needed: the same file opens.
    error = 0;
    EXPECT_EQ(Connect(file, dtFixed, error), crOk);
    EXPECT_TRUE(Module().DBConnected());
}

TEST_F(dmMainTest, DriveTypesDecideLockFileAndReadOnly) {
    const struct {
        int Drive;
        bool Lock;
        bool ReadOnly;
    } cases[] = {{dtUnknown, false, true}, {dtNoRootDir, true, false}, {dtRemovable, false, false},
                 {dtFixed, false, false},  {dtRemote, true, true},     {dtCDROM, false, true},
                 {dtRamDisk, false, false}};
    TTestDataBase db;
    const QString lock = TdmMain::GetLockFileName(db.FileName());
    for (const auto& c : cases) {
        int error = 77;
        ASSERT_EQ(Connect(db.FileName(), c.Drive, error), crOk) << c.Drive;
        EXPECT_EQ(error, c.Lock ? 0 : 77) << c.Drive;
        EXPECT_EQ(Module().LockFileHeld(), c.Lock) << c.Drive;
        EXPECT_EQ(QFile::exists(lock), c.Lock) << c.Drive;
        EXPECT_EQ(Module().CurrentDBReadOnly(), c.ReadOnly) << c.Drive;
        error = 77;
        EXPECT_EQ(Module().DataBaseDisconnect(error), crOk);
        EXPECT_EQ(error, c.Lock ? 0 : 77) << c.Drive;
        EXPECT_FALSE(QFile::exists(lock)) << c.Drive;
    }
}

TEST_F(dmMainTest, LockFileGoneAtDisconnectGives18AndTheDataBaseIsClosed) {
    TTestDataBase db;
    ASSERT_EQ(Connect(db, dtRemote), crOk);
    ASSERT_TRUE(QFile::remove(TdmMain::GetLockFileName(db.FileName())));
    int error = 0;
    EXPECT_EQ(Module().DataBaseDisconnect(error), crLockFileDeleteError);
    EXPECT_EQ(error, ENOENT);
    EXPECT_FALSE(Module().DBConnected());
    EXPECT_FALSE(Module().MainIBDatabase.Connected());
    EXPECT_FALSE(Module().LockFileHeld());
    // Nothing is left to report the next time.
    error = 0;
    EXPECT_EQ(Module().DataBaseDisconnect(error), crOk);
    EXPECT_EQ(Connect(db, dtRemote), crOk);
}

TEST_F(dmMainTest, ReadOnlyRule) {
    TTestDataBase flagged;
    flagged.Exec(QStringLiteral("INSERT INTO SYS_VAR (S_PARAM, V_INTEGER) VALUES ('READONLY', 2)"));
    ASSERT_EQ(Connect(flagged), crOk);
    EXPECT_TRUE(Module().CurrentDBReadOnly());
    Disconnect();

    TTestDataBase cleared;
    cleared.Exec(QStringLiteral("INSERT INTO SYS_VAR (S_PARAM, V_INTEGER) VALUES ('READONLY', 0)"));
    ASSERT_EQ(Connect(cleared), crOk);
    EXPECT_FALSE(Module().CurrentDBReadOnly());
    EXPECT_FALSE(Module().DataBase().ReadOnly());
    Disconnect();
}

TEST_F(dmMainTest, OptionReadOnlyInForceMakesEveryDataBaseReadOnly) {
    WriteProgramFile(QStringLiteral("Korvant.ini"), "[Options]\nReadOnly=1\n");
    TTestDataBase db;
    ASSERT_EQ(Connect(db), crOk);
    EXPECT_TRUE(ReadOnly);
    EXPECT_TRUE(Module().CurrentDBReadOnly());
    // The value to be saved does not change the run.
    ReadOnlyToSave = false;
    EXPECT_TRUE(Module().CurrentDBReadOnly());
    EXPECT_FALSE(Module().SetDBDescription(QStringLiteral("Новое")));
    EXPECT_FALSE(Module().AddToFavorite(itElementType, 1011, 1, QString(), 0));
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT COUNT(*) FROM T_FAVORITES")).toInt(), 0);
}

TEST_F(dmMainTest, SysVarRowsMapOntoTheDataBase) {
    TTestDataBase db(1500);
    db.Exec(QStringLiteral("INSERT INTO SYS_VAR (S_PARAM, V_INTEGER, V_STRING) "
                           "VALUES ('DBSYSUPDATE', 65539, 'Обновление 1.3')"));
    db.Exec(QStringLiteral("INSERT INTO SYS_VAR (S_PARAM, V_INTEGER, V_STRING, V_TIMESTAMP) "
                           "VALUES ('PACKAGEIMPORTED', 1200, 'Пакет', '2024-03-01 12:00:00')"));
    db.Exec(QStringLiteral("INSERT INTO SYS_VAR (S_PARAM, V_STRING) VALUES ('DEFCURRENCY', '€')"));
    db.Exec(QStringLiteral("INSERT INTO SYS_VAR (S_PARAM, V_INTEGER, V_FLOAT) "
                           "VALUES ('dbid', 42, 2.5)"));
    db.Exec(QStringLiteral("INSERT INTO SYS_VAR (S_PARAM) VALUES ('EMPTY')"));
    ASSERT_EQ(Connect(db), crOk);
    const TKVDataBase& data = Module().DataBase();
    EXPECT_EQ(Module().CurrentDBId(), 1500u); // the lower-case row has no effect
    EXPECT_EQ(data.GetSysVarByName(QStringLiteral("dbid")).IntVal, 1500);
    EXPECT_EQ(Module().CurrencyName(), QStringLiteral("€"));
    EXPECT_TRUE(data.ExistsDBSysUpdate(TKVDataBase::DBSysUpdateVersionsToInt(1, 3)));
    EXPECT_TRUE(data.VerifPackageImported(1200, EncodeDateTime(2024, 3, 1, 12)));
    EXPECT_FALSE(data.VerifPackageImported(1200, EncodeDateTime(2024, 3, 1, 12, 0, 1)));
    const TKVDataBaseSysVar empty = data.GetSysVarByName(QStringLiteral("EMPTY"));
    EXPECT_NE(empty.Id, 0u);
    EXPECT_EQ(empty.IntVal, 0);
    EXPECT_TRUE(empty.StrVal.isEmpty());
    EXPECT_DOUBLE_EQ(empty.DateTimeVal, 0);
    const int count = data.SysVarCount();

    // A reload repeats no update or package.
    ASSERT_TRUE(Module().LoadDBSysVar());
    EXPECT_EQ(data.SysVarCount(), count);
    EXPECT_EQ(data.DBSysUpdateCount(), 1);
    EXPECT_EQ(data.PackageImportedCount(), 1);
}

TEST_F(dmMainTest, DescriptionChangesInMemoryOnlyAfterTheCommit) {
    TTestDataBase db(1500, QStringLiteral("Старое"));
    ASSERT_EQ(Connect(db), crOk);
    EXPECT_TRUE(Module().SetDBDescription(QStringLiteral("Новое описание")));
    EXPECT_EQ(Module().CurrentDBDescription(), QStringLiteral("Новое описание"));
    EXPECT_EQ(
        db.Scalar(QStringLiteral("SELECT V_STRING FROM SYS_VAR WHERE S_PARAM = 'DBDESCRIPTION'")),
        QStringLiteral("Новое описание"));

    // Too long for the column: the statement fails, nothing changes.
    EXPECT_FALSE(Module().SetDBDescription(QString(300, QLatin1Char('d'))));
    EXPECT_EQ(Module().CurrentDBDescription(), QStringLiteral("Новое описание"));
    EXPECT_FALSE(Module().MainIBTransaction.InTransaction());
    ASSERT_EQ(FUI.Errors.size(), 1u);
    EXPECT_EQ(FUI.Errors[0].Caption, QStringLiteral("EIBError"));
    // A character the database's code page lacks: a clear error, nothing stored.
    EXPECT_FALSE(Module().SetDBDescription(QStringLiteral("Ω")));
    EXPECT_EQ(Module().CurrentDBDescription(), QStringLiteral("Новое описание"));
    Disconnect();

    EXPECT_FALSE(Module().SetDBDescription(QStringLiteral("без базы")));

    // A database without the row gets one.
    TTestDataBase bare(1600, QString());
    bare.Exec(QStringLiteral("DELETE FROM SYS_VAR WHERE S_PARAM = 'DBDESCRIPTION'"));
    ASSERT_EQ(Connect(bare), crOk);
    EXPECT_TRUE(Module().SetDBDescription(QStringLiteral("Есть")));
    EXPECT_EQ(
        bare.Scalar(QStringLiteral("SELECT V_STRING FROM SYS_VAR WHERE S_PARAM = 'DBDESCRIPTION'")),
        QStringLiteral("Есть"));
    Disconnect();

    // A read-only drive refuses.
    ASSERT_EQ(Connect(bare, dtCDROM), crOk);
    EXPECT_FALSE(Module().SetDBDescription(QStringLiteral("CD")));
    EXPECT_EQ(Module().CurrentDBDescription(), QStringLiteral("Есть"));
}

TEST_F(dmMainTest, RelativeNameCountsFromTheCurrentFolderAndIsRecordedInFull) {
    TTestDataBase db;
    const QString saved = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(db.Folder()));
    int error = 0;
    const int result = Connect(QStringLiteral("test.fdb"), dtFixed, error);
    QDir::setCurrent(saved);
    ASSERT_EQ(result, crOk);
    EXPECT_EQ(Module().CurrentDataBaseFileName(), db.FileName());
    EXPECT_EQ(Module().LastDataBaseFileName(), db.FileName());
}
