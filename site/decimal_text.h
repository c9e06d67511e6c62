#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

namespace tolvane {

// A figure as written in a rate file: its value and how many significant digits the text
// carries ("340.750" has six, "0.8728" four, "1000" four).
struct DecimalFigure {
    double value = 0;
    int significantDigits = 0;
};

// An unsigned plain decimal with "." as the mark ("0.8728", "1000"); nothing else.
std::optional<DecimalFigure> parsePlainDecimal(QByteArrayView text);

// An amount as a user types it: "250", "12.5" or "12,5", blanks around it ignored. No sign,
// exponent or thousands separator; at most fifteen digits before the mark.
std::optional<double> parseAmount(QStringView text);

// The value rounded to the given number of significant digits and written as a plain decimal
// (no exponent, no trailing zeros after the mark, "." as the mark).
QString formatSignificant(double value, int significantDigits);

}  // namespace tolvane
