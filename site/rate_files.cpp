#include "site/rate_files.h"

#include "site/csv_records.h"
#include "site/decimal_text.h"

#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>

namespace tolvane {
namespace {

QDate parseIsoDate(QByteArrayView text) {
    if (text.size() != 10) {
        return {};
    }
    return QDate::fromString(QString::fromLatin1(text), Qt::ISODate);
}

std::optional<RateQuote> parseQuote(QByteArrayView rate, QDate date) {
    const auto figure = parsePlainDecimal(rate);
    if (!figure || figure->value <= 0) {
        return std::nullopt;
    }
    return RateQuote{figure->value, figure->significantDigits, date};
}

bool isYearOrDate(const QByteArray& text) {
    static const QRegularExpression year(QStringLiteral("^[0-9]{4}$"));
    return year.match(QString::fromLatin1(text)).hasMatch() || parseIsoDate(text).isValid();
}

}  // namespace

namespace {

// The header's currency columns, the ECB's trailing empty column dropped; nothing when it is
// not the history's header.
std::optional<QList<QByteArray>> historyHeader(QList<QByteArray> header) {
    // The ECB ends every line with a comma.
    if (header.size() > 1 && header.last().isEmpty()) {
        header.removeLast();
    }
    if (header.size() < 2 || header.first() != "Date") {
        return std::nullopt;
    }
    for (qsizetype column = 1; column < header.size(); ++column) {
        if (!isCurrencyCode(header[column]) || header.indexOf(header[column]) != column) {
            return std::nullopt;
        }
    }
    return header;
}

// Takes one day's row into the newest quotes; false when the row is malformed.
bool takeHistoryRow(QList<QByteArray> fields, const QList<QByteArray>& header, RateQuotes& quotes) {
    if (fields.size() == header.size() + 1 && fields.last().isEmpty()) {
        fields.removeLast();
    }
    const QDate date = fields.size() == header.size() ? parseIsoDate(fields.first()) : QDate();
    if (!date.isValid()) {
        return false;
    }
    for (qsizetype column = 1; column < header.size(); ++column) {
        if (fields[column] == "N/A") {
            continue;
        }
        const auto quote = parseQuote(fields[column], date);
        if (!quote) {
            return false;
        }
        const QString code = QString::fromLatin1(header[column]);
        const auto known = quotes.constFind(code);
        if (known == quotes.cend() || known->date < date) {
            quotes.insert(code, *quote);
        }
    }
    return true;
}

}  // namespace

std::optional<RateQuotes> parseEcbHistory(QByteArrayView csv) {
    // A record at a time: the history is large, and only each currency's newest quote stays.
    std::optional<QList<QByteArray>> header;
    qsizetype days = 0;
    RateQuotes quotes;
    const bool read = forEachCsvRecord(csv, [&](const QList<QByteArray>& fields) {
        if (!header) {
            header = historyHeader(fields);
            return header.has_value();
        }
        ++days;
        return takeHistoryRow(fields, *header, quotes);
    });
    if (!read || days == 0) {
        return std::nullopt;
    }
    return quotes;
}

std::optional<RateQuotes> parseEcbDaily(QByteArrayView xml) {
    QXmlStreamReader reader(xml.toByteArray());
    RateQuotes quotes;
    QDate day;
    int depthOfDay = -1;
    int depth = 0;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
            case QXmlStreamReader::DTD:
                return std::nullopt;  // no entity declarations from the network
            case QXmlStreamReader::StartElement: {
                ++depth;
                if (depth == 1 && reader.name() != u"Envelope") {
                    return std::nullopt;
                }
                if (reader.name() != u"Cube") {
                    break;
                }
                const QXmlStreamAttributes attributes = reader.attributes();
                if (attributes.hasAttribute(QLatin1String("time"))) {
                    if (day.isValid()) {
                        return std::nullopt;  // one day per file
                    }
                    day = parseIsoDate(attributes.value(QLatin1String("time")).toLatin1());
                    if (!day.isValid()) {
                        return std::nullopt;
                    }
                    depthOfDay = depth;
                } else if (attributes.hasAttribute(QLatin1String("currency"))) {
                    const QByteArray code = attributes.value(QLatin1String("currency")).toLatin1();
                    const auto quote =
                        depth == depthOfDay + 1 && isCurrencyCode(code)
                            ? parseQuote(attributes.value(QLatin1String("rate")).toLatin1(), day)
                            : std::nullopt;
                    if (!quote || quotes.contains(QString::fromLatin1(code))) {
                        return std::nullopt;
                    }
                    quotes.insert(QString::fromLatin1(code), *quote);
                }
                break;
            }
            case QXmlStreamReader::EndElement:
                if (depth == depthOfDay) {
                    depthOfDay = -2;  // the day's element is closed; no more rates
                }
                --depth;
                break;
            default:
                break;
        }
    }
    if (reader.hasError() || quotes.isEmpty()) {
        return std::nullopt;
    }
    return quotes;
}

std::optional<EuroFixedRates> parseEuroFixedRates(QByteArrayView csv) {
    const auto records = parseCsvRecords(csv);
    if (!records || records->isEmpty() ||
        records->first() != QList<QByteArray>{"code", "units_per_eur", "effective_date"}) {
        return std::nullopt;
    }
    EuroFixedRates rates;
    for (qsizetype row = 1; row < records->size(); ++row) {
        const QList<QByteArray>& fields = (*records)[row];
        if (fields.size() != 3 || !isCurrencyCode(fields[0])) {
            return std::nullopt;
        }
        const auto quote = parseQuote(fields[1], parseIsoDate(fields[2]));
        if (!quote || !quote->date.isValid()) {
            return std::nullopt;
        }
        rates.insert(QString::fromLatin1(fields[0]), *quote);
    }
    return rates;
}

std::optional<Redenominations> parseRedenominations(QByteArrayView csv) {
    const auto records = parseCsvRecords(csv);
    if (!records || records->isEmpty() ||
        records->first() != QList<QByteArray>{"old_code", "new_code", "old_units_per_new",
                                              "effective_date", "source"}) {
        return std::nullopt;
    }
    Redenominations links;
    QSet<QString> ambiguous;
    for (qsizetype row = 1; row < records->size(); ++row) {
        const QList<QByteArray>& fields = (*records)[row];
        if (fields.size() != 5 || !isCurrencyCode(fields[0]) || !isCurrencyCode(fields[1]) ||
            fields[0] == fields[1] || !isYearOrDate(fields[3])) {
            return std::nullopt;
        }
        const auto ratio = parsePlainDecimal(fields[2]);
        if (!ratio || ratio->value <= 0) {
            return std::nullopt;
        }
        const Redenomination link{
            QString::fromLatin1(fields[1]), ratio->value, QString::fromLatin1(fields[2]),
            fields[2].contains('.') ? ratio->significantDigits : 0, QString::fromLatin1(fields[3])};
        const QString code = QString::fromLatin1(fields[0]);
        const auto known = links.constFind(code);
        if (known != links.cend() &&
            (known->successor != link.successor || known->oldUnitsPerNew != link.oldUnitsPerNew)) {
            ambiguous.insert(code);
        }
        links.insert(code, link);
    }
    for (const QString& code : ambiguous) {
        links.remove(code);
    }
    return links;
}

}  // namespace tolvane
