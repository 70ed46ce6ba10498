#include "core/KVParamSearch.h"

TKVParamSearchType IndexToParamSearchType(int AIndex) {
    return AIndex >= pstNumeric && AIndex <= pstLogic ? static_cast<TKVParamSearchType>(AIndex)
                                                      : pstAny;
}

const QStringList& ParamSearchTypeNames() {
    static const QStringList names = {QStringLiteral("равно"),
                                      QStringLiteral("больше или равно"),
                                      QStringLiteral("меньше или равно"),
                                      QStringLiteral("в диапазоне"),
                                      QStringLiteral("текстовый поиск"),
                                      QStringLiteral("логическое"),
                                      QStringLiteral("любое значение")};
    return names;
}

void TKVParamSearchList::AddData(quint32 ABaseParamDBId, quint32 ABaseParamId, const QString& AUPID,
                                 bool ASearchOnUPID, TKVParamSearchType ASearchType,
                                 double AFloat1Val, double AFloat2Val, const QString& AStrVal,
                                 bool ALogicVal, bool ASearchAnyVal) {
    TKVParamSearchData data;
    data.BaseParamDBId = ABaseParamDBId;
    data.BaseParamId = ABaseParamId;
    data.UPID = AUPID;
    data.SearchOnUPID = ASearchOnUPID;
    data.SearchType = ASearchType;
    data.Float1Val = AFloat1Val;
    data.Float2Val = AFloat2Val;
    data.StrVal = AStrVal;
    data.LogicVal = ALogicVal;
    data.SearchAnyVal = ASearchAnyVal;
    AddData(data);
}

void TKVParamSearchList::AddData(const TKVParamSearchData& AParamSearchData) {
    TKVParamSearchData* data = AppendNew(AParamSearchData);
    data->UPID = KVSmallName(data->UPID);
    data->StrVal = KVDescription(data->StrVal);
}

void TKVParamSearchList::GetRecord(TKVParamSearchData& AParamSearchData) const {
    if (const TKVParamSearchData* data = CursorRow())
        AParamSearchData = *data;
}

void TKVParamSearchList::Assign(const TKVParamSearchList* ASource) {
    if (ASource == this)
        return;
    Clear();
    if (!ASource)
        return;
    FPSClassDBId = ASource->FPSClassDBId;
    FPSClassId = ASource->FPSClassId;
    FParamSearchUnion = ASource->FParamSearchUnion;
    FAvailOnly = ASource->FAvailOnly;
    ASource->ForEachCriterion([this](const TKVParamSearchData& AData) { AddData(AData); });
}
