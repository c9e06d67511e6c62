#pragma once

#include "site/quote_table.h"

#include <QByteArrayView>
#include <QDate>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

namespace tolvane {

// Every reader gives nothing unless the whole file is well-formed, so that a damaged file is
// never half used. Rates are kept as the files write them, to be computed with exactly.

// The ECB's history file (eurofxref-hist.csv): a "Date" column and one column per currency,
// "N/A" where there is no quote.
std::optional<QuoteTable> parseEcbHistory(QByteArrayView csv);

// One day's rates from a source's daily file.
struct DayFile {
    QDate day;
    DayQuotes quotes;
};

// The ECB's daily file (eurofxref-daily.xml).
std::optional<DayFile> parseEcbDaily(QByteArrayView xml);

// The shipped market snapshot (market-rates.csv): code, units per euro, date.
std::optional<QuoteTable> parseMarketRates(QByteArrayView csv);

// The market feed's daily file (currency-api's eur.json: {"date": …, "eur": {"usd": …}}),
// keeping only the given codes: the feed also quotes crypto-currencies and derived values for
// obsolete codes, which the fixed links give exactly. Entries that are not a positive number
// are left out.
std::optional<DayFile> parseMarketFeed(QByteArrayView json, const QSet<QString>& codes);

// A currency's fixed euro rate and the day from which it holds.
struct FixedRate {
    QByteArray unitsPerEur;
    QDate since;
};
using FixedRates = QHash<QString, FixedRate>;

// The irrevocable euro conversion rates (euro-fixed-rates.csv).
std::optional<FixedRates> parseEuroFixedRates(QByteArrayView csv);
// Currencies their central banks fix to the euro (euro-pegs.csv).
std::optional<FixedRates> parseEuroPegs(QByteArrayView csv);

// A fixed link from an obsolete code to its successor.
struct Redenomination {
    QString successor;
    QByteArray oldUnitsPerNew;  // old units for one new unit
    QString since;              // "YYYY-MM-DD" or just "YYYY"
};

struct Redenominations {
    QHash<QString, Redenomination> links;
    // Codes listed with more than one successor: no single value, so no link; their successors.
    QHash<QString, QStringList> ambiguous;
};
std::optional<Redenominations> parseRedenominations(QByteArrayView csv);

}  // namespace tolvane
