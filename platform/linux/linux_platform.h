#pragma once

#include "core/windows_1255.h"
#include "platform/linux/autostart_registry_store.h"
#include "platform/linux/dbus/logind_power_control.h"
#include "platform/linux/dbus/network_manager_connection.h"
#include "platform/linux/file_registry_store.h"
#include "platform/linux/kernel_route_connection.h"
#include "platform/linux/linux_app_info.h"
#include "platform/linux/local_site_opener.h"
#include "platform/linux/qt_clipboard.h"
#include "platform/linux/qt_clock.h"
#include "platform/linux/qt_document_opener.h"
#include "platform/linux/qt_file_open_dialog.h"
#include "platform/linux/qt_message_boxes.h"
#include "platform/linux/qt_program_control.h"
#include "platform/linux/qt_tray_icon.h"
#include "platform/linux/site_module_loader.h"
#include "platform/linux/web_process.h"
#include "platform/platform.h"

namespace tolvane {

// The Linux bindings of every platform service, with their files in the XDG folders:
// the registry in $XDG_CONFIG_HOME/tolvane, the log-on entry in $XDG_CONFIG_HOME/autostart
// and the single-copy lock in $XDG_RUNTIME_DIR. The program's own web site is made and
// started only when one of its pages is first opened.
class LinuxPlatform {
public:
    LinuxPlatform();
    ~LinuxPlatform();
    LinuxPlatform(const LinuxPlatform&) = delete;
    LinuxPlatform& operator=(const LinuxPlatform&) = delete;

    Platform services();

private:
    explicit LinuxPlatform(const ProgramFiles& files);

    // Starts the site if need be; the host it listens on, or nothing when it cannot.
    QString serveOwnSite();
    // The host of the program's own site for the web windows, started first; nothing when
    // another host serves the site.
    QString siteForWebWindows();

    FileRegistryStore fileRegistry_;
    AutostartRegistryStore registry_;
    QtDocumentOpener desktopOpener_;
    LocalSiteOpener opener_;
    LinuxAppInfo app_;
    QtMessageBoxes messages_;
    QtTrayIcon tray_;
    QtProgramControl program_;
    QtClock clock_;
    QtFileOpenDialog files_;
    Windows1255 codePage_;
    QtClipboard clipboard_;
    KernelRouteConnection kernelRoutes_;
    NetworkManagerConnection connection_;
    LogindPowerControl power_;
    SiteModuleLoader site_;
    WebProcess webWindows_;
};

}  // namespace tolvane
