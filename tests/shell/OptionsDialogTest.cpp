// The options dialog and the alias editor: every option shown and stored back (to memory at
// once, to the settings file at exit), option ReadOnly and its restart message, the
// three-valued options, the network page's enabling rule, the alias list, a read-only program
// folder, and the settings kept in the open database: layout reset, description and the
// storage place for emptied stock records.

#include "tests/shell/ShellTestSupport.h"

#include "platform/sys/IniFile.h"
#include "shell/KVButtonEdit.h"
#include "shell/KVFileDialog.h"
#include "shell/frmAlias.h"
#include "shell/frmOptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

namespace {

// One Boolean option: its check box, its value and its place in the settings file.
struct TBoolOption {
    const char* Box;
    bool* Value;
    const char* Section;
    const char* Key;
};

const std::vector<TBoolOption>& BoolOptions() {
    static const std::vector<TBoolOption> options = {
        {"APG_EnableLogo_CheckBox", &Logo, "Options", "Logo"},
        {"APG_EnableLogin_CheckBox", &AutoLogin, "Options", "AutoLogin"},
        {"APG_AutoConnect_CheckBox", &AutoConnect, "Options", "AutoConnect"},
        {"AP_VisualConfirm_CheckBox", &VisualConfirm, "Options", "VisualConfirm"},
        {"APED_BaseLevelItemModifed_CheckBox", &BLIMod, "Options", "BLIMod"},
        {"APED_NotSelfItemModifed_CheckBox", &NSIMod, "Options", "NSIMod"},
        {"APVD_EnableForcedSelectStorageForElementAvail_CheckBox", &SelectStorage, "Options",
         "SelectStorage"},
        {"APVD_ForcedHideImage_CheckBox", &HideImage, "Options", "HideImage"},
        {"APVD_ViewCountItems_CheckBox", &ViewCountItems, "Options", "ViewCountItems"},
        {"ALC_EnableForAllDB_CheckBox", &LocalConfig, "Options", "LocalConfig"},
        {"APIC_ICEnable_CheckBox", &ICEnable, "InternetConnection", "ICEnable"},
        {"APIC_UsageProxy_CheckBox", &UsageProxy, "InternetConnection", "UsageProxy"},
        {"APIC_ProxyAuth_CheckBox", &ProxyAuth, "InternetConnection", "ProxyAuth"},
        {"APIC_RequestPassword_CheckBox", &RequestPassword, "InternetConnection",
         "RequestPassword"},
        {"APN_ShowNewsOnStart_CheckBox", &ShowNews, "News", "ShowNews"},
    };
    return options;
}

// One processing option: its combo box, its value and its key.
struct TModeOption {
    const char* Box;
    int* Value;
    const char* Key;
};

const std::vector<TModeOption>& ModeOptions() {
    static const std::vector<TModeOption> options = {
        {"APUPID_ParamRebinding_ComboBox", &ParamRebinding, "ParamRebinding"},
        {"APUPID_ChangeUPIDOnBaseParam_ComboBox", &ChangeUPIDOnBaseParam, "ChangeUPIDOnBaseParam"},
        {"APUPID_ChangeUnitOnBaseParam_ComboBox", &ChangeUnitOnBaseParam, "ChangeUnitOnBaseParam"},
        {"APACC_WriteOffAvailItemsInProject_ComboBox", &WriteOffAvailItemsInProject,
         "WriteOffAvailItemsInProject"},
        {"APACC_MoveEmptyAvailToSpecStorage_ComboBox", &MoveEmptyAvailToSpecStorage,
         "MoveEmptyAvailToSpecStorage"},
    };
    return options;
}

template <class T> T* Find(QWidget& AParent, const char* AName) {
    T* widget = AParent.findChild<T*>(QLatin1String(AName));
    EXPECT_NE(widget, nullptr) << AName;
    return widget;
}

} // namespace

class OptionsDialogTest : public TMainWindowTest {
protected:
    void TearDown() override {
        SetSetupSelectStorage(nullptr);
        TMainWindowTest::TearDown();
    }
    // The settings file: the news page seen, then AText.
    void WriteIni(const QString& AText) {
        QFile file(FProgramDir.filePath(QStringLiteral("Korvant.ini")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QStringLiteral("[WN]\nWN_102=1\n%1").arg(AText).toUtf8());
    }
    // Ends the program's run (the options are saved) and reads the settings file.
    TIniFile SavedSettings() {
        FMain.reset();
        return TIniFile(FProgramDir.filePath(QStringLiteral("Korvant.ini")));
    }
    // Answers every message box with AAnswer and records its text.
    std::unique_ptr<TMessageDlgResponderScope> Record(QStringList& ATexts, int AAnswer = mrOk) {
        return std::make_unique<TMessageDlgResponderScope>(
            [&ATexts, AAnswer](const TMessageDlgRequest& ARequest) {
                ATexts << ARequest.Text;
                return AAnswer;
            });
    }
    void Connect(const TTestDataBase& ADataBase) {
        ASSERT_TRUE(ConnectThroughDialog(ADataBase.FileName()).isEmpty());
        ASSERT_TRUE(dmMain->DBConnected());
    }
};

TEST_F(OptionsDialogTest, EveryOptionIsShownAndStoredBackInMemoryAndAtExitInTheFile) {
    WriteIni(QStringLiteral(
        "[Options]\nLogo=0\nAutoLogin=0\nAutoConnect=1\nVisualConfirm=0\nReadOnly=0\nBLIMod=1\n"
        "NSIMod=0\nSelectStorage=1\nHideImage=0\nViewCountItems=0\nLocalConfig=0\n"
        "ParamRebinding=2\nChangeUPIDOnBaseParam=0\nChangeUnitOnBaseParam=1\n"
        "WriteOffAvailItemsInProject=2\nMoveEmptyAvailToSpecStorage=0\n"
        "[InternetConnection]\nICEnable=1\nUsageProxy=0\nProxy=proxy.local\nProxyPort=3128\n"
        "ProxyAuth=1\nProxyUser=иван\nProxyPassword=секрет\nRequestPassword=0\n"
        "[News]\nShowNews=1\n"));
    Main();
    // The file's values are the opposite of the defaults where a default exists.
    EXPECT_FALSE(Logo);
    EXPECT_TRUE(AutoConnect);
    EXPECT_TRUE(ShowNews);
    QStringList messages;
    auto responder = Record(messages);
    std::vector<bool> loaded;
    {
        TfrmSetup dlg;
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Настройки"));
        EXPECT_EQ(dlg.HelpTopic(), QStringLiteral("Setup"));
        EXPECT_EQ(dlg.PageControl()->count(), 6);
        EXPECT_EQ(dlg.PageControl()->currentIndex(), 0);
        EXPECT_EQ(Find<QPushButton>(dlg, "OkBtn")->text(), QStringLiteral("Применить"));
        EXPECT_FALSE(Find<QCheckBox>(dlg, "APG_AutoConnect_CheckBox")->isEnabled());

        for (const TBoolOption& option : BoolOptions()) {
            QCheckBox* box = Find<QCheckBox>(dlg, option.Box);
            EXPECT_EQ(box->isChecked(), *option.Value) << option.Box;
            loaded.push_back(box->isChecked());
            box->setChecked(!box->isChecked());
        }
        const int newModes[] = {0, 2, 2, 1, 1};
        for (size_t i = 0; i < ModeOptions().size(); ++i) {
            const TModeOption& option = ModeOptions()[i];
            QComboBox* box = Find<QComboBox>(dlg, option.Box);
            EXPECT_EQ(box->currentIndex(), *option.Value) << option.Box;
            box->setCurrentIndex(newModes[i]);
        }
        EXPECT_EQ(Find<QLineEdit>(dlg, "APIC_Proxy_TextEdit")->text(),
                  QStringLiteral("proxy.local"));
        EXPECT_EQ(Find<QSpinBox>(dlg, "APIC_ProxyPort_SpinEdit")->value(), 3128);
        EXPECT_EQ(Find<QLineEdit>(dlg, "APIC_ProxyUser_TextEdit")->text(), QStringLiteral("иван"));
        QLineEdit* password = Find<QLineEdit>(dlg, "APIC_ProxyPassword_TextEdit");
        EXPECT_EQ(password->text(), QStringLiteral("секрет"));
        EXPECT_EQ(password->echoMode(), QLineEdit::Password);
        Find<QLineEdit>(dlg, "APIC_Proxy_TextEdit")->setText(QStringLiteral("gate.example"));
        Find<QSpinBox>(dlg, "APIC_ProxyPort_SpinEdit")->setValue(8081);
        Find<QLineEdit>(dlg, "APIC_ProxyUser_TextEdit")->setText(QStringLiteral("пётр"));
        password->setText(QStringLiteral("новый"));

        dlg.done(mrOk);
        EXPECT_EQ(dlg.result(), mrOk);
        EXPECT_FALSE(dlg.AppRestart());
    }
    EXPECT_TRUE(messages.isEmpty());
    // In force at once.
    for (size_t i = 0; i < BoolOptions().size(); ++i)
        EXPECT_EQ(*BoolOptions()[i].Value, !loaded[i]) << BoolOptions()[i].Key;
    EXPECT_EQ(ParamRebinding, 0);
    EXPECT_EQ(ChangeUPIDOnBaseParam, 2);
    EXPECT_EQ(MoveEmptyAvailToSpecStorage, 1);
    EXPECT_EQ(Proxy, QStringLiteral("gate.example"));
    EXPECT_EQ(ProxyPort, 8081);

    // And in the file when the program ends.
    const TIniFile ini = SavedSettings();
    for (const TBoolOption& option : BoolOptions())
        EXPECT_EQ(ini.ReadBool(QLatin1String(option.Section), QLatin1String(option.Key), false),
                  *option.Value)
            << option.Key;
    const int savedModes[] = {0, 2, 2, 1, 1};
    for (size_t i = 0; i < ModeOptions().size(); ++i)
        EXPECT_EQ(
            ini.ReadInteger(QStringLiteral("Options"), QLatin1String(ModeOptions()[i].Key), -1),
            savedModes[i]);
    const QString net = QStringLiteral("InternetConnection");
    EXPECT_EQ(ini.ReadString(net, QStringLiteral("Proxy"), QString()),
              QStringLiteral("gate.example"));
    EXPECT_EQ(ini.ReadInteger(net, QStringLiteral("ProxyPort"), 0), 8081);
    EXPECT_EQ(ini.ReadString(net, QStringLiteral("ProxyUser"), QString()), QStringLiteral("пётр"));
    EXPECT_EQ(ini.ReadString(net, QStringLiteral("ProxyPassword"), QString()),
              QStringLiteral("новый"));
}

TEST_F(OptionsDialogTest, CancelStoresNothing) {
    Main();
    const bool logo = Logo;
    TfrmSetup dlg;
    Find<QCheckBox>(dlg, "APG_EnableLogo_CheckBox")->setChecked(!logo);
    QTest::keyClick(&dlg, Qt::Key_Escape);
    EXPECT_EQ(dlg.result(), mrCancel);
    EXPECT_EQ(Logo, logo);
}

TEST_F(OptionsDialogTest, ReadOnlyChangesOnlyTheValueToSaveAndAsksForARestart) {
    Main();
    ASSERT_FALSE(ReadOnly);
    QStringList messages;
    auto responder = Record(messages);
    {
        TfrmSetup dlg;
        Find<QCheckBox>(dlg, "APED_EnableReadOnlyMode_CheckBox")->setChecked(true);
        dlg.done(mrOk);
        EXPECT_TRUE(dlg.AppRestart());
    }
    EXPECT_EQ(messages, QStringList{QStringLiteral(
                            "Для вступления в силу настроек требуется перезапуск программы")});
    EXPECT_FALSE(ReadOnly);
    EXPECT_TRUE(ReadOnlyToSave);
    EXPECT_EQ(Main().GetModeStr().contains(QStringLiteral("RO")), false);

    // Reopened in the same run the box shows the value in force; accepting it unchanged puts
    // the value to be saved back, with no message.
    messages.clear();
    {
        TfrmSetup dlg;
        EXPECT_FALSE(Find<QCheckBox>(dlg, "APED_EnableReadOnlyMode_CheckBox")->isChecked());
        dlg.done(mrOk);
        EXPECT_FALSE(dlg.AppRestart());
    }
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_FALSE(ReadOnlyToSave);

    {
        TfrmSetup dlg;
        Find<QCheckBox>(dlg, "APED_EnableReadOnlyMode_CheckBox")->setChecked(true);
        dlg.done(mrOk);
    }
    EXPECT_TRUE(
        SavedSettings().ReadBool(QStringLiteral("Options"), QStringLiteral("ReadOnly"), false));

    // The next start has it in force, and the box shows it.
    Main();
    EXPECT_TRUE(ReadOnly);
    TfrmSetup dlg;
    EXPECT_TRUE(Find<QCheckBox>(dlg, "APED_EnableReadOnlyMode_CheckBox")->isChecked());
}

TEST_F(OptionsDialogTest, ProcessingOptionsOfferThreeValuesAndStoreNoSelectionAsTheFirst) {
    Main();
    ParamRebinding = 7; // not one of the three: shown as the first
    ChangeUnitOnBaseParam = 2;
    TfrmSetup dlg;
    for (const TModeOption& option : ModeOptions()) {
        QComboBox* box = Find<QComboBox>(dlg, option.Box);
        ASSERT_EQ(box->count(), 3) << option.Box;
        EXPECT_EQ(box->itemText(0), QStringLiteral("Не выполнять"));
        EXPECT_EQ(box->itemText(1), QStringLiteral("Спросить о необходимости"));
        EXPECT_EQ(box->itemText(2), QStringLiteral("Автоматически"));
    }
    EXPECT_EQ(Find<QComboBox>(dlg, "APUPID_ParamRebinding_ComboBox")->currentIndex(), 0);
    EXPECT_EQ(Find<QComboBox>(dlg, "APUPID_ChangeUnitOnBaseParam_ComboBox")->currentIndex(), 2);
    Find<QComboBox>(dlg, "APUPID_ChangeUnitOnBaseParam_ComboBox")->setCurrentIndex(-1);
    Find<QComboBox>(dlg, "APACC_WriteOffAvailItemsInProject_ComboBox")->setCurrentIndex(2);
    dlg.done(mrOk);
    EXPECT_EQ(ParamRebinding, 0);
    EXPECT_EQ(ChangeUnitOnBaseParam, 0);
    EXPECT_EQ(WriteOffAvailItemsInProject, 2);
}

TEST_F(OptionsDialogTest, NetworkEditorsFollowTheirCheckBoxes) {
    Main();
    const char* editors[] = {"APIC_UsageProxy_CheckBox",      "APIC_Proxy_TextEdit",
                             "APIC_ProxyPort_SpinEdit",       "APIC_ProxyAuth_CheckBox",
                             "APIC_ProxyUser_TextEdit",       "APIC_ProxyPassword_TextEdit",
                             "APIC_RequestPassword_CheckBox", "APN_ShowNewsOnStart_CheckBox"};
    const struct {
        bool IC, Proxy, Auth, Request;
        const char* Enabled; // one letter per editor above
    } cases[] = {
        {false, true, true, false, "00000000"}, {true, false, true, true, "10000001"},
        {true, true, false, true, "11110001"},  {true, true, true, false, "11111111"},
        {true, true, true, true, "11111011"},
    };
    for (const auto& c : cases) {
        ICEnable = c.IC;
        UsageProxy = c.Proxy;
        ProxyAuth = c.Auth;
        RequestPassword = c.Request;
        TfrmSetup dlg;
        EXPECT_EQ(Find<QCheckBox>(dlg, "APIC_ProxyAuth_CheckBox")->isChecked(), c.Auth);
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(Find<QWidget>(dlg, editors[i])->isEnabled(), c.Enabled[i] == '1')
                << editors[i] << " in case " << c.Enabled;
    }

    // The rule runs again whenever one of its boxes changes.
    TfrmSetup dlg;
    Find<QCheckBox>(dlg, "APIC_RequestPassword_CheckBox")->setChecked(false);
    EXPECT_TRUE(Find<QLineEdit>(dlg, "APIC_ProxyPassword_TextEdit")->isEnabled());
    Find<QCheckBox>(dlg, "APIC_ICEnable_CheckBox")->setChecked(false);
    EXPECT_FALSE(Find<QLineEdit>(dlg, "APIC_ProxyPassword_TextEdit")->isEnabled());
    EXPECT_FALSE(Find<QCheckBox>(dlg, "APN_ShowNewsOnStart_CheckBox")->isEnabled());
}

TEST_F(OptionsDialogTest, AliasesAreAddedEditedAndDeletedThroughTheAliasEditor) {
    WriteIni(QStringLiteral("[Aliases]\nName0=Склад\nFile0=/data/store.fdb\nName1=Дом\n"
                            "File1=/home/db.fdb\n"));
    Main();
    QStringList questions;
    int answer = mrYes;
    TMessageDlgResponderScope responder([&](const TMessageDlgRequest& ARequest) {
        questions << ARequest.Text;
        EXPECT_EQ(ARequest.Kind, mdkConfirmation);
        EXPECT_EQ(ARequest.Buttons, mdbYes | mdbNo);
        return answer;
    });

    TfrmSetup dlg;
    QTreeWidget* list = dlg.AliasListView();
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->headerItem()->text(0), QStringLiteral("Название учетной записи"));
    EXPECT_EQ(list->headerItem()->text(1), QStringLiteral("Файл базы данных"));
    EXPECT_EQ(list->topLevelItem(1)->text(0), QStringLiteral("Дом"));
    EXPECT_EQ(list->topLevelItem(1)->text(1), QStringLiteral("/home/db.fdb"));
    QPushButton* add = Find<QPushButton>(dlg, "AddAlias_Button");
    QPushButton* edit = Find<QPushButton>(dlg, "EditAlias_Button");
    QPushButton* del = Find<QPushButton>(dlg, "DeleteAlias_Button");
    EXPECT_TRUE(add->isEnabled());
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_FALSE(del->isEnabled());

    // Add: the editor starts with "NewAlias" and no file.
    AnswerModal<TfrmAliasEdit>([](TfrmAliasEdit* AEditor) {
        EXPECT_EQ(AEditor->NameEdit()->text(), QStringLiteral("NewAlias"));
        EXPECT_EQ(AEditor->FileEdit()->text(), QString());
        AEditor->NameEdit()->setText(QStringLiteral("Работа"));
        AEditor->FileEdit()->setText(QStringLiteral("/w/work.fdb"));
        AEditor->accept();
    });
    add->click();
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(list->topLevelItem(2)->text(0), QStringLiteral("Работа"));
    EXPECT_TRUE(dlg.AliasModifed());

    // Edit the selected row; a cancelled edit changes nothing.
    list->setCurrentItem(list->topLevelItem(1));
    EXPECT_TRUE(edit->isEnabled());
    EXPECT_TRUE(del->isEnabled());
    AnswerModal<TfrmAliasEdit>([](TfrmAliasEdit* AEditor) { AEditor->reject(); });
    edit->click();
    EXPECT_EQ(list->topLevelItem(1)->text(0), QStringLiteral("Дом"));
    AnswerModal<TfrmAliasEdit>([](TfrmAliasEdit* AEditor) {
        EXPECT_EQ(AEditor->NameEdit()->text(), QStringLiteral("Дом"));
        EXPECT_EQ(AEditor->FileEdit()->text(), QStringLiteral("/home/db.fdb"));
        AEditor->NameEdit()->setText(QStringLiteral("Дача"));
        AEditor->accept();
    });
    edit->click();
    EXPECT_EQ(list->topLevelItem(1)->text(0), QStringLiteral("Дача"));

    // Delete asks; No keeps the row, Yes removes it and disables the row buttons.
    list->setCurrentItem(list->topLevelItem(0));
    answer = mrNo;
    del->click();
    EXPECT_EQ(list->topLevelItemCount(), 3);
    answer = mrYes;
    del->click();
    EXPECT_EQ(questions, QStringList(2, QStringLiteral("Удалить учетную запись?")));
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_FALSE(del->isEnabled());

    // Nothing reaches the data module before OK.
    EXPECT_EQ(dmMain->DataBase().AliasCount(), 2);
    dlg.done(mrOk);
    TKVDataBase& db = dmMain->DataBase();
    ASSERT_EQ(db.AliasCount(), 2);
    QStringList aliases;
    for (db.AliasFirst(); !db.AliasEof(); db.AliasNext()) {
        TKVDataBaseAlias alias;
        db.AliasGetRecord(alias);
        aliases << alias.Name + u'=' + alias.FileName;
    }
    EXPECT_EQ(aliases, (QStringList{QStringLiteral("Дача=/home/db.fdb"),
                                    QStringLiteral("Работа=/w/work.fdb")}));

    TIniFile ini = SavedSettings();
    EXPECT_EQ(ini.ReadSectionValues(QStringLiteral("Aliases")),
              (QList<std::pair<QString, QString>>{{"Name0", "Дача"},
                                                  {"File0", "/home/db.fdb"},
                                                  {"Name1", "Работа"},
                                                  {"File1", "/w/work.fdb"}}));

    // Deleting every alias leaves none.
    Main();
    TfrmSetup again;
    for (int n = 0; n < 2; ++n) {
        again.AliasListView()->setCurrentItem(again.AliasListView()->topLevelItem(0));
        Find<QPushButton>(again, "DeleteAlias_Button")->click();
    }
    again.done(mrOk);
    EXPECT_TRUE(dmMain->DataBase().AliasEmpty());
    EXPECT_FALSE(SavedSettings().SectionExists(QStringLiteral("Aliases")));
}

TEST(AliasEditTest, NameAndFileMustHoldMoreThanBlanksAndAreKeptAsTyped) {
    AliasEditName = QStringLiteral("прежнее");
    AliasEditFileName = QStringLiteral("/old.fdb");
    TfrmAliasEdit dlg;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Учетная запись"));
    EXPECT_EQ(dlg.HelpTopic(), QStringLiteral("DBAlias"));
    EXPECT_EQ(dlg.NameEdit()->maxLength(), 128);
    dlg.show();

    const struct {
        const char* Name;
        const char* File;
    } refused[] = {{"  ", "/a.fdb"}, {"Имя", " "}, {"", ""}};
    for (const auto& r : refused) {
        dlg.NameEdit()->setText(QString::fromUtf8(r.Name));
        dlg.FileEdit()->setText(QString::fromUtf8(r.File));
        dlg.accept();
        EXPECT_TRUE(dlg.isVisible()) << r.Name << "|" << r.File;
    }
    // Cancel leaves the results of the last OK.
    dlg.reject();
    EXPECT_EQ(AliasEditName, QStringLiteral("прежнее"));

    TfrmAliasEdit second;
    second.show();
    second.NameEdit()->setText(QStringLiteral(" Имя "));
    TKVFileDialogRequest asked;
    TKVFileDialogResponderScope files([&](const TKVFileDialogRequest& ARequest) {
        asked = ARequest;
        return TKVFileDialogAnswer{true, QStringLiteral("/picked/base.fdb"), 0};
    });
    second.FileEdit()->Button()->click();
    EXPECT_EQ(asked.Kind, fdkOpen);
    EXPECT_EQ(asked.Caption, QStringLiteral("Открыть базу данных"));
    EXPECT_EQ(asked.Filter, QStringLiteral("Korvant DataBase (*.fdb)"));
    EXPECT_EQ(second.FileEdit()->text(), QStringLiteral("/picked/base.fdb"));
    second.accept();
    EXPECT_EQ(second.result(), mrOk);
    EXPECT_EQ(AliasEditName, QStringLiteral(" Имя "));
    EXPECT_EQ(AliasEditFileName, QStringLiteral("/picked/base.fdb"));
}

TEST_F(OptionsDialogTest, ReadOnlyProgramFolderShowsTheOptionsAndStoresNothing) {
    WriteIni(QStringLiteral("[Aliases]\nName0=Склад\nFile0=/data/store.fdb\n"));
    SysTestSeams::SetFolderWritable(FProgramDir.path(), false);
    Main();
    ASSERT_TRUE(dmMain->AppDriveReadOnly());
    QStringList messages;
    auto responder = Record(messages);
    const bool viewCount = ViewCountItems;
    const bool logo = Logo;

    TfrmSetup dlg;
    dlg.FormShow();
    EXPECT_EQ(messages, QStringList{QStringLiteral("Настройки программы не могут быть изменены")});
    // The options of the first pages are read-only but the view of counts; the network page
    // stays editable.
    for (const TBoolOption& option : BoolOptions()) {
        if (QLatin1String(option.Section) == QLatin1String("Options")) {
            EXPECT_EQ(Find<QCheckBox>(dlg, option.Box)->isEnabled(),
                      option.Value == &ViewCountItems)
                << option.Box;
        }
    }
    EXPECT_TRUE(Find<QCheckBox>(dlg, "APIC_ICEnable_CheckBox")->isEnabled());
    EXPECT_FALSE(Find<QCheckBox>(dlg, "APED_EnableReadOnlyMode_CheckBox")->isEnabled());
    for (const TModeOption& option : ModeOptions())
        EXPECT_FALSE(Find<QComboBox>(dlg, option.Box)->isEnabled()) << option.Box;
    EXPECT_FALSE(Find<QPushButton>(dlg, "AddAlias_Button")->isEnabled());
    dlg.AliasListView()->setCurrentItem(dlg.AliasListView()->topLevelItem(0));
    EXPECT_FALSE(Find<QPushButton>(dlg, "DeleteAlias_Button")->isEnabled());

    Find<QCheckBox>(dlg, "APVD_ViewCountItems_CheckBox")->setChecked(!viewCount);
    Find<QCheckBox>(dlg, "APG_EnableLogo_CheckBox")->setChecked(!logo);
    messages.clear();
    dlg.done(mrOk);
    EXPECT_EQ(ViewCountItems, viewCount);
    EXPECT_EQ(Logo, logo);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(OptionsDialogTest, LocalConfigurationPageFollowsTheOpenDatabase) {
    TTestDataBase db(1011, QStringLiteral("Тестовая база"));
    db.Exec(QStringLiteral(
        "INSERT INTO CFG_LOCAL (OBJ_TYPE, S_PARAM, V_INTEGER) VALUES (3, 'RBW', 500)"));
    db.Exec(QStringLiteral(
        "INSERT INTO CFG_LOCAL (OBJ_TYPE, S_PARAM, V_INTEGER) VALUES (3, 'RBH', 300)"));
    const auto layoutRows = [&] {
        return db.Scalar(QStringLiteral("SELECT COUNT(*) FROM CFG_LOCAL")).toInt();
    };
    const auto description = [&] {
        return db
            .Scalar(QStringLiteral("SELECT V_STRING FROM SYS_VAR WHERE S_PARAM = "
                                   "'DBDESCRIPTION'"))
            .toString();
    };
    Main();
    {
        // Disconnected: the database's settings are hidden.
        TfrmSetup dlg;
        EXPECT_TRUE(Find<QWidget>(dlg, "AddFunct_LocalCfg_Panel")->isHidden());
    }
    Connect(db);
    QStringList messages;
    int answer = mrNo;
    TMessageDlgResponderScope responder([&](const TMessageDlgRequest& ARequest) {
        messages << ARequest.Text;
        return answer;
    });
    {
        TfrmSetup dlg;
        EXPECT_FALSE(Find<QWidget>(dlg, "AddFunct_LocalCfg_Panel")->isHidden());
        QLineEdit* text = Find<QLineEdit>(dlg, "DBDescription_TextEdit");
        EXPECT_EQ(text->text(), QStringLiteral("Тестовая база"));
        EXPECT_TRUE(text->isEnabled());
        EXPECT_EQ(text->maxLength(), 255);
        QPushButton* reset = Find<QPushButton>(dlg, "ClearLocalCfg_Button");
        auto* storage = Find<TKVButtonEdit>(dlg, "StorageForEmpty_ButtonEdit");
        EXPECT_TRUE(reset->isEnabled());
        EXPECT_TRUE(storage->isEnabled());
        QCheckBox* local = Find<QCheckBox>(dlg, "ALC_EnableForAllDB_CheckBox");
        local->setChecked(false);
        EXPECT_FALSE(reset->isEnabled());
        EXPECT_FALSE(storage->isEnabled());
        local->setChecked(true);
        EXPECT_TRUE(reset->isEnabled());

        // The reset asks; No keeps the layouts, Yes deletes them at once, and a later cancel
        // of the dialog does not bring them back.
        reset->click();
        EXPECT_EQ(layoutRows(), 2);
        answer = mrYes;
        reset->click();
        EXPECT_EQ(
            messages,
            QStringList(2, QStringLiteral("Сбросить все настройки для справочников и карточек?")));
        EXPECT_EQ(layoutRows(), 0);

        text->setText(QStringLiteral("Описание, которое отменят"));
        dlg.reject();
    }
    EXPECT_EQ(layoutRows(), 0);
    EXPECT_EQ(description(), QStringLiteral("Тестовая база"));

    // OK writes a changed description; an unchanged OK writes nothing and asks nothing.
    messages.clear();
    {
        TfrmSetup dlg;
        Find<QLineEdit>(dlg, "DBDescription_TextEdit")->setText(QStringLiteral("Склад платы"));
        dlg.done(mrOk);
    }
    EXPECT_EQ(description(), QStringLiteral("Склад платы"));
    EXPECT_EQ(dmMain->CurrentDBDescription(), QStringLiteral("Склад платы"));
    db.Exec(
        QStringLiteral("UPDATE SYS_VAR SET V_STRING = 'извне' WHERE S_PARAM = 'DBDESCRIPTION'"));
    {
        TfrmSetup dlg;
        dlg.done(mrOk);
    }
    EXPECT_EQ(description(), QStringLiteral("извне"));
    EXPECT_TRUE(messages.isEmpty());

    // With option ReadOnly in force neither the description nor the layouts can be changed.
    ReadOnly = true;
    TfrmSetup dlg;
    EXPECT_FALSE(Find<QLineEdit>(dlg, "DBDescription_TextEdit")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(dlg, "ClearLocalCfg_Button")->isEnabled());
}

TEST_F(OptionsDialogTest, StoragePlaceForEmptiedStockIsPickedClearedAndStoredOnOk) {
    TTestDataBase db(1011);
    db.Exec(QStringLiteral("INSERT INTO T_STORAGE (ID, S_NAME) VALUES (7, 'Ящик 7')"));
    const auto stored = [&] {
        return db.Scalar(QStringLiteral("SELECT V_INTEGER FROM CFG_LOCAL WHERE S_PARAM = "
                                        "'EASSID'"));
    };
    Main();
    Connect(db);

    {
        // Until the storage-place book installs its picker, picking counts as cancelled.
        TfrmSetup dlg;
        dlg.StorageForEmpty_ButtonEditButtonClick();
        EXPECT_EQ(dlg.tmpStorageForEmptyId(), 0u);
        dlg.done(mrOk);
    }
    EXPECT_FALSE(stored().isValid());

    QList<std::pair<quint32, quint32>> asked;
    SetSetupSelectStorage([&](quint32 ASelectId, quint32 AExcludeId) {
        asked << std::pair{ASelectId, AExcludeId};
        return SetSelectedLocalItemDBData(true, 7, 0, QStringLiteral("Ящик 7"));
    });
    {
        TfrmSetup dlg;
        auto* storage = Find<TKVButtonEdit>(dlg, "StorageForEmpty_ButtonEdit");
        EXPECT_TRUE(storage->LineEdit()->isReadOnly());
        // Enter in the editor picks.
        QTest::keyClick(storage->LineEdit(), Qt::Key_Return);
        EXPECT_EQ(storage->text(), QStringLiteral("Ящик 7"));
        EXPECT_EQ(dlg.tmpStorageForEmptyId(), 7u);
        EXPECT_FALSE(stored().isValid()); // nothing before OK
        dlg.done(mrOk);
        EXPECT_EQ(dlg.result(), mrOk);
    }
    EXPECT_EQ(stored().toInt(), 7);
    EXPECT_EQ(dmMain->StorageForEmptyId(), 7u);
    EXPECT_EQ(dmMain->StorageForEmptyName(), QStringLiteral("Ящик 7"));

    {
        // The stored place is shown and preselected; Del clears it, and OK removes it.
        TfrmSetup dlg;
        auto* storage = Find<TKVButtonEdit>(dlg, "StorageForEmpty_ButtonEdit");
        EXPECT_EQ(storage->text(), QStringLiteral("Ящик 7"));
        storage->Button()->click();
        QTest::keyClick(storage->LineEdit(), Qt::Key_Delete);
        EXPECT_EQ(storage->text(), QString());
        EXPECT_EQ(dlg.tmpStorageForEmptyId(), 0u);
        dlg.done(mrOk);
    }
    EXPECT_EQ(asked, (QList<std::pair<quint32, quint32>>{{0, 0}, {7, 0}}));
    EXPECT_FALSE(stored().isValid());
    EXPECT_EQ(dmMain->StorageForEmptyId(), 0u);

    {
        // Picked and cleared again before OK with nothing stored: nothing is stored.
        TfrmSetup dlg;
        dlg.StorageForEmpty_ButtonEditButtonClick();
        dlg.StorageForEmpty_Clear();
        dlg.done(mrOk);
    }
    EXPECT_FALSE(stored().isValid());
}

TEST_F(OptionsDialogTest, EnterOnACheckBoxOrAComboBoxAcceptsTheDialog) {
    Main();
    for (const char* name : {"APVD_ViewCountItems_CheckBox", "APUPID_ParamRebinding_ComboBox"}) {
        const bool viewCount = ViewCountItems;
        TfrmSetup dlg;
        dlg.show();
        QWidget* control = Find<QWidget>(dlg, name);
        dlg.PageControl()->setCurrentWidget(control->parentWidget());
        if (auto* box = qobject_cast<QCheckBox*>(control))
            box->setChecked(!viewCount);
        QTest::keyClick(control, Qt::Key_Return);
        EXPECT_EQ(dlg.result(), mrOk) << name;
        EXPECT_FALSE(dlg.isVisible()) << name;
    }
    EXPECT_FALSE(ViewCountItems);
}

TEST_F(OptionsDialogTest, OptionsCommandOpensOneDialog) {
    QAction* command = MainAction("mmiConfig_Options");
    EXPECT_EQ(command->shortcut(), QKeySequence(Qt::ALT | Qt::Key_O));
    ASSERT_TRUE(command->isEnabled());
    int opened = 0;
    AnswerModal<TfrmSetup>([&](TfrmSetup* ADialog) {
        ++opened;
        command->trigger();
        EXPECT_EQ(SetupDlg(), ADialog);
        ADialog->reject();
    });
    command->trigger();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(SetupDlg(), nullptr);
}
