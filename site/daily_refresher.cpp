#include "site/daily_refresher.h"

#include "site/ecb_calendar.h"
#include "site/rate_service.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace tolvane {
namespace {

QList<QUrl> usable(const QList<QUrl>& addresses) {
    QList<QUrl> kept;
    for (const QUrl& address : addresses) {
        if (address.isValid() && !address.isEmpty()) {
            kept.append(address);
        }
    }
    return kept;
}

}  // namespace

DailyRefresher::DailyRefresher(Feed feed, std::function<QNetworkAccessManager&()> network,
                               QObject* parent)
    : QObject(parent), feed_(std::move(feed)), network_(std::move(network)) {}

bool DailyRefresher::isDue(const QDateTime& now) const {
    const bool attemptedToday =
        attemptDayEnd_.isValid() && attemptDayStart_ <= now && now < attemptDayEnd_;
    if (isFetching() || feed_.addresses.isEmpty() || attemptedToday) {
        return false;
    }
    const std::optional<QDate> held = feed_.newestHeld();
    return held && (!held->isValid() || *held < feed_.newestPublished(now));
}

void DailyRefresher::refreshIfDue(const QDateTime& now) {
    if (!isDue(now)) {
        return;
    }
    // Kept as moments, not as a local date: asked on every conversion, working out the local
    // date would cost more than the conversion itself.
    const QDate today = now.toLocalTime().date();
    attemptDayStart_ = QDateTime(today, QTime(0, 0)).toUTC();
    attemptDayEnd_ = QDateTime(today.addDays(1), QTime(0, 0)).toUTC();
    fetch(0);
}

void DailyRefresher::fetch(qsizetype address) {
    QNetworkRequest request(feed_.addresses.at(address));
    request.setTransferTimeout(static_cast<int>(kTimeout.count()));
    QNetworkReply* reply = network_().get(request);
    reply_ = reply;
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received) {
        if (received > kMaxDownload) {
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::finished, this, [this, address] { takeReply(address); });
}

void DailyRefresher::takeReply(qsizetype address) {
    QNetworkReply* reply = reply_;
    reply->deleteLater();
    reply_.clear();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool complete = reply->error() == QNetworkReply::NoError && status == 200;
    if (complete && feed_.take(reply->readAll())) {
        emit finished(true);
    } else if (address + 1 < feed_.addresses.size()) {
        fetch(address + 1);
    } else {
        emit finished(false);
    }
}

DailyRefresher::Feed ecbDailyFeed(RateService& rates, const QUrl& address) {
    return {usable({address}),
            [&rates]() -> std::optional<QDate> {
                const RateBook* book = rates.book();
                return book ? std::optional(book->newestEcbDate()) : std::nullopt;
            },
            lastEcbPublicationDay,
            [&rates](const QByteArray& file) { return rates.takeEcbDailyFile(file); }};
}

DailyRefresher::Feed marketRatesFeed(RateService& rates, const QList<QUrl>& addresses) {
    return {usable(addresses),
            [&rates]() -> std::optional<QDate> {
                const RateBook* book = rates.book();
                return book ? std::optional(book->newestMarketDate()) : std::nullopt;
            },
            [](const QDateTime& now) { return now.toUTC().date(); },
            [&rates](const QByteArray& file) { return rates.takeMarketFile(file); }};
}

}  // namespace tolvane
