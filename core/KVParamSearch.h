#pragma once

// A parametric search profile: the class searched in, how criteria combine, and one criterion
// per base parameter.

#include "core/KVList.h"

enum TKVParamSearchType {
    pstNumeric,        // equal
    pstGoENumeric,     // greater or equal
    pstLoENumeric,     // less or equal
    pstNumericInRange, // Float1Val to Float2Val, both included
    pstSubString,      // the text contains the criterion's text, case ignored
    pstLogic,          // equal Boolean
    pstAny             // any value present
};

// Every criterion must hold, or one is enough.
enum TKVParamSearchUnion { psuMatchAll, psuAny };

// The value of ordinal AIndex for 0..5; pstAny otherwise.
TKVParamSearchType IndexToParamSearchType(int AIndex);
// Display names of the search types, in enumeration order.
const QStringList& ParamSearchTypeNames();

// One criterion of a parametric search. UPID, SearchOnUPID and SearchAnyVal are carried and
// stored with a profile; the match does not read them.
struct TKVParamSearchData {
    quint32 BaseParamDBId = 0;
    quint32 BaseParamId = 0;
    TKVSmallName UPID;
    bool SearchOnUPID = false;
    TKVParamSearchType SearchType = pstNumeric;
    double Float1Val = 0;
    double Float2Val = 0; // only for the range
    TKVDescription StrVal;
    bool LogicVal = false;
    bool SearchAnyVal = false;

    // The criterion's base parameter, by which the profile finds it.
    TKVDBKey PKey() const { return {BaseParamDBId, BaseParamId}; }
};

class TKVParamSearchList : private TKVList<TKVParamSearchData> {
public:
    using TKVList::Clear;
    using TKVList::Count;
    using TKVList::Empty;
    using TKVList::Eof;
    using TKVList::ExistsItemByPKey;
    using TKVList::FindIndexByPKey;
    using TKVList::First;
    using TKVList::Modified;
    using TKVList::Next;

    // Appends a copy; a base parameter already present is appended again.
    void AddData(quint32 ABaseParamDBId, quint32 ABaseParamId, const QString& AUPID,
                 bool ASearchOnUPID, TKVParamSearchType ASearchType, double AFloat1Val,
                 double AFloat2Val, const QString& AStrVal, bool ALogicVal, bool ASearchAnyVal);
    void AddData(const TKVParamSearchData& AParamSearchData);
    // Copies the criterion under the cursor into AParamSearchData; while Modified is set or
    // with no criterion under the cursor AParamSearchData is left as it was.
    void GetRecord(TKVParamSearchData& AParamSearchData) const;
    // Takes ASource's class, union, AvailOnly and a copy of each criterion in order. The own
    // criteria go first; with ASource nullptr nothing more happens.
    void Assign(const TKVParamSearchList* ASource);
    // Every criterion in order; the cursor does not move.
    template <typename TVisit> void ForEachCriterion(TVisit&& AVisit) const {
        VisitRows(std::forward<TVisit>(AVisit));
    }

    void SetPSClassData(quint32 APSClassDBId, quint32 APSClassId) {
        FPSClassDBId = APSClassDBId;
        FPSClassId = APSClassId;
    }
    // The element class searched in.
    quint32 PSClassDBId() const { return FPSClassDBId; }
    quint32 PSClassId() const { return FPSClassId; }
    TKVParamSearchUnion ParamSearchUnion() const { return FParamSearchUnion; }
    void SetParamSearchUnion(TKVParamSearchUnion AUnion) { FParamSearchUnion = AUnion; }
    // Only element types that have stock records are wanted (the loading query's concern).
    bool AvailOnly() const { return FAvailOnly; }
    void SetAvailOnly(bool AAvailOnly) { FAvailOnly = AAvailOnly; }

private:
    quint32 FPSClassDBId = 0;
    quint32 FPSClassId = 0;
    TKVParamSearchUnion FParamSearchUnion = psuMatchAll;
    bool FAvailOnly = false;
};
