#include "site/exact_decimal.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <limits>
#include <string>

namespace tolvane {
namespace {

using BigInt = ExactFraction::BigInt;

// 10^0 to 10^19, the powers that fit in 64 bits.
constexpr auto kSmallPowers = [] {
    std::array<std::uint64_t, 20> powers{};
    std::uint64_t power = 1;
    for (std::uint64_t& entry : powers) {
        entry = power;
        power *= 10;
    }
    return powers;
}();

BigInt powerOfTen(int exponent) {
    if (exponent < static_cast<int>(kSmallPowers.size())) {
        return kSmallPowers[static_cast<std::size_t>(exponent)];
    }
    return boost::multiprecision::pow(BigInt(10), static_cast<unsigned>(exponent));
}

// The decimal digits of a non-negative value; most answers fit in a machine word, and their
// digits in a short string's own room.
std::string digitsOf(const BigInt& value) {
    if (value <= std::numeric_limits<std::uint64_t>::max()) {
        std::array<char, std::numeric_limits<std::uint64_t>::digits10 + 1> digits{};
        const char* end = std::to_chars(digits.data(), digits.data() + digits.size(),
                                        value.convert_to<std::uint64_t>())
                              .ptr;
        return {digits.data(), static_cast<std::size_t>(end - digits.data())};
    }
    return value.str();
}

// The number of decimal digits of a positive value: estimated from its highest bit, then
// checked against the power of ten, without writing the number out.
int decimalDigits(const BigInt& value) {
    constexpr double kLog10Of2 = 0.30102999566398120;
    auto digits = static_cast<int>(static_cast<double>(boost::multiprecision::msb(value)) *
                                   kLog10Of2) + 1;
    if (value >= powerOfTen(digits)) {
        ++digits;
    }
    return digits;
}

// Removes every factor of `prime` from value and counts them.
int strip(BigInt& value, unsigned prime) {
    int count = 0;
    while (value > 1 && value % prime == 0) {
        value /= prime;
        ++count;
    }
    return count;
}

}  // namespace

ExactFraction::ExactFraction(BigInt numerator, BigInt denominator)
    : numerator_(std::move(numerator)), denominator_(std::move(denominator)) {}

std::optional<ExactFraction> ExactFraction::fromDecimal(QByteArrayView text) {
    // Eighteen digits at a time in a machine word, which is how most figures fit whole.
    constexpr int kWordDigits = 18;
    BigInt value;
    std::uint64_t word = 0;
    int wordDigits = 0;
    int digits = 0;
    int decimals = 0;
    bool seenMark = false;
    for (const char c : text) {
        if (c == '.' && !seenMark) {
            seenMark = true;
            continue;
        }
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        word = word * 10 + static_cast<std::uint64_t>(c - '0');
        ++digits;
        decimals += seenMark ? 1 : 0;
        if (++wordDigits == kWordDigits) {
            value = value * powerOfTen(kWordDigits) + word;
            word = 0;
            wordDigits = 0;
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    value = value * powerOfTen(wordDigits) + word;
    return ExactFraction(std::move(value), powerOfTen(decimals));
}

ExactFraction& ExactFraction::operator*=(const ExactFraction& factor) {
    numerator_ *= factor.numerator_;
    denominator_ *= factor.denominator_;
    return *this;
}

ExactFraction& ExactFraction::operator/=(const ExactFraction& divisor) {
    numerator_ *= divisor.denominator_;
    denominator_ *= divisor.numerator_;
    return *this;
}

std::optional<int> ExactFraction::terminatingDecimals() const {
    BigInt denominator = denominator_ / boost::multiprecision::gcd(numerator_, denominator_);
    const int twos = strip(denominator, 2);
    const int fives = strip(denominator, 5);
    if (denominator != 1) {
        return std::nullopt;
    }
    return std::max(twos, fives);
}

int ExactFraction::leadingExponent() const {
    // The quotient of an a-digit and a b-digit number lies between 10^(a-b-1) and 10^(a-b+1).
    const int exponent = decimalDigits(numerator_) - decimalDigits(denominator_);
    const bool below = exponent >= 0 ? numerator_ < denominator_ * powerOfTen(exponent)
                                     : numerator_ * powerOfTen(-exponent) < denominator_;
    return below ? exponent - 1 : exponent;
}

QByteArray ExactFraction::toDecimal(int decimals) const {
    BigInt numerator = numerator_;
    BigInt denominator = denominator_;
    if (decimals >= 0) {
        numerator *= powerOfTen(decimals);
    } else {
        denominator *= powerOfTen(-decimals);
    }
    BigInt quotient;
    BigInt remainder;
    boost::multiprecision::divide_qr(numerator, denominator, quotient, remainder);
    if (remainder * 2 >= denominator) {
        ++quotient;  // half away from zero, the value being positive
    }
    std::string text = digitsOf(quotient);
    if (decimals < 0) {
        if (!quotient.is_zero()) {
            text.append(static_cast<std::size_t>(-decimals), '0');
        }
        return QByteArray::fromStdString(text);
    }
    const auto places = static_cast<std::size_t>(decimals);
    if (text.size() <= places) {
        text.insert(0, places + 1 - text.size(), '0');
    }
    text.insert(text.size() - places, 1, '.');
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') {
        text.pop_back();
    }
    return QByteArray::fromStdString(text);
}

QByteArray ExactFraction::toSignificant(int digits, int minDecimals) const {
    if (isZero()) {
        return QByteArrayLiteral("0");
    }
    return toDecimal(std::max(minDecimals, digits - 1 - leadingExponent()));
}

}  // namespace tolvane
