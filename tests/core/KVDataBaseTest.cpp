#include "core/KVDataBase.h"

#include "tests/core/CoreTestUtils.h"

#include <QLocale>

#include <gtest/gtest.h>

TEST(KVDataBase, CreatedEmptyWithRegionalCurrency) {
    const TKVDataBase db;
    EXPECT_FALSE(db.Connected());
    EXPECT_FALSE(db.ReadOnly());
    EXPECT_EQ(db.DBId(), 0u);
    EXPECT_TRUE(db.SysVarEmpty());
    EXPECT_TRUE(db.AliasEmpty());
    EXPECT_EQ(db.ExcangeDataBlockLimit(), 1000u);
    EXPECT_EQ(db.DefaultCurrencyName(), QLocale().currencySymbol());
    EXPECT_FALSE(db.DefaultCurrencyName().isEmpty());
}

TEST(KVDataBase, BlockLimitIsClamped) {
    TKVDataBase db;
    const struct {
        quint32 Value;
        quint32 Expected;
    } cases[] = {{500, 1000},      {0, 1000},        {5000, 5000},
                 {100000, 100000}, {100001, 100000}, {0xFFFFFFFFu, 100000}};
    for (const auto& c : cases) {
        db.SetExcangeDataBlockLimit(c.Value);
        EXPECT_EQ(db.ExcangeDataBlockLimit(), c.Expected) << c.Value;
    }
}

TEST(KVDataBase, KnownVariablesTakeEffectOnlyUnderTheirExactName) {
    TKVDataBase db;
    db.AddSysVar(1, QStringLiteral("DBID"), 1500, 0, QString(), 0);
    db.AddSysVar(2, QStringLiteral("dbid"), 77, 0, QString(), 0);
    db.AddSysVar(3, QStringLiteral("DBDESCRIPTION"), 0, 0, QStringLiteral("Склад"), 0);
    db.AddSysVar(4, QStringLiteral("MAJORVERSION"), 1, 0, QString(), 0);
    db.AddSysVar(5, QStringLiteral("MINORVERSION"), 2, 0, QString(), 0);
    db.AddSysVar(6, QStringLiteral("BUILDVERSION"), 3, 0, QString(), 0);
    db.AddSysVar(7, QStringLiteral("READONLY"), 0, 0, QString(), 0);
    db.AddSysVar(8, QStringLiteral("DEFCURRENCY"), 0, 0, QStringLiteral("руб."), 0);
    db.AddSysVar(9, QStringLiteral("ёлка"), 5, 2.5, QStringLiteral("x"), 3.25);
    EXPECT_EQ(db.DBId(), 1500u);
    EXPECT_EQ(db.Description(), QStringLiteral("Склад"));
    EXPECT_EQ(db.MajorVersion(), 1u);
    EXPECT_EQ(db.MinorVersion(), 2u);
    EXPECT_EQ(db.BuildVersion(), 3u);
    EXPECT_FALSE(db.ReadOnly());
    EXPECT_EQ(db.DefaultCurrencyName(), QStringLiteral("руб."));
    EXPECT_EQ(db.SysVarCount(), 9);

    // Names are kept upper-cased by the locale (Cyrillic too) and found without regard to case.
    EXPECT_EQ(db.GetSysVarByName(QStringLiteral("Dbid")).IntVal, 1500);
    const TKVDataBaseSysVar tree = db.GetSysVarByName(QStringLiteral("ЁЛКА"));
    EXPECT_EQ(tree.Name, QStringLiteral("ЁЛКА"));
    EXPECT_EQ(tree.Id, 9u);
    EXPECT_DOUBLE_EQ(tree.FloatVal, 2.5);
    EXPECT_EQ(tree.StrVal, QStringLiteral("x"));
    EXPECT_DOUBLE_EQ(tree.DateTimeVal, 3.25);
    EXPECT_TRUE(db.ExistsSysVarByName(QStringLiteral("ёлка")));

    db.AddSysVar(10, QStringLiteral("READONLY"), 2, 0, QString(), 0);
    EXPECT_TRUE(db.ReadOnly());

    const TKVDataBaseSysVar none = db.GetSysVarByName(QStringLiteral("NOSUCH"));
    EXPECT_EQ(none.Id, 0u);
    EXPECT_TRUE(none.Name.isEmpty());
    EXPECT_EQ(none.IntVal, 0);
    EXPECT_DOUBLE_EQ(none.FloatVal, 0);
    EXPECT_TRUE(none.StrVal.isEmpty());
    EXPECT_DOUBLE_EQ(none.DateTimeVal, 0);
    EXPECT_FALSE(db.ExistsSysVarByName(QStringLiteral("NOSUCH")));
}

TEST(KVDataBase, LongNamesAndTextsAreCut) {
    TKVDataBase db;
    db.AddSysVar(1, QString(200, QLatin1Char('n')), 0, 0, QString(300, QLatin1Char('s')), 0);
    db.AddSysVar(2, QStringLiteral("DBDESCRIPTION"), 0, 0, QString(300, QLatin1Char('d')), 0);
    db.SysVarFirst();
    TKVDataBaseSysVar v;
    ASSERT_TRUE(db.SysVarGetRecord(v));
    EXPECT_EQ(v.Name.size(), 128);
    EXPECT_EQ(v.StrVal.size(), 255);
    EXPECT_EQ(db.Description().size(), 255);
    db.AddAlias(QString(150, QLatin1Char('a')), QStringLiteral("/f.fdb"));
    db.AliasFirst();
    TKVDataBaseAlias alias;
    ASSERT_TRUE(db.AliasGetRecord(alias));
    EXPECT_EQ(alias.Name.size(), 128);
}

TEST(KVDataBase, SetSysVarByNameChangesMemoryAndIdentityOnly) {
    TKVDataBase db;
    db.AddSysVar(1, QStringLiteral("DBID"), 1500, 0, QString(), 0);
    db.AddSysVar(2, QStringLiteral("MAJORVERSION"), 1, 0, QString(), 0);
    db.AddSysVar(3, QStringLiteral("READONLY"), 0, 0, QString(), 0);
    EXPECT_TRUE(db.SetSysVarByName(QStringLiteral("DBID"), 2000, 1.5, QStringLiteral("t"), 2));
    EXPECT_EQ(db.DBId(), 2000u);
    EXPECT_EQ(db.GetSysVarByName(QStringLiteral("DBID")).StrVal, QStringLiteral("t"));
    EXPECT_TRUE(db.SetSysVarByName(QStringLiteral("READONLY"), 1, 0, QString(), 0));
    EXPECT_TRUE(db.ReadOnly());
    // The structure version is not among the names it applies.
    EXPECT_TRUE(db.SetSysVarByName(QStringLiteral("MAJORVERSION"), 9, 0, QString(), 0));
    EXPECT_EQ(db.MajorVersion(), 1u);
    // Found without regard to case, but applied only under the exact name.
    EXPECT_TRUE(db.SetSysVarByName(QStringLiteral("dbid"), 3000, 0, QString(), 0));
    EXPECT_EQ(db.DBId(), 2000u);
    EXPECT_FALSE(db.SetSysVarByName(QStringLiteral("NOSUCH"), 1, 0, QString(), 0));
}

TEST(KVDataBase, SystemUpdatesArePerRowAndUpdatedByVersion) {
    TKVDataBase db;
    const quint32 v = TKVDataBase::DBSysUpdateVersionsToInt(2, 7);
    EXPECT_EQ(v, 2u * 65536 + 7);
    db.AddSysVar(1, QStringLiteral("DBSYSUPDATE"), static_cast<qint32>(v), 0,
                 QStringLiteral("first"), 0);
    db.AddSysVar(2, QStringLiteral("DBSYSUPDATE"), static_cast<qint32>(v), 0,
                 QStringLiteral("second"), 0);
    EXPECT_EQ(db.DBSysUpdateCount(), 2);
    EXPECT_TRUE(db.ExistsDBSysUpdate(v));
    EXPECT_FALSE(db.ExistsDBSysUpdate(v + 1));

    db.AddOrUpdateDBSysUpdate(v, QStringLiteral("updated"));
    EXPECT_EQ(db.DBSysUpdateCount(), 2);
    db.AddOrUpdateDBSysUpdate(v + 1, QStringLiteral("new"));
    EXPECT_EQ(db.DBSysUpdateCount(), 3);

    QStringList texts;
    db.DBSysUpdateFirst();
    while (!db.DBSysUpdateEof()) {
        TKVDataBaseSysUpdate update;
        ASSERT_TRUE(db.DBSysUpdateGetRecord(update));
        texts << QStringLiteral("%1.%2 %3")
                     .arg(update.SysUpdMajorVersion)
                     .arg(update.SysUpdMinorVersion)
                     .arg(update.SysUpdVersionStr);
        db.DBSysUpdateNext();
    }
    EXPECT_EQ(texts, (QStringList{QStringLiteral("2.7 updated"), QStringLiteral("2.7 second"),
                                  QStringLiteral("2.8 new")}));
}

TEST(KVDataBase, ImportedPackages) {
    TKVDataBase db;
    const TDateTime march = EncodeDateTime(2024, 3, 1);
    db.AddSysVar(1, QStringLiteral("PACKAGEIMPORTED"), 1200, 0, QStringLiteral("Пакет"), march);
    EXPECT_TRUE(db.ExistsPackageImportedByDBId(1200));
    EXPECT_FALSE(db.ExistsPackageImportedByDBId(1201));
    EXPECT_TRUE(db.VerifPackageImported(1200, march));
    EXPECT_TRUE(db.VerifPackageImported(1200, march - 1));
    EXPECT_FALSE(db.VerifPackageImported(1200, march + 1));
    EXPECT_FALSE(db.VerifPackageImported(1201, march));

    db.AddOrUpdatePackageImported(1200, QStringLiteral("Новее"), march + 10);
    EXPECT_EQ(db.PackageImportedCount(), 1);
    EXPECT_TRUE(db.VerifPackageImported(1200, march + 5));
    db.AddOrUpdatePackageImported(1300, QStringLiteral("Другой"), march);
    EXPECT_EQ(db.PackageImportedCount(), 2);

    EXPECT_TRUE(db.DeletePackageImported(1200));
    EXPECT_FALSE(db.DeletePackageImported(1200));
    db.PackageImportedFirst();
    TKVDataBasePackageImported package;
    ASSERT_TRUE(db.PackageImportedGetRecord(package));
    EXPECT_EQ(package.PackageDBId, 1300u);
    EXPECT_EQ(package.Description, QStringLiteral("Другой"));
}

TEST(KVDataBase, DisconnectKeepsAliasesFileNameAndBlockLimit) {
    TKVDataBase db;
    db.AddAlias(QStringLiteral("Дом"), QStringLiteral("/home/parts.fdb"));
    db.SetExcangeDataBlockLimit(5000);
    db.AddSysVar(1, QStringLiteral("DBID"), 1500, 0, QString(), 0);
    db.AddSysVar(2, QStringLiteral("READONLY"), 1, 0, QString(), 0);
    db.AddSysVar(3, QStringLiteral("DBSYSUPDATE"), 65537, 0, QString(), 0);
    db.AddSysVar(4, QStringLiteral("PACKAGEIMPORTED"), 1200, 0, QString(), 1);
    db.AddSysVar(5, QStringLiteral("DEFCURRENCY"), 0, 0, QStringLiteral("$"), 0);
    db.AddSysVar(6, QStringLiteral("MAJORVERSION"), 1, 0, QString(), 0);
    db.SetConnectedState(QStringLiteral("/data/parts.fdb"));
    EXPECT_TRUE(db.Connected());

    db.SetDisconnectedState();
    EXPECT_FALSE(db.Connected());
    EXPECT_EQ(db.DBId(), 0u);
    EXPECT_FALSE(db.ReadOnly());
    EXPECT_EQ(db.MajorVersion(), 0u);
    EXPECT_TRUE(db.SysVarEmpty());
    EXPECT_TRUE(db.DBSysUpdateEmpty());
    EXPECT_TRUE(db.PackageImportedEmpty());
    EXPECT_EQ(db.DefaultCurrencyName(), QLocale().currencySymbol());
    EXPECT_EQ(db.AliasCount(), 1);
    EXPECT_EQ(db.DataBaseFileName(), QStringLiteral("/data/parts.fdb"));
    EXPECT_EQ(db.ExcangeDataBlockLimit(), 5000u);
}

TEST(KVDataBase, AliasesByPositionAndTheWalkRule) {
    TKVDataBase db;
    EXPECT_EQ(ExceptionMessageOf([&] { db.AliasFirst(); }), QStringLiteral("Items not found"));
    db.AddAlias(QStringLiteral("A"), QStringLiteral("/a.fdb"));
    db.AddAlias(QStringLiteral("B"), QStringLiteral("/b.fdb"));
    db.AddAlias(QStringLiteral("C"), QStringLiteral("/c.fdb"));
    EXPECT_FALSE(db.DeleteAlias(-1));
    EXPECT_FALSE(db.DeleteAlias(3));
    EXPECT_FALSE(db.UpdateAliasData(3, QStringLiteral("X"), QString()));
    EXPECT_TRUE(db.UpdateAliasData(2, QStringLiteral("Ц"), QStringLiteral("/ц.fdb")));

    // A walk that changes its list copies and moves nothing until it starts again.
    db.AliasFirst();
    EXPECT_TRUE(db.DeleteAlias(0));
    TKVDataBaseAlias alias{QStringLiteral("untouched"), QString()};
    EXPECT_FALSE(db.AliasGetRecord(alias));
    EXPECT_EQ(alias.Name, QStringLiteral("untouched"));
    db.AliasNext();
    EXPECT_FALSE(db.AliasEof());

    QStringList names;
    for (db.AliasFirst(); !db.AliasEof(); db.AliasNext()) {
        ASSERT_TRUE(db.AliasGetRecord(alias));
        names << alias.Name + QLatin1Char('=') + alias.FileName;
    }
    EXPECT_EQ(names, (QStringList{QStringLiteral("B=/b.fdb"), QStringLiteral("Ц=/ц.fdb")}));
}
