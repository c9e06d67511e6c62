#pragma once

#include "site/rate_book.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace tolvane {

// The converter's rates: the shipped tables, read on first use, with the newest ECB daily file
// laid over them. The daily file is kept in the cache folder so that a later run starts with it.
class RateService {
public:
    // An empty cache folder keeps nothing between runs.
    explicit RateService(QString cacheFolder);
    ~RateService();
    RateService(const RateService&) = delete;
    RateService& operator=(const RateService&) = delete;

    // Loads on first call; null only when the shipped tables cannot be read.
    const RateBook* book();

    // Takes an ECB daily file fetched from the network: a malformed or partial one changes
    // nothing. A usable one is laid over the rates and replaces the cached copy (atomically).
    // False when the file was not usable.
    bool takeDailyFile(const QByteArray& xml);

    QString cachedDailyFilePath() const;

private:
    QString cacheFolder_;
    std::unique_ptr<RateBook> book_;
};

}  // namespace tolvane
