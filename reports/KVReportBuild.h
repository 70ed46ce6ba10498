#pragma once

// Building a report from its plug-in: the plug-in's columns and statement read, the statement's
// RV_ parameters bound (asking the user where a parameter needs an answer), the statement run
// in a transaction of its own and every result value merged into its report cell. No widgets:
// the questions go through a TKVReportAsker, the outcome comes back as a TKVReportData that
// the report window shows.
//
// A report never changes the database: its transaction is rolled back once the rows are read,
// and a statement that reports changed rows is answered with "Данные не могут быть изменены".

#include "core/KVList.h"
#include "platform/sys/SysUtils.h"
#include "reports/KVReportPlugin.h"

#include <QString>
#include <QStringList>

#include <vector>

class TIBDatabase;
class TIBField;
class TIBQuery;

// The kinds of the report-value dialog.
enum TInputRepValType {
    irvtInt,
    irvtIntRange,
    irvtFloat,
    irvtFloatRange,
    irvtDate,
    irvtDateRange,
    irvtText
};

// The answers of the report-value dialog. They last for the whole run: a later build that
// takes the second value of a family the dialog was not asked for in this build finds the
// last range answered.
struct TKVReportValues {
    qint32 Int1 = 0;
    qint32 Int2 = 0;
    double Float1 = 0;
    double Float2 = 0;
    TDateTime Date1 = 0; // 0 is 30 December 1899
    TDateTime Date2 = 0;
    QString Text; // upper-cased
};
TKVReportValues& ReportValues();

// The records a report parameter is picked from.
enum TKVReportPick {
    rpClass,
    rpMaker,
    rpCase,
    rpUnit,
    rpBaseParam,   // of the class answered before
    rpElementType, // of the class answered before
    rpProject,     // in work
    rpStorage,
    rpSupplier,
    rpElementAvail
};

// The questions asked while a statement's parameters are bound.
class TKVReportAsker {
public:
    virtual ~TKVReportAsker() = default;
    // The report-value dialog of kind AKind; on OK its answer is in ReportValues().
    virtual bool AskValue(TInputRepValType AKind) = 0;
    // The count dialog ("Количество", starting at 0).
    virtual bool AskCount(double& ACount) = 0;
    // A picker; AClass is the class answered before (for rpBaseParam and rpElementType). On
    // OK the chosen record's key is in AResult (DBId 0 for records keyed by ID alone).
    virtual bool Pick(TKVReportPick AWhat, const TKVDBKey& AClass, TKVDBKey& AResult) = 0;
};

// How a build ended, for the message the window shows.
enum TKVReportOutcome {
    roDone,
    roError,      // Message in the error box
    roCancelled,  // Message in the warning box
    roSystemError // the system error box: caption ErrorClass, text Message
};

struct TKVReportData {
    QString Caption; // "Отчет "name" (версия x.y)" once the plug-in's name was read
    std::vector<TKVReportColumn> Columns;
    std::vector<QStringList> Rows; // each with one text per column
    TKVReportOutcome Outcome = roDone;
    QString Message;
    QString ErrorClass;
    // Whether the statement's transaction ended; a report leaves none open.
    bool TransactionEnded = true;
};

// Merges a result value's text into the cell's text by the processing type (0 keep the old
// text when the new one is empty, 1 replace, 2 join with a blank, 3 join with a comma unless
// the old text is empty, 4 append; any other value empties the cell).
QString CombineReportCellText(const QString& AOldText, const QString& ANewText, int AProcType);

// The text of a result value: texts, integers, floats, Booleans, dates and times as the user's
// locale shows them, scaled decimals exactly with the locale's separator, text blobs as lines
// each followed by CR LF; NULL and every other kind (binary blobs, arrays) empty.
QString ReportValueText(const TIBField& AField);

// The report window's width for the sum of its column widths: 800 above 800; above 500 the sum
// plus the frame's two borders and a scroll bar; otherwise ACurrentWidth.
int ReportWindowWidth(int AColumnWidthSum, int ACurrentWidth, int ABorderWidth,
                      int AScrollBarWidth);

// Binds the parameters of the prepared AQuery, in their order, by their RV_ names.
class TKVReportBinder {
public:
    enum TResult { brBound, brUnknown, brCancelled };
    TKVReportBinder(TKVReportAsker& AAsker, quint32 ACurrentDBId)
        : FAsker(AAsker), FCurrentDBId(ACurrentDBId) {}
    TResult Bind(TIBQuery& AQuery);

private:
    enum TValueFamily { vfInt, vfFloat, vfDate, vfText, vfCount };
    bool AskFamily(TValueFamily AFamily, bool ARange);
    bool PickOnce(TKVReportPick AWhat, TKVDBKey& AAnswer);

    TKVReportAsker& FAsker;
    quint32 FCurrentDBId;
    bool FAsked[vfCount] = {};
    bool FCountAsked = false;
    double FCount = 0;
    TKVDBKey FClass, FMaker, FCase, FUnit, FBaseParam, FElementType, FProject, FStorage, FSupplier,
        FElementAvail;
};

// Builds the report of the plug-in AFile on ADatabase.
TKVReportData BuildReportData(const QString& AFile, TIBDatabase& ADatabase, TKVReportAsker& AAsker,
                              quint32 ACurrentDBId);
