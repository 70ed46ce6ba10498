// The demo database as the program's run command makes it: kv-createdb --demo with DBID 1000,
// made by the build and copied into a temporary folder for the tests of this file. The tests read it; the one that
// inserts rolls its transaction back.

#include "platform/ib/IBQuery.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

class DemoDataBase : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        FDir = std::make_unique<QTemporaryDir>();
        FFileName = FDir->filePath(QStringLiteral("demo.fdb"));
        if (!QFile::copy(QStringLiteral(KV_DEMO_DB), FFileName)) {
            FError = QStringLiteral("the demo database made by the build is missing");
            return;
        }
        QFile::setPermissions(FFileName, QFile::ReadOwner | QFile::WriteOwner);
        FDataBase = std::make_unique<TIBDatabase>();
        FDataBase->SetDatabaseName(FFileName);
        FDataBase->Open();
    }

    static void TearDownTestSuite() {
        FDataBase.reset();
        FDir.reset();
    }

    void SetUp() override { ASSERT_TRUE(FError.isEmpty()) << FError.toStdString(); }

    // The first column of the first row of a query, as a number (0 for NULL).
    static qint64 Number(const QString& ASQL) {
        TIBTransaction tr(FDataBase.get());
        TIBQuery q(FDataBase.get(), &tr);
        TIBTransactionScope scope(tr);
        q.SetSQL(ASQL);
        q.Open();
        return q.Eof() ? 0 : q.Fields(0).AsInt64();
    }

    static QString Text(const QString& ASQL) {
        TIBTransaction tr(FDataBase.get());
        TIBQuery q(FDataBase.get(), &tr);
        TIBTransactionScope scope(tr);
        q.SetSQL(ASQL);
        q.Open();
        return q.Eof() ? QString() : q.Fields(0).AsString();
    }

    static inline std::unique_ptr<QTemporaryDir> FDir;
    static inline QString FFileName;
    static inline QString FError;
    static inline std::unique_ptr<TIBDatabase> FDataBase;
};

// The tables of rows keyed by (DBID, ID).
const char* const kShareableTables[] = {"T_CLASS", "T_CASE",       "T_MAKER",
                                        "T_UNIT",  "T_BASE_PARAM", "T_ELEMENT_TYPE",
                                        "T_PARAM", "T_PIN",        "T_ELEMENT_ANALOG"};

// A reference from rows of Table (those that pass Where) through DBIdColumn and IdColumn to
// Target; DBIdColumn is null for a target keyed by ID alone. A NULL IdColumn refers to nothing.
struct TReference {
    const char* Table;
    const char* DBIdColumn;
    const char* IdColumn;
    const char* Target;
    const char* Where = nullptr;
};

const TReference kReferences[] = {
    {"T_CLASS", "PARENTDBID", "PARENTID", "T_CLASS"},
    {"T_ELEMENT_TYPE", "CLASSDBID", "CLASSID", "T_CLASS"},
    {"T_ELEMENT_TYPE", "CASEDBID", "CASEID", "T_CASE"},
    {"T_ELEMENT_TYPE", "MAKERDBID", "MAKERID", "T_MAKER"},
    {"T_BASE_PARAM", "CLASSDBID", "CLASSID", "T_CLASS"},
    {"T_BASE_PARAM", "UNITDBID", "UNITID", "T_UNIT"},
    {"T_PARAM", "ELEMENTTYPEDBID", "ELEMENTTYPEID", "T_ELEMENT_TYPE"},
    {"T_PARAM", "BASEPARAMDBID", "BASEPARAMID", "T_BASE_PARAM"},
    {"T_PARAM", "UNITDBID", "UNITID", "T_UNIT"},
    {"T_PIN", "ELEMENTTYPEDBID", "ELEMENTTYPEID", "T_ELEMENT_TYPE"},
    {"T_ELEMENT_ANALOG", "PELEMENTTYPEDBID", "PELEMENTTYPEID", "T_ELEMENT_TYPE"},
    {"T_ELEMENT_ANALOG", "AELEMENTTYPEDBID", "AELEMENTTYPEID", "T_ELEMENT_TYPE"},
    {"T_ELEMENT_AVAIL", "ELEMENTTYPEDBID", "ELEMENTTYPEID", "T_ELEMENT_TYPE"},
    {"T_ELEMENT_AVAIL", "UNITNOMDBID", "UNITNOMID", "T_UNIT"},
    {"T_ELEMENT_AVAIL", "UNITCOUNTDBID", "UNITCOUNTID", "T_UNIT"},
    {"T_ELEMENT_AVAIL", nullptr, "STORAGEID", "T_STORAGE"},
    {"T_STORAGE", nullptr, "PARENTID", "T_STORAGE"},
    {"T_PROJECT_ITEM", nullptr, "PROJECTID", "T_PROJECT"},
    {"T_PROJECT_ITEM", "ELEMENTTYPEDBID", "ELEMENTTYPEID", "T_ELEMENT_TYPE"},
    {"T_PROJECT_ITEM", nullptr, "ELEMENTAVAILID", "T_ELEMENT_AVAIL"},
    {"T_ELEMENT_SUPPLIER", "ELEMENTTYPEDBID", "ELEMENTTYPEID", "T_ELEMENT_TYPE"},
    {"T_ELEMENT_SUPPLIER", nullptr, "SUPPLIERID", "T_SUPPLIER"},
    {"T_PSP", "CLASSDBID", "CLASSID", "T_CLASS"},
    {"T_PSP_ITEM", nullptr, "PSPID", "T_PSP"},
    {"T_PSP_ITEM", "BASEPARAMDBID", "BASEPARAMID", "T_BASE_PARAM"},
    {"T_FAVORITES", "OBJ_DBID", "OBJ_ID", "T_ELEMENT_TYPE", "R.OBJ_TYPE = 7"},
    {"T_FAVORITES", nullptr, "OBJ_ID", "T_ELEMENT_AVAIL", "R.OBJ_TYPE = 13"},
    {"T_FAVORITES", nullptr, "OBJ_ID", "T_PROJECT", "R.OBJ_TYPE = 16"},
};

QString ReferenceName(const TReference& ARef) {
    return QStringLiteral("%1.%2 -> %3").arg(ARef.Table, ARef.IdColumn, ARef.Target);
}

bool IsShareable(const char* ATable) {
    for (const char* table : kShareableTables)
        if (qstrcmp(table, ATable) == 0)
            return true;
    return false;
}

TEST_F(DemoDataBase, IsADemoDatabaseWithRowsOfEveryKind) {
    EXPECT_EQ(Number("SELECT V_INTEGER FROM SYS_VAR WHERE S_PARAM = 'DBID'"), 1000);
    EXPECT_EQ(Text("SELECT V_STRING FROM SYS_VAR WHERE S_PARAM = 'DBDESCRIPTION'"),
              QStringLiteral("Демонстрационная база"));

    const struct {
        const char* Table;
        qint64 Minimum;
    } minimums[] = {{"T_CLASS", 10},         {"T_CASE", 10},          {"T_MAKER", 10},
                    {"T_UNIT", 10},          {"T_BASE_PARAM", 30},    {"T_ELEMENT_TYPE", 60},
                    {"T_ELEMENT_ANALOG", 3}, {"T_SUPPLIER", 3},       {"T_ELEMENT_SUPPLIER", 10},
                    {"T_STORAGE", 5},        {"T_ELEMENT_AVAIL", 20}, {"T_PROJECT", 2},
                    {"T_PROJECT_ITEM", 5},   {"T_NOTE", 2},           {"T_FAVORITES", 2}};
    for (const auto& m : minimums)
        EXPECT_GE(Number(QStringLiteral("SELECT COUNT(*) FROM %1").arg(m.Table)), m.Minimum)
            << m.Table;

    EXPECT_EQ(Number("SELECT COUNT(*) FROM T_PROJECT WHERE F_PROGRESS IS NOT NULL"), 1);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM T_PROJECT WHERE F_PROGRESS IS NULL"), 1);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM T_PSP_ITEM WHERE PSPID = 1"), 2);
    EXPECT_GT(Number("SELECT COUNT(*) FROM T_ELEMENT_AVAIL WHERE ELEMENTTYPEID IS NULL"), 0)
        << "stock records named by free text";
}

TEST_F(DemoDataBase, EveryReferencePointsAtAnExistingRow) {
    for (const TReference& ref : kReferences) {
        const QString join =
            ref.DBIdColumn
                ? QStringLiteral("T.DBID = R.%1 AND T.ID = R.%2").arg(ref.DBIdColumn, ref.IdColumn)
                : QStringLiteral("T.ID = R.%1").arg(ref.IdColumn);
        QString sql = QStringLiteral("SELECT COUNT(*) FROM %1 R LEFT JOIN %2 T ON %3 "
                                     "WHERE R.%4 IS NOT NULL AND T.ID IS NULL")
                          .arg(ref.Table, ref.Target, join, ref.IdColumn);
        if (ref.Where)
            sql += QStringLiteral(" AND ") + QLatin1String(ref.Where);
        EXPECT_EQ(Number(sql), 0) << ReferenceName(ref).toStdString();
    }
}

// DBIDs are 0 (base level) or 1000 (demo); a base-level row refers to base-level rows only,
// a demo row to either.
TEST_F(DemoDataBase, ShareableRowsObeyTheDBIdReferenceRule) {
    for (const char* table : kShareableTables)
        EXPECT_EQ(
            Number(
                QStringLiteral("SELECT COUNT(*) FROM %1 WHERE DBID NOT IN (0, 1000)").arg(table)),
            0)
            << table;
    EXPECT_GT(Number("SELECT COUNT(*) FROM T_CLASS WHERE DBID = 0"), 0);
    EXPECT_GT(Number("SELECT COUNT(*) FROM T_UNIT WHERE DBID = 0"), 0);
    for (const TReference& ref : kReferences) {
        if (!IsShareable(ref.Table) || !IsShareable(ref.Target))
            continue;
        EXPECT_EQ(Number(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE DBID = 0 AND %2 <> 0")
                             .arg(ref.Table, ref.DBIdColumn)),
                  0)
            << ReferenceName(ref).toStdString();
    }
}

// Each case counts the rows that break what the windows expect of the data.
TEST_F(DemoDataBase, ValuesAreConsistentForTheWindows) {
    const struct {
        const char* Rule;
        const char* SQL;
    } cases[] = {
        {"every element type has parameter values",
         "SELECT COUNT(*) FROM T_ELEMENT_TYPE E WHERE NOT EXISTS (SELECT 1 FROM T_PARAM P "
         "WHERE P.ELEMENTTYPEDBID = E.DBID AND P.ELEMENTTYPEID = E.ID)"},
        {"every element type has pins",
         "SELECT COUNT(*) FROM T_ELEMENT_TYPE E WHERE NOT EXISTS (SELECT 1 FROM T_PIN N "
         "WHERE N.ELEMENTTYPEDBID = E.DBID AND N.ELEMENTTYPEID = E.ID)"},
        {"a bound value belongs to a base parameter of its type's class, with its UPID and unit",
         "SELECT COUNT(*) FROM T_PARAM P JOIN T_ELEMENT_TYPE E ON E.DBID = P.ELEMENTTYPEDBID "
         "AND E.ID = P.ELEMENTTYPEID JOIN T_BASE_PARAM B ON B.DBID = P.BASEPARAMDBID AND "
         "B.ID = P.BASEPARAMID WHERE B.CLASSDBID <> E.CLASSDBID OR B.CLASSID <> E.CLASSID OR "
         "P.UPID IS DISTINCT FROM B.UPID OR P.UNITDBID IS DISTINCT FROM B.UNITDBID OR "
         "P.UNITID IS DISTINCT FROM B.UNITID"},
        {"a value without base parameter is marked not to be bound",
         "SELECT COUNT(*) FROM T_PARAM WHERE BASEPARAMID IS NULL AND "
         "UDF_KVF_GETBIT(V_FLAG, 4) = 0"},
        {"a value holds something",
         "SELECT COUNT(*) FROM T_PARAM WHERE V_MINVAL IS NULL AND V_TYPEVAL IS NULL AND "
         "V_MAXVAL IS NULL AND S_STRVAL IS NULL AND V_BOOLVAL IS NULL"},
        {"a nominal value has a unit",
         "SELECT COUNT(*) FROM T_PARAM WHERE UDF_KVF_GETBIT(V_FLAG, 8) = 1 AND UNITID IS NULL"},
        {"an element type has at most one nominal value",
         "SELECT COUNT(*) FROM (SELECT ELEMENTTYPEDBID, ELEMENTTYPEID FROM T_PARAM WHERE "
         "UDF_KVF_GETBIT(V_FLAG, 8) = 1 GROUP BY 1, 2 HAVING COUNT(*) > 1)"},
        {"a stock record of a type with a nominal value carries that value and unit",
         "SELECT COUNT(*) FROM T_ELEMENT_AVAIL A JOIN T_PARAM P ON P.ELEMENTTYPEDBID = "
         "A.ELEMENTTYPEDBID AND P.ELEMENTTYPEID = A.ELEMENTTYPEID AND "
         "UDF_KVF_GETBIT(P.V_FLAG, 8) = 1 WHERE A.UNITNOMDBID IS DISTINCT FROM P.UNITDBID OR "
         "A.UNITNOMID IS DISTINCT FROM P.UNITID OR A.V_NOMINAL IS DISTINCT FROM "
         "COALESCE(P.V_TYPEVAL, P.V_MINVAL, P.V_MAXVAL)"},
        {"a stock record has a nominal value only from its type's nominal parameter",
         "SELECT COUNT(*) FROM T_ELEMENT_AVAIL A WHERE A.V_NOMINAL IS NOT NULL AND NOT EXISTS "
         "(SELECT 1 FROM T_PARAM P WHERE P.ELEMENTTYPEDBID = A.ELEMENTTYPEDBID AND "
         "P.ELEMENTTYPEID = A.ELEMENTTYPEID AND UDF_KVF_GETBIT(P.V_FLAG, 8) = 1)"},
        {"a stock record names either an element type or a free type name",
         "SELECT COUNT(*) FROM T_ELEMENT_AVAIL WHERE (ELEMENTTYPEID IS NULL) = "
         "(S_TYPENAME IS NULL)"},
        {"a stock record has a count unit and a storage place",
         "SELECT COUNT(*) FROM T_ELEMENT_AVAIL WHERE UNITCOUNTID IS NULL OR STORAGEID IS NULL"},
        {"an element type has as many pins as its case",
         "SELECT COUNT(*) FROM T_ELEMENT_TYPE E JOIN T_CASE C ON C.DBID = E.CASEDBID AND "
         "C.ID = E.CASEID WHERE C.V_PINCOUNT <> (SELECT COUNT(*) FROM T_PIN N WHERE "
         "N.ELEMENTTYPEDBID = E.DBID AND N.ELEMENTTYPEID = E.ID)"},
        {"pin numbers run from 1 to the case's pin count",
         "SELECT COUNT(*) FROM T_PIN N JOIN T_ELEMENT_TYPE E ON E.DBID = N.ELEMENTTYPEDBID AND "
         "E.ID = N.ELEMENTTYPEID JOIN T_CASE C ON C.DBID = E.CASEDBID AND C.ID = E.CASEID "
         "WHERE N.V_NUM < 1 OR N.V_NUM > C.V_PINCOUNT OR EXISTS (SELECT 1 FROM T_PIN N2 WHERE "
         "N2.ELEMENTTYPEDBID = N.ELEMENTTYPEDBID AND N2.ELEMENTTYPEID = N.ELEMENTTYPEID AND "
         "N2.V_NUM = N.V_NUM AND N2.ID <> N.ID)"},
        {"pin types are 0 to 17", "SELECT COUNT(*) FROM T_PIN WHERE V_ASSIGN NOT BETWEEN 0 AND 17"},
        {"mount types are 1 (holes) or 2 (surface)",
         "SELECT COUNT(*) FROM T_CASE WHERE V_MOUNTTYPE NOT IN (1, 2)"},
        {"select-value types are 0 to 15",
         "SELECT COUNT(*) FROM T_BASE_PARAM WHERE V_SELVALTYPE NOT BETWEEN 0 AND 15"},
        {"unit factors are positive",
         "SELECT COUNT(*) FROM T_UNIT WHERE V_FACTOR IS NULL OR V_FACTOR <= 0"},
        {"analog grades are in range",
         "SELECT COUNT(*) FROM T_ELEMENT_ANALOG WHERE V_FUNCTIONAL NOT BETWEEN 0 AND 2 OR "
         "V_FEATURES NOT BETWEEN 0 AND 3 OR V_CASE NOT BETWEEN 0 AND 3 OR "
         "V_PINOUT NOT BETWEEN 0 AND 4 OR (PELEMENTTYPEDBID = AELEMENTTYPEDBID AND "
         "PELEMENTTYPEID = AELEMENTTYPEID)"},
        {"note markers are 0 to 15 or none",
         "SELECT COUNT(*) FROM T_NOTE WHERE V_MARKER NOT BETWEEN 0 AND 15"},
        {"a project item names an element type or a stock record",
         "SELECT COUNT(*) FROM T_PROJECT_ITEM WHERE ELEMENTTYPEID IS NULL AND "
         "ELEMENTAVAILID IS NULL"},
        {"a project item's stock record is of the item's element type",
         "SELECT COUNT(*) FROM T_PROJECT_ITEM I JOIN T_ELEMENT_AVAIL A ON A.ID = "
         "I.ELEMENTAVAILID WHERE I.ELEMENTTYPEID IS NOT NULL AND (A.ELEMENTTYPEDBID IS "
         "DISTINCT FROM I.ELEMENTTYPEDBID OR A.ELEMENTTYPEID IS DISTINCT FROM I.ELEMENTTYPEID)"},
        {"web addresses are https",
         "SELECT COUNT(*) FROM T_MAKER WHERE S_URL NOT STARTING WITH 'https://'"},
        {"supplier web addresses are https",
         "SELECT COUNT(*) FROM T_SUPPLIER WHERE S_URL NOT STARTING WITH 'https://'"},
        {"an update is not older than its row",
         "SELECT COUNT(*) FROM T_ELEMENT_AVAIL WHERE U_TIMESTAMP < C_TIMESTAMP"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Number(QLatin1String(c.SQL)), 0) << c.Rule;
}

TEST_F(DemoDataBase, StockCellsAreCellsOfTheirStoragePlace) {
    TIBTransaction tr(FDataBase.get());
    TIBQuery q(FDataBase.get(), &tr);
    TIBTransactionScope scope(tr);
    q.SetSQL(QStringLiteral("SELECT A.ID, A.S_CELL, S.S_CELLLIST FROM T_ELEMENT_AVAIL A "
                            "JOIN T_STORAGE S ON S.ID = A.STORAGEID WHERE A.S_CELL IS NOT NULL"));
    q.Open();
    int checked = 0;
    static const QRegularExpression lineEnd(QStringLiteral("\r?\n"));
    while (!q.Eof()) {
        const QStringList cells = q.FieldByName("S_CELLLIST").AsString().split(lineEnd);
        EXPECT_TRUE(cells.contains(q.FieldByName("S_CELL").AsString()))
            << "stock record " << q.FieldByName("ID").AsInteger();
        ++checked;
        q.Next();
    }
    EXPECT_GT(checked, 0);
}

// Rows made later in the program take their IDs from the generators: each INSERT_ procedure
// (the trigger for favourites) must give a key above every demo row's.
TEST_F(DemoDataBase, NewRowsGetKeysPastTheDemoRows) {
    const struct {
        const char* Table;
        const char* Insert;
    } cases[] = {
        {"T_CLASS", "EXECUTE PROCEDURE INSERT_CLASS(0, 1, 'Проверка', NULL, NULL, 0, "
                    "CURRENT_TIMESTAMP)"},
        {"T_CASE", "EXECUTE PROCEDURE INSERT_CASE('Проверка', NULL, 2, 1, NULL, NULL, NULL, 0, "
                   "CURRENT_TIMESTAMP)"},
        {"T_MAKER", "EXECUTE PROCEDURE INSERT_MAKER('Проверка', NULL, NULL, 0, CURRENT_TIMESTAMP)"},
        {"T_UNIT", "EXECUTE PROCEDURE INSERT_UNIT('п', NULL, NULL, NULL, 1, 0, CURRENT_TIMESTAMP)"},
        {"T_BASE_PARAM", "EXECUTE PROCEDURE INSERT_BASE_PARAM(0, 1, NULL, NULL, 'Проверка', "
                         "NULL, 0, NULL, 0, CURRENT_TIMESTAMP)"},
        {"T_ELEMENT_TYPE", "EXECUTE PROCEDURE INSERT_ELEMENT_TYPE(0, 1, NULL, NULL, NULL, NULL, "
                           "'Проверка', NULL, NULL, NULL, NULL, 0, CURRENT_TIMESTAMP)"},
        {"T_PARAM", "EXECUTE PROCEDURE INSERT_PARAM(1000, 1, NULL, NULL, NULL, NULL, "
                    "'Проверка', NULL, NULL, 1, NULL, NULL, NULL, NULL, NULL, 4, "
                    "CURRENT_TIMESTAMP)"},
        {"T_PIN", "EXECUTE PROCEDURE INSERT_PIN(1000, 1, 3, 'Проверка', NULL, 0, 0, "
                  "CURRENT_TIMESTAMP)"},
        {"T_ELEMENT_ANALOG", "EXECUTE PROCEDURE INSERT_ELEMENT_ANALOG(1000, 1, 1000, 2, 2, 2, 1, "
                             "1, NULL, 0, CURRENT_TIMESTAMP)"},
        {"T_SUPPLIER", "EXECUTE PROCEDURE INSERT_SUPPLIER('Проверка', NULL, NULL, NULL, NULL, 0, "
                       "CURRENT_TIMESTAMP)"},
        {"T_ELEMENT_SUPPLIER", "EXECUTE PROCEDURE INSERT_ELEMENT_SUPPLIER(1000, 1, 1, 1.5, NULL, "
                               "0, CURRENT_TIMESTAMP)"},
        {"T_STORAGE", "EXECUTE PROCEDURE INSERT_STORAGE(NULL, 'Проверка', NULL, NULL, NULL, 0, "
                      "CURRENT_TIMESTAMP)"},
        {"T_ELEMENT_AVAIL", "EXECUTE PROCEDURE INSERT_ELEMENT_AVAIL(1000, 1, NULL, NULL, 0, 9, 1, "
                            "NULL, 1, NULL, NULL, NULL, NULL, NULL, 0, CURRENT_TIMESTAMP)"},
        {"T_PROJECT", "EXECUTE PROCEDURE INSERT_PROJECT('Проверка', NULL, 1, 0, NULL, NULL, NULL, "
                      "1, NULL, 0, CURRENT_TIMESTAMP)"},
        {"T_PROJECT_ITEM", "EXECUTE PROCEDURE INSERT_PROJECT_ITEM(1, 1000, 1, NULL, 1, NULL, 0, "
                           "CURRENT_TIMESTAMP)"},
        {"T_NOTE", "EXECUTE PROCEDURE INSERT_NOTE(NULL, 'Проверка', 0, CURRENT_TIMESTAMP)"},
        {"T_FAVORITES", "INSERT INTO T_FAVORITES (OBJ_TYPE, OBJ_DBID, OBJ_ID) VALUES (7, 1000, 2) "
                        "RETURNING ID AS O_ID"},
    };
    TIBTransaction tr(FDataBase.get());
    TIBQuery q(FDataBase.get(), &tr);
    TIBTransactionScope scope(tr); // rolled back: the demo rows stay as they are
    for (const auto& c : cases) {
        q.SetSQL(QStringLiteral("SELECT MAX(ID) FROM %1").arg(c.Table));
        q.Open();
        const qint64 largest = q.Fields(0).AsInt64();
        q.Close();
        q.SetSQL(QString::fromUtf8(c.Insert));
        ASSERT_NO_THROW(q.ExecSQL()) << c.Table;
        EXPECT_GT(q.FieldByName("O_ID").AsInt64(), largest) << c.Table;
        if (IsShareable(c.Table)) {
            EXPECT_EQ(q.FieldByName("O_DBID").AsInt64(), 1000) << c.Table;
        }
    }
}

TEST_F(DemoDataBase, UpcaseFindsCyrillicNames) {
    EXPECT_EQ(Number("SELECT COUNT(*) FROM T_CLASS WHERE UPCASE(S_NAME) LIKE 'РЕЗИСТОРЫ%'"), 3);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM T_CLASS WHERE UPCASE(S_NAME) = "
                     "'КОНДЕНСАТОРЫ ПЛЁНОЧНЫЕ'"),
              1);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM T_ELEMENT_AVAIL WHERE UPCASE(S_TYPENAME) LIKE "
                     "'%ПРОВОД%'"),
              1);
    EXPECT_EQ(Text("SELECT S_TYPENAME FROM T_ELEMENT_TYPE WHERE UPCASE(S_TYPENAME) = 'КТ817Г'"),
              QStringLiteral("КТ817Г"));
}

} // namespace
