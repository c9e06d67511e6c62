#pragma once

#include "core/web_messages.h"

namespace tolvane {

// The windows that show web pages. They live in a process of their own, so that the web
// engine never weighs on the tray program.
class WebWindows {
public:
    virtual ~WebWindows() = default;
    // Shows the window, making it first if need be; returns at once.
    virtual void show(WebWindow window) = 0;
};

}  // namespace tolvane
