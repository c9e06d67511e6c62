#include "site/rate_files.h"

#include "site/csv_records.h"
#include "site/decimal_text.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QXmlStreamReader>

#include <QMap>

#include <algorithm>
#include <cmath>

namespace tolvane {
namespace {

QDate parseIsoDate(QByteArrayView text) {
    if (text.size() != 10) {
        return {};
    }
    return QDate::fromString(QString::fromLatin1(text), Qt::ISODate);
}

bool isYearOrDate(const QByteArray& text) {
    const bool year = text.size() == 4 && std::all_of(text.begin(), text.end(), [](char c) {
                          return c >= '0' && c <= '9';
                      });
    return year || parseIsoDate(text).isValid();
}

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

// Takes one day's row; false when the row is malformed.
bool takeHistoryRow(QList<QByteArray> fields, const QList<QByteArray>& header, QuoteTable& table) {
    if (fields.size() == header.size() + 1 && fields.last().isEmpty()) {
        fields.removeLast();
    }
    const QDate date = fields.size() == header.size() ? parseIsoDate(fields.first()) : QDate();
    if (!date.isValid()) {
        return false;
    }
    DayQuotes quotes;
    for (qsizetype column = 1; column < header.size(); ++column) {
        if (fields[column] == "N/A") {
            continue;
        }
        if (!isPositiveDecimal(fields[column])) {
            return false;
        }
        quotes.insert(QString::fromLatin1(header[column]), fields[column]);
    }
    table.takeDay(date, quotes);
    return true;
}

// The records of a small CSV file whose first line must be the given header.
std::optional<QList<QList<QByteArray>>> recordsUnder(QByteArrayView csv,
                                                     const QList<QByteArray>& header) {
    auto records = parseCsvRecords(csv);
    if (!records || records->isEmpty() || records->first() != header) {
        return std::nullopt;
    }
    records->removeFirst();
    for (const QList<QByteArray>& fields : std::as_const(*records)) {
        if (fields.size() != header.size()) {
            return std::nullopt;
        }
    }
    return records;
}

std::optional<FixedRates> parseFixedRates(QByteArrayView csv, const QList<QByteArray>& header) {
    const auto records = recordsUnder(csv, header);
    if (!records) {
        return std::nullopt;
    }
    FixedRates rates;
    for (const QList<QByteArray>& fields : *records) {
        const QDate since = parseIsoDate(fields[2]);
        const QString code = QString::fromLatin1(fields[0]);
        if (!isCurrencyCode(fields[0]) || !isPositiveDecimal(fields[1]) || !since.isValid() ||
            rates.contains(code)) {
            return std::nullopt;
        }
        rates.insert(code, {fields[1], since});
    }
    return rates;
}

}  // namespace

std::optional<QuoteTable> parseEcbHistory(QByteArrayView csv) {
    // A record at a time: the history is large, and little of it is kept.
    std::optional<QList<QByteArray>> header;
    qsizetype days = 0;
    QuoteTable table;
    const bool read = forEachCsvRecord(csv, [&](const QList<QByteArray>& fields) {
        if (!header) {
            header = historyHeader(fields);
            return header.has_value();
        }
        ++days;
        return takeHistoryRow(fields, *header, table);
    });
    if (!read || days == 0) {
        return std::nullopt;
    }
    return table;
}

std::optional<DayFile> parseEcbDaily(QByteArrayView xml) {
    QXmlStreamReader reader(xml.toByteArray());
    DayFile file;
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
                    if (file.day.isValid()) {
                        return std::nullopt;  // one day per file
                    }
                    file.day = parseIsoDate(attributes.value(QLatin1String("time")).toLatin1());
                    if (!file.day.isValid()) {
                        return std::nullopt;
                    }
                    depthOfDay = depth;
                } else if (attributes.hasAttribute(QLatin1String("currency"))) {
                    const QByteArray code = attributes.value(QLatin1String("currency")).toLatin1();
                    const QByteArray rate = attributes.value(QLatin1String("rate")).toLatin1();
                    if (depth != depthOfDay + 1 || !isCurrencyCode(code) ||
                        !isPositiveDecimal(rate) || file.quotes.contains(QString::fromLatin1(code))) {
                        return std::nullopt;
                    }
                    file.quotes.insert(QString::fromLatin1(code), rate);
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
    if (reader.hasError() || file.quotes.isEmpty()) {
        return std::nullopt;
    }
    return file;
}

std::optional<QuoteTable> parseMarketRates(QByteArrayView csv) {
    const auto records = recordsUnder(csv, {"code", "units_per_eur", "date"});
    if (!records || records->isEmpty()) {
        return std::nullopt;
    }
    QMap<QDate, DayQuotes> days;
    for (const QList<QByteArray>& fields : *records) {
        const QDate day = parseIsoDate(fields[2]);
        const QString code = QString::fromLatin1(fields[0]);
        if (!isCurrencyCode(fields[0]) || code == u"EUR" || !isPositiveDecimal(fields[1]) ||
            !day.isValid() || days[day].contains(code)) {
            return std::nullopt;
        }
        days[day].insert(code, fields[1]);
    }
    QuoteTable table;
    for (auto day = days.cbegin(); day != days.cend(); ++day) {
        table.takeDay(day.key(), day.value());
    }
    return table;
}

std::optional<DayFile> parseMarketFeed(QByteArrayView json, const QSet<QString>& codes) {
    const QJsonDocument document = QJsonDocument::fromJson(json.toByteArray());
    const QJsonObject root = document.object();
    const QJsonValue rates = root.value(QLatin1String("eur"));
    DayFile file{parseIsoDate(root.value(QLatin1String("date")).toString().toLatin1()), {}};
    if (!file.day.isValid() || !rates.isObject()) {
        return std::nullopt;
    }
    const QJsonObject byCode = rates.toObject();
    for (auto rate = byCode.begin(); rate != byCode.end(); ++rate) {
        const QString code = rate.key().toUpper();
        const double value = rate.value().toDouble(-1);
        if (rate.key() != code.toLower() || !codes.contains(code) || !(value > 0) ||
            !std::isfinite(value)) {
            continue;
        }
        // A double's shortest form gives back the feed's digits: it never writes more than
        // a double holds.
        const QByteArray text = QByteArray::number(value, 'f', QLocale::FloatingPointShortest);
        if (isPositiveDecimal(text)) {
            file.quotes.insert(code, text);
        }
    }
    if (file.quotes.isEmpty()) {
        return std::nullopt;
    }
    return file;
}

std::optional<FixedRates> parseEuroFixedRates(QByteArrayView csv) {
    return parseFixedRates(csv, {"code", "units_per_eur", "effective_date"});
}

std::optional<FixedRates> parseEuroPegs(QByteArrayView csv) {
    return parseFixedRates(csv, {"code", "units_per_eur", "since", "authority"});
}

std::optional<Redenominations> parseRedenominations(QByteArrayView csv) {
    const auto records = recordsUnder(
        csv, {"old_code", "new_code", "old_units_per_new", "effective_date", "source"});
    if (!records) {
        return std::nullopt;
    }
    Redenominations result;
    for (const QList<QByteArray>& fields : *records) {
        if (!isCurrencyCode(fields[0]) || !isCurrencyCode(fields[1]) || fields[0] == fields[1] ||
            !isPositiveDecimal(fields[2]) || !isYearOrDate(fields[3])) {
            return std::nullopt;
        }
        const QString code = QString::fromLatin1(fields[0]);
        const Redenomination link{QString::fromLatin1(fields[1]), fields[2],
                                  QString::fromLatin1(fields[3])};
        QStringList& successors = result.ambiguous[code];
        if (!successors.contains(link.successor)) {
            successors.append(link.successor);
        }
        const auto known = result.links.constFind(code);
        // The same successor at another ratio is no single value either.
        if (known != result.links.cend() && known->oldUnitsPerNew != link.oldUnitsPerNew) {
            successors.append(link.successor);
        }
        result.links.insert(code, link);
    }
    for (auto entry = result.ambiguous.begin(); entry != result.ambiguous.end();) {
        if (entry->size() > 1) {
            result.links.remove(entry.key());
            entry->removeDuplicates();
            ++entry;
        } else {
            entry = result.ambiguous.erase(entry);
        }
    }
    return result;
}

}  // namespace tolvane
