#include "site/site_server.h"

#include "site/site_addresses.h"
#include "site/site_connection.h"

#include <QDateTime>
#include <QNetworkAccessManager>
#include <QTcpSocket>

namespace tolvane {

SiteServer::SiteServer(const SiteSettings& settings, QObject* parent)
    : QObject(parent),
      settings_(settings),
      rates_(settings.cacheFolder),
      router_(rates_, DictionaryLink(settings.dictionaryTemplate)),
      ecbRefresher_(ecbDailyFeed(rates_, settings.dailyRatesAddress),
                    [this]() -> QNetworkAccessManager& { return network(); }),
      marketRefresher_(marketRatesFeed(rates_, settings.marketRatesAddresses),
                       [this]() -> QNetworkAccessManager& { return network(); }) {
    connect(&server_, &QTcpServer::newConnection, this, &SiteServer::acceptConnections);
}

SiteServer::~SiteServer() {
    // The connections go first: they answer through this object's members.
    qDeleteAll(findChildren<SiteConnection*>(Qt::FindDirectChildrenOnly));
}

quint16 SiteServer::ensureStarted() {
    if (!server_.isListening()) {
        // Loopback only: nothing of the site is for other machines.
        if (!server_.listen(QHostAddress::LocalHost, settings_.preferredPort)) {
            server_.listen(QHostAddress::LocalHost, 0);
        }
    }
    return server_.isListening() ? server_.serverPort() : 0;
}

QString SiteServer::address(QStringView path) {
    return siteAddress(ensureStarted(), path);
}

void SiteServer::acceptConnections() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        if (openConnections_ >= settings_.maxConnections) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        ++openConnections_;
        auto* connection = new SiteConnection(
            socket, [this](const HttpRequest& request) { return respond(request); },
            settings_.requestTimeout, this);
        connect(connection, &QObject::destroyed, this, [this] { --openConnections_; });
    }
}

QNetworkAccessManager& SiteServer::network() {
    if (!network_) {
        network_ = std::make_unique<QNetworkAccessManager>();
    }
    return *network_;
}

HttpResponse SiteServer::respond(const HttpRequest& request) {
    static const QByteArray converter = site_paths::kConverter.toLatin1();
    HttpResponse response = router_.respond(request);
    if (request.path != converter || response.status != 200) {
        return response;
    }
    // Once the answer is on its way, so the converter never waits for the network, nor for
    // the network's first setting up.
    const QDateTime now = QDateTime::currentDateTimeUtc();
    if (ecbRefresher_.isDue(now) || marketRefresher_.isDue(now)) {
        QMetaObject::invokeMethod(
            this,
            [this, now] {
                ecbRefresher_.refreshIfDue(now);
                marketRefresher_.refreshIfDue(now);
            },
            Qt::QueuedConnection);
    }
    return response;
}

}  // namespace tolvane
