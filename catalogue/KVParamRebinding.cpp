#include "catalogue/KVParamRebinding.h"

#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"

namespace {

// The base parameters of the class (alias TBP) that a value (alias TPR) matches.
const QString kMatch = QStringLiteral(
    "TBP.CLASSDBID = :VAR_CLASSDBID AND TBP.CLASSID = :VAR_CLASSID AND UPPER(TBP.UPID) = "
    "UPPER(TPR.UPID) AND ((TBP.UNITDBID = TPR.UNITDBID AND TBP.UNITID = TPR.UNITID) OR "
    "(TBP.UNITDBID IS NULL AND TPR.UNITDBID IS NULL AND TBP.UNITID IS NULL AND TPR.UNITID IS "
    "NULL))");

// The values of the type (alias TPR).
const QString kOfType = QStringLiteral(
    "TPR.ELEMENTTYPEDBID = :VAR_ELEMENTTYPEDBID AND TPR.ELEMENTTYPEID = :VAR_ELEMENTTYPEID");

// The values of the type that can be bound and match a base parameter of the class.
QString BindableValues() {
    return kOfType +
           QStringLiteral(" AND TPR.UPID IS NOT NULL AND TPR.BASEPARAMDBID IS NULL AND "
                          "TPR.BASEPARAMID IS NULL AND UDF_KVF_GETBIT(TPR.V_FLAG, 4) = 0 AND "
                          "EXISTS (SELECT 1 FROM T_BASE_PARAM TBP WHERE ") +
           kMatch + QLatin1Char(')');
}

// A key column of the first matching base parameter by key.
QString FirstMatch(const char* AColumn) {
    return QStringLiteral("(SELECT FIRST 1 SKIP 0 TBP.%1 FROM T_BASE_PARAM TBP WHERE ")
               .arg(QLatin1String(AColumn)) +
           kMatch + QStringLiteral(" ORDER BY TBP.DBID, TBP.ID)");
}

} // namespace

TKVParamRebinding::TPermission TKVParamRebinding::PermissionFromOptions() {
    return {::BLIMod, ::NSIMod, dmMain ? dmMain->CurrentDBId() : 0};
}

TKVParamRebinding::TKVParamRebinding(TIBQuery& AQuery, const TPermission& APermission)
    : FQuery(AQuery), FPermission(APermission) {}

QString TKVParamRebinding::PermittedRows() const {
    // The mirror of the record permission rule: a row of the base level only with BLIMod, a
    // row of another database only with NSIMod.
    QString condition;
    if (!FPermission.BLIMod)
        condition += QStringLiteral(" AND TPR.DBID <> 0");
    if (!FPermission.NSIMod)
        condition += QStringLiteral(" AND TPR.DBID = :VAR_DBID");
    return condition;
}

void TKVParamRebinding::Prepare(const QString& ASQL, const TKVDBKey* AClass,
                                const TKVDBKey& AElementType) {
    FQuery.Close();
    if (FQuery.SQL() != ASQL)
        FQuery.SetSQL(ASQL);
    FQuery.ParamByName("VAR_ELEMENTTYPEDBID").SetAsInt64(AElementType.DBId);
    FQuery.ParamByName("VAR_ELEMENTTYPEID").SetAsInt64(AElementType.Id);
    if (AClass) {
        FQuery.ParamByName("VAR_CLASSDBID").SetAsInt64(AClass->DBId);
        FQuery.ParamByName("VAR_CLASSID").SetAsInt64(AClass->Id);
    }
    if (TIBParam* dbId = FQuery.FindParam(QStringLiteral("VAR_DBID")))
        dbId->SetAsInt64(FPermission.CurrentDBId);
}

int TKVParamRebinding::Bind(const TKVDBKey& AClass, const TKVDBKey& AElementType) {
    const QString sql = QStringLiteral("UPDATE T_PARAM TPR SET TPR.BASEPARAMDBID = ") +
                        FirstMatch("DBID") + QStringLiteral(", TPR.BASEPARAMID = ") +
                        FirstMatch("ID") + QStringLiteral(" WHERE ") + BindableValues() +
                        PermittedRows() + QLatin1Char(';');
    Prepare(sql, &AClass, AElementType);
    FQuery.ExecSQL();
    const int bound = FQuery.RowsAffected();
    FQuery.Close();
    return bound;
}

int TKVParamRebinding::Unbind(const TKVDBKey& AElementType) {
    const QString sql =
        QStringLiteral("UPDATE T_PARAM TPR SET TPR.BASEPARAMDBID = NULL, TPR.BASEPARAMID = NULL "
                       "WHERE ") +
        kOfType +
        QStringLiteral(" AND (TPR.BASEPARAMDBID IS NOT NULL OR TPR.BASEPARAMID IS NOT NULL)") +
        PermittedRows() + QLatin1Char(';');
    Prepare(sql, nullptr, AElementType);
    FQuery.ExecSQL();
    const int unbound = FQuery.RowsAffected();
    FQuery.Close();
    return unbound;
}

bool TKVParamRebinding::Bindable(const TKVDBKey& AClass, const TKVDBKey& AElementType) {
    const QString sql = QStringLiteral("SELECT 1 FROM RDB$DATABASE WHERE EXISTS (SELECT 1 FROM "
                                       "T_PARAM TPR WHERE ") +
                        BindableValues() + PermittedRows() + QStringLiteral(");");
    Prepare(sql, &AClass, AElementType);
    FQuery.Open();
    const bool found = !FQuery.Eof();
    FQuery.Close();
    return found;
}

int TKVParamRebinding::ClassChanged(const TKVDBKey& AClass, const TKVDBKey& AElementType,
                                    const std::function<bool()>& AWanted) {
    Unbind(AElementType);
    if (!Bindable(AClass, AElementType) || !AWanted || !AWanted())
        return 0;
    return Bind(AClass, AElementType);
}
