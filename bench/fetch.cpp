// Fetches every element type of the benchmark database through the database layer into row
// objects and compares the time with that of isql-fb printing the same rows to /dev/null.
// The same is then measured with the names of class, maker and case joined in, as the
// element-type list reads them; there the engine's own join work weighs on both sides.
//
//   bench_fetch [DATA_FOLDER]
//
// Prints the medians and last a line "ratio: X": our time over isql-fb's for the plain rows.

#include "bench/BenchCommon.h"
#include "platform/ib/IBQuery.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryFile>
#include <QTextStream>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

const char* const kSelectPlain =
    "SELECT TET.DBID, TET.ID, TET.CLASSDBID, TET.CLASSID, TET.CASEDBID, TET.CASEID, "
    "TET.MAKERDBID, TET.MAKERID, TET.S_TYPENAME, TET.S_MARKING, TET.S_DESCRIPTION, "
    "TET.S_DATASHEET, TET.C_TIMESTAMP, TET.U_TIMESTAMP FROM T_ELEMENT_TYPE TET";

const char* const kSelectJoined =
    "SELECT TET.DBID, TET.ID, TET.CLASSDBID, TET.CLASSID, TET.CASEDBID, TET.CASEID, "
    "TET.MAKERDBID, TET.MAKERID, TET.S_TYPENAME, TET.S_MARKING, TET.S_DESCRIPTION, "
    "TET.S_DATASHEET, TET.C_TIMESTAMP, TET.U_TIMESTAMP, TC.S_NAME AS CLASSNAME, "
    "TM.S_NAME AS MAKERNAME, TCS.S_TYPENAME AS CASENAME "
    "FROM T_ELEMENT_TYPE TET "
    "LEFT JOIN T_CLASS TC ON TC.DBID = TET.CLASSDBID AND TC.ID = TET.CLASSID "
    "LEFT JOIN T_MAKER TM ON TM.DBID = TET.MAKERDBID AND TM.ID = TET.MAKERID "
    "LEFT JOIN T_CASE TCS ON TCS.DBID = TET.CASEDBID AND TCS.ID = TET.CASEID";

// The fields a list window keeps of an element type.
struct TBenchElementType {
    quint32 DBId = 0, Id = 0, ClassDBId = 0, ClassId = 0, CaseDBId = 0, CaseId = 0;
    quint32 MakerDBId = 0, MakerId = 0;
    QString TypeName, Marking, Description, Datasheet, ClassName, MakerName, CaseName;
    TDateTime Created = 0, Updated = 0;
};

size_t FetchThroughLayer(const QString& AFile, const char* ASelect) {
    TIBDatabase db;
    db.SetDatabaseName(AFile);
    db.Open();
    TIBTransaction tr(&db);
    TIBQuery q(&db, &tr);
    TIBTransactionScope scope(tr);
    q.SetSQL(QString::fromLatin1(ASelect));
    q.Open();
    const bool joined = q.FindField("CLASSNAME") != nullptr;
    std::vector<std::unique_ptr<TBenchElementType>> rows;
    while (!q.Eof()) {
        auto row = std::make_unique<TBenchElementType>();
        row->DBId = static_cast<quint32>(q.FieldByName("DBID").AsInteger());
        row->Id = static_cast<quint32>(q.FieldByName("ID").AsInteger());
        row->ClassDBId = static_cast<quint32>(q.FieldByName("CLASSDBID").AsInteger());
        row->ClassId = static_cast<quint32>(q.FieldByName("CLASSID").AsInteger());
        row->CaseDBId = static_cast<quint32>(q.FieldByName("CASEDBID").AsInteger());
        row->CaseId = static_cast<quint32>(q.FieldByName("CASEID").AsInteger());
        row->MakerDBId = static_cast<quint32>(q.FieldByName("MAKERDBID").AsInteger());
        row->MakerId = static_cast<quint32>(q.FieldByName("MAKERID").AsInteger());
        row->TypeName = q.FieldByName("S_TYPENAME").AsString();
        row->Marking = q.FieldByName("S_MARKING").AsString();
        row->Description = q.FieldByName("S_DESCRIPTION").AsString();
        row->Datasheet = q.FieldByName("S_DATASHEET").AsString();
        row->Created = q.FieldByName("C_TIMESTAMP").AsDateTime();
        row->Updated = q.FieldByName("U_TIMESTAMP").AsDateTime();
        if (joined) {
            row->ClassName = q.FieldByName("CLASSNAME").AsString();
            row->MakerName = q.FieldByName("MAKERNAME").AsString();
            row->CaseName = q.FieldByName("CASENAME").AsString();
        }
        rows.push_back(std::move(row));
        q.Next();
    }
    q.Close();
    scope.Commit();
    db.Close();
    return rows.size();
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QString folder = BenchDataFolder(argc, argv);
    int rc = 0;
    try {
        const QString file = EnsureBenchDataBase(folder);
        QTemporaryFile script;
        auto runIsql = [&] {
            QProcess isql;
            isql.setStandardOutputFile(QProcess::nullDevice());
            isql.start(QStringLiteral("isql-fb"),
                       {QStringLiteral("-user"), QStringLiteral("SYSDBA"), QStringLiteral("-ch"),
                        QStringLiteral("WIN1251"), QStringLiteral("-q"), QStringLiteral("-i"),
                        script.fileName(), file});
            isql.waitForFinished(-1);
            if (isql.exitCode() != 0)
                throw Exception(QStringLiteral("isql-fb failed: ") +
                                QString::fromLocal8Bit(isql.readAllStandardError()));
        };
        double ratio = 0;
        for (const char* select : {kSelectJoined, kSelectPlain}) {
            size_t count = FetchThroughLayer(file, select); // warms the file cache
            const double ours =
                MedianMilliseconds(7, [&] { count = FetchThroughLayer(file, select); });
            script.open();
            script.resize(0);
            script.write("SET HEADING OFF;\n");
            script.write(select);
            script.write(";\n");
            script.flush();
            runIsql();
            const double isql = MedianMilliseconds(7, runIsql);
            std::printf("%s, %zu rows:\n",
                        select == kSelectPlain ? "element types"
                                               : "element types with class, maker and case names",
                        count);
            std::printf("  layer into row objects: %.1f ms (median of 7)\n", ours);
            std::printf("  isql-fb to /dev/null:   %.1f ms (median of 7)\n", isql);
            std::printf("  time ratio: %.2f\n", ours / isql);
            ratio = ours / isql;
        }
        std::printf("ratio: %.2f\n", ratio);
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        rc = 1;
    }
    IBClient::Shutdown();
    return rc;
}
