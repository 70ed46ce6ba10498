#include "schema/MainSchema.h"

#include "platform/ib/IBQuery.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

extern const char kMainSchemaSql[];

QString MainSchemaScript() {
    return QString::fromUtf8(kMainSchemaSql);
}

QStringList SplitSQLScript(const QString& AScript) {
    QStringList statements;
    QString terminator = QStringLiteral(";");
    QString current;
    const qsizetype n = AScript.size();
    qsizetype i = 0;

    auto finish = [&]() {
        const QString text = current.trimmed();
        current.clear();
        if (text.isEmpty())
            return;
        // SET TERM <new> <old>: the new terminator follows the keywords.
        static const QRegularExpression setTerm(QStringLiteral("^SET\\s+TERM\\s+(\\S+)\\s*$"),
                                                QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch m = setTerm.match(text);
        if (m.hasMatch()) {
            terminator = m.captured(1);
            return;
        }
        statements << text;
    };

    while (i < n) {
        const QChar c = AScript.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            qsizetype j = i + 1;
            while (j < n) {
                if (AScript.at(j) == c) {
                    if (j + 1 < n && AScript.at(j + 1) == c) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            j = std::min(j + 1, n);
            current += QStringView(AScript).mid(i, j - i);
            i = j;
        } else if (c == QLatin1Char('-') && i + 1 < n && AScript.at(i + 1) == QLatin1Char('-')) {
            qsizetype j = AScript.indexOf(QLatin1Char('\n'), i);
            i = j < 0 ? n : j;
        } else if (c == QLatin1Char('/') && i + 1 < n && AScript.at(i + 1) == QLatin1Char('*')) {
            const qsizetype j = AScript.indexOf(QStringLiteral("*/"), i + 2);
            i = j < 0 ? n : j + 2;
            current += QLatin1Char(' ');
        } else if (QStringView(AScript).mid(i).startsWith(terminator)) {
            i += terminator.size();
            finish();
        } else {
            current += c;
            ++i;
        }
    }
    finish();
    return statements;
}

void RunSQLScript(TIBDatabase& ADataBase, const QString& AScript) {
    TIBTransaction tr(&ADataBase);
    TIBQuery q(&ADataBase, &tr);
    q.SetParamCheck(false);
    for (const QString& statement : SplitSQLScript(AScript)) {
        TIBTransactionScope scope(tr);
        q.SetSQL(statement);
        q.ExecSQL();
        q.SetSQL(QString());
        scope.Commit();
    }
}

void CreateMainDataBase(const QString& AFileName, quint32 ADBId, const QString& ADescription) {
    if (QFileInfo::exists(AFileName))
        throw Exception(
            QStringLiteral("Файл %1 уже существует; он не будет перезаписан.").arg(AFileName));
    TIBDatabase db;
    db.SetDatabaseName(AFileName);
    db.Params() << QStringLiteral("page_size=8192") << QStringLiteral("set_db_charset=WIN1251")
                << QStringLiteral("sql_dialect=3");
    db.CreateDatabase();
    try {
        RunSQLScript(db, MainSchemaScript());
        TIBTransaction tr(&db);
        TIBQuery q(&db, &tr);
        TIBTransactionScope scope(tr);
        q.SetSQL(
            QStringLiteral("INSERT INTO SYS_VAR (S_PARAM, V_INTEGER) VALUES ('DBID', :VAR_DBID)"));
        q.ParamByName(QStringLiteral("VAR_DBID")).SetAsInt64(ADBId);
        q.ExecSQL();
        q.SetSQL(QStringLiteral(
            "INSERT INTO SYS_VAR (S_PARAM, V_STRING) VALUES ('DBDESCRIPTION', :VAR_V_STRING)"));
        if (ADescription.isEmpty())
            q.ParamByName(QStringLiteral("VAR_V_STRING")).Clear();
        else
            q.ParamByName(QStringLiteral("VAR_V_STRING")).SetAsString(ADescription);
        q.ExecSQL();
        scope.Commit();
        db.Close();
    } catch (...) {
        try {
            if (db.Connected())
                db.DropDatabase();
        } catch (...) {
        }
        QFile::remove(AFileName);
        throw;
    }
}
