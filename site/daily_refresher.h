#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QUrl>

#include <chrono>
#include <functional>
#include <optional>

class QNetworkAccessManager;
class QNetworkReply;

namespace tolvane {

class RateService;

// Fetches a source's daily rates file in the background when the converter is first used on a
// (local) day and the rates held are older than the newest the source has published. Never
// waited for: the converter answers with what it has. Each address is tried in turn until one
// gives a usable file.
class DailyRefresher : public QObject {
    Q_OBJECT
public:
    struct Feed {
        // Tried in order; none: never refreshed.
        QList<QUrl> addresses;
        // The newest day held; nothing when the rates cannot be read at all.
        std::function<std::optional<QDate>()> newestHeld;
        // The newest day the source has out at that moment.
        std::function<QDate(const QDateTime&)> newestPublished;
        // Takes a fetched file; false when it was not usable.
        std::function<bool(const QByteArray&)> take;
    };

    // The network is asked for only when a fetch is due.
    DailyRefresher(Feed feed, std::function<QNetworkAccessManager&()> network,
                   QObject* parent = nullptr);

    // Whether a fetch would start now: cheap enough to ask on every conversion.
    bool isDue(const QDateTime& now) const;
    void refreshIfDue(const QDateTime& now);
    bool isFetching() const { return !reply_.isNull(); }

    static constexpr std::chrono::milliseconds kTimeout{10000};
    // The daily files are a few tens of kilobytes.
    static constexpr qint64 kMaxDownload = qint64{1024} * 1024;

signals:
    // After each refresh: whether a usable file came and was taken.
    void finished(bool taken);

private:
    void fetch(qsizetype address);
    void takeReply(qsizetype address);

    Feed feed_;
    std::function<QNetworkAccessManager&()> network_;
    QPointer<QNetworkReply> reply_;
    // The local day of the last attempt, in UTC: from its start to the next day's.
    QDateTime attemptDayStart_;
    QDateTime attemptDayEnd_;
};

// The converter's two feeds: the ECB's daily reference rates, out on its working days, and the
// market feed's file for the day, out during that day (UTC). Addresses that are empty or
// invalid are left out.
DailyRefresher::Feed ecbDailyFeed(RateService& rates, const QUrl& address);
DailyRefresher::Feed marketRatesFeed(RateService& rates, const QList<QUrl>& addresses);

}  // namespace tolvane
