#pragma once

// The shared vocabulary of the data model: database identities (DBIDs) and the rule of which
// rows may refer to which, the package gates, user search patterns turned into SQL LIKE
// patterns, small text and number conversions, bit routines, the object-type codes of the
// layout table, the structure checks of a database, the shared enumerations with their display
// names and the picker result records. Nothing here touches the database or keeps state.

#include "platform/sys/SysUtils.h"

#include <QString>
#include <QStringList>
#include <QTime>
#include <QVariant>
#include <QtGlobal>

// ---------------------------------------------------------------------------------------------
// Short strings. Rows keep these as QString cut to the capacity when a value is stored.

using TKVName = QString;
using TKVSmallName = QString;
using TKVDescription = QString;

constexpr int KVNameLength = 128;
constexpr int KVSmallNameLength = 16;
constexpr int KVDescriptionLength = 255;

// The first ACapacity characters of AText (never splitting a surrogate pair).
QString KVCutText(const QString& AText, int ACapacity);
inline TKVName KVName(const QString& AText) {
    return KVCutText(AText, KVNameLength);
}
inline TKVSmallName KVSmallName(const QString& AText) {
    return KVCutText(AText, KVSmallNameLength);
}
inline TKVDescription KVDescription(const QString& AText) {
    return KVCutText(AText, KVDescriptionLength);
}

// ---------------------------------------------------------------------------------------------
// Database identities

// The eight classes of DBIDs.
enum TKVDBIdObjectKind {
    dokBaseLevel,    // 0
    dokStarted,      // 1
    dokReserved,     // 2 to 9
    dokRBO,          // 10
    dokThematic,     // 11 to 999
    dokDemo,         // 1000
    dokExperimental, // 1001 to 1010
    dokUser          // 1011 and above
};

TKVDBIdObjectKind GetDBIdObjectKind(quint32 ADBId);
// May a row of DBID ARowDBId refer to a row of DBID ARefDBId?
bool IsDBIdLinkAllowed(quint32 ARowDBId, quint32 ARefDBId);
// English name of a DBID class; empty for a value outside the classes.
QString DBIdObjectKindToStr(int AKind);
// Package import and deletion of an imported package.
bool IsImportAllowedDBId(quint32 ADBId);
// Package export.
bool IsExportAllowedDBId(quint32 ADBId);

// ---------------------------------------------------------------------------------------------
// Search patterns. The user writes "*" and "?" as wildcards, "\" before them makes them
// literal; SQL LIKE texts escape "_", "%" and "/" itself with "/".

inline constexpr QChar KVSQLEscapeChar = u'/';
inline constexpr QChar KVUserEscapeChar = u'\\';

// A user pattern as a LIKE pattern for "... LIKE :P ESCAPE '/'". Upper-casing is the caller's.
QString UserMaskToSQLLike(const QString& AMask);
// The user pattern with its unescaped "*" removed, wrapped in "*"; empty stays empty.
QString MakeContainsMask(const QString& AMask);
// The LIKE pattern with its unescaped "%" and "_" removed, wrapped in "%"; empty stays empty.
QString MakeSQLContainsMask(const QString& AMask);

// ---------------------------------------------------------------------------------------------
// Text and number conversions

QString BoolToYesNoStr(bool AValue);
inline int BoolToInt(bool AValue) {
    return AValue ? 1 : 0;
}
inline bool IntToBool(int AValue) {
    return AValue > 0;
}
// Decimal text of AValue with zeros in front of the digits up to ADigits characters in all.
QString IntToStrZeroPad(int AValue, int ADigits);
// The text up to its first line break followed by "..." when more follows that break.
QString FirstLineStr(const QString& AText);
// The date (short format of the default locale) and the time (long format, without a time
// zone), the time left out at exactly midnight; 0 is 30 December 1899.
QString DateTimeToStr(TDateTime AValue);
// "-" for 0, otherwise DateTimeToStr.
QString DateTimeToStrOrDash(TDateTime AValue);
// AText as lines (split at CR LF, LF or CR), each followed by CR LF; a final break adds no
// empty line, an empty text stays empty.
QString TextAsCRLFLines(const QString& AText);
// A time in the long format of the default locale, without a time zone.
QString TimeToStrKV(const QTime& ATime);

// System-update versions: the major number in the upper 16 bits, the minor in the lower.
inline quint16 SysUpdateVersionMajor(quint32 AVersion) {
    return quint16(AVersion >> 16);
}
inline quint16 SysUpdateVersionMinor(quint32 AVersion) {
    return quint16(AVersion & 0xFFFF);
}
inline quint32 MakeSysUpdateVersion(quint16 AMajor, quint16 AMinor) {
    return (quint32(AMajor) << 16) | AMinor;
}

// The three values of the processing options.
enum TKVAutoActionMode { aamNotExecute, aamAsk, aamAutomatic };
// AValue when it is one of the three values, otherwise aamNotExecute.
int IntToAutoActionMode(int AValue);
// Display name of a processing-option value; empty outside the three.
QString AutoActionModeToStr(int AValue);

// Type codes of the values a nullable number may arrive as.
enum TKVNumericVarType {
    kvVarSmallint = 2,
    kvVarInteger = 3,
    kvVarSingle = 4,
    kvVarDouble = 5,
    kvVarShortInt = 16,
    kvVarByte = 17,
    kvVarWord = 18,
    kvVarLongWord = 19,
    kvVarInt64 = 20,
    kvVarUInt64 = 21
};
// True for the codes above: a signed or unsigned integer of any width, a single or double
// float.
bool IsNumericVarType(int AVarType);
// The same test on a QVariant: an integer of any width and signedness (64-bit ones included,
// as the database layer gives them for BIGINT columns), a float or a double. A null or
// invalid value, a Boolean, a text or a date is no number.
bool IsNumericVarType(const QVariant& AValue);

// A number as the program shows it: at most 15 significant digits, no trailing zeros, plain
// notation from 0.00001 up to 15 integer digits and exponent notation otherwise ("1E-6",
// "1,5E20"), with the decimal separator of the default locale.
QString FloatToStrKV(double AValue);
// The same with ADecimalSeparator; FloatToStrKV(x, u".") is a valid SQL numeric literal.
QString FloatToStrKV(double AValue, const QString& ADecimalSeparator);

// Hands a file name or a web address to the desktop to open; failures are not reported.
void ShellOpen(const QString& AFileOrURL);

// ---------------------------------------------------------------------------------------------
// Bit routines

inline constexpr quint16 HiWordOf(quint32 AValue) {
    return quint16(AValue >> 16);
}
inline constexpr quint16 LoWordOf(quint32 AValue) {
    return quint16(AValue & 0xFFFF);
}
inline constexpr quint16 MakeWordOf(quint8 AHi, quint8 ALo) {
    return quint16((AHi << 8) | ALo);
}
inline constexpr quint32 MakeLongOf(quint16 AHi, quint16 ALo) {
    return (quint32(AHi) << 16) | ALo;
}
inline constexpr quint32 SetBitMask(quint32 AValue, quint32 AMask) {
    return AValue | AMask;
}
inline constexpr quint32 ClearBitMask(quint32 AValue, quint32 AMask) {
    return AValue & ~AMask;
}
inline constexpr bool TestBitMask(quint32 AValue, quint32 AMask) {
    return (AValue & AMask) == AMask;
}

// ---------------------------------------------------------------------------------------------
// Shared enumerations (their ordinals are stored in the database)

// The kind of a row: T_FAVORITES.OBJ_TYPE, record details, export keys.
enum TKVItemType {
    itUnknown,
    itSysVar,
    itLocalConfig,
    itClass,
    itCase,
    itMaker,
    itUnit,
    itElementType,
    itBaseParam,
    itParam,
    itPin,
    itElementAnalog,
    itStorage,
    itElementAvail,
    itSupplier,
    itElementSupplier,
    itProject,
    itProjectItem,
    itNote
};
inline int ItemTypeToInt(TKVItemType AItemType) {
    return static_cast<int>(AItemType);
}

// What happened to a row in another window.
enum TKVItemActionType { iatChange, iatDelete };

// How a list filter matches: the name starts with / contains the filter text.
enum TFilterType { ftStarting, ftContaining };

// What a case-drawing window shows: a case or the case of an element type.
enum TKVCaseVisualMode { cvmCase, cvmElementType };

enum TKVCaseMountType { cmtUnknown, cmtInBoardHoles, cmtSMD, cmtChassis, cmtSwitching };

enum TKVPinType {
    ptUnknown,
    ptInput,
    ptOutput,
    ptBidirect,
    ptZState,
    ptGND,
    ptVCC,
    ptAGND,
    ptAVCC,
    ptBus,
    ptDataBus,
    ptAddressBus,
    ptControlBus,
    ptClock,
    ptCombined,
    ptDigitalCombined,
    ptAnalogCombined,
    ptNotUsage
};

enum TKVSelectValueType {
    svtDefault,
    svtMinOnly,
    svtTypeOnly,
    svtMaxOnly,
    svtTextOnly,
    svtBoolOnly,
    svtAverageFromMaxAndMin,
    svtAverageFromAnyNumeric,
    svtRangeFromMaxAndMin,
    svtRangeFromAnyNumeric,
    svtFirstNumericMinPriority,
    svtFirstNumericTypePriority,
    svtFirstNumericMaxPriority,
    svtSetNumericValues,
    svtValueShowingPrecision,
    svtBoolFromType
};

// The four similarity grades of an analog.
enum TKVSimilalFunctionalType { sfntUnknown, sfntFullAnalog, sfntPossibleAnalog };
enum TKVSimilalFeaturesType { sfttUnknown, sfttFullAnalog, sfttMainParam, sfttNoAnalog };
enum TKVSimilalCaseType { sctUnknown, sctFullAnalog, sctSimilarCase, sctAnotherCase };
enum TKVSimilalPinoutType {
    spotUnknown,
    spotFullAnalog,
    spotOtherPinout,
    spotAnotherFunctPins,
    spotNoAnalog
};

// Display names (ordinal in, text out); empty for the unknown value and outside the range.
QString CaseMountTypeToStr(int AMountType);
QString PinTypeToStr(int APinType);
QString SelectValueTypeToStr(int ASelectValueType);
QString SimilalFunctionalTypeToStr(int AValue);
QString SimilalFeaturesTypeToStr(int AValue);
QString SimilalCaseTypeToStr(int AValue);
QString SimilalPinoutTypeToStr(int AValue);

// ---------------------------------------------------------------------------------------------
// Object types of the layout rows (CFG_LOCAL.OBJ_TYPE): a window kind, as a managing list
// window or inside a picker.
enum TKVObjType {
    otClassList = 17,
    otCaseList = 18,
    otMakerList = 19,
    otUnitList = 20,
    otElementTypeList = 21,
    otBaseParamList = 22,
    otParamList = 23,  // parameters of an element type
    otPinList = 24,    // pins of an element type
    otAnalogList = 25, // analogs of an element type
    otStorageList = 26,
    otStockList = 27,
    otSupplierList = 28,
    otPriceList = 29, // supplier prices of an element type
    otProjectList = 30,
    otProjectItemList = 31,
    otNoteList = 32,
    otClassSelect = 33,
    otCaseSelect = 34,
    otMakerSelect = 35,
    otUnitSelect = 36,
    otElementTypeSelect = 37,
    otBaseParamSelect = 38,
    otStorageSelect = 39,
    otStockSelect = 40,
    otSupplierSelect = 41,
    otProjectSelect = 42,
    otElementTypeSummary = 43
};
inline int ObjTypeToInt(TKVObjType AObjType) {
    return static_cast<int>(AObjType);
}

// ---------------------------------------------------------------------------------------------
// Picker results. A cancelled picker gives Select false, keys 0, Tag 0 and an empty name.

struct TKVSelectedItemDBData {
    bool Select = false;
    quint32 DBId = 0;
    quint32 Id = 0;
    qint32 Tag = 0;
    TKVName Name;
};

struct TKVSelectedLocalItemDBData {
    bool Select = false;
    quint32 Id = 0;
    qint32 Tag = 0;
    TKVName Name;
};

TKVSelectedItemDBData SetSelectedItemDBData(bool ASelect, quint32 ADBId, quint32 AId, qint32 ATag,
                                            const QString& AName);
TKVSelectedLocalItemDBData SetSelectedLocalItemDBData(bool ASelect, quint32 AId, qint32 ATag,
                                                      const QString& AName);

// ---------------------------------------------------------------------------------------------
// Structure checks

// The structure version this program works with: 1.2.3.
constexpr int KVDBMajorVersion = 1;
constexpr int KVDBMinorVersion = 2;
constexpr int KVDBBuildVersion = 3;
bool IsSupportedDBVersion(int AMajor, int AMinor, int ABuild);
// The 21 tables of a main database and the 10 of a data package.
const QStringList& UserDataBaseTableNames();
const QStringList& PackageTableNames();
// True when the list names exactly the tables of a main database (or of a package), each once,
// compared without regard to case.
bool IsUserDataBaseTableList(const QStringList& ATables);
bool IsPackageTableList(const QStringList& ATables);
