#pragma once

#include "autostart_registry_store.h"
#include "desktop_opener.h"
#include "file_registry_store.h"
#include "linux_app_info.h"
#include "platform.h"
#include "qt_file_open_dialog.h"
#include "qt_message_boxes.h"
#include "qt_program_control.h"
#include "system_tray_icon.h"
#include "windows_1255.h"

namespace tolvane {

// The Linux bindings of every platform service, with their files in the XDG folders:
// the registry in $XDG_CONFIG_HOME/tolvane, the log-on entry in $XDG_CONFIG_HOME/autostart
// and the single-copy lock in $XDG_RUNTIME_DIR.
class LinuxPlatform {
public:
    LinuxPlatform();
    Platform services();

private:
    FileRegistryStore fileRegistry_;
    AutostartRegistryStore registry_;
    DesktopOpener opener_;
    QtMessageBoxes messages_;
    LinuxAppInfo app_;
    SystemTrayIcon tray_;
    QtProgramControl program_;
    SystemClock clock_;
    QtFileOpenDialog files_;
    Windows1255 codePage_;
};

}  // namespace tolvane
