#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <boost/multiprecision/cpp_int.hpp>

#include <optional>

namespace tolvane {

// A non-negative fraction of big integers: amounts and rates multiplied and divided without
// any rounding, rounded once when the answer is written.
class ExactFraction {
public:
    using BigInt = boost::multiprecision::cpp_int;

    // One.
    ExactFraction() = default;
    // A plain decimal text with "." as the mark ("0.8728", "1000", "12."), nothing else.
    static std::optional<ExactFraction> fromDecimal(QByteArrayView text);

    ExactFraction& operator*=(const ExactFraction& factor);
    // The divisor must not be zero.
    ExactFraction& operator/=(const ExactFraction& divisor);
    friend bool operator==(const ExactFraction& a, const ExactFraction& b) {
        return a.numerator_ * b.denominator_ == b.numerator_ * a.denominator_;
    }

    bool isZero() const { return numerator_.is_zero(); }
    // The places after the mark its exact decimal needs, when that decimal ends at all.
    std::optional<int> terminatingDecimals() const;
    // e such that 10^e <= value < 10^(e+1); the value must not be zero.
    int leadingExponent() const;
    // Rounded half away from zero to the given places after the mark (a negative count rounds
    // to tens, hundreds…), as a plain decimal without trailing zeros after the mark.
    QByteArray toDecimal(int decimals) const;
    // Rounded the same way to as many significant digits, but to no fewer places than given.
    QByteArray toSignificant(int digits, int minDecimals) const;

private:
    ExactFraction(BigInt numerator, BigInt denominator);

    BigInt numerator_{1};
    BigInt denominator_{1};
};

}  // namespace tolvane
