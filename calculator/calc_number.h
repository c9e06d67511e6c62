#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace tolvane {

// The calculator's numbers as text. The decimal separator is "." whatever the user's locale.

// The longest number at the start of the text (blanks, a sign, digits with one point, an
// exponent); what follows is ignored. No number there reads as 0. Never fails: a number too
// large for a double reads as an infinity, one too small as zero.
double readNumberLeniently(QStringView text);

// The whole text as one number, blanks around it allowed. Anything else fails, and so does a
// number too large for a double.
std::optional<double> readNumberStrictly(QStringView text);

// A finite value rounded to 15 significant digits, without trailing zeros or point, in exponent
// form (1E+20, 1E-05) outside 1E-04 <= |value| < 1E+15, judged after rounding: so no fixed form
// has more than 15 digits before the point or more than three zeros after it.
QString writeNumber(double value);

// The value written as writeNumber writes it, when that text reads back strictly: the largest
// doubles round up, past the largest, to a text that does not.
std::optional<QString> writeReadableNumber(double value);

}  // namespace tolvane
