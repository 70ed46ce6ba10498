#pragma once

// The data module: the one object that owns the connection to the open database and what
// belongs to it (the lock file, the checks that refuse a file that is not a usable database,
// the system variables, the storage place for emptied stock records), the program's options
// read from and written to "Korvant.ini", the user lists, the web-search patterns, the image
// lists and the news. Every window reaches it through dmMain.
//
// The transaction pattern of every operation on the open database: start MainIBTransaction,
// run the statements, commit; an Exception inside rolls back and is shown by the standard
// error report (ExecuteInTransaction). No transaction stays open across user input.

#include "core/KVAuxLists.h"
#include "core/KVCommon.h"
#include "core/KVDataBase.h"
#include "core/KVImageList.h"
#include "core/KVSearchInWeb.h"
#include "core/KVTransaction.h"
#include "core/KVUserInterface.h"
#include "platform/ib/IBQuery.h"
#include "platform/sys/LockFile.h"

#include <QString>
#include <QStringList>

class TIniFile;

// ---------------------------------------------------------------------------------------------
// Options: one value per key of "Korvant.ini", named by its key. Set by LoadOptions at start,
// changed only by the options dialog, written back by SaveOptions at exit ("read only" keys are
// never written).

// Section Lang
extern quint16 LangCode; // key Code; read only, not used
// Section Options
extern bool DebugMode; // read only
extern bool AutoLogin;
extern bool AutoConnect;
extern bool Logo;
extern bool LocalConfig;
// The value of key ReadOnly in force for the whole run: every permission test reads it.
extern bool ReadOnly;
// The value of key ReadOnly written back at exit; the options dialog edits this one, and it
// takes effect at the next start.
extern bool ReadOnlyToSave;
extern bool BLIMod;
extern bool NSIMod;
extern bool SelectStorage;
extern bool HideImage;
extern bool ViewCountItems;
// The processing options: TKVAutoActionMode values 0, 1 or 2.
extern int ParamRebinding;
extern int ChangeUPIDOnBaseParam;
extern int ChangeUnitOnBaseParam;
extern int WriteOffAvailItemsInProject;
extern int MoveEmptyAvailToSpecStorage;
extern bool VisualConfirm;
extern bool DisableMaster;
// Section InternetConnection
extern bool ICEnable;
extern bool UsageProxy;
extern QString Proxy;
extern quint16 ProxyPort;
extern bool ProxyAuth;
extern QString ProxyUser;
extern QString ProxyPassword; // kept as plain text, as the file holds it
extern bool RequestPassword;
// Section TDBA (read only)
extern bool TDBAMode;
extern QString TDBADir;
// Section RBO (read only, not used)
extern bool RBOMode;
// Section News
extern bool ShowNews;
extern int LastNewsId;

// ---------------------------------------------------------------------------------------------

// Results of DataBaseConnect and DataBaseDisconnect.
enum TKVConnectResult {
    crOk = 0,                   // connected, already connected, or the open failed (and was shown)
    crFileNotFound = 1,         // no such file
    crUnknownTableSet = 2,      // not the tables of a main database
    crUnsupportedVersion = 3,   // a structure version other than 1.2.3, or SYS_VAR unreadable
    crLocked = 16,              // the database's lock file exists
    crLockFileCreateError = 17, // the lock file cannot be made; the error code says why
    crLockFileDeleteError = 18  // the lock file cannot be closed or deleted at disconnect
};

// Raised (and shown) when the news file cannot be fetched.
KV_DECLARE_EXCEPTION(EHTTPError, Exception)

class TdmMain {
public:
    // The news file of the program's web site.
    static const QString DefaultNewsUrl;
    static const QString SettingsFileName;    // "Korvant.ini"
    static const QString SearchInWebFileName; // "siwp.ini"

    // The program's folder is that of its executable.
    TdmMain();
    // AProgramFolder: where the settings, the user lists and "siwp.ini" are looked for.
    explicit TdmMain(const QString& AProgramFolder);
    // Saves the options. The database is not disconnected here: the main window does that.
    ~TdmMain();
    TdmMain(const TdmMain&) = delete;
    TdmMain& operator=(const TdmMain&) = delete;

    // --- Components
    TKVImageList ElementClassImgList;
    TKVImageList MainToolImgList;
    TIBDatabase MainIBDatabase;
    TIBTransaction MainIBTransaction; // started and committed by each operation
    TIBQuery MainIBQuery;             // the data module's own statements
    TKVImageList StorageImgList;
    TIBDatabase ExchangeIBDatabase; // package files; the exchange dialogs open and close it
    TIBTransaction ExchangeIBTransaction;
    TKVImageList LogImgList;
    TKVImageList ParamImgList;
    TKVImageList NoteMarkerImgList;
    TKVImageList FilterImgList;
    TKVImageList ProjectImgList;
    TIBTransaction ConcomIBTransaction; // the report window's transaction on the open database
    TKVImageList CaseImageList;

    // User lists, one entry per line of their files in the program's folder, and the history
    // of find patterns (in memory only).
    QStringList PinNameDesc;         // "pindesc.txt"
    QStringList ClassIconDesc;       // "classdesc.txt", line n for class icon n
    QStringList ProjectCategoryDesc; // "projcatdesc.txt"
    QStringList ProjectIconDesc;     // "projdesc.txt"
    QStringList FindHotItems;
    TKVSearchInWebPttList SearchInWebPttList;

    // --- Connection
    // Opens ADataBaseFile as AUserName. Returns a TKVConnectResult; AErrorCode is the system's
    // error code for 17 and 0 after a lock file was made.
    int DataBaseConnect(const QString& ADataBaseFile, const QString& AUserName, int& AErrorCode);
    // Closes the open database; 0, or 18 with the system's error code in AErrorCode when the
    // lock file cannot be closed or deleted (the database is closed all the same).
    int DataBaseDisconnect(int& AErrorCode);
    // The database's file name followed by ".dblock".
    static QString GetLockFileName(const QString& ADataBaseFileName);
    // Reloads every SYS_VAR row into DataBase. False when reading failed (shown to the user).
    bool LoadDBSysVar();
    // Stores the description of a writable open database; it changes in memory after the
    // commit. False when not allowed or when the statement failed.
    bool SetDBDescription(const QString& ADBDescription);

    TKVDataBase& DataBase() { return FDataBase; }
    const TKVDataBase& DataBase() const { return FDataBase; }
    bool DBConnected() const { return FDataBase.Connected(); }
    const QString& CurrentUser() const { return FUserLogin; }
    const QString& CurrentDataBaseFileName() const { return FDataBase.DataBaseFileName(); }
    // The file of the last successful connect.
    const QString& LastDataBaseFileName() const { return FLastDataBaseFileName; }
    void SetLastDataBaseFileName(const QString& AValue) { FLastDataBaseFileName = AValue; }
    quint32 CurrentDBId() const { return FDataBase.DBId(); }
    // "major.minor.build"; "0.0.0" while disconnected.
    QString CurrentDBVersionStr() const;
    const TKVDescription& CurrentDBDescription() const { return FDataBase.Description(); }
    // The one test before every change of data: the database declares itself read-only, the
    // value in force of option ReadOnly is on, or the database's drive must not be written.
    // It says nothing about whether a database is open.
    bool CurrentDBReadOnly() const;
    quint32 ExcangeDataBlockLimit() const { return FDataBase.ExcangeDataBlockLimit(); }
    const TKVDescription& CurrencyName() const { return FDataBase.DefaultCurrencyName(); }
    // Whether a lock file is held for the open database.
    bool LockFileHeld() const { return FLockFile.Held(); }

    // --- Program folder and settings
    // The program's folder, ending with '/'.
    const QString& AppFolder() const { return FAppFolder; }
    // The program's folder must not be written (its drive is remote, a CD-ROM or of unknown
    // type, or the folder cannot be written): the settings and user lists are never saved.
    bool AppDriveReadOnly() const { return FAppDriveReadOnly; }
    const QString& LogoText() const { return FLogoText; }
    // The main window's state as read from the settings (870 x 600, not maximised, by default).
    bool AppWinMaximize() const { return FAppWinMaximize; }
    int AppWinWidth() const { return FAppWinWidth; }
    int AppWinHeight() const { return FAppWinHeight; }

    // Reads every option from "Korvant.ini" (defaults for a missing file, key or number) and
    // hands the window state to the main window.
    void LoadOptions();
    // Fills the alias list from section Aliases: Name0 and File0, Name1 and File1 ... up to
    // the first name that is empty or missing.
    static void LoadAliases(const TIniFile& AIni, TKVDataBase& ADataBase);
    // Writes the options back, unless the program's folder is read-only. A failure to write is
    // shown; the old file is then unchanged. Returns whether the settings are on disk.
    bool SaveOptions();
    // Opens the help topic "WhatsNew" once per version of the program.
    void ShowWhatsNewInThisVer();
    // The lines of a user-list file; empty when it is missing.
    static QStringList ReadUserListFile(const QString& AFileName);
    // Writes ALines to AFileName as UTF-8, each line ended by a line break (no lines: an empty
    // file). The text goes to a temporary file that then replaces the old one, so a failure
    // leaves the old file as it was. False on failure, with the system's error code in
    // AErrorCode.
    static bool WriteUserListFile(const QString& AFileName, const QStringList& ALines,
                                  int& AErrorCode);
    // Reloads the four user lists from the program's folder.
    void LoadUserLists();

    // --- Storage place for emptied stock records (CFG_LOCAL row "EASSID")
    quint32 StorageForEmptyId() const { return FStorageForEmptyId; }
    const QString& StorageForEmptyName() const { return FStorageForEmptyName; }
    void LoadStorageForEmpty();
    // Stores the place (0: none) in a writable open database while option LocalConfig is on;
    // the fields change after the commit. False when not allowed or when the statement failed.
    bool SaveStorageForEmpty(quint32 AStorageEmptyId, const QString& AStorageEmptyName);
    // Sets the fields only.
    void SetStorageForEmpty(quint32 AStorageEmptyId, const QString& AStorageEmptyName);
    // Deletes every CFG_LOCAL row (all window layouts and the storage place) of a writable open
    // database while option LocalConfig is on. False when not allowed or on failure.
    bool ClearLocalCfg();
    // Adds the object to the favourites unless it is there already; AText and ARating are not
    // stored. False when no writable database is open or the statements failed.
    bool AddToFavorite(TKVItemType AItemType, quint32 AObjDBId, quint32 AObjId,
                       const QString& AText, int ARating);

    // --- News
    // Fetches the news file (option ICEnable on, through the proxy of the options) and loads
    // its items. A failed fetch is shown when AErrMsg. True when at least one item was read.
    bool LoadNewsInfo(bool AErrMsg);
    // Copies the first item with token AToken; false when there is none.
    bool GetNewsByToken(quint16 AToken, TKVNewsItem& ANewsItem) const;
    // The largest token of the loaded items, 0 when there is none.
    quint16 GetLastNewsToken() const { return FNewsList.LastToken(); }
    const TKVNewsItemList& NewsList() const { return FNewsList; }
    quint16 LastShowNewsToken() const { return FLastShowNewsToken; }
    void SetLastShowNewsToken(quint16 AValue) { FLastShowNewsToken = AValue; }
    const QString& NewsUrl() const { return FNewsUrl; }
    void SetNewsUrl(const QString& AUrl) { FNewsUrl = AUrl; }

    // --- Permissions: the one answer every window asks
    // Data may be changed: a database is open, option ReadOnly is not in force and the
    // database may be written (its READONLY variable and its drive).
    bool CanWriteDataBase() const;
    // Whether a record must not be changed: the database is read-only (CurrentDBReadOnly,
    // which includes option ReadOnly); or, for records
    // keyed by (DBID, ID) (AKeyHasDBId) that are stored (AId not 0), a system record (DBID 0)
    // while option BLIMod is off, or a record of another database (a system record too) while
    // option NSIMod is off.
    // A record not stored yet is never read-only by its DBID.
    bool RecordReadOnly(bool AKeyHasDBId, quint32 ADBId, quint32 AId) const;

    // --- The transaction pattern
    // Runs AWork inside MainIBTransaction and commits. An Exception raised inside rolls the
    // transaction back and is shown with the standard error report; the result is then false.
    // Other exceptions pass on (after the rollback).
    template <typename TWork> bool ExecuteInTransaction(TWork&& AWork) {
        return RunInTransaction(MainIBTransaction, epShowError, std::forward<TWork>(AWork));
    }

private:
    // Closes the connection and the lock file after a refused connect.
    void RefuseConnection();
    // Closes and deletes a held lock file; 0 or 18 with the system's error code.
    int ReleaseLockFile(int& AErrorCode);
    QString SettingsFile() const { return FAppFolder + SettingsFileName; }

    TKVDataBase FDataBase;
    // The last SYS_VAR row read was a DBID with a value: the database has an identity.
    bool FDBIdRead = false;
    TLockFile FLockFile;
    QString FUserLogin;
    QString FLogoText;
    QString FLastDataBaseFileName;
    bool FDataBaseDriveReadOnly = false;
    QString FAppFolder;
    bool FAppDriveReadOnly = false;
    quint32 FStorageForEmptyId = 0;
    QString FStorageForEmptyName;
    TKVNewsItemList FNewsList;
    quint16 FLastShowNewsToken = 0;
    QString FNewsUrl = DefaultNewsUrl;
    bool FAppWinMaximize = false;
    int FAppWinWidth = 870;
    int FAppWinHeight = 600;
};

// The data module while it exists; nullptr before it is made and after it is gone.
extern TdmMain* dmMain;
