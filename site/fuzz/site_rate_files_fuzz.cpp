// The rate file readers with damaged input: whatever they accept must be usable rates.
#include "site/decimal_text.h"
#include "site/rate_files.h"

#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void checkQuotes(const std::optional<tolvane::RateQuotes>& quotes) {
    if (!quotes) {
        return;
    }
    for (const tolvane::RateQuote& quote : *quotes) {
        if (!(quote.unitsPerEur > 0) || !std::isfinite(quote.unitsPerEur) ||
            !quote.date.isValid()) {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    checkQuotes(tolvane::parseEcbHistory(bytes));
    checkQuotes(tolvane::parseEcbDaily(bytes));
    checkQuotes(tolvane::parseEuroFixedRates(bytes));
    if (const auto links = tolvane::parseRedenominations(bytes)) {
        for (const tolvane::Redenomination& link : *links) {
            if (!(link.oldUnitsPerNew > 0) || !std::isfinite(link.oldUnitsPerNew)) {
                std::abort();
            }
        }
    }
    if (const auto amount = tolvane::parseAmount(QString::fromUtf8(bytes))) {
        if (*amount < 0 || !std::isfinite(*amount)) {
            std::abort();
        }
        (void)tolvane::formatSignificant(*amount, 15);
    }
    return 0;
}
