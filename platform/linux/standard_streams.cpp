#include "platform/linux/standard_streams.h"

#include <QSocketNotifier>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace tolvane {

StandardInput::StandardInput()
    : notifier_(new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this)) {
    ::fcntl(STDIN_FILENO, F_SETFL, ::fcntl(STDIN_FILENO, F_GETFL) | O_NONBLOCK);
    connect(notifier_, &QSocketNotifier::activated, this, &StandardInput::readable);
}

void StandardInput::readable() {
    QByteArray bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (count > 0) {
            bytes.append(buffer, count);
            continue;
        }
        const int error = count < 0 ? errno : 0;
        if (error == EINTR)
            continue;
        if (!bytes.isEmpty())
            emit received(bytes);
        if (count == 0 || (error != EAGAIN && error != EWOULDBLOCK)) {
            notifier_->setEnabled(false);
            emit ended();
        }
        return;
    }
}

void writeStandardOutput(const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t count = ::write(STDOUT_FILENO, bytes.constData() + done, bytes.size() - done);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return;
        done += count;
    }
}

}  // namespace tolvane
