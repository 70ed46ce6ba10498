// The deletion of an imported package: a round trip that leaves the database as before the
// import, the rows of the user that stop it, a class tree deleted children first under a
// foreign key, a failing step that deletes nothing, and the dialog.

#include "tests/exchange/ExchangeTestSupport.h"

#include "exchange/KVPackageDelete.h"
#include "exchange/frmDeletePackage.h"
#include "shell/KVFileDialog.h"
#include "shell/uMessage.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace {

QString Problem(const QString& AUserKind, const QString& AUserName, const QString& AUsedKind,
                const QString& AUsedName) {
    return QStringLiteral("Проблема: %1 \" %2 \" использует %3 \" %4 \" пакета данных;")
        .arg(AUserKind, AUserName, AUsedKind, AUsedName);
}

} // namespace

class TPackageDeleteTest : public TPackageTest {
protected:
    // Database A (DBID 1011) with the catalogue, exported as a package of classes 3 and 5 with
    // their ancestors (the tree 1 < 2 < 3 three levels deep), and database B (DBID 1012) with
    // rows of its own, connected, before and after the import.
    void SetUp() override {
        TPackageTest::SetUp();
        FSource = &NewDataBase(1011, true);
        FTarget = &NewDataBase(1012, true);
        Connect(*FSource);
        FPackage = File(QStringLiteral("package.fdb"));
        ASSERT_TRUE(Export(FPackage, {{1011, 3}, {1011, 5}}))
            << FMonitor.Lines.join('\n').toStdString();
        // A supplier of B's own, for the prices below.
        FTarget->Exec(QStringLiteral("INSERT INTO T_SUPPLIER (ID, S_NAME) VALUES (1, 'Чип и Дип')"));
    }

    void ImportPackage() {
        Connect(*FTarget);
        FBefore = DumpDataBase(FTarget->FileName());
        ASSERT_TRUE(Import(FPackage)) << FMonitor.Lines.join('\n').toStdString();
        // A layout row of a window keyed by a row of the package.
        FTarget->Exec(QStringLiteral("INSERT INTO CFG_LOCAL (ID, OBJ_TYPE, OBJ_DBID, OBJ_ID, "
                                     "S_PARAM, V_INTEGER) VALUES (500, 7, 1011, 3, 'WIDTH', 80)"));
        FMonitor.Lines.clear();
    }

    bool Delete(std::function<void(int)> AHook = {}) {
        FMonitor.Lines.clear();
        TKVPackageDeleter deleter(Module(), FMonitor);
        deleter.SetDeleteStepHook(std::move(AHook));
        return deleter.DeletePackageData(1011);
    }
    bool Analyze() {
        FMonitor.Lines.clear();
        return TKVPackageDeleter(Module(), FMonitor).AnalyzePackageData(1011);
    }
    qint64 Count(const QString& ASQL) const { return CountOf(FTarget->FileName(), ASQL); }

    TTestDataBase* FSource = nullptr;
    TTestDataBase* FTarget = nullptr;
    QString FPackage;
    QMap<QString, TTableDump> FBefore;
};

TEST_F(TPackageDeleteTest, ImportedThenDeletedLeavesTheDatabaseAsBefore) {
    ImportPackage();
    ASSERT_TRUE(Module().DataBase().ExistsPackageImportedByDBId(1011));
    ASSERT_NE(DumpDataBase(FTarget->FileName()), FBefore);

    ASSERT_TRUE(Delete()) << FMonitor.Lines.join('\n').toStdString();
    EXPECT_EQ(DumpDataBase(FTarget->FileName()), FBefore);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM CFG_LOCAL WHERE OBJ_DBID = 1011")), 0);
    EXPECT_FALSE(Module().DataBase().ExistsPackageImportedByDBId(1011));

    const QStringList expected{
        "Анализ пакета данных 1011...",
        "Пакет данных может быть удален;",
        "Удаление пакета данных 1011...",
        "Объектов \" Параметр \" удалено: 2;",
        "Объектов \" Вывод \" удалено: 2;",
        "Объектов \" Аналог элемента \" удалено: 1;",
        "Объектов \" Базовый параметр \" удалено: 2;",
        "Объектов \" Тип элемента \" удалено: 3;",
        "Объектов \" Класс \" удалено: 6;",
        "Объектов \" Корпус \" удалено: 2;",
        "Объектов \" Производитель \" удалено: 2;",
        "Объектов \" Единица измерения \" удалено: 2;",
        "Объектов \" Local Config Object \" удалено: 1;",
        "Пакет данных удален;"};
    EXPECT_EQ(FMonitor.Lines, expected);
    EXPECT_EQ(FMonitor.Labels.last(), QString());
}

TEST_F(TPackageDeleteTest, ClassTreeIsDeletedChildrenFirstUnderAForeignKey) {
    // A database that holds its class tree with a foreign key refuses to delete a parent
    // before its children.
    FTarget->Exec(QStringLiteral("ALTER TABLE T_CLASS ADD CONSTRAINT FK_T_CLASS_PARENT FOREIGN "
                                 "KEY (PARENTDBID, PARENTID) REFERENCES T_CLASS (DBID, ID)"));
    ImportPackage();
    ASSERT_TRUE(Delete()) << FMonitor.Lines.join('\n').toStdString();
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM T_CLASS WHERE DBID = 1011")), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM T_CLASS WHERE DBID = 1012")), 6);
}

TEST_F(TPackageDeleteTest, UserPriceOnAPackageTypeRefusesAndDeletesNothing) {
    ImportPackage();
    FTarget->Exec(QStringLiteral("INSERT INTO T_ELEMENT_SUPPLIER (ID, ELEMENTTYPEDBID, "
                                 "ELEMENTTYPEID, SUPPLIERID, V_PRICE) VALUES (1, 1011, 1, 1, 12.5)"));
    const QMap<QString, TTableDump> imported = DumpDataBase(FTarget->FileName());

    EXPECT_FALSE(Delete());
    EXPECT_TRUE(FMonitor.Lines.contains(
        Problem("Поставщик по типу элемента", "Чип и Дип", "Тип элемента", "К561ИЕ1")))
        << FMonitor.Lines.join('\n').toStdString();
    EXPECT_EQ(FMonitor.Lines.last(), "Удаление пакета данных невозможно;");
    EXPECT_EQ(DumpDataBase(FTarget->FileName()), imported);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM CFG_LOCAL WHERE OBJ_DBID = 1011")), 1);
    EXPECT_TRUE(Module().DataBase().ExistsPackageImportedByDBId(1011));
}

TEST_F(TPackageDeleteTest, EveryRowOfAnotherOwnerThatUsesThePackageIsAProblem) {
    ImportPackage();
    const struct {
        const char* Insert;
        QString Line;
    } cases[] = {
        {"INSERT INTO T_CLASS (DBID, ID, PARENTDBID, PARENTID, S_NAME) VALUES (1012, 50, 1011, 3, "
         "'Мои счётчики')",
         Problem("Класс", "Мои счётчики", "Класс", "Счётчики")},
        {"INSERT INTO T_ELEMENT_TYPE (DBID, ID, CLASSDBID, CLASSID, MAKERDBID, MAKERID, "
         "S_TYPENAME) VALUES (1012, 50, 1012, 3, 1011, 2, 'Мой тип')",
         Problem("Тип элемента", "Мой тип", "Производитель", "Интеграл")},
        {"INSERT INTO T_ELEMENT_AVAIL (ID, UNITCOUNTDBID, UNITCOUNTID, S_TYPENAME) VALUES (50, "
         "1011, 2, 'Резистор без типа')",
         Problem("Элемент в наличии", "Резистор без типа", "Единица измерения", "")},
        {"INSERT INTO T_PROJECT_ITEM (ID, PROJECTID, ELEMENTTYPEDBID, ELEMENTTYPEID) VALUES (50, "
         "1, 1011, 2)",
         Problem("Элемент проекта", "К561ИЕ2", "Тип элемента", "К561ИЕ2")},
        {"INSERT INTO T_BASE_PARAM (DBID, ID, CLASSDBID, CLASSID, S_NAME) VALUES (1012, 50, 1011, "
         "3, 'Частота')",
         Problem("Базовый параметр", "Частота", "Класс", "Счётчики")},
        {"INSERT INTO T_PARAM (DBID, ID, ELEMENTTYPEDBID, ELEMENTTYPEID, S_NAME) VALUES (1012, "
         "50, 1011, 3, 'Мой параметр')",
         Problem("Параметр", "Мой параметр", "Тип элемента", "К561ИЕ3")},
        {"INSERT INTO T_PARAM (DBID, ID, ELEMENTTYPEDBID, ELEMENTTYPEID, BASEPARAMDBID, "
         "BASEPARAMID, S_NAME) VALUES (1012, 50, 1012, 1, 1011, 1, 'Связанный')",
         Problem("Параметр", "Связанный", "Базовый параметр", "Ёмкость")},
        {"INSERT INTO T_PIN (DBID, ID, ELEMENTTYPEDBID, ELEMENTTYPEID, V_NUM, S_NAME) VALUES "
         "(1012, 50, 1011, 1, 3, 'Выход')",
         Problem("Вывод", "Выход", "Тип элемента", "К561ИЕ1")},
        {"INSERT INTO T_ELEMENT_ANALOG (DBID, ID, PELEMENTTYPEDBID, PELEMENTTYPEID, "
         "AELEMENTTYPEDBID, AELEMENTTYPEID) VALUES (1012, 50, 1012, 1, 1011, 3)",
         Problem("Аналог элемента", "К561ИЕ1", "Тип элемента", "К561ИЕ3")},
        {"INSERT INTO T_PSP (ID, CLASSDBID, CLASSID, S_NAME) VALUES (50, 1011, 5, 'Профиль')",
         Problem("Профиль поиска", "Профиль", "Класс", "Переменные")},
        {"INSERT INTO T_FAVORITES (ID, OBJ_TYPE, OBJ_DBID, OBJ_ID) VALUES (50, 7, 1011, 1)",
         Problem("Избранное", "К561ИЕ1", "Тип элемента", "К561ИЕ1")},
    };
    ASSERT_TRUE(Analyze()) << FMonitor.Lines.join('\n').toStdString();
    for (const auto& c : cases) {
        const QString insert = QString::fromUtf8(c.Insert);
        FTarget->Exec(insert);
        EXPECT_FALSE(Analyze()) << insert.toStdString();
        EXPECT_TRUE(FMonitor.Lines.contains(c.Line))
            << insert.toStdString() << "\n"
            << FMonitor.Lines.join('\n').toStdString();
        // The row goes again, so that each case stands alone.
        const QString table = insert.section(QLatin1Char(' '), 2, 2);
        FTarget->Exec(QStringLiteral("DELETE FROM %1 WHERE ID = 50").arg(table));
    }
    EXPECT_TRUE(Analyze()) << FMonitor.Lines.join('\n').toStdString();
}

TEST_F(TPackageDeleteTest, AFailingStepRollsTheWholeDeletionBack) {
    ImportPackage();
    const QMap<QString, TTableDump> imported = DumpDataBase(FTarget->FileName());
    EXPECT_FALSE(Delete([](int AStep) {
        if (AStep == 8)
            throw EIBError(QStringLiteral("lock conflict on no wait transaction"));
    }));
    ASSERT_EQ(FUI.Errors.size(), 1u);
    EXPECT_EQ(FUI.Errors[0].Text, "lock conflict on no wait transaction");
    EXPECT_EQ(DumpDataBase(FTarget->FileName()), imported);
    EXPECT_TRUE(Module().DataBase().ExistsPackageImportedByDBId(1011));
}

TEST_F(TPackageDeleteTest, DialogListsDeletesAndRemovesThePackage) {
    ImportPackage();
    QStringList messages;
    TMessageDlgResponderScope answer([&messages](const TMessageDlgRequest& ARequest) {
        messages << ARequest.Text;
        return int(mrOk);
    });
    TfrmDeletePackage dlg;
    ASSERT_EQ(dlg.IncludeDataListView()->topLevelItemCount(), 1);
    const QTreeWidgetItem* row = dlg.IncludeDataListView()->topLevelItem(0);
    EXPECT_EQ(row->text(0), "1011");
    EXPECT_EQ(row->text(1), "База 1011");
    EXPECT_EQ(row->text(2), DateTimeToStr(EncodeDateTime(2016, 3, 5, 9, 7, 0)));
    EXPECT_FALSE(dlg.AnalyzeButton()->isEnabled());
    EXPECT_FALSE(dlg.DeleteButton()->isEnabled());
    EXPECT_FALSE(dlg.SaveLogButton()->isEnabled());
    EXPECT_TRUE(dlg.Mode());

    ASSERT_TRUE(dlg.SelectPackage(1011));
    EXPECT_EQ(dlg.SelectPackageDBId(), 1011u);
    EXPECT_TRUE(dlg.DeleteButton()->isEnabled());
    dlg.DeleteButton()->click();
    EXPECT_FALSE(dlg.Mode());
    EXPECT_TRUE(dlg.LogModeItem()->isChecked());
    EXPECT_EQ(messages, QStringList{"Пакет данных удален;"});
    EXPECT_EQ(dlg.IncludeDataListView()->topLevelItemCount(), 0);
    EXPECT_EQ(dlg.SelectPackageDBId(), 0u);
    EXPECT_FALSE(dlg.DeleteButton()->isEnabled());
    EXPECT_TRUE(dlg.SaveLogButton()->isEnabled());
    EXPECT_EQ(dlg.LogLines().last(), "Пакет данных удален;");
    EXPECT_EQ(DumpDataBase(FTarget->FileName()), FBefore);

    // The log is proposed as "dp" and the package's DBID.
    QString proposed;
    TKVFileDialogResponderScope files([&](const TKVFileDialogRequest& ARequest) {
        proposed = ARequest.FileName;
        return TKVFileDialogAnswer{true, File(QStringLiteral("dp.log")), 0};
    });
    dlg.SaveLogButton()->click();
    EXPECT_EQ(proposed, "dp1011.log");
    EXPECT_TRUE(QFileInfo::exists(File(QStringLiteral("dp.log"))));
}
