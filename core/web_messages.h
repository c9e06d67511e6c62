#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace tolvane {

// The windows that live in the web windows' process.
enum class WebWindow { Curr, Tran, WebBrowser };

// One line of the conversation between the tray program and the web windows' process, which
// reads the tray program's messages on its standard input and answers on its standard output.
//   show <window> <site host or ->   the tray program: show that window
//   shown <window>                   the web process: it was shown
//   idle                             the web process: no window for a minute, it may end
struct WebMessage {
    enum class Kind { Show, Shown, Idle };

    Kind kind = Kind::Idle;
    WebWindow window = WebWindow::Curr;
    // Where the program's own site listens; empty when another host serves it.
    QString siteHost;

    // The message as one line, its line end included.
    QByteArray line() const;
    // A line without its end; nothing for a line that is no message.
    static std::optional<WebMessage> parse(const QByteArray& line);

    bool operator==(const WebMessage&) const = default;
};

// Collects what arrives on a pipe and hands it on in whole lines.
class LineReader {
public:
    // The lines completed by these bytes, without their ends.
    QList<QByteArray> feed(const QByteArray& bytes);

private:
    QByteArray pending_;
};

}  // namespace tolvane
