// The news download against a small HTTP server of the test's own.

#include "tests/core/dmMainFixture.h"

#include "platform/sys/Win1251.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

#include <functional>

namespace {

// Answers each request with what the handler returns for its head (request line and headers)
// and closes the connection. Runs on the test's thread: the download's own event loop serves it.
class TTestHttpServer {
public:
    using THandler = std::function<QByteArray(const QByteArray& ARequest)>;

    explicit TTestHttpServer(THandler AHandler) : FHandler(std::move(AHandler)) {
        EXPECT_TRUE(FServer.listen(QHostAddress::LocalHost));
        QObject::connect(&FServer, &QTcpServer::newConnection, &FServer, [this] {
            while (QTcpSocket* socket = FServer.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    QByteArray& buffer = FBuffers[socket];
                    buffer += socket->readAll();
                    const qsizetype end = buffer.indexOf("\r\n\r\n");
                    if (end < 0)
                        return;
                    const QByteArray head = buffer.left(end);
                    FBuffers.remove(socket);
                    Requests << head;
                    socket->write(FHandler(head));
                    socket->disconnectFromHost();
                });
            }
        });
    }

    quint16 Port() const { return FServer.serverPort(); }
    QString Url(const QString& APath) const {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(Port()).arg(APath);
    }

    static QByteArray Response(const QByteArray& AStatus, const QByteArray& ABody,
                               const QByteArray& AHeaders = QByteArray()) {
        return "HTTP/1.1 " + AStatus + "\r\nContent-Type: text/plain\r\nContent-Length: " +
               QByteArray::number(ABody.size()) + "\r\nConnection: close\r\n" + AHeaders + "\r\n" +
               ABody;
    }

    QList<QByteArray> Requests;

private:
    THandler FHandler;
    QTcpServer FServer;
    QHash<QTcpSocket*, QByteArray> FBuffers;
};

const QByteArray kNews = ToWin1251(QStringLiteral("[NS0]\nTitle=Версия 1.0.4\nText=Вышла\n"
                                                  "Date=2024-05-01\nToken=3\n"
                                                  "[NS1]\nTitle=") +
                                   QString(300, QLatin1Char('t')) +
                                   QStringLiteral("\nToken=70009\nDate=когда-нибудь\n"
                                                  "[NS3]\nTitle=Не прочтётся\nToken=100\n"));

} // namespace

TEST_F(dmMainTest, NewsNeedsTheInternetOption) {
    TTestHttpServer server(
        [](const QByteArray&) { return TTestHttpServer::Response("200 OK", kNews); });
    Module().SetNewsUrl(server.Url(QStringLiteral("/news.ini")));
    EXPECT_EQ(Module().NewsUrl(), server.Url(QStringLiteral("/news.ini")));
    EXPECT_FALSE(ICEnable);
    EXPECT_FALSE(Module().LoadNewsInfo(true));
    EXPECT_TRUE(server.Requests.isEmpty());
    EXPECT_EQ(Module().GetLastNewsToken(), 0);
    TKVNewsItem item;
    EXPECT_FALSE(Module().GetNewsByToken(0, item));
}

TEST_F(dmMainTest, NewsItemsAreLoadedUpToTheFirstMissingSection) {
    EXPECT_EQ(TdmMain::DefaultNewsUrl, QStringLiteral("https://korvant.example/news.ini"));
    TTestHttpServer server(
        [](const QByteArray&) { return TTestHttpServer::Response("200 OK", kNews); });
    Module().SetNewsUrl(server.Url(QStringLiteral("/news.ini")));
    ICEnable = true;
    ASSERT_TRUE(Module().LoadNewsInfo(true));
    EXPECT_TRUE(FUI.Errors.empty());

    ASSERT_EQ(server.Requests.size(), 1);
    const QByteArray request = server.Requests[0];
    EXPECT_TRUE(request.startsWith("GET /news.ini HTTP/1.1\r\n")) << request.constData();
    EXPECT_TRUE(request.contains("\r\nUser-Agent: Mozilla/3.0 (compatible)"))
        << request.constData();
    EXPECT_TRUE(request.contains("\r\nAccept: text/html, */*")) << request.constData();

    EXPECT_EQ(Module().NewsList().Count(), 2);
    EXPECT_EQ(Module().GetLastNewsToken(), 70009 & 0xFFFF);
    TKVNewsItem item;
    ASSERT_TRUE(Module().GetNewsByToken(3, item));
    EXPECT_EQ(item.niTitle, QStringLiteral("Версия 1.0.4"));
    EXPECT_EQ(item.niText, QStringLiteral("Вышла"));
    EXPECT_DOUBLE_EQ(item.niDate, EncodeDateTime(2024, 5, 1));
    EXPECT_EQ(item.niType, nitNone);
    EXPECT_TRUE(item.niLink.isEmpty());
    ASSERT_TRUE(Module().GetNewsByToken(70009 & 0xFFFF, item));
    EXPECT_EQ(item.niTitle.size(), 255);
    EXPECT_DOUBLE_EQ(item.niDate, 0);
    // A token that no item has copies nothing and says so.
    TKVNewsItem untouched;
    untouched.niTitle = QStringLiteral("untouched");
    EXPECT_FALSE(Module().GetNewsByToken(100, untouched));
    EXPECT_EQ(untouched.niTitle, QStringLiteral("untouched"));
}

TEST_F(dmMainTest, FailedDownloadIsShownWhenAskedAndEmptiesTheNews) {
    bool found = true;
    TTestHttpServer server([&](const QByteArray&) {
        return found ? TTestHttpServer::Response("200 OK", kNews)
                     : TTestHttpServer::Response("404 Not Found", "no news");
    });
    Module().SetNewsUrl(server.Url(QStringLiteral("/news.ini")));
    ICEnable = true;
    ASSERT_TRUE(Module().LoadNewsInfo(true));

    found = false;
    EXPECT_FALSE(Module().LoadNewsInfo(false));
    EXPECT_TRUE(FUI.Errors.empty());
    EXPECT_TRUE(Module().NewsList().Empty());
    EXPECT_TRUE(Module().NewsList().Loaded());

    EXPECT_FALSE(Module().LoadNewsInfo(true));
    ASSERT_EQ(FUI.Errors.size(), 1u);
    EXPECT_EQ(FUI.Errors[0].Caption, QStringLiteral("EHTTPError"));
    EXPECT_FALSE(FUI.Errors[0].Text.isEmpty());

    // Nobody listening.
    quint16 closedPort = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
        closedPort = probe.serverPort();
    }
    Module().SetNewsUrl(QStringLiteral("http://127.0.0.1:%1/news.ini").arg(closedPort));
    EXPECT_FALSE(Module().LoadNewsInfo(true));
    EXPECT_EQ(FUI.Errors.size(), 2u);
    EXPECT_EQ(FUI.Errors[1].Caption, QStringLiteral("EHTTPError"));
}

TEST_F(dmMainTest, NewsThroughAProxyWithThePasswordAskedEachTime) {
    // The proxy wants user "Ivan" with password "secret".
    const QByteArray expected =
        "Proxy-Authorization: Basic " + QByteArray("Ivan:secret").toBase64();
    TTestHttpServer proxy([&](const QByteArray& ARequest) {
        if (!ARequest.contains(expected))
            return TTestHttpServer::Response("407 Proxy Authentication Required", QByteArray(),
                                             "Proxy-Authenticate: Basic realm=\"proxy\"\r\n");
        return TTestHttpServer::Response("200 OK", kNews);
    });
    Module().SetNewsUrl(QStringLiteral("http://korvant.example/news.ini"));
    ICEnable = true;
    UsageProxy = true;
    Proxy = QStringLiteral("127.0.0.1");
    ProxyPort = proxy.Port();
    ProxyAuth = true;
    ProxyUser = QStringLiteral("Ivan");
    ProxyPassword = QStringLiteral("stored");
    RequestPassword = true;

    // Cancelling the password gives up before any request.
    FUI.AnswerInput(std::nullopt);
    EXPECT_FALSE(Module().LoadNewsInfo(true));
    EXPECT_TRUE(proxy.Requests.isEmpty());
    ASSERT_EQ(FUI.Inputs.size(), 1u);
    EXPECT_TRUE(FUI.Inputs[0].Caption.isEmpty());
    EXPECT_TRUE(FUI.Inputs[0].Preset.isEmpty());
    EXPECT_EQ(FUI.Inputs[0].MaxLength, 255);
    EXPECT_TRUE(FUI.Inputs[0].Password);

    FUI.AnswerInput(QStringLiteral("secret"));
    ASSERT_TRUE(Module().LoadNewsInfo(true));
    EXPECT_TRUE(FUI.Errors.empty());
    EXPECT_EQ(Module().GetLastNewsToken(), 70009 & 0xFFFF);
    ASSERT_FALSE(proxy.Requests.isEmpty());
    EXPECT_TRUE(proxy.Requests[0].startsWith("GET http://korvant.example/news.ini HTTP/1.1"))
        << proxy.Requests[0].constData();
    EXPECT_TRUE(proxy.Requests.last().contains(expected));

    // The stored password, which the proxy refuses.
    RequestPassword = false;
    EXPECT_FALSE(Module().LoadNewsInfo(true));
    EXPECT_EQ(FUI.Inputs.size(), 2u);
    ASSERT_EQ(FUI.Errors.size(), 1u);
    EXPECT_EQ(FUI.Errors[0].Caption, QStringLiteral("EHTTPError"));
}
