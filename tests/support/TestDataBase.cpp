#include "tests/support/TestDataBase.h"

#include "platform/ib/IBQuery.h"
#include "schema/MainSchema.h"

#include <QFile>
#include <stdexcept>

namespace {

// The build makes a template database from the schema; every test copies it. Without one the
// schema is run once per test program.
const QString& TemplateFile() {
    static QTemporaryDir dir;
    static QString file;
#ifdef KV_TEST_TEMPLATE_DB
    if (file.isEmpty() && QFile::exists(QStringLiteral(KV_TEST_TEMPLATE_DB)))
        file = QStringLiteral(KV_TEST_TEMPLATE_DB);
#endif
    if (file.isEmpty()) {
        if (!dir.isValid())
            throw std::runtime_error("cannot make a temporary folder");
        file = dir.filePath(QStringLiteral("template.fdb"));
        CreateMainDataBase(file, 0, QString());
    }
    return file;
}

} // namespace

TTestDataBase::TTestDataBase(quint32 ADBId, const QString& ADescription) {
    if (!FDir.isValid())
        throw std::runtime_error("cannot make a temporary folder");
    FFileName = FDir.filePath(QStringLiteral("test.fdb"));
    if (!QFile::copy(TemplateFile(), FFileName))
        throw std::runtime_error("cannot copy the template database");
    QFile::setPermissions(FFileName, QFile::ReadOwner | QFile::WriteOwner);

    TIBDatabase db;
    db.SetDatabaseName(FFileName);
    db.Open();
    TIBTransaction tr(&db);
    TIBQuery q(&db, &tr);
    TIBTransactionScope scope(tr);
    q.SetSQL(QStringLiteral("UPDATE SYS_VAR SET V_INTEGER = :V WHERE S_PARAM = 'DBID'"));
    q.ParamByName(QStringLiteral("V")).SetAsInt64(ADBId);
    q.ExecSQL();
    q.SetSQL(QStringLiteral("UPDATE SYS_VAR SET V_STRING = :V WHERE S_PARAM = 'DBDESCRIPTION'"));
    q.ParamByName(QStringLiteral("V")).SetAsString(ADescription);
    q.ExecSQL();
    if (q.RowsAffected() == 0 && !ADescription.isEmpty()) {
        q.SetSQL(
            QStringLiteral("INSERT INTO SYS_VAR (S_PARAM, V_STRING) VALUES ('DBDESCRIPTION', :V)"));
        q.ParamByName(QStringLiteral("V")).SetAsString(ADescription);
        q.ExecSQL();
    }
    scope.Commit();
    db.Close();
}

TTestDataBase::~TTestDataBase() = default;

void TTestDataBase::Exec(const QString& ASQL) const {
    TIBDatabase db;
    db.SetDatabaseName(FFileName);
    db.Open();
    TIBTransaction tr(&db);
    TIBQuery q(&db, &tr);
    TIBTransactionScope scope(tr);
    q.SetSQL(ASQL);
    q.ExecSQL();
    scope.Commit();
    db.Close();
}

QVariant TTestDataBase::Scalar(const QString& ASQL) const {
    TIBDatabase db;
    db.SetDatabaseName(FFileName);
    db.Open();
    TIBTransaction tr(&db);
    TIBQuery q(&db, &tr);
    TIBTransactionScope scope(tr);
    q.SetSQL(ASQL);
    q.Open();
    QVariant result = q.Eof() ? QVariant() : q.Fields(0).Value();
    q.Close();
    scope.Commit();
    db.Close();
    return result;
}
