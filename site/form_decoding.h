#pragma once

#include <QByteArrayView>
#include <QList>
#include <QPair>
#include <QString>

#include <optional>

namespace tolvane {

using FormFields = QList<QPair<QString, QString>>;

// What a "%" that is not followed by two hex digits means.
enum class StrayPercent {
    Refused,  // the form is malformed
    Literal,  // a percent sign, as a hand-typed address may hold ("100%")
};

// application/x-www-form-urlencoded, as in a POST body or a query: "&"-separated name=value
// pairs, "+" for a space, %XX for a byte, bytes read as UTF-8. Nothing when the form is
// malformed.
std::optional<FormFields> decodeForm(QByteArrayView encoded,
                                     StrayPercent strayPercent = StrayPercent::Refused);

// The first field of that name; null when there is none.
QString formField(const FormFields& fields, QStringView name);

}  // namespace tolvane
