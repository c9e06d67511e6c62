#pragma once

#include "site/quote_table.h"
#include "site/rate_files.h"

#include <QByteArrayView>
#include <QSet>
#include <QString>

namespace tolvane {

// A conversion's answer: the converted amount and the one source and day it rests on, or why
// there is none.
struct Conversion {
    QByteArray result;  // a plain decimal; empty when there is no rate
    QByteArray source;  // "ECB reference rate of 2026-02-20"; empty for an exact conversion
    QString problem;    // why there is no result
};

// Every rate the converter knows. A currency first goes through its fixed links (an obsolete
// code to its successor, a euro currency or a pegged one to the euro); what is left floats,
// and both sides are then taken from the one source, and the one day, that is newest for the
// pair: the ECB's reference rates or the market feed's (the ECB on a tie). Everything is
// computed exactly and rounded once. Where each code's links lead is worked out whenever the
// rates change, so that a conversion only looks it up.
class RateBook {
public:
    RateBook(QuoteTable ecb, QuoteTable market, FixedRates euroFixed, FixedRates euroPegs,
             Redenominations redenominations);

    // amount: a plain decimal. Codes are three upper-case letters.
    Conversion convert(QByteArrayView amount, const QString& from, const QString& to) const;
    // Whether the code reaches a rate at all, through its links or directly.
    bool hasRate(const QString& code) const;

    // A newer day of a source: each currency's newest quote wins.
    void takeEcbDay(const DayFile& day);
    void takeMarketDay(const DayFile& day);
    QDate newestEcbDate() const { return ecb_.newestDay(); }
    QDate newestMarketDate() const { return market_.newestDay(); }
    // The codes the market snapshot quotes: the ones taken from the feed.
    QSet<QString> marketCodes() const;

private:
    // What a code comes to after its fixed links: so many of its units for one unit of a base,
    // the euro or a floating currency.
    struct Resolved {
        QString base;
        ExactFraction unitsPerBase;
    };
    std::optional<Resolved> resolve(const QString& code) const;
    void resolveAll();
    QString whyNoRate(const QString& from, const QString& to) const;

    QuoteTable ecb_;
    QuoteTable market_;
    FixedRates euroFixed_;
    FixedRates euroPegs_;
    Redenominations redenominations_;
    // Every code that reaches a rate, resolved.
    QHash<QString, Resolved> resolved_;
};

}  // namespace tolvane
