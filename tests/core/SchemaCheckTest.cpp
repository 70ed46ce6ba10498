#include "core/KVCommon.h"
#include "platform/ib/IBQuery.h"
#include "tests/support/TestDataBase.h"

#include <gtest/gtest.h>

// A database made from the project's schema is one the program accepts.
TEST(SchemaCheck, NewDatabasePassesTheStructureChecks) {
    TTestDataBase testDB(1011);
    TIBDatabase db;
    db.SetDatabaseName(testDB.FileName());
    db.Open();
    EXPECT_TRUE(IsUserDataBaseTableList(db.GetTableNames()));
    EXPECT_FALSE(IsPackageTableList(db.GetTableNames()));

    TIBTransaction tr(&db);
    TIBQuery q(&db, &tr);
    TIBTransactionScope scope(tr);
    q.SetSQL(QStringLiteral("SELECT S_PARAM, V_INTEGER FROM SYS_VAR"));
    q.Open();
    int major = 0, minor = 0, build = 0;
    qint64 dbid = -1;
    while (!q.Eof()) {
        const QString name = q.FieldByName("S_PARAM").AsString();
        const int value = q.FieldByName("V_INTEGER").AsInteger();
        if (name == QLatin1String("MAJORVERSION"))
            major = value;
        else if (name == QLatin1String("MINORVERSION"))
            minor = value;
        else if (name == QLatin1String("BUILDVERSION"))
            build = value;
        else if (name == QLatin1String("DBID"))
            dbid = value;
        q.Next();
    }
    EXPECT_TRUE(IsSupportedDBVersion(major, minor, build));
    EXPECT_EQ(dbid, 1011);
}
