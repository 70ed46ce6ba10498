#pragma once

// What a card that refers to an element type shows of it: its name and its class.

#include "core/KVList.h"

#include <QString>

class TIBQuery;

struct TKVElementTypeRef {
    QString Name;
    TKVDBKey ClassKey;
    QString ClassName;
};

// Reads the type (ADBId, AId) with its class into ARef, inside the caller's transaction; false
// (ARef untouched) when the type does not exist.
bool ReadElementTypeRef(TIBQuery& AQuery, quint32 ADBId, quint32 AId, TKVElementTypeRef& ARef);
