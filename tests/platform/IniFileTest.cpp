#include "platform/sys/IniFile.h"
#include "platform/sys/Win1251.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <random>

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
    // A number outside the range asked for is no value of it: the default, never a number
    // cut to fit.
    EXPECT_EQ(ini.ReadInteger(s, QStringLiteral("A"), 5, 0, 12), 12);
    EXPECT_EQ(ini.ReadInteger(s, QStringLiteral("A"), 5, 13, 100), 5);
    EXPECT_EQ(ini.ReadInteger(s, QStringLiteral("B"), 5, 0, 0xFFFF), 5);
    EXPECT_EQ(ini.ReadInteger(s, QStringLiteral("C"), 5, 0, 0xFFFF), 5);
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

TEST_F(IniFileTest, SectionsAndKeysAreFoundAmongManyWithoutRegardToCase) {
    // Keys of letters outside the basic plane, a repeated section, writes into a file of
    // thousands of keys and a section erased among them: every read finds what a reading of
    // the written text finds.
    TIniFile ini;
    ini.LoadFromData("[Ключи]\n𝔸=первый\n[ключи]\n𝔸=второй\nёЖ=3\n");
    EXPECT_EQ(ini.ReadString(QStringLiteral("КЛЮЧИ"), QStringLiteral("𝔸"), QString()),
              QStringLiteral("первый"));
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("ключи"), QStringLiteral("ЁЖ"), 0), 3);
    for (int n = 0; n < 5000; ++n) {
        ini.WriteString(QStringLiteral("Aliases"), QStringLiteral("Name%1").arg(n),
                        QStringLiteral("База %1").arg(n));
        ini.WriteInteger(QStringLiteral("Ключи"), QStringLiteral("N%1").arg(n), n);
    }
    ini.WriteString(QStringLiteral("aliases"), QStringLiteral("NAME17"), QStringLiteral("новая"));
    ini.EraseSection(QStringLiteral("Другая"));
    TIniFile reread;
    reread.LoadFromData(ini.ToData());
    for (const TIniFile* file : {&ini, &reread}) {
        EXPECT_EQ(file->ReadString(QStringLiteral("ALIASES"), QStringLiteral("name17"), QString()),
                  QStringLiteral("новая"));
        EXPECT_EQ(file->ReadString(QStringLiteral("Aliases"), QStringLiteral("Name4999"), QString()),
                  QStringLiteral("База 4999"));
        EXPECT_EQ(file->ReadInteger(QStringLiteral("ключи"), QStringLiteral("n2500"), -1), 2500);
        EXPECT_EQ(file->ReadSectionValues(QStringLiteral("Ключи")).size(), 5002);
    }
    // New keys of a repeated section go into its first occurrence.
    EXPECT_TRUE(ini.ToData().startsWith("[Ключи]\n𝔸=первый\nN0=0\n"));
}

TEST_F(IniFileTest, MutatedSettingsFilesReadConsistently) {
    const QByteArray seeds[] = {
        "; settings\n[Options]\nAutoLogin=1\nLogoText=Заставка\nParamRebinding=7\n\n"
        "[InternetConnection]\nProxyPort=8080\nProxyPassword=p=w\n\n[Aliases]\nName0=Дом\n"
        "File0=/home/parts.fdb\nName1=Работа\nFile1=/work/parts.fdb\n[News]\nLastNewsId=12\n"
        "[NS0]\nDate=2024-03-05\nToken=3\n",
        ToWin1251(QStringLiteral("[Aliases]\r\nName0=Склад\r\nFile0=/data/склад.fdb\r\n"
                                 "[ALIASES]\r\nname0=второй\r\n# comment\r\n[AppWin]\r\n"
                                 "Width=1000\r\nHeight=-5\r\n")),
        "[WN]\nWN_102=1\n[Lang]\nCode=70000\n[Connect]\nLastConnectDataBase=/a/b.fdb\n",
    };
    const QString sections[] = {QStringLiteral("Options"), QStringLiteral("InternetConnection"),
                                QStringLiteral("Aliases"),  QStringLiteral("News"),
                                QStringLiteral("NS0"),      QStringLiteral("AppWin"),
                                QStringLiteral("WN"),       QStringLiteral("Lang"),
                                QStringLiteral("Connect"),  QStringLiteral("options")};
    const QByteArray pieces[] = {"[", "]", "=", "\n", "\r", ";", QByteArray(1, '\0'), "\xFF",
                                 "\xD0", "\xF0\x9F\x98\x80", " ", "[Aliases]\n", "Name0=x\n"};
    std::mt19937 random(7031);
    const auto below = [&](qsizetype ALimit) {
        return qsizetype(std::uniform_int_distribution<qint64>(0, std::max<qint64>(ALimit, 1) - 1)(
            random));
    };
    const auto otherCase = [](QString AName) {
        for (QChar& c : AName) {
            if (c.unicode() < 0x80)
                c = c.isUpper() ? c.toLower() : c.toUpper();
        }
        return AName;
    };
    // Every key a section lists reads as listed, in this file and in one read from its text.
    const auto checkSame = [&](const TIniFile& AFile, const TIniFile& AReread) {
        for (const QString& section : sections) {
            const auto values = AFile.ReadSectionValues(section);
            ASSERT_EQ(values, AReread.ReadSectionValues(section));
            ASSERT_EQ(AFile.SectionExists(section), AReread.SectionExists(section));
            for (const auto& [key, value] : values) {
                ASSERT_EQ(AFile.ReadString(otherCase(section), otherCase(key), QStringLiteral("?")),
                          value);
                AFile.ReadInteger(section, key, 0, 0, 100);
                AFile.ReadDate(section, key, 0);
            }
        }
    };
    for (int i = 0; i < 3000; ++i) {
        QByteArray data = seeds[i % 3];
        for (int n = 0; n <= below(4); ++n) {
            switch (below(4)) {
            case 0:
                data.truncate(below(data.size() + 1));
                break;
            case 1:
                if (!data.isEmpty()) {
                    const qsizetype pos = below(data.size());
                    data[pos] = char(data[pos] ^ (1 << below(8)));
                }
                break;
            case 2:
                data.insert(below(data.size() + 1), pieces[below(std::size(pieces))]);
                break;
            default:
                data.remove(below(data.size() + 1), below(12));
                break;
            }
        }
        TIniFile ini;
        ini.LoadFromData(data);
        TIniFile reread;
        reread.LoadFromData(ini.ToData());
        ASSERT_EQ(reread.ToData().toStdString(), ini.ToData().toStdString()) << i;
        checkSame(ini, reread);

        // Writes over what is there and new keys, a section erased: the same again.
        const QString section = sections[below(std::size(sections))];
        const auto values = ini.ReadSectionValues(section);
        const QString key = values.isEmpty() || below(2)
                                ? QStringLiteral("Новый%1").arg(below(3))
                                : values[below(values.size())].first;
        ini.WriteString(section, key, QStringLiteral(" значение\r\n%1 ").arg(i));
        ASSERT_EQ(ini.ReadString(section, key, QString()), QStringLiteral("значение  %1").arg(i));
        if (below(4) == 0)
            ini.EraseSection(sections[below(std::size(sections))]);
        TIniFile written;
        written.LoadFromData(ini.ToData());
        checkSame(ini, written);
    }
}
