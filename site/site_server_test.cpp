#include "site/site_server.h"
#include "site/site_thread.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace tolvane {
namespace {

using namespace std::chrono_literals;

// Sends raw bytes and collects everything the site sends back until it closes its side.
QByteArray exchange(quint16 port, const QByteArray& bytes) {
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, port);
    if (!client.waitForConnected(5000)) {
        return "no connection";
    }
    QSignalSpy closed(&client, &QTcpSocket::disconnected);
    client.write(bytes);
    // Generous: the first conversion reads the rate history, which under the sanitizers on a
    // busy machine takes several seconds.
    if (client.state() == QAbstractSocket::ConnectedState) {
        closed.wait(30000);
    }
    return client.readAll();
}

QByteArray statusLine(const QByteArray& answer) {
    return answer.left(answer.indexOf("\r\n"));
}

// A plain blocking client, for a site on a thread of its own: it can half-close, which a
// QTcpSocket cannot. It waits up to thirty seconds for an answer: generous, as above, for the
// first conversion's reading of the rates.
class RawClient {
public:
    explicit RawClient(quint16 port) : descriptor_(socket(AF_INET, SOCK_STREAM, 0)) {
        const timeval timeout{30, 0};
        setsockopt(descriptor_, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        connected_ =
            ::connect(descriptor_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    }
    ~RawClient() { ::close(descriptor_); }
    RawClient(const RawClient&) = delete;
    RawClient& operator=(const RawClient&) = delete;

    bool connected() const { return connected_; }
    void send(const QByteArray& bytes) {
        ASSERT_EQ(::send(descriptor_, bytes.constData(), bytes.size(), MSG_NOSIGNAL), bytes.size());
    }
    void halfClose() { ::shutdown(descriptor_, SHUT_WR); }
    // One answer, by its Content-Length, leaving the connection as the site leaves it.
    QByteArray response() {
        QByteArray received;
        char byte = 0;
        while (!received.endsWith("\r\n\r\n") && ::recv(descriptor_, &byte, 1, 0) == 1) {
            received.append(byte);
        }
        const qsizetype length = received.indexOf("Content-Length: ");
        qsizetype remaining =
            length < 0 ? 0 : received.mid(length + 16, received.indexOf('\r', length) - length - 16).toLongLong();
        char chunk[4096];
        while (remaining > 0) {
            const ssize_t count = ::recv(descriptor_, chunk, std::min<qsizetype>(remaining, sizeof chunk), 0);
            if (count <= 0) {
                break;
            }
            received.append(chunk, count);
            remaining -= count;
        }
        return received;
    }
    // Everything until the site closes its side (or thirty seconds of silence).
    QByteArray answer() {
        QByteArray received;
        char chunk[4096];
        ssize_t count = 0;
        while ((count = ::recv(descriptor_, chunk, sizeof chunk, 0)) > 0) {
            received.append(chunk, count);
        }
        return received;
    }

private:
    int descriptor_;
    bool connected_ = false;
};

QByteArray formPost(const QByteArray& form) {
    return "POST /converter/classic HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n"
           "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: " +
           QByteArray::number(form.size()) + "\r\n\r\n" + form;
}

class SiteServerTest : public testing::Test {
protected:
    SiteServerTest() {
        settings_.preferredPort = 0;
        settings_.cacheFolder = cache_.path();
        // Never the Internet: a loopback port nobody listens on.
        settings_.dailyRatesAddress =
            QUrl(QStringLiteral("http://127.0.0.1:9/eurofxref-daily.xml"));
        settings_.dictionaryTemplate = DictionaryLink::defaultTemplate();
        settings_.requestTimeout = 300ms;
    }

    void expectStillServing(quint16 port) {
        EXPECT_EQ(statusLine(exchange(port, "GET / HTTP/1.0\r\n\r\n")), "HTTP/1.0 200 OK");
    }

    QTemporaryDir cache_;
    SiteSettings settings_;
};

TEST_F(SiteServerTest, StartsOnFirstUseOnLoopbackOnly) {
    SiteServer site(settings_);
    EXPECT_TRUE(site.listeningAddress().isNull());
    const quint16 port = site.ensureStarted();
    ASSERT_NE(port, 0);
    EXPECT_EQ(site.ensureStarted(), port);
    EXPECT_EQ(site.listeningAddress(), QHostAddress(QHostAddress::LocalHost));
    EXPECT_EQ(site.address(u"/cp/support.html"),
              QStringLiteral("http://127.0.0.1:%1/cp/support.html").arg(port));
    QTcpSocket ipv6;
    ipv6.connectToHost(QHostAddress::LocalHostIPv6, port);
    EXPECT_FALSE(ipv6.waitForConnected(1000));
}

TEST_F(SiteServerTest, TakesAFreePortWhenThePreferredOneIsHeld) {
    QTcpServer holder;
    ASSERT_TRUE(holder.listen(QHostAddress::LocalHost, 0));
    settings_.preferredPort = holder.serverPort();
    SiteServer site(settings_);
    const quint16 port = site.ensureStarted();
    EXPECT_NE(port, 0);
    EXPECT_NE(port, holder.serverPort());
    expectStillServing(port);
}

TEST_F(SiteServerTest, ServesPagesConverterAndRedirect) {
    SiteServer site(settings_);
    const quint16 port = site.ensureStarted();
    for (const char* page : {"/", "/cp/support.html", "/cp/contact.html"}) {
        const QByteArray answer =
            exchange(port, "GET " + QByteArray(page) + " HTTP/1.1\r\nConnection: close\r\n\r\n");
        EXPECT_EQ(statusLine(answer), "HTTP/1.0 200 OK") << page;
        EXPECT_TRUE(answer.contains("Connection: close\r\n")) << page;
        EXPECT_TRUE(answer.endsWith("</html>\n")) << page;
    }
    const QByteArray converted = exchange(
        port,
        formPost(
            "lang=en&user=roamguide&level=release&date_fmt=normal&value=250&exch=GBP&expr=EUR"));
    EXPECT_TRUE(
        converted.contains("<P><BIG>250 GBP = 291.316 EUR (market rate of 2026-09-29)</BIG>"));
    const QByteArray redirect = exchange(
        port, "GET /cgi-bin/trans.cgi?layout=babylonhp.txt&word=dog&lang=heb HTTP/1.0\r\n\r\n");
    EXPECT_EQ(statusLine(redirect), "HTTP/1.0 302 Found");
    EXPECT_TRUE(redirect.contains("\r\nLocation: https://translate.google.com/m?sl=auto&tl=iw&q=dog\r\n"));
}

TEST_F(SiteServerTest, BadInputGetsAnErrorPageAndTheSiteGoesOn) {
    SiteServer site(settings_);
    const quint16 port = site.ensureStarted();
    const QByteArray oversized =
        "POST /converter/classic HTTP/1.0\r\nContent-Length: 200000\r\n\r\n" +
        QByteArray(200000, 'a');
    const struct {
        QByteArray request;
        QByteArray status;
    } cases[] = {
        {oversized, "HTTP/1.0 413 Content Too Large"},
        {formPost(QByteArray(20000, 'x')).replace("20000", "2000"), "HTTP/1.0 200 OK"},
        {"\x01\x02garbage\r\n\r\n", "HTTP/1.0 400 Bad Request"},
        {"GET /etc/passwd HTTP/1.0\r\n\r\n", "HTTP/1.0 404 Not Found"},
        {"PUT / HTTP/1.0\r\nContent-Length: 0\r\n\r\n", "HTTP/1.0 405 Method Not Allowed"},
        {formPost("value=%zz"), "HTTP/1.0 400 Bad Request"},
    };
    for (const auto& [request, status] : cases) {
        const QByteArray answer = exchange(port, request);
        EXPECT_EQ(statusLine(answer), status) << request.left(40).toStdString();
        EXPECT_TRUE(answer.contains("</html>")) << "a page, not an empty body";
        expectStillServing(port);
    }
}

TEST_F(SiteServerTest, ASlowClientHoldsUpNobodyAndIsDropped) {
    SiteServer site(settings_);
    const quint16 port = site.ensureStarted();
    QTcpSocket slow;
    slow.connectToHost(QHostAddress::LocalHost, port);
    ASSERT_TRUE(slow.waitForConnected(5000));
    slow.write("GET / HT");
    ASSERT_TRUE(slow.waitForBytesWritten(5000));

    expectStillServing(port);
    EXPECT_EQ(slow.bytesAvailable(), 0);

    QSignalSpy closed(&slow, &QTcpSocket::disconnected);
    ASSERT_TRUE(closed.wait(5000));
    EXPECT_EQ(statusLine(slow.readAll()), "HTTP/1.0 408 Request Timeout");
    expectStillServing(port);
}

TEST_F(SiteServerTest, ConverterAnswersAtOnceWhileTheRefreshesHang) {
    // A loopback "ECB" and market feed that accept and never answer.
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    const QUrl hanging(QStringLiteral("http://127.0.0.1:%1/rates").arg(silent.serverPort()));
    settings_.dailyRatesAddress = hanging;
    settings_.marketRatesAddresses = {hanging};
    SiteServer site(settings_);
    const quint16 port = site.ensureStarted();
    const QByteArray answer = exchange(port, formPost("value=1&exch=EUR&expr=USD"));
    EXPECT_TRUE(
        answer.contains("<P><BIG>1 EUR = 1.13607 USD (market rate of 2026-09-29)</BIG>"));
    EXPECT_TRUE(site.ecbRefresher().isFetching());
    EXPECT_TRUE(site.marketRefresher().isFetching());
}

// The site as the program runs it, on a thread of its own; the clients block on this one.
class SiteThreadTest : public SiteServerTest {};

TEST_F(SiteThreadTest, StartsOnItsOwnThreadAndStopsCleanly) {
    quint16 port = 0;
    {
        SiteThread site(settings_);
        port = site.ensureStarted();
        ASSERT_NE(port, 0);
        EXPECT_EQ(site.ensureStarted(), port);
        RawClient client(port);
        client.send("GET / HTTP/1.0\r\n\r\n");
        EXPECT_EQ(statusLine(client.answer()), "HTTP/1.0 200 OK");
    }
    EXPECT_FALSE(RawClient(port).connected()) << "the port is closed with the site";
}

TEST_F(SiteThreadTest, AClientThatHalfClosesAfterItsRequestGetsTheWholeAnswer) {
    SiteThread site(settings_);
    const quint16 port = site.ensureStarted();
    for (int attempt = 0; attempt < 20; ++attempt) {
        RawClient client(port);
        client.send(formPost("value=250&exch=GBP&expr=EUR"));
        client.halfClose();
        const QByteArray answer = client.answer();
        EXPECT_TRUE(answer.contains(
            "<P><BIG>250 GBP = 291.316 EUR (market rate of 2026-09-29)</BIG>")) << attempt;
        EXPECT_TRUE(answer.endsWith("</html>\n")) << attempt;
    }
    // Half-closed before the request was whole: told so, not left hanging.
    RawClient early(port);
    early.send("GET / HTTP/1.0\r\n");
    early.halfClose();
    EXPECT_EQ(statusLine(early.answer()), "HTTP/1.0 400 Bad Request");
}

TEST_F(SiteThreadTest, AConnectionIsKeptForTheNextRequestWhenTheClientAsks) {
    settings_.requestTimeout = 200ms;
    SiteThread site(settings_);
    const quint16 port = site.ensureStarted();
    RawClient client(port);
    client.send("GET / HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    const QByteArray first = client.response();
    EXPECT_EQ(statusLine(first), "HTTP/1.0 200 OK");
    EXPECT_TRUE(first.contains("\r\nConnection: keep-alive\r\n"));
    client.send(QByteArray(formPost("value=1&exch=EUR&expr=EUR")).replace("Connection: close", "X: y"));
    EXPECT_TRUE(client.response().contains("<P><BIG>1 EUR = 1 EUR</BIG>"));
    client.send("GET / HTTP/1.1\r\nConnection: close\r\n\r\n");
    const QByteArray last = client.answer();
    EXPECT_TRUE(last.contains("\r\nConnection: close\r\n"));
    EXPECT_TRUE(last.endsWith("</html>\n")) << "and the site closed";

    // Two requests sent at once: the first is answered and the connection closed, as the
    // answer says; the client sends the second again on a new one.
    RawClient pipelining(port);
    pipelining.send("GET / HTTP/1.1\r\n\r\nGET /cp/contact.html HTTP/1.1\r\n\r\n");
    const QByteArray answered = pipelining.answer();
    EXPECT_EQ(answered.count("HTTP/1.0 200 OK"), 1);
    EXPECT_TRUE(answered.contains("\r\nConnection: close\r\n"));

    // A kept connection left idle ends without a word.
    RawClient idle(port);
    idle.send("GET / HTTP/1.1\r\n\r\n");
    EXPECT_EQ(statusLine(idle.response()), "HTTP/1.0 200 OK");
    EXPECT_EQ(idle.answer(), QByteArray());
}

TEST_F(SiteThreadTest, ClientsOverTheLimitWaitAndAreAllAnswered) {
    settings_.maxConnections = 8;
    SiteThread site(settings_);
    const quint16 port = site.ensureStarted();
    std::vector<std::unique_ptr<RawClient>> clients;
    clients.reserve(100);
    for (int i = 0; i < 100; ++i) {
        clients.push_back(std::make_unique<RawClient>(port));
        ASSERT_TRUE(clients.back()->connected()) << i;
        clients.back()->send("GET / HTTP/1.0\r\n\r\n");
    }
    int answered = 0;
    for (const auto& client : clients) {
        answered += statusLine(client->answer()) == "HTTP/1.0 200 OK" ? 1 : 0;
    }
    EXPECT_EQ(answered, 100);
}

TEST_F(SiteThreadTest, IdleConnectionsCannotLockOthersOut) {
    settings_.maxConnections = 4;
    settings_.requestTimeout = 60s;
    settings_.idleGrace = 100ms;
    SiteThread site(settings_);
    const quint16 port = site.ensureStarted();
    std::vector<std::unique_ptr<RawClient>> idle;
    idle.reserve(4);
    for (int i = 0; i < 4; ++i) {
        idle.push_back(std::make_unique<RawClient>(port));
    }
    QElapsedTimer waited;
    waited.start();
    for (int i = 0; i < 3; ++i) {
        RawClient client(port);
        client.send("GET / HTTP/1.0\r\n\r\n");
        EXPECT_EQ(statusLine(client.answer()), "HTTP/1.0 200 OK") << i;
    }
    EXPECT_LT(waited.elapsed(), 5000) << "far less than the request timeout";
    // The oldest idle connections made room, with a word.
    EXPECT_EQ(statusLine(idle.front()->answer()), "HTTP/1.0 408 Request Timeout");
}

}  // namespace
}  // namespace tolvane
