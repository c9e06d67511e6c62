#include "site/rate_book.h"

#include "site/decimal_text.h"
#include "site/exact_decimal.h"

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

// What a code comes to after its fixed links: so many of its units for one unit of a base,
// the euro or a floating currency.
struct RateBook::Resolved {
    QString base;
    ExactFraction unitsPerBase;
};

RateBook::RateBook(QuoteTable ecb, QuoteTable market, FixedRates euroFixed, FixedRates euroPegs,
                   Redenominations redenominations)
    : ecb_(std::move(ecb)),
      market_(std::move(market)),
      euroFixed_(std::move(euroFixed)),
      euroPegs_(std::move(euroPegs)),
      redenominations_(std::move(redenominations)) {}

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
    const auto resolved = resolve(code);
    return resolved && (resolved->base == kEuro || ecb_.quotes(resolved->base) ||
                        market_.quotes(resolved->base));
}

QSet<QString> RateBook::marketCodes() const {
    const QList<QString> codes = market_.codes();
    return {codes.begin(), codes.end()};
}

Conversion RateBook::convert(QByteArrayView amount, const QString& from,
                             const QString& to) const {
    // A code without a rate has none against itself either: "1 UAG = 1 UAG" would vouch
    // for a currency that never was.
    if (!hasRate(from) || !hasRate(to)) {
        return {{}, {}, whyNoRate(from, to)};
    }
    const auto source = resolve(from);
    const auto target = resolve(to);
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
    for (const QByteArray& rate : {quote.from, quote.to}) {
        if (rate.isNull()) {
            continue;  // the euro
        }
        ++ratesUsed;
        const int carried = significantDigits(rate);
        digits = std::min(digits, fromEcb ? std::max(kEcbSignificantDigits, carried)
                                          : std::clamp(carried, kEcbSignificantDigits,
                                                       kMarketSignificantDigits));
    }
    if (!quote.from.isNull()) {
        value /= decimal(quote.from);
    }
    if (!quote.to.isNull()) {
        value *= decimal(quote.to);
    }
    value *= target->unitsPerBase;
    const QString label = fromEcb ? QStringLiteral("ECB reference rate") : QStringLiteral("market rate");
    return {value.toSignificant(digits, std::numeric_limits<int>::min() / 2),
            (ratesUsed > 1 ? label + u's' : label) + QStringLiteral(" of ") +
                quote.day.toString(Qt::ISODate),
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
