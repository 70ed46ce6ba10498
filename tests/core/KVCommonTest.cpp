#include "core/KVCommon.h"

#include "tests/core/CoreTestUtils.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>

namespace {

struct TTextCase {
    QString Input;
    QString Expected;
};

void ExpectTextCases(const std::function<QString(const QString&)>& AFunction,
                     std::initializer_list<TTextCase> ACases) {
    for (const TTextCase& c : ACases)
        EXPECT_EQ(AFunction(c.Input), c.Expected) << "input: " << c.Input.toStdString();
}

} // namespace

// --- Database identities ---------------------------------------------------------------------

TEST(KVCommonDBId, ClassBoundaries) {
    const struct {
        quint32 DBId;
        TKVDBIdObjectKind Kind;
    } cases[] = {{0, dokBaseLevel},       {1, dokStarted}, {2, dokReserved},
                 {9, dokReserved},        {10, dokRBO},    {11, dokThematic},
                 {999, dokThematic},      {1000, dokDemo}, {1001, dokExperimental},
                 {1010, dokExperimental}, {1011, dokUser}, {0xFFFFFFFFu, dokUser}};
    for (const auto& c : cases)
        EXPECT_EQ(GetDBIdObjectKind(c.DBId), c.Kind) << "DBID " << c.DBId;
}

TEST(KVCommonDBId, LinkRule) {
    const struct {
        quint32 Row;
        quint32 Ref;
        bool Allowed;
    } cases[] = {
        {1500, 1500, true}, {1500, 1600, false}, {1500, 50, true},    {1500, 1005, false},
        {1500, 0, true},    {1500, 1, false},    {1500, 1000, false}, {10, 0, false},
        {10, 10, false},    {1000, 500, true},   {1000, 1000, true},  {1000, 1500, false},
        {1003, 1007, true}, {1003, 0, true},     {1003, 20, false},   {5, 5, true},
        {5, 6, false},      {5, 0, true},        {0, 1, false},       {0, 0, true},
        {1, 0, true},       {1, 1, true},        {1, 2, false},       {50, 50, true},
        {50, 51, false},    {50, 1011, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsDBIdLinkAllowed(c.Row, c.Ref), c.Allowed) << c.Row << " -> " << c.Ref;
}

TEST(KVCommonDBId, KindNamesAndGates) {
    EXPECT_EQ(DBIdObjectKindToStr(dokBaseLevel), "Base Level Object");
    EXPECT_EQ(DBIdObjectKindToStr(dokRBO), "RBO Object");
    EXPECT_EQ(DBIdObjectKindToStr(dokUser), "User Object");
    EXPECT_EQ(DBIdObjectKindToStr(-1), "");
    EXPECT_EQ(DBIdObjectKindToStr(8), "");

    EXPECT_FALSE(IsImportAllowedDBId(0));
    EXPECT_TRUE(IsImportAllowedDBId(1));
    for (quint32 id : {0u, 1u, 1000u})
        EXPECT_FALSE(IsExportAllowedDBId(id)) << id;
    for (quint32 id : {2u, 10u, 999u, 1001u, 1011u})
        EXPECT_TRUE(IsExportAllowedDBId(id)) << id;
}

// --- Search patterns -------------------------------------------------------------------------

TEST(KVCommonMask, UserMaskToSQLLike) {
    ExpectTextCases(UserMaskToSQLLike, {
                                           {"a*b?c", "a%b_c"},
                                           {"50%_x", "50/%/_x"},
                                           {"a/b", "a//b"},
                                           {"a\\*b", "a*b"},
                                           {"a\\?b", "a?b"},
                                           {"\\x", "\\x"},
                                           {"ab\\", "ab\\"},
                                           {"*", "%"},
                                           {"", ""},
                                           {"??*", "__%"},
                                           {"\\**", "*%"},
                                           {"/%_", "///%/_"},
                                           {"Резистор*0,25?Вт", "Резистор%0,25_Вт"},
                                       });
}

TEST(KVCommonMask, ContainsMasks) {
    ExpectTextCases(MakeContainsMask, {
                                          {"ab*c\\*", "*abc\\**"},
                                          {"*ab", "*ab*"},
                                          {"a?b", "*a?b*"},
                                          {"**", "**"},
                                          {"", ""},
                                      });
    ExpectTextCases(MakeSQLContainsMask, {
                                             {"a%b/%", "%ab/%%"},
                                             {"_a_b", "%ab%"},
                                             {"a/_", "%a/_%"},
                                             {"", ""},
                                         });
    // Applying the mask to its own result changes nothing.
    for (const QString mask : {"ab*c\\*", "x", "*?*"}) {
        const QString once = MakeContainsMask(mask);
        EXPECT_EQ(MakeContainsMask(once), once) << mask.toStdString();
    }
}

// --- Text and number conversions -------------------------------------------------------------

TEST(KVCommonText, FirstLineStr) {
    ExpectTextCases(FirstLineStr, {
                                      {"abc", "abc"},
                                      {"abc\r\ndef", "abc..."},
                                      {"abc\r", "abc\r"},
                                      {"abc\r\n", "abc..."},
                                      {"", ""},
                                      {"abc\ndef", "abc..."},
                                      {"abc\n", "abc\n"},
                                      {"\r\nx", "..."},
                                      {"a\rb\rc", "a..."},
                                  });
}

TEST(KVCommonText, IntToStrZeroPad) {
    const struct {
        int Value;
        int Digits;
        const char* Expected;
    } cases[] = {{7, 2, "07"}, {123, 2, "123"}, {0, 3, "000"}, {5, 0, "5"},
                 {5, -3, "5"}, {-5, 3, "-05"},  {-5, 1, "-5"}, {INT_MIN, 12, "-02147483648"}};
    for (const auto& c : cases)
        EXPECT_EQ(IntToStrZeroPad(c.Value, c.Digits), c.Expected) << c.Value << ", " << c.Digits;
}

TEST(KVCommonText, DateTimeToStrOrDash) {
    EXPECT_EQ(DateTimeToStrOrDash(0), "-");
    {
        TLocaleGuard locale(QLocale(QLocale::Russian, QLocale::Russia));
        EXPECT_EQ(DateTimeToStrOrDash(EncodeDateTime(2016, 3, 5, 9, 7, 5)), "05.03.2016 09:07:05");
        EXPECT_EQ(DateTimeToStrOrDash(EncodeDateTime(2016, 3, 5)), "05.03.2016");
        EXPECT_EQ(DateTimeToStrOrDash(EncodeDateTime(2016, 3, 5, 0, 0, 1)), "05.03.2016 00:00:01");
        EXPECT_EQ(DateTimeToStrOrDash(0), "-");
    }
    {
        TLocaleGuard locale(QLocale(QLocale::English, QLocale::UnitedStates));
        EXPECT_EQ(DateTimeToStrOrDash(EncodeDateTime(2016, 3, 5, 21, 7, 5)), "3/5/16 9:07:05 PM");
    }
}

TEST(KVCommonText, SmallConversions) {
    EXPECT_EQ(BoolToYesNoStr(true), "Да");
    EXPECT_EQ(BoolToYesNoStr(false), "Нет");
    EXPECT_EQ(BoolToInt(true), 1);
    EXPECT_EQ(BoolToInt(false), 0);
    EXPECT_TRUE(IntToBool(1));
    EXPECT_FALSE(IntToBool(0));
    EXPECT_FALSE(IntToBool(-1));

    const int modes[][2] = {{-1, 0}, {0, 0}, {1, 1}, {2, 2}, {3, 0}, {INT_MAX, 0}};
    for (const auto& m : modes)
        EXPECT_EQ(IntToAutoActionMode(m[0]), m[1]) << m[0];
    EXPECT_EQ(AutoActionModeToStr(aamNotExecute), "Не выполнять");
    EXPECT_EQ(AutoActionModeToStr(aamAsk), "Спросить о необходимости");
    EXPECT_EQ(AutoActionModeToStr(aamAutomatic), "Автоматически");
    EXPECT_EQ(AutoActionModeToStr(3), "");
}

TEST(KVCommonText, NumericVarTypes) {
    for (int code = 0; code < 32; ++code) {
        const bool numeric = (code >= 2 && code <= 5) || (code >= 16 && code <= 21);
        EXPECT_EQ(IsNumericVarType(code), numeric) << code;
    }
    // Every integer width and signedness and both float types are numbers: the database layer
    // gives qlonglong for BIGINT columns and double for scaled NUMERIC ones.
    const QVariant numbers[] = {QVariant::fromValue<short>(-3),
                                QVariant(42),
                                QVariant(1.5f),
                                QVariant(2.5),
                                QVariant::fromValue<uchar>(7),
                                QVariant::fromValue<signed char>(-7),
                                QVariant::fromValue<ushort>(5),
                                QVariant::fromValue<uint>(5),
                                QVariant::fromValue<qint64>(5000000000LL),
                                QVariant::fromValue<quint64>(5),
                                QVariant::fromValue<long>(5)};
    for (const QVariant& v : numbers)
        EXPECT_TRUE(IsNumericVarType(v)) << v.typeName();
    const QVariant others[] = {QVariant(),
                               QVariant(QMetaType(QMetaType::Double)), // a NULL double
                               QVariant(QMetaType(QMetaType::LongLong)),
                               QVariant(QStringLiteral("5")),
                               QVariant(true),
                               QVariant(QDate(2020, 1, 1)),
                               QVariant(QDateTime(QDate(2020, 1, 1), QTime(1, 0)))};
    for (const QVariant& v : others)
        EXPECT_FALSE(IsNumericVarType(v)) << v.typeName();
}

TEST(KVCommonText, FloatToStrKV) {
    TLocaleGuard locale(QLocale(QLocale::Russian, QLocale::Russia));
    const struct {
        double Value;
        const char* Expected;
    } cases[] = {
        {0, "0"},
        {-0.0, "0"},
        {1, "1"},
        {-2.5, "-2,5"},
        {100, "100"},
        {0.1 + 0.2, "0,3"}, // 15 digits hide the binary noise
        {1.0 / 3, "0,333333333333333"},
        {2.0 / 3, "0,666666666666667"},
        {12345.678, "12345,678"},
        {0.00001, "0,00001"}, // plain down to 1E-5
        {0.000012345, "0,000012345"},
        {0.000001, "1E-6"},
        {-0.0000015, "-1,5E-6"},
        {123456789012345.0, "123456789012345"}, // 15 integer digits stay plain
        {999999999999999.0, "999999999999999"},
        {999999999999999.9, "1E15"}, // rounding to 15 digits carries into the exponent
        {1e15, "1E15"},
        {1234567890123456.0, "1,23456789012346E15"},
        {1e20, "1E20"},
        {-1e-300, "-1E-300"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FloatToStrKV(c.Value), QString::fromUtf8(c.Expected)) << c.Value;
    EXPECT_EQ(FloatToStrKV(std::nan("")), "NAN");
    EXPECT_EQ(FloatToStrKV(-HUGE_VAL), "-INF");

    // SQL literals take "." whatever the locale; the default locale decides otherwise.
    EXPECT_EQ(FloatToStrKV(-2.5, QStringLiteral(".")), "-2.5");
    EXPECT_EQ(FloatToStrKV(1.5e-7, QStringLiteral(".")), "1.5E-7");
    TLocaleGuard english(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(FloatToStrKV(1234.5), "1234.5"); // no group separator
}

TEST(KVCommonText, ShortStringsAreCutToCapacity) {
    EXPECT_EQ(KVName(QString(200, u'я')).size(), KVNameLength);
    EXPECT_EQ(KVSmallName(QStringLiteral("ровно шестнадцать символов")), "ровно шестнадцат");
    EXPECT_EQ(KVDescription(QString(255, u'x')), QString(255, u'x'));
    EXPECT_EQ(KVDescription(QString(256, u'x')), QString(255, u'x'));
    EXPECT_EQ(KVName(QString()), QString());
    // A character outside the basic plane is not split at the cut.
    const QString text = QString(127, u'a') + QStringLiteral("😀");
    EXPECT_EQ(KVName(text), QString(127, u'a'));
}

// --- Bit routines ----------------------------------------------------------------------------

TEST(KVCommonBits, WordsAndMasks) {
    EXPECT_EQ(HiWordOf(0x12345678u), 0x1234);
    EXPECT_EQ(LoWordOf(0x12345678u), 0x5678);
    EXPECT_EQ(MakeWordOf(0x12, 0xAB), 0x12AB);
    EXPECT_EQ(MakeLongOf(0xFFFF, 0x0001), 0xFFFF0001u);
    EXPECT_EQ(MakeSysUpdateVersion(3, 65535), 0x0003FFFFu);
    EXPECT_EQ(SysUpdateVersionMajor(MakeSysUpdateVersion(3, 65535)), 3);
    EXPECT_EQ(SysUpdateVersionMinor(MakeSysUpdateVersion(3, 65535)), 65535);

    EXPECT_EQ(SetBitMask(0b0101u, 0b0011u), 0b0111u);
    EXPECT_EQ(ClearBitMask(0b0111u, 0b0011u), 0b0100u);
    EXPECT_TRUE(TestBitMask(0b1011u, 0b1010u));
    EXPECT_FALSE(TestBitMask(0b1011u, 0b0110u));
    EXPECT_TRUE(TestBitMask(0u, 0u));
    EXPECT_TRUE(TestBitMask(0xFFFFFFFFu, 0x80000000u));
}

// --- Enumerations, names, codes --------------------------------------------------------------

TEST(KVCommonEnums, StoredOrdinalsAndCodes) {
    // These numbers are stored in databases and settings files.
    EXPECT_EQ(ItemTypeToInt(itUnknown), 0);
    EXPECT_EQ(ItemTypeToInt(itClass), 3);
    EXPECT_EQ(ItemTypeToInt(itElementType), 7);
    EXPECT_EQ(ItemTypeToInt(itStorage), 12);
    EXPECT_EQ(ItemTypeToInt(itNote), 18);
    EXPECT_EQ(ObjTypeToInt(otClassList), 17);
    EXPECT_EQ(ObjTypeToInt(otBaseParamList), 22);
    EXPECT_EQ(ObjTypeToInt(otNoteList), 32);
    EXPECT_EQ(ObjTypeToInt(otClassSelect), 33);
    EXPECT_EQ(ObjTypeToInt(otBaseParamSelect), 38);
    EXPECT_EQ(ObjTypeToInt(otElementTypeSummary), 43);
    EXPECT_EQ(static_cast<int>(ptNotUsage), 17);
    EXPECT_EQ(static_cast<int>(svtBoolFromType), 15);
    EXPECT_EQ(static_cast<int>(cmtSwitching), 4);
    EXPECT_EQ(static_cast<int>(spotNoAnalog), 4);
    EXPECT_EQ(static_cast<int>(iatDelete), 1);
    EXPECT_EQ(static_cast<int>(ftContaining), 1);
    EXPECT_EQ(static_cast<int>(cvmElementType), 1);
}

TEST(KVCommonEnums, DisplayNames) {
    EXPECT_EQ(CaseMountTypeToStr(cmtUnknown), "");
    EXPECT_EQ(CaseMountTypeToStr(cmtInBoardHoles), "в отверстия на плате");
    EXPECT_EQ(CaseMountTypeToStr(cmtSwitching), "в коммутационное устройство");
    EXPECT_EQ(PinTypeToStr(ptInput), "Вход");
    EXPECT_EQ(PinTypeToStr(ptClock), "Тактирование");
    EXPECT_EQ(PinTypeToStr(ptNotUsage), "Не используется");
    EXPECT_EQ(SelectValueTypeToStr(svtMinOnly), "только минимальное");
    EXPECT_EQ(SelectValueTypeToStr(svtRangeFromMaxAndMin), "диапазон только из макс. и мин.");
    EXPECT_EQ(SelectValueTypeToStr(svtBoolFromType), "логическое из типового");
    EXPECT_EQ(SimilalFunctionalTypeToStr(sfntPossibleAnalog), "Возможный аналог");
    EXPECT_EQ(SimilalFeaturesTypeToStr(sfttMainParam), "Аналог по основным параметрам");
    EXPECT_EQ(SimilalCaseTypeToStr(sctSimilarCase), "Похожий корпус другого типа");
    EXPECT_EQ(SimilalPinoutTypeToStr(spotAnotherFunctPins), "Другое назначение части выводов");

    // Each routine: empty for ordinal 0 and past its last value, at most 32 characters.
    const struct {
        const char* Name;
        QString (*Function)(int);
        int Last;
    } routines[] = {{"CaseMountTypeToStr", CaseMountTypeToStr, cmtSwitching},
                    {"PinTypeToStr", PinTypeToStr, ptNotUsage},
                    {"SelectValueTypeToStr", SelectValueTypeToStr, svtBoolFromType},
                    {"SimilalFunctionalTypeToStr", SimilalFunctionalTypeToStr, sfntPossibleAnalog},
                    {"SimilalFeaturesTypeToStr", SimilalFeaturesTypeToStr, sfttNoAnalog},
                    {"SimilalCaseTypeToStr", SimilalCaseTypeToStr, sctAnotherCase},
                    {"SimilalPinoutTypeToStr", SimilalPinoutTypeToStr, spotNoAnalog}};
    for (const auto& r : routines) {
        SCOPED_TRACE(r.Name);
        EXPECT_EQ(r.Function(-1), "");
        EXPECT_EQ(r.Function(0), "");
        EXPECT_EQ(r.Function(r.Last + 1), "");
        for (int i = 1; i <= r.Last; ++i) {
            EXPECT_FALSE(r.Function(i).isEmpty()) << i;
            EXPECT_LE(r.Function(i).size(), 32) << i;
        }
    }
}

// --- Picker results --------------------------------------------------------------------------

TEST(KVCommonPicker, RecordsAreFilledAndNamesCut) {
    const TKVSelectedItemDBData empty;
    EXPECT_FALSE(empty.Select);
    EXPECT_EQ(empty.DBId, 0u);
    EXPECT_EQ(empty.Id, 0u);
    EXPECT_EQ(empty.Tag, 0);
    EXPECT_TRUE(empty.Name.isEmpty());

    const TKVSelectedItemDBData item =
        SetSelectedItemDBData(true, 1011, 0xFFFFFFFFu, -7, QString(130, u'к'));
    EXPECT_TRUE(item.Select);
    EXPECT_EQ(item.DBId, 1011u);
    EXPECT_EQ(item.Id, 0xFFFFFFFFu);
    EXPECT_EQ(item.Tag, -7);
    EXPECT_EQ(item.Name, QString(128, u'к'));

    const TKVSelectedLocalItemDBData local =
        SetSelectedLocalItemDBData(true, 5, 3, QStringLiteral("Склад"));
    EXPECT_TRUE(local.Select);
    EXPECT_EQ(local.Id, 5u);
    EXPECT_EQ(local.Tag, 3);
    EXPECT_EQ(local.Name, "Склад");
    const TKVSelectedLocalItemDBData cancelled = SetSelectedLocalItemDBData(false, 0, 0, {});
    EXPECT_FALSE(cancelled.Select);
    EXPECT_EQ(cancelled.Id, 0u);
    EXPECT_TRUE(cancelled.Name.isEmpty());
}

// --- Structure checks ------------------------------------------------------------------------

TEST(KVCommonStructure, SupportedVersion) {
    EXPECT_TRUE(IsSupportedDBVersion(1, 2, 3));
    EXPECT_FALSE(IsSupportedDBVersion(1, 2, 4));
    EXPECT_FALSE(IsSupportedDBVersion(1, 3, 3));
    EXPECT_FALSE(IsSupportedDBVersion(2, 2, 3));
}

TEST(KVCommonStructure, TableLists) {
    const QStringList main = UserDataBaseTableNames();
    const QStringList package = PackageTableNames();
    ASSERT_EQ(main.size(), 21);
    ASSERT_EQ(package.size(), 10);

    QStringList lower;
    for (const QString& name : main)
        lower.prepend(name.toLower()); // other order, other case
    EXPECT_TRUE(IsUserDataBaseTableList(main));
    EXPECT_TRUE(IsUserDataBaseTableList(lower));
    EXPECT_FALSE(IsUserDataBaseTableList(main + QStringList{"T_EXTRA"}));
    EXPECT_FALSE(IsUserDataBaseTableList(main.mid(1)));
    EXPECT_FALSE(IsUserDataBaseTableList({}));
    EXPECT_FALSE(IsUserDataBaseTableList(package));

    QStringList unlisted = main;
    unlisted[4] = QStringLiteral("T_CLASSES");
    EXPECT_FALSE(IsUserDataBaseTableList(unlisted));
    // 21 names, one of them twice (as two tables of quoted names differing in case) and one
    // missing: not the set of a main database.
    QStringList twice = main;
    twice[4] = twice[3].toLower();
    EXPECT_FALSE(IsUserDataBaseTableList(twice));

    EXPECT_TRUE(IsPackageTableList(package));
    EXPECT_TRUE(IsPackageTableList(QStringList(package).replaceInStrings("T_", "t_")));
    EXPECT_FALSE(IsPackageTableList(main));
    EXPECT_FALSE(IsPackageTableList(package.mid(0, 9) + QStringList{"T_NOTE"}));
    EXPECT_FALSE(IsPackageTableList({}));
}
