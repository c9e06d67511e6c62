#pragma once

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QMap>
#include <QString>

#include <optional>

namespace tolvane {

// One day's rates of a source: code -> units for one euro, as the source writes the figure.
using DayQuotes = QHash<QString, QByteArray>;

// Two currencies' euro rates on one day of one source; a null figure stands for the euro.
struct PairQuote {
    QDate day;
    QByteArray from;
    QByteArray to;
};

// The rates of one source (the ECB, the market feed), by day. Only what a conversion can still
// need is kept: each currency's newest day, with everything else that day quotes.
class QuoteTable {
public:
    // Takes one day's rates; for a currency already quoted on that day or later, nothing
    // changes.
    void takeDay(QDate day, const DayQuotes& quotes);

    bool isEmpty() const { return newest_.isEmpty(); }
    QDate newestDay() const;
    bool quotes(const QString& code) const { return newest_.contains(code); }
    QList<QString> codes() const { return newest_.keys(); }
    // Both currencies on the newest day that quotes both; "EUR" is quoted every day. That day
    // is the older of the two currencies' newest days, if the other is quoted on it too.
    std::optional<PairQuote> pair(const QString& from, const QString& to) const;

private:
    QHash<QString, QDate> newest_;
    QMap<QDate, DayQuotes> days_;
};

}  // namespace tolvane
