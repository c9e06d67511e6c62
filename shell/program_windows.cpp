#include "program_windows.h"

#include "about_window.h"
#include "conf_window.h"
#include "main_window.h"
#include "shortcut_windows.h"

namespace tolvane {

void defineProgramWindows(WindowRegistry& windows, const Platform& platform) {
    windows.define<MainWindow>([platform, &windows] { return new MainWindow(platform, windows); });
    windows.define<Conf>([platform] { return new Conf(platform); });
    windows.define<About>([platform] { return new About(platform); });
    defineShortcutWindows(windows, platform, [&windows] { return windows.load<MainWindow>(); });
}

}  // namespace tolvane
