// Record details on a real database: the facts of a row of every kind, the permission rows
// for rows of DBID 0, of the open database and of another database under the options that
// matter, read-only databases, missing rows, kinds without a table, a failing query, and the
// copy to the clipboard.

#include "shell/frmItemInfo.h"

#include "core/udmMain.h"
#include "platform/sys/SysDrive.h"
#include "shell/frmHelp.h"
#include "shell/uHelpContext.h"
#include "tests/support/TestDataBase.h"
#include "tests/support/TestUserInterface.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

class ItemInfoTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FProgramDir.isValid());
        SysTestSeams::SetDriveType(FProgramDir.path(), dtFixed);
        FModule = std::make_unique<TdmMain>(FProgramDir.path());
        FSavedOptions = {ReadOnly, BLIMod, NSIMod};
    }
    void TearDown() override {
        if (FModule && FModule->DBConnected()) {
            int error = 0;
            FModule->DataBaseDisconnect(error);
        }
        FModule.reset();
        std::tie(ReadOnly, BLIMod, NSIMod) = FSavedOptions;
        SysTestSeams::Reset();
    }

    void Connect(const TTestDataBase& ADataBase) {
        SysTestSeams::SetDriveType(QFileInfo(ADataBase.FileName()).path(), dtFixed);
        int error = 0;
        ASSERT_EQ(FModule->DataBaseConnect(ADataBase.FileName(), FModule->CurrentUser(), error),
                  crOk);
        ASSERT_TRUE(FModule->DBConnected());
    }

    void SetOptions(bool AReadOnly, bool ABLIMod, bool ANSIMod) {
        ReadOnly = AReadOnly;
        BLIMod = ABLIMod;
        NSIMod = ANSIMod;
    }

    static QStringList Facts(TKVItemType AItemType, quint32 ADBId, quint32 AId) {
        TfrmItemInfo form;
        form.LoadItemInfo(AItemType, ADBId, AId);
        return form.InfoLines();
    }

    // The value of the fact ACaption, std::nullopt when the facts hold no such row.
    static std::optional<QString> Fact(const QStringList& ALines, const QString& ACaption) {
        const QString prefix = ACaption + QStringLiteral(":  ");
        for (const QString& line : ALines)
            if (line.startsWith(prefix))
                return line.mid(prefix.size());
        return std::nullopt;
    }

    QTemporaryDir FProgramDir;
    TTestUserInterface FUI;
    std::unique_ptr<TdmMain> FModule;
    std::tuple<bool, bool, bool> FSavedOptions;
};

const QStringList kHeading = {"Общая информация", "", ""};

// The lines of the copy to the clipboard: the heading, then ALines.
QStringList WithHeading(const QStringList& ALines) {
    return kHeading + ALines;
}

// One row of every table, in a database of DBID 1011.
void FillRows(const TTestDataBase& ADataBase) {
    for (const char* sql : {
             "INSERT INTO T_CLASS (DBID, ID, S_NAME, C_TIMESTAMP, U_TIMESTAMP, R_TIMESTAMP) "
             "VALUES (1011, 5, 'Резисторы', '2015-02-01 12:30:45', NULL, '2016-03-04 00:00:00')",
             "INSERT INTO T_CLASS (DBID, ID, S_NAME) VALUES (0, 1, 'Базовый класс')",
             "INSERT INTO T_CLASS (DBID, ID, S_NAME) VALUES (1000, 2, 'Демо-класс')",
             "INSERT INTO T_CASE (DBID, ID, S_TYPENAME, U_TIMESTAMP) "
             "VALUES (0, 7, 'DIP-14', '2017-05-06 08:09:10')",
             "INSERT INTO T_MAKER (DBID, ID, S_NAME) VALUES (1000, 3, 'Интеграл')",
             "INSERT INTO T_UNIT (DBID, ID, S_PREFIX) VALUES (0, 2, 'мкФ')",
             "INSERT INTO T_ELEMENT_TYPE (DBID, ID, CLASSDBID, CLASSID, S_TYPENAME) "
             "VALUES (1011, 9, 1011, 5, 'К155ЛА3')",
             "INSERT INTO T_BASE_PARAM (DBID, ID, CLASSDBID, CLASSID, S_NAME) "
             "VALUES (1011, 4, 1011, 5, 'Ёмкость')",
             "INSERT INTO T_PARAM (DBID, ID, ELEMENTTYPEDBID, ELEMENTTYPEID, S_NAME) "
             "VALUES (1011, 6, 1011, 9, 'Uпит')",
             "INSERT INTO T_PIN (DBID, ID, ELEMENTTYPEDBID, ELEMENTTYPEID, V_NUM, S_NAME) "
             "VALUES (1011, 8, 1011, 9, 1, 'Вход A')",
             "INSERT INTO T_ELEMENT_ANALOG (DBID, ID, PELEMENTTYPEDBID, PELEMENTTYPEID, "
             "AELEMENTTYPEDBID, AELEMENTTYPEID) VALUES (1011, 10, 1011, 9, 1011, 9)",
             "INSERT INTO T_STORAGE (ID, S_NAME) VALUES (3, 'Шкаф')",
             "INSERT INTO T_ELEMENT_AVAIL (ID, ELEMENTTYPEDBID, ELEMENTTYPEID, S_TYPENAME) "
             "VALUES (4, 1011, 9, 'Своё имя')",
             "INSERT INTO T_ELEMENT_AVAIL (ID, S_TYPENAME) VALUES (5, 'Без типа')",
             "INSERT INTO T_SUPPLIER (ID, S_NAME, C_TIMESTAMP, U_TIMESTAMP) "
             "VALUES (2, 'Чип и Дип', '2020-01-02 00:00:00', '2021-11-12 13:14:15')",
             "INSERT INTO T_ELEMENT_SUPPLIER (ID, ELEMENTTYPEDBID, ELEMENTTYPEID, SUPPLIERID) "
             "VALUES (6, 1011, 9, 2)",
             "INSERT INTO T_PROJECT (ID, S_NAME) VALUES (7, 'Усилитель')",
             "INSERT INTO T_PROJECT_ITEM (ID, PROJECTID, ELEMENTAVAILID) VALUES (8, 7, 5)",
             "INSERT INTO T_PROJECT_ITEM (ID, PROJECTID, ELEMENTTYPEDBID, ELEMENTTYPEID, "
             "ELEMENTAVAILID) VALUES (9, 7, 1011, 9, 5)",
             "INSERT INTO T_NOTE (ID, S_TEXT) VALUES (11, '   Купить конденсаторы 100 мкФ на 25 "
             "В для блока питания и ещё резисторы 1 кОм   ')",
         })
        ADataBase.Exec(QString::fromUtf8(sql));
}

TEST_F(ItemInfoTest, FactsOfEveryKind) {
    TTestDataBase dataBase(1011);
    FillRows(dataBase);
    Connect(dataBase);
    SetOptions(false, false, true);

    // A row keyed by (DBID, ID) and one keyed by ID alone, in full.
    EXPECT_EQ(Facts(itClass, 1011, 5), WithHeading({
                                           "Тип записи:  Класс",
                                           "DBID:  1011",
                                           "ID:  5",
                                           "Название записи:  Резисторы",
                                           "Дата создания:  01.02.2015 12:30:45",
                                           "Дата импорта в БД:  04.03.2016",
                                           "Object type:  User Object",
                                           "Возможность изменения:  Да",
                                           "Возможность удаления:  Да",
                                           "Возможность экспорта:  Да",
                                       }));
    EXPECT_EQ(Facts(itSupplier, 0, 2), WithHeading({
                                           "Тип записи:  Поставщик",
                                           "ID:  2",
                                           "Название записи:  Чип и Дип",
                                           "Дата создания:  02.01.2020",
                                           "Дата последнего изменения:  12.11.2021 13:14:15",
                                           "Object type:  Local",
                                           "Возможность изменения:  Да",
                                           "Возможность удаления:  Да",
                                           "Возможность экспорта:  Нет",
                                       }));

    struct TCase {
        TKVItemType ItemType;
        quint32 DBId;
        quint32 Id;
        QString Kind;
        QString Name;
    };
    const std::vector<TCase> cases = {
        {itCase, 0, 7, "Корпус", "DIP-14"},
        {itMaker, 1000, 3, "Производитель", "Интеграл"},
        {itUnit, 0, 2, "Единица измерения", "мкФ"},
        {itElementType, 1011, 9, "Тип элемента", "К155ЛА3"},
        {itBaseParam, 1011, 4, "Базовый параметр класса", "Ёмкость"},
        {itParam, 1011, 6, "Параметр", "Uпит"},
        {itPin, 1011, 8, "Вывод", "Вход A"},
        {itElementAnalog, 1011, 10, "Аналог элемента", "К155ЛА3"},
        {itStorage, 0, 3, "Место хранения", "Шкаф"},
        {itElementAvail, 0, 4, "Элемент в наличии", "К155ЛА3"},
        // Without an element type the stock record's own name.
        {itElementAvail, 0, 5, "Элемент в наличии", "Без типа"},
        {itElementSupplier, 0, 6, "Поставщик по типу элемента", "К155ЛА3"},
        {itProject, 0, 7, "Проект", "Усилитель"},
        {itProjectItem, 0, 8, "Элемент по проекту", "Без типа"},
        {itProjectItem, 0, 9, "Элемент по проекту", "К155ЛА3"},
        // The first 64 characters of the trimmed text.
        {itNote, 0, 11, "Заметка",
         "Купить конденсаторы 100 мкФ на 25 В для блока питания и ещё рези"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Kind.toStdString() + " " + std::to_string(c.Id));
        const QStringList lines = Facts(c.ItemType, c.DBId, c.Id);
        const bool keyedByDBId = c.ItemType <= itElementAnalog;
        QStringList key{"Тип записи:  " + c.Kind};
        if (keyedByDBId)
            key << "DBID:  " + QString::number(c.DBId);
        key << "ID:  " + QString::number(c.Id) << "Название записи:  " + c.Name;
        EXPECT_EQ(lines.mid(3, key.size()), key);
        EXPECT_EQ(Fact(lines, "Object type").has_value(), true);
        EXPECT_EQ(Fact(lines, "Object type") == "Local", !keyedByDBId);
        // No timestamps stored: no date rows; only (DBID, ID) rows have an import date row.
        EXPECT_FALSE(Fact(lines, "Дата создания"));
        EXPECT_EQ(Fact(lines, "Дата последнего изменения").has_value(), c.ItemType == itCase);
    }
    EXPECT_EQ(Fact(Facts(itCase, 0, 7), "Дата последнего изменения"), "06.05.2017 08:09:10");
    EXPECT_TRUE(FUI.Errors.empty());
}

TEST_F(ItemInfoTest, MissingRowsKindsWithoutTableAndClipboard) {
    TTestDataBase dataBase(1011);
    Connect(dataBase);

    TfrmItemInfo form;
    form.LoadItemInfo(itClass, 1011, 999);
    const QStringList missing =
        WithHeading({"Тип записи:  Класс", "DBID:  1011", "ID:  999", "Запись не найдена в БД!"});
    EXPECT_EQ(form.InfoLines(), missing);
    form.findChild<QPushButton*>("CopyToClipboard_Btn")->click();
    EXPECT_EQ(QApplication::clipboard()->text(), missing.join(u'\n') + u'\n');

    EXPECT_EQ(Facts(itNote, 0, 1),
              WithHeading({"Тип записи:  Заметка", "ID:  1", "Запись не найдена в БД!"}));
    EXPECT_EQ(Facts(itSysVar, 0, 5), WithHeading({"Тип записи:  Системная переменная", "ID:  5"}));
    EXPECT_EQ(Facts(itLocalConfig, 3, 6),
              WithHeading({"Тип записи:  Данные локальной конфигурации", "ID:  6"}));
    EXPECT_EQ(Facts(itUnknown, 1, 2), WithHeading({"Неизвестная запись"}));
    EXPECT_EQ(Facts(static_cast<TKVItemType>(42), 1, 2), WithHeading({"Неизвестная запись"}));

    // Loading again replaces the rows.
    form.LoadItemInfo(itSysVar, 0, 1);
    EXPECT_EQ(form.ListView()->topLevelItemCount(), 2);
    EXPECT_TRUE(FUI.Errors.empty());
}

TEST_F(ItemInfoTest, PermissionRowsByDBIdAndOptions) {
    TTestDataBase dataBase(1011);
    FillRows(dataBase);
    Connect(dataBase);

    struct TCase {
        const char* Name;
        quint32 DBId;
        quint32 Id;
        bool ReadOnly, BLIMod, NSIMod;
        const char* ObjectType;
        bool Other;
        const char *Change, *Delete;
    };
    const std::vector<TCase> cases = {
        {"base row, BLIMod off", 0, 1, false, false, true, "Base Level Object", true, "Нет", "Нет"},
        {"base row, BLIMod on", 0, 1, false, true, true, "Base Level Object", true, "Да", "Да"},
        {"base row, NSIMod off", 0, 1, false, true, false, "Base Level Object", true, "Нет", "Да"},
        {"own row", 1011, 5, false, false, false, "User Object", false, "Да", "Да"},
        {"own row, ReadOnly", 1011, 5, true, true, true, "User Object", false, "Нет", "Нет"},
        {"other row, NSIMod off", 1000, 2, false, false, false, "Demo Object", true, "Нет", "Да"},
        {"other row, NSIMod on", 1000, 2, false, false, true, "Demo Object", true, "Да", "Да"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        SetOptions(c.ReadOnly, c.BLIMod, c.NSIMod);
        const QStringList lines = Facts(itClass, c.DBId, c.Id);
        EXPECT_EQ(Fact(lines, "Object type"), c.ObjectType);
        EXPECT_EQ(Fact(lines, "Запись другой БД"),
                  c.Other ? std::optional<QString>("Да") : std::nullopt);
        EXPECT_EQ(Fact(lines, "Возможность изменения"), c.Change);
        EXPECT_EQ(Fact(lines, "Возможность удаления"), c.Delete);
        EXPECT_EQ(Fact(lines, "Возможность экспорта"), "Да");
    }

    // Rows keyed by ID alone: option ReadOnly forbids changing and deleting.
    SetOptions(true, true, true);
    const QStringList supplier = Facts(itSupplier, 0, 2);
    EXPECT_EQ(Fact(supplier, "Возможность изменения"), "Нет");
    EXPECT_EQ(Fact(supplier, "Возможность удаления"), "Нет");
    EXPECT_EQ(Fact(supplier, "Возможность экспорта"), "Нет");
}

TEST_F(ItemInfoTest, ExportNeedsADataBaseThatMayExport) {
    for (const quint32 dbId : {1u, 1000u}) {
        SCOPED_TRACE(dbId);
        {
            TTestDataBase dataBase(dbId);
            dataBase.Exec("INSERT INTO T_CLASS (DBID, ID, S_NAME) VALUES (0, 1, 'Базовый')");
            Connect(dataBase);
            SetOptions(false, false, true);
            const QStringList lines = Facts(itClass, 0, 1);
            EXPECT_EQ(Fact(lines, "Возможность экспорта"), "Нет");
            EXPECT_EQ(Fact(lines, "Запись другой БД"), "Да");
            int error = 0;
            FModule->DataBaseDisconnect(error);
        }
    }
}

TEST_F(ItemInfoTest, ReadOnlyDataBaseForbidsChanges) {
    TTestDataBase dataBase(1011);
    FillRows(dataBase);
    dataBase.Exec("INSERT INTO SYS_VAR (S_PARAM, V_INTEGER) VALUES ('READONLY', 1)");
    Connect(dataBase);
    ASSERT_TRUE(FModule->CurrentDBReadOnly());
    SetOptions(false, true, true);

    const QStringList own = Facts(itClass, 1011, 5);
    EXPECT_EQ(Fact(own, "Возможность изменения"), "Нет");
    EXPECT_EQ(Fact(own, "Возможность удаления"), "Нет");
    EXPECT_EQ(Fact(own, "Возможность экспорта"), "Да");

    const QStringList supplier = Facts(itSupplier, 0, 2);
    EXPECT_EQ(Fact(supplier, "Object type"), "Local");
    EXPECT_EQ(Fact(supplier, "Возможность изменения"), "Нет");
    EXPECT_EQ(Fact(supplier, "Возможность удаления"), "Нет");
    EXPECT_EQ(Fact(supplier, "Возможность экспорта"), "Нет");
}

TEST_F(ItemInfoTest, NothingWithoutDataBaseAndErrorsKeepRowsSoFar) {
    // No database open: an empty list.
    EXPECT_EQ(Facts(itClass, 1011, 5), kHeading);

    // A query the database refuses: the standard report, and the rows added before it stay.
    TTestDataBase dataBase(1011);
    dataBase.Exec("ALTER TABLE T_NOTE DROP U_TIMESTAMP");
    Connect(dataBase);
    EXPECT_EQ(Facts(itNote, 0, 1), WithHeading({"Тип записи:  Заметка", "ID:  1"}));
    ASSERT_EQ(FUI.Errors.size(), 1u);
    EXPECT_EQ(FUI.Errors[0].Caption, "EIBError");
    EXPECT_TRUE(FUI.Errors[0].OwnedByApp);
    EXPECT_FALSE(FModule->MainIBTransaction.InTransaction());

    // The window goes on working.
    EXPECT_EQ(Fact(Facts(itClass, 1011, 5), "Тип записи"), "Класс");
}

TEST_F(ItemInfoTest, WindowLayoutAndHelp) {
    TfrmItemInfo form;
    EXPECT_EQ(form.windowTitle(), "Подробная информация о записи");
    auto* pages = form.findChild<QTabWidget*>("ItemInfo_PageControl");
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_EQ(pages->tabText(0), "Общая информация");
    EXPECT_EQ(pages->tabText(1), "Связи записей");
    EXPECT_FALSE(pages->isTabEnabled(1));
    auto* ok = form.findChild<QPushButton*>("OkBtn");
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->isDefault());
    ASSERT_NE(form.findChild<QTreeWidget*>("ItemDepending_TreeView"), nullptr);

    auto* help = form.findChild<QAction*>("pmiHelpContext");
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->shortcut(), QKeySequence(Qt::Key_F1));
    help->trigger();
    ASSERT_NE(HelpWindow(), nullptr);
    EXPECT_EQ(HelpWindow()->CurrentTopic(), "ItemInfo");
    HelpWindow()->close();

    // Enter on the list presses OK; Esc on a button closes with Cancel.
    form.show();
    QTest::keyClick(form.ListView(), Qt::Key_Return);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_FALSE(form.isVisible());
    form.show();
    QTest::keyClick(form.findChild<QPushButton*>("CopyToClipboard_Btn"), Qt::Key_Escape);
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_FALSE(form.isVisible());
}

} // namespace
