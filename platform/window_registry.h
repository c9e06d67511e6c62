#pragma once

#include "form.h"

#include <QPointer>

#include <functional>
#include <map>
#include <set>
#include <typeindex>

namespace tolvane {

// Every window of the program exists at most once. Loading creates it (running its load
// handler) unless it exists; showing loads it and brings it up without blocking the others.
// A window asked for again while its load handler waits in a message box is not made twice.
class WindowRegistry {
public:
    WindowRegistry() = default;
    WindowRegistry(const WindowRegistry&) = delete;
    WindowRegistry& operator=(const WindowRegistry&) = delete;
    ~WindowRegistry();

    // How a window of type W is made.
    template <class W>
    void define(std::function<W*()> make) {
        makers_[typeid(W)] = std::move(make);
    }

    template <class W>
    W* find() const {
        const auto it = live_.find(typeid(W));
        return it == live_.end() ? nullptr : static_cast<W*>(it->second.data());
    }

    template <class W>
    W* load() {
        return static_cast<W*>(load(typeid(W)));
    }

    template <class W>
    W* show() {
        W* window = load<W>();
        if (window)
            bringUp(window);
        return window;
    }

    // Closes the window if it exists; its unload handler may keep it.
    template <class W>
    void unload() {
        if (W* window = find<W>())
            window->close();
    }

    // Shows the window, restored and on top, ready for input.
    static void bringUp(QWidget* window);

private:
    Form* load(std::type_index type);

    std::map<std::type_index, std::function<Form*()>> makers_;
    std::map<std::type_index, QPointer<Form>> live_;
    std::set<std::type_index> loading_;
};

}  // namespace tolvane
