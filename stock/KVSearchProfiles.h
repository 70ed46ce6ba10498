#pragma once

// Stored parametric search profiles (T_PSP with its conditions in T_PSP_ITEM): the list of
// profiles, loading one, saving the listed conditions as a new profile, overwriting a profile,
// renaming and deleting it. Each operation runs in one transaction of the data module; a
// database error rolls it back and is shown in the standard error box, and the result is then
// false. Nothing runs while no database is open, and nothing is written while it is read-only.

#include "core/KVParamSearch.h"

#include <QString>

#include <vector>

struct TKVSearchProfileEntry {
    quint32 Id = 0;
    TKVName Name;
};

// One condition of a profile with the caption of its row: the base parameter's name, followed
// by the unit prefix in parentheses when the base parameter's unit has one.
struct TKVSearchProfileCondition {
    TKVParamSearchData Data;
    TKVName Caption;
};

struct TKVSearchProfile {
    quint32 ClassDBId = 0;
    quint32 ClassId = 0;
    TKVName ClassName;     // empty when the class no longer exists
    int UnionIndex = -1;   // 0 every condition, 1 any of them; -1 for a stored value outside
    std::vector<TKVSearchProfileCondition> Conditions;
};

class TKVSearchProfiles {
public:
    // Longest profile name.
    static constexpr int NameMaxLength = 128;

    // Every stored profile, in the order the database returns them.
    static bool LoadList(std::vector<TKVSearchProfileEntry>& AList);
    // Profile AId; false when it failed or no such profile is stored.
    static bool Load(quint32 AId, TKVSearchProfile& AProfile);
    // Whether another profile than AExceptId is stored under AName (blanks around it and the
    // letter case ignored). False when it cannot be read (the error was shown).
    static bool NameInUse(const QString& AName, quint32 AExceptId);

    // Stores a new profile of the class with the conditions in order; ANewId is its key.
    static bool SaveNew(const QString& AName, quint32 AClassDBId, quint32 AClassId,
                        int AUnionIndex, const std::vector<TKVParamSearchData>& AConditions,
                        quint32& ANewId);
    // Replaces profile AId's class, match rule and conditions with these; the profile then
    // holds exactly AConditions. False when the profile is no longer stored.
    static bool Overwrite(quint32 AId, quint32 AClassDBId, quint32 AClassId, int AUnionIndex,
                          const std::vector<TKVParamSearchData>& AConditions);
    // False when the profile is no longer stored.
    static bool Rename(quint32 AId, const QString& AName);
    // Deletes the profile with its conditions; false when it was no longer stored.
    static bool Delete(quint32 AId);
};
