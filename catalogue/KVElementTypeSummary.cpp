#include "catalogue/KVElementTypeSummary.h"

#include "core/KVParamValue.h"
#include "core/KVRowReaders.h"
#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "platform/sys/SysUtils.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>

#include <algorithm>

namespace {

QString Tr(const char* AText) {
    return QCoreApplication::translate("TfrmElementTypeSummary", AText);
}

// A number in the general format with the user's decimal separator.
QString NumberText(double AValue) {
    return FloatToStrKV(AValue);
}

// The texts of a pin row: designation, description, pin type.
QStringList PinTexts(const TKVRowFields& AFields) {
    const int assign = AFields.IntegerOrNull("V_ASSIGN", 0, 0);
    return {AFields.Text("S_NAME"), AFields.Text("S_DESCRIPTION"),
            PinTypeToStr(IndexToPinType(assign))};
}

} // namespace

std::vector<TKVElementTypeSummary::TColumn> TKVElementTypeSummary::Columns(TKVSummaryPage APage) {
    switch (APage) {
    case spParam:
        return {{Tr("Обозначение"), 120},
                {Tr("Значение"), 140},
                {Tr("Описание"), 160},
                {Tr("UPID"), 80},
                {Tr("Условия измерения"), 200}};
    case spPin:
        return {{Tr("Номер"), 50},
                {Tr("Обозначение"), 160},
                {Tr("Описание"), 200},
                {Tr("Назначение"), 120}};
    case spAvail:
        return {{Tr("Маркировка"), 80}, {Tr("Количество"), 160},
                {Tr("Номинал"), 160},   {Tr("Место хранения"), 120},
                {Tr("Ячейка"), 60},     {Tr("Дата/время ревизии"), 120},
                {Tr("Примечание"), 160}};
    case spSupplier:
        return {{Tr("Поставщик"), 160},
                {Tr("Цена (%1)").arg(dmMain ? dmMain->CurrencyName() : QString()), 100},
                {Tr("Примечание"), 160}};
    case spAnalog:
        return {{Tr("Аналог"), 200},      {Tr("Функционал"), 100}, {Tr("Характеристики"), 100},
                {Tr("Корпусровка"), 100}, {Tr("Распиновка"), 100}, {Tr("Описание"), 200}};
    case spProject:
        return {{Tr("Название"), 160}, {Tr("Категория"), 160}, {Tr("Треб. кол."), 100}};
    }
    return {};
}

void TKVElementTypeSummary::OpenOnType(TIBQuery& AQuery, const QString& ASQL) {
    AQuery.Close();
    AQuery.SetSQL(ASQL);
    AQuery.ParamByName(QStringLiteral("VAR_ELEMENTTYPEDBID")).SetAsInt64(FDBId);
    AQuery.ParamByName(QStringLiteral("VAR_ELEMENTTYPEID")).SetAsInt64(FId);
    AQuery.Open();
}

bool TKVElementTypeSummary::Load(TIBQuery& AQuery, quint32 AElementTypeDBId,
                                 quint32 AElementTypeId) {
    FDBId = AElementTypeDBId;
    FId = AElementTypeId;
    FFound = false;
    FGeneral = TKVSummaryGeneral();
    for (auto& rows : FRows)
        rows.clear();
    FLoaded.fill(false);
    LoadGeneral(AQuery);
    LoadParams(AQuery);
    LoadPins(AQuery);
    LoadAvail(AQuery);
    LoadSuppliers(AQuery);
    LoadAnalogs(AQuery);
    LoadProjects(AQuery);
    AQuery.Close();
    for (int i = 0; i < KVSummaryPageCount; ++i)
        FLoaded[i] = !FRows[i].empty();
    return FFound;
}

void TKVElementTypeSummary::LoadGeneral(TIBQuery& AQuery) {
    OpenOnType(AQuery,
               QStringLiteral(
                   "SELECT FIRST 1 SKIP 0 TET.S_TYPENAME, TET.S_MARKING, TET.S_DESCRIPTION, "
                   "TET.B_IMAGE, TC.S_NAME AS CLASSNAME, TM.S_NAME AS MAKERNAME, TCS.S_TYPENAME AS "
                   "CASETYPENAME, TCS.S_DESCRIPTION AS CASEDESCRIPTION, TCS.V_PINCOUNT AS "
                   "CASEPINCOUNT, TCS.V_MOUNTTYPE AS CASEMOUNTTYPE, TCS.B_IMAGE AS CASEIMAGE FROM "
                   "T_ELEMENT_TYPE TET LEFT JOIN T_CLASS TC ON TC.DBID = TET.CLASSDBID AND TC.ID "
                   "= TET.CLASSID LEFT JOIN T_MAKER TM ON TM.DBID = TET.MAKERDBID AND TM.ID = "
                   "TET.MAKERID LEFT JOIN T_CASE TCS ON TCS.DBID = TET.CASEDBID AND TCS.ID = "
                   "TET.CASEID WHERE TET.DBID = :VAR_ELEMENTTYPEDBID AND TET.ID = "
                   ":VAR_ELEMENTTYPEID;"));
    if (AQuery.Eof())
        return;
    FFound = true;
    const TKVRowFields f(AQuery);
    FGeneral.ClassName = f.Text("CLASSNAME");
    FGeneral.TypeName = f.Text("S_TYPENAME");
    FGeneral.Description = f.Text("S_DESCRIPTION");
    FGeneral.Marking = f.Text("S_MARKING");
    FGeneral.CaseName = f.Text("CASETYPENAME");
    FGeneral.CaseDescription = f.Text("CASEDESCRIPTION");
    FGeneral.MakerName = f.Text("MAKERNAME");
    FGeneral.PinCount = static_cast<quint16>(f.IntegerOrNull("CASEPINCOUNT", 0, 0));
    const int mount = f.IntegerOrNull("CASEMOUNTTYPE", 0, 0);
    FGeneral.CaseParams =
        Tr("Выводов %1; монтаж %2")
            .arg(FGeneral.PinCount)
            .arg(mount >= 0 && mount <= 4 ? CaseMountTypeToStr(mount) : QString());
    const TIBField& image = AQuery.FieldByName("B_IMAGE");
    if (!image.IsNull())
        FGeneral.ElementImage = image.AsBytes();
    const TIBField& caseImage = AQuery.FieldByName("CASEIMAGE");
    if (!caseImage.IsNull())
        FGeneral.CaseImage = caseImage.AsBytes();
}

void TKVElementTypeSummary::LoadParams(TIBQuery& AQuery) {
    OpenOnType(AQuery,
               QStringLiteral(
                   "SELECT TPR.S_NAME, TPR.S_DESCRIPTION, TPR.V_MINVAL, TPR.V_TYPEVAL, "
                   "TPR.V_MAXVAL, TPR.S_STRVAL, TPR.V_BOOLVAL, TPR.S_TESTCOND, TPR.UPID, "
                   "TPR.V_FLAG, TBP.V_SELVALTYPE AS BASEPARAMSELVALTYPE, TU.S_PREFIX AS UNITPREFIX "
                   "FROM T_PARAM TPR LEFT JOIN T_BASE_PARAM TBP ON TBP.DBID = TPR.BASEPARAMDBID "
                   "AND TBP.ID = TPR.BASEPARAMID LEFT JOIN T_UNIT TU ON TU.DBID = TPR.UNITDBID AND "
                   "TU.ID = TPR.UNITID WHERE TPR.ELEMENTTYPEDBID = :VAR_ELEMENTTYPEDBID AND "
                   "TPR.ELEMENTTYPEID = :VAR_ELEMENTTYPEID;"));
    const TKVRowFields f(AQuery);
    while (!AQuery.Eof()) {
        const QString name = f.Text("S_NAME");
        const bool hasPrefix = f.NotNull("UNITPREFIX", false);
        int valueType = f.IntegerOrNull("BASEPARAMSELVALTYPE", 0, 0);
        if (valueType < 0 || valueType > 15)
            valueType = 0;
        const QString value =
            ParamValueToStr(f.Text("S_STRVAL"), f.Integer("V_BOOLVAL") != 0,
                            static_cast<quint32>(f.IntegerOrNull("V_FLAG", 0, 0)),
                            f.Float("V_MINVAL"), f.Float("V_TYPEVAL"), f.Float("V_MAXVAL"),
                            f.NotNull("V_MINVAL", false), f.NotNull("V_TYPEVAL", false),
                            f.NotNull("V_MAXVAL", false), f.NotNull("V_BOOLVAL", false), QString(),
                            false, static_cast<TKVSelectValueType>(valueType));
        FRows[spParam].push_back(
            {hasPrefix ? QStringLiteral("%1 (%2)").arg(name, f.Text("UNITPREFIX")) : name, value,
             f.Text("S_DESCRIPTION"), f.Text("UPID"), f.Text("S_TESTCOND")});
        AQuery.Next();
    }
}

void TKVElementTypeSummary::LoadPins(TIBQuery& AQuery) {
    OpenOnType(AQuery, QStringLiteral("SELECT V_NUM, S_NAME, S_DESCRIPTION, V_ASSIGN FROM T_PIN "
                                      "WHERE ELEMENTTYPEDBID = :VAR_ELEMENTTYPEDBID AND "
                                      "ELEMENTTYPEID = :VAR_ELEMENTTYPEID ORDER BY V_NUM;"));
    if (AQuery.Eof())
        return;
    // One row per pin of the case, filled by the pin rows of its number; pin rows outside the
    // case's numbers follow, each on a row of its own.
    std::vector<QStringList>& rows = FRows[spPin];
    const int caseCount = FGeneral.PinCount;
    for (int n = 1; n <= caseCount; ++n)
        rows.push_back({QString::number(n), QString(), QString(), QString()});
    std::vector<QStringList> extra;
    const TKVRowFields f(AQuery);
    while (!AQuery.Eof()) {
        const qint64 num = f.Integer("V_NUM");
        if (num >= 1 && num <= caseCount)
            rows[static_cast<size_t>(num - 1)] = QStringList{QString::number(num)} + PinTexts(f);
        else
            extra.push_back(QStringList{QString::number(num)} + PinTexts(f));
        AQuery.Next();
    }
    rows.insert(rows.end(), extra.begin(), extra.end());
}

void TKVElementTypeSummary::LoadAvail(TIBQuery& AQuery) {
    OpenOnType(AQuery,
               QStringLiteral(
                   "SELECT TEA.V_COUNT_FLOAT, TEA.V_NOMINAL, TEA.S_MARKING, TEA.S_CELL, "
                   "TEA.S_TEXT, TU0.S_PREFIX AS UNITNOMPREFIX, TU1.S_PREFIX AS UNITCOUNTPREFIX, "
                   "TS.S_NAME AS STORAGENAME, TEA.C_TIMESTAMP, TEA.U_TIMESTAMP FROM "
                   "T_ELEMENT_AVAIL TEA LEFT JOIN T_UNIT TU0 ON TU0.DBID = TEA.UNITNOMDBID AND "
                   "TU0.ID = TEA.UNITNOMID LEFT JOIN T_UNIT TU1 ON TU1.DBID = TEA.UNITCOUNTDBID "
                   "AND TU1.ID = TEA.UNITCOUNTID LEFT JOIN T_STORAGE TS ON TS.ID = TEA.STORAGEID "
                   "WHERE TEA.ELEMENTTYPEDBID = :VAR_ELEMENTTYPEDBID AND TEA.ELEMENTTYPEID = "
                   ":VAR_ELEMENTTYPEID;"));
    const TKVRowFields f(AQuery);
    while (!AQuery.Eof()) {
        const QString nominal =
            f.NotNull("V_NOMINAL", false)
                ? NumberText(f.Float("V_NOMINAL")) + QStringLiteral(" ") + f.Text("UNITNOMPREFIX")
                : QString();
        const TDateTime revision = std::max(f.DateTime("C_TIMESTAMP"), f.DateTime("U_TIMESTAMP"));
        const QString revisionText =
            revision > 0
                ? QDateTimeFromDateTime(revision).toString(QStringLiteral("dd.MM.yyyy hh:mm"))
                : QString();
        FRows[spAvail].push_back(
            {f.Text("S_MARKING"),
             NumberText(f.Float("V_COUNT_FLOAT")) + QStringLiteral(" ") + f.Text("UNITCOUNTPREFIX"),
             nominal, f.Text("STORAGENAME"), f.Text("S_CELL"), revisionText, f.Text("S_TEXT")});
        AQuery.Next();
    }
}

void TKVElementTypeSummary::LoadSuppliers(TIBQuery& AQuery) {
    OpenOnType(AQuery,
               QStringLiteral("SELECT TES.V_PRICE, TES.S_TEXT, TS.S_NAME AS SUPPLIERNAME FROM "
                              "T_ELEMENT_SUPPLIER TES LEFT JOIN T_SUPPLIER TS ON TS.ID = "
                              "TES.SUPPLIERID WHERE TES.ELEMENTTYPEDBID = :VAR_ELEMENTTYPEDBID AND "
                              "TES.ELEMENTTYPEID = :VAR_ELEMENTTYPEID;"));
    const TKVRowFields f(AQuery);
    while (!AQuery.Eof()) {
        const QString price = f.NotNull("V_PRICE", false)
                                  ? QString::number(f.Float("V_PRICE"), 'f', 2)
                                        .replace(u'.', QLocale().decimalPoint())
                                  : QString();
        FRows[spSupplier].push_back({f.Text("SUPPLIERNAME"), price, f.Text("S_TEXT")});
        AQuery.Next();
    }
}

void TKVElementTypeSummary::LoadAnalogs(TIBQuery& AQuery) {
    OpenOnType(AQuery,
               QStringLiteral(
                   "SELECT TEAN.V_FUNCTIONAL, TEAN.V_FEATURES, TEAN.V_CASE, TEAN.V_PINOUT, "
                   "TEAN.S_TEXT, TET2.S_TYPENAME AS AELEMENTTYPENAME FROM T_ELEMENT_ANALOG TEAN "
                   "LEFT JOIN T_ELEMENT_TYPE TET2 ON TET2.DBID = TEAN.AELEMENTTYPEDBID AND "
                   "TET2.ID = TEAN.AELEMENTTYPEID WHERE PELEMENTTYPEDBID = :VAR_ELEMENTTYPEDBID "
                   "AND PELEMENTTYPEID = :VAR_ELEMENTTYPEID;"));
    const TKVRowFields f(AQuery);
    while (!AQuery.Eof()) {
        FRows[spAnalog].push_back(
            {f.Text("AELEMENTTYPENAME"),
             SimilalFunctionalTypeToStr(f.IntegerOrNull("V_FUNCTIONAL", 0, 0)),
             SimilalFeaturesTypeToStr(f.IntegerOrNull("V_FEATURES", 0, 0)),
             SimilalCaseTypeToStr(f.IntegerOrNull("V_CASE", 0, 0)),
             SimilalPinoutTypeToStr(f.IntegerOrNull("V_PINOUT", 0, 0)), f.Text("S_TEXT")});
        AQuery.Next();
    }
}

void TKVElementTypeSummary::LoadProjects(TIBQuery& AQuery) {
    OpenOnType(AQuery,
               QStringLiteral(
                   "SELECT TPR.S_NAME AS PROJECTNAME, TPR.S_CATEGORY AS PROJECTCATEGORY, "
                   "TU.S_PREFIX AS UNITCOUNTPREFIX, TPI.V_COUNT_FLOAT FROM T_PROJECT_ITEM TPI "
                   "LEFT JOIN T_PROJECT TPR ON TPI.PROJECTID = TPR.ID LEFT JOIN T_ELEMENT_AVAIL "
                   "TEA ON TPI.ELEMENTAVAILID = TEA.ID LEFT JOIN T_UNIT TU ON TEA.UNITCOUNTDBID "
                   "= TU.DBID AND TEA.UNITCOUNTID = TU.ID WHERE TPI.ELEMENTTYPEDBID = "
                   ":VAR_ELEMENTTYPEDBID AND TPI.ELEMENTTYPEID = :VAR_ELEMENTTYPEID;"));
    const TKVRowFields f(AQuery);
    while (!AQuery.Eof()) {
        QString count = NumberText(f.Float("V_COUNT_FLOAT"));
        if (f.NotNull("UNITCOUNTPREFIX", false))
            count += QStringLiteral(" ") + f.Text("UNITCOUNTPREFIX");
        FRows[spProject].push_back({f.Text("PROJECTNAME"), f.Text("PROJECTCATEGORY"), count});
        AQuery.Next();
    }
}
