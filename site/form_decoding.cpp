#include "site/form_decoding.h"

#include <QByteArray>

namespace tolvane {
namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::optional<QString> decodeComponent(QByteArrayView encoded, StrayPercent strayPercent) {
    QByteArray bytes;
    bytes.reserve(encoded.size());
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        const char c = encoded[i];
        if (c == '+') {
            bytes.append(' ');
        } else if (c == '%') {
            const int high = i + 2 < encoded.size() ? hexValue(encoded[i + 1]) : -1;
            const int low = high >= 0 ? hexValue(encoded[i + 2]) : -1;
            if (low < 0) {
                if (strayPercent == StrayPercent::Refused) {
                    return std::nullopt;
                }
                bytes.append('%');
                continue;
            }
            bytes.append(static_cast<char>(high * 16 + low));
            i += 2;
        } else {
            bytes.append(c);
        }
    }
    return QString::fromUtf8(bytes);
}

}  // namespace

std::optional<FormFields> decodeForm(QByteArrayView encoded, StrayPercent strayPercent) {
    FormFields fields;
    qsizetype start = 0;
    while (start <= encoded.size()) {
        qsizetype end = encoded.indexOf('&', start);
        if (end < 0) {
            end = encoded.size();
        }
        const QByteArrayView pair = encoded.sliced(start, end - start);
        start = end + 1;
        if (pair.isEmpty()) {
            continue;
        }
        const qsizetype equals = pair.indexOf('=');
        const auto name = decodeComponent(equals < 0 ? pair : pair.first(equals), strayPercent);
        const auto value = decodeComponent(equals < 0 ? QByteArrayView() : pair.sliced(equals + 1), strayPercent);
        if (!name || !value) {
            return std::nullopt;
        }
        fields.append({*name, *value});
    }
    return fields;
}

QString formField(const FormFields& fields, QStringView name) {
    for (const auto& [fieldName, value] : fields) {
        if (fieldName == name) {
            return value.isNull() ? QStringLiteral("") : value;
        }
    }
    return {};
}

}  // namespace tolvane
