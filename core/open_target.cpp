#include "core/open_target.h"

#include <QRegularExpression>

namespace tolvane {
namespace {

// A scheme of two or more letters, so that a drive such as "C:" is not taken for one,
// and not a host followed by its port.
const QRegularExpression kScheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:(?![0-9])"));
// A host name with at least one dot, then nothing or a path.
const QRegularExpression kBareHost(
    QStringLiteral("^[A-Za-z0-9-]+(\\.[A-Za-z0-9-]+)+(:[0-9]+)?([/\\\\?#].*)?$"));

// "http:\\host\path" read as "http://host/path"; other addresses with a scheme unchanged.
QString withForwardSlashes(const QRegularExpressionMatch& scheme, const QString& target) {
    QString rest = target.mid(scheme.capturedLength());
    if (rest.startsWith(QStringLiteral("\\\\")))
        rest.replace(u'\\', u'/');
    return scheme.captured() + rest;
}

OpenAction urlAction(const QString& text) {
    QUrl url(text, QUrl::TolerantMode);
    if (!url.isValid())
        return {};
    return {OpenAction::Kind::OpenUrl, {}, url};
}

}  // namespace

OpenAction resolveOpenTarget(const QString& target,
                             const std::function<PathFacts(const QString&)>& probe) {
    if (target.isEmpty())
        return {};

    const auto scheme = kScheme.match(target);
    if (scheme.hasMatch())
        return urlAction(withForwardSlashes(scheme, target));

    const PathFacts facts = probe(target);
    if (facts.exists) {
        if (!facts.isDir && facts.isExecutable)
            return {OpenAction::Kind::Start, target, {}};
        return {OpenAction::Kind::OpenFile, target, {}};
    }

    if (kBareHost.match(target).hasMatch()) {
        QString address = target;
        address.replace(u'\\', u'/');
        return urlAction(QStringLiteral("http://") + address);
    }
    return {};
}

QUrl navigationUrl(const QString& address) {
    const QString text = address.trimmed();
    if (text.isEmpty())
        return QUrl(QStringLiteral("about:blank"));
    const auto scheme = kScheme.match(text);
    if (scheme.hasMatch())
        return QUrl(withForwardSlashes(scheme, text), QUrl::TolerantMode);
    if (text.startsWith(u'/'))
        return QUrl::fromLocalFile(text);
    QString host = text;
    host.replace(u'\\', u'/');
    return QUrl(QStringLiteral("http://") + host, QUrl::TolerantMode);
}

}  // namespace tolvane
