#include "ui/window_registry.h"

namespace tolvane {

WindowRegistry::~WindowRegistry() {
    for (auto& [type, window] : live_)
        delete window.data();
}

Form* WindowRegistry::find(std::type_index type) const {
    const auto live = live_.find(type);
    if (live != live_.end() && live->second)
        return live->second;
    const auto loading = loading_.find(type);
    return loading == loading_.end() ? nullptr : loading->second.data();
}

Form* WindowRegistry::load(std::type_index type) {
    const auto live = live_.find(type);
    if (live != live_.end() && live->second)
        return live->second;
    const auto maker = makers_.find(type);
    if (maker == makers_.end() || loading_.contains(type))
        return nullptr;

    loading_[type] = nullptr;
    Form* window = maker->second();
    if (window) {
        if (!icon_.isNull() && !window->testAttribute(Qt::WA_SetWindowIcon))
            window->setWindowIcon(icon_);
        loading_[type] = window;
        window->Form_Load();
    }
    loading_.erase(type);
    // A window may close itself while it loads; it is then already on its way out.
    if (!window || window->isUnloaded())
        return nullptr;

    live_[type] = window;
    QObject::connect(window, &Form::unloaded, window, [this, type, window] {
        const auto it = live_.find(type);
        if (it != live_.end() && it->second == window)
            live_.erase(it);
    });
    return window;
}

void WindowRegistry::bringUp(QWidget* window) {
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace tolvane
