#include "platform/ib/IBQuery.h"
#include "platform/sys/Win1251.h"
#include "schema/MainSchema.h"
#include "tests/support/TestDataBase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

// An open connection to a fresh test database with one transaction.
class IBDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        FDB.SetDatabaseName(FTestDB.FileName());
        FDB.Open();
    }

    // Runs a statement in a transaction of its own.
    void Exec(const QString& ASQL) {
        TIBTransactionScope scope(FTR);
        TIBQuery q(&FDB, &FTR);
        q.SetSQL(ASQL);
        q.ExecSQL();
        scope.Commit();
    }

    TTestDataBase FTestDB{1011};
    TIBDatabase FDB;
    TIBTransaction FTR{&FDB};
};

const QStringList kMainTables = {"CFG_LOCAL",       "SYS_VAR",
                                 "T_BASE_PARAM",    "T_CASE",
                                 "T_CLASS",         "T_ELEMENT_ANALOG",
                                 "T_ELEMENT_AVAIL", "T_ELEMENT_SUPPLIER",
                                 "T_ELEMENT_TYPE",  "T_FAVORITES",
                                 "T_MAKER",         "T_NOTE",
                                 "T_PARAM",         "T_PIN",
                                 "T_PROJECT",       "T_PROJECT_ITEM",
                                 "T_PSP",           "T_PSP_ITEM",
                                 "T_STORAGE",       "T_SUPPLIER",
                                 "T_UNIT"};

} // namespace

TEST_F(IBDatabaseTest, TableNamesAreTheTwentyOneUserTablesTrimmed) {
    QStringList expected = kMainTables;
    expected.sort();
    EXPECT_EQ(FDB.GetTableNames(), expected);
}

TEST_F(IBDatabaseTest, CreateAttachAndLockFolder) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Новая база.fdb"));
    {
        TIBDatabase db;
        db.SetDatabaseName(file);
        db.Params() << QStringLiteral("page_size=8192") << QStringLiteral("set_db_charset=WIN1251");
        db.CreateDatabase();
        EXPECT_TRUE(db.Connected());
        EXPECT_TRUE(db.GetTableNames().isEmpty());
        db.Close();
        EXPECT_FALSE(db.Connected());
    }
    ASSERT_TRUE(QFileInfo::exists(file));
    TIBDatabase db;
    db.SetDatabaseName(file);
    db.Open();
    EXPECT_TRUE(db.Connected());

    // The engine's lock folder is one of the user's own.
    const QString lock = qEnvironmentVariable("FIREBIRD_LOCK");
    ASSERT_FALSE(lock.isEmpty());
    EXPECT_TRUE(QFileInfo(lock).isDir());
    EXPECT_TRUE(QFileInfo(lock).isWritable());
}

TEST_F(IBDatabaseTest, AttachFailuresCarryTheEngineMessage) {
    QTemporaryDir dir;
    TIBDatabase db;
    db.SetDatabaseName(dir.filePath(QStringLiteral("нет такой.fdb")));
    try {
        db.Open();
        FAIL() << "attached a missing file";
    } catch (const EIBError& e) {
        EXPECT_FALSE(e.Message().isEmpty());
        EXPECT_EQ(e.ClassName(), QStringLiteral("EIBError"));
    }
    EXPECT_FALSE(db.Connected());

    QFile text(dir.filePath(QStringLiteral("text.fdb")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write(QByteArray(10000, 'x'));
    text.close();
    db.SetDatabaseName(text.fileName());
    EXPECT_THROW(db.Open(), EIBError);
    EXPECT_FALSE(db.Connected());
}

TEST_F(IBDatabaseTest, EngineErrorBecomesEIBErrorWithItsMessage) {
    TIBTransactionScope scope(FTR);
    TIBQuery q(&FDB, &FTR);
    q.SetSQL(QStringLiteral("SELECT ID FROM NO_SUCH_TABLE"));
    try {
        q.Open();
        FAIL() << "opened a query on a missing table";
    } catch (const EIBError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("Table unknown"))) << e.what();
        EXPECT_TRUE(e.Message().contains(QStringLiteral("NO_SUCH_TABLE"))) << e.what();
        EXPECT_EQ(e.SQLCode(), -204);
    }
    // The transaction is still usable after a failed statement.
    q.SetSQL(QStringLiteral("SELECT COUNT(*) FROM SYS_VAR"));
    q.Open();
    EXPECT_GT(q.Fields(0).AsInteger(), 0);
}

TEST_F(IBDatabaseTest, QueryNeedsAnActiveTransaction) {
    TIBQuery q(&FDB, &FTR);
    q.SetSQL(QStringLiteral("SELECT 1 FROM RDB$DATABASE"));
    EXPECT_THROW(q.Open(), EIBError);
}

TEST_F(IBDatabaseTest, NamedParametersRepeatAndTakeNull) {
    TIBTransactionScope scope(FTR);
    TIBQuery q(&FDB, &FTR);
    q.SetSQL(QStringLiteral("SELECT COUNT(*) FROM SYS_VAR WHERE S_PARAM = :NAME OR "
                            "S_PARAM = UPPER(:name) OR V_INTEGER = :VAL"));
    EXPECT_EQ(q.ParamCount(), 2);
    q.ParamByName(QStringLiteral("NAME")).SetAsString(QStringLiteral("dbid"));
    q.ParamByName(QStringLiteral("VAL")).SetAsInteger(2);
    q.Open();
    EXPECT_EQ(q.Fields(0).AsInteger(), 2); // DBID by the upper-cased name, MINORVERSION = 2
    q.ParamByName(QStringLiteral("VAL")).Clear();
    q.Open();
    EXPECT_EQ(q.Fields(0).AsInteger(), 1);
    EXPECT_THROW(q.ParamByName(QStringLiteral("NOPE")), EIBError);

    // ':' inside literals and comments is no parameter.
    q.SetSQL(QStringLiteral("SELECT ':X' /* :Y */ FROM RDB$DATABASE -- :Z\n WHERE 1 = :ONE"));
    EXPECT_EQ(q.ParamCount(), 1);
    q.ParamByName(QStringLiteral("ONE")).SetAsInteger(1);
    q.Open();
    EXPECT_EQ(q.Fields(0).AsString(), QStringLiteral(":X"));
}

TEST_F(IBDatabaseTest, CyrillicRoundTripAndUpcase) {
    const QString name = QStringLiteral("ёжик в тумане: Щука, «Ъ» № 5 — ЁЁ");
    TIBTransactionScope scope(FTR);
    TIBQuery q(&FDB, &FTR);
    q.SetSQL(QStringLiteral("EXECUTE PROCEDURE INSERT_MAKER (:I_S_NAME, NULL, NULL, 0, NULL)"));
    q.ParamByName(QStringLiteral("I_S_NAME")).SetAsString(name);
    q.ExecSQL();
    const qint64 id = q.FieldByName(QStringLiteral("O_ID")).AsInt64();

    q.SetSQL(QStringLiteral("SELECT S_NAME, UPCASE(S_NAME) AS UP FROM T_MAKER "
                            "WHERE ID = :VAR_ID AND UPCASE(S_NAME) LIKE :P ESCAPE '/'"));
    q.ParamByName(QStringLiteral("VAR_ID")).SetAsInt64(id);
    q.ParamByName(QStringLiteral("P")).SetAsString(QStringLiteral("ЁЖИК%ЩУКА%"));
    q.Open();
    ASSERT_FALSE(q.Eof());
    EXPECT_EQ(q.FieldByName(QStringLiteral("s_name")).AsString(), name);
    EXPECT_EQ(q.FieldByName(QStringLiteral("UP")).AsString(), name.toUpper());
    q.Next();
    EXPECT_TRUE(q.Eof());
}

TEST_F(IBDatabaseTest, CharacterOutsideWin1251IsAClearError) {
    TIBTransactionScope scope(FTR);
    TIBQuery q(&FDB, &FTR);
    q.SetSQL(QStringLiteral("EXECUTE PROCEDURE INSERT_MAKER (:I_S_NAME, NULL, NULL, 0, NULL)"));
    try {
        q.ParamByName(QStringLiteral("I_S_NAME")).SetAsString(QStringLiteral("Фирма 日本"));
        FAIL() << "a Japanese character was accepted";
    } catch (const EConvertError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("«日»"))) << e.what();
        EXPECT_TRUE(e.Message().contains(QStringLiteral("Фирма 日本"))) << e.what();
        EXPECT_TRUE(e.Message().contains(QStringLiteral("Windows-1251"))) << e.what();
    }
}

TEST_F(IBDatabaseTest, ProcedureOutputRowIsTheCurrentRowAfterCommit) {
    TIBQuery q(&FDB, &FTR);
    FTR.StartTransaction();
    q.SetSQL(QStringLiteral("EXECUTE PROCEDURE INSERT_UNIT (:I_S_PREFIX, NULL, NULL, NULL, "
                            ":I_V_FACTOR, 0, :I_C_TIMESTAMP)"));
    q.ParamByName(QStringLiteral("I_S_PREFIX")).SetAsString(QStringLiteral("кОм"));
    q.ParamByName(QStringLiteral("I_V_FACTOR")).SetAsDouble(1000);
    q.ParamByName(QStringLiteral("I_C_TIMESTAMP")).SetAsDateTime(EncodeDateTime(2026, 3, 1, 12));
    q.ExecSQL();
    FTR.Commit();
    EXPECT_FALSE(q.Eof());
    EXPECT_EQ(q.FieldByName(QStringLiteral("O_DBID")).AsInteger(), 1011);
    const int id = q.FieldByName(QStringLiteral("O_ID")).AsInteger();
    EXPECT_GT(id, 0);

    FTR.StartTransaction();
    q.SetSQL(QStringLiteral("SELECT S_PREFIX, V_FACTOR, C_TIMESTAMP, U_TIMESTAMP FROM T_UNIT "
                            "WHERE DBID = 1011 AND ID = :ID"));
    q.ParamByName(QStringLiteral("ID")).SetAsInteger(id);
    q.Open();
    ASSERT_FALSE(q.Eof());
    EXPECT_EQ(q.Fields(0).AsString(), QStringLiteral("кОм"));
    EXPECT_DOUBLE_EQ(q.Fields(1).AsDouble(), 1000);
    EXPECT_DOUBLE_EQ(q.Fields(2).AsDateTime(), EncodeDateTime(2026, 3, 1, 12));
    EXPECT_TRUE(q.Fields(3).IsNull());
    FTR.Commit();
    EXPECT_FALSE(q.Active()); // a commit closes the open queries of its transaction
}

// Each insert procedure takes exactly the inputs the windows pass it and returns a new key.
TEST_F(IBDatabaseTest, EveryInsertProcedureReturnsANewKey) {
    struct TCase {
        const char* table;
        const char* call;
        bool hasDBId;
    };
    const TCase cases[] = {
        {"T_CLASS", "INSERT_CLASS (NULL, NULL, 'Класс', NULL, -1, 0, CURRENT_TIMESTAMP)", true},
        {"T_CASE", "INSERT_CASE ('DIP-8', NULL, 8, 1, NULL, NULL, NULL, 0, CURRENT_TIMESTAMP)",
         true},
        {"T_MAKER", "INSERT_MAKER ('Фирма', NULL, NULL, 0, CURRENT_TIMESTAMP)", true},
        {"T_UNIT", "INSERT_UNIT ('В', NULL, NULL, NULL, 1, 0, CURRENT_TIMESTAMP)", true},
        {"T_BASE_PARAM",
         "INSERT_BASE_PARAM (1011, 1, NULL, NULL, 'U', NULL, 0, NULL, 0, CURRENT_TIMESTAMP)", true},
        {"T_ELEMENT_TYPE",
         "INSERT_ELEMENT_TYPE (1011, 1, NULL, NULL, NULL, NULL, 'КТ315', NULL, NULL, NULL, NULL, "
         "0, "
         "CURRENT_TIMESTAMP)",
         true},
        {"T_PARAM",
         "INSERT_PARAM (1011, 1, NULL, NULL, NULL, NULL, 'Uкэ', NULL, 1, 2, 3, NULL, NULL, NULL, "
         "NULL, 0, CURRENT_TIMESTAMP)",
         true},
        {"T_PIN", "INSERT_PIN (1011, 1, 1, 'Э', NULL, 0, 0, CURRENT_TIMESTAMP)", true},
        {"T_ELEMENT_ANALOG",
         "INSERT_ELEMENT_ANALOG (1011, 1, 1011, 2, 1, 1, 1, 1, NULL, 0, CURRENT_TIMESTAMP)", true},
        {"T_SUPPLIER",
         "INSERT_SUPPLIER ('Поставщик', NULL, NULL, NULL, NULL, 0, CURRENT_TIMESTAMP)", false},
        {"T_ELEMENT_SUPPLIER",
         "INSERT_ELEMENT_SUPPLIER (1011, 1, 1, 2.5, NULL, 0, CURRENT_TIMESTAMP)", false},
        {"T_STORAGE", "INSERT_STORAGE (NULL, 'Шкаф', NULL, NULL, -1, 0, CURRENT_TIMESTAMP)", false},
        {"T_ELEMENT_AVAIL",
         "INSERT_ELEMENT_AVAIL (NULL, NULL, NULL, NULL, NULL, NULL, NULL, 'Резистор', 10, NULL, "
         "NULL, NULL, NULL, NULL, 0, CURRENT_TIMESTAMP)",
         false},
        {"T_PROJECT",
         "INSERT_PROJECT ('Проект', NULL, 1, 0, NULL, NULL, NULL, 1, -1, 0, CURRENT_TIMESTAMP)",
         false},
        {"T_PROJECT_ITEM",
         "INSERT_PROJECT_ITEM (1, NULL, NULL, NULL, 2, NULL, 0, CURRENT_TIMESTAMP)", false},
        {"T_NOTE", "INSERT_NOTE (3, 'Заметка', 0, CURRENT_TIMESTAMP)", false},
        {"T_PSP", "INSERT_PSP (1011, 1, 'Профиль', 0)", false},
    };
    EXPECT_EQ(std::size(cases), 17u);
    TIBTransactionScope scope(FTR);
    TIBQuery q(&FDB, &FTR);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.call);
        q.SetSQL(QStringLiteral("EXECUTE PROCEDURE ") + QString::fromUtf8(c.call));
        q.ExecSQL();
        const qint64 first = q.FieldByName(QStringLiteral("O_ID")).AsInt64();
        EXPECT_EQ(q.FindField(QStringLiteral("O_DBID")) != nullptr, c.hasDBId);
        if (c.hasDBId) {
            EXPECT_EQ(q.FieldByName(QStringLiteral("O_DBID")).AsInt64(), 1011);
        }
        q.ExecSQL();
        const qint64 second = q.FieldByName(QStringLiteral("O_ID")).AsInt64();
        EXPECT_GT(first, 0);
        EXPECT_NE(first, second);

        q.SetSQL(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE ID IN (:A, :B)")
                     .arg(QString::fromLatin1(c.table)));
        q.ParamByName(QStringLiteral("A")).SetAsInt64(first);
        q.ParamByName(QStringLiteral("B")).SetAsInt64(second);
        q.Open();
        EXPECT_EQ(q.Fields(0).AsInteger(), 2);
    }
    scope.Commit();
}

TEST_F(IBDatabaseTest, RowsInsertedWithoutAnIdGetOne) {
    Exec(QStringLiteral("INSERT INTO T_FAVORITES (OBJ_TYPE, OBJ_DBID, OBJ_ID, S_TEXT, V_RATING) "
                        "VALUES (7, 1011, 5, 'x', 0)"));
    Exec(QStringLiteral("INSERT INTO T_ELEMENT_SUPPLIER (ID, ELEMENTTYPEDBID, ELEMENTTYPEID, "
                        "SUPPLIERID) VALUES (NULL, 1, 1, 1)"));
    Exec(QStringLiteral("UPDATE OR INSERT INTO CFG_LOCAL (S_PARAM, V_INTEGER) VALUES ('EASSID', 4) "
                        "MATCHING (S_PARAM)"));
    Exec(QStringLiteral("UPDATE OR INSERT INTO CFG_LOCAL (S_PARAM, V_INTEGER) VALUES ('EASSID', 5) "
                        "MATCHING (S_PARAM)"));
    EXPECT_EQ(FTestDB.Scalar(QStringLiteral("SELECT COUNT(*) FROM T_FAVORITES WHERE ID > 0")), 1);
    EXPECT_EQ(
        FTestDB.Scalar(QStringLiteral("SELECT COUNT(*) FROM T_ELEMENT_SUPPLIER WHERE ID > 0")), 1);
    EXPECT_EQ(FTestDB.Scalar(QStringLiteral("SELECT V_INTEGER FROM CFG_LOCAL WHERE S_PARAM = "
                                            "'EASSID'")),
              5);
}

TEST_F(IBDatabaseTest, BinaryBlobOf200000BytesRoundTrips) {
    QByteArray picture(200000, '\0');
    for (int i = 0; i < picture.size(); ++i)
        picture[i] = static_cast<char>((i * 7 + i / 256) & 0xFF);
    TIBTransactionScope scope(FTR);
    TIBQuery q(&FDB, &FTR);
    q.SetSQL(QStringLiteral("EXECUTE PROCEDURE INSERT_CASE ('TO-220', NULL, 3, 1, :I_B_IMAGE, "
                            "NULL, NULL, 0, NULL)"));
    q.ParamByName(QStringLiteral("I_B_IMAGE")).SetAsBytes(picture);
    q.ExecSQL();
    const qint64 id = q.FieldByName(QStringLiteral("O_ID")).AsInt64();
    q.SetSQL(QStringLiteral("EXECUTE PROCEDURE INSERT_CASE ('SOT-23', NULL, 3, 2, NULL, NULL, "
                            "NULL, 0, NULL)"));
    q.ExecSQL();

    q.SetSQL(QStringLiteral("SELECT ID, B_IMAGE FROM T_CASE ORDER BY ID"));
    q.Open();
    ASSERT_FALSE(q.Eof());
    EXPECT_EQ(q.Fields(0).AsInt64(), id);
    EXPECT_TRUE(q.Fields(1).IsBlob());
    EXPECT_EQ(q.Fields(1).AsBytes(), picture);
    q.Next();
    ASSERT_FALSE(q.Eof());
    EXPECT_TRUE(q.Fields(1).IsNull());
    EXPECT_TRUE(q.Fields(1).AsBytes().isEmpty());
}

TEST_F(IBDatabaseTest, TextBlobHoldsLongCyrillicText) {
    QString text;
    for (int i = 0; i < 9000; ++i)
        text += QStringLiteral("Строка %1\r\n").arg(i);
    TIBTransactionScope scope(FTR);
    TIBQuery q(&FDB, &FTR);
    q.SetSQL(QStringLiteral("EXECUTE PROCEDURE INSERT_PROJECT ('П', :D, 1, 0, NULL, NULL, NULL, "
                            "1, -1, 0, NULL)"));
    q.ParamByName(QStringLiteral("D")).SetAsString(text);
    q.ExecSQL();
    q.SetSQL(QStringLiteral("SELECT S_DESCRIPTION FROM T_PROJECT"));
    q.Open();
    EXPECT_TRUE(q.Fields(0).IsTextBlob());
    EXPECT_EQ(q.Fields(0).AsString(), text);
    EXPECT_EQ(q.Fields(0).Value().toString(), text);
}

// Numbers read as numbers whatever their SQL type; NULLs read as 0 and empty values.
TEST_F(IBDatabaseTest, ColumnTypesReadAsTheirValues) {
    Exec(QStringLiteral(
        "INSERT INTO T_PARAM (DBID, ID, ELEMENTTYPEDBID, ELEMENTTYPEID, S_NAME, V_MINVAL, "
        "V_TYPEVAL, V_MAXVAL, V_BOOLVAL, UPID, V_FLAG, C_TIMESTAMP) VALUES (1011, 1, 1011, 1, "
        "'Емкость', -1.5, 0.000001, 1e20, 1, NULL, 12, '2026-12-10 08:30:15.250')"));
    Exec(QStringLiteral("INSERT INTO T_CASE (DBID, ID, S_TYPENAME, V_PINCOUNT, V_MOUNTTYPE, "
                        "V_CV_PTTPRM) VALUES (0, 7, 'DIP', 16, 2, 65536)"));
    TIBTransactionScope scope(FTR);
    TIBQuery q(&FDB, &FTR);
    q.SetSQL(QStringLiteral("SELECT V_MINVAL, V_TYPEVAL, V_MAXVAL, V_BOOLVAL, UPID, V_FLAG, "
                            "C_TIMESTAMP, U_TIMESTAMP, CAST(2.75 AS NUMERIC(15,2)) AS NUM, "
                            "CAST(5000000000 AS BIGINT) AS BIG FROM T_PARAM"));
    q.Open();
    ASSERT_FALSE(q.Eof());
    EXPECT_DOUBLE_EQ(q.FieldByName("V_MINVAL").AsDouble(), -1.5);
    EXPECT_EQ(q.FieldByName("V_MINVAL").AsInteger(), -2); // rounded, never a silent zero
    EXPECT_DOUBLE_EQ(q.FieldByName("V_TYPEVAL").AsDouble(), 0.000001);
    EXPECT_DOUBLE_EQ(q.FieldByName("V_MAXVAL").AsDouble(), 1e20);
    EXPECT_EQ(q.FieldByName("V_BOOLVAL").AsInteger(), 1);
    EXPECT_EQ(q.FieldByName("V_BOOLVAL").Value().typeId(), QMetaType::Int);
    EXPECT_TRUE(q.FieldByName("UPID").IsNull());
    EXPECT_EQ(q.FieldByName("UPID").AsString(), QString());
    EXPECT_FALSE(q.FieldByName("UPID").Value().isValid());
    EXPECT_EQ(q.FieldByName("V_FLAG").AsDouble(), 12.0);
    EXPECT_DOUBLE_EQ(q.FieldByName("C_TIMESTAMP").AsDateTime(),
                     EncodeDateTime(2026, 12, 10, 8, 30, 15, 250));
    EXPECT_EQ(q.FieldByName("C_TIMESTAMP").Value().toDateTime(),
              QDateTime(QDate(2026, 12, 10), QTime(8, 30, 15, 250)));
    EXPECT_EQ(q.FieldByName("U_TIMESTAMP").AsDateTime(), 0.0);
    EXPECT_DOUBLE_EQ(q.FieldByName("NUM").AsDouble(), 2.75);
    EXPECT_EQ(q.FieldByName("NUM").AsString(), QStringLiteral("2.75"));
    EXPECT_EQ(q.FieldByName("BIG").AsInt64(), 5000000000LL);
    EXPECT_EQ(q.FieldByName("BIG").Value().typeId(), QMetaType::LongLong);

    q.SetSQL(QStringLiteral("SELECT V_PINCOUNT, V_MOUNTTYPE, V_CV_PTTPRM, S_TYPENAME FROM T_CASE"));
    q.Open();
    EXPECT_EQ(q.Fields(0).AsInteger(), 16);
    EXPECT_EQ(q.Fields(1).AsInteger(), 2);
    EXPECT_EQ(q.Fields(2).AsInt64(), 65536);
    EXPECT_EQ(q.Fields(3).AsString(), QStringLiteral("DIP"));
    EXPECT_THROW(q.Fields(3).AsInteger(), EConvertError);
    EXPECT_THROW(q.FieldByName(QStringLiteral("NOPE")), EIBError);
}

TEST_F(IBDatabaseTest, ValuesOfEveryKindTravelAsParameters) {
    TIBTransactionScope scope(FTR);
    TIBQuery q(&FDB, &FTR);
    q.SetSQL(QStringLiteral(
        "INSERT INTO T_ELEMENT_AVAIL (ID, STORAGEID, S_TYPENAME, V_COUNT_FLOAT, V_NEED_FLOAT, "
        "V_NOMINAL, V_FLAG, C_TIMESTAMP) VALUES (:ID, :S, :N, :C, :NEED, :NOM, :F, :T)"));
    q.ParamByName("ID").SetAsInt64(10);
    q.ParamByName("S").SetValue(QVariant(7u));
    q.ParamByName("N").SetValue(QVariant(QStringLiteral("Диод")));
    q.ParamByName("C").SetValue(QVariant(2.5));
    q.ParamByName("NEED").SetValue(QVariant());
    q.ParamByName("NOM").SetAsString(QStringLiteral("47")); // the engine converts the text
    q.ParamByName("F").SetAsBoolean(true);
    q.ParamByName("T").SetValue(QVariant(QDateTime(QDate(2025, 1, 2), QTime(3, 4, 5))));
    q.ExecSQL();
    EXPECT_EQ(q.RowsAffected(), 1);

    q.SetSQL(QStringLiteral("SELECT STORAGEID, S_TYPENAME, V_COUNT_FLOAT, V_NEED_FLOAT, "
                            "V_NOMINAL, V_FLAG, C_TIMESTAMP FROM T_ELEMENT_AVAIL WHERE ID = 10"));
    q.Open();
    ASSERT_FALSE(q.Eof());
    EXPECT_EQ(q.Fields(0).AsInteger(), 7);
    EXPECT_EQ(q.Fields(1).AsString(), QStringLiteral("Диод"));
    EXPECT_DOUBLE_EQ(q.Fields(2).AsDouble(), 2.5);
    EXPECT_TRUE(q.Fields(3).IsNull());
    EXPECT_DOUBLE_EQ(q.Fields(4).AsDouble(), 47);
    EXPECT_EQ(q.Fields(5).AsInteger(), 1);
    EXPECT_EQ(q.Fields(6).Value().toDateTime(), QDateTime(QDate(2025, 1, 2), QTime(3, 4, 5)));
}

TEST_F(IBDatabaseTest, RowsAffectedCountsUpdatedRows) {
    TIBTransactionScope scope(FTR);
    TIBQuery q(&FDB, &FTR);
    q.SetSQL(QStringLiteral("UPDATE SYS_VAR SET V_FLOAT = 1 WHERE S_PARAM LIKE '%VERSION'"));
    q.ExecSQL();
    EXPECT_EQ(q.RowsAffected(), 3);
    q.SetSQL(QStringLiteral("DELETE FROM T_NOTE"));
    q.ExecSQL();
    EXPECT_EQ(q.RowsAffected(), 0);
}

TEST_F(IBDatabaseTest, TwoTransactionsOnOneAttachmentAreIsolated) {
    TIBTransaction other(&FDB);
    TIBQuery writer(&FDB, &FTR);
    TIBQuery reader(&FDB, &other);
    FTR.StartTransaction();
    other.StartTransaction();

    writer.SetSQL(QStringLiteral("INSERT INTO T_NOTE (ID, S_TEXT) VALUES (1, 'новое')"));
    writer.ExecSQL();
    reader.SetSQL(QStringLiteral("SELECT COUNT(*) FROM T_NOTE"));
    reader.Open();
    EXPECT_EQ(reader.Fields(0).AsInteger(), 0); // not committed yet
    FTR.Commit();
    reader.Open();
    EXPECT_EQ(reader.Fields(0).AsInteger(), 1);
    other.Commit();

    // An update conflict fails at once instead of waiting for the other transaction.
    FTR.StartTransaction();
    other.StartTransaction();
    writer.SetSQL(QStringLiteral("UPDATE T_NOTE SET S_TEXT = 'первое' WHERE ID = 1"));
    writer.ExecSQL();
    reader.SetSQL(QStringLiteral("UPDATE T_NOTE SET S_TEXT = 'второе' WHERE ID = 1"));
    EXPECT_THROW(reader.ExecSQL(), EIBError);
    other.Rollback();
    FTR.Commit();
    EXPECT_EQ(FTestDB.Scalar(QStringLiteral("SELECT S_TEXT FROM T_NOTE")),
              QStringLiteral("первое"));
}

TEST_F(IBDatabaseTest, RollbackDiscardsAndScopeRollsBackOnException) {
    try {
        TIBTransactionScope scope(FTR);
        TIBQuery q(&FDB, &FTR);
        q.SetSQL(QStringLiteral("INSERT INTO T_NOTE (ID, S_TEXT) VALUES (1, 'x')"));
        q.ExecSQL();
        q.SetSQL(QStringLiteral("INSERT INTO T_NOTE (ID, S_TEXT) VALUES (1, 'x')"));
        q.ExecSQL(); // primary key violation
        scope.Commit();
        FAIL() << "a duplicate key was accepted";
    } catch (const EIBError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("PRIMARY or UNIQUE KEY"))) << e.what();
    }
    EXPECT_FALSE(FTR.InTransaction());
    EXPECT_EQ(FTestDB.Scalar(QStringLiteral("SELECT COUNT(*) FROM T_NOTE")), 0);
}

TEST_F(IBDatabaseTest, ObjectsOutlivingEachOtherStaySafe) {
    auto db = std::make_unique<TIBDatabase>();
    db->SetDatabaseName(FTestDB.FileName());
    db->Open();
    auto tr = std::make_unique<TIBTransaction>(db.get());
    TIBQuery q(db.get(), tr.get());
    tr->StartTransaction();
    q.SetSQL(QStringLiteral("SELECT S_PARAM FROM SYS_VAR"));
    q.Open();
    EXPECT_FALSE(q.Eof());
    db->Close(); // rolls back the transaction and frees the statement
    EXPECT_FALSE(tr->InTransaction());
    EXPECT_FALSE(q.Active());
    tr.reset();
    db.reset();
    EXPECT_EQ(q.Database(), nullptr);
    EXPECT_EQ(q.Transaction(), nullptr);
    EXPECT_THROW(q.Open(), EIBError);
}

TEST(SQLScript, SplitsOnTheTerminatorOutsideQuotesAndComments) {
    const QString script = QStringLiteral("/* head; */ CREATE TABLE A (X VARCHAR(5) DEFAULT ';');\n"
                                          "-- a comment; with a terminator\n"
                                          "INSERT INTO A VALUES ('it''s; here');\n"
                                          "SET TERM ^ ;\n"
                                          "CREATE PROCEDURE P AS BEGIN X = 1; END^\n"
                                          "SET TERM ; ^\n"
                                          "SELECT 1 FROM RDB$DATABASE;  ;\n");
    const QStringList statements = SplitSQLScript(script);
    ASSERT_EQ(statements.size(), 4);
    EXPECT_EQ(statements[0], QStringLiteral("CREATE TABLE A (X VARCHAR(5) DEFAULT ';')"));
    EXPECT_EQ(statements[1], QStringLiteral("INSERT INTO A VALUES ('it''s; here')"));
    EXPECT_EQ(statements[2], QStringLiteral("CREATE PROCEDURE P AS BEGIN X = 1; END"));
    EXPECT_EQ(statements[3], QStringLiteral("SELECT 1 FROM RDB$DATABASE"));
}

TEST(SQLScript, CreateMainDataBaseRefusesAnExistingFile) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("main.fdb"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("keep me");
    f.close();
    EXPECT_THROW(CreateMainDataBase(file, 1011, QString()), Exception);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("keep me"));
}

TEST(SQLScript, FunctionsOfTheSchema) {
    TTestDataBase testDB(0);
    EXPECT_EQ(testDB.Scalar(QStringLiteral("SELECT UPCASE('ёлка ЁЛКА abc') FROM RDB$DATABASE")),
              QStringLiteral("ЁЛКА ЁЛКА ABC"));
    EXPECT_EQ(testDB.Scalar(QStringLiteral("SELECT UDF_KVF_GETBIT(12, 4) FROM RDB$DATABASE")), 1);
    EXPECT_EQ(testDB.Scalar(QStringLiteral("SELECT UDF_KVF_GETBIT(8, 4) FROM RDB$DATABASE")), 0);
    EXPECT_EQ(testDB.Scalar(QStringLiteral("SELECT UDF_KVF_GETBIT(NULL, 8) FROM RDB$DATABASE")), 0);
    EXPECT_EQ(testDB.Scalar(QStringLiteral("SELECT V_INTEGER FROM SYS_VAR WHERE S_PARAM = 'DBID'")),
              0);
    EXPECT_EQ(testDB.Scalar(QStringLiteral("SELECT V_STRING FROM SYS_VAR WHERE S_PARAM = "
                                           "'DBDESCRIPTION'")),
              QStringLiteral("Тестовая база"));
}
