#include "site/conversion_page.h"

#include "site/csv_records.h"
#include "site/decimal_text.h"
#include "site/joined_bytes.h"
#include "site/rate_service.h"

#include <algorithm>
#include <array>

namespace tolvane {
namespace {

// Three letters, whatever their case, with blanks around them; empty for anything else.
QString normalisedCode(QStringView field) {
    const QStringView code = field.trimmed();
    if (std::any_of(code.begin(), code.end(), [](QChar c) { return c.unicode() > 0x7f; })) {
        // Unicode's upper case makes ASCII of some other letters ("ı" gives "I", "ß" "SS").
        const QString upper = code.toString().toUpper();
        return isCurrencyCode(upper.toLatin1()) ? upper : QString();
    }
    if (code.size() != 3) {
        return {};
    }
    QString upper(3, Qt::Uninitialized);
    for (qsizetype i = 0; i < 3; ++i) {
        const char16_t c = code[i].unicode();
        if (c >= u'a' && c <= u'z') {
            upper[i] = QChar(c - u'a' + u'A');
        } else if (c >= u'A' && c <= u'Z') {
            upper[i] = code[i];
        } else {
            return {};
        }
    }
    return upper;
}

QString amountProblem(AmountReading::Problem problem) {
    switch (problem) {
        case AmountReading::Problem::AmbiguousComma:
            return QStringLiteral(
                "A comma in the amount may only separate thousands, as in 1,000 or 12,500; "
                "write a fraction with a point, as in 12.5.");
        case AmountReading::Problem::TooLong:
            return QStringLiteral("The amount may have at most %1 digits.").arg(kMaxAmountDigits);
        case AmountReading::Problem::NotANumber:
        case AmountReading::Problem::None:
            break;
    }
    return QStringLiteral("The amount must be a plain number, such as 250, 12.5 or 1,000.");
}

// A code's three letters as bytes.
std::array<char, 3> codeBytes(const QString& code) {
    return {static_cast<char>(code[0].unicode()), static_cast<char>(code[1].unicode()),
            static_cast<char>(code[2].unicode())};
}

// The result line in UTF-8.
QByteArray lineText(QStringView value, QStringView fromField, QStringView toField,
                    RateService& rates) {
    const AmountReading amount = readAmount(value);
    if (amount.problem != AmountReading::Problem::None) {
        return amountProblem(amount.problem).toUtf8();
    }
    const QString from = normalisedCode(fromField);
    const QString to = normalisedCode(toField);
    if (from.isEmpty() || to.isEmpty()) {
        return QByteArrayLiteral("Choose a currency to convert from and one to convert to.");
    }
    const RateBook* book = rates.book();
    if (book == nullptr) {
        return QByteArrayLiteral("The exchange rates cannot be read at the moment.");
    }
    const Conversion conversion = book->convert(amount.normalised, from, to);
    if (conversion.result.isEmpty()) {
        return conversion.problem.toUtf8();
    }
    const auto fromBytes = codeBytes(from);
    const auto toBytes = codeBytes(to);
    const bool cited = !conversion.source.isEmpty();
    return joinedBytes({amount.normalised, " ", QByteArrayView(fromBytes), " = ", conversion.result,
                        " ", QByteArrayView(toBytes), cited ? " (" : "", conversion.source,
                        cited ? ")" : ""});
}

// As QString::toHtmlEscaped, on UTF-8, whose multi-byte sequences hold no ASCII. The line
// rarely holds any of the four.
QByteArray htmlEscaped(const QByteArray& text) {
    const auto special = [](char c) { return c == '<' || c == '>' || c == '&' || c == '"'; };
    if (std::none_of(text.begin(), text.end(), special)) {
        return text;
    }
    QByteArray escaped;
    for (const char c : text) {
        switch (c) {
            case '<':
                escaped.append("&lt;");
                break;
            case '>':
                escaped.append("&gt;");
                break;
            case '&':
                escaped.append("&amp;");
                break;
            case '"':
                escaped.append("&quot;");
                break;
            default:
                escaped.append(c);
        }
    }
    return escaped;
}

}  // namespace

QString conversionLine(QStringView value, QStringView from, QStringView to, RateService& rates) {
    return QString::fromUtf8(lineText(value, from, to, rates));
}

HttpResponse conversionResponse(const UrlEncodedForm& form, RateService& rates) {
    static constexpr QByteArrayView kHead =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head><meta charset=\"utf-8\">"
        "<title>Tolvane currency converter</title></head>\n<body>\n"
        "<h1>Currency conversion</h1>\n<P><BIG>";
    static constexpr QByteArrayView kTail =
        "</BIG></P>\n"
        "<p><small>Sources: the ECB's euro foreign exchange reference rates (published for "
        "information only) and the daily rates of the free currency-api feed, each with its "
        "date; the irrevocable euro conversion rates, the euro pegs of central banks and the "
        "fixed links of redenominated currencies, which are exact.</small></p>\n"
        "</body>\n</html>\n";
    const QList<QString> fields = form.fields({u"value", u"exch", u"expr"});
    const QByteArray line = lineText(fields[0], fields[1], fields[2], rates);
    return HttpResponse{
        200, htmlContentType(), joinedBytes({kHead, htmlEscaped(line), kTail}), {}, {}};
}

}  // namespace tolvane
