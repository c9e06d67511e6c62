#pragma once

#include "site/rate_files.h"

#include <QList>
#include <QString>

#include <optional>

namespace tolvane {

// Where one figure of a conversion comes from, for the line that names the source.
struct RateSource {
    enum class Kind { EcbReference, EuroFixed, Redenomination };
    Kind kind = Kind::EcbReference;
    QString code;
    QString date;       // "YYYY-MM-DD", or only the year for some redenominations
    QString successor;  // redenomination only
    QString ratio;      // redenomination only: old units for one new unit
    friend bool operator==(const RateSource&, const RateSource&) = default;
};

// How many units of a currency make one euro, how precise that is and where it comes from.
struct EuroValue {
    double unitsPerEur = 1;
    int significantDigits = 0;  // 0: exact
    QList<RateSource> sources;
};

struct Conversion {
    double result = 0;
    int significantDigits = 0;  // 0: exact
    QList<RateSource> sources;
};

// Every rate the converter knows, going through the euro: the irrevocable euro rates first
// (exact, whatever the day), then the fixed links from obsolete codes to their successors, then
// the newest ECB reference quote.
class RateBook {
public:
    RateBook(RateQuotes ecb, EuroFixedRates euroFixed, Redenominations redenominations);

    std::optional<EuroValue> euroValue(const QString& code) const;
    std::optional<Conversion> convert(double amount, const QString& from, const QString& to) const;

    // Takes a newer day's quotes; older or same-day ones leave the book as it is.
    void takeNewerQuotes(const RateQuotes& quotes);
    QDate newestEcbDate() const;

private:
    std::optional<EuroValue> euroValue(const QString& code, int chainLength) const;

    RateQuotes ecb_;
    EuroFixedRates euroFixed_;
    Redenominations redenominations_;
};

// "ECB reference rates of 2026-02-20; 1 TRY = 1000000 TRL since 2005-01-01".
QString describeSources(const QList<RateSource>& sources);

}  // namespace tolvane
