#include "platform/linux/dbus/network_manager_connection.h"

#include "platform/linux/dbus/dial_choice.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>

#include <memory>
#include <utility>

namespace tolvane {
namespace {

// NetworkManager answers at once; a bus that takes longer is treated as giving no answer.
constexpr int kCallTimeoutMs = 3000;
// NM_STATE_CONNECTED_GLOBAL: a connection with full access to the Internet.
constexpr uint kConnectedGlobal = 70;
// NM_ACTIVE_CONNECTION_STATE_ACTIVATING and _ACTIVATED.
constexpr uint kActiveActivating = 1;
constexpr uint kActiveActivated = 2;

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

QDBusMessage getAllOf(const QString& path, const QString& interface) {
    QDBusMessage getAll =
        callToNetworkManager(path, propertiesInterface(), QStringLiteral("GetAll"));
    getAll << interface;
    return getAll;
}

bool isAnswer(const QDBusMessage& reply) {
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty();
}

// The bus's word that nobody owns NetworkManager's name: its coming is watched for.
bool isAway(const QDBusMessage& reply) {
    return reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
           reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner");
}

std::optional<uint> stateIn(const QVariant& value) {
    bool isNumber = false;
    const uint nmState = value.toUInt(&isNumber);
    if (!isNumber)
        return std::nullopt;
    return nmState;
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

// Sends every call at once and runs handler with their replies (errors included), in the
// calls' order, once the last has come.
template <typename Handler>
void whenAllAnswered(QObject* context, const QDBusConnection& bus, const QList<QDBusMessage>& calls,
                     Handler handler) {
    struct Gathering {
        QList<QDBusMessage> replies;
        qsizetype waiting;
        Handler handler;
    };
    auto gathering = std::make_shared<Gathering>(
        Gathering{QList<QDBusMessage>(calls.size()), calls.size(), std::move(handler)});
    if (calls.isEmpty()) {
        gathering->handler(gathering->replies);
        return;
    }
    for (qsizetype i = 0; i < calls.size(); ++i) {
        whenAnswered(context, bus.asyncCall(calls[i], kCallTimeoutMs),
                     [gathering, i](const QDBusMessage& reply) {
                         gathering->replies[i] = reply;
                         if (--gathering->waiting == 0)
                             gathering->handler(gathering->replies);
                     });
    }
}

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
    readAgainAfterFailure();
    noteSource();
    if (!answers())
        return fallback_.state();
    return *nmState_ == kConnectedGlobal ? State::Connected : State::NotConnected;
}

quint64 NetworkManagerConnection::stateSource() {
    noteSource();
    return sourceChanges_;
}

bool NetworkManagerConnection::answers() const {
    return nmState_.has_value() && bus_.isConnected();
}

void NetworkManagerConnection::noteSource() {
    if (answers() == nmAnswered_)
        return;
    nmAnswered_ = !nmAnswered_;
    ++sourceChanges_;
}

void NetworkManagerConnection::onOwnerChanged(const QString& newOwner) {
    nmOwner_ = newOwner;
    nmState_.reset();
    unconfirmed_.reset();
    ++ownerChanges_;
    reading_ = false;
    readFailed_ = false;
    if (!newOwner.isEmpty())
        readState();
}

void NetworkManagerConnection::onStateChanged(uint nmState, const QDBusMessage& signal) {
    if (!nmOwner_.isEmpty()) {
        if (signal.service() == nmOwner_)
            takeState(nmOwner_, nmState);
        return;
    }
    // Nobody has told yet who NetworkManager is (its state could not be read): the bus is
    // asked whether the sender owns its name before the signal's word is taken.
    unconfirmed_ = std::make_pair(signal.service(), nmState);
    askOwner();
}

void NetworkManagerConnection::takeState(const QString& owner, uint nmState) {
    nmOwner_ = owner;
    nmState_ = nmState;
    unconfirmed_.reset();
    readFailed_ = false;
}

void NetworkManagerConnection::readState() {
    reading_ = true;
    readFailed_ = false;
    QDBusMessage get =
        callToNetworkManager(managerPath(), propertiesInterface(), QStringLiteral("Get"));
    get << managerInterface() << QStringLiteral("State");
    whenAnswered(this, bus_.asyncCall(get, kCallTimeoutMs),
                 [this, asked = ownerChanges_](const QDBusMessage& reply) {
                     // An owner that came or went since makes this answer stale.
                     if (asked != ownerChanges_)
                         return;
                     reading_ = false;
                     if (isAnswer(reply)) {
                         const QVariant value =
                             reply.arguments().constFirst().value<QDBusVariant>().variant();
                         if (const std::optional<uint> nmState = stateIn(value)) {
                             takeState(reply.service(), *nmState);
                             return;
                         }
                     }
                     readFailed_ = !isAway(reply);
                 });
}

void NetworkManagerConnection::readAgainAfterFailure() {
    if (readFailed_ && !reading_ && bus_.isConnected())
        readState();
}

void NetworkManagerConnection::askOwner() {
    if (askingOwner_)
        return;
    askingOwner_ = true;
    QDBusMessage ask = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetNameOwner"));
    ask << service();
    whenAnswered(this, bus_.asyncCall(ask, kCallTimeoutMs),
                 [this, asked = ownerChanges_](const QDBusMessage& reply) {
                     askingOwner_ = false;
                     if (asked != ownerChanges_ || !isAnswer(reply) || !nmOwner_.isEmpty())
                         return;
                     nmOwner_ = reply.arguments().constFirst().toString();
                     if (unconfirmed_ && unconfirmed_->first == nmOwner_)
                         takeState(nmOwner_, unconfirmed_->second);
                     unconfirmed_.reset();
                 });
}

void NetworkManagerConnection::askManager(std::function<void(const QVariantMap&)> then) {
    if (!bus_.isConnected())
        return;
    whenAnswered(this, bus_.asyncCall(getAllOf(managerPath(), managerInterface()), kCallTimeoutMs),
                 [this, asked = ownerChanges_, then = std::move(then)](const QDBusMessage& reply) {
                     if (!isAnswer(reply))
                         return;
                     const auto manager = qdbus_cast<QVariantMap>(reply.arguments().constFirst());
                     // Its word on the state is as good as a read's.
                     const std::optional<uint> nmState =
                         stateIn(manager.value(QStringLiteral("State")));
                     if (nmState && asked == ownerChanges_)
                         takeState(reply.service(), *nmState);
                     then(manager);
                 });
}

void NetworkManagerConnection::dial() {
    // Asked of NetworkManager itself, also when its state could not be read before.
    askManager([this](const QVariantMap& manager) {
        // Nothing to bring up while already connected.
        if (stateIn(manager.value(QStringLiteral("State"))) != kConnectedGlobal)
            readActiveConnections(manager);
    });
}

void NetworkManagerConnection::readActiveConnections(const QVariantMap& manager) {
    QList<QDBusMessage> asks;
    const auto active =
        qdbus_cast<QList<QDBusObjectPath>>(manager.value(QStringLiteral("ActiveConnections")));
    for (const QDBusObjectPath& path : active) {
        asks.append(getAllOf(path.path(),
                             QStringLiteral("org.freedesktop.NetworkManager.Connection.Active")));
    }
    whenAllAnswered(this, bus_, asks, [this](const QList<QDBusMessage>& replies) {
        // The saved connections that are up or on their way up.
        QStringList busy;
        for (const QDBusMessage& reply : replies) {
            if (!isAnswer(reply))
                continue;
            const auto properties = qdbus_cast<QVariantMap>(reply.arguments().constFirst());
            const uint activeState = properties.value(QStringLiteral("State")).toUInt();
            if (activeState == kActiveActivating || activeState == kActiveActivated)
                busy.append(
                    properties.value(QStringLiteral("Connection")).value<QDBusObjectPath>().path());
        }
        readSavedConnections(busy);
    });
}

void NetworkManagerConnection::readSavedConnections(const QStringList& busy) {
    const QDBusMessage list =
        callToNetworkManager(QStringLiteral("/org/freedesktop/NetworkManager/Settings"),
                             QStringLiteral("org.freedesktop.NetworkManager.Settings"),
                             QStringLiteral("ListConnections"));
    whenAnswered(
        this, bus_.asyncCall(list, kCallTimeoutMs), [this, busy](const QDBusMessage& reply) {
            if (!isAnswer(reply))
                return;
            const auto paths = qdbus_cast<QList<QDBusObjectPath>>(reply.arguments().constFirst());
            if (paths.isEmpty())
                return;
            QList<QDBusMessage> asks;
            for (const QDBusObjectPath& path : paths) {
                asks.append(callToNetworkManager(
                    path.path(),
                    QStringLiteral("org.freedesktop.NetworkManager.Settings.Connection"),
                    QStringLiteral("GetSettings")));
            }
            whenAllAnswered(
                this, bus_, asks, [this, paths, busy](const QList<QDBusMessage>& replies) {
                    QList<SavedConnection> saved;
                    for (qsizetype i = 0; i < replies.size(); ++i) {
                        // A connection whose settings cannot be read is not a candidate.
                        if (isAnswer(replies[i]))
                            saved.append(
                                {paths[i].path(), qdbus_cast<ConnectionSettings>(
                                                      replies[i].arguments().constFirst())});
                    }
                    if (const std::optional<QString> chosen = connectionToDial(saved, busy))
                        activate(*chosen);
                });
        });
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
    // Asked of NetworkManager itself, also when its state could not be read before.
    askManager([this](const QVariantMap& manager) {
        // The one being brought up first, so that it cannot become primary after all.
        QStringList deactivated;
        for (const QString& name :
             {QStringLiteral("ActivatingConnection"), QStringLiteral("PrimaryConnection")}) {
            const QString active = manager.value(name).value<QDBusObjectPath>().path();
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
