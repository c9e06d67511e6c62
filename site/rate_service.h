#pragma once

#include "site/rate_book.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace tolvane {

// The converter's rates: the shipped tables, read on first use, with the newest daily files of
// the ECB and of the market feed laid over them. Those files are kept in the cache folder so
// that a later run starts with them.
class RateService {
public:
    // An empty cache folder keeps nothing between runs.
    explicit RateService(QString cacheFolder);
    ~RateService();
    RateService(const RateService&) = delete;
    RateService& operator=(const RateService&) = delete;

    // Loads on first call; null only when the shipped tables cannot be read.
    const RateBook* book();

    // Take a daily file fetched from the network (the ECB's eurofxref-daily.xml, the feed's
    // eur.json): a malformed or partial one changes nothing. A usable one is laid over the
    // rates and replaces the cached copy (atomically) unless that holds a newer day. False when
    // the file was not usable.
    bool takeEcbDailyFile(const QByteArray& xml);
    bool takeMarketFile(const QByteArray& json);

    QString cachedEcbFilePath() const;
    QString cachedMarketFilePath() const;

private:
    bool keepInCache(const QString& path, const QByteArray& file, QDate day,
                     const std::function<QDate(const QByteArray&)>& dayOf) const;
    std::optional<DayFile> readMarketFile(const QByteArray& json);

    QString cacheFolder_;
    std::unique_ptr<RateBook> book_;
};

}  // namespace tolvane
