#pragma once

#include "platform/internet_connection.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusServiceWatcher>
#include <QList>
#include <QObject>

#include <optional>

namespace tolvane {

// The connection as NetworkManager sees it on the system bus: connected exactly while it
// reports full Internet connectivity (NM_STATE_CONNECTED_GLOBAL). Its state is kept from its
// StateChanged signal, so a look never waits on the bus. Where NetworkManager is not on the bus
// (systemd-networkd, ifupdown, no system bus at all) the fallback answers instead, and dialling
// and hanging up do nothing; the switch follows NetworkManager coming and going.
class NetworkManagerConnection : public QObject, public InternetConnection {
    Q_OBJECT

public:
    NetworkManagerConnection(QDBusConnection bus, InternetConnection& fallback,
                             QObject* parent = nullptr);

    State state() override;
    // Activates the saved connection NetworkManager would pick for itself; nothing while it
    // already reports a connection.
    void dial() override;
    // Deactivates the connection that carries the Internet and one being brought up, leaving
    // VPNs, hotspots and bridges alone.
    void hangUp() override;

private slots:
    void onStateChanged(uint nmState, const QDBusMessage& signal);

private:
    bool answers() const;
    void onOwnerChanged(const QString& newOwner);
    void readState();
    void readSavedConnections(const QList<QDBusObjectPath>& paths);
    void activate(const QString& savedConnection);

    QDBusConnection bus_;
    InternetConnection& fallback_;
    QDBusServiceWatcher watcher_;
    // NetworkManager's unique name on the bus, and its state; both unknown while it is away.
    QString nmOwner_;
    std::optional<uint> nmState_;
    // Counts the owner changes, so that a state read asked of an earlier owner is dropped.
    quint64 stateRead_ = 0;
};

}  // namespace tolvane
