#pragma once

// The package file: a Firebird database of the engine's on-disk structure with the ten package
// tables and a header in SYS_VAR. Making, opening and checking the file, writing and reading its
// header, the validity codes with their texts, and the header reader of the information window with
// the texts that window shows.

#include "core/KVDataBase.h"
#include "exchange/KVExchangeMonitor.h"

#include <QString>
#include <QStringList>

#include <vector>

class TIBDatabase;
class TIBTransaction;

// Names of the header rows (SYS_VAR.S_PARAM), as writers write them.
namespace KVPackageHeader {
inline const QString PackageInfo = QStringLiteral("PACKAGEINFO");
inline const QString MajorVersion = QStringLiteral("MAJORVERSION");
inline const QString MinorVersion = QStringLiteral("MINORVERSION");
inline const QString BuildVersion = QStringLiteral("BUILDVERSION");
inline const QString DBRelation = QStringLiteral("DBRELATION");
inline const QString DBSysUpdateRelation = QStringLiteral("DBSYSUPDATERELATION");
inline const QString DBSysUpdateInfo = QStringLiteral("DBSYSUPDATEINFO");
inline const QString NoIncludeInfo = QStringLiteral("NOINCLUDEINFO");
inline const QString DBSysUpdateInclude = QStringLiteral("DBSYSUPDATEINCLUDE");
// Records an import leaves in the user's database.
inline const QString PackageImported = QStringLiteral("PACKAGEIMPORTED");
inline const QString DBSysUpdate = QStringLiteral("DBSYSUPDATE");
} // namespace KVPackageHeader

// The validity of a package file (TKVPackageInfo::piErrorCode).
enum TKVPackageErrorCode {
    pecNone = 0, // a package with a usable header
    pecUnsupportedVersion = 1,
    pecHeaderUnreadable = 2,
    pecUnknownStructure = 3 // not a package, or the file cannot be opened or read
};

// The message of a code (empty for pecNone); the version is the file's, shown by code 1.
QString PackageErrorText(int AErrorCode, int AMajor, int AMinor, int ABuild);

// "%d.%d" of a system-update version integer.
QString SysUpdateVersionStr(quint32 AVersion);

// Makes a new package file with the engine's defaults (no user name, page size or character
// set given) and closes the connection.
void CreatePackageFile(TIBDatabase& ADataBase, const QString& AFileName);
// Opens a package file as AUserName. Its first pages are checked before the engine sees it
// (CheckDataBaseFile), so that a damaged or foreign file is refused untouched. A connection
// left open is closed first, never reused.
void OpenPackageFile(TIBDatabase& ADataBase, const QString& AFileName, const QString& AUserName);
// Closes the connection (it is closed also when closing fails); false when closing failed, which
// goes to AMonitor's log (when given).
bool ClosePackageFile(TIBDatabase& ADataBase, TKVExchangeMonitor* AMonitor = nullptr);
// Runs the ten CREATE TABLE statements in ATransaction (started and committed here).
void CreatePackageTables(TIBTransaction& ATransaction);
// The user tables of the open file are those of a package.
bool IsPackageDataBase(TIBDatabase& ADataBase);

// Writes the header rows of a regular package in ATransaction (active): PACKAGEINFO, the three
// version rows, a DBRELATION row per package imported into AFrom and a DBSYSUPDATERELATION row
// per system update applied to it, IDs from 1.
void WritePackageHeader(TIBTransaction& ATransaction, quint32 ADBId, const QString& ADescription,
                        TDateTime AExportDateTime, TKVDataBase& AFrom);

// The header of a package as the readers see it.
struct TKVPackageHeader {
    quint32 DBId = 0;
    QString Description;
    TDateTime ExportDateTime = 0;
    int Major = 0;
    int Minor = 0;
    int Build = 0;
    bool MajorRead = false;
    bool MinorRead = false;
    bool BuildRead = false;
    bool InfoRead = false;  // PACKAGEINFO or DBSYSUPDATEINFO
    bool DateValid = false; // a system update, or PACKAGEINFO with a time above 0
    bool SysUpdate = false;
    quint32 SysUpdateVersion = 0;
    bool NoInclude = false;

    bool VersionsRead() const { return MajorRead && MinorRead && BuildRead; }
    bool VersionSupported() const { return IsSupportedDBVersion(Major, Minor, Build); }
    // The validity code of a file whose tables are those of a package.
    int ErrorCode() const;
};

// Reads every SYS_VAR row of the open package in ATransaction (active), comparing names without
// regard to case.
TKVPackageHeader ReadPackageHeader(TIBTransaction& ATransaction);

// Fills the record for AFileName: opens the file on ADataBase (ATransaction belongs to it),
// reads the header and, for a usable one, what it contains and requires and the row counts,
// and closes the file. Problems go to the log as "Error ... in class ..." lines and leave the
// code they reached.
TKVPackageInfo ReadPackageInfo(TIBDatabase& ADataBase, TIBTransaction& ATransaction,
                               const QString& AFileName, const QString& AUserName,
                               TKVExchangeMonitor& AMonitor);

// One row of a page of the information window: caption and value (a row may have no value).
struct TKVPackageInfoRow {
    QString Caption;
    QString Value;
};
// The rows of the page "Общая информация".
std::vector<TKVPackageInfoRow> PackageGeneralRows(const TKVPackageInfo& AInfo);
// The rows of the page "Состав".
std::vector<TKVPackageInfoRow> PackageCompositionRows(const TKVPackageInfo& AInfo);
// The lines of a text of the record (include or relation text), none for an empty text.
QStringList PackageInfoLines(const QString& AText);
// What the window's copy button puts on the clipboard.
QString PackageInfoClipboardText(const TKVPackageInfo& AInfo);
