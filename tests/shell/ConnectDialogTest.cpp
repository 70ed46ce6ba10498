// The connect dialog and the database folder picker, driven without exec().

#include "tests/shell/ShellTestSupport.h"

#include "core/KVCommon.h"
#include "platform/ib/IBQuery.h"
#include "shell/KVButtonEdit.h"
#include "shell/KVFileDialog.h"
#include "shell/frmConnect.h"
#include "shell/frmHelp.h"
#include "shell/frmOkCancel.h"
#include "shell/frmTDBAConnect.h"
#include "shell/uHelpContext.h"

#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

namespace {

void CloseHelpWindow() {
    if (TfrmHelp* help = HelpWindow())
        delete help;
}

// The help topic that F1 opens in a shown dialog.
QString HelpTopicOfF1(QDialog& ADialog) {
    CloseHelpWindow();
    ADialog.show();
    ADialog.activateWindow();
    if (!QTest::qWaitForWindowActive(&ADialog))
        return QStringLiteral("(not active)");
    QTest::keyClick(ADialog.focusWidget() ? ADialog.focusWidget() : &ADialog, Qt::Key_F1);
    const QString topic = HelpWindow() ? HelpWindow()->CurrentTopic() : QString();
    CloseHelpWindow();
    return topic;
}

// A file with the ten tables of a data package and the identity of a valid database, so that
// only its table set refuses it.
void MakePackageFile(const QString& AFileName) {
    TIBDatabase db;
    db.SetDatabaseName(AFileName);
    db.Params() << QStringLiteral("user_name=SYSDBA") << QStringLiteral("page_size=8192")
                << QStringLiteral("set_db_charset=WIN1251") << QStringLiteral("sql_dialect=3");
    db.CreateDatabase();
    {
        TIBTransaction tr(&db);
        TIBQuery q(&db, &tr);
        TIBTransactionScope scope(tr);
        for (const QString& table : PackageTableNames()) {
            q.SetSQL(table == QLatin1String("SYS_VAR")
                         ? QStringLiteral("CREATE TABLE SYS_VAR (ID INTEGER, S_PARAM VARCHAR(128), "
                                          "V_INTEGER INTEGER, V_STRING VARCHAR(255))")
                         : QStringLiteral("CREATE TABLE %1 (ID INTEGER)").arg(table));
            q.ExecSQL();
        }
        scope.Commit();
    }
    {
        TIBTransaction tr(&db);
        TIBQuery q(&db, &tr);
        TIBTransactionScope scope(tr);
        for (const auto& [name, value] : {std::pair{"DBID", 1500},
                                          {"MAJORVERSION", 1},
                                          {"MINORVERSION", 2},
                                          {"BUILDVERSION", 3}}) {
            q.SetSQL(QStringLiteral("INSERT INTO SYS_VAR (S_PARAM, V_INTEGER) VALUES (:N, :V)"));
            q.ParamByName("N").SetAsString(QLatin1String(name));
            q.ParamByName("V").SetAsInteger(value);
            q.ExecSQL();
        }
        scope.Commit();
    }
    db.Close();
}

} // namespace

class ConnectDialogTest : public TMainWindowTest {
protected:
    void SetUp() override {
        TMainWindowTest::SetUp();
        ConnectDataBaseFileName = QStringLiteral("(before)");
    }
};

TEST_F(ConnectDialogTest, OffersAliasesAndTheLastDataBase) {
    WriteSettings(QStringLiteral("[Connect]\nLastConnectDataBase=/data/last.fdb\n"
                                 "[Aliases]\nName0=Рабочая\nFile0=/data/work.fdb\n"
                                 "Name1=Архив\nFile1=/data/archive.fdb\n"));
    Main();
    TfrmConnect dlg;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Подключение к базе данных"));
    QComboBox* aliases = dlg.findChild<QComboBox*>(QStringLiteral("Alias_ImageComboBox"));
    ASSERT_EQ(aliases, dlg.AliasComboBox());
    ASSERT_EQ(aliases->count(), 2);
    EXPECT_EQ(aliases->itemText(0), QStringLiteral("Рабочая"));
    EXPECT_EQ(aliases->itemText(1), QStringLiteral("Архив"));
    EXPECT_EQ(aliases->currentIndex(), -1);
    EXPECT_EQ(dlg.findChild<TKVButtonEdit*>(QStringLiteral("Database_ButtonEdit"))->text(),
              QStringLiteral("/data/last.fdb"));

    // Choosing an alias puts its file into the editor.
    aliases->setCurrentIndex(1);
    EXPECT_EQ(dlg.DatabaseEdit()->text(), QStringLiteral("/data/archive.fdb"));

    // The file button: the dialog starts in the editor's folder; the chosen file replaces the
    // text and the alias loses its selection.
    std::vector<TKVFileDialogRequest> requests;
    QString chosen = QStringLiteral("/other/picked.fdb");
    TKVFileDialogResponderScope files([&](const TKVFileDialogRequest& ARequest) {
        requests.push_back(ARequest);
        TKVFileDialogAnswer answer;
        answer.Accepted = !chosen.isEmpty();
        answer.FileName = chosen;
        return answer;
    });
    emit dlg.DatabaseEdit()->ButtonClick();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].Caption, QStringLiteral("Открыть базу данных"));
    EXPECT_EQ(requests[0].Filter, QStringLiteral("Korvant DataBase (*.fdb)"));
    EXPECT_EQ(requests[0].Folder, QStringLiteral("/data"));
    EXPECT_EQ(dlg.DatabaseEdit()->text(), QStringLiteral("/other/picked.fdb"));
    EXPECT_EQ(aliases->currentIndex(), -1);

    // A cancelled file dialog changes nothing; an empty editor starts anywhere.
    aliases->setCurrentIndex(0);
    chosen.clear();
    dlg.DatabaseEdit()->Button()->click();
    EXPECT_EQ(dlg.DatabaseEdit()->text(), QStringLiteral("/data/work.fdb"));
    EXPECT_EQ(aliases->currentIndex(), 0);
    dlg.DatabaseEdit()->setText(QString());
    dlg.DatabaseEdit()->Button()->click();
    EXPECT_EQ(requests.back().Folder, QString());

    // The name typed last wins.
    dlg.DatabaseEdit()->setText(QStringLiteral(" /typed.fdb "));
    dlg.OkCancel()->OkBtn()->click();
    EXPECT_EQ(dlg.result(), mrOk);
    EXPECT_EQ(ConnectDataBaseFileName, QStringLiteral("/typed.fdb"));
}

TEST_F(ConnectDialogTest, OkRefusesAnEmptyNameAndEscCancels) {
    Main();
    TfrmConnect dlg;
    dlg.show();
    dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    dlg.DatabaseEdit()->setText(QStringLiteral("   "));
    dlg.AliasComboBox()->setFocus();
    dlg.OkCancel()->OkBtn()->click();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), mrNone);
    EXPECT_TRUE(dlg.DatabaseEdit()->LineEdit()->hasFocus());

    // Esc in an editor cancels with result 2 and keeps the last accepted name.
    ConnectDataBaseFileName = QStringLiteral("/kept.fdb");
    dlg.DatabaseEdit()->setText(QStringLiteral("/other.fdb"));
    QTest::keyClick(dlg.DatabaseEdit()->LineEdit(), Qt::Key_Escape);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), mrCancel);
    EXPECT_EQ(ConnectDataBaseFileName, QStringLiteral("/kept.fdb"));
}

TEST_F(ConnectDialogTest, BothDialogsOpenTheirHelpTopic) {
    Main();
    TfrmConnect connectDlg;
    QAction* help = connectDlg.findChild<QAction*>(QStringLiteral("pmiHelpContext"));
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->text(), QStringLiteral("&Помощь"));
    EXPECT_EQ(help->shortcut(), QKeySequence(Qt::Key_F1));
    ASSERT_NE(connectDlg.findChild<QMenu*>(QStringLiteral("Connect_PopupMenu")), nullptr);
    EXPECT_TRUE(connectDlg.findChild<QMenu*>(QStringLiteral("Connect_PopupMenu"))
                    ->actions()
                    .contains(help));
    EXPECT_EQ(HelpTopicOfF1(connectDlg), QStringLiteral("Connect"));

    TfrmTDBAConnect pickerDlg;
    ASSERT_NE(pickerDlg.findChild<QMenu*>(QStringLiteral("TDBAConnect_PopupMenu")), nullptr);
    EXPECT_EQ(HelpTopicOfF1(pickerDlg), QStringLiteral("TDBAConnect"));
}

TEST_F(ConnectDialogTest, PickerListsOnlyValidDataBasesOfTheFolder) {
    QTemporaryDir folder;
    const auto place = [&](const TTestDataBase& ADataBase, const char* AName) {
        ASSERT_TRUE(QFile::copy(ADataBase.FileName(), folder.filePath(QLatin1String(AName))));
    };
    TTestDataBase first(1011, QStringLiteral("Первая база"));
    place(first, "b_first.fdb");
    TTestDataBase second(1012, QStringLiteral("Вторая база"));
    place(second, "a_second.fdb");
    TTestDataBase noDescription(1013);
    noDescription.Exec(QStringLiteral("DELETE FROM SYS_VAR WHERE S_PARAM = 'DBDESCRIPTION'"));
    place(noDescription, "c_nodesc.fdb");
    TTestDataBase system(0);
    place(system, "d_system.fdb");
    TTestDataBase oldVersion(1014);
    oldVersion.Exec(
        QStringLiteral("UPDATE SYS_VAR SET V_INTEGER = 2 WHERE S_PARAM = 'BUILDVERSION'"));
    place(oldVersion, "e_old.fdb");
    TTestDataBase noBuild(1015);
    noBuild.Exec(QStringLiteral("DELETE FROM SYS_VAR WHERE S_PARAM = 'BUILDVERSION'"));
    place(noBuild, "f_nobuild.fdb");
    MakePackageFile(folder.filePath(QStringLiteral("g_package.fdb")));
    QFile junk(folder.filePath(QStringLiteral("h_junk.fdb")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(10000, 'x'));
    junk.close();
    // A copy cut short: looking at the folder must not let the engine write to it.
    QFile whole(first.FileName());
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray cut = whole.read(10 * 8192);
    QFile cutFile(folder.filePath(QStringLiteral("i_cut.fdb")));
    ASSERT_TRUE(cutFile.open(QIODevice::WriteOnly));
    cutFile.write(cut);
    cutFile.close();
    QFile other(folder.filePath(QStringLiteral("readme.txt")));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("folder.fdb")));

    WriteSettings(QStringLiteral("[TDBA]\nTDBADir=%1\n").arg(folder.path()));
    Main();
    TDBADataBaseFileName = QStringLiteral("/from/an/earlier/showing.fdb");
    TfrmTDBAConnect dlg;
    EXPECT_EQ(dlg.TDBAPath(), folder.path());
    EXPECT_EQ(dlg.TDBAList().size(), 9);
    ASSERT_TRUE(cutFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(cutFile.readAll(), cut);
    cutFile.close();
    // Nothing is selected yet: nothing is chosen.
    EXPECT_EQ(TDBADataBaseFileName, QString());

    QTreeWidget* list = dlg.findChild<QTreeWidget*>(QStringLiteral("ThemDB_ListView"));
    ASSERT_EQ(list, dlg.ListView());
    EXPECT_EQ(list->headerItem()->text(0), QStringLiteral("Файл БД"));
    EXPECT_EQ(list->headerItem()->text(1), QStringLiteral("DBID"));
    EXPECT_EQ(list->headerItem()->text(2), QStringLiteral("Описание БД"));
    QStringList rows;
    for (int n = 0; n < list->topLevelItemCount(); ++n) {
        const QTreeWidgetItem* item = list->topLevelItem(n);
        rows << item->text(0) + QLatin1Char('|') + item->text(1) + QLatin1Char('|') + item->text(2);
    }
    EXPECT_EQ(rows, (QStringList{QStringLiteral("a_second.fdb|1012|Вторая база"),
                                 QStringLiteral("b_first.fdb|1011|Первая база"),
                                 QStringLiteral("c_nodesc.fdb|1013|")}));

    // OK needs a selected row.
    dlg.show();
    dlg.OkCancel()->OkBtn()->click();
    EXPECT_TRUE(dlg.isVisible());
    list->setCurrentItem(list->topLevelItem(1));
    EXPECT_EQ(TDBADataBaseFileName, folder.filePath(QStringLiteral("b_first.fdb")));
    list->clearSelection();
    EXPECT_EQ(TDBADataBaseFileName, QString());

    // A double click on a row accepts it.
    list->setCurrentItem(list->topLevelItem(0));
    const QRect row = list->visualItemRect(list->topLevelItem(0));
    // The view takes a double click only after the press of its first click.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, row.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, row.center());
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), mrOk);
    EXPECT_EQ(TDBADataBaseFileName, folder.filePath(QStringLiteral("a_second.fdb")));
}

TEST_F(ConnectDialogTest, PickerFallsBackToTheProgramFolderAndSaysWhenNothingIsThere) {
    TTestDataBase db(1020, QStringLiteral("В папке программы"));
    ASSERT_TRUE(QFile::copy(db.FileName(), FProgramDir.filePath(QStringLiteral("prog.fdb"))));
    for (const QString& dir : {QStringLiteral("/no/such/folder"), QString()}) {
        FMain.reset();
        WriteSettings(QStringLiteral("[TDBA]\nTDBADir=%1\n").arg(dir));
        Main();
        TfrmTDBAConnect dlg;
        EXPECT_EQ(dlg.TDBAPath(), QDir::cleanPath(FProgramDir.path()));
        ASSERT_EQ(dlg.ListView()->topLevelItemCount(), 1);
        EXPECT_EQ(dlg.ListView()->topLevelItem(0)->text(1), QStringLiteral("1020"));
    }

    // A folder without databases: OK says so and the picker stays open for Cancel.
    QTemporaryDir empty;
    FMain.reset();
    WriteSettings(QStringLiteral("[TDBA]\nTDBADir=%1\n").arg(empty.path()));
    Main();
    std::vector<TMessageDlgRequest> boxes;
    TMessageDlgResponderScope responder([&](const TMessageDlgRequest& ARequest) {
        boxes.push_back(ARequest);
        return mrOk;
    });
    TfrmTDBAConnect dlg;
    dlg.show();
    dlg.accept();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, QStringLiteral("В папке \"%1\" не найдено баз данных, к которым можно "
                                            "подключиться.")
                                 .arg(empty.path()));
    EXPECT_EQ(boxes[0].Kind, mdkWarning);
    EXPECT_TRUE(dlg.isVisible());
    dlg.OkCancel()->CancelBtn()->click();
    EXPECT_EQ(dlg.result(), mrCancel);
}
