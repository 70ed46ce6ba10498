#pragma once

// Typed openers of windows that live in a library above the one that opens them. A library
// cannot link a library above it (the reference books cannot link the catalogue, whose windows
// use the reference books' pickers), so the higher library registers, at start, how a window of
// its kind is opened for given keys, and the lower one calls it through the opener's tag.
//
// A tag is a struct naming the opener's signature:
//     struct TOpenElementTypesOfClass { using Signature = void(quint32, quint32); };
// TKVOpener<TOpenElementTypesOfClass>::Register(...) at start; Registered() tells a command or
// a view whether to offer itself; Open(...) calls the opener. The opener itself brings an open
// window of the kind to the front or opens a new one, as its window wants.

#include <QString>
#include <QtGlobal>

#include <functional>
#include <utility>

template <class TTag> class TKVOpener {
public:
    using TFunction = std::function<typename TTag::Signature>;

    // Registers the opener; an empty function removes it.
    static void Register(TFunction AFunction) { Function() = std::move(AFunction); }
    static bool Registered() { return static_cast<bool>(Function()); }
    // Calls the opener with AArgs; false when none is registered.
    template <class... TArgs> static bool Open(TArgs&&... AArgs) {
        if (!Function())
            return false;
        Function()(std::forward<TArgs>(AArgs)...);
        return true;
    }

private:
    static TFunction& Function() {
        static TFunction function;
        return function;
    }
};

// --- The openers that cross libraries (keys in the order DBID, ID)

// The element-type list of a class (with its base-parameter columns).
struct TOpenElementTypesOfClass {
    using Signature = void(quint32 AClassDBId, quint32 AClassId);
};
// The element-type list of a maker.
struct TOpenElementTypesOfMaker {
    using Signature = void(quint32 AMakerDBId, quint32 AMakerId);
};
// The supplier prices of the element types of a class.
struct TOpenPricesOfClass {
    using Signature = void(quint32 AClassDBId, quint32 AClassId);
};
// The prices of a supplier.
struct TOpenPricesOfSupplier {
    using Signature = void(quint32 ASupplierId);
};
// The stock records of a storage place.
struct TOpenStockOfStorage {
    using Signature = void(quint32 AStorageId);
};
// The drawing of a case.
struct TOpenCaseDrawing {
    using Signature = void(quint32 ACaseDBId, quint32 ACaseId);
};

// --- The windows of one element type (keys of the type)

// The card of an element type: the type (ADBId, AId), a new one (0, 0), or a copy of the type
// with ACreateCopyFlag; a new type takes the class and maker given (0, 0: none).
struct TOpenElementTypeCard {
    using Signature = void(quint32 ADBId, quint32 AId, bool ACreateCopyFlag, quint32 AClassDBId,
                           quint32 AClassId, quint32 AMakerDBId, quint32 AMakerId);
};
// The main window's command for a new element type: asks for a class, then opens the card of a
// new type in it.
struct TOpenNewElementTypeOnClass {
    using Signature = void();
};
// The parameter values, pins, supplier prices, stock, analogs, summary and case drawing of a
// type: each brings its open window of that type to the front or opens one.
struct TOpenOfElementType {
    using Signature = void(quint32 AElementTypeDBId, quint32 AElementTypeId);
};
struct TOpenParamsOfElementType : TOpenOfElementType {};
struct TOpenPinsOfElementType : TOpenOfElementType {};
struct TOpenPricesOfElementType : TOpenOfElementType {};
struct TOpenStockOfElementType : TOpenOfElementType {};
struct TOpenAnalogsOfElementType : TOpenOfElementType {};
struct TOpenElementTypeSummary : TOpenOfElementType {};
struct TOpenCaseDrawingOfElementType : TOpenOfElementType {};
// The main window's command for a new stock record: the card of a new record.
struct TOpenNewElementAvail {
    using Signature = void();
};
// The main window's report command: the report list, then the report chosen.
struct TOpenReportList {
    using Signature = void();
};
// The package import dialog (the main window has checked the database and closed the windows).
struct TShowImportDlg {
    using Signature = void();
};
// The package export dialog (the main window has checked the database).
struct TShowExportDlg {
    using Signature = void();
};
// The deletion dialog of an imported package (the main window has checked the database and
// closed the windows).
struct TShowDeletePackageDlg {
    using Signature = void();
};
// The supplier price-list import dialog (the main window has checked the database).
struct TShowImportPriceDlg {
    using Signature = void();
};
// The workbook dialog of a project's items (the project list passes the selected project).
struct TShowImportProjectItemDlg {
    using Signature = void(quint32 AProjectId);
};

// --- Searches and favourites

// The four kinds of the find dialog.
enum TKVFindType { ftElementTypeName, ftElementTypeMarking, ftElementAvailName, ftElementAvailMarking };

// The find dialog of a kind; on OK it hands the accepted pattern to the main window's find
// operation of that kind.
struct TShowFindDlg {
    using Signature = void(TKVFindType AFindType);
};
// The result windows of a find pattern: each brings its open window of the same pattern to the
// front or opens a new one.
struct TOpenElementTypesOnName {
    using Signature = void(const QString& AFindStr);
};
struct TOpenElementTypesOnMarking : TOpenElementTypesOnName {};
struct TOpenElementAvailsOnName : TOpenElementTypesOnName {};
struct TOpenElementAvailsOnMarking : TOpenElementTypesOnName {};
// The parametric search dialog (it runs the search and opens its result itself).
struct TShowParamSearchDlg {
    using Signature = void();
};
// The nominal-value search of the stock.
struct TShowNominalSearchDlg {
    using Signature = void();
};
// The revision-date search of the stock.
struct TShowRevDateSearchDlg {
    using Signature = void();
};
// The favourites.
struct TShowFavoritesDlg {
    using Signature = void();
};
