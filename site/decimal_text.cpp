#include "site/decimal_text.h"

#include <QByteArray>

#include <cmath>

namespace tolvane {
namespace {

constexpr qsizetype kMaxFigureLength = 40;
constexpr int kMaxAmountIntegerDigits = 15;
constexpr int kMaxAmountDigits = 30;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Digits with at most one "." and at least one digit.
bool isPlainDecimal(QByteArrayView text) {
    bool seenMark = false;
    bool seenDigit = false;
    for (const char c : text) {
        if (c == '.') {
            if (seenMark) {
                return false;
            }
            seenMark = true;
        } else if (isDigit(c)) {
            seenDigit = true;
        } else {
            return false;
        }
    }
    return seenDigit;
}

int countSignificantDigits(QByteArrayView text) {
    int count = 0;
    bool leading = true;
    for (const char c : text) {
        if (!isDigit(c) || (leading && c == '0')) {
            continue;
        }
        leading = false;
        ++count;
    }
    return count;
}

}  // namespace

std::optional<DecimalFigure> parsePlainDecimal(QByteArrayView text) {
    if (text.size() > kMaxFigureLength || !isPlainDecimal(text)) {
        return std::nullopt;
    }
    bool ok = false;
    const double value = QByteArray(text.data(), text.size()).toDouble(&ok);
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return DecimalFigure{value, countSignificantDigits(text)};
}

std::optional<double> parseAmount(QStringView text) {
    QByteArray ascii;
    for (const QChar c : text.trimmed()) {
        if (c.unicode() > 0x7f) {
            return std::nullopt;
        }
        ascii.append(c == u',' ? '.' : static_cast<char>(c.unicode()));
    }
    if (!isPlainDecimal(ascii)) {
        return std::nullopt;
    }
    const qsizetype mark = ascii.indexOf('.');
    const QByteArrayView integerPart = QByteArrayView(ascii).first(mark < 0 ? ascii.size() : mark);
    if (countSignificantDigits(integerPart) > kMaxAmountIntegerDigits ||
        ascii.size() > kMaxAmountDigits + 1) {
        return std::nullopt;
    }
    return ascii.toDouble();
}

QString formatSignificant(double value, int significantDigits) {
    if (value == 0 || !std::isfinite(value) || significantDigits < 1) {
        return QStringLiteral("0");
    }
    // The 'e' form does the rounding; the digits are then placed around the decimal mark.
    const QByteArray scientific = QByteArray::number(std::fabs(value), 'e', significantDigits - 1);
    const qsizetype e = scientific.indexOf('e');
    QByteArray digits = scientific.first(e);
    digits.replace(".", "");
    const int exponent = scientific.mid(e + 1).toInt();

    QByteArray plain;
    if (exponent < 0) {
        plain = "0." + QByteArray(-exponent - 1, '0') + digits;
    } else if (exponent + 1 >= digits.size()) {
        plain = digits + QByteArray(exponent + 1 - digits.size(), '0');
    } else {
        plain = digits.first(exponent + 1) + '.' + digits.mid(exponent + 1);
    }
    if (plain.contains('.')) {
        while (plain.endsWith('0')) {
            plain.chop(1);
        }
        if (plain.endsWith('.')) {
            plain.chop(1);
        }
    }
    return QString::fromLatin1(value < 0 ? "-" + plain : plain);
}

}  // namespace tolvane
