#include "bench/PackageBench.h"

#include "platform/ib/IBQuery.h"
#include "schema/MainSchema.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

namespace {

TKVPackageValue Int(qint64 AValue) {
    TKVPackageValue v;
    v.Null = false;
    v.Int = AValue;
    return v;
}
TKVPackageValue Float(double AValue) {
    TKVPackageValue v;
    v.Null = false;
    v.Float = AValue;
    return v;
}
TKVPackageValue Text(const QString& AValue) {
    TKVPackageValue v;
    v.Null = false;
    v.Text = AValue;
    return v;
}

// A row of ATable with the named values; the other columns NULL.
TKVPackageRow Row(TKVPackageTable ATable,
                  std::initializer_list<std::pair<const char*, TKVPackageValue>> AValues) {
    const TKVPackageTableDesc& desc = PackageTableDesc(ATable);
    TKVPackageRow row(desc.Columns.size());
    for (const auto& [name, value] : AValues)
        row[size_t(desc.ColumnIndex(QLatin1String(name)))] = value;
    return row;
}

const TDateTime KCreated = EncodeDateTime(2024, 3, 1, 10, 0, 0, 123);

// The rows of the catalogue, by table and number: the same for the source database and for the
// plain inserts.
TKVPackageRow CatalogueRow(TKVPackageTable ATable, int AIndex) {
    const qint64 db = KSourceDBId;
    const int i = AIndex + 1;
    switch (ATable) {
    case ptClass:
        return i > 10 ? Row(ATable, {{"DBID", Int(db)},
                                     {"ID", Int(i)},
                                     {"PARENTDBID", Int(db)},
                                     {"PARENTID", Int(1 + i % 10)},
                                     {"S_NAME", Text(QStringLiteral("Класс элементов №%1").arg(i))},
                                     {"V_FLAG", Int(0)},
                                     {"C_TIMESTAMP", Float(KCreated)}})
                      : Row(ATable, {{"DBID", Int(db)},
                                     {"ID", Int(i)},
                                     {"S_NAME", Text(QStringLiteral("Класс элементов №%1").arg(i))},
                                     {"V_FLAG", Int(0)},
                                     {"C_TIMESTAMP", Float(KCreated)}});
    case ptCase:
        return Row(ATable, {{"DBID", Int(db)},
                            {"ID", Int(i)},
                            {"S_TYPENAME", Text(QStringLiteral("КТ-%1").arg(i))},
                            {"V_PINCOUNT", Int(2 + i % 64)},
                            {"V_MOUNTTYPE", Int(1 + i % 4)},
                            {"V_FLAG", Int(0)},
                            {"C_TIMESTAMP", Float(KCreated)}});
    case ptMaker:
        return Row(ATable, {{"DBID", Int(db)},
                            {"ID", Int(i)},
                            {"S_NAME", Text(QStringLiteral("Завод «Электрон-%1»").arg(i))},
                            {"S_URL", Text(QStringLiteral("https://maker%1.example").arg(i))},
                            {"V_FLAG", Int(0)},
                            {"C_TIMESTAMP", Float(KCreated)}});
    case ptElementType:
        return Row(ATable,
                   {{"DBID", Int(db)},
                    {"ID", Int(i)},
                    {"CLASSDBID", Int(db)},
                    {"CLASSID", Int(1 + i % KClasses)},
                    {"CASEDBID", Int(db)},
                    {"CASEID", Int(1 + i % KCases)},
                    {"MAKERDBID", Int(db)},
                    {"MAKERID", Int(1 + i % KMakers)},
                    {"S_TYPENAME", Text(QStringLiteral("КР%1ЕН%2").arg(140 + i % 900).arg(i))},
                    {"S_MARKING", Text(QStringLiteral("M%1").arg(i, 6, 10, QLatin1Char('0')))},
                    {"S_DESCRIPTION",
                     Text(QStringLiteral("Микросхема серии %1, температура от -60 до +125 °C")
                              .arg(i % 900))},
                    {"V_FLAG", Int(0)},
                    {"C_TIMESTAMP", Float(KCreated)},
                    {"U_TIMESTAMP", Float(KCreated + i / 1000.0)}});
    case ptParam:
        return Row(ATable, {{"DBID", Int(db)},
                            {"ID", Int(i)},
                            {"ELEMENTTYPEDBID", Int(db)},
                            {"ELEMENTTYPEID", Int(1 + AIndex / KParamsPerType)},
                            {"S_NAME", Text(QStringLiteral("Параметр %1").arg(i % KParamsPerType))},
                            {"V_MINVAL", Float(i * 0.5)},
                            {"V_TYPEVAL", Float(i)},
                            {"S_STRVAL", Text(QString())},
                            {"V_FLAG", Int(0)},
                            {"C_TIMESTAMP", Float(KCreated)}});
    default:
        return {};
    }
}

} // namespace

// Inserts the catalogue's rows into the open database in one transaction with one prepared
// statement per table: the plain inserts the import is measured against.
void InsertCatalogue(TIBDatabase& ADataBase, const TCatalogueSize& ASize) {
    TIBTransaction tr(&ADataBase);
    TIBTransactionScope scope(tr);
    const TDateTime now = Now();
    for (const TKVPackageTable table : KVPackageDataTables) {
        const int count = ASize.Count(table);
        if (count == 0)
            continue;
        const TKVPackageTableDesc& desc = PackageTableDesc(table);
        TIBQuery insert(&ADataBase, &tr);
        insert.SetSQL(desc.InsertSQL(true));
        insert.Prepare();
        const TKVPackageRowWriter writer(desc, insert, pdImport);
        for (int i = 0; i < count; ++i) {
            writer.Bind(CatalogueRow(table, i), now);
            insert.ExecSQL();
        }
    }
    scope.Commit();
}

namespace {

// Makes AFile once: a main database of ADBId with the catalogue, and what AFinish adds.
QString EnsureCatalogue(const QString& AFile, quint32 ADBId, const QString& ADescription,
                        const TCatalogueSize& ASize,
                        const std::function<void(TIBDatabase&)>& AFinish = {}) {
    if (!QFileInfo::exists(AFile)) {
        std::fprintf(stderr, "Making %s ...\n", qPrintable(AFile));
        const QString part = AFile + QStringLiteral(".part");
        QFile::remove(part);
        CreateMainDataBase(part, ADBId, ADescription);
        {
            TIBDatabase db;
            db.SetDatabaseName(part);
            db.Open();
            InsertCatalogue(db, ASize);
            if (AFinish)
                AFinish(db);
            db.Close();
        }
        QFile::rename(part, AFile);
    }
    return AFile;
}

} // namespace

QString EnsureSource(const QString& AFolder, const TCatalogueSize& ASize) {
    return EnsureCatalogue(
        QDir(AFolder).filePath(QStringLiteral("bench-package-%1.fdb").arg(ASize.ElementTypes)),
        KSourceDBId, QStringLiteral("Каталог для замеров"), ASize);
}

QString EnsureEmpty(const QString& AFolder) {
    const QString file = QDir(AFolder).filePath(QStringLiteral("bench-package-empty.fdb"));
    if (!QFileInfo::exists(file))
        CreateMainDataBase(file, KTargetDBId, QStringLiteral("Пустая база"));
    return file;
}

// A fresh copy of AFile as AName in the work folder.
QString FreshCopy(const QString& AFile, const QTemporaryDir& AWork, const QString& AName) {
    const QString copy = AWork.filePath(AName);
    QFile::remove(copy);
    if (!QFile::copy(AFile, copy))
        throw Exception(QStringLiteral("Cannot copy %1").arg(AFile));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    return copy;
}

void Connect(TdmMain& AModule, const QString& AFile) {
    int error = 0;
    if (AModule.DBConnected())
        AModule.DataBaseDisconnect(error);
    if (AModule.DataBaseConnect(AFile, AModule.CurrentUser(), error) != crOk)
        throw Exception(QStringLiteral("Cannot connect %1").arg(AFile));
}

double Seconds(const std::function<void()>& AWork) {
    QElapsedTimer timer;
    timer.start();
    AWork();
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

void Check(bool AOk, const TQuietMonitor& AMonitor, const char* AWhat) {
    if (!AOk)
        throw Exception(QStringLiteral("%1 failed:\n%2")
                            .arg(QLatin1String(AWhat), AMonitor.Lines.join(QLatin1Char('\n'))));
}

QString EnsureImported(const QString& AFolder, const TCatalogueSize& ASize) {
    return EnsureCatalogue(
        QDir(AFolder).filePath(QStringLiteral("bench-imported-%1.fdb").arg(ASize.ElementTypes)),
        KTargetDBId, QStringLiteral("База с пакетом"), ASize, [](TIBDatabase& ADataBase) {
            TIBTransaction tr(&ADataBase);
            TIBTransactionScope scope(tr);
            TIBQuery record(&ADataBase, &tr);
            record.SetSQL(QStringLiteral("INSERT INTO SYS_VAR (ID, S_PARAM, V_INTEGER, V_STRING, "
                                         "V_TIMESTAMP) VALUES (NULL, 'PACKAGEIMPORTED', "
                                         ":VAR_DBID, :VAR_TEXT, :VAR_TIME)"));
            record.ParamByName("VAR_DBID").SetAsInteger(qint32(KSourceDBId));
            record.ParamByName("VAR_TEXT").SetAsString(QStringLiteral("Каталог для замеров"));
            record.ParamByName("VAR_TIME").SetAsDateTime(EncodeDateTime(2024, 6, 1, 12, 0));
            record.ExecSQL();
            scope.Commit();
        });
}
