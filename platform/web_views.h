#pragma once

#include <QString>

class QWidget;

namespace tolvane {

class WebView;

struct WebViewOptions {
    // Whether a local file shown in the view may post to an address on the network, as the
    // currency converter's request page posts to the conversion service.
    bool localPagesMayPost = false;
    // Where GoHome leads.
    QString homePage;
};

// Makes the web views of the web windows.
class WebViews {
public:
    virtual ~WebViews() = default;
    // A view owned by parent, whose area is a child of parent.
    virtual WebView* make(QWidget* parent, const WebViewOptions& options) = 0;
};

}  // namespace tolvane
