#pragma once

#include "core/windows_1255.h"
#include "platform/linux/autostart_registry_store.h"
#include "platform/linux/file_registry_store.h"
#include "platform/linux/linux_app_info.h"
#include "platform/linux/qt_clock.h"
#include "platform/linux/qt_document_opener.h"
#include "platform/linux/qt_file_open_dialog.h"
#include "platform/linux/qt_message_boxes.h"
#include "platform/linux/qt_program_control.h"
#include "platform/linux/qt_tray_icon.h"
#include "platform/platform.h"

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
    QtDocumentOpener opener_;
    QtMessageBoxes messages_;
    LinuxAppInfo app_;
    QtTrayIcon tray_;
    QtProgramControl program_;
    QtClock clock_;
    QtFileOpenDialog files_;
    Windows1255 codePage_;
};

}  // namespace tolvane
