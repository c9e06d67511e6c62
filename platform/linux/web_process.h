#pragma once

#include "core/web_messages.h"
#include "platform/web_windows.h"

#include <QObject>

#include <deque>
#include <functional>

class QProcess;

namespace tolvane {

// Shows the web windows through a process of their own, which is started on the first web
// window and told on its standard input which window to show. It answers each request once
// shown, and says when it has had no window for a while; it is then let go by closing its
// input, which also ends it at once when the tray program ends in any way. A request the
// process did not answer before it ended is sent once more to a new one.
class WebProcess : public QObject, public WebWindows {
    Q_OBJECT
public:
    // program: the web windows' executable. siteHost starts the program's own site if need be
    // and gives the host it listens on (empty when another host serves the site).
    WebProcess(QString program, std::function<QString()> siteHost);
    ~WebProcess() override;
    WebProcess(const WebProcess&) = delete;
    WebProcess& operator=(const WebProcess&) = delete;

    void show(WebWindow window) override;

    // The process now running, if any: its id, for the tests.
    qint64 processId() const;

private:
    struct Request {
        WebMessage message;
        bool resent = false;
    };

    void start();
    void send(const Request& request);
    void readReplies();
    void ended(QProcess* process);
    void letGo();

    QString program_;
    std::function<QString()> siteHost_;
    QProcess* process_ = nullptr;
    LineReader replies_;
    // Sent to the running process and not yet answered.
    std::deque<Request> unanswered_;
};

}  // namespace tolvane
