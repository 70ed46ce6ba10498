#pragma once

// Binding the parameter values of an element type (T_PARAM) to the base parameters of a class,
// apart from the windows: the element-type list binds the values of its types to the list's
// class on request, and the element-type card, when it moves a type to another class, unbinds
// its values and may bind them to the new class.
//
// A value is bound to the base parameter of the class whose UPID equals the value's ignoring
// letter case and whose unit is the value's (or which, like the value, has none). Where several
// match, the one with the smallest key (DBID, then ID) is taken, so the two key columns always
// name the same base parameter. A value that matches none is left as it is and not counted;
// values already bound, values without UPID and values whose flag NLTBP (4) is set are never
// bound.
//
// Only values whose rows the record permission rule lets this database change are touched: with
// option BLIMod off none of the base level (DBID 0), with option NSIMod off only the open
// database's own. The caller runs the work in its transaction.

#include "core/KVList.h"

#include <functional>

class TIBQuery;

class TKVParamRebinding {
public:
    // Which value rows may be changed: the options BLIMod and NSIMod and the open database's
    // DBID (FromOptions: as they are in force).
    struct TPermission {
        bool BLIMod = false;
        bool NSIMod = false;
        quint32 CurrentDBId = 0;
    };
    static TPermission PermissionFromOptions();

    TKVParamRebinding(TIBQuery& AQuery, const TPermission& APermission);

    // Binds the unbound values of the type to base parameters of the class; returns the
    // number of values bound.
    int Bind(const TKVDBKey& AClass, const TKVDBKey& AElementType);
    // Unbinds every value of the type; returns the number of values unbound.
    int Unbind(const TKVDBKey& AElementType);
    // Whether Bind would bind at least one value of the type.
    bool Bindable(const TKVDBKey& AClass, const TKVDBKey& AElementType);

    // The type (AElementType) moved to class AClass: its values are unbound, then, when some
    // value would be bound and AWanted says so (asked only then: the option, the user's
    // answer), bound to the new class's base parameters. Returns the number of values bound.
    int ClassChanged(const TKVDBKey& AClass, const TKVDBKey& AElementType,
                     const std::function<bool()>& AWanted);

private:
    // Sets the statement unless the query holds it already (a run over many types prepares
    // it once), and binds the type's key and, where the text has them, the class's key and
    // the open database's DBID.
    void Prepare(const QString& ASQL, const TKVDBKey* AClass, const TKVDBKey& AElementType);
    // The restriction of the rows of alias TPR to those that may be changed (" AND ...").
    QString PermittedRows() const;

    TIBQuery& FQuery;
    TPermission FPermission;
};
