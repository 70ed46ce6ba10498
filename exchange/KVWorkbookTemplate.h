#pragma once

// The empty template workbooks that the workbook dialogs of the data exchange make for the user
// to fill: one sheet "blank" with a header row of column titles.

#include <QList>
#include <QString>

class TXlsWorkbook;

// A column of a template: its header title and its width in pixels.
struct TKVTemplateColumn {
    QString Title;
    int Width = 0;
};

// Makes the workbook a template: its sheets are removed and one active sheet "blank" is added
// whose columns take the widths given and whose row 0, 30 pixels high, holds the titles in bold,
// centred both ways on palette colour 3.
void MakeWorkbookTemplate(TXlsWorkbook& ABook, const QList<TKVTemplateColumn>& AColumns);

// The workbook holds a table worth asking about before it is replaced: a sheet with more than
// two columns and more than one row.
bool WorkbookHoldsTable(const TXlsWorkbook& ABook);

// The template of a project's items: element name, required count, nominal value, unit of the
// nominal and note.
void MakeProjectItemTemplate(TXlsWorkbook& ABook);
