#pragma once

#include "platform/platform.h"
#include "ui/window_registry.h"

namespace tolvane {

// Tells the registry how each of the program's windows is made.
void defineProgramWindows(WindowRegistry& windows, const Platform& platform);

}  // namespace tolvane
