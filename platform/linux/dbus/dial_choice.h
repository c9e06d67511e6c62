#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
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

// The saved connection to bring up: the one NetworkManager itself would bring up on its own (of
// those set to connect automatically, the highest autoconnect priority, then the one used
// last), or, when none connects automatically, the one used last, as on-demand dial-up and
// mobile broadband connections are usually set up; on a full tie the earlier in the list.
// Connections that cannot carry the Internet by themselves (VPNs, WireGuard tunnels, loopback,
// Wi-Fi hotspots) are never chosen. Nothing when none qualifies, or when the choice is among
// the busy ones (active or being activated), since activating it again would make
// NetworkManager restart it.
std::optional<QString> connectionToDial(const QList<SavedConnection>& saved,
                                        const QStringList& busy = {});

}  // namespace tolvane
