#include "platform/linux/webengine/web_engine_views.h"

#include "platform/linux/webengine/web_engine_view.h"

#include <QWebEngineProfile>

namespace tolvane {

WebEngineViews::WebEngineViews(std::chrono::milliseconds answerTimeout)
    : answerTimeout_(answerTimeout) {}

WebView* WebEngineViews::make(QWidget* parent, const WebViewOptions& options) {
    return new WebEngineView(parent, QWebEngineProfile::defaultProfile(), options, answerTimeout_);
}

}  // namespace tolvane
