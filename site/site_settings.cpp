#include "site/site_settings.h"

#include "site/dictionary_link.h"

#include <QDir>
#include <QtGlobal>

namespace tolvane {

SiteSettings SiteSettings::fromEnvironment() {
    SiteSettings settings;
    settings.dictionaryTemplate = qEnvironmentVariable("TOLVANE_DICTIONARY_URL");
    if (settings.dictionaryTemplate.isEmpty()) {
        settings.dictionaryTemplate = DictionaryLink::defaultTemplate();
    }
    const QString dailyAddress = qEnvironmentVariable("TOLVANE_ECB_DAILY_URL");
    settings.dailyRatesAddress =
        QUrl(dailyAddress.isEmpty()
                 ? QStringLiteral("https://www.ecb.europa.eu/stats/eurofxref/eurofxref-daily.xml")
                 : dailyAddress);
    QString cacheHome = qEnvironmentVariable("XDG_CACHE_HOME");
    if (cacheHome.isEmpty() || QDir::isRelativePath(cacheHome)) {
        cacheHome = QDir::homePath() + QStringLiteral("/.cache");
    }
    settings.cacheFolder = cacheHome + QStringLiteral("/tolvane");
    return settings;
}

}  // namespace tolvane
