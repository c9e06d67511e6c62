#pragma once

#include "site/site_addresses.h"

#include <QString>
#include <QUrl>

#include <chrono>

namespace tolvane {

struct SiteSettings {
    quint16 preferredPort = kDefaultSitePort;
    // See DictionaryLink; the lead's registry value will feed it.
    QString dictionaryTemplate;
    // Where the newest ECB daily file is kept; empty keeps none.
    QString cacheFolder;
    QUrl dailyRatesAddress;
    // A client gets this long to send its whole request.
    std::chrono::milliseconds requestTimeout{10000};
    // Connections served at once; more are refused until one ends.
    int maxConnections = 32;

    // Defaults, with TOLVANE_DICTIONARY_URL (dictionary template), TOLVANE_ECB_DAILY_URL (the
    // ECB daily file's address) and XDG_CACHE_HOME (cache folder, + "/tolvane") applied.
    static SiteSettings fromEnvironment();
};

}  // namespace tolvane
