#include "core/KVSortCompare.h"

#include <QDate>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <utility>

namespace {

// The direction of a sort key: +1 ascending, -1 descending.
int Direction(int ASortedType) {
    return ASortedType > 0 ? 1 : -1;
}

// The text of the sorted column, or AMissing when the row holds no text there.
QString ColumnText(const TKVSortItem& AItem, int ASortedType, const QString& AMissing) {
    const size_t column = static_cast<size_t>(std::abs(static_cast<long long>(ASortedType)) - 1);
    return column < AItem.Texts.size() ? AItem.Texts[column] : AMissing;
}

// d when AValue1 is greater, else -d (equal values too).
template <typename T> int CompareValues(const T& AValue1, const T& AValue2, int ASortedType) {
    return AValue1 > AValue2 ? Direction(ASortedType) : -Direction(ASortedType);
}

// Latin a to z upper-cased, every other character as it stands.
char16_t FoldLatin(char16_t AChar) {
    return AChar >= u'a' && AChar <= u'z' ? char16_t(AChar - (u'a' - u'A')) : AChar;
}

// <0, 0 or >0 as AText1 orders before, with or after AText2, ignoring the case of a to z.
int CompareTextLatinCase(const QString& AText1, const QString& AText2) {
    const qsizetype length = std::min(AText1.size(), AText2.size());
    const QChar* p1 = AText1.constData();
    const QChar* p2 = AText2.constData();
    for (qsizetype i = 0; i < length; ++i) {
        const char16_t c1 = FoldLatin(p1[i].unicode());
        const char16_t c2 = FoldLatin(p2[i].unicode());
        if (c1 != c2)
            return c1 < c2 ? -1 : 1;
    }
    return AText1.size() < AText2.size() ? -1 : (AText1.size() > AText2.size() ? 1 : 0);
}

qint64 TextToInt(const QString& AText) {
    bool ok = false;
    const qint64 value = AText.trimmed().toLongLong(&ok, 10);
    return ok ? value : 0;
}

// A number with the user's decimal separator and no group separators; 0 when the text is not
// one. Not-a-number reads as 0 too, so that every value has its place in the order.
double TextToFloat(const QString& AText) {
    // A sort reads numbers over and over: the locale with its option is made once for each
    // change of the user's locale.
    thread_local std::optional<QLocale> source;
    thread_local QLocale locale;
    const QLocale current;
    if (!source || !(current == *source)) {
        source = current;
        locale = current;
        locale.setNumberOptions(QLocale::RejectGroupSeparator);
    }
    bool ok = false;
    const double value = locale.toDouble(AText.trimmed(), &ok);
    return ok && !std::isnan(value) ? value : 0;
}

// A date in the user's short date format (days and months with or without their leading zero)
// as days since 30 December 1899; 0 when the text is not one.
double TextToDate(const QString& AText) {
    const QLocale locale;
    const QString text = AText.trimmed();
    QDate date = locale.toDate(text, QLocale::ShortFormat);
    if (!date.isValid()) {
        QString format = locale.dateFormat(QLocale::ShortFormat);
        format.replace(QStringLiteral("dd"), QStringLiteral("d"));
        format.replace(QStringLiteral("MM"), QStringLiteral("M"));
        date = locale.toDate(text, format);
    }
    return date.isValid() ? static_cast<double>(QDate(1899, 12, 30).daysTo(date)) : 0;
}

} // namespace

int ListViewCompareNone(const TKVSortItem&, const TKVSortItem&, int) {
    return 0;
}

int ListViewCompareText(const TKVSortItem& AItem1, const TKVSortItem& AItem2, int ASortedType) {
    if (ASortedType == 0)
        return 0;
    const int order = CompareTextLatinCase(ColumnText(AItem1, ASortedType, QString()),
                                           ColumnText(AItem2, ASortedType, QString()));
    return CompareValues(order, 0, ASortedType);
}

int ListViewCompareInt(const TKVSortItem& AItem1, const TKVSortItem& AItem2, int ASortedType) {
    if (ASortedType == 0)
        return 0;
    const QString zero = QStringLiteral("0");
    return CompareValues(TextToInt(ColumnText(AItem1, ASortedType, zero)),
                         TextToInt(ColumnText(AItem2, ASortedType, zero)), ASortedType);
}

int ListViewCompareFloat(const TKVSortItem& AItem1, const TKVSortItem& AItem2, int ASortedType) {
    if (ASortedType == 0)
        return 0;
    const QString zero = QStringLiteral("0");
    return CompareValues(TextToFloat(ColumnText(AItem1, ASortedType, zero)),
                         TextToFloat(ColumnText(AItem2, ASortedType, zero)), ASortedType);
}

int ListViewCompareDate(const TKVSortItem& AItem1, const TKVSortItem& AItem2, int ASortedType) {
    if (ASortedType == 0)
        return 0;
    return CompareValues(TextToDate(ColumnText(AItem1, ASortedType, QString())),
                         TextToDate(ColumnText(AItem2, ASortedType, QString())), ASortedType);
}

namespace {

const QString kDateTimeListFormat = QStringLiteral("dd.MM.yyyy hh:mm");

double TextToDateTime(const QString& AText) {
    const QDateTime value = QDateTime::fromString(AText.trimmed(), kDateTimeListFormat);
    return value.isValid() ? static_cast<double>(value.toSecsSinceEpoch()) : -1e300;
}

} // namespace

QString DateTimeListText(const QDateTime& AValue) {
    return AValue.toString(kDateTimeListFormat);
}

int ListViewCompareDateTime(const TKVSortItem& AItem1, const TKVSortItem& AItem2, int ASortedType) {
    if (ASortedType == 0)
        return 0;
    return CompareValues(TextToDateTime(ColumnText(AItem1, ASortedType, QString())),
                         TextToDateTime(ColumnText(AItem2, ASortedType, QString())), ASortedType);
}

int ListViewCompareDataValue(const TKVSortItem& AItem1, const TKVSortItem& AItem2,
                             int ASortedType) {
    if (ASortedType == 0)
        return 0;
    const auto value = [](const TKVSortItem& AItem) {
        const double v = AItem.DataValue.value_or(0);
        return std::isnan(v) ? 0 : v;
    };
    return CompareValues(value(AItem1), value(AItem2), ASortedType);
}

int ListViewCompareNumberPrefix(const TKVSortItem& AItem1, const TKVSortItem& AItem2,
                                int ASortedType) {
    if (ASortedType == 0)
        return 0;
    const QString zero = QStringLiteral("0");
    return CompareValues(TextToFloat(LeadingNumberText(ColumnText(AItem1, ASortedType, zero))),
                         TextToFloat(LeadingNumberText(ColumnText(AItem2, ASortedType, zero))),
                         ASortedType);
}

TKVListViewCompare ListViewCompareByTag(int ATag) {
    switch (ATag) {
    case lckInteger:
        return ListViewCompareInt;
    case lckFloat:
        return ListViewCompareFloat;
    case lckDate:
        return ListViewCompareDate;
    case lckDataValue:
        return ListViewCompareDataValue;
    case lckNumberPrefix:
        return ListViewCompareNumberPrefix;
    case lckDateTime:
        return ListViewCompareDateTime;
    default:
        return ListViewCompareText;
    }
}

int SortedTypeOnColumnClick(int ASortedType, int AColumn) {
    const int key = AColumn + 1;
    return std::abs(static_cast<long long>(ASortedType)) == key ? -ASortedType : key;
}

// ----------------------------------------------------------------------------- sort keys

bool TKVSortKeys::Supports(TKVListViewCompare ACompare) {
    return ACompare == ListViewCompareText || ACompare == ListViewCompareInt ||
           ACompare == ListViewCompareFloat || ACompare == ListViewCompareDate ||
           ACompare == ListViewCompareDataValue || ACompare == ListViewCompareNumberPrefix;
}

TKVSortKeys::TKVSortKeys(TKVListViewCompare ACompare, int ASortedType, size_t ACount)
    : FCompare(ACompare), FSortedType(ASortedType),
      FKind(ACompare == ListViewCompareText  ? TKind::Text
            : ACompare == ListViewCompareInt ? TKind::Integer
                                             : TKind::Number),
      FAscending(ASortedType > 0) {
    switch (FKind) {
    case TKind::Text:
        FSpans.reserve(ACount);
        break;
    case TKind::Integer:
        FIntegers.reserve(ACount);
        break;
    case TKind::Number:
        FNumbers.reserve(ACount);
        break;
    }
}

void TKVSortKeys::Add(const TKVSortItem& AItem) {
    ++FCount;
    const QString zero = QStringLiteral("0");
    switch (FKind) {
    case TKind::Text: {
        const QString text = ColumnText(AItem, FSortedType, QString());
        const size_t start = FText.size();
        FText.resize(start + static_cast<size_t>(text.size()));
        const QChar* from = text.constData();
        for (qsizetype i = 0; i < text.size(); ++i)
            FText[start + static_cast<size_t>(i)] = FoldLatin(from[i].unicode());
        FSpans.push_back({start, static_cast<size_t>(text.size())});
        return;
    }
    case TKind::Integer:
        FIntegers.push_back(TextToInt(ColumnText(AItem, FSortedType, zero)));
        return;
    case TKind::Number:
        break;
    }
    double value = 0;
    if (FCompare == ListViewCompareFloat) {
        value = TextToFloat(ColumnText(AItem, FSortedType, zero));
    } else if (FCompare == ListViewCompareDate) {
        value = TextToDate(ColumnText(AItem, FSortedType, QString()));
    } else if (FCompare == ListViewCompareNumberPrefix) {
        value = TextToFloat(LeadingNumberText(ColumnText(AItem, FSortedType, zero)));
    } else {
        value = AItem.DataValue.value_or(0);
        if (std::isnan(value))
            value = 0;
    }
    FNumbers.push_back(value);
}

namespace {

// The positions 0 .. ACount - 1 sorted by the key AKeyOf gives each, AKeyLess comparing two
// (key, position) pairs; positions of equal keys keep their order.
template <class TKey, class TKeyOf, class TKeyLess>
std::vector<size_t> SortedPositions(size_t ACount, TKeyOf AKeyOf, TKeyLess AKeyLess) {
    using TEntry = std::pair<TKey, size_t>;
    std::vector<TEntry> entries;
    entries.reserve(ACount);
    for (size_t i = 0; i < ACount; ++i)
        entries.emplace_back(AKeyOf(i), i);
    std::sort(entries.begin(), entries.end(), [&](const TEntry& AEntry1, const TEntry& AEntry2) {
        if (AKeyLess(AEntry1, AEntry2))
            return true;
        if (AKeyLess(AEntry2, AEntry1))
            return false;
        return AEntry1.second < AEntry2.second;
    });
    std::vector<size_t> order;
    order.reserve(ACount);
    for (const TEntry& entry : entries)
        order.push_back(entry.second);
    return order;
}

constexpr size_t kTextKeyChars = 8;

// Puts eight characters of AText from ADepth on into the entry's two numbers, which order as
// the characters do; a text that ends before is padded with zeros, which order before every
// character, as a shorter text orders before a longer one that begins with it.
void SetTextKey(TKVSortKeys::TTextEntry& AEntry, std::u16string_view AText, size_t ADepth) {
    quint64 part[2] = {0, 0};
    for (size_t i = 0; i < kTextKeyChars; ++i) {
        const size_t at = ADepth + i;
        part[i / 4] = (part[i / 4] << 16) | (at < AText.size() ? AText[at] : 0u);
    }
    AEntry.High = part[0];
    AEntry.Low = part[1];
}

} // namespace

// Sorts the entries of [ABegin, AEnd), whose texts agree up to ADepth, by their next eight
// characters; the runs that agree on those too are sorted by the characters after them, so
// that a comparison reads two numbers of the entries at hand, not the texts, and the texts are
// read once per entry and depth. Equal texts keep the order of their positions.
void TKVSortKeys::SortTextRun(TTextEntry* ABegin, TTextEntry* AEnd, size_t ADepth) const {
    for (TTextEntry* entry = ABegin; entry != AEnd; ++entry)
        SetTextKey(*entry, Text(entry->Index), ADepth);
    const bool ascending = FAscending;
    std::sort(ABegin, AEnd, [ascending](const TTextEntry& AEntry1, const TTextEntry& AEntry2) {
        if (AEntry1.High != AEntry2.High)
            return ascending ? AEntry1.High < AEntry2.High : AEntry1.High > AEntry2.High;
        if (AEntry1.Low != AEntry2.Low)
            return ascending ? AEntry1.Low < AEntry2.Low : AEntry1.Low > AEntry2.Low;
        return AEntry1.Index < AEntry2.Index;
    });
    const size_t next = ADepth + kTextKeyChars;
    for (TTextEntry* run = ABegin; run != AEnd;) {
        TTextEntry* end = run + 1;
        while (end != AEnd && end->High == run->High && end->Low == run->Low)
            ++end;
        if (end - run > 1) {
            const size_t first = Text(run->Index).size();
            bool longer = false;
            bool lengthsDiffer = false;
            for (const TTextEntry* entry = run; entry != end; ++entry) {
                const size_t length = Text(entry->Index).size();
                longer = longer || length > next;
                lengthsDiffer = lengthsDiffer || length != first;
            }
            if (longer) {
                SortTextRun(run, end, next);
            } else if (lengthsDiffer) {
                // Texts that differ only by trailing zero characters: the shorter first.
                std::stable_sort(run, end,
                                 [&](const TTextEntry& AEntry1, const TTextEntry& AEntry2) {
                                     const size_t length1 = Text(AEntry1.Index).size();
                                     const size_t length2 = Text(AEntry2.Index).size();
                                     return ascending ? length1 < length2 : length1 > length2;
                                 });
            }
        }
        run = end;
    }
}

std::vector<size_t> TKVSortKeys::SortedOrder() const {
    const auto ordered = [this](const auto& AKey1, const auto& AKey2) {
        return FAscending ? AKey1 < AKey2 : AKey2 < AKey1;
    };
    switch (FKind) {
    case TKind::Text: {
        std::vector<TTextEntry> entries(FCount);
        for (size_t i = 0; i < FCount; ++i)
            entries[i].Index = i;
        SortTextRun(entries.data(), entries.data() + entries.size(), 0);
        std::vector<size_t> order;
        order.reserve(FCount);
        for (const TTextEntry& entry : entries)
            order.push_back(entry.Index);
        return order;
    }
    case TKind::Integer:
        return SortedPositions<qint64>(
            FCount, [this](size_t AIndex) { return FIntegers[AIndex]; },
            [&](const auto& AEntry1, const auto& AEntry2) {
                return ordered(AEntry1.first, AEntry2.first);
            });
    case TKind::Number:
        break;
    }
    return SortedPositions<double>(
        FCount, [this](size_t AIndex) { return FNumbers[AIndex]; },
        [&](const auto& AEntry1, const auto& AEntry2) {
            return ordered(AEntry1.first, AEntry2.first);
        });
}

QString LeadingNumberText(const QString& AText) {
    const QString decimalPoint = QLocale().decimalPoint();
    const QChar separator = decimalPoint.isEmpty() ? QChar(u'.') : decimalPoint.at(0);
    const auto numeric = [&](QChar AChar) {
        return (AChar >= u'0' && AChar <= u'9') || AChar == u'-' || AChar == separator;
    };
    qsizetype start = 0;
    while (start < AText.size() && !numeric(AText.at(start)))
        ++start;
    if (start == AText.size())
        return AText;
    qsizetype end = start;
    while (end < AText.size() && numeric(AText.at(end)))
        ++end;
    return AText.mid(start, end - start);
}
