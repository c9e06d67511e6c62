#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QHash>
#include <QString>

#include <optional>

namespace tolvane {

// One currency's rate against the euro as a rate file states it.
struct RateQuote {
    double unitsPerEur = 0;
    int significantDigits = 0;
    QDate date;
};

// Newest quote per currency code.
using RateQuotes = QHash<QString, RateQuote>;

// The ECB's history file (eurofxref-hist.csv): a "Date" column and one column per currency,
// "N/A" where there is no quote. Nothing unless every line is well-formed, so a damaged file
// is never half used.
std::optional<RateQuotes> parseEcbHistory(QByteArrayView csv);

// The ECB's daily file (eurofxref-daily.xml): one day's rates. Nothing for a malformed,
// truncated or empty file.
std::optional<RateQuotes> parseEcbDaily(QByteArrayView xml);

// The irrevocable euro conversion rates: code, units per euro, effective date.
using EuroFixedRates = QHash<QString, RateQuote>;
std::optional<EuroFixedRates> parseEuroFixedRates(QByteArrayView csv);

// A fixed link from an obsolete code to its successor.
struct Redenomination {
    QString successor;
    double oldUnitsPerNew = 0;
    QString ratioText;  // the ratio as the file writes it
    // 0 when the ratio is a whole number, and so exact; otherwise the digits it is given with.
    int significantDigits = 0;
    QString since;  // "YYYY-MM-DD" or just "YYYY"
};

// Old code -> link. A code listed with two different successors has no single value and is
// left out; repeated identical rows count once.
using Redenominations = QHash<QString, Redenomination>;
std::optional<Redenominations> parseRedenominations(QByteArrayView csv);

}  // namespace tolvane
