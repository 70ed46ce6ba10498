#include "catalogue/KVElementTypeParams.h"

#include "core/KVParamValue.h"
#include "core/KVRowReaders.h"
#include "platform/ib/IBQuery.h"

#include <QCoreApplication>

namespace KVElementTypeParams {

namespace {

QString tr(const char* AText) {
    return QCoreApplication::translate("KVElementTypeParams", AText);
}

// The values of the class's types for the class's base parameters; the class key twice and,
// for one type, its key.
QString ValuesFrom(bool AAvailOnly, bool AOneType) {
    QString sql = QStringLiteral(
        " FROM T_PARAM TPR JOIN T_BASE_PARAM TBP ON TBP.DBID = TPR.BASEPARAMDBID AND TBP.ID = "
        "TPR.BASEPARAMID JOIN T_ELEMENT_TYPE TET ON TET.DBID = TPR.ELEMENTTYPEDBID AND TET.ID = "
        "TPR.ELEMENTTYPEID LEFT JOIN T_UNIT TU ON TU.DBID = TPR.UNITDBID AND TU.ID = TPR.UNITID "
        "WHERE TBP.CLASSDBID = :VAR_CLASSDBID AND TBP.CLASSID = :VAR_CLASSID AND TET.CLASSDBID = "
        ":VAR_CLASSDBID AND TET.CLASSID = :VAR_CLASSID");
    if (AOneType)
        sql += QStringLiteral(" AND TPR.ELEMENTTYPEDBID = :VAR_ELEMENTTYPEDBID AND "
                              "TPR.ELEMENTTYPEID = :VAR_ELEMENTTYPEID");
    if (AAvailOnly)
        sql += QStringLiteral(" AND EXISTS (SELECT 1 FROM T_ELEMENT_AVAIL TEA WHERE "
                              "TEA.ELEMENTTYPEDBID = TPR.ELEMENTTYPEDBID AND TEA.ELEMENTTYPEID = "
                              "TPR.ELEMENTTYPEID)");
    return sql;
}

const QString kValueColumns = QStringLiteral(
    "SELECT TPR.DBID, TPR.ID, TPR.ELEMENTTYPEDBID, TPR.ELEMENTTYPEID, TPR.BASEPARAMDBID, "
    "TPR.BASEPARAMID, TPR.UNITDBID, TPR.UNITID, TPR.V_MINVAL, TPR.V_TYPEVAL, TPR.V_MAXVAL, "
    "TPR.S_STRVAL, TPR.V_BOOLVAL, TPR.V_FLAG, TU.S_PREFIX AS UNITPREFIX");

void BindClass(TIBQuery& AQuery, quint32 AClassDBId, quint32 AClassId) {
    AQuery.ParamByName("VAR_CLASSDBID").SetAsInt64(AClassDBId);
    AQuery.ParamByName("VAR_CLASSID").SetAsInt64(AClassId);
}

// The value columns of the open query, looked up once for all its rows.
class TValueFields {
public:
    explicit TValueFields(TIBQuery& AQuery)
        : FDBId(AQuery.FieldByName("DBID")), FId(AQuery.FieldByName("ID")),
          FTypeDBId(AQuery.FieldByName("ELEMENTTYPEDBID")),
          FTypeId(AQuery.FieldByName("ELEMENTTYPEID")),
          FBaseParamDBId(AQuery.FieldByName("BASEPARAMDBID")),
          FBaseParamId(AQuery.FieldByName("BASEPARAMID")),
          FUnitDBId(AQuery.FieldByName("UNITDBID")), FUnitId(AQuery.FieldByName("UNITID")),
          FMin(AQuery.FieldByName("V_MINVAL")), FType(AQuery.FieldByName("V_TYPEVAL")),
          FMax(AQuery.FieldByName("V_MAXVAL")), FStr(AQuery.FieldByName("S_STRVAL")),
          FBool(AQuery.FieldByName("V_BOOLVAL")), FFlag(AQuery.FieldByName("V_FLAG")),
          FPrefix(AQuery.FieldByName("UNITPREFIX")) {}

    TKVDBKey TypeKey() const { return {Key(FTypeDBId), Key(FTypeId)}; }
    // Adds the current row's value to AElementType.
    void AddTo(TKVElementType& AElementType) const {
        AElementType.AddParam(Key(FDBId), Key(FId), Key(FBaseParamDBId), Key(FBaseParamId),
                              Key(FUnitDBId), Key(FUnitId), FPrefix.AsString(), FMin.AsDouble(),
                              FType.AsDouble(), FMax.AsDouble(), FStr.AsString(),
                              FBool.AsInt64() > 0, static_cast<quint32>(FFlag.AsInt64()),
                              !FMin.IsNull(), !FType.IsNull(), !FMax.IsNull(), !FBool.IsNull());
    }

private:
    static quint32 Key(const TIBField& AField) { return static_cast<quint32>(AField.AsInt64()); }

    const TIBField &FDBId, &FId, &FTypeDBId, &FTypeId, &FBaseParamDBId, &FBaseParamId, &FUnitDBId,
        &FUnitId, &FMin, &FType, &FMax, &FStr, &FBool, &FFlag, &FPrefix;
};

} // namespace

void LoadBaseParams(TIBQuery& AQuery, quint32 AClassDBId, quint32 AClassId,
                    const TKVParamSearchList* AProfile, TKVBaseParamList& ABaseParams) {
    if (!ABaseParams.Empty())
        ABaseParams.Clear();
    AQuery.Close();
    AQuery.SetSQL(QStringLiteral(
        "SELECT TBP.DBID, TBP.ID, TBP.UNITDBID, TBP.UNITID, TBP.S_NAME, TBP.S_DESCRIPTION, "
        "TBP.V_SELVALTYPE, TU.S_PREFIX AS UNITPREFIX FROM T_BASE_PARAM TBP LEFT JOIN T_UNIT TU "
        "ON TU.DBID = TBP.UNITDBID AND TU.ID = TBP.UNITID WHERE TBP.CLASSDBID = :VAR_CLASSDBID "
        "AND TBP.CLASSID = :VAR_CLASSID;"));
    BindClass(AQuery, AClassDBId, AClassId);
    AQuery.Open();
    while (!AQuery.Eof()) {
        auto row = std::make_unique<TKVBaseParam>(TKVRowFields(AQuery).Key("DBID"),
                                                  TKVRowFields(AQuery).Key("ID"), AClassDBId,
                                                  AClassId);
        ReadRow(AQuery, *row);
        bool searched = false;
        if (AProfile)
            AProfile->ForEachCriterion([&](const TKVParamSearchData& ACriterion) {
                searched = searched || ACriterion.PKey() == row->PKey();
            });
        row->SetSBP(searched);
        ABaseParams.Store(std::move(row));
        AQuery.Next();
    }
    AQuery.Close();
}

int CountParamValues(TIBQuery& AQuery, quint32 AClassDBId, quint32 AClassId, bool AAvailOnly) {
    AQuery.Close();
    AQuery.SetSQL(QStringLiteral("SELECT COUNT(TPR.ID)") + ValuesFrom(AAvailOnly, false));
    BindClass(AQuery, AClassDBId, AClassId);
    AQuery.Open();
    const int count = AQuery.Eof() ? 0 : AQuery.FieldByName("COUNT").AsInteger();
    AQuery.Close();
    return count;
}

void LoadParamValues(TIBQuery& AQuery, quint32 AClassDBId, quint32 AClassId, bool AAvailOnly,
                     TKVElementTypeList& AList, const std::function<void()>& AStep) {
    AQuery.Close();
    AQuery.SetSQL(kValueColumns + ValuesFrom(AAvailOnly, false));
    BindClass(AQuery, AClassDBId, AClassId);
    AQuery.Open();
    const TValueFields fields(AQuery);
    while (!AQuery.Eof()) {
        const TKVDBKey type = fields.TypeKey();
        if (TKVElementType* row = AList.GetItemByPKey(type.DBId, type.Id))
            fields.AddTo(*row);
        if (AStep)
            AStep();
        AQuery.Next();
    }
    AQuery.Close();
}

void LoadParamValuesOfType(TIBQuery& AQuery, quint32 AClassDBId, quint32 AClassId,
                           bool AAvailOnly, TKVElementType& AElementType) {
    AElementType.ClearParamList();
    AQuery.Close();
    AQuery.SetSQL(kValueColumns + ValuesFrom(AAvailOnly, true));
    BindClass(AQuery, AClassDBId, AClassId);
    AQuery.ParamByName("VAR_ELEMENTTYPEDBID").SetAsInt64(AElementType.DBId());
    AQuery.ParamByName("VAR_ELEMENTTYPEID").SetAsInt64(AElementType.Id());
    AQuery.Open();
    const TValueFields fields(AQuery);
    while (!AQuery.Eof()) {
        fields.AddTo(AElementType);
        AQuery.Next();
    }
    AQuery.Close();
}

QString ColumnCaption(const TKVBaseParam& ABaseParam) {
    QString caption = ABaseParam.UnitId() != 0
                          ? QStringLiteral("%1 (%2)").arg(ABaseParam.Name(), ABaseParam.UnitPrefix())
                          : ABaseParam.Name();
    if (ABaseParam.SBP())
        caption += QStringLiteral(" *");
    return caption;
}

QString CellText(const TKVBaseParam& ABaseParam, const TKVElementType& AElementType) {
    const TKVElementTypeParam* value =
        AElementType.GetParamByBaseParamPKey(ABaseParam.DBId(), ABaseParam.Id());
    if (!value)
        return QString();
    const bool ownUnit = ABaseParam.UnitId() != 0 && value->UnitDBId == ABaseParam.UnitDBId() &&
                         value->UnitId == ABaseParam.UnitId();
    return ParamValueToStr(value->StrVal, value->BoolVal, value->Flag, value->MinVal,
                           value->TypeVal, value->MaxVal, value->UsageMinVal, value->UsageTypeVal,
                           value->UsageMaxVal, value->UsageBoolVal, value->UnitPrefix,
                           !ownUnit && value->UnitId != 0, ABaseParam.SelectValueType());
}

QString CriterionText(const TKVParamSearchData& ACriterion) {
    switch (ACriterion.SearchType) {
    case pstNumeric:
        return tr("равно %1").arg(FloatToStrKV(ACriterion.Float1Val));
    case pstGoENumeric:
        return tr("больше или равно %1").arg(FloatToStrKV(ACriterion.Float1Val));
    case pstLoENumeric:
        return tr("меньше или равно %1").arg(FloatToStrKV(ACriterion.Float1Val));
    case pstNumericInRange:
        return tr("от %1 до %2")
            .arg(FloatToStrKV(ACriterion.Float1Val), FloatToStrKV(ACriterion.Float2Val));
    case pstSubString:
        return tr("содержит \" %1 \"").arg(ACriterion.StrVal);
    case pstLogic:
        return tr("содержит логическое значение \" %1 \"").arg(BoolToYesNoStr(ACriterion.LogicVal));
    case pstAny:
        return tr("содержит любое значение");
    }
    return QString();
}

} // namespace KVElementTypeParams
