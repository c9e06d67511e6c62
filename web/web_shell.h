#pragma once

#include "core/web_messages.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <chrono>
#include <functional>
#include <vector>

namespace tolvane {

class Form;

// How long the web windows' process waits with no window before it says it may end.
inline constexpr std::chrono::minutes kWebIdleTime{1};

// The web windows' process as the tray program drives it: shows each window it is asked for
// and answers once it is up, says when it has had no window for a while, and ends when the
// tray program stops talking to it.
class WebShell : public QObject {
    Q_OBJECT
public:
    // show shows a window for the site at the given host; reply sends a line back.
    using Show = std::function<Form*(WebWindow window, const QString& siteHost)>;
    using Reply = std::function<void(const QByteArray& line)>;

    WebShell(Show show, Reply reply, std::chrono::milliseconds idleTime = kWebIdleTime);

    // Bytes from the tray program.
    void received(const QByteArray& bytes);
    // The tray program has closed its end, or has gone.
    void inputEnded();

signals:
    // The process should end.
    void ended();

private:
    void windowGone();
    void idleTimeUp();

    Show show_;
    Reply reply_;
    LineReader lines_;
    QTimer idle_;
    std::vector<QPointer<Form>> windows_;
};

}  // namespace tolvane
