#pragma once

// Element types (T_ELEMENT_TYPE): one kind of component of a class, with its maker and case.
// A row may hold its own parameter values, by which it is shown in base-parameter columns and
// matched against a parametric search profile.

#include "core/KVCase.h"
#include "core/KVParamSearch.h"

#include <vector>

// One parameter value of an element type, for a base parameter of the type's class.
struct TKVElementTypeParam {
    quint32 DBId = 0; // key of the T_PARAM row
    quint32 Id = 0;
    quint32 BaseParamDBId = 0;
    quint32 BaseParamId = 0;
    quint32 UnitDBId = 0;
    quint32 UnitId = 0;
    TKVSmallName UnitPrefix;
    double MinVal = 0;
    double TypeVal = 0;
    double MaxVal = 0;
    TKVName StrVal;
    bool BoolVal = false;
    quint32 Flag = 0;
    bool UsageMinVal = false;
    bool UsageTypeVal = false;
    bool UsageMaxVal = false;
    bool UsageBoolVal = false;
};
using PKVElementTypeParam = TKVElementTypeParam*;

// How an element-type list was loaded.
enum TKVElementTypeListSelectDataMode {
    etsdmOnElementTypeName,
    etsdmOnClass,
    etsdmOnClassWithBaseParam,
    etsdmOnMaker,
    etsdmOnSupplier,
    etsdmOnParamSearch,
    etsdmOnMarking
};

class TKVElementType : public TKVDBRow {
public:
    TKVElementType(quint32 ADBId, quint32 AId, quint32 AETClassDBId, quint32 AETClassId)
        : TKVDBRow(ADBId, AId), FETClassDBId(AETClassDBId), FETClassId(AETClassId) {}

    // Every field but the key, Showing and the parameter records.
    void UpdateData(quint32 AETClassDBId, quint32 AETClassId, quint32 ACaseDBId, quint32 ACaseId,
                    quint32 AMakerDBId, quint32 AMakerId, const QString& ATypeName,
                    const QString& AMarking, const QString& ADescription, const QString& ADataSheet,
                    TDateTime ACreateDateTime, TDateTime AUpdateDateTime, TDateTime AReplDateTime,
                    const QString& AETClassName, const QString& ACaseName,
                    TKVCaseMountType ACaseMountType, const QString& AMakerName,
                    qint32 AElementTypeIconId, TKVCaseVisualType ACasePttVisualType,
                    bool APinExists);
    void UpdateData(const QString& ATypeName, const QString& AMarking, const QString& ADescription,
                    const QString& ADataSheet, TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                    TDateTime AReplDateTime, qint32 AElementTypeIconId, bool APinExists);
    // The icon stays.
    void UpdateClassData(quint32 AETClassDBId, quint32 AETClassId, const QString& AETClassName);
    void UpdateCaseData(quint32 ACaseDBId, quint32 ACaseId, const QString& ACaseName);
    void UpdateCaseData(quint32 ACaseDBId, quint32 ACaseId, const QString& ACaseName,
                        TKVCaseMountType ACaseMountType, TKVCaseVisualType ACasePttVisualType);
    void UpdateMakerData(quint32 AMakerDBId, quint32 AMakerId, const QString& AMakerName);
    void SetShowing(bool AShowing) { FShowing = AShowing; }

    // The case has a drawing and the type has pins: the outline with pins can be shown.
    bool GetPttVisualAndPinExists() const { return FCasePttVisualType != cvtUntyped && FPinExists; }

    // Parameter records. A record handed out stays owned by the row and is valid until the
    // next AddParam or ClearParamList.
    void AddParam(quint32 ADBId, quint32 AId, quint32 ABaseParamDBId, quint32 ABaseParamId,
                  quint32 AUnitDBId, quint32 AUnitId, const QString& AUnitPrefix, double AMinVal,
                  double ATypeVal, double AMaxVal, const QString& AStrVal, bool ABoolVal,
                  quint32 AFlag, bool AUsageMinVal, bool AUsageTypeVal, bool AUsageMaxVal,
                  bool AUsageBoolVal);
    // The first record of that base parameter; nullptr when there is none.
    PKVElementTypeParam GetParamByBaseParamPKey(quint32 ABaseParamDBId, quint32 ABaseParamId);
    const TKVElementTypeParam* GetParamByBaseParamPKey(quint32 ABaseParamDBId,
                                                       quint32 ABaseParamId) const {
        return const_cast<TKVElementType*>(this)->GetParamByBaseParamPKey(ABaseParamDBId,
                                                                         ABaseParamId);
    }
    void ClearParamList() { FParamList.clear(); }
    bool ParamEmpty() const { return FParamList.empty(); }
    int ParamCount() const { return static_cast<int>(FParamList.size()); }

    // Tests the first record of the criterion's base parameter; False when there is none.
    bool TestParamOnPS(const TKVParamSearchData& AParamSearchData) const;
    // Sets Showing by the profile: an empty profile changes nothing; a row without records is
    // hidden; otherwise every criterion (psuMatchAll) or one of them (psuAny) must hold.
    void ApplyParamSearch(const TKVParamSearchList& AParamSearchList);

    // The row passes the window's parametric filter.
    bool Showing() const { return FShowing; }
    quint32 ETClassDBId() const { return FETClassDBId; }
    quint32 ETClassId() const { return FETClassId; }
    // Case and maker 0, 0: none.
    quint32 CaseDBId() const { return FCaseDBId; }
    quint32 CaseId() const { return FCaseId; }
    quint32 MakerDBId() const { return FMakerDBId; }
    quint32 MakerId() const { return FMakerId; }
    const TKVName& TypeName() const { return FTypeName; }
    const TKVName& Marking() const { return FMarking; }
    const QString& Description() const { return FDescription; }
    const TKVDescription& DataSheet() const { return FDataSheet; }
    TDateTime CreateDateTime() const { return FCreateDateTime; }
    TDateTime UpdateDateTime() const { return FUpdateDateTime; }
    TDateTime ReplDateTime() const { return FReplDateTime; }
    const TKVName& ETClassName() const { return FETClassName; }
    const TKVName& CaseName() const { return FCaseName; }
    TKVCaseMountType CaseMountType() const { return FCaseMountType; }
    const TKVName& MakerName() const { return FMakerName; }
    // Icon of the type in lists (the class icon); -1 = none.
    qint32 ElementTypeIconId() const { return FElementTypeIconId; }
    TKVCaseVisualType CasePttVisualType() const { return FCasePttVisualType; }
    bool PinExists() const { return FPinExists; }

private:
    friend class TKVElementTypeList; // sets the icon of the rows of a class

    std::vector<TKVElementTypeParam> FParamList;
    bool FShowing = true;
    quint32 FETClassDBId;
    quint32 FETClassId;
    quint32 FCaseDBId = 0;
    quint32 FCaseId = 0;
    quint32 FMakerDBId = 0;
    quint32 FMakerId = 0;
    TKVName FTypeName;
    TKVName FMarking;
    QString FDescription;
    TKVDescription FDataSheet;
    TDateTime FCreateDateTime = 0;
    TDateTime FUpdateDateTime = 0;
    TDateTime FReplDateTime = 0;
    TKVName FETClassName;
    TKVName FCaseName;
    TKVCaseMountType FCaseMountType = cmtUnknown;
    TKVName FMakerName;
    qint32 FElementTypeIconId = -1;
    TKVCaseVisualType FCasePttVisualType = cvtUntyped;
    bool FPinExists = false;
};

// Element types loaded in one of seven modes; each constructor keeps the context of its mode
// and leaves the rest empty.
class TKVElementTypeList : public TKVList<TKVElementType> {
public:
    using TKVList::GetItemByPKey;

    static std::unique_ptr<TKVElementTypeList> CreateOnTypeName(const QString& ATypeNameStr);
    // etsdmOnClassWithBaseParam with AViewBaseParam, else etsdmOnClass.
    static std::unique_ptr<TKVElementTypeList>
    CreateOnClass(quint32 AETClassDBId, quint32 AETClassId, bool AViewBaseParam);
    static std::unique_ptr<TKVElementTypeList> CreateOnMaker(quint32 AMakerDBId, quint32 AMakerId);
    static std::unique_ptr<TKVElementTypeList> CreateOnSupplier(quint32 ASupplierId);
    static std::unique_ptr<TKVElementTypeList> CreateOnParamSearch();
    static std::unique_ptr<TKVElementTypeList> CreateOnMarking(const QString& AMarkingStr);

    void AddData(quint32 ADBId, quint32 AId, quint32 AETClassDBId, quint32 AETClassId,
                 quint32 ACaseDBId, quint32 ACaseId, quint32 AMakerDBId, quint32 AMakerId,
                 const QString& ATypeName, const QString& AMarking, const QString& ADescription,
                 const QString& ADataSheet, TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                 TDateTime AReplDateTime, const QString& AETClassName, const QString& ACaseName,
                 TKVCaseMountType ACaseMountType, const QString& AMakerName,
                 qint32 AElementTypeIconId, TKVCaseVisualType ACasePttVisualType, bool APinExists);
    // Appends a row object, which the list then owns; nullptr is ignored.
    void Add(std::unique_ptr<TKVElementType> AElementType) { Append(std::move(AElementType)); }
    // The row's long UpdateData.
    bool UpdateDataByPKey(quint32 ADBId, quint32 AId, quint32 AETClassDBId, quint32 AETClassId,
                          quint32 ACaseDBId, quint32 ACaseId, quint32 AMakerDBId, quint32 AMakerId,
                          const QString& ATypeName, const QString& AMarking,
                          const QString& ADescription, const QString& ADataSheet,
                          TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                          TDateTime AReplDateTime, const QString& AETClassName,
                          const QString& ACaseName, TKVCaseMountType ACaseMountType,
                          const QString& AMakerName, qint32 AElementTypeIconId,
                          TKVCaseVisualType ACasePttVisualType, bool APinExists);

    // In the class modes the list's class name and icon take the values; in every mode each
    // row of that class takes the name and the icon.
    void SetClassData(quint32 AETClassDBId, quint32 AETClassId, const QString& AETClassName,
                      qint32 AETClassIconId);
    // Each row of that case takes the name; OnChangeCaseName per row.
    void SetCaseName(quint32 ACaseDBId, quint32 ACaseId, const QString& ACaseName);
    // In etsdmOnMaker the list's maker name too; each row of that maker takes the name;
    // OnChangeMakerName per row.
    void SetMakerName(quint32 AMakerDBId, quint32 AMakerId, const QString& AMakerName);
    // The list's supplier name, in etsdmOnSupplier only.
    void SetSupplierName(const QString& ASupplierName);

    TKVElementTypeListSelectDataMode ListSelectDataMode() const { return FListSelectDataMode; }
    quint32 ETClassDBId() const { return FETClassDBId; }
    quint32 ETClassId() const { return FETClassId; }
    const TKVName& ETClassName() const { return FETClassName; }
    qint32 ETClassIconId() const { return FETClassIconId; }
    quint32 MakerDBId() const { return FMakerDBId; }
    quint32 MakerId() const { return FMakerId; }
    const TKVName& MakerName() const { return FMakerName; }
    quint32 SupplierId() const { return FSupplierId; }
    const TKVName& SupplierName() const { return FSupplierName; }
    const QString& TypeNameStr() const { return FTypeNameStr; }
    const QString& MarkingStr() const { return FMarkingStr; }
    const TKVOnChangeStrParamNameInItem& OnChangeCaseName() const { return FOnChangeCaseName; }
    void SetOnChangeCaseName(TKVOnChangeStrParamNameInItem AEvent) {
        FOnChangeCaseName = std::move(AEvent);
    }
    const TKVOnChangeStrParamNameInItem& OnChangeMakerName() const { return FOnChangeMakerName; }
    void SetOnChangeMakerName(TKVOnChangeStrParamNameInItem AEvent) {
        FOnChangeMakerName = std::move(AEvent);
    }

    static TKVCaseMountType IndexToMountType(int AIndex) { return ::IndexToMountType(AIndex); }
    static TKVCaseVisualType IndexToPttVisualType(int AIndex) {
        return ::IndexToPttVisualType(AIndex);
    }

    // An empty list in AMode with no context; the Create... functions fill the context.
    explicit TKVElementTypeList(TKVElementTypeListSelectDataMode AMode)
        : FListSelectDataMode(AMode) {}

private:
    TKVElementTypeListSelectDataMode FListSelectDataMode;
    quint32 FETClassDBId = 0;
    quint32 FETClassId = 0;
    TKVName FETClassName;
    qint32 FETClassIconId = 0;
    quint32 FMakerDBId = 0;
    quint32 FMakerId = 0;
    TKVName FMakerName;
    quint32 FSupplierId = 0;
    TKVName FSupplierName;
    QString FTypeNameStr;
    QString FMarkingStr;
    TKVOnChangeStrParamNameInItem FOnChangeCaseName;
    TKVOnChangeStrParamNameInItem FOnChangeMakerName;
};
