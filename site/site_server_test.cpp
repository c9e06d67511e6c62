#include "site/site_server.h"

#include <QSignalSpy>
#include <QTcpSocket>
#include <QTemporaryDir>

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
    if (client.state() == QAbstractSocket::ConnectedState) {
        closed.wait(5000);
    }
    return client.readAll();
}

QByteArray statusLine(const QByteArray& answer) {
    return answer.left(answer.indexOf("\r\n"));
}

QByteArray formPost(const QByteArray& form) {
    return "POST /converter/classic HTTP/1.1\r\nHost: 127.0.0.1\r\n"
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
        const QByteArray answer = exchange(port, "GET " + QByteArray(page) + " HTTP/1.1\r\n\r\n");
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
        port, "GET /cgi-bin/trans.cgi?layout=babylonhp.txt&word=dog&lang=heb HTTP/1.1\r\n\r\n");
    EXPECT_EQ(statusLine(redirect), "HTTP/1.0 302 Found");
    EXPECT_TRUE(redirect.contains("\r\nLocation: https://en.wiktionary.org/wiki/dog#Hebrew\r\n"));
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

}  // namespace
}  // namespace tolvane
