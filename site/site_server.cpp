#include "site/site_server.h"

#include "site/site_addresses.h"

#include <QDateTime>
#include <QNetworkAccessManager>

namespace tolvane {

SiteServer::SiteServer(const SiteSettings& settings, QObject* parent)
    : QObject(parent),
      settings_(settings),
      rates_(settings.cacheFolder),
      router_(rates_, DictionaryLink(settings.dictionaryTemplate)),
      ecbRefresher_(ecbDailyFeed(rates_, settings.dailyRatesAddress),
                    [this]() -> QNetworkAccessManager& { return network(); }),
      marketRefresher_(marketRatesFeed(rates_, settings.marketRatesAddresses),
                       [this]() -> QNetworkAccessManager& { return network(); }),
      listener_([this](const HttpRequest& request) { return respond(request); },
                {settings.maxConnections, settings.requestTimeout, settings.idleGrace}) {}

SiteServer::~SiteServer() = default;

quint16 SiteServer::ensureStarted() {
    return listener_.listen(settings_.preferredPort);
}

QString SiteServer::address(QStringView path) {
    return siteAddress(ensureStarted(), path);
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
