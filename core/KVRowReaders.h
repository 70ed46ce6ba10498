#pragma once

// One reader per table: how the current row of a query becomes a row object. Lists, cards and
// every other reader of a table go through it, so a column is read in one place only.
//
// A reader takes the columns by their names in the table (DBID, ID, S_NAME ...) and the names
// of joined rows under fixed aliases (CLASSNAME, UNITPREFIX, PARENTCLASSNAME ...). A column the
// query does not select leaves the row's value as it is; a NULL key reads as 0 and a NULL icon
// as -1 (no icon).
//
// ReadRow fills the fields of an existing row without touching its key (a card's row, or a
// copy that is not stored yet); NewRowFromQuery makes a row with the key of the query's row.

#include "core/KVBaseParam.h"
#include "core/KVCase.h"
#include "core/KVClass.h"
#include "core/KVElementAvail.h"
#include "core/KVElementAnalog.h"
#include "core/KVElementSupplier.h"
#include "core/KVElementType.h"
#include "core/KVMaker.h"
#include "core/KVNote.h"
#include "core/KVParam.h"
#include "core/KVPin.h"
#include "core/KVProject.h"
#include "core/KVProjectItem.h"
#include "core/KVStorage.h"
#include "core/KVSupplier.h"
#include "core/KVUnit.h"

#include <memory>

class TIBQuery;

// The columns of the query's current row by name, with the value a missing column gives.
class TKVRowFields {
public:
    explicit TKVRowFields(TIBQuery& AQuery) : FQuery(AQuery) {}

    bool Has(const char* AName) const;
    QString Text(const char* AName, const QString& AMissing = QString()) const;
    // A key column: NULL reads as 0.
    quint32 Key(const char* AName, quint32 AMissing = 0) const;
    qint32 Integer(const char* AName, qint32 AMissing = 0) const;
    // An integer that may be NULL: NULL reads as ANull.
    qint32 IntegerOrNull(const char* AName, qint32 ANull, qint32 AMissing) const;
    double Float(const char* AName, double AMissing = 0) const;
    TDateTime DateTime(const char* AName, TDateTime AMissing = 0) const;
    // Whether the column holds a value (is not NULL).
    bool NotNull(const char* AName, bool AMissing) const;

private:
    TIBQuery& FQuery;
};

void ReadRow(TIBQuery& AQuery, TKVUnit& ARow);
void ReadRow(TIBQuery& AQuery, TKVMaker& ARow);
// V_ASSIGN outside the pin types reads as ptUnknown; ELEMENTTYPENAME comes from a join. The
// element-type key of a new row: ELEMENTTYPEDBID, ELEMENTTYPEID.
void ReadRow(TIBQuery& AQuery, TKVPin& ARow);
void ReadRow(TIBQuery& AQuery, TKVSupplier& ARow);
// The primary and the analog type's names and classes come from joins: PELEMENTTYPENAME,
// PELEMENTTYPECLASSDBID, PELEMENTTYPECLASSID, PELEMENTTYPECLASSNAME and the same with A.
void ReadRow(TIBQuery& AQuery, TKVElementAnalog& ARow);
// V_PRICE NULL: no price. SUPPLIERNAME, ELEMENTTYPENAME, CLASSDBID, CLASSID, CLASSNAME (the
// type's class) and CLASSICONID come from joins.
void ReadRow(TIBQuery& AQuery, TKVElementSupplier& ARow);
// The drawing parameters (V_CV_PTTPRM) are read when the query selects them.
void ReadRow(TIBQuery& AQuery, TKVCase& ARow);
// ELEMENTCOUNT: the number of element types of the class; -1 (not counted) when not selected.
void ReadRow(TIBQuery& AQuery, TKVClass& ARow);
// ELEMENTCOUNT: the number of stock records in the place; -1 (not counted) when not selected.
void ReadRow(TIBQuery& AQuery, TKVStorage& ARow);
void ReadRow(TIBQuery& AQuery, TKVBaseParam& ARow);
// A NULL number or Boolean (V_MINVAL, V_TYPEVAL, V_MAXVAL, V_BOOLVAL) leaves that value out of
// use. UNITPREFIX, BASEPARAMNAME, BASEPARAMCLASSDBID, BASEPARAMCLASSID, BASEPARAMCLASSNAME,
// ELEMENTTYPENAME, ELEMENTTYPECLASSDBID and ELEMENTTYPECLASSID come from joins.
void ReadRow(TIBQuery& AQuery, TKVParam& ARow);
// CLASSNAME, CLASSICONID (the class's icon, shown for the type), CASENAME, CASEMOUNTTYPE,
// CASE_CV_PTTTYPE, MAKERNAME, and PIN_EXISTS (not NULL: the type has pins) come from joins.
void ReadRow(TIBQuery& AQuery, TKVElementType& ARow);
// The shown name is ELEMENTTYPENAME (the joined type's) for a record with an element type and
// its own S_TYPENAME otherwise; V_NOMINAL NULL: no nominal; V_COUNT_FLOAT NULL: a count of NaN. Joined: CLASSNAME,
// ELEMENTTYPEICONID, UNITNOMPREFIX, UNITNOMFACTOR, UNITCOUNTPREFIX, STORAGENAME, CASETYPENAME,
// CASEMOUNTTYPE, CASE_CV_PTTTYPE; PROJECT_RESERVED (the count reserved by projects) and
// PIN_EXISTS (not NULL: the type has pins) come from subqueries.
void ReadRow(TIBQuery& AQuery, TKVElementAvail& ARow);
// F_PROGRESS not NULL: in work; NULL dates read as 0 (none), a NULL ICONID as -1.
void ReadRow(TIBQuery& AQuery, TKVProject& ARow);
// The shown name is TEA_ELEMENTTYPENAME (the linked stock record's free name) for an item
// without an element type and TET_ELEMENTTYPENAME otherwise. Joined: PROJECTNAME and
// PROJECTINPROGRESS (not NULL: in work), CLASSDBID, CLASSID, CLASSNAME, ELEMENTTYPEICONID,
// CASETYPENAME, COUNTAVAIL, NOMINAL, the two units' keys and UNITCOUNTPREFIX, UNITNOMPREFIX.
void ReadRow(TIBQuery& AQuery, TKVProjectItem& ARow);
// V_MARKER NULL (or outside 0..15): no marker.
void ReadRow(TIBQuery& AQuery, TKVNote& ARow);

// A row of TRow with the key of the query's row (DBID and ID, or ID alone), its fields read by
// ReadRow. Defined for every table ReadRow reads.
template <class TRow> std::unique_ptr<TRow> NewRowFromQuery(TIBQuery& AQuery);
