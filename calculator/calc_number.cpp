#include "calculator/calc_number.h"

#include <QByteArray>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace tolvane {
namespace {

constexpr int kSignificantDigits = 15;
// Exponents (of the leading digit) written in fixed form: 1E-04 up to 999999999999999.
constexpr int kSmallestFixedExponent = -4;
constexpr int kLargestFixedExponent = kSignificantDigits - 1;

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool isSign(QChar c) {
    return c == u'+' || c == u'-';
}

bool isSign(char c) {
    return c == '+' || c == '-';
}

qsizetype skipBlanks(QStringView text, qsizetype pos) {
    while (pos < text.size() && text[pos].isSpace())
        ++pos;
    return pos;
}

qsizetype skipDigits(QStringView text, qsizetype pos) {
    while (pos < text.size() && isDigit(text[pos]))
        ++pos;
    return pos;
}

// The end of the longest number starting at pos: a sign, digits with at most one point (at
// least one digit in all), then an exponent only if it has digits ("1e" is the number 1).
// pos itself when no number starts there.
qsizetype numberEnd(QStringView text, qsizetype pos) {
    qsizetype end = pos;
    if (end < text.size() && isSign(text[end]))
        ++end;
    const qsizetype wholeEnd = skipDigits(text, end);
    bool hasDigits = wholeEnd > end;
    end = wholeEnd;
    if (end < text.size() && text[end] == u'.') {
        const qsizetype fractionEnd = skipDigits(text, end + 1);
        hasDigits = hasDigits || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (!hasDigits)
        return pos;
    if (end < text.size() && (text[end] == u'e' || text[end] == u'E')) {
        qsizetype digitsStart = end + 1;
        if (digitsStart < text.size() && isSign(text[digitsStart]))
            ++digitsStart;
        const qsizetype exponentEnd = skipDigits(text, digitsStart);
        if (exponentEnd > digitsStart)
            end = exponentEnd;
    }
    return end;
}

// Whether an unsigned number text that a double cannot hold is too large rather than too
// small: the power of ten of its first non-zero digit is positive.
bool isTooLarge(std::string_view number) {
    const auto exponentAt = number.find_first_of("eE");
    long long exponent = 0;
    if (exponentAt != std::string_view::npos) {
        const std::string_view written = number.substr(exponentAt + 1);
        const bool negative = written.front() == '-';
        // Any exponent beyond this bound is out of range either way; saturate instead of
        // overflowing.
        constexpr long long kBound = 1'000'000'000;
        for (const char c : written.substr(isSign(written.front()) ? 1 : 0))
            exponent = std::min(exponent * 10 + (c - '0'), kBound);
        if (negative)
            exponent = -exponent;
        number = number.substr(0, exponentAt);
    }
    const auto point = std::min(number.find('.'), number.size());
    const auto firstNonZero = number.find_first_of("123456789");
    if (firstNonZero == std::string_view::npos)
        return false;
    // The first non-zero digit's power of ten: 2 in 123, -3 in 0.001.
    const auto distance = static_cast<long long>(point) - static_cast<long long>(firstNonZero);
    const long long power = distance > 0 ? distance - 1 : distance;
    return exponent + power > 0;
}

struct Conversion {
    double value = 0;
    bool overflow = false;
};

// The value of a text that numberEnd accepted whole; out of a double's range it becomes an
// infinity (overflow) or zero, keeping its sign.
Conversion convert(QStringView number) {
    const QByteArray ascii = number.toLatin1();
    std::string_view digits(ascii.constData(), static_cast<std::size_t>(ascii.size()));
    const bool negative = digits.front() == '-';
    if (isSign(digits.front()))
        digits.remove_prefix(1);
    Conversion conversion;
    const auto result =
        std::from_chars(digits.data(), digits.data() + digits.size(), conversion.value);
    if (result.ec == std::errc::result_out_of_range) {
        conversion.overflow = isTooLarge(digits);
        conversion.value = conversion.overflow ? std::numeric_limits<double>::infinity() : 0.0;
    }
    if (negative)
        conversion.value = -conversion.value;
    return conversion;
}

std::string fixedForm(const std::string& digits, int exponent) {
    if (exponent < 0)
        return "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    const auto wholeDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= wholeDigits)
        return digits + std::string(wholeDigits - digits.size(), '0');
    return digits.substr(0, wholeDigits) + '.' + digits.substr(wholeDigits);
}

std::string exponentForm(const std::string& digits, int exponent) {
    std::string text = digits.substr(0, 1);
    if (digits.size() > 1)
        text += '.' + digits.substr(1);
    text += exponent < 0 ? "E-" : "E+";
    const std::string power = std::to_string(std::abs(exponent));
    return text + (power.size() < 2 ? "0" : "") + power;
}

}  // namespace

double readNumberLeniently(QStringView text) {
    const qsizetype start = skipBlanks(text, 0);
    const qsizetype end = numberEnd(text, start);
    return end == start ? 0.0 : convert(text.sliced(start, end - start)).value;
}

std::optional<double> readNumberStrictly(QStringView text) {
    const qsizetype start = skipBlanks(text, 0);
    const qsizetype end = numberEnd(text, start);
    if (end == start || skipBlanks(text, end) != text.size())
        return std::nullopt;
    const Conversion conversion = convert(text.sliced(start, end - start));
    if (conversion.overflow)
        return std::nullopt;
    return conversion.value;
}

QString writeNumber(double value) {
    Q_ASSERT(std::isfinite(value));
    // Also -0, which would otherwise be written "-0".
    if (value == 0)
        return QStringLiteral("0");
    // "-d.dddddddddddddde-05": the rounding done, the leading digit's power after it.
    std::array<char, 32> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::scientific, kSignificantDigits - 1);
    const std::string_view scientific(buffer.data(),
                                      static_cast<std::size_t>(written.ptr - buffer.data()));
    const bool negative = scientific.front() == '-';
    const auto exponentAt = scientific.find('e');

    std::string digits;
    for (const char c : scientific.substr(negative ? 1 : 0, exponentAt - (negative ? 1 : 0))) {
        if (c != '.')
            digits += c;
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string_view power = scientific.substr(exponentAt + 1);
    const bool negativePower = power.front() == '-';
    power.remove_prefix(1);
    int exponent = 0;
    std::from_chars(power.data(), power.data() + power.size(), exponent);
    if (negativePower)
        exponent = -exponent;

    const bool fixed = exponent >= kSmallestFixedExponent && exponent <= kLargestFixedExponent;
    const std::string text = (negative ? "-" : "") +
                             (fixed ? fixedForm(digits, exponent) : exponentForm(digits, exponent));
    return QString::fromLatin1(text);
}

std::optional<QString> writeReadableNumber(double value) {
    QString text = writeNumber(value);
    if (!readNumberStrictly(text))
        return std::nullopt;
    return text;
}

}  // namespace tolvane
