#pragma once

// One favourite (T_FAVORITES) as the favourites window holds it per row.

#include "core/KVCommon.h"

struct TKVFavorites {
    quint32 Id = 0;
    quint32 ObjDBId = 0; // key of the favourite object
    quint32 ObjId = 0;
    TKVItemType Type = itUnknown;
    // 1: an element type whose pinout drawing can be shown; 2: a project that has items.
    quint8 Flags = 0;
};
