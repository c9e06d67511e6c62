#include "web/web_windows.h"

#include "currency/curr_window.h"
#include "ui/window_registry.h"

namespace tolvane {

void defineWebWindows(WindowRegistry& windows, const std::function<WebPlatform()>& platform) {
    windows.define<Curr>([platform] { return new Curr(platform()); });
}

Form* showWebWindow(WindowRegistry& windows, WebWindow window) {
    switch (window) {
    case WebWindow::Curr:
        return windows.show<Curr>();
    case WebWindow::Tran:
    case WebWindow::WebBrowser:
        return nullptr;
    }
    return nullptr;
}

}  // namespace tolvane
