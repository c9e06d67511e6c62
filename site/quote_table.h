#pragma once

#include "site/exact_decimal.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QHash>
#include <QMap>
#include <QString>

#include <optional>

namespace tolvane {

// One day's rates of a source: code -> units for one euro, as the source writes the figure.
using DayQuotes = QHash<QString, QByteArray>;

// A currency's rate on one day of a source, read once for every conversion that uses it.
struct Quote {
    QByteArray figure;  // units for one euro, as the source writes it
    ExactFraction unitsPerEur;
    int significantDigits = 0;  // that the figure carries
};

// Two currencies' euro rates on one day of one source, pointing into the table: good until the
// table next takes a day. A null quote stands for the euro.
struct PairQuote {
    QDate day;
    QByteArrayView isoDay;  // "2026-02-20"
    const Quote* from = nullptr;
    const Quote* to = nullptr;
};

// The rates of one source (the ECB, the market feed), by day. Only what a conversion can still
// need is kept: each currency's newest day, with everything else that day quotes.
class QuoteTable {
public:
    // Takes one day's rates; for a currency already quoted on that day or later, nothing
    // changes. The figures must be plain decimals.
    void takeDay(QDate day, const DayQuotes& quotes);

    bool isEmpty() const { return newest_.isEmpty(); }
    QDate newestDay() const;
    bool quotes(const QString& code) const { return newest_.contains(code); }
    QList<QString> codes() const { return newest_.keys(); }
    // Both currencies on the newest day that quotes both; "EUR" is quoted every day. That day
    // is the older of the two currencies' newest days, if the other is quoted on it too.
    std::optional<PairQuote> pair(const QString& from, const QString& to) const;

private:
    struct Day {
        QByteArray isoDay;
        QHash<QString, Quote> quotes;
    };

    QHash<QString, QDate> newest_;
    QMap<QDate, Day> days_;
};

}  // namespace tolvane
