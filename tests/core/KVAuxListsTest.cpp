#include "core/KVAuxLists.h"
#include "core/KVSearchInWeb.h"
#include "platform/sys/IniFile.h"
#include "platform/sys/Win1251.h"

#include "tests/core/CoreTestUtils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(KVAuxLists, VirtualItemsMatchOnKindAndKey) {
    TKVVirtualImportedList list;
    list.AddVirtualItem(itCase, 5, 7);
    EXPECT_FALSE(list.ExistsVirtualItem(itClass, 5, 7));
    list.AddVirtualItem(itClass, 5, 7);
    EXPECT_TRUE(list.ExistsVirtualItem(itClass, 5, 7));
    EXPECT_FALSE(list.ExistsVirtualItem(itClass, 5, 8));
    EXPECT_FALSE(list.ExistsVirtualItem(itClass, 6, 7));
    list.AddVirtualItem(itClass, 5, 7);
    EXPECT_EQ(list.Count(), 3);

    list.First();
    TKVVirtualItem item;
    ASSERT_TRUE(list.GetRecord(item));
    EXPECT_EQ(item.vItemType, itCase);
    list.Next();
    ASSERT_TRUE(list.GetRecord(item));
    EXPECT_EQ(item.vItemType, itClass);
    list.Clear();
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(ExceptionMessageOf([&] { list.First(); }), QStringLiteral("Items not found"));
}

TEST(KVAuxLists, ExportKeysIgnoreTheKind) {
    TKVExportItemList list;
    list.AddData(5, 7, itClass);
    list.AddData(5, 8, itClass);
    EXPECT_TRUE(list.ExistsItemByPKey(5, 7));
    EXPECT_EQ(list.FindIndexByPKey(5, 8), 1);
    EXPECT_EQ(list.FindIndexByPKey(7, 5), -1);
    EXPECT_TRUE(list.DeleteByPKey(5, 7));
    EXPECT_FALSE(list.DeleteByPKey(5, 7));
    EXPECT_EQ(list.FindIndexByPKey(5, 8), 0);

    // After a change a walk reads nothing until First.
    list.AddData(9, 9, itUnit);
    TKVExportItemIndexData item{1, 1, itMaker};
    EXPECT_FALSE(list.GetRecord(item));
    EXPECT_EQ(item.DBId, 1u);
    list.First();
    ASSERT_TRUE(list.GetRecord(item));
    EXPECT_EQ(item.Id, 8u);
    list.Next();
    ASSERT_TRUE(list.GetRecord(item));
    EXPECT_EQ(item.ItemType, itUnit);
    list.Next();
    EXPECT_TRUE(list.Eof());
}

TEST(KVAuxLists, NewsLastTokenAndLoaded) {
    TKVNewsItemList list;
    EXPECT_EQ(list.LastToken(), 0);
    EXPECT_FALSE(list.Loaded());
    for (quint16 token : {3, 9, 4})
        list.AddData(token, nitNone, QStringLiteral("t%1").arg(token),
                     QString(300, QLatin1Char('x')), 0, QString());
    EXPECT_EQ(list.LastToken(), 9);
    EXPECT_TRUE(list.Loaded());
    ASSERT_NE(list.FindByToken(4), nullptr);
    EXPECT_EQ(list.FindByToken(4)->niTitle, QStringLiteral("t4"));
    EXPECT_EQ(list.FindByToken(4)->niText.size(), 255);
    EXPECT_EQ(list.FindByToken(5), nullptr);
    list.Clear();
    EXPECT_EQ(list.LastToken(), 0);
    EXPECT_TRUE(list.Loaded());
}

namespace {

class SearchInWebTest : public ::testing::Test {
protected:
    QString Write(const QByteArray& AData) {
        const QString name = FDir.filePath(QStringLiteral("siwp.ini"));
        QFile file(name);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(AData);
        return name;
    }
    QTemporaryDir FDir;
};

} // namespace

TEST_F(SearchInWebTest, LoadingStopsAtTheFirstGapAndCutsLongTexts) {
    TKVSearchInWebPttList list;
    list.AddData(QStringLiteral("old"), QStringLiteral("old"));
    list.LoadFromINIFile(Write("[SearchInWebPattern]\nSIWName0=A\nSIWPtt0=http://a/?q=%NAME%\n"
                               "SIWName1=" +
                               QByteArray(70, 'n') + "\nSIWName3=D\nSIWPtt3=http://d\n"));
    ASSERT_EQ(list.Count(), 2);
    list.First();
    list.Next();
    TKVSearchInWebPtt pattern;
    ASSERT_TRUE(list.GetRecord(pattern));
    EXPECT_EQ(pattern.siwName, QString(64, QLatin1Char('n')));
    EXPECT_TRUE(pattern.siwPattern.isEmpty());
    EXPECT_EQ(list.GetTextList(), QStringLiteral("A\r\n") + QString(64, QLatin1Char('n')));

    list.LoadFromINIFile(FDir.filePath(QStringLiteral("missing.ini")));
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(list.GetTextList(), QString());

    // A file of another code page and no such section.
    list.LoadFromINIFile(Write(ToWin1251(QStringLiteral("[Другое]\nSIWName0=Сайт\n"))));
    EXPECT_TRUE(list.Empty());
    list.LoadFromINIFile(
        Write(ToWin1251(QStringLiteral("[SearchInWebPattern]\nSIWName0=Сайт\nSIWPtt0=x\n"))));
    EXPECT_EQ(list.GetTextList(), QStringLiteral("Сайт"));
}

TEST_F(SearchInWebTest, UrlTakesTheNameInTheFirstPlaceholder) {
    TKVSearchInWebPttList list;
    list.AddData(QStringLiteral("lower"), QStringLiteral("http://x/?q=%name%"));
    list.AddData(QStringLiteral("two"), QStringLiteral("http://y/%NAME%/%NAME%"));
    list.AddData(QStringLiteral("none"), QStringLiteral("http://z/"));
    list.AddData(QStringLiteral("long"), QString(300, QLatin1Char('p')));
    EXPECT_EQ(list.GetUrlByIndex(0, QStringLiteral("КР580ВМ80А")),
              QStringLiteral("http://x/?q=КР580ВМ80А"));
    EXPECT_EQ(list.GetUrlByIndex(1, QStringLiteral("a b")), QStringLiteral("http://y/a b/%NAME%"));
    EXPECT_EQ(list.GetUrlByIndex(2, QStringLiteral("a")), QStringLiteral("http://z/"));
    EXPECT_EQ(list.GetUrlByIndex(3, QString()).size(), 255);
    EXPECT_EQ(list.GetUrlByIndex(-1, QStringLiteral("a")), QString());
    EXPECT_EQ(list.GetUrlByIndex(list.Count(), QStringLiteral("a")), QString());
}

TEST_F(SearchInWebTest, SaveThenLoadGivesTheSameList) {
    const QString name = Write("; sites\n[Other]\nK=1\n[SearchInWebPattern]\nSIWName0=Old\n"
                               "SIWPtt0=o\nSIWName1=Gone\nSIWPtt1=g\n");
    TKVSearchInWebPttList list;
    list.AddData(QStringLiteral("Яндекс"), QStringLiteral("https://yandex.ru/search/?text=%NAME%"));
    list.AddData(QStringLiteral("Google"),
                 QStringLiteral("https://www.google.com/search?q=%NAME%"));
    list.SaveToINIFile(name);

    TKVSearchInWebPttList loaded;
    loaded.LoadFromINIFile(name);
    EXPECT_EQ(loaded.GetTextList(), list.GetTextList());
    for (int i = 0; i < list.Count(); ++i)
        EXPECT_EQ(loaded.GetUrlByIndex(i, QStringLiteral("N")),
                  list.GetUrlByIndex(i, QStringLiteral("N")));
    // The rest of the file stays.
    EXPECT_EQ(TIniFile(name).ReadInteger(QStringLiteral("Other"), QStringLiteral("K"), 0), 1);
}

TEST(SearchInWeb, ShippedPatternFileLoads) {
    // resources/siwp.ini of the source tree, shipped next to the program.
    const QString shipped = QFileInfo(QStringLiteral(__FILE__))
                                .dir()
                                .filePath(QStringLiteral("../../resources/siwp.ini"));
    ASSERT_TRUE(QFile::exists(shipped)) << shipped.toStdString();
    TKVSearchInWebPttList list;
    list.LoadFromINIFile(shipped);
    ASSERT_GE(list.Count(), 3);
    for (int i = 0; i < list.Count(); ++i) {
        const QString url = list.GetUrlByIndex(i, QStringLiteral("BC547"));
        EXPECT_TRUE(url.startsWith(QStringLiteral("https://"))) << url.toStdString();
        EXPECT_TRUE(url.contains(QStringLiteral("BC547"))) << url.toStdString();
    }
}
