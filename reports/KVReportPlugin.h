#pragma once

// Report plug-ins (the interface is in reports/kvreport.h): finding them in the "Reports"
// folder, loading one for a listing or a build, and reading its description through the
// buffer convention. A library is loaded only for as long as a TKVReportLibrary lives.

#include <QLibrary>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// The file pattern of report plug-ins.
inline constexpr const char* kReportPluginPattern = "*.so";

// The folder of the plug-ins: "Reports/" under AProgramFolder (which ends with '/').
QString ReportFolder(const QString& AProgramFolder);

// The plug-in version word as text: bits 8 to 15 and bits 0 to 7 joined by "." (256 * 3 + 14
// gives "3.14").
QString ReportVersionToStr(quint32 AVersion);

// One report column of a plug-in.
struct TKVReportColumn {
    QString Caption;
    int SortType = 0; // 1 integers, 2 floating-point numbers, any other value texts
    int Width = 0;
};

// A loaded plug-in library; unloaded when the object goes.
class TKVReportLibrary {
public:
    using TGetLen = std::int32_t (*)();
    using TGetText = void (*)(char*);
    using TGetVersion = std::uint32_t (*)();
    using TIntOfInt = std::int32_t (*)(std::int32_t);
    using TGetTextOf = void (*)(std::int32_t, char*);

    explicit TKVReportLibrary(const QString& AFileName);
    ~TKVReportLibrary();
    TKVReportLibrary(const TKVReportLibrary&) = delete;
    TKVReportLibrary& operator=(const TKVReportLibrary&) = delete;

    bool Loaded() const { return FLibrary.isLoaded(); }
    // Looks up the four functions a listing needs (name length, name, version, database
    // version); false when one is missing.
    bool ResolveListing();
    // Looks up all thirteen; false when one is missing.
    bool ResolveAll();

    // Whether the plug-in was written for the program's database structure version (asked
    // with the indexes 2, 1 and 0, in that order).
    bool SupportsDBVersion() const;
    // The name length as the plug-in gives it (0 is an error of the plug-in).
    std::int32_t NameLength() const { return FGetReportNameLen(); }
    // The name; nullopt when the plug-in gives a length that no buffer can hold.
    std::optional<QString> Name() const;
    quint32 Version() const { return FGetReportVersion(); }
    std::int32_t ColumnCount() const { return FGetReportFieldCount(); }
    // Report column AIndex; nullopt when its caption has an impossible length.
    std::optional<TKVReportColumn> Column(std::int32_t AIndex) const;
    // The statement; nullopt when its length is impossible.
    std::optional<QString> SQLQuery() const;
    std::int32_t ReportColumnOf(std::int32_t AResultColumn) const {
        return FSQLFieldIndexToReportFieldIndex(AResultColumn);
    }
    std::int32_t ProcTypeOf(std::int32_t AResultColumn) const {
        return FGetSQLFieldByIndexProcType(AResultColumn);
    }

private:
    // Reads a text of ALength bytes through AWrite; nullopt for a negative or oversized length.
    template <class TWrite>
    static std::optional<QString> ReadText(std::int32_t ALength, TWrite AWrite);
    template <class T> bool Resolve(T& AFunction, const char* AName);

    QLibrary FLibrary;
    TGetLen FGetReportNameLen = nullptr;
    TGetText FGetReportName = nullptr;
    TGetVersion FGetReportVersion = nullptr;
    TIntOfInt FGetSupportedDBVersion = nullptr;
    TGetLen FGetReportFieldCount = nullptr;
    TIntOfInt FGetReportFieldNameLenByIndex = nullptr;
    TGetTextOf FGetReportFieldNameByIndex = nullptr;
    TIntOfInt FGetReportFieldSortTypeByIndex = nullptr;
    TIntOfInt FGetReportFieldWidthByIndex = nullptr;
    TGetLen FGetReportSQLQueryLen = nullptr;
    TGetText FGetReportSQLQuery = nullptr;
    TIntOfInt FSQLFieldIndexToReportFieldIndex = nullptr;
    TIntOfInt FGetSQLFieldByIndexProcType = nullptr;
};

// A plug-in as the report list shows it.
struct TKVReportPluginInfo {
    QString Name;
    QString FileName; // without the folder
    QString Version;  // ReportVersionToStr
};

// The plug-ins of AFolder that load, have the listing functions and support the program's
// database version, in the order of their file names. Hidden files and anything but plain
// files are skipped; nothing is said about skipped files.
std::vector<TKVReportPluginInfo> ListReportPlugins(const QString& AFolder);
