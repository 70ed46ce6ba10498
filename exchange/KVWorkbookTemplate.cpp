#include "exchange/KVWorkbookTemplate.h"

#include "platform/xls/XlsWorkbook.h"

#include <QCoreApplication>

namespace {
constexpr int kHeaderHeight = 30;
constexpr int kHeaderColour = 3;
} // namespace

void MakeWorkbookTemplate(TXlsWorkbook& ABook, const QList<TKVTemplateColumn>& AColumns) {
    ABook.Clear();
    TXlsSheet& sheet = ABook.AddSheet(QStringLiteral("blank"));
    ABook.SetActiveSheetIndex(0);
    sheet.SetRowHeight(0, kHeaderHeight);
    TXlsCellStyle header;
    header.FFontStyle = xfsBold;
    header.FHorzAlign = xhaCenter;
    header.FVertAlign = xvaCenter;
    header.FBackground = kHeaderColour;
    for (int c = 0; c < AColumns.size(); ++c) {
        sheet.SetColumnWidth(c, AColumns[c].Width);
        sheet.SetCellStyle(c, 0, header);
        sheet.SetCellText(c, 0, AColumns[c].Title);
    }
}

bool WorkbookHoldsTable(const TXlsWorkbook& ABook) {
    for (int i = 0; i < ABook.SheetCount(); ++i) {
        const TXlsSheet& sheet = ABook.Sheet(i);
        if (sheet.ColumnCount() > 2 && sheet.RowCount() > 1)
            return true;
    }
    return false;
}

void MakeProjectItemTemplate(TXlsWorkbook& ABook) {
    const auto tr = [](const char* AText) {
        return QCoreApplication::translate("TfrmImportProjectItem", AText);
    };
    MakeWorkbookTemplate(ABook, {{tr("Наименование"), 200},
                                 {tr("Треб. кол."), 100},
                                 {tr("Номинал"), 100},
                                 {tr("Ед. изм. номинала"), 160},
                                 {tr("Примечание"), 300}});
}
