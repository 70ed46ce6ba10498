#include "core/KVParamValue.h"

#include <cmath>

namespace {

const QString KYes = QStringLiteral("Да");
const QString KNo = QStringLiteral("Нет");

struct TValue {
    double Value;
    bool Used;
    const char16_t* KindMark; // ">", "~" or "<"
};

// The three numbers in the order min, typ, max, and the switches of the flag word.
class TParamValueText {
public:
    TParamValueText(quint32 AFlag, double AMin, double ATyp, double AMax, bool AUsedMin,
                    bool AUsedTyp, bool AUsedMax)
        : FMin{AMin, AUsedMin, u">"}, FTyp{ATyp, AUsedTyp, u"~"}, FMax{AMax, AUsedMax, u"<"},
          FMagnitude(TestBitMask(AFlag, pfABS) && !TestBitMask(AFlag, pfVTP)),
          FKindMark(TestBitMask(AFlag, pfVTP) && !TestBitMask(AFlag, pfABS)) {}

    bool AnyUsed() const { return FMin.Used || FTyp.Used || FMax.Used; }

    // On when at least two of AValues are used and an odd number of the used ones is negative.
    static bool SignMark(std::initializer_list<const TValue*> AValues) {
        int used = 0;
        int negative = 0;
        for (const TValue* v : AValues) {
            if (v->Used) {
                ++used;
                if (v->Value < 0)
                    ++negative;
            }
        }
        return used >= 2 && negative % 2 == 1;
    }

    static QString Signed(double AValue, bool ASignMark) {
        return (ASignMark && AValue > 0 ? QStringLiteral("+") : QString()) + FloatToStrKV(AValue);
    }

    QString Range(const TValue& AFrom, const TValue& ATo, bool ASignMark) const {
        return Signed(AFrom.Value, ASignMark) + QStringLiteral("...") +
               Signed(ATo.Value, ASignMark);
    }

    QString Single(const TValue& AValue) const {
        if (!AValue.Used)
            return QString();
        if (FMagnitude)
            return QStringLiteral("+/-") + FloatToStrKV(std::fabs(AValue.Value));
        if (FKindMark)
            return QString::fromUtf16(AValue.KindMark) + FloatToStrKV(AValue.Value);
        return FloatToStrKV(AValue.Value);
    }

    QString FirstNumeric(std::initializer_list<const TValue*> AOrder) const {
        for (const TValue* v : AOrder) {
            if (v->Used) {
                const QString text = (FKindMark ? QString::fromUtf16(v->KindMark) : QString()) +
                                     FloatToStrKV(v->Value);
                return FMagnitude ? QStringLiteral("+/-") + text : text;
            }
        }
        return QString();
    }

    QString Average(std::initializer_list<const TValue*> AValues) const {
        double sum = 0;
        int count = 0;
        for (const TValue* v : AValues) {
            if (v->Used) {
                sum += v->Value;
                ++count;
            }
        }
        return count == 0 ? QString() : FloatToStrKV(sum / count);
    }

    QString Set() const {
        QStringList parts;
        for (const TValue* v : {&FMin, &FTyp, &FMax}) {
            if (!v->Used)
                continue;
            parts += FMagnitude ? QStringLiteral("+/-") + FloatToStrKV(std::fabs(v->Value))
                                : FloatToStrKV(v->Value);
        }
        return parts.join(QStringLiteral("; "));
    }

    // The typical value (shown also when not used) with its deviations in percent. A typical
    // value of 0 gives no percentage: there is nothing to relate a deviation to.
    QString Precision() const {
        const double t = FTyp.Value;
        double minus = 0;
        double plus = 0;
        if (FMin.Used && FMin.Value != 0 && t != 0) {
            const double m = std::fabs(FMin.Value);
            if (t > 0 && m < t)
                minus = RoundTo4Decimals((t - m) / std::fabs(t) * 100);
            else if (t < 0 && m > std::fabs(t))
                minus = RoundTo4Decimals((m - std::fabs(t)) / std::fabs(t) * 100);
        }
        if (FMax.Used && FMax.Value != 0 && t != 0) {
            const double m = std::fabs(FMax.Value);
            if (t > 0 && m > t)
                plus = RoundTo4Decimals((m - t) / std::fabs(t) * 100);
            else if (t < 0 && m < std::fabs(t))
                plus = RoundTo4Decimals((std::fabs(t) - m) / std::fabs(t) * 100);
        }
        QString text = FloatToStrKV(t);
        if (minus != 0 && minus == plus) {
            text += QStringLiteral(" +/-") + FloatToStrKV(plus) + u'%';
        } else {
            if (plus != 0)
                text += QStringLiteral(" +") + FloatToStrKV(plus) + u'%';
            if (minus != 0)
                text += QStringLiteral(" -") + FloatToStrKV(minus) + u'%';
        }
        return text;
    }

    TValue FMin;
    TValue FTyp;
    TValue FMax;
    bool FMagnitude; // ABS without VTP
    bool FKindMark;  // VTP without ABS
};

} // namespace

double RoundTo4Decimals(double AValue) {
    return std::nearbyint(AValue * 10000) / 10000;
}

QString ParamValueToStr(const QString& ATextVal, bool ABoolVal, quint32 AFlag, double AMinVal,
                        double ATypeVal, double AMaxVal, bool AUsageMinVal, bool AUsageTypeVal,
                        bool AUsageMaxVal, bool AUsageBoolVal, const QString& AUnitPrefix,
                        bool AShowUnitPrefix, TKVSelectValueType ASelectValueType) {
    const TParamValueText v(AFlag, AMinVal, ATypeVal, AMaxVal, AUsageMinVal, AUsageTypeVal,
                            AUsageMaxVal);
    const TValue& min = v.FMin;
    const TValue& typ = v.FTyp;
    const TValue& max = v.FMax;

    TKVSelectValueType mode = ASelectValueType;
    if (TestBitMask(AFlag, pfSNV))
        mode = svtSetNumericValues;
    else if (TestBitMask(AFlag, pfVSP))
        mode = svtValueShowingPrecision;

    QString text;
    bool unit = false; // the text shows a number to which the unit belongs
    switch (mode) {
    case svtMinOnly:
        unit = min.Used;
        text = v.Single(min);
        break;
    case svtTypeOnly:
        unit = typ.Used;
        text = v.Single(typ);
        break;
    case svtMaxOnly:
        unit = max.Used;
        text = v.Single(max);
        break;
    case svtTextOnly:
        text = KVName(ATextVal);
        break;
    case svtBoolOnly:
        if (AUsageBoolVal)
            text = ABoolVal ? KYes : KNo;
        break;
    case svtAverageFromMaxAndMin:
        unit = min.Used && max.Used;
        if (unit)
            text = v.Average({&min, &max});
        break;
    case svtAverageFromAnyNumeric:
        unit = v.AnyUsed();
        text = v.Average({&min, &typ, &max});
        break;
    case svtRangeFromMaxAndMin:
        unit = min.Used && max.Used;
        if (unit)
            text = v.Range(min, max, TParamValueText::SignMark({&min, &max}));
        break;
    case svtRangeFromAnyNumeric: {
        const bool mark = TParamValueText::SignMark({&min, &typ, &max});
        unit = true;
        if (min.Used && max.Used)
            text = v.Range(min, max, mark);
        else if (min.Used && typ.Used)
            text = v.Range(min, typ, mark);
        else if (typ.Used && max.Used)
            text = v.Range(typ, max, mark);
        else
            unit = false;
        break;
    }
    case svtFirstNumericMinPriority:
        unit = v.AnyUsed();
        text = v.FirstNumeric({&min, &typ, &max});
        break;
    case svtFirstNumericTypePriority:
        unit = v.AnyUsed();
        text = v.FirstNumeric({&typ, &min, &max});
        break;
    case svtFirstNumericMaxPriority:
        unit = v.AnyUsed();
        text = v.FirstNumeric({&max, &typ, &min});
        break;
    case svtSetNumericValues:
        unit = v.AnyUsed();
        text = v.Set();
        break;
    case svtValueShowingPrecision:
        unit = typ.Used;
        text = v.Precision();
        break;
    case svtBoolFromType:
        if (typ.Used)
            text = typ.Value != 0 ? KYes : KNo;
        break;
    case svtDefault:
    default: {
        const bool mark = TParamValueText::SignMark({&min, &typ, &max});
        unit = v.AnyUsed();
        if (min.Used && max.Used)
            text = v.Range(min, max, mark);
        else if (typ.Used)
            text = TParamValueText::Signed(typ.Value, mark);
        else if (max.Used)
            text = TParamValueText::Signed(max.Value, mark);
        else if (min.Used)
            text = TParamValueText::Signed(min.Value, mark);
        else if (AUsageBoolVal)
            text = ABoolVal ? KYes : KNo;
        else
            text = KVName(ATextVal);
        if (v.FMagnitude && unit)
            text.prepend(QStringLiteral("+/-"));
        break;
    }
    }

    if (AShowUnitPrefix && unit)
        text += u' ' + KVSmallName(AUnitPrefix);
    return text;
}
