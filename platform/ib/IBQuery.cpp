#include "platform/ib/IBQuery.h"

#include "platform/ib/IBClientPrivate.h"
#include "platform/sys/Win1251.h"

#include <algorithm>
#include <cmath>
#include <cstring>

using namespace Firebird;
using IBClient::TStatus;

namespace {

// ISC_DATE counts days from 17 November 1858, TDateTime from 30 December 1899.
constexpr int kIscDateOffset = 15018;
constexpr double kIscTimeUnitsPerDay = 864000000.0; // 1/10000 s

constexpr int kCharsetOctets = 1;

TDateTime IscToDateTime(ISC_DATE ADate, ISC_TIME ATime) {
    return static_cast<double>(ADate - kIscDateOffset) +
           static_cast<double>(ATime) / kIscTimeUnitsPerDay;
}

void DateTimeToIsc(TDateTime AValue, ISC_DATE& ADate, ISC_TIME& ATime) {
    double days = std::floor(AValue);
    double units = std::round((AValue - days) * kIscTimeUnitsPerDay);
    if (units >= kIscTimeUnitsPerDay) {
        days += 1;
        units -= kIscTimeUnitsPerDay;
    }
    ADate = static_cast<ISC_DATE>(days) + kIscDateOffset;
    ATime = static_cast<ISC_TIME>(units);
}

double Pow10(int AExp) {
    static const double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8, 1e9,
                                     1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18};
    return AExp >= 0 && AExp <= 18 ? kPowers[AExp] : std::pow(10.0, AExp);
}

bool IsIdentStart(QChar c) {
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || c == QLatin1Char('_');
}

bool IsIdentChar(QChar c) {
    return IsIdentStart(c) || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           c == QLatin1Char('$');
}

[[noreturn]] void RaiseConvert(const QString& AText, const char* AKind) {
    throw EConvertError(
        QStringLiteral("'%1' is not a valid %2 value").arg(AText, QLatin1String(AKind)));
}

} // namespace

// -------------------------------------------------------------------------------- TIBParam

void TIBParam::SetAsInteger(qint32 AValue) {
    FKind = TKind::Integer;
    FInt = AValue;
}

void TIBParam::SetAsInt64(qint64 AValue) {
    FKind = TKind::Int64;
    FInt = AValue;
}

void TIBParam::SetAsDouble(double AValue) {
    FKind = TKind::Double;
    FDouble = AValue;
}

void TIBParam::SetAsString(const QString& AValue) {
    FBytes = ToWin1251(AValue);
    FKind = TKind::String;
}

void TIBParam::SetAsDateTime(TDateTime AValue) {
    FKind = TKind::DateTime;
    FDouble = AValue;
}

void TIBParam::SetAsBytes(const QByteArray& AValue) {
    FKind = TKind::Bytes;
    FBytes = AValue;
}

void TIBParam::Clear() {
    FKind = TKind::Null;
    FBytes.clear();
}

void TIBParam::SetValue(const QVariant& AValue) {
    if (!AValue.isValid() || AValue.isNull()) {
        Clear();
        return;
    }
    switch (AValue.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        SetAsInteger(AValue.toInt());
        break;
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        SetAsInt64(AValue.toLongLong());
        break;
    case QMetaType::Float:
    case QMetaType::Double:
        SetAsDouble(AValue.toDouble());
        break;
    case QMetaType::QDateTime:
        SetAsDateTime(DateTimeFromQDateTime(AValue.toDateTime()));
        break;
    case QMetaType::QDate:
        SetAsDateTime(DateTimeFromQDateTime(AValue.toDate().startOfDay()));
        break;
    case QMetaType::QByteArray:
        SetAsBytes(AValue.toByteArray());
        break;
    default:
        SetAsString(AValue.toString());
        break;
    }
}

// -------------------------------------------------------------------------------- TIBField

const unsigned char* TIBField::Data() const {
    return FQuery->FBuffer.data() + FOffset;
}

bool TIBField::IsNull() const {
    if (FQuery->FBuffer.empty())
        return true;
    short indicator;
    std::memcpy(&indicator, FQuery->FBuffer.data() + FNullOffset, sizeof(indicator));
    return indicator != 0;
}

bool TIBField::IsBlob() const {
    return FType == SQL_BLOB;
}
bool TIBField::IsTextBlob() const {
    return FType == SQL_BLOB && FSubType == 1;
}

bool TIBField::IsNumeric() const {
    switch (FType) {
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64:
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
    case SQL_BOOLEAN:
        return true;
    default:
        return false;
    }
}

bool TIBField::IsText() const {
    return FType == SQL_TEXT || FType == SQL_VARYING;
}

QByteArray TIBField::RawText() const {
    const unsigned char* p = Data();
    if (FType == SQL_VARYING) {
        unsigned short len;
        std::memcpy(&len, p, sizeof(len));
        return QByteArray(reinterpret_cast<const char*>(p + 2), len);
    }
    return QByteArray(reinterpret_cast<const char*>(p), static_cast<qsizetype>(FLength));
}

QByteArray TIBField::ReadBlob() const {
    TIBTransaction* tr = FQuery->FTransaction;
    TIBDatabase* db = FQuery->FDatabase;
    if (!db || !db->Connected() || !tr || !tr->InTransaction())
        throw EIBError(
            QStringLiteral("Blob field %1 cannot be read outside its transaction").arg(FName));
    ISC_QUAD id;
    std::memcpy(&id, Data(), sizeof(id));
    QByteArray result;
    TStatus st;
    IBlob* blob = nullptr;
    try {
        blob = db->Attachment()->openBlob(&st.w, tr->Handle(), &id, 0, nullptr);
        char chunk[32768];
        for (;;) {
            unsigned got = 0;
            const int rc = blob->getSegment(&st.w, sizeof(chunk), chunk, &got);
            if (rc == IStatus::RESULT_NO_DATA)
                break;
            result.append(chunk, got);
        }
        blob->close(&st.w);
        blob = nullptr;
    } catch (const FbException& e) {
        if (blob)
            blob->release();
        IBClient::RaiseStatus(e.getStatus());
    }
    return result;
}

qint64 TIBField::AsInt64() const {
    if (IsNull())
        return 0;
    const unsigned char* p = Data();
    switch (FType) {
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64:
        if (FScale == 0) {
            if (FType == SQL_SHORT) {
                qint16 v;
                std::memcpy(&v, p, sizeof(v));
                return v;
            }
            if (FType == SQL_LONG) {
                qint32 v;
                std::memcpy(&v, p, sizeof(v));
                return v;
            }
            qint64 v;
            std::memcpy(&v, p, sizeof(v));
            return v;
        }
        return std::llround(AsDouble());
    case SQL_BOOLEAN:
        return *p ? 1 : 0;
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return std::llround(AsDouble());
    default: {
        const QString text = AsString().trimmed();
        bool ok = false;
        const qint64 v = text.toLongLong(&ok);
        if (ok)
            return v;
        const double d = text.toDouble(&ok);
        if (ok && std::isfinite(d))
            return std::llround(d);
        RaiseConvert(text, "integer");
    }
    }
}

qint32 TIBField::AsInteger() const {
    return static_cast<qint32>(AsInt64());
}

double TIBField::AsDouble() const {
    if (IsNull())
        return 0;
    const unsigned char* p = Data();
    switch (FType) {
    case SQL_SHORT: {
        qint16 v;
        std::memcpy(&v, p, sizeof(v));
        return FScale ? v * Pow10(FScale) : v;
    }
    case SQL_LONG: {
        qint32 v;
        std::memcpy(&v, p, sizeof(v));
        return FScale ? v / Pow10(-FScale) : v;
    }
    case SQL_INT64: {
        qint64 v;
        std::memcpy(&v, p, sizeof(v));
        return FScale ? static_cast<double>(v) / Pow10(-FScale) : static_cast<double>(v);
    }
    case SQL_FLOAT: {
        float v;
        std::memcpy(&v, p, sizeof(v));
        return v;
    }
    case SQL_DOUBLE:
    case SQL_D_FLOAT: {
        double v;
        std::memcpy(&v, p, sizeof(v));
        return v;
    }
    case SQL_BOOLEAN:
        return *p ? 1 : 0;
    case SQL_TIMESTAMP:
    case SQL_TYPE_DATE:
    case SQL_TYPE_TIME:
        return AsDateTime();
    default: {
        const QString text = AsString().trimmed();
        bool ok = false;
        const double v = text.toDouble(&ok);
        if (!ok)
            RaiseConvert(text, "floating point");
        return v;
    }
    }
}

TDateTime TIBField::AsDateTime() const {
    if (IsNull())
        return 0;
    const unsigned char* p = Data();
    switch (FType) {
    case SQL_TIMESTAMP: {
        ISC_TIMESTAMP ts;
        std::memcpy(&ts, p, sizeof(ts));
        return IscToDateTime(ts.timestamp_date, ts.timestamp_time);
    }
    case SQL_TYPE_DATE: {
        ISC_DATE d;
        std::memcpy(&d, p, sizeof(d));
        return IscToDateTime(d, 0);
    }
    case SQL_TYPE_TIME: {
        ISC_TIME t;
        std::memcpy(&t, p, sizeof(t));
        return static_cast<double>(t) / kIscTimeUnitsPerDay;
    }
    default:
        if (IsNumeric())
            return AsDouble();
        {
            const QString text = AsString().trimmed();
            QDateTime dt = QDateTime::fromString(text, Qt::ISODateWithMs);
            if (!dt.isValid())
                dt = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd hh:mm:ss"));
            if (!dt.isValid())
                RaiseConvert(text, "date and time");
            return DateTimeFromQDateTime(dt);
        }
    }
}

QString TIBField::AsString() const {
    if (IsNull())
        return QString();
    switch (FType) {
    case SQL_VARYING: {
        const unsigned char* p = Data();
        unsigned short len;
        std::memcpy(&len, p, sizeof(len));
        return FromWin1251(reinterpret_cast<const char*>(p + 2), len);
    }
    case SQL_TEXT:
        return FromWin1251(reinterpret_cast<const char*>(Data()), static_cast<qsizetype>(FLength));
    case SQL_BLOB:
        return FromWin1251(ReadBlob());
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64:
    case SQL_BOOLEAN:
        if (FScale == 0 || FType == SQL_BOOLEAN)
            return QString::number(AsInt64());
        return QString::number(AsDouble(), 'f', -FScale);
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return QString::number(AsDouble(), 'g', 15);
    case SQL_TIMESTAMP:
        return QDateTimeFromDateTime(AsDateTime()).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    case SQL_TYPE_DATE:
        return QDateTimeFromDateTime(AsDateTime()).date().toString(Qt::ISODate);
    case SQL_TYPE_TIME:
        return QDateTimeFromDateTime(AsDateTime()).time().toString(QStringLiteral("hh:mm:ss"));
    default:
        return QString();
    }
}

QByteArray TIBField::AsBytes() const {
    if (IsNull())
        return QByteArray();
    if (FType == SQL_BLOB)
        return ReadBlob();
    if (IsText())
        return RawText();
    return ToWin1251(AsString());
}

QVariant TIBField::Value() const {
    if (IsNull())
        return QVariant();
    switch (FType) {
    case SQL_SHORT:
    case SQL_LONG:
        return FScale == 0 ? QVariant(AsInteger()) : QVariant(AsDouble());
    case SQL_INT64:
        return FScale == 0 ? QVariant(AsInt64()) : QVariant(AsDouble());
    case SQL_BOOLEAN:
        return QVariant(AsInt64() != 0);
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return QVariant(AsDouble());
    case SQL_TIMESTAMP:
    case SQL_TYPE_DATE:
    case SQL_TYPE_TIME:
        return QVariant(QDateTimeFromDateTime(AsDateTime()));
    case SQL_BLOB:
        return IsTextBlob() ? QVariant(AsString()) : QVariant(AsBytes());
    default:
        return QVariant(AsString());
    }
}

// -------------------------------------------------------------------------------- TIBQuery

TIBQuery::TIBQuery(TIBDatabase* ADatabase, TIBTransaction* ATransaction) {
    SetDatabase(ADatabase);
    SetTransaction(ATransaction);
}

struct TIBQuery::TFetchStatus {
    TStatus Status;
};

TIBQuery::~TIBQuery() {
    try {
        Unprepare();
    } catch (...) {
    }
    if (FTransaction)
        FTransaction->FQueries.erase(this);
    if (FDatabase)
        FDatabase->FQueries.erase(this);
}

void TIBQuery::SetDatabase(TIBDatabase* ADatabase) {
    if (ADatabase == FDatabase)
        return;
    Unprepare();
    if (FDatabase)
        FDatabase->FQueries.erase(this);
    FDatabase = ADatabase;
    if (FDatabase)
        FDatabase->FQueries.insert(this);
}

void TIBQuery::SetTransaction(TIBTransaction* ATransaction) {
    if (ATransaction == FTransaction)
        return;
    Close();
    if (FTransaction)
        FTransaction->FQueries.erase(this);
    FTransaction = ATransaction;
    if (FTransaction)
        FTransaction->FQueries.insert(this);
}

void TIBQuery::DetachFromDatabase() {
    Unprepare();
    FDatabase = nullptr;
}

void TIBQuery::DetachFromTransaction() {
    CloseCursor();
    FTransaction = nullptr;
}

void TIBQuery::SetSQL(const QString& ASQL) {
    Unprepare();
    FSQL = ASQL;
    FParsed = false;
    FParams.clear();
    FParamPositions.clear();
}

void TIBQuery::SetParamCheck(bool AValue) {
    if (AValue == FParamCheck)
        return;
    Unprepare();
    FParamCheck = AValue;
    FParsed = false;
    FParams.clear();
    FParamPositions.clear();
}

// Replaces every :NAME outside string literals, quoted names and comments by '?' and
// records which parameter each '?' stands for.
void TIBQuery::ParseSQL() {
    if (FParsed)
        return;
    FParams.clear();
    FParamPositions.clear();
    QString out;
    out.reserve(FSQL.size());
    const qsizetype n = FSQL.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = FSQL.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            qsizetype j = i + 1;
            while (j < n) {
                if (FSQL.at(j) == c) {
                    if (j + 1 < n && FSQL.at(j + 1) == c) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            out += QStringView(FSQL).mid(i, std::min(j + 1, n) - i);
            i = j + 1;
        } else if (c == QLatin1Char('-') && i + 1 < n && FSQL.at(i + 1) == QLatin1Char('-')) {
            qsizetype j = FSQL.indexOf(QLatin1Char('\n'), i);
            if (j < 0)
                j = n;
            out += QStringView(FSQL).mid(i, j - i);
            i = j;
        } else if (c == QLatin1Char('/') && i + 1 < n && FSQL.at(i + 1) == QLatin1Char('*')) {
            qsizetype j = FSQL.indexOf(QStringLiteral("*/"), i + 2);
            j = j < 0 ? n : j + 2;
            out += QStringView(FSQL).mid(i, j - i);
            i = j;
        } else if (FParamCheck && c == QLatin1Char(':') && i + 1 < n &&
                   IsIdentStart(FSQL.at(i + 1))) {
            qsizetype j = i + 1;
            while (j < n && IsIdentChar(FSQL.at(j)))
                ++j;
            const QString name = FSQL.mid(i + 1, j - i - 1);
            int index = -1;
            for (size_t k = 0; k < FParams.size(); ++k) {
                if (FParams[k]->Name().compare(name, Qt::CaseInsensitive) == 0) {
                    index = static_cast<int>(k);
                    break;
                }
            }
            if (index < 0) {
                FParams.push_back(std::unique_ptr<TIBParam>(new TIBParam(name)));
                index = static_cast<int>(FParams.size()) - 1;
            }
            FParamPositions.push_back(index);
            out += QLatin1Char('?');
            i = j;
        } else {
            out += c;
            ++i;
        }
    }
    FEngineSQL = ToWin1251(out);
    FParsed = true;
}

int TIBQuery::ParamCount() {
    ParseSQL();
    return static_cast<int>(FParams.size());
}

TIBParam& TIBQuery::Params(int AIndex) {
    ParseSQL();
    if (AIndex < 0 || AIndex >= static_cast<int>(FParams.size()))
        throw EIBError(QStringLiteral("Parameter index %1 out of range").arg(AIndex));
    return *FParams[static_cast<size_t>(AIndex)];
}

TIBParam* TIBQuery::FindParam(const QString& AName) {
    ParseSQL();
    for (auto& p : FParams)
        if (p->Name().compare(AName, Qt::CaseInsensitive) == 0)
            return p.get();
    return nullptr;
}

TIBParam& TIBQuery::ParamByName(const QString& AName) {
    if (TIBParam* param = FindParam(AName))
        return *param;
    throw EIBError(QStringLiteral("Parameter \"%1\" not found").arg(AName));
}

void TIBQuery::CheckReady() {
    if (!FDatabase)
        throw EIBError(QStringLiteral("Query has no database"));
    FDatabase->CheckConnected();
    if (!FTransaction)
        throw EIBError(QStringLiteral("Query has no transaction"));
    if (!FTransaction->InTransaction())
        throw EIBError(QStringLiteral("Transaction is not active"));
    if (FSQL.trimmed().isEmpty())
        throw EIBError(QStringLiteral("Empty query"));
}

void TIBQuery::Prepare() {
    if (FStatement)
        return;
    CheckReady();
    ParseSQL();
    TStatus st;
    try {
        FStatement = FDatabase->Attachment()->prepare(
            &st.w, FTransaction->Handle(), static_cast<unsigned>(FEngineSQL.size()),
            FEngineSQL.constData(), 3, IStatement::PREPARE_PREFETCH_METADATA);
        FStatementType = FStatement->getType(&st.w);
        IMessageMetadata* in = FStatement->getInputMetadata(&st.w);
        const unsigned inCount = in->getCount(&st.w);
        in->release();
        if (inCount != FParamPositions.size()) {
            Unprepare();
            throw EIBError(QStringLiteral("The statement has %1 parameters but %2 are named")
                               .arg(inCount)
                               .arg(FParamPositions.size()));
        }
        FOutMeta = FStatement->getOutputMetadata(&st.w);
    } catch (const FbException& e) {
        Unprepare();
        IBClient::RaiseStatus(e.getStatus());
    }
    BuildFields();
}

void TIBQuery::BuildFields() {
    FFields.clear();
    FFieldIndex.clear();
    FNameCache.clear();
    FNameCacheNext = 0;
    FBuffer.clear();
    TStatus st;
    try {
        const unsigned count = FOutMeta->getCount(&st.w);
        FFields.resize(count);
        for (unsigned i = 0; i < count; ++i) {
            TIBField& f = FFields[i];
            f.FQuery = this;
            const char* alias = FOutMeta->getAlias(&st.w, i);
            if (!alias || !*alias)
                alias = FOutMeta->getField(&st.w, i);
            f.FName = FromWin1251(alias, static_cast<qsizetype>(qstrlen(alias)));
            f.FType = FOutMeta->getType(&st.w, i) & ~1u;
            f.FSubType = FOutMeta->getSubType(&st.w, i);
            f.FScale = FOutMeta->getScale(&st.w, i);
            f.FLength = FOutMeta->getLength(&st.w, i);
            f.FOffset = FOutMeta->getOffset(&st.w, i);
            f.FNullOffset = FOutMeta->getNullOffset(&st.w, i);
            const QString key = f.FName.toUpper();
            if (!FFieldIndex.contains(key))
                FFieldIndex.insert(key, static_cast<int>(i));
        }
        if (count > 0) {
            FBuffer.assign(FOutMeta->getMessageLength(&st.w), 0);
            for (const TIBField& f : FFields) {
                const short nullIndicator = -1;
                std::memcpy(FBuffer.data() + f.FNullOffset, &nullIndicator, sizeof(short));
            }
        }
    } catch (const FbException& e) {
        IBClient::RaiseStatus(e.getStatus());
    }
}

void TIBQuery::Unprepare() {
    CloseCursor();
    FActive = false;
    FEof = true;
    FFields.clear();
    FFieldIndex.clear();
    FNameCache.clear();
    FNameCacheNext = 0;
    FBuffer.clear();
    if (FOutMeta) {
        FOutMeta->release();
        FOutMeta = nullptr;
    }
    if (FStatement) {
        IStatement* stmt = FStatement;
        FStatement = nullptr;
        if (FDatabase && FDatabase->Connected()) {
            TStatus st;
            try {
                stmt->free(&st.w);
            } catch (const FbException&) {
                stmt->release();
            }
        } else {
            stmt->release();
        }
    }
}

// Builds the input message from the parameter values. Each value travels in its own type
// and the engine converts it to the column's; blobs are created here in the transaction.
QByteArray TIBQuery::BuildInput(IMessageMetadata*& AMeta) {
    AMeta = nullptr;
    QByteArray buffer;
    TStatus st;
    IMessageMetadata* in = nullptr;
    IMetadataBuilder* builder = nullptr;
    try {
        in = FStatement->getInputMetadata(&st.w);
        const unsigned count = in->getCount(&st.w);
        if (count == 0) {
            in->release();
            return buffer;
        }
        builder = in->getBuilder(&st.w);
        std::vector<bool> asBlob(count, false);
        for (unsigned i = 0; i < count; ++i) {
            const TIBParam& p = *FParams[static_cast<size_t>(FParamPositions[i])];
            const unsigned serverType = in->getType(&st.w, i) & ~1u;
            switch (p.FKind) {
            case TIBParam::TKind::Null:
                builder->setType(&st.w, i, serverType | 1);
                break;
            case TIBParam::TKind::Integer:
                builder->setType(&st.w, i, SQL_LONG | 1);
                builder->setLength(&st.w, i, sizeof(qint32));
                builder->setScale(&st.w, i, 0);
                break;
            case TIBParam::TKind::Int64:
                builder->setType(&st.w, i, SQL_INT64 | 1);
                builder->setLength(&st.w, i, sizeof(qint64));
                builder->setScale(&st.w, i, 0);
                break;
            case TIBParam::TKind::Double:
                builder->setType(&st.w, i, SQL_DOUBLE | 1);
                builder->setLength(&st.w, i, sizeof(double));
                builder->setScale(&st.w, i, 0);
                break;
            case TIBParam::TKind::DateTime:
                builder->setType(&st.w, i, SQL_TIMESTAMP | 1);
                builder->setLength(&st.w, i, sizeof(ISC_TIMESTAMP));
                builder->setScale(&st.w, i, 0);
                break;
            case TIBParam::TKind::String:
            case TIBParam::TKind::Bytes:
                if (serverType == SQL_BLOB) {
                    asBlob[i] = true;
                    builder->setType(&st.w, i, SQL_BLOB | 1);
                    builder->setLength(&st.w, i, sizeof(ISC_QUAD));
                } else {
                    builder->setType(&st.w, i, SQL_VARYING | 1);
                    builder->setLength(
                        &st.w, i, static_cast<unsigned>(std::max<qsizetype>(1, p.FBytes.size())));
                    builder->setScale(&st.w, i, 0);
                    if (p.FKind == TIBParam::TKind::Bytes)
                        builder->setCharSet(&st.w, i, kCharsetOctets);
                    else if (serverType != SQL_TEXT && serverType != SQL_VARYING)
                        builder->setCharSet(&st.w, i, 0);
                }
                break;
            }
        }
        AMeta = builder->getMetadata(&st.w);
        builder->release();
        builder = nullptr;
        in->release();
        in = nullptr;

        buffer.fill('\0', AMeta->getMessageLength(&st.w));
        unsigned char* base = reinterpret_cast<unsigned char*>(buffer.data());
        for (unsigned i = 0; i < count; ++i) {
            const TIBParam& p = *FParams[static_cast<size_t>(FParamPositions[i])];
            unsigned char* data = base + AMeta->getOffset(&st.w, i);
            const short nullIndicator = p.IsNull() ? -1 : 0;
            std::memcpy(base + AMeta->getNullOffset(&st.w, i), &nullIndicator, sizeof(short));
            switch (p.FKind) {
            case TIBParam::TKind::Null:
                break;
            case TIBParam::TKind::Integer: {
                const auto v = static_cast<qint32>(p.FInt);
                std::memcpy(data, &v, sizeof(v));
                break;
            }
            case TIBParam::TKind::Int64:
                std::memcpy(data, &p.FInt, sizeof(p.FInt));
                break;
            case TIBParam::TKind::Double:
                std::memcpy(data, &p.FDouble, sizeof(p.FDouble));
                break;
            case TIBParam::TKind::DateTime: {
                ISC_TIMESTAMP ts;
                DateTimeToIsc(p.FDouble, ts.timestamp_date, ts.timestamp_time);
                std::memcpy(data, &ts, sizeof(ts));
                break;
            }
            case TIBParam::TKind::String:
            case TIBParam::TKind::Bytes:
                if (asBlob[i]) {
                    ISC_QUAD id;
                    IBlob* blob = FDatabase->Attachment()->createBlob(&st.w, FTransaction->Handle(),
                                                                      &id, 0, nullptr);
                    try {
                        const char* bytes = p.FBytes.constData();
                        qsizetype left = p.FBytes.size();
                        while (left > 0) {
                            const unsigned part =
                                static_cast<unsigned>(std::min<qsizetype>(left, 65535));
                            blob->putSegment(&st.w, part, bytes);
                            bytes += part;
                            left -= part;
                        }
                        blob->close(&st.w);
                    } catch (...) {
                        blob->release();
                        throw;
                    }
                    std::memcpy(data, &id, sizeof(id));
                } else {
                    const auto len = static_cast<unsigned short>(p.FBytes.size());
                    if (p.FBytes.size() > 32765)
                        throw EIBError(
                            QStringLiteral("Value of parameter \"%1\" is too long").arg(p.Name()));
                    std::memcpy(data, &len, sizeof(len));
                    std::memcpy(data + 2, p.FBytes.constData(), len);
                }
                break;
            }
        }
    } catch (const FbException& e) {
        if (builder)
            builder->release();
        if (in)
            in->release();
        if (AMeta) {
            AMeta->release();
            AMeta = nullptr;
        }
        IBClient::RaiseStatus(e.getStatus());
    } catch (...) {
        if (builder)
            builder->release();
        if (in)
            in->release();
        if (AMeta) {
            AMeta->release();
            AMeta = nullptr;
        }
        throw;
    }
    return buffer;
}

void TIBQuery::Open() {
    Close();
    CheckReady();
    Prepare();
    if (FStatementType != isc_info_sql_stmt_select &&
        FStatementType != isc_info_sql_stmt_select_for_upd) {
        ExecSQL();
        FActive = true;
        FEof = FFields.empty();
        return;
    }
    IMessageMetadata* inMeta = nullptr;
    QByteArray input = BuildInput(inMeta);
    TStatus st;
    try {
        FCursor = FStatement->openCursor(&st.w, FTransaction->Handle(), inMeta,
                                         input.isEmpty() ? nullptr : input.data(), FOutMeta, 0);
        if (inMeta)
            inMeta->release();
        inMeta = nullptr;
        FActive = true;
        FEof = FCursor->fetchNext(&st.w, FBuffer.data()) != IStatus::RESULT_OK;
    } catch (const FbException& e) {
        if (inMeta)
            inMeta->release();
        CloseCursor();
        IBClient::RaiseStatus(e.getStatus());
    }
}

void TIBQuery::Next() {
    if (!FActive)
        throw EIBError(QStringLiteral("Query is not open"));
    if (FEof)
        return;
    if (!FCursor) {
        FEof = true;
        return;
    }
    if (!FFetchStatus)
        FFetchStatus = std::make_unique<TFetchStatus>();
    try {
        FEof = FCursor->fetchNext(&FFetchStatus->Status.w, FBuffer.data()) != IStatus::RESULT_OK;
    } catch (const FbException& e) {
        IBClient::RaiseStatus(e.getStatus());
    }
}

void TIBQuery::CloseCursor() {
    if (FCursor) {
        IResultSet* cursor = FCursor;
        FCursor = nullptr;
        if (FDatabase && FDatabase->Connected()) {
            TStatus st;
            try {
                cursor->close(&st.w);
            } catch (const FbException&) {
                cursor->release();
            }
        } else {
            cursor->release();
        }
        FActive = false;
        FEof = true;
    }
}

void TIBQuery::Close() {
    CloseCursor();
    FActive = false;
    FEof = true;
}

void TIBQuery::ExecSQL() {
    Close();
    CheckReady();
    Prepare();
    if (FStatementType == isc_info_sql_stmt_select ||
        FStatementType == isc_info_sql_stmt_select_for_upd) {
        Open();
        return;
    }
    IMessageMetadata* inMeta = nullptr;
    QByteArray input = BuildInput(inMeta);
    TStatus st;
    try {
        const bool hasOutput = !FFields.empty();
        FStatement->execute(&st.w, FTransaction->Handle(), inMeta,
                            input.isEmpty() ? nullptr : input.data(),
                            hasOutput ? FOutMeta : nullptr, hasOutput ? FBuffer.data() : nullptr);
        if (inMeta)
            inMeta->release();
        inMeta = nullptr;
        const ISC_UINT64 affected = FStatement->getAffectedRecords(&st.w);
        FRowsAffected = static_cast<int>(affected);
        if (hasOutput) {
            FActive = true;
            FEof = false;
        }
    } catch (const FbException& e) {
        if (inMeta)
            inMeta->release();
        IBClient::RaiseStatus(e.getStatus());
    }
}

TIBField& TIBQuery::Fields(int AIndex) {
    if (AIndex < 0 || AIndex >= static_cast<int>(FFields.size()))
        throw EIBError(QStringLiteral("Field index %1 out of range").arg(AIndex));
    return FFields[static_cast<size_t>(AIndex)];
}

TIBField* TIBQuery::FindField(const QString& AName) {
    auto it = FFieldIndex.constFind(AName);
    if (it == FFieldIndex.constEnd())
        it = FFieldIndex.constFind(AName.toUpper());
    if (it == FFieldIndex.constEnd())
        return nullptr;
    return &FFields[static_cast<size_t>(it.value())];
}

TIBField& TIBQuery::FieldByName(const QString& AName) {
    TIBField* f = FindField(AName);
    if (!f)
        throw EIBError(QStringLiteral("Field \"%1\" not found").arg(AName));
    return *f;
}

TIBField* TIBQuery::FindField(const char* AName) {
    // A row loop asks for the same names in the same order, row after row: the search starts
    // after the last name found, so that it usually ends at its first entry. Names the query
    // has no column for are remembered too.
    const size_t count = FNameCache.size();
    for (size_t k = 0; k < count; ++k) {
        const size_t i = (FNameCacheNext + k) % count;
        TNameCacheEntry& e = FNameCache[i];
        if (e.Name != AName)
            continue;
        if (std::strcmp(e.Text.constData(), AName) != 0) {
            // The address holds another text now.
            TIBField* f = FindField(QString::fromLatin1(AName));
            e.Text = QByteArray(AName);
            e.Index = f ? static_cast<int>(f - FFields.data()) : -1;
        }
        FNameCacheNext = (i + 1) % count;
        return e.Index < 0 ? nullptr : &FFields[static_cast<size_t>(e.Index)];
    }
    TIBField* f = FindField(QString::fromLatin1(AName));
    FNameCache.push_back({AName, QByteArray(AName), f ? static_cast<int>(f - FFields.data()) : -1});
    FNameCacheNext = 0;
    return f;
}

TIBField& TIBQuery::FieldByName(const char* AName) {
    TIBField* f = FindField(AName);
    if (!f)
        throw EIBError(QStringLiteral("Field \"%1\" not found").arg(QLatin1String(AName)));
    return *f;
}
