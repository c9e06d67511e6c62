#include "site/quote_table.h"

#include <QSet>

namespace tolvane {
namespace {

const QString kEuro = QStringLiteral("EUR");

}  // namespace

void QuoteTable::takeDay(QDate day, const DayQuotes& quotes) {
    bool moved = false;
    for (auto quote = quotes.cbegin(); quote != quotes.cend(); ++quote) {
        QDate& newest = newest_[quote.key()];
        if (!newest.isValid() || newest < day) {
            newest = day;
            moved = true;
        }
    }
    if (!moved) {
        return;
    }
    days_.insert(day, quotes);
    // Days that are no currency's newest any more can never be asked for.
    QSet<QDate> needed;
    for (const QDate& newest : std::as_const(newest_)) {
        needed.insert(newest);
    }
    days_.removeIf([&needed](const auto& entry) { return !needed.contains(entry.key()); });
}

QDate QuoteTable::newestDay() const {
    return days_.isEmpty() ? QDate() : days_.lastKey();
}

std::optional<PairQuote> QuoteTable::pair(const QString& from, const QString& to) const {
    QDate day;
    for (const QString& code : {from, to}) {
        if (code == kEuro) {
            continue;
        }
        const auto newest = newest_.constFind(code);
        if (newest == newest_.cend()) {
            return std::nullopt;
        }
        if (!day.isValid() || *newest < day) {
            day = *newest;
        }
    }
    const auto quotes = days_.constFind(day);
    if (quotes == days_.cend()) {
        return std::nullopt;  // the euro against itself has no day of its own
    }
    const QByteArray fromRate = from == kEuro ? QByteArray() : quotes->value(from);
    const QByteArray toRate = to == kEuro ? QByteArray() : quotes->value(to);
    if ((from != kEuro && fromRate.isNull()) || (to != kEuro && toRate.isNull())) {
        return std::nullopt;
    }
    return PairQuote{day, fromRate, toRate};
}

}  // namespace tolvane
