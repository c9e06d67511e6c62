#pragma once

#include "platform/web_views.h"

#include <chrono>

namespace tolvane {

// Makes QtWebEngine views on the process's default profile.
class WebEngineViews : public WebViews {
public:
    explicit WebEngineViews(std::chrono::milliseconds answerTimeout = std::chrono::seconds(30));

    WebView* make(QWidget* parent, const WebViewOptions& options) override;

private:
    std::chrono::milliseconds answerTimeout_;
};

}  // namespace tolvane
