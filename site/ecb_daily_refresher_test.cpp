#include "site/ecb_daily_refresher.h"
#include "site/rate_service.h"

#include <QFile>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tolvane {
namespace {

// A loopback stand-in for the ECB's server: answers every request with one fixed reply.
class StubEcb {
public:
    explicit StubEcb(QByteArray reply) : reply_(std::move(reply)) {
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
        return QUrl(
            QStringLiteral("http://127.0.0.1:%1/eurofxref-daily.xml").arg(server_.serverPort()));
    }
    int requests() const { return requests_; }

private:
    QByteArray reply_;
    QTcpServer server_;
    int requests_ = 0;
};

QByteArray okReply(const QByteArray& body) {
    return "HTTP/1.0 200 OK\r\nContent-Type: text/xml\r\nContent-Length: " +
           QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

const QByteArray kDaily =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<gesmes:Envelope xmlns:gesmes=\"http://www.gesmes.org/xml/2002-08-01\" "
    "xmlns=\"http://www.ecb.int/vocabulary/2002-08-01/eurofxref\">\n"
    "<gesmes:subject>Reference rates</gesmes:subject>\n"
    "<Cube><Cube time='2026-12-08'><Cube currency='USD' rate='1.2034'/></Cube></Cube>\n"
    "</gesmes:Envelope>\n";

// Tuesday 2026-12-08, after the ECB's publication.
const QDateTime kNow(QDate(2026, 12, 8), QTime(17, 0), Qt::UTC);

class EcbDailyRefresherTest : public testing::Test {
protected:
    bool refresh(StubEcb& stub, RateService& rates) {
        EcbDailyRefresher refresher(rates, stub.address());
        QSignalSpy finished(&refresher, &EcbDailyRefresher::finished);
        refresher.refreshIfDue(kNow);
        EXPECT_TRUE(finished.wait(5000));
        return !finished.isEmpty() && finished.first().first().toBool();
    }

    QTemporaryDir cache_;
};

TEST_F(EcbDailyRefresherTest, NewerDailyRatesAreTakenAndCached) {
    StubEcb stub(okReply(kDaily));
    RateService rates(cache_.path());
    ASSERT_TRUE(refresh(stub, rates));
    EXPECT_EQ(rates.book()->euroValue(QStringLiteral("USD"))->sources.first().date,
              QStringLiteral("2026-12-08"));
    // Other currencies keep their shipped quotes.
    EXPECT_EQ(rates.book()->euroValue(QStringLiteral("GBP"))->sources.first().date,
              QStringLiteral("2026-02-20"));

    RateService nextRun(cache_.path());
    EXPECT_DOUBLE_EQ(nextRun.book()->euroValue(QStringLiteral("USD"))->unitsPerEur, 1.2034);
}

TEST_F(EcbDailyRefresherTest, PartialOrFailedDownloadsChangeNothing) {
    for (const QByteArray& reply :
         {okReply(kDaily.first(kDaily.size() / 2)), okReply("<html>maintenance</html>"),
          QByteArray("HTTP/1.0 503 Service Unavailable\r\nContent-Length: 0\r\n\r\n"),
          // Cut off before the announced length.
          okReply(kDaily).first(200)}) {
        StubEcb stub(reply);
        RateService rates(cache_.path());
        EXPECT_FALSE(refresh(stub, rates));
        EXPECT_EQ(rates.book()->newestEcbDate(), QDate(2026, 2, 20));
        EXPECT_FALSE(QFile::exists(rates.cachedDailyFilePath()));
    }
}

TEST_F(EcbDailyRefresherTest, FetchesOnlyWhenDueAndOncePerDay) {
    StubEcb stub(okReply("not xml"));
    RateService rates(cache_.path());
    EXPECT_FALSE(refresh(stub, rates));
    EcbDailyRefresher refresher(rates, stub.address());
    refresher.refreshIfDue(kNow);
    EXPECT_TRUE(refresher.isFetching()) << "a new refresher has not tried today";
    refresher.refreshIfDue(kNow);

    EcbDailyRefresher upToDate(rates, stub.address());
    upToDate.refreshIfDue(QDateTime(QDate(2026, 2, 21), QTime(12, 0), Qt::UTC));  // Saturday
    EXPECT_FALSE(upToDate.isFetching());

    QSignalSpy finished(&refresher, &EcbDailyRefresher::finished);
    ASSERT_TRUE(finished.wait(5000));
    refresher.refreshIfDue(kNow.addSecs(3600));
    EXPECT_FALSE(refresher.isFetching()) << "one attempt per day";
    EXPECT_EQ(stub.requests(), 2);
}

TEST_F(EcbDailyRefresherTest, AMalformedCacheIsIgnored) {
    RateService first(cache_.path());
    ASSERT_TRUE(first.takeDailyFile(kDaily));
    QFile cached(first.cachedDailyFilePath());
    ASSERT_TRUE(cached.open(QIODevice::WriteOnly | QIODevice::Truncate));
    cached.write(kDaily.first(80));
    cached.close();
    RateService next(cache_.path());
    ASSERT_NE(next.book(), nullptr);
    EXPECT_EQ(next.book()->newestEcbDate(), QDate(2026, 2, 20));
    EXPECT_FALSE(next.takeDailyFile("<Envelope/>"));
}

}  // namespace
}  // namespace tolvane
