#include "platform/ib/IBDatabase.h"

#include "platform/ib/IBClientPrivate.h"
#include "platform/ib/IBQuery.h"
#include "platform/sys/Win1251.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <cstdlib>
#include <unistd.h>

using namespace Firebird;

EIBError::EIBError(QString AMessage, int ASQLCode, int AIBErrorCode)
    : Exception(std::move(AMessage)), FSQLCode(ASQLCode), FIBErrorCode(AIBErrorCode) {
    if (AIBErrorCode != 0)
        FIBErrorCodes.push_back(AIBErrorCode);
}

bool EIBError::HasIBErrorCode(int ACode) const {
    return std::find(FIBErrorCodes.begin(), FIBErrorCodes.end(), ACode) != FIBErrorCodes.end();
}

namespace {

IMaster* gMaster = nullptr;
IProvider* gProvider = nullptr;

// The engine keeps its lock files in FIREBIRD_LOCK, by default /tmp/firebird, a folder that
// belongs to whoever used the engine first on the machine. A folder of the user's own avoids
// "permission denied" when another user was first.
void PrepareLockFolder() {
    if (qEnvironmentVariableIsSet("FIREBIRD_LOCK"))
        return;
    QString base = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (base.isEmpty() || !QFileInfo(base).isWritable())
        base = QDir::tempPath();
    const QString folder =
        QStringLiteral("%1/firebird-lock-%2").arg(base).arg(static_cast<qulonglong>(getuid()));
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("FIREBIRD_LOCK", QFile::encodeName(folder));
}

} // namespace

namespace IBClient {

IMaster* Master() {
    if (!gMaster) {
        PrepareLockFolder();
        gMaster = fb_get_master_interface();
    }
    return gMaster;
}

IUtil* Util() {
    return Master()->getUtilInterface();
}

IProvider* Provider() {
    if (!gProvider)
        gProvider = Master()->getDispatcher();
    return gProvider;
}

void RaiseStatus(const IStatus* AStatus) {
    char text[4096];
    Util()->formatStatus(text, sizeof(text), const_cast<IStatus*>(AStatus));
    const ISC_STATUS* errors = const_cast<IStatus*>(AStatus)->getErrors();
    int sqlCode = 0;
    int gdsCode = 0;
    if (errors && errors[0] == isc_arg_gds) {
        gdsCode = static_cast<int>(errors[1]);
        sqlCode = isc_sqlcode(errors);
    }
    // Every code of the vector; the other arguments are skipped by their kind.
    std::vector<int> codes;
    for (const ISC_STATUS* p = errors; p && *p != isc_arg_end;) {
        if (*p == isc_arg_gds)
            codes.push_back(static_cast<int>(p[1]));
        p += *p == isc_arg_cstring ? 3 : 2;
    }
    QString message = FromWin1251(text, static_cast<qsizetype>(qstrlen(text))).trimmed();
    if (message.isEmpty())
        message = QStringLiteral("Unknown database error");
    EIBError error(message, sqlCode, gdsCode);
    error.SetIBErrorCodes(std::move(codes));
    throw error;
}

void Shutdown() {
    if (!gMaster)
        return;
    if (gProvider) {
        TStatus st;
        try {
            gProvider->shutdown(&st.w, 0, fb_shutrsn_app_stopped);
        } catch (const FbException&) {
        }
        gProvider->release();
        gProvider = nullptr;
    }
}

} // namespace IBClient

// ---------------------------------------------------------------------------- TIBDatabase

TIBDatabase::TIBDatabase() {
    FParams << QStringLiteral("user_name=SYSDBA") << QStringLiteral("lc_ctype=WIN1251");
}

TIBDatabase::~TIBDatabase() {
    try {
        Close();
    } catch (...) {
    }
    for (TIBQuery* q : std::set<TIBQuery*>(FQueries))
        q->DetachFromDatabase();
    for (TIBTransaction* t : std::set<TIBTransaction*>(FTransactions))
        t->Detach();
}

void TIBDatabase::SetDatabaseName(const QString& AName) {
    if (Connected())
        throw EIBError(QStringLiteral("Cannot change the database name while connected"));
    FDatabaseName = AName;
}

void TIBDatabase::CheckConnected() const {
    if (!FAttachment)
        throw EIBError(QStringLiteral("Database not connected"));
}

QByteArray TIBDatabase::BuildDpb(bool ACreate) const {
    using namespace IBClient;
    TStatus st;
    IXpbBuilder* dpb = nullptr;
    QByteArray result;
    try {
        dpb = Util()->getXpbBuilder(&st.w, IXpbBuilder::DPB, nullptr, 0);
        dpb->insertTag(&st.w, isc_dpb_utf8_filename);
        bool hasCharset = false;
        for (const QString& line : FParams) {
            const int eq = line.indexOf(QLatin1Char('='));
            const QString name = (eq < 0 ? line : line.left(eq)).trimmed().toLower();
            const QByteArray value = (eq < 0 ? QString() : line.mid(eq + 1)).trimmed().toUtf8();
            if (name == QLatin1String("user_name"))
                dpb->insertString(&st.w, isc_dpb_user_name, value.constData());
            else if (name == QLatin1String("password"))
                dpb->insertString(&st.w, isc_dpb_password, value.constData());
            else if (name == QLatin1String("lc_ctype")) {
                dpb->insertString(&st.w, isc_dpb_lc_ctype, value.constData());
                hasCharset = true;
            } else if (name == QLatin1String("page_size") && ACreate)
                dpb->insertInt(&st.w, isc_dpb_page_size, value.toInt());
            else if (name == QLatin1String("set_db_charset") && ACreate)
                dpb->insertString(&st.w, isc_dpb_set_db_charset, value.constData());
            else if (name == QLatin1String("sql_dialect") && ACreate)
                dpb->insertInt(&st.w, isc_dpb_sql_dialect, value.toInt());
        }
        if (!hasCharset)
            dpb->insertString(&st.w, isc_dpb_lc_ctype, "WIN1251");
        result = QByteArray(reinterpret_cast<const char*>(dpb->getBuffer(&st.w)),
                            static_cast<qsizetype>(dpb->getBufferLength(&st.w)));
        dpb->dispose();
    } catch (const FbException& e) {
        if (dpb)
            dpb->dispose();
        RaiseStatus(e.getStatus());
    }
    return result;
}

void TIBDatabase::Open() {
    if (Connected())
        return;
    if (FDatabaseName.isEmpty())
        throw EIBError(QStringLiteral("Database name is missing"));
    const QByteArray dpb = BuildDpb(false);
    const QByteArray name = FDatabaseName.toUtf8();
    IBClient::TStatus st;
    try {
        FAttachment = IBClient::Provider()->attachDatabase(
            &st.w, name.constData(), static_cast<unsigned>(dpb.size()),
            reinterpret_cast<const unsigned char*>(dpb.constData()));
    } catch (const FbException& e) {
        FAttachment = nullptr;
        IBClient::RaiseStatus(e.getStatus());
    }
}

void TIBDatabase::CreateDatabase() {
    if (Connected())
        throw EIBError(QStringLiteral("Database already connected"));
    if (FDatabaseName.isEmpty())
        throw EIBError(QStringLiteral("Database name is missing"));
    const QByteArray dpb = BuildDpb(true);
    const QByteArray name = FDatabaseName.toUtf8();
    IBClient::TStatus st;
    try {
        FAttachment = IBClient::Provider()->createDatabase(
            &st.w, name.constData(), static_cast<unsigned>(dpb.size()),
            reinterpret_cast<const unsigned char*>(dpb.constData()));
    } catch (const FbException& e) {
        FAttachment = nullptr;
        IBClient::RaiseStatus(e.getStatus());
    }
}

void TIBDatabase::ReleaseChildren() {
    for (TIBQuery* q : std::set<TIBQuery*>(FQueries))
        q->Unprepare();
    for (TIBTransaction* t : std::set<TIBTransaction*>(FTransactions)) {
        if (t->InTransaction()) {
            try {
                t->Rollback();
            } catch (const Exception&) {
            }
        }
    }
}

void TIBDatabase::Close() {
    if (!FAttachment)
        return;
    ReleaseChildren();
    IBClient::TStatus st;
    IAttachment* att = FAttachment;
    FAttachment = nullptr;
    try {
        att->detach(&st.w);
    } catch (const FbException& e) {
        att->release();
        IBClient::RaiseStatus(e.getStatus());
    }
}

void TIBDatabase::DropDatabase() {
    CheckConnected();
    ReleaseChildren();
    IBClient::TStatus st;
    IAttachment* att = FAttachment;
    FAttachment = nullptr;
    try {
        att->dropDatabase(&st.w);
    } catch (const FbException& e) {
        att->release();
        IBClient::RaiseStatus(e.getStatus());
    }
}

QStringList TIBDatabase::GetTableNames() {
    CheckConnected();
    TIBTransaction tr(this);
    tr.Params() = QStringList{QStringLiteral("read_committed"), QStringLiteral("rec_version"),
                              QStringLiteral("nowait"), QStringLiteral("read")};
    TIBQuery q(this, &tr);
    q.SetSQL(QStringLiteral("SELECT RDB$RELATION_NAME FROM RDB$RELATIONS "
                            "WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 AND RDB$VIEW_BLR IS NULL "
                            "ORDER BY RDB$RELATION_NAME"));
    QStringList names;
    TIBTransactionScope scope(tr);
    q.Open();
    while (!q.Eof()) {
        names << q.Fields(0).AsString().trimmed();
        q.Next();
    }
    q.Close();
    scope.Commit();
    return names;
}

// ------------------------------------------------------------------------- TIBTransaction

TIBTransaction::TIBTransaction(TIBDatabase* ADefaultDatabase) {
    FParams << QStringLiteral("read_committed") << QStringLiteral("rec_version")
            << QStringLiteral("nowait") << QStringLiteral("write");
    SetDefaultDatabase(ADefaultDatabase);
}

TIBTransaction::~TIBTransaction() {
    if (InTransaction()) {
        try {
            Rollback();
        } catch (...) {
        }
    }
    for (TIBQuery* q : std::set<TIBQuery*>(FQueries))
        q->DetachFromTransaction();
    if (FDatabase)
        FDatabase->FTransactions.erase(this);
}

void TIBTransaction::SetDefaultDatabase(TIBDatabase* ADatabase) {
    if (ADatabase == FDatabase)
        return;
    if (InTransaction())
        throw EIBError(QStringLiteral("Cannot change the database of an active transaction"));
    if (FDatabase)
        FDatabase->FTransactions.erase(this);
    FDatabase = ADatabase;
    if (FDatabase)
        FDatabase->FTransactions.insert(this);
}

QByteArray TIBTransaction::BuildTpb() const {
    using namespace IBClient;
    static const struct {
        const char* name;
        unsigned char tag;
    } kTags[] = {
        {"read_committed", isc_tpb_read_committed},
        {"rec_version", isc_tpb_rec_version},
        {"no_rec_version", isc_tpb_no_rec_version},
        {"concurrency", isc_tpb_concurrency},
        {"consistency", isc_tpb_consistency},
        {"wait", isc_tpb_wait},
        {"nowait", isc_tpb_nowait},
        {"read", isc_tpb_read},
        {"write", isc_tpb_write},
    };
    TStatus st;
    IXpbBuilder* tpb = nullptr;
    QByteArray result;
    try {
        tpb = Util()->getXpbBuilder(&st.w, IXpbBuilder::TPB, nullptr, 0);
        for (const QString& p : FParams) {
            const QByteArray name = p.trimmed().toLower().toLatin1();
            for (const auto& t : kTags)
                if (name == t.name)
                    tpb->insertTag(&st.w, t.tag);
        }
        result = QByteArray(reinterpret_cast<const char*>(tpb->getBuffer(&st.w)),
                            static_cast<qsizetype>(tpb->getBufferLength(&st.w)));
        tpb->dispose();
    } catch (const FbException& e) {
        if (tpb)
            tpb->dispose();
        RaiseStatus(e.getStatus());
    }
    return result;
}

void TIBTransaction::StartTransaction() {
    if (!FDatabase)
        throw EIBError(QStringLiteral("Transaction has no database"));
    FDatabase->CheckConnected();
    if (InTransaction())
        throw EIBError(QStringLiteral("Transaction is active"));
    const QByteArray tpb = BuildTpb();
    IBClient::TStatus st;
    try {
        FTransaction = FDatabase->FAttachment->startTransaction(
            &st.w, static_cast<unsigned>(tpb.size()),
            reinterpret_cast<const unsigned char*>(tpb.constData()));
    } catch (const FbException& e) {
        FTransaction = nullptr;
        IBClient::RaiseStatus(e.getStatus());
    }
}

void TIBTransaction::CloseQueries() {
    for (TIBQuery* q : std::set<TIBQuery*>(FQueries))
        q->CloseCursor();
}

void TIBTransaction::Commit() {
    if (!InTransaction())
        throw EIBError(QStringLiteral("Transaction is not active"));
    CloseQueries();
    IBClient::TStatus st;
    try {
        FTransaction->commit(&st.w);
        FTransaction = nullptr;
    } catch (const FbException& e) {
        // A failed commit leaves the transaction active, so that it can be rolled back.
        IBClient::RaiseStatus(e.getStatus());
    }
}

void TIBTransaction::CommitRetaining() {
    if (!InTransaction())
        throw EIBError(QStringLiteral("Transaction is not active"));
    IBClient::TStatus st;
    try {
        FTransaction->commitRetaining(&st.w);
    } catch (const FbException& e) {
        IBClient::RaiseStatus(e.getStatus());
    }
}

void TIBTransaction::Rollback() {
    if (!InTransaction())
        throw EIBError(QStringLiteral("Transaction is not active"));
    CloseQueries();
    IBClient::TStatus st;
    ITransaction* tra = FTransaction;
    FTransaction = nullptr;
    try {
        tra->rollback(&st.w);
    } catch (const FbException& e) {
        tra->release();
        IBClient::RaiseStatus(e.getStatus());
    }
}

void TIBTransaction::Detach() {
    FDatabase = nullptr;
    FTransaction = nullptr;
}
