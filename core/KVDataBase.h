#pragma once

// What the program knows about the open database: whether one is connected and which file,
// its identity (DBID), description, structure version, read-only flag and currency name, all
// its system variables (table SYS_VAR), the system updates applied to it and the data packages
// imported into it; also the user's database aliases and the block size of package reading.
// The data module fills it at connect and empties it at disconnect.

#include "core/DataList.h"
#include "core/KVCommon.h"

#include <QString>

// One SYS_VAR row.
struct TKVDataBaseSysVar {
    quint32 Id = 0;
    TKVName Name; // upper case
    qint32 IntVal = 0;
    double FloatVal = 0;
    TKVDescription StrVal;
    TDateTime DateTimeVal = 0;
};

// A named shortcut to a database file.
struct TKVDataBaseAlias {
    TKVName Name;
    QString FileName;
};

// A system update applied to the database.
struct TKVDataBaseSysUpdate {
    quint16 SysUpdMajorVersion = 0;
    quint16 SysUpdMinorVersion = 0;
    TKVDescription SysUpdVersionStr;
};

// A data package imported into the database.
struct TKVDataBasePackageImported {
    quint32 PackageDBId = 0; // DBID of the database that exported the package
    TKVDescription Description;
    TDateTime ExportDateTime = 0;
};

// The header of a package file, filled and read by the data exchange.
struct TKVPackageInfo {
    QString piPackageFile;
    quint32 piPackageDBID = 0;
    QString piPackageDescription;
    qint32 piDBMajorVersion = 0;
    qint32 piDBMinorVersion = 0;
    qint32 piDBBuildVersion = 0;
    bool piDBSysUpdate = false;
    qint32 piDBSysUpdateVersion = 0; // major * 65536 + minor
    bool piDBSysNoIncludeInfo = false;
    TDateTime piPackageExportDateTime = 0;
    QString piIncludeInfo;
    QString piRelationInfo;
    qint32 piErrorCode = 0;
    quint32 piClassesCount = 0;
    quint32 piCasesCount = 0;
    quint32 piMakersCount = 0;
    quint32 piUnitsCount = 0;
    quint32 piBaseParamsCount = 0;
    quint32 piElementTypesCount = 0;
    quint32 piParamsCount = 0;
    quint32 piPinsCount = 0;
    quint32 piElementAnalogsCount = 0;
};

class TKVDataBase {
public:
    static constexpr quint32 MinExcangeDataBlockLimit = 1000;
    static constexpr quint32 MaxExcangeDataBlockLimit = 100000;

    TKVDataBase();
    TKVDataBase(const TKVDataBase&) = delete;
    TKVDataBase& operator=(const TKVDataBase&) = delete;

    // --- State
    bool Connected() const { return FConnected; }
    // The database declares itself read-only (SYS_VAR READONLY above 0).
    bool ReadOnly() const { return FReadOnly; }
    const QString& DataBaseFileName() const { return FDataBaseFileName; }
    quint32 DBId() const { return FDBId; }
    const TKVDescription& Description() const { return FDescription; }
    quint32 MajorVersion() const { return FMajorVersion; }
    quint32 MinorVersion() const { return FMinorVersion; }
    quint32 BuildVersion() const { return FBuildVersion; }
    const TKVDescription& DefaultCurrencyName() const { return FDefaultCurrencyName; }
    quint32 ExcangeDataBlockLimit() const { return FExcangeDataBlockLimit; }
    // Kept between 1000 and 100000.
    void SetExcangeDataBlockLimit(quint32 AValue);

    // A database is open: connected, with its file name recorded.
    void SetConnectedState(const QString& ADataBaseFileName);
    // No database: the system variables, updates and imported packages go, the identity and
    // versions return to zero, the currency to the regional symbol. Aliases, block limit and
    // file name stay.
    void SetDisconnectedState();
    void SetDescription(const QString& ADescription);

    // --- System variables
    // Appends a variable (name upper-cased, cut to 128 characters); when AName is exactly one
    // of the known names (DBID, DBDESCRIPTION, MAJORVERSION, MINORVERSION, BUILDVERSION,
    // READONLY, DBSYSUPDATE, PACKAGEIMPORTED, DEFCURRENCY) its value takes effect.
    void AddSysVar(quint32 AId, const QString& AName, qint32 AIntVal, double AFloatVal,
                   const QString& AStrVal, TDateTime ADateTimeVal);
    // The first variable of that name, compared without regard to case.
    bool ExistsSysVarByName(const QString& ASysVarName) const;
    // An all-empty record when there is none.
    TKVDataBaseSysVar GetSysVarByName(const QString& ASysVarName) const;
    // Overwrites the values of the first variable of that name (in memory only); DBID,
    // DBDESCRIPTION and READONLY also take effect. False when there is none.
    bool SetSysVarByName(const QString& ASysVarName, qint32 AIntVal, double AFloatVal,
                         const QString& AStrVal, TDateTime ADateTimeVal);
    int SysVarCount() const { return FSysVarList.Count(); }
    bool SysVarEof() const { return FSysVarList.Eof(); }
    bool SysVarEmpty() const { return FSysVarList.Empty(); }
    void SysVarFirst() { FSysVarList.First(); }
    void SysVarNext();
    // Copies the variable under the cursor; false, copying nothing, while the list is modified.
    bool SysVarGetRecord(TKVDataBaseSysVar& ASysVar) const;
    void SysVarClear() { FSysVarList.Clear(); }

    // --- Aliases
    void AddAlias(const QString& AName, const QString& AFileName);
    bool DeleteAlias(int AIndex);
    bool UpdateAliasData(int AIndex, const QString& AName, const QString& AFileName);
    int AliasCount() const { return FAliasList.Count(); }
    bool AliasEof() const { return FAliasList.Eof(); }
    bool AliasEmpty() const { return FAliasList.Empty(); }
    void AliasFirst() { FAliasList.First(); }
    void AliasNext();
    bool AliasGetRecord(TKVDataBaseAlias& AAlias) const;
    void AliasClear() { FAliasList.Clear(); }

    // --- System updates
    static quint32 DBSysUpdateVersionsToInt(quint16 ASysUpdMajorVersion,
                                            quint16 ASysUpdMinorVersion) {
        return MakeSysUpdateVersion(ASysUpdMajorVersion, ASysUpdMinorVersion);
    }
    void AddDBSysUpdate(quint32 AVersion, const QString& AVersionStr);
    void AddOrUpdateDBSysUpdate(quint32 AVersion, const QString& AVersionStr);
    bool ExistsDBSysUpdate(quint32 ASysUpdateVersion) const;
    int DBSysUpdateCount() const { return FDBSysUpdateList.Count(); }
    bool DBSysUpdateEof() const { return FDBSysUpdateList.Eof(); }
    bool DBSysUpdateEmpty() const { return FDBSysUpdateList.Empty(); }
    void DBSysUpdateFirst() { FDBSysUpdateList.First(); }
    void DBSysUpdateNext();
    bool DBSysUpdateGetRecord(TKVDataBaseSysUpdate& ASysUpdate) const;
    void DBSysUpdateClear() { FDBSysUpdateList.Clear(); }

    // --- Imported packages
    void AddPackageImported(quint32 APackageImportedDBId, const QString& ADescription,
                            TDateTime AExportDateTime);
    void AddOrUpdatePackageImported(quint32 APackageImportedDBId, const QString& ADescription,
                                    TDateTime AExportDateTime);
    bool DeletePackageImported(quint32 APackageImportedDBId);
    bool ExistsPackageImportedByDBId(quint32 APackageImportedDBId) const;
    // An entry with that DBID was exported at APackageExportDateTime or later.
    bool VerifPackageImported(quint32 APackageImportedDBId, TDateTime APackageExportDateTime) const;
    int PackageImportedCount() const { return FPackageImportedList.Count(); }
    bool PackageImportedEof() const { return FPackageImportedList.Eof(); }
    bool PackageImportedEmpty() const { return FPackageImportedList.Empty(); }
    void PackageImportedFirst() { FPackageImportedList.First(); }
    void PackageImportedNext();
    bool PackageImportedGetRecord(TKVDataBasePackageImported& APackage) const;
    void PackageImportedClear() { FPackageImportedList.Clear(); }

private:
    int FindSysVarIndex(const QString& ASysVarName) const;
    void ApplySysVar(const QString& AName, qint32 AIntVal, const QString& AStrVal,
                     TDateTime ADateTimeVal, bool AOnlyIdentity);

    TDataList<TKVDataBaseSysVar> FSysVarList;
    TDataList<TKVDataBaseAlias> FAliasList;
    TDataList<TKVDataBaseSysUpdate> FDBSysUpdateList;
    TDataList<TKVDataBasePackageImported> FPackageImportedList;
    bool FConnected = false;
    bool FReadOnly = false;
    QString FDataBaseFileName;
    quint32 FDBId = 0;
    TKVDescription FDescription;
    quint32 FMajorVersion = 0;
    quint32 FMinorVersion = 0;
    quint32 FBuildVersion = 0;
    quint32 FExcangeDataBlockLimit = MinExcangeDataBlockLimit;
    TKVDescription FDefaultCurrencyName;
};
