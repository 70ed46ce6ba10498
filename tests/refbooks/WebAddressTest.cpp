// The rule for web addresses that come from the database: which texts reach the desktop, as
// what address, and that nothing else is handed over.

#include "core/KVWebAddress.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

struct TWebAddressCase {
    const char* Text;
    const char* Opened; // the address handed to the desktop; nullptr: refused
};

const TWebAddressCase kCases[] = {
    {"http://www.maker.ru/", "http://www.maker.ru/"},
    {"https://maker.com/datasheets?id=5", "https://maker.com/datasheets?id=5"},
    {"ftp://ftp.maker.ru/pub", "ftp://ftp.maker.ru/pub"},
    {"mailto:sales@maker.ru", "mailto:sales@maker.ru"},
    {"HTTPS://Maker.Com", "https://maker.com"},
    // No scheme: a web site.
    {"www.maker.ru", "http://www.maker.ru"},
    {"  maker.ru/catalog  ", "http://maker.ru/catalog"},
    {"maker.ru:8080/shop", "http://maker.ru:8080/shop"},
    // Never a local file, a program or a script.
    {"file:///etc/passwd", nullptr},
    {"FILE:///home/user/run.sh", nullptr},
    {"/usr/bin/xterm", nullptr},
    {"~/bin/run.sh", nullptr},
    {"\\\\server\\share\\setup.exe", nullptr},
    {"C:\\Windows\\system32\\cmd.exe", nullptr},
    {"javascript:alert(1)", nullptr},
    {"data:text/html,<b>x</b>", nullptr},
    {"smb://server/share", nullptr},
    // Nothing to open.
    {"", nullptr},
    {"   ", nullptr},
    {"http://", nullptr},
    {"mailto:", nullptr},
};

} // namespace

TEST(WebAddressTest, OpensOnlyWebAndMailAddresses) {
    QStringList opened;
    TOpenUrlHookScope hook([&](const QUrl& AUrl) { opened << AUrl.toString(); });
    for (const TWebAddressCase& item : kCases) {
        opened.clear();
        const bool handed = OpenWebAddress(QString::fromUtf8(item.Text));
        if (item.Opened) {
            EXPECT_TRUE(handed) << item.Text;
            EXPECT_EQ(opened, QStringList(QString::fromUtf8(item.Opened))) << item.Text;
        } else {
            EXPECT_FALSE(handed) << item.Text;
            EXPECT_TRUE(opened.isEmpty()) << item.Text;
        }
    }
}

TEST(WebAddressTest, HookScopeRestoresThePreviousHook) {
    QStringList outer;
    QStringList inner;
    TOpenUrlHookScope first([&](const QUrl& AUrl) { outer << AUrl.toString(); });
    {
        TOpenUrlHookScope second([&](const QUrl& AUrl) { inner << AUrl.toString(); });
        OpenWebAddress(QStringLiteral("a.ru"));
    }
    OpenWebAddress(QStringLiteral("b.ru"));
    EXPECT_EQ(inner, QStringList(QStringLiteral("http://a.ru")));
    EXPECT_EQ(outer, QStringList(QStringLiteral("http://b.ru")));
}
