// The element-type list: its seven modes, the parameter columns and the parametric search, the
// client filters, the delete with its probes, the windows and the picker.

#include "tests/catalogue/CatalogueTestSupport.h"

#include "core/KVWebAddress.h"
#include "refbooks/frmCase.h"
#include "refbooks/frmClass.h"
#include "shell/KVRecordNotice.h"
#include "shell/frmListItemSelect.h"
#include "shell/frmOpenDataMode.h"

#include <QFile>
#include <QListWidget>
#include <QPointer>
#include <QTreeWidget>

namespace {

class ElementTypeListTest : public TCatalogueTest {
protected:
    // Two classes: resistors (1) with two base parameters, and diodes (2).
    void AddCatalogue() {
        AddUnit(1011, 1, QStringLiteral("Ом"));
        AddUnit(1011, 2, QStringLiteral("кОм"));
        AddClass(1, QStringLiteral("Резисторы"), 3);
        AddClass(2, QStringLiteral("Диоды"));
        AddCase(1, QStringLiteral("0805"), 2);
        AddCase(2, QStringLiteral("DIP-8"), 1, 4);
        AddMaker(1, QStringLiteral("Yageo"));
        AddMaker(2, QStringLiteral("Vishay"));
        AddType(1, 1, QStringLiteral("R-10"), QStringLiteral("RC0805-10"), 1, 1,
                QStringLiteral("Чип-резистор\r\nпервая строка"));
        AddType(2, 1, QStringLiteral("R-100"), QStringLiteral("RC0805-100"), 1, 2);
        AddType(3, 1, QStringLiteral("Сборка"), QString(), 2, 2);
        AddType(4, 2, QStringLiteral("1N4148"), QStringLiteral("1N4148"), 0, 2);
        AddBaseParam(1, 1, QStringLiteral("R"), 1);
        AddBaseParam(2, 1, QStringLiteral("Точность"));
        AddValue(1, 1, 1, 10);                              // on the base parameter's unit
        AddValue(2, 2, 1, 0.1, 2);                          // on another unit
        AddValue(3, 1, 2, Null(), 0, QStringLiteral("1%")); // a text
        AddValue(4, 3, 2, Null(), 0, QStringLiteral("5%"));
        AddPin(1, 3);
    }
    static QStringList Captions(const TKVListFrame* AFrame) {
        QStringList captions;
        for (const TKVListColumn& column : AFrame->Model()->Columns())
            captions << column.Caption;
        return captions;
    }
    // The shown rows' names, sorted, for modes whose order the database decides.
    static QStringList Names(const TKVListFrame* AFrame) {
        QStringList names = Column(AFrame);
        names.sort();
        return names;
    }
};

} // namespace

TEST_F(ElementTypeListTest, EachModeListsItsTypes) {
    AddCatalogue();
    AddType(5, 2, QStringLiteral("50%_/x"), QStringLiteral("M50"));
    AddType(6, 2, QStringLiteral("50ab/x"), QStringLiteral("M51"));
    AddSupplier(1, QStringLiteral("Чип и Дип"));
    AddPrice(1, 4, 1, 1.5);
    AddPrice(2, 4, 1, 1.2); // a second price of the same type
    AddPrice(3, 2, 1, 0.5);
    DB();

    const struct {
        const char* Mask;
        QStringList Names;
    } names[] = {{"R*", {"R-10", "R-100"}},
                 {"r-10?", {"R-100"}},
                 {"*0", {"R-10", "R-100"}},
                 {"50%_/*", {"50%_/x"}}, // "%", "_" and "/" match only themselves
                 {"50\\*", {}},          // "\*" is a literal star
                 {"сбор*", {"Сборка"}}};
    for (const auto& c : names) {
        SCOPED_TRACE(c.Mask);
        TfrmElementType* host = OpenRBElementTypeOnName(QString::fromUtf8(c.Mask));
        ASSERT_NE(host, nullptr);
        EXPECT_EQ(Names(host->BookFrame()), c.Names);
        host->CloseWindow();
    }
    TfrmElementType* marking = OpenRBElementTypeOnMarking(QStringLiteral("rc0805*"));
    EXPECT_EQ(Names(marking->BookFrame()), QStringList({"R-10", "R-100"}));
    EXPECT_EQ(marking->windowTitle(),
              QStringLiteral("\" rc0805* \" (Маркировка) - Типы элементов"));

    T_frmElementType* byClass = OpenOnClass(2, false);
    EXPECT_EQ(Names(byClass), QStringList({"1N4148", "50%_/x", "50ab/x"}));
    EXPECT_EQ(Captions(byClass).size(), 5);
    TfrmElementType* byMaker = OpenRBElementTypeOnMaker(1011, 2);
    EXPECT_EQ(Names(byMaker->BookFrame()), QStringList({"1N4148", "R-100", "Сборка"}));
    EXPECT_EQ(byMaker->windowTitle(), QStringLiteral("Vishay (Производитель) - Типы элементов"));

    // The supplier's types, each once however many prices it has.
    auto* bySupplier = new TfrmElementType;
    bySupplier->BookFrame()->Init(true, etsdmOnSupplier, 0, 0, 0, 0, 1, QString(), QString(),
                                  nullptr);
    EXPECT_EQ(Names(bySupplier->BookFrame()), QStringList({"1N4148", "R-100"}));
    EXPECT_EQ(bySupplier->BookFrame()->SupplierName(), QStringLiteral("Чип и Дип"));
    delete bySupplier;

    // The row: icon of the class, first line of the description, case and maker.
    T_frmElementType* resistors = OpenOnClass(1, false);
    resistors->SelectRecord(1011, 1);
    const int row = resistors->Model()->Find({1011, 1});
    ASSERT_GE(row, 0);
    EXPECT_EQ(resistors->Model()->Row(row).Texts.mid(0, 5),
              QStringList({"R-10", "RC0805-10", "Чип-резистор...", "0805", "Yageo"}));
    EXPECT_EQ(resistors->Model()->Row(row).ImageIndex, 3);
    EXPECT_EQ(Messages, QStringList());
}

TEST_F(ElementTypeListTest, ParameterColumnsShowEachTypesValues) {
    AddCatalogue();
    AddValue(5, 1, 1, 47); // a second value of R for R-10: the first one read shows
    T_frmElementType* frame = OpenOnClass(1);
    EXPECT_EQ(frame->ListSelectDataMode(), etsdmOnClassWithBaseParam);
    EXPECT_EQ(Captions(frame).mid(5), QStringList({"R (Ом)", "Точность"}));
    const auto cells = [&](quint32 AId) {
        return frame->Model()->Row(frame->Model()->Find({1011, AId})).Texts.mid(5);
    };
    EXPECT_TRUE(cells(1) == QStringList({"10", "1%"}) || cells(1) == QStringList({"47", "1%"}));
    EXPECT_EQ(cells(2), QStringList({"0,1 кОм", ""}));
    EXPECT_EQ(cells(3), QStringList({"", "5%"}));

    // The parameter columns sort as numbers.
    DB().Exec(QStringLiteral("DELETE FROM T_PARAM WHERE ID = 5"));
    AddValue(6, 3, 1, 9);
    frame->RefreshData();
    frame->ListViewColumnClick(5);
    EXPECT_EQ(Column(frame), QStringList({"R-100", "Сборка", "R-10"}));

    // A changed value reaches its cell through the change notice of the type.
    DB().Exec(QStringLiteral("UPDATE T_PARAM SET V_TYPEVAL = 22 WHERE ID = 1"));
    NotifyRecordChanged(itElementType, 1011, 1, iatChange);
    EXPECT_EQ(cells(1), QStringList({"22", "1%"}));

    // The description of a column.
    frame->ShowBaseParamInfo(5, QPoint(10, 10));
    EXPECT_EQ(frame->BPPIName(), QStringLiteral("R (Ом)"));
    EXPECT_EQ(frame->BPPIParamSearch(), QString());
    frame->BPInfoPopupMenu()->close();
}

TEST_F(ElementTypeListTest, ParametricSearchShowsTheTypesThatMeetTheProfile) {
    AddCatalogue();
    AddType(5, 1, QStringLiteral("Без параметров"));
    AddType(6, 1, QStringLiteral("R-10 на складе"));
    AddValue(6, 6, 2, Null(), 0, QStringLiteral("10"));
    AddStock(1, 6);
    AddStock(2, 6);
    AddStock(3, 1);
    DB();
    TKVParamSearchList profile;
    profile.SetPSClassData(1011, 1);
    profile.AddData(1011, 1, QString(), false, pstGoENumeric, 5, 0, QString(), false, false);
    profile.AddData(1011, 2, QString(), false, pstSubString, 0, 0, QStringLiteral("1"), false,
                    false);

    // All: R-10 only (R-100 holds 0.1; "Сборка" has no R; the type whose "10" is the accuracy
    // has no R value of 10).
    TfrmElementType* all = OpenRBElementTypeOnParamSearch(profile);
    EXPECT_EQ(Names(all->BookFrame()), QStringList({"R-10"}));
    EXPECT_EQ(Captions(all->BookFrame()).mid(5), QStringList({"R (Ом) *", "Точность *"}));
    EXPECT_EQ(all->windowTitle(), QStringLiteral("Типы элементов - Параметрический поиск"));
    all->BookFrame()->ShowBaseParamInfo(6, QPoint(10, 10));
    EXPECT_EQ(all->BookFrame()->BPPIParamSearch(), QStringLiteral("содержит \" 1 \""));
    all->BookFrame()->BPInfoPopupMenu()->close();
    all->BookFrame()->RefreshData();
    EXPECT_EQ(Names(all->BookFrame()), QStringList({"R-10"}));

    // Any: one criterion is enough; a type without values stays hidden.
    profile.SetParamSearchUnion(psuAny);
    TfrmElementType* any = OpenRBElementTypeOnParamSearch(profile);
    EXPECT_EQ(Names(any->BookFrame()), QStringList({"R-10", "R-10 на складе"}));

    // Stock only: each type once, however many stock records it has.
    profile.SetAvailOnly(true);
    TfrmElementType* stock = OpenRBElementTypeOnParamSearch(profile);
    EXPECT_EQ(Names(stock->BookFrame()), QStringList({"R-10", "R-10 на складе"}));

    // A type that comes to meet the profile appears; one that no longer does goes.
    DB().Exec(QStringLiteral("UPDATE T_PARAM SET V_TYPEVAL = 1 WHERE ID = 1"));
    NotifyRecordChanged(itElementType, 1011, 1, iatChange);
    EXPECT_EQ(Names(all->BookFrame()), QStringList());
    DB().Exec(QStringLiteral("UPDATE T_PARAM SET V_TYPEVAL = 100 WHERE ID = 2"));
    NotifyRecordChanged(itElementType, 1011, 2, iatChange);
    EXPECT_EQ(Names(all->BookFrame()), QStringList());
    DB().Exec(QStringLiteral("UPDATE T_PARAM SET S_STRVAL = '1%' WHERE ID = 4"));
    AddValue(7, 2, 2, Null(), 0, QStringLiteral("0,1%"));
    NotifyRecordChanged(itElementType, 1011, 2, iatChange);
    EXPECT_EQ(Names(all->BookFrame()), QStringList({"R-100"}));
}

TEST_F(ElementTypeListTest, ClientFiltersKeepTheirTypesAndTagTheCountPanel) {
    AddCatalogue();
    T_frmElementType* frame = OpenOnClass(1);
    const auto item = [&](const char* AName) {
        return frame->FilterTypeMenu()->findChild<QAction*>(QLatin1String(AName));
    };
    ASSERT_TRUE(item("pmiFTViewOnParam")->isVisible());

    // The drawing filter keeps "Сборка": pins, and a case with a drawing.
    item("pmiFTViewOnPttVisual")->trigger();
    frame->FilterEdit()->setText(QStringLiteral("с"));
    frame->ApplyFilter();
    EXPECT_EQ(Column(frame), QStringList({"Сборка"}));
    EXPECT_EQ(frame->CountPanel()->text(), QStringLiteral("[\"С\"][Шабл. визуал.] Записей 1 "));

    // The case filter through the case picker.
    frame->FilterButton(2)->trigger();
    AnswerModal<TfrmSelectCase>([](TfrmSelectCase* ADialog) {
        ADialog->BookFrame()->SelectRecord(1011, 1);
        ADialog->accept();
    });
    item("pmiFTViewOnCaseType")->trigger();
    EXPECT_TRUE(frame->FiltredOnCaseType());
    item("pmiFTViewOnParam")->trigger();
    frame->ApplyFilter();
    EXPECT_EQ(Names(frame), QStringList({"R-10", "R-100"}));
    EXPECT_EQ(frame->CountPanel()->text(), QStringLiteral("[0805][С парам.] Записей 2 "));
    frame->FilterButton(2)->trigger();
    EXPECT_EQ(frame->Model()->Count(), 3);
    EXPECT_FALSE(frame->CountPanel()->font().bold());

    // Outside the parameter modes the parameter filter is not offered.
    T_frmElementType* plain = OpenOnClass(2, false);
    EXPECT_FALSE(plain->FilterTypeMenu()
                     ->findChild<QAction*>(QStringLiteral("pmiFTViewOnParam"))
                     ->isVisible());
}

TEST_F(ElementTypeListTest, DeleteIsRefusedWhileAnyRecordReferstoTheType) {
    AddCatalogue();
    AddType(10, 2, QStringLiteral("Удаляемый"));
    AddSupplier(1, QStringLiteral("Поставщик"));
    Exec(QStringLiteral("INSERT INTO T_PROJECT (ID, S_NAME, V_FLAG) VALUES (1, 'П', 0)"), {});
    const QString probes[] = {
        "INSERT INTO T_PARAM (DBID, ID, ELEMENTTYPEDBID, ELEMENTTYPEID, S_NAME, V_FLAG) VALUES "
        "(1011, 50, 1011, 10, 'p', 0)",
        "INSERT INTO T_PIN (DBID, ID, ELEMENTTYPEDBID, ELEMENTTYPEID, V_NUM, S_NAME, V_FLAG) "
        "VALUES (1011, 50, 1011, 10, 1, 'A', 0)",
        "INSERT INTO T_ELEMENT_SUPPLIER (ID, ELEMENTTYPEDBID, ELEMENTTYPEID, SUPPLIERID, V_FLAG) "
        "VALUES (50, 1011, 10, 1, 0)",
        "INSERT INTO T_ELEMENT_AVAIL (ID, ELEMENTTYPEDBID, ELEMENTTYPEID, V_FLAG) VALUES (50, "
        "1011, 10, 0)",
        "INSERT INTO T_PROJECT_ITEM (ID, PROJECTID, ELEMENTTYPEDBID, ELEMENTTYPEID, V_FLAG) "
        "VALUES (50, 1, 1011, 10, 0)",
        "INSERT INTO T_ELEMENT_ANALOG (DBID, ID, PELEMENTTYPEDBID, PELEMENTTYPEID, "
        "AELEMENTTYPEDBID, AELEMENTTYPEID, V_FLAG) VALUES (1011, 50, 1011, 4, 1011, 10, 0)"};
    const QString tables[] = {"T_PARAM",         "T_PIN",          "T_ELEMENT_SUPPLIER",
                              "T_ELEMENT_AVAIL", "T_PROJECT_ITEM", "T_ELEMENT_ANALOG"};
    T_frmElementType* frame = OpenOnClass(2, false);
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(tables[i].toStdString());
        DB().Exec(probes[i]);
        frame->SelectRecord(1011, 10);
        FocusList(frame);
        Messages.clear();
        Answers = {mrYes};
        frame->Delete_ToolButtonClick();
        EXPECT_EQ(Messages, QStringList({"Удалить запись?",
                                         "Запись не может быть удалена, пока на нее ссылаются "
                                         "другие записи в базе данных"}));
        EXPECT_EQ(
            Scalar(QStringLiteral("SELECT COUNT(*) FROM T_ELEMENT_TYPE WHERE ID = 10")).toInt(), 1);
        DB().Exec(QStringLiteral("DELETE FROM %1 WHERE ID = 50").arg(tables[i]));
    }
    Messages.clear();
    Answers = {mrYes};
    frame->Delete_ToolButtonClick();
    EXPECT_EQ(Messages, QStringList({"Удалить запись?"}));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_ELEMENT_TYPE WHERE ID = 10")).toInt(),
              0);
    EXPECT_EQ(Names(frame), QStringList({"1N4148"}));
}

TEST_F(ElementTypeListTest, PickerReturnsTheChosenTypeOrNothing) {
    AddCatalogue();
    DB();
    TKVSelectedItemDBData selected;
    AnswerModal<TfrmSelectElementType>([](TfrmSelectElementType* ADialog) {
        EXPECT_EQ(ADialog->BookFrame()->SelectedItemDBData().Id, 2u); // preselected
        EXPECT_EQ(ADialog->BookFrame()->Model()->Count(), 3);
        ADialog->BookFrame()->SelectRecord(1011, 3);
        ADialog->accept();
    });
    SelectElementType(1011, 2, 1011, 1, selected);
    EXPECT_TRUE(selected.Select);
    EXPECT_EQ(selected.Id, 3u);
    EXPECT_EQ(selected.Name, QStringLiteral("Сборка"));

    AnswerModal<TfrmSelectElementType>([](TfrmSelectElementType* ADialog) { ADialog->reject(); });
    SelectElementType(1011, 2, 1011, 1, selected);
    EXPECT_FALSE(selected.Select);

    // A class that is not there: the message, an empty list, and OK gives nothing.
    AnswerModal<TfrmSelectElementType>([](TfrmSelectElementType* ADialog) { ADialog->accept(); });
    SelectElementType(0, 0, 1011, 99, selected);
    EXPECT_FALSE(selected.Select);
    ASSERT_EQ(FUI.Errors.size(), 1u);
    EXPECT_EQ(FUI.Errors[0].Text, QStringLiteral("Object DBID:1011, ID:99 not found in DataBase"));
}

TEST_F(ElementTypeListTest, ClassAndMakerBooksOpenOneWindowPerRecord) {
    AddCatalogue();
    DB();
    ShowElementTypesOfClass(1011, 1);
    ShowElementTypesOfClass(1011, 1);
    ShowElementTypesOfMaker(1011, 2);
    ShowElementTypesOfMaker(1011, 2);
    ShowElementTypesOnName(QStringLiteral("r*"));
    ShowElementTypesOnName(QStringLiteral("R*"));
    const auto windows = Main().FindMDIChildren<TfrmElementType>();
    ASSERT_EQ(windows.size(), 3u);
    EXPECT_EQ(windows[0]->windowTitle(), QStringLiteral("Резисторы - Типы элементов"));
    EXPECT_EQ(windows[0]->BookFrame()->ListSelectDataMode(), etsdmOnClassWithBaseParam);

    // The class book's view of the element types brings that window to the front.
    TfrmClass* classes = OpenRBClass();
    classes->BookFrame()->SelectRecord(1011, 1);
    AnswerModal<TfrmOpenDataMode>([](TfrmOpenDataMode* ADialog) {
        ADialog->ListView()->setCurrentItem(ADialog->ListView()->topLevelItem(1));
        ADialog->accept();
    });
    classes->BookFrame()->ListViewEnterKey();
    EXPECT_EQ(Main().FindMDIChildren<TfrmElementType>().size(), 3u);
    EXPECT_EQ(Main().MDIArea()->activeSubWindow(), windows[0]->SubWindow());

    // A type moved to another class leaves the old class's window for the new one's.
    T_frmElementType* diodes = OpenOnClass(2);
    DB().Exec(QStringLiteral("UPDATE T_ELEMENT_TYPE SET CLASSID = 2 WHERE ID = 3"));
    NotifyRecordChanged(itElementType, 1011, 3, iatChange);
    EXPECT_EQ(Names(windows[0]->BookFrame()), QStringList({"R-10", "R-100"}));
    EXPECT_EQ(Names(diodes), QStringList({"1N4148", "Сборка"}));

    // Deleting the maker closes its list.
    QPointer<TfrmElementType> makerWindow = windows[1];
    CloseWindowsBoundTo(itMaker, 1011, 2);
    Settle();
    EXPECT_TRUE(makerWindow.isNull());
}

TEST_F(ElementTypeListTest, BadMasksAndMissingRecordsAreTold) {
    AddCatalogue();
    DB();
    // A character the database cannot hold: a message, no window and no query.
    EXPECT_EQ(OpenRBElementTypeOnName(QStringLiteral("R*α")), nullptr);
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_TRUE(Messages[0].contains(QStringLiteral("«α»")));
    EXPECT_TRUE(Main().FindMDIChildren<TfrmElementType>().empty());

    // A class deleted meanwhile: the message, an empty usable list and the caption.
    TfrmElementType* host = OpenRBElementTypeOnClass(1011, 77, true);
    ASSERT_NE(host, nullptr);
    ASSERT_EQ(FUI.Errors.size(), 1u);
    EXPECT_EQ(FUI.Errors[0].Text, QStringLiteral("Object DBID:1011, ID:77 not found in DataBase"));
    EXPECT_EQ(host->BookFrame()->CountPanel()->text(), QStringLiteral("Нет записей "));
    EXPECT_EQ(host->windowTitle(), QStringLiteral(" - Типы элементов"));
    host->BookFrame()->RefreshData();
}

TEST_F(ElementTypeListTest, WebSearchSendsTheEncodedNameAndFavouritesAreAdded) {
    AddCatalogue();
    AddType(9, 2, QStringLiteral("BAT 54 & C#"));
    T_frmElementType* frame = OpenOnClass(2, false);
    frame->SelectRecord(1011, 9);
    {
        QFile patterns(FProgramDir.filePath(QStringLiteral("siwp.ini")));
        ASSERT_TRUE(patterns.open(QIODevice::WriteOnly));
        patterns.write(
            "[SearchInWebPattern]\nSIWName0=Site\nSIWPtt0=https://site.example/?q=%NAME%\n");
    }
    dmMain->SearchInWebPttList.LoadFromINIFile(FProgramDir.filePath(QStringLiteral("siwp.ini")));
    QList<QUrl> opened;
    TOpenUrlHookScope hook([&](const QUrl& AUrl) { opened << AUrl; });
    AnswerModal<TfrmListItemSelect>([](TfrmListItemSelect* ADialog) {
        ADialog->ListBox()->setCurrentRow(0);
        ADialog->accept();
    });
    frame->SearchInWeb();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened[0].toEncoded().contains("BAT%2054%20%26%20C%23"))
        << opened[0].toString().toStdString();

    frame->AddToFavorite();
    frame->AddToFavorite();
    EXPECT_EQ(Messages, QStringList({"Запись была успешно добавлена в Избранное",
                                     "Запись была успешно добавлена в Избранное"}));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_FAVORITES")).toInt(), 1);
}
