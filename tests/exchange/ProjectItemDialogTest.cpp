// The workbook dialog of a project's items: shown only for a project, its import and log
// buttons off whatever the user does, the five-column template written and read back (by our
// reader and by xlrd), a filled workbook saved and read back equal, and the two questions: the
// one before replacing a file and the one before replacing a table by the template.

#include "tests/exchange/ExchangeTestSupport.h"

#include "exchange/KVWorkbookTemplate.h"
#include "exchange/frmImportProjectItem.h"
#include "platform/xls/XlsFile.h"
#include "platform/xls/XlsWorkbook.h"
#include "shell/KVFileDialog.h"
#include "shell/KVWorkbookGrid.h"
#include "shell/uMessage.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>

namespace {

const QStringList kTitles{"Наименование", "Треб. кол.", "Номинал", "Ед. изм. номинала",
                          "Примечание"};
const int kWidths[] = {200, 100, 100, 160, 300};

QByteArray FileBytes(const QString& AFileName) {
    QFile file(AFileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class TProjectItemDialogTest : public TPackageTest, protected TMessageAnswers {
protected:
    void SetUp() override {
        TPackageTest::SetUp();
        FDialog = std::make_unique<TfrmImportProjectItem>();
    }
    void TearDown() override {
        FDialog.reset();
        TPackageTest::TearDown();
    }
    TfrmImportProjectItem& Dlg() { return *FDialog; }
    TXlsWorkbook& Book() { return Dlg().SpreadSheetBook()->Workbook(); }

    // Clicks "&Сохранить" with AFileName chosen in the save dialog.
    void SaveAs(const QString& AFileName) {
        const auto files = AnswerFiles(AFileName);
        Dlg().SaveButton()->click();
    }
    // Loads AFileName through "&Открыть".
    void OpenThrough(const QString& AFileName) {
        const auto files = AnswerFiles(AFileName);
        Dlg().OpenButton()->click();
    }
    // A sheet of two project items under the template's header.
    void FillItems(TXlsSheet& ASheet) {
        for (int c = 0; c < kTitles.size(); ++c)
            ASheet.SetCellText(c, 0, kTitles[c]);
        ASheet.SetCellText(0, 1, QStringLiteral("К561ИЕ1"));
        ASheet.SetCellNumber(1, 1, 2);
        ASheet.SetCellText(0, 2, QStringLiteral("Резистор \"R1\"; 5%"));
        ASheet.SetCellNumber(1, 2, 0.25);
        ASheet.SetCellText(2, 2, QStringLiteral("4,7"));
        ASheet.SetCellText(3, 2, QStringLiteral("кОм"));
        ASheet.SetCellText(4, 2, QStringLiteral("в цепь питания\nна плате 2"));
    }

    std::unique_ptr<TfrmImportProjectItem> FDialog;
};

} // namespace

TEST_F(TProjectItemDialogTest, ShownOnlyForAProject) {
    int shown = 0;
    const auto answer = [&] {
        AnswerModal<TfrmImportProjectItem>([&](TfrmImportProjectItem* ADialog) {
            ++shown;
            EXPECT_EQ(ADialog->windowTitle(), "Импорт состава проекта");
            EXPECT_TRUE(ADialog->isModal());
            QTest::keyClick(ADialog->OpenButton(), Qt::Key_Escape);
        });
    };
    answer();
    EXPECT_EQ(ShowImportProjectItemDlg(0), 0);
    QTest::qWait(50);
    EXPECT_EQ(shown, 0);
    // The timer still waits: a dialog for a project is answered by it and closes with Esc.
    EXPECT_EQ(ShowImportProjectItemDlg(7), int(mrCancel));
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(Messages.isEmpty());
}

TEST_F(TProjectItemDialogTest, ImportAndLogStayOffInEveryState) {
    const QString file = File(QStringLiteral("items.xls"));
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"created", [] {}},
        {"template", [this] { Dlg().CreatePatternButton()->click(); }},
        {"saved", [&] { SaveAs(file); }},
        {"log page", [this] { Dlg().LogModeItem()->trigger(); }},
        {"opened", [&] { OpenThrough(file); }},
        {"table page", [this] { Dlg().SelectDataModeItem()->trigger(); }},
        {"refused file", [this] { OpenThrough(File(QStringLiteral("none.xls"))); }},
    };
    for (const auto& [name, step] : steps) {
        step();
        EXPECT_FALSE(Dlg().ImportItemButton()->isEnabled()) << name;
        EXPECT_FALSE(Dlg().SaveLogButton()->isEnabled()) << name;
        EXPECT_TRUE(Dlg().LogMemo()->toPlainText().isEmpty()) << name;
    }
    EXPECT_TRUE(Dlg().ImportItemButton()->isDefault());
    EXPECT_EQ(FUI.Errors.size(), 1u); // the file that does not exist
}

TEST_F(TProjectItemDialogTest, ModeMenuSwitchesPagesAndFileCommandsShowTheTable) {
    EXPECT_TRUE(Dlg().Mode());
    EXPECT_TRUE(Dlg().SelectDataModeItem()->isChecked());
    EXPECT_FALSE(Dlg().LogModeItem()->isChecked());
    Dlg().LogModeItem()->trigger();
    EXPECT_FALSE(Dlg().Mode());
    EXPECT_EQ(Dlg().ModeNotebook()->currentWidget(), Dlg().LogMemo());
    EXPECT_TRUE(Dlg().LogModeItem()->isChecked());
    EXPECT_FALSE(Dlg().SelectDataModeItem()->isChecked());

    // The template shows the table but leaves the check marks alone.
    Dlg().CreatePatternButton()->click();
    EXPECT_TRUE(Dlg().Mode());
    EXPECT_TRUE(Dlg().LogModeItem()->isChecked());
    Dlg().SelectDataModeItem()->trigger();
    EXPECT_TRUE(Dlg().SelectDataModeItem()->isChecked());
    EXPECT_FALSE(Dlg().LogModeItem()->isChecked());
}

TEST_F(TProjectItemDialogTest, TemplateIsWrittenAndReadBack) {
    Dlg().CreatePatternButton()->click();
    EXPECT_TRUE(Messages.isEmpty());
    const QString file = File(QStringLiteral("blank"));
    SaveAs(file);
    const QString saved = file + QStringLiteral(".xls");
    ASSERT_TRUE(QFile::exists(saved));

    const QJsonObject dump = XlrdHeaderDump(saved, 5);
    ASSERT_FALSE(dump.isEmpty());
    EXPECT_EQ(dump["name"].toString(), "blank");
    EXPECT_EQ(dump["rows"].toInt(), 1);
    EXPECT_EQ(dump["height"].toInt(), XlsPixelsToTwips(30));
    const QJsonArray cells = dump["cells"].toArray();
    ASSERT_EQ(cells.size(), 5);
    for (int c = 0; c < 5; ++c) {
        const QJsonObject cell = cells[c].toObject();
        EXPECT_EQ(cell["text"].toString(), kTitles[c]);
        EXPECT_TRUE(cell["bold"].toBool()) << c;
        EXPECT_EQ(cell["h"].toInt(), 2) << c; // centred
        EXPECT_EQ(cell["v"].toInt(), 1) << c; // centred
        EXPECT_EQ(cell["bg"].toInt(), 3 + 8) << c;
    }
    // xlrd gives widths in its own unit: their order shows which column is which.
    const QJsonArray widths = dump["widths"].toArray();
    ASSERT_EQ(widths.size(), 5);
    EXPECT_EQ(widths[1].toInt(), widths[2].toInt());
    EXPECT_LT(widths[2].toInt(), widths[3].toInt());
    EXPECT_LT(widths[3].toInt(), widths[0].toInt());
    EXPECT_LT(widths[0].toInt(), widths[4].toInt());

    // Our reader, through the dialog's open command, gives the same workbook to the grid.
    Book().Clear();
    Dlg().SpreadSheetBook()->WorkbookChanged();
    OpenThrough(saved);
    const TXlsSheet* sheet = Dlg().SpreadSheetBook()->ActiveSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(Book().SheetCount(), 1);
    EXPECT_EQ(sheet->Name(), "blank");
    EXPECT_EQ(sheet->RowCount(), 1);
    EXPECT_EQ(sheet->RowHeight(0), 30);
    TXlsCellStyle header;
    header.FFontStyle = xfsBold;
    header.FHorzAlign = xhaCenter;
    header.FVertAlign = xvaCenter;
    header.FBackground = 3;
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(sheet->CellText(c, 0), kTitles[c]);
        EXPECT_EQ(sheet->ColumnWidth(c), kWidths[c]);
        EXPECT_EQ(sheet->CellStyle(c, 0), header) << c;
        EXPECT_EQ(Dlg().SpreadSheetBook()->View()->columnWidth(c), kWidths[c]);
    }
}

TEST_F(TProjectItemDialogTest, FilledWorkbookIsSavedAndReadBackEqual) {
    Dlg().show();
    FillItems(Book().AddSheet(QStringLiteral("Плата 1")));
    TXlsSheet& second = Book().AddSheet(QStringLiteral("Плата 2"));
    second.SetCellText(0, 0, QStringLiteral("КТ315Б"));
    second.SetCellNumber(1, 0, 1e-7);
    Dlg().SpreadSheetBook()->WorkbookChanged();

    // A cell typed in the grid and still in its editor when the user saves is saved too.
    TKVSheetView* view = Dlg().SpreadSheetBook()->View();
    const QModelIndex cell = view->model()->index(1, 2);
    view->setCurrentIndex(cell);
    view->edit(cell);
    auto* editor = qobject_cast<QLineEdit*>(view->indexWidget(cell));
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("100"));
    const QString file = File(QStringLiteral("items.xls"));
    SaveAs(file);

    TXlsWorkbook back;
    back.LoadFromFile(file);
    ASSERT_EQ(back.SheetCount(), Book().SheetCount());
    for (int i = 0; i < back.SheetCount(); ++i) {
        const TXlsSheet& a = Book().Sheet(i);
        const TXlsSheet& b = back.Sheet(i);
        EXPECT_EQ(b.Name(), a.Name());
        ASSERT_EQ(b.ColumnCount(), a.ColumnCount()) << i;
        ASSERT_EQ(b.RowCount(), a.RowCount()) << i;
        for (int r = 0; r < a.RowCount(); ++r)
            for (int c = 0; c < a.ColumnCount(); ++c) {
                EXPECT_EQ(b.CellText(c, r), a.CellText(c, r)) << i << ' ' << c << ' ' << r;
                EXPECT_EQ(b.Cell(c, r).Kind(), a.Cell(c, r).Kind()) << i << ' ' << c << ' ' << r;
                EXPECT_EQ(b.Cell(c, r).Number(), a.Cell(c, r).Number());
            }
    }
    EXPECT_EQ(back.Sheet(0).CellText(2, 1), "100");
    EXPECT_EQ(back.Sheet(0).CellText(4, 2), "в цепь питания\nна плате 2");
    EXPECT_EQ(back.Sheet(1).Cell(1, 0).Number(), 1e-7);
}

TEST_F(TProjectItemDialogTest, ReplacingAFileIsAskedFirst) {
    const QString file = File(QStringLiteral("items.xls"));
    FillItems(Book().AddSheet(QStringLiteral("Лист1")));
    Dlg().SpreadSheetBook()->WorkbookChanged();
    SaveAs(file);
    EXPECT_TRUE(Messages.isEmpty());
    const QByteArray first = FileBytes(file);
    ASSERT_FALSE(first.isEmpty());

    Book().ActiveSheet()->SetCellText(0, 1, QStringLiteral("К561ИЕ2"));
    Answers = {mrNo};
    SaveAs(file);
    EXPECT_EQ(Messages, QStringList{"Файл items.xls уже существует. Заменить его?"});
    EXPECT_EQ(FileBytes(file), first);

    // The name without its extension is the same file.
    Answers = {mrYes};
    SaveAs(File(QStringLiteral("items")));
    EXPECT_EQ(Messages.size(), 2);
    TXlsWorkbook back;
    back.LoadFromFile(file);
    EXPECT_EQ(back.Sheet(0).CellText(0, 1), "К561ИЕ2");
}

TEST_F(TProjectItemDialogTest, TemplateAsksOnlyOverATable) {
    // (columns, rows) of the one sheet before the template; whether that is a table.
    const struct {
        int Columns;
        int Rows;
        bool Asks;
    } cases[] = {{0, 0, false}, {5, 1, false}, {2, 9, false}, {3, 2, true}};
    for (const auto& c : cases) {
        Book().Clear();
        if (c.Columns > 0) {
            TXlsSheet& sheet = Book().AddSheet(QStringLiteral("s"));
            sheet.SetCellText(c.Columns - 1, c.Rows - 1, QStringLiteral("x"));
        }
        Dlg().SpreadSheetBook()->WorkbookChanged();
        Messages.clear();
        Answers = {mrNo};
        Dlg().CreatePatternButton()->click();
        EXPECT_EQ(Messages, c.Asks ? QStringList{"Создать пустой шаблон?"} : QStringList())
            << c.Columns << 'x' << c.Rows;
        EXPECT_EQ(Book().Sheet(0).Name(), c.Asks ? "s" : "blank") << c.Columns << 'x' << c.Rows;
        Answers.clear();
    }

    // A loaded table is replaced on Yes; a table on a sheet that is not active counts too.
    Book().Clear();
    Book().AddSheet(QStringLiteral("пусто"));
    FillItems(Book().AddSheet(QStringLiteral("Лист2")));
    Dlg().SpreadSheetBook()->WorkbookChanged();
    Messages.clear();
    Answers = {mrYes};
    Dlg().CreatePatternButton()->click();
    EXPECT_EQ(Messages, QStringList{"Создать пустой шаблон?"});
    ASSERT_EQ(Book().SheetCount(), 1);
    EXPECT_EQ(Book().Sheet(0).Name(), "blank");
    EXPECT_EQ(Dlg().SpreadSheetBook()->View()->model()->index(0, 3).data().toString(),
              "Ед. изм. номинала");
}
