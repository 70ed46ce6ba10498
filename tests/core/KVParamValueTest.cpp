// The display text of a parameter value in every presentation mode.

#include "core/KVParamValue.h"

#include "tests/core/CoreTestUtils.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

// A parameter value: numbers given are used, numbers left out are not.
struct TValue {
    TValue(std::optional<double> AMin = {}, std::optional<double> ATyp = {},
           std::optional<double> AMax = {}, std::optional<bool> ABool = {}, const char* AText = "",
           quint32 AFlag = 0)
        : Min(AMin), Typ(ATyp), Max(AMax), Bool(ABool), Text(QString::fromUtf8(AText)),
          Flag(AFlag) {}

    std::optional<double> Min;
    std::optional<double> Typ;
    std::optional<double> Max;
    std::optional<bool> Bool;
    QString Text;
    quint32 Flag = 0;
};

QString Show(const TValue& AValue, TKVSelectValueType AMode, bool AShowUnit = false,
             const QString& AUnit = QStringLiteral("мкФ")) {
    return ParamValueToStr(AValue.Text, AValue.Bool.value_or(false), AValue.Flag,
                           AValue.Min.value_or(0), AValue.Typ.value_or(0), AValue.Max.value_or(0),
                           AValue.Min.has_value(), AValue.Typ.has_value(), AValue.Max.has_value(),
                           AValue.Bool.has_value(), AUnit, AShowUnit, AMode);
}

struct TCase {
    const char* Name;
    TValue Value;
    TKVSelectValueType Mode;
    const char* Expected;
};

class KVParamValueTest : public ::testing::Test {
protected:
    TLocaleGuard FLocale{QLocale(QLocale::Russian, QLocale::Russia)};
};

} // namespace

TEST_F(KVParamValueTest, EveryMode) {
    const TCase cases[] = {
        // Default: range, else typ, max, min, Boolean, text; sign marks over all three.
        {"range with one negative", {-2, {}, 3}, svtDefault, "-2...+3"},
        {"two negatives: no mark", {-2, -1, 3}, svtDefault, "-2...3"},
        {"positive range", {2, {}, 3}, svtDefault, "2...3"},
        {"range over typ", {-1, -7, 1}, svtDefault, "-1...1"},
        {"typ alone", {{}, 4.7, {}}, svtDefault, "4,7"},
        {"typ before max", {{}, 4, 5}, svtDefault, "4"},
        {"max before min", {{}, {}, 5}, svtDefault, "5"},
        {"min alone", {-5, {}, {}}, svtDefault, "-5"},
        {"Boolean", {{}, {}, {}, true}, svtDefault, "Да"},
        {"text", {{}, {}, {}, {}, "текст"}, svtDefault, "текст"},
        {"nothing", {}, svtDefault, ""},
        {"magnitude", {-5, {}, {}, {}, "", pfABS}, svtDefault, "+/--5"},
        {"magnitude over a range", {1, {}, 2, {}, "", pfABS}, svtDefault, "+/-1...2"},
        {"magnitude needs a number", {{}, {}, {}, false, "", pfABS}, svtDefault, "Нет"},
        {"kind mark has no effect", {{}, 3, {}, {}, "", pfVTP}, svtDefault, "3"},
        {"exponent", {{}, 1e-6, {}}, svtDefault, "1E-6"},

        // Single values with their marks.
        {"min", {3, 4, 5}, svtMinOnly, "3"},
        {"min unused", {{}, 4, 5}, svtMinOnly, ""},
        {"min magnitude", {-3, {}, {}, {}, "", pfABS}, svtMinOnly, "+/-3"},
        {"min with both bits", {-3, {}, {}, {}, "", pfABS | pfVTP}, svtMinOnly, "-3"},
        {"min kind", {12, {}, {}, {}, "", pfVTP}, svtMinOnly, ">12"},
        {"typ kind", {{}, 12, {}, {}, "", pfVTP}, svtTypeOnly, "~12"},
        {"max kind", {{}, {}, 12, {}, "", pfVTP}, svtMaxOnly, "<12"},
        {"max unused", {1, 2, {}}, svtMaxOnly, ""},

        {"text only", {1, 2, 3, true, "t"}, svtTextOnly, "t"},
        {"Boolean only", {1, {}, {}, false}, svtBoolOnly, "Нет"},
        {"Boolean unused", {1}, svtBoolOnly, ""},

        {"average of min and max", {1, 100, 4}, svtAverageFromMaxAndMin, "2,5"},
        {"average needs both", {1, 100, {}}, svtAverageFromMaxAndMin, ""},
        {"average of the used", {1, {}, 4}, svtAverageFromAnyNumeric, "2,5"},
        {"average of three", {1, 2, 6}, svtAverageFromAnyNumeric, "3"},
        {"average of none", {}, svtAverageFromAnyNumeric, ""},

        // Ranges: the mark over min and max only, or over all three.
        {"min-max range", {-1, -7, 1}, svtRangeFromMaxAndMin, "-1...+1"},
        {"min-max needs both", {-1, -7, {}}, svtRangeFromMaxAndMin, ""},
        {"any range: min and max", {1, 2, 3}, svtRangeFromAnyNumeric, "1...3"},
        {"any range: min and typ", {1, 2, {}}, svtRangeFromAnyNumeric, "1...2"},
        {"any range: typ and max", {{}, 2, 3}, svtRangeFromAnyNumeric, "2...3"},
        {"any range: one negative of three", {-1, 2, 3}, svtRangeFromAnyNumeric, "-1...+3"},
        {"any range: one value", {{}, 2, {}}, svtRangeFromAnyNumeric, ""},

        // First numeric by priority.
        {"min priority", {1, 2, 3}, svtFirstNumericMinPriority, "1"},
        {"min priority falls to typ", {{}, 2, 3}, svtFirstNumericMinPriority, "2"},
        {"typ priority falls to min", {4, {}, 6, {}, "", pfVTP}, svtFirstNumericTypePriority, ">4"},
        {"max priority", {1, 2, 3, {}, "", pfVTP}, svtFirstNumericMaxPriority, "<3"},
        {"max priority falls to typ", {1, 2, {}}, svtFirstNumericMaxPriority, "2"},
        {"first numeric magnitude",
         {-5, {}, {}, {}, "", pfABS},
         svtFirstNumericMinPriority,
         "+/--5"},
        {"first numeric none", {{}, {}, {}, true}, svtFirstNumericMinPriority, ""},

        // Sets.
        {"set", {1, 2, 3}, svtSetNumericValues, "1; 2; 3"},
        {"set of two", {1, {}, 3}, svtSetNumericValues, "1; 3"},
        {"set magnitude", {-1, {}, 2, {}, "", pfABS}, svtSetNumericValues, "+/-1; +/-2"},
        {"set by flag", {1, {}, 3, {}, "", pfSNV}, svtMinOnly, "1; 3"},
        {"set wins over precision", {1, 2, 3, {}, "", pfSNV | pfVSP}, svtDefault, "1; 2; 3"},

        // Precision.
        {"equal deviations", {9.5, 10, 10.5}, svtValueShowingPrecision, "10 +/-5%"},
        {"two deviations", {9, 10, 10.5}, svtValueShowingPrecision, "10 +5% -10%"},
        {"only minus", {9, 10, {}}, svtValueShowingPrecision, "10 -10%"},
        {"four decimals", {1, 3, {}}, svtValueShowingPrecision, "3 -66,6667%"},
        {"rounds to nothing", {99.99999, 100, {}}, svtValueShowingPrecision, "100"},
        {"negative typ", {-12, -10, -9}, svtValueShowingPrecision, "-10 +10% -20%"},
        {"typ shown unused", {{}, {}, 5}, svtValueShowingPrecision, "0"},
        {"typ 0 with a max", {{}, 0, 5}, svtValueShowingPrecision, "0"},
        {"typ 0 with both", {-5, 0, 5}, svtValueShowingPrecision, "0"},
        {"precision by flag", {9.5, 10, 10.5, {}, "", pfVSP}, svtDefault, "10 +/-5%"},

        {"Boolean from typ", {{}, 2, {}}, svtBoolFromType, "Да"},
        {"Boolean from typ 0", {{}, 0, {}}, svtBoolFromType, "Нет"},
        {"Boolean from unused typ", {1, {}, {}, true}, svtBoolFromType, ""},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(Show(c.Value, c.Mode), QString::fromUtf8(c.Expected)) << c.Name;
}

TEST_F(KVParamValueTest, UnitPrefixFollowsShownNumbers) {
    const TValue numbers{1, 2, 3, true, "t"};
    EXPECT_EQ(Show(numbers, svtDefault, true), "1...3 мкФ");
    EXPECT_EQ(Show(numbers, svtSetNumericValues, true), "1; 2; 3 мкФ");
    EXPECT_EQ(Show(numbers, svtValueShowingPrecision, true), "2 +/-50% мкФ");
    EXPECT_EQ(Show(numbers, svtDefault, true, QString()), "1...3 "); // an empty prefix too
    EXPECT_EQ(Show(numbers, svtDefault, true, QString(20, u'п')), "1...3 " + QString(16, u'п'));
    for (TKVSelectValueType mode : {svtTextOnly, svtBoolOnly, svtBoolFromType})
        EXPECT_FALSE(Show(numbers, mode, true).endsWith(QStringLiteral("мкФ"))) << mode;
    // No number shown: no unit.
    EXPECT_EQ(Show({{}, {}, {}, true}, svtDefault, true), "Да");
    EXPECT_EQ(Show({{}, 2, {}}, svtMinOnly, true), "");
    EXPECT_EQ(Show({{}, {}, 5}, svtValueShowingPrecision, true), "0");
}

TEST_F(KVParamValueTest, LongTextsAndOtherLocales) {
    TValue longText;
    longText.Text = QString(200, u'т');
    EXPECT_EQ(Show(longText, svtDefault), QString(128, u'т'));
    EXPECT_EQ(Show(longText, svtTextOnly), QString(128, u'т'));

    TLocaleGuard english(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(Show({1, {}, 4}, svtAverageFromMaxAndMin), "2.5");
    EXPECT_EQ(Show({1, 3, {}}, svtValueShowingPrecision), "3 -66.6667%");
}

TEST(KVParamValue, RoundTo4DecimalsTiesToEven) {
    EXPECT_EQ(RoundTo4Decimals(66.666666), 66.6667);
    EXPECT_EQ(RoundTo4Decimals(-12.34567), -12.3457);
    EXPECT_EQ(RoundTo4Decimals(0.00001), 0);
    EXPECT_EQ(RoundTo4Decimals(0.03125), 0.0312); // 312.5 → 312
    EXPECT_EQ(RoundTo4Decimals(0.09375), 0.0938); // 937.5 → 938
}
