#include "scheduler/scheduler_windows.h"

#include "scheduler/timing_add.h"
#include "scheduler/timing_window.h"

namespace tolvane {

void defineSchedulerWindows(WindowRegistry& windows, const Platform& platform) {
    windows.define<Timing>([platform, &windows] { return new Timing(platform, windows); });
    // The dialog belongs to the task window and is made only while that window exists.
    windows.define<Timing_add>([platform, &windows]() -> Timing_add* {
        Timing* editor = windows.find<Timing>();
        return editor ? new Timing_add(platform, *editor) : nullptr;
    });
}

}  // namespace tolvane
