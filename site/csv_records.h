#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <optional>

namespace tolvane {

// The records of a small CSV text: lines ended by LF or CR LF, fields split at commas, a field
// in double quotes may hold commas and doubled quotes. Empty lines are skipped. Nothing for a
// quote left open or stray text after a closing quote.
std::optional<QList<QList<QByteArray>>> parseCsvRecords(QByteArrayView text);

// True for three upper-case ASCII letters, the shape of every currency code in the rate files.
bool isCurrencyCode(QByteArrayView text);

}  // namespace tolvane
