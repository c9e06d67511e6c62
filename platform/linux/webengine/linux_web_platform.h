#pragma once

#include "platform/linux/file_registry_store.h"
#include "platform/linux/qt_message_boxes.h"
#include "platform/linux/qt_program_control.h"
#include "platform/linux/runtime_folder_files.h"
#include "platform/linux/webengine/web_engine_views.h"
#include "platform/web_platform.h"

namespace tolvane {

// The Linux bindings of the services the web windows use, in the web windows' own process.
class LinuxWebPlatform {
public:
    LinuxWebPlatform();
    LinuxWebPlatform(const LinuxWebPlatform&) = delete;
    LinuxWebPlatform& operator=(const LinuxWebPlatform&) = delete;

    WebPlatform services(const MakerSite& site);

private:
    QtMessageBoxes messages_;
    QtProgramControl program_;
    FileRegistryStore registry_;
    WebEngineViews views_;
    RuntimeFolderFiles files_;
};

}  // namespace tolvane
