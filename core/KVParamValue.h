#pragma once

// The one display text of a parameter value: up to three numbers (minimum, typical, maximum),
// a text and a Boolean, each with a usage mark, the parameter's flag word and the unit prefix,
// shown as the base parameter's presentation mode says.

#include "core/KVCommon.h"

// Bits of a parameter's flag word (T_PARAM.V_FLAG) with the short names the card shows.
enum TKVParamFlag : quint32 {
    pfSNV = 1,   // show the values as a set
    pfVSP = 2,   // show the typical value with its precision in percent
    pfNLTBP = 4, // not to be bound to a base parameter
    pfUN = 8,    // the element type's nominal
    pfABS = 16,  // absolute values: magnitude with "+/-"
    pfVTP = 32   // the value kind always marked with ">", "~" or "<"
};

// x rounded to four decimal places, halves to even: a percentage as it is shown.
double RoundTo4Decimals(double AValue);

// SNV forces the set presentation, else VSP the precision presentation, else ASelectValueType
// decides. ATextVal is shown by its first 128 characters. With AShowUnitPrefix, a text that
// shows a number gets " " and the unit prefix (its first 16 characters) appended.
QString ParamValueToStr(const QString& ATextVal, bool ABoolVal, quint32 AFlag, double AMinVal,
                        double ATypeVal, double AMaxVal, bool AUsageMinVal, bool AUsageTypeVal,
                        bool AUsageMaxVal, bool AUsageBoolVal, const QString& AUnitPrefix,
                        bool AShowUnitPrefix, TKVSelectValueType ASelectValueType);
