// The rate file readers and the amount reader with damaged input: whatever they accept must be
// usable exactly, and an amount must come back unchanged from its exact value.
#include "site/decimal_text.h"
#include "site/exact_decimal.h"
#include "site/rate_files.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void checkFigure(const QByteArray& figure) {
    const auto exact = tolvane::ExactFraction::fromDecimal(figure);
    if (!tolvane::isPositiveDecimal(figure) || !exact || exact->isZero()) {
        std::abort();
    }
}

void checkDay(const tolvane::DayQuotes& quotes) {
    for (const QByteArray& figure : quotes) {
        checkFigure(figure);
    }
}

void checkTable(const std::optional<tolvane::QuoteTable>& table) {
    if (!table) {
        return;
    }
    const QList<QString> codes = table->codes();
    for (const QString& code : codes) {
        const auto quote = table->pair(code, QStringLiteral("EUR"));
        if (!quote || !quote->day.isValid() || quote->to != nullptr || quote->from == nullptr) {
            std::abort();
        }
        // The figure read once when the day was taken is the figure's exact value.
        checkFigure(quote->from->figure);
        if (!(quote->from->unitsPerEur ==
              *tolvane::ExactFraction::fromDecimal(quote->from->figure))) {
            std::abort();
        }
        if (const auto pair = table->pair(code, codes.first()); pair && pair->day > quote->day) {
            std::abort();  // never a day newer than the code's own
        }
    }
}

void checkFixed(const std::optional<tolvane::FixedRates>& rates) {
    if (!rates) {
        return;
    }
    for (const tolvane::FixedRate& rate : *rates) {
        checkFigure(rate.unitsPerEur);
        if (!rate.since.isValid()) {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    checkTable(tolvane::parseEcbHistory(bytes));
    checkTable(tolvane::parseMarketRates(bytes));
    if (const auto day = tolvane::parseEcbDaily(bytes)) {
        checkDay(day->quotes);
    }
    if (const auto day = tolvane::parseMarketFeed(
            bytes, {QStringLiteral("USD"), QStringLiteral("XAU"), QStringLiteral("GBP")})) {
        checkDay(day->quotes);
    }
    checkFixed(tolvane::parseEuroFixedRates(bytes));
    checkFixed(tolvane::parseEuroPegs(bytes));
    if (const auto links = tolvane::parseRedenominations(bytes)) {
        for (const tolvane::Redenomination& link : links->links) {
            checkFigure(link.oldUnitsPerNew);
        }
    }
    const tolvane::AmountReading amount = tolvane::readAmount(QString::fromUtf8(bytes));
    if (amount.problem == tolvane::AmountReading::Problem::None) {
        const auto exact = tolvane::ExactFraction::fromDecimal(amount.normalised);
        const auto decimals = exact ? exact->terminatingDecimals() : std::nullopt;
        if (!decimals || exact->toDecimal(*decimals) != amount.normalised) {
            std::abort();
        }
    }
    return 0;
}
