#include "core/local_site_target.h"

#include <QRegularExpression>

namespace tolvane {
namespace {

// The host after a separator (or at the start) and before the end of the host part, so
// that "127.0.0.1:5273" is no match for "127.0.0.1:52731".
QRegularExpression hostPattern(const QString& host) {
    return QRegularExpression(QStringLiteral("(^|[/\\\\])") + QRegularExpression::escape(host) +
                                  QStringLiteral("(?=$|[/\\\\?#])"),
                              QRegularExpression::CaseInsensitiveOption);
}

}  // namespace

bool namesLocalSite(const QString& target, const QString& usualHost) {
    return !usualHost.isEmpty() && hostPattern(usualHost).match(target).hasMatch();
}

QString retargetLocalSite(const QString& target, const QString& usualHost,
                          const QString& actualHost) {
    const QRegularExpressionMatch match = hostPattern(usualHost).match(target);
    if (usualHost.isEmpty() || !match.hasMatch())
        return target;
    QString moved = target;
    const qsizetype hostStart = match.capturedEnd(1);
    return moved.replace(hostStart, usualHost.size(), actualHost);
}

}  // namespace tolvane
