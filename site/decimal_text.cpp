#include "site/decimal_text.h"

#include <QList>

#include <algorithm>

namespace tolvane {
namespace {

constexpr qsizetype kMaxFigureLength = 40;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool allDigits(QByteArrayView text) {
    return std::all_of(text.begin(), text.end(), isDigit);
}

// Digits with at most one "." and at least one digit.
bool isPlainDecimal(QByteArrayView text) {
    const qsizetype mark = text.indexOf('.');
    if (mark < 0) {
        return !text.isEmpty() && allDigits(text);
    }
    const QByteArrayView whole = text.first(mark);
    const QByteArrayView fraction = text.sliced(mark + 1);
    return whole.size() + fraction.size() > 0 && allDigits(whole) && allDigits(fraction);
}

// "1", "12", "123", then groups of three: the only place a comma may stand.
bool isGroupedThousands(QByteArrayView whole) {
    const QList<QByteArray> groups = whole.toByteArray().split(',');
    const QByteArray& first = groups.first();
    if (first.isEmpty() || first.size() > 3 || first.startsWith('0') || !allDigits(first)) {
        return false;
    }
    return std::all_of(groups.begin() + 1, groups.end(), [](const QByteArray& group) {
        return group.size() == 3 && allDigits(group);
    });
}

}  // namespace

bool isPositiveDecimal(QByteArrayView text) {
    return text.size() <= kMaxFigureLength && isPlainDecimal(text) &&
           std::any_of(text.begin(), text.end(), [](char c) { return c >= '1' && c <= '9'; });
}

int significantDigits(QByteArrayView text) {
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

AmountReading readAmount(QStringView text) {
    using Problem = AmountReading::Problem;
    QByteArray ascii;
    for (const QChar c : text.trimmed()) {
        if (c.unicode() > 0x7f) {
            return {Problem::NotANumber, {}};
        }
        ascii.append(static_cast<char>(c.unicode()));
    }
    const qsizetype mark = ascii.indexOf('.');
    QByteArray whole = mark < 0 ? ascii : ascii.first(mark);
    const QByteArray fraction = mark < 0 ? QByteArray() : ascii.sliced(mark + 1);
    const bool onlyNumberCharacters = std::all_of(ascii.begin(), ascii.end(), [](char c) {
        return isDigit(c) || c == ',' || c == '.';
    });
    if (!onlyNumberCharacters || ascii.count('.') > 1 ||
        std::none_of(ascii.begin(), ascii.end(), isDigit)) {
        return {Problem::NotANumber, {}};
    }
    if (ascii.contains(',')) {
        if (fraction.contains(',') || !isGroupedThousands(whole)) {
            return {Problem::AmbiguousComma, {}};
        }
        whole.replace(",", "");
    }
    if (!isPlainDecimal(whole + '.' + fraction)) {
        return {Problem::NotANumber, {}};
    }
    if (whole.size() + fraction.size() > kMaxAmountDigits) {
        return {Problem::TooLong, {}};
    }
    // Zeros that say nothing go, as the answers write their figures.
    while (whole.size() > 1 && whole.startsWith('0')) {
        whole.remove(0, 1);
    }
    if (whole.isEmpty()) {
        whole = "0";
    }
    QByteArray decimals = fraction;
    while (decimals.endsWith('0')) {
        decimals.chop(1);
    }
    return {Problem::None, decimals.isEmpty() ? whole : whole + '.' + decimals};
}

}  // namespace tolvane
