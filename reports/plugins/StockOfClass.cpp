// The stock of one element class: every stock record of the class's element types with its
// storage place, its count, the quantity the projects reserve of it and what stays
// free. The class is asked when the report is built.

#include "reports/kvreport.h"

#include <cstring>

namespace {

// Texts in Windows-1251, as the interface wants them.
const char kName[] = "\xD1\xEA\xEB\xE0\xE4 \xEF\xEE \xEA\xEB\xE0\xF1\xF1\xF3"; // Склад по классу

struct TColumn {
    const char* Caption;
    int32_t SortType;
    int32_t Width;
};

const TColumn kColumns[] = {
    {"\xD2\xE8\xEF \xFD\xEB\xE5\xEC\xE5\xED\xF2\xE0", KVR_SORT_TEXT, 200}, // Тип элемента
    {"\xCC\xE0\xF0\xEA\xE8\xF0\xEE\xE2\xEA\xE0", KVR_SORT_TEXT, 110},      // Маркировка
    {"\xCC\xE5\xF1\xF2\xEE \xF5\xF0\xE0\xED\xE5\xED\xE8\xFF", KVR_SORT_TEXT, 150}, // Место хранения
    {"\xCA\xEE\xEB\xE8\xF7\xE5\xF1\xF2\xE2\xEE", KVR_SORT_FLOAT, 90}, // Количество
    {"\xC7\xE0\xF0\xE5\xE7\xE5\xF0\xE2\xE8\xF0\xEE\xE2\xE0\xED\xEE", KVR_SORT_FLOAT,
     130},                                                     // Зарезервировано
    {"\xD1\xE2\xEE\xE1\xEE\xE4\xED\xEE", KVR_SORT_FLOAT, 90}}; // Свободно
constexpr int32_t kColumnCount = sizeof(kColumns) / sizeof(kColumns[0]);

// Result columns in the order of the select list; each goes into the report column of the
// same position.
const char kSQL[] =
    "SELECT TET.S_TYPENAME, TET.S_MARKING, TS.S_NAME, TEA.V_COUNT_FLOAT, R.RESERVED, "
    "TEA.V_COUNT_FLOAT - COALESCE(R.RESERVED, 0) "
    "FROM T_ELEMENT_AVAIL TEA "
    "JOIN T_ELEMENT_TYPE TET ON TET.DBID = TEA.ELEMENTTYPEDBID AND TET.ID = TEA.ELEMENTTYPEID "
    "LEFT JOIN T_STORAGE TS ON TS.ID = TEA.STORAGEID "
    "LEFT JOIN (SELECT TPI.ELEMENTAVAILID, SUM(TPI.V_COUNT_FLOAT * TP.V_COUNTDEV_SCHEDULED) "
    "AS RESERVED FROM T_PROJECT_ITEM TPI JOIN T_PROJECT TP ON TP.ID = TPI.PROJECTID "
    "GROUP BY TPI.ELEMENTAVAILID) R ON R.ELEMENTAVAILID = TEA.ID "
    "WHERE TET.CLASSDBID = :RV_CLASSDBID AND TET.CLASSID = :RV_CLASSID "
    "ORDER BY TET.S_TYPENAME, TS.S_NAME";

int32_t Length(const char* AText) {
    return static_cast<int32_t>(std::strlen(AText));
}

bool ValidColumn(int32_t AIndex) {
    return AIndex >= 0 && AIndex < kColumnCount;
}

} // namespace

extern "C" {

int32_t kvr_GetReportNameLen(void) {
    return Length(kName);
}
void kvr_GetReportName(char* ABuffer) {
    std::memcpy(ABuffer, kName, std::strlen(kName));
}
uint32_t kvr_GetReportVersion(void) {
    return KVR_MAKE_VERSION(1, 0);
}
int32_t kvr_GetSupportedDBVersion(int32_t AIndex) {
    return AIndex == 0   ? KVR_DB_VERSION_MAJOR
           : AIndex == 1 ? KVR_DB_VERSION_MINOR
                         : KVR_DB_VERSION_BUILD;
}
int32_t kvr_GetReportFieldCount(void) {
    return kColumnCount;
}
int32_t kvr_GetReportFieldNameLenByIndex(int32_t AIndex) {
    return ValidColumn(AIndex) ? Length(kColumns[AIndex].Caption) : 0;
}
void kvr_GetReportFieldNameByIndex(int32_t AIndex, char* ABuffer) {
    if (ValidColumn(AIndex))
        std::memcpy(ABuffer, kColumns[AIndex].Caption, std::strlen(kColumns[AIndex].Caption));
}
int32_t kvr_GetReportFieldSortTypeByIndex(int32_t AIndex) {
    return ValidColumn(AIndex) ? kColumns[AIndex].SortType : KVR_SORT_TEXT;
}
int32_t kvr_GetReportFieldWidthByIndex(int32_t AIndex) {
    return ValidColumn(AIndex) ? kColumns[AIndex].Width : 0;
}
int32_t kvr_GetReportSQLQueryLen(void) {
    return Length(kSQL);
}
void kvr_GetReportSQLQuery(char* ABuffer) {
    std::memcpy(ABuffer, kSQL, std::strlen(kSQL));
}
int32_t kvr_SQLFieldIndexToReportFieldIndex(int32_t AIndex) {
    return AIndex;
}
int32_t kvr_GetSQLFieldByIndexProcType(int32_t) {
    return KVR_PROC_REPLACE;
}

} // extern "C"
