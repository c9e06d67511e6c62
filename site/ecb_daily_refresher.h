#pragma once

#include <QDate>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QUrl>

#include <chrono>

class QNetworkReply;

namespace tolvane {

class RateService;

// Fetches the ECB's daily rates in the background when the converter is first used on a day
// and the rates held are older than the newest the ECB has published. Never waited for: the
// converter answers with what it has.
class EcbDailyRefresher : public QObject {
    Q_OBJECT
public:
    EcbDailyRefresher(RateService& rates, QUrl address, QObject* parent = nullptr);

    void refreshIfDue(const QDateTime& now);
    bool isFetching() const { return !reply_.isNull(); }

    static constexpr std::chrono::milliseconds kTimeout{10000};

signals:
    // After each fetch: whether a usable file came and was taken.
    void finished(bool taken);

private:
    void takeReply();

    RateService& rates_;
    QUrl address_;
    QNetworkAccessManager network_;
    QPointer<QNetworkReply> reply_;
    QDate lastAttemptDay_;
};

}  // namespace tolvane
