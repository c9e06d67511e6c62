#include "site/site_settings.h"

#include "site/dictionary_link.h"

#include <QDir>
#include <QtGlobal>

namespace tolvane {
namespace {

// The variable's address, or the default when it is not set at all.
QUrl addressFrom(const char* variable, const QString& fallback) {
    return QUrl(qEnvironmentVariableIsSet(variable) ? qEnvironmentVariable(variable) : fallback);
}

}  // namespace

SiteSettings SiteSettings::fromEnvironment() {
    SiteSettings settings;
    settings.dictionaryTemplate = qEnvironmentVariable("TOLVANE_DICTIONARY_URL");
    if (settings.dictionaryTemplate.isEmpty()) {
        settings.dictionaryTemplate = DictionaryLink::defaultTemplate();
    }
    settings.dailyRatesAddress =
        addressFrom("TOLVANE_ECB_DAILY_URL",
                    QStringLiteral("https://www.ecb.europa.eu/stats/eurofxref/eurofxref-daily.xml"));
    settings.marketRatesAddresses = {
        addressFrom("TOLVANE_MARKET_RATES_URL",
                    QStringLiteral("https://cdn.jsdelivr.net/npm/@fawazahmed0/currency-api@latest/"
                                   "v1/currencies/eur.json")),
        addressFrom("TOLVANE_MARKET_RATES_FALLBACK_URL",
                    QStringLiteral("https://currency-api.pages.dev/v1/currencies/eur.json")),
    };
    QString cacheHome = qEnvironmentVariable("XDG_CACHE_HOME");
    if (cacheHome.isEmpty() || QDir::isRelativePath(cacheHome)) {
        cacheHome = QDir::homePath() + QStringLiteral("/.cache");
    }
    settings.cacheFolder = cacheHome + QStringLiteral("/tolvane");
    return settings;
}

}  // namespace tolvane
