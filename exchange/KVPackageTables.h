#pragma once

// The tables of a data package, described once for everything that writes, reads or removes
// package data: the export, the header reader, the import and the deletion of an imported
// package. A description names the table, its CREATE TABLE statement, its columns in the order
// of that statement with the rule by which each value is written on export and on import, its
// key, the references of its rows to rows of other tables, the object name that logs and labels
// show, the item type and the generator of the same table in a main database.
//
// A package row travels as a TKVPackageRow (one value per column); TKVPackageRowReader takes it
// from a query that selects the table's columns in order, TKVPackageRowWriter binds it to the
// parameters of an INSERT or UPDATE built from the description.

#include "core/KVCommon.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

class TIBField;
class TIBParam;
class TIBQuery;

// The ten tables of a package in the order in which a package is made.
enum TKVPackageTable {
    ptSysVar,
    ptClass,
    ptCase,
    ptMaker,
    ptUnit,
    ptBaseParam,
    ptElementType,
    ptParam,
    ptPin,
    ptElementAnalog,
    ptCount
};

// The nine data tables, in the order above.
inline constexpr TKVPackageTable KVPackageDataTables[] = {
    ptClass, ptCase, ptMaker, ptUnit, ptBaseParam, ptElementType, ptParam, ptPin, ptElementAnalog};

enum TKVColumnType { ctInteger, ctFloat, ctText, ctDateTime, ctBlob };

// How a value of the source row becomes the value written.
enum TKVValueRule {
    vrCopy,          // NULL stays NULL, otherwise the value
    vrZeroIfNull,    // an integer; NULL is written as 0
    vrEmptyIfNull,   // a text; NULL is written as an empty text
    vrDayZeroIfNull, // a date and time; NULL is written as day 0 (30 December 1899, 00:00)
    vrPair           // one of a pair of integers written together (TKVPackagePair)
};

// Which of the two writers a rule is asked for.
enum TKVPackageDirection { pdExport, pdImport };

struct TKVPackageColumn {
    const char* Name;
    TKVColumnType Type;
    TKVValueRule ExportRule;
    TKVValueRule ImportRule;
};

// Two integer columns that are NULL together or both written as integers (a NULL partner as 0).
// The pair is NULL when its test column is NULL; a test column of -1 makes it NULL only when
// both columns are NULL.
struct TKVPackagePair {
    int First;
    int Second;
    int ExportTest;
    int ImportTest;
};

// The columns (DBID, ID) of a reference to a row of another table (or of the same table).
struct TKVPackageReference {
    int DBIdColumn;
    int IdColumn;
    TKVPackageTable Table;
    // A row without this reference is not written by the import.
    bool Required;
};

struct TKVPackageTableDesc {
    TKVPackageTable Table;
    QString Name;
    // The statement that makes the table in a package, as it is run.
    QString CreateSQL;
    // The name of the table's objects in logs and labels ("Класс").
    QString ObjectName;
    TKVItemType ItemType;
    // The generator of the table's IDs in a main database ("GEN_T_CLASS_ID").
    QString Generator;
    std::vector<TKVPackageColumn> Columns;
    std::vector<TKVPackagePair> Pairs;
    std::vector<TKVPackageReference> References;

    int ColumnCount() const { return static_cast<int>(Columns.size()); }
    // Index of a column by its name, -1 when the table has none.
    int ColumnIndex(const QString& AName) const;
    // Every data table has its key (DBID, ID) in its first two columns.
    static constexpr int DBIdColumn = 0;
    static constexpr int IdColumn = 1;

    // "DBID, ID, S_NAME ...": the columns in their order.
    QString ColumnList() const;
    // "SELECT <columns> FROM <table>" followed by ATail ("WHERE ...;", may be empty).
    QString SelectSQL(const QString& ATail = QString()) const;
    // INSERT INTO the table with one parameter ":VAR_<column>" per column, and R_TIMESTAMP
    // (":VAR_R_TIMESTAMP") after them when AReplTimestamp (rows written into a main database).
    QString InsertSQL(bool AReplTimestamp) const;
    // UPDATE of every column but the key, R_TIMESTAMP last, WHERE DBID = :VAR_DBID AND
    // ID = :VAR_ID.
    QString UpdateSQL() const;
    // "DELETE FROM <table> WHERE DBID = :VAR_DBID;": the rows of one DBID.
    QString DeleteSQL() const;
    // "SELECT COUNT(ID) FROM <table> WHERE DBID = :VAR_DBID;"
    QString CountSQL() const;
    // The timestamps of the row with the key: "SELECT FIRST 1 SKIP 0 C_TIMESTAMP, U_TIMESTAMP
    // FROM <table> WHERE DBID = :VAR_DBID AND ID = :VAR_ID;"
    QString PresenceSQL() const;
    // One row when a row with the key exists.
    QString ExistsSQL() const;
    // The generator's current value, in field GEN_ID.
    QString GeneratorSQL() const;
};

// The description of a table.
const TKVPackageTableDesc& PackageTableDesc(TKVPackageTable ATable);
// The table of an item type (ptCount for a type that has none).
TKVPackageTable PackageTableOfItemType(TKVItemType AItemType);

// The keys of package rows (of every DBID) that refer to rows of ATable from the other tables,
// each key once: "SELECT DISTINCT ... UNION SELECT DISTINCT ...". Empty for a table that no
// other table refers to.
QString ReferringKeysSQL(TKVPackageTable ATable);

// A row key (DBID, ID) as one number, for hashes.
inline quint64 PackageKeyOf(quint32 ADBId, quint32 AId) {
    return (quint64(ADBId) << 32) | AId;
}

// One value of a package row.
struct TKVPackageValue {
    bool Null = true;
    qint64 Int = 0;
    double Float = 0; // also dates and times
    QString Text;
    QByteArray Bytes; // pictures

    // An integer column read as an unsigned 32-bit key; NULL reads as 0.
    quint32 Key() const { return Null ? 0 : static_cast<quint32>(Int); }
};
using TKVPackageRow = std::vector<TKVPackageValue>;

// Reads the current row of a query that selects the table's columns in their order.
class TKVPackageRowReader {
public:
    TKVPackageRowReader(const TKVPackageTableDesc& ADesc, TIBQuery& AQuery);
    void Read(TKVPackageRow& ARow) const;

private:
    const TKVPackageTableDesc& FDesc;
    std::vector<TIBField*> FFields;
};

// Binds a row to the parameters ":VAR_<column>" of a statement built by InsertSQL or UpdateSQL,
// by the rules of ADirection; ":VAR_R_TIMESTAMP", when the statement has it, gets the time
// given to Bind.
class TKVPackageRowWriter {
public:
    TKVPackageRowWriter(const TKVPackageTableDesc& ADesc, TIBQuery& AQuery,
                        TKVPackageDirection ADirection);
    void Bind(const TKVPackageRow& ARow, TDateTime AReplTimestamp = 0) const;

private:
    const TKVPackageTableDesc& FDesc;
    TKVPackageDirection FDirection;
    std::vector<TIBParam*> FParams; // by column; nullptr for a column the statement lacks
    TIBParam* FReplTimestamp = nullptr;
    std::vector<int> FPairOf; // index into Pairs for a pair column, else -1
};

// Class rows (of T_CLASS's description) in an order in which every class whose parent is among
// them comes after that parent; otherwise the order they came in. Classes on a loop of parent
// links keep their order after the first of them. Reversed, the order removes children first.
std::vector<TKVPackageRow> ClassesParentsFirst(std::vector<TKVPackageRow> ARows);
