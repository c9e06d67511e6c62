// The smallest Qt tray program we can write: the yardstick for Tolvane's
// start-up time and idle memory. Keep it bare, or the comparison means nothing.

#include <QApplication>
#include <QIcon>
#include <QMenu>
#include <QSystemTrayIcon>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Names the icon window, which is how the benchmark finds it in the tray.
    QApplication::setApplicationName(QStringLiteral("minimaltray"));
    QApplication::setQuitOnLastWindowClosed(false);

    QMenu menu;
    QObject::connect(menu.addAction(QStringLiteral("Quit")), &QAction::triggered, &app,
                     &QApplication::quit);

    QSystemTrayIcon tray(QIcon(QStringLiteral(":/minimaltray/tolvane.svg")));
    tray.setContextMenu(&menu);
    tray.show();
    return QApplication::exec();
}
