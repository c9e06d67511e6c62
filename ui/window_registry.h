#pragma once

#include "ui/form.h"

#include <QIcon>
#include <QPointer>

#include <functional>
#include <map>
#include <typeindex>

namespace tolvane {

// Every window of the program exists at most once. Loading makes it and runs its load handler
// unless it exists; showing loads it and brings it up without blocking the others. A window
// asked for again while its load handler waits in a message box is not made twice: it is
// found, but neither loaded nor shown, until its load handler is done.
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

    // The window if it exists, also while its load handler runs.
    template <class W>
    W* find() const {
        return static_cast<W*>(find(typeid(W)));
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

    // The icon of every window made from now on that brings none of its own.
    void setWindowIcon(const QIcon& icon) { icon_ = icon; }

private:
    Form* find(std::type_index type) const;
    Form* load(std::type_index type);

    std::map<std::type_index, std::function<Form*()>> makers_;
    std::map<std::type_index, QPointer<Form>> live_;
    // Windows whose maker or load handler is running; null while the maker runs.
    std::map<std::type_index, QPointer<Form>> loading_;
    QIcon icon_;
};

}  // namespace tolvane
