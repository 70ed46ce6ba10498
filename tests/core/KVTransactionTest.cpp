// The transaction helper: what a failed operation writes (nothing) and where its error goes,
// for one transaction and for a pair that must be written together.

#include "core/KVTransaction.h"
#include "platform/ib/IBQuery.h"
#include "tests/support/TestDataBase.h"
#include "tests/support/TestUserInterface.h"

#include <gtest/gtest.h>

namespace {

// A connection with one transaction to a fresh database.
struct TConnection {
    explicit TConnection(quint32 ADBId) : DB(ADBId) {
        Database.SetDatabaseName(DB.FileName());
        Database.Open();
    }
    void InsertUnit(int AId) {
        TIBQuery query(&Database, &Transaction);
        query.SetSQL(QStringLiteral("INSERT INTO T_UNIT (DBID, ID, S_PREFIX, V_FLAG, C_TIMESTAMP) "
                                    "VALUES (1011, :VAR_ID, 'ед', 0, CURRENT_TIMESTAMP)"));
        query.ParamByName("VAR_ID").SetAsInteger(AId);
        query.ExecSQL();
    }
    int Units() const { return DB.Scalar(QStringLiteral("SELECT COUNT(*) FROM T_UNIT")).toInt(); }

    TTestDataBase DB;
    TIBDatabase Database;
    TIBTransaction Transaction{&Database};
};

class KVTransactionTest : public ::testing::Test {
protected:
    TTestUserInterface FUI;
    TConnection FMain{1011};
};

} // namespace

TEST_F(KVTransactionTest, FailedWorkWritesNothingAndItsErrorGoesWhereThePolicySays) {
    for (const TKVErrorPolicy policy : {epShowError, epLogError, epRethrow}) {
        SCOPED_TRACE(policy);
        FUI.Errors.clear();
        QStringList log;
        bool rethrown = false;
        bool ok = false; // stays false when the error is raised again
        try {
            ok = RunInTransaction(
                FMain.Transaction, policy,
                [&] {
                    FMain.InsertUnit(1);
                    throw Exception(QStringLiteral("Сбой записи"));
                },
                [&](const QString& AMessage) { log << AMessage; });
        } catch (const Exception& e) {
            rethrown = true;
            EXPECT_EQ(e.Message(), QStringLiteral("Сбой записи"));
        }
        EXPECT_FALSE(ok);
        EXPECT_FALSE(FMain.Transaction.InTransaction());
        EXPECT_EQ(FMain.Units(), 0);
        EXPECT_EQ(rethrown, policy == epRethrow);
        EXPECT_EQ(log, policy == epLogError ? QStringList{"Сбой записи"} : QStringList());
        ASSERT_EQ(FUI.Errors.size(), policy == epShowError ? 1u : 0u);
        if (policy == epShowError) {
            EXPECT_EQ(FUI.Errors[0].Caption, QStringLiteral("Exception"));
            EXPECT_EQ(FUI.Errors[0].Text, QStringLiteral("Сбой записи"));
        }
    }

    // An engine error (a key written twice) is handled the same way.
    QStringList log;
    EXPECT_FALSE(RunInTransaction(
        FMain.Transaction, epLogError,
        [&] {
            FMain.InsertUnit(1);
            FMain.InsertUnit(1);
        },
        [&](const QString& AMessage) { log << AMessage; }));
    EXPECT_EQ(log.size(), 1);
    EXPECT_EQ(FMain.Units(), 0);
}

TEST_F(KVTransactionTest, WorkIsCommittedAndAnActiveTransactionIsCommittedToo) {
    EXPECT_TRUE(RunInTransaction(FMain.Transaction, epRethrow, [&] { FMain.InsertUnit(1); }));
    EXPECT_EQ(FMain.Units(), 1);

    // A transaction the caller started is used and ends with the work.
    FMain.Transaction.StartTransaction();
    FMain.InsertUnit(2);
    EXPECT_TRUE(RunInTransaction(FMain.Transaction, epRethrow, [&] { FMain.InsertUnit(3); }));
    EXPECT_FALSE(FMain.Transaction.InTransaction());
    EXPECT_EQ(FMain.Units(), 3);
}

TEST_F(KVTransactionTest, APairIsWrittenTogetherOrNotAtAll) {
    TConnection package(1012);
    EXPECT_TRUE(RunInTransactionPair(package.Transaction, FMain.Transaction, epRethrow, [&] {
        package.InsertUnit(1);
        FMain.InsertUnit(1);
    }));
    EXPECT_EQ(package.Units(), 1);
    EXPECT_EQ(FMain.Units(), 1);

    // A failure in the second database's work leaves the first unwritten as well.
    QStringList log;
    EXPECT_FALSE(RunInTransactionPair(
        package.Transaction, FMain.Transaction, epLogError,
        [&] {
            package.InsertUnit(2);
            FMain.InsertUnit(1); // the key is there already
        },
        [&](const QString& AMessage) { log << AMessage; }));
    EXPECT_EQ(log.size(), 1);
    EXPECT_EQ(package.Units(), 1);
    EXPECT_EQ(FMain.Units(), 1);
    EXPECT_FALSE(package.Transaction.InTransaction());
    EXPECT_FALSE(FMain.Transaction.InTransaction());

    // A pair that goes without its commit writes neither.
    {
        TKVTransactionPair pair(package.Transaction, FMain.Transaction);
        package.InsertUnit(3);
        FMain.InsertUnit(3);
    }
    EXPECT_EQ(package.Units(), 1);
    EXPECT_EQ(FMain.Units(), 1);
}
