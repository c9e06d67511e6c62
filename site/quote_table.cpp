#include "site/quote_table.h"

#include "site/decimal_text.h"

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
    // Each figure is read here, once, rather than on every conversion.
    Day taken{day.toString(Qt::ISODate).toLatin1(), {}};
    taken.quotes.reserve(quotes.size());
    for (auto quote = quotes.cbegin(); quote != quotes.cend(); ++quote) {
        taken.quotes.insert(
            quote.key(), Quote{quote.value(),
                               ExactFraction::fromDecimal(quote.value()).value_or(ExactFraction()),
                               significantDigits(quote.value())});
    }
    days_.insert(day, taken);
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
    // The euro needs no quote; any other code must be quoted on that day.
    const auto find = [&quotes](const QString& code, const Quote*& quote) {
        if (code == kEuro) {
            return true;
        }
        const auto found = quotes->quotes.constFind(code);
        quote = found == quotes->quotes.cend() ? nullptr : &*found;
        return quote != nullptr;
    };
    PairQuote pair{day, quotes->isoDay, nullptr, nullptr};
    if (!find(from, pair.from) || !find(to, pair.to)) {
        return std::nullopt;
    }
    return pair;
}

}  // namespace tolvane
