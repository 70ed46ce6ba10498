// The element-type summary and the case-drawing window on a real database: the pages with and
// without rows, pins laid out by the case's pin count, the pictures and their toggles, a type
// deleted meanwhile, the column widths kept; the drawing of a case and of a type with its pins,
// the window's size cap and the save only after a successful drawing.

#include "tests/catalogue/CatalogueTestSupport.h"

#include "catalogue/frmCaseVis.h"
#include "catalogue/frmElementTypeSummary.h"
#include "refbooks/_frmCase.h"
#include "refbooks/frmCase.h"
#include "views/KVPictureBox.h"

#include <QImageReader>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTreeWidget>

namespace {

class SummaryTest : public TCatalogueTest {
protected:
    void SetUp() override {
        TCatalogueTest::SetUp();
        AddClass(1, QStringLiteral("Микросхемы"));
        AddCase(1, QStringLiteral("DIP8"), 1, 0);
        DB().Exec(QStringLiteral("UPDATE T_CASE SET V_PINCOUNT = 8, S_DESCRIPTION = 'пластик' "
                                 "WHERE ID = 1"));
        AddMaker(1, QStringLiteral("TI"));
        AddType(1, 1, QStringLiteral("NE555"), QStringLiteral("555"), 1, 1,
                QStringLiteral("Таймер"));
        AddType(2, 1, QStringLiteral("LM358"));
    }
    void AddPinRow(quint32 AId, quint32 ATypeId, int ANum, const QString& AName, int AAssign = 0) {
        Exec(QStringLiteral("INSERT INTO T_PIN (DBID, ID, ELEMENTTYPEDBID, ELEMENTTYPEID, V_NUM, "
                            "S_NAME, V_ASSIGN, V_FLAG) VALUES (1011, %1, 1011, %2, %3, %4, %5, "
                            "0)"),
             {AId, ATypeId, ANum, AName, AAssign});
    }
    static QStringList Row(const QTreeWidget* AList, int ARow) {
        QStringList texts;
        const QTreeWidgetItem* item = AList->topLevelItem(ARow);
        for (int c = 0; item && c < AList->columnCount(); ++c)
            texts << item->text(c);
        return texts;
    }
    TfrmElementTypeSummary* Open(quint32 AId) {
        DB();
        return OpenCardElementTypeSummary(1011, AId);
    }
};

TEST_F(SummaryTest, PagesOfATypeWithEveryKindOfRow) {
    AddPinRow(1, 1, 1, QStringLiteral("GND"), ptGND);
    AddPinRow(2, 1, 3, QStringLiteral("OUT"), ptOutput);
    AddPinRow(3, 1, 9, QStringLiteral("EXTRA"));
    AddPinRow(4, 1, 0, QStringLiteral("ZERO"));
    AddUnit(1011, 1, QStringLiteral("шт"));
    AddBaseParam(1, 1, QStringLiteral("Vcc"), 0, QStringLiteral("U1"));
    AddValue(1, 1, 1, 15.0, 0);
    AddSupplier(1, QStringLiteral("Чип и Дип"));
    AddPrice(1, 1, 1, 12.5);
    AddStock(1, 1, 3);
    DB().Exec(
        QStringLiteral("UPDATE T_ELEMENT_AVAIL SET S_MARKING = 'NE555P', UNITCOUNTDBID = "
                       "1011, UNITCOUNTID = 1, C_TIMESTAMP = '2024-05-06 07:08:00' WHERE ID = 1"));
    DB().Exec(QStringLiteral("INSERT INTO T_ELEMENT_ANALOG (DBID, ID, PELEMENTTYPEDBID, "
                             "PELEMENTTYPEID, AELEMENTTYPEDBID, AELEMENTTYPEID, V_FUNCTIONAL, "
                             "V_FEATURES, V_CASE, V_PINOUT, S_TEXT) VALUES (1011, 1, 1011, 1, "
                             "1011, 2, 1, 9, 0, 4, 'почти')"));
    DB().Exec(QStringLiteral("INSERT INTO T_PROJECT (ID, S_NAME, S_CATEGORY) VALUES (1, "
                             "'Генератор', 'Дом')"));
    DB().Exec(QStringLiteral("INSERT INTO T_PROJECT_ITEM (ID, PROJECTID, ELEMENTTYPEDBID, "
                             "ELEMENTTYPEID, ELEMENTAVAILID, V_COUNT_FLOAT) VALUES (1, 1, 1011, 1, "
                             "1, 2)"));

    TfrmElementTypeSummary* summary = Open(1);
    ASSERT_NE(summary, nullptr);
    EXPECT_EQ(summary->windowTitle(), QStringLiteral("NE555 - Сводная информация"));
    EXPECT_EQ(summary->PinCount(), 8);
    EXPECT_EQ(summary->ValueLabel(0)->text(), QStringLiteral("Микросхемы"));
    EXPECT_EQ(summary->ValueLabel(3)->text(), QStringLiteral("555"));
    EXPECT_EQ(summary->ValueLabel(5)->text(), QStringLiteral("пластик"));
    EXPECT_EQ(summary->ValueLabel(6)->text(),
              QStringLiteral("Выводов 8; монтаж %1").arg(CaseMountTypeToStr(1)));
    EXPECT_EQ(summary->ValueLabel(7)->text(), QStringLiteral("TI"));
    for (int page = 0; page <= 6; ++page)
        EXPECT_TRUE(summary->PageButton(page)->isEnabled()) << page;
    EXPECT_TRUE(summary->PageButton(0)->isChecked());
    EXPECT_EQ(summary->Notebook()->currentIndex(), 0);

    // Eight case pins, 1 and 3 described, then the rows outside 1..8 in number order.
    const QTreeWidget* pins = summary->PageList(spPin);
    ASSERT_EQ(pins->topLevelItemCount(), 10);
    EXPECT_EQ(Row(pins, 0), (QStringList{"1", "GND", "", PinTypeToStr(ptGND)}));
    EXPECT_EQ(Row(pins, 1), (QStringList{"2", "", "", ""}));
    EXPECT_EQ(Row(pins, 2).value(1), QStringLiteral("OUT"));
    EXPECT_EQ(Row(pins, 8).mid(0, 2), (QStringList{"0", "ZERO"}));
    EXPECT_EQ(Row(pins, 9).mid(0, 2), (QStringList{"9", "EXTRA"}));

    EXPECT_EQ(Row(summary->PageList(spParam), 0).value(0), QStringLiteral("p"));
    const QStringList avail = Row(summary->PageList(spAvail), 0);
    EXPECT_EQ(avail.value(0), QStringLiteral("NE555P"));
    EXPECT_EQ(avail.value(1), QStringLiteral("3 шт"));
    EXPECT_EQ(avail.value(2), QString());
    EXPECT_EQ(avail.value(5), QStringLiteral("06.05.2024 07:08"));
    EXPECT_EQ(
        Row(summary->PageList(spSupplier), 0).mid(0, 2),
        (QStringList{"Чип и Дип", QStringLiteral("12%1").arg(QLocale().decimalPoint()) + "50"}));
    EXPECT_EQ(Row(summary->PageList(spAnalog), 0),
              (QStringList{"LM358", SimilalFunctionalTypeToStr(1), "", "",
                           SimilalPinoutTypeToStr(4), "почти"}));
    EXPECT_EQ(Row(summary->PageList(spProject), 0), (QStringList{"Генератор", "Дом", "2 шт"}));

    summary->PageButton(2)->click();
    EXPECT_EQ(summary->Notebook()->currentIndex(), 2);
    EXPECT_FALSE(summary->PageButton(0)->isChecked());
}

TEST_F(SummaryTest, EmptyPagesCannotBeChosenAndPicturesFollowTheirToggles) {
    TfrmElementTypeSummary* bare = Open(2); // no case, no rows of any kind
    ASSERT_NE(bare, nullptr);
    EXPECT_TRUE(bare->PageButton(0)->isEnabled());
    for (int page = 1; page <= 6; ++page)
        EXPECT_FALSE(bare->PageButton(page)->isEnabled()) << page;
    EXPECT_FALSE(bare->ViewElementButton()->isEnabled());
    EXPECT_FALSE(bare->ViewCaseButton()->isEnabled());
    EXPECT_TRUE(bare->ViewArea()->Image().isEmpty());

    // Without a case the pin rows stand alone; only the case picture shows at once.
    AddPinRow(1, 2, 4, QStringLiteral("IN"));
    DB();
    const QByteArray jpeg = ReadFile(WriteJpeg(QSize(40, 30), QStringLiteral("case.jpg")));
    {
        TIBQuery query(&dmMain->MainIBDatabase, &dmMain->MainIBTransaction);
        dmMain->ExecuteInTransaction([&] {
            query.SetSQL(QStringLiteral("UPDATE T_CASE SET B_IMAGE = :IMG WHERE ID = 1"));
            query.ParamByName("IMG").SetAsBytes(jpeg);
            query.ExecSQL();
        });
    }
    DB().Exec(QStringLiteral("UPDATE T_ELEMENT_TYPE SET CASEDBID = 1011, CASEID = 1 WHERE ID = 2"));
    bare->PageButton(0)->setChecked(false);
    bare->RefreshButton()->click();
    EXPECT_TRUE(bare->PageButton(0)->isChecked());
    EXPECT_TRUE(bare->PageButton(2)->isEnabled());
    EXPECT_FALSE(bare->ViewElementButton()->isEnabled());
    EXPECT_TRUE(bare->ViewCaseButton()->isChecked());
    EXPECT_EQ(bare->ViewArea()->Image(), jpeg);
    ASSERT_EQ(bare->PageList(spPin)->topLevelItemCount(), 8);
    EXPECT_EQ(Row(bare->PageList(spPin), 3).value(1), QStringLiteral("IN"));

    DB().Exec(
        QStringLiteral("UPDATE T_ELEMENT_TYPE SET CASEID = NULL, CASEDBID = NULL WHERE ID = 2"));
    bare->RefreshButton()->click();
    ASSERT_EQ(bare->PageList(spPin)->topLevelItemCount(), 1);
    EXPECT_EQ(Row(bare->PageList(spPin), 0).mid(0, 2), (QStringList{"4", "IN"}));
}

TEST_F(SummaryTest, ADeletedTypeSaysSoAndCloses) {
    EXPECT_EQ(Open(99), nullptr);
    ASSERT_EQ(FUI.Errors.size(), 1u);
    EXPECT_EQ(FUI.Errors[0].Text, QStringLiteral("Object DBID:1011, ID:99 not found in DataBase"));
    EXPECT_TRUE(Main().FindMDIChildren<TfrmElementTypeSummary>().empty());

    TfrmElementTypeSummary* summary = Open(2);
    ASSERT_NE(summary, nullptr);
    DB().Exec(QStringLiteral("DELETE FROM T_ELEMENT_TYPE WHERE ID = 2"));
    summary->Refresh_ToolButtonClick();
    Settle();
    EXPECT_EQ(FUI.Errors.size(), 2u);
    EXPECT_TRUE(Main().FindMDIChildren<TfrmElementTypeSummary>().empty());
}

TEST_F(SummaryTest, ColumnWidthsAreKeptForLoadedPagesOnly) {
    ::LocalConfig = true;
    AddPinRow(1, 1, 1, QStringLiteral("GND"));
    TfrmElementTypeSummary* summary = Open(1);
    ASSERT_NE(summary, nullptr);
    summary->PageList(spPin)->setColumnWidth(1, 222);
    summary->CloseWindow();
    Settle();
    EXPECT_EQ(Scalar(QStringLiteral("SELECT V_INTEGER FROM CFG_LOCAL WHERE OBJ_TYPE = 43 AND "
                                    "OBJ_MODE = 1 AND V_PARAMID = 1 AND OBJ_DBID IS NULL"))
                  .toInt(),
              222);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM CFG_LOCAL WHERE OBJ_TYPE = 43 AND "
                                    "OBJ_MODE <> 1"))
                  .toInt(),
              0);
    summary = Open(1);
    ASSERT_NE(summary, nullptr);
    EXPECT_EQ(summary->PageList(spPin)->columnWidth(1), 222);
}

// --- The case-drawing window

class CaseDrawingWindowTest : public SummaryTest {
protected:
    void SetCase(quint32 AId, int AType, quint32 AParams) {
        DB().Exec(
            QStringLiteral("UPDATE T_CASE SET V_CV_PTTTYPE = %1, V_CV_PTTPRM = %2 WHERE ID = %3")
                .arg(AType)
                .arg(AParams)
                .arg(AId));
    }
    static QSize ClientSize(const TfrmCaseVis* AWindow) {
        const QMargins m = AWindow->SubWindow()->contentsMargins();
        return AWindow->SubWindow()->size().shrunkBy(m);
    }
};

TEST_F(CaseDrawingWindowTest, ElementTypeDrawingNamesItsPinsAndSavesAJpeg) {
    SetCase(1, cvtDoubleLineSerialPinNum, 4);
    AddPinRow(1, 1, 1, QStringLiteral("GND"), ptGND);
    AddPinRow(2, 1, 8, QStringLiteral("VCC"), ptVCC);
    DB();
    ASSERT_TRUE(TKVOpener<TOpenCaseDrawingOfElementType>::Open(1011u, 1u));
    auto windows = Main().FindMDIChildren<TfrmCaseVis>();
    ASSERT_EQ(windows.size(), 1u);
    TfrmCaseVis* window = windows.front();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("NE555 (DIP8)"));
    EXPECT_EQ(window->CaseVis().PinCount(), 2);
    EXPECT_EQ(ClientSize(window), QSize(260, 200));
    window->DrawPicture();
    ASSERT_TRUE(window->DrawCaseResult());
    EXPECT_TRUE(window->SaveImageItem()->isEnabled());

    const QString path = DB().Folder() + QStringLiteral("/dip8");
    TKVFileDialogResponderScope files([&](const TKVFileDialogRequest&) {
        return TKVFileDialogAnswer{true, path, 0};
    });
    ASSERT_TRUE(window->SaveImageToFile());
    EXPECT_EQ(QImageReader(path + QStringLiteral(".jpg")).size(), QSize(260, 200));

    // The opener brings the open drawing to the front; the opening function makes another.
    ASSERT_TRUE(TKVOpener<TOpenCaseDrawingOfElementType>::Open(1011u, 1u));
    EXPECT_EQ(Main().FindMDIChildren<TfrmCaseVis>().size(), 1u);
    ASSERT_NE(OpenCaseVisualOnElementType(1011, 1), nullptr);
    EXPECT_EQ(Main().FindMDIChildren<TfrmCaseVis>().size(), 2u);
}

TEST_F(CaseDrawingWindowTest, BadParametersDisableTheSaveAndLargeDrawingsScroll) {
    SetCase(1, cvtQuadroLineShiftPinNum, 8 + 4 * 256 + 4 * 65536); // shift 4 of 4 rows
    DB();
    TfrmCaseVis* bad = OpenCaseVisualOnCase(1011, 1);
    ASSERT_NE(bad, nullptr);
    EXPECT_EQ(bad->windowTitle(), QStringLiteral("DIP8"));
    bad->DrawPicture();
    EXPECT_FALSE(bad->DrawCaseResult());
    EXPECT_FALSE(bad->SaveImageItem()->isEnabled());
    int asked = 0;
    TKVFileDialogResponderScope files([&](const TKVFileDialogRequest&) {
        ++asked;
        return TKVFileDialogAnswer{false, QString(), 0};
    });
    EXPECT_FALSE(bad->SaveImageToFile());
    EXPECT_EQ(asked, 0);

    AddCase(2, QStringLiteral("BGA"), 2, cvtGridArray);
    SetCase(2, cvtGridArray, 30 + 30 * 256);
    TfrmCaseVis* large = OpenCaseVisualOnCase(1011, 2);
    ASSERT_NE(large, nullptr);
    EXPECT_EQ(large->DisplayPaintBox()->size(), QSize(40 * 30 + 50, 36 * 30 + 90));
    EXPECT_EQ(ClientSize(large), QSize(800, 800));

    // A type without a case shows "no picture", which may be saved.
    TfrmCaseVis* none = OpenCaseVisualOnElementType(1011, 2);
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(none->windowTitle(), QStringLiteral("LM358 ()"));
    none->DrawPicture();
    EXPECT_TRUE(none->DrawCaseResult());
    EXPECT_EQ(ClientSize(none), QSize(200, 200));

    EXPECT_EQ(OpenCaseVisualOnCase(1011, 77), nullptr);
    ASSERT_EQ(FUI.Errors.size(), 1u);
    EXPECT_EQ(FUI.Errors[0].Text, QStringLiteral("Object DBID:1011, ID:77 not found in DataBase"));
}

TEST_F(CaseDrawingWindowTest, CaseBookOffersTheDrawingOfCasesWithATemplate) {
    AddCase(2, QStringLiteral("SOT23"), 2, cvtHorLine);
    SetCase(2, cvtHorLine, 3);
    DB();
    TfrmCase* book = OpenRBCase();
    ASSERT_NE(book, nullptr);
    T_frmCase* frame = book->BookFrame();
    QAction* item = frame->MenuItem(QStringLiteral("pmiPttVisualView"));
    ASSERT_NE(item, nullptr);
    frame->SelectRecord(1011, 1);
    EXPECT_FALSE(item->isEnabled()); // DIP8 has no template
    frame->SelectRecord(1011, 2);
    ASSERT_TRUE(item->isEnabled());
    item->trigger();
    const auto windows = Main().FindMDIChildren<TfrmCaseVis>();
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows.front()->CaseVisualMode(), cvmCase);
    EXPECT_EQ(windows.front()->CaseId(), 2u);
}

} // namespace
