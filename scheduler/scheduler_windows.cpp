#include "scheduler/scheduler_windows.h"

#include "scheduler/timing_add.h"
#include "scheduler/timing_window.h"

#include <memory>

namespace tolvane {

TaskService& defineSchedulerWindows(WindowRegistry& windows, const Platform& platform) {
    // Kept by the maker, which the registry destroys after its windows.
    auto service = std::make_shared<TaskService>(platform);
    windows.define<Timing>(
        [platform, &windows, service] { return new Timing(platform, windows, *service); });
    // The dialog belongs to the task window and is made only while that window exists.
    windows.define<Timing_add>([platform, &windows]() -> Timing_add* {
        Timing* editor = windows.find<Timing>();
        return editor ? new Timing_add(platform, *editor) : nullptr;
    });
    return *service;
}

}  // namespace tolvane
