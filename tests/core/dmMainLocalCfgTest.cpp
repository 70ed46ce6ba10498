// The data module's rows in the open database: the storage place for emptied stock records,
// the reset of the local configuration, and the favourites.

#include "tests/core/dmMainFixture.h"

namespace {

const QString kCountEassid =
    QStringLiteral("SELECT COUNT(*) FROM CFG_LOCAL WHERE S_PARAM = 'EASSID'");

void AddStorage(const TTestDataBase& ADataBase, int AId, const QString& AName) {
    ADataBase.Exec(
        QStringLiteral("INSERT INTO T_STORAGE (ID, S_NAME) VALUES (%1, '%2')").arg(AId).arg(AName));
}

void SetEassid(const TTestDataBase& ADataBase, int AId) {
    ADataBase.Exec(
        QStringLiteral("INSERT INTO CFG_LOCAL (S_PARAM, V_INTEGER) VALUES ('EASSID', %1)")
            .arg(AId));
}

} // namespace

TEST_F(dmMainTest, StorageForEmptyFollowsTheOpenDataBase) {
    TTestDataBase withPlace;
    AddStorage(withPlace, 7, QStringLiteral("Коробка"));
    SetEassid(withPlace, 7);
    ASSERT_EQ(Connect(withPlace), crOk);
    EXPECT_EQ(Module().StorageForEmptyId(), 7u);
    EXPECT_EQ(Module().StorageForEmptyName(), QStringLiteral("Коробка"));
    Disconnect();

    TTestDataBase without;
    ASSERT_EQ(Connect(without), crOk);
    EXPECT_EQ(Module().StorageForEmptyId(), 0u);
    EXPECT_TRUE(Module().StorageForEmptyName().isEmpty());
    Disconnect();

    // A place that no longer exists leaves none.
    TTestDataBase gone;
    SetEassid(gone, 99);
    ASSERT_EQ(Connect(gone), crOk);
    EXPECT_EQ(Module().StorageForEmptyId(), 0u);
    Disconnect();

    // Without the local configuration the row is not read.
    LocalConfig = false;
    ASSERT_EQ(Connect(withPlace), crOk);
    EXPECT_EQ(Module().StorageForEmptyId(), 0u);
    EXPECT_FALSE(Module().SaveStorageForEmpty(7, QStringLiteral("Коробка")));
    EXPECT_FALSE(Module().ClearLocalCfg());
    EXPECT_TRUE(FUI.Errors.empty());
}

TEST_F(dmMainTest, SaveStorageForEmptyWritesOneRowOrDeletesIt) {
    TTestDataBase db;
    AddStorage(db, 3, QStringLiteral("Полка"));
    AddStorage(db, 4, QStringLiteral("Ящик"));
    db.Exec(QStringLiteral("INSERT INTO CFG_LOCAL (OBJ_TYPE, S_PARAM, V_INTEGER) "
                           "VALUES (17, 'RBW', 500)"));
    EXPECT_FALSE(Module().SaveStorageForEmpty(3, QStringLiteral("Полка"))); // not connected
    ASSERT_EQ(Connect(db), crOk);

    EXPECT_TRUE(Module().SaveStorageForEmpty(3, QStringLiteral("Полка")));
    EXPECT_TRUE(Module().SaveStorageForEmpty(4, QStringLiteral("Ящик")));
    EXPECT_EQ(Module().StorageForEmptyId(), 4u);
    EXPECT_EQ(Module().StorageForEmptyName(), QStringLiteral("Ящик"));
    EXPECT_EQ(db.Scalar(kCountEassid).toInt(), 1);
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT V_INTEGER FROM CFG_LOCAL WHERE S_PARAM = 'EASSID'"))
                  .toInt(),
              4);

    EXPECT_TRUE(Module().SaveStorageForEmpty(0, QString()));
    EXPECT_EQ(Module().StorageForEmptyId(), 0u);
    EXPECT_EQ(db.Scalar(kCountEassid).toInt(), 0);
    // The layout rows are not touched.
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT COUNT(*) FROM CFG_LOCAL")).toInt(), 1);

    // Only in memory: the storage book after it deleted the place.
    Module().SetStorageForEmpty(3, QStringLiteral("Полка"));
    EXPECT_EQ(Module().StorageForEmptyId(), 3u);
    EXPECT_EQ(db.Scalar(kCountEassid).toInt(), 0);
    Disconnect();

    // A read-only database keeps its row and the fields stay.
    ASSERT_EQ(Connect(db, dtCDROM), crOk);
    Module().SetStorageForEmpty(3, QStringLiteral("Полка"));
    EXPECT_FALSE(Module().SaveStorageForEmpty(4, QStringLiteral("Ящик")));
    EXPECT_EQ(Module().StorageForEmptyId(), 3u);
    EXPECT_EQ(db.Scalar(kCountEassid).toInt(), 0);
}

TEST_F(dmMainTest, ClearLocalCfgDeletesEveryLayoutRow) {
    TTestDataBase db;
    AddStorage(db, 3, QStringLiteral("Полка"));
    SetEassid(db, 3);
    db.Exec(QStringLiteral("INSERT INTO CFG_LOCAL (OBJ_TYPE, S_PARAM, V_INTEGER) "
                           "VALUES (17, 'RBW', 500)"));
    ASSERT_EQ(Connect(db, dtCDROM), crOk);
    EXPECT_EQ(Module().StorageForEmptyId(), 3u); // read also from a read-only database
    EXPECT_FALSE(Module().ClearLocalCfg());
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT COUNT(*) FROM CFG_LOCAL")).toInt(), 2);
    Disconnect();

    ASSERT_EQ(Connect(db), crOk);
    EXPECT_TRUE(Module().ClearLocalCfg());
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT COUNT(*) FROM CFG_LOCAL")).toInt(), 0);
    EXPECT_EQ(Module().StorageForEmptyId(), 0u);
    EXPECT_TRUE(Module().StorageForEmptyName().isEmpty());
}

TEST_F(dmMainTest, FavouritesAreAddedOnce) {
    TTestDataBase db(1500);
    EXPECT_FALSE(Module().AddToFavorite(itElementType, 1500, 1, QString(), 0)); // not connected
    ASSERT_EQ(Connect(db), crOk);
    EXPECT_TRUE(Module().AddToFavorite(itElementType, 1500, 1, QStringLiteral("Текст"), 5));
    EXPECT_TRUE(Module().AddToFavorite(itElementType, 1500, 1, QString(), 0));
    EXPECT_TRUE(Module().AddToFavorite(itElementAvail, 0, 1, QString(), 0));
    EXPECT_TRUE(Module().AddToFavorite(itProject, 0xFFFFFFF0u, 0xFFFFFFFFu, QString(), 0));
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT COUNT(*) FROM T_FAVORITES")).toInt(), 3);
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT COUNT(*) FROM T_FAVORITES WHERE OBJ_TYPE = %1 "
                                       "AND OBJ_DBID = 1500 AND OBJ_ID = 1 AND S_TEXT IS NULL "
                                       "AND V_RATING IS NULL")
                            .arg(ItemTypeToInt(itElementType)))
                  .toInt(),
              1);
    // The full 32-bit key finds itself again.
    EXPECT_TRUE(Module().AddToFavorite(itProject, 0xFFFFFFF0u, 0xFFFFFFFFu, QString(), 0));
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT COUNT(*) FROM T_FAVORITES")).toInt(), 3);
    EXPECT_FALSE(Module().MainIBTransaction.InTransaction());
    EXPECT_TRUE(FUI.Errors.empty());
    Disconnect();

    // A database that declares itself read-only.
    db.Exec(QStringLiteral("INSERT INTO SYS_VAR (S_PARAM, V_INTEGER) VALUES ('READONLY', 1)"));
    ASSERT_EQ(Connect(db), crOk);
    EXPECT_FALSE(Module().AddToFavorite(itNote, 0, 9, QString(), 0));
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT COUNT(*) FROM T_FAVORITES")).toInt(), 3);
}

TEST_F(dmMainTest, FailedStatementIsRolledBackAndShown) {
    TTestDataBase db;
    ASSERT_EQ(Connect(db), crOk);
    db.Exec(QStringLiteral("DROP TABLE T_FAVORITES"));
    EXPECT_FALSE(Module().AddToFavorite(itElementType, 1011, 1, QString(), 0));
    EXPECT_FALSE(Module().MainIBTransaction.InTransaction());
    ASSERT_EQ(FUI.Errors.size(), 1u);
    EXPECT_EQ(FUI.Errors[0].Caption, QStringLiteral("EIBError"));
    EXPECT_TRUE(FUI.Errors[0].OwnedByApp);
    // The connection goes on working.
    EXPECT_TRUE(Module().SetDBDescription(QStringLiteral("Дальше")));
}
