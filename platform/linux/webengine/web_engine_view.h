#pragma once

#include "platform/web_view.h"
#include "platform/web_views.h"

#include <QPointer>
#include <QTimer>

#include <chrono>
#include <optional>

class QJsonObject;
class QWebEnginePage;
class QWebEngineProfile;
class QWebEngineView;

namespace tolvane {

// A web view on QtWebEngine. A script of the view's own, apart from the page's scripts, tells
// when each frame has loaded and hands over the top-level document's markup then; a load that
// fails (no such host, a refused connection, an HTTP error, stopped, no answer in time, or a
// page whose renderer died) reads as the page that could not be found.
class WebEngineView : public WebView {
    Q_OBJECT
public:
    // answerTimeout: how long a server may take to start answering a load.
    WebEngineView(QWidget* parent, QWebEngineProfile* profile, const WebViewOptions& options,
                  std::chrono::milliseconds answerTimeout);
    ~WebEngineView() override;
    WebEngineView(const WebEngineView&) = delete;
    WebEngineView& operator=(const WebEngineView&) = delete;

    QWidget* widget() override;
    void Navigate(const QString& address) override;
    bool GoBack() override;
    bool GoForward() override;
    void GoHome() override;
    void Stop() override;
    DocumentMarkup documentMarkup() const override;

    QWebEnginePage* page() const;

private:
    class Page;

    void loadStarted();
    void loadProgress(int progress);
    void loadFinished(bool ok);
    void frameLoaded(const QJsonObject& report);
    void rendererEnded();
    void noAnswer();
    void failed();

    QPointer<QWebEngineView> view_;
    Page* page_;
    QString home_;
    QString token_;
    QTimer answer_;
    // The number of the load now going on, and of one given up for want of an answer.
    quint64 load_ = 0;
    quint64 unanswered_ = 0;
    // The last load whose end has been reported: a load ends once.
    quint64 ended_ = 0;
    // The top-level document's markup as its script reported it when it loaded.
    std::optional<DocumentMarkup> loadedTop_;
    DocumentMarkup current_;
};

}  // namespace tolvane
