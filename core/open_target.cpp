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
    if (scheme.hasMatch()) {
        QString rest = target.mid(scheme.capturedLength());
        if (rest.startsWith(QStringLiteral("\\\\")))
            rest.replace(u'\\', u'/');
        return urlAction(scheme.captured() + rest);
    }

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

}  // namespace tolvane
