#include "site/csv_records.h"

#include <algorithm>

namespace tolvane {
namespace {

std::optional<QList<QByteArray>> parseLine(QByteArrayView line) {
    QList<QByteArray> fields;
    QByteArray field;
    qsizetype i = 0;
    while (true) {
        field.clear();
        if (i < line.size() && line[i] == '"') {
            ++i;
            while (true) {
                if (i >= line.size()) {
                    return std::nullopt;
                }
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        field.append('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field.append(line[i++]);
            }
            if (i < line.size() && line[i] != ',') {
                return std::nullopt;
            }
        } else {
            while (i < line.size() && line[i] != ',') {
                field.append(line[i++]);
            }
        }
        fields.append(field);
        if (i >= line.size()) {
            return fields;
        }
        ++i;  // the comma
    }
}

}  // namespace

bool forEachCsvRecord(QByteArrayView text,
                      const std::function<bool(const QList<QByteArray>&)>& take) {
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0) {
            end = text.size();
        }
        QByteArrayView line = text.sliced(start, end - start);
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        start = end + 1;
        if (line.isEmpty()) {
            continue;
        }
        const auto fields = parseLine(line);
        if (!fields || !take(*fields)) {
            return false;
        }
    }
    return true;
}

std::optional<QList<QList<QByteArray>>> parseCsvRecords(QByteArrayView text) {
    QList<QList<QByteArray>> records;
    const bool read = forEachCsvRecord(text, [&records](const QList<QByteArray>& fields) {
        records.append(fields);
        return true;
    });
    if (!read) {
        return std::nullopt;
    }
    return records;
}

bool isCurrencyCode(QByteArrayView text) {
    return text.size() == 3 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

}  // namespace tolvane
