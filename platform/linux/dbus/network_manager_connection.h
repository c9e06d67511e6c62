#pragma once

#include "platform/internet_connection.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusServiceWatcher>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

#include <functional>
#include <optional>
#include <utility>

namespace tolvane {

// The connection as NetworkManager sees it on the system bus: connected exactly while it
// reports full Internet connectivity (NM_STATE_CONNECTED_GLOBAL). Its state is kept from its
// StateChanged signal, so a look never waits on the bus. Until NetworkManager's state is known
// (systemd-networkd, ifupdown, no system bus at all, or a read that failed) the fallback
// answers instead; the switch follows NetworkManager coming and going, and each switch is a
// change of the state's source.
class NetworkManagerConnection : public QObject, public InternetConnection {
    Q_OBJECT

public:
    NetworkManagerConnection(QDBusConnection bus, InternetConnection& fallback,
                             QObject* parent = nullptr);

    State state() override;
    quint64 stateSource() override;
    // Activates the saved connection NetworkManager would pick for itself (or, when none
    // connects on its own, the one used last); nothing while it already reports a connection,
    // and nothing when that connection is up or being brought up already.
    void dial() override;
    // Deactivates the connection that carries the Internet and one being brought up, leaving
    // VPNs, hotspots and bridges alone.
    void hangUp() override;

private slots:
    void onStateChanged(uint nmState, const QDBusMessage& signal);

private:
    bool answers() const;
    void noteSource();
    void onOwnerChanged(const QString& newOwner);
    void readState();
    // A read that failed while NetworkManager was there is tried again at the next look.
    void readAgainAfterFailure();
    void askOwner();
    void takeState(const QString& owner, uint nmState);
    // NetworkManager's properties, handed on once they have come.
    void askManager(std::function<void(const QVariantMap&)> then);
    void readActiveConnections(const QVariantMap& manager);
    void readSavedConnections(const QStringList& busy);
    void activate(const QString& savedConnection);

    QDBusConnection bus_;
    InternetConnection& fallback_;
    QDBusServiceWatcher watcher_;
    // NetworkManager's unique name on the bus, and its state; both unknown while it is away.
    QString nmOwner_;
    std::optional<uint> nmState_;
    // Counts the owner changes, so that an answer asked of an earlier owner is dropped.
    quint64 ownerChanges_ = 0;
    bool reading_ = false;
    bool readFailed_ = false;
    bool askingOwner_ = false;
    // The last StateChanged whose sender is not known yet to be NetworkManager: sender, state.
    std::optional<std::pair<QString, uint>> unconfirmed_;
    // Whether NetworkManager answered at the last look, and the switches so far.
    bool nmAnswered_ = false;
    quint64 sourceChanges_ = 0;
};

}  // namespace tolvane
