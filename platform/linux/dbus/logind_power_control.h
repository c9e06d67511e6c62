#pragma once

#include "platform/power_control.h"

#include <QDBusConnection>

namespace tolvane {

// Powers the machine off through systemd-logind on the system bus, as an unprivileged
// desktop user may; logind itself decides whether it is allowed.
class LogindPowerControl : public PowerControl {
public:
    explicit LogindPowerControl(QDBusConnection bus = QDBusConnection::systemBus());

    void powerOff() override;

private:
    QDBusConnection bus_;
};

}  // namespace tolvane
