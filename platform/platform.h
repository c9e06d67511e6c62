#pragma once

#include "app_info.h"
#include "clock.h"
#include "code_page.h"
#include "document_opener.h"
#include "file_open_dialog.h"
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
    FileOpenDialog& files;
    CodePage& codePage;
    MakerSite site;
};

}  // namespace tolvane
