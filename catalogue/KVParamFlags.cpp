#include "catalogue/KVParamFlags.h"

#include <QLocale>

#include <cmath>

TKVParamFlagChecks LoadedParamFlagChecks(quint32 AFlags) {
    TKVParamFlagChecks checks;
    checks.NoLinkToBP = TestBitMask(AFlags, pfNLTBP);
    checks.UsageParamAsNominal = TestBitMask(AFlags, pfUN);
    return checks;
}

namespace {

void Toggle(quint32& AFlags, quint32 AMask) {
    AFlags = TestBitMask(AFlags, AMask) ? ClearBitMask(AFlags, AMask) : SetBitMask(AFlags, AMask);
}

} // namespace

void ApplyParamFlagCommand(TKVParamFlagCommand ACommand, bool AHasUnit, quint32& AFlags,
                           TKVParamFlagChecks& AChecks) {
    switch (ACommand) {
    case pfcSetValNum:
        Toggle(AFlags, pfSNV);
        AFlags = ClearBitMask(AFlags, pfVSP | pfVTP);
        AChecks.SetValNum = TestBitMask(AFlags, pfSNV);
        AChecks.ValPrec = false;
        AChecks.ValTypePrefix = false;
        break;
    case pfcDefShowMode:
        AFlags = ClearBitMask(AFlags, pfSNV | pfVSP | pfNLTBP | pfUN | pfABS | pfVTP);
        break;
    case pfcNoLinkToBP:
        Toggle(AFlags, pfNLTBP);
        AChecks.NoLinkToBP = TestBitMask(AFlags, pfNLTBP);
        break;
    case pfcUsageParamAsNominal:
        if (AHasUnit)
            Toggle(AFlags, pfUN);
        else
            AFlags = ClearBitMask(AFlags, pfUN);
        AChecks.UsageParamAsNominal = TestBitMask(AFlags, pfUN);
        break;
    case pfcAbsValue:
        Toggle(AFlags, pfABS);
        AFlags = ClearBitMask(AFlags, pfSNV | pfVSP | pfVTP);
        AChecks.AbsValue = TestBitMask(AFlags, pfABS);
        AChecks.SetValNum = false;
        AChecks.ValPrec = false;
        AChecks.ValTypePrefix = false;
        break;
    case pfcValTypePrefix:
        Toggle(AFlags, pfVTP);
        AFlags = ClearBitMask(AFlags, pfSNV | pfVSP | pfABS);
        AChecks.ValTypePrefix = TestBitMask(AFlags, pfVTP);
        AChecks.AbsValue = false;
        AChecks.SetValNum = false;
        AChecks.ValPrec = false;
        break;
    }
}

int ValPrecViewTypeOf(quint32 AFlags) {
    if (TestBitMask(AFlags, pfSNV))
        return 1;
    return TestBitMask(AFlags, pfVSP) ? 2 : 0;
}

void ApplyValPrecViewType(int AViewType, quint32& AFlags, TKVParamFlagChecks& AChecks) {
    switch (AViewType) {
    case 1:
        AFlags = ClearBitMask(SetBitMask(AFlags, pfSNV), pfVSP | pfVTP);
        break;
    case 2:
        AFlags = ClearBitMask(SetBitMask(AFlags, pfVSP), pfSNV | pfVTP);
        break;
    default:
        AFlags = ClearBitMask(AFlags, pfSNV | pfVSP | pfVTP);
        break;
    }
    AChecks.SetValNum = AViewType == 1;
    AChecks.ValPrec = AViewType == 2;
    AChecks.ValTypePrefix = false;
}

TKVValPrecPercents ValPrecPercents(bool AUseMinVal, double AMinVal, double ATypeVal,
                                   bool AUseMaxVal, double AMaxVal) {
    TKVValPrecPercents percents;
    if (ATypeVal == 0)
        return percents;
    // Against |T|, so that the sign of each deviation says on which side of T the value lies,
    // whatever the sign of T.
    const double base = std::fabs(ATypeVal);
    if (AUseMinVal && AMinVal != 0) {
        const double lower = RoundTo4Decimals((ATypeVal - AMinVal) / base * 100);
        if (lower > 0)
            percents.Lower = lower;
    }
    if (AUseMaxVal && AMaxVal != 0) {
        const double upper = RoundTo4Decimals((AMaxVal - ATypeVal) / base * 100);
        if (upper > 0)
            percents.Upper = upper;
    }
    return percents;
}

TKVValPrecValues ValPrecValues(double ATypeVal, std::optional<double> ALower,
                               std::optional<double> AUpper) {
    TKVValPrecValues values;
    if (ATypeVal == 0)
        return values;
    const double base = std::fabs(ATypeVal);
    if (ALower && *ALower > 0)
        values.MinVal = ATypeVal - *ALower * base / 100;
    if (AUpper && *AUpper > 0)
        values.MaxVal = ATypeVal + *AUpper * base / 100;
    return values;
}

std::optional<double> ParseParamNumber(const QString& AText) {
    const QString text = AText.trimmed();
    bool ok = false;
    double value = QLocale().toDouble(text, &ok);
    if (!ok)
        value = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString ParamNumberText(double AValue) {
    return FloatToStrKV(AValue);
}
