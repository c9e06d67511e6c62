#include "shortcuts/shortcut_windows.h"

#include "shortcuts/shortcut_dialog.h"
#include "shortcuts/shortcut_editor.h"

namespace tolvane {

void defineShortcutWindows(WindowRegistry& windows, const Platform& platform,
                           const std::function<ShortcutMenu*()>& menu) {
    windows.define<ShortCuts>([platform, &windows, menu]() -> ShortCuts* {
        ShortcutMenu* items = menu();
        return items ? new ShortCuts(platform, windows, *items) : nullptr;
    });
    // The dialog belongs to the editor and is made only while the editor exists.
    windows.define<ShortCuts_Add>([platform, &windows]() -> ShortCuts_Add* {
        ShortCuts* editor = windows.find<ShortCuts>();
        return editor ? new ShortCuts_Add(platform, *editor) : nullptr;
    });
}

}  // namespace tolvane
