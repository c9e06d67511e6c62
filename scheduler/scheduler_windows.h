#pragma once

#include "platform/platform.h"
#include "ui/window_registry.h"

namespace tolvane {

// Tells the registry how the task window and its add/edit dialog are made.
void defineSchedulerWindows(WindowRegistry& windows, const Platform& platform);

}  // namespace tolvane
