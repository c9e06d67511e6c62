#include "platform/linux/dbus/dial_choice.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

SavedConnection saved(const QString& path, const QVariantMap& connection,
                      const QVariantMap& wifi = {}) {
    ConnectionSettings settings{{QStringLiteral("connection"), connection}};
    if (!wifi.isEmpty())
        settings.insert(QStringLiteral("802-11-wireless"), wifi);
    return {path, settings};
}

QVariantMap ethernet(int priority, quint64 timestamp) {
    return {{QStringLiteral("type"), QStringLiteral("802-3-ethernet")},
            {QStringLiteral("autoconnect-priority"), priority},
            {QStringLiteral("timestamp"), timestamp}};
}

QVariantMap manual(QVariantMap connection) {
    connection.insert(QStringLiteral("autoconnect"), false);
    return connection;
}

TEST(ConnectionToDial, OfThoseThatConnectOnTheirOwnTheHighestPriorityWinsThenTheLastUsed) {
    EXPECT_EQ(connectionToDial({
                  saved(QStringLiteral("/old"), ethernet(5, 100)),
                  saved(QStringLiteral("/manual"), manual(ethernet(9, 900))),
                  saved(QStringLiteral("/recent"), ethernet(5, 300)),
                  saved(QStringLiteral("/newest-but-low"), ethernet(0, 999)),
              }),
              QStringLiteral("/recent"));
    // A full tie goes to the earlier one, whatever order the answers came in.
    EXPECT_EQ(connectionToDial({saved(QStringLiteral("/first"), ethernet(1, 7)),
                                saved(QStringLiteral("/second"), ethernet(1, 7))}),
              QStringLiteral("/first"));
}

TEST(ConnectionToDial, ValuesLeftOutAreNetworkManagersDefaults) {
    // No autoconnect means on, no priority means 0: above an explicit -1 used later.
    const QVariantMap bare{{QStringLiteral("type"), QStringLiteral("802-3-ethernet")}};
    EXPECT_EQ(connectionToDial({saved(QStringLiteral("/below"), ethernet(-1, 500)),
                                saved(QStringLiteral("/bare"), bare)}),
              QStringLiteral("/bare"));
    // Settings without even a "connection" group still connect on their own.
    EXPECT_EQ(connectionToDial({{QStringLiteral("/empty"), {}}}), QStringLiteral("/empty"));
}

TEST(ConnectionToDial, NothingIsChosenThatCannotCarryTheInternet) {
    auto ofType = [](const QString& type) {
        return QVariantMap{{QStringLiteral("type"), type},
                           {QStringLiteral("autoconnect-priority"), 99},
                           {QStringLiteral("timestamp"), 999}};
    };
    const QVariantMap accessPoint{{QStringLiteral("mode"), QStringLiteral("ap")}};
    const QVariantMap infrastructure{{QStringLiteral("mode"), QStringLiteral("infrastructure")}};
    const QList<SavedConnection> unfit{
        saved(QStringLiteral("/vpn"), ofType(QStringLiteral("vpn"))),
        saved(QStringLiteral("/wg"), ofType(QStringLiteral("wireguard"))),
        saved(QStringLiteral("/lo"), ofType(QStringLiteral("loopback"))),
        saved(QStringLiteral("/hotspot"), ofType(QStringLiteral("802-11-wireless")), accessPoint),
    };
    EXPECT_EQ(connectionToDial(unfit), std::nullopt);
    EXPECT_EQ(connectionToDial({}), std::nullopt);

    QList<SavedConnection> withHomeWifi = unfit;
    withHomeWifi.append(saved(QStringLiteral("/home-wifi"),
                              {{QStringLiteral("type"), QStringLiteral("802-11-wireless")}},
                              infrastructure));
    EXPECT_EQ(connectionToDial(withHomeWifi), QStringLiteral("/home-wifi"));
}

TEST(ConnectionToDial, ByHandOnlyWhenNoneConnectsOnItsOwnAndNeverOneAlreadyComingUp) {
    // On-demand dial-up and mobile broadband: the one used last, whatever its priority.
    const QList<SavedConnection> byHand{
        saved(QStringLiteral("/ppp"), manual(ethernet(99, 700))),
        saved(QStringLiteral("/mobile"), manual(ethernet(0, 900))),
        saved(QStringLiteral("/never-used"), manual(ethernet(0, 0))),
    };
    EXPECT_EQ(connectionToDial(byHand), QStringLiteral("/mobile"));
    QList<SavedConnection> withCable = byHand;
    withCable.append(saved(QStringLiteral("/cable"), ethernet(-5, 1)));
    EXPECT_EQ(connectionToDial(withCable), QStringLiteral("/cable"));

    // Activated again, a connection that is up or being brought up would be restarted.
    EXPECT_EQ(connectionToDial(withCable, {QStringLiteral("/cable")}), std::nullopt);
    EXPECT_EQ(connectionToDial(byHand, {QStringLiteral("/ppp")}), QStringLiteral("/mobile"));
}

}  // namespace
}  // namespace tolvane
