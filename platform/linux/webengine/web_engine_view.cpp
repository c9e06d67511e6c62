#include "platform/linux/webengine/web_engine_view.h"

#include "core/open_target.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUuid>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace tolvane {
namespace {

QString probeSource(const QString& token) {
    QFile file(QStringLiteral(":/tolvane/web/document_probe.js"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).replace(QStringLiteral("@TOKEN@"), token);
}

// Why a document cannot be read: there is none yet.
DocumentMarkup noDocument() {
    return DocumentMarkup::unreadable(91, QStringLiteral("אין מסמך בתצוגה"));
}

}  // namespace

// The page, which takes the view's own script reports from the console and keeps everything
// else the page writes there to itself.
class WebEngineView::Page : public QWebEnginePage {
public:
    Page(QWebEngineProfile* profile, QObject* parent, WebEngineView& view)
        : QWebEnginePage(profile, parent), view_(view) {}

protected:
    // A page's request for a new window opens in this same view: the first address the new
    // window is sent to is loaded here instead.
    QWebEnginePage* createWindow(WebWindowType) override {
        auto* standIn = new QWebEnginePage(profile(), this);
        connect(standIn, &QWebEnginePage::urlChanged, this, [this, standIn](const QUrl& url) {
            load(url);
            standIn->deleteLater();
        });
        return standIn;
    }

    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int,
                                  const QString&) override {
        if (!message.startsWith(u'{') || !message.contains(view_.token_))
            return;
        const QJsonObject report = QJsonDocument::fromJson(message.toUtf8()).object();
        if (report.value(QStringLiteral("token")).toString() == view_.token_)
            view_.frameLoaded(report);
    }

private:
    WebEngineView& view_;
};

WebEngineView::WebEngineView(QWidget* parent, QWebEngineProfile* profile,
                             const WebViewOptions& options, std::chrono::milliseconds answerTimeout)
    : WebView(parent),
      view_(new QWebEngineView(parent)),
      home_(options.homePage),
      token_(QUuid::createUuid().toString(QUuid::Id128)),
      current_(noDocument()) {
    // The view deletes its page, and the page goes before the profile does.
    page_ = new Page(profile, view_, *this);
    view_->setPage(page_);

    QWebEngineSettings* settings = page_->settings();
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls,
                           options.localPagesMayPost);
    // Pages that do not name their encoding are read as UTF-8, which is how the program
    // writes its own.
    settings->setDefaultTextEncoding(QStringLiteral("utf-8"));
    // A window only where the user asked for one, and then in this view.
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);

    QWebEngineScript probe;
    probe.setName(QStringLiteral("tolvane-probe"));
    probe.setSourceCode(probeSource(token_));
    probe.setWorldId(QWebEngineScript::ApplicationWorld);
    probe.setInjectionPoint(QWebEngineScript::DocumentCreation);
    probe.setRunsOnSubFrames(true);
    page_->scripts().insert(probe);

    answer_.setSingleShot(true);
    answer_.setInterval(answerTimeout);
    connect(&answer_, &QTimer::timeout, this, &WebEngineView::noAnswer);
    connect(page_, &QWebEnginePage::loadStarted, this, &WebEngineView::loadStarted);
    connect(page_, &QWebEnginePage::loadProgress, this, &WebEngineView::loadProgress);
    connect(page_, &QWebEnginePage::loadFinished, this, &WebEngineView::loadFinished);
    connect(page_, &QWebEnginePage::linkHovered, this, &WebView::StatusTextChange);
    connect(page_, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status) {
                if (status != QWebEnginePage::NormalTerminationStatus)
                    rendererEnded();
            });
}

WebEngineView::~WebEngineView() {
    delete view_.data();
}

QWidget* WebEngineView::widget() {
    return view_;
}

QWebEnginePage* WebEngineView::page() const {
    return page_;
}

void WebEngineView::Navigate(const QString& address) {
    page_->load(navigationUrl(address));
}

bool WebEngineView::GoBack() {
    if (!page_->history()->canGoBack())
        return false;
    page_->triggerAction(QWebEnginePage::Back);
    return true;
}

bool WebEngineView::GoForward() {
    if (!page_->history()->canGoForward())
        return false;
    page_->triggerAction(QWebEnginePage::Forward);
    return true;
}

void WebEngineView::GoHome() {
    Navigate(home_);
}

void WebEngineView::Stop() {
    page_->triggerAction(QWebEnginePage::Stop);
}

DocumentMarkup WebEngineView::documentMarkup() const {
    return current_;
}

void WebEngineView::loadStarted() {
    ++load_;
    loadedTop_.reset();
    answer_.start();
    emit StatusTextChange(QStringLiteral("פותח את הדף ") + page_->requestedUrl().toString() +
                          QStringLiteral("..."));
}

void WebEngineView::loadProgress(int progress) {
    // Any progress at all means that the server has begun to answer.
    if (progress > 0)
        answer_.stop();
    emit ProgressChange(progress, 100);
}

void WebEngineView::loadFinished(bool ok) {
    answer_.stop();
    if (ended_ == load_ && load_ != 0)
        return;
    ended_ = load_;
    if (!ok || unanswered_ == load_) {
        failed();
        return;
    }
    emit DownloadComplete();
    emit StatusTextChange(QStringLiteral("הדף נטען."));
    const QString address = page_->url().toString();
    if (loadedTop_) {
        current_ = *loadedTop_;
        emit DocumentComplete(address);
        return;
    }
    // No report from the document itself (its script may not run in it): ask it now.
    const QPointer<WebEngineView> self(this);
    const quint64 load = load_;
    page_->runJavaScript(probeSource(token_) + QStringLiteral("\n;tolvaneMarkup();"),
                         QWebEngineScript::ApplicationWorld,
                         [self, load, address](const QVariant& markup) {
                             if (!self)
                                 return;
                             if (self->load_ == load)
                                 self->current_ = DocumentMarkup::of(markup.toString());
                             emit self->DocumentComplete(address);
                         });
}

void WebEngineView::frameLoaded(const QJsonObject& report) {
    const QString address = report.value(QStringLiteral("address")).toString();
    if (!report.value(QStringLiteral("top")).toBool()) {
        emit DocumentComplete(address);
        return;
    }
    if (report.contains(QStringLiteral("markup")))
        loadedTop_ = DocumentMarkup::of(report.value(QStringLiteral("markup")).toString());
    else
        loadedTop_ = DocumentMarkup::unreadable(1, report.value(QStringLiteral("error")).toString());
}

void WebEngineView::rendererEnded() {
    answer_.stop();
    ended_ = load_;
    failed();
}

void WebEngineView::noAnswer() {
    unanswered_ = load_;
    page_->triggerAction(QWebEnginePage::Stop);
}

void WebEngineView::failed() {
    current_ = DocumentMarkup::of(kCannotFindServerPage.toString());
    emit DownloadComplete();
    emit StatusTextChange(QStringLiteral("לא ניתן להציג את הדף."));
    emit DocumentComplete(page_->requestedUrl().toString());
}

}  // namespace tolvane
