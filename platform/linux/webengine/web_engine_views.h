#pragma once

#include "platform/message_boxes.h"
#include "platform/web_views.h"

#include <QObject>

#include <chrono>

class QWebEngineDownloadRequest;

namespace tolvane {

// Makes QtWebEngine views on the process's default profile. What their pages offer to download
// is saved into the download folder once the user agrees, and never opened.
class WebEngineViews : public QObject, public WebViews {
    Q_OBJECT
public:
    WebEngineViews(MessageBoxes& messages, QString downloadFolder,
                   std::chrono::milliseconds answerTimeout = std::chrono::seconds(30));

    WebView* make(QWidget* parent, const WebViewOptions& options) override;

private:
    void downloadRequested(QWebEngineDownloadRequest* download);

    MessageBoxes& messages_;
    QString downloadFolder_;
    std::chrono::milliseconds answerTimeout_;
};

}  // namespace tolvane
