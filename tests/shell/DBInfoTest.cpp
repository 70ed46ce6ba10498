// Database information: the general page for databases of several kinds, the applied system
// updates and imported packages, the row counts per table and DBID, the copy to the clipboard,
// a failure while counting, and the command that opens the dialog.

#include "tests/shell/ShellTestSupport.h"

#include "shell/frmDBInfo.h"

#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

namespace {

// The rows of the general page as "name=value".
QStringList InfoRows(const TfrmDBInfo& ADialog) {
    QStringList rows;
    const QTreeWidget* view = ADialog.DataBaseInfoListView();
    for (int i = 0; i < view->topLevelItemCount(); ++i)
        rows << view->topLevelItem(i)->text(0) + u'=' + view->topLevelItem(i)->text(1);
    return rows;
}

// The tree of counts, depth first, children indented by two blanks.
QStringList TreeLines(const QTreeWidgetItem* AItem, int ADepth = 0) {
    QStringList lines{QString(ADepth * 2, u' ') + AItem->text(0)};
    for (int i = 0; i < AItem->childCount(); ++i)
        lines += TreeLines(AItem->child(i), ADepth + 1);
    return lines;
}

void SetSysVar(const TTestDataBase& ADataBase, const QString& AValues) {
    ADataBase.Exec(QStringLiteral("UPDATE OR INSERT INTO SYS_VAR (S_PARAM, V_INTEGER, V_STRING, "
                                  "V_TIMESTAMP) VALUES (%1) MATCHING (S_PARAM, V_INTEGER)")
                       .arg(AValues));
}

} // namespace

class DBInfoTest : public TMainWindowTest {
protected:
    void Connect(const TTestDataBase& ADataBase) {
        Main();
        ASSERT_TRUE(ConnectThroughDialog(ADataBase.FileName()).isEmpty());
        ASSERT_TRUE(dmMain->DBConnected());
    }
};

TEST_F(DBInfoTest, CountsRowsOfEachTableByDBIdAndLeavesEmptyTablesOut) {
    TTestDataBase db(1011);
    for (const char* row :
         {"0, 1, 'Резисторы'", "1011, 1, 'Мои'", "1011, 2, 'Ещё'", "5, 1, 'Чужой'"})
        db.Exec(QStringLiteral("INSERT INTO T_CLASS (DBID, ID, S_NAME) VALUES (%1)").arg(row));
    db.Exec(QStringLiteral("INSERT INTO T_MAKER (DBID, ID, S_NAME) VALUES (1011, 4, 'Завод')"));
    for (int id : {1, 2, 3})
        db.Exec(QStringLiteral("INSERT INTO T_STORAGE (ID, S_NAME) VALUES (%1, 'Полка')").arg(id));
    db.Exec(QStringLiteral("INSERT INTO T_NOTE (ID, S_TEXT) VALUES (1, 'Заметка')"));
    Connect(db);

    TfrmDBInfo dlg;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Информация о базе данных"));
    EXPECT_EQ(dlg.HelpTopic(), QStringLiteral("DBInfo"));
    EXPECT_EQ(dlg.PageControl()->currentIndex(), 0);
    ASSERT_EQ(dlg.StatDBInfoTreeView()->topLevelItemCount(), 1);
    const QTreeWidgetItem* root = dlg.StatDBInfoTreeView()->topLevelItem(0);
    EXPECT_EQ(TreeLines(root), (QStringList{
                                   "База данных DBID:1011",
                                   "  Классы (4)",
                                   "    DBID:0 (1)",
                                   "    DBID:5 (1)",
                                   "    DBID:1011 (2)",
                                   "  Производители (1)",
                                   "    DBID:1011 (1)",
                                   "  Места хранения (3)",
                                   "  Заметки (1)",
                               }));
    EXPECT_TRUE(root->isExpanded());
    EXPECT_FALSE(root->child(0)->isExpanded());
    // Read only: the rows cannot be edited.
    EXPECT_EQ(dlg.StatDBInfoTreeView()->editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST_F(DBInfoTest, GeneralPageSaysWhatMayBeDoneWithTheDatabase) {
    const struct {
        quint32 DBId;
        bool ReadOnlyDB;
        QStringList Tail; // the rows after "Описание БД"
    } cases[] = {
        {0, false, {"Возможность импорта=Нет", "Возможность экспорта=Нет"}},
        {1, false, {"Возможность импорта=Да", "Возможность экспорта=Нет"}},
        {1000, false, {"Возможность импорта=Да", "Возможность экспорта=Нет"}},
        {1011,
         true,
         {"БД только для чтения=Да", "Возможность импорта=Нет", "Возможность экспорта=Да"}},
    };
    for (const auto& c : cases) {
        TTestDataBase db(c.DBId, QStringLiteral("База %1").arg(c.DBId));
        if (c.ReadOnlyDB)
            SetSysVar(db, QStringLiteral("'READONLY', 1, NULL, NULL"));
        Connect(db);
        {
            TfrmDBInfo dlg;
            QStringList expected{QStringLiteral("Файл БД=test.fdb"),
                                 QStringLiteral("Версия БД=1.2.3"),
                                 QStringLiteral("DBID=%1").arg(c.DBId),
                                 QStringLiteral("Описание БД=База %1").arg(c.DBId)};
            expected += c.Tail;
            EXPECT_EQ(InfoRows(dlg), expected) << c.DBId;
        }
        FMain.reset();
    }
}

TEST_F(DBInfoTest, UpdatesAndPackagesAreListedAndAllPagesCopiedAsText) {
    TTestDataBase db(1011, QStringLiteral("Склад"));
    SetSysVar(db, QStringLiteral("'DBSYSUPDATE', %1, 'Первое обновление', NULL")
                      .arg(MakeSysUpdateVersion(1, 2)));
    SetSysVar(db, QStringLiteral("'PACKAGEIMPORTED', 2045, 'Пакет соседа', '2024-03-15 10:20:30'"));
    SetSysVar(db, QStringLiteral("'PACKAGEIMPORTED', 2046, 'Без даты', NULL"));
    Connect(db);

    TfrmDBInfo dlg;
    QStringList lines;
    for (int i = 0; i < dlg.IncludeDataListBox()->count(); ++i)
        lines << dlg.IncludeDataListBox()->item(i)->text();
    EXPECT_EQ(lines, (QStringList{
                         "1.2; \" Первое обновление \"",
                         "DBID: 2045; \" Пакет соседа \"; Exported: " +
                             DateTimeToStrOrDash(DateTimeFromQDateTime(
                                 QDateTime(QDate(2024, 3, 15), QTime(10, 20, 30)))),
                         "DBID: 2046; \" Без даты \"; Exported: -",
                     }));

    dlg.CopyToClipboardBtn()->click();
    const QString expected =
        "Файл БД:  test.fdb\nВерсия БД:  1.2.3\nDBID:  1011\nОписание БД:  Склад\n"
        "Возможность импорта:  Да\nВозможность экспорта:  Да\n"
        "\n\nСписок обновлений\n\n\n" +
        lines.join(u'\n') +
        "\n"
        "\n\nСостав БД\n\n\n"
        "База данных DBID:1011\n";
    EXPECT_EQ(QApplication::clipboard()->text(), expected);
}

TEST_F(DBInfoTest, EmptyUpdateListStillGivesBothHeadings) {
    TTestDataBase db(1011, QStringLiteral("Пусто"));
    Connect(db);
    TfrmDBInfo dlg;
    EXPECT_EQ(dlg.IncludeDataListBox()->count(), 0);
    const QStringList lines = dlg.InfoLines();
    EXPECT_EQ(
        lines.mid(lines.size() - 3),
        (QStringList{"\n\nСписок обновлений\n\n", "\n\nСостав БД\n\n", "База данных DBID:1011"}));
}

TEST_F(DBInfoTest, FailureWhileCountingIsShownAndKeepsWhatWasCounted) {
    TTestDataBase db(1011);
    db.Exec(QStringLiteral("INSERT INTO T_CLASS (DBID, ID, S_NAME) VALUES (1011, 1, 'Класс')"));
    db.Exec(QStringLiteral("INSERT INTO T_STORAGE (ID, S_NAME) VALUES (1, 'Полка')"));
    Connect(db);
    // The last table counted goes away behind the program's back.
    db.Exec(QStringLiteral("DROP PROCEDURE INSERT_NOTE"));
    db.Exec(QStringLiteral("DROP TABLE T_NOTE"));

    TfrmDBInfo dlg;
    ASSERT_EQ(FUI.Errors.size(), 1u);
    EXPECT_TRUE(FUI.Errors[0].Text.contains(QStringLiteral("T_NOTE")))
        << FUI.Errors[0].Text.toStdString();
    EXPECT_FALSE(dmMain->MainIBTransaction.InTransaction());
    const QTreeWidgetItem* root = dlg.StatDBInfoTreeView()->topLevelItem(0);
    EXPECT_EQ(TreeLines(root), (QStringList{"База данных DBID:1011", "  Классы (1)",
                                            "    DBID:1011 (1)", "  Места хранения (1)"}));
    EXPECT_TRUE(root->isExpanded());
    EXPECT_EQ(dlg.DataBaseInfoListView()->topLevelItemCount(), 6);
}

TEST_F(DBInfoTest, CommandOpensOneDialogWhileConnected) {
    TTestDataBase db(1011);
    Connect(db);
    QAction* command = MainAction("mmiDB_Info");
    ASSERT_TRUE(command->isVisible());
    int opened = 0;
    AnswerModal<TfrmDBInfo>([&](TfrmDBInfo* ADialog) {
        ++opened;
        command->trigger();
        EXPECT_EQ(DBInfoDlg(), ADialog);
        ADialog->accept();
    });
    command->trigger();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(DBInfoDlg(), nullptr);
}
