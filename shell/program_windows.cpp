#include "shell/program_windows.h"

#include "calculator/calc_window.h"
#include "scheduler/scheduler_windows.h"
#include "settings/about_window.h"
#include "settings/conf_window.h"
#include "shell/main_window.h"
#include "shortcuts/shortcut_windows.h"

namespace tolvane {

void defineProgramWindows(WindowRegistry& windows, const Platform& platform) {
    TaskService& scheduler = defineSchedulerWindows(windows, platform);
    windows.define<MainWindow>([platform, &windows, &scheduler] {
        return new MainWindow(platform, windows, scheduler);
    });
    windows.define<Conf>([platform] { return new Conf(platform); });
    windows.define<About>([platform] { return new About(platform); });
    windows.define<Calc>([platform] { return new Calc(platform); });
    defineShortcutWindows(windows, platform, [&windows] { return windows.find<MainWindow>(); });
}

}  // namespace tolvane
