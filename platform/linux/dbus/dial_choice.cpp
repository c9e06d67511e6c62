#include "platform/linux/dbus/dial_choice.h"

namespace tolvane {
namespace {

struct Rank {
    int priority;
    quint64 lastUsed;

    bool operator>(const Rank& other) const {
        return priority != other.priority ? priority > other.priority : lastUsed > other.lastUsed;
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
    return {connection.value(QStringLiteral("autoconnect-priority"), 0).toInt(),
            connection.value(QStringLiteral("timestamp"), 0).toULongLong()};
}

}  // namespace

std::optional<QString> connectionToDial(const QList<SavedConnection>& saved) {
    std::optional<QString> chosen;
    Rank best{};
    for (const SavedConnection& candidate : saved) {
        const QVariantMap connection = candidate.settings.value(QStringLiteral("connection"));
        if (!connectsAutomatically(connection) || !carriesTheInternet(candidate.settings))
            continue;
        const Rank rank = rankOf(connection);
        if (!chosen || rank > best) {
            chosen = candidate.path;
            best = rank;
        }
    }
    return chosen;
}

}  // namespace tolvane
