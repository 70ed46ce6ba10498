// The import: a round trip between two databases, a second import, a newer row, the test run,
// a failure in the last table, the relation check, the row rules and a system-update package.

#include "tests/exchange/ExchangeTestSupport.h"

namespace {

const QString kCancelled =
    QStringLiteral("Ошибка: Импорт данных отменен, изменения в БД не сохранены;");

// The rows of the nine data tables of DBID ADBId, without R_TIMESTAMP.
QMap<QString, TTableDump> DumpRowsOf(const QString& AFileName, quint32 ADBId) {
    QMap<QString, TTableDump> dump;
    for (const TKVPackageTable table : KVPackageDataTables)
        dump.insert(PackageTableDesc(table).Name,
                    DumpTable(AFileName, table, QStringLiteral("WHERE DBID = %1").arg(ADBId)));
    return dump;
}

// The log without the two lines that carry the time of the run.
QStringList WithoutTimes(QStringList ALines) {
    ALines.removeIf([](const QString& ALine) { return ALine.startsWith(QLatin1Char('[')); });
    return ALines;
}

} // namespace

class TPackageImportTest : public TPackageTest {
protected:
    // Database A (DBID 1011) with the catalogue, exported as package 1 (classes 3 and 5 with
    // their ancestors), and an empty database B (DBID 1012), connected.
    void SetUp() override {
        TPackageTest::SetUp();
        FSource = &NewDataBase(1011, true);
        FTarget = &NewDataBase(1012);
        Connect(*FSource);
        FPackage1 = File(QStringLiteral("package1.fdb"));
        ASSERT_TRUE(Export(FPackage1, {{1011, 3}, {1011, 5}}))
            << FMonitor.Lines.join('\n').toStdString();
        Connect(*FTarget);
    }

    TTestDataBase* FSource = nullptr;
    TTestDataBase* FTarget = nullptr;
    QString FPackage1;
};

TEST_F(TPackageImportTest, RoundTripKeepsEveryRowAndEveryByte) {
    ASSERT_TRUE(Import(FPackage1)) << FMonitor.Lines.join('\n').toStdString();
    EXPECT_EQ(FMonitor.Lines.value(FMonitor.Lines.size() - 2),
              QStringLiteral("Всего импортировано записей: 22;"));

    // Every row of A's DBID arrived with the same values: Cyrillic texts, pictures, times to
    // 1/10000 s; the classes 5 < 9 < 20, whose parents come later in key order, included.
    EXPECT_EQ(DumpRowsOf(FTarget->FileName(), 1011), DumpRowsOf(FSource->FileName(), 1011));
    EXPECT_EQ(CountOf(FTarget->FileName(), QStringLiteral("SELECT COUNT(*) FROM T_CLASS")), 6);
    // The element type of DBID 1000 travelled in the package but was not imported.
    EXPECT_EQ(CountOf(FTarget->FileName(), QStringLiteral("SELECT COUNT(*) FROM T_ELEMENT_TYPE")),
              3);
    EXPECT_EQ(CountOf(FTarget->FileName(),
                      QStringLiteral("SELECT COUNT(*) FROM T_PARAM WHERE R_TIMESTAMP IS NULL")),
              0);
    // The package is recorded in SYS_VAR and in the data module.
    EXPECT_EQ(DumpTable(FTarget->FileName(), ptSysVar,
                        QStringLiteral("WHERE S_PARAM = "
                                       "'PACKAGEIMPORTED'"))
                  .value(QStringLiteral("PACKAGEIMPORTED:1011"))
                  .mid(2),
              (QStringList{"1011", "<NULL>", "База 1011",
                           QString::number(EncodeDateTime(2016, 3, 5, 9, 7, 0), 'g', 17)}));
    EXPECT_TRUE(
        Module().DataBase().VerifPackageImported(1011, EncodeDateTime(2016, 3, 5, 9, 7, 0)));

    // Exported again from B, the rows both packages carry are the same, byte for byte.
    const QString package2 = File(QStringLiteral("package2.fdb"));
    ASSERT_TRUE(Export(package2, {{1011, 3}, {1011, 5}}, EncodeDateTime(2016, 3, 6)));
    int shared = 0;
    for (const TKVPackageTable table : KVPackageDataTables) {
        const TTableDump first = DumpTable(FPackage1, table);
        const TTableDump second = DumpTable(package2, table);
        for (auto it = second.cbegin(); it != second.cend(); ++it) {
            ASSERT_TRUE(first.contains(it.key())) << it.key().toStdString();
            EXPECT_EQ(first.value(it.key()), it.value()) << it.key().toStdString();
            ++shared;
        }
    }
    // Classes 3 and 5, element types 1011:1..3, 2 parameter values, 2 pins, 1 analog.
    EXPECT_EQ(shared, 10);
    // B's package names A's package as the one it was built on.
    EXPECT_TRUE(DumpTable(package2, ptSysVar).contains(QStringLiteral("DBRELATION:1011")));
}

TEST_F(TPackageImportTest, ASecondImportChangesNothingAndReportsTheRowsAsPresent) {
    ASSERT_TRUE(Import(FPackage1));
    const auto before = DumpDataBase(FTarget->FileName());
    ASSERT_TRUE(Import(FPackage1)) << FMonitor.Lines.join('\n').toStdString();
    EXPECT_EQ(DumpDataBase(FTarget->FileName()), before);
    EXPECT_EQ(FMonitor.Lines.filter(QStringLiteral("уже имеется;")).size(), 22);
    EXPECT_TRUE(FMonitor.Lines.contains(
        QStringLiteral("Объект \" Тип элемента \" [DBID: 1011; ID: 3] уже имеется;")));
    EXPECT_TRUE(FMonitor.Lines.contains(QStringLiteral("Всего импортировано записей: 0;")));
}

TEST_F(TPackageImportTest, ANewerRowInALaterPackageUpdatesTheRow) {
    ASSERT_TRUE(Import(FPackage1));
    FSource->Exec(QStringLiteral("UPDATE T_ELEMENT_TYPE SET S_MARKING = 'Новая', U_TIMESTAMP = "
                                 "'2025-01-01 00:00:00.0001' WHERE DBID = 1011 AND ID = 1"));
    Connect(*FSource);
    const QString package3 = File(QStringLiteral("package3.fdb"));
    ASSERT_TRUE(Export(package3, {{1011, 3}}, EncodeDateTime(2017, 1, 1)));
    Connect(*FTarget);
    ASSERT_TRUE(Import(package3)) << FMonitor.Lines.join('\n').toStdString();
    EXPECT_TRUE(FMonitor.Lines.contains(
        QStringLiteral("Всего импортировано объектов \" Тип элемента \": 1;")));
    EXPECT_EQ(DumpRowsOf(FTarget->FileName(), 1011), DumpRowsOf(FSource->FileName(), 1011));
    EXPECT_TRUE(Module().DataBase().VerifPackageImported(1011, EncodeDateTime(2017, 1, 1)));
}

TEST(TPackageRowNewer, ComparesEachTimestampThatThePackageHas) {
    const struct {
        bool CNotNull, UNotNull;
        TDateTime LocalC, LocalU, PackageC, PackageU;
        bool Newer;
    } cases[] = {
        {true, true, 10, 20, 10, 20, false}, // equal times
        {true, true, 10, 20, 10, 21, true},  // a later update alone
        {true, false, 10, 20, 11, 0, true},  // a later creation
        {false, false, 0, 0, 5, 5, false},   // both NULL: never newer
        {false, true, 10, 0, 0, 1, true},    // a stored NULL update reads as 0
        {true, true, 10, 20, 9, 19, false},  // older
    };
    for (const auto& c : cases)
        EXPECT_EQ(TKVPackageImporter::IsPackageRowNewer(c.CNotNull, c.UNotNull, c.LocalC, c.LocalU,
                                                        c.PackageC, c.PackageU),
                  c.Newer);
}

TEST_F(TPackageImportTest, ATestRunWritesNothingAndLogsTheLinesOfTheRealRun) {
    const auto before = DumpDataBase(FTarget->FileName());
    ASSERT_TRUE(Import(FPackage1, true)) << FMonitor.Lines.join('\n').toStdString();
    EXPECT_EQ(DumpDataBase(FTarget->FileName()), before);
    EXPECT_TRUE(Module().DataBase().PackageImportedEmpty());
    QStringList testLines = WithoutTimes(FMonitor.Lines);
    ASSERT_FALSE(testLines.isEmpty());
    EXPECT_EQ(testLines.takeFirst(), QStringLiteral("ВНИМАНИЕ! Импорт производится в тестовом "
                                                    "режиме. Данные не будут записаны в БД!"));

    ASSERT_TRUE(Import(FPackage1));
    EXPECT_EQ(WithoutTimes(FMonitor.Lines), testLines);
    // The element types of classes new in the package passed the class reference step.
    EXPECT_TRUE(
        testLines.contains(QStringLiteral("Всего импортировано объектов \" Параметр \": 2;")));
}

TEST_F(TPackageImportTest, AFailureInTheLastTableLeavesTheDataBaseAsBefore) {
    const auto before = DumpDataBase(FTarget->FileName());
    EXPECT_FALSE(Import(FPackage1, false, [](TKVPackageTable ATable) {
        if (ATable == ptElementAnalog)
            throw EIBError(QStringLiteral("disk full"));
    }));
    EXPECT_EQ(DumpDataBase(FTarget->FileName()), before);
    EXPECT_TRUE(Module().DataBase().PackageImportedEmpty());
    EXPECT_TRUE(FMonitor.Lines.contains(QStringLiteral("Error disk full in class EIBError")));
    EXPECT_TRUE(FMonitor.Lines.contains(kCancelled));
    // The log says where: the failing step's label was the analogs'.
    EXPECT_EQ(FMonitor.Labels.value(FMonitor.Labels.size() - 2),
              QStringLiteral("Импорт объектов \" Аналог элемента \"..."));
}

TEST_F(TPackageImportTest, APackageBuiltOnAPackageTheDataBaseLacksIsRefused) {
    ASSERT_TRUE(Import(FPackage1));
    const QString package2 = File(QStringLiteral("package2.fdb"));
    ASSERT_TRUE(Export(package2, {{1011, 3}}, EncodeDateTime(2016, 4, 1)));

    TTestDataBase& third = NewDataBase(1013);
    Connect(third);
    // An older export of A's package does not satisfy the relation either.
    Connect(*FSource);
    const QString older = File(QStringLiteral("older.fdb"));
    ASSERT_TRUE(Export(older, {{1011, 3}}, EncodeDateTime(2016, 3, 1)));
    Connect(third);
    ASSERT_TRUE(Import(older));
    const auto before = DumpDataBase(third.FileName());

    EXPECT_FALSE(Import(package2));
    EXPECT_TRUE(FMonitor.Lines.contains(
        QStringLiteral("Ошибка: В БД отсутствуют данные пакета DBID 1011 (05.03.2016 09:07:00);")));
    EXPECT_TRUE(FMonitor.Lines.filter(QStringLiteral("Импорт данных начат")).isEmpty());
    EXPECT_EQ(DumpDataBase(third.FileName()), before);

    ASSERT_TRUE(Import(FPackage1));
    EXPECT_TRUE(Import(package2)) << FMonitor.Lines.join('\n').toStdString();
}

TEST_F(TPackageImportTest, RowRulesOfAnEditedPackage) {
    // C_TIMESTAMP NULL arrives as day 0, S_STRVAL NULL as an empty text, a half-NULL pair as
    // both integers, a NULL flag as 0.
    const QString edited = File(QStringLiteral("edited.fdb"));
    QFile::copy(FPackage1, edited);
    TDirectDataBase(edited).Run([](TIBQuery& q) {
        for (const char* sql : {"UPDATE T_UNIT SET C_TIMESTAMP = NULL, U_TIMESTAMP = NULL, V_FLAG "
                                "= NULL WHERE ID = 2",
                                "UPDATE T_PARAM SET S_STRVAL = NULL, UNITDBID = NULL WHERE ID = 1",
                                "UPDATE T_CASE SET V_CV_PTTPRM = NULL WHERE ID = 1"}) {
            q.SetSQL(QLatin1String(sql));
            q.ExecSQL();
        }
    });
    ASSERT_TRUE(Import(edited)) << FMonitor.Lines.join('\n').toStdString();
    const TTableDump units = DumpTable(FTarget->FileName(), ptUnit);
    EXPECT_EQ(units.value(QStringLiteral("1011:2")).mid(7), (QStringList{"0", "0", "<NULL>"}));
    const TTableDump params = DumpTable(FTarget->FileName(), ptParam);
    EXPECT_EQ(params.value(QStringLiteral("1011:1")).value(13), QString());
    EXPECT_EQ(params.value(QStringLiteral("1011:1")).mid(6, 2), (QStringList{"0", "1"}));
    EXPECT_EQ(DumpTable(FTarget->FileName(), ptCase).value(QStringLiteral("1011:1")).mid(7, 2),
              (QStringList{"3", "0"}));
}

// A pin whose element type is 0 fails the element-type reference step, so that no pin, parameter
// value or analog is merged, and the whole import with it; a pin whose element-type key is NULL
// is refused by the row rule.
TEST_F(TPackageImportTest, ARowWithoutItsRequiredKeyFailsTheWholeImport) {
    const QString edited = File(QStringLiteral("edited.fdb"));
    QFile::copy(FPackage1, edited);
    TDirectDataBase(edited).Run([](TIBQuery& q) {
        q.SetSQL(QStringLiteral("UPDATE T_PIN SET ELEMENTTYPEID = 0 WHERE ID = 2"));
        q.ExecSQL();
    });
    const auto before = DumpDataBase(FTarget->FileName());
    EXPECT_FALSE(Import(edited));
    EXPECT_TRUE(FMonitor.Lines.contains(
        QStringLiteral("Объект \" Тип элемента \" [DBID: 1011; ID: 0] не найден;")));
    EXPECT_TRUE(FMonitor.Lines.filter(QStringLiteral("\" Вывод \"")).isEmpty());
    EXPECT_TRUE(FMonitor.Lines.contains(kCancelled));
    EXPECT_EQ(DumpDataBase(FTarget->FileName()), before);

    // A package made elsewhere whose pin table lets the key of the pin's element type be NULL:
    // the pin is refused, and the unit that came with it is not kept either.
    QStringList create;
    for (int t = 0; t < ptCount; ++t)
        create << PackageTableDesc(static_cast<TKVPackageTable>(t)).CreateSQL;
    create[ptPin].replace(QStringLiteral("ELEMENTTYPEDBID INTEGER NOT NULL"),
                          QStringLiteral("ELEMENTTYPEDBID INTEGER"));
    const QString nullKey = File(QStringLiteral("nullkey.fdb"));
    MakePackageFile(nullKey,
                    RegularHeaderSQL(1050) +
                        QStringList{QStringLiteral("INSERT INTO T_UNIT (DBID, ID, S_PREFIX, "
                                                   "C_TIMESTAMP) VALUES (1050, 1, 'В', "
                                                   "'2024-01-01')"),
                                    QStringLiteral("INSERT INTO T_PIN (DBID, ID, ELEMENTTYPEID, "
                                                   "V_NUM, S_NAME) VALUES (1050, 4, 7, 1, 'А')")},
                    create);
    EXPECT_FALSE(Import(nullKey));
    EXPECT_TRUE(FMonitor.Lines.contains(
        QStringLiteral("Обязательный базовый объект для записи [DBID: 1050; ID: 4] не указан;")))
        << FMonitor.Lines.join('\n').toStdString();
    EXPECT_TRUE(FMonitor.Lines.contains(kCancelled));
    EXPECT_EQ(DumpDataBase(FTarget->FileName()), before);
}

TEST_F(TPackageImportTest, TextsTooLongForTheOpenDataBaseFailTheImport) {
    // A package made elsewhere with a wider column than the open database has.
    QStringList create;
    for (int t = 0; t < ptCount; ++t)
        create << PackageTableDesc(static_cast<TKVPackageTable>(t)).CreateSQL;
    create[ptUnit].replace(QStringLiteral("S_PREFIX VARCHAR(16)"),
                           QStringLiteral("S_PREFIX VARCHAR(40)"));
    const QString wide = File(QStringLiteral("wide.fdb"));
    MakePackageFile(wide,
                    RegularHeaderSQL(1050) +
                        QStringList{QStringLiteral(
                            "INSERT INTO T_UNIT (DBID, ID, S_PREFIX, C_TIMESTAMP) VALUES (1050, 1, "
                            "'Приставка длиннее шестнадцати букв', '2024-01-01')")},
                    create);
    const auto before = DumpDataBase(FTarget->FileName());
    EXPECT_FALSE(Import(wide));
    EXPECT_FALSE(FMonitor.Lines.filter(QStringLiteral("string right truncation")).isEmpty());
    EXPECT_EQ(DumpDataBase(FTarget->FileName()), before);
}

TEST_F(TPackageImportTest, RowsOfTheOwnDBIdThatItsGeneratorNeverIssuedAreRefused) {
    TTestDataBase& same = NewDataBase(1011);
    Connect(same);
    const auto before = DumpDataBase(same.FileName());
    EXPECT_FALSE(Import(FPackage1));
    EXPECT_TRUE(FMonitor.Lines.contains(QStringLiteral(
        "Объект \" Класс \" [DBID: 1011; ID: 1] не может быть импортирован в текущую БД;")));
    EXPECT_EQ(DumpDataBase(same.FileName()), before);
}

TEST_F(TPackageImportTest, HeaderErrorsStopTheRunBeforeTheData) {
    const QString versioned = File(QStringLiteral("v124.fdb"));
    QStringList header = RegularHeaderSQL(1011);
    header[3].replace(QStringLiteral("'BUILDVERSION', 3"), QStringLiteral("'BUILDVERSION', 4"));
    MakePackageFile(versioned, header);
    EXPECT_FALSE(Import(versioned));
    EXPECT_TRUE(FMonitor.Lines.contains(
        QStringLiteral("Ошибка: Пакет версии БД 1.2.4 не поддерживается;")));
    EXPECT_TRUE(FMonitor.Lines.filter(QStringLiteral("Импорт данных начат")).isEmpty());

    EXPECT_FALSE(Import(FTarget->FileName()));
    EXPECT_EQ(FMonitor.Lines.mid(2),
              QStringList{QStringLiteral("Ошибка: Неизвестная структура пакета;")});

    // Without an open database nothing is done, and nothing is reported as done.
    int error = 0;
    Module().DataBaseDisconnect(error);
    EXPECT_FALSE(Import(FPackage1));
}

TEST_F(TPackageImportTest, ASystemUpdatePackageSkipsTheRelationsAndRecordsItsVersions) {
    const QString file = File(QStringLiteral("sys.fdb"));
    const QString insert = QStringLiteral(
        "INSERT INTO SYS_VAR (ID, S_PARAM, V_INTEGER, V_STRING, V_TIMESTAMP) VALUES (%1)");
    MakePackageFile(file, {insert.arg("1, 'DBSYSUPDATEINFO', 196612, 'Обновление 3.4', NULL"),
                           insert.arg("2, 'DBSYSUPDATEINCLUDE', 196611, 'Обновление 3.3', NULL"),
                           insert.arg("3, 'DBRELATION', 1999, 'Отсутствует', NULL"),
                           insert.arg("4, 'MAJORVERSION', 1, NULL, NULL"),
                           insert.arg("5, 'MINORVERSION', 2, NULL, NULL"),
                           insert.arg("6, 'BUILDVERSION', 3, NULL, NULL"),
                           QStringLiteral("INSERT INTO T_UNIT (DBID, ID, S_PREFIX, C_TIMESTAMP) "
                                          "VALUES (0, 1, 'В', '2024-01-01')")});
    ASSERT_TRUE(Import(file)) << FMonitor.Lines.join('\n').toStdString();
    EXPECT_TRUE(FMonitor.Lines.contains(QStringLiteral(
        "Системное обновление данных версии 3.4 для БД версии 1.2.3 \"Обновление 3.4\";")));
    EXPECT_EQ(DumpTable(FTarget->FileName(), ptUnit).keys(), QStringList{QStringLiteral("0:1")});
    const TTableDump records =
        DumpTable(FTarget->FileName(), ptSysVar, QStringLiteral("WHERE S_PARAM = 'DBSYSUPDATE'"));
    EXPECT_EQ(records.keys(), (QStringList{"DBSYSUPDATE:196611", "DBSYSUPDATE:196612"}));
    EXPECT_TRUE(Module().DataBase().ExistsDBSysUpdate(196611));
    EXPECT_TRUE(Module().DataBase().ExistsDBSysUpdate(196612));
    EXPECT_TRUE(Module().DataBase().PackageImportedEmpty());
}
