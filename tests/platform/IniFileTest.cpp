#include "platform/sys/IniFile.h"
#include "platform/sys/Win1251.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class IniFileTest : public ::testing::Test {
protected:
    QString Path(const QString& AName = QStringLiteral("test.ini")) const {
        return FDir.filePath(AName);
    }
    void Write(const QByteArray& AData, const QString& AName = QStringLiteral("test.ini")) const {
        QFile file(Path(AName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(AData);
    }
    QByteArray Read(const QString& AName = QStringLiteral("test.ini")) const {
        QFile file(Path(AName));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir FDir;
};

} // namespace

TEST_F(IniFileTest, ReadsKeysWithoutRegardToCaseAndTrimsValues) {
    Write("; a comment\n[Options]\n  AutoLogin =  0  \nlogotext=Привет, мир\n"
          "[OPTIONS]\nAutoLogin=1\nExtra=x=y\n");
    const TIniFile ini(Path());
    EXPECT_TRUE(ini.SectionExists(QStringLiteral("options")));
    EXPECT_FALSE(ini.SectionExists(QStringLiteral("Option")));
    // The first value of a key wins, also across a repeated section.
    EXPECT_FALSE(ini.ReadBool(QStringLiteral("options"), QStringLiteral("AUTOLOGIN"), true));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Options"), QStringLiteral("LogoText"), QString()),
              QStringLiteral("Привет, мир"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Options"), QStringLiteral("Extra"), QString()),
              QStringLiteral("x=y"));
    EXPECT_TRUE(ini.ValueExists(QStringLiteral("Options"), QStringLiteral("extra")));
    const auto values = ini.ReadSectionValues(QStringLiteral("options"));
    ASSERT_EQ(values.size(), 3);
    EXPECT_EQ(values[0].first, QStringLiteral("AutoLogin"));
    EXPECT_EQ(values[2].second, QStringLiteral("x=y"));
}

TEST_F(IniFileTest, NumbersThatDoNotReadGiveTheDefault) {
    Write("[S]\nA=12\nB=-7\nC=abc\nD=\nE=1.5\nF=99999999999\nG= 0 \nH=2\n");
    const TIniFile ini(Path());
    const QString s = QStringLiteral("S");
    EXPECT_EQ(ini.ReadInteger(s, QStringLiteral("A"), 5), 12);
    EXPECT_EQ(ini.ReadInteger(s, QStringLiteral("B"), 5), -7);
    for (const char* key : {"C", "D", "E", "F", "Missing"})
        EXPECT_EQ(ini.ReadInteger(s, QLatin1String(key), 5), 5) << key;
    EXPECT_FALSE(ini.ReadBool(s, QStringLiteral("G"), true));
    EXPECT_TRUE(ini.ReadBool(s, QStringLiteral("H"), false));
    EXPECT_TRUE(ini.ReadBool(s, QStringLiteral("C"), true));
    EXPECT_FALSE(ini.ReadBool(s, QStringLiteral("C"), false));
}

TEST_F(IniFileTest, Windows1251FileReadsAndIsRewrittenAsUtf8) {
    Write(ToWin1251(QStringLiteral("[Aliases]\r\nName0=Склад\r\nFile0=/data/склад.fdb\r\n")));
    TIniFile ini(Path());
    EXPECT_EQ(ini.ReadString(QStringLiteral("Aliases"), QStringLiteral("Name0"), QString()),
              QStringLiteral("Склад"));
    // Nothing changed: the file stays as it was.
    EXPECT_FALSE(ini.Modified());
    EXPECT_FALSE(ini.UpdateFile());
    EXPECT_EQ(Read(),
              ToWin1251(QStringLiteral("[Aliases]\r\nName0=Склад\r\nFile0=/data/склад.fdb\r\n")));

    ini.WriteString(QStringLiteral("Aliases"), QStringLiteral("Name1"), QStringLiteral("Дом"));
    EXPECT_TRUE(ini.UpdateFile());
    EXPECT_EQ(QString::fromUtf8(Read()),
              QStringLiteral("[Aliases]\nName0=Склад\nFile0=/data/склад.fdb\nName1=Дом\n"));
}

TEST_F(IniFileTest, Utf8WithByteOrderMarkAndOddBytes) {
    Write("\xEF\xBB\xBF[S]\nK=\xD0\x96\n");
    EXPECT_EQ(TIniFile(Path()).ReadString(QStringLiteral("S"), QStringLiteral("K"), QString()),
              QStringLiteral("Ж"));
    // Bytes that are not UTF-8 and no INI structure: read, never a crash.
    Write(QByteArray("\x00\xFF\xFE[\x80\x81=\n=\n[\n\xC3", 13));
    const TIniFile odd(Path());
    EXPECT_EQ(odd.ReadInteger(QStringLiteral("S"), QStringLiteral("K"), 3), 3);
}

TEST_F(IniFileTest, WritesKeepCommentsOrderAndAddAtTheEndOfTheSection) {
    Write("; settings\n[A]\nX=1\n; about Y\nY=2\n\n[B]\nZ=3\n");
    TIniFile ini(Path());
    ini.WriteInteger(QStringLiteral("a"), QStringLiteral("y"), 5);
    ini.WriteString(QStringLiteral("A"), QStringLiteral("New"), QStringLiteral("two\nlines"));
    ini.WriteBool(QStringLiteral("C"), QStringLiteral("On"), true);
    ini.WriteBool(QStringLiteral("C"), QStringLiteral("Off"), false);
    EXPECT_TRUE(ini.UpdateFile());
    EXPECT_EQ(Read(), QByteArray("; settings\n[A]\nX=1\n; about Y\nY=5\nNew=two lines\n\n[B]\nZ=3\n"
                                 "\n[C]\nOn=1\nOff=0\n"));
}

TEST_F(IniFileTest, EraseSectionAndRewriteTheSameIsNoChange) {
    Write("[Aliases]\nName0=a\nFile0=b\n[News]\nShowNews=0\n");
    TIniFile ini(Path());
    ini.EraseSection(QStringLiteral("ALIASES"));
    EXPECT_FALSE(ini.SectionExists(QStringLiteral("Aliases")));
    EXPECT_TRUE(ini.Modified());
    ini.WriteString(QStringLiteral("Aliases"), QStringLiteral("Name0"), QStringLiteral("a"));
    ini.WriteString(QStringLiteral("Aliases"), QStringLiteral("File0"), QStringLiteral("b"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Aliases"), QStringLiteral("File0"), QString()),
              QStringLiteral("b"));
    // The section moved to the end: a change, written.
    EXPECT_TRUE(ini.UpdateFile());
    EXPECT_EQ(Read(), QByteArray("[News]\nShowNews=0\n\n[Aliases]\nName0=a\nFile0=b\n"));
}

TEST_F(IniFileTest, MissingFileIsCreatedOnlyWhenSomethingIsWritten) {
    TIniFile ini(Path(QStringLiteral("new.ini")));
    EXPECT_EQ(ini.ReadString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("d")),
              QStringLiteral("d"));
    EXPECT_FALSE(ini.UpdateFile());
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("new.ini"))));
    ini.WriteString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v"));
    EXPECT_TRUE(ini.UpdateFile());
    EXPECT_EQ(Read(QStringLiteral("new.ini")), QByteArray("[S]\nK=v\n"));
    // Saved by replacing: no temporary file is left next to it.
    EXPECT_EQ(QDir(FDir.path()).entryList(QDir::Files), QStringList{QStringLiteral("new.ini")});
}

TEST_F(IniFileTest, FileThatCannotBeReadIsNeverOverwritten) {
    // A folder in place of the file: it cannot be read, so writing would lose it.
    ASSERT_TRUE(QDir(FDir.path()).mkdir(QStringLiteral("dir.ini")));
    TIniFile ini(Path(QStringLiteral("dir.ini")));
    ini.WriteString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v"));
    EXPECT_THROW(ini.UpdateFile(), EIniFileError);
    EXPECT_TRUE(QFileInfo(Path(QStringLiteral("dir.ini"))).isDir());

    // A file in a folder that does not exist cannot be written: a clear error.
    TIniFile lost(Path(QStringLiteral("no/such/folder.ini")));
    lost.WriteString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v"));
    try {
        lost.UpdateFile();
        FAIL() << "no error";
    } catch (const EIniFileError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("folder.ini"))) << e.what();
        EXPECT_EQ(e.ClassName(), QStringLiteral("EIniFileError"));
    }
}

TEST_F(IniFileTest, DatesAndTextInMemory) {
    TIniFile ini;
    ini.LoadFromData("[NS0]\nDate=2024-03-05\n[NS1]\nDate=05.03.2024\n[NS2]\nDate=soon\n");
    EXPECT_DOUBLE_EQ(ini.ReadDate(QStringLiteral("NS0"), QStringLiteral("Date"), -1),
                     EncodeDateTime(2024, 3, 5));
    // The user's short date format (the tests run in the Russian locale).
    EXPECT_DOUBLE_EQ(ini.ReadDate(QStringLiteral("NS1"), QStringLiteral("Date"), -1),
                     EncodeDateTime(2024, 3, 5));
    EXPECT_DOUBLE_EQ(ini.ReadDate(QStringLiteral("NS2"), QStringLiteral("Date"), -1), -1);
    EXPECT_DOUBLE_EQ(ini.ReadDate(QStringLiteral("NS3"), QStringLiteral("Date"), -1), -1);
}
