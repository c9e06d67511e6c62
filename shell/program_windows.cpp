#include "shell/program_windows.h"

#include "settings/about_window.h"
#include "settings/conf_window.h"
#include "shell/main_window.h"
#include "shortcuts/shortcut_windows.h"

namespace tolvane {

void defineProgramWindows(WindowRegistry& windows, const Platform& platform) {
    windows.define<MainWindow>([platform, &windows] { return new MainWindow(platform, windows); });
    windows.define<Conf>([platform] { return new Conf(platform); });
    windows.define<About>([platform] { return new About(platform); });
    defineShortcutWindows(windows, platform, [&windows] { return windows.find<MainWindow>(); });
}

}  // namespace tolvane
