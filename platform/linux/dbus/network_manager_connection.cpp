#include "platform/linux/dbus/network_manager_connection.h"

#include "platform/linux/dbus/dial_choice.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>

#include <memory>
#include <utility>
#include <vector>

namespace tolvane {
namespace {

// NetworkManager answers at once; a bus that takes longer is treated as giving no answer.
constexpr int kCallTimeoutMs = 3000;
// NM_STATE_CONNECTED_GLOBAL: a connection with full access to the Internet.
constexpr uint kConnectedGlobal = 70;

QString service() {
    return QStringLiteral("org.freedesktop.NetworkManager");
}
QString managerPath() {
    return QStringLiteral("/org/freedesktop/NetworkManager");
}
QString managerInterface() {
    return QStringLiteral("org.freedesktop.NetworkManager");
}
QString propertiesInterface() {
    return QStringLiteral("org.freedesktop.DBus.Properties");
}

QDBusMessage callToNetworkManager(const QString& path, const QString& interface,
                                  const QString& method) {
    QDBusMessage call = QDBusMessage::createMethodCall(service(), path, interface, method);
    // Asking must never start NetworkManager on a system that runs without it.
    call.setAutoStartService(false);
    return call;
}

bool isAnswer(const QDBusMessage& reply) {
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty();
}

// Runs handler with the reply, or with the error when the call failed or timed out.
template <typename Handler>
void whenAnswered(QObject* context, const QDBusPendingCall& pending, Handler handler) {
    auto* watcher = new QDBusPendingCallWatcher(pending, context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                     [watcher, handler = std::move(handler)] {
                         watcher->deleteLater();
                         handler(watcher->reply());
                     });
}

// The saved connections' settings as they come in, kept in list order for the choice.
struct SettingsGathering {
    std::vector<std::optional<SavedConnection>> answers;
    std::size_t waiting = 0;

    QList<SavedConnection> answered() const {
        QList<SavedConnection> saved;
        for (const std::optional<SavedConnection>& answer : answers) {
            if (answer)
                saved.append(*answer);
        }
        return saved;
    }
};

}  // namespace

NetworkManagerConnection::NetworkManagerConnection(QDBusConnection bus,
                                                   InternetConnection& fallback, QObject* parent)
    : QObject(parent),
      bus_(std::move(bus)),
      fallback_(fallback),
      watcher_(service(), bus_, QDBusServiceWatcher::WatchForOwnerChange) {
    connect(&watcher_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) {
                onOwnerChanged(newOwner);
            });
    // Subscribed without the service name, whose owner Qt would otherwise look up with a
    // blocking call; the sender is checked against NetworkManager's owner instead.
    bus_.connect(QString(), managerPath(), managerInterface(), QStringLiteral("StateChanged"), this,
                 SLOT(onStateChanged(uint, QDBusMessage)));
    readState();
}

InternetConnection::State NetworkManagerConnection::state() {
    if (!answers())
        return fallback_.state();
    return *nmState_ == kConnectedGlobal ? State::Connected : State::NotConnected;
}

bool NetworkManagerConnection::answers() const {
    return nmState_.has_value() && bus_.isConnected();
}

void NetworkManagerConnection::onOwnerChanged(const QString& newOwner) {
    nmOwner_ = newOwner;
    nmState_.reset();
    ++stateRead_;
    if (!newOwner.isEmpty())
        readState();
}

void NetworkManagerConnection::onStateChanged(uint nmState, const QDBusMessage& signal) {
    // Before the first answer tells who NetworkManager is, that answer is the newer word.
    if (nmOwner_.isEmpty() || signal.service() != nmOwner_)
        return;
    nmState_ = nmState;
}

void NetworkManagerConnection::readState() {
    QDBusMessage get =
        callToNetworkManager(managerPath(), propertiesInterface(), QStringLiteral("Get"));
    get << managerInterface() << QStringLiteral("State");
    whenAnswered(
        this, bus_.asyncCall(get, kCallTimeoutMs),
        [this, asked = stateRead_](const QDBusMessage& reply) {
            // An owner that came or went since makes this answer stale.
            if (asked != stateRead_ || !isAnswer(reply))
                return;
            bool isNumber = false;
            const uint nmState =
                reply.arguments().constFirst().value<QDBusVariant>().variant().toUInt(&isNumber);
            if (!isNumber)
                return;
            nmOwner_ = reply.service();
            nmState_ = nmState;
        });
}

void NetworkManagerConnection::dial() {
    // Nothing to bring up while already connected, and nothing at all without NetworkManager.
    if (!answers() || *nmState_ == kConnectedGlobal)
        return;
    const QDBusMessage list =
        callToNetworkManager(QStringLiteral("/org/freedesktop/NetworkManager/Settings"),
                             QStringLiteral("org.freedesktop.NetworkManager.Settings"),
                             QStringLiteral("ListConnections"));
    whenAnswered(this, bus_.asyncCall(list, kCallTimeoutMs), [this](const QDBusMessage& reply) {
        if (isAnswer(reply))
            readSavedConnections(
                qdbus_cast<QList<QDBusObjectPath>>(reply.arguments().constFirst()));
    });
}

void NetworkManagerConnection::readSavedConnections(const QList<QDBusObjectPath>& paths) {
    if (paths.isEmpty())
        return;
    auto gathering = std::make_shared<SettingsGathering>();
    gathering->answers.resize(paths.size());
    gathering->waiting = paths.size();
    for (std::size_t i = 0; i < gathering->answers.size(); ++i) {
        const QString path = paths[static_cast<qsizetype>(i)].path();
        const QDBusMessage get = callToNetworkManager(
            path, QStringLiteral("org.freedesktop.NetworkManager.Settings.Connection"),
            QStringLiteral("GetSettings"));
        whenAnswered(
            this, bus_.asyncCall(get, kCallTimeoutMs),
            [this, gathering, i, path](const QDBusMessage& reply) {
                // A connection whose settings cannot be read is not a candidate.
                if (isAnswer(reply))
                    gathering->answers[i] = SavedConnection{
                        path, qdbus_cast<ConnectionSettings>(reply.arguments().constFirst())};
                if (--gathering->waiting > 0)
                    return;
                if (const std::optional<QString> chosen = connectionToDial(gathering->answered()))
                    activate(*chosen);
            });
    }
}

void NetworkManagerConnection::activate(const QString& savedConnection) {
    QDBusMessage call = callToNetworkManager(managerPath(), managerInterface(),
                                             QStringLiteral("ActivateConnection"));
    // No device and no specific object: NetworkManager picks them as it would for itself.
    const QDBusObjectPath none(QStringLiteral("/"));
    call << QVariant::fromValue(QDBusObjectPath(savedConnection)) << QVariant::fromValue(none)
         << QVariant::fromValue(none);
    // The result is not looked at.
    bus_.send(call);
}

void NetworkManagerConnection::hangUp() {
    if (!answers())
        return;
    QDBusMessage getAll =
        callToNetworkManager(managerPath(), propertiesInterface(), QStringLiteral("GetAll"));
    getAll << managerInterface();
    whenAnswered(this, bus_.asyncCall(getAll, kCallTimeoutMs), [this](const QDBusMessage& reply) {
        if (!isAnswer(reply))
            return;
        const auto properties = qdbus_cast<QVariantMap>(reply.arguments().constFirst());
        // The one being brought up first, so that it cannot become primary after all.
        QStringList deactivated;
        for (const QString& name :
             {QStringLiteral("ActivatingConnection"), QStringLiteral("PrimaryConnection")}) {
            const QString active = properties.value(name).value<QDBusObjectPath>().path();
            if (active.isEmpty() || active == QLatin1String("/") || deactivated.contains(active))
                continue;
            QDBusMessage call = callToNetworkManager(managerPath(), managerInterface(),
                                                     QStringLiteral("DeactivateConnection"));
            call << QVariant::fromValue(QDBusObjectPath(active));
            bus_.send(call);
            deactivated.append(active);
        }
    });
}

}  // namespace tolvane
