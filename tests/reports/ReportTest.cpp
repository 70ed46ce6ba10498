// Report plug-ins: listing, building, binding the RV_ parameters, the cell texts, the report
// window, the report list and the report-value dialog, and the shipped plug-in on the demo
// database. Test plug-ins come from the build; what they describe is set through environment
// variables (see plugins/TestReport.cpp).

#include "tests/views/ViewsTestSupport.h"

#include "platform/ib/IBDatabase.h"
#include "reports/KVReportBuild.h"
#include "reports/KVReportPlugin.h"
#include "reports/KVReports.h"
#include "reports/frmInputRepVar.h"
#include "reports/frmReportList.h"
#include "reports/ufrmReport.h"
#include "shell/frmOkCancel.h"
#include "stock/_frmElementAvail.h"
#include "stock/frmChangeCount.h"
#include "stock/frmElementAvail.h"
#include "stock/frmProject.h"
#include "tests/support/TestDataBase.h"

#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

// Sets the test plug-in's environment for one test and clears it afterwards.
class TPluginEnv {
public:
    TPluginEnv& Set(const char* AName, const QByteArray& AValue) {
        qputenv(AName, AValue);
        FNames.push_back(AName);
        return *this;
    }
    ~TPluginEnv() {
        for (const char* name : FNames)
            qunsetenv(name);
    }

private:
    std::vector<const char*> FNames;
};

// Answers the questions of a build as the test says and records them.
class TFakeAsker : public TKVReportAsker {
public:
    bool AskValue(TInputRepValType AKind) override {
        Asked << QStringLiteral("value %1").arg(AKind);
        if (Cancel)
            return false;
        ReportValues() = Values;
        return true;
    }
    bool AskCount(double& ACount) override {
        Asked << QStringLiteral("count");
        ACount = Count;
        return !Cancel;
    }
    bool Pick(TKVReportPick AWhat, const TKVDBKey& AClass, TKVDBKey& AResult) override {
        Asked << QStringLiteral("pick %1 of %2").arg(AWhat).arg(AClass.Id);
        if (Cancel)
            return false;
        AResult = {1011, 100u + static_cast<quint32>(AWhat)};
        return true;
    }
    QStringList Asked;
    TKVReportValues Values;
    double Count = 0;
    bool Cancel = false;
};

// A "Reports" folder holding copies of the named test plug-ins.
QString ReportsWith(const QTemporaryDir& ADir, const QStringList& APlugins) {
    const QString folder = ADir.filePath(QStringLiteral("Reports/"));
    QDir().mkpath(folder);
    for (const QString& plugin : APlugins)
        QFile::copy(QStringLiteral(KV_TEST_PLUGINS) + plugin, folder + plugin);
    return folder;
}

class TReportBuildTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FDir.isValid());
        FFolder = ReportsWith(FDir, {QStringLiteral("TestReport.so")});
        FDatabase.SetDatabaseName(FDB.FileName());
        FDatabase.Open();
        ReportValues() = TKVReportValues();
    }
    void TearDown() override { FDatabase.Close(); }

    TKVReportData Build() {
        return BuildReportData(FFolder + QStringLiteral("TestReport.so"), FDatabase, Asker, 1011);
    }

    TTestDataBase FDB;
    TIBDatabase FDatabase;
    QTemporaryDir FDir;
    QString FFolder;
    TPluginEnv Env;
    TFakeAsker Asker;
};

} // namespace

TEST(ReportCellTest, ProcessingTypesMergeTextsIntoTheCell) {
    struct TCase {
        QString Old, New;
        int Type;
        QString Result;
    } cases[] = {{"a", "", 0, "a"},    {"a", "b", 0, "b"}, {"", "", 0, ""},      {"a", "b", 1, "b"},
                 {"a", "b", 2, "a b"}, {"", "b", 2, " b"}, {"a", "b", 3, "a,b"}, {"", "b", 3, "b"},
                 {"a", "b", 4, "ab"},  {"a", "b", 7, ""},  {"a", "b", -1, ""}};
    for (const TCase& c : cases)
        EXPECT_EQ(CombineReportCellText(c.Old, c.New, c.Type), c.Result)
            << c.Old.toStdString() << " + " << c.New.toStdString() << " type " << c.Type;
    EXPECT_EQ(ReportVersionToStr(256 * 3 + 14), "3.14");
    EXPECT_EQ(ReportWindowWidth(600, 400, 4, 16), 600 + 8 + 16);
    EXPECT_EQ(ReportWindowWidth(900, 400, 4, 16), 800);
    EXPECT_EQ(ReportWindowWidth(500, 400, 4, 16), 400);
}

TEST(ReportListTest, ListsOnlyPluginsThatLoadHaveTheFunctionsAndSupportTheDatabase) {
    QTemporaryDir dir;
    EXPECT_TRUE(ListReportPlugins(dir.filePath(QStringLiteral("Reports/"))).empty());
    const QString folder =
        ReportsWith(dir, {QStringLiteral("TestReport.so"), QStringLiteral("TestReportNoVersion.so"),
                          QStringLiteral("TestReportOtherDB.so")});
    QFile junk(folder + QStringLiteral("junk.so"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a library");
    junk.close();
    QFile::copy(folder + QStringLiteral("TestReport.so"), folder + QStringLiteral(".hidden.so"));

    const std::vector<TKVReportPluginInfo> plugins = ListReportPlugins(folder);
    ASSERT_EQ(plugins.size(), 1u);
    EXPECT_EQ(plugins[0].Name, "Test report");
    EXPECT_EQ(plugins[0].FileName, "TestReport.so");
    EXPECT_EQ(plugins[0].Version, "3.14");
}

TEST_F(TReportBuildTest, RowsAreMergedIntoTheirCellsAndTheTransactionEnds) {
    Env.Set("KVR_TEST_COLUMNS", "Name:0:120;Note:0:80")
        .Set("KVR_TEST_SQL", "SELECT CAST('a' AS VARCHAR(5)), CAST('b' AS VARCHAR(5)), "
                             "CAST(NULL AS VARCHAR(5)), CAST('x' AS VARCHAR(5)), 'y' "
                             "FROM RDB$DATABASE UNION ALL SELECT 'c', '', 'z', '', 'w' "
                             "FROM RDB$DATABASE")
        // name joined by a blank; the note keeps its old text when the new one is empty,
        // result column 4 goes nowhere
        .Set("KVR_TEST_MAP", "0:1;0:2;1:1;1:0;5:1");
    const TKVReportData data = Build();
    EXPECT_EQ(data.Outcome, roDone) << data.Message.toStdString();
    EXPECT_EQ(data.Caption, "Отчет \"Test report\" (версия 3.14)");
    ASSERT_EQ(data.Columns.size(), 2u);
    EXPECT_EQ(data.Columns[0].Caption, "Name");
    EXPECT_EQ(data.Columns[0].Width, 120);
    ASSERT_EQ(data.Rows.size(), 2u);
    EXPECT_EQ(data.Rows[0], (QStringList{"a b", "x"}));
    EXPECT_EQ(data.Rows[1], (QStringList{"c ", "z"}));
    EXPECT_TRUE(data.TransactionEnded);
}

TEST_F(TReportBuildTest, ValuesShowAsTheRussianLocaleShowsThem) {
    Env.Set("KVR_TEST_COLUMNS", "A:0:50;B:0:50;C:0:50;D:0:50;E:0:50;F:0:50")
        .Set("KVR_TEST_SQL",
             "SELECT CAST(12.5 AS NUMERIC(15,2)), CAST(2.5 AS DOUBLE PRECISION), 42, "
             "CAST('line1' || ASCII_CHAR(10) || 'line2' AS BLOB SUB_TYPE TEXT), "
             "CAST('2024-03-05' AS DATE), CAST(NULL AS INTEGER) FROM RDB$DATABASE");
    const TKVReportData data = Build();
    ASSERT_EQ(data.Rows.size(), 1u) << data.Message.toStdString();
    EXPECT_EQ(data.Rows[0][0], "12,50");
    EXPECT_EQ(data.Rows[0][1], "2,5");
    EXPECT_EQ(data.Rows[0][2], "42");
    EXPECT_EQ(data.Rows[0][3], "line1\r\nline2\r\n");
    EXPECT_EQ(data.Rows[0][4], QLocale().toString(QDate(2024, 3, 5), QLocale::ShortFormat));
    EXPECT_EQ(data.Rows[0][5], "");
}

TEST_F(TReportBuildTest, AReportNeverChangesTheDatabase) {
    FDB.Exec(
        QStringLiteral("INSERT INTO T_MAKER (DBID, ID, S_NAME, V_FLAG) VALUES (1011, 1, 'A', 0)"));
    FDB.Exec(
        QStringLiteral("INSERT INTO T_MAKER (DBID, ID, S_NAME, V_FLAG) VALUES (1011, 2, 'B', 0)"));
    // An UPDATE that changes two rows: refused, no rows, the columns stay.
    Env.Set("KVR_TEST_SQL", "UPDATE T_MAKER SET S_NAME = 'X'");
    TKVReportData data = Build();
    EXPECT_EQ(data.Outcome, roError);
    EXPECT_EQ(data.Message, "Данные не могут быть изменены");
    EXPECT_EQ(data.Columns.size(), 1u);
    EXPECT_TRUE(data.Rows.empty());
    EXPECT_EQ(FDB.Scalar(QStringLiteral("SELECT COUNT(*) FROM T_MAKER WHERE S_NAME = 'X'")).toInt(),
              0);

    // A procedure that inserts and reports no changed rows is undone all the same.
    Env.Set("KVR_TEST_SQL",
            "EXECUTE PROCEDURE INSERT_MAKER ('New', NULL, NULL, NULL, 0, CURRENT_TIMESTAMP)");
    data = Build();
    EXPECT_TRUE(data.TransactionEnded);
    EXPECT_EQ(FDB.Scalar(QStringLiteral("SELECT COUNT(*) FROM T_MAKER")).toInt(), 2)
        << data.Message.toStdString();
}

TEST_F(TReportBuildTest, PluginFaultsStopTheBuildWithTheirMessages) {
    struct TCase {
        const char* Variable;
        QByteArray Value;
        TKVReportOutcome Outcome;
        QString Message;
    } cases[] = {
        {"KVR_TEST_NAME_LEN", "0", roError, "Internal report error in block INF"},
        {"KVR_TEST_NAME_LEN", "-5", roError, "Internal report error in block INF"},
        {"KVR_TEST_NAME_LEN", "2147483647", roError, "Internal report error in block INF"},
        {"KVR_TEST_COUNT", "0", roError, "Internal report error in block STRUCT"},
        {"KVR_TEST_COUNT", "-1", roError, "Internal report error in block STRUCT"},
        {"KVR_TEST_SQL_LEN", "-1", roError, "Internal report error in block SQL"},
        {"KVR_TEST_SQL", "SELECT 1 FROM RDB$DATABASE WHERE 1 = :RV_WHATEVER", roError,
         "Неизвестный параметр"},
        {"KVR_TEST_SQL", "SELECT * FROM NO_SUCH_TABLE", roSystemError, QString()},
    };
    for (const TCase& c : cases) {
        TPluginEnv env;
        env.Set(c.Variable, c.Value);
        const TKVReportData data = Build();
        EXPECT_EQ(data.Outcome, c.Outcome) << c.Variable << "=" << c.Value.toStdString();
        if (!c.Message.isEmpty())
            EXPECT_EQ(data.Message, c.Message) << c.Variable << "=" << c.Value.toStdString();
        EXPECT_TRUE(data.Rows.empty());
        EXPECT_TRUE(data.TransactionEnded);
    }
    EXPECT_TRUE(Asker.Asked.isEmpty());

    const TKVReportData missing =
        BuildReportData(FFolder + QStringLiteral("Gone.so"), FDatabase, Asker, 1011);
    EXPECT_EQ(missing.Message, "File \"" + FFolder + "Gone.so\" not found");
    for (const char* plugin : {"TestReportNoVersion.so", "TestReportOtherDB.so"}) {
        const TKVReportData data =
            BuildReportData(QStringLiteral(KV_TEST_PLUGINS) + plugin, FDatabase, Asker, 1011);
        EXPECT_EQ(data.Outcome, roError);
        EXPECT_TRUE(data.Columns.empty());
    }
}

TEST_F(TReportBuildTest, FamiliesAskOnceAndARangeNameMakesTheQuestionARange) {
    struct TCase {
        QByteArray SQL;
        QStringList Asked;
        QStringList Row;
    } cases[] = {
        {"SELECT CAST(:RV_INT AS INTEGER) FROM RDB$DATABASE", {"value 0"}, {"5"}},
        {"SELECT CAST(:RV_MIN_INT AS INTEGER), CAST(:RV_MAX_INT AS INTEGER), "
         "CAST(:rv_min_int AS INTEGER) FROM RDB$DATABASE",
         {"value 1"},
         {"5", "9", "5"}},
        // A single-value name before a range name of its family: the range is asked.
        {"SELECT CAST(:RV_INT AS INTEGER), CAST(:RV_MAX_INT AS INTEGER) FROM RDB$DATABASE",
         {"value 1"},
         {"5", "9"}},
        {"SELECT CAST(:RV_STRING AS VARCHAR(20)), CAST(:RV_TEXT AS VARCHAR(20)) "
         "FROM RDB$DATABASE",
         {"value 6"},
         {"A%B", "%AB%"}},
        {"SELECT CAST(:RV_CLASSID AS INTEGER), CAST(:RV_ELEMENTTYPEID AS INTEGER), "
         "CAST(:RV_BASEPARAMID AS INTEGER), CAST(:RV_CLASSDBID AS INTEGER) FROM RDB$DATABASE",
         {"pick 0 of 0", "pick 5 of 100", "pick 4 of 100"},
         {"100", "105", "104", "1011"}},
        {"SELECT CAST(:RV_COUNT AS DOUBLE PRECISION), CAST(:RV_COUNT AS DOUBLE PRECISION), "
         "CAST(:RV_USER_DBID AS INTEGER), CAST(:RV_ESCAPE AS VARCHAR(1)) FROM RDB$DATABASE",
         {"count"},
         {"2,5", "2,5", "1011", "/"}},
    };
    Asker.Values.Int1 = 5;
    Asker.Values.Int2 = 9;
    Asker.Values.Text = QStringLiteral("A%B");
    Asker.Count = 2.5;
    Env.Set("KVR_TEST_COLUMNS", "A:0:50;B:0:50;C:0:50;D:0:50");
    for (const TCase& c : cases) {
        TPluginEnv env;
        env.Set("KVR_TEST_SQL", c.SQL);
        Asker.Asked.clear();
        const TKVReportData data = Build();
        EXPECT_EQ(data.Outcome, roDone) << c.SQL.toStdString() << data.Message.toStdString();
        EXPECT_EQ(Asker.Asked, c.Asked) << c.SQL.toStdString();
        ASSERT_EQ(data.Rows.size(), 1u) << c.SQL.toStdString();
        EXPECT_EQ(data.Rows[0].mid(0, c.Row.size()), c.Row) << c.SQL.toStdString();
    }

    // A cancelled question ends the build: no later parameter is asked for.
    Asker.Cancel = true;
    Asker.Asked.clear();
    Env.Set("KVR_TEST_SQL", "SELECT 1 FROM RDB$DATABASE WHERE 1 = :RV_MAKERID AND 2 = :RV_INT");
    const TKVReportData data = Build();
    EXPECT_EQ(data.Outcome, roCancelled);
    EXPECT_EQ(data.Message, "Построение отчета отменено");
    EXPECT_EQ(Asker.Asked, QStringList{"pick 1 of 0"});
}

// ------------------------------------------------------------------- windows

class TReportWindowTest : public TViewsTest {
protected:
    void SetUp() override {
        TViewsTest::SetUp();
        DB();
        RegisterReportWindows();
        ReportValues() = TKVReportValues();
        FFolder = ReportFolder(dmMain->AppFolder());
        QDir().mkpath(FFolder);
        QFile::copy(QStringLiteral(KV_TEST_PLUGINS "TestReport.so"),
                    FFolder + QStringLiteral("TestReport.so"));
    }
    QString FFolder;
    TPluginEnv Env;
    TFakeAsker Asker;
};

TEST_F(TReportWindowTest, TheWindowShowsTheReportSortsItsColumnsAndFitsTheirWidths) {
    Env.Set("KVR_TEST_COLUMNS", "Number:1:300;Text:0:300")
        .Set("KVR_TEST_SQL", "SELECT 10, '10' FROM RDB$DATABASE UNION ALL "
                             "SELECT 9, '9' FROM RDB$DATABASE");
    TfrmReport* report = OpenReportWindow(FFolder, QStringLiteral("TestReport.so"), Asker);
    ASSERT_NE(report, nullptr);
    Settle();
    EXPECT_TRUE(report->Registered());
    EXPECT_EQ(report->windowTitle(), "Отчет \"Test report\" (версия 3.14)");
    EXPECT_TRUE(Messages.isEmpty()) << Messages.join('|').toStdString();
    TKVReportModel* model = report->ReportModel();
    ASSERT_EQ(model->rowCount(), 2);
    EXPECT_EQ(model->CellText(0, 0), "10");
    EXPECT_EQ(model->CellText(5, 0), "");

    // Integers: 9 before 10, then descending; texts: "10" before "9".
    report->Report_ListViewColumnClick(0);
    EXPECT_EQ(model->CellText(0, 0), "9");
    report->Report_ListViewColumnClick(0);
    EXPECT_EQ(report->SortedType(), -1);
    EXPECT_EQ(model->CellText(0, 0), "10");
    report->Report_ListViewColumnClick(1);
    EXPECT_EQ(model->CellText(0, 1), "10");

    const int border = report->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    const int scroll = report->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    EXPECT_EQ(report->SubWindow()->width(), 600 + 2 * border + scroll);

    // A build that fails still leaves a window, empty, with the message shown.
    TfrmReport* gone = OpenReportWindow(FFolder, QStringLiteral("Gone.so"), Asker);
    ASSERT_NE(gone, nullptr);
    EXPECT_TRUE(gone->Registered());
    EXPECT_EQ(gone->ReportModel()->columnCount(), 0);
    EXPECT_EQ(Messages.value(0), "File \"" + FFolder + "Gone.so\" not found");
}

TEST_F(TReportWindowTest, TheListOffersTheReportsAndTakesTheChosenOne) {
    TfrmReportList list(FFolder);
    EXPECT_FALSE(list.OkBtn()->isEnabled());
    ASSERT_EQ(list.Reports_ListView()->topLevelItemCount(), 1);
    list.done(mrOk); // nothing selected: stays open
    EXPECT_EQ(list.result(), 0);
    list.Reports_ListView()->setCurrentItem(list.Reports_ListView()->topLevelItem(0));
    EXPECT_TRUE(list.OkBtn()->isEnabled());
    list.done(mrOk);
    EXPECT_EQ(list.result(), mrOk);
    EXPECT_EQ(SelectedReportFileName, "TestReport.so");
    EXPECT_TRUE(CommandGroupRegistered(cgReports));
}

TEST_F(TReportWindowTest, TheValueDialogKeepsAReversedRangeAndUpperCasesTexts) {
    TfrmInputRepVar dialog;
    dialog.SetInputRepValType(irvtIntRange);
    dialog.BeginNumRangVal_SpinEdit()->setValue(5);
    dialog.EndNumRangVal_SpinEdit()->setValue(3);
    dialog.done(mrOk);
    EXPECT_EQ(dialog.result(), 0);
    dialog.EndNumRangVal_SpinEdit()->setValue(5);
    dialog.done(mrOk);
    EXPECT_EQ(dialog.result(), mrOk);
    EXPECT_EQ(ReportValues().Int1, 5);
    EXPECT_EQ(ReportValues().Int2, 5);

    TfrmInputRepVar text;
    text.SetInputRepValType(irvtText);
    text.StrVal_TextEdit()->setText(QStringLiteral("ab%c"));
    text.done(mrOk);
    EXPECT_EQ(ReportValues().Text, "AB%C");

    TfrmInputRepVar dates;
    dates.SetInputRepValType(irvtDateRange);
    dates.BeginDateVal_DateEdit()->setDate(QDate(2024, 5, 2));
    dates.EndDateVal_DateEdit()->setDate(QDate(2024, 5, 1));
    dates.done(mrCancel);
    EXPECT_EQ(dates.result(), mrCancel);
    EXPECT_EQ(ReportValues().Int2, 5);
}

// The program's asker takes the count from the count dialog, a stock record from the picker of
// all stock records and a project from the picker of the projects in work; a cancelled dialog
// cancels the question.
TEST_F(TReportWindowTest, TheProgramAsksTheCountAndTheStockRecordWithTheStockDialogs) {
    DB().Exec(QStringLiteral("INSERT INTO T_STORAGE (ID, S_NAME, V_FLAG) VALUES (1, 'Шкаф', 0)"));
    DB().Exec(QStringLiteral(
        "INSERT INTO T_ELEMENT_AVAIL (ID, S_TYPENAME, STORAGEID, V_COUNT_FLOAT, V_FLAG, "
        "C_TIMESTAMP) VALUES (7, 'Самодельный', 1, 3, 0, '2024-03-01 10:00:00')"));
    TKVDialogReportAsker asker;

    double count = -1;
    AnswerModal<TfrmChangeCount>([](TfrmChangeCount* ADialog) {
        EXPECT_EQ(ADialog->windowTitle(), QStringLiteral("Количество"));
        EXPECT_EQ(ADialog->CountUnitPrefix_Label()->text(), QString());
        EXPECT_EQ(ADialog->CountValue_SpinEdit()->text(), QStringLiteral("0"));
        ADialog->CountValue_SpinEdit()->setText(QStringLiteral("2,5"));
        ADialog->OkCancel()->OkBtn()->click();
    });
    EXPECT_TRUE(asker.AskCount(count));
    EXPECT_DOUBLE_EQ(count, 2.5);
    AnswerModal<TfrmChangeCount>([](TfrmChangeCount* ADialog) { ADialog->reject(); });
    EXPECT_FALSE(asker.AskCount(count));
    EXPECT_DOUBLE_EQ(count, 2.5);

    TKVDBKey picked;
    AnswerModal<TfrmSelectElementAvail>([](TfrmSelectElementAvail* ADialog) {
        ASSERT_EQ(ADialog->BookFrame()->Model()->Count(), 1);
        ADialog->BookFrame()->SelectRecord(0, 7);
        ADialog->ButtonPanel()->OkBtn()->click();
    });
    EXPECT_TRUE(asker.Pick(rpElementAvail, TKVDBKey{}, picked));
    EXPECT_EQ(picked.DBId, 0u);
    EXPECT_EQ(picked.Id, 7u);
    AnswerModal<TfrmSelectElementAvail>([](TfrmSelectElementAvail* ADialog) { ADialog->reject(); });
    EXPECT_FALSE(asker.Pick(rpElementAvail, TKVDBKey{}, picked));

    // One project in work, one in the archive: the picker lists the one in work.
    DB().Exec(QStringLiteral("INSERT INTO T_PROJECT (ID, S_NAME, V_COUNTDEV_SCHEDULED, "
                             "V_COUNTDEV_COMPLETE, F_PROGRESS, V_FLAG) VALUES (4, 'Усилитель', "
                             "2, 0, 1, 0)"));
    DB().Exec(QStringLiteral("INSERT INTO T_PROJECT (ID, S_NAME, V_COUNTDEV_SCHEDULED, "
                             "V_COUNTDEV_COMPLETE, F_PROGRESS, V_FLAG) VALUES (5, 'Старый', 1, "
                             "1, NULL, 0)"));
    AnswerModal<TfrmSelectProject>([](TfrmSelectProject* ADialog) {
        ASSERT_EQ(ADialog->BookFrame()->Model()->Count(), 1);
        ADialog->BookFrame()->SelectRecord(0, 4);
        ADialog->ButtonPanel()->OkBtn()->click();
    });
    EXPECT_TRUE(asker.Pick(rpProject, TKVDBKey{}, picked));
    EXPECT_EQ(picked.DBId, 0u);
    EXPECT_EQ(picked.Id, 4u);
    AnswerModal<TfrmSelectProject>([](TfrmSelectProject* ADialog) { ADialog->reject(); });
    EXPECT_FALSE(asker.Pick(rpProject, TKVDBKey{}, picked));
}

TEST(ShippedReportTest, TheShippedPluginIsListedAndBuildsOnTheDemoDatabase) {
    const std::vector<TKVReportPluginInfo> plugins =
        ListReportPlugins(QStringLiteral(KV_SHIPPED_REPORTS));
    ASSERT_EQ(plugins.size(), 1u);
    EXPECT_EQ(plugins[0].Name, "Склад по классу");

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("demo.fdb"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(KV_TEST_DEMO_DB), file));
    TIBDatabase database;
    database.SetDatabaseName(file);
    database.Open();
    // The class of the demo's stock records with the most records.
    TIBTransaction transaction(&database);
    TIBQuery query(&database, &transaction);
    transaction.StartTransaction();
    query.SetSQL(QStringLiteral(
        "SELECT FIRST 1 TET.CLASSDBID, TET.CLASSID, COUNT(*) FROM T_ELEMENT_AVAIL TEA JOIN "
        "T_ELEMENT_TYPE TET ON TET.DBID = TEA.ELEMENTTYPEDBID AND TET.ID = TEA.ELEMENTTYPEID "
        "GROUP BY 1, 2 ORDER BY 3 DESC"));
    query.Open();
    const TKVDBKey cls{static_cast<quint32>(query.Fields(0).AsInt64()),
                       static_cast<quint32>(query.Fields(1).AsInt64())};
    const int records = query.Fields(2).AsInteger();
    query.Close();
    transaction.Commit();

    struct TClassAsker : TFakeAsker {
        TKVDBKey Class;
        bool Pick(TKVReportPick AWhat, const TKVDBKey&, TKVDBKey& AResult) override {
            Asked << QStringLiteral("pick %1").arg(AWhat);
            AResult = Class;
            return true;
        }
    } asker;
    asker.Class = cls;
    const TKVReportData data = BuildReportData(
        QStringLiteral(KV_SHIPPED_REPORTS) + plugins[0].FileName, database, asker, 1000);
    database.Close();
    EXPECT_EQ(data.Outcome, roDone) << data.Message.toStdString();
    EXPECT_EQ(asker.Asked, QStringList{"pick 0"});
    EXPECT_EQ(data.Columns.size(), 6u);
    EXPECT_EQ(static_cast<int>(data.Rows.size()), records);
    EXPECT_GT(records, 0);
}
