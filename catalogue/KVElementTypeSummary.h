#pragma once

// What the summary window shows of one element type, read in one pass: the general data with
// the type's and its case's pictures, and the rows of six pages (parameter values, pins, stock
// records, supplier prices, analogs in which the type is the primary one, project items) as the
// texts of their columns. Kept apart from the window so that tests read it without one.

#include "core/KVCommon.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

class TIBQuery;

// The list pages, in the order of their page numbers in the layout rows.
enum TKVSummaryPage { spParam, spPin, spAvail, spSupplier, spAnalog, spProject };
constexpr int KVSummaryPageCount = 6;

struct TKVSummaryGeneral {
    QString ClassName;
    QString TypeName;
    QString Description;
    QString Marking;
    QString CaseName;
    QString CaseDescription;
    QString CaseParams; // "Выводов %d; монтаж %s"
    QString MakerName;
    quint16 PinCount = 0;    // of the type's case; 0 without a case
    QByteArray ElementImage; // JPEG bytes; empty when none
    QByteArray CaseImage;
};

class TKVElementTypeSummary {
public:
    // Runs the queries of the type with AQuery inside the caller's transaction. False when the
    // element type does not exist (the pages are read all the same and come out empty).
    bool Load(TIBQuery& AQuery, quint32 AElementTypeDBId, quint32 AElementTypeId);

    bool Found() const { return FFound; }
    const TKVSummaryGeneral& General() const { return FGeneral; }
    // The rows of a page, each the texts of its columns.
    const std::vector<QStringList>& Rows(TKVSummaryPage APage) const { return FRows[APage]; }
    // Whether the page's query returned a row.
    bool PageLoaded(TKVSummaryPage APage) const { return FLoaded[APage]; }

    // The column captions and widths of a page.
    struct TColumn {
        QString Caption;
        int Width;
    };
    static std::vector<TColumn> Columns(TKVSummaryPage APage);

private:
    void LoadGeneral(TIBQuery& AQuery);
    void LoadParams(TIBQuery& AQuery);
    void LoadPins(TIBQuery& AQuery);
    void LoadAvail(TIBQuery& AQuery);
    void LoadSuppliers(TIBQuery& AQuery);
    void LoadAnalogs(TIBQuery& AQuery);
    void LoadProjects(TIBQuery& AQuery);
    void OpenOnType(TIBQuery& AQuery, const QString& ASQL);

    quint32 FDBId = 0;
    quint32 FId = 0;
    bool FFound = false;
    TKVSummaryGeneral FGeneral;
    std::array<std::vector<QStringList>, KVSummaryPageCount> FRows;
    std::array<bool, KVSummaryPageCount> FLoaded{};
};
