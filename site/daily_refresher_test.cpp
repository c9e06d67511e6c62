#include "site/daily_refresher.h"
#include "site/rate_service.h"

#include "site/site_test_support.h"
#include "testing/file_size_limit.h"

#include <QDir>
#include <QFile>
#include <QNetworkAccessManager>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ctime>

namespace tolvane {
namespace {

// A loopback stand-in for a rates server: answers every request with one fixed reply.
class StubServer {
public:
    explicit StubServer(QByteArray reply) : reply_(std::move(reply)) {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                ++requests_;
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    if (socket->readAll().contains("\r\n\r\n")) {
                        socket->write(reply_);
                        socket->disconnectFromHost();
                    }
                });
            }
        });
    }
    QUrl address() const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/rates").arg(server_.serverPort()));
    }
    int requests() const { return requests_; }

private:
    QByteArray reply_;
    QTcpServer server_;
    int requests_ = 0;
};

QByteArray okReply(const QByteArray& body) {
    return "HTTP/1.0 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" +
           body;
}

const QByteArray kUnavailable = "HTTP/1.0 503 Service Unavailable\r\nContent-Length: 0\r\n\r\n";

const QByteArray kDaily =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<gesmes:Envelope xmlns:gesmes=\"http://www.gesmes.org/xml/2002-08-01\" "
    "xmlns=\"http://www.ecb.int/vocabulary/2002-08-01/eurofxref\">\n"
    "<gesmes:subject>Reference rates</gesmes:subject>\n"
    "<Cube><Cube time='2026-12-08'><Cube currency='USD' rate='1.2034'/></Cube></Cube>\n"
    "</gesmes:Envelope>\n";

QByteArray marketFile(const char* day, const char* usd) {
    return QByteArray(R"({"date": ")") + day + R"(", "eur": {"usd": )" + usd +
           R"(, "btc": 0.00001, "gbp": 0.9}})";
}

// Tuesday 2026-12-08, after the ECB's publication.
const QDateTime kNow(QDate(2026, 12, 8), QTime(17, 0), Qt::UTC);

class DailyRefresherTest : public testing::Test {
protected:
    // One refresh of the feed, waited for; whether a file was taken.
    bool refresh(const DailyRefresher::Feed& feed) {
        DailyRefresher refresher(feed, network());
        QSignalSpy finished(&refresher, &DailyRefresher::finished);
        refresher.refreshIfDue(kNow);
        EXPECT_TRUE(finished.wait(5000));
        return !finished.isEmpty() && finished.first().first().toBool();
    }
    std::function<QNetworkAccessManager&()> network() {
        return [this]() -> QNetworkAccessManager& { return network_; };
    }
    static QString convert(RateService& rates, const char* from, const char* to) {
        const Conversion conversion =
            rates.book()->convert("1", QString::fromLatin1(from), QString::fromLatin1(to));
        return QString::fromLatin1(conversion.result + ' ' + conversion.source);
    }

    QTemporaryDir cache_;
    QNetworkAccessManager network_;
};

TEST_F(DailyRefresherTest, NewerEcbRatesAreTakenAndCached) {
    StubServer ecb(okReply(kDaily));
    RateService rates(cache_.path());
    ASSERT_TRUE(refresh(ecbDailyFeed(rates, ecb.address())));
    EXPECT_EQ(rates.book()->newestEcbDate(), QDate(2026, 12, 8));
    EXPECT_EQ(convert(rates, "EUR", "USD"),
              QStringLiteral("1.2034 ECB reference rate of 2026-12-08"));
    RateService nextRun(cache_.path());
    EXPECT_EQ(nextRun.book()->newestEcbDate(), QDate(2026, 12, 8));
}

TEST_F(DailyRefresherTest, TheMarketFeedFallsBackToItsSecondAddressAndKeepsTheNewestDay) {
    StubServer down(kUnavailable);
    StubServer fallback(okReply(marketFile("2026-12-08", "1.25")));
    RateService rates(cache_.path());
    ASSERT_TRUE(refresh(marketRatesFeed(rates, {down.address(), fallback.address()})));
    EXPECT_EQ(down.requests(), 1);
    EXPECT_EQ(convert(rates, "GBP", "USD"), QStringLiteral("1.3889 market rates of 2026-12-08"));
    // JPY was not in the file: it keeps the snapshot's day, and so does a pair with it.
    EXPECT_EQ(convert(rates, "JPY", "USD").section(u' ', 1),
              QStringLiteral("market rates of 2026-09-29"));

    // An older day changes neither the rates nor the cache.
    ASSERT_TRUE(rates.takeMarketFile(marketFile("2026-12-07", "2")));
    EXPECT_EQ(convert(rates, "EUR", "USD"), QStringLiteral("1.25 market rate of 2026-12-08"));
    RateService nextRun(cache_.path());
    EXPECT_EQ(convert(nextRun, "EUR", "USD"), QStringLiteral("1.25 market rate of 2026-12-08"));
    EXPECT_FALSE(nextRun.takeMarketFile(marketFile("2026-12-09", "1.3").first(40)));
}

TEST_F(DailyRefresherTest, PartialOrFailedDownloadsChangeNothing) {
    for (const QByteArray& reply :
         {okReply(kDaily.first(kDaily.size() / 2)), okReply("<html>maintenance</html>"),
          kUnavailable,
          // Cut off before the announced length.
          okReply(kDaily).first(200)}) {
        StubServer ecb(reply);
        StubServer market(reply);
        RateService rates(cache_.path());
        EXPECT_FALSE(refresh(ecbDailyFeed(rates, ecb.address())));
        EXPECT_FALSE(refresh(marketRatesFeed(rates, {market.address(), market.address()})));
        EXPECT_EQ(market.requests(), 2) << "both addresses tried";
        EXPECT_EQ(rates.book()->newestEcbDate(), QDate(2026, 2, 20));
        EXPECT_EQ(rates.book()->newestMarketDate(), QDate(2026, 9, 29));
        EXPECT_FALSE(QFile::exists(rates.cachedEcbFilePath()));
        EXPECT_FALSE(QFile::exists(rates.cachedMarketFilePath()));
    }
}

TEST_F(DailyRefresherTest, FetchesOnlyWhenDueAndOncePerDay) {
    StubServer stub(okReply("not xml"));
    RateService rates(cache_.path());
    EXPECT_FALSE(refresh(ecbDailyFeed(rates, stub.address())));
    DailyRefresher refresher(ecbDailyFeed(rates, stub.address()), network());
    refresher.refreshIfDue(kNow);
    EXPECT_TRUE(refresher.isFetching()) << "a new refresher has not tried today";
    refresher.refreshIfDue(kNow);

    DailyRefresher upToDate(ecbDailyFeed(rates, stub.address()), network());
    upToDate.refreshIfDue(QDateTime(QDate(2026, 2, 21), QTime(12, 0), Qt::UTC));  // Saturday
    EXPECT_FALSE(upToDate.isFetching());
    DailyRefresher nowhere(ecbDailyFeed(rates, QUrl()), network());
    nowhere.refreshIfDue(kNow);
    EXPECT_FALSE(nowhere.isFetching()) << "no address: refresh turned off";

    QSignalSpy finished(&refresher, &DailyRefresher::finished);
    ASSERT_TRUE(finished.wait(5000));
    refresher.refreshIfDue(kNow.addSecs(3600));
    EXPECT_FALSE(refresher.isFetching()) << "one attempt per day";
    EXPECT_EQ(stub.requests(), 2);
}

TEST_F(DailyRefresherTest, TheNextAttemptWaitsForTheNextLocalDay) {
    // Two hours east of UTC (a rule of its own, needing no time zone files): the local day
    // begins at 22:00 UTC.
    const QByteArray savedZone = qgetenv("TZ");
    qputenv("TZ", "XST-2");
    tzset();
    StubServer stub(okReply("not xml"));
    RateService rates(cache_.path());
    DailyRefresher refresher(ecbDailyFeed(rates, stub.address()), network());
    QSignalSpy finished(&refresher, &DailyRefresher::finished);
    refresher.refreshIfDue(kNow);
    const bool ended = finished.wait(5000);
    const QDateTime nextLocalDay(QDate(2026, 12, 8), QTime(22, 0), Qt::UTC);
    const bool dueBefore = refresher.isDue(nextLocalDay.addMSecs(-1));
    const bool dueAt = refresher.isDue(nextLocalDay);
    const bool dueAtLocalTimeOfDay = refresher.isDue(nextLocalDay.toLocalTime());
    if (savedZone.isNull()) {
        qunsetenv("TZ");
    } else {
        qputenv("TZ", savedZone);
    }
    tzset();
    ASSERT_TRUE(ended);
    EXPECT_FALSE(dueBefore);
    EXPECT_TRUE(dueAt);
    EXPECT_TRUE(dueAtLocalTimeOfDay);
}

TEST_F(DailyRefresherTest, AMalformedCacheIsIgnored) {
    RateService first(cache_.path());
    ASSERT_TRUE(first.takeEcbDailyFile(kDaily));
    ASSERT_TRUE(first.takeMarketFile(marketFile("2026-12-08", "1.25")));
    for (const QString& path : {first.cachedEcbFilePath(), first.cachedMarketFilePath()}) {
        QFile cached(path);
        ASSERT_TRUE(cached.open(QIODevice::WriteOnly | QIODevice::Truncate));
        cached.write(kDaily.first(80));
    }
    RateService next(cache_.path());
    ASSERT_NE(next.book(), nullptr);
    EXPECT_EQ(next.book()->newestEcbDate(), QDate(2026, 2, 20));
    EXPECT_EQ(next.book()->newestMarketDate(), QDate(2026, 9, 29));
    EXPECT_FALSE(next.takeEcbDailyFile("<Envelope/>"));
}

TEST_F(DailyRefresherTest, ACacheTheDiskCannotTakeLeavesTheOldOneWhole) {
    const auto contents = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    };
    RateService first(cache_.path());
    ASSERT_TRUE(first.takeEcbDailyFile(kDaily));
    ASSERT_TRUE(first.takeMarketFile(marketFile("2026-12-08", "1.25")));
    const QByteArray oldEcb = contents(first.cachedEcbFilePath());
    const QByteArray oldMarket = contents(first.cachedMarketFilePath());

    QByteArray newerEcb = kDaily;
    newerEcb.replace("2026-12-08", "2026-12-09");
    // Nothing fits, then only the first bytes: a cut-short file is no better than none.
    for (const rlim_t room : {rlim_t{0}, rlim_t{40}}) {
        {
            const FileSizeLimit full(room);
            // The day is still taken for this run; only its copy for the next is missing.
            EXPECT_TRUE(first.takeEcbDailyFile(newerEcb));
            EXPECT_TRUE(first.takeMarketFile(marketFile("2026-12-09", "1.3")));
        }
        EXPECT_EQ(first.book()->newestEcbDate(), QDate(2026, 12, 9));
        EXPECT_EQ(contents(first.cachedEcbFilePath()), oldEcb) << room;
        EXPECT_EQ(contents(first.cachedMarketFilePath()), oldMarket) << room;
        EXPECT_EQ(QDir(cache_.path()).entryList(QDir::Files | QDir::Hidden).size(), 2)
            << "nothing of the new versions stays beside them";
        RateService nextRun(cache_.path());
        EXPECT_EQ(nextRun.book()->newestEcbDate(), QDate(2026, 12, 8));
        EXPECT_EQ(convert(nextRun, "GBP", "USD"),
                  QStringLiteral("1.3889 market rates of 2026-12-08"));
    }
}

}  // namespace
}  // namespace tolvane
