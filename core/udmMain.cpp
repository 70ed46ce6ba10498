#include "core/udmMain.h"

#include "core/KVDataBaseOpen.h"
#include "core/KVMainWindowLink.h"
#include "platform/sys/IniFile.h"
#include "platform/sys/SysDrive.h"
#include "platform/sys/Win1251.h"
#include "resources/KVResources.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// ---------------------------------------------------------------------------------- options

quint16 LangCode = 0;
bool DebugMode = true;
bool AutoLogin = true;
bool AutoConnect = false;
bool Logo = true;
bool LocalConfig = true;
bool ReadOnly = false;
bool ReadOnlyToSave = false;
bool BLIMod = false;
bool NSIMod = false;
bool SelectStorage = false;
bool HideImage = true;
bool ViewCountItems = true;
int ParamRebinding = aamAsk;
int ChangeUPIDOnBaseParam = aamAsk;
int ChangeUnitOnBaseParam = aamAsk;
int WriteOffAvailItemsInProject = aamAsk;
int MoveEmptyAvailToSpecStorage = aamAsk;
bool VisualConfirm = true;
bool DisableMaster = false;
bool ICEnable = false;
bool UsageProxy = false;
QString Proxy;
quint16 ProxyPort = 8080;
bool ProxyAuth = false;
QString ProxyUser;
QString ProxyPassword;
bool RequestPassword = false;
bool TDBAMode = false;
QString TDBADir;
bool RBOMode = false;
bool ShowNews = false;
int LastNewsId = 0;

TdmMain* dmMain = nullptr;

const QString TdmMain::DefaultNewsUrl = QStringLiteral("https://korvant.example/news.ini");
const QString TdmMain::SettingsFileName = QStringLiteral("Korvant.ini");
const QString TdmMain::SearchInWebFileName = QStringLiteral("siwp.ini");

namespace {

// Sections and keys of the settings file.
const QString kLang = QStringLiteral("Lang");
const QString kOptions = QStringLiteral("Options");
const QString kInternet = QStringLiteral("InternetConnection");
const QString kTDBA = QStringLiteral("TDBA");
const QString kRBO = QStringLiteral("RBO");
const QString kConnect = QStringLiteral("Connect");
const QString kAppWin = QStringLiteral("AppWin");
const QString kAliases = QStringLiteral("Aliases");
const QString kNews = QStringLiteral("News");
const QString kWN = QStringLiteral("WN");
const QString kWN102 = QStringLiteral("WN_102");

// The CFG_LOCAL row of the storage place for emptied stock records.
const QString kStorageForEmptyParam = QStringLiteral("EASSID");

// Ranges of the numbers of the settings file: a TCP port, and a window side that a window
// system can show.
constexpr int kMaxProxyPort = 65535;
constexpr int kMaxAppWinSize = 32767;

// How long the news download may stall before it is given up.
constexpr int kNewsTransferTimeoutMs = 30000;

// The program's folder must not be written on a drive of unknown type, a share reached
// without a drive, a network drive or a CD-ROM.
bool IsReadOnlyAppDriveType(int ADriveType) {
    return ADriveType == dtUnknown || ADriveType == dtNoRootDir || ADriveType == dtRemote ||
           ADriveType == dtCDROM;
}

// A database must not be changed on a drive of unknown type, a network drive or a CD-ROM; a
// share reached without a drive stays writable. Other values leave the verdict as it was.
void ApplyDataBaseDriveType(int ADriveType, bool& AReadOnly) {
    switch (ADriveType) {
    case dtUnknown:
    case dtRemote:
    case dtCDROM:
        AReadOnly = true;
        break;
    case dtNoRootDir:
    case dtRemovable:
    case dtFixed:
    case dtRamDisk:
        AReadOnly = false;
        break;
    default:
        break;
    }
}

// Databases on network drives and shares get a lock file.
bool NeedsLockFile(int ADriveType) {
    return ADriveType == dtRemote || ADriveType == dtNoRootDir;
}

} // namespace

// --------------------------------------------------------------------------- creation

TdmMain::TdmMain() : TdmMain(::ProgramFolder()) {}

TdmMain::TdmMain(const QString& AProgramFolder)
    : MainIBTransaction(&MainIBDatabase), MainIBQuery(&MainIBDatabase, &MainIBTransaction),
      ExchangeIBTransaction(&ExchangeIBDatabase), ConcomIBTransaction(&MainIBDatabase) {
    if (!dmMain)
        dmMain = this;
    FUserLogin = QStringLiteral("SYSDBA");
    FAppFolder = AProgramFolder;
    if (!FAppFolder.endsWith(QLatin1Char('/')))
        FAppFolder += QLatin1Char('/');
    FAppDriveReadOnly =
        IsReadOnlyAppDriveType(GetDriveTypeOfPath(FAppFolder)) || !IsFolderWritable(FAppFolder);

    LoadOptions();
    SearchInWebPttList.LoadFromINIFile(FAppFolder + SearchInWebFileName);
    LoadUserLists();

    for (auto [list, resource] : {std::pair{&MainToolImgList, 3001u},
                                  {&ElementClassImgList, 3110u},
                                  {&StorageImgList, 3116u},
                                  {&LogImgList, 3010u},
                                  {&ParamImgList, 3121u},
                                  {&NoteMarkerImgList, 3201u},
                                  {&ProjectImgList, 3114u},
                                  {&CaseImageList, 3112u},
                                  {&FilterImgList, 3202u}})
        LoadImageListFromResource(list, resource);
}

TdmMain::~TdmMain() {
    PinNameDesc.clear();
    ClassIconDesc.clear();
    ProjectCategoryDesc.clear();
    ProjectIconDesc.clear();
    FindHotItems.clear();
    try {
        SaveOptions();
    } catch (...) {
        // A destructor must not throw; SaveOptions has shown what it could.
    }
    if (dmMain == this)
        dmMain = nullptr;
}

// ---------------------------------------------------------------------------- connection

QString TdmMain::GetLockFileName(const QString& ADataBaseFileName) {
    return ADataBaseFileName + QStringLiteral(".dblock");
}

QString TdmMain::CurrentDBVersionStr() const {
    return QStringLiteral("%1.%2.%3")
        .arg(FDataBase.MajorVersion())
        .arg(FDataBase.MinorVersion())
        .arg(FDataBase.BuildVersion());
}

bool TdmMain::CurrentDBReadOnly() const {
    return FDataBase.ReadOnly() || ReadOnly || FDataBaseDriveReadOnly;
}

bool TdmMain::CanWriteDataBase() const {
    // CurrentDBReadOnly includes the value in force of option ReadOnly.
    return MainIBDatabase.Connected() && DBConnected() && !CurrentDBReadOnly();
}

bool TdmMain::RecordReadOnly(bool AKeyHasDBId, quint32 ADBId, quint32 AId) const {
    if (CurrentDBReadOnly())
        return true;
    if (!AKeyHasDBId || AId == 0)
        return false;
    if (ADBId == 0 && !BLIMod)
        return true;
    return ADBId != CurrentDBId() && !NSIMod;
}

int TdmMain::DataBaseConnect(const QString& ADataBaseFile, const QString& AUserName,
                             int& AErrorCode) {
    if (MainIBDatabase.Connected())
        return crOk;

    // A relative name counts from the current folder, as the database engine reads it.
    const QString fileName = ADataBaseFile.isEmpty()
                                 ? QString()
                                 : QDir::cleanPath(QFileInfo(ADataBaseFile).absoluteFilePath());
    const int driveType = GetDriveTypeOfPath(fileName);
    ApplyDataBaseDriveType(driveType, FDataBaseDriveReadOnly);

    const QFileInfo file(fileName);
    if (fileName.isEmpty() || !file.exists() || file.isDir())
        return crFileNotFound;

    const QString lockFileName = GetLockFileName(fileName);
    const QFileInfo lockFile(lockFileName);
    if (lockFile.exists() || lockFile.isSymLink())
        return crLocked;

    if (NeedsLockFile(driveType)) {
        int error = 0;
        if (!FLockFile.Create(lockFileName, error)) {
            // Another copy made it since the test above.
            if (error == EEXIST)
                return crLocked;
            AErrorCode = error;
            return crLockFileCreateError;
        }
        AErrorCode = 0;
    }

    try {
        // What is plainly no database is refused before the engine opens (and writes to) it.
        CheckDataBaseFile(fileName);
        MainIBDatabase.SetDatabaseName(fileName);
        MainIBDatabase.Params().clear();
        MainIBDatabase.Params() << QStringLiteral("user_name=") + AUserName;
        MainIBDatabase.Open();
    } catch (const Exception& e) {
        ShowDataBaseOpenError(e, fileName, false);
    } catch (...) {
        FLockFile.Release();
        throw;
    }
    if (!MainIBDatabase.Connected()) {
        FLockFile.Release();
        return crOk;
    }

    try {
        QStringList tables;
        try {
            tables = MainIBDatabase.GetTableNames();
        } catch (const Exception& e) {
            ShowDataBaseOpenError(e, fileName, true);
        }
        if (!IsUserDataBaseTableList(tables)) {
            RefuseConnection();
            return crUnknownTableSet;
        }
        // Variables that could not all be read leave the identity and the read-only flag of
        // the database unknown: such a database is refused, and so is one without an
        // identity (no DBID, or a NULL one), in which no row could be added.
        if (!LoadDBSysVar() || !FDBIdRead ||
            !IsSupportedDBVersion(static_cast<int>(FDataBase.MajorVersion()),
                                                     static_cast<int>(FDataBase.MinorVersion()),
                                                     static_cast<int>(FDataBase.BuildVersion()))) {
            RefuseConnection();
            return crUnsupportedVersion;
        }
    } catch (...) {
        RefuseConnection();
        throw;
    }

    FDataBase.SetConnectedState(fileName);
    FLastDataBaseFileName = fileName;
    LoadStorageForEmpty();
    return crOk;
}

void TdmMain::RefuseConnection() {
    try {
        MainIBDatabase.Close();
    } catch (const Exception& e) {
        KVUserInterface().ShowSystemError(e.ClassName(), e.Message(), false);
    }
    FDataBase.SetDisconnectedState();
    FLockFile.Release();
}

int TdmMain::ReleaseLockFile(int& AErrorCode) {
    if (!FLockFile.Held())
        return crOk;
    int error = 0;
    if (!FLockFile.Close(error) || !FLockFile.Remove(error)) {
        AErrorCode = error;
        return crLockFileDeleteError;
    }
    AErrorCode = 0;
    return crOk;
}

int TdmMain::DataBaseDisconnect(int& AErrorCode) {
    if (!MainIBDatabase.Connected())
        return crOk;
    // The connection is gone even when closing reports an error, so the state and the lock
    // file follow it in any case.
    try {
        MainIBDatabase.Close();
    } catch (const Exception& e) {
        KVUserInterface().ShowSystemError(e.ClassName(), e.Message(), false);
    }
    FDataBase.SetDisconnectedState();
    return ReleaseLockFile(AErrorCode);
}

bool TdmMain::LoadDBSysVar() {
    // The updates and imported packages are derived from the variables: a reload must not
    // repeat them.
    FDataBase.SysVarClear();
    FDataBase.DBSysUpdateClear();
    FDataBase.PackageImportedClear();
    FDBIdRead = false;
    return ExecuteInTransaction([this] {
        MainIBQuery.Close();
        MainIBQuery.SetSQL(QStringLiteral(
            "SELECT ID, S_PARAM, V_INTEGER, V_FLOAT, V_STRING, V_TIMESTAMP FROM SYS_VAR;"));
        MainIBQuery.Open();
        while (!MainIBQuery.Eof()) {
            const QString name = KVDescription(MainIBQuery.FieldByName("S_PARAM").AsString());
            // The last DBID row takes effect, as in TKVDataBase.
            if (name == QLatin1String("DBID"))
                FDBIdRead = !MainIBQuery.FieldByName("V_INTEGER").IsNull();
            FDataBase.AddSysVar(static_cast<quint32>(MainIBQuery.FieldByName("ID").AsInt64()),
                                name,
                                MainIBQuery.FieldByName("V_INTEGER").AsInteger(),
                                MainIBQuery.FieldByName("V_FLOAT").AsDouble(),
                                KVDescription(MainIBQuery.FieldByName("V_STRING").AsString()),
                                MainIBQuery.FieldByName("V_TIMESTAMP").AsDateTime());
            MainIBQuery.Next();
        }
        MainIBQuery.Close();
    });
}

bool TdmMain::SetDBDescription(const QString& ADBDescription) {
    if (!CanWriteDataBase())
        return false;
    const bool stored = ExecuteInTransaction([&] {
        MainIBQuery.Close();
        MainIBQuery.SetSQL(
            QStringLiteral("UPDATE OR INSERT INTO SYS_VAR (S_PARAM, V_STRING) VALUES "
                           "(:VAR_S_PARAM, :VAR_V_STRING) MATCHING (S_PARAM);"));
        MainIBQuery.ParamByName("VAR_S_PARAM").SetAsString(QStringLiteral("DBDESCRIPTION"));
        MainIBQuery.ParamByName("VAR_V_STRING").SetAsString(ADBDescription);
        MainIBQuery.ExecSQL();
    });
    if (stored)
        FDataBase.SetDescription(ADBDescription);
    return stored;
}

// ------------------------------------------------------------------------------- options

void TdmMain::LoadOptions() {
    const TIniFile ini(SettingsFile());
    // Numbers outside what their option can hold take the default, never a value cut to size.
    LangCode = static_cast<quint16>(ini.ReadInteger(kLang, QStringLiteral("Code"), 0, 0, 0xFFFF));

    DebugMode = ini.ReadBool(kOptions, QStringLiteral("DebugMode"), true);
    AutoLogin = ini.ReadBool(kOptions, QStringLiteral("AutoLogin"), true);
    AutoConnect = ini.ReadBool(kOptions, QStringLiteral("AutoConnect"), false);
    Logo = ini.ReadBool(kOptions, QStringLiteral("Logo"), true);
    FLogoText = Logo ? ini.ReadString(kOptions, QStringLiteral("LogoText"), QString()) : QString();
    LocalConfig = ini.ReadBool(kOptions, QStringLiteral("LocalConfig"), true);
    ReadOnly = ini.ReadBool(kOptions, QStringLiteral("ReadOnly"), false);
    ReadOnlyToSave = ReadOnly;
    BLIMod = ini.ReadBool(kOptions, QStringLiteral("BLIMod"), false);
    NSIMod = ini.ReadBool(kOptions, QStringLiteral("NSIMod"), false);
    SelectStorage = ini.ReadBool(kOptions, QStringLiteral("SelectStorage"), false);
    HideImage = ini.ReadBool(kOptions, QStringLiteral("HideImage"), true);
    ViewCountItems = ini.ReadBool(kOptions, QStringLiteral("ViewCountItems"), true);
    const auto readMode = [&](const char* AKey) {
        return IntToAutoActionMode(ini.ReadInteger(kOptions, QLatin1String(AKey), aamAsk));
    };
    ParamRebinding = readMode("ParamRebinding");
    ChangeUPIDOnBaseParam = readMode("ChangeUPIDOnBaseParam");
    ChangeUnitOnBaseParam = readMode("ChangeUnitOnBaseParam");
    WriteOffAvailItemsInProject = readMode("WriteOffAvailItemsInProject");
    MoveEmptyAvailToSpecStorage = readMode("MoveEmptyAvailToSpecStorage");
    VisualConfirm = ini.ReadBool(kOptions, QStringLiteral("VisualConfirm"), true);
    DisableMaster = ini.ReadBool(kOptions, QStringLiteral("DisableMaster"), false);

    ICEnable = ini.ReadBool(kInternet, QStringLiteral("ICEnable"), false);
    UsageProxy = ini.ReadBool(kInternet, QStringLiteral("UsageProxy"), false);
    Proxy = ini.ReadString(kInternet, QStringLiteral("Proxy"), QString());
    ProxyPort = static_cast<quint16>(
        ini.ReadInteger(kInternet, QStringLiteral("ProxyPort"), 8080, 1, kMaxProxyPort));
    ProxyAuth = ini.ReadBool(kInternet, QStringLiteral("ProxyAuth"), false);
    ProxyUser = ini.ReadString(kInternet, QStringLiteral("ProxyUser"), QString());
    ProxyPassword = ini.ReadString(kInternet, QStringLiteral("ProxyPassword"), QString());
    RequestPassword = ini.ReadBool(kInternet, QStringLiteral("RequestPassword"), false);

    TDBAMode = ini.ReadBool(kTDBA, QStringLiteral("TDBAMode"), false);
    TDBADir = ini.ReadString(kTDBA, QStringLiteral("TDBADir"), QString());
    RBOMode = ini.ReadBool(kRBO, QStringLiteral("RBOMode"), false);

    FLastDataBaseFileName =
        ini.ReadString(kConnect, QStringLiteral("LastConnectDataBase"), QString());

    FAppWinHeight = ini.ReadInteger(kAppWin, QStringLiteral("Height"), 600, 1, kMaxAppWinSize);
    FAppWinWidth = ini.ReadInteger(kAppWin, QStringLiteral("Width"), 870, 1, kMaxAppWinSize);
    FAppWinMaximize = ini.ReadBool(kAppWin, QStringLiteral("Maximize"), false);
    if (TKVMainWindowLink* window = KVMainWindowLink())
        window->SetAppWinSizeInfo(FAppWinMaximize, FAppWinWidth, FAppWinHeight);

    LoadAliases(ini, FDataBase);

    ShowNews = ini.ReadBool(kNews, QStringLiteral("ShowNews"), false);
    // The news window stores the 16-bit token of the last news shown.
    LastNewsId = ini.ReadInteger(kNews, QStringLiteral("LastNewsId"), 0, 0, 0xFFFF);
}

void TdmMain::LoadAliases(const TIniFile& AIni, TKVDataBase& ADataBase) {
    ADataBase.AliasClear();
    for (int n = 0;; ++n) {
        const QString name = AIni.ReadString(kAliases, QStringLiteral("Name%1").arg(n), QString());
        if (name.isEmpty())
            break;
        ADataBase.AddAlias(KVDescription(name),
                           AIni.ReadString(kAliases, QStringLiteral("File%1").arg(n), QString()));
    }
}

bool TdmMain::SaveOptions() {
    if (FAppDriveReadOnly)
        return false;
    try {
        TIniFile ini(SettingsFile());
        ini.WriteBool(kOptions, QStringLiteral("AutoLogin"), AutoLogin);
        ini.WriteBool(kOptions, QStringLiteral("AutoConnect"), AutoConnect);
        ini.WriteBool(kOptions, QStringLiteral("Logo"), Logo);
        ini.WriteString(kOptions, QStringLiteral("LogoText"), FLogoText);
        ini.WriteBool(kOptions, QStringLiteral("LocalConfig"), LocalConfig);
        ini.WriteBool(kOptions, QStringLiteral("ReadOnly"), ReadOnlyToSave);
        ini.WriteBool(kOptions, QStringLiteral("BLIMod"), BLIMod);
        ini.WriteBool(kOptions, QStringLiteral("NSIMod"), NSIMod);
        ini.WriteBool(kOptions, QStringLiteral("SelectStorage"), SelectStorage);
        ini.WriteBool(kOptions, QStringLiteral("HideImage"), HideImage);
        ini.WriteBool(kOptions, QStringLiteral("ViewCountItems"), ViewCountItems);
        ini.WriteInteger(kOptions, QStringLiteral("ParamRebinding"), ParamRebinding);
        ini.WriteInteger(kOptions, QStringLiteral("ChangeUPIDOnBaseParam"), ChangeUPIDOnBaseParam);
        ini.WriteInteger(kOptions, QStringLiteral("ChangeUnitOnBaseParam"), ChangeUnitOnBaseParam);
        ini.WriteInteger(kOptions, QStringLiteral("WriteOffAvailItemsInProject"),
                         WriteOffAvailItemsInProject);
        ini.WriteInteger(kOptions, QStringLiteral("MoveEmptyAvailToSpecStorage"),
                         MoveEmptyAvailToSpecStorage);
        ini.WriteBool(kOptions, QStringLiteral("VisualConfirm"), VisualConfirm);
        ini.WriteBool(kOptions, QStringLiteral("DisableMaster"), DisableMaster);

        ini.WriteBool(kInternet, QStringLiteral("ICEnable"), ICEnable);
        ini.WriteBool(kInternet, QStringLiteral("UsageProxy"), UsageProxy);
        ini.WriteString(kInternet, QStringLiteral("Proxy"), Proxy);
        ini.WriteInteger(kInternet, QStringLiteral("ProxyPort"), ProxyPort);
        ini.WriteBool(kInternet, QStringLiteral("ProxyAuth"), ProxyAuth);
        ini.WriteString(kInternet, QStringLiteral("ProxyUser"), ProxyUser);
        ini.WriteString(kInternet, QStringLiteral("ProxyPassword"), ProxyPassword);
        ini.WriteBool(kInternet, QStringLiteral("RequestPassword"), RequestPassword);

        ini.WriteString(kConnect, QStringLiteral("LastConnectDataBase"), FLastDataBaseFileName);

        bool maximize = FAppWinMaximize;
        int width = FAppWinWidth;
        int height = FAppWinHeight;
        if (TKVMainWindowLink* window = KVMainWindowLink()) {
            maximize = window->AppWinMaximized();
            const QSize size = window->AppWinNormalSize();
            width = size.width();
            height = size.height();
        }
        ini.WriteBool(kAppWin, QStringLiteral("Maximize"), maximize);
        ini.WriteInteger(kAppWin, QStringLiteral("Width"), width);
        ini.WriteInteger(kAppWin, QStringLiteral("Height"), height);

        ini.EraseSection(kAliases);
        if (!FDataBase.AliasEmpty()) {
            int n = 0;
            for (FDataBase.AliasFirst(); !FDataBase.AliasEof(); FDataBase.AliasNext(), ++n) {
                TKVDataBaseAlias alias;
                FDataBase.AliasGetRecord(alias);
                ini.WriteString(kAliases, QStringLiteral("Name%1").arg(n), alias.Name);
                ini.WriteString(kAliases, QStringLiteral("File%1").arg(n), alias.FileName);
            }
        }

        ini.WriteBool(kNews, QStringLiteral("ShowNews"), ShowNews);
        ini.WriteInteger(kNews, QStringLiteral("LastNewsId"), LastNewsId);
        ini.UpdateFile();
    } catch (const Exception& e) {
        ShowExceptionBox(e);
        return false;
    }
    return true;
}

void TdmMain::ShowWhatsNewInThisVer() {
    TIniFile ini(SettingsFile());
    if (ini.ReadBool(kWN, kWN102, false))
        return;
    if (!FAppDriveReadOnly) {
        ini.WriteBool(kWN, kWN102, true);
        try {
            ini.UpdateFile();
        } catch (const Exception& e) {
            ShowExceptionBox(e);
        }
    }
    KVUserInterface().ShowHelpTopic(QStringLiteral("WhatsNew"));
}

QStringList TdmMain::ReadUserListFile(const QString& AFileName) {
    QFile file(AFileName);
    if (!file.open(QIODevice::ReadOnly))
        return QStringList();
    const QString text = DecodeUtf8OrWin1251(file.readAll());
    QStringList lines = text.split(QLatin1Char('\n'));
    // The break after the last line ends it; it is no entry of its own.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString& line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    return lines;
}

bool TdmMain::WriteUserListFile(const QString& AFileName, const QStringList& ALines,
                                int& AErrorCode) {
    AErrorCode = 0;
    QByteArray data;
    for (const QString& line : ALines) {
        data += line.toUtf8();
        data += '\n';
    }
    const QByteArray target = QFile::encodeName(AFileName);
    QByteArray temp = target + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        AErrorCode = errno;
        return false;
    }
    // The new file keeps the permissions of the one it replaces; a first one gets the usual
    // permissions of a new file.
    mode_t mode = 0;
    struct stat old {};
    if (::stat(target.constData(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        mode = ::umask(0);
        ::umask(mode);
        mode = 0666 & ~mode;
    }
    if (::fchmod(fd, mode) != 0) {
        // A file system without permissions: the file has what it gives.
    }
    bool ok = true;
    for (qsizetype done = 0; ok && done < data.size();) {
        const ssize_t n =
            ::write(fd, data.constData() + done, static_cast<size_t>(data.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        if (ok)
            done += n;
        else if (n == 0)
            errno = EIO; // nothing written and no error: the device takes no more
    }
    ok = ok && ::fsync(fd) == 0;
    if (!ok)
        AErrorCode = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        AErrorCode = errno;
    }
    if (ok && ::rename(temp.constData(), target.constData()) != 0) {
        ok = false;
        AErrorCode = errno;
    }
    if (!ok)
        ::unlink(temp.constData());
    return ok;
}

void TdmMain::LoadUserLists() {
    PinNameDesc = ReadUserListFile(FAppFolder + QStringLiteral("pindesc.txt"));
    ClassIconDesc = ReadUserListFile(FAppFolder + QStringLiteral("classdesc.txt"));
    ProjectCategoryDesc = ReadUserListFile(FAppFolder + QStringLiteral("projcatdesc.txt"));
    ProjectIconDesc = ReadUserListFile(FAppFolder + QStringLiteral("projdesc.txt"));
}

// ------------------------------------------------------------------- local settings rows

void TdmMain::SetStorageForEmpty(quint32 AStorageEmptyId, const QString& AStorageEmptyName) {
    FStorageForEmptyId = AStorageEmptyId;
    FStorageForEmptyName = AStorageEmptyName;
}

void TdmMain::LoadStorageForEmpty() {
    SetStorageForEmpty(0, QString());
    if (!DBConnected() || !LocalConfig)
        return;
    quint32 id = 0;
    QString name;
    bool found = false;
    const bool loaded = ExecuteInTransaction([&] {
        MainIBQuery.Close();
        MainIBQuery.SetSQL(QStringLiteral(
            "SELECT FIRST 1 SKIP 0 V_INTEGER FROM CFG_LOCAL WHERE S_PARAM = :VAR_S_PARAM;"));
        MainIBQuery.ParamByName("VAR_S_PARAM").SetAsString(kStorageForEmptyParam);
        MainIBQuery.Open();
        if (!MainIBQuery.Eof())
            id = static_cast<quint32>(MainIBQuery.FieldByName("V_INTEGER").AsInt64());
        MainIBQuery.Close();
        if (id == 0)
            return;
        MainIBQuery.SetSQL(
            QStringLiteral("SELECT FIRST 1 SKIP 0 S_NAME FROM T_STORAGE WHERE ID = :VAR_ID;"));
        MainIBQuery.ParamByName("VAR_ID").SetAsInteger(static_cast<qint32>(id));
        MainIBQuery.Open();
        if (!MainIBQuery.Eof()) {
            found = true;
            name = MainIBQuery.FieldByName("S_NAME").AsString();
        }
        MainIBQuery.Close();
    });
    if (loaded && found)
        SetStorageForEmpty(id, name);
}

bool TdmMain::SaveStorageForEmpty(quint32 AStorageEmptyId, const QString& AStorageEmptyName) {
    if (!LocalConfig || !CanWriteDataBase())
        return false;
    const bool stored = ExecuteInTransaction([&] {
        MainIBQuery.Close();
        if (AStorageEmptyId != 0) {
            MainIBQuery.SetSQL(
                QStringLiteral("UPDATE OR INSERT INTO CFG_LOCAL (S_PARAM, V_INTEGER) "
                               "VALUES(:VAR_S_PARAM, :VAR_V_INTEGER) MATCHING(S_PARAM);"));
            MainIBQuery.ParamByName("VAR_V_INTEGER")
                .SetAsInteger(static_cast<qint32>(AStorageEmptyId));
        } else {
            MainIBQuery.SetSQL(
                QStringLiteral("DELETE FROM CFG_LOCAL WHERE S_PARAM = :VAR_S_PARAM;"));
        }
        MainIBQuery.ParamByName("VAR_S_PARAM").SetAsString(kStorageForEmptyParam);
        MainIBQuery.ExecSQL();
    });
    if (stored)
        SetStorageForEmpty(AStorageEmptyId, AStorageEmptyName);
    return stored;
}

bool TdmMain::ClearLocalCfg() {
    if (!LocalConfig || !CanWriteDataBase())
        return false;
    const bool cleared = ExecuteInTransaction([&] {
        MainIBQuery.Close();
        MainIBQuery.SetSQL(QStringLiteral("DELETE FROM CFG_LOCAL;"));
        MainIBQuery.ExecSQL();
    });
    if (cleared)
        SetStorageForEmpty(0, QString());
    return cleared;
}

bool TdmMain::AddToFavorite(TKVItemType AItemType, quint32 AObjDBId, quint32 AObjId,
                            const QString& AText, int ARating) {
    Q_UNUSED(AText);
    Q_UNUSED(ARating);
    if (!CanWriteDataBase())
        return false;
    return ExecuteInTransaction([&] {
        const auto setKey = [&] {
            MainIBQuery.ParamByName("VAR_OBJ_TYPE").SetAsInteger(ItemTypeToInt(AItemType));
            MainIBQuery.ParamByName("VAR_OBJ_DBID").SetAsInteger(static_cast<qint32>(AObjDBId));
            MainIBQuery.ParamByName("VAR_OBJ_ID").SetAsInteger(static_cast<qint32>(AObjId));
        };
        MainIBQuery.Close();
        MainIBQuery.SetSQL(QStringLiteral(
            "SELECT 1 FROM RDB$DATABASE WHERE EXISTS(SELECT ID FROM T_FAVORITES WHERE "
            "OBJ_TYPE = :VAR_OBJ_TYPE AND OBJ_DBID = :VAR_OBJ_DBID AND OBJ_ID = :VAR_OBJ_ID)"));
        setKey();
        MainIBQuery.Open();
        const bool exists = !MainIBQuery.Eof();
        MainIBQuery.Close();
        if (exists)
            return;
        MainIBQuery.SetSQL(QStringLiteral(
            "INSERT INTO T_FAVORITES (OBJ_TYPE, OBJ_DBID, OBJ_ID, S_TEXT, V_RATING) VALUES "
            "(:VAR_OBJ_TYPE, :VAR_OBJ_DBID, :VAR_OBJ_ID, :VAR_S_TEXT, :VAR_V_RATING);"));
        setKey();
        MainIBQuery.ParamByName("VAR_S_TEXT").Clear();
        MainIBQuery.ParamByName("VAR_V_RATING").Clear();
        MainIBQuery.ExecSQL();
    });
}

// ----------------------------------------------------------------------------------- news

bool TdmMain::LoadNewsInfo(bool AErrMsg) {
    if (!ICEnable)
        return false;

    QNetworkProxy proxy(QNetworkProxy::NoProxy);
    if (UsageProxy) {
        proxy = QNetworkProxy(QNetworkProxy::HttpProxy, Proxy, ProxyPort);
        if (ProxyAuth) {
            proxy.setUser(ProxyUser);
            QString password = ProxyPassword;
            if (RequestPassword) {
                password.clear();
                if (!KVUserInterface().InputText(QString(), password, 255, true))
                    return false;
            }
            proxy.setPassword(password);
        }
    }

    // A client of its own for each download, so that no proxy setting or credential of an
    // earlier one is reused.
    QNetworkAccessManager http;
    http.setProxy(proxy);
    QNetworkRequest request{QUrl(FNewsUrl)};
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Mozilla/3.0 (compatible)"));
    request.setRawHeader("Accept", "text/html, */*");
    request.setTransferTimeout(kNewsTransferTimeoutMs);

    QByteArray text;
    QNetworkReply* reply = http.get(request);
    if (!reply->isFinished()) {
        QEventLoop loop;
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (reply->error() == QNetworkReply::NoError)
        text = reply->readAll();
    else if (AErrMsg)
        ShowExceptionBox(EHTTPError(reply->errorString()));

    TIniFile news;
    news.LoadFromData(text);
    FNewsList.Clear();
    int count = 0;
    for (int n = 0;; ++n) {
        const QString section = QStringLiteral("NS%1").arg(n);
        if (!news.SectionExists(section))
            break;
        FNewsList.AddData(
            static_cast<quint16>(news.ReadInteger(section, QStringLiteral("Token"), 0)), nitNone,
            news.ReadString(section, QStringLiteral("Title"), QString()),
            news.ReadString(section, QStringLiteral("Text"), QString()),
            news.ReadDate(section, QStringLiteral("Date"), 0), QString());
        ++count;
    }
    return count > 0;
}

bool TdmMain::GetNewsByToken(quint16 AToken, TKVNewsItem& ANewsItem) const {
    const TKVNewsItem* item = FNewsList.FindByToken(AToken);
    if (!item)
        return false;
    ANewsItem = *item;
    return true;
}
