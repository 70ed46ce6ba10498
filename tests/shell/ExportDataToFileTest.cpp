// Export of a list to a file: the preview built from a list's columns and rows, the web page
// written from it (compared byte for byte), the workbook read back by our reader and by an
// independent one (python3-xlrd), the save command with its file dialog, replace question and
// failures, and the export data taken from a list's model and header.

#include "shell/frmExportDataToFile.h"

#include "platform/sys/Win1251.h"
#include "shell/KVFileDialog.h"
#include "shell/frmHelp.h"
#include "shell/uHelpContext.h"
#include "shell/uMessage.h"
#include "tests/support/TestUserInterface.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <gtest/gtest.h>

#include <unistd.h>

namespace {

// A list with Cyrillic, numeric, empty and markup texts, a column without a caption and a
// hidden column, a character that Windows-1251 lacks and one outside the basic plane.
TKVExportData SampleData() {
    TKVExportData data;
    data.Columns = {{"Наименование", 120}, {"Кол-во", 80}, {"", 60}, {"Примечание", 0}};
    data.Items = {{"К155ЛА3", "12,5", "", "4 элемента <И-НЕ>"},
                  {"R&D \"тест\"", "100", "ё", ""},
                  {"", "-3", "Ω 😀", "x"}};
    data.DataSetName = "Резисторы & <конденсаторы>";
    return data;
}

// The page up to the table's rows, with %1 for the title.
const char kPageHead[] = R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN"
"http://www.w3.org/TR/html4/loose.dtd">
<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=windows-1251">
<title>%1</title>
<style type="text/css">
body {
font-family: Verdana, Arial, Helvetica, sans-serif;
font-size: 8pt;
font-style: normal;
line-height: normal;
font-weight: normal;
font-variant: normal;
text-transform: none;
color: #000000;
text-decoration: none;
margin: 0px;
background-color: #FFFFFF;}
table {
font-family: Verdana, Arial, Helvetica, sans-serif;
font-size: 8pt;
font-style: normal;
line-height: normal;
font-weight: normal;
font-variant: normal;
text-transform: none;
color: #000000;
text-decoration: none;}
td {
font-family: Verdana, Arial, Helvetica, sans-serif;
font-size: 8pt;
font-style: normal;
line-height: normal;
font-weight: normal;
font-variant: normal;
text-transform: none;
color: #000000;
text-decoration: none;}
th {
font-family: Verdana, Arial, Helvetica, sans-serif;
font-size: 8pt;
font-style: normal;
line-height: normal;
font-weight: normal;
font-variant: normal;
text-transform: none;
color: #000000;
text-decoration: none;}
.table_head {
font-family: Verdana, Arial, Helvetica, sans-serif;
font-size: 8pt;
font-style: normal;
line-height: normal;
font-weight: bold;
font-variant: normal;
text-transform: none;
color: #000000;
text-decoration: none;
background-color: #CCCCCC;
border-top-width: 1px;
border-right-width: 1px;
border-bottom-width: 1px;
border-left-width: 1px;
border-top-style: solid;
border-right-style: solid;
border-bottom-style: solid;
border-left-style: solid;
border-top-color: #FFFFFF;
border-right-color: #666666;
border-bottom-color: #666666;
border-left-color: #FFFFFF;}
.table_item {
font-family: Verdana, Arial, Helvetica, sans-serif;
font-size: 8pt;
font-style: normal;
line-height: normal;
font-weight: normal;
font-variant: normal;
text-transform: none;
color: #000000;
text-decoration: none;
border-right-width: 1px;
border-bottom-width: 1px;
border-top-style: none;
border-right-style: solid;
border-bottom-style: solid;
border-left-style: none;
border-right-color: #CCCCCC;
border-bottom-color: #CCCCCC;}
a:link {
font-family: Verdana, Arial, Helvetica, sans-serif;
font-size: 8pt;
font-style: normal;
line-height: normal;
font-weight: normal;
font-variant: normal;
text-transform: none;
color: #0033CC;
text-decoration: none;}
a:visited {
font-family: Verdana, Arial, Helvetica, sans-serif;
font-size: 8pt;
font-style: normal;
line-height: normal;
font-weight: normal;
font-variant: normal;
text-transform: none;
color: #993366;
text-decoration: none;}
a:hover {
font-family: Verdana, Arial, Helvetica, sans-serif;
font-size: 8pt;
font-style: normal;
line-height: normal;
font-weight: normal;
font-variant: normal;
text-transform: none;
color: #0033CC;
text-decoration: underline;}
a:active {
font-family: Verdana, Arial, Helvetica, sans-serif;
font-size: 8pt;
font-style: normal;
line-height: normal;
font-weight: normal;
font-variant: normal;
text-transform: none;
color: #0033CC;
text-decoration: underline;}
</style>
</head>
<body>
<table border="0" cellpadding="2" cellspacing="0">

)";

const char kPageFoot[] = R"(</table>
<p>Справочные данные экспортированы из программы <a href="https://korvant.example/" target="_blank">Корвант</a>.<br />
Больше справочной информации Вы можете найти на сайте.</p>
</body>
</html>
)";

const char kSampleTable[] = R"(<tr>
<td width="120" class="table_head">Наименование</td>
<td width="80" class="table_head">Кол-во</td>
<td width="60" class="table_head"></td>
<td width="0" class="table_head">Примечание</td>
</tr>
<tr>
<td class="table_item">К155ЛА3</td>
<td class="table_item">12,5</td>
<td class="table_item">&nbsp;</td>
<td class="table_item">4 элемента &lt;И-НЕ&gt;</td>
</tr>
<tr>
<td class="table_item">R&amp;D &quot;тест&quot;</td>
<td class="table_item">100</td>
<td class="table_item">ё</td>
<td class="table_item">&nbsp;</td>
</tr>
<tr>
<td class="table_item">&nbsp;</td>
<td class="table_item">-3</td>
<td class="table_item">&#937; &#128512;</td>
<td class="table_item">x</td>
</tr>
)";

// The bytes of a page: Windows-1251 with CR LF line ends.
QByteArray PageBytes(const QString& ATitle, const QString& ATable) {
    QString page = QString::fromUtf8(kPageHead).arg(ATitle) + ATable + QString::fromUtf8(kPageFoot);
    page.replace(u'\n', QStringLiteral("\r\n"));
    return ToWin1251(page);
}

QByteArray ReadFile(const QString& AFileName) {
    QFile file(AFileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& AFileName, const QByteArray& AData) {
    QFile file(AFileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(AData);
}

// Every text cell of the first sheet as xlrd reads it: "column,row" -> [text, bold]; a cell
// of another type is reported by its type number.
const char kXlrdCells[] = R"PY(
import json, sys, xlrd
book = xlrd.open_workbook(sys.argv[1], formatting_info=True)
sh = book.sheet_by_index(0)
cells = {}
for r in range(sh.nrows):
    for c in range(sh.row_len(r)):
        cell = sh.cell(r, c)
        if cell.ctype == xlrd.XL_CELL_TEXT:
            font = book.font_list[book.xf_list[cell.xf_index].font_index]
            cells["%d,%d" % (c, r)] = [cell.value, font.weight >= 700]
        elif cell.ctype not in (xlrd.XL_CELL_EMPTY, xlrd.XL_CELL_BLANK):
            cells["%d,%d" % (c, r)] = ["type %d" % cell.ctype, False]
print(json.dumps(cells))
)PY";

QJsonObject XlrdCells(const QString& AFileName) {
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"), QString::fromUtf8(kXlrdCells), AFileName});
    EXPECT_TRUE(python.waitForFinished(60000));
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

class ExportDataToFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FDir.isValid());
        FForm.LoadDataFromTable(SampleData().Columns, SampleData().Items);
        FForm.SetDataSetName(SampleData().DataSetName);
    }

    QString Path(const QString& AName) const { return FDir.filePath(AName); }

    // Runs the save command with the file dialog answered by AFileName and AFilterIndex
    // (an empty name cancels it) and message boxes by AAnswer; returns the boxes shown.
    std::vector<TMessageDlgRequest> Save(const QString& AFileName, int AFilterIndex,
                                         int AAnswer = mrYes) {
        std::vector<TMessageDlgRequest> boxes;
        TKVFileDialogResponderScope files([&](const TKVFileDialogRequest& ARequest) {
            FFileRequests.push_back(ARequest);
            return TKVFileDialogAnswer{!AFileName.isEmpty(), AFileName, AFilterIndex};
        });
        TMessageDlgResponderScope messages([&](const TMessageDlgRequest& ARequest) {
            boxes.push_back(ARequest);
            return AAnswer;
        });
        FForm.Save_ToolButtonClick();
        return boxes;
    }

    QTemporaryDir FDir;
    TTestUserInterface FUI;
    TfrmExportDataToFile FForm;
    std::vector<TKVFileDialogRequest> FFileRequests;
};

TEST_F(ExportDataToFileTest, PreviewHoldsHeaderRowsStylesAndWidths) {
    EXPECT_EQ(FForm.ColumnsCount(), 4);
    EXPECT_EQ(FForm.ItemsCount(), 3);
    const TXlsSheet& sheet = FForm.Sheet();
    ASSERT_EQ(sheet.ColumnCount(), 4);
    ASSERT_EQ(sheet.RowCount(), 4);
    const TKVExportData data = SampleData();
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(sheet.CellText(c, 0), data.Columns[size_t(c)].Caption);
        for (int r = 0; r < 3; ++r) {
            EXPECT_EQ(sheet.CellText(c, r + 1), data.Items[size_t(r)].at(c));
            EXPECT_NE(sheet.Cell(c, r + 1).Kind(), xckNumber); // "12,5" and "100" stay texts
        }
    }

    TXlsCellStyle header;
    header.FFontStyle = xfsBold;
    header.FHorzAlign = xhaLeft;
    header.FVertAlign = xvaCenter;
    header.FBackground = 14;
    header.FBorderColor = 0;
    TXlsCellStyle caption;
    caption.FHorzAlign = xhaLeft;
    caption.FVertAlign = xvaCenter;
    caption.FBackground = 1;
    EXPECT_EQ(sheet.CellStyle(2, 0), header);  // a header cell without a caption is styled too
    EXPECT_EQ(sheet.CellStyle(0, 3), caption); // a row's empty caption cell too
    EXPECT_EQ(sheet.CellStyle(1, 2), TXlsCellStyle());

    const int widths[] = {120, 80, 60, 0};
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(sheet.ColumnWidth(c), widths[c]) << c;

    // The grid shows the sheet: its cells, widths, the hidden column, bold header cells.
    TExportSpreadSheet* grid = FForm.SpreadSheet();
    ASSERT_EQ(grid->objectName(), "ExportDataToFile_SpreadSheet");
    EXPECT_EQ(grid->model()->rowCount(), 4);
    EXPECT_EQ(grid->model()->columnCount(), 4);
    EXPECT_EQ(grid->model()->index(1, 0).data().toString(), "К155ЛА3");
    EXPECT_TRUE(grid->model()->index(0, 1).data(Qt::FontRole).value<QFont>().bold());
    EXPECT_EQ(grid->columnWidth(0), 120);
    EXPECT_EQ(grid->columnWidth(1), 80);
    EXPECT_TRUE(grid->isColumnHidden(3));

    // The fixed parts of the window.
    auto* selCol = FForm.findChild<QToolButton*>("SelCol_ToolButton");
    ASSERT_NE(selCol, nullptr);
    EXPECT_FALSE(selCol->isEnabled());
    auto* save = FForm.findChild<QToolButton*>("Save_ToolButton");
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->text(), "Сохранить");
    EXPECT_EQ(FForm.windowTitle(), "Экспорт данных в файл");
}

TEST_F(ExportDataToFileTest, PageIsWrittenByteForByteWithEscapes) {
    FForm.ExportTableDataToHTML(Path("page.html"));
    EXPECT_EQ(ReadFile(Path("page.html")),
              PageBytes("Резисторы &amp; &lt;конденсаторы&gt;", QString::fromUtf8(kSampleTable)));
}

TEST_F(ExportDataToFileTest, EmptyListsGiveHeaderOnlyOrOneEmptyRow) {
    // Columns without rows: the header row alone.
    TfrmExportDataToFile headerOnly;
    headerOnly.LoadDataFromTable({{"А", 50}, {"Б", 70}}, {});
    EXPECT_EQ(headerOnly.Sheet().RowCount(), 1);
    headerOnly.ExportTableDataToHTML(Path("header.html"));
    EXPECT_EQ(ReadFile(Path("header.html")),
              PageBytes("", "<tr>\n<td width=\"50\" class=\"table_head\">А</td>\n"
                            "<td width=\"70\" class=\"table_head\">Б</td>\n</tr>\n"));

    // Neither columns nor rows: an empty preview and one empty table row.
    TfrmExportDataToFile nothing;
    nothing.LoadDataFromTable({}, {});
    EXPECT_EQ(nothing.Sheet().RowCount(), 0);
    EXPECT_EQ(nothing.SpreadSheet()->model()->rowCount(), 0);
    nothing.ExportTableDataToHTML(Path("empty.html"));
    EXPECT_EQ(ReadFile(Path("empty.html")), PageBytes("", "<tr>\n</tr>\n"));
}

TEST_F(ExportDataToFileTest, EditsInThePreviewReachThePage) {
    FForm.show();
    TExportSpreadSheet* grid = FForm.SpreadSheet();
    QAbstractItemModel* model = grid->model();
    ASSERT_TRUE(model->setData(model->index(0, 0), "Имя", Qt::EditRole));
    ASSERT_TRUE(model->setData(model->index(1, 1), "", Qt::EditRole));
    grid->setColumnWidth(0, 150);
    // An edit still open in its editor when the user saves counts too.
    grid->setCurrentIndex(model->index(2, 2));
    grid->edit(model->index(2, 2));
    auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(model->index(2, 2)));
    ASSERT_NE(editor, nullptr);
    editor->setText("Изменено");

    ASSERT_TRUE(Save(Path("edited.html"), 1).empty());
    QString table = QString::fromUtf8(kSampleTable);
    table.replace("<td width=\"120\" class=\"table_head\">Наименование",
                  "<td width=\"150\" class=\"table_head\">Имя");
    table.replace("<td class=\"table_item\">12,5", "<td class=\"table_item\">&nbsp;");
    table.replace("<td class=\"table_item\">ё", "<td class=\"table_item\">Изменено");
    EXPECT_EQ(ReadFile(Path("edited.html")),
              PageBytes("Резисторы &amp; &lt;конденсаторы&gt;", table));
    EXPECT_EQ(FForm.Sheet().ColumnWidth(0), 150);
}

TEST_F(ExportDataToFileTest, WorkbookReadsBackWithBothReaders) {
    // A name without extension, the workbook chosen: ".xls" is added, nothing is asked.
    ASSERT_TRUE(Save(Path("список"), 0).empty());
    ASSERT_EQ(FFileRequests.size(), 1u);
    EXPECT_EQ(FFileRequests[0].Kind, fdkSave);
    EXPECT_EQ(FFileRequests[0].Caption, "Экспортировать данные в файл");
    EXPECT_EQ(FFileRequests[0].Filter, "Книга MS Excel 97-2003 (*.xls);;Веб-страница (*.html)");
    const QString fileName = Path("список.xls");
    ASSERT_TRUE(QFile::exists(fileName));
    EXPECT_TRUE(FUI.Errors.empty());

    TXlsWorkbook book;
    book.LoadFromFile(fileName);
    ASSERT_EQ(book.SheetCount(), 1);
    const TXlsSheet& got = book.Sheet(0);
    const TXlsSheet& preview = FForm.Sheet();
    int texts = 0;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            SCOPED_TRACE(testing::Message() << c << "," << r);
            EXPECT_EQ(got.CellText(c, r), preview.CellText(c, r));
            EXPECT_EQ(got.CellStyle(c, r), preview.CellStyle(c, r));
            texts += preview.CellText(c, r).isEmpty() ? 0 : 1;
        }
    }
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(got.ColumnWidth(c), preview.ColumnWidth(c)) << c;

    const QJsonObject cells = XlrdCells(fileName);
    EXPECT_EQ(cells.size(), texts);
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            const QString text = preview.CellText(c, r);
            if (text.isEmpty())
                continue;
            const QJsonArray cell = cells[QStringLiteral("%1,%2").arg(c).arg(r)].toArray();
            EXPECT_EQ(cell.at(0).toString(), text) << c << "," << r;
            EXPECT_EQ(cell.at(1).toBool(), r == 0) << c << "," << r;
        }
    }
}

TEST_F(ExportDataToFileTest, SaveAddsExtensionAndAsksBeforeReplacing) {
    // The web page chosen for a name without extension.
    ASSERT_TRUE(Save(Path("page"), 1).empty());
    const QString fileName = Path("page.html");
    const QByteArray page =
        PageBytes("Резисторы &amp; &lt;конденсаторы&gt;", QString::fromUtf8(kSampleTable));
    EXPECT_EQ(ReadFile(fileName), page);

    // The question names the completed file; No (or a closed box) writes nothing.
    for (const int answer : {mrNo, mrCancel}) {
        WriteFile(fileName, "old");
        const std::vector<TMessageDlgRequest> boxes = Save(Path("page"), 1, answer);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].Text,
                  QStringLiteral("Файл %1 уже существует. Заменить его?").arg(fileName));
        EXPECT_EQ(boxes[0].Kind, mdkWarning);
        EXPECT_EQ(boxes[0].Buttons, mdbYes | mdbNo);
        EXPECT_EQ(ReadFile(fileName), "old");
    }
    EXPECT_EQ(Save(Path("page"), 1, mrYes).size(), 1u);
    EXPECT_EQ(ReadFile(fileName), page);

    // A name with its own extension keeps it, whatever the type.
    ASSERT_TRUE(Save(Path("page.htm"), 1).empty());
    EXPECT_EQ(ReadFile(Path("page.htm")), page);

    // A cancelled dialog does nothing.
    const QStringList before = QDir(FDir.path()).entryList(QDir::Files);
    EXPECT_TRUE(Save(QString(), 0).empty());
    EXPECT_EQ(QDir(FDir.path()).entryList(QDir::Files), before);
    EXPECT_TRUE(FUI.Errors.empty());
}

// The extension typed decides the format, whatever type the dialog was left at; another name
// gets the chosen type's extension. So no file holds one format under the other's name: read
// back, each file is what its name says.
TEST_F(ExportDataToFileTest, TypedExtensionDecidesTheFormat) {
    const QByteArray page =
        PageBytes("Резисторы &amp; &lt;конденсаторы&gt;", QString::fromUtf8(kSampleTable));
    ASSERT_TRUE(Save(Path("makers.html"), eftWorkbook).empty());
    EXPECT_EQ(ReadFile(Path("makers.html")), page);

    ASSERT_TRUE(Save(Path("MAKERS.XLS"), eftWebPage).empty());
    TXlsWorkbook book;
    book.LoadFromFile(Path("MAKERS.XLS"));
    ASSERT_EQ(book.SheetCount(), 1);
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(book.Sheet(0).CellText(c, 1), FForm.Sheet().CellText(c, 1)) << c;

    ASSERT_TRUE(Save(Path("makers.v2"), eftWebPage).empty());
    EXPECT_EQ(ReadFile(Path("makers.v2.html")), page);

    QStringList files = QDir(FDir.path()).entryList(QDir::Files);
    files.sort();
    EXPECT_EQ(files, QStringList({QStringLiteral("MAKERS.XLS"), QStringLiteral("makers.html"),
                                  QStringLiteral("makers.v2.html")}));
    EXPECT_TRUE(FUI.Errors.empty());

    const struct {
        const char* Typed;
        TKVExportFileType Chosen;
        const char* Written;
        TKVExportFileType Type;
    } cases[] = {
        {"a.xls", eftWebPage, "a.xls", eftWorkbook},
        {"a.Htm", eftWorkbook, "a.Htm", eftWebPage},
        {"a", eftWorkbook, "a.xls", eftWorkbook},
        {"a", eftWebPage, "a.html", eftWebPage},
        {"a.b.txt", eftWorkbook, "a.b.txt.xls", eftWorkbook},
        {"dir.html/a", eftWorkbook, "dir.html/a.xls", eftWorkbook},
    };
    for (const auto& c : cases) {
        TKVExportFileType type = c.Chosen == eftWorkbook ? eftWebPage : eftWorkbook;
        EXPECT_EQ(ExportTargetFileName(QString::fromUtf8(c.Typed), c.Chosen, type),
                  QString::fromUtf8(c.Written));
        EXPECT_EQ(type, c.Type) << c.Typed;
    }
}

// The save dialog proposes the list's name and starts in the folder of the last file saved
// (the home folder before the first save and when that folder is gone).
TEST_F(ExportDataToFileTest, DialogProposesTheListsNameInTheFolderLastUsed) {
    TfrmExportDataToFile::SetSaveFolder(QString());
    FForm.SetFileName(QStringLiteral("Корпуса: SMD/THT"));
    Save(QString(), 0);
    ASSERT_EQ(FFileRequests.size(), 1u);
    EXPECT_EQ(FFileRequests[0].Folder, QDir::homePath());
    EXPECT_EQ(FFileRequests[0].FileName, QStringLiteral("Корпуса_ SMD_THT.xls"));
    EXPECT_EQ(FFileRequests[0].FilterIndex, 0);

    ASSERT_TRUE(QDir(FDir.path()).mkdir(QStringLiteral("out")));
    ASSERT_TRUE(Save(Path("out/list"), 1).empty());
    Save(QString(), 0);
    ASSERT_EQ(FFileRequests.size(), 3u);
    EXPECT_EQ(FFileRequests[2].Folder, Path("out"));

    ASSERT_TRUE(QDir(Path("out")).removeRecursively());
    Save(QString(), 0);
    ASSERT_EQ(FFileRequests.size(), 4u);
    EXPECT_EQ(FFileRequests[3].Folder, QDir::homePath());

    // No name to propose: none is.
    FForm.SetFileName(QStringLiteral(" .. "));
    Save(QString(), 0);
    EXPECT_EQ(FFileRequests.back().FileName, QString());
    TfrmExportDataToFile::SetSaveFolder(QString());
}

// A target that cannot be written gives an error report naming it and leaves nothing under
// its name (and no temporary file beside it).
TEST_F(ExportDataToFileTest, UnwritableTargetLeavesNothing) {
    WriteFile(Path("plain-file"), "x");
    ASSERT_TRUE(QDir(FDir.path()).mkdir("folder.html"));
    ASSERT_TRUE(QDir(FDir.path()).mkdir("folder.xls"));
    ASSERT_TRUE(QDir(FDir.path()).mkdir("locked"));
    QFile::setPermissions(Path("locked"), QFile::ReadOwner | QFile::ExeOwner);
    const bool root = geteuid() == 0; // permissions do not stop root

    struct TCase {
        const char* Name;
        int FilterIndex;
        QString Target;
        QString Caption;
    };
    std::vector<TCase> cases;
    for (const auto& [filter, ext, caption] :
         {std::tuple{0, QStringLiteral(".xls"), QStringLiteral("EXlsError")},
          std::tuple{1, QStringLiteral(".html"), QStringLiteral("EInOutError")}}) {
        cases.push_back({"folder gone", filter, Path("gone/list") + ext, caption});
        cases.push_back({"parent is a file", filter, Path("plain-file/list") + ext, caption});
        cases.push_back({"target is a folder", filter, Path("folder") + ext, caption});
        if (!root)
            cases.push_back({"no permission", filter, Path("locked/list") + ext, caption});
    }
    const QStringList before = QDir(FDir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Name << " " << c.Target.toStdString());
        FUI.Clear();
        Save(c.Target, c.FilterIndex, mrYes);
        ASSERT_EQ(FUI.Errors.size(), 1u);
        EXPECT_EQ(FUI.Errors[0].Caption, c.Caption);
        EXPECT_TRUE(FUI.Errors[0].Text.contains(QDir::toNativeSeparators(c.Target)))
            << FUI.Errors[0].Text.toStdString();
        EXPECT_FALSE(QFileInfo(c.Target).isFile());
        EXPECT_EQ(QDir(FDir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
        EXPECT_TRUE(QDir(Path("folder.html")).isEmpty());
        EXPECT_TRUE(QDir(Path("locked")).isEmpty());
    }
    QFile::setPermissions(Path("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(ExportDataToFileTest, EscClosesAndF1OpensHelp) {
    FForm.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&FForm));
    auto* help = FForm.findChild<QAction*>("pmiHelpContext");
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->shortcut(), QKeySequence(Qt::Key_F1));
    help->trigger();
    ASSERT_NE(HelpWindow(), nullptr);
    EXPECT_EQ(HelpWindow()->CurrentTopic(), "ExportDataToFile");
    HelpWindow()->close();

    FForm.activateWindow();
    FForm.SpreadSheet()->setFocus();
    QTest::keyClick(FForm.SpreadSheet(), Qt::Key_Escape);
    EXPECT_FALSE(FForm.isVisible());
    EXPECT_EQ(FForm.result(), QDialog::Rejected);
}

TEST(ExportDataFromModelTest, TakesColumnsAsShownAndEveryRow) {
    QStandardItemModel model(0, 3);
    model.setHorizontalHeaderLabels({"Имя", "Тип", "Кол-во"});
    const auto row = [](const QStringList& ATexts) {
        QList<QStandardItem*> items;
        for (const QString& text : ATexts)
            items << new QStandardItem(text);
        return items;
    };
    model.appendRow(row({"R1", "резистор", "10"}));
    model.appendRow(row({"C1", "", "5"}));
    model.item(1)->appendRow(row({"C1.1", "конденсатор", "1"}));
    model.appendRow(row({"VD1", "диод", ""}));

    QTreeView view;
    view.setModel(&model);
    view.header()->resizeSection(0, 111);
    view.header()->resizeSection(1, 77);
    view.header()->resizeSection(2, 55);
    view.header()->moveSection(2, 0); // the count column shown first
    view.header()->hideSection(1);

    const TKVExportData data = ExportDataFromModel(model, view.header(), "Набор");
    EXPECT_EQ(data.DataSetName, "Набор");
    ASSERT_EQ(data.Columns.size(), 3u);
    EXPECT_EQ(data.Columns[0].Caption, "Кол-во");
    EXPECT_EQ(data.Columns[0].Width, 55);
    EXPECT_EQ(data.Columns[1].Caption, "Имя");
    EXPECT_EQ(data.Columns[1].Width, 111);
    EXPECT_EQ(data.Columns[2].Caption, "Тип");
    EXPECT_EQ(data.Columns[2].Width, 0);
    const std::vector<QStringList> expected = {{"10", "R1", "резистор"},
                                               {"5", "C1", ""},
                                               {"1", "C1.1", "конденсатор"},
                                               {"", "VD1", "диод"}};
    EXPECT_EQ(data.Items, expected);

    // Without a header: model order, default widths.
    const TKVExportData plain = ExportDataFromModel(model, nullptr, QString());
    ASSERT_EQ(plain.Columns.size(), 3u);
    EXPECT_EQ(plain.Columns[0].Caption, "Имя");
    EXPECT_EQ(plain.Columns[0].Width, TXlsSheet::DefaultColumnWidth);
    EXPECT_EQ(plain.Items[0], QStringList({"R1", "резистор", "10"}));
}

} // namespace
