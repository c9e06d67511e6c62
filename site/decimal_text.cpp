#include "site/decimal_text.h"

#include <QStringView>

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
bool isGroupedThousands(QStringView whole) {
    const qsizetype firstComma = whole.indexOf(u',');
    const qsizetype firstGroup = firstComma < 0 ? whole.size() : firstComma;
    if (firstGroup == 0 || firstGroup > 3 || whole.startsWith(u'0')) {
        return false;
    }
    // The digits were checked by the caller: only the lengths of the groups are left.
    for (qsizetype comma = firstComma; comma >= 0;) {
        const qsizetype next = whole.indexOf(u',', comma + 1);
        if ((next < 0 ? whole.size() : next) - comma - 1 != 3) {
            return false;
        }
        comma = next;
    }
    return true;
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
    const QStringView amount = text.trimmed();
    qsizetype mark = -1;
    qsizetype commas = 0;
    bool anyDigit = false;
    for (qsizetype i = 0; i < amount.size(); ++i) {
        const char16_t c = amount[i].unicode();
        if (c >= u'0' && c <= u'9') {
            anyDigit = true;
        } else if (c == u',') {
            ++commas;
        } else if (c == u'.' && mark < 0) {
            mark = i;
        } else {
            return {Problem::NotANumber, {}};
        }
    }
    if (!anyDigit) {
        return {Problem::NotANumber, {}};
    }
    const QStringView whole = mark < 0 ? amount : amount.first(mark);
    const QStringView fraction = mark < 0 ? QStringView() : amount.sliced(mark + 1);
    if (commas > 0 && (fraction.contains(u',') || !isGroupedThousands(whole))) {
        return {Problem::AmbiguousComma, {}};
    }
    if (whole.size() - commas + fraction.size() > kMaxAmountDigits) {
        return {Problem::TooLong, {}};
    }
    // Zeros that say nothing go, as the answers write their figures. A whole part with commas
    // starts with a digit that is not zero.
    qsizetype start = 0;
    while (start + 1 < whole.size() && whole[start] == u'0') {
        ++start;
    }
    qsizetype decimals = fraction.size();
    while (decimals > 0 && fraction[decimals - 1] == u'0') {
        --decimals;
    }
    const qsizetype wholeDigits = whole.isEmpty() ? 1 : whole.size() - start - commas;
    QByteArray normalised(wholeDigits + (decimals > 0 ? decimals + 1 : 0), Qt::Uninitialized);
    char* end = normalised.data();
    if (whole.isEmpty()) {
        *end++ = '0';
    }
    for (const QChar c : whole.sliced(start)) {
        if (c != u',') {
            *end++ = static_cast<char>(c.unicode());
        }
    }
    if (decimals > 0) {
        *end++ = '.';
        for (const QChar c : fraction.first(decimals)) {
            *end++ = static_cast<char>(c.unicode());
        }
    }
    return {Problem::None, normalised};
}

}  // namespace tolvane
