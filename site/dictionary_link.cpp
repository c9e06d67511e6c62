#include "site/dictionary_link.h"

#include <QUrl>

namespace tolvane {
namespace {

constexpr QStringView kWordPlaceholder = u"{word}";

QUrl fill(const QString& urlTemplate, const QString& encodedWord) {
    QString address = urlTemplate;
    address.replace(kWordPlaceholder.toString(), encodedWord);
    return {address, QUrl::StrictMode};
}

bool isUsable(const QString& urlTemplate) {
    if (!urlTemplate.contains(kWordPlaceholder)) {
        return false;
    }
    const QUrl sample = fill(urlTemplate, QStringLiteral("word"));
    return sample.isValid() && !sample.host().isEmpty() &&
           (sample.scheme() == u"https" || sample.scheme() == u"http");
}

}  // namespace

QString DictionaryLink::defaultTemplate() {
    return QStringLiteral("https://translate.google.com/m?sl=auto&tl=iw&q={word}");
}

DictionaryLink::DictionaryLink(const QString& urlTemplate)
    : template_(isUsable(urlTemplate) ? urlTemplate : defaultTemplate()) {}

QByteArray DictionaryLink::addressFor(QStringView word) const {
    const QString trimmed = word.trimmed().toString();
    if (trimmed.isEmpty()) {
        QUrl front = fill(template_, QString());
        front.setPath(QStringLiteral("/"));
        front.setQuery(QString());
        front.setFragment(QString());
        return front.toEncoded();
    }
    const QString encoded = QString::fromLatin1(QUrl::toPercentEncoding(trimmed));
    return fill(template_, encoded).toEncoded();
}

}  // namespace tolvane
