#include "platform/linux/qt_tray_icon.h"

#include <QGuiApplication>
#include <QMouseEvent>

namespace tolvane {

QtTrayIcon::QtTrayIcon() {
    connect(&icon_, &QSystemTrayIcon::activated, this, &QtTrayIcon::activated);
    qGuiApp->installEventFilter(this);
}

void QtTrayIcon::add(const QIcon& icon, const QString& tip) {
    if (icon_.isVisible())
        return;
    icon_.setIcon(icon);
    icon_.setToolTip(tip);
    icon_.show();
}

void QtTrayIcon::remove() {
    icon_.hide();
}

void QtTrayIcon::activated(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
        case QSystemTrayIcon::Trigger:
            emit notified(TrayEvent::LeftButtonUp);
            break;
        case QSystemTrayIcon::DoubleClick:
            emit notified(TrayEvent::LeftDoubleClick);
            break;
        case QSystemTrayIcon::MiddleClick:
            emit notified(TrayEvent::MiddleButtonUp);
            break;
        case QSystemTrayIcon::Context:
            if (QGuiApplication::mouseButtons() & Qt::RightButton)
                awaitingRightRelease_ = true;
            else
                emit notified(TrayEvent::RightButtonUp);
            break;
        case QSystemTrayIcon::Unknown:
            break;
    }
}

bool QtTrayIcon::eventFilter(QObject* watched, QEvent* event) {
    if (awaitingRightRelease_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        awaitingRightRelease_ = false;
        emit notified(TrayEvent::RightButtonUp);
    }
    return TrayIcon::eventFilter(watched, event);
}

}  // namespace tolvane
