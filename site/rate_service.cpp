#include "site/rate_service.h"

#include "core/atomic_file.h"

#include <QDir>
#include <QFile>

#include <functional>
#include <limits>

namespace tolvane {
namespace {

// The daily files are a few kilobytes; anything much larger is not one.
constexpr qint64 kMaxDailyFileSize = qint64{1024} * 1024;

QByteArray readWhole(const QString& path, qint64 maxSize) {
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly) || file.size() > maxSize) {
        return {};
    }
    return file.readAll();
}

QByteArray shipped(const char* name) {
    return readWhole(QStringLiteral(":/tolvane/site/data/") + QLatin1String(name),
                     std::numeric_limits<qint64>::max());
}

QDate ecbDayOf(const QByteArray& xml) {
    const auto file = parseEcbDaily(xml);
    return file ? file->day : QDate();
}

}  // namespace

RateService::RateService(QString cacheFolder) : cacheFolder_(std::move(cacheFolder)) {}

RateService::~RateService() = default;

QString RateService::cachedEcbFilePath() const {
    return cacheFolder_.isEmpty()
               ? QString()
               : QDir(cacheFolder_).filePath(QStringLiteral("eurofxref-daily.xml"));
}

QString RateService::cachedMarketFilePath() const {
    return cacheFolder_.isEmpty()
               ? QString()
               : QDir(cacheFolder_).filePath(QStringLiteral("currency-api-eur.json"));
}

const RateBook* RateService::book() {
    if (book_) {
        return book_.get();
    }
    auto ecb = parseEcbHistory(shipped("eurofxref-hist.csv"));
    auto market = parseMarketRates(shipped("market-rates.csv"));
    auto euroFixed = parseEuroFixedRates(shipped("euro-fixed-rates.csv"));
    auto euroPegs = parseEuroPegs(shipped("euro-pegs.csv"));
    auto redenominations = parseRedenominations(shipped("redenominations.csv"));
    if (!ecb || !market || !euroFixed || !euroPegs || !redenominations) {
        return nullptr;
    }
    book_ = std::make_unique<RateBook>(std::move(*ecb), std::move(*market), std::move(*euroFixed),
                                       std::move(*euroPegs), std::move(*redenominations));
    if (const auto cached = parseEcbDaily(readWhole(cachedEcbFilePath(), kMaxDailyFileSize))) {
        book_->takeEcbDay(*cached);
    }
    if (const auto cached =
            readMarketFile(readWhole(cachedMarketFilePath(), kMaxDailyFileSize))) {
        book_->takeMarketDay(*cached);
    }
    return book_.get();
}

std::optional<DayFile> RateService::readMarketFile(const QByteArray& json) {
    if (book_ == nullptr || json.isEmpty() || json.size() > kMaxDailyFileSize) {
        return std::nullopt;
    }
    return parseMarketFeed(json, book_->marketCodes());
}

bool RateService::takeEcbDailyFile(const QByteArray& xml) {
    const auto file = xml.size() <= kMaxDailyFileSize ? parseEcbDaily(xml) : std::nullopt;
    if (!file || book() == nullptr) {
        return false;
    }
    book_->takeEcbDay(*file);
    keepInCache(cachedEcbFilePath(), xml, file->day, ecbDayOf);
    return true;
}

bool RateService::takeMarketFile(const QByteArray& json) {
    if (book() == nullptr) {
        return false;
    }
    const auto file = readMarketFile(json);
    if (!file) {
        return false;
    }
    book_->takeMarketDay(*file);
    keepInCache(cachedMarketFilePath(), json, file->day, [this](const QByteArray& cached) {
        const auto old = readMarketFile(cached);
        return old ? old->day : QDate();
    });
    return true;
}

bool RateService::keepInCache(const QString& path, const QByteArray& file, QDate day,
                              const std::function<QDate(const QByteArray&)>& dayOf) const {
    if (path.isEmpty()) {
        return false;
    }
    const QDate cachedDay = dayOf(readWhole(path, kMaxDailyFileSize));
    if (cachedDay.isValid() && day < cachedDay) {
        return false;
    }
    // Not QSaveFile alone: on a full disk it can rename a cut-short file over the cache.
    return writeFileAtomically(path, file);
}

}  // namespace tolvane
