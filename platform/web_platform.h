#pragma once

#include "core/maker_site.h"
#include "platform/message_boxes.h"
#include "platform/private_files.h"
#include "platform/program_control.h"
#include "platform/registry_store.h"
#include "platform/web_views.h"

namespace tolvane {

// The platform services a web window may use, handed to it when it is made.
struct WebPlatform {
    MessageBoxes& messages;
    ProgramControl& program;
    RegistryStore& registry;
    WebViews& views;
    PrivateFiles& files;
    // The title of message boxes without one of their own.
    QString title;
    MakerSite site;
};

}  // namespace tolvane
