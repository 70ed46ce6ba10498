// The element-type list window with parameter columns (the list of one class with its base
// parameters) on a class of 100,000 element types with 10 base parameters and 1,000,000
// parameter values, and on one of 10,000 types with 100,000 values. Each pair first reads the
// same types and values through the database layer into row objects (the anchor: the types
// with the list's statement, the values with one statement, each value added to its type),
// then evaluates a two-criterion parametric profile over that loaded list, then opens the
// window as a request opens it and lets it paint. The two sizes alternate pair by pair.
//
//   bench_elements [DATA_FOLDER]
//
// Prints per goal a line "ratio NAME: X", the median of the paired ratios:
//   element-list         window opened and painted / fetch, at 100,000 types
//   param-search         the profile evaluated over the loaded list / fetch, at 100,000 types
//   element-list-growth  per-row time of the window at 100,000 types over that at 10,000

#include "bench/BenchCommon.h"
#include "bench/BenchWindow.h"
#include "catalogue/KVCatalogue.h"
#include "catalogue/_frmElementType.h"
#include "catalogue/frmElementType.h"
#include "core/KVElementType.h"
#include "core/KVParamSearch.h"
#include "core/KVRowReaders.h"
#include "core/udmMain.h"
#include "platform/ib/IBQuery.h"
#include "refbooks/KVReferenceBooks.h"

#include <QApplication>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kSmall = 10000;
constexpr int kLarge = 100000;
constexpr quint32 kDB = 1011;
constexpr quint32 kClass = 1;

// The element-type list's statement for the types of one class.
const QString kSelectTypes =
    QString::fromLatin1(kBenchElementTypeSelect) +
    QStringLiteral(" WHERE TET.CLASSDBID = :VAR_CLASSDBID AND TET.CLASSID = :VAR_CLASSID;");

// The values of the class's types for the class's base parameters.
const QString kSelectValues = QStringLiteral(
    "SELECT TPR.DBID, TPR.ID, TPR.ELEMENTTYPEDBID, TPR.ELEMENTTYPEID, TPR.BASEPARAMDBID, "
    "TPR.BASEPARAMID, TPR.UNITDBID, TPR.UNITID, TPR.V_MINVAL, TPR.V_TYPEVAL, TPR.V_MAXVAL, "
    "TPR.S_STRVAL, TPR.V_BOOLVAL, TPR.V_FLAG, TU.S_PREFIX AS UNITPREFIX FROM T_PARAM TPR JOIN "
    "T_BASE_PARAM TBP ON TBP.DBID = TPR.BASEPARAMDBID AND TBP.ID = TPR.BASEPARAMID JOIN "
    "T_ELEMENT_TYPE TET ON TET.DBID = TPR.ELEMENTTYPEDBID AND TET.ID = TPR.ELEMENTTYPEID LEFT "
    "JOIN T_UNIT TU ON TU.DBID = TPR.UNITDBID AND TU.ID = TPR.UNITID WHERE TBP.CLASSDBID = "
    ":VAR_CLASSDBID AND TBP.CLASSID = :VAR_CLASSID AND TET.CLASSDBID = :VAR_CLASSDBID AND "
    "TET.CLASSID = :VAR_CLASSID;");

quint32 Key(const TIBField& AField) {
    return static_cast<quint32>(AField.AsInt64());
}

// The types and their values read through the database layer into row objects.
std::unique_ptr<TKVElementTypeList> FetchTypesAndValues(size_t& AValues) {
    auto list = TKVElementTypeList::CreateOnClass(kDB, kClass, true);
    TIBTransaction transaction(&dmMain->MainIBDatabase);
    TIBQuery query(&dmMain->MainIBDatabase, &transaction);
    TIBTransactionScope scope(transaction);
    query.SetSQL(kSelectTypes);
    query.ParamByName("VAR_CLASSDBID").SetAsInt64(kDB);
    query.ParamByName("VAR_CLASSID").SetAsInt64(kClass);
    query.Open();
    while (!query.Eof()) {
        list->Store(NewRowFromQuery<TKVElementType>(query));
        query.Next();
    }
    query.Close();
    query.SetSQL(kSelectValues);
    query.ParamByName("VAR_CLASSDBID").SetAsInt64(kDB);
    query.ParamByName("VAR_CLASSID").SetAsInt64(kClass);
    query.Open();
    TIBField &dbId = query.FieldByName("DBID"), &id = query.FieldByName("ID");
    TIBField &typeDBId = query.FieldByName("ELEMENTTYPEDBID"),
             &typeId = query.FieldByName("ELEMENTTYPEID");
    TIBField &bpDBId = query.FieldByName("BASEPARAMDBID"), &bpId = query.FieldByName("BASEPARAMID");
    TIBField &unitDBId = query.FieldByName("UNITDBID"), &unitId = query.FieldByName("UNITID");
    TIBField &minVal = query.FieldByName("V_MINVAL"), &typeVal = query.FieldByName("V_TYPEVAL"),
             &maxVal = query.FieldByName("V_MAXVAL");
    TIBField &strVal = query.FieldByName("S_STRVAL"), &boolVal = query.FieldByName("V_BOOLVAL"),
             &flag = query.FieldByName("V_FLAG"), &prefix = query.FieldByName("UNITPREFIX");
    AValues = 0;
    while (!query.Eof()) {
        if (TKVElementType* type = list->GetItemByPKey(Key(typeDBId), Key(typeId))) {
            type->AddParam(Key(dbId), Key(id), Key(bpDBId), Key(bpId), Key(unitDBId), Key(unitId),
                           prefix.AsString(), minVal.AsDouble(), typeVal.AsDouble(),
                           maxVal.AsDouble(), strVal.AsString(), boolVal.AsInt64() > 0,
                           static_cast<quint32>(flag.AsInt64()), !minVal.IsNull(),
                           !typeVal.IsNull(), !maxVal.IsNull(), !boolVal.IsNull());
            ++AValues;
        }
        query.Next();
    }
    query.Close();
    scope.Commit();
    return list;
}

// Two criteria that must both hold: parameter 1 at least 50, parameter 2 from 10 to 60.
void SetProfile(TKVParamSearchList& AProfile) {
    AProfile.SetPSClassData(kDB, kClass);
    AProfile.SetParamSearchUnion(psuMatchAll);
    AProfile.AddData(kDB, 1, QString(), false, pstGoENumeric, 50, 0, QString(), false, false);
    AProfile.AddData(kDB, 2, QString(), false, pstNumericInRange, 10, 60, QString(), false, false);
}

struct TSizeTimes {
    std::vector<double> Fetch, Search, Open;
};

void MeasurePair(TBenchMainWindow& AMain, int ATypes, TSizeTimes& ATimes) {
    std::unique_ptr<TKVElementTypeList> list;
    size_t values = 0;
    // The connection is new: one read first, so that neither side pays for filling the
    // engine's page cache.
    FetchTypesAndValues(values);
    ATimes.Fetch.push_back(TimeMilliseconds([&] { list = FetchTypesAndValues(values); }));
    if (list->Count() != ATypes || values != static_cast<size_t>(ATypes) * 10)
        throw Exception(QStringLiteral("the fetch did not read %1 types").arg(ATypes));
    TKVParamSearchList profile;
    SetProfile(profile);
    int shown = 0;
    ATimes.Search.push_back(TimeMilliseconds([&] {
        list->ForEachRow([&](TKVElementType& AType) {
            AType.ApplyParamSearch(profile);
            shown += AType.Showing() ? 1 : 0;
        });
    }));
    if (shown == 0 || shown == ATypes)
        throw Exception(QStringLiteral("the profile does not sort the types"));
    list.reset();
    TfrmElementType* window = nullptr;
    ATimes.Open.push_back(TimeMilliseconds([&] {
        window = OpenRBElementTypeOnClass(kDB, kClass, true);
        TBenchMainWindow::Paint();
    }));
    if (!window || window->BookFrame()->Model()->Count() != ATypes ||
        window->BookFrame()->Model()->columnCount() < 15)
        throw Exception(QStringLiteral("the window did not show %1 types").arg(ATypes));
    AMain.CloseWindows();
}

int Run(const QString& AFolder) {
    const QString files[2] = {EnsureBenchParamDataBase(AFolder, kSmall),
                              EnsureBenchParamDataBase(AFolder, kLarge)};
    TSizeTimes small, large;
    TBenchMainWindow main;
    main.RunAtTwoSizes(files, [&](int ASize, bool ACounted) {
        TSizeTimes warm;
        MeasurePair(main, ASize == 0 ? kSmall : kLarge,
                    !ACounted    ? warm
                    : ASize == 0 ? small
                                 : large);
    });
    std::vector<double> growth;
    for (size_t i = 0; i < large.Open.size() && i < small.Open.size(); ++i)
        growth.push_back((large.Open[i] / kLarge) / (small.Open[i] / kSmall));
    std::printf("element-type list with 10 parameter columns, medians of %d pairs, ms:\n",
                kBenchPairs);
    std::printf("   types     fetch   search     open\n");
    for (const auto& [rows, t] : {std::pair{kSmall, &small}, std::pair{kLarge, &large}})
        std::printf("  %6d  %8.1f  %7.1f  %7.1f\n", rows, Median(t->Fetch), Median(t->Search),
                    Median(t->Open));
    std::printf("  element-list at %d types: %.3f\n", kSmall,
                Median(PairRatios(small.Open, small.Fetch)));
    PrintRatio("element-list", Median(PairRatios(large.Open, large.Fetch)));
    PrintRatio("param-search", Median(PairRatios(large.Search, large.Fetch)));
    PrintRatio("element-list-growth", Median(growth));
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    UseOffscreenPlatformByDefault();
    QApplication app(argc, argv);
    // The windows the main window's commands open, as the program registers them.
    RegisterReferenceBookWindows();
    RegisterCatalogueWindows();
    int rc = 0;
    try {
        rc = Run(BenchDataFolder(argc, argv));
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        rc = 1;
    }
    IBClient::Shutdown();
    return rc;
}
