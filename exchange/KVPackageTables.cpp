#include "exchange/KVPackageTables.h"

#include "platform/ib/IBQuery.h"

#include <QHash>

#include <array>

namespace {

// Shorthands of the column kinds that recur in every table.
constexpr TKVPackageColumn Key(const char* AName) {
    return {AName, ctInteger, vrZeroIfNull, vrZeroIfNull};
}
constexpr TKVPackageColumn Int(const char* AName) {
    return {AName, ctInteger, vrCopy, vrCopy};
}
constexpr TKVPackageColumn PairInt(const char* AName) {
    return {AName, ctInteger, vrPair, vrPair};
}
constexpr TKVPackageColumn Float(const char* AName) {
    return {AName, ctFloat, vrCopy, vrCopy};
}
constexpr TKVPackageColumn Text(const char* AName) {
    return {AName, ctText, vrCopy, vrCopy};
}
// A name that is never NULL in a written row.
constexpr TKVPackageColumn Name(const char* AName) {
    return {AName, ctText, vrEmptyIfNull, vrEmptyIfNull};
}
constexpr TKVPackageColumn Picture(const char* AName) {
    return {AName, ctBlob, vrCopy, vrCopy};
}
constexpr TKVPackageColumn Created() {
    return {"C_TIMESTAMP", ctDateTime, vrCopy, vrDayZeroIfNull};
}
constexpr TKVPackageColumn Updated() {
    return {"U_TIMESTAMP", ctDateTime, vrCopy, vrCopy};
}

// A pair by column names; ATest (export) and AImportTest name the column whose NULL makes the
// pair NULL, an empty AImportTest: only both NULL.
struct TPairNames {
    const char* First;
    const char* Second;
    const char* ExportTest;
    const char* ImportTest;
};

struct TReferenceNames {
    const char* DBId;
    const char* Id;
    TKVPackageTable Table;
    bool Required;
};

TKVPackageTableDesc MakeDesc(TKVPackageTable ATable, const char* AName, const char* ACreateSQL,
                             const char* AObjectName, TKVItemType AItemType,
                             std::vector<TKVPackageColumn> AColumns,
                             std::initializer_list<TPairNames> APairs = {},
                             std::initializer_list<TReferenceNames> AReferences = {}) {
    TKVPackageTableDesc d;
    d.Table = ATable;
    d.Name = QLatin1String(AName);
    d.CreateSQL = QLatin1String(ACreateSQL);
    d.ObjectName = QString::fromUtf8(AObjectName);
    d.ItemType = AItemType;
    if (ATable != ptSysVar)
        d.Generator = QStringLiteral("GEN_%1_ID").arg(d.Name);
    d.Columns = std::move(AColumns);
    const auto index = [&d](const char* AColumn) {
        return AColumn && *AColumn ? d.ColumnIndex(QLatin1String(AColumn)) : -1;
    };
    for (const TPairNames& p : APairs)
        d.Pairs.push_back(
            {index(p.First), index(p.Second), index(p.ExportTest), index(p.ImportTest)});
    for (const TReferenceNames& r : AReferences)
        d.References.push_back({index(r.DBId), index(r.Id), r.Table, r.Required});
    return d;
}

std::array<TKVPackageTableDesc, ptCount> MakeDescs() {
    std::array<TKVPackageTableDesc, ptCount> d;
    d[ptSysVar] = MakeDesc(
        ptSysVar, "SYS_VAR",
        "CREATE TABLE SYS_VAR (ID INTEGER NOT NULL, S_PARAM VARCHAR(128) CHARACTER SET WIN1251 "
        "NOT NULL, V_INTEGER INTEGER, V_FLOAT DOUBLE PRECISION, V_STRING VARCHAR(255) CHARACTER "
        "SET WIN1251, V_TIMESTAMP TIMESTAMP);",
        "", itSysVar,
        {Int("ID"),
         Text("S_PARAM"),
         Int("V_INTEGER"),
         Float("V_FLOAT"),
         Text("V_STRING"),
         {"V_TIMESTAMP", ctDateTime, vrCopy, vrCopy}});
    d[ptClass] = MakeDesc(
        ptClass, "T_CLASS",
        "CREATE TABLE T_CLASS (DBID INTEGER NOT NULL, ID INTEGER NOT NULL, PARENTDBID INTEGER, "
        "PARENTID INTEGER, S_NAME VARCHAR(128) CHARACTER SET WIN1251 NOT NULL, S_DESCRIPTION "
        "VARCHAR(255) CHARACTER SET WIN1251, ICONID INTEGER, V_FLAG INTEGER, C_TIMESTAMP "
        "TIMESTAMP, U_TIMESTAMP TIMESTAMP);",
        "Класс", itClass,
        {Key("DBID"), Key("ID"), PairInt("PARENTDBID"), PairInt("PARENTID"), Name("S_NAME"),
         Text("S_DESCRIPTION"), Int("ICONID"), Key("V_FLAG"), Created(), Updated()},
        {{"PARENTDBID", "PARENTID", "PARENTID", nullptr}},
        {{"PARENTDBID", "PARENTID", ptClass, false}});
    d[ptCase] = MakeDesc(
        ptCase, "T_CASE",
        "CREATE TABLE T_CASE (DBID INTEGER NOT NULL, ID INTEGER NOT NULL, S_TYPENAME "
        "VARCHAR(128) NOT NULL, S_DESCRIPTION VARCHAR(255), V_PINCOUNT SMALLINT, V_MOUNTTYPE "
        "NUMERIC(2,0), B_IMAGE BLOB SUB_TYPE 0, V_CV_PTTTYPE NUMERIC(2,0), V_CV_PTTPRM INTEGER, "
        "V_FLAG INTEGER, C_TIMESTAMP TIMESTAMP, U_TIMESTAMP TIMESTAMP);",
        "Корпус", itCase,
        {Key("DBID"), Key("ID"), Name("S_TYPENAME"), Text("S_DESCRIPTION"), Key("V_PINCOUNT"),
         Int("V_MOUNTTYPE"), Picture("B_IMAGE"), PairInt("V_CV_PTTTYPE"), PairInt("V_CV_PTTPRM"),
         Key("V_FLAG"), Created(), Updated()},
        {{"V_CV_PTTTYPE", "V_CV_PTTPRM", "V_CV_PTTTYPE", "V_CV_PTTTYPE"}});
    d[ptMaker] = MakeDesc(
        ptMaker, "T_MAKER",
        "CREATE TABLE T_MAKER (DBID INTEGER NOT NULL, ID INTEGER NOT NULL, S_NAME VARCHAR(128) "
        "CHARACTER SET WIN1251 NOT NULL, S_URL VARCHAR(255) CHARACTER SET WIN1251, "
        "S_DESCRIPTION VARCHAR(2048) CHARACTER SET WIN1251, V_FLAG INTEGER, C_TIMESTAMP "
        "TIMESTAMP, U_TIMESTAMP TIMESTAMP);",
        "Производитель", itMaker,
        {Key("DBID"), Key("ID"), Name("S_NAME"), Text("S_URL"), Text("S_DESCRIPTION"),
         Key("V_FLAG"), Created(), Updated()});
    d[ptUnit] = MakeDesc(
        ptUnit, "T_UNIT",
        "CREATE TABLE T_UNIT (DBID INTEGER NOT NULL, ID INTEGER NOT NULL, S_PREFIX VARCHAR(16) "
        "NOT NULL, S_NAMEDEF VARCHAR(16), S_NAME VARCHAR(128), S_DESCRIPTION VARCHAR(255), "
        "V_FACTOR DOUBLE PRECISION, V_FLAG INTEGER, C_TIMESTAMP TIMESTAMP, U_TIMESTAMP "
        "TIMESTAMP);",
        "Единица измерения", itUnit,
        {Key("DBID"), Key("ID"), Name("S_PREFIX"), Text("S_NAMEDEF"), Text("S_NAME"),
         Text("S_DESCRIPTION"), Float("V_FACTOR"), Key("V_FLAG"), Created(), Updated()});
    d[ptBaseParam] = MakeDesc(
        ptBaseParam, "T_BASE_PARAM",
        "CREATE TABLE T_BASE_PARAM (DBID INTEGER NOT NULL, ID INTEGER NOT NULL, CLASSDBID "
        "INTEGER NOT NULL, CLASSID INTEGER NOT NULL, UNITDBID INTEGER, UNITID INTEGER, S_NAME "
        "VARCHAR(128) NOT NULL, S_DESCRIPTION VARCHAR(255), V_SELVALTYPE NUMERIC(2,0), UPID "
        "VARCHAR(16), V_FLAG INTEGER, C_TIMESTAMP TIMESTAMP, U_TIMESTAMP TIMESTAMP);",
        "Базовый параметр", itBaseParam,
        {Key("DBID"), Key("ID"), Key("CLASSDBID"), Key("CLASSID"), PairInt("UNITDBID"),
         PairInt("UNITID"), Name("S_NAME"), Text("S_DESCRIPTION"), Int("V_SELVALTYPE"),
         Text("UPID"), Key("V_FLAG"), Created(), Updated()},
        {{"UNITDBID", "UNITID", "UNITID", nullptr}},
        {{"CLASSDBID", "CLASSID", ptClass, true}, {"UNITDBID", "UNITID", ptUnit, false}});
    d[ptElementType] = MakeDesc(
        ptElementType, "T_ELEMENT_TYPE",
        "CREATE TABLE T_ELEMENT_TYPE (DBID INTEGER NOT NULL, ID INTEGER NOT NULL, CLASSDBID "
        "INTEGER NOT NULL, CLASSID INTEGER NOT NULL, CASEDBID INTEGER, CASEID INTEGER, MAKERDBID "
        "INTEGER, MAKERID INTEGER, S_TYPENAME VARCHAR(128) NOT NULL, S_MARKING VARCHAR(128), "
        "S_DESCRIPTION VARCHAR(2048), B_IMAGE BLOB SUB_TYPE 0, S_DATASHEET VARCHAR(255), V_FLAG "
        "INTEGER, C_TIMESTAMP TIMESTAMP, U_TIMESTAMP TIMESTAMP);",
        "Тип элемента", itElementType,
        {Key("DBID"), Key("ID"), Key("CLASSDBID"), Key("CLASSID"), PairInt("CASEDBID"),
         PairInt("CASEID"), PairInt("MAKERDBID"), PairInt("MAKERID"), Name("S_TYPENAME"),
         Text("S_MARKING"), Text("S_DESCRIPTION"), Picture("B_IMAGE"), Text("S_DATASHEET"),
         Key("V_FLAG"), Created(), Updated()},
        {{"CASEDBID", "CASEID", "CASEDBID", nullptr}, {"MAKERDBID", "MAKERID", "MAKERID", nullptr}},
        {{"CLASSDBID", "CLASSID", ptClass, true},
         {"CASEDBID", "CASEID", ptCase, false},
         {"MAKERDBID", "MAKERID", ptMaker, false}});
    d[ptParam] = MakeDesc(
        ptParam, "T_PARAM",
        "CREATE TABLE T_PARAM (DBID INTEGER NOT NULL, ID INTEGER NOT NULL, ELEMENTTYPEDBID "
        "INTEGER NOT NULL, ELEMENTTYPEID INTEGER NOT NULL, BASEPARAMDBID INTEGER, BASEPARAMID "
        "INTEGER, UNITDBID INTEGER, UNITID INTEGER, S_NAME VARCHAR(128) NOT NULL, S_DESCRIPTION "
        "VARCHAR(255), V_MINVAL DOUBLE PRECISION, V_TYPEVAL DOUBLE PRECISION, V_MAXVAL DOUBLE "
        "PRECISION, S_STRVAL VARCHAR(255), V_BOOLVAL NUMERIC(1,0), S_TESTCOND VARCHAR(1024), "
        "UPID VARCHAR(16), V_FLAG INTEGER, C_TIMESTAMP TIMESTAMP, U_TIMESTAMP TIMESTAMP);",
        "Параметр", itParam,
        {Key("DBID"),
         Key("ID"),
         Key("ELEMENTTYPEDBID"),
         Key("ELEMENTTYPEID"),
         PairInt("BASEPARAMDBID"),
         PairInt("BASEPARAMID"),
         PairInt("UNITDBID"),
         PairInt("UNITID"),
         Name("S_NAME"),
         Text("S_DESCRIPTION"),
         Float("V_MINVAL"),
         Float("V_TYPEVAL"),
         Float("V_MAXVAL"),
         {"S_STRVAL", ctText, vrCopy, vrEmptyIfNull},
         Int("V_BOOLVAL"),
         Text("S_TESTCOND"),
         Text("UPID"),
         Key("V_FLAG"),
         Created(),
         Updated()},
        {{"BASEPARAMDBID", "BASEPARAMID", "BASEPARAMID", nullptr},
         {"UNITDBID", "UNITID", "UNITID", nullptr}},
        {{"ELEMENTTYPEDBID", "ELEMENTTYPEID", ptElementType, true},
         {"BASEPARAMDBID", "BASEPARAMID", ptBaseParam, false},
         {"UNITDBID", "UNITID", ptUnit, false}});
    d[ptPin] = MakeDesc(
        ptPin, "T_PIN",
        "CREATE TABLE T_PIN (DBID INTEGER NOT NULL, ID INTEGER NOT NULL, ELEMENTTYPEDBID INTEGER "
        "NOT NULL, ELEMENTTYPEID INTEGER NOT NULL, V_NUM SMALLINT NOT NULL, S_NAME VARCHAR(128) "
        "NOT NULL, S_DESCRIPTION VARCHAR(255), V_ASSIGN NUMERIC(2,0), V_FLAG INTEGER, "
        "C_TIMESTAMP TIMESTAMP, U_TIMESTAMP TIMESTAMP);",
        "Вывод", itPin,
        {Key("DBID"), Key("ID"), Key("ELEMENTTYPEDBID"), Key("ELEMENTTYPEID"), Key("V_NUM"),
         Name("S_NAME"), Text("S_DESCRIPTION"), Int("V_ASSIGN"), Key("V_FLAG"), Created(),
         Updated()},
        {}, {{"ELEMENTTYPEDBID", "ELEMENTTYPEID", ptElementType, true}});
    d[ptElementAnalog] = MakeDesc(
        ptElementAnalog, "T_ELEMENT_ANALOG",
        "CREATE TABLE T_ELEMENT_ANALOG(DBID INTEGER NOT NULL, ID INTEGER NOT NULL, "
        "PELEMENTTYPEDBID INTEGER NOT NULL, PELEMENTTYPEID INTEGER NOT NULL, AELEMENTTYPEDBID "
        "INTEGER NOT NULL, AELEMENTTYPEID INTEGER NOT NULL, V_FUNCTIONAL NUMERIC(1,0), "
        "V_FEATURES NUMERIC(1,0), V_CASE NUMERIC(1,0), V_PINOUT NUMERIC(1,0), S_TEXT "
        "VARCHAR(255), V_FLAG INTEGER, C_TIMESTAMP TIMESTAMP, U_TIMESTAMP TIMESTAMP);",
        "Аналог элемента", itElementAnalog,
        {Key("DBID"), Key("ID"), Key("PELEMENTTYPEDBID"), Key("PELEMENTTYPEID"),
         Key("AELEMENTTYPEDBID"), Key("AELEMENTTYPEID"), Int("V_FUNCTIONAL"), Int("V_FEATURES"),
         Int("V_CASE"), Int("V_PINOUT"), Text("S_TEXT"), Key("V_FLAG"), Created(), Updated()},
        {},
        {{"PELEMENTTYPEDBID", "PELEMENTTYPEID", ptElementType, true},
         {"AELEMENTTYPEDBID", "AELEMENTTYPEID", ptElementType, true}});
    return d;
}

const std::array<TKVPackageTableDesc, ptCount>& Descs() {
    static const std::array<TKVPackageTableDesc, ptCount> descs = MakeDescs();
    return descs;
}

// The short alias of a table in the referring-key queries ("T_BASE_PARAM" gives "TBP").
QString TableAlias(const QString& ATableName) {
    QString alias;
    for (const QString& part : ATableName.split(QLatin1Char('_')))
        if (!part.isEmpty())
            alias += part.at(0);
    return alias;
}

} // namespace

// ------------------------------------------------------------------------ TKVPackageTableDesc

int TKVPackageTableDesc::ColumnIndex(const QString& AName) const {
    for (int i = 0; i < ColumnCount(); ++i)
        if (AName.compare(QLatin1String(Columns[static_cast<size_t>(i)].Name),
                          Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString TKVPackageTableDesc::ColumnList() const {
    QStringList names;
    for (const TKVPackageColumn& c : Columns)
        names << QLatin1String(c.Name);
    return names.join(QStringLiteral(", "));
}

QString TKVPackageTableDesc::SelectSQL(const QString& ATail) const {
    QString sql = QStringLiteral("SELECT %1 FROM %2").arg(ColumnList(), Name);
    if (!ATail.isEmpty())
        sql += QLatin1Char(' ') + ATail;
    return sql;
}

QString TKVPackageTableDesc::InsertSQL(bool AReplTimestamp) const {
    QStringList names;
    QStringList params;
    for (const TKVPackageColumn& c : Columns) {
        names << QLatin1String(c.Name);
        params << QStringLiteral(":VAR_") + QLatin1String(c.Name);
    }
    if (AReplTimestamp) {
        names << QStringLiteral("R_TIMESTAMP");
        params << QStringLiteral(":VAR_R_TIMESTAMP");
    }
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3);")
        .arg(Name, names.join(QStringLiteral(", ")), params.join(QStringLiteral(", ")));
}

QString TKVPackageTableDesc::UpdateSQL() const {
    QStringList sets;
    for (int i = 0; i < ColumnCount(); ++i) {
        if (i == DBIdColumn || i == IdColumn)
            continue;
        const QLatin1String name(Columns[static_cast<size_t>(i)].Name);
        sets << QStringLiteral("%1 = :VAR_%1").arg(name);
    }
    sets << QStringLiteral("R_TIMESTAMP = :VAR_R_TIMESTAMP");
    return QStringLiteral("UPDATE %1 SET %2 WHERE DBID = :VAR_DBID AND ID = :VAR_ID;")
        .arg(Name, sets.join(QStringLiteral(", ")));
}

QString TKVPackageTableDesc::DeleteSQL() const {
    return QStringLiteral("DELETE FROM %1 WHERE DBID = :VAR_DBID;").arg(Name);
}

QString TKVPackageTableDesc::CountSQL() const {
    return QStringLiteral("SELECT COUNT(ID) FROM %1 WHERE DBID = :VAR_DBID;").arg(Name);
}

QString TKVPackageTableDesc::PresenceSQL() const {
    return QStringLiteral("SELECT FIRST 1 SKIP 0 C_TIMESTAMP, U_TIMESTAMP FROM %1 WHERE DBID = "
                          ":VAR_DBID AND ID = :VAR_ID;")
        .arg(Name);
}

QString TKVPackageTableDesc::ExistsSQL() const {
    return QStringLiteral("SELECT 1 FROM RDB$DATABASE WHERE EXISTS (SELECT ID FROM %1 WHERE DBID "
                          "= :VAR_DBID AND ID = :VAR_ID)")
        .arg(Name);
}

QString TKVPackageTableDesc::GeneratorSQL() const {
    return QStringLiteral("SELECT GEN_ID(%1, 0) FROM RDB$DATABASE;").arg(Generator);
}

const TKVPackageTableDesc& PackageTableDesc(TKVPackageTable ATable) {
    return Descs().at(static_cast<size_t>(ATable));
}

TKVPackageTable PackageTableOfItemType(TKVItemType AItemType) {
    for (const TKVPackageTableDesc& d : Descs())
        if (d.ItemType == AItemType)
            return d.Table;
    return ptCount;
}

QString ReferringKeysSQL(TKVPackageTable ATable) {
    QStringList selects;
    for (const TKVPackageTable table : KVPackageDataTables) {
        if (table == ATable)
            continue;
        const TKVPackageTableDesc& d = PackageTableDesc(table);
        const QString alias = TableAlias(d.Name);
        for (const TKVPackageReference& r : d.References) {
            if (r.Table != ATable)
                continue;
            const QString dbid = alias + QLatin1Char('.') +
                                 QLatin1String(d.Columns[static_cast<size_t>(r.DBIdColumn)].Name);
            const QString id = alias + QLatin1Char('.') +
                               QLatin1String(d.Columns[static_cast<size_t>(r.IdColumn)].Name);
            selects << QStringLiteral("SELECT DISTINCT %1, %2 FROM %3 %4 WHERE %1 IS NOT NULL AND "
                                      "%2 IS NOT NULL")
                           .arg(dbid, id, d.Name, alias);
        }
    }
    if (selects.isEmpty())
        return QString();
    return selects.join(QStringLiteral(" UNION ")) + QLatin1Char(';');
}

// ------------------------------------------------------------------------ TKVPackageRowReader

TKVPackageRowReader::TKVPackageRowReader(const TKVPackageTableDesc& ADesc, TIBQuery& AQuery)
    : FDesc(ADesc) {
    for (int i = 0; i < ADesc.ColumnCount(); ++i)
        FFields.push_back(&AQuery.Fields(i));
}

void TKVPackageRowReader::Read(TKVPackageRow& ARow) const {
    ARow.resize(FFields.size());
    for (size_t i = 0; i < FFields.size(); ++i) {
        const TIBField& f = *FFields[i];
        TKVPackageValue& v = ARow[i];
        v.Null = f.IsNull();
        if (v.Null)
            continue;
        switch (FDesc.Columns[i].Type) {
        case ctInteger:
            v.Int = f.AsInt64();
            break;
        case ctFloat:
            v.Float = f.AsDouble();
            break;
        case ctDateTime:
            v.Float = f.AsDateTime();
            break;
        case ctText:
            v.Text = f.AsString();
            break;
        case ctBlob:
            v.Bytes = f.AsBytes();
            break;
        }
    }
}

// ------------------------------------------------------------------------ TKVPackageRowWriter

TKVPackageRowWriter::TKVPackageRowWriter(const TKVPackageTableDesc& ADesc, TIBQuery& AQuery,
                                         TKVPackageDirection ADirection)
    : FDesc(ADesc), FDirection(ADirection), FPairOf(ADesc.Columns.size(), -1) {
    for (const TKVPackageColumn& c : ADesc.Columns)
        FParams.push_back(AQuery.FindParam(QStringLiteral("VAR_") + QLatin1String(c.Name)));
    FReplTimestamp = AQuery.FindParam(QStringLiteral("VAR_R_TIMESTAMP"));
    for (size_t p = 0; p < ADesc.Pairs.size(); ++p) {
        FPairOf[static_cast<size_t>(ADesc.Pairs[p].First)] = static_cast<int>(p);
        FPairOf[static_cast<size_t>(ADesc.Pairs[p].Second)] = static_cast<int>(p);
    }
}

void TKVPackageRowWriter::Bind(const TKVPackageRow& ARow, TDateTime AReplTimestamp) const {
    for (size_t i = 0; i < FParams.size(); ++i) {
        TIBParam* param = FParams[i];
        if (!param)
            continue;
        const TKVPackageColumn& column = FDesc.Columns[i];
        const TKVPackageValue& v = ARow[i];
        const TKVValueRule rule = FDirection == pdExport ? column.ExportRule : column.ImportRule;
        if (rule == vrPair) {
            const TKVPackagePair& pair = FDesc.Pairs[static_cast<size_t>(FPairOf[i])];
            const int test = FDirection == pdExport ? pair.ExportTest : pair.ImportTest;
            const bool pairNull = test >= 0 ? ARow[static_cast<size_t>(test)].Null
                                            : ARow[static_cast<size_t>(pair.First)].Null &&
                                                  ARow[static_cast<size_t>(pair.Second)].Null;
            if (pairNull)
                param->Clear();
            else
                param->SetAsInt64(v.Null ? 0 : v.Int);
            continue;
        }
        if (v.Null) {
            switch (rule) {
            case vrZeroIfNull:
                param->SetAsInteger(0);
                break;
            case vrEmptyIfNull:
                param->SetAsString(QString());
                break;
            case vrDayZeroIfNull:
                param->SetAsDateTime(0);
                break;
            default:
                param->Clear();
                break;
            }
            continue;
        }
        switch (column.Type) {
        case ctInteger:
            param->SetAsInt64(v.Int);
            break;
        case ctFloat:
            param->SetAsDouble(v.Float);
            break;
        case ctDateTime:
            param->SetAsDateTime(v.Float);
            break;
        case ctText:
            param->SetAsString(v.Text);
            break;
        case ctBlob:
            param->SetAsBytes(v.Bytes);
            break;
        }
    }
    if (FReplTimestamp)
        FReplTimestamp->SetAsDateTime(AReplTimestamp);
}

// ------------------------------------------------------------------------ Class order

std::vector<TKVPackageRow> ClassesParentsFirst(std::vector<TKVPackageRow> ARows) {
    const TKVPackageTableDesc& desc = PackageTableDesc(ptClass);
    const int parentDBId = desc.ColumnIndex(QStringLiteral("PARENTDBID"));
    const int parentId = desc.ColumnIndex(QStringLiteral("PARENTID"));
    QHash<quint64, int> index;
    for (int i = 0; i < static_cast<int>(ARows.size()); ++i) {
        const TKVPackageRow& row = ARows[size_t(i)];
        index.insert(PackageKeyOf(row[TKVPackageTableDesc::DBIdColumn].Key(),
                           row[TKVPackageTableDesc::IdColumn].Key()),
                     i);
    }
    const auto parentOf = [&](int AIndex) {
        const TKVPackageRow& row = ARows[size_t(AIndex)];
        if (row[size_t(parentDBId)].Null && row[size_t(parentId)].Null)
            return -1;
        return index.value(PackageKeyOf(row[size_t(parentDBId)].Key(), row[size_t(parentId)].Key()), -1);
    };
    std::vector<char> placed(ARows.size(), 0);
    std::vector<TKVPackageRow> ordered;
    ordered.reserve(ARows.size());
    std::vector<int> chain;
    for (int i = 0; i < static_cast<int>(ARows.size()); ++i) {
        chain.clear();
        for (int j = i; j >= 0 && !placed[size_t(j)]; j = parentOf(j)) {
            placed[size_t(j)] = 1;
            chain.push_back(j);
        }
        for (auto it = chain.rbegin(); it != chain.rend(); ++it)
            ordered.push_back(std::move(ARows[size_t(*it)]));
    }
    return ordered;
}

