#include "platform/linux/linux_platform.h"
#include "shell/main_window.h"
#include "shell/program_windows.h"

#include <QApplication>
#include <QTimer>

using namespace tolvane;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tolvane"));
    QApplication::setLayoutDirection(Qt::RightToLeft);
    // The program lives in the tray: closing its last window must not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    LinuxPlatform linuxPlatform;
    const Platform platform = linuxPlatform.services();

    WindowRegistry windows;
    // Each window carries the icon, not the application: the tray icon's own window would
    // take the application's icon too and have it drawn in four sizes that nobody ever sees.
    windows.setWindowIcon(platform.app.icon());
    defineProgramWindows(windows, platform);
    // Inside the event loop, so that the start-up can end the program at once.
    QTimer::singleShot(0, &app, [&windows] { windows.load<MainWindow>(); });
    return QApplication::exec();
}
