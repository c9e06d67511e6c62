#pragma once

#include <QByteArray>
#include <QObject>

class QSocketNotifier;

namespace tolvane {

// This process's standard input, read as it arrives, without blocking the event loop.
class StandardInput : public QObject {
    Q_OBJECT
public:
    StandardInput();

signals:
    void received(const QByteArray& bytes);
    // The other end has closed, or has gone.
    void ended();

private:
    void readable();

    QSocketNotifier* notifier_;
};

// Writes the bytes to this process's standard output at once.
void writeStandardOutput(const QByteArray& bytes);

}  // namespace tolvane
