/*
 * The interface of a report plug-in.
 *
 * A report plug-in is a shared library (*.so) in the folder "Reports" under the program's
 * folder. It describes one report: its name, its own version, the database structure version
 * it was written for, its columns and one SQL statement with named parameters. The program
 * runs the statement on the open database and lists the rows; the plug-in never touches the
 * database itself.
 *
 * The library exports the thirteen functions below as plain C functions, by exactly these
 * names. Column indexes count from 0. Texts are single-byte Windows-1251 characters without a
 * terminator of their own: for every text the program first asks its length L (0 or more),
 * passes a buffer of L + 1 bytes whose byte L is zero, and the plug-in writes at most L bytes
 * into it. The program owns the buffers; a plug-in keeps no pointer to them.
 *
 * The program loads the library only to list it or to build its report, and unloads it
 * afterwards: a plug-in keeps no state between calls that it needs later.
 */
#ifndef KVREPORT_H
#define KVREPORT_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define KVR_EXPORT __attribute__((visibility("default")))
#else
#define KVR_EXPORT
#endif

/* The database structure version this interface belongs to: a plug-in returns these numbers
 * from kvr_GetSupportedDBVersion; a plug-in naming another version is neither listed nor
 * built. */
#define KVR_DB_VERSION_MAJOR 1
#define KVR_DB_VERSION_MINOR 2
#define KVR_DB_VERSION_BUILD 3

/* The plug-in's own version word: bits 8 to 15 the major number, bits 0 to 7 the minor one. */
#define KVR_MAKE_VERSION(major, minor) ((uint32_t)((((major)&0xFF) << 8) | ((minor)&0xFF)))

/* How a report column sorts (kvr_GetReportFieldSortTypeByIndex); any other value sorts the
 * column's texts. */
#define KVR_SORT_TEXT 0
#define KVR_SORT_INTEGER 1
#define KVR_SORT_FLOAT 2

/* How the value of a result column is merged into the report cell that already holds the text
 * of earlier result columns of the same row (kvr_GetSQLFieldByIndexProcType). Every cell
 * starts empty; any other value empties the cell. */
#define KVR_PROC_KEEP_OLD_IF_NEW_EMPTY 0 /* the new text, or the old one when the new is empty */
#define KVR_PROC_REPLACE 1               /* the new text */
#define KVR_PROC_JOIN_BLANK 2            /* old text, one blank, new text */
#define KVR_PROC_JOIN_COMMA 3            /* old text, a comma, new text; just the new if empty */
#define KVR_PROC_APPEND 4                /* old text followed directly by the new text */

/* 1. The length of the report name in bytes; 0 is an error. */
KVR_EXPORT int32_t kvr_GetReportNameLen(void);
/* 2. Writes the report name. */
KVR_EXPORT void kvr_GetReportName(char* ABuffer);
/* 3. The plug-in's own version (KVR_MAKE_VERSION). */
KVR_EXPORT uint32_t kvr_GetReportVersion(void);
/* 4. The database structure version: index 0 the major number, 1 the minor, 2 the build. */
KVR_EXPORT int32_t kvr_GetSupportedDBVersion(int32_t AIndex);
/* 5. The number of report columns, at least 1. */
KVR_EXPORT int32_t kvr_GetReportFieldCount(void);
/* 6. and 7. The length in bytes and the text of the caption of report column AIndex. */
KVR_EXPORT int32_t kvr_GetReportFieldNameLenByIndex(int32_t AIndex);
KVR_EXPORT void kvr_GetReportFieldNameByIndex(int32_t AIndex, char* ABuffer);
/* 8. How report column AIndex sorts (KVR_SORT_...). */
KVR_EXPORT int32_t kvr_GetReportFieldSortTypeByIndex(int32_t AIndex);
/* 9. The initial width of report column AIndex in pixels. */
KVR_EXPORT int32_t kvr_GetReportFieldWidthByIndex(int32_t AIndex);
/* 10. and 11. The length in bytes and the text of the SQL statement. Its named parameters
 * (:RV_...) are bound by the program: RV_NULL, RV_USER_DBID, RV_NOW, RV_LAST_MONTH,
 * RV_LAST_QUARTER, RV_LAST_SIXMONTH, RV_LAST_YEAR and RV_ESCAPE without a question; RV_DATE,
 * RV_BEGIN_DATE/RV_END_DATE, RV_INT, RV_MIN_INT/RV_MAX_INT, RV_FLOAT, RV_MIN_FLOAT/RV_MAX_FLOAT,
 * RV_STRING and RV_TEXT (upper-cased; RV_TEXT as a "contains" LIKE pattern whose escape
 * character is RV_ESCAPE) and RV_COUNT by asking the user; RV_CLASSDBID/RV_CLASSID,
 * RV_MAKERDBID/RV_MAKERID, RV_CASEDBID/RV_CASEID, RV_UNITDBID/RV_UNITID,
 * RV_BASEPARAMDBID/RV_BASEPARAMID, RV_ELEMENTTYPEDBID/RV_ELEMENTTYPEID, RV_PROJECTID,
 * RV_STORAGEID, RV_SUPPLIERID and RV_ELEMENTAVAILID by a picker. Names of one family share one
 * answer within one build. The program never keeps what a statement changes. */
KVR_EXPORT int32_t kvr_GetReportSQLQueryLen(void);
KVR_EXPORT void kvr_GetReportSQLQuery(char* ABuffer);
/* 12. The report column that result column AIndex of the statement goes into; a column outside
 * the report's columns is dropped. */
KVR_EXPORT int32_t kvr_SQLFieldIndexToReportFieldIndex(int32_t AIndex);
/* 13. How result column AIndex is merged into its cell (KVR_PROC_...). */
KVR_EXPORT int32_t kvr_GetSQLFieldByIndexProcType(int32_t AIndex);

#ifdef __cplusplus
}
#endif

#endif /* KVREPORT_H */
