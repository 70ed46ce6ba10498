#include "core/KVElementType.h"

#include <QLocale>

void TKVElementType::UpdateData(quint32 AETClassDBId, quint32 AETClassId, quint32 ACaseDBId,
                                quint32 ACaseId, quint32 AMakerDBId, quint32 AMakerId,
                                const QString& ATypeName, const QString& AMarking,
                                const QString& ADescription, const QString& ADataSheet,
                                TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                                TDateTime AReplDateTime, const QString& AETClassName,
                                const QString& ACaseName, TKVCaseMountType ACaseMountType,
                                const QString& AMakerName, qint32 AElementTypeIconId,
                                TKVCaseVisualType ACasePttVisualType, bool APinExists) {
    UpdateData(ATypeName, AMarking, ADescription, ADataSheet, ACreateDateTime, AUpdateDateTime,
               AReplDateTime, AElementTypeIconId, APinExists);
    UpdateClassData(AETClassDBId, AETClassId, AETClassName);
    UpdateCaseData(ACaseDBId, ACaseId, ACaseName, ACaseMountType, ACasePttVisualType);
    UpdateMakerData(AMakerDBId, AMakerId, AMakerName);
}

void TKVElementType::UpdateData(const QString& ATypeName, const QString& AMarking,
                                const QString& ADescription, const QString& ADataSheet,
                                TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                                TDateTime AReplDateTime, qint32 AElementTypeIconId,
                                bool APinExists) {
    FTypeName = KVName(ATypeName);
    FMarking = KVName(AMarking);
    FDescription = ADescription;
    FDataSheet = KVDescription(ADataSheet);
    FCreateDateTime = ACreateDateTime;
    FUpdateDateTime = AUpdateDateTime;
    FReplDateTime = AReplDateTime;
    FElementTypeIconId = AElementTypeIconId;
    FPinExists = APinExists;
}

void TKVElementType::UpdateClassData(quint32 AETClassDBId, quint32 AETClassId,
                                     const QString& AETClassName) {
    FETClassDBId = AETClassDBId;
    FETClassId = AETClassId;
    FETClassName = KVName(AETClassName);
}

void TKVElementType::UpdateCaseData(quint32 ACaseDBId, quint32 ACaseId, const QString& ACaseName) {
    FCaseDBId = ACaseDBId;
    FCaseId = ACaseId;
    FCaseName = KVName(ACaseName);
}

void TKVElementType::UpdateCaseData(quint32 ACaseDBId, quint32 ACaseId, const QString& ACaseName,
                                    TKVCaseMountType ACaseMountType,
                                    TKVCaseVisualType ACasePttVisualType) {
    UpdateCaseData(ACaseDBId, ACaseId, ACaseName);
    FCaseMountType = ACaseMountType;
    FCasePttVisualType = ACasePttVisualType;
}

void TKVElementType::UpdateMakerData(quint32 AMakerDBId, quint32 AMakerId,
                                     const QString& AMakerName) {
    FMakerDBId = AMakerDBId;
    FMakerId = AMakerId;
    FMakerName = KVName(AMakerName);
}

void TKVElementType::AddParam(quint32 ADBId, quint32 AId, quint32 ABaseParamDBId,
                              quint32 ABaseParamId, quint32 AUnitDBId, quint32 AUnitId,
                              const QString& AUnitPrefix, double AMinVal, double ATypeVal,
                              double AMaxVal, const QString& AStrVal, bool ABoolVal, quint32 AFlag,
                              bool AUsageMinVal, bool AUsageTypeVal, bool AUsageMaxVal,
                              bool AUsageBoolVal) {
    TKVElementTypeParam& p = FParamList.emplace_back();
    p.DBId = ADBId;
    p.Id = AId;
    p.BaseParamDBId = ABaseParamDBId;
    p.BaseParamId = ABaseParamId;
    p.UnitDBId = AUnitDBId;
    p.UnitId = AUnitId;
    p.UnitPrefix = KVSmallName(AUnitPrefix);
    p.MinVal = AMinVal;
    p.TypeVal = ATypeVal;
    p.MaxVal = AMaxVal;
    p.StrVal = KVName(AStrVal);
    p.BoolVal = ABoolVal;
    p.Flag = AFlag;
    p.UsageMinVal = AUsageMinVal;
    p.UsageTypeVal = AUsageTypeVal;
    p.UsageMaxVal = AUsageMaxVal;
    p.UsageBoolVal = AUsageBoolVal;
}

PKVElementTypeParam TKVElementType::GetParamByBaseParamPKey(quint32 ABaseParamDBId,
                                                            quint32 ABaseParamId) {
    for (TKVElementTypeParam& p : FParamList) {
        if (p.BaseParamDBId == ABaseParamDBId && p.BaseParamId == ABaseParamId)
            return &p;
    }
    return nullptr;
}

namespace {

// Whether a used numeric value of ARecord passes ATest.
template <typename TTest> bool AnyUsedValue(const TKVElementTypeParam& ARecord, TTest&& ATest) {
    return (ARecord.UsageMinVal && ATest(ARecord.MinVal)) ||
           (ARecord.UsageTypeVal && ATest(ARecord.TypeVal)) ||
           (ARecord.UsageMaxVal && ATest(ARecord.MaxVal));
}

} // namespace

bool TKVElementType::TestParamOnPS(const TKVParamSearchData& AParamSearchData) const {
    const TKVParamSearchData& c = AParamSearchData;
    const TKVElementTypeParam* record = nullptr;
    for (const TKVElementTypeParam& p : FParamList) {
        if (p.BaseParamDBId == c.BaseParamDBId && p.BaseParamId == c.BaseParamId) {
            record = &p;
            break;
        }
    }
    if (!record)
        return false;
    const TKVElementTypeParam& r = *record;

    switch (c.SearchType) {
    case pstNumeric:
        return AnyUsedValue(r, [&c](double AValue) { return AValue == c.Float1Val; });
    case pstGoENumeric:
        return AnyUsedValue(r, [&c](double AValue) { return AValue >= c.Float1Val; });
    case pstLoENumeric:
        return AnyUsedValue(r, [&c](double AValue) { return AValue <= c.Float1Val; });
    case pstNumericInRange:
        return AnyUsedValue(
            r, [&c](double AValue) { return c.Float1Val <= AValue && AValue <= c.Float2Val; });
    case pstSubString: {
        if (c.StrVal.isEmpty())
            return false;
        const QLocale locale;
        return locale.toUpper(r.StrVal).contains(locale.toUpper(c.StrVal));
    }
    case pstLogic:
        return r.UsageBoolVal && r.BoolVal == c.LogicVal;
    case pstAny:
        return r.UsageMinVal || r.UsageTypeVal || r.UsageMaxVal || r.UsageBoolVal ||
               !r.StrVal.isEmpty();
    }
    return false;
}

void TKVElementType::ApplyParamSearch(const TKVParamSearchList& AParamSearchList) {
    if (AParamSearchList.Empty())
        return;
    if (ParamEmpty()) {
        FShowing = false;
        return;
    }
    int passed = 0;
    AParamSearchList.ForEachCriterion([&](const TKVParamSearchData& AData) {
        if (TestParamOnPS(AData))
            ++passed;
    });
    FShowing = AParamSearchList.ParamSearchUnion() == psuMatchAll
                   ? passed == AParamSearchList.Count()
                   : passed > 0;
}

// --- List ------------------------------------------------------------------------------------

std::unique_ptr<TKVElementTypeList>
TKVElementTypeList::CreateOnTypeName(const QString& ATypeNameStr) {
    auto list = std::make_unique<TKVElementTypeList>(etsdmOnElementTypeName);
    list->FTypeNameStr = ATypeNameStr;
    return list;
}

std::unique_ptr<TKVElementTypeList>
TKVElementTypeList::CreateOnClass(quint32 AETClassDBId, quint32 AETClassId, bool AViewBaseParam) {
    auto list = std::make_unique<TKVElementTypeList>(AViewBaseParam ? etsdmOnClassWithBaseParam
                                                                    : etsdmOnClass);
    list->FETClassDBId = AETClassDBId;
    list->FETClassId = AETClassId;
    return list;
}

std::unique_ptr<TKVElementTypeList> TKVElementTypeList::CreateOnMaker(quint32 AMakerDBId,
                                                                      quint32 AMakerId) {
    auto list = std::make_unique<TKVElementTypeList>(etsdmOnMaker);
    list->FMakerDBId = AMakerDBId;
    list->FMakerId = AMakerId;
    return list;
}

std::unique_ptr<TKVElementTypeList> TKVElementTypeList::CreateOnSupplier(quint32 ASupplierId) {
    auto list = std::make_unique<TKVElementTypeList>(etsdmOnSupplier);
    list->FSupplierId = ASupplierId;
    return list;
}

std::unique_ptr<TKVElementTypeList> TKVElementTypeList::CreateOnParamSearch() {
    return std::make_unique<TKVElementTypeList>(etsdmOnParamSearch);
}

std::unique_ptr<TKVElementTypeList>
TKVElementTypeList::CreateOnMarking(const QString& AMarkingStr) {
    auto list = std::make_unique<TKVElementTypeList>(etsdmOnMarking);
    list->FMarkingStr = AMarkingStr;
    return list;
}

void TKVElementTypeList::AddData(quint32 ADBId, quint32 AId, quint32 AETClassDBId,
                                 quint32 AETClassId, quint32 ACaseDBId, quint32 ACaseId,
                                 quint32 AMakerDBId, quint32 AMakerId, const QString& ATypeName,
                                 const QString& AMarking, const QString& ADescription,
                                 const QString& ADataSheet, TDateTime ACreateDateTime,
                                 TDateTime AUpdateDateTime, TDateTime AReplDateTime,
                                 const QString& AETClassName, const QString& ACaseName,
                                 TKVCaseMountType ACaseMountType, const QString& AMakerName,
                                 qint32 AElementTypeIconId, TKVCaseVisualType ACasePttVisualType,
                                 bool APinExists) {
    AppendNew(ADBId, AId, AETClassDBId, AETClassId)
        ->UpdateData(AETClassDBId, AETClassId, ACaseDBId, ACaseId, AMakerDBId, AMakerId, ATypeName,
                     AMarking, ADescription, ADataSheet, ACreateDateTime, AUpdateDateTime,
                     AReplDateTime, AETClassName, ACaseName, ACaseMountType, AMakerName,
                     AElementTypeIconId, ACasePttVisualType, APinExists);
}

bool TKVElementTypeList::UpdateDataByPKey(quint32 ADBId, quint32 AId, quint32 AETClassDBId,
                                          quint32 AETClassId, quint32 ACaseDBId, quint32 ACaseId,
                                          quint32 AMakerDBId, quint32 AMakerId,
                                          const QString& ATypeName, const QString& AMarking,
                                          const QString& ADescription, const QString& ADataSheet,
                                          TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                                          TDateTime AReplDateTime, const QString& AETClassName,
                                          const QString& ACaseName, TKVCaseMountType ACaseMountType,
                                          const QString& AMakerName, qint32 AElementTypeIconId,
                                          TKVCaseVisualType ACasePttVisualType, bool APinExists) {
    return UpdateByPKey({ADBId, AId}, [&](TKVElementType& ARow) {
        ARow.UpdateData(AETClassDBId, AETClassId, ACaseDBId, ACaseId, AMakerDBId, AMakerId,
                        ATypeName, AMarking, ADescription, ADataSheet, ACreateDateTime,
                        AUpdateDateTime, AReplDateTime, AETClassName, ACaseName, ACaseMountType,
                        AMakerName, AElementTypeIconId, ACasePttVisualType, APinExists);
    });
}

void TKVElementTypeList::SetClassData(quint32 AETClassDBId, quint32 AETClassId,
                                      const QString& AETClassName, qint32 AETClassIconId) {
    if (FListSelectDataMode == etsdmOnClass || FListSelectDataMode == etsdmOnClassWithBaseParam) {
        FETClassName = KVName(AETClassName);
        FETClassIconId = AETClassIconId;
    }
    ForEach([&](TKVElementType& ARow) {
        if (ARow.ETClassDBId() != AETClassDBId || ARow.ETClassId() != AETClassId)
            return;
        ARow.UpdateClassData(AETClassDBId, AETClassId, AETClassName);
        ARow.FElementTypeIconId = AETClassIconId;
    });
}

void TKVElementTypeList::SetCaseName(quint32 ACaseDBId, quint32 ACaseId, const QString& ACaseName) {
    ForEach([&](TKVElementType& ARow) {
        if (ARow.CaseDBId() != ACaseDBId || ARow.CaseId() != ACaseId)
            return;
        ARow.UpdateCaseData(ACaseDBId, ACaseId, ACaseName);
        if (FOnChangeCaseName)
            FOnChangeCaseName(this, ARow.DBId(), ARow.Id(), ARow.CaseName());
    });
}

void TKVElementTypeList::SetMakerName(quint32 AMakerDBId, quint32 AMakerId,
                                      const QString& AMakerName) {
    if (FListSelectDataMode == etsdmOnMaker)
        FMakerName = KVName(AMakerName);
    ForEach([&](TKVElementType& ARow) {
        if (ARow.MakerDBId() != AMakerDBId || ARow.MakerId() != AMakerId)
            return;
        ARow.UpdateMakerData(AMakerDBId, AMakerId, AMakerName);
        if (FOnChangeMakerName)
            FOnChangeMakerName(this, ARow.DBId(), ARow.Id(), ARow.MakerName());
    });
}

void TKVElementTypeList::SetSupplierName(const QString& ASupplierName) {
    if (FListSelectDataMode == etsdmOnSupplier)
        FSupplierName = KVName(ASupplierName);
}
