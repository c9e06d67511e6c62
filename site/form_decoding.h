#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringView>

#include <initializer_list>
#include <optional>

namespace tolvane {

using FormFields = QList<QPair<QString, QString>>;

// What a "%" that is not followed by two hex digits means.
enum class StrayPercent {
    Refused,  // the form is malformed
    Literal,  // a percent sign, as a hand-typed address may hold ("100%")
};

// application/x-www-form-urlencoded, as in a POST body or a query: "&"-separated name=value
// pairs, "+" for a space, %XX for a byte, bytes read as UTF-8. A field is decoded only when it
// is asked for: a request needs a few of a form's many.
class UrlEncodedForm {
public:
    // Nothing when the form is malformed.
    static std::optional<UrlEncodedForm> read(QByteArray encoded,
                                              StrayPercent strayPercent = StrayPercent::Refused);

    // The first field of that name: null when there is none, empty for one without a value.
    QString field(QStringView name) const;
    // The same for each of the names, in their order, reading the form once.
    QList<QString> fields(std::initializer_list<QStringView> names) const;
    // Every field, in order.
    FormFields allFields() const;

private:
    explicit UrlEncodedForm(QByteArray encoded) : encoded_(std::move(encoded)) {}

    // Every "%" left in it is a percent sign.
    QByteArray encoded_;
};

}  // namespace tolvane
