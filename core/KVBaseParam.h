#pragma once

// Base parameters (T_BASE_PARAM): the parameters that the element types of one class carry.

#include "core/KVList.h"

// The value of ordinal AIndex; svtDefault outside the enumeration.
TKVSelectValueType IndexToSelectValueType(int AIndex);

class TKVBaseParam : public TKVDBRow {
public:
    TKVBaseParam(quint32 ADBId, quint32 AId, quint32 ABPClassDBId, quint32 ABPClassId)
        : TKVDBRow(ADBId, AId), FBPClassDBId(ABPClassDBId), FBPClassId(ABPClassId) {}

    // Neither overload changes the class key or SBP.
    void UpdateData(quint32 AUnitDBId, quint32 AUnitId, const QString& AName,
                    const QString& ADescription, TKVSelectValueType ASelectValueType,
                    const QString& AUPId, TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                    TDateTime AReplDateTime, const QString& ABPClassName,
                    const QString& AUnitPrefix);
    void UpdateData(const QString& AName, const QString& ADescription,
                    TKVSelectValueType ASelectValueType, const QString& AUPId,
                    TDateTime ACreateDateTime, TDateTime AUpdateDateTime, TDateTime AReplDateTime);
    void UpdateClassData(quint32 ABPClassDBId, quint32 ABPClassId, const QString& ABPClassName);
    void UpdateUnitData(quint32 AUnitDBId, quint32 AUnitId, const QString& AUnitPrefix);
    void SetSBP(bool ASBP) { FSBP = ASBP; }

    quint32 BPClassDBId() const { return FBPClassDBId; }
    quint32 BPClassId() const { return FBPClassId; }
    // Unit 0, 0: none.
    quint32 UnitDBId() const { return FUnitDBId; }
    quint32 UnitId() const { return FUnitId; }
    const TKVName& Name() const { return FName; }
    const TKVDescription& Description() const { return FDescription; }
    TKVSelectValueType SelectValueType() const { return FSelectValueType; }
    int SelectValueTypeIndex() const { return FSelectValueType; }
    int GetSelectValueTypeIndex() const { return FSelectValueType; }
    // Unified parameter index.
    const TKVSmallName& UPId() const { return FUPId; }
    TDateTime CreateDateTime() const { return FCreateDateTime; }
    TDateTime UpdateDateTime() const { return FUpdateDateTime; }
    TDateTime ReplDateTime() const { return FReplDateTime; }
    const TKVSmallName& UnitPrefix() const { return FUnitPrefix; }
    const TKVName& BPClassName() const { return FBPClassName; }
    // A criterion of the parametric search for which the list was loaded.
    bool SBP() const { return FSBP; }

    static TKVSelectValueType IndexToSelectValueType(int AIndex) {
        return ::IndexToSelectValueType(AIndex);
    }

private:
    quint32 FBPClassDBId;
    quint32 FBPClassId;
    quint32 FUnitDBId = 0;
    quint32 FUnitId = 0;
    TKVName FName;
    TKVDescription FDescription;
    TKVSelectValueType FSelectValueType = svtDefault;
    TKVSmallName FUPId;
    TDateTime FCreateDateTime = 0;
    TDateTime FUpdateDateTime = 0;
    TDateTime FReplDateTime = 0;
    TKVSmallName FUnitPrefix;
    TKVName FBPClassName;
    bool FSBP = false;
};

// The base parameters of one class (AddDataWithClass also takes rows of other classes).
class TKVBaseParamList : public TKVList<TKVBaseParam> {
public:
    TKVBaseParamList(quint32 ABPClassDBId, quint32 ABPClassId)
        : FBPClassDBId(ABPClassDBId), FBPClassId(ABPClassId) {}

    // A row of the list's class with the list's class name; SBP False.
    void AddData(quint32 ADBId, quint32 AId, quint32 AUnitDBId, quint32 AUnitId,
                 const QString& AName, const QString& ADescription,
                 TKVSelectValueType ASelectValueType, const QString& AUPId,
                 TDateTime ACreateDateTime, TDateTime AUpdateDateTime, TDateTime AReplDateTime,
                 const QString& AUnitPrefix);
    // The same with the row's SBP.
    void AddData(quint32 ADBId, quint32 AId, quint32 AUnitDBId, quint32 AUnitId,
                 const QString& AName, const QString& ADescription,
                 TKVSelectValueType ASelectValueType, const QString& AUPId,
                 TDateTime ACreateDateTime, TDateTime AUpdateDateTime, TDateTime AReplDateTime,
                 const QString& AUnitPrefix, bool ASBP);
    // A row whose class key and name are the arguments.
    void AddDataWithClass(quint32 ADBId, quint32 AId, quint32 ABPClassDBId, quint32 ABPClassId,
                          quint32 AUnitDBId, quint32 AUnitId, const QString& AName,
                          const QString& ADescription, TKVSelectValueType ASelectValueType,
                          const QString& AUPId, TDateTime ACreateDateTime,
                          TDateTime AUpdateDateTime, TDateTime AReplDateTime,
                          const QString& ABPClassName, const QString& AUnitPrefix);
    // The row's long UpdateData; its class key stays.
    bool UpdateDataByPKey(quint32 ADBId, quint32 AId, quint32 AUnitDBId, quint32 AUnitId,
                          const QString& AName, const QString& ADescription,
                          TKVSelectValueType ASelectValueType, const QString& AUPId,
                          TDateTime ACreateDateTime, TDateTime AUpdateDateTime,
                          TDateTime AReplDateTime, const QString& AUnitPrefix,
                          const QString& ABPClassName);

    // The list's class name and that of every row.
    void SetClassName(const QString& ABPClassName);
    // Every row of that unit takes the prefix; OnChangeUnitPrefix per changed row.
    void SetUnitPrefix(quint32 AUnitDBId, quint32 AUnitId, const QString& AUnitPrefix);

    quint32 BPClassDBId() const { return FBPClassDBId; }
    quint32 BPClassId() const { return FBPClassId; }
    const TKVName& BPClassName() const { return FBPClassName; }
    const TKVOnChangeStrParamSmallNameInItem& OnChangeUnitPrefix() const {
        return FOnChangeUnitPrefix;
    }
    void SetOnChangeUnitPrefix(TKVOnChangeStrParamSmallNameInItem AEvent) {
        FOnChangeUnitPrefix = std::move(AEvent);
    }

    static TKVSelectValueType IndexToSelectValueType(int AIndex) {
        return ::IndexToSelectValueType(AIndex);
    }

private:
    quint32 FBPClassDBId;
    quint32 FBPClassId;
    TKVName FBPClassName;
    TKVOnChangeStrParamSmallNameInItem FOnChangeUnitPrefix;
};
