#include "platform/linux/dbus/logind_power_control.h"

#include <QDBusMessage>

#include <utility>

namespace tolvane {

LogindPowerControl::LogindPowerControl(QDBusConnection bus) : bus_(std::move(bus)) {}

void LogindPowerControl::powerOff() {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PowerOff"));
    // Not interactive: no password prompt may hold the shut-down up.
    call << false;
    // Sent without waiting for the answer: the result is not looked at.
    bus_.send(call);
}

}  // namespace tolvane
