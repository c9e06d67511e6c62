#pragma once

#include "platform/tray_icon.h"

#include <QSystemTrayIcon>

namespace tolvane {

// The desktop's tray through QSystemTrayIcon. When no tray host runs yet, Qt shows the
// icon as soon as one appears.
class QtTrayIcon : public TrayIcon {
    Q_OBJECT
public:
    QtTrayIcon();

    void add(const QIcon& icon, const QString& tip) override;
    void remove() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void activated(QSystemTrayIcon::ActivationReason reason);

    QSystemTrayIcon icon_;
    // Some trays report the right button as it goes down; the menu waits for its release.
    bool awaitingRightRelease_ = false;
};

}  // namespace tolvane
