#include "web/web_windows.h"

#include "browser/web_browser_window.h"
#include "currency/curr_window.h"
#include "translator/tran_window.h"
#include "ui/window_registry.h"

namespace tolvane {

void defineWebWindows(WindowRegistry& windows, const std::function<WebPlatform()>& platform) {
    windows.define<Curr>([platform] { return new Curr(platform()); });
    windows.define<Tran>([platform] { return new Tran(platform()); });
    windows.define<WebBrowser>([platform] { return new WebBrowser(platform()); });
}

Form* showWebWindow(WindowRegistry& windows, WebWindow window) {
    switch (window) {
    case WebWindow::Curr:
        return windows.show<Curr>();
    case WebWindow::Tran:
        return windows.show<Tran>();
    case WebWindow::WebBrowser:
        return windows.show<WebBrowser>();
    }
    return nullptr;
}

}  // namespace tolvane
