#pragma once

#include <QByteArrayView>
#include <QList>
#include <QPair>
#include <QString>

#include <optional>

namespace tolvane {

using FormFields = QList<QPair<QString, QString>>;

// application/x-www-form-urlencoded, as in a POST body or a query: "&"-separated name=value
// pairs, "+" for a space, %XX for a byte, bytes read as UTF-8. Nothing when a "%" is not
// followed by two hex digits.
std::optional<FormFields> decodeForm(QByteArrayView encoded);

// The first field of that name; null when there is none.
QString formField(const FormFields& fields, QStringView name);

}  // namespace tolvane
