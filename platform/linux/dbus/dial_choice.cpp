#include "platform/linux/dbus/dial_choice.h"

#include <tuple>

namespace tolvane {
namespace {

struct Rank {
    bool connectsAutomatically;
    int priority;
    quint64 lastUsed;

    bool operator>(const Rank& other) const {
        return std::tie(connectsAutomatically, priority, lastUsed) >
               std::tie(other.connectsAutomatically, other.priority, other.lastUsed);
    }
};

bool carriesTheInternet(const ConnectionSettings& settings) {
    const QString type =
        settings.value(QStringLiteral("connection")).value(QStringLiteral("type")).toString();
    if (type == QLatin1String("vpn") || type == QLatin1String("wireguard") ||
        type == QLatin1String("loopback"))
        return false;
    const QString wifiMode =
        settings.value(QStringLiteral("802-11-wireless")).value(QStringLiteral("mode")).toString();
    return wifiMode != QLatin1String("ap");
}

// NetworkManager's own defaults stand for values a connection leaves out.
bool connectsAutomatically(const QVariantMap& connection) {
    return connection.value(QStringLiteral("autoconnect"), true).toBool();
}

Rank rankOf(const QVariantMap& connection) {
    const bool automatic = connectsAutomatically(connection);
    // The priority only orders what NetworkManager brings up by itself.
    return {automatic,
            automatic ? connection.value(QStringLiteral("autoconnect-priority"), 0).toInt() : 0,
            connection.value(QStringLiteral("timestamp"), 0).toULongLong()};
}

}  // namespace

std::optional<QString> connectionToDial(const QList<SavedConnection>& saved,
                                        const QStringList& busy) {
    std::optional<QString> chosen;
    Rank best{};
    for (const SavedConnection& candidate : saved) {
        if (!carriesTheInternet(candidate.settings))
            continue;
        const Rank rank = rankOf(candidate.settings.value(QStringLiteral("connection")));
        if (!chosen || rank > best) {
            chosen = candidate.path;
            best = rank;
        }
    }
    if (chosen && busy.contains(*chosen))
        return std::nullopt;
    return chosen;
}

}  // namespace tolvane
