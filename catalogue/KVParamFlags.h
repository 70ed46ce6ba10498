#pragma once

// The option bits of a parameter value (TKVParamFlag) as the parameter card edits them: the
// commands of its "Доп." menu, which exclude one another by fixed rules, the check marks of
// that menu, and the tolerance of a value stated as a typical value with deviations in percent.
//
// Rules the commands keep: at most one of SNV, VSP and VTP is set; a command never sets ABS and
// VTP together (ABS clears SNV and VSP, but setting SNV or VSP afterwards keeps ABS); NLTBP and
// UN are independent of the display bits; UN is set only while the value has a unit.

#include "core/KVParamValue.h"

#include <optional>

// The commands of the card's "Доп." menu; the tolerance command is ApplyValPrecViewType.
enum TKVParamFlagCommand {
    pfcSetValNum,           // "&Отображать как набор значений": SNV
    pfcDefShowMode,         // "&Режим отображения по умолчанию": every bit cleared
    pfcNoLinkToBP,          // "&Запретить связывание с базовым параметром": NLTBP
    pfcUsageParamAsNominal, // "&Использовать параметр как номинал": UN
    pfcAbsValue,            // "&Абсолютные значения": ABS
    pfcValTypePrefix        // "О&бязательное указание префикса по типу значения": VTP
};

// The check marks of the menu's items.
struct TKVParamFlagChecks {
    bool SetValNum = false;
    bool ValPrec = false;
    bool NoLinkToBP = false;
    bool UsageParamAsNominal = false;
    bool AbsValue = false;
    bool ValTypePrefix = false;
    friend bool operator==(const TKVParamFlagChecks&, const TKVParamFlagChecks&) = default;
};

// The marks of a card that loaded AFlags: NLTBP and UN as loaded, the display items unchecked.
TKVParamFlagChecks LoadedParamFlagChecks(quint32 AFlags);

// Runs ACommand on AFlags and AChecks; AHasUnit: the value has a unit (UN may be set).
void ApplyParamFlagCommand(TKVParamFlagCommand ACommand, bool AHasUnit, quint32& AFlags,
                           TKVParamFlagChecks& AChecks);

// The tolerance dialog's display format of AFlags: 1 a set of values (SNV), 2 a value with its
// precision (VSP), else 0.
int ValPrecViewTypeOf(quint32 AFlags);
// Applies the format the tolerance dialog returned: 1 sets SNV, 2 sets VSP, anything else
// neither; VTP is cleared in every case, ABS never touched.
void ApplyValPrecViewType(int AViewType, quint32& AFlags, TKVParamFlagChecks& AChecks);

// The short names of the six bits in the order of the card's flag strip.
struct TKVParamFlagName {
    TKVParamFlag Flag;
    const char* Name;
};
inline constexpr TKVParamFlagName KVParamFlagNames[6] = {
    {pfSNV, "SNV"}, {pfVSP, "VSP"}, {pfNLTBP, "NLTBP"}, {pfUN, "UN"}, {pfABS, "ABS"}, {pfVTP, "VTP"}};

// --- Tolerance in percent

// The deviations of a minimum and a maximum from the typical value ATypeVal, in percent of
// |ATypeVal| and rounded to four decimals: the lower (T - min) / |T| x 100, the upper
// (max - T) / |T| x 100. A side is given only when its value is in use and not 0 and the
// deviation is above 0; a typical value of 0 gives none.
struct TKVValPrecPercents {
    std::optional<double> Lower;
    std::optional<double> Upper;
};
TKVValPrecPercents ValPrecPercents(bool AUseMinVal, double AMinVal, double ATypeVal,
                                   bool AUseMaxVal, double AMaxVal);

// The minimum and maximum of deviations ALower and AUpper (in percent, each used when above 0)
// from ATypeVal: min = T - P x |T| / 100, max = T + P x |T| / 100; none for a typical value
// of 0.
struct TKVValPrecValues {
    std::optional<double> MinVal;
    std::optional<double> MaxVal;
};
TKVValPrecValues ValPrecValues(double ATypeVal, std::optional<double> ALower,
                               std::optional<double> AUpper);

// A number typed with the user's decimal separator or with a point; nullopt when the text (not
// empty) is not a finite number.
std::optional<double> ParseParamNumber(const QString& AText);
// The text a value editor shows for AValue (the user's decimal separator).
QString ParamNumberText(double AValue);
