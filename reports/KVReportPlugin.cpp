#include "reports/KVReportPlugin.h"

#include "core/KVCommon.h"
#include "platform/sys/Win1251.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The longest text a plug-in may hand over: far above any caption or statement, far below
// what a buffer allocation could fail on.
constexpr std::int32_t kMaxTextLength = 1 << 20;

} // namespace

QString ReportFolder(const QString& AProgramFolder) {
    return AProgramFolder + QStringLiteral("Reports/");
}

QString ReportVersionToStr(quint32 AVersion) {
    return QString::number((AVersion >> 8) & 0xFF) + QLatin1Char('.') +
           QString::number(AVersion & 0xFF);
}

TKVReportLibrary::TKVReportLibrary(const QString& AFileName) : FLibrary(AFileName) {
    FLibrary.load();
}

TKVReportLibrary::~TKVReportLibrary() {
    if (FLibrary.isLoaded())
        FLibrary.unload();
}

template <class T> bool TKVReportLibrary::Resolve(T& AFunction, const char* AName) {
    AFunction = reinterpret_cast<T>(FLibrary.resolve(AName));
    return AFunction != nullptr;
}

bool TKVReportLibrary::ResolveListing() {
    if (!Loaded())
        return false;
    return Resolve(FGetReportNameLen, "kvr_GetReportNameLen") &&
           Resolve(FGetReportName, "kvr_GetReportName") &&
           Resolve(FGetReportVersion, "kvr_GetReportVersion") &&
           Resolve(FGetSupportedDBVersion, "kvr_GetSupportedDBVersion");
}

bool TKVReportLibrary::ResolveAll() {
    return ResolveListing() && Resolve(FGetReportFieldCount, "kvr_GetReportFieldCount") &&
           Resolve(FGetReportFieldNameLenByIndex, "kvr_GetReportFieldNameLenByIndex") &&
           Resolve(FGetReportFieldNameByIndex, "kvr_GetReportFieldNameByIndex") &&
           Resolve(FGetReportFieldSortTypeByIndex, "kvr_GetReportFieldSortTypeByIndex") &&
           Resolve(FGetReportFieldWidthByIndex, "kvr_GetReportFieldWidthByIndex") &&
           Resolve(FGetReportSQLQueryLen, "kvr_GetReportSQLQueryLen") &&
           Resolve(FGetReportSQLQuery, "kvr_GetReportSQLQuery") &&
           Resolve(FSQLFieldIndexToReportFieldIndex, "kvr_SQLFieldIndexToReportFieldIndex") &&
           Resolve(FGetSQLFieldByIndexProcType, "kvr_GetSQLFieldByIndexProcType");
}

bool TKVReportLibrary::SupportsDBVersion() const {
    const std::int32_t build = FGetSupportedDBVersion(2);
    const std::int32_t minor = FGetSupportedDBVersion(1);
    const std::int32_t major = FGetSupportedDBVersion(0);
    return IsSupportedDBVersion(major, minor, build);
}

template <class TWrite>
std::optional<QString> TKVReportLibrary::ReadText(std::int32_t ALength, TWrite AWrite) {
    if (ALength < 0 || ALength > kMaxTextLength)
        return std::nullopt;
    QByteArray buffer(ALength + 1, '\0');
    AWrite(buffer.data());
    // The plug-in may write at most ALength bytes; the terminator is put back in case it
    // wrote one more, and the text ends at the first zero byte.
    buffer[ALength] = '\0';
    return FromWin1251(buffer.constData(), static_cast<qsizetype>(qstrlen(buffer.constData())));
}

std::optional<QString> TKVReportLibrary::Name() const {
    return ReadText(FGetReportNameLen(), FGetReportName);
}

std::optional<TKVReportColumn> TKVReportLibrary::Column(std::int32_t AIndex) const {
    const std::optional<QString> caption =
        ReadText(FGetReportFieldNameLenByIndex(AIndex),
                 [&](char* ABuffer) { FGetReportFieldNameByIndex(AIndex, ABuffer); });
    if (!caption)
        return std::nullopt;
    TKVReportColumn column;
    column.Caption = *caption;
    column.SortType = FGetReportFieldSortTypeByIndex(AIndex);
    column.Width = FGetReportFieldWidthByIndex(AIndex);
    return column;
}

std::optional<QString> TKVReportLibrary::SQLQuery() const {
    return ReadText(FGetReportSQLQueryLen(), FGetReportSQLQuery);
}

std::vector<TKVReportPluginInfo> ListReportPlugins(const QString& AFolder) {
    std::vector<TKVReportPluginInfo> result;
    const QDir folder(AFolder);
    if (!folder.exists())
        return result;
    const QFileInfoList files =
        folder.entryInfoList({QString::fromLatin1(kReportPluginPattern)}, QDir::Files, QDir::Name);
    for (const QFileInfo& file : files) {
        TKVReportLibrary library(file.absoluteFilePath());
        if (!library.ResolveListing() || !library.SupportsDBVersion())
            continue;
        const std::optional<QString> name = library.Name();
        if (!name)
            continue;
        result.push_back({*name, file.fileName(), ReportVersionToStr(library.Version())});
    }
    return result;
}
