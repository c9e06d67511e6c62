#include "platform/linux/kernel_route_connection.h"

#include "core/kernel_routes.h"

#include <QDir>
#include <QFile>

#include <optional>

namespace tolvane {
namespace {

std::optional<QString> readText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return QString::fromLatin1(file.readAll());
}

// Interfaces whose flags carry IFF_UP, loopback left out.
QSet<QString> upInterfaces(const QString& sysClassNet) {
    constexpr uint kUp = 0x1;
    constexpr uint kLoopback = 0x8;
    QSet<QString> up;
    const QStringList names = QDir(sysClassNet).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        const std::optional<QString> flagsText =
            readText(sysClassNet + u'/' + name + QStringLiteral("/flags"));
        bool ok = false;
        const uint flags = flagsText ? flagsText->trimmed().toUInt(&ok, 16) : 0;
        if (ok && (flags & kUp) && !(flags & kLoopback))
            up.insert(name);
    }
    return up;
}

}  // namespace

KernelRouteConnection::KernelRouteConnection(QString procNet, QString sysClassNet)
    : procNet_(std::move(procNet)), sysClassNet_(std::move(sysClassNet)) {}

InternetConnection::State KernelRouteConnection::state() {
    const std::optional<QString> ipv4 = readText(procNet_ + QStringLiteral("/route"));
    const std::optional<QString> ipv6 = readText(procNet_ + QStringLiteral("/ipv6_route"));
    if (!ipv4 && !ipv6)
        return State::Failed;
    return hasDefaultRouteThroughUpInterface(ipv4.value_or(QString()), ipv6.value_or(QString()),
                                             upInterfaces(sysClassNet_))
               ? State::Connected
               : State::NotConnected;
}

}  // namespace tolvane
