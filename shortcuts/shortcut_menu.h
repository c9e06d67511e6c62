#pragma once

class QAction;

namespace tolvane {

// The tray menu's shortcut items: an indexed family whose item 0 always exists and whose
// further items each stand below the one before. The window that owns the menu makes them,
// so that choosing one reaches that window even when no shortcut window exists.
class ShortcutMenu {
public:
    virtual ~ShortcutMenu() = default;
    virtual int shortcutItemCount() const = 0;
    virtual QAction* shortcutItem(int index) const = 0;
    // A new item below the last one.
    virtual QAction* addShortcutItem() = 0;
    // Removes the last item; item 0 is never removed.
    virtual void removeLastShortcutItem() = 0;
};

}  // namespace tolvane
