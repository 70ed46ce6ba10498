#include "core/KVCommon.h"

#include <QDesktopServices>
#include <QLocale>
#include <QRegularExpression>
#include <QUrl>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

// Display names of a table indexed by ordinal; empty outside it.
template <std::size_t N> QString NameByIndex(const std::array<const char*, N>& ANames, int AIndex) {
    if (AIndex < 0 || static_cast<std::size_t>(AIndex) >= N)
        return QString();
    return QString::fromUtf8(ANames[static_cast<std::size_t>(AIndex)]);
}

// Exactly the names of ARequired, each once, ignoring case.
bool IsTableSet(const QStringList& ATables, const QStringList& ARequired) {
    if (ATables.size() != ARequired.size())
        return false;
    std::vector<bool> seen(static_cast<std::size_t>(ARequired.size()), false);
    for (const QString& table : ATables) {
        qsizetype index = ARequired.size() - 1;
        while (index >= 0 && table.compare(ARequired.at(index), Qt::CaseInsensitive) != 0)
            --index;
        if (index < 0 || seen[static_cast<std::size_t>(index)])
            return false;
        seen[static_cast<std::size_t>(index)] = true;
    }
    return true;
}

// The locale's long time format without its time-zone field: a TDateTime carries no zone.
QString LongTimeFormatWithoutZone(const QLocale& ALocale) {
    const QString format = ALocale.timeFormat(QLocale::LongFormat);
    QString result;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u't')
            continue;
        result += c;
    }
    return result.simplified();
}

} // namespace

QString KVCutText(const QString& AText, int ACapacity) {
    if (ACapacity <= 0)
        return QString();
    if (AText.size() <= ACapacity)
        return AText;
    qsizetype length = ACapacity;
    if (length > 0 && AText.at(length - 1).isHighSurrogate() && AText.at(length).isLowSurrogate())
        --length;
    return AText.left(length);
}

// --- Database identities ---------------------------------------------------------------------

TKVDBIdObjectKind GetDBIdObjectKind(quint32 ADBId) {
    if (ADBId == 0)
        return dokBaseLevel;
    if (ADBId == 1)
        return dokStarted;
    if (ADBId <= 9)
        return dokReserved;
    if (ADBId == 10)
        return dokRBO;
    if (ADBId <= 999)
        return dokThematic;
    if (ADBId == 1000)
        return dokDemo;
    if (ADBId <= 1010)
        return dokExperimental;
    return dokUser;
}

bool IsDBIdLinkAllowed(quint32 ARowDBId, quint32 ARefDBId) {
    const TKVDBIdObjectKind ref = GetDBIdObjectKind(ARefDBId);
    const bool same = ARowDBId == ARefDBId;
    switch (GetDBIdObjectKind(ARowDBId)) {
    case dokBaseLevel:
        return ref == dokBaseLevel;
    case dokStarted:
        return ref == dokBaseLevel || ref == dokStarted;
    case dokReserved:
        return ref == dokBaseLevel || (ref == dokReserved && same);
    case dokRBO:
        return false;
    case dokThematic:
        return ref == dokBaseLevel || (ref == dokThematic && same);
    case dokDemo:
        return ref == dokBaseLevel || ref == dokThematic || ref == dokDemo;
    case dokExperimental:
        return ref == dokBaseLevel || ref == dokExperimental;
    case dokUser:
        return ref == dokBaseLevel || ref == dokThematic || (ref == dokUser && same);
    }
    return false;
}

QString DBIdObjectKindToStr(int AKind) {
    static const std::array<const char*, 8> names = {
        "Base Level Object", "Started Object", "Reserved Object",     "RBO Object",
        "Thematic Object",   "Demo Object",    "Experimental Object", "User Object"};
    return NameByIndex(names, AKind);
}

bool IsImportAllowedDBId(quint32 ADBId) {
    return ADBId != 0;
}

bool IsExportAllowedDBId(quint32 ADBId) {
    return ADBId != 0 && ADBId != 1 && ADBId != 1000;
}

// --- Search patterns -------------------------------------------------------------------------

QString UserMaskToSQLLike(const QString& AMask) {
    QString result;
    result.reserve(AMask.size() + 8);
    qsizetype start = 0; // start of the stretch not yet copied
    for (qsizetype i = 0; i < AMask.size(); ++i) {
        const QChar c = AMask.at(i);
        if (c == u'_' || c == u'%' || c == KVSQLEscapeChar) {
            result += QStringView(AMask).mid(start, i - start);
            result += KVSQLEscapeChar;
            result += c;
            start = i + 1;
        } else if (c == u'?' || c == u'*') {
            const bool literal = i > 0 && AMask.at(i - 1) == KVUserEscapeChar;
            // A "\" before the wildcard is always part of the pending stretch: only wildcards
            // and "_", "%", "/" end a stretch.
            result += QStringView(AMask).mid(start, i - start - (literal ? 1 : 0));
            if (literal)
                result += c;
            else
                result += c == u'?' ? u'_' : u'%';
            start = i + 1;
        }
    }
    result += QStringView(AMask).mid(start);
    return result;
}

namespace {

// Drops every wildcard of AWildcards that does not directly follow AEscape (a wildcard in the
// first position always goes) and wraps the rest in AWrap.
QString MakeContains(const QString& AMask, QStringView AWildcards, QChar AEscape, QChar AWrap) {
    if (AMask.isEmpty())
        return QString();
    QString result;
    result.reserve(AMask.size() + 2);
    result += AWrap;
    for (qsizetype i = 0; i < AMask.size(); ++i) {
        const QChar c = AMask.at(i);
        if (AWildcards.contains(c) && (i == 0 || AMask.at(i - 1) != AEscape))
            continue;
        result += c;
    }
    result += AWrap;
    return result;
}

} // namespace

QString MakeContainsMask(const QString& AMask) {
    return MakeContains(AMask, u"*", KVUserEscapeChar, u'*');
}

QString MakeSQLContainsMask(const QString& AMask) {
    return MakeContains(AMask, u"%_", KVSQLEscapeChar, u'%');
}

// --- Text and number conversions -------------------------------------------------------------

QString BoolToYesNoStr(bool AValue) {
    return AValue ? QStringLiteral("Да") : QStringLiteral("Нет");
}

QString IntToStrZeroPad(int AValue, int ADigits) {
    const bool negative = AValue < 0;
    // Through 64 bits, so that the lowest int has a magnitude too.
    QString digits = QString::number(negative ? -qint64(AValue) : qint64(AValue));
    const int width = ADigits - (negative ? 1 : 0);
    if (digits.size() < width)
        digits.prepend(QString(width - digits.size(), u'0'));
    return negative ? QChar(u'-') + digits : digits;
}

QString FirstLineStr(const QString& AText) {
    // A line ends at CR (texts from Windows, CR LF) or at LF (texts typed here).
    qsizetype lineEnd = -1;
    for (qsizetype i = 0; i < AText.size(); ++i) {
        if (AText.at(i) == u'\r' || AText.at(i) == u'\n') {
            lineEnd = i;
            break;
        }
    }
    if (lineEnd < 0 || lineEnd == AText.size() - 1)
        return AText;
    return AText.left(lineEnd) + QStringLiteral("...");
}

QString DateTimeToStrOrDash(TDateTime AValue) {
    return AValue == 0 ? QStringLiteral("-") : DateTimeToStr(AValue);
}

QString TextAsCRLFLines(const QString& AText) {
    if (AText.isEmpty())
        return QString();
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = AText.split(breaks);
    if (lines.last().isEmpty())
        lines.removeLast();
    QString result;
    for (const QString& line : lines)
        result += line + QStringLiteral("\r\n");
    return result;
}

QString TimeToStrKV(const QTime& ATime) {
    const QLocale locale;
    return locale.toString(ATime, LongTimeFormatWithoutZone(locale));
}

QString DateTimeToStr(TDateTime AValue) {
    const QDateTime dateTime = QDateTimeFromDateTime(AValue);
    const QLocale locale;
    QString result = locale.toString(dateTime.date(), QLocale::ShortFormat);
    if (dateTime.time() != QTime(0, 0))
        result += QChar(u' ') + TimeToStrKV(dateTime.time());
    return result;
}

int IntToAutoActionMode(int AValue) {
    return AValue >= aamNotExecute && AValue <= aamAutomatic ? AValue : aamNotExecute;
}

QString AutoActionModeToStr(int AValue) {
    static const std::array<const char*, 3> names = {"Не выполнять", "Спросить о необходимости",
                                                     "Автоматически"};
    return NameByIndex(names, AValue);
}

bool IsNumericVarType(int AVarType) {
    switch (AVarType) {
    case kvVarSmallint:
    case kvVarInteger:
    case kvVarSingle:
    case kvVarDouble:
    case kvVarShortInt:
    case kvVarByte:
    case kvVarWord:
    case kvVarLongWord:
    case kvVarInt64:
    case kvVarUInt64:
        return true;
    default:
        return false;
    }
}

bool IsNumericVarType(const QVariant& AValue) {
    if (!AValue.isValid() || AValue.isNull())
        return false;
    switch (AValue.typeId()) {
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Float:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

QString FloatToStrKV(double AValue) {
    return FloatToStrKV(AValue, QLocale().decimalPoint());
}

QString FloatToStrKV(double AValue, const QString& ADecimalSeparator) {
    if (std::isnan(AValue))
        return QStringLiteral("NAN");
    if (std::isinf(AValue))
        return AValue > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (AValue == 0)
        return QStringLiteral("0"); // also for -0

    // Rounded to 15 significant digits, "-d.dddddddddddddde+XX" whatever the C locale says.
    char buffer[40];
    const std::to_chars_result written = std::to_chars(buffer, buffer + sizeof buffer - 1, AValue,
                                                       std::chars_format::scientific, 14);
    *written.ptr = '\0';
    const char* p = buffer;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    QString digits;
    digits.reserve(15);
    for (; *p != 'e'; ++p) {
        if (*p != '.')
            digits += QLatin1Char(*p);
    }
    const int exponent = std::atoi(p + 1);
    while (digits.size() > 1 && digits.endsWith(u'0'))
        digits.chop(1);

    QString result;
    if (negative)
        result += u'-';
    if (exponent >= -5 && exponent < 15) {
        if (exponent >= 0) {
            const qsizetype integerDigits = exponent + 1;
            if (digits.size() <= integerDigits) {
                result += digits;
                result += QString(integerDigits - digits.size(), u'0');
            } else {
                result += QStringView(digits).left(integerDigits);
                result += ADecimalSeparator;
                result += QStringView(digits).mid(integerDigits);
            }
        } else {
            result += u'0';
            result += ADecimalSeparator;
            result += QString(-exponent - 1, u'0');
            result += digits;
        }
    } else {
        result += digits.at(0);
        if (digits.size() > 1) {
            result += ADecimalSeparator;
            result += QStringView(digits).mid(1);
        }
        result += u'E';
        result += QString::number(exponent);
    }
    return result;
}

void ShellOpen(const QString& AFileOrURL) {
    if (AFileOrURL.trimmed().isEmpty())
        return;
    QDesktopServices::openUrl(QUrl::fromUserInput(AFileOrURL));
}

// --- Display names ---------------------------------------------------------------------------

QString CaseMountTypeToStr(int AMountType) {
    static const std::array<const char*, 5> names = {"", "в отверстия на плате", "поверхностный",
                                                     "на шасси", "в коммутационное устройство"};
    return NameByIndex(names, AMountType);
}

QString PinTypeToStr(int APinType) {
    static const std::array<const char*, 18> names = {"",
                                                      "Вход",
                                                      "Выход",
                                                      "Двунаправленный",
                                                      "Три состояния",
                                                      "Земля",
                                                      "Питание",
                                                      "Аналоговая земля",
                                                      "Аналоговое питание",
                                                      "Шина",
                                                      "Шина данных",
                                                      "Шина адресов",
                                                      "Шина управления",
                                                      "Тактирование",
                                                      "Комбинированный",
                                                      "Комбинированный цифровой",
                                                      "Комбинированный аналоговый",
                                                      "Не используется"};
    return NameByIndex(names, APinType);
}

QString SelectValueTypeToStr(int ASelectValueType) {
    static const std::array<const char*, 16> names = {"",
                                                      "только минимальное",
                                                      "только типовое",
                                                      "только максимальное",
                                                      "только текстовое",
                                                      "только логическое",
                                                      "среднее из макс. и мин.",
                                                      "среднее из любых числовых",
                                                      "диапазон только из макс. и мин.",
                                                      "диапазон из любых числовых",
                                                      "первое числовое с мин.",
                                                      "первое числовое с типов.",
                                                      "первое числовое с макс.",
                                                      "набор числовых значений",
                                                      "значение с указанием точности",
                                                      "логическое из типового"};
    return NameByIndex(names, ASelectValueType);
}

QString SimilalFunctionalTypeToStr(int AValue) {
    static const std::array<const char*, 3> names = {"", "Полный аналог", "Возможный аналог"};
    return NameByIndex(names, AValue);
}

QString SimilalFeaturesTypeToStr(int AValue) {
    static const std::array<const char*, 4> names = {"", "Полный аналог",
                                                     "Аналог по основным параметрам", "Не аналог"};
    return NameByIndex(names, AValue);
}

QString SimilalCaseTypeToStr(int AValue) {
    static const std::array<const char*, 4> names = {
        "", "Полный аналог", "Похожий корпус другого типа", "Другой корпус"};
    return NameByIndex(names, AValue);
}

QString SimilalPinoutTypeToStr(int AValue) {
    static const std::array<const char*, 5> names = {
        "", "Полный аналог", "Другое расположение выводов", "Другое назначение части выводов",
        "Не аналог"};
    return NameByIndex(names, AValue);
}

// --- Picker results --------------------------------------------------------------------------

TKVSelectedItemDBData SetSelectedItemDBData(bool ASelect, quint32 ADBId, quint32 AId, qint32 ATag,
                                            const QString& AName) {
    TKVSelectedItemDBData data;
    data.Select = ASelect;
    data.DBId = ADBId;
    data.Id = AId;
    data.Tag = ATag;
    data.Name = KVName(AName);
    return data;
}

TKVSelectedLocalItemDBData SetSelectedLocalItemDBData(bool ASelect, quint32 AId, qint32 ATag,
                                                      const QString& AName) {
    TKVSelectedLocalItemDBData data;
    data.Select = ASelect;
    data.Id = AId;
    data.Tag = ATag;
    data.Name = KVName(AName);
    return data;
}

// --- Structure checks ------------------------------------------------------------------------

bool IsSupportedDBVersion(int AMajor, int AMinor, int ABuild) {
    return AMajor == KVDBMajorVersion && AMinor == KVDBMinorVersion && ABuild == KVDBBuildVersion;
}

const QStringList& UserDataBaseTableNames() {
    static const QStringList names = {
        QStringLiteral("CFG_LOCAL"),       QStringLiteral("SYS_VAR"),
        QStringLiteral("T_BASE_PARAM"),    QStringLiteral("T_CASE"),
        QStringLiteral("T_CLASS"),         QStringLiteral("T_ELEMENT_ANALOG"),
        QStringLiteral("T_ELEMENT_AVAIL"), QStringLiteral("T_ELEMENT_SUPPLIER"),
        QStringLiteral("T_ELEMENT_TYPE"),  QStringLiteral("T_MAKER"),
        QStringLiteral("T_NOTE"),          QStringLiteral("T_PARAM"),
        QStringLiteral("T_PIN"),           QStringLiteral("T_PROJECT"),
        QStringLiteral("T_PROJECT_ITEM"),  QStringLiteral("T_PSP"),
        QStringLiteral("T_PSP_ITEM"),      QStringLiteral("T_STORAGE"),
        QStringLiteral("T_SUPPLIER"),      QStringLiteral("T_UNIT"),
        QStringLiteral("T_FAVORITES")};
    return names;
}

const QStringList& PackageTableNames() {
    static const QStringList names = {QStringLiteral("SYS_VAR"),
                                      QStringLiteral("T_BASE_PARAM"),
                                      QStringLiteral("T_CASE"),
                                      QStringLiteral("T_CLASS"),
                                      QStringLiteral("T_ELEMENT_ANALOG"),
                                      QStringLiteral("T_ELEMENT_TYPE"),
                                      QStringLiteral("T_MAKER"),
                                      QStringLiteral("T_PARAM"),
                                      QStringLiteral("T_PIN"),
                                      QStringLiteral("T_UNIT")};
    return names;
}

bool IsUserDataBaseTableList(const QStringList& ATables) {
    return IsTableSet(ATables, UserDataBaseTableNames());
}

bool IsPackageTableList(const QStringList& ATables) {
    return IsTableSet(ATables, PackageTableNames());
}
