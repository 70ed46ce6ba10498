// The data module's creation and end: options of "Korvant.ini", the window state, the user
// lists, the web-search patterns, the image lists and the once-per-version help page.

#include "tests/core/dmMainFixture.h"

#include "core/KVMainWindowLink.h"
#include "platform/sys/IniFile.h"
#include "platform/sys/Win1251.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kSettings = QStringLiteral("Korvant.ini");

// What a settings file holds after an exit with every option at its default.
const char* const kDefaultSettings = "[Options]\n"
                                     "AutoLogin=1\n"
                                     "AutoConnect=0\n"
                                     "Logo=1\n"
                                     "LogoText=\n"
                                     "LocalConfig=1\n"
                                     "ReadOnly=0\n"
                                     "BLIMod=0\n"
                                     "NSIMod=0\n"
                                     "SelectStorage=0\n"
                                     "HideImage=1\n"
                                     "ViewCountItems=1\n"
                                     "ParamRebinding=1\n"
                                     "ChangeUPIDOnBaseParam=1\n"
                                     "ChangeUnitOnBaseParam=1\n"
                                     "WriteOffAvailItemsInProject=1\n"
                                     "MoveEmptyAvailToSpecStorage=1\n"
                                     "VisualConfirm=1\n"
                                     "DisableMaster=0\n"
                                     "\n"
                                     "[InternetConnection]\n"
                                     "ICEnable=0\n"
                                     "UsageProxy=0\n"
                                     "Proxy=\n"
                                     "ProxyPort=8080\n"
                                     "ProxyAuth=0\n"
                                     "ProxyUser=\n"
                                     "ProxyPassword=\n"
                                     "RequestPassword=0\n"
                                     "\n"
                                     "[Connect]\n"
                                     "LastConnectDataBase=\n"
                                     "\n"
                                     "[AppWin]\n"
                                     "Maximize=0\n"
                                     "Width=870\n"
                                     "Height=600\n"
                                     "\n"
                                     "[News]\n"
                                     "ShowNews=0\n"
                                     "LastNewsId=0\n";

// A main window that records the state it was handed and reports a state of the test's choice.
class TFakeMainWindow : public TKVMainWindowLink {
public:
    TFakeMainWindow() { SetKVMainWindowLink(this); }
    ~TFakeMainWindow() override { SetKVMainWindowLink(nullptr); }
    void SetAppWinSizeInfo(bool AAppWinMaximize, int AAppWinWidth, int AAppWinHeight) override {
        Handed =
            QStringLiteral("%1 %2x%3").arg(AAppWinMaximize).arg(AAppWinWidth).arg(AAppWinHeight);
    }
    bool AppWinMaximized() const override { return Maximized; }
    QSize AppWinNormalSize() override {
        ++Restored;
        return NormalSize;
    }

    QString Handed;
    bool Maximized = false;
    QSize NormalSize;
    int Restored = 0;
};

} // namespace

TEST_F(dmMainTest, DefaultsWithoutASettingsFileAreWrittenBackAtExit) {
    Module();
    EXPECT_EQ(dmMain, &Module());
    EXPECT_FALSE(Module().AppDriveReadOnly());
    EXPECT_EQ(Module().AppFolder(), FProgramDir.path() + QLatin1Char('/'));
    EXPECT_EQ(LangCode, 0);
    EXPECT_TRUE(DebugMode);
    EXPECT_TRUE(AutoLogin);
    EXPECT_FALSE(AutoConnect);
    EXPECT_TRUE(Logo);
    EXPECT_TRUE(Module().LogoText().isEmpty());
    EXPECT_TRUE(LocalConfig);
    EXPECT_FALSE(ReadOnly);
    EXPECT_FALSE(ReadOnlyToSave);
    EXPECT_FALSE(BLIMod);
    EXPECT_FALSE(NSIMod);
    EXPECT_FALSE(SelectStorage);
    EXPECT_TRUE(HideImage);
    EXPECT_TRUE(ViewCountItems);
    for (int mode : {ParamRebinding, ChangeUPIDOnBaseParam, ChangeUnitOnBaseParam,
                     WriteOffAvailItemsInProject, MoveEmptyAvailToSpecStorage})
        EXPECT_EQ(mode, aamAsk);
    EXPECT_TRUE(VisualConfirm);
    EXPECT_FALSE(DisableMaster);
    EXPECT_FALSE(ICEnable);
    EXPECT_FALSE(UsageProxy);
    EXPECT_TRUE(Proxy.isEmpty());
    EXPECT_EQ(ProxyPort, 8080);
    EXPECT_FALSE(ProxyAuth);
    EXPECT_FALSE(RequestPassword);
    EXPECT_FALSE(TDBAMode);
    EXPECT_TRUE(TDBADir.isEmpty());
    EXPECT_FALSE(RBOMode);
    EXPECT_FALSE(ShowNews);
    EXPECT_EQ(LastNewsId, 0);
    EXPECT_TRUE(Module().LastDataBaseFileName().isEmpty());
    EXPECT_FALSE(Module().AppWinMaximize());
    EXPECT_EQ(Module().AppWinWidth(), 870);
    EXPECT_EQ(Module().AppWinHeight(), 600);
    EXPECT_TRUE(Module().DataBase().AliasEmpty());
    EXPECT_TRUE(Module().SearchInWebPttList.Empty());
    EXPECT_TRUE(Module().PinNameDesc.isEmpty());
    EXPECT_FALSE(QFile::exists(ProgramFile(kSettings)));

    DestroyModule();
    EXPECT_EQ(dmMain, nullptr);
    // The keys that are only read (Lang Code, DebugMode, TDBA, RBO, WN_102) are not written.
    EXPECT_EQ(ReadProgramFile(kSettings), QByteArray(kDefaultSettings));
    EXPECT_TRUE(FUI.Errors.empty());
}

TEST_F(dmMainTest, OptionsAreReadAndWrittenBack) {
    WriteProgramFile(kSettings, "; kept as it is\n"
                                "[Lang]\nCode=70000\n"
                                "[Options]\nDebugMode=0\nAutoLogin=0\nLogo=0\nLogoText=Заставка\n"
                                "ReadOnly=1\nBLIMod=1\nParamRebinding=7\nChangeUPIDOnBaseParam=2\n"
                                "ChangeUnitOnBaseParam=0\nWriteOffAvailItemsInProject=-1\n"
                                "HideImage=0\nDisableMaster=5\n"
                                "[InternetConnection]\nICEnable=1\nProxy=proxy.local\n"
                                "ProxyPort=3128\nProxyUser=Иван\nProxyPassword=p=w\n"
                                "[TDBA]\nTDBAMode=1\nTDBADir=/srv/db\n"
                                "[RBO]\nRBOMode=1\n"
                                "[Connect]\nLastConnectDataBase=/data/Склад.fdb\n"
                                "[News]\nShowNews=1\nLastNewsId=12\n"
                                "[WN]\nWN_102=1\n");
    Module();
    EXPECT_EQ(LangCode, 0); // beyond 16 bits: the default
    EXPECT_FALSE(DebugMode);
    EXPECT_FALSE(AutoLogin);
    EXPECT_FALSE(Logo);
    // Without the splash its text is not read, and so it is written back empty.
    EXPECT_TRUE(Module().LogoText().isEmpty());
    EXPECT_TRUE(ReadOnly);
    EXPECT_TRUE(ReadOnlyToSave);
    EXPECT_TRUE(BLIMod);
    EXPECT_EQ(ParamRebinding, aamNotExecute);
    EXPECT_EQ(ChangeUPIDOnBaseParam, aamAutomatic);
    EXPECT_EQ(ChangeUnitOnBaseParam, aamNotExecute);
    EXPECT_EQ(WriteOffAvailItemsInProject, aamNotExecute);
    EXPECT_EQ(MoveEmptyAvailToSpecStorage, aamAsk);
    EXPECT_FALSE(HideImage);
    EXPECT_TRUE(DisableMaster);
    EXPECT_TRUE(ICEnable);
    EXPECT_EQ(Proxy, QStringLiteral("proxy.local"));
    EXPECT_EQ(ProxyPort, 3128);
    EXPECT_EQ(ProxyUser, QStringLiteral("Иван"));
    EXPECT_EQ(ProxyPassword, QStringLiteral("p=w"));
    EXPECT_TRUE(TDBAMode);
    EXPECT_EQ(TDBADir, QStringLiteral("/srv/db"));
    EXPECT_TRUE(RBOMode);
    EXPECT_EQ(Module().LastDataBaseFileName(), QStringLiteral("/data/Склад.fdb"));
    EXPECT_TRUE(ShowNews);
    EXPECT_EQ(LastNewsId, 12);

    // What the options dialog would change; the read-only keys are changed too, to show that
    // they are never written.
    ReadOnlyToSave = false;
    AutoConnect = true;
    ViewCountItems = false;
    DebugMode = true;
    TDBADir = QStringLiteral("/elsewhere");
    LastNewsId = 13;
    EXPECT_TRUE(ReadOnly); // in force until the next start
    DestroyModule();

    const TIniFile ini(ProgramFile(kSettings));
    const QString options = QStringLiteral("Options");
    EXPECT_EQ(ini.ReadString(options, QStringLiteral("ReadOnly"), QString()), QStringLiteral("0"));
    EXPECT_EQ(ini.ReadString(options, QStringLiteral("ParamRebinding"), QString()),
              QStringLiteral("0"));
    EXPECT_EQ(ini.ReadString(options, QStringLiteral("WriteOffAvailItemsInProject"), QString()),
              QStringLiteral("0"));
    EXPECT_EQ(ini.ReadString(options, QStringLiteral("LogoText"), QStringLiteral("x")), QString());
    EXPECT_EQ(ini.ReadString(options, QStringLiteral("AutoConnect"), QString()),
              QStringLiteral("1"));
    EXPECT_EQ(ini.ReadString(options, QStringLiteral("ViewCountItems"), QString()),
              QStringLiteral("0"));
    EXPECT_EQ(ini.ReadString(options, QStringLiteral("DisableMaster"), QString()),
              QStringLiteral("1"));
    EXPECT_EQ(ini.ReadString(options, QStringLiteral("DebugMode"), QString()), QStringLiteral("0"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Lang"), QStringLiteral("Code"), QString()),
              QStringLiteral("70000"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("TDBA"), QStringLiteral("TDBADir"), QString()),
              QStringLiteral("/srv/db"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("RBO"), QStringLiteral("RBOMode"), QString()),
              QStringLiteral("1"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("WN"), QStringLiteral("WN_102"), QString()),
              QStringLiteral("1"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("InternetConnection"), QStringLiteral("ProxyPassword"),
                             QString()),
              QStringLiteral("p=w"));
    EXPECT_EQ(
        ini.ReadString(QStringLiteral("Connect"), QStringLiteral("LastConnectDataBase"), QString()),
        QStringLiteral("/data/Склад.fdb"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("News"), QStringLiteral("LastNewsId"), QString()),
              QStringLiteral("13"));
    EXPECT_TRUE(ReadProgramFile(kSettings).startsWith("; kept as it is\n[Lang]\nCode=70000\n"));
}

TEST_F(dmMainTest, AliasesLoadUpToTheFirstGapAndAreRewrittenWithoutGaps) {
    WriteProgramFile(kSettings,
                     "[Aliases]\nName0=Дом\nFile0=/home/parts.fdb\nName1=" + QByteArray(300, 'a') +
                         "\nName3=Потерянный\nFile3=/lost.fdb\n[News]\nShowNews=0\n");
    Module();
    TKVDataBase& db = Module().DataBase();
    ASSERT_EQ(db.AliasCount(), 2);
    db.AliasFirst();
    TKVDataBaseAlias alias;
    ASSERT_TRUE(db.AliasGetRecord(alias));
    EXPECT_EQ(alias.Name, QStringLiteral("Дом"));
    EXPECT_EQ(alias.FileName, QStringLiteral("/home/parts.fdb"));
    db.AliasNext();
    ASSERT_TRUE(db.AliasGetRecord(alias));
    EXPECT_EQ(alias.Name, QString(128, QLatin1Char('a')));
    EXPECT_TRUE(alias.FileName.isEmpty());

    db.AddAlias(QStringLiteral("Работа"), QStringLiteral("/work/parts.fdb"));
    DestroyModule();
    const TIniFile ini(ProgramFile(kSettings));
    const auto aliases = ini.ReadSectionValues(QStringLiteral("Aliases"));
    QStringList lines;
    for (const auto& [key, value] : aliases)
        lines << key + QLatin1Char('=') + value;
    EXPECT_EQ(lines,
              (QStringList{QStringLiteral("Name0=Дом"), QStringLiteral("File0=/home/parts.fdb"),
                           QStringLiteral("Name1=") + QString(128, QLatin1Char('a')),
                           QStringLiteral("File1="), QStringLiteral("Name2=Работа"),
                           QStringLiteral("File2=/work/parts.fdb")}));
}

TEST_F(dmMainTest, DamagedSettingsLoadWithDefaults) {
    QByteArray data = ToWin1251(QStringLiteral("[Options]\nLogoText=Склад\nAutoLogin=да\n"
                                               "HideImage=\nViewCountItems=1e3\n"
                                               "ParamRebinding=два\n"
                                               "[AppWin]\nWidth=широко\nHeight=-5\n"
                                               "[InternetConnection]\nProxyPort=99999999999\n"
                                               "ICEnable\n[Aliases\nName0=\n"));
    data.append(QByteArray("\x00\xFF[]=\n=x\n", 9));
    WriteProgramFile(kSettings, data);
    Module();
    EXPECT_EQ(Module().LogoText(), QStringLiteral("Склад"));
    EXPECT_TRUE(AutoLogin);
    EXPECT_TRUE(HideImage);
    EXPECT_TRUE(ViewCountItems);
    EXPECT_EQ(ParamRebinding, aamAsk);
    EXPECT_EQ(Module().AppWinWidth(), 870);
    EXPECT_EQ(Module().AppWinHeight(), 600); // no height of a window: the default
    EXPECT_EQ(ProxyPort, 8080);
    EXPECT_FALSE(ICEnable);
    EXPECT_TRUE(Module().DataBase().AliasEmpty());
    DestroyModule();
    // Written back as UTF-8 text.
    const TIniFile ini(ProgramFile(kSettings));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Options"), QStringLiteral("LogoText"), QString()),
              QStringLiteral("Склад"));
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("AppWin"), QStringLiteral("Width"), 0), 870);
    EXPECT_TRUE(FUI.Errors.empty());
}

TEST_F(dmMainTest, NumbersOutsideTheirRangeTakeTheirDefault) {
    // Each number is read as it stands when it fits its option, else as the default; it is
    // never cut to 16 bits. The three-valued options map any other number to 0.
    const struct {
        const char* Settings;
        int LangCode, ProxyPort, Width, Height, LastNewsId, ParamRebinding;
    } cases[] = {
        {"[Lang]\nCode=-1\n[InternetConnection]\nProxyPort=70000\n"
         "[AppWin]\nWidth=0\nHeight=40000\n[News]\nLastNewsId=65536\n"
         "[Options]\nParamRebinding=3\n",
         0, 8080, 870, 600, 0, aamNotExecute},
        {"[Lang]\nCode=65536\n[InternetConnection]\nProxyPort=0\n"
         "[AppWin]\nWidth=-870\nHeight=-1\n[News]\nLastNewsId=-1\n"
         "[Options]\nParamRebinding=-1\n",
         0, 8080, 870, 600, 0, aamNotExecute},
        {"[Lang]\nCode=65535\n[InternetConnection]\nProxyPort=65535\n"
         "[AppWin]\nWidth=32767\nHeight=1\n[News]\nLastNewsId=65535\n"
         "[Options]\nParamRebinding=2\n",
         65535, 65535, 32767, 1, 65535, aamAutomatic},
        {"[InternetConnection]\nProxyPort=1\n[AppWin]\nWidth=1\nHeight=32767\n",
         0, 1, 1, 32767, 0, aamAsk},
    };
    for (const auto& c : cases) {
        WriteProgramFile(kSettings, c.Settings);
        Module();
        EXPECT_EQ(LangCode, c.LangCode) << c.Settings;
        EXPECT_EQ(ProxyPort, c.ProxyPort) << c.Settings;
        EXPECT_EQ(Module().AppWinWidth(), c.Width) << c.Settings;
        EXPECT_EQ(Module().AppWinHeight(), c.Height) << c.Settings;
        EXPECT_EQ(LastNewsId, c.LastNewsId) << c.Settings;
        EXPECT_EQ(ParamRebinding, c.ParamRebinding) << c.Settings;
        DestroyModule();
    }
    // What is written back is the value in force.
    const TIniFile ini(ProgramFile(kSettings));
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("InternetConnection"), QStringLiteral("ProxyPort"), 0),
              1);
    EXPECT_TRUE(FUI.Errors.empty());
}

TEST_F(dmMainTest, ReadOnlyProgramFolderIsNeverWritten) {
    const struct {
        int Drive;
        bool Writable;
        bool ReadOnly;
    } cases[] = {{dtUnknown, true, true},  {dtNoRootDir, true, true}, {dtRemovable, true, false},
                 {dtFixed, true, false},   {dtRemote, true, true},    {dtCDROM, true, true},
                 {dtRamDisk, true, false}, {dtFixed, false, true}};
    const QByteArray original = "[Options]\nAutoLogin=0\n";
    for (const auto& c : cases) {
        WriteProgramFile(kSettings, original);
        QFile::remove(ProgramFile(QStringLiteral("other.ini")));
        SysTestSeams::SetDriveType(FProgramDir.path(), c.Drive);
        SysTestSeams::SetFolderWritable(FProgramDir.path(), c.Writable);
        Module();
        EXPECT_EQ(Module().AppDriveReadOnly(), c.ReadOnly) << c.Drive << " " << c.Writable;
        AutoLogin = true;
        Module().ShowWhatsNewInThisVer();
        Module().SearchInWebPttList.AddData(QStringLiteral("A"), QStringLiteral("http://a"));
        Module().SearchInWebPttList.SaveToINIFile(ProgramFile(QStringLiteral("other.ini")));
        DestroyModule();
        EXPECT_EQ(ReadProgramFile(kSettings) == original, c.ReadOnly) << c.Drive;
        EXPECT_EQ(QFile::exists(ProgramFile(QStringLiteral("other.ini"))), !c.ReadOnly) << c.Drive;
    }
}

TEST_F(dmMainTest, WindowStateGoesToAndComesFromTheMainWindow) {
    WriteProgramFile(kSettings, "[AppWin]\nMaximize=1\nWidth=1000\nHeight=700\n");
    {
        // No main window: the values read are written back as they were.
        Module();
        EXPECT_TRUE(Module().AppWinMaximize());
        EXPECT_EQ(Module().AppWinWidth(), 1000);
        DestroyModule();
        const TIniFile ini(ProgramFile(kSettings));
        EXPECT_TRUE(ini.ReadBool(QStringLiteral("AppWin"), QStringLiteral("Maximize"), false));
        EXPECT_EQ(ini.ReadInteger(QStringLiteral("AppWin"), QStringLiteral("Width"), 0), 1000);
        EXPECT_EQ(ini.ReadInteger(QStringLiteral("AppWin"), QStringLiteral("Height"), 0), 700);
    }
    TFakeMainWindow window;
    Module();
    EXPECT_EQ(window.Handed, QStringLiteral("1 1000x700"));
    window.Maximized = false;
    window.NormalSize = QSize(1200, 800);
    DestroyModule();
    EXPECT_EQ(window.Restored, 1);
    const TIniFile ini(ProgramFile(kSettings));
    EXPECT_FALSE(ini.ReadBool(QStringLiteral("AppWin"), QStringLiteral("Maximize"), true));
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("AppWin"), QStringLiteral("Width"), 0), 1200);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("AppWin"), QStringLiteral("Height"), 0), 800);
}

TEST_F(dmMainTest, WhatsNewOpensOncePerVersion) {
    Module().ShowWhatsNewInThisVer();
    EXPECT_EQ(FUI.HelpTopics, QStringList{QStringLiteral("WhatsNew")});
    EXPECT_TRUE(TIniFile(ProgramFile(kSettings))
                    .ReadBool(QStringLiteral("WN"), QStringLiteral("WN_102"), false));
    Module().ShowWhatsNewInThisVer();
    DestroyModule();
    Module().ShowWhatsNewInThisVer();
    EXPECT_EQ(FUI.HelpTopics.size(), 1);
    // The key written during the run survives the exit.
    DestroyModule();
    EXPECT_TRUE(TIniFile(ProgramFile(kSettings))
                    .ReadBool(QStringLiteral("WN"), QStringLiteral("WN_102"), false));

    // On a CD-ROM nothing is written, so the page opens at every start.
    QFile::remove(ProgramFile(kSettings));
    SysTestSeams::SetDriveType(FProgramDir.path(), dtCDROM);
    for (int start = 0; start < 2; ++start) {
        Module().ShowWhatsNewInThisVer();
        DestroyModule();
    }
    EXPECT_EQ(FUI.HelpTopics.size(), 3);
    EXPECT_FALSE(QFile::exists(ProgramFile(kSettings)));
}

TEST_F(dmMainTest, SettingsThatCannotBeWrittenAreReported) {
    ASSERT_TRUE(QDir(FProgramDir.path()).mkdir(kSettings));
    Module();
    EXPECT_TRUE(AutoLogin);
    EXPECT_FALSE(Module().SaveOptions());
    ASSERT_EQ(FUI.Errors.size(), 1u);
    EXPECT_EQ(FUI.Errors[0].Caption, QStringLiteral("EIniFileError"));
    EXPECT_TRUE(FUI.Errors[0].Text.contains(kSettings)) << FUI.Errors[0].Text.toStdString();
    DestroyModule(); // the exit reports it too, and does not throw
    EXPECT_EQ(FUI.Errors.size(), 2u);
    EXPECT_TRUE(QFileInfo(ProgramFile(kSettings)).isDir());
}

TEST_F(dmMainTest, UserListsPatternsAndImageLists) {
    WriteProgramFile(QStringLiteral("pindesc.txt"), "VCC\r\nGND\r\nCLK");
    WriteProgramFile(QStringLiteral("classdesc.txt"), "Резисторы\n\nКонденсаторы\n");
    WriteProgramFile(QStringLiteral("projcatdesc.txt"),
                     ToWin1251(QStringLiteral("Ремонт\nСхемы\n")));
    WriteProgramFile(QStringLiteral("siwp.ini"),
                     "[SearchInWebPattern]\nSIWName0=Сайт\nSIWPtt0=http://s/?q=%NAME%\n");
    Module();
    EXPECT_EQ(Module().PinNameDesc,
              (QStringList{QStringLiteral("VCC"), QStringLiteral("GND"), QStringLiteral("CLK")}));
    // Line n describes icon n: an empty line keeps its place.
    EXPECT_EQ(Module().ClassIconDesc, (QStringList{QStringLiteral("Резисторы"), QString(),
                                                   QStringLiteral("Конденсаторы")}));
    EXPECT_EQ(Module().ProjectCategoryDesc,
              (QStringList{QStringLiteral("Ремонт"), QStringLiteral("Схемы")}));
    EXPECT_TRUE(Module().ProjectIconDesc.isEmpty());
    EXPECT_TRUE(Module().FindHotItems.isEmpty());
    EXPECT_EQ(Module().SearchInWebPttList.GetUrlByIndex(0, QStringLiteral("LM317")),
              QStringLiteral("http://s/?q=LM317"));

    // The main window reloads a list after its editor saved it.
    WriteProgramFile(QStringLiteral("projdesc.txt"), "Один\n");
    Module().LoadUserLists();
    EXPECT_EQ(Module().ProjectIconDesc, QStringList{QStringLiteral("Один")});

    const struct {
        const TKVImageList* List;
        int Count;
    } lists[] = {{&Module().MainToolImgList, 96}, {&Module().ElementClassImgList, 512},
                 {&Module().StorageImgList, 128}, {&Module().LogImgList, 6},
                 {&Module().ParamImgList, 3},     {&Module().NoteMarkerImgList, 16},
                 {&Module().ProjectImgList, 128}, {&Module().CaseImageList, 1},
                 {&Module().FilterImgList, 4}};
    for (const auto& l : lists) {
        EXPECT_EQ(l.List->Count(), l.Count);
        EXPECT_EQ(l.List->TileSize(), QSize(16, 16));
    }
}
