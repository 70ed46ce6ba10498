// The stock: the list in its seven modes with its columns, filters, sorting and single-record
// refresh; its windows and picker; the count dialog; the stock-record card with the move of an
// emptied record; the main window's stock commands.

#include "tests/catalogue/CatalogueTestSupport.h"

#include "platform/sys/SysUtils.h"
#include "refbooks/frmCase.h"
#include "refbooks/frmCaseMountType.h"
#include "refbooks/frmClass.h"
#include "refbooks/frmStorage.h"
#include "refbooks/frmUnit.h"
#include "shell/KVButtonEdit.h"
#include "shell/KVRecordNotice.h"
#include "shell/frmOkCancel.h"
#include "stock/KVStock.h"
#include "stock/KVStockDialogs.h"
#include "stock/frmChangeCount.h"
#include "stock/frmElementAvail.h"
#include "stock/frmElementAvailEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

namespace {

TDateTime At(int AYear, int AMonth, int ADay, int AHour = 0, int AMinute = 0) {
    return DateTimeFromQDateTime(QDateTime(QDate(AYear, AMonth, ADay), QTime(AHour, AMinute)));
}

class StockTest : public TCatalogueTest {
protected:
    void SetUp() override {
        TCatalogueTest::SetUp();
        RegisterStockWindows();
        FSavedStockOptions = {::MoveEmptyAvailToSpecStorage, ::SelectStorage};
    }
    void TearDown() override {
        std::tie(::MoveEmptyAvailToSpecStorage, ::SelectStorage) = FSavedStockOptions;
        if (dmMain)
            dmMain->SetStorageForEmpty(0, QString());
        TCatalogueTest::TearDown();
    }

    void AddStorage(quint32 AId, const QString& AName, const QString& ACells = QString()) {
        Exec(QStringLiteral("INSERT INTO T_STORAGE (ID, S_NAME, S_CELLLIST, V_FLAG) VALUES (%1, "
                            "%2, %3, 0)"),
             {AId, AName, ACells.isEmpty() ? Null() : QVariant(ACells)});
    }
    struct TAvail {
        quint32 Id = 0;
        quint32 TypeId = 0; // 0: a free name
        QString Name;       // the free name
        quint32 StorageId = 0;
        double Count = 1;
        QVariant Nominal; // null: none
        quint32 NominalUnitId = 0;
        QString Marking;
        int Flag = 0;
        QString Created = QStringLiteral("2024-01-10 10:00:00");
        QString Updated; // empty: NULL
        QVariant Need;
    };
    void AddAvail(const TAvail& A) {
        Exec(QStringLiteral(
                 "INSERT INTO T_ELEMENT_AVAIL (ID, ELEMENTTYPEDBID, ELEMENTTYPEID, S_TYPENAME, "
                 "STORAGEID, V_COUNT_FLOAT, V_NOMINAL, UNITNOMDBID, UNITNOMID, UNITCOUNTDBID, "
                 "UNITCOUNTID, S_MARKING, V_FLAG, C_TIMESTAMP, U_TIMESTAMP, V_NEED_FLOAT) VALUES "
                 "(%1, %2, %3, %4, %5, %6, %7, %8, %9, 1011, 1, %10, %11, %12, %13, %14)"),
             {A.Id, A.TypeId ? QVariant(1011) : Null(), A.TypeId ? QVariant(A.TypeId) : Null(),
              A.TypeId ? Null() : QVariant(A.Name), A.StorageId ? QVariant(A.StorageId) : Null(),
              A.Count, A.Nominal, A.NominalUnitId ? QVariant(1011) : Null(),
              A.NominalUnitId ? QVariant(A.NominalUnitId) : Null(),
              A.Marking.isEmpty() ? Null() : QVariant(A.Marking), A.Flag, A.Created,
              A.Updated.isEmpty() ? Null() : QVariant(A.Updated), A.Need});
    }
    void AddProject(quint32 AId, int AScheduled, bool AInWork) {
        Exec(QStringLiteral("INSERT INTO T_PROJECT (ID, S_NAME, V_COUNTDEV_SCHEDULED, F_PROGRESS, "
                            "V_FLAG) VALUES (%1, %2, %3, %4, 0)"),
             {AId, QStringLiteral("П%1").arg(AId), AScheduled, AInWork ? QVariant(1) : Null()});
    }
    void AddProjectItem(quint32 AId, quint32 AProjectId, quint32 AAvailId, double ACount) {
        Exec(QStringLiteral("INSERT INTO T_PROJECT_ITEM (ID, PROJECTID, ELEMENTAVAILID, "
                            "V_COUNT_FLOAT, V_FLAG) VALUES (%1, %2, %3, %4, 0)"),
             {AId, AProjectId, AAvailId, ACount});
    }

    // Units Ом (1) and кОм (2, factor 1000); a class with an icon; a case that can be drawn
    // (surface mount) and one that cannot; two types with the drawable case, one with pins; two
    // places; and four stock records.
    void AddStock() {
        // New records get IDs from 1000 on, clear of those the tests insert.
        DB().Exec(QStringLiteral("ALTER SEQUENCE GEN_T_ELEMENT_AVAIL_ID RESTART WITH 1000"));
        AddUnit(1011, 1, QStringLiteral("Ом"), {}, {}, {}, 1);
        AddUnit(1011, 2, QStringLiteral("кОм"), {}, {}, {}, 1000);
        AddClass(1, QStringLiteral("Резисторы"), 3);
        AddClass(2, QStringLiteral("Диоды"));
        AddCase(1, QStringLiteral("0805"), 2, 4);
        AddCase(2, QStringLiteral("DO-35"), 1, 0);
        AddType(1, 1, QStringLiteral("R-10"), QStringLiteral("RC-10"), 1);
        AddType(2, 1, QStringLiteral("R-100"), QStringLiteral("RC-100"), 1);
        AddType(3, 2, QStringLiteral("1N4148"), QString(), 2);
        AddPin(1, 1);
        AddPin(2, 3);
        AddStorage(1, QStringLiteral("Шкаф"), QStringLiteral("А1\r\nА2"));
        AddStorage(2, QStringLiteral("Ящик"));
        TAvail a;
        a = {1, 1, {}, 1, 5, 100.0, 1, {}, 1, QStringLiteral("2024-03-01 10:00:00"), {}, {}};
        AddAvail(a);
        a = {2,
             2,
             {},
             2,
             12,
             4.7,
             2,
             {},
             0,
             QStringLiteral("2024-02-01 09:00:00"),
             QStringLiteral("2024-03-05 23:59:00"),
             {}};
        AddAvail(a);
        a = {3,  0, QStringLiteral("Самодельный"), 1, 0,
             {}, 0, QStringLiteral("MK-1"),        0, QStringLiteral("2024-03-06 00:00:00"),
             {}, {}};
        AddAvail(a);
        a = {4,
             3,
             {},
             2,
             7,
             100.5,
             1,
             {},
             0,
             QStringLiteral("2024-03-05 00:00:00"),
             QStringLiteral("2024-03-07 08:00:00"),
             {}};
        AddAvail(a);
    }

    T_frmElementAvail* Open(TfrmElementAvail* AHost) {
        EXPECT_NE(AHost, nullptr);
        return AHost ? AHost->BookFrame() : nullptr;
    }
    // The shown rows' names, sorted, for modes whose order the database decides.
    static QStringList Names(const TKVListFrame* AFrame) {
        QStringList names = Column(AFrame);
        names.sort();
        return names;
    }
    static QAction* FilterItem(T_frmElementAvail* AFrame, const char* AName) {
        return AFrame->FilterTypeMenu()->findChild<QAction*>(QLatin1String(AName));
    }
    // A column of stock record AId as stored.
    QVariant Stored(quint32 AId, const char* AColumn) {
        return Scalar(QStringLiteral("SELECT %1 FROM T_ELEMENT_AVAIL WHERE ID = %2")
                          .arg(QLatin1String(AColumn))
                          .arg(AId));
    }
    // The row of record AId: its texts.
    static QStringList RowTexts(const TKVListFrame* AFrame, quint32 AId) {
        const int row = AFrame->Model()->Find({0, AId});
        return row < 0 ? QStringList() : AFrame->Model()->Row(row).Texts;
    }

    // Picks record (ADBId, AId) in the next picker of class TDialog.
    template <class TDialog> static void Pick(quint32 ADBId, quint32 AId) {
        AnswerModal<TDialog>([=](TDialog* ADialog) {
            ADialog->BookFrame()->SelectRecord(ADBId, AId);
            ADialog->ButtonPanel()->OkBtn()->click();
        });
    }

    std::tuple<int, bool> FSavedStockOptions;
};

} // namespace

TEST_F(StockTest, EachModeListsItsRecords) {
    AddStock();
    DB();
    const struct {
        const char* What;
        TfrmElementAvail* Host;
        QStringList Names;
    } cases[] = {
        {"all", OpenRBElementAvail(), {"1N4148", "R-10", "R-100", "Самодельный"}},
        // Names of types and free names alike, in any letter case.
        {"name", OpenRBElementAvailOnName(QStringLiteral("r-10*")), {"R-10", "R-100"}},
        {"free name", OpenRBElementAvailOnName(QStringLiteral("самод*")), {"Самодельный"}},
        {"place", OpenRBElementAvailOnStorage(1), {"R-10", "Самодельный"}},
        {"type", OpenRBElementAvailOnElementType(1011, 2), {"R-100"}},
        // The nominal in the record's own unit: 4.7 (кОм) and 100 are in, 100.5 is out.
        {"nominal range",
         OpenRBElementAvailOnNominal(eanstInRange, 4.7, 100, 0, 0),
         {"R-10", "R-100"}},
        {"nominal of a unit",
         OpenRBElementAvailOnNominal(eanstMoreOrEqual, 1, 0, 1011, 1),
         {"1N4148", "R-10"}},
        {"nominal equal", OpenRBElementAvailOnNominal(eanstEqual, 4.7, 0, 0, 0), {"R-100"}},
        // The revision date is the update time, else the creation time: the last minute of the
        // day is in, the first minute of the next day and an older creation time updated later
        // are out.
        {"revision day", OpenRBElementAvailOnRevDate(At(2024, 3, 5), At(2024, 3, 5), 0), {"R-100"}},
        {"revision from",
         OpenRBElementAvailOnRevDate(At(2024, 3, 6), -1e9, 0),
         {"1N4148", "Самодельный"}},
        {"revision until in a place",
         OpenRBElementAvailOnRevDate(-1e9, At(2024, 3, 6), 1),
         {"R-10", "Самодельный"}},
        {"revision without dates", OpenRBElementAvailOnRevDate(-1e9, -1e9, 0), {}},
        {"marking", OpenRBElementAvailOnMarking(QStringLiteral("mk-?")), {"Самодельный"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Names(Open(c.Host)), c.Names) << c.What;

    EXPECT_EQ(cases[3].Host->windowTitle(),
              QStringLiteral("Шкаф (Место хранения) - Наличие элементов"));
    EXPECT_EQ(cases[4].Host->windowTitle(),
              QStringLiteral("R-100 (Тип элемента) - Наличие элементов"));
    EXPECT_EQ(cases[1].Host->windowTitle(), QStringLiteral("\" r-10* \" - Наличие элементов"));
    EXPECT_EQ(cases[6].Host->windowTitle(),
              QStringLiteral("больше или равно 1 Ом (Номинал) - Наличие элементов"));
    EXPECT_EQ(cases[12].Host->windowTitle(),
              QStringLiteral("\" mk-? \" (Маркировка) - Наличие элементов"));
    EXPECT_TRUE(cases[10].Host->windowTitle().endsWith(
        QStringLiteral(" * по хранилищу (Дата ревизии) - Наличие элементов")));
    EXPECT_TRUE(cases[9].Host->windowTitle().startsWith(QStringLiteral("больше или равно ")));
    EXPECT_TRUE(FUI.Errors.empty());

    // A place deleted meanwhile: the "not found" box, and a caption without the name.
    TfrmElementAvail* gone = OpenRBElementAvailOnStorage(77);
    ASSERT_EQ(FUI.Errors.size(), 1u);
    EXPECT_EQ(FUI.Errors[0].Text, QStringLiteral("Object ID:77 not found in DataBase"));
    EXPECT_EQ(gone->windowTitle(), QStringLiteral(" (Место хранения) - Наличие элементов"));
}

TEST_F(StockTest, ColumnsShowTheRecordAndSortByTheirValues) {
    AddStock();
    AddProject(1, 10, true);
    AddProject(2, 1, false); // archived projects reserve too
    AddProjectItem(1, 1, 2, 2);
    AddProjectItem(2, 2, 2, 3);
    DB();
    T_frmElementAvail* frame = Open(OpenRBElementAvail());
    EXPECT_EQ(RowTexts(frame, 1), QStringList({"R-10", "", "0805", "~5", "Ом", "", "", "100", "Ом",
                                               "Шкаф", "", "01.03.2024 10:00", ""}));
    EXPECT_EQ(RowTexts(frame, 2).mid(3, 9), QStringList({"12", "Ом", "", "23", FloatToStrKV(4.7),
                                                         "кОм", "Ящик", "", "05.03.2024 23:59"}));
    // A free-named record: its own name and marking, no case, no icon, no nominal.
    EXPECT_EQ(RowTexts(frame, 3).mid(0, 9),
              QStringList({"Самодельный", "MK-1", "", "0", "Ом", "", "", "", ""}));
    EXPECT_EQ(frame->Model()->Row(frame->Model()->Find({0, 3})).ImageIndex, -1);
    EXPECT_EQ(frame->Model()->Row(frame->Model()->Find({0, 1})).ImageIndex, 3);

    // "~5" sorts as 5; 4.7 кОм sorts after 100 Ом and 100.5 Ом; revision times by the minute.
    frame->ListViewColumnClick(3);
    EXPECT_EQ(Column(frame), QStringList({"Самодельный", "R-10", "1N4148", "R-100"}));
    frame->ListViewColumnClick(7);
    EXPECT_EQ(Column(frame), QStringList({"Самодельный", "R-10", "1N4148", "R-100"}));
    frame->ListViewColumnClick(11);
    EXPECT_EQ(Column(frame), QStringList({"R-10", "R-100", "Самодельный", "1N4148"}));
    frame->ListViewColumnClick(6);
    EXPECT_EQ(Column(frame).last(), QStringLiteral("R-100"));

    // The summary and the drawing need an element type.
    frame->SelectRecord(0, 3);
    EXPECT_FALSE(frame->MenuItem(QStringLiteral("pmiElementTypeSummary"))->isEnabled());
    EXPECT_FALSE(frame->MenuItem(QStringLiteral("pmiPttVisualView"))->isEnabled());

    // A record a project item uses is not deleted.
    frame->SelectRecord(0, 2);
    EXPECT_FALSE(frame->DeleteItem());
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_ELEMENT_AVAIL WHERE ID = 2")).toInt(),
              1);
    frame->SelectRecord(0, 1);
    EXPECT_TRUE(frame->DeleteItem());
    EXPECT_EQ(frame->Model()->Find({0, 1}), -1);
}

TEST_F(StockTest, ClientFiltersTakeEffectWhenApplied) {
    AddStock();
    DB();
    T_frmElementAvail* frame = Open(OpenRBElementAvail());

    Pick<TfrmSelectClass>(1011, 1);
    FilterItem(frame, "pmiFTViewOnClass")->trigger();
    EXPECT_TRUE(frame->FiltredOnClass());
    EXPECT_EQ(frame->Model()->Count(), 4); // nothing changes before the apply
    frame->ApplyFilter();
    EXPECT_EQ(Names(frame), QStringList({"R-10", "R-100"}));
    EXPECT_EQ(frame->CountPanel()->text(), QStringLiteral("[Резисторы] Записей 2 "));

    Pick<TfrmSelectStorage>(0, 2);
    FilterItem(frame, "pmiFTViewOnStorage")->trigger();
    frame->ApplyFilter();
    EXPECT_EQ(Names(frame), QStringList({"R-100"}));
    frame->FilterButton(2)->trigger();
    EXPECT_EQ(frame->Model()->Count(), 4);
    EXPECT_FALSE(frame->FiltredOnClass());

    Pick<TfrmSelectCase>(1011, 2);
    FilterItem(frame, "pmiFTViewOnCaseType")->trigger();
    frame->ApplyFilter();
    EXPECT_EQ(Names(frame), QStringList({"1N4148"}));
    FilterItem(frame, "pmiFTViewOnCaseType")->trigger(); // off again
    EXPECT_FALSE(frame->FiltredOnCaseType());

    AnswerModal<TfrmCaseMountType>([](TfrmCaseMountType* ADialog) {
        ADialog->CaseMountType_ComboBox()->setCurrentIndex(2);
        ADialog->OkCancelFrame()->OkBtn()->click();
    });
    FilterItem(frame, "pmiFTViewOnCaseMountType")->trigger();
    frame->ApplyFilter();
    EXPECT_EQ(Names(frame), QStringList({"R-10", "R-100"}));
    FilterItem(frame, "pmiFTViewOnCaseMountType")->trigger();

    // Pins and a case that can be drawn: R-100 has no pins, 1N4148's case no drawing.
    FilterItem(frame, "pmiFTViewOnPttVisual")->trigger();
    frame->ApplyFilter();
    EXPECT_EQ(Names(frame), QStringList({"R-10"}));
    EXPECT_EQ(frame->CountPanel()->text(), QStringLiteral("[Шабл. визуал.] Записей 1 "));
    // ... also for a record a card reports.
    NotifyRecordChanged(itElementAvail, 0, 2, iatChange);
    EXPECT_EQ(Names(frame), QStringList({"R-10"}));

    // A list of one place offers no filter by place.
    T_frmElementAvail* place = Open(OpenRBElementAvailOnStorage(1));
    EXPECT_FALSE(FilterItem(place, "pmiFTViewOnStorage")->isVisible());
    EXPECT_TRUE(FilterItem(frame, "pmiFTViewOnStorage")->isVisible());
}

TEST_F(StockTest, AChangedRecordIsReadAgainByTheRulesOfEachList) {
    AddStock();
    DB();
    T_frmElementAvail* all = Open(OpenRBElementAvail());
    T_frmElementAvail* shelf = Open(OpenRBElementAvailOnStorage(1));
    T_frmElementAvail* box = Open(OpenRBElementAvailOnStorage(2));
    T_frmElementAvail* names = Open(OpenRBElementAvailOnName(QStringLiteral("R*")));

    // Record 1 moves to the box and loses its nominal: the shelf drops it, the box appends it,
    // and no list shows a 0 for the nominal that is gone.
    DB().Exec(QStringLiteral("UPDATE T_ELEMENT_AVAIL SET STORAGEID = 2, V_NOMINAL = NULL, "
                             "UNITNOMDBID = NULL, UNITNOMID = NULL WHERE ID = 1"));
    NotifyRecordChanged(itElementAvail, 0, 1, iatChange);
    EXPECT_EQ(Names(shelf), QStringList({"Самодельный"}));
    EXPECT_EQ(Column(box).last(), QStringLiteral("R-10"));
    for (T_frmElementAvail* frame : {all, box, names})
        EXPECT_EQ(RowTexts(frame, 1).mid(7, 3), QStringList({"", "", "Ящик"}));

    // A name list reads only the record it is told of, by its own pattern.
    DB().Exec(QStringLiteral("UPDATE T_ELEMENT_AVAIL SET S_MARKING = 'X' WHERE ID = 2"));
    NotifyRecordChanged(itElementAvail, 0, 2, iatChange);
    EXPECT_EQ(Names(names), QStringList({"R-10", "R-100"}));
    EXPECT_EQ(RowTexts(names, 2).value(1), QStringLiteral("X"));
    NotifyRecordChanged(itElementAvail, 0, 3, iatChange);
    EXPECT_EQ(Names(names), QStringList({"R-10", "R-100"}));
    EXPECT_EQ(shelf->CountPanel()->text(), QStringLiteral("Записей 1 "));
}

TEST_F(StockTest, OneWindowPerPlaceTypeAndMaskNewOnesForSearches) {
    AddStock();
    DB();
    ShowElementAvailOnStorage(1);
    ShowElementAvailOnStorage(2);
    ShowElementAvailOnElementType(1011, 1);
    ShowElementAvailOnName(QStringLiteral("r*"));
    ShowElementAvailOnMarking(QStringLiteral("mk*"));
    ShowElementAvail();
    ASSERT_EQ(Main().FindMDIChildren<TfrmElementAvail>().size(), 6u);
    const auto active = [&] {
        return dynamic_cast<TfrmElementAvail*>(Main().MDIArea()->activeSubWindow()->widget());
    };
    ShowElementAvailOnStorage(1);
    EXPECT_EQ(active()->BookFrame()->StorageId(), 1u);
    ShowElementAvailOnElementType(1011, 1);
    EXPECT_EQ(active()->BookFrame()->ListSelectDataMode(), easdmOnElementType);
    ShowElementAvailOnName(QStringLiteral("R*"));
    EXPECT_EQ(active()->BookFrame()->ElementTypeNameStr(), QStringLiteral("r*"));
    ShowElementAvailOnMarking(QStringLiteral("MK*"));
    EXPECT_EQ(active()->BookFrame()->ListSelectDataMode(), easdmOnMarking);
    EXPECT_EQ(Main().FindMDIChildren<TfrmElementAvail>().size(), 6u);
    OpenRBElementAvailOnNominal(eanstEqual, 1, 0, 0, 0);
    OpenRBElementAvailOnNominal(eanstEqual, 1, 0, 0, 0);
    EXPECT_EQ(Main().FindMDIChildren<TfrmElementAvail>().size(), 8u);

    // The element-type list and the storage tree reach these windows through their openers.
    EXPECT_TRUE(TKVOpener<TOpenStockOfElementType>::Open(1011u, 1u));
    EXPECT_TRUE(TKVOpener<TOpenStockOfStorage>::Open(2u));
    EXPECT_EQ(Main().FindMDIChildren<TfrmElementAvail>().size(), 8u);

    // Deleting the place closes its window.
    CloseWindowsBoundTo(itStorage, 0, 2);
    Settle();
    EXPECT_EQ(Main().FindMDIChildren<TfrmElementAvail>().size(), 7u);
}

TEST_F(StockTest, MainWindowCommandsOpenTheStock) {
    AddStock();
    DB();
    QAction* stock = Main().findChild<QAction*>(QStringLiteral("mmiRB_ElementAvail"));
    ASSERT_NE(stock, nullptr);
    EXPECT_TRUE(stock->isEnabled());
    stock->trigger();
    stock->trigger();
    ASSERT_EQ(Main().FindMDIChildren<TfrmElementAvail>().size(), 1u);
    EXPECT_EQ(Main().FindMDIChildren<TfrmElementAvail>()[0]->BookFrame()->ListSelectDataMode(),
              easdmAll);

    // With option SelectStorage the place is asked first; cancelled, nothing opens.
    InstallSetupSelectStorage();
    ::SelectStorage = true;
    Pick<TfrmSelectStorage>(0, 2);
    Main().OpenReferenceBook_ElementAvail();
    AnswerModal<TfrmSelectStorage>([](TfrmSelectStorage* ADialog) { ADialog->reject(); });
    Main().OpenReferenceBook_ElementAvail();
    ASSERT_EQ(Main().FindMDIChildren<TfrmElementAvail>().size(), 2u);
    EXPECT_EQ(Main().FindMDIChildren<TfrmElementAvail>()[1]->BookFrame()->StorageId(), 2u);

    QAction* add = Main().findChild<QAction*>(QStringLiteral("pmiNewElementAvail"));
    ASSERT_NE(add, nullptr);
    EXPECT_TRUE(add->isEnabled());
    add->trigger();
    ASSERT_EQ(Main().FindMDIChildren<TfrmElementAvailEdit>().size(), 1u);
    EXPECT_EQ(Main().FindMDIChildren<TfrmElementAvailEdit>()[0]->windowTitle(),
              QStringLiteral("New Element Avail"));
}

TEST_F(StockTest, PickerReturnsTheChosenRecord) {
    AddStock();
    DB();
    TKVSelectedLocalItemDBData selected;
    int shown = 0;
    AnswerModal<TfrmSelectElementAvail>([&](TfrmSelectElementAvail* ADialog) {
        EXPECT_EQ(ADialog->windowTitle(), QStringLiteral("Выбор элемента в наличии"));
        EXPECT_EQ(ADialog->BookFrame()->SelectedItemDBData().Id, 3u); // preselected
        shown = ADialog->BookFrame()->Model()->Count();
        ADialog->BookFrame()->SelectRecord(0, 1);
        ADialog->ButtonPanel()->OkBtn()->click();
    });
    SelectElementAvail(3, easdmOnStorage, 0, 0, 1, selected);
    EXPECT_EQ(shown, 2);
    EXPECT_TRUE(selected.Select);
    EXPECT_EQ(selected.Id, 1u);
    EXPECT_EQ(selected.Name, QStringLiteral("R-10"));

    AnswerModal<TfrmSelectElementAvail>([](TfrmSelectElementAvail* ADialog) { ADialog->reject(); });
    SelectElementAvail(0, easdmOnElementType, 1011, 2, 0, selected);
    EXPECT_FALSE(selected.Select);
    EXPECT_EQ(selected.Id, 0u);
}

TEST_F(StockTest, CountDialogReturnsTheNumberAsTyped) {
    const struct {
        const char* Text;
        bool Cancel;
        int Result;
        double Value;
    } cases[] = {{"2,5", false, mrOk, 2.5},
                 {"2.5", false, mrOk, 2.5},
                 {"-3", false, mrOk, -3},
                 {"0", false, mrOk, 0},
                 {"9", true, mrCancel, 7}};
    for (const auto& c : cases) {
        double value = 7;
        AnswerModal<TfrmChangeCount>([&](TfrmChangeCount* ADialog) {
            EXPECT_EQ(ADialog->windowTitle(), QStringLiteral("Количество элементов"));
            EXPECT_EQ(ADialog->CountUnitPrefix_Label()->text(), QStringLiteral("шт"));
            EXPECT_EQ(ADialog->CountValue_SpinEdit()->text(), QStringLiteral("7"));
            ADialog->CountValue_SpinEdit()->setText(QLatin1String(c.Text));
            if (c.Cancel)
                ADialog->OkCancel()->CancelBtn()->click();
            else
                QTest::keyClick(ADialog->CountValue_SpinEdit(), Qt::Key_Return);
        });
        EXPECT_EQ(
            ShowChangeCountDlg(value, QStringLiteral("Количество элементов"), QStringLiteral("шт")),
            c.Result)
            << c.Text;
        EXPECT_DOUBLE_EQ(value, c.Value) << c.Text;
    }

    // A text that is no number: a message, and the dialog stays open with the text.
    double value = 1;
    TfrmChangeCount dialog(&value, QStringLiteral("Количество"), QString());
    dialog.CountValue_SpinEdit()->setText(QStringLiteral("2x"));
    dialog.done(mrOk);
    EXPECT_EQ(Messages.size(), 1);
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_EQ(dialog.CountValue_SpinEdit()->text(), QStringLiteral("2x"));
    EXPECT_DOUBLE_EQ(value, 1);
}

TEST_F(StockTest, CardCreatesCopiesAndEditsRecords) {
    AddStock();
    // R-100's nominal: a minimum of 4.7 кОм and no typical value.
    DB().Exec(QStringLiteral("INSERT INTO T_PARAM (DBID, ID, ELEMENTTYPEDBID, ELEMENTTYPEID, "
                             "UNITDBID, UNITID, S_NAME, V_MINVAL, V_FLAG) VALUES (1011, 1, 1011, "
                             "2, 1011, 2, 'R', 4.7, 8)"));

    // A new record from the list of the shelf: the shelf with its cells, the first unit.
    T_frmElementAvail* shelf = Open(OpenRBElementAvailOnStorage(1));
    ASSERT_TRUE(shelf->NewItem());
    auto cards = Main().FindMDIChildren<TfrmElementAvailEdit>();
    ASSERT_EQ(cards.size(), 1u);
    TfrmElementAvailEdit* card = cards[0];
    EXPECT_EQ(card->windowTitle(), QStringLiteral("New Element Avail"));
    EXPECT_EQ(card->ElementAvailStorage_ButtonEdit()->text(), QStringLiteral("Шкаф"));
    EXPECT_EQ(card->ElementAvailCell_ComboBox()->count(), 2);
    EXPECT_EQ(card->ElementAvailCountUnit_ButtonEdit()->text(), QStringLiteral("Ом"));
    EXPECT_EQ(card->ElementAvailCount_SpinEdit()->text(), QStringLiteral("0"));
    EXPECT_FALSE(card->ElementAvailNominal_CheckBox()->isChecked());

    // Nothing named: the save only moves the focus.
    EXPECT_FALSE(card->SaveItem());
    // A free name disables class and type, emptying it enables them again.
    Type(card->ElementAvailName_TextEdit(), QStringLiteral("Плата"));
    EXPECT_FALSE(card->ElementAvailClass_ButtonEdit()->isEnabled());
    card->ElementAvailName_TextEdit()->clear();
    EXPECT_TRUE(card->ElementAvailClass_ButtonEdit()->isEnabled());
    Type(card->ElementAvailName_TextEdit(), QStringLiteral("Плата"));
    card->ElementAvailCount_SpinEdit()->setText(QStringLiteral("3,5"));
    card->ElementAvailNeed_SpinEdit()->setText(QStringLiteral("0"));
    card->ElementAvailCell_ComboBox()->setEditText(QStringLiteral("А2"));
    ASSERT_TRUE(card->SaveItem());
    const quint32 freeId = card->Id();
    EXPECT_EQ(Stored(freeId, "S_TYPENAME").toString(), QStringLiteral("Плата"));
    EXPECT_DOUBLE_EQ(Stored(freeId, "V_COUNT_FLOAT").toDouble(), 3.5);
    EXPECT_TRUE(Stored(freeId, "ELEMENTTYPEID").isNull());
    EXPECT_TRUE(Stored(freeId, "V_NEED_FLOAT").isNull()); // a need of 0 is none
    EXPECT_EQ(Stored(freeId, "STORAGEID").toUInt(), 1u);
    EXPECT_EQ(Stored(freeId, "S_CELL").toString(), QStringLiteral("А2"));
    EXPECT_EQ(Column(shelf).last(), QStringLiteral("Плата")); // the shelf heard of it

    // A record of an element type: the type brings its nominal (the minimum when there is no
    // typical value) with its unit.
    ASSERT_TRUE(shelf->NewItem());
    card = Main().FindMDIChildren<TfrmElementAvailEdit>().back();
    card->ElementAvailType_ButtonEdit()->Button()->click(); // no class yet: nothing
    EXPECT_EQ(card->ElementAvailType_ButtonEdit()->text(), QString());
    Pick<TfrmSelectClass>(1011, 1);
    card->ElementAvailClass_ButtonEdit()->Button()->click();
    EXPECT_FALSE(card->ElementAvailName_TextEdit()->isEnabled());
    Pick<TfrmSelectElementType>(1011, 2);
    card->ElementAvailType_ButtonEdit()->Button()->click();
    EXPECT_EQ(card->ElementAvailType_ButtonEdit()->text(), QStringLiteral("R-100"));
    EXPECT_TRUE(card->ElementAvailNominal_CheckBox()->isChecked());
    EXPECT_EQ(card->ElementAvailNominal_SpinEdit()->text(), FloatToStrKV(4.7));
    EXPECT_EQ(card->ElementAvailNominalUnit_ButtonEdit()->text(), QStringLiteral("кОм"));
    card->ElementAvailCount_SpinEdit()->setText(QStringLiteral("2"));
    card->ElementAvailNeed_SpinEdit()->setText(QStringLiteral("0,5"));
    card->ElementAvailAppoxCount_CheckBox()->setChecked(true);
    ASSERT_TRUE(card->SaveItem());
    const quint32 typedId = card->Id();
    EXPECT_EQ(Stored(typedId, "ELEMENTTYPEID").toUInt(), 2u);
    EXPECT_TRUE(Stored(typedId, "S_TYPENAME").isNull());
    EXPECT_DOUBLE_EQ(Stored(typedId, "V_NOMINAL").toDouble(), 4.7);
    EXPECT_EQ(Stored(typedId, "UNITNOMID").toUInt(), 2u);
    EXPECT_DOUBLE_EQ(Stored(typedId, "V_NEED_FLOAT").toDouble(), 0.5);
    EXPECT_EQ(Stored(typedId, "V_FLAG").toInt(), 1);

    // A copy of it: everything but the key; saved as a new record.
    Button(card, "Copy_ToolButton")->click();
    TfrmElementAvailEdit* copy = Main().FindMDIChildren<TfrmElementAvailEdit>().back();
    ASSERT_NE(copy, card);
    EXPECT_EQ(copy->Id(), 0u);
    EXPECT_EQ(copy->ElementAvailType_ButtonEdit()->text(), QStringLiteral("R-100"));
    EXPECT_EQ(copy->ElementAvailClass_ButtonEdit()->text(), QStringLiteral("Резисторы"));
    EXPECT_EQ(copy->ElementAvailStorage_ButtonEdit()->text(), QStringLiteral("Шкаф"));
    ASSERT_TRUE(copy->SaveItem());
    EXPECT_NE(copy->Id(), typedId);
    EXPECT_EQ(Stored(copy->Id(), "ELEMENTTYPEID").toUInt(), 2u);
    EXPECT_DOUBLE_EQ(Stored(copy->Id(), "V_NOMINAL").toDouble(), 4.7);

    // Editing a stored record: a record whose flag held other bits keeps bit 1 only; unticking
    // the nominal stores none.
    DB().Exec(QStringLiteral("UPDATE T_ELEMENT_AVAIL SET V_FLAG = 6 WHERE ID = 1"));
    TfrmElementAvailEdit* edit = OpenCardElementAvail(1, false);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->windowTitle(), QStringLiteral("R-10"));
    EXPECT_EQ(edit->ElementAvailNominal_SpinEdit()->text(), QStringLiteral("100"));
    edit->ElementAvailNominal_CheckBox()->setChecked(false);
    edit->ElementAvailMarking_TextEdit()->setText(QStringLiteral("Новая"));
    ASSERT_TRUE(edit->SaveItem());
    EXPECT_TRUE(Stored(1, "V_NOMINAL").isNull());
    EXPECT_TRUE(Stored(1, "UNITNOMID").isNull());
    EXPECT_EQ(Stored(1, "V_FLAG").toInt(), 0);
    EXPECT_EQ(Stored(1, "S_MARKING").toString(), QStringLiteral("Новая"));
    EXPECT_FALSE(Stored(1, "U_TIMESTAMP").isNull());
    EXPECT_EQ(RowTexts(shelf, 1).mid(1, 1), QStringList({"Новая"}));

    // A count the database does not hold shows empty, after a refresh of the record too; its
    // card offers 0.
    DB().Exec(QStringLiteral("UPDATE T_ELEMENT_AVAIL SET V_COUNT_FLOAT = NULL WHERE ID = 3"));
    shelf->RefreshData();
    EXPECT_EQ(RowTexts(shelf, 3).value(3), QString());
    NotifyRecordChanged(itElementAvail, 0, 3, iatChange);
    EXPECT_EQ(RowTexts(shelf, 3).value(3), QString());
    TfrmElementAvailEdit* nullCount = OpenCardElementAvail(3, false);
    ASSERT_NE(nullCount, nullptr);
    EXPECT_EQ(nullCount->ElementAvailCount_SpinEdit()->text(), QStringLiteral("0"));
}

TEST_F(StockTest, CardRefusesBadInputAndReferencesThatWent) {
    AddStock();
    DB();
    TfrmElementAvailEdit* card = OpenCardElementAvail(1, false);
    ASSERT_NE(card, nullptr);
    const auto count = [&] { return Stored(1, "V_COUNT_FLOAT").toDouble(); };

    // Not a number: a message, the text kept, nothing written.
    card->ElementAvailCount_SpinEdit()->setText(QStringLiteral("много"));
    EXPECT_FALSE(card->SaveItem());
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_EQ(card->ElementAvailCount_SpinEdit()->text(), QStringLiteral("много"));
    // A character the database cannot keep, in a text editor and in the cell.
    card->ElementAvailCount_SpinEdit()->setText(QStringLiteral("8"));
    card->ElementAvailMarking_TextEdit()->setText(QStringLiteral("R😀"));
    EXPECT_FALSE(card->SaveItem());
    card->ElementAvailMarking_TextEdit()->setText(QString());
    card->ElementAvailCell_ComboBox()->setEditText(QStringLiteral("А😀"));
    EXPECT_FALSE(card->SaveItem());
    EXPECT_EQ(Messages.size(), 3);
    EXPECT_DOUBLE_EQ(count(), 5);
    EXPECT_TRUE(card->ModifedData());

    // The place went meanwhile: the save says so and writes nothing.
    card->ElementAvailCell_ComboBox()->setEditText(QString());
    DB().Exec(QStringLiteral("DELETE FROM T_STORAGE WHERE ID = 1"));
    EXPECT_FALSE(card->SaveItem());
    ASSERT_FALSE(FUI.Errors.empty());
    EXPECT_TRUE(FUI.Errors.back().Text.contains(QStringLiteral("Шкаф")));
    EXPECT_DOUBLE_EQ(count(), 5);

    // A read-only card: Del in a link changes nothing.
    ::ReadOnly = true;
    TfrmElementAvailEdit* readOnly = OpenCardElementAvail(2, false);
    ASSERT_NE(readOnly, nullptr);
    readOnly->LinkClear(readOnly->ElementAvailStorage_ButtonEdit());
    EXPECT_EQ(readOnly->ElementAvailStorage_ButtonEdit()->text(), QStringLiteral("Ящик"));
}

TEST_F(StockTest, SavingAnEmptiedRecordMovesItToThePlaceForEmptyRecords) {
    AddStock();
    AddStorage(9, QStringLiteral("Пустые"));
    DB();
    ::LocalConfig = true;
    dmMain->SetStorageForEmpty(9, QStringLiteral("Пустые"));
    const struct {
        int Option;
        std::optional<int> Answer; // the question's answer, when asked
        double Count;
        quint32 Storage;
    } cases[] = {{0, std::nullopt, 0, 1}, {1, mrYes, 0, 9},          {1, mrNo, 0, 1},
                 {2, std::nullopt, 0, 9}, {2, std::nullopt, 0.1, 1}, {2, std::nullopt, -1, 9}};
    for (const auto& c : cases) {
        DB().Exec(QStringLiteral("UPDATE T_ELEMENT_AVAIL SET STORAGEID = 1 WHERE ID = 1"));
        ::MoveEmptyAvailToSpecStorage = c.Option;
        Messages.clear();
        if (c.Answer)
            Answers.push_back(*c.Answer);
        TfrmElementAvailEdit* card = OpenCardElementAvail(1, false);
        ASSERT_NE(card, nullptr);
        card->ElementAvailCount_SpinEdit()->setText(FloatToStrKV(c.Count));
        ASSERT_TRUE(card->SaveItem()) << c.Option;
        EXPECT_EQ(Messages.size(), c.Answer ? 1 : 0) << c.Option;
        EXPECT_EQ(Stored(1, "STORAGEID").toUInt(), c.Storage) << c.Option << " " << c.Count;
        EXPECT_EQ(card->ElementAvailStorage_ButtonEdit()->text(),
                  c.Storage == 9 ? QStringLiteral("Пустые") : QStringLiteral("Шкаф"));
        card->ForciblyCloseItem();
        Settle();
    }

    // Option LocalConfig off, or the place gone (a message), leaves the record where it is.
    ::MoveEmptyAvailToSpecStorage = 2;
    DB().Exec(QStringLiteral("UPDATE T_ELEMENT_AVAIL SET STORAGEID = 1 WHERE ID = 1"));
    ::LocalConfig = false;
    TfrmElementAvailEdit* card = OpenCardElementAvail(1, false);
    card->ElementAvailCount_SpinEdit()->setText(QStringLiteral("0"));
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(Stored(1, "STORAGEID").toUInt(), 1u);
    ::LocalConfig = true;
    DB().Exec(QStringLiteral("DELETE FROM T_STORAGE WHERE ID = 9"));
    Messages.clear();
    card->ElementAvailCount_SpinEdit()->setText(QStringLiteral("-0"));
    ASSERT_TRUE(card->SaveItem());
    EXPECT_EQ(Messages, QStringList({"Не удалось переместить записи"}));
    EXPECT_EQ(Stored(1, "STORAGEID").toUInt(), 1u);
}
