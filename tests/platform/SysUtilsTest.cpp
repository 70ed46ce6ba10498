#include "platform/sys/SysUtils.h"
#include "platform/sys/Win1251.h"

#include <gtest/gtest.h>

TEST(Win1251, EveryByteRoundTrips) {
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString text = FromWin1251(all);
    EXPECT_EQ(text.size(), all.size());
    EXPECT_EQ(ToWin1251(text), all);
}

TEST(Win1251, KnownCharacters) {
    EXPECT_EQ(FromWin1251(QByteArray("\xC0\xDF\xE0\xFF\xA8\xB8\xB9\x88")),
              QStringLiteral("АЯаяЁё№€"));
    EXPECT_EQ(ToWin1251(QStringLiteral("Мир")), QByteArray("\xCC\xE8\xF0"));
}

TEST(Win1251, UnknownCharacterIsRefusedNotReplaced) {
    QByteArray out;
    QString bad;
    EXPECT_FALSE(TryToWin1251(QStringLiteral("ok ∑ no"), out, &bad));
    EXPECT_EQ(bad, QStringLiteral("∑"));
    EXPECT_FALSE(TryToWin1251(QStringLiteral("x😀"), out, &bad));
    EXPECT_EQ(bad, QStringLiteral("😀"));
    try {
        ToWin1251(QStringLiteral("Ω-резистор"));
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("U+03A9"))) << e.what();
        EXPECT_TRUE(e.Message().contains(QStringLiteral("«Ω-резистор»"))) << e.what();
        EXPECT_EQ(e.ClassName(), QStringLiteral("EConvertError"));
    }
}

TEST(DateTime, DaysSince1899) {
    EXPECT_DOUBLE_EQ(EncodeDateTime(1899, 12, 30), 0.0);
    EXPECT_DOUBLE_EQ(EncodeDateTime(1900, 1, 1, 12), 2.5);
    EXPECT_DOUBLE_EQ(EncodeDateTime(2026, 12, 10), 46366.0);
    const QDateTime back = QDateTimeFromDateTime(EncodeDateTime(2026, 12, 10, 23, 59, 59, 999));
    EXPECT_EQ(back, QDateTime(QDate(2026, 12, 10), QTime(23, 59, 59, 999)));
    EXPECT_EQ(QDateTimeFromDateTime(2.5), QDateTime(QDate(1900, 1, 1), QTime(12, 0)));
}
