#include "core/KVDataBase.h"

#include "core/KVListWalk.h"

#include <QLocale>

#include <algorithm>
#include <memory>

namespace {

TKVDescription RegionalCurrencySymbol() {
    return KVDescription(QLocale().currencySymbol());
}

} // namespace

TKVDataBase::TKVDataBase() : FDefaultCurrencyName(RegionalCurrencySymbol()) {}

void TKVDataBase::SetExcangeDataBlockLimit(quint32 AValue) {
    FExcangeDataBlockLimit = std::clamp(AValue, MinExcangeDataBlockLimit, MaxExcangeDataBlockLimit);
}

void TKVDataBase::SetConnectedState(const QString& ADataBaseFileName) {
    FConnected = true;
    FDataBaseFileName = ADataBaseFileName;
}

void TKVDataBase::SetDisconnectedState() {
    FConnected = false;
    FSysVarList.Clear();
    FDBSysUpdateList.Clear();
    FPackageImportedList.Clear();
    FDBId = 0;
    FDescription.clear();
    FMajorVersion = 0;
    FMinorVersion = 0;
    FBuildVersion = 0;
    FReadOnly = false;
    FDefaultCurrencyName = RegionalCurrencySymbol();
}

void TKVDataBase::SetDescription(const QString& ADescription) {
    FDescription = KVDescription(ADescription);
}

// --------------------------------------------------------------------------- system variables

void TKVDataBase::ApplySysVar(const QString& AName, qint32 AIntVal, const QString& AStrVal,
                              TDateTime ADateTimeVal, bool AOnlyIdentity) {
    if (AName == QLatin1String("DBID"))
        FDBId = static_cast<quint32>(AIntVal);
    else if (AName == QLatin1String("DBDESCRIPTION"))
        FDescription = KVDescription(AStrVal);
    else if (AName == QLatin1String("READONLY"))
        FReadOnly = AIntVal > 0;
    else if (AOnlyIdentity)
        return;
    else if (AName == QLatin1String("MAJORVERSION"))
        FMajorVersion = static_cast<quint32>(AIntVal);
    else if (AName == QLatin1String("MINORVERSION"))
        FMinorVersion = static_cast<quint32>(AIntVal);
    else if (AName == QLatin1String("BUILDVERSION"))
        FBuildVersion = static_cast<quint32>(AIntVal);
    else if (AName == QLatin1String("DBSYSUPDATE"))
        AddDBSysUpdate(static_cast<quint32>(AIntVal), AStrVal);
    else if (AName == QLatin1String("PACKAGEIMPORTED"))
        AddPackageImported(static_cast<quint32>(AIntVal), AStrVal, ADateTimeVal);
    else if (AName == QLatin1String("DEFCURRENCY"))
        FDefaultCurrencyName = KVDescription(AStrVal);
}

void TKVDataBase::AddSysVar(quint32 AId, const QString& AName, qint32 AIntVal, double AFloatVal,
                            const QString& AStrVal, TDateTime ADateTimeVal) {
    auto sysVar = std::make_unique<TKVDataBaseSysVar>();
    sysVar->Id = AId;
    sysVar->Name = KVName(QLocale().toUpper(AName));
    sysVar->IntVal = AIntVal;
    sysVar->FloatVal = AFloatVal;
    sysVar->StrVal = KVDescription(AStrVal);
    sysVar->DateTimeVal = ADateTimeVal;
    FSysVarList.Add(std::move(sysVar));
    ApplySysVar(AName, AIntVal, AStrVal, ADateTimeVal, false);
}

int TKVDataBase::FindSysVarIndex(const QString& ASysVarName) const {
    return KVListIndexOf(FSysVarList, [&](const TKVDataBaseSysVar& v) {
        return v.Name.compare(ASysVarName, Qt::CaseInsensitive) == 0;
    });
}

bool TKVDataBase::ExistsSysVarByName(const QString& ASysVarName) const {
    return FindSysVarIndex(ASysVarName) >= 0;
}

TKVDataBaseSysVar TKVDataBase::GetSysVarByName(const QString& ASysVarName) const {
    const int index = FindSysVarIndex(ASysVarName);
    return index < 0 ? TKVDataBaseSysVar() : *FSysVarList.GetItemDataByIndex(index);
}

bool TKVDataBase::SetSysVarByName(const QString& ASysVarName, qint32 AIntVal, double AFloatVal,
                                  const QString& AStrVal, TDateTime ADateTimeVal) {
    const int index = FindSysVarIndex(ASysVarName);
    if (index < 0)
        return false;
    TKVDataBaseSysVar* sysVar = FSysVarList.GetItemDataByIndex(index);
    sysVar->IntVal = AIntVal;
    sysVar->FloatVal = AFloatVal;
    sysVar->StrVal = KVDescription(AStrVal);
    sysVar->DateTimeVal = ADateTimeVal;
    ApplySysVar(ASysVarName, AIntVal, AStrVal, ADateTimeVal, true);
    return true;
}

void TKVDataBase::SysVarNext() {
    KVListNext(FSysVarList);
}

bool TKVDataBase::SysVarGetRecord(TKVDataBaseSysVar& ASysVar) const {
    return KVListGetRecord(FSysVarList, ASysVar);
}

// ---------------------------------------------------------------------------------- aliases

void TKVDataBase::AddAlias(const QString& AName, const QString& AFileName) {
    FAliasList.Add(std::make_unique<TKVDataBaseAlias>(TKVDataBaseAlias{KVName(AName), AFileName}));
}

bool TKVDataBase::DeleteAlias(int AIndex) {
    if (AIndex < 0 || AIndex >= FAliasList.Count())
        return false;
    FAliasList.Delete(AIndex);
    return true;
}

bool TKVDataBase::UpdateAliasData(int AIndex, const QString& AName, const QString& AFileName) {
    if (AIndex < 0 || AIndex >= FAliasList.Count())
        return false;
    *FAliasList.GetItemDataByIndex(AIndex) = TKVDataBaseAlias{KVName(AName), AFileName};
    return true;
}

void TKVDataBase::AliasNext() {
    KVListNext(FAliasList);
}

bool TKVDataBase::AliasGetRecord(TKVDataBaseAlias& AAlias) const {
    return KVListGetRecord(FAliasList, AAlias);
}

// --------------------------------------------------------------------------- system updates

void TKVDataBase::AddDBSysUpdate(quint32 AVersion, const QString& AVersionStr) {
    FDBSysUpdateList.Add(std::make_unique<TKVDataBaseSysUpdate>(
        TKVDataBaseSysUpdate{SysUpdateVersionMajor(AVersion), SysUpdateVersionMinor(AVersion),
                             KVDescription(AVersionStr)}));
}

void TKVDataBase::AddOrUpdateDBSysUpdate(quint32 AVersion, const QString& AVersionStr) {
    const int index = KVListIndexOf(FDBSysUpdateList, [&](const TKVDataBaseSysUpdate& u) {
        return DBSysUpdateVersionsToInt(u.SysUpdMajorVersion, u.SysUpdMinorVersion) == AVersion;
    });
    if (index < 0)
        AddDBSysUpdate(AVersion, AVersionStr);
    else
        FDBSysUpdateList.GetItemDataByIndex(index)->SysUpdVersionStr = KVDescription(AVersionStr);
}

bool TKVDataBase::ExistsDBSysUpdate(quint32 ASysUpdateVersion) const {
    return KVListIndexOf(FDBSysUpdateList, [&](const TKVDataBaseSysUpdate& u) {
               return DBSysUpdateVersionsToInt(u.SysUpdMajorVersion, u.SysUpdMinorVersion) ==
                      ASysUpdateVersion;
           }) >= 0;
}

void TKVDataBase::DBSysUpdateNext() {
    KVListNext(FDBSysUpdateList);
}

bool TKVDataBase::DBSysUpdateGetRecord(TKVDataBaseSysUpdate& ASysUpdate) const {
    return KVListGetRecord(FDBSysUpdateList, ASysUpdate);
}

// ------------------------------------------------------------------------ imported packages

void TKVDataBase::AddPackageImported(quint32 APackageImportedDBId, const QString& ADescription,
                                     TDateTime AExportDateTime) {
    FPackageImportedList.Add(
        std::make_unique<TKVDataBasePackageImported>(TKVDataBasePackageImported{
            APackageImportedDBId, KVDescription(ADescription), AExportDateTime}));
}

void TKVDataBase::AddOrUpdatePackageImported(quint32 APackageImportedDBId,
                                             const QString& ADescription,
                                             TDateTime AExportDateTime) {
    const int index = KVListIndexOf(FPackageImportedList, [&](const TKVDataBasePackageImported& p) {
        return p.PackageDBId == APackageImportedDBId;
    });
    if (index < 0) {
        AddPackageImported(APackageImportedDBId, ADescription, AExportDateTime);
        return;
    }
    TKVDataBasePackageImported* package = FPackageImportedList.GetItemDataByIndex(index);
    package->Description = KVDescription(ADescription);
    package->ExportDateTime = AExportDateTime;
}

bool TKVDataBase::DeletePackageImported(quint32 APackageImportedDBId) {
    const int index = KVListIndexOf(FPackageImportedList, [&](const TKVDataBasePackageImported& p) {
        return p.PackageDBId == APackageImportedDBId;
    });
    if (index < 0)
        return false;
    FPackageImportedList.Delete(index);
    return true;
}

bool TKVDataBase::ExistsPackageImportedByDBId(quint32 APackageImportedDBId) const {
    return KVListIndexOf(FPackageImportedList, [&](const TKVDataBasePackageImported& p) {
               return p.PackageDBId == APackageImportedDBId;
           }) >= 0;
}

bool TKVDataBase::VerifPackageImported(quint32 APackageImportedDBId,
                                       TDateTime APackageExportDateTime) const {
    return KVListIndexOf(FPackageImportedList, [&](const TKVDataBasePackageImported& p) {
               return p.PackageDBId == APackageImportedDBId &&
                      p.ExportDateTime >= APackageExportDateTime;
           }) >= 0;
}

void TKVDataBase::PackageImportedNext() {
    KVListNext(FPackageImportedList);
}

bool TKVDataBase::PackageImportedGetRecord(TKVDataBasePackageImported& APackage) const {
    return KVListGetRecord(FPackageImportedList, APackage);
}
