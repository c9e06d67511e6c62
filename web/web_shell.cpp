#include "web/web_shell.h"

#include "ui/form.h"

#include <algorithm>

namespace tolvane {

WebShell::WebShell(Show show, Reply reply, std::chrono::milliseconds idleTime)
    : show_(std::move(show)), reply_(std::move(reply)) {
    idle_.setSingleShot(true);
    idle_.setInterval(idleTime);
    connect(&idle_, &QTimer::timeout, this, &WebShell::idleTimeUp);
    // Started for a window that never comes, too.
    idle_.start();
}

void WebShell::received(const QByteArray& bytes) {
    for (const QByteArray& line : lines_.feed(bytes)) {
        const std::optional<WebMessage> message = WebMessage::parse(line);
        if (!message || message->kind != WebMessage::Kind::Show)
            continue;
        idle_.stop();
        if (Form* window = show_(message->window, message->siteHost)) {
            if (std::find(windows_.begin(), windows_.end(), window) == windows_.end()) {
                windows_.emplace_back(window);
                connect(window, &Form::unloaded, this, &WebShell::windowGone);
                // A window destroyed without a close is looked at once it is gone: while it is
                // torn down it is no Form any more, though its pointer is not yet cleared.
                connect(window, &QObject::destroyed, this, &WebShell::windowGone,
                        Qt::QueuedConnection);
            }
        }
        // Answered even when the window could not be shown, so that it is not asked again.
        reply_(WebMessage{WebMessage::Kind::Shown, message->window, {}}.line());
        windowGone();
    }
}

void WebShell::inputEnded() {
    emit ended();
}

void WebShell::windowGone() {
    std::erase_if(windows_, [](const QPointer<Form>& window) {
        return window.isNull() || window->isUnloaded();
    });
    if (windows_.empty() && !idle_.isActive())
        idle_.start();
}

void WebShell::idleTimeUp() {
    if (windows_.empty())
        reply_(WebMessage{}.line());
}

}  // namespace tolvane
