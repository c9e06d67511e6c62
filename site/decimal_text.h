#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

#include <optional>

namespace tolvane {

// A rate as the rate files write it: an unsigned plain decimal with "." as the mark and at
// least one digit that is not zero ("0.8728", "1000", "340.750").
bool isPositiveDecimal(QByteArrayView text);

// The significant digits a decimal text carries: "340.750" six, "0.8728" four, "1000" four.
int significantDigits(QByteArrayView text);

// An amount as a user writes it: "250", "12.5", "1,000" or "1,000,000.5", blanks around it
// ignored. A comma only ever separates thousands; "12,5" is refused rather than guessed at.
struct AmountReading {
    enum class Problem { None, NotANumber, AmbiguousComma, TooLong };
    Problem problem = Problem::None;
    // The amount as written, as a plain decimal without separators or zeros that say nothing
    // ("1,000,000.50" gives "1000000.5", ".5" gives "0.5").
    QByteArray normalised;
};
inline constexpr int kMaxAmountDigits = 30;
AmountReading readAmount(QStringView text);

}  // namespace tolvane
