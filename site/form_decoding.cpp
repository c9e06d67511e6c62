#include "site/form_decoding.h"

#include <algorithm>

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

// The byte of the escape at "%", or -1 when no two hex digits follow it.
int escapedByte(QByteArrayView encoded, qsizetype percent) {
    const int high = percent + 2 < encoded.size() ? hexValue(encoded[percent + 1]) : -1;
    const int low = high >= 0 ? hexValue(encoded[percent + 2]) : -1;
    return low < 0 ? -1 : high * 16 + low;
}

bool needsDecoding(QByteArrayView encoded) {
    return std::any_of(encoded.begin(), encoded.end(), [](char c) { return c == '+' || c == '%'; });
}

// A name or value; the form's escapes were checked when it was read, so a stray "%" here is
// one to take literally.
QString decodeComponent(QByteArrayView encoded) {
    if (!needsDecoding(encoded)) {
        return encoded.isEmpty() ? QStringLiteral("") : QString::fromUtf8(encoded);
    }
    QByteArray bytes;
    bytes.reserve(encoded.size());
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        const char c = encoded[i];
        if (c == '+') {
            bytes.append(' ');
        } else if (const int byte = c == '%' ? escapedByte(encoded, i) : -1; byte >= 0) {
            bytes.append(static_cast<char>(byte));
            i += 2;
        } else {
            bytes.append(c);
        }
    }
    return QString::fromUtf8(bytes);
}

bool isPlainAscii(QByteArrayView encoded) {
    return std::all_of(encoded.begin(), encoded.end(), [](char c) {
        return c != '+' && c != '%' && static_cast<unsigned char>(c) < 0x80;
    });
}

// Calls take(name, value) with each pair's encoded parts, in order, until it returns true.
// Pairs are separated by "&", empty ones skipped; a name ends at its pair's first "=".
template <typename Take>
void forEachPair(QByteArrayView encoded, Take take) {
    qsizetype start = 0;
    qsizetype equals = -1;
    for (qsizetype i = 0; i <= encoded.size(); ++i) {
        const char c = i < encoded.size() ? encoded[i] : '&';
        if (c == '=' && equals < 0) {
            equals = i;
        } else if (c == '&') {
            if (i > start &&
                take(encoded.sliced(start, (equals < 0 ? i : equals) - start),
                     equals < 0 ? QByteArrayView() : encoded.sliced(equals + 1, i - equals - 1))) {
                return;
            }
            start = i + 1;
            equals = -1;
        }
    }
}

}  // namespace

std::optional<UrlEncodedForm> UrlEncodedForm::read(QByteArray encoded, StrayPercent strayPercent) {
    // An escape never spans the "&" or "=" between components, which are no hex digits: the
    // whole text can be checked at once.
    if (strayPercent == StrayPercent::Refused) {
        for (qsizetype percent = encoded.indexOf('%'); percent >= 0;
             percent = encoded.indexOf('%', percent + 1)) {
            if (escapedByte(encoded, percent) < 0) {
                return std::nullopt;
            }
        }
    }
    return UrlEncodedForm(std::move(encoded));
}

QString UrlEncodedForm::field(QStringView name) const {
    return fields({name}).constFirst();
}

QList<QString> UrlEncodedForm::fields(std::initializer_list<QStringView> names) const {
    QList<QString> values(static_cast<qsizetype>(names.size()));
    qsizetype missing = values.size();
    forEachPair(encoded_, [&](QByteArrayView encodedName, QByteArrayView encodedValue) {
        // A name is compared as written unless escapes or bytes above ASCII make it need
        // decoding first.
        const bool plain = isPlainAscii(encodedName);
        const QString decodedName = plain ? QString() : decodeComponent(encodedName);
        auto value = values.begin();
        for (const QStringView name : names) {
            if (value->isNull() &&
                (plain ? QLatin1String(encodedName) == name : decodedName == name)) {
                *value = decodeComponent(encodedValue);
                --missing;
            }
            ++value;
        }
        return missing == 0;
    });
    return values;
}

FormFields UrlEncodedForm::allFields() const {
    FormFields fields;
    forEachPair(encoded_, [&fields](QByteArrayView encodedName, QByteArrayView encodedValue) {
        fields.append({decodeComponent(encodedName), decodeComponent(encodedValue)});
        return false;
    });
    return fields;
}

}  // namespace tolvane
