#pragma once

#include "app_info.h"
#include "clock.h"
#include "document_opener.h"
#include "maker_site.h"
#include "message_boxes.h"
#include "program_control.h"
#include "registry_store.h"
#include "tray_icon.h"

namespace tolvane {

// The platform services a window may use, handed to it when it is made.
struct Platform {
    RegistryStore& registry;
    DocumentOpener& opener;
    MessageBoxes& messages;
    AppInfo& app;
    TrayIcon& tray;
    ProgramControl& program;
    Clock& clock;
    MakerSite site;
};

}  // namespace tolvane
