#include "site/conversion_page.h"

#include "site/csv_records.h"
#include "site/decimal_text.h"
#include "site/rate_service.h"

#include <QStringList>

namespace tolvane {
namespace {

// Enough for any amount a user types; an exact conversion shows no more.
constexpr int kExactDigits = 15;

QString normalisedCode(const QString& field) {
    const QString code = field.trimmed().toUpper();
    return isCurrencyCode(code.toLatin1()) ? code : QString();
}

}  // namespace

QString conversionLine(const FormFields& fields, RateService& rates) {
    const auto amount = parseAmount(formField(fields, u"value"));
    if (!amount) {
        return QStringLiteral("The amount must be a plain number, such as 250 or 12.5.");
    }
    const QString from = normalisedCode(formField(fields, u"exch"));
    const QString to = normalisedCode(formField(fields, u"expr"));
    if (from.isEmpty() || to.isEmpty()) {
        return QStringLiteral("Choose a currency to convert from and one to convert to.");
    }
    const RateBook* book = rates.book();
    if (book == nullptr) {
        return QStringLiteral("The exchange rates cannot be read at the moment.");
    }
    const bool fromKnown = book->euroValue(from).has_value();
    const bool toKnown = book->euroValue(to).has_value();
    if (!fromKnown || !toKnown) {
        QStringList missing;
        if (!fromKnown) {
            missing.append(from);
        }
        if (!toKnown && to != from) {
            missing.append(to);
        }
        return QStringLiteral("No exchange rate is available for %1.")
            .arg(missing.join(QStringLiteral(" or ")));
    }
    const auto conversion = book->convert(*amount, from, to);
    const int digits =
        conversion->significantDigits == 0 ? kExactDigits : conversion->significantDigits;
    QString line = QStringLiteral("%1 %2 = %3 %4")
                       .arg(formatSignificant(*amount, kExactDigits), from,
                            formatSignificant(conversion->result, digits), to);
    const QString sources = describeSources(conversion->sources);
    if (!sources.isEmpty()) {
        line += QStringLiteral(" (") + sources + u')';
    }
    return line;
}

HttpResponse conversionResponse(const FormFields& fields, RateService& rates) {
    const QString page =
        QStringLiteral(
            "<!DOCTYPE html>\n<html lang=\"en\">\n<head><meta charset=\"utf-8\">"
            "<title>Tolvane currency converter</title></head>\n<body>\n"
            "<h1>Currency conversion</h1>\n<P><BIG>%1</BIG></P>\n"
            "<p><small>Source: ECB euro foreign exchange reference rates, published for "
            "information only; obsolete currencies by their fixed conversion rates.</small></p>\n"
            "</body>\n</html>\n")
            .arg(conversionLine(fields, rates).toHtmlEscaped());
    return HttpResponse{200, "text/html; charset=utf-8", page.toUtf8(), {}, {}};
}

}  // namespace tolvane
