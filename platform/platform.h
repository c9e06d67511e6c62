#pragma once

#include "core/code_page.h"
#include "core/maker_site.h"
#include "platform/app_info.h"
#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/document_opener.h"
#include "platform/file_open_dialog.h"
#include "platform/internet_connection.h"
#include "platform/message_boxes.h"
#include "platform/power_control.h"
#include "platform/program_control.h"
#include "platform/registry_store.h"
#include "platform/tray_icon.h"
#include "platform/web_windows.h"

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
    Clipboard& clipboard;
    InternetConnection& connection;
    PowerControl& power;
    WebWindows& webWindows;
    MakerSite site;
};

}  // namespace tolvane
