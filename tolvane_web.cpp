// The web windows' process: the currency converter, the word translator and the browser, with
// the web engine they need, apart from the tray program. The tray program starts it and tells
// it on its standard input which window to show.
#include "core/maker_site.h"
#include "platform/linux/standard_streams.h"
#include "platform/linux/webengine/linux_web_platform.h"
#include "site/site_addresses.h"
#include "ui/window_registry.h"
#include "web/web_shell.h"
#include "web/web_windows.h"

#include <QApplication>

using namespace tolvane;

int main(int argc, char** argv) {
    // The web engine shares its OpenGL context with the windows; without this it fails on
    // first use.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tolvane"));
    QApplication::setLayoutDirection(Qt::RightToLeft);
    QApplication::setQuitOnLastWindowClosed(false);

    LinuxWebPlatform linuxPlatform;
    // Where the program's own site listens, as the tray program last said.
    QString ownSite = siteHost(kDefaultSitePort);
    WindowRegistry windows;
    defineWebWindows(windows, [&linuxPlatform, &ownSite] {
        return linuxPlatform.services(MakerSite::fromEnvironment(ownSite));
    });

    WebShell shell(
        [&windows, &ownSite](WebWindow window, const QString& siteHost) {
            if (!siteHost.isEmpty())
                ownSite = siteHost;
            return showWebWindow(windows, window);
        },
        writeStandardOutput);
    StandardInput input;
    QObject::connect(&input, &StandardInput::received, &shell, &WebShell::received);
    QObject::connect(&input, &StandardInput::ended, &shell, &WebShell::inputEnded);
    QObject::connect(&shell, &WebShell::ended, &app, &QCoreApplication::quit);
    return QApplication::exec();
}
