#pragma once

#include "platform/platform.h"
#include "ui/window_registry.h"

namespace tolvane {

class TaskService;

// Tells the registry how the task window and its add/edit dialog are made. The scheduler
// behind the task window lives as long as the registry's windows, and longer; start-up
// starts it, or the task window as it loads.
TaskService& defineSchedulerWindows(WindowRegistry& windows, const Platform& platform);

}  // namespace tolvane
