#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QVariantMap>

#include <optional>

namespace tolvane {

// One saved NetworkManager connection as its GetSettings answers: setting name ("connection",
// "802-11-wireless", ...) to that setting's values.
using ConnectionSettings = QMap<QString, QVariantMap>;

struct SavedConnection {
    QString path;
    ConnectionSettings settings;
};

// The saved connection that NetworkManager itself would bring up on its own: of those set to
// connect automatically, the highest autoconnect priority, then the one used last; on a full
// tie the earlier in the list. Connections that cannot carry the Internet by themselves (VPNs,
// WireGuard tunnels, loopback, Wi-Fi hotspots) are never chosen. Nothing when none qualifies.
std::optional<QString> connectionToDial(const QList<SavedConnection>& saved);

}  // namespace tolvane
