// The package file: its tables and header as the export writes them, the validity codes of
// the header reader, the information it gathers with the texts of the information window, and
// damaged files that must be refused without a crash.

#include "tests/exchange/ExchangeTestSupport.h"

#include "platform/sys/Win1251.h"

#include <QRandomGenerator>

namespace {

const QString kHeaderInsert = QStringLiteral(
    "INSERT INTO SYS_VAR (ID, S_PARAM, V_INTEGER, V_STRING, V_TIMESTAMP) VALUES (%1)");

QStringList HeaderRows(std::initializer_list<const char*> AValues) {
    QStringList rows;
    for (const char* values : AValues)
        rows << kHeaderInsert.arg(QString::fromUtf8(values));
    return rows;
}

} // namespace

TEST_F(TPackageTest, ExportWritesTheTenTablesAndTheHeaderInOrder) {
    TTestDataBase& db = NewDataBase(1011, true);
    Connect(db);
    const QString package = File(QStringLiteral("p.fdb"));
    ASSERT_TRUE(Export(package, {{1011, 3}})) << FMonitor.Lines.join('\n').toStdString();

    TDirectDataBase file(package);
    QStringList tables = file.DataBase().GetTableNames();
    EXPECT_EQ(tables,
              (QStringList{"SYS_VAR", "T_BASE_PARAM", "T_CASE", "T_CLASS", "T_ELEMENT_ANALOG",
                           "T_ELEMENT_TYPE", "T_MAKER", "T_PARAM", "T_PIN", "T_UNIT"}));
    // The columns and types are those of the statements: compare with a file made by them.
    const QString reference = File(QStringLiteral("reference.fdb"));
    MakePackageFile(reference, {});
    const QString columns = QStringLiteral(
        "SELECT TRIM(RF.RDB$RELATION_NAME) || '.' || TRIM(RF.RDB$FIELD_NAME) || ' ' || "
        "F.RDB$FIELD_TYPE || ' ' || COALESCE(F.RDB$FIELD_SUB_TYPE, 0) || ' ' || "
        "COALESCE(F.RDB$FIELD_LENGTH, 0) || ' ' || COALESCE(F.RDB$FIELD_SCALE, 0) || ' ' || "
        "COALESCE(F.RDB$CHARACTER_SET_ID, -1) || ' ' || COALESCE(RF.RDB$NULL_FLAG, 0) || ' ' || "
        "RF.RDB$FIELD_POSITION FROM RDB$RELATION_FIELDS RF JOIN RDB$FIELDS F ON "
        "F.RDB$FIELD_NAME = RF.RDB$FIELD_SOURCE WHERE COALESCE(RF.RDB$SYSTEM_FLAG, 0) = 0 "
        "ORDER BY 1");
    const auto describe = [&columns](const QString& AFile) {
        QStringList lines;
        TDirectDataBase d(AFile);
        d.Run([&](TIBQuery& q) {
            q.SetSQL(columns);
            for (q.Open(); !q.Eof(); q.Next())
                lines << q.Fields(0).AsString();
        });
        return lines;
    };
    const QStringList written = describe(package);
    EXPECT_EQ(written, describe(reference));
    // WIN1251 (id 52) only where the statements name it; NONE (0) in the other text columns.
    EXPECT_TRUE(written.contains(QStringLiteral("SYS_VAR.S_PARAM 37 0 128 0 52 1 1")));
    EXPECT_TRUE(written.contains(QStringLiteral("T_CASE.S_TYPENAME 37 0 128 0 0 1 2")));

    // The header of a database that has imported nothing: four rows, IDs 1 to 4.
    const TTableDump header = DumpTable(package, ptSysVar, QStringLiteral("ORDER BY ID"));
    EXPECT_EQ(header.size(), 4);
    EXPECT_EQ(header.value(QStringLiteral("PACKAGEINFO:1011")),
              (QStringList{"1", "PACKAGEINFO", "1011", "<NULL>", "База 1011",
                           QString::number(EncodeDateTime(2016, 3, 5, 9, 7, 0), 'g', 17)}));
    EXPECT_EQ(header.value(QStringLiteral("MAJORVERSION:1")).value(0), QStringLiteral("2"));
    EXPECT_EQ(header.value(QStringLiteral("MINORVERSION:2")).value(0), QStringLiteral("3"));
    EXPECT_EQ(header.value(QStringLiteral("BUILDVERSION:3")).value(0), QStringLiteral("4"));

    // Texts are Windows-1251 bytes in the NONE columns as in the WIN1251 ones.
    file.Run([&](TIBQuery& q) {
        q.SetSQL(QStringLiteral("SELECT CAST(S_TYPENAME AS VARCHAR(128) CHARACTER SET OCTETS), "
                                "CAST(S_NAME AS VARCHAR(128) CHARACTER SET OCTETS) FROM T_CASE "
                                "JOIN T_MAKER ON T_MAKER.ID = T_CASE.ID WHERE T_CASE.ID = 1"));
        q.Open();
        ASSERT_FALSE(q.Eof());
        EXPECT_EQ(q.Fields(0).AsBytes(), ToWin1251(QStringLiteral("КТ-1 корпус")));
        EXPECT_EQ(q.Fields(1).AsBytes(), ToWin1251(QStringLiteral("Ангстрем")));
    });
}

TEST_F(TPackageTest, HeaderCarriesTheImportedPackagesAndSystemUpdatesOfTheDataBase) {
    TTestDataBase& db = NewDataBase(1011, true);
    db.Exec(
        QStringLiteral("INSERT INTO SYS_VAR (S_PARAM, V_INTEGER, V_STRING, V_TIMESTAMP) "
                       "VALUES ('PACKAGEIMPORTED', 1020, 'Чужой пакет', '2015-01-02 03:04:05')"));
    db.Exec(QStringLiteral("INSERT INTO SYS_VAR (S_PARAM, V_INTEGER, V_STRING, V_TIMESTAMP) "
                           "VALUES ('PACKAGEIMPORTED', 1030, 'Без даты', NULL)"));
    db.Exec(QStringLiteral("INSERT INTO SYS_VAR (S_PARAM, V_INTEGER, V_STRING) VALUES "
                           "('DBSYSUPDATE', 65538, 'Обновление 1.2')"));
    Connect(db);
    const QString package = File(QStringLiteral("p.fdb"));
    ASSERT_TRUE(Export(package, {{1011, 3}}));

    const TTableDump header = DumpTable(package, ptSysVar);
    ASSERT_EQ(header.size(), 7);
    EXPECT_EQ(header.value(QStringLiteral("DBRELATION:1020")),
              (QStringList{"5", "DBRELATION", "1020", "<NULL>", "Чужой пакет",
                           QString::number(EncodeDateTime(2015, 1, 2, 3, 4, 5), 'g', 17)}));
    EXPECT_EQ(header.value(QStringLiteral("DBRELATION:1030")),
              (QStringList{"6", "DBRELATION", "1030", "<NULL>", "Без даты", "<NULL>"}));
    EXPECT_EQ(
        header.value(QStringLiteral("DBSYSUPDATERELATION:65538")),
        (QStringList{"7", "DBSYSUPDATERELATION", "65538", "<NULL>", "Обновление 1.2", "<NULL>"}));

    const TKVPackageInfo info =
        ReadPackageInfo(Module().ExchangeIBDatabase, Module().ExchangeIBTransaction, package,
                        QStringLiteral("SYSDBA"), FMonitor);
    EXPECT_EQ(info.piErrorCode, pecNone);
    EXPECT_EQ(info.piRelationInfo,
              QStringLiteral("DBID: 1020; \" Чужой пакет \"; Exported: 02.01.2015 03:04:05\r\n"
                             "DBID: 1030; \" Без даты \"; Exported: 30.12.1899\r\n"
                             "1.2; \" Обновление 1.2 \""));
}

TEST_F(TPackageTest, ValidityCodesOfTheHeader) {
    const struct {
        const char* Name;
        QStringList Rows;
        int Code;
        QString Text;
    } cases[] = {
        {"regular", RegularHeaderSQL(1011), pecNone, QString()},
        {"names in any case",
         HeaderRows({"1, 'packageinfo', 1011, 'x', '2016-03-05 09:07:00'",
                     "2, 'MajorVersion', 1, NULL, NULL", "3, 'minorversion', 2, NULL, NULL",
                     "4, 'buildVersion', 3, NULL, NULL"}),
         pecNone, QString()},
        {"export time NULL",
         HeaderRows({"1, 'PACKAGEINFO', 1011, 'x', NULL", "2, 'MAJORVERSION', 1, NULL, NULL",
                     "3, 'MINORVERSION', 2, NULL, NULL", "4, 'BUILDVERSION', 3, NULL, NULL"}),
         pecHeaderUnreadable,
         QStringLiteral("Ошибка: Не удалось прочитать служебные данные пакета;")},
        {"no build version",
         HeaderRows({"1, 'PACKAGEINFO', 1011, 'x', '2016-03-05 09:07:00'",
                     "2, 'MAJORVERSION', 1, NULL, NULL", "3, 'MINORVERSION', 2, NULL, NULL"}),
         pecHeaderUnreadable, QString()},
        {"no information row",
         HeaderRows({"2, 'MAJORVERSION', 1, NULL, NULL", "3, 'MINORVERSION', 2, NULL, NULL",
                     "4, 'BUILDVERSION', 3, NULL, NULL"}),
         pecHeaderUnreadable, QString()},
        {"version 1.2.4",
         HeaderRows({"1, 'PACKAGEINFO', 1011, 'x', '2016-03-05 09:07:00'",
                     "2, 'MAJORVERSION', 1, NULL, NULL", "3, 'MINORVERSION', 2, NULL, NULL",
                     "4, 'BUILDVERSION', 4, NULL, NULL"}),
         pecUnsupportedVersion, QStringLiteral("Ошибка: Пакет версии БД 1.2.4 не поддерживается;")},
        {"system update after a PACKAGEINFO",
         HeaderRows({"1, 'PACKAGEINFO', 1011, 'x', '2016-03-05 09:07:00'",
                     "2, 'DBSYSUPDATEINFO', 196612, 'Системное', NULL",
                     "3, 'MAJORVERSION', 1, NULL, NULL", "4, 'MINORVERSION', 2, NULL, NULL",
                     "5, 'BUILDVERSION', 3, NULL, NULL"}),
         pecNone, QString()},
    };
    int n = 0;
    for (const auto& c : cases) {
        const QString file = File(QStringLiteral("h%1.fdb").arg(n++));
        MakePackageFile(file, c.Rows);
        const TKVPackageInfo info =
            ReadPackageInfo(Module().ExchangeIBDatabase, Module().ExchangeIBTransaction, file,
                            QStringLiteral("SYSDBA"), FMonitor);
        EXPECT_EQ(info.piErrorCode, c.Code) << c.Name;
        if (!c.Text.isEmpty()) {
            EXPECT_EQ(PackageErrorText(info.piErrorCode, info.piDBMajorVersion,
                                       info.piDBMinorVersion, info.piDBBuildVersion),
                      c.Text)
                << c.Name;
        }
        EXPECT_FALSE(Module().ExchangeIBDatabase.Connected()) << c.Name;
    }
    EXPECT_TRUE(FMonitor.Lines.isEmpty()) << FMonitor.Lines.join('\n').toStdString();
}

TEST_F(TPackageTest, FilesThatAreNoPackageGiveCodeThreeAndNothingElse) {
    const QString textFile = File(QStringLiteral("text.fdb"));
    {
        QFile f(textFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Это не база данных\n");
    }
    const QString eleven = File(QStringLiteral("eleven.fdb"));
    QStringList create;
    for (int t = 0; t < ptCount; ++t)
        create << PackageTableDesc(static_cast<TKVPackageTable>(t)).CreateSQL;
    MakePackageFile(eleven, RegularHeaderSQL(1011),
                    create + QStringList{QStringLiteral("CREATE TABLE T_EXTRA (ID INTEGER)")});
    const QString nine = File(QStringLiteral("nine.fdb"));
    MakePackageFile(nine, RegularHeaderSQL(1011), create.mid(0, ptCount - 1));
    const QString mainDataBase = NewDataBase(1011, true).FileName();

    for (const QString& file :
         {textFile, eleven, nine, mainDataBase, File(QStringLiteral("none.fdb"))}) {
        FMonitor.Lines.clear();
        const TKVPackageInfo info =
            ReadPackageInfo(Module().ExchangeIBDatabase, Module().ExchangeIBTransaction, file,
                            QStringLiteral("SYSDBA"), FMonitor);
        EXPECT_EQ(info.piErrorCode, pecUnknownStructure) << file.toStdString();
        EXPECT_EQ(info.piClassesCount + info.piElementTypesCount + info.piParamsCount, 0u);
        EXPECT_TRUE(info.piIncludeInfo.isEmpty());
        EXPECT_TRUE(info.piRelationInfo.isEmpty());
        EXPECT_EQ(PackageErrorText(info.piErrorCode, 0, 0, 0),
                  QStringLiteral("Ошибка: Неизвестная структура пакета;"));
    }
    // A file the engine is never given says why in the log, and stays as it was.
    FMonitor.Lines.clear();
    ReadPackageInfo(Module().ExchangeIBDatabase, Module().ExchangeIBTransaction, textFile,
                    QStringLiteral("SYSDBA"), FMonitor);
    ASSERT_EQ(FMonitor.Lines.size(), 1);
    EXPECT_TRUE(FMonitor.Lines[0].startsWith(
        QStringLiteral("Error Файл «%1» не является базой данных.").arg(textFile)))
        << FMonitor.Lines[0].toStdString();
    EXPECT_TRUE(FMonitor.Lines[0].endsWith(QStringLiteral(" in class EDataBaseFileError")));
    QFile text(textFile);
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    EXPECT_EQ(text.readAll(), QByteArray("Это не база данных\n"));
}

TEST_F(TPackageTest, InformationOfARegularPackageCountsRowsOfEveryDBId) {
    TTestDataBase& db = NewDataBase(1011, true);
    Connect(db);
    const QString package = File(QStringLiteral("p.fdb"));
    ASSERT_TRUE(Export(package, {{1011, 3}}));
    // A package connection left open is closed, not reused.
    MakePackageFile(File(QStringLiteral("other.fdb")), RegularHeaderSQL(1050));
    OpenPackageFile(Module().ExchangeIBDatabase, File(QStringLiteral("other.fdb")),
                    QStringLiteral("SYSDBA"));

    const TKVPackageInfo info =
        ReadPackageInfo(Module().ExchangeIBDatabase, Module().ExchangeIBTransaction, package,
                        QStringLiteral("SYSDBA"), FMonitor);
    EXPECT_FALSE(Module().ExchangeIBDatabase.Connected());
    EXPECT_EQ(info.piErrorCode, pecNone);
    EXPECT_EQ(info.piPackageDBID, 1011u);
    EXPECT_EQ(info.piPackageDescription, QStringLiteral("База 1011"));
    EXPECT_EQ(info.piPackageExportDateTime, EncodeDateTime(2016, 3, 5, 9, 7, 0));
    EXPECT_EQ(info.piIncludeInfo,
              QStringLiteral("DBID: 1011; \" База 1011 \"; Exported: 05.03.2016 09:07:00"));
    EXPECT_TRUE(info.piRelationInfo.isEmpty());
    // Class 3 with its ancestors 2 and 1; its three element types, one of DBID 1000.
    EXPECT_EQ(info.piClassesCount, 3u);
    EXPECT_EQ(info.piCasesCount, 2u);
    EXPECT_EQ(info.piMakersCount, 2u);
    EXPECT_EQ(info.piUnitsCount, 2u);
    EXPECT_EQ(info.piBaseParamsCount, 2u);
    EXPECT_EQ(info.piElementTypesCount, 3u);
    EXPECT_EQ(info.piParamsCount, 2u);
    EXPECT_EQ(info.piPinsCount, 2u);
    EXPECT_EQ(info.piElementAnalogsCount, 1u);

    EXPECT_EQ(PackageInfoClipboardText(info),
              QStringLiteral("Общая информация\r\n\r\n\r\n"
                             "Файл пакета:  %1\r\n"
                             "Версия БД:  1.2.3\r\n"
                             "Пакет обновления:  тематический/пользовательский\r\n"
                             "DBID:  1011\r\n"
                             "Описание:  База 1011\r\n"
                             "\r\n\r\nПакет содержит обновления:\r\n\r\n\r\n"
                             "DBID: 1011; \" База 1011 \"; Exported: 05.03.2016 09:07:00\r\n"
                             "\r\n\r\nПакет требует наличие обновлений:\r\n\r\n\r\n"
                             "\r\n\r\nСостав пакета\r\n\r\n\r\n"
                             "Классы: 3\r\nКорпуса: 2\r\nПроизводители: 2\r\n"
                             "Единицы измерения: 2\r\nБазовые параметры: 2\r\n"
                             "Типы элементов: 3\r\nПараметры: 2\r\nВыводы: 2\r\n"
                             "Аналоги элементов: 1\r\n")
                  .arg(package));
}

TEST_F(TPackageTest, InformationOfASystemUpdatePackage) {
    const QString file = File(QStringLiteral("sys.fdb"));
    MakePackageFile(
        file, HeaderRows({"1, 'DBSYSUPDATEINFO', 196612, 'Обновление 3.4', NULL",
                          "2, 'NOINCLUDEINFO', 1, NULL, NULL",
                          "3, 'DBSYSUPDATEINCLUDE', 196611, 'Обновление 3.3', NULL",
                          "4, 'MAJORVERSION', 1, NULL, NULL", "5, 'MINORVERSION', 2, NULL, NULL",
                          "6, 'BUILDVERSION', 3, NULL, NULL"}));
    const TKVPackageInfo info =
        ReadPackageInfo(Module().ExchangeIBDatabase, Module().ExchangeIBTransaction, file,
                        QStringLiteral("SYSDBA"), FMonitor);
    EXPECT_EQ(info.piErrorCode, pecNone);
    EXPECT_TRUE(info.piDBSysUpdate);
    EXPECT_TRUE(info.piDBSysNoIncludeInfo);
    EXPECT_EQ(info.piPackageDBID, 0u);
    EXPECT_EQ(info.piIncludeInfo, QStringLiteral("3.3; \" Обновление 3.3 \""));
    QStringList general;
    for (const TKVPackageInfoRow& row : PackageGeneralRows(info))
        general << row.Caption + QLatin1Char('=') + row.Value;
    EXPECT_EQ(general,
              (QStringList{QStringLiteral("Файл пакета=") + file, QStringLiteral("Версия БД=1.2.3"),
                           QStringLiteral("Пакет обновления=системный"),
                           QStringLiteral("Версия обновления=3.4"),
                           QStringLiteral("Дата экспорта=30.12.1899"),
                           QStringLiteral("Описание=Обновление 3.4"),
                           QStringLiteral("Информация о пакете=не будет включена в "
                                          "список импорта!")}));
}

// Damaged copies of a real package: truncated, with bytes changed in the first page or in
// later ones, or replaced by noise. The reader must give a code and a log line, never crash;
// the import of a refused file and the test run of one whose header still reads must leave the
// open database as it was.
TEST_F(TPackageTest, DamagedPackagesAreRefusedWithoutACrash) {
    TTestDataBase& source = NewDataBase(1011, true);
    Connect(source);
    const QString package = File(QStringLiteral("p.fdb"));
    ASSERT_TRUE(Export(package, {{1011, 3}}));
    QFile original(package);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray bytes = original.readAll();
    original.close();
    const int pageSize = 8192;
    ASSERT_EQ(bytes.size() % pageSize, 0);

    QRandomGenerator random(27);
    std::vector<QByteArray> damaged;
    for (const qsizetype size :
         {qsizetype(0), qsizetype(1), qsizetype(19), qsizetype(20), qsizetype(100),
          qsizetype(pageSize - 1), qsizetype(pageSize), qsizetype(pageSize + 100),
          qsizetype(3 * pageSize), bytes.size() / 2, bytes.size() - 1})
        damaged.push_back(bytes.left(size));
    for (int i = 0; i < 16; ++i) {
        QByteArray copy = bytes;
        for (int k = 0; k < 1 + i % 4; ++k)
            copy[random.bounded(64)] = static_cast<char>(random.bounded(256));
        damaged.push_back(copy);
    }
    // Pages after the first: the header check passes, the engine meets the damage.
    for (int i = 0; i < 10; ++i) {
        QByteArray copy = bytes;
        for (int k = 0; k < 4 + 2 * i; ++k)
            copy[pageSize + random.bounded(int(bytes.size()) - pageSize)] =
                static_cast<char>(random.bounded(256));
        damaged.push_back(copy);
    }
    for (int i = 0; i < 4; ++i) {
        QByteArray noise(4 * pageSize, '\0');
        for (char& c : noise)
            c = static_cast<char>(random.bounded(256));
        if (i % 2)
            noise[0] = 1; // looks like a header page
        damaged.push_back(noise);
    }

    TTestDataBase& target = NewDataBase(1012);
    Connect(target);
    const auto before = DumpDataBase(target.FileName());
    int refused = 0;
    for (size_t i = 0; i < damaged.size(); ++i) {
        const QString file = File(QStringLiteral("d%1.fdb").arg(i));
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(damaged[i]);
        out.close();
        FMonitor.Lines.clear();
        const TKVPackageInfo info =
            ReadPackageInfo(Module().ExchangeIBDatabase, Module().ExchangeIBTransaction, file,
                            QStringLiteral("SYSDBA"), FMonitor);
        EXPECT_GE(info.piErrorCode, pecNone);
        EXPECT_LE(info.piErrorCode, pecUnknownStructure);
        EXPECT_FALSE(Module().ExchangeIBDatabase.Connected());
        if (info.piErrorCode != pecNone) {
            ++refused;
            EXPECT_FALSE(Import(file)) << i;
        } else {
            // A header that reads well over damaged data: the test run reads every row.
            Import(file, true);
        }
    }
    EXPECT_GT(refused, 20) << refused;
    EXPECT_EQ(DumpDataBase(target.FileName()), before);
}
