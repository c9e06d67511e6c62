#include "site/rate_book.h"

#include "site/exact_decimal.h"
#include "site/joined_bytes.h"

#include <QStringList>

#include <algorithm>
#include <limits>

namespace tolvane {
namespace {

const QString kEuro = QStringLiteral("EUR");
// A link chain longer than this is a loop in the data.
constexpr int kMaxChainLength = 8;
// The ECB gives its rates with five significant digits, dropping trailing zeros ("0.8728").
constexpr int kEcbSignificantDigits = 5;
// The feed writes eight decimals whatever the rate; it is taken as good for five to six
// significant digits.
constexpr int kMarketSignificantDigits = 6;
// An exact answer is written in full when its decimal ends within this many places; otherwise
// to six significant digits, and never fewer than two places.
constexpr int kMaxExactDecimals = 50;
constexpr int kExactSignificantDigits = 6;
constexpr int kExactMinDecimals = 2;

// Codes that the rate files leave out on purpose, and why.
struct Unlinked {
    const char* code;
    const char* why;
};
constexpr Unlinked kUnlinked[] = {
    {"UAG",
     "No currency is known to have used the code UAG; Ukraine's karbovanets was UAK, its "
     "hryvnia is UAH."},
    {"YUN",
     "The Yugoslav dinar (YUN) has no sourced chain of fixed links to a currency of today."},
    {"ZWD", "The Zimbabwe dollar (ZWD) has no fixed link to Zimbabwe's currency of today."},
};

ExactFraction decimal(QByteArrayView text) {
    // Every figure in the book was checked when its file was read.
    return ExactFraction::fromDecimal(text).value_or(ExactFraction());
}

}  // namespace

RateBook::RateBook(QuoteTable ecb, QuoteTable market, FixedRates euroFixed, FixedRates euroPegs,
                   Redenominations redenominations)
    : ecb_(std::move(ecb)),
      market_(std::move(market)),
      euroFixed_(std::move(euroFixed)),
      euroPegs_(std::move(euroPegs)),
      redenominations_(std::move(redenominations)) {
    resolveAll();
}

void RateBook::takeEcbDay(const DayFile& day) {
    ecb_.takeDay(day.day, day.quotes);
    resolveAll();  // the day may quote a currency that had no rate
}

void RateBook::takeMarketDay(const DayFile& day) {
    market_.takeDay(day.day, day.quotes);
    resolveAll();
}

void RateBook::resolveAll() {
    // A code no table names resolves to itself, unquoted: only the euro has a rate then.
    QList<QString> codes = ecb_.codes() + market_.codes() + euroFixed_.keys() + euroPegs_.keys() +
                           redenominations_.links.keys();
    codes.append(kEuro);
    resolved_.clear();
    for (const QString& code : std::as_const(codes)) {
        auto resolved = resolve(code);
        if (resolved && (resolved->base == kEuro || ecb_.quotes(resolved->base) ||
                         market_.quotes(resolved->base))) {
            resolved_.emplace(code, std::move(*resolved));
        }
    }
}

std::optional<RateBook::Resolved> RateBook::resolve(const QString& code) const {
    Resolved resolved{code, {}};
    for (int step = 0; step <= kMaxChainLength; ++step) {
        if (resolved.base == kEuro) {
            return resolved;
        }
        // The irrevocable rates and the pegs win over any market quote of the same code.
        for (const FixedRates* fixed : {&euroFixed_, &euroPegs_}) {
            if (const auto rate = fixed->constFind(resolved.base); rate != fixed->cend()) {
                resolved.unitsPerBase *= decimal(rate->unitsPerEur);
                resolved.base = kEuro;
                return resolved;
            }
        }
        const auto link = redenominations_.links.constFind(resolved.base);
        if (link == redenominations_.links.cend()) {
            return resolved;
        }
        resolved.unitsPerBase *= decimal(link->oldUnitsPerNew);
        resolved.base = link->successor;
    }
    return std::nullopt;
}

bool RateBook::hasRate(const QString& code) const {
    return resolved_.contains(code);
}

QSet<QString> RateBook::marketCodes() const {
    const QList<QString> codes = market_.codes();
    return {codes.begin(), codes.end()};
}

Conversion RateBook::convert(QByteArrayView amount, const QString& from,
                             const QString& to) const {
    // A code without a rate has none against itself either: "1 UAG = 1 UAG" would vouch
    // for a currency that never was.
    const auto source = resolved_.constFind(from);
    const auto target = resolved_.constFind(to);
    if (source == resolved_.cend() || target == resolved_.cend()) {
        return {{}, {}, whyNoRate(from, to)};
    }
    ExactFraction value = decimal(amount);
    value /= source->unitsPerBase;
    if (source->base == target->base) {
        // The same currency, an old code and its successor, or two of the euro's: no market
        // rate is involved and the answer is exact.
        value *= target->unitsPerBase;
        const auto decimals = value.terminatingDecimals();
        return {decimals && *decimals <= kMaxExactDecimals
                    ? value.toDecimal(*decimals)
                    : value.toSignificant(kExactSignificantDigits, kExactMinDecimals),
                {},
                {}};
    }
    const auto ecb = ecb_.pair(source->base, target->base);
    const auto market = market_.pair(source->base, target->base);
    if (!ecb && !market) {
        return {{}, {}, whyNoRate(from, to)};
    }
    const bool fromEcb = ecb && (!market || ecb->day >= market->day);
    const PairQuote& quote = fromEcb ? *ecb : *market;
    int digits = std::numeric_limits<int>::max();
    int ratesUsed = 0;
    for (const Quote* rate : {quote.from, quote.to}) {
        if (rate == nullptr) {
            continue;  // the euro
        }
        ++ratesUsed;
        const int carried = rate->significantDigits;
        digits = std::min(digits, fromEcb ? std::max(kEcbSignificantDigits, carried)
                                          : std::clamp(carried, kEcbSignificantDigits,
                                                       kMarketSignificantDigits));
    }
    if (quote.from != nullptr) {
        value /= quote.from->unitsPerEur;
    }
    if (quote.to != nullptr) {
        value *= quote.to->unitsPerEur;
    }
    value *= target->unitsPerBase;
    return {value.toSignificant(digits, std::numeric_limits<int>::min() / 2),
            joinedBytes({fromEcb ? "ECB reference rate" : "market rate",
                         ratesUsed > 1 ? "s of " : " of ", quote.isoDay}),
            {}};
}

QString RateBook::whyNoRate(const QString& from, const QString& to) const {
    QStringList missing;
    for (const QString& code : {from, to}) {
        if (hasRate(code) || missing.contains(code)) {
            continue;
        }
        if (const auto successors = redenominations_.ambiguous.constFind(code);
            successors != redenominations_.ambiguous.cend()) {
            return QStringLiteral("%1 had more than one successor (%2), so it has no single rate.")
                .arg(code, successors->join(QStringLiteral(" and ")));
        }
        for (const Unlinked& unlinked : kUnlinked) {
            if (code == QLatin1String(unlinked.code)) {
                return QString::fromLatin1(unlinked.why);
            }
        }
        missing.append(code);
    }
    if (missing.isEmpty()) {
        return QStringLiteral("No source quotes %1 and %2 on the same day.").arg(from, to);
    }
    return QStringLiteral("No exchange rate is available for %1.")
        .arg(missing.join(QStringLiteral(" or ")));
}

}  // namespace tolvane
