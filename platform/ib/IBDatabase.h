#pragma once

// The database layer: a connection (TIBDatabase), transactions on it (TIBTransaction) and
// SQL statements (TIBQuery, IBQuery.h) over the Firebird client library's object API.
// A plain file name attaches through the embedded engine in this process; a name of the form
// host:/path/file.fdb reaches a Firebird server. Texts travel in Windows-1251 and are
// converted to and from QString here.

#include "platform/sys/SysUtils.h"

#include <QString>
#include <QStringList>
#include <set>
#include <vector>

namespace Firebird {
class IAttachment;
class ITransaction;
class IMaster;
class IUtil;
class IStatus;
} // namespace Firebird

// Every error the engine reports becomes an EIBError carrying the engine's own message.
class EIBError : public Exception {
public:
    EIBError(QString AMessage, int ASQLCode = 0, int AIBErrorCode = 0);
    QString ClassName() const override { return QStringLiteral("EIBError"); }
    // The SQL error code and the engine's primary error code (isc_...), 0 when unknown.
    int SQLCode() const { return FSQLCode; }
    int IBErrorCode() const { return FIBErrorCode; }
    // Every error code (isc_...) of the engine's report, the primary one first; the codes
    // after it say what lay behind it (the primary "I/O error" may be a file held by another
    // process, for one).
    const std::vector<int>& IBErrorCodes() const { return FIBErrorCodes; }
    bool HasIBErrorCode(int ACode) const;
    void SetIBErrorCodes(std::vector<int> ACodes) { FIBErrorCodes = std::move(ACodes); }

private:
    int FSQLCode;
    int FIBErrorCode;
    std::vector<int> FIBErrorCodes;
};

class TIBTransaction;
class TIBQuery;

// Internal access to the client library, shared by the classes of this folder.
namespace IBClient {
// The master interface. The first call sets FIREBIRD_LOCK to a folder of the user's own
// when the environment does not set it.
Firebird::IMaster* Master();
Firebird::IUtil* Util();
// Raises EIBError with the text of a failed status.
[[noreturn]] void RaiseStatus(const Firebird::IStatus* AStatus);
// Stops the embedded engine's threads; call once before the process ends.
void Shutdown();
} // namespace IBClient

class TIBDatabase {
public:
    TIBDatabase();
    ~TIBDatabase();
    TIBDatabase(const TIBDatabase&) = delete;
    TIBDatabase& operator=(const TIBDatabase&) = delete;

    const QString& DatabaseName() const { return FDatabaseName; }
    void SetDatabaseName(const QString& AName);

    // Connection parameters as name=value lines: user_name, password, lc_ctype, and for
    // CreateDatabase also page_size, set_db_charset (default character set of a new file)
    // and sql_dialect. The connection character set is WIN1251 unless lc_ctype says else.
    QStringList& Params() { return FParams; }
    const QStringList& Params() const { return FParams; }

    void Open();
    void Close();
    bool Connected() const { return FAttachment != nullptr; }
    void SetConnected(bool AValue) { AValue ? Open() : Close(); }

    // Creates the file named by DatabaseName with Params and leaves the connection open.
    void CreateDatabase();
    // Drops the open database: closes the connection and deletes the file.
    void DropDatabase();

    // Names of the user tables (views and system tables left out), trimmed, in name order.
    QStringList GetTableNames();

    Firebird::IAttachment* Attachment() const { return FAttachment; }

private:
    friend class TIBTransaction;
    friend class TIBQuery;
    void CheckConnected() const;
    QByteArray BuildDpb(bool ACreate) const;
    void ReleaseChildren();

    QString FDatabaseName;
    QStringList FParams;
    Firebird::IAttachment* FAttachment = nullptr;
    std::set<TIBTransaction*> FTransactions;
    std::set<TIBQuery*> FQueries;
};

class TIBTransaction {
public:
    explicit TIBTransaction(TIBDatabase* ADefaultDatabase = nullptr);
    ~TIBTransaction();
    TIBTransaction(const TIBTransaction&) = delete;
    TIBTransaction& operator=(const TIBTransaction&) = delete;

    TIBDatabase* DefaultDatabase() const { return FDatabase; }
    void SetDefaultDatabase(TIBDatabase* ADatabase);

    // Transaction parameters by name: read_committed, rec_version, no_rec_version,
    // concurrency, consistency, wait, nowait, read, write. The default is a read-committed
    // transaction that fails at once on an update conflict instead of waiting, since every
    // transaction of the program lives on one thread.
    QStringList& Params() { return FParams; }

    void StartTransaction();
    void Commit();
    void Rollback();
    void CommitRetaining();
    bool InTransaction() const { return FTransaction != nullptr; }

    Firebird::ITransaction* Handle() const { return FTransaction; }

private:
    friend class TIBDatabase;
    friend class TIBQuery;
    void CloseQueries();
    void Detach();
    QByteArray BuildTpb() const;

    TIBDatabase* FDatabase = nullptr;
    QStringList FParams;
    Firebird::ITransaction* FTransaction = nullptr;
    std::set<TIBQuery*> FQueries;
};

// Rolls the transaction back when it leaves scope still active, so that an exception on
// any path between StartTransaction and Commit never leaves it open.
class TIBTransactionScope {
public:
    explicit TIBTransactionScope(TIBTransaction& ATransaction) : FTransaction(ATransaction) {
        if (!FTransaction.InTransaction())
            FTransaction.StartTransaction();
    }
    ~TIBTransactionScope() {
        if (FTransaction.InTransaction()) {
            try {
                FTransaction.Rollback();
            } catch (...) {
            }
        }
    }
    void Commit() { FTransaction.Commit(); }
    TIBTransactionScope(const TIBTransactionScope&) = delete;
    TIBTransactionScope& operator=(const TIBTransactionScope&) = delete;

private:
    TIBTransaction& FTransaction;
};
