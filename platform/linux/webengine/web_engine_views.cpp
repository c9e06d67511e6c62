#include "platform/linux/webengine/web_engine_views.h"

#include "platform/linux/webengine/web_engine_view.h"

#include <QDir>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>

namespace tolvane {
namespace {

const QString kTitle = QStringLiteral("Tolvane");

}  // namespace

WebEngineViews::WebEngineViews(MessageBoxes& messages, QString downloadFolder,
                               std::chrono::milliseconds answerTimeout)
    : messages_(messages), downloadFolder_(std::move(downloadFolder)), answerTimeout_(answerTimeout) {
    QWebEngineProfile* profile = QWebEngineProfile::defaultProfile();
    profile->setDownloadPath(downloadFolder_);
    connect(profile, &QWebEngineProfile::downloadRequested, this,
            &WebEngineViews::downloadRequested);
}

WebView* WebEngineViews::make(QWidget* parent, const WebViewOptions& options) {
    return new WebEngineView(parent, QWebEngineProfile::defaultProfile(), options, answerTimeout_);
}

void WebEngineViews::downloadRequested(QWebEngineDownloadRequest* download) {
    const QString name = download->downloadFileName();
    const QString folder = QDir::toNativeSeparators(download->downloadDirectory());
    const MessageBoxes::Answer answer = messages_.show(
        QStringLiteral("לשמור את הקובץ \"") + name + QStringLiteral("\" בתיקיית ההורדות ") +
            folder + QStringLiteral("?"),
        MessageBoxes::Buttons::YesNo, MessageBoxes::Icon::Information, kTitle);
    if (answer != MessageBoxes::Answer::Yes) {
        download->cancel();
        return;
    }
    connect(download, &QWebEngineDownloadRequest::isFinishedChanged, this, [this, download] {
        if (download->state() == QWebEngineDownloadRequest::DownloadInterrupted) {
            messages_.show(QStringLiteral("לא ניתן היה לשמור את הקובץ \"") +
                               download->downloadFileName() + QStringLiteral("\": ") +
                               download->interruptReasonString(),
                           MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Critical, kTitle);
        }
    });
    download->accept();
}

}  // namespace tolvane
