#include "site/ecb_daily_refresher.h"

#include "site/ecb_calendar.h"
#include "site/rate_service.h"

#include <QNetworkReply>
#include <QNetworkRequest>

namespace tolvane {
namespace {

// The daily file is a few kilobytes.
constexpr qint64 kMaxDownload = qint64{256} * 1024;

}  // namespace

EcbDailyRefresher::EcbDailyRefresher(RateService& rates, QUrl address, QObject* parent)
    : QObject(parent), rates_(rates), address_(std::move(address)) {}

void EcbDailyRefresher::refreshIfDue(const QDateTime& now) {
    const RateBook* book = rates_.book();
    if (isFetching() || book == nullptr || !address_.isValid() ||
        !dailyRatesRefreshDue(book->newestEcbDate(), lastAttemptDay_, now)) {
        return;
    }
    lastAttemptDay_ = now.toLocalTime().date();
    QNetworkRequest request(address_);
    request.setTransferTimeout(static_cast<int>(kTimeout.count()));
    QNetworkReply* reply = network_.get(request);
    reply_ = reply;
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received) {
        if (received > kMaxDownload) {
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::finished, this, &EcbDailyRefresher::takeReply);
}

void EcbDailyRefresher::takeReply() {
    QNetworkReply* reply = reply_;
    reply->deleteLater();
    reply_.clear();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool complete = reply->error() == QNetworkReply::NoError && status == 200;
    emit finished(complete && rates_.takeDailyFile(reply->readAll()));
}

}  // namespace tolvane
