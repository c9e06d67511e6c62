#include "site/rate_service.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <limits>

namespace tolvane {
namespace {

// The daily file is a few kilobytes; anything much larger is not one.
constexpr qint64 kMaxDailyFileSize = qint64{256} * 1024;

QByteArray readWhole(const QString& path, qint64 maxSize) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > maxSize) {
        return {};
    }
    return file.readAll();
}

QDate dayOf(const RateQuotes& quotes) {
    return quotes.isEmpty() ? QDate() : quotes.cbegin()->date;
}

}  // namespace

RateService::RateService(QString cacheFolder) : cacheFolder_(std::move(cacheFolder)) {}

RateService::~RateService() = default;

QString RateService::cachedDailyFilePath() const {
    return cacheFolder_.isEmpty()
               ? QString()
               : QDir(cacheFolder_).filePath(QStringLiteral("eurofxref-daily.xml"));
}

const RateBook* RateService::book() {
    if (book_) {
        return book_.get();
    }
    constexpr qint64 kNoLimit = std::numeric_limits<qint64>::max();
    auto ecb = parseEcbHistory(
        readWhole(QStringLiteral(":/tolvane/site/data/eurofxref-hist.csv"), kNoLimit));
    auto euroFixed = parseEuroFixedRates(
        readWhole(QStringLiteral(":/tolvane/site/data/euro-fixed-rates.csv"), kNoLimit));
    auto redenominations = parseRedenominations(
        readWhole(QStringLiteral(":/tolvane/site/data/redenominations.csv"), kNoLimit));
    if (!ecb || !euroFixed || !redenominations) {
        return nullptr;
    }
    book_ = std::make_unique<RateBook>(std::move(*ecb), std::move(*euroFixed),
                                       std::move(*redenominations));
    if (!cacheFolder_.isEmpty()) {
        if (const auto cached =
                parseEcbDaily(readWhole(cachedDailyFilePath(), kMaxDailyFileSize))) {
            book_->takeNewerQuotes(*cached);
        }
    }
    return book_.get();
}

bool RateService::takeDailyFile(const QByteArray& xml) {
    const auto quotes = xml.size() <= kMaxDailyFileSize ? parseEcbDaily(xml) : std::nullopt;
    if (!quotes) {
        return false;
    }
    if (RateBook* loaded = book_.get()) {
        loaded->takeNewerQuotes(*quotes);
    }
    const auto cached = parseEcbDaily(readWhole(cachedDailyFilePath(), kMaxDailyFileSize));
    const bool newerThanCache = !cached || dayOf(*cached) <= dayOf(*quotes);
    if (!cacheFolder_.isEmpty() && newerThanCache && QDir().mkpath(cacheFolder_)) {
        QSaveFile file(cachedDailyFilePath());
        if (file.open(QIODevice::WriteOnly) && file.write(xml) == xml.size()) {
            file.commit();
        }
    }
    return true;
}

}  // namespace tolvane
