#pragma once

#include "platform/internet_connection.h"

#include <QString>

namespace tolvane {

// The connection as the kernel sees it, for systems without NetworkManager: connected while
// a default route leads through an interface that is up. The tables are read afresh at each
// look, which never blocks. Nothing here can dial or hang up.
class KernelRouteConnection : public InternetConnection {
public:
    // procNet and sysClassNet name the kernel's folders, so that tests can lay out their own.
    explicit KernelRouteConnection(QString procNet = QStringLiteral("/proc/net"),
                                   QString sysClassNet = QStringLiteral("/sys/class/net"));

    State state() override;
    void dial() override {}
    void hangUp() override {}

private:
    QString procNet_;
    QString sysClassNet_;
};

}  // namespace tolvane
