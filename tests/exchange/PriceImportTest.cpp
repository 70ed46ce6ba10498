// The supplier price-list import: rows found, unknown and with bad prices, insert then update,
// the test run, the class filter, the optional note column, a row the database refuses, the
// helpers of the sheet, and the dialog with its workbooks (the template read back by xlrd,
// damaged files refused).

#include "tests/exchange/ExchangeTestSupport.h"

#include "exchange/KVPriceImport.h"
#include "exchange/frmImportPrice.h"
#include "platform/xls/XlsFile.h"
#include "platform/xls/XlsWorkbook.h"
#include "shell/KVButtonEdit.h"
#include "shell/KVFileDialog.h"
#include "shell/KVWorkbookGrid.h"
#include "shell/uMessage.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>

#include <random>

namespace {

// A sheet of price rows after the header: name, price (a text, or a number cell when it
// starts with '#'), note.
void FillSheet(TXlsSheet& ASheet, const std::vector<std::array<QString, 3>>& ARows) {
    ASheet.SetCellText(0, 0, QStringLiteral("Тип элемента"));
    ASheet.SetCellText(1, 0, QStringLiteral("Цена"));
    ASheet.SetCellText(2, 0, QStringLiteral("Примечание"));
    for (int r = 0; r < static_cast<int>(ARows.size()); ++r) {
        const auto& row = ARows[size_t(r)];
        ASheet.SetCellText(0, r + 1, row[0]);
        if (row[1].startsWith(u'#'))
            ASheet.SetCellNumber(1, r + 1, row[1].mid(1).toDouble());
        else
            ASheet.SetCellText(1, r + 1, row[1]);
        ASheet.SetCellText(2, r + 1, row[2]);
    }
}

// The prices of supplier 1 as "DBID:ID price note" lines in key order.
QStringList Prices(const QString& AFileName) {
    QStringList lines;
    TDirectDataBase db(AFileName);
    db.Run([&](TIBQuery& q) {
        q.SetSQL(QStringLiteral("SELECT ELEMENTTYPEDBID, ELEMENTTYPEID, V_PRICE, S_TEXT, V_FLAG, "
                                "C_TIMESTAMP, U_TIMESTAMP FROM T_ELEMENT_SUPPLIER WHERE "
                                "SUPPLIERID = 1 ORDER BY ELEMENTTYPEDBID, ELEMENTTYPEID, ID"));
        for (q.Open(); !q.Eof(); q.Next())
            lines << QStringLiteral("%1:%2 %3 %4")
                         .arg(q.Fields(0).AsInteger())
                         .arg(q.Fields(1).AsInteger())
                         .arg(q.Fields(2).AsDouble())
                         .arg(q.Fields(3).IsNull() ? QStringLiteral("<NULL>")
                                                   : q.Fields(3).AsString());
    });
    return lines;
}

} // namespace

class TPriceImportTest : public TPackageTest {
protected:
    // A database with the catalogue (К561ИЕ1, К561ИЕ2 and К561ИЕ77 of DBID 1000 in class 3,
    // К561ИЕ3 in class 5) and two suppliers; supplier 2 has a price of К561ИЕ1.
    void SetUp() override {
        TPackageTest::SetUp();
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        FDB = &NewDataBase(1011, true);
        FDB->Exec(QStringLiteral("INSERT INTO T_SUPPLIER (ID, S_NAME) VALUES (1, 'Чип и Дип')"));
        FDB->Exec(QStringLiteral("INSERT INTO T_SUPPLIER (ID, S_NAME) VALUES (2, 'Платан')"));
        FDB->Exec(QStringLiteral("INSERT INTO T_ELEMENT_SUPPLIER (ID, ELEMENTTYPEDBID, "
                                 "ELEMENTTYPEID, SUPPLIERID, V_PRICE) VALUES (1, 1011, 1, 2, 7)"));
        FDB->Exec(QStringLiteral("ALTER SEQUENCE GEN_T_ELEMENT_SUPPLIER_ID RESTART WITH 10"));
        Connect(*FDB);
        FSheet = &FBook.AddSheet(QStringLiteral("Лист1"));
    }
    void TearDown() override {
        QLocale::setDefault(QLocale::c());
        TPackageTest::TearDown();
    }

    bool Run(bool ATestImport = false, quint32 AClassDBId = 0, quint32 AClassId = 0) {
        FMonitor.Lines.clear();
        TKVPriceImporter importer(Module(), FMonitor);
        importer.SetSupplier(1);
        importer.SetClass(AClassDBId, AClassId);
        const bool result = importer.ImportPriceData(FSheet, ATestImport);
        FImported = importer.ImportedCount();
        FSkipped = importer.SkippedCount();
        return result;
    }
    // The log without the lines that carry the time of the run.
    QStringList Log() const {
        QStringList lines = FMonitor.Lines;
        lines.removeIf([](const QString& ALine) { return ALine.startsWith(u'['); });
        return lines;
    }

    TTestDataBase* FDB = nullptr;
    TXlsWorkbook FBook;
    TXlsSheet* FSheet = nullptr;
    int FImported = 0;
    int FSkipped = 0;
};

TEST_F(TPriceImportTest, UnknownNamesAndBadPricesAreSkippedAndCounted) {
    FillSheet(*FSheet, {{" к561ие1 ", "12,5", " лента "},
                        {"К561ИЕ2", "#3.25", ""},
                        {"Нет такого", "1", ""},
                        {"", "5", "пустое имя пропускается молча"},
                        {"К561ИЕ3", "1.5", ""},
                        {"К561ИЕ77", "1 000", ""},
                        {"ЕЩЁ НЕТ", "", ""},
                        {"к561ие3", "0,75", ""}});
    EXPECT_FALSE(Run());
    EXPECT_EQ(FImported, 3);
    EXPECT_EQ(FSkipped, 4);
    EXPECT_EQ(Log(), (QStringList{
                         "Тип элемента \" НЕТ ТАКОГО \" не найден;",
                         "Ошибка: не удалось опеределить значение в ячейке [5; 1];",
                         "Ошибка: не удалось опеределить значение в ячейке [6; 1];",
                         "Тип элемента \" ЕЩЁ НЕТ \" не найден;",
                         "Всего импортировано записей: 3;",
                         "Пропущено записей с ошибками: 4;",
                     }));
    EXPECT_TRUE(FMonitor.Lines.first().endsWith("] Импорт данных начат..."));
    EXPECT_TRUE(FMonitor.Lines.last().endsWith("] Импорт данных завершен;"));
    EXPECT_EQ(Prices(FDB->FileName()),
              (QStringList{"1011:1 12.5 лента", "1011:2 3.25 <NULL>", "1011:3 0.75 <NULL>"}));
    // New rows: keys from the generator, no flag, created now, never updated.
    EXPECT_EQ(CountOf(FDB->FileName(),
                      QStringLiteral("SELECT COUNT(*) FROM T_ELEMENT_SUPPLIER WHERE ID >= 10 AND "
                                     "V_FLAG IS NULL AND C_TIMESTAMP IS NOT NULL AND U_TIMESTAMP "
                                     "IS NULL")),
              3);
}

TEST_F(TPriceImportTest, TestRunWritesNothingThenInsertsThenUpdates) {
    FillSheet(*FSheet, {{"К561ИЕ1", "2", "первая"}, {"К561ИЕ2", "3", ""}});
    EXPECT_TRUE(Run(true));
    EXPECT_EQ(FImported, 2);
    EXPECT_EQ(FMonitor.Lines.value(1), "ВНИМАНИЕ! Импорт производится в тестовом режиме. Данные "
                                       "не будут записаны в БД!");
    EXPECT_TRUE(Prices(FDB->FileName()).isEmpty());

    EXPECT_TRUE(Run());
    EXPECT_EQ(Prices(FDB->FileName()), (QStringList{"1011:1 2 первая", "1011:2 3 <NULL>"}));

    // The second import updates the same rows; a type the sheet leaves out keeps its price,
    // and the price of the other supplier stays.
    FSheet->SetCellText(1, 1, QStringLiteral("2,2"));
    FSheet->ClearCell(2, 1);
    FSheet->ClearCell(0, 2);
    EXPECT_TRUE(Run());
    EXPECT_EQ(FImported, 1);
    EXPECT_EQ(Prices(FDB->FileName()), (QStringList{"1011:1 2.2 <NULL>", "1011:2 3 <NULL>"}));
    EXPECT_EQ(CountOf(FDB->FileName(), QStringLiteral("SELECT COUNT(*) FROM T_ELEMENT_SUPPLIER "
                                                      "WHERE SUPPLIERID = 1 AND U_TIMESTAMP IS "
                                                      "NOT NULL")),
              1);
    EXPECT_EQ(CountOf(FDB->FileName(),
                      QStringLiteral("SELECT COUNT(*) FROM T_ELEMENT_SUPPLIER WHERE SUPPLIERID = "
                                     "2 AND V_PRICE = 7")),
              1);
}

TEST_F(TPriceImportTest, ClassNarrowsTheLookup) {
    FillSheet(*FSheet, {{"К561ИЕ1", "1", ""}, {"К561ИЕ3", "2", ""}});
    EXPECT_FALSE(Run(false, 1011, 5));
    EXPECT_EQ(Log().value(0), "Тип элемента \" К561ИЕ1 \" не найден;");
    EXPECT_EQ(Prices(FDB->FileName()), QStringList{"1011:3 2 <NULL>"});
}

TEST_F(TPriceImportTest, SheetShapes) {
    // Only the header: nothing to import, a success.
    FillSheet(*FSheet, {});
    EXPECT_TRUE(Run());
    EXPECT_EQ(Log(), QStringList{"Всего импортировано записей: 0;"});

    // Name and price without a note column.
    FBook.Clear();
    FSheet = &FBook.AddSheet(QStringLiteral("Два столбца"));
    FSheet->SetCellText(0, 0, QStringLiteral("Тип"));
    FSheet->SetCellText(0, 1, QStringLiteral("К561ИЕ2"));
    FSheet->SetCellNumber(1, 1, 4);
    ASSERT_EQ(FSheet->ColumnCount(), 2);
    EXPECT_TRUE(Run());
    EXPECT_EQ(Prices(FDB->FileName()), QStringList{"1011:2 4 <NULL>"});

    // No sheet, or no supplier: nothing happens.
    FMonitor.Lines.clear();
    TKVPriceImporter importer(Module(), FMonitor);
    EXPECT_TRUE(importer.ImportPriceData(FSheet, false));
    importer.SetSupplier(1);
    EXPECT_TRUE(importer.ImportPriceData(nullptr, false));
    EXPECT_TRUE(FMonitor.Lines.isEmpty());
}

TEST_F(TPriceImportTest, ARowTheDataBaseRefusesIsLoggedAndTheRunGoesOn) {
    // A note longer than the column takes.
    FillSheet(*FSheet,
              {{"К561ИЕ1", "1", QString(300, u'ж')}, {"К561ИЕ2", "2", ""}, {"К561ИЕ3", "3", ""}});
    EXPECT_FALSE(Run());
    EXPECT_EQ(FImported, 2);
    EXPECT_EQ(FSkipped, 1);
    EXPECT_EQ(Log().value(0), "Ошибка: строка 1 не импортирована;");
    EXPECT_TRUE(Log().value(1).startsWith("Error ")) << Log().value(1).toStdString();
    EXPECT_TRUE(FUI.Errors.empty());
    EXPECT_EQ(Prices(FDB->FileName()), (QStringList{"1011:2 2 <NULL>", "1011:3 3 <NULL>"}));
}

TEST(PriceSheet, CutNamesAndParsePrices) {
    const std::pair<const char*, const char*> cuts[] = {
        {"КТ315Б, корпус КТ-13", "КТ315Б"}, {"К561ИЕ10", "К561ИЕ10"}, {"BC547.B", "BC547"},
        {"LM317;TO-220", "LM317"},          {" начало с пробела", ""},   {"", ""}};
    for (const auto& [text, cut] : cuts)
        EXPECT_EQ(CutElementTypeName(QString::fromUtf8(text)), QString::fromUtf8(cut)) << text;

    TXlsWorkbook book;
    TXlsSheet& sheet = book.AddSheet(QStringLiteral("s"));
    FillSheet(sheet, {{"  КТ315Б, КТ-13 ", "1", ""}, {"КТ361", "2", ""}});
    ClearElementTypeNames(sheet);
    EXPECT_EQ(sheet.CellText(0, 0), "Тип элемента");
    EXPECT_EQ(sheet.CellText(0, 1), "КТ315Б");
    EXPECT_EQ(sheet.CellText(0, 2), "КТ361");

    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    const struct {
        const char* Text;
        bool Ok;
        double Value;
    } prices[] = {{"12,5", true, 12.5}, {" 3 ", true, 3},  {"-0,25", true, -0.25},
                  {"12.5", false, 0},   {"1 000", false, 0}, {"", false, 0},
                  {"abc", false, 0},    {"inf", false, 0}};
    for (const auto& p : prices) {
        double value = 0;
        EXPECT_EQ(ParsePriceText(QString::fromUtf8(p.Text), value), p.Ok) << p.Text;
        if (p.Ok) {
            EXPECT_EQ(value, p.Value) << p.Text;
        }
    }
    QLocale::setDefault(QLocale::c());
    double value = 0;
    EXPECT_TRUE(ParsePriceText(QStringLiteral("12.5"), value));
    EXPECT_EQ(value, 12.5);
}

// ------------------------------------------------------------------------------------ Dialog

class TPriceDialogTest : public TPriceImportTest, protected TMessageAnswers {
protected:
    void SetUp() override {
        TPriceImportTest::SetUp();
        FDialog = std::make_unique<TfrmImportPrice>();
    }
    void TearDown() override {
        FDialog.reset();
        TPriceImportTest::TearDown();
    }
    TfrmImportPrice& Dlg() { return *FDialog; }

    std::unique_ptr<TfrmImportPrice> FDialog;
};

TEST_F(TPriceDialogTest, TemplateIsWrittenAndReadBackByXlrd) {
    Dlg().CreatePatternButton()->click();
    EXPECT_TRUE(Messages.isEmpty());
    const QString file = File(QStringLiteral("price"));
    {
        const auto files = AnswerFiles(file);
        Dlg().SaveButton()->click();
    }
    const QString saved = file + QStringLiteral(".xls");
    ASSERT_TRUE(QFile::exists(saved));

    const QJsonObject dump = XlrdHeaderDump(saved, 3);
    ASSERT_FALSE(dump.isEmpty());
    EXPECT_EQ(dump["name"].toString(), "blank");
    EXPECT_EQ(dump["rows"].toInt(), 1);
    EXPECT_EQ(dump["height"].toInt(), XlsPixelsToTwips(30));
    const QString currency = Module().CurrencyName();
    const QStringList texts{"Тип элемента", QStringLiteral("Цена (%1)").arg(currency),
                            "Примечание"};
    const QJsonArray cells = dump["cells"].toArray();
    ASSERT_EQ(cells.size(), 3);
    for (int c = 0; c < 3; ++c) {
        const QJsonObject cell = cells[c].toObject();
        EXPECT_EQ(cell["text"].toString(), texts[c]);
        EXPECT_TRUE(cell["bold"].toBool());
        EXPECT_EQ(cell["h"].toInt(), 2); // centred
        EXPECT_EQ(cell["v"].toInt(), 1); // centred
        EXPECT_EQ(cell["bg"].toInt(), 3 + 8);
    }
    const QJsonArray widths = dump["widths"].toArray();
    EXPECT_LT(widths[0].toInt(), widths[2].toInt());
    EXPECT_LT(widths[1].toInt(), widths[0].toInt());

    // Our reader gives the same workbook back, and the grid shows it.
    Dlg().SpreadSheetBook()->Workbook().Clear();
    Dlg().SpreadSheetBook()->WorkbookChanged();
    ASSERT_TRUE(Dlg().OpenWorkbook(saved));
    const TXlsSheet* sheet = Dlg().SpreadSheetBook()->ActiveSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->Name(), "blank");
    EXPECT_EQ(sheet->ColumnWidth(0), 200);
    EXPECT_EQ(sheet->ColumnWidth(1), 60);
    EXPECT_EQ(sheet->ColumnWidth(2), 300);
    EXPECT_EQ(sheet->RowHeight(0), 30);
    EXPECT_EQ(sheet->CellText(1, 0), texts[1]);
    EXPECT_EQ(sheet->CellStyle(0, 0).FBackground, 3);
    const QAbstractItemModel* model = Dlg().SpreadSheetBook()->View()->model();
    EXPECT_EQ(model->index(0, 2).data().toString(), "Примечание");
    EXPECT_EQ(Dlg().SpreadSheetBook()->View()->columnWidth(0), 200);

    // A filled sheet is replaced only after the question.
    Dlg().SpreadSheetBook()->ActiveSheet()->SetCellText(0, 1, QStringLiteral("К561ИЕ1"));
    Answers = {mrNo};
    Dlg().CreatePatternButton()->click();
    EXPECT_EQ(Messages, QStringList{"Создать пустой шаблон?"});
    EXPECT_EQ(Dlg().SpreadSheetBook()->ActiveSheet()->CellText(0, 1), "К561ИЕ1");
    Answers = {mrYes};
    Dlg().CreatePatternButton()->click();
    EXPECT_EQ(Dlg().SpreadSheetBook()->ActiveSheet()->RowCount(), 1);
}

TEST_F(TPriceDialogTest, ImportFromTheGridReportsSkippedRows) {
    EXPECT_FALSE(Dlg().ImportButton()->isEnabled());
    EXPECT_FALSE(Dlg().SaveLogButton()->isEnabled());
    Dlg().SetClass(1011, 3, QStringLiteral("Счётчики"));
    EXPECT_FALSE(Dlg().ImportButton()->isEnabled());
    Dlg().SetSupplier(1, QStringLiteral("Чип и Дип"));
    EXPECT_TRUE(Dlg().ImportButton()->isEnabled());
    EXPECT_EQ(Dlg().SupplierEdit()->text(), "Чип и Дип");

    TXlsWorkbook& book = Dlg().SpreadSheetBook()->Workbook();
    FillSheet(book.AddSheet(QStringLiteral("Прайс")),
              {{"К561ИЕ1", "1,5", ""}, {"К561ИЕ3", "2", ""}, {"Нет", "3", ""}});
    Dlg().SpreadSheetBook()->WorkbookChanged();

    Dlg().TestImportItem()->trigger();
    EXPECT_FALSE(Dlg().Mode());
    EXPECT_TRUE(Dlg().SelectDataModeItem()->isChecked()); // the run leaves the checks alone
    EXPECT_TRUE(Dlg().SaveLogButton()->isEnabled());
    EXPECT_EQ(Messages, QStringList{"Импорт данных завершен с ошибками (пропущено записей: 2)"});
    EXPECT_TRUE(Prices(FDB->FileName()).isEmpty());

    // Del in the class editor clears the class; the import then finds К561ИЕ3 too.
    Dlg().ClassEdit()->LineEdit()->setFocus();
    QTest::keyClick(Dlg().ClassEdit()->LineEdit(), Qt::Key_Delete);
    EXPECT_EQ(Dlg().ClassId(), 0u);
    EXPECT_TRUE(Dlg().ClassEdit()->text().isEmpty());
    book.ActiveSheet()->ClearCell(0, 3);
    Messages.clear();
    Dlg().ImportItem()->trigger();
    EXPECT_EQ(Messages, QStringList{"Импорт данных завершен успешно"});
    EXPECT_EQ(Prices(FDB->FileName()), (QStringList{"1011:1 1.5 <NULL>", "1011:3 2 <NULL>"}));

    QTest::keyClick(Dlg().SupplierEdit()->LineEdit(), Qt::Key_Delete);
    EXPECT_FALSE(Dlg().ImportButton()->isEnabled());
}

TEST_F(TPriceDialogTest, FilesThatAreNoWorkbooksAreRefusedAndTheGridStays) {
    MakePriceTemplate(Dlg().SpreadSheetBook()->Workbook(), QStringLiteral("руб."));
    Dlg().SpreadSheetBook()->WorkbookChanged();
    const QString good = File(QStringLiteral("good.xls"));
    Dlg().SpreadSheetBook()->SaveToFile(good);
    QFile in(good);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray bytes = in.readAll();

    const auto write = [this](const QString& AName, const QByteArray& ABytes) {
        const QString name = File(AName);
        QFile out(name);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(ABytes);
        return name;
    };
    EXPECT_FALSE(Dlg().OpenWorkbook(write("text.xls", "Тип;Цена\nК561ИЕ1;1\n")));
    EXPECT_FALSE(Dlg().OpenWorkbook(write("half.xls", bytes.left(bytes.size() / 2))));
    EXPECT_FALSE(Dlg().OpenWorkbook(write("empty.xls", QByteArray())));
    EXPECT_EQ(FUI.Errors.size(), 3u);
    for (const auto& error : FUI.Errors)
        EXPECT_FALSE(error.Text.isEmpty());
    EXPECT_EQ(Dlg().SpreadSheetBook()->ActiveSheet()->Name(), "blank");

    // Damaged copies either load or are refused with a message; the dialog stays usable.
    std::mt19937 random(28);
    for (int i = 0; i < 40; ++i) {
        QByteArray damaged = bytes;
        for (int k = 0; k < 8; ++k)
            damaged[int(random() % damaged.size())] = char(random());
        FUI.Errors.clear();
        const bool loaded = Dlg().OpenWorkbook(write(QStringLiteral("d%1.xls").arg(i), damaged));
        EXPECT_EQ(FUI.Errors.size(), loaded ? 0u : 1u);
    }
    Dlg().SetSupplier(1, QStringLiteral("Чип и Дип"));
    Dlg().ImportItem()->trigger();
    EXPECT_FALSE(Messages.isEmpty());
}
