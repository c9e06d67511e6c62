#pragma once

#include "site/daily_refresher.h"
#include "site/rate_service.h"
#include "site/site_listener.h"
#include "site/site_router.h"
#include "site/site_settings.h"

#include <QHostAddress>
#include <QObject>

#include <memory>

class QNetworkAccessManager;

namespace tolvane {

// Tolvane's own web site on 127.0.0.1, served on the event loop of the thread that makes it
// (SiteThread gives it one of its own). HTTP/1.0 answers, the connection kept open when the
// client asks for it (HTTP/1.1, or "Connection: keep-alive"): Qt 6.4's QHttpServer is only a technology preview and would need extra packages for a handful of
// fixed pages.
class SiteServer : public QObject {
    Q_OBJECT
public:
    explicit SiteServer(const SiteSettings& settings, QObject* parent = nullptr);
    ~SiteServer() override;

    // Starts listening on first use: on the preferred port, or a free one when that is taken.
    // The port, or 0 when no port could be had at all (tried again on the next call).
    quint16 ensureStarted();
    // "http://127.0.0.1:<port><path>", starting the site if need be.
    QString address(QStringView path);

    QHostAddress listeningAddress() const { return listener_.address(); }
    DailyRefresher& ecbRefresher() { return ecbRefresher_; }
    DailyRefresher& marketRefresher() { return marketRefresher_; }

private:
    HttpResponse respond(const HttpRequest& request);
    QNetworkAccessManager& network();

    SiteSettings settings_;
    RateService rates_;
    SiteRouter router_;
    // Made only when a refresh first fetches.
    std::unique_ptr<QNetworkAccessManager> network_;
    DailyRefresher ecbRefresher_;
    DailyRefresher marketRefresher_;
    SiteListener listener_;
};

}  // namespace tolvane
