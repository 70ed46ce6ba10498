#include "tests/exchange/ExchangeTestSupport.h"

#include <QJsonDocument>
#include <QProcess>

namespace {

QString ValueText(const TIBField& AField) {
    if (AField.IsNull())
        return QStringLiteral("<NULL>");
    if (AField.IsBlob())
        return QString::fromLatin1(AField.AsBytes().toHex());
    switch (AField.SQLType()) {
    case 510: // SQL_TIMESTAMP
        return QString::number(AField.AsDateTime(), 'g', 17);
    case 480: // SQL_DOUBLE
        return QString::number(AField.AsDouble(), 'g', 17);
    default:
        return AField.AsString();
    }
}

} // namespace

TTableDump DumpTable(const QString& AFileName, TKVPackageTable ATable, const QString& AWhere,
                     bool AWithReplTimestamp) {
    TTableDump dump;
    TDirectDataBase db(AFileName);
    const TKVPackageTableDesc& desc = PackageTableDesc(ATable);
    QString columns = desc.ColumnList();
    if (AWithReplTimestamp)
        columns += QStringLiteral(", R_TIMESTAMP");
    db.Run([&](TIBQuery& q) {
        q.SetSQL(QStringLiteral("SELECT %1 FROM %2 %3").arg(columns, desc.Name, AWhere));
        for (q.Open(); !q.Eof(); q.Next()) {
            QStringList values;
            for (int i = 0; i < q.FieldCount(); ++i)
                values << ValueText(q.Fields(i));
            const QString key = ATable == ptSysVar
                                    ? values.value(1) + QLatin1Char(':') + values.value(2)
                                    : values.value(0) + QLatin1Char(':') + values.value(1);
            dump.insert(key, values);
        }
    });
    return dump;
}

QMap<QString, TTableDump> DumpDataBase(const QString& AFileName) {
    QMap<QString, TTableDump> dump;
    for (const TKVPackageTable table : KVPackageDataTables)
        dump.insert(PackageTableDesc(table).Name, DumpTable(AFileName, table, QString(), true));
    dump.insert(QStringLiteral("SYS_VAR"), DumpTable(AFileName, ptSysVar));
    return dump;
}

qint64 CountOf(const QString& AFileName, const QString& ASQL) {
    qint64 count = 0;
    TDirectDataBase db(AFileName);
    db.Run([&](TIBQuery& q) {
        q.SetSQL(ASQL);
        q.Open();
        count = q.Eof() ? 0 : q.Fields(0).AsInt64();
    });
    return count;
}

void MakePackageFile(const QString& AFileName, const QStringList& ASQL,
                     const QStringList& ACreateSQL) {
    {
        TIBDatabase db;
        CreatePackageFile(db, AFileName);
    }
    TDirectDataBase db(AFileName);
    db.Run([&](TIBQuery& q) {
        q.SetParamCheck(false);
        if (ACreateSQL.isEmpty())
            for (int t = 0; t < ptCount; ++t) {
                q.SetSQL(PackageTableDesc(static_cast<TKVPackageTable>(t)).CreateSQL);
                q.ExecSQL();
            }
        for (const QString& sql : ACreateSQL) {
            q.SetSQL(sql);
            q.ExecSQL();
        }
    });
    db.Run([&](TIBQuery& q) {
        q.SetParamCheck(false);
        for (const QString& sql : ASQL) {
            q.SetSQL(sql);
            q.ExecSQL();
        }
    });
}

QStringList RegularHeaderSQL(quint32 ADBId) {
    const QString insert = QStringLiteral(
        "INSERT INTO SYS_VAR (ID, S_PARAM, V_INTEGER, V_STRING, V_TIMESTAMP) VALUES (%1)");
    return {
        insert.arg(
            QStringLiteral("1, 'PACKAGEINFO', %1, 'Пакет %1', '2016-03-05 09:07:00'").arg(ADBId)),
        insert.arg(QStringLiteral("2, 'MAJORVERSION', 1, NULL, NULL")),
        insert.arg(QStringLiteral("3, 'MINORVERSION', 2, NULL, NULL")),
        insert.arg(QStringLiteral("4, 'BUILDVERSION', 3, NULL, NULL"))};
}

QByteArray TestPicture(int ASeed) {
    QByteArray bytes;
    for (int i = 0; i < 512; ++i)
        bytes.append(static_cast<char>((i + ASeed) % 256));
    return bytes;
}

void FillCatalogue(const QString& AFileName, quint32 ADBId) {
    TDirectDataBase db(AFileName);
    const QString d = QString::number(ADBId);
    db.Run([&](TIBQuery& q) {
        const auto exec = [&q](const QString& ASQL) {
            q.SetSQL(ASQL);
            q.ExecSQL();
        };
        const QString t1 = QStringLiteral("'2024-03-01 10:00:00.1234'");
        const QString t2 = QStringLiteral("'2024-04-02 11:30:15.5678'");
        exec(QStringLiteral("INSERT INTO T_CLASS (DBID, ID, PARENTDBID, PARENTID, S_NAME, "
                            "S_DESCRIPTION, ICONID, V_FLAG, C_TIMESTAMP, U_TIMESTAMP) VALUES "
                            "(%1, 1, NULL, NULL, 'Микросхемы', 'Ёлки «в кавычках»', 3, 0, %2, %3)")
                 .arg(d, t1, t2));
        exec(QStringLiteral("INSERT INTO T_CLASS (DBID, ID, PARENTDBID, PARENTID, S_NAME, V_FLAG, "
                            "C_TIMESTAMP) VALUES (%1, 2, %1, 1, 'Цифровые', 1, %2)")
                 .arg(d, t1));
        exec(QStringLiteral("INSERT INTO T_CLASS (DBID, ID, PARENTDBID, PARENTID, S_NAME, "
                            "C_TIMESTAMP) VALUES (%1, 3, %1, 2, 'Счётчики', %2)")
                 .arg(d, t1));
        exec(QStringLiteral("INSERT INTO T_CLASS (DBID, ID, S_NAME, C_TIMESTAMP) VALUES (%1, 20, "
                            "'Пассивные', %2)")
                 .arg(d, t1));
        exec(QStringLiteral("INSERT INTO T_CLASS (DBID, ID, PARENTDBID, PARENTID, S_NAME, "
                            "C_TIMESTAMP) VALUES (%1, 9, %1, 20, 'Резисторы', %2)")
                 .arg(d, t1));
        exec(QStringLiteral("INSERT INTO T_CLASS (DBID, ID, PARENTDBID, PARENTID, S_NAME, "
                            "C_TIMESTAMP) VALUES (%1, 5, %1, 9, 'Переменные', %2)")
                 .arg(d, t1));

        q.SetSQL(QStringLiteral("INSERT INTO T_CASE (DBID, ID, S_TYPENAME, S_DESCRIPTION, "
                                "V_PINCOUNT, V_MOUNTTYPE, B_IMAGE, V_CV_PTTTYPE, V_CV_PTTPRM, "
                                "V_FLAG, C_TIMESTAMP, U_TIMESTAMP) VALUES (:DBID, :ID, :NAME, "
                                ":DESCR, :PINS, 1, :IMG, :PTT, :PRM, 0, %1, %2)")
                     .arg(t1, t2));
        for (int id = 1; id <= 2; ++id) {
            q.ParamByName("DBID").SetAsInteger(static_cast<qint32>(ADBId));
            q.ParamByName("ID").SetAsInteger(id);
            q.ParamByName("NAME").SetAsString(QStringLiteral("КТ-%1 корпус").arg(id));
            q.ParamByName("DESCR").SetAsString(QStringLiteral("Пластмассовый, шаг 2,5 мм"));
            q.ParamByName("PINS").SetAsInteger(8 * id);
            if (id == 1) {
                q.ParamByName("IMG").SetAsBytes(TestPicture(7));
                q.ParamByName("PTT").SetAsInteger(3);
                q.ParamByName("PRM").SetAsInteger(65540);
            } else {
                q.ParamByName("IMG").Clear();
                q.ParamByName("PTT").Clear();
                q.ParamByName("PRM").Clear();
            }
            q.ExecSQL();
        }
        exec(QStringLiteral("INSERT INTO T_MAKER (DBID, ID, S_NAME, S_URL, S_DESCRIPTION, V_FLAG, "
                            "C_TIMESTAMP) VALUES (%1, 1, 'Ангстрем', 'https://ангстрем.рф', "
                            "'Зеленоград', 0, %2)")
                 .arg(d, t1));
        exec(QStringLiteral("INSERT INTO T_MAKER (DBID, ID, S_NAME, C_TIMESTAMP) VALUES (%1, 2, "
                            "'Интеграл', %2)")
                 .arg(d, t1));
        exec(QStringLiteral("INSERT INTO T_UNIT (DBID, ID, S_PREFIX, S_NAMEDEF, S_NAME, V_FACTOR, "
                            "V_FLAG, C_TIMESTAMP) VALUES (%1, 1, 'мкФ', 'Ф', 'микрофарад', 1e-6, "
                            "0, %2)")
                 .arg(d, t1));
        exec(QStringLiteral("INSERT INTO T_UNIT (DBID, ID, S_PREFIX, C_TIMESTAMP) VALUES (%1, 2, "
                            "'Ом', %2)")
                 .arg(d, t1));
        exec(QStringLiteral("INSERT INTO T_BASE_PARAM (DBID, ID, CLASSDBID, CLASSID, UNITDBID, "
                            "UNITID, S_NAME, V_SELVALTYPE, UPID, V_FLAG, C_TIMESTAMP) VALUES (%1, "
                            "1, %1, 3, %1, 1, 'Ёмкость', 2, 'C', 0, %2)")
                 .arg(d, t1));
        exec(QStringLiteral("INSERT INTO T_BASE_PARAM (DBID, ID, CLASSDBID, CLASSID, S_NAME, "
                            "C_TIMESTAMP) VALUES (%1, 2, %1, 3, 'Корпус', %2)")
                 .arg(d, t1));

        q.SetSQL(QStringLiteral("INSERT INTO T_ELEMENT_TYPE (DBID, ID, CLASSDBID, CLASSID, "
                                "CASEDBID, CASEID, MAKERDBID, MAKERID, S_TYPENAME, S_MARKING, "
                                "S_DESCRIPTION, B_IMAGE, S_DATASHEET, V_FLAG, C_TIMESTAMP, "
                                "U_TIMESTAMP) VALUES (:DBID, :ID, :CDBID, :CID, :CSDBID, :CSID, "
                                ":MDBID, :MID, :NAME, :MARK, :DESCR, :IMG, :DS, 0, %1, :U)")
                     .arg(t1));
        const struct {
            quint32 DBId, Id, ClassId;
            bool Full;
        } types[] = {
            {ADBId, 1, 3, true}, {ADBId, 2, 3, false}, {ADBId, 3, 5, false}, {1000, 77, 3, false}};
        for (const auto& et : types) {
            q.ParamByName("DBID").SetAsInteger(static_cast<qint32>(et.DBId));
            q.ParamByName("ID").SetAsInteger(static_cast<qint32>(et.Id));
            q.ParamByName("CDBID").SetAsInteger(static_cast<qint32>(ADBId));
            q.ParamByName("CID").SetAsInteger(static_cast<qint32>(et.ClassId));
            q.ParamByName("NAME").SetAsString(QStringLiteral("К561ИЕ%1").arg(et.Id));
            if (et.Full) {
                q.ParamByName("CSDBID").SetAsInteger(static_cast<qint32>(ADBId));
                q.ParamByName("CSID").SetAsInteger(1);
                q.ParamByName("MDBID").SetAsInteger(static_cast<qint32>(ADBId));
                q.ParamByName("MID").SetAsInteger(1);
                q.ParamByName("MARK").SetAsString(QStringLiteral("ИЕ10"));
                q.ParamByName("DESCR").SetAsString(
                    QStringLiteral("Двоичный счётчик\r\nвторая строка"));
                q.ParamByName("IMG").SetAsBytes(TestPicture(3));
                q.ParamByName("DS").SetAsString(QStringLiteral("https://docs.example/ie10.pdf"));
                q.ParamByName("U").SetAsDateTime(EncodeDateTime(2024, 5, 6, 7, 8, 9, 123));
            } else {
                for (const char* name :
                     {"CSDBID", "CSID", "MDBID", "MID", "MARK", "DESCR", "IMG", "DS", "U"})
                    q.ParamByName(QLatin1String(name)).Clear();
            }
            q.ExecSQL();
        }
        exec(QStringLiteral("INSERT INTO T_PARAM (DBID, ID, ELEMENTTYPEDBID, ELEMENTTYPEID, "
                            "BASEPARAMDBID, BASEPARAMID, UNITDBID, UNITID, S_NAME, V_MINVAL, "
                            "V_TYPEVAL, V_MAXVAL, S_STRVAL, V_BOOLVAL, S_TESTCOND, UPID, V_FLAG, "
                            "C_TIMESTAMP) VALUES (%1, 1, %1, 1, %1, 1, %1, 1, 'Ёмкость входа', "
                            "0.1, 0.33333333333333331, 1e-300, 'около', 1, 'при 25 °C', 'C', 3, "
                            "%2)")
                 .arg(d, t1));
        exec(QStringLiteral(
                 "INSERT INTO T_PARAM (DBID, ID, ELEMENTTYPEDBID, ELEMENTTYPEID, "
                 "S_NAME, S_STRVAL, C_TIMESTAMP) VALUES (%1, 2, %1, 2, 'Примечание', '', %2)")
                 .arg(d, t1));
        exec(QStringLiteral("INSERT INTO T_PIN (DBID, ID, ELEMENTTYPEDBID, ELEMENTTYPEID, V_NUM, "
                            "S_NAME, V_ASSIGN, C_TIMESTAMP) VALUES (%1, 1, %1, 1, 1, 'Вход', 1, "
                            "%2)")
                 .arg(d, t1));
        exec(QStringLiteral("INSERT INTO T_PIN (DBID, ID, ELEMENTTYPEDBID, ELEMENTTYPEID, V_NUM, "
                            "S_NAME, C_TIMESTAMP) VALUES (%1, 2, %1, 1, 16, 'Питание', %2)")
                 .arg(d, t1));
        exec(QStringLiteral("INSERT INTO T_ELEMENT_ANALOG (DBID, ID, PELEMENTTYPEDBID, "
                            "PELEMENTTYPEID, AELEMENTTYPEDBID, AELEMENTTYPEID, V_FUNCTIONAL, "
                            "S_TEXT, C_TIMESTAMP) VALUES (%1, 1, %1, 1, %1, 2, 1, 'Полный аналог', "
                            "%2)")
                 .arg(d, t1));
        // The generators stand where the rows above would have left them; every flag is set, as
        // the program's cards set it (a package writes a NULL flag as 0).
        for (const char* table : {"T_CLASS", "T_CASE", "T_MAKER", "T_UNIT", "T_BASE_PARAM",
                                  "T_ELEMENT_TYPE", "T_PARAM", "T_PIN", "T_ELEMENT_ANALOG"}) {
            exec(QStringLiteral("ALTER SEQUENCE GEN_%1_ID RESTART WITH 100")
                     .arg(QLatin1String(table)));
            exec(QStringLiteral("UPDATE %1 SET V_FLAG = 0 WHERE V_FLAG IS NULL")
                     .arg(QLatin1String(table)));
        }
    });
}

TTestDataBase& TPackageTest::NewDataBase(quint32 ADBId, bool AFill) {
    FDataBases.push_back(
        std::make_unique<TTestDataBase>(ADBId, QStringLiteral("База %1").arg(ADBId)));
    TTestDataBase& db = *FDataBases.back();
    SysTestSeams::SetDriveType(QFileInfo(db.FileName()).path(), dtFixed);
    if (AFill)
        FillCatalogue(db.FileName(), ADBId);
    return db;
}

void TPackageTest::Connect(const TTestDataBase& ADataBase) {
    int error = 0;
    if (FModule->DBConnected())
        FModule->DataBaseDisconnect(error);
    ASSERT_EQ(FModule->DataBaseConnect(ADataBase.FileName(), FModule->CurrentUser(), error), crOk);
}

bool TPackageTest::Export(const QString& AFileName,
                          const std::vector<std::pair<quint32, quint32>>& AClasses,
                          TDateTime AExportDateTime) {
    std::vector<TKVExportItemIndexData> items;
    for (const auto& [dbid, id] : AClasses)
        items.push_back({dbid, id, itClass});
    FMonitor.Lines.clear();
    TKVPackageExporter exporter(*FModule, FMonitor);
    return exporter.ExportData(AFileName, items, AExportDateTime);
}

bool TPackageTest::Import(const QString& AFileName, bool ATestImport,
                          std::function<void(TKVPackageTable)> AHook) {
    FMonitor.Lines.clear();
    TKVPackageImporter importer(*FModule, FMonitor);
    importer.SetTableStepHook(std::move(AHook));
    return importer.ImportData(AFileName, ATestImport);
}

QJsonObject XlrdHeaderDump(const QString& AFileName, int AColumns) {
    const char* script = R"PY(
import json, sys, xlrd
book = xlrd.open_workbook(sys.argv[1], formatting_info=True)
sh = book.sheet_by_index(0)
cells = []
for c in range(sh.ncols):
    xf = book.xf_list[sh.cell_xf_index(0, c)]
    cells.append({"text": sh.cell_value(0, c), "bold": book.font_list[xf.font_index].weight >= 700,
                  "h": xf.alignment.hor_align, "v": xf.alignment.vert_align,
                  "bg": xf.background.pattern_colour_index})
print(json.dumps({"name": sh.name, "rows": sh.nrows, "cells": cells,
                  "height": sh.rowinfo_map[0].height,
                  "widths": [sh.colinfo_map[c].width for c in range(int(sys.argv[2]))]}))
)PY";
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"),
                                                      QString::fromUtf8(script), AFileName,
                                                      QString::number(AColumns)});
    EXPECT_TRUE(python.waitForFinished(60000));
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}
