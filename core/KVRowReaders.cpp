#include "core/KVRowReaders.h"

#include "platform/ib/IBQuery.h"

#include <limits>

// ------------------------------------------------------------------------------- fields

bool TKVRowFields::Has(const char* AName) const {
    return FQuery.FindField(AName) != nullptr;
}

QString TKVRowFields::Text(const char* AName, const QString& AMissing) const {
    const TIBField* field = FQuery.FindField(AName);
    return field ? field->AsString() : AMissing;
}

quint32 TKVRowFields::Key(const char* AName, quint32 AMissing) const {
    const TIBField* field = FQuery.FindField(AName);
    return field ? static_cast<quint32>(field->AsInt64()) : AMissing;
}

qint32 TKVRowFields::Integer(const char* AName, qint32 AMissing) const {
    const TIBField* field = FQuery.FindField(AName);
    return field ? static_cast<qint32>(field->AsInt64()) : AMissing;
}

qint32 TKVRowFields::IntegerOrNull(const char* AName, qint32 ANull, qint32 AMissing) const {
    const TIBField* field = FQuery.FindField(AName);
    if (!field)
        return AMissing;
    return field->IsNull() ? ANull : static_cast<qint32>(field->AsInt64());
}

double TKVRowFields::Float(const char* AName, double AMissing) const {
    const TIBField* field = FQuery.FindField(AName);
    return field ? field->AsDouble() : AMissing;
}

TDateTime TKVRowFields::DateTime(const char* AName, TDateTime AMissing) const {
    const TIBField* field = FQuery.FindField(AName);
    return field ? field->AsDateTime() : AMissing;
}

bool TKVRowFields::NotNull(const char* AName, bool AMissing) const {
    const TIBField* field = FQuery.FindField(AName);
    return field ? !field->IsNull() : AMissing;
}

// ------------------------------------------------------------------------------ readers

void ReadRow(TIBQuery& AQuery, TKVUnit& ARow) {
    const TKVRowFields f(AQuery);
    ARow.UpdateData(f.Text("S_PREFIX", ARow.Prefix()), f.Text("S_NAMEDEF", ARow.NameDef()),
                    f.Text("S_NAME", ARow.Name()), f.Text("S_DESCRIPTION", ARow.Description()),
                    f.Float("V_FACTOR", ARow.Factor()),
                    f.DateTime("C_TIMESTAMP", ARow.CreateDateTime()),
                    f.DateTime("U_TIMESTAMP", ARow.UpdateDateTime()),
                    f.DateTime("R_TIMESTAMP", ARow.ReplDateTime()));
}

void ReadRow(TIBQuery& AQuery, TKVMaker& ARow) {
    const TKVRowFields f(AQuery);
    ARow.UpdateData(f.Text("S_NAME", ARow.Name()), f.Text("S_DESCRIPTION", ARow.Description()),
                    f.Text("S_URL", ARow.Url()), f.DateTime("C_TIMESTAMP", ARow.CreateDateTime()),
                    f.DateTime("U_TIMESTAMP", ARow.UpdateDateTime()),
                    f.DateTime("R_TIMESTAMP", ARow.ReplDateTime()));
}

void ReadRow(TIBQuery& AQuery, TKVPin& ARow) {
    const TKVRowFields f(AQuery);
    ARow.UpdateData(static_cast<quint16>(f.Integer("V_NUM", ARow.Num())),
                    f.Text("S_NAME", ARow.Name()), f.Text("S_DESCRIPTION", ARow.Description()),
                    IndexToPinType(f.IntegerOrNull("V_ASSIGN", 0, ARow.PinType())),
                    f.DateTime("C_TIMESTAMP", ARow.CreateDateTime()),
                    f.DateTime("U_TIMESTAMP", ARow.UpdateDateTime()),
                    f.DateTime("R_TIMESTAMP", ARow.ReplDateTime()),
                    f.Text("ELEMENTTYPENAME", ARow.ElementTypeName()));
}

void ReadRow(TIBQuery& AQuery, TKVSupplier& ARow) {
    const TKVRowFields f(AQuery);
    ARow.UpdateData(f.Text("S_NAME", ARow.Name()), f.Text("S_ADDRESS", ARow.Address()),
                    f.Text("S_PHONE", ARow.Phone()), f.Text("S_URL", ARow.Url()),
                    f.Text("S_TEXT", ARow.Text()), f.DateTime("C_TIMESTAMP", ARow.CreateDateTime()),
                    f.DateTime("U_TIMESTAMP", ARow.UpdateDateTime()));
}

void ReadRow(TIBQuery& AQuery, TKVElementAnalog& ARow) {
    const TKVRowFields f(AQuery);
    ARow.UpdateData(
        f.Key("PELEMENTTYPEDBID", ARow.PrimaryElementTypeDBId()),
        f.Key("PELEMENTTYPEID", ARow.PrimaryElementTypeId()),
        f.Key("AELEMENTTYPEDBID", ARow.AnalogElementTypeDBId()),
        f.Key("AELEMENTTYPEID", ARow.AnalogElementTypeId()),
        IndexToSimilalFunctionalType(f.Integer("V_FUNCTIONAL", ARow.SimilalFunctionalTypeIndex())),
        IndexToSimilalFeaturesType(f.Integer("V_FEATURES", ARow.SimilalFeaturesTypeIndex())),
        IndexToSimilalCaseType(f.Integer("V_CASE", ARow.SimilalCaseTypeIndex())),
        IndexToSimilalPinoutType(f.Integer("V_PINOUT", ARow.SimilalPinoutTypeIndex())),
        f.Text("S_TEXT", ARow.Text()), f.DateTime("C_TIMESTAMP", ARow.CreateDateTime()),
        f.DateTime("U_TIMESTAMP", ARow.UpdateDateTime()),
        f.DateTime("R_TIMESTAMP", ARow.ReplDateTime()),
        f.Text("PELEMENTTYPENAME", ARow.PrimaryElementTypeName()),
        f.Key("PELEMENTTYPECLASSDBID", ARow.PrimaryElementTypeClassDBId()),
        f.Key("PELEMENTTYPECLASSID", ARow.PrimaryElementTypeClassId()),
        f.Text("PELEMENTTYPECLASSNAME", ARow.PrimaryElementTypeClassName()),
        f.Text("AELEMENTTYPENAME", ARow.AnalogElementTypeName()),
        f.Key("AELEMENTTYPECLASSDBID", ARow.AnalogElementTypeClassDBId()),
        f.Key("AELEMENTTYPECLASSID", ARow.AnalogElementTypeClassId()),
        f.Text("AELEMENTTYPECLASSNAME", ARow.AnalogElementTypeClassName()));
}

void ReadRow(TIBQuery& AQuery, TKVElementSupplier& ARow) {
    const TKVRowFields f(AQuery);
    QVariant price = ARow.UsagePrice() ? QVariant(ARow.Price()) : QVariant();
    if (const TIBField* field = AQuery.FindField("V_PRICE"))
        price = field->IsNull() ? QVariant() : QVariant(field->AsDouble());
    ARow.UpdateData(f.Key("ELEMENTTYPEDBID", ARow.ElementTypeDBId()),
                    f.Key("ELEMENTTYPEID", ARow.ElementTypeId()),
                    f.Key("SUPPLIERID", ARow.SupplierId()), price, f.Text("S_TEXT", ARow.Text()),
                    f.DateTime("C_TIMESTAMP", ARow.CreateDateTime()),
                    f.DateTime("U_TIMESTAMP", ARow.UpdateDateTime()),
                    f.Key("CLASSDBID", ARow.ESClassDBId()), f.Key("CLASSID", ARow.ESClassId()),
                    f.Text("CLASSNAME", ARow.ESClassName()),
                    f.Text("ELEMENTTYPENAME", ARow.ElementTypeName()),
                    f.Text("SUPPLIERNAME", ARow.SupplierName()),
                    f.IntegerOrNull("CLASSICONID", -1, ARow.ElementTypeIconId()));
}

void ReadRow(TIBQuery& AQuery, TKVCase& ARow) {
    const TKVRowFields f(AQuery);
    ARow.UpdateData(
        f.Text("S_TYPENAME", ARow.TypeName()), f.Text("S_DESCRIPTION", ARow.Description()),
        static_cast<quint16>(f.Integer("V_PINCOUNT", ARow.PinCount())),
        IndexToMountType(f.Integer("V_MOUNTTYPE", ARow.MountType())),
        IndexToPttVisualType(f.Integer("V_CV_PTTTYPE", ARow.PttVisualType())),
        static_cast<quint32>(f.Integer("V_CV_PTTPRM", static_cast<qint32>(ARow.PttVisualParams()))),
        f.DateTime("C_TIMESTAMP", ARow.CreateDateTime()),
        f.DateTime("U_TIMESTAMP", ARow.UpdateDateTime()),
        f.DateTime("R_TIMESTAMP", ARow.ReplDateTime()));
}

void ReadRow(TIBQuery& AQuery, TKVClass& ARow) {
    const TKVRowFields f(AQuery);
    ARow.UpdateData(f.Key("PARENTDBID", ARow.ParentDBId()), f.Key("PARENTID", ARow.ParentId()),
                    f.Text("S_NAME", ARow.Name()), f.Text("S_DESCRIPTION", ARow.Description()),
                    f.IntegerOrNull("ICONID", -1, ARow.IconId()),
                    f.DateTime("C_TIMESTAMP", ARow.CreateDateTime()),
                    f.DateTime("U_TIMESTAMP", ARow.UpdateDateTime()),
                    f.DateTime("R_TIMESTAMP", ARow.ReplDateTime()),
                    f.Text("PARENTCLASSNAME", ARow.ParentClassName()),
                    f.Integer("ELEMENTCOUNT", -1));
}

void ReadRow(TIBQuery& AQuery, TKVStorage& ARow) {
    const TKVRowFields f(AQuery);
    ARow.UpdateData(
        f.Key("PARENTID", ARow.ParentId()), f.Text("S_NAME", ARow.Name()),
        f.Text("S_DESCRIPTION", ARow.Description()), f.Text("S_CELLLIST", ARow.CellList()),
        f.IntegerOrNull("ICONID", -1, ARow.IconId()),
        f.DateTime("C_TIMESTAMP", ARow.CreateDateTime()),
        f.DateTime("U_TIMESTAMP", ARow.UpdateDateTime()),
        f.Text("PARENTSTORAGENAME", ARow.ParentStorageName()), f.Integer("ELEMENTCOUNT", -1));
}

void ReadRow(TIBQuery& AQuery, TKVBaseParam& ARow) {
    const TKVRowFields f(AQuery);
    if (f.Has("CLASSID"))
        ARow.UpdateClassData(f.Key("CLASSDBID"), f.Key("CLASSID"),
                             f.Text("CLASSNAME", ARow.BPClassName()));
    ARow.UpdateData(f.Key("UNITDBID", ARow.UnitDBId()), f.Key("UNITID", ARow.UnitId()),
                    f.Text("S_NAME", ARow.Name()), f.Text("S_DESCRIPTION", ARow.Description()),
                    IndexToSelectValueType(f.Integer("V_SELVALTYPE", ARow.SelectValueType())),
                    f.Text("UPID", ARow.UPId()), f.DateTime("C_TIMESTAMP", ARow.CreateDateTime()),
                    f.DateTime("U_TIMESTAMP", ARow.UpdateDateTime()),
                    f.DateTime("R_TIMESTAMP", ARow.ReplDateTime()),
                    f.Text("CLASSNAME", ARow.BPClassName()),
                    f.Text("UNITPREFIX", ARow.UnitPrefix()));
}

void ReadRow(TIBQuery& AQuery, TKVParam& ARow) {
    const TKVRowFields f(AQuery);
    // A nullable value: the column's number, NULL when not in use; the row's own when the
    // query does not select the column.
    const auto nullable = [&f](const char* AName, bool AUsage, double AValue) {
        if (!f.Has(AName))
            return AUsage ? QVariant(AValue) : QVariant();
        return f.NotNull(AName, false) ? QVariant(f.Float(AName)) : QVariant();
    };
    ARow.UpdateData(
        f.Key("BASEPARAMDBID", ARow.BaseParamDBId()), f.Key("BASEPARAMID", ARow.BaseParamId()),
        f.Key("UNITDBID", ARow.UnitDBId()), f.Key("UNITID", ARow.UnitId()),
        f.Text("S_NAME", ARow.Name()), f.Text("S_DESCRIPTION", ARow.Description()),
        nullable("V_MINVAL", ARow.UsageMinVal(), ARow.MinVal()),
        nullable("V_TYPEVAL", ARow.UsageTypeVal(), ARow.TypeVal()),
        nullable("V_MAXVAL", ARow.UsageMaxVal(), ARow.MaxVal()),
        f.Text("S_STRVAL", ARow.TextVal()),
        nullable("V_BOOLVAL", ARow.UsageBoolVal(), ARow.BoolVal() ? 1 : 0),
        f.Text("S_TESTCOND", ARow.TestCond()), f.Text("UPID", ARow.UPId()),
        static_cast<quint32>(f.Integer("V_FLAG", static_cast<qint32>(ARow.Flag()))),
        f.DateTime("C_TIMESTAMP", ARow.CreateDateTime()),
        f.DateTime("U_TIMESTAMP", ARow.UpdateDateTime()),
        f.DateTime("R_TIMESTAMP", ARow.ReplDateTime()),
        f.Text("ELEMENTTYPENAME", ARow.ElementTypeName()),
        f.Key("ELEMENTTYPECLASSDBID", ARow.ElementTypeClassDBId()),
        f.Key("ELEMENTTYPECLASSID", ARow.ElementTypeClassId()), ARow.ElementTypeClassName(),
        f.Text("UNITPREFIX", ARow.UnitPrefix()), f.Text("BASEPARAMNAME", ARow.BaseParamName()),
        f.Key("BASEPARAMCLASSDBID", ARow.BaseParamClassDBId()),
        f.Key("BASEPARAMCLASSID", ARow.BaseParamClassId()),
        f.Text("BASEPARAMCLASSNAME", ARow.BaseParamClassName()));
}

void ReadRow(TIBQuery& AQuery, TKVElementType& ARow) {
    const TKVRowFields f(AQuery);
    ARow.UpdateData(
        f.Key("CLASSDBID", ARow.ETClassDBId()), f.Key("CLASSID", ARow.ETClassId()),
        f.Key("CASEDBID", ARow.CaseDBId()), f.Key("CASEID", ARow.CaseId()),
        f.Key("MAKERDBID", ARow.MakerDBId()), f.Key("MAKERID", ARow.MakerId()),
        f.Text("S_TYPENAME", ARow.TypeName()), f.Text("S_MARKING", ARow.Marking()),
        f.Text("S_DESCRIPTION", ARow.Description()), f.Text("S_DATASHEET", ARow.DataSheet()),
        f.DateTime("C_TIMESTAMP", ARow.CreateDateTime()),
        f.DateTime("U_TIMESTAMP", ARow.UpdateDateTime()),
        f.DateTime("R_TIMESTAMP", ARow.ReplDateTime()), f.Text("CLASSNAME", ARow.ETClassName()),
        f.Text("CASENAME", ARow.CaseName()),
        IndexToMountType(f.Integer("CASEMOUNTTYPE", ARow.CaseMountType())),
        f.Text("MAKERNAME", ARow.MakerName()),
        f.IntegerOrNull("CLASSICONID", -1, ARow.ElementTypeIconId()),
        IndexToPttVisualType(f.Integer("CASE_CV_PTTTYPE", ARow.CasePttVisualType())),
        f.NotNull("PIN_EXISTS", ARow.PinExists()));
}

void ReadRow(TIBQuery& AQuery, TKVElementAvail& ARow) {
    const TKVRowFields f(AQuery);
    const quint32 typeDBId = f.Key("ELEMENTTYPEDBID", ARow.ElementTypeDBId());
    const quint32 typeId = f.Key("ELEMENTTYPEID", ARow.ElementTypeId());
    QString name = ARow.ElementTypeName();
    if (typeId != 0 && f.Has("ELEMENTTYPENAME"))
        name = f.Text("ELEMENTTYPENAME");
    else if (typeId == 0 && f.Has("S_TYPENAME"))
        name = f.Text("S_TYPENAME");
    QVariant nominal = ARow.UsageNominal() ? QVariant(ARow.Nominal()) : QVariant();
    if (const TIBField* field = AQuery.FindField("V_NOMINAL"))
        nominal = field->IsNull() ? QVariant() : QVariant(field->AsDouble());
    // A count that is NULL stays unknown (NaN), so that lists show it empty rather than as 0.
    double count = f.Float("V_COUNT_FLOAT", ARow.Count());
    if (f.Has("V_COUNT_FLOAT") && !f.NotNull("V_COUNT_FLOAT", false))
        count = std::numeric_limits<double>::quiet_NaN();
    // A unit without a factor counts as the base unit.
    double factor = f.Float("UNITNOMFACTOR", ARow.UnitNominalFactor());
    if (f.Has("UNITNOMFACTOR") && !f.NotNull("UNITNOMFACTOR", false))
        factor = 1.0;
    ARow.UpdateData(
        typeDBId, typeId, f.Key("UNITNOMDBID", ARow.UnitNominalDBId()),
        f.Key("UNITNOMID", ARow.UnitNominalId()), factor,
        f.Key("UNITCOUNTDBID", ARow.UnitCountDBId()), f.Key("UNITCOUNTID", ARow.UnitCountId()),
        f.Key("STORAGEID", ARow.StorageId()), nominal, count,
        f.Float("V_NEED_FLOAT", ARow.Need()), f.Text("S_MARKING", ARow.Marking()),
        f.Text("S_CELL", ARow.Cell()), f.Text("S_TEXT", ARow.Text()),
        static_cast<quint32>(f.Integer("V_FLAG", static_cast<qint32>(ARow.Flag()))),
        f.DateTime("C_TIMESTAMP", ARow.CreateDateTime()),
        f.DateTime("U_TIMESTAMP", ARow.UpdateDateTime()), f.Key("CLASSDBID", ARow.EAClassDBId()),
        f.Key("CLASSID", ARow.EAClassId()), f.Text("CLASSNAME", ARow.EAClassName()), name,
        f.IntegerOrNull("ELEMENTTYPEICONID", -1, ARow.ElementTypeIconId()),
        f.Text("UNITNOMPREFIX", ARow.UnitPrefixNominal()),
        f.Text("UNITCOUNTPREFIX", ARow.UnitPrefixCount()),
        f.Text("STORAGENAME", ARow.StorageName()), f.Key("CASEDBID", ARow.CaseDBId()),
        f.Key("CASEID", ARow.CaseId()), f.Text("CASETYPENAME", ARow.CaseTypeName()),
        IndexToMountType(f.Integer("CASEMOUNTTYPE", ARow.CaseMountType())),
        IndexToPttVisualType(f.Integer("CASE_CV_PTTTYPE", ARow.CasePttVisualType())),
        f.Float("PROJECT_RESERVED", ARow.Reserved()), f.NotNull("PIN_EXISTS", ARow.PinExists()));
}

void ReadRow(TIBQuery& AQuery, TKVProject& ARow) {
    const TKVRowFields f(AQuery);
    const auto date = [&](const char* AName, TDateTime AMissing) {
        const TIBField* field = AQuery.FindField(AName);
        if (!field)
            return AMissing;
        return field->IsNull() ? TDateTime(0) : field->AsDateTime();
    };
    ARow.UpdateData(f.Text("S_NAME", ARow.Name()), f.Text("S_DESCRIPTION", ARow.Description()),
                    f.Integer("V_COUNTDEV_SCHEDULED", ARow.CountDeviceScheduled()),
                    f.Integer("V_COUNTDEV_COMPLETE", ARow.CountDeviceComplete()),
                    f.Text("S_CATEGORY", ARow.Category()), date("D_BEGIN", ARow.DateBegin()),
                    date("D_END", ARow.DateEnd()), f.NotNull("F_PROGRESS", ARow.InProgress()),
                    f.IntegerOrNull("ICONID", -1, ARow.IconId()),
                    f.DateTime("C_TIMESTAMP", ARow.CreateDateTime()),
                    f.DateTime("U_TIMESTAMP", ARow.UpdateDateTime()));
}

void ReadRow(TIBQuery& AQuery, TKVProjectItem& ARow) {
    const TKVRowFields f(AQuery);
    const quint32 typeDBId = f.Key("ELEMENTTYPEDBID", ARow.ElementTypeDBId());
    const quint32 typeId = f.Key("ELEMENTTYPEID", ARow.ElementTypeId());
    const quint32 availId = f.Key("ELEMENTAVAILID", ARow.ElementAvailId());
    QString name = ARow.ElementTypeName();
    if (typeId != 0 && f.Has("TET_ELEMENTTYPENAME"))
        name = f.Text("TET_ELEMENTTYPENAME");
    else if (typeId == 0 && f.Has("TEA_ELEMENTTYPENAME"))
        name = f.Text("TEA_ELEMENTTYPENAME");
    const auto number = [&](const char* AName, bool AUsed, double AValue) {
        if (const TIBField* field = AQuery.FindField(AName))
            return field->IsNull() ? QVariant() : QVariant(field->AsDouble());
        return AUsed ? QVariant(AValue) : QVariant();
    };
    const qint32 icon = f.IntegerOrNull("ELEMENTTYPEICONID", -1, ARow.ElementTypeIconId());
    ARow.UpdateElementTypeData(typeDBId, typeId, icon);
    ARow.UpdateData(availId, name, f.Float("V_COUNT_FLOAT", ARow.Count()),
                    f.Text("S_TEXT", ARow.Text()), f.DateTime("C_TIMESTAMP", ARow.CreateDateTime()),
                    f.DateTime("U_TIMESTAMP", ARow.UpdateDateTime()),
                    typeId != 0 ? f.Key("CLASSDBID", ARow.PIClassDBId()) : 0,
                    typeId != 0 ? f.Key("CLASSID", ARow.PIClassId()) : 0,
                    typeId != 0 ? f.Text("CLASSNAME", ARow.PIClassName()) : QString(), icon,
                    number("COUNTAVAIL", ARow.UsageAvail(), ARow.CountAvail()),
                    f.Key("UNITCOUNTDBID", ARow.UnitCountDBId()),
                    f.Key("UNITCOUNTID", ARow.UnitCountId()),
                    f.Text("UNITCOUNTPREFIX", ARow.UnitCountPrefix()),
                    number("NOMINAL", ARow.UsageNominal(), ARow.Nominal()),
                    f.Key("UNITNOMDBID", ARow.UnitNominalDBId()),
                    f.Key("UNITNOMID", ARow.UnitNominalId()),
                    f.Text("UNITNOMPREFIX", ARow.UnitNominalPrefix()),
                    f.Text("CASETYPENAME", ARow.CaseTypeName()));
    if (f.Has("PROJECTNAME") || f.Has("PROJECTINPROGRESS"))
        ARow.UpdateProjectData(f.Text("PROJECTNAME", ARow.ProjectName()),
                               f.NotNull("PROJECTINPROGRESS", ARow.ProjectInProgress()));
}

void ReadRow(TIBQuery& AQuery, TKVNote& ARow) {
    const TKVRowFields f(AQuery);
    ARow.UpdateData(f.IntegerOrNull("V_MARKER", -1, ARow.Marker()), f.Text("S_TEXT", ARow.Text()),
                    f.DateTime("C_TIMESTAMP", ARow.CreateDateTime()),
                    f.DateTime("U_TIMESTAMP", ARow.UpdateDateTime()));
}

// --------------------------------------------------------------------------- new rows

namespace {

template <class TRow> std::unique_ptr<TRow> NewDBRow(TIBQuery& AQuery) {
    const TKVRowFields f(AQuery);
    auto row = std::make_unique<TRow>(f.Key("DBID"), f.Key("ID"));
    ReadRow(AQuery, *row);
    return row;
}

template <class TRow> std::unique_ptr<TRow> NewLocalRow(TIBQuery& AQuery) {
    auto row = std::make_unique<TRow>(TKVRowFields(AQuery).Key("ID"));
    ReadRow(AQuery, *row);
    return row;
}

} // namespace

template <> std::unique_ptr<TKVUnit> NewRowFromQuery<TKVUnit>(TIBQuery& AQuery) {
    return NewDBRow<TKVUnit>(AQuery);
}
template <> std::unique_ptr<TKVMaker> NewRowFromQuery<TKVMaker>(TIBQuery& AQuery) {
    return NewDBRow<TKVMaker>(AQuery);
}
template <> std::unique_ptr<TKVCase> NewRowFromQuery<TKVCase>(TIBQuery& AQuery) {
    return NewDBRow<TKVCase>(AQuery);
}
template <> std::unique_ptr<TKVPin> NewRowFromQuery<TKVPin>(TIBQuery& AQuery) {
    const TKVRowFields f(AQuery);
    auto row = std::make_unique<TKVPin>(f.Key("DBID"), f.Key("ID"), f.Key("ELEMENTTYPEDBID"),
                                        f.Key("ELEMENTTYPEID"));
    ReadRow(AQuery, *row);
    return row;
}
template <> std::unique_ptr<TKVClass> NewRowFromQuery<TKVClass>(TIBQuery& AQuery) {
    return NewDBRow<TKVClass>(AQuery);
}
template <> std::unique_ptr<TKVSupplier> NewRowFromQuery<TKVSupplier>(TIBQuery& AQuery) {
    return NewLocalRow<TKVSupplier>(AQuery);
}
template <>
std::unique_ptr<TKVElementAnalog> NewRowFromQuery<TKVElementAnalog>(TIBQuery& AQuery) {
    return NewDBRow<TKVElementAnalog>(AQuery);
}
template <>
std::unique_ptr<TKVElementSupplier> NewRowFromQuery<TKVElementSupplier>(TIBQuery& AQuery) {
    const TKVRowFields f(AQuery);
    auto row = std::make_unique<TKVElementSupplier>(f.Key("ID"), f.Key("ELEMENTTYPEDBID"),
                                                    f.Key("ELEMENTTYPEID"));
    ReadRow(AQuery, *row);
    return row;
}
template <> std::unique_ptr<TKVStorage> NewRowFromQuery<TKVStorage>(TIBQuery& AQuery) {
    return NewLocalRow<TKVStorage>(AQuery);
}
template <> std::unique_ptr<TKVElementType> NewRowFromQuery<TKVElementType>(TIBQuery& AQuery) {
    const TKVRowFields f(AQuery);
    auto row = std::make_unique<TKVElementType>(f.Key("DBID"), f.Key("ID"), f.Key("CLASSDBID"),
                                                f.Key("CLASSID"));
    ReadRow(AQuery, *row);
    return row;
}
template <> std::unique_ptr<TKVParam> NewRowFromQuery<TKVParam>(TIBQuery& AQuery) {
    const TKVRowFields f(AQuery);
    auto row = std::make_unique<TKVParam>(f.Key("DBID"), f.Key("ID"), f.Key("ELEMENTTYPEDBID"),
                                          f.Key("ELEMENTTYPEID"));
    ReadRow(AQuery, *row);
    return row;
}
template <> std::unique_ptr<TKVBaseParam> NewRowFromQuery<TKVBaseParam>(TIBQuery& AQuery) {
    const TKVRowFields f(AQuery);
    auto row = std::make_unique<TKVBaseParam>(f.Key("DBID"), f.Key("ID"), f.Key("CLASSDBID"),
                                              f.Key("CLASSID"));
    ReadRow(AQuery, *row);
    return row;
}
template <> std::unique_ptr<TKVElementAvail> NewRowFromQuery<TKVElementAvail>(TIBQuery& AQuery) {
    const TKVRowFields f(AQuery);
    auto row = std::make_unique<TKVElementAvail>(f.Key("ID"), f.Key("ELEMENTTYPEDBID"),
                                                 f.Key("ELEMENTTYPEID"));
    ReadRow(AQuery, *row);
    return row;
}
template <> std::unique_ptr<TKVProject> NewRowFromQuery<TKVProject>(TIBQuery& AQuery) {
    return NewLocalRow<TKVProject>(AQuery);
}
template <> std::unique_ptr<TKVProjectItem> NewRowFromQuery<TKVProjectItem>(TIBQuery& AQuery) {
    const TKVRowFields f(AQuery);
    auto row = std::make_unique<TKVProjectItem>(f.Key("ID"), f.Key("PROJECTID"));
    ReadRow(AQuery, *row);
    return row;
}
template <> std::unique_ptr<TKVNote> NewRowFromQuery<TKVNote>(TIBQuery& AQuery) {
    return NewLocalRow<TKVNote>(AQuery);
}
