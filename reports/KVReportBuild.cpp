#include "reports/KVReportBuild.h"

#include "core/KVCommon.h"
#include "platform/ib/IBDatabase.h"
#include "platform/ib/IBQuery.h"

#include <QDate>
#include <QFileInfo>
#include <QHash>
#include <QLocale>

#include <firebird/Interface.h>

namespace {

// More report columns than any list can show: a plug-in that names more is faulty.
constexpr std::int32_t kMaxReportColumns = 1000;

// The RV_ names and what each binds.
enum TRvName {
    rvNull,
    rvUserDBId,
    rvNow,
    rvLastMonth,
    rvLastQuarter,
    rvLastSixMonth,
    rvLastYear,
    rvEscape,
    rvDate,
    rvBeginDate,
    rvEndDate,
    rvInt,
    rvMinInt,
    rvMaxInt,
    rvFloat,
    rvMinFloat,
    rvMaxFloat,
    rvString,
    rvText,
    rvCount,
    rvClassDBId,
    rvClassId,
    rvMakerDBId,
    rvMakerId,
    rvCaseDBId,
    rvCaseId,
    rvUnitDBId,
    rvUnitId,
    rvBaseParamDBId,
    rvBaseParamId,
    rvElementTypeDBId,
    rvElementTypeId,
    rvProjectId,
    rvStorageId,
    rvSupplierId,
    rvElementAvailId
};

const QHash<QString, TRvName>& RvNames() {
    static const QHash<QString, TRvName> names = {
        {QStringLiteral("RV_NULL"), rvNull},
        {QStringLiteral("RV_USER_DBID"), rvUserDBId},
        {QStringLiteral("RV_NOW"), rvNow},
        {QStringLiteral("RV_LAST_MONTH"), rvLastMonth},
        {QStringLiteral("RV_LAST_QUARTER"), rvLastQuarter},
        {QStringLiteral("RV_LAST_SIXMONTH"), rvLastSixMonth},
        {QStringLiteral("RV_LAST_YEAR"), rvLastYear},
        {QStringLiteral("RV_ESCAPE"), rvEscape},
        {QStringLiteral("RV_DATE"), rvDate},
        {QStringLiteral("RV_BEGIN_DATE"), rvBeginDate},
        {QStringLiteral("RV_END_DATE"), rvEndDate},
        {QStringLiteral("RV_INT"), rvInt},
        {QStringLiteral("RV_MIN_INT"), rvMinInt},
        {QStringLiteral("RV_MAX_INT"), rvMaxInt},
        {QStringLiteral("RV_FLOAT"), rvFloat},
        {QStringLiteral("RV_MIN_FLOAT"), rvMinFloat},
        {QStringLiteral("RV_MAX_FLOAT"), rvMaxFloat},
        {QStringLiteral("RV_STRING"), rvString},
        {QStringLiteral("RV_TEXT"), rvText},
        {QStringLiteral("RV_COUNT"), rvCount},
        {QStringLiteral("RV_CLASSDBID"), rvClassDBId},
        {QStringLiteral("RV_CLASSID"), rvClassId},
        {QStringLiteral("RV_MAKERDBID"), rvMakerDBId},
        {QStringLiteral("RV_MAKERID"), rvMakerId},
        {QStringLiteral("RV_CASEDBID"), rvCaseDBId},
        {QStringLiteral("RV_CASEID"), rvCaseId},
        {QStringLiteral("RV_UNITDBID"), rvUnitDBId},
        {QStringLiteral("RV_UNITID"), rvUnitId},
        {QStringLiteral("RV_BASEPARAMDBID"), rvBaseParamDBId},
        {QStringLiteral("RV_BASEPARAMID"), rvBaseParamId},
        {QStringLiteral("RV_ELEMENTTYPEDBID"), rvElementTypeDBId},
        {QStringLiteral("RV_ELEMENTTYPEID"), rvElementTypeId},
        {QStringLiteral("RV_PROJECTID"), rvProjectId},
        {QStringLiteral("RV_STORAGEID"), rvStorageId},
        {QStringLiteral("RV_SUPPLIERID"), rvSupplierId},
        {QStringLiteral("RV_ELEMENTAVAILID"), rvElementAvailId}};
    return names;
}

// The range names of the value families: with one of them in a statement the family's
// question asks for a range, whichever of its names comes first.
bool IsRangeName(TRvName AName) {
    switch (AName) {
    case rvBeginDate:
    case rvEndDate:
    case rvMinInt:
    case rvMaxInt:
    case rvMinFloat:
    case rvMaxFloat:
        return true;
    default:
        return false;
    }
}

TDateTime DateOf(const QDate& ADate) {
    return EncodeDateTime(ADate.year(), ADate.month(), ADate.day());
}

} // namespace

TKVReportValues& ReportValues() {
    static TKVReportValues values;
    return values;
}

QString CombineReportCellText(const QString& AOldText, const QString& ANewText, int AProcType) {
    switch (AProcType) {
    case 0:
        return !AOldText.isEmpty() && ANewText.isEmpty() ? AOldText : ANewText;
    case 1:
        return ANewText;
    case 2:
        return AOldText + QLatin1Char(' ') + ANewText;
    case 3:
        return AOldText.isEmpty() ? ANewText : AOldText + QLatin1Char(',') + ANewText;
    case 4:
        return AOldText + ANewText;
    default:
        return QString();
    }
}

QString ReportValueText(const TIBField& AField) {
    if (AField.IsNull())
        return QString();
    const QLocale locale;
    switch (AField.SQLType()) {
    case SQL_VARYING:
    case SQL_TEXT:
        return AField.AsString();
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64:
        if (AField.SQLScale() == 0)
            return QString::number(AField.AsInt64());
        // Scaled decimals keep their digits after the point, shown with the locale's separator.
        return AField.AsString().replace(QLatin1Char('.'), locale.decimalPoint());
    case SQL_BOOLEAN:
        return AField.AsBoolean() ? QStringLiteral("True") : QStringLiteral("False");
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return FloatToStrKV(AField.AsDouble());
    case SQL_TYPE_DATE:
        return locale.toString(QDateTimeFromDateTime(AField.AsDateTime()).date(),
                               QLocale::ShortFormat);
    case SQL_TYPE_TIME:
        return TimeToStrKV(QDateTimeFromDateTime(AField.AsDateTime()).time());
    case SQL_TIMESTAMP:
        return DateTimeToStr(AField.AsDateTime());
    case SQL_BLOB:
        return AField.IsTextBlob() ? TextAsCRLFLines(AField.AsString()) : QString();
    default:
        return QString();
    }
}

int ReportWindowWidth(int AColumnWidthSum, int ACurrentWidth, int ABorderWidth,
                      int AScrollBarWidth) {
    if (AColumnWidthSum > 800)
        return 800;
    if (AColumnWidthSum > 500)
        return AColumnWidthSum + 2 * ABorderWidth + AScrollBarWidth;
    return ACurrentWidth;
}

bool TKVReportBinder::AskFamily(TValueFamily AFamily, bool ARange) {
    if (FAsked[AFamily])
        return true;
    static const TInputRepValType kSingle[] = {irvtInt, irvtFloat, irvtDate, irvtText};
    static const TInputRepValType kRange[] = {irvtIntRange, irvtFloatRange, irvtDateRange,
                                              irvtText};
    if (!FAsker.AskValue(ARange ? kRange[AFamily] : kSingle[AFamily]))
        return false;
    FAsked[AFamily] = true;
    return true;
}

bool TKVReportBinder::PickOnce(TKVReportPick AWhat, TKVDBKey& AAnswer) {
    if (AAnswer.Id > 0)
        return true;
    // The base parameters and element types are those of a class: the class is asked first,
    // once for the whole build.
    if ((AWhat == rpBaseParam || AWhat == rpElementType) && !PickOnce(rpClass, FClass))
        return false;
    TKVDBKey answer;
    if (!FAsker.Pick(AWhat, FClass, answer))
        return false;
    AAnswer = answer;
    return true;
}

TKVReportBinder::TResult TKVReportBinder::Bind(TIBQuery& AQuery) {
    const int count = AQuery.ParamCount();
    bool range[vfCount] = {};
    for (int i = 0; i < count; ++i) {
        const auto name = RvNames().constFind(AQuery.Params(i).Name().toUpper());
        if (name == RvNames().constEnd() || !IsRangeName(*name))
            continue;
        const TRvName rv = *name;
        range[rv == rvBeginDate || rv == rvEndDate ? vfDate
              : rv == rvMinInt || rv == rvMaxInt   ? vfInt
                                                   : vfFloat] = true;
    }

    const QDate today = QDate::currentDate();
    for (int i = 0; i < count; ++i) {
        TIBParam& param = AQuery.Params(i);
        const auto found = RvNames().constFind(param.Name().toUpper());
        if (found == RvNames().constEnd())
            return brUnknown;
        TKVReportValues& values = ReportValues();
        // Binds one of the two keys of a picked record.
        const auto bindPicked = [&](TKVReportPick AWhat, TKVDBKey& AAnswer, bool ADBId) {
            if (!PickOnce(AWhat, AAnswer))
                return false;
            param.SetAsInt64(ADBId ? AAnswer.DBId : AAnswer.Id);
            return true;
        };
        bool ok = true;
        switch (*found) {
        case rvNull:
            param.Clear();
            break;
        case rvUserDBId:
            param.SetAsInt64(FCurrentDBId);
            break;
        case rvNow:
            param.SetAsDateTime(Now());
            break;
        case rvLastMonth:
            param.SetAsDateTime(DateOf(QDate(today.year(), today.month(), 1)));
            break;
        case rvLastQuarter:
            param.SetAsDateTime(DateOf(QDate(today.year(), (today.month() - 1) / 3 * 3 + 1, 1)));
            break;
        case rvLastSixMonth:
            param.SetAsDateTime(DateOf(QDate(today.year(), today.month() <= 6 ? 1 : 7, 1)));
            break;
        case rvLastYear:
            param.SetAsDateTime(DateOf(QDate(today.year(), 1, 1)));
            break;
        case rvEscape:
            param.SetAsString(QStringLiteral("/"));
            break;
        case rvDate:
        case rvBeginDate:
        case rvEndDate:
            if ((ok = AskFamily(vfDate, range[vfDate])))
                param.SetAsDateTime(*found == rvEndDate ? values.Date2 : values.Date1);
            break;
        case rvInt:
        case rvMinInt:
        case rvMaxInt:
            if ((ok = AskFamily(vfInt, range[vfInt])))
                param.SetAsInteger(*found == rvMaxInt ? values.Int2 : values.Int1);
            break;
        case rvFloat:
        case rvMinFloat:
        case rvMaxFloat:
            if ((ok = AskFamily(vfFloat, range[vfFloat])))
                param.SetAsDouble(*found == rvMaxFloat ? values.Float2 : values.Float1);
            break;
        case rvString:
        case rvText:
            if ((ok = AskFamily(vfText, false)))
                param.SetAsString(*found == rvText ? MakeSQLContainsMask(values.Text)
                                                   : values.Text);
            break;
        case rvCount:
            if (!FCountAsked) {
                double value = 0;
                if ((ok = FAsker.AskCount(value))) {
                    FCount = value;
                    FCountAsked = true;
                }
            }
            if (ok)
                param.SetAsDouble(FCount);
            break;
        case rvClassDBId:
        case rvClassId:
            ok = bindPicked(rpClass, FClass, *found == rvClassDBId);
            break;
        case rvMakerDBId:
        case rvMakerId:
            ok = bindPicked(rpMaker, FMaker, *found == rvMakerDBId);
            break;
        case rvCaseDBId:
        case rvCaseId:
            ok = bindPicked(rpCase, FCase, *found == rvCaseDBId);
            break;
        case rvUnitDBId:
        case rvUnitId:
            ok = bindPicked(rpUnit, FUnit, *found == rvUnitDBId);
            break;
        case rvBaseParamDBId:
        case rvBaseParamId:
            ok = bindPicked(rpBaseParam, FBaseParam, *found == rvBaseParamDBId);
            break;
        case rvElementTypeDBId:
        case rvElementTypeId:
            ok = bindPicked(rpElementType, FElementType, *found == rvElementTypeDBId);
            break;
        case rvProjectId:
            ok = bindPicked(rpProject, FProject, false);
            break;
        case rvStorageId:
            ok = bindPicked(rpStorage, FStorage, false);
            break;
        case rvSupplierId:
            ok = bindPicked(rpSupplier, FSupplier, false);
            break;
        case rvElementAvailId:
            ok = bindPicked(rpElementAvail, FElementAvail, false);
            break;
        }
        if (!ok)
            return brCancelled;
    }
    return brBound;
}

namespace {

QString InternalError(const char* ABlock) {
    return QStringLiteral("Internal report error in block %1").arg(QLatin1String(ABlock));
}

// Reads the plug-in's description into AData; false (with the message set) when the build
// stops before the statement runs.
bool ReadDescription(const QString& AFile, TKVReportLibrary& ALibrary, TKVReportData& AData,
                     QString& ASQL) {
    const auto fail = [&](const QString& AMessage) {
        AData.Outcome = roError;
        AData.Message = AMessage;
        return false;
    };
    if (!ALibrary.Loaded() || !ALibrary.ResolveAll())
        return fail(QStringLiteral("The specified routine cannot be found"));
    const bool emptyName = ALibrary.NameLength() == 0;
    const std::optional<QString> name = ALibrary.Name();
    AData.Caption = QStringLiteral("Отчет \"%1\" (версия %2)")
                        .arg(name.value_or(QString()), ReportVersionToStr(ALibrary.Version()));
    Q_UNUSED(AFile);
    if (!ALibrary.SupportsDBVersion())
        return fail(QStringLiteral("Этот отчет не поддерживается текущей версией программы"));
    if (emptyName || !name)
        return fail(InternalError("INF"));
    const std::int32_t count = ALibrary.ColumnCount();
    if (count < 1 || count > kMaxReportColumns)
        return fail(InternalError("STRUCT"));
    std::vector<TKVReportColumn> columns;
    for (std::int32_t i = 0; i < count; ++i) {
        std::optional<TKVReportColumn> column = ALibrary.Column(i);
        if (!column)
            return fail(InternalError("STRUCT"));
        columns.push_back(std::move(*column));
    }
    AData.Columns = std::move(columns);
    const std::optional<QString> sql = ALibrary.SQLQuery();
    if (!sql)
        return fail(InternalError("SQL"));
    ASQL = *sql;
    return true;
}

} // namespace

TKVReportData BuildReportData(const QString& AFile, TIBDatabase& ADatabase, TKVReportAsker& AAsker,
                              quint32 ACurrentDBId) {
    TKVReportData data;
    if (!QFileInfo(AFile).isFile()) {
        data.Outcome = roError;
        data.Message = QStringLiteral("File \"%1\" not found").arg(AFile);
        return data;
    }
    TKVReportLibrary library(AFile);
    QString sql;
    if (!ReadDescription(AFile, library, data, sql))
        return data;

    const int columnCount = static_cast<int>(data.Columns.size());
    TIBTransaction transaction(&ADatabase);
    try {
        TIBQuery query(&ADatabase, &transaction);
        transaction.StartTransaction();
        query.SetSQL(sql);
        query.Prepare();
        TKVReportBinder binder(AAsker, ACurrentDBId);
        switch (binder.Bind(query)) {
        case TKVReportBinder::brUnknown:
            data.Outcome = roError;
            data.Message = QStringLiteral("Неизвестный параметр");
            break;
        case TKVReportBinder::brCancelled:
            data.Outcome = roCancelled;
            data.Message = QStringLiteral("Построение отчета отменено");
            break;
        case TKVReportBinder::brBound: {
            query.Open();
            const int fields = query.FieldCount();
            while (!query.Eof()) {
                QStringList& row = data.Rows.emplace_back();
                for (int c = 0; c < columnCount; ++c)
                    row.append(QString());
                for (int j = 0; j < fields; ++j) {
                    const std::int32_t column = library.ReportColumnOf(j);
                    const std::int32_t procType = library.ProcTypeOf(j);
                    if (column < 0 || column >= columnCount)
                        continue;
                    row[column] = CombineReportCellText(row[column],
                                                        ReportValueText(query.Fields(j)), procType);
                }
                query.Next();
            }
            if (query.RowsAffected() > 0) {
                data.Outcome = roError;
                data.Message = QStringLiteral("Данные не могут быть изменены");
            }
            query.Close();
            break;
        }
        }
        // A report only reads: whatever the statement did is undone.
        transaction.Rollback();
    } catch (const Exception& e) {
        if (transaction.InTransaction()) {
            try {
                transaction.Rollback();
            } catch (const Exception&) {
                // The connection is broken: nothing more can be undone.
            }
        }
        data.Outcome = roSystemError;
        data.Message = e.Message();
        data.ErrorClass = e.ClassName();
    }
    data.TransactionEnded = !transaction.InTransaction();
    return data;
}
