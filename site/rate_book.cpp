#include "site/rate_book.h"

#include <QStringList>

#include <algorithm>

namespace tolvane {
namespace {

// A link chain longer than this is a loop in the data.
constexpr int kMaxChainLength = 8;
// The ECB gives most rates with five significant digits and drops trailing zeros.
constexpr int kEcbSignificantDigits = 5;

int leastPrecise(int a, int b) {
    if (a == 0 || b == 0) {
        return std::max(a, b);
    }
    return std::min(a, b);
}

void appendNew(QList<RateSource>& to, const QList<RateSource>& from) {
    for (const RateSource& source : from) {
        if (!to.contains(source)) {
            to.append(source);
        }
    }
}

// "ECB reference rate of D", "... rates of D" or "... rates of D1 for A and D2 for B".
QString describeDated(const QString& label, const QList<RateSource>& sources) {
    const bool oneDate = std::all_of(sources.begin(), sources.end(), [&](const RateSource& s) {
        return s.date == sources.first().date;
    });
    const QString noun = sources.size() == 1 ? label : label + u's';
    if (oneDate) {
        return noun + QStringLiteral(" of ") + sources.first().date;
    }
    QStringList parts;
    for (const RateSource& source : sources) {
        parts.append(source.date + QStringLiteral(" for ") + source.code);
    }
    return noun + QStringLiteral(" of ") + parts.join(QStringLiteral(" and "));
}

}  // namespace

RateBook::RateBook(RateQuotes ecb, EuroFixedRates euroFixed, Redenominations redenominations)
    : ecb_(std::move(ecb)),
      euroFixed_(std::move(euroFixed)),
      redenominations_(std::move(redenominations)) {}

std::optional<EuroValue> RateBook::euroValue(const QString& code) const {
    return euroValue(code, 0);
}

std::optional<EuroValue> RateBook::euroValue(const QString& code, int chainLength) const {
    if (code == u"EUR") {
        return EuroValue{};
    }
    if (const auto fixed = euroFixed_.constFind(code); fixed != euroFixed_.cend()) {
        return EuroValue{
            fixed->unitsPerEur,
            fixed->significantDigits,
            {{RateSource::Kind::EuroFixed, code, fixed->date.toString(Qt::ISODate), {}, {}}}};
    }
    if (const auto link = redenominations_.constFind(code);
        link != redenominations_.cend() && chainLength < kMaxChainLength) {
        if (auto value = euroValue(link->successor, chainLength + 1)) {
            value->unitsPerEur *= link->oldUnitsPerNew;
            value->significantDigits =
                leastPrecise(value->significantDigits, link->significantDigits);
            value->sources.prepend({RateSource::Kind::Redenomination, code, link->since,
                                    link->successor, link->ratioText});
            return value;
        }
    }
    if (const auto quote = ecb_.constFind(code); quote != ecb_.cend()) {
        return EuroValue{
            quote->unitsPerEur,
            std::max(kEcbSignificantDigits, quote->significantDigits),
            {{RateSource::Kind::EcbReference, code, quote->date.toString(Qt::ISODate), {}, {}}}};
    }
    return std::nullopt;
}

std::optional<Conversion> RateBook::convert(double amount, const QString& from,
                                            const QString& to) const {
    const auto source = euroValue(from);
    const auto target = euroValue(to);
    if (!source || !target) {
        return std::nullopt;
    }
    if (from == to) {
        return Conversion{amount, 0, source->sources};
    }
    Conversion conversion{amount / source->unitsPerEur * target->unitsPerEur,
                          leastPrecise(source->significantDigits, target->significantDigits),
                          source->sources};
    appendNew(conversion.sources, target->sources);
    return conversion;
}

void RateBook::takeNewerQuotes(const RateQuotes& quotes) {
    for (auto quote = quotes.cbegin(); quote != quotes.cend(); ++quote) {
        const auto known = ecb_.constFind(quote.key());
        if (known == ecb_.cend() || known->date < quote->date) {
            ecb_.insert(quote.key(), quote.value());
        }
    }
}

QDate RateBook::newestEcbDate() const {
    QDate newest;
    for (const RateQuote& quote : ecb_) {
        if (!newest.isValid() || newest < quote.date) {
            newest = quote.date;
        }
    }
    return newest;
}

QString describeSources(const QList<RateSource>& sources) {
    QList<RateSource> ecb;
    QList<RateSource> euroFixed;
    QStringList parts;
    for (const RateSource& source : sources) {
        switch (source.kind) {
            case RateSource::Kind::EcbReference:
                ecb.append(source);
                break;
            case RateSource::Kind::EuroFixed:
                euroFixed.append(source);
                break;
            case RateSource::Kind::Redenomination:
                parts.append(QStringLiteral("1 %1 = %2 %3 since %4")
                                 .arg(source.successor, source.ratio, source.code, source.date));
                break;
        }
    }
    if (!euroFixed.isEmpty()) {
        parts.prepend(describeDated(QStringLiteral("irrevocable euro conversion rate"), euroFixed));
    }
    if (!ecb.isEmpty()) {
        parts.prepend(describeDated(QStringLiteral("ECB reference rate"), ecb));
    }
    return parts.join(QStringLiteral("; "));
}

}  // namespace tolvane
