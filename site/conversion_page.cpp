#include "site/conversion_page.h"

#include "site/csv_records.h"
#include "site/decimal_text.h"
#include "site/rate_service.h"

namespace tolvane {
namespace {

QString normalisedCode(const QString& field) {
    const QString code = field.trimmed().toUpper();
    return isCurrencyCode(code.toLatin1()) ? code : QString();
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

}  // namespace

QString conversionLine(const FormFields& fields, RateService& rates) {
    const AmountReading amount = readAmount(formField(fields, u"value"));
    if (amount.problem != AmountReading::Problem::None) {
        return amountProblem(amount.problem);
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
    const Conversion conversion = book->convert(amount.normalised, from, to);
    if (conversion.result.isEmpty()) {
        return conversion.problem;
    }
    QString line = QStringLiteral("%1 %2 = %3 %4")
                       .arg(QString::fromLatin1(amount.normalised), from, conversion.result, to);
    if (!conversion.source.isEmpty()) {
        line += QStringLiteral(" (") + conversion.source + u')';
    }
    return line;
}

HttpResponse conversionResponse(const FormFields& fields, RateService& rates) {
    static const QByteArray head =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head><meta charset=\"utf-8\">"
        "<title>Tolvane currency converter</title></head>\n<body>\n"
        "<h1>Currency conversion</h1>\n<P><BIG>";
    static const QByteArray tail =
        "</BIG></P>\n"
        "<p><small>Sources: the ECB's euro foreign exchange reference rates (published for "
        "information only) and the daily rates of the free currency-api feed, each with its "
        "date; the irrevocable euro conversion rates, the euro pegs of central banks and the "
        "fixed links of redenominated currencies, which are exact.</small></p>\n"
        "</body>\n</html>\n";
    return HttpResponse{200, "text/html; charset=utf-8",
                        head + conversionLine(fields, rates).toHtmlEscaped().toUtf8() + tail, {},
                        {}};
}

}  // namespace tolvane
