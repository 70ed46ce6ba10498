#pragma once

// Shared by the sources of this folder only: the client library's interfaces.

#include "platform/ib/IBDatabase.h"

#include <firebird/Interface.h>

namespace IBClient {

Firebird::IProvider* Provider();

// A status object for one call sequence, disposed of when it goes out of scope.
struct TStatus {
    Firebird::IStatus* s;
    Firebird::ThrowStatusWrapper w;
    TStatus() : s(Master()->getStatus()), w(s) {}
    ~TStatus() { s->dispose(); }
    TStatus(const TStatus&) = delete;
    TStatus& operator=(const TStatus&) = delete;
};

} // namespace IBClient
