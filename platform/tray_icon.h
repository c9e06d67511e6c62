#pragma once

#include <QIcon>
#include <QObject>

namespace tolvane {

// The mouse messages a tray icon reports, numbered as the Windows shell numbers them.
namespace TrayEvent {
inline constexpr int LeftButtonUp = 0x202;
inline constexpr int LeftDoubleClick = 0x203;
inline constexpr int RightButtonUp = 0x205;
inline constexpr int MiddleButtonUp = 0x208;
}  // namespace TrayEvent

// The program's icon in the notification area.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    // Shows the icon; adding it again while it is shown changes nothing.
    virtual void add(const QIcon& icon, const QString& tip) = 0;
    // Removes the icon at once.
    virtual void remove() = 0;

signals:
    // A mouse event on the icon, as one of the TrayEvent codes.
    void notified(int event);
};

}  // namespace tolvane
