#pragma once

#include "platform/platform.h"
#include "ui/window_registry.h"

#include <functional>

namespace tolvane {

class ShortcutMenu;

// Tells the registry how the shortcut editor and its dialog are made; the editor rebuilds
// the shortcut items of the menu that menu() gives.
void defineShortcutWindows(WindowRegistry& windows, const Platform& platform,
                           const std::function<ShortcutMenu*()>& menu);

}  // namespace tolvane
