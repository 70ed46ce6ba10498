// A report plug-in for tests: what it describes is read from the environment when asked, so
// one library serves every test.
//   KVR_TEST_NAME      report name (default "Test report"); KVR_TEST_NAME_LEN overrides its
//                      length as told
//   KVR_TEST_COLUMNS   "caption:sort:width;..." (default "A:0:100")
//   KVR_TEST_COUNT     overrides the column count as told
//   KVR_TEST_SQL       the statement (default a one-row SELECT)
//   KVR_TEST_MAP       "column:proc;..." per result column (default column j, type 1)
// Built with KVR_TEST_OMIT_VERSION it lacks kvr_GetReportVersion; KVR_TEST_DB_BUILD sets the
// build number of the database version it names.

#include "reports/kvreport.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#ifndef KVR_TEST_DB_BUILD
#define KVR_TEST_DB_BUILD KVR_DB_VERSION_BUILD
#endif

namespace {

std::string Env(const char* AName, const char* ADefault) {
    const char* value = std::getenv(AName);
    return value ? value : ADefault;
}

std::vector<std::string> Split(const std::string& AText, char ASeparator) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : AText) {
        if (c == ASeparator) {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty())
        parts.push_back(part);
    return parts;
}

// Field AField of entry AIndex of a "a:b:c;..." list; empty when there is none.
std::string Field(const char* AVariable, const char* ADefault, int32_t AIndex, size_t AField) {
    const std::vector<std::string> entries = Split(Env(AVariable, ADefault), ';');
    if (AIndex < 0 || static_cast<size_t>(AIndex) >= entries.size())
        return std::string();
    const std::vector<std::string> fields = Split(entries[AIndex], ':');
    return AField < fields.size() ? fields[AField] : std::string();
}

int32_t Int(const std::string& AText, int32_t ADefault) {
    return AText.empty() ? ADefault : static_cast<int32_t>(std::atol(AText.c_str()));
}

int32_t LengthOr(const char* AOverride, const std::string& AText) {
    const char* value = std::getenv(AOverride);
    return value ? static_cast<int32_t>(std::atol(value)) : static_cast<int32_t>(AText.size());
}

// Writes AText, at most the ALength bytes the plug-in said it has.
void Copy(const std::string& AText, char* ABuffer, int32_t ALength) {
    if (ALength > 0)
        std::memcpy(ABuffer, AText.data(), std::min<size_t>(AText.size(), ALength));
}

std::string Name() {
    return Env("KVR_TEST_NAME", "Test report");
}
std::string SQL() {
    return Env("KVR_TEST_SQL", "SELECT 1 FROM RDB$DATABASE");
}

} // namespace

extern "C" {

KVR_EXPORT int32_t kvr_GetReportNameLen(void) {
    return LengthOr("KVR_TEST_NAME_LEN", Name());
}
KVR_EXPORT void kvr_GetReportName(char* ABuffer) {
    Copy(Name(), ABuffer, kvr_GetReportNameLen());
}
#ifndef KVR_TEST_OMIT_VERSION
KVR_EXPORT uint32_t kvr_GetReportVersion(void) {
    return KVR_MAKE_VERSION(3, 14);
}
#endif
KVR_EXPORT int32_t kvr_GetSupportedDBVersion(int32_t AIndex) {
    return AIndex == 0   ? KVR_DB_VERSION_MAJOR
           : AIndex == 1 ? KVR_DB_VERSION_MINOR
                         : KVR_TEST_DB_BUILD;
}
KVR_EXPORT int32_t kvr_GetReportFieldCount(void) {
    const char* count = std::getenv("KVR_TEST_COUNT");
    if (count)
        return static_cast<int32_t>(std::atol(count));
    return static_cast<int32_t>(Split(Env("KVR_TEST_COLUMNS", "A:0:100"), ';').size());
}
KVR_EXPORT int32_t kvr_GetReportFieldNameLenByIndex(int32_t AIndex) {
    return static_cast<int32_t>(Field("KVR_TEST_COLUMNS", "A:0:100", AIndex, 0).size());
}
KVR_EXPORT void kvr_GetReportFieldNameByIndex(int32_t AIndex, char* ABuffer) {
    Copy(Field("KVR_TEST_COLUMNS", "A:0:100", AIndex, 0), ABuffer,
         kvr_GetReportFieldNameLenByIndex(AIndex));
}
KVR_EXPORT int32_t kvr_GetReportFieldSortTypeByIndex(int32_t AIndex) {
    return Int(Field("KVR_TEST_COLUMNS", "A:0:100", AIndex, 1), 0);
}
KVR_EXPORT int32_t kvr_GetReportFieldWidthByIndex(int32_t AIndex) {
    return Int(Field("KVR_TEST_COLUMNS", "A:0:100", AIndex, 2), 100);
}
KVR_EXPORT int32_t kvr_GetReportSQLQueryLen(void) {
    return LengthOr("KVR_TEST_SQL_LEN", SQL());
}
KVR_EXPORT void kvr_GetReportSQLQuery(char* ABuffer) {
    Copy(SQL(), ABuffer, kvr_GetReportSQLQueryLen());
}
KVR_EXPORT int32_t kvr_SQLFieldIndexToReportFieldIndex(int32_t AIndex) {
    return Int(Field("KVR_TEST_MAP", "", AIndex, 0), AIndex);
}
KVR_EXPORT int32_t kvr_GetSQLFieldByIndexProcType(int32_t AIndex) {
    return Int(Field("KVR_TEST_MAP", "", AIndex, 1), KVR_PROC_REPLACE);
}

} // extern "C"
