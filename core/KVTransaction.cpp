#include "core/KVTransaction.h"

bool ReportTransactionError(const Exception& AException, TKVErrorPolicy APolicy,
                            const TKVErrorLog& ALog) {
    switch (APolicy) {
    case epShowError:
        ShowExceptionBox(AException);
        return false;
    case epLogError:
        if (ALog)
            ALog(AException.Message());
        return false;
    case epRethrow:
        return true;
    }
    return false;
}

namespace {

void RollbackQuietly(TIBTransaction& ATransaction) {
    if (!ATransaction.InTransaction())
        return;
    try {
        ATransaction.Rollback();
    } catch (...) {
        // The connection is gone or broken: nothing more can be undone here.
    }
}

} // namespace

TKVTransactionPair::TKVTransactionPair(TIBTransaction& AFirst, TIBTransaction& ASecond)
    : FFirst(AFirst), FSecond(ASecond) {
    if (!FFirst.InTransaction())
        FFirst.StartTransaction();
    try {
        if (!FSecond.InTransaction())
            FSecond.StartTransaction();
    } catch (...) {
        RollbackQuietly(FFirst);
        throw;
    }
}

TKVTransactionPair::~TKVTransactionPair() {
    Rollback();
}

void TKVTransactionPair::Commit() {
    FFirst.Commit();
    FSecond.Commit();
}

void TKVTransactionPair::Rollback() {
    RollbackQuietly(FFirst);
    RollbackQuietly(FSecond);
}
