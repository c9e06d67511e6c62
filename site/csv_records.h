#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <functional>
#include <optional>

namespace tolvane {

// The records of a small CSV text: lines ended by LF or CR LF, fields split at commas, a field
// in double quotes may hold commas and doubled quotes. Empty lines are skipped. Nothing for a
// quote left open or stray text after a closing quote.
std::optional<QList<QList<QByteArray>>> parseCsvRecords(QByteArrayView text);
// The same records handed over one at a time, for a text too large to hold twice; take says
// whether to go on. False when a record is malformed or take stopped.
bool forEachCsvRecord(QByteArrayView text,
                      const std::function<bool(const QList<QByteArray>&)>& take);

// True for three upper-case ASCII letters, the shape of every currency code in the rate files.
bool isCurrencyCode(QByteArrayView text);

}  // namespace tolvane
