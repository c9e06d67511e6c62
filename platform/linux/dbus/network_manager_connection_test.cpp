#include "platform/linux/dbus/network_manager_connection.h"
#include "platform/linux/dbus/private_system_bus.h"

#include <gtest/gtest.h>

#include <QDBusObjectPath>
#include <QTest>

namespace tolvane {
namespace {

using State = InternetConnection::State;

const QString kNetworkManager = QStringLiteral("org.freedesktop.NetworkManager");
const QString kManager = QStringLiteral("/org/freedesktop/NetworkManager");
const QString kSettings = QStringLiteral("/org/freedesktop/NetworkManager/Settings");
const QString kMainObject = QStringLiteral("/org/freedesktop");
constexpr int kWaitMs = 10000;

// Stands for the kernel's routes; its answer tells the test who was asked.
class FixedConnection : public InternetConnection {
public:
    State state() override { return answer; }
    void dial() override {}
    void hangUp() override {}
    State answer = State::Failed;
};

QString settingsPath(int index) {
    return QStringLiteral("/org/freedesktop/NetworkManager/Settings/") + QString::number(index);
}
QString activePath(int index) {
    return QStringLiteral("/org/freedesktop/NetworkManager/ActiveConnection/") +
           QString::number(index);
}

QStringList paths(const QVariantList& arguments) {
    QStringList paths;
    for (const QVariant& argument : arguments)
        paths.append(argument.value<QDBusObjectPath>().path());
    return paths;
}

class NetworkManagerConnectionTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(bus.error(), QString()); }

    void startNetworkManager(const QByteArray& parameters) {
        ASSERT_TRUE(
            bus.startMock(kNetworkManager, QStringLiteral(TOLVANE_NM_MOCK_TEMPLATE), parameters))
            << bus.error().toStdString();
    }
    void setNetworkManagerState(uint nmState) {
        ASSERT_TRUE(bus.callMock(kNetworkManager, kMainObject,
                                 QStringLiteral("SetGlobalConnectionState"), {nmState}))
            << bus.error().toStdString();
    }
    bool becomes(NetworkManagerConnection& connection, State expected) {
        return QTest::qWaitFor([&] { return connection.state() == expected; }, kWaitMs);
    }
    QList<QVariantList> managerCalls(const QString& method) {
        return bus.calls(kNetworkManager, kManager, method);
    }

    PrivateSystemBus bus;
    FixedConnection kernelRoutes;
};

TEST_F(NetworkManagerConnectionTest, ConnectedExactlyWhileNetworkManagerReportsTheInternet) {
    startNetworkManager(R"({"State": 70})");
    NetworkManagerConnection connection(bus.connection(), kernelRoutes);
    // Read at start, before any change is announced.
    ASSERT_TRUE(becomes(connection, State::Connected));

    // Site-only and local connectivity are not the Internet.
    for (uint nmState : {60U, 50U, 20U}) {
        setNetworkManagerState(nmState);
        EXPECT_TRUE(becomes(connection, State::NotConnected)) << nmState;
        setNetworkManagerState(70);
        EXPECT_TRUE(becomes(connection, State::Connected)) << nmState;
    }
}

TEST_F(NetworkManagerConnectionTest, TheKernelsRoutesAnswerWhileNetworkManagerIsAway) {
    kernelRoutes.answer = State::NotConnected;
    NetworkManagerConnection connection(bus.connection(), kernelRoutes);
    EXPECT_EQ(connection.state(), State::NotConnected);
    const quint64 routes = connection.stateSource();

    startNetworkManager(R"({"State": 70})");
    EXPECT_TRUE(becomes(connection, State::Connected));
    const quint64 networkManager = connection.stateSource();
    EXPECT_NE(networkManager, routes);

    ASSERT_TRUE(bus.stopMock(kNetworkManager)) << bus.error().toStdString();
    EXPECT_TRUE(becomes(connection, State::NotConnected));
    kernelRoutes.answer = State::Connected;
    EXPECT_EQ(connection.state(), State::Connected);
    const quint64 routesAgain = connection.stateSource();
    EXPECT_NE(routesAgain, networkManager) << "a state from elsewhere is no edge";

    // Back again, with its own word on the state rather than the routes'.
    startNetworkManager(R"({"State": 20})");
    EXPECT_TRUE(becomes(connection, State::NotConnected));
    EXPECT_NE(connection.stateSource(), routesAgain);
}

TEST_F(NetworkManagerConnectionTest, AStateThatCouldNotBeReadComesBySignalOrAtTheNextLook) {
    // There, but its state cannot be read at first, as when it does not answer in time.
    startNetworkManager(R"({"State": 70, "StateReadable": false})");
    kernelRoutes.answer = State::Connected;
    NetworkManagerConnection connection(bus.connection(), kernelRoutes);
    EXPECT_EQ(connection.state(), State::Connected) << "the routes, meanwhile";
    setNetworkManagerState(20);
    EXPECT_TRUE(becomes(connection, State::NotConnected)) << "the signal carries the state";

    // Made after the signal, this one has only its failed read to go by, until it reads again.
    NetworkManagerConnection later(bus.connection(), kernelRoutes);
    ASSERT_TRUE(bus.callMock(kNetworkManager, kMainObject, QStringLiteral("SetStateReadable"), {}));
    EXPECT_TRUE(becomes(later, State::NotConnected));
}

TEST(NetworkManagerConnectionWithoutBus, FailsWhenTheRoutesCannotTellEitherAndDoesNothingElse) {
    FixedConnection kernelRoutes;
    NetworkManagerConnection connection(
        QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"),
                                      QStringLiteral("no-bus")),
        kernelRoutes);
    EXPECT_EQ(connection.state(), State::Failed);
    connection.dial();
    connection.hangUp();
    kernelRoutes.answer = State::NotConnected;
    EXPECT_EQ(connection.state(), State::NotConnected);
    QDBusConnection::disconnectFromBus(QStringLiteral("no-bus"));
}

TEST_F(NetworkManagerConnectionTest, DialActivatesTheConnectionNetworkManagerWouldPickItself) {
    startNetworkManager(R"({"State": 20, "Connections": [
        {"id": "Old cable", "type": "802-3-ethernet", "priority": 0, "timestamp": 100},
        {"id": "By hand", "type": "802-3-ethernet", "autoconnect": false, "priority": 9},
        {"id": "Home Wi-Fi", "type": "802-11-wireless", "priority": 5, "timestamp": 50},
        {"id": "Work VPN", "type": "vpn", "priority": 9, "timestamp": 900},
        {"id": "Hotspot", "type": "802-11-wireless", "mode": "ap", "priority": 9}]})");
    NetworkManagerConnection connection(bus.connection(), kernelRoutes);
    ASSERT_TRUE(becomes(connection, State::NotConnected));

    connection.dial();
    ASSERT_TRUE(becomes(connection, State::Connected));
    const QList<QVariantList> activations = managerCalls(QStringLiteral("ActivateConnection"));
    ASSERT_EQ(activations.size(), 1);
    EXPECT_EQ(paths(activations[0]),
              QStringList({settingsPath(2), QStringLiteral("/"), QStringLiteral("/")}));

    // Already connected: no connection is looked at.
    for (const QString& object : {kManager, kSettings})
        ASSERT_TRUE(bus.callMock(kNetworkManager, object, QStringLiteral("ClearCalls"), {}));
    connection.dial();
    EXPECT_TRUE(bus.calls(kNetworkManager, kSettings, QStringLiteral("ListConnections")).isEmpty());
    EXPECT_TRUE(managerCalls(QStringLiteral("ActivateConnection")).isEmpty());
}

TEST_F(NetworkManagerConnectionTest, DialLeavesAConnectionThatIsComingUpAlone) {
    startNetworkManager(R"({"State": 40, "Connections": [
        {"id": "Home Wi-Fi", "type": "802-11-wireless", "priority": 5},
        {"id": "Cable", "type": "802-3-ethernet"}],
        "ActivatingConnection": 0})");
    NetworkManagerConnection connection(bus.connection(), kernelRoutes);
    ASSERT_TRUE(becomes(connection, State::NotConnected));

    connection.dial();
    // Once every saved connection has been read, the choice is made as their answers come in;
    // a state change NetworkManager announces after those answers shows it has been made.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return bus.calls(kNetworkManager, settingsPath(0), QStringLiteral("GetSettings"))
                           .size() == 1 &&
                   bus.calls(kNetworkManager, settingsPath(1), QStringLiteral("GetSettings"))
                           .size() == 1;
        },
        kWaitMs));
    setNetworkManagerState(70);
    ASSERT_TRUE(becomes(connection, State::Connected));
    EXPECT_TRUE(managerCalls(QStringLiteral("ActivateConnection")).isEmpty());
}

TEST_F(NetworkManagerConnectionTest, HangUpTakesDownOnlyThePrimaryAndTheActivatingConnection) {
    startNetworkManager(R"({"State": 70, "Connections": [
        {"id": "Cable", "type": "802-3-ethernet"},
        {"id": "Home Wi-Fi", "type": "802-11-wireless"},
        {"id": "Work VPN", "type": "vpn"},
        {"id": "Bridge", "type": "bridge"}],
        "PrimaryConnection": 0, "ActivatingConnection": 1, "OtherActive": [2, 3]})");
    NetworkManagerConnection connection(bus.connection(), kernelRoutes);
    ASSERT_TRUE(becomes(connection, State::Connected));

    connection.hangUp();
    ASSERT_TRUE(becomes(connection, State::NotConnected));
    QStringList deactivated;
    for (const QVariantList& call : managerCalls(QStringLiteral("DeactivateConnection")))
        deactivated += paths(call);
    EXPECT_EQ(deactivated, QStringList({activePath(1), activePath(0)}));
}

}  // namespace
}  // namespace tolvane
