// The export: which rows a selection brings, the NULL rules of the written values, the log,
// a failed export that leaves no package behind, and the proposed file names.

#include "tests/exchange/ExchangeTestSupport.h"

TEST_F(TPackageTest, TheSelectionBringsItsAncestorsOfTheOwnDBIdOnce) {
    TTestDataBase& db = NewDataBase(1011, true);
    // A class of another database under a class of that database, holding base parameters and
    // element types of both DBIDs.
    for (const char* sql :
         {"INSERT INTO T_CLASS (DBID, ID, S_NAME, V_FLAG) VALUES (1000, 51, 'Чужой корень', 0)",
          "INSERT INTO T_CLASS (DBID, ID, PARENTDBID, PARENTID, S_NAME, V_FLAG) VALUES (1000, 50, "
          "1000, 51, 'Чужой', 0)",
          "INSERT INTO T_BASE_PARAM (DBID, ID, CLASSDBID, CLASSID, S_NAME) VALUES (1011, 7, 1000, "
          "50, 'Свой')",
          "INSERT INTO T_BASE_PARAM (DBID, ID, CLASSDBID, CLASSID, S_NAME) VALUES (1000, 8, 1000, "
          "50, 'Чужой')",
          "INSERT INTO T_ELEMENT_TYPE (DBID, ID, CLASSDBID, CLASSID, S_TYPENAME) VALUES (1011, 40, "
          "1000, 50, 'Свой тип')",
          "INSERT INTO T_ELEMENT_TYPE (DBID, ID, CLASSDBID, CLASSID, S_TYPENAME) VALUES (1000, 41, "
          "1000, 50, 'Чужой тип')",
          "INSERT INTO T_PIN (DBID, ID, ELEMENTTYPEDBID, ELEMENTTYPEID, V_NUM, S_NAME) VALUES "
          "(1000, 9, 1000, 41, 1, 'Выход')"})
        db.Exec(QString::fromUtf8(sql));
    Connect(db);
    const QString package = File(QStringLiteral("p.fdb"));
    // Class 3 with its ancestor 1 picked too, and the class of the other database.
    ASSERT_TRUE(Export(package, {{1011, 3}, {1011, 1}, {1000, 50}}));
    EXPECT_EQ(DumpTable(package, ptClass).keys(),
              (QStringList{"1000:50", "1011:1", "1011:2", "1011:3"}));
    EXPECT_EQ(DumpTable(package, ptBaseParam).keys(), (QStringList{"1011:1", "1011:2", "1011:7"}));
    EXPECT_EQ(DumpTable(package, ptElementType).keys(),
              (QStringList{"1000:41", "1000:77", "1011:1", "1011:2", "1011:40"}));
    EXPECT_EQ(DumpTable(package, ptPin).keys(), (QStringList{"1000:9", "1011:1", "1011:2"}));
    EXPECT_TRUE(FMonitor.Lines.contains(QStringLiteral("Объектов \" Класс \" для экспорта: 4;")));
    EXPECT_TRUE(FMonitor.Lines.contains(QStringLiteral(
        "Объектов \" Базовый параметр \" в \" Класс \" [1000; 50] для экспорта: 1;")));
    EXPECT_TRUE(FMonitor.Lines.contains(
        QStringLiteral("Объектов \" Тип элемента \" в \" Класс \" [1000; 50] для экспорта: 2;")));
    EXPECT_TRUE(
        FMonitor.Lines.contains(QStringLiteral("Всего экспортировано объектов \" Вывод \": 3;")));
    EXPECT_EQ(FMonitor.Lines.last(), QStringLiteral("Экспорт данных завершен;"));
}

TEST_F(TPackageTest, ExportWritesNullsByItsRules) {
    TTestDataBase& db = NewDataBase(1011);
    for (const char* sql :
         {"INSERT INTO T_CLASS (DBID, ID, PARENTDBID, S_NAME) VALUES (1011, 1, 1011, 'Класс')",
          "INSERT INTO T_UNIT (DBID, ID, S_PREFIX) VALUES (1011, 1, 'В')",
          // Case known by its DBID alone: both written; maker known by its DBID alone: both NULL.
          "INSERT INTO T_ELEMENT_TYPE (DBID, ID, CLASSDBID, CLASSID, CASEDBID, MAKERDBID, "
          "S_TYPENAME) VALUES (1011, 1, 1011, 1, 1011, 1011, 'Тип')",
          "INSERT INTO T_PARAM (DBID, ID, ELEMENTTYPEDBID, ELEMENTTYPEID, UNITID, S_NAME) VALUES "
          "(1011, 1, 1011, 1, 1, 'П')"})
        db.Exec(QString::fromUtf8(sql));
    Connect(db);
    const QString package = File(QStringLiteral("p.fdb"));
    ASSERT_TRUE(Export(package, {{1011, 1}}));
    // A class whose PARENTID is NULL has no parent; V_FLAG NULL is written as 0.
    EXPECT_EQ(DumpTable(package, ptClass).value(QStringLiteral("1011:1")),
              (QStringList{"1011", "1", "<NULL>", "<NULL>", "Класс", "<NULL>", "<NULL>", "0",
                           "<NULL>", "<NULL>"}));
    EXPECT_EQ(DumpTable(package, ptElementType).value(QStringLiteral("1011:1")).mid(4, 4),
              (QStringList{"1011", "0", "<NULL>", "<NULL>"}));
    EXPECT_EQ(DumpTable(package, ptParam).value(QStringLiteral("1011:1")).mid(4, 4),
              (QStringList{"<NULL>", "<NULL>", "0", "1"}));
    // No cases: the count line with 0 and no total line.
    EXPECT_TRUE(FMonitor.Lines.contains(QStringLiteral("Объектов \" Корпус \" для экспорта: 0;")));
    EXPECT_TRUE(FMonitor.Lines.filter(QStringLiteral("объектов \" Корпус \":")).isEmpty());
}

TEST_F(TPackageTest, AFailedExportLeavesNoPackage) {
    TTestDataBase& db = NewDataBase(1011, true);
    // A unit whose prefix is longer than a package's column takes.
    db.Exec(QStringLiteral("ALTER TABLE T_UNIT ALTER S_PREFIX TYPE VARCHAR(40)"));
    db.Exec(QStringLiteral("INSERT INTO T_UNIT (DBID, ID, S_PREFIX) VALUES (1011, 3, "
                           "'Приставка длиннее шестнадцати букв')"));
    Connect(db);
    const QString package = File(QStringLiteral("p.fdb"));
    EXPECT_FALSE(Export(package, {{1011, 3}}));
    EXPECT_FALSE(QFileInfo::exists(package));
    EXPECT_FALSE(Module().ExchangeIBDatabase.Connected());
    EXPECT_FALSE(FMonitor.Lines.filter(QStringLiteral("string right truncation")).isEmpty());
    // The steps after the failed one still ran.
    EXPECT_TRUE(FMonitor.Lines.contains(
        QStringLiteral("Всего экспортировано объектов \" Тип элемента \": 3;")));
    EXPECT_EQ(FMonitor.Lines.mid(FMonitor.Lines.size() - 2),
              (QStringList{QStringLiteral("Пакет \"%1\" удален, так как экспорт завершен с "
                                          "ошибками;")
                               .arg(package),
                           QStringLiteral("Экспорт данных завершен;")}));

    // A file that exists is never taken over, and without a database nothing is done.
    QFile existing(package);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("чужой файл");
    existing.close();
    EXPECT_FALSE(Export(package, {{1011, 3}}));
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(existing.readAll()), QStringLiteral("чужой файл"));
    existing.close();
    int error = 0;
    Module().DataBaseDisconnect(error);
    EXPECT_FALSE(Export(File(QStringLiteral("q.fdb")), {{1011, 3}}));
}

TEST(TPackageNames, ProposedNamesPadTheDateAndTime) {
    const QDateTime time(QDate(2016, 3, 5), QTime(9, 7, 31));
    EXPECT_EQ(ProposedPackageFileName(1011, time), QStringLiteral("PackDB1011_05032016_0907"));
    EXPECT_EQ(ProposedExportLogFileName(1011, time), QStringLiteral("LogDB1011_05032016_0907"));
    EXPECT_EQ(ProposedPackageFileName(1012, QDateTime(QDate(987, 12, 25), QTime(23, 59))),
              QStringLiteral("PackDB1012_25120987_2359"));
    EXPECT_EQ(ProposedImportLogFileName(EncodeDateTime(2016, 3, 5, 10, 0)),
              QStringLiteral("im532016"));
    EXPECT_EQ(ProposedImportLogFileName(0), QStringLiteral("im000"));
}
