#pragma once

#include "core/web_messages.h"
#include "platform/web_platform.h"

#include <functional>

namespace tolvane {

class Form;
class WindowRegistry;

// How each web window is made, with the services current when it is made.
void defineWebWindows(WindowRegistry& windows, const std::function<WebPlatform()>& platform);

// Shows the window; null when it could not be.
Form* showWebWindow(WindowRegistry& windows, WebWindow window);

}  // namespace tolvane
