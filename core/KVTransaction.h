#pragma once

// The transaction pattern of every database operation: start, work, commit; on an exception
// roll back and deal with the error. What is done with the error depends on the caller:
// - show it in the standard error box (a window's operation: the window stays usable);
// - write it to a log and go on (a long run that reports failures line by line);
// - raise it again (a caller that handles it itself).
// A transaction already active when the work starts is used as it is and still committed or
// rolled back at the end, so that no operation leaves one open.
//
// TKVTransactionPair keeps two transactions (a package file's and the open database's, say)
// that must both be written or neither: both start together and commit in the order the caller
// states; what has not committed when the pair goes is rolled back.

#include "core/KVUserInterface.h"
#include "platform/ib/IBDatabase.h"

#include <QString>

#include <functional>
#include <utility>

enum TKVErrorPolicy {
    epShowError, // the standard error box (caption the exception's class name)
    epLogError,  // the log function gets the exception's message
    epRethrow    // the exception goes on to the caller, after the rollback
};

// The log of the epLogError policy.
using TKVErrorLog = std::function<void(const QString& AMessage)>;

// Deals with the exception of a failed transaction as APolicy says: true when the caller must
// raise it again (epRethrow).
bool ReportTransactionError(const Exception& AException, TKVErrorPolicy APolicy,
                            const TKVErrorLog& ALog);

// Runs AWork inside ATransaction and commits. When an Exception leaves AWork or the commit,
// the transaction is rolled back and the error goes where APolicy says; the result is then
// false. Exceptions of other types pass on after the rollback.
template <class TWork>
bool RunInTransaction(TIBTransaction& ATransaction, TKVErrorPolicy APolicy, TWork&& AWork,
                      const TKVErrorLog& ALog = {}) {
    try {
        TIBTransactionScope scope(ATransaction);
        std::forward<TWork>(AWork)();
        scope.Commit();
        return true;
    } catch (const Exception& e) {
        if (ReportTransactionError(e, APolicy, ALog))
            throw;
        return false;
    }
}

class TKVTransactionPair {
public:
    // Starts both transactions (those not active yet). Commit writes AFirst, then ASecond.
    TKVTransactionPair(TIBTransaction& AFirst, TIBTransaction& ASecond);
    // Rolls back every transaction of the pair that has not committed.
    ~TKVTransactionPair();
    TKVTransactionPair(const TKVTransactionPair&) = delete;
    TKVTransactionPair& operator=(const TKVTransactionPair&) = delete;

    // Commits the first transaction, then the second. When the first commit fails, both are
    // rolled back; when the second fails, the first has been written and only the second is
    // rolled back (the caller states which is first for that reason). Raises the failure.
    void Commit();
    // Rolls back both (those still active).
    void Rollback();

private:
    TIBTransaction& FFirst;
    TIBTransaction& FSecond;
};

// Runs AWork inside the pair (AFirst, ASecond) and commits it in that order; errors as
// RunInTransaction says.
template <class TWork>
bool RunInTransactionPair(TIBTransaction& AFirst, TIBTransaction& ASecond, TKVErrorPolicy APolicy,
                          TWork&& AWork, const TKVErrorLog& ALog = {}) {
    try {
        TKVTransactionPair pair(AFirst, ASecond);
        std::forward<TWork>(AWork)();
        pair.Commit();
        return true;
    } catch (const Exception& e) {
        if (ReportTransactionError(e, APolicy, ALog))
            throw;
        return false;
    }
}
