#include "stock/KVSearchProfiles.h"

#include "core/KVCommon.h"
#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"

namespace {

bool Connected() {
    return dmMain && dmMain->DBConnected();
}

bool Writable() {
    return Connected() && !dmMain->CurrentDBReadOnly();
}

// Binds the value columns of a condition: only those of its search type carry a value.
void BindCondition(TIBQuery& AQuery, const TKVParamSearchData& AData) {
    AQuery.ParamByName("VAR_BASEPARAMDBID").SetAsInt64(AData.BaseParamDBId);
    AQuery.ParamByName("VAR_BASEPARAMID").SetAsInt64(AData.BaseParamId);
    AQuery.ParamByName("VAR_V_SEARCHTYPE").SetAsInteger(static_cast<int>(AData.SearchType));
    for (const char* name :
         {"VAR_V_FLOAT1", "VAR_V_FLOAT2", "VAR_V_STRVAL", "VAR_V_LOGICVAL", "VAR_V_ANYVAL"})
        AQuery.ParamByName(name).Clear();
    switch (AData.SearchType) {
    case pstNumericInRange:
        AQuery.ParamByName("VAR_V_FLOAT2").SetAsDouble(AData.Float2Val);
        [[fallthrough]];
    case pstNumeric:
    case pstGoENumeric:
    case pstLoENumeric:
        AQuery.ParamByName("VAR_V_FLOAT1").SetAsDouble(AData.Float1Val);
        break;
    case pstSubString:
        AQuery.ParamByName("VAR_V_STRVAL").SetAsString(AData.StrVal);
        break;
    case pstLogic:
        AQuery.ParamByName("VAR_V_LOGICVAL").SetAsInteger(BoolToInt(AData.LogicVal));
        break;
    case pstAny:
        AQuery.ParamByName("VAR_V_ANYVAL").SetAsInteger(1);
        break;
    }
}

// Inserts the conditions of profile APSPId in order.
void InsertConditions(TIBQuery& AQuery, quint32 APSPId,
                      const std::vector<TKVParamSearchData>& AConditions) {
    AQuery.SetSQL(QStringLiteral(
        "INSERT INTO T_PSP_ITEM (ID, PSPID, BASEPARAMDBID, BASEPARAMID, V_SEARCHTYPE, V_FLOAT1, "
        "V_FLOAT2, V_STRVAL, V_LOGICVAL, V_ANYVAL) VALUES (NULL, :VAR_PSPID, :VAR_BASEPARAMDBID, "
        ":VAR_BASEPARAMID, :VAR_V_SEARCHTYPE, :VAR_V_FLOAT1, :VAR_V_FLOAT2, :VAR_V_STRVAL, "
        ":VAR_V_LOGICVAL, :VAR_V_ANYVAL);"));
    for (const TKVParamSearchData& data : AConditions) {
        AQuery.ParamByName("VAR_PSPID").SetAsInt64(APSPId);
        BindCondition(AQuery, data);
        AQuery.ExecSQL();
    }
}

double FloatOrZero(const TIBField& AField) {
    return AField.IsNull() ? 0.0 : AField.AsDouble();
}

} // namespace

bool TKVSearchProfiles::LoadList(std::vector<TKVSearchProfileEntry>& AList) {
    AList.clear();
    if (!Connected())
        return false;
    std::vector<TKVSearchProfileEntry> list;
    TIBQuery query(&dmMain->MainIBDatabase, &dmMain->MainIBTransaction);
    const bool ok = dmMain->ExecuteInTransaction([&] {
        query.SetSQL(QStringLiteral("SELECT ID, S_NAME FROM T_PSP;"));
        query.Open();
        for (; !query.Eof(); query.Next())
            list.push_back({static_cast<quint32>(query.FieldByName("ID").AsInt64()),
                            query.FieldByName("S_NAME").AsString().left(NameMaxLength)});
        query.Close();
    });
    if (ok)
        AList = std::move(list);
    return ok;
}

bool TKVSearchProfiles::Load(quint32 AId, TKVSearchProfile& AProfile) {
    if (!Connected())
        return false;
    TKVSearchProfile profile;
    bool found = false;
    TIBQuery query(&dmMain->MainIBDatabase, &dmMain->MainIBTransaction);
    const bool ok = dmMain->ExecuteInTransaction([&] {
        query.SetSQL(QStringLiteral(
            "SELECT FIRST 1 SKIP 0 TPSP.CLASSDBID, TPSP.CLASSID, TPSP.S_NAME, TPSP.V_PSUTYPE, "
            "TC.S_NAME AS CLASSNAME FROM T_PSP TPSP LEFT JOIN T_CLASS TC ON TC.DBID = "
            "TPSP.CLASSDBID AND TC.ID = TPSP.CLASSID WHERE TPSP.ID = :VAR_ID;"));
        query.ParamByName("VAR_ID").SetAsInt64(AId);
        query.Open();
        if (query.Eof()) {
            query.Close();
            return;
        }
        found = true;
        const auto key = [&](const char* AName) {
            const TIBField& field = query.FieldByName(AName);
            return field.IsNull() ? 0u : static_cast<quint32>(field.AsInt64());
        };
        profile.ClassDBId = key("CLASSDBID");
        profile.ClassId = key("CLASSID");
        const TIBField& unionField = query.FieldByName("V_PSUTYPE");
        if (!unionField.IsNull() && (unionField.AsInteger() == 0 || unionField.AsInteger() == 1))
            profile.UnionIndex = unionField.AsInteger();
        profile.ClassName = query.FieldByName("CLASSNAME").AsString();
        query.Close();

        query.SetSQL(QStringLiteral(
            "SELECT TPSPI.ID, TPSPI.BASEPARAMDBID, TPSPI.BASEPARAMID, TPSPI.V_SEARCHTYPE, "
            "TPSPI.V_FLOAT1, TPSPI.V_FLOAT2, TPSPI.V_STRVAL, TPSPI.V_LOGICVAL, TPSPI.V_ANYVAL, "
            "TBP.S_NAME AS BASEPARAMNAME, TU.S_PREFIX AS UNITPREFIX FROM T_PSP_ITEM TPSPI LEFT "
            "JOIN T_BASE_PARAM TBP ON TBP.DBID = TPSPI.BASEPARAMDBID AND TBP.ID = "
            "TPSPI.BASEPARAMID LEFT JOIN T_UNIT TU ON TU.DBID = TBP.UNITDBID AND TU.ID = "
            "TBP.UNITID WHERE TPSPI.PSPID = :VAR_ID ORDER BY TPSPI.ID;"));
        query.ParamByName("VAR_ID").SetAsInt64(AId);
        query.Open();
        for (; !query.Eof(); query.Next()) {
            TKVSearchProfileCondition condition;
            TKVParamSearchData& data = condition.Data;
            data.BaseParamDBId = key("BASEPARAMDBID");
            data.BaseParamId = key("BASEPARAMID");
            const TIBField& type = query.FieldByName("V_SEARCHTYPE");
            data.SearchType = IndexToParamSearchType(type.IsNull() ? -1 : type.AsInteger());
            data.Float1Val = FloatOrZero(query.FieldByName("V_FLOAT1"));
            data.Float2Val = FloatOrZero(query.FieldByName("V_FLOAT2"));
            data.StrVal = query.FieldByName("V_STRVAL").AsString().left(255);
            const TIBField& logic = query.FieldByName("V_LOGICVAL");
            data.LogicVal = !logic.IsNull() && logic.AsInteger() > 0;
            data.SearchAnyVal = !query.FieldByName("V_ANYVAL").IsNull();
            condition.Caption = query.FieldByName("BASEPARAMNAME").AsString();
            const TIBField& prefix = query.FieldByName("UNITPREFIX");
            if (!prefix.IsNull())
                condition.Caption = QStringLiteral("%1 (%2)").arg(condition.Caption,
                                                                  prefix.AsString());
            profile.Conditions.push_back(std::move(condition));
        }
        query.Close();
    });
    if (!ok || !found)
        return false;
    AProfile = std::move(profile);
    return true;
}

bool TKVSearchProfiles::NameInUse(const QString& AName, quint32 AExceptId) {
    std::vector<TKVSearchProfileEntry> list;
    if (!LoadList(list))
        return false;
    const QString name = AName.trimmed();
    for (const TKVSearchProfileEntry& entry : list)
        if (entry.Id != AExceptId && entry.Name.trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool TKVSearchProfiles::SaveNew(const QString& AName, quint32 AClassDBId, quint32 AClassId,
                                int AUnionIndex,
                                const std::vector<TKVParamSearchData>& AConditions,
                                quint32& ANewId) {
    if (!Writable() || AName.isEmpty() || AClassId == 0)
        return false;
    quint32 id = 0;
    TIBQuery query(&dmMain->MainIBDatabase, &dmMain->MainIBTransaction);
    const bool ok = dmMain->ExecuteInTransaction([&] {
        query.SetSQL(QStringLiteral("EXECUTE PROCEDURE INSERT_PSP (:I_CLASSDBID, :I_CLASSID, "
                                    ":I_S_NAME, :I_V_PSUTYPE);"));
        query.ParamByName("I_CLASSDBID").SetAsInt64(AClassDBId);
        query.ParamByName("I_CLASSID").SetAsInt64(AClassId);
        query.ParamByName("I_S_NAME").SetAsString(AName.left(NameMaxLength));
        query.ParamByName("I_V_PSUTYPE").SetAsInteger(AUnionIndex);
        query.ExecSQL();
        id = static_cast<quint32>(query.FieldByName("O_ID").AsInt64());
        query.Close();
        InsertConditions(query, id, AConditions);
    });
    if (ok)
        ANewId = id;
    return ok;
}

bool TKVSearchProfiles::Overwrite(quint32 AId, quint32 AClassDBId, quint32 AClassId,
                                  int AUnionIndex,
                                  const std::vector<TKVParamSearchData>& AConditions) {
    if (!Writable())
        return false;
    bool changed = false;
    TIBQuery query(&dmMain->MainIBDatabase, &dmMain->MainIBTransaction);
    const bool ok = dmMain->ExecuteInTransaction([&] {
        query.SetSQL(QStringLiteral("UPDATE T_PSP SET CLASSDBID = :VAR_CLASSDBID, CLASSID = "
                                    ":VAR_CLASSID, V_PSUTYPE = :VAR_V_PSUTYPE WHERE ID = :VAR_ID;"));
        query.ParamByName("VAR_CLASSDBID").SetAsInt64(AClassDBId);
        query.ParamByName("VAR_CLASSID").SetAsInt64(AClassId);
        query.ParamByName("VAR_V_PSUTYPE").SetAsInteger(AUnionIndex);
        query.ParamByName("VAR_ID").SetAsInt64(AId);
        query.ExecSQL();
        changed = query.RowsAffected() > 0;
        if (!changed)
            return;
        // The stored conditions become exactly the listed ones: those the user removed must
        // not come back on the next load.
        query.SetSQL(QStringLiteral("DELETE FROM T_PSP_ITEM WHERE PSPID = :VAR_PSPID;"));
        query.ParamByName("VAR_PSPID").SetAsInt64(AId);
        query.ExecSQL();
        InsertConditions(query, AId, AConditions);
    });
    return ok && changed;
}

bool TKVSearchProfiles::Rename(quint32 AId, const QString& AName) {
    if (!Writable())
        return false;
    bool changed = false;
    TIBQuery query(&dmMain->MainIBDatabase, &dmMain->MainIBTransaction);
    const bool ok = dmMain->ExecuteInTransaction([&] {
        query.SetSQL(QStringLiteral("UPDATE T_PSP SET S_NAME = :VAR_S_NAME WHERE ID = :VAR_ID;"));
        query.ParamByName("VAR_S_NAME").SetAsString(AName.left(NameMaxLength));
        query.ParamByName("VAR_ID").SetAsInt64(AId);
        query.ExecSQL();
        changed = query.RowsAffected() > 0;
    });
    return ok && changed;
}

bool TKVSearchProfiles::Delete(quint32 AId) {
    if (!Writable())
        return false;
    bool deleted = false;
    TIBQuery query(&dmMain->MainIBDatabase, &dmMain->MainIBTransaction);
    const bool ok = dmMain->ExecuteInTransaction([&] {
        query.SetSQL(QStringLiteral("DELETE FROM T_PSP_ITEM WHERE PSPID = :VAR_ID;"));
        query.ParamByName("VAR_ID").SetAsInt64(AId);
        query.ExecSQL();
        query.SetSQL(QStringLiteral("DELETE FROM T_PSP WHERE ID = :VAR_ID;"));
        query.ParamByName("VAR_ID").SetAsInt64(AId);
        query.ExecSQL();
        deleted = query.RowsAffected() > 0;
    });
    return ok && deleted;
}
