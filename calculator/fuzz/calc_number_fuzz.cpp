// The calculator's reading of numbers from typed and pasted text, and its writing of results.
// A number that reads strictly reads the same leniently; a number written reads back within
// the rounding to fifteen digits and writes again as the same text; a paste leaves the display
// either as it was or showing a number in the calculator's own writing.
#include "calculator/calc_engine.h"
#include "calculator/calc_number.h"
#include "testing/fuzz_check.h"

#include <QRegularExpression>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

using tolvane::fuzzCheck;

// Fixed form, or one digit before the point and a signed exponent of at least two digits.
const QRegularExpression kWriting(QStringLiteral(
    R"(^-?(?:(?<whole>0|[1-9]\d*)(?:\.(?<fraction>\d*[1-9]))?|[1-9](?:\.\d*[1-9])?E(?<power>[+-]\d{2,3}))$)"));

void checkWriting(const QString& text) {
    const QRegularExpressionMatch match = kWriting.match(text);
    fuzzCheck(match.hasMatch(), "a number is written in fixed or exponent form, no trailing zero");
    fuzzCheck(text != u"-0", "zero has no sign");
    qsizetype significant = 0;
    bool leading = true;
    for (const QChar c : text.left(text.indexOf(u'E') < 0 ? text.size() : text.indexOf(u'E'))) {
        if (c.isDigit() && !(leading && c == u'0')) {
            leading = false;
            ++significant;
        }
    }
    fuzzCheck(significant <= 15, "at most fifteen significant digits");
    if (match.hasCaptured(u"power")) {
        const int power = match.captured(u"power").toInt();
        fuzzCheck(power >= 15 || power <= -5, "exponent form only outside 1E-04 to 1E+15");
    } else if (match.captured(u"whole") == u"0" && match.hasCaptured(u"fraction")) {
        const QString fraction = match.captured(u"fraction");
        fuzzCheck(!fraction.startsWith(u"0000"),
                  "no more than three zeros after the point in fixed form");
    } else {
        fuzzCheck(match.captured(u"whole").size() <= 15, "no more than fifteen whole digits");
    }
}

void checkWritten(double value) {
    const std::optional<QString> text = tolvane::writeReadableNumber(value);
    if (!text) {
        // Only the largest doubles round past the largest one.
        fuzzCheck(std::abs(value) > 1.79769313486231e308, "every other number can be written");
        return;
    }
    checkWriting(*text);
    const std::optional<double> read = tolvane::readNumberStrictly(*text);
    fuzzCheck(read.has_value(), "a written number reads");
    const double error = std::abs(*read - value);
    fuzzCheck(
        error <= std::abs(value) * 1e-14 || error <= std::numeric_limits<double>::denorm_min(),
        "a written number reads back within its rounding");
    fuzzCheck(tolvane::writeNumber(*read) == *text, "a number read back writes as the same text");
}

void checkRead(const QString& text) {
    const double lenient = tolvane::readNumberLeniently(text);
    fuzzCheck(!std::isnan(lenient), "lenient reading never gives NaN");
    const std::optional<double> strict = tolvane::readNumberStrictly(text);
    if (!strict)
        return;
    fuzzCheck(std::isfinite(*strict), "strict reading gives finite numbers only");
    fuzzCheck(*strict == lenient, "what reads strictly reads the same leniently");
    checkWritten(*strict);
}

// The display shows nothing or a number in the calculator's writing.
void checkDisplay(const QString& display) {
    if (display.isEmpty())
        return;
    const std::optional<double> value = tolvane::readNumberStrictly(display);
    fuzzCheck(value && tolvane::writeNumber(*value) == display,
              "the display shows a number in the calculator's writing");
}

void checkPaste(const QString& text) {
    tolvane::CalcEngine alone;
    alone.Pasting(text);
    checkDisplay(alone.label2());

    // As the second operand of each operator, then computed.
    for (const QStringView op : {u"+", u"-", u"*", u"/"}) {
        tolvane::CalcEngine engine;
        engine.enterDigit(u"7");
        engine.enterOperator(op);
        engine.Pasting(text);
        fuzzCheck(engine.label2() == u"7" || engine.last() == u"7",
                  "a paste changes the display or nothing");
        engine.Score();
        checkDisplay(engine.label2());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    checkRead(text);
    checkPaste(text);
    // The input's first bytes as a double, to write every kind of number there is.
    if (size >= sizeof(double)) {
        double value = 0;
        std::memcpy(&value, data, sizeof value);
        if (std::isfinite(value))
            checkWritten(value);
    }
    return 0;
}
