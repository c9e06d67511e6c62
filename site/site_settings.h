#pragma once

#include "site/site_addresses.h"

#include <QList>
#include <QString>
#include <QUrl>

#include <chrono>

namespace tolvane {

struct SiteSettings {
    quint16 preferredPort = kDefaultSitePort;
    // See DictionaryLink; the lead's registry value will feed it.
    QString dictionaryTemplate;
    // Where the newest daily rate files are kept; empty keeps none.
    QString cacheFolder;
    // The ECB's daily file; empty: no refresh.
    QUrl dailyRatesAddress;
    // The market feed's daily file and its fallback, tried in order; none: no refresh.
    QList<QUrl> marketRatesAddresses;
    // A client gets this long to send its whole request.
    std::chrono::milliseconds requestTimeout{10000};
    // Connections served at once; more wait in the listen backlog until one ends.
    int maxConnections = 512;
    // While clients wait, a connection that has not sent its request within this time makes
    // room for them.
    std::chrono::milliseconds idleGrace{1000};

    // Defaults, with TOLVANE_DICTIONARY_URL (dictionary template), TOLVANE_ECB_DAILY_URL (the
    // ECB daily file), TOLVANE_MARKET_RATES_URL and TOLVANE_MARKET_RATES_FALLBACK_URL (the market
    // feed's file) and XDG_CACHE_HOME (cache folder, + "/tolvane") applied. An address variable
    // that is set but empty turns that address off.
    static SiteSettings fromEnvironment();
};

}  // namespace tolvane
