// The main window's package commands with their gates, and the export, import and information
// dialogs driven as a user drives them, on a real main window and real files.

#include "tests/exchange/ExchangeTestSupport.h"
#include "tests/views/ViewsTestSupport.h"

#include "exchange/KVExchange.h"
#include "exchange/frmDeletePackage.h"
#include "exchange/frmExport.h"
#include "exchange/frmImportPrice.h"
#include "exchange/frmImport.h"
#include "exchange/frmPackageInfo.h"
#include "refbooks/frmUnit.h"
#include "shell/KVBookWindows.h"
#include "shell/KVFileDialog.h"

#include <QClipboard>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTreeWidget>

class TExchangeDialogTest : public TViewsTest {
protected:
    void SetUp() override {
        RegisterExchangeWindows();
        TViewsTest::SetUp();
    }
    void TearDown() override {
        TViewsTest::TearDown();
        ClearBookWindows();
    }

    // Answers every file dialog with AFileName and keeps the requests.
    TKVFileDialogResponderScope AnswerFiles(const QString& AFileName) {
        return TKVFileDialogResponderScope([this, AFileName](const TKVFileDialogRequest& ARequest) {
            FileRequests.push_back(ARequest);
            return TKVFileDialogAnswer{true, AFileName, 0};
        });
    }
    QString TempFile(const QString& AName) const { return FTemp.filePath(AName); }

    std::vector<TKVFileDialogRequest> FileRequests;
    QTemporaryDir FTemp;
};

TEST_F(TExchangeDialogTest, ImportAndExportAreRefusedInADataBaseOfDBIdZero) {
    NewDB(0);
    DB();
    EXPECT_TRUE(MainAction("mmiImport")->isEnabled());
    EXPECT_TRUE(MainAction("mmiDeletePackage")->isEnabled());
    Main().OpenImportDlg();
    Main().OpenExportDlg();
    Main().OpenDeletePackageDlg();
    EXPECT_EQ(Messages, (QStringList{QStringLiteral("Импорт данных в эту БД запрещен"),
                                     QStringLiteral("Экспорт данных из этой БД запрещен"),
                                     QStringLiteral("Импорт данных в эту БД запрещен")}));
}

TEST_F(TExchangeDialogTest, AStartedDataBaseImportsButDoesNotExport) {
    NewDB(1);
    DB();
    Main().OpenExportDlg();
    EXPECT_EQ(Messages, QStringList{QStringLiteral("Экспорт данных из этой БД запрещен")});
    bool opened = false;
    AnswerModal<TfrmImport>([&opened](TfrmImport* ADialog) {
        opened = true;
        ADialog->reject();
    });
    Main().OpenImportDlg();
    EXPECT_TRUE(opened);
}

TEST_F(TExchangeDialogTest, PackageDeletionAndPriceImportOpenFromTheMenu) {
    DB();
    ASSERT_NE(OpenRBUnit(), nullptr);
    Answers = {mrYes};
    // No package was imported: the list is empty and nothing can be chosen.
    bool deletion = false;
    AnswerModal<TfrmDeletePackage>([&deletion](TfrmDeletePackage* ADialog) {
        deletion = ADialog->IncludeDataListView()->topLevelItemCount() == 0 &&
                   !ADialog->DeleteButton()->isEnabled();
        ADialog->reject();
    });
    MainAction("mmiDeletePackage")->trigger();
    Settle();
    EXPECT_TRUE(deletion);
    EXPECT_EQ(Messages, QStringList{QStringLiteral("Все справочники и карточки будут закрыты без "
                                                   "сохранения текущих изменений! Продолжить?")});
    EXPECT_TRUE(Main().FindMDIChildren<TfrmUnit>().empty());

    bool prices = false;
    AnswerModal<TfrmImportPrice>([&prices](TfrmImportPrice* ADialog) {
        prices = ADialog->windowTitle() == QStringLiteral("Импорт прайсов поставщика");
        ADialog->reject();
    });
    MainAction("pmiImportPrice")->trigger();
    EXPECT_TRUE(prices);
}

TEST_F(TExchangeDialogTest, ImportClosesTheOpenWindowsOnlyAfterTheQuestion) {
    DB();
    ASSERT_NE(OpenRBUnit(), nullptr);
    Answers = {mrNo};
    Main().OpenImportDlg();
    EXPECT_EQ(Messages, QStringList{QStringLiteral("Все справочники и карточки будут закрыты без "
                                                   "сохранения текущих изменений! Продолжить?")});
    EXPECT_EQ(Main().FindMDIChildren<TfrmUnit>().size(), 1u);

    Answers = {mrYes};
    bool opened = false;
    AnswerModal<TfrmImport>([&opened](TfrmImport* ADialog) {
        opened = true;
        ADialog->reject();
    });
    Main().OpenImportDlg();
    Settle();
    EXPECT_TRUE(opened);
    EXPECT_TRUE(Main().FindMDIChildren<TfrmUnit>().empty());

    // The export asks nothing and closes nothing.
    ASSERT_NE(OpenRBUnit(), nullptr);
    Messages.clear();
    AnswerModal<TfrmExport>([](TfrmExport* ADialog) { ADialog->reject(); });
    Main().OpenExportDlg();
    EXPECT_TRUE(Messages.isEmpty());
    EXPECT_EQ(Main().FindMDIChildren<TfrmUnit>().size(), 1u);
}

TEST_F(TExchangeDialogTest, ExportDialogFromSelectionToPackageAndLog) {
    FillCatalogue(NewDB(1011).FileName(), 1011);
    DB();
    TfrmExport dlg;
    EXPECT_FALSE(dlg.ExportButton()->isEnabled());
    EXPECT_TRUE(dlg.Mode());
    EXPECT_TRUE(dlg.SelectDataModeItem()->isChecked());
    EXPECT_TRUE(dlg.AddExportClass(1011, 3, QStringLiteral("Счётчики")));
    EXPECT_FALSE(dlg.AddExportClass(1011, 3, QStringLiteral("Счётчики")));
    ASSERT_EQ(dlg.ExportListView()->topLevelItemCount(), 1);
    EXPECT_EQ(dlg.ExportListView()->topLevelItem(0)->text(1), QStringLiteral("Class"));
    EXPECT_FALSE(dlg.DeleteButton()->isEnabled());
    dlg.ExportListView()->topLevelItem(0)->setSelected(true);
    EXPECT_TRUE(dlg.DeleteButton()->isEnabled());
    dlg.DeleteItem();
    EXPECT_EQ(dlg.ExportListView()->topLevelItemCount(), 0);
    EXPECT_FALSE(dlg.DeleteButton()->isEnabled());

    // A file that exists: No keeps it and takes nothing, Yes removes it and takes it.
    const QString package = TempFile(QStringLiteral("package.fdb"));
    {
        QFile old(package);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("старый");
    }
    {
        auto files = AnswerFiles(package);
        Answers = {mrNo};
        dlg.Save_ButtonClick();
        EXPECT_TRUE(QFileInfo::exists(package));
        EXPECT_FALSE(dlg.ExportButton()->isEnabled());
        Answers = {mrYes};
        dlg.Save_ButtonClick();
    }
    EXPECT_EQ(
        Messages,
        (QStringList(2, QStringLiteral("Пакет %1 будет перезаписан. Продолжить?").arg(package))));
    EXPECT_FALSE(QFileInfo::exists(package));
    EXPECT_EQ(dlg.CurrentPackageFile(), package);
    EXPECT_TRUE(dlg.ExportButton()->isEnabled());
    ASSERT_EQ(FileRequests.size(), 2u);
    EXPECT_EQ(FileRequests[1].Kind, fdkSave);
    EXPECT_EQ(FileRequests[1].Caption, QStringLiteral("Сохранить пакет данных"));
    EXPECT_EQ(FileRequests[1].Filter, QStringLiteral("Korvant Package (*.fdb)"));
    EXPECT_EQ(FileRequests[1].Folder, dmMain->AppFolder());
    EXPECT_EQ(FileRequests[1].FileName,
              ProposedPackageFileName(1011, dlg.ExportPackageSysTime()) + QStringLiteral(".fdb"));
    EXPECT_EQ(QDateTimeFromDateTime(dlg.ExportPackageDateTime()).time().msec(), 0);

    Messages.clear();
    dlg.Export_ButtonClick();
    EXPECT_EQ(Messages, QStringList{QStringLiteral("Нет выбраны записи для экспорта")});

    Messages.clear();
    dlg.AddExportClass(1011, 3, QStringLiteral("Счётчики"));
    dlg.Export_ButtonClick();
    EXPECT_EQ(Messages, QStringList{QStringLiteral("Экспорт данных завершен успешно")});
    EXPECT_TRUE(QFileInfo::exists(package));
    EXPECT_TRUE(dlg.CurrentPackageFile().isEmpty());
    EXPECT_FALSE(dlg.ExportButton()->isEnabled());
    EXPECT_TRUE(dlg.SaveLogButton()->isEnabled());
    EXPECT_FALSE(dlg.Mode());
    EXPECT_EQ(dlg.ModeNotebook()->currentIndex(), 1);
    EXPECT_FALSE(dlg.SelectDataModeItem()->isChecked());
    EXPECT_FALSE(dlg.LogModeItem()->isChecked());
    EXPECT_EQ(dlg.ExportListView()->topLevelItemCount(), 1);
    EXPECT_EQ(dlg.LogLines().last(), QStringLiteral("Экспорт данных завершен;"));

    // The log is saved under the proposed name.
    const QString log = TempFile(QStringLiteral("export.log"));
    {
        auto files = AnswerFiles(log);
        dlg.SaveLog_ButtonClick();
    }
    EXPECT_EQ(FileRequests.back().Caption, QStringLiteral("Сохранить журнал"));
    EXPECT_EQ(FileRequests.back().FileName,
              ProposedExportLogFileName(1011, dlg.ExportPackageSysTime()) + QStringLiteral(".log"));
    QFile saved(log);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(saved.readAll()), dlg.LogLines().join('\n') + QLatin1Char('\n'));
}

TEST_F(TExchangeDialogTest, ImportDialogFromInformationThroughTestRunToImport) {
    DB();
    const QString package = TempFile(QStringLiteral("package.fdb"));
    MakePackageFile(package, RegularHeaderSQL(1050) +
                                 QStringList{QStringLiteral(
                                     "INSERT INTO T_UNIT (DBID, ID, S_PREFIX, C_TIMESTAMP) VALUES "
                                     "(1050, 1, 'Вт', '2024-01-01')")});
    TfrmImport dlg;
    EXPECT_FALSE(dlg.ImportButton()->isEnabled());
    EXPECT_FALSE(dlg.PackageInfoButton()->isEnabled());
    {
        auto files = AnswerFiles(package);
        dlg.Open_ButtonClick();
    }
    EXPECT_EQ(FileRequests.back().Kind, fdkOpen);
    EXPECT_EQ(FileRequests.back().Caption, QStringLiteral("Открыть пакет данных"));
    EXPECT_EQ(dlg.CurrentPackageFile(), package);
    EXPECT_EQ(dlg.StatusLabel()->text(), package);
    EXPECT_TRUE(dlg.ImportButton()->isEnabled());
    EXPECT_TRUE(dlg.PackageInfoButton()->isEnabled());

    QStringList general;
    QString clipboard;
    AnswerModal<TfrmPackageInfo>([&](TfrmPackageInfo* AInfo) {
        EXPECT_EQ(AInfo->PageControl()->count(), 4);
        EXPECT_EQ(AInfo->PageControl()->currentIndex(), 0);
        for (int i = 0; i < AInfo->GeneralListView()->topLevelItemCount(); ++i)
            general << AInfo->GeneralListView()->topLevelItem(i)->text(1);
        EXPECT_EQ(AInfo->IncludeListBox()->count(), 1);
        EXPECT_EQ(AInfo->RelationListBox()->count(), 0);
        EXPECT_EQ(AInfo->CompositionListView()->topLevelItem(3)->text(0),
                  QStringLiteral("Единицы измерения:"));
        EXPECT_EQ(AInfo->CompositionListView()->topLevelItem(3)->text(1), QStringLiteral("1"));
        AInfo->CopyToClipboardBtn()->click();
        clipboard = QApplication::clipboard()->text();
        EXPECT_EQ(clipboard, PackageInfoClipboardText(AInfo->PackageInfo()));
        AInfo->accept();
    });
    dlg.PackageInfo_ButtonClick();
    EXPECT_EQ(general, (QStringList{package, "1.2.3", "тематический/пользовательский", "1050",
                                    "Пакет 1050"}));
    EXPECT_FALSE(clipboard.isEmpty());

    // A test run writes nothing, and the file must be opened again for the real run.
    dlg.TestImportItem()->trigger();
    EXPECT_EQ(Messages, QStringList{QStringLiteral("Импорт данных завершен успешно")});
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_UNIT WHERE DBID = 1050")).toInt(), 0);
    EXPECT_TRUE(dlg.CurrentPackageFile().isEmpty());
    EXPECT_FALSE(dlg.ImportButton()->isEnabled());
    EXPECT_FALSE(dlg.PackageInfoButton()->isEnabled());
    EXPECT_TRUE(dlg.SaveLogButton()->isEnabled());
    dlg.ImportItem()->trigger();
    EXPECT_EQ(Messages.size(), 1);

    dlg.SetCurrentPackageFile(package);
    dlg.ImportItem()->trigger();
    EXPECT_EQ(Messages.last(), QStringLiteral("Импорт данных завершен успешно"));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T_UNIT WHERE DBID = 1050")).toInt(), 1);

    const QString log = TempFile(QStringLiteral("import.log"));
    {
        auto files = AnswerFiles(log);
        dlg.SaveLog_ButtonClick();
    }
    EXPECT_EQ(FileRequests.back().FileName,
              ProposedImportLogFileName(dlg.ImportPackageTime()) + QStringLiteral(".log"));
    EXPECT_TRUE(QFileInfo::exists(log));

    // A file that is not a package: its information is refused with the code's text.
    dlg.SetCurrentPackageFile(log);
    dlg.PackageInfo_ButtonClick();
    EXPECT_EQ(Messages.last(), QStringLiteral("Ошибка: Неизвестная структура пакета;"));
    dlg.Import(false);
    EXPECT_EQ(Messages.last(), QStringLiteral("Импорт данных завершен с ошибками"));
}
