#include "platform/linux/web_process.h"

#include <QProcess>

#include <algorithm>

namespace tolvane {

WebProcess::WebProcess(QString program, std::function<QString()> siteHost)
    : program_(std::move(program)), siteHost_(std::move(siteHost)) {}

WebProcess::~WebProcess() {
    if (!process_)
        return;
    // Its input closed, the process ends by itself; it is killed only if it does not.
    disconnect(process_, nullptr, this, nullptr);
    process_->closeWriteChannel();
    if (!process_->waitForFinished(2000))
        process_->kill();
    process_->waitForFinished(1000);
}

void WebProcess::show(WebWindow window) {
    send({{WebMessage::Kind::Show, window, siteHost_()}});
}

qint64 WebProcess::processId() const {
    return process_ ? process_->processId() : 0;
}

void WebProcess::send(const Request& request) {
    if (!process_)
        start();
    unanswered_.push_back(request);
    process_->write(request.message.line());
}

void WebProcess::start() {
    replies_ = LineReader();
    process_ = new QProcess(this);
    process_->setProgram(program_);
    // Its complaints go where the tray program's go; its answers come here.
    process_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QProcess* process = process_;
    connect(process, &QProcess::readyReadStandardOutput, this, &WebProcess::readReplies);
    connect(process, &QProcess::finished, this, [this, process] { ended(process); });
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        qWarning("Tolvane: the web windows' program %s could not be started",
                 qPrintable(program_));
        ended(process);
    });
    process_->start(QIODevice::ReadWrite);
}

void WebProcess::readReplies() {
    if (!process_)
        return;
    for (const QByteArray& line : replies_.feed(process_->readAllStandardOutput())) {
        const std::optional<WebMessage> reply = WebMessage::parse(line);
        if (!reply)
            continue;
        if (reply->kind == WebMessage::Kind::Shown) {
            const auto answered = std::find_if(
                unanswered_.begin(), unanswered_.end(),
                [&reply](const Request& sent) { return sent.message.window == reply->window; });
            if (answered != unanswered_.end())
                unanswered_.erase(answered);
        } else if (reply->kind == WebMessage::Kind::Idle && unanswered_.empty()) {
            // Nothing is on its way to it: it may end.
            letGo();
        }
    }
}

void WebProcess::letGo() {
    QProcess* process = process_;
    process_ = nullptr;
    disconnect(process, nullptr, this, nullptr);
    connect(process, &QProcess::finished, process, &QObject::deleteLater);
    process->closeWriteChannel();
}

void WebProcess::ended(QProcess* process) {
    if (process != process_)
        return;
    process_ = nullptr;
    process->deleteLater();
    // What it never answered goes to a new process, but only once: a process that cannot
    // start or show a window is not started over and over.
    std::deque<Request> again;
    for (const Request& request : unanswered_) {
        if (!request.resent)
            again.push_back({request.message, true});
    }
    unanswered_.clear();
    for (const Request& request : again)
        send(request);
}

}  // namespace tolvane
